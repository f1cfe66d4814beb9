#include "ui/PreviewPane.h"

#include <algorithm>

#include "core/ClipItem.h"
#include "core/DibHeader.h"
#include "core/FileListItem.h"
#include "core/TextCodec.h"
#include "core/win32/Handles.h"

PreviewPane::~PreviewPane() { destroyWindow(); }

bool PreviewPane::create(HWND parent, const RECT& rect, int id) {
    // No prefix processing: an ampersand in a text is shown as it is.
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_BORDER | SS_LEFT | SS_NOPREFIX;
    return createControl(L"STATIC", L"", style, 0, rect, parent, id);
}

void PreviewPane::refresh() {
    if (!isAlive()) return;
    SetWindowTextW(hwnd(), wintext::wide(textFor(currentItem())).c_str());
    InvalidateRect(hwnd(), nullptr, TRUE);
}

std::u16string PreviewPane::textFor(const ClipItem* item) {
    if (item == nullptr || item->format() == ClipItem::FormatDib) return std::u16string();
    std::u16string text;
    if (item->format() == ClipItem::FormatFileList) {
        const auto* files = dynamic_cast<const FileListItem*>(item);
        const auto paths = files != nullptr ? files->paths() : std::nullopt;
        for (std::size_t i = 0; paths && i < paths->size(); ++i) {
            text += (i == 0 ? u"" : u"\r\n") + (*paths)[i];
        }
    } else {
        text = textUpToZero(*item);
    }
    const std::string alias = item->alias();
    if (alias.empty()) return text;
    return u"#" + widen(alias) + u"\r\n" + text;
}

RECT PreviewPane::imageRect(int width, int height, int paneWidth, int paneHeight) {
    if (width <= 0 || height <= 0 || paneWidth <= 0 || paneHeight <= 0) return RECT{};
    const double scale = std::min({1.0, static_cast<double>(paneWidth) / width,
                                   static_cast<double>(paneHeight) / height});
    const int w = std::max(1, static_cast<int>(width * scale));
    const int h = std::max(1, static_cast<int>(height * scale));
    const int left = (paneWidth - w) / 2;
    const int top = (paneHeight - h) / 2;
    return RECT{left, top, left + w, top + h};
}

// The static draws the text; an image is drawn here instead.
bool PreviewPane::onPaint() {
    const ClipItem* item = currentItem();
    if (item == nullptr || item->format() != ClipItem::FormatDib) return false;
    PaintSession paint(hwnd());
    RECT client{};
    GetClientRect(hwnd(), &client);
    FillRect(paint.dc(), &client, GetSysColorBrush(COLOR_BTNFACE));
    paintImage(paint.dc(), client);
    return true;
}

bool PreviewPane::paintImage(HDC dc, const RECT& client) const {
    const ClipItem* item = currentItem();
    const auto size = DibHeader::read(item->text(), static_cast<std::size_t>(item->byteLength()));
    if (!size) return false;
    const RECT to = imageRect(size->width, size->height, client.right - client.left,
                              client.bottom - client.top);
    SetStretchBltMode(dc, HALFTONE);
    SetBrushOrgEx(dc, 0, 0, nullptr);
    const auto* info = reinterpret_cast<const BITMAPINFO*>(item->text());
    return StretchDIBits(dc, to.left, to.top, to.right - to.left, to.bottom - to.top, 0, 0,
                         size->width, size->height, item->text() + size->pixelsAt, info,
                         DIB_RGB_COLORS, SRCCOPY) != 0;
}

// The text up to its first zero unit, as the narrow text would end there.
std::u16string PreviewPane::textUpToZero(const ClipItem& item) {
    const std::u16string whole = item.wideText();
    return whole.substr(0, whole.find(u'\0'));
}
