// The system clipboard: a text is offered as CF_UNICODETEXT alone, other
// stored content under its own format with its companion formats, each in
// a movable global block that the clipboard owns afterwards.
#pragma once

#include <windows.h>

#include "core/Clipboard.h"

class CompanionFormats;

class Win32Clipboard : public Clipboard {
public:
    // owner becomes the clipboard owner (may be null).
    explicit Win32Clipboard(HWND owner = nullptr) : owner_(owner) {}
    void setOwner(HWND owner) { owner_ = owner; }

    int putUnicodeText(const unsigned char* bytes, std::size_t byteLength) override;
    int putFormat(std::uint16_t format, const unsigned char* bytes, std::size_t byteLength) override;

private:
    int put(UINT format, const unsigned char* bytes, std::size_t byteLength, std::size_t zeroBytes,
            CompanionFormats& companions);

    HWND owner_;
};
