#include "ui/SearchBox.h"

#include <algorithm>

#include "core/ItemStore.h"

namespace {

struct Fitted {
    std::wstring text;
    std::size_t caret;
};

// Bytes of narrow text of one character (one or two UTF-16 units).
std::size_t narrowBytes(const std::wstring& character) {
    return std::max<std::size_t>(1, wintext::narrow(character).size());
}

std::size_t characterLength(const std::wstring& text, std::size_t at) {
    const bool pair = at + 1 < text.size() && text[at] >= 0xD800 && text[at] <= 0xDBFF &&
                      text[at + 1] >= 0xDC00 && text[at + 1] <= 0xDFFF;
    return pair ? 2 : 1;
}

// The longest prefix of text that takes at most budget bytes.
std::wstring prefixWithin(const std::wstring& text, std::size_t budget) {
    std::size_t at = 0;
    std::size_t used = 0;
    while (at < text.size()) {
        const std::size_t length = characterLength(text, at);
        const std::size_t bytes = narrowBytes(text.substr(at, length));
        if (used + bytes > budget) break;
        used += bytes;
        at += length;
    }
    return text.substr(0, at);
}

// Like the edit's own character limit: of what a change inserted into
// before, keep as much as fits, and put the caret after it.
Fitted fitInsertion(const std::wstring& before, const std::wstring& after, std::size_t limit) {
    const std::size_t shorter = std::min(before.size(), after.size());
    std::size_t head = 0;
    while (head < shorter && before[head] == after[head]) ++head;
    std::size_t tail = 0;
    while (tail < shorter - head &&
           before[before.size() - 1 - tail] == after[after.size() - 1 - tail]) {
        ++tail;
    }
    const std::wstring kept = after.substr(0, head) + after.substr(after.size() - tail);
    const std::size_t keptBytes = wintext::narrow(kept).size();
    if (keptBytes > limit) {
        // The text before the change was already too long: keep its start.
        std::wstring prefix = prefixWithin(after, limit);
        return {prefix, prefix.size()};
    }
    const std::wstring inserted = after.substr(head, after.size() - head - tail);
    const std::wstring fitting = prefixWithin(inserted, limit - keptBytes);
    return {after.substr(0, head) + fitting + after.substr(after.size() - tail),
            head + fitting.size()};
}

}  // namespace

SearchBox::~SearchBox() { destroyWindow(); }

int SearchBox::create(HWND parent, const RECT& rect, int id) {
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL;
    if (!createControl(L"EDIT", L"", style, 0, rect, parent, id)) return -1;
    SendMessageW(hwnd(), EM_LIMITTEXT, TextLimit, 0);
    acceptedText_.clear();
    return 0;
}

bool SearchBox::onReflectedCommand(int code, LRESULT& result) {
    if (code != EN_CHANGE) return false;
    result = 0;
    if (adjusting_) return true;
    keepWithinByteLimit();
    const std::string keyword = wintext::narrow(acceptedText_);
    store_.setSearchText(keyword.c_str());
    store_.notifyObserver();
    return true;
}

void SearchBox::keepWithinByteLimit() {
    const std::wstring text = wintext::windowText(hwnd());
    if (wintext::narrow(text).size() <= static_cast<std::size_t>(TextLimit)) {
        acceptedText_ = text;
        return;
    }
    const Fitted fitted = fitInsertion(acceptedText_, text, TextLimit);
    adjusting_ = true;
    SetWindowTextW(hwnd(), fitted.text.c_str());
    SendMessageW(hwnd(), EM_SETSEL, fitted.caret, fitted.caret);
    adjusting_ = false;
    acceptedText_ = fitted.text;
}
