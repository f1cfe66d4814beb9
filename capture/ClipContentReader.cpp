#include "capture/ClipContentReader.h"

#include <cstdint>
#include <vector>

#include "capture/PngDecoder.h"
#include "core/BitmapItem.h"
#include "core/FileListItem.h"
#include "core/win32/Handles.h"

namespace {

using BlockView = ClipContentReader::BlockView;
using BlockReader = ClipContentReader::BlockReader;

// Hands a global block's bytes, as many as its size says, to take while the
// block is locked: the bytes are copied once, straight where they go.
bool viewBlock(HGLOBAL handle, std::int64_t maxBytes, const BlockView& take) {
    GlobalLockView block(handle);
    if (!block || block.size() == 0) return false;
    if (static_cast<std::uint64_t>(block.size()) > static_cast<std::uint64_t>(maxBytes)) {
        return false;
    }
    take(static_cast<const unsigned char*>(block.data()), block.size());
    return true;
}

// The bytes of a format on the open clipboard.
bool readClipboard(UINT format, std::int64_t maxBytes, const BlockView& take) {
    if (format == 0 || IsClipboardFormatAvailable(format) == FALSE) return false;
    HANDLE handle = GetClipboardData(format);
    return handle != nullptr && viewBlock(static_cast<HGLOBAL>(handle), maxBytes, take);
}

FORMATETC inGlobalMemory(UINT format) {
    return FORMATETC{static_cast<CLIPFORMAT>(format), nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
}

bool offersFormat(IDataObject* data, UINT format) {
    FORMATETC wanted = inGlobalMemory(format);
    return format != 0 && data->QueryGetData(&wanted) == S_OK;
}

// The bytes of a format a data object offers.
bool readData(IDataObject* data, UINT format, std::int64_t maxBytes, const BlockView& take) {
    if (!offersFormat(data, format)) return false;
    FORMATETC wanted = inGlobalMemory(format);
    StorageMedium medium;
    if (FAILED(data->GetData(&wanted, medium.receive()))) return false;
    medium.markReceived();
    if (medium.get().tymed != TYMED_HGLOBAL || medium.get().hGlobal == nullptr) return false;
    return viewBlock(medium.get().hGlobal, maxBytes, take);
}

// The item holding a format's bytes; none when the block is not there.
std::unique_ptr<ClipItem> filled(std::unique_ptr<ClipItem> item, const BlockReader& block,
                                 UINT format) {
    const bool read = block(format, BitmapItem::MaxBytes, [&](const unsigned char* bytes, std::size_t size) {
        item->setText(bytes, static_cast<std::int32_t>(size));
    });
    return read ? std::move(item) : nullptr;
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
    const BlockReader block = [data](UINT format, std::int64_t maxBytes, const BlockView& take) {
        return readData(data, format, maxBytes, take);
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
    if (auto image = filled(std::make_unique<BitmapItem>(), block, CF_DIB)) return image;
    if (png_ == 0) return nullptr;
    std::vector<unsigned char> png;
    const bool read = block(png_, BitmapItem::MaxBytes, [&](const unsigned char* bytes, std::size_t size) {
        png.assign(bytes, bytes + size);
    });
    std::vector<unsigned char> dib;
    if (!read || PngDecoder::toDib(png, BitmapItem::MaxBytes, dib) != 0) return nullptr;
    auto image = std::make_unique<BitmapItem>();
    image->setText(dib.data(), static_cast<std::int32_t>(dib.size()));
    return image;
}

std::unique_ptr<ClipItem> ClipContentReader::readFiles(const BlockReader& block) const {
    return filled(std::make_unique<FileListItem>(), block, CF_HDROP);
}
