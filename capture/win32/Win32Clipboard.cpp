#include "capture/win32/Win32Clipboard.h"

#include <cstring>

#include "core/win32/Handles.h"

namespace {
// A global block holding the text and a terminating zero code unit.
GlobalMemory textBlock(const unsigned char* bytes, std::size_t byteLength) {
    GlobalMemory block(GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, byteLength + 2));
    if (!block) return block;
    GlobalLockView target(block.get());
    if (!target || target.size() < byteLength + 2) return GlobalMemory();
    if (byteLength > 0) std::memcpy(target.data(), bytes, byteLength);
    return block;
}
}  // namespace

int Win32Clipboard::putUnicodeText(const unsigned char* bytes, std::size_t byteLength) {
    if (bytes == nullptr && byteLength > 0) return -1;
    GlobalMemory block = textBlock(bytes, byteLength);
    if (!block) return -1;
    ClipboardSession session(owner_);
    if (!session.isOpen()) return -1;
    EmptyClipboard();
    if (SetClipboardData(CF_UNICODETEXT, block.get()) == nullptr) return -1;
    block.release();  // the clipboard owns it now
    return 0;
}
