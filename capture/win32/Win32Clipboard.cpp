#include "capture/win32/Win32Clipboard.h"

#include <cstring>

#include "capture/win32/CompanionFormats.h"
#include "core/win32/Handles.h"

namespace {
// A global block holding the bytes followed by zeroBytes zeros.
GlobalMemory copyBlock(const unsigned char* bytes, std::size_t byteLength, std::size_t zeroBytes) {
    GlobalMemory block(GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, byteLength + zeroBytes));
    if (!block) return block;
    GlobalLockView target(block.get());
    if (!target || target.size() < byteLength + zeroBytes) return GlobalMemory();
    if (byteLength > 0) std::memcpy(target.data(), bytes, byteLength);
    return block;
}
}  // namespace

int Win32Clipboard::put(UINT format, const unsigned char* bytes, std::size_t byteLength,
                        std::size_t zeroBytes, CompanionFormats& companions) {
    if (bytes == nullptr && byteLength > 0) return -1;
    GlobalMemory block = copyBlock(bytes, byteLength, zeroBytes);
    if (!block) return -1;
    ClipboardSession session(owner_);
    if (!session.isOpen()) return -1;
    EmptyClipboard();
    if (SetClipboardData(format, block.get()) == nullptr) return -1;
    block.release();  // the clipboard owns it now
    companions.put();
    return 0;
}

// The text gets its terminating zero code unit.
int Win32Clipboard::putUnicodeText(const unsigned char* bytes, std::size_t byteLength) {
    CompanionFormats none;
    return put(CF_UNICODETEXT, bytes, byteLength, 2, none);
}

// The stored bytes as they are: a packed DIB, a DROPFILES block; their
// companions are made before the clipboard opens, so that encoding an
// image never holds the clipboard.
int Win32Clipboard::putFormat(std::uint16_t format, const unsigned char* bytes,
                              std::size_t byteLength) {
    if (format == 0 || byteLength == 0) return -1;
    CompanionFormats companions(format, bytes, byteLength);
    return put(format, bytes, byteLength, 0, companions);
}
