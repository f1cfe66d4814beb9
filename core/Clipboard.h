// Platform interface: the system clipboard, written as Unicode text or as
// the stored bytes of one other format.
#pragma once

#include <cstddef>
#include <cstdint>

class Clipboard {
public:
    virtual ~Clipboard() = default;
    // Replaces the clipboard's content with the UTF-16LE text (byteLength
    // bytes, no terminator; the adapter adds one) offered under the Unicode
    // text format alone. The clipboard takes ownership of its copy.
    // Returns 0 on success, -1 when the clipboard refused.
    virtual int putUnicodeText(const unsigned char* bytes, std::size_t byteLength) = 0;
    // Replaces the clipboard's content with the bytes as they are, offered
    // under the one format. Returns 0, or -1 when the clipboard refused or
    // the adapter cannot offer that format.
    virtual int putFormat(std::uint16_t format, const unsigned char* bytes, std::size_t byteLength) {
        (void)format;
        (void)bytes;
        (void)byteLength;
        return -1;
    }
};
