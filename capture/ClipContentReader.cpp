#include "capture/ClipContentReader.h"

#include <cstdint>
#include <vector>

#include "capture/PngDecoder.h"
#include "core/BitmapItem.h"
#include "core/FileListItem.h"
#include "core/win32/Handles.h"

namespace {

// The bytes of a global block, as many as its size says.
bool copyBlock(HGLOBAL handle, std::int64_t maxBytes, std::vector<unsigned char>& bytes) {
    GlobalLockView block(handle);
    if (!block || block.size() == 0) return false;
    if (static_cast<std::uint64_t>(block.size()) > static_cast<std::uint64_t>(maxBytes)) {
        return false;
    }
    const auto* first = static_cast<const unsigned char*>(block.data());
    bytes.assign(first, first + block.size());
    return true;
}

// The bytes of a format on the open clipboard.
bool readClipboard(UINT format, std::int64_t maxBytes, std::vector<unsigned char>& bytes) {
    if (format == 0 || IsClipboardFormatAvailable(format) == FALSE) return false;
    HANDLE handle = GetClipboardData(format);
    return handle != nullptr && copyBlock(static_cast<HGLOBAL>(handle), maxBytes, bytes);
}

FORMATETC inGlobalMemory(UINT format) {
    return FORMATETC{static_cast<CLIPFORMAT>(format), nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
}

bool offersFormat(IDataObject* data, UINT format) {
    FORMATETC wanted = inGlobalMemory(format);
    return format != 0 && data->QueryGetData(&wanted) == S_OK;
}

// The bytes of a format a data object offers.
bool readData(IDataObject* data, UINT format, std::int64_t maxBytes,
              std::vector<unsigned char>& bytes) {
    if (!offersFormat(data, format)) return false;
    FORMATETC wanted = inGlobalMemory(format);
    StorageMedium medium;
    if (FAILED(data->GetData(&wanted, medium.receive()))) return false;
    medium.markReceived();
    if (medium.get().tymed != TYMED_HGLOBAL || medium.get().hGlobal == nullptr) return false;
    return copyBlock(medium.get().hGlobal, maxBytes, bytes);
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
    const BlockReader block = &readClipboard;
    if (auto image = readImage(block)) return image;
    return readFiles(block);
}

std::unique_ptr<ClipItem> ClipContentReader::read(IDataObject* data) const {
    if (data == nullptr) return nullptr;
    const BlockReader block = [data](UINT format, std::int64_t maxBytes,
                                     std::vector<unsigned char>& bytes) {
        return readData(data, format, maxBytes, bytes);
    };
    if (auto image = readImage(block)) return image;
    return readFiles(block);
}

bool ClipContentReader::offers(IDataObject* data) const {
    if (data == nullptr) return false;
    return offersFormat(data, CF_DIB) || offersFormat(data, png_) || offersFormat(data, CF_HDROP);
}

// A DIB over the size kept is not read at all: the store would refuse it.
std::unique_ptr<ClipItem> ClipContentReader::readImage(const BlockReader& block) const {
    std::vector<unsigned char> bytes;
    if (block(CF_DIB, BitmapItem::MaxBytes, bytes)) {
        return filled(std::make_unique<BitmapItem>(), bytes);
    }
    if (png_ == 0) return nullptr;
    std::vector<unsigned char> png;
    if (!block(png_, BitmapItem::MaxBytes, png)) return nullptr;
    if (PngDecoder::toDib(png, BitmapItem::MaxBytes, bytes) != 0) return nullptr;
    return filled(std::make_unique<BitmapItem>(), bytes);
}

std::unique_ptr<ClipItem> ClipContentReader::readFiles(const BlockReader& block) const {
    std::vector<unsigned char> bytes;
    if (!block(CF_HDROP, BitmapItem::MaxBytes, bytes)) return nullptr;
    return filled(std::make_unique<FileListItem>(), bytes);
}
