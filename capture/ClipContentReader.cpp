#include "capture/ClipContentReader.h"

#include <cstdint>
#include <vector>

#include "capture/PngDecoder.h"
#include "core/BitmapItem.h"
#include "core/FileListItem.h"
#include "core/win32/Handles.h"

namespace {

// The bytes of a format on the open clipboard, within its block's size;
// false when it is not there, gives no memory or holds more than maxBytes.
bool readBlock(UINT format, std::int64_t maxBytes, std::vector<unsigned char>& bytes) {
    if (format == 0 || IsClipboardFormatAvailable(format) == FALSE) return false;
    HANDLE handle = GetClipboardData(format);
    if (handle == nullptr) return false;
    GlobalLockView block(static_cast<HGLOBAL>(handle));
    if (!block || block.size() == 0) return false;
    if (static_cast<std::uint64_t>(block.size()) > static_cast<std::uint64_t>(maxBytes)) {
        return false;
    }
    const auto* first = static_cast<const unsigned char*>(block.data());
    bytes.assign(first, first + block.size());
    return true;
}

std::unique_ptr<ClipItem> filled(std::unique_ptr<ClipItem> item,
                                 const std::vector<unsigned char>& bytes) {
    item->setText(bytes.data(), static_cast<std::int32_t>(bytes.size()));
    return item;
}

}  // namespace

ClipContentReader::ClipContentReader()
    : png_(RegisterClipboardFormatW(L"PNG")) {}

std::unique_ptr<ClipItem> ClipContentReader::read() const {
    ClipboardSession clipboard(nullptr);
    if (!clipboard.isOpen()) return nullptr;
    if (IsClipboardFormatAvailable(CF_UNICODETEXT) || IsClipboardFormatAvailable(CF_TEXT)) {
        return nullptr;
    }
    if (auto image = readImage()) return image;
    return readFiles();
}

// A DIB over the size kept is not read at all: the store would refuse it.
std::unique_ptr<ClipItem> ClipContentReader::readImage() const {
    std::vector<unsigned char> bytes;
    if (readBlock(CF_DIB, BitmapItem::MaxBytes, bytes)) {
        return filled(std::make_unique<BitmapItem>(), bytes);
    }
    if (png_ == 0) return nullptr;
    std::vector<unsigned char> png;
    if (!readBlock(png_, BitmapItem::MaxBytes, png)) return nullptr;
    if (PngDecoder::toDib(png, BitmapItem::MaxBytes, bytes) != 0) return nullptr;
    return filled(std::make_unique<BitmapItem>(), bytes);
}

std::unique_ptr<ClipItem> ClipContentReader::readFiles() const {
    std::vector<unsigned char> bytes;
    if (!readBlock(CF_HDROP, BitmapItem::MaxBytes, bytes)) return nullptr;
    return filled(std::make_unique<FileListItem>(), bytes);
}
