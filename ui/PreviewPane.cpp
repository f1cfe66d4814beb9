#include "ui/PreviewPane.h"

#include "core/ClipItem.h"

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

std::string PreviewPane::textFor(const ClipItem* item) {
    if (item == nullptr) return std::string();
    const std::string alias = item->alias();
    if (alias.empty()) return item->narrowText();
    return "#" + alias + "\r\n" + item->narrowText();
}
