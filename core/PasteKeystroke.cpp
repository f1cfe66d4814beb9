#include "core/PasteKeystroke.h"

namespace {
constexpr unsigned VkShift = 0x10;
constexpr unsigned VkControl = 0x11;
constexpr unsigned VkInsert = 0x2D;
constexpr unsigned VkV = 0x56;
constexpr unsigned ScanShift = 0x2A;
constexpr unsigned ScanControl = 0x1D;
constexpr unsigned ScanInsert = 0x52;
constexpr unsigned ScanV = 0x2F;

const char* const TerminalClassParts[] = {"PuTTY", "SecureCRT", "NetTerm"};
}  // namespace

bool PasteKeystroke::isTerminal(const std::string& className) {
    for (const char* part : TerminalClassParts) {
        if (className.find(part) != std::string::npos) return true;
    }
    return false;
}

PasteKeystroke::Events PasteKeystroke::events(bool terminal) {
    if (terminal) {
        return Events{{{VkShift, ScanShift, 0},
                       {VkInsert, ScanInsert, ExtendedKey},
                       {VkInsert, ScanInsert, ExtendedKey | KeyUp},
                       {VkShift, ScanShift, KeyUp}}};
    }
    return Events{{{VkControl, ScanControl, 0},
                   {VkV, ScanV, 0},
                   {VkV, ScanV, KeyUp},
                   {VkControl, ScanControl, KeyUp}}};
}
