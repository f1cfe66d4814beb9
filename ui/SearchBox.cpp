#include "ui/SearchBox.h"

#include "core/ItemStore.h"
#include "core/NarrowByteLimit.h"

namespace {

std::u16string toU16(const std::wstring& text) { return std::u16string(text.begin(), text.end()); }

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
    // The keyword as typed: a character the code page lacks is searched
    // for as it is.
    store_.setSearchText(wintext::utf16(acceptedText_));
    store_.notifyObserver();
    return true;
}

void SearchBox::keepWithinByteLimit() {
    const std::wstring text = wintext::windowText(hwnd());
    const NarrowByteLimit limit(TextLimit);
    if (limit.fits(toU16(text))) {
        acceptedText_ = text;
        return;
    }
    const NarrowByteLimit::Fitted fitted = limit.fit(toU16(acceptedText_), toU16(text));
    acceptedText_.assign(fitted.text.begin(), fitted.text.end());
    adjusting_ = true;
    SetWindowTextW(hwnd(), acceptedText_.c_str());
    SendMessageW(hwnd(), EM_SETSEL, fitted.caret, fitted.caret);
    adjusting_ = false;
}
