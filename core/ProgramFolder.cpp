// The platform-neutral part of locating the program's folder.
#include "core/ProgramFolder.h"

std::string folderOfModulePath(const std::string& modulePath) {
    std::string::size_type last = modulePath.rfind('\\');
    if (last == std::string::npos) return std::string();
    std::string folder = modulePath.substr(0, last);
    if (!folder.empty() && folder.back() == '\\') folder.pop_back();
    return folder;
}
