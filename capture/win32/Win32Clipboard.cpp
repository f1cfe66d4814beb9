#include "capture/win32/Win32Clipboard.h"

#include <cstring>

#include "ui/framework/Handles.h"

namespace {
// A global block holding the text and a terminating zero code unit.
GlobalMemory textBlock(const unsigned char* bytes, std::size_t byteLength) {
    GlobalMemory block(GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, byteLength + 2));
    if (!block) return block;
    void* target = GlobalLock(block.get());
    if (target == nullptr) return GlobalMemory();
    if (byteLength > 0) std::memcpy(target, bytes, byteLength);
    GlobalUnlock(block.get());
    return block;
}
}  // namespace

int Win32Clipboard::putUnicodeText(const unsigned char* bytes, std::size_t byteLength) {
    if (bytes == nullptr && byteLength > 0) return -1;
    GlobalMemory block = textBlock(bytes, byteLength);
    if (!block) return -1;
    if (!OpenClipboard(owner_)) return -1;
    EmptyClipboard();
    const bool placed = SetClipboardData(CF_UNICODETEXT, block.get()) != nullptr;
    CloseClipboard();
    if (!placed) return -1;
    block.release();  // the clipboard owns it now
    return 0;
}
