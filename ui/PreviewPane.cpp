#include "ui/PreviewPane.h"

#include "core/ClipItem.h"
#include "core/TextCodec.h"

PreviewPane::~PreviewPane() { destroyWindow(); }

bool PreviewPane::create(HWND parent, const RECT& rect, int id) {
    // No prefix processing: an ampersand in a text is shown as it is.
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_BORDER | SS_LEFT | SS_NOPREFIX;
    return createControl(L"STATIC", L"", style, 0, rect, parent, id);
}

void PreviewPane::refresh() {
    if (!isAlive()) return;
    SetWindowTextW(hwnd(), wintext::wide(textFor(currentItem())).c_str());
}

std::u16string PreviewPane::textFor(const ClipItem* item) {
    if (item == nullptr) return std::u16string();
    // The pane shows the text up to its first zero unit, as the narrow
    // text would end there.
    const std::u16string whole = item->wideText();
    const std::u16string text = whole.substr(0, whole.find(u'\0'));
    const std::string alias = item->alias();
    if (alias.empty()) return text;
    return u"#" + widen(alias) + u"\r\n" + text;
}
