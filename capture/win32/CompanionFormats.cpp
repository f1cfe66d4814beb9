#include "capture/win32/CompanionFormats.h"

#include <cstring>

#include "capture/PngEncoder.h"

CompanionFormats::CompanionFormats(UINT format, const unsigned char* bytes,
                                   std::size_t byteLength) {
    if (bytes == nullptr || byteLength == 0) return;
    if (format == CF_DIB) addPng(bytes, byteLength);
    if (format == CF_HDROP) addDropEffectCopy();
}

void CompanionFormats::put() {
    for (Companion& companion : companions_) {
        if (SetClipboardData(companion.format, companion.block.get()) != nullptr) {
            companion.block.release();
        }
    }
    companions_.clear();
}

void CompanionFormats::addPng(const unsigned char* dib, std::size_t length) {
    std::vector<unsigned char> png;
    if (PngEncoder::fromDib(dib, length, png) != 0) return;
    add(L"PNG", png.data(), png.size());
}

void CompanionFormats::addDropEffectCopy() {
    const DWORD copy = DROPEFFECT_COPY;
    add(L"Preferred DropEffect", reinterpret_cast<const unsigned char*>(&copy), sizeof copy);
}

void CompanionFormats::add(const wchar_t* name, const unsigned char* bytes, std::size_t length) {
    const UINT format = RegisterClipboardFormatW(name);
    if (format == 0) return;
    GlobalMemory block(GlobalAlloc(GMEM_MOVEABLE, length));
    if (!block) return;
    {
        GlobalLockView target(block.get());
        if (!target || target.size() < length) return;
        std::memcpy(target.data(), bytes, length);
    }
    companions_.push_back(Companion{format, std::move(block)});
}
