// The program's folder on Windows: from the running module's file name.
#include "core/ProgramFolder.h"

#include <windows.h>

#include <vector>

namespace {

// The full path of the executable, or "" when it cannot be had.
std::string modulePath() {
    std::vector<char> buffer(MAX_PATH + 1);
    for (;;) {
        DWORD size = static_cast<DWORD>(buffer.size());
        DWORD length = GetModuleFileNameA(nullptr, buffer.data(), size);
        if (length == 0) return std::string();
        if (length < size) return std::string(buffer.data(), length);
        // Truncated: try again with more room.
        buffer.resize(buffer.size() * 2);
    }
}

}  // namespace

std::string programFolder() { return folderOfModulePath(modulePath()); }

std::string pathInFolder(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    return folder + '\\' + name;
}
