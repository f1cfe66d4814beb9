// Platform interface: the system clipboard, written as Unicode text only.
#pragma once

#include <cstddef>

class Clipboard {
public:
    virtual ~Clipboard() = default;
    // Replaces the clipboard's content with the UTF-16LE text (byteLength
    // bytes, no terminator; the adapter adds one) offered under the Unicode
    // text format alone. The clipboard takes ownership of its copy.
    // Returns 0 on success, -1 when the clipboard refused.
    virtual int putUnicodeText(const unsigned char* bytes, std::size_t byteLength) = 0;
};
