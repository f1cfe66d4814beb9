// Reads a copy without text into a new clip item: an image (CF_DIB, which
// the system also makes from CF_DIBV5 and CF_BITMAP, else the registered
// "PNG" format decoded into a packed DIB), else copied files (CF_HDROP).
// It reads straight from the system clipboard (OLE's clipboard object gives
// no DIB) or from a data object dropped on the favorites. None when the
// clipboard holds text (CF_UNICODETEXT or CF_TEXT) or none of them, or an
// image too large to keep.
#pragma once

#include <windows.h>
#include <objidl.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class ClipItem;

class ClipContentReader {
public:
    ClipContentReader();

    std::unique_ptr<ClipItem> read() const;
    // The same from data in global memory; its text is not looked at.
    std::unique_ptr<ClipItem> read(IDataObject* data) const;
    // True when data offers an image or files in global memory.
    bool offers(IDataObject* data) const;

    // The bytes of a block, while it is held.
    using BlockView = std::function<void(const unsigned char* bytes, std::size_t size)>;
    // Hands a format's block to take, within the block's size; false when
    // it is not there, gives no memory or holds more than maxBytes.
    using BlockReader =
        std::function<bool(UINT format, std::int64_t maxBytes, const BlockView& take)>;

private:
    std::unique_ptr<ClipItem> readImage(const BlockReader& block) const;
    std::unique_ptr<ClipItem> readFiles(const BlockReader& block) const;

    UINT png_;
};
