// What goes on the clipboard next to a stored format so that more programs
// take it: an image also as the registered "PNG", a file list with the
// registered "Preferred DropEffect" holding DROPEFFECT_COPY (so a paste in
// Explorer copies the files, never moves them). Made before the clipboard
// opens, put inside the same session; a companion that cannot be made is
// left out and never fails the paste.
#pragma once

#include <windows.h>

#include <cstddef>
#include <vector>

#include "core/win32/Handles.h"

class CompanionFormats {
public:
    CompanionFormats() = default;
    // The companions of bytes stored under format.
    CompanionFormats(UINT format, const unsigned char* bytes, std::size_t byteLength);

    // Puts each one on the open clipboard; the clipboard owns those it took.
    void put();

private:
    struct Companion {
        UINT format;
        GlobalMemory block;
    };

    void addPng(const unsigned char* dib, std::size_t length);
    void addDropEffectCopy();
    void add(const wchar_t* name, const unsigned char* bytes, std::size_t length);

    std::vector<Companion> companions_;
};
