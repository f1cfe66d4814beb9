// The program's folder away from Windows: from the link /proc/self/exe.
#include "core/ProgramFolder.h"

#include <unistd.h>

#include <vector>

namespace {

// The target of /proc/self/exe, or "" when it cannot be read.
std::string executablePath() {
    std::vector<char> buffer(256);
    for (;;) {
        ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (length < 0) return std::string();
        if (static_cast<std::size_t>(length) < buffer.size())
            return std::string(buffer.data(), static_cast<std::size_t>(length));
        // Possibly truncated: try again with more room.
        buffer.resize(buffer.size() * 2);
    }
}

}  // namespace

std::string programFolder() {
    std::string path = executablePath();
    std::string::size_type last = path.rfind('/');
    if (last == std::string::npos) return std::string();
    return path.substr(0, last);
}

std::string pathInFolder(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    return folder + '/' + name;
}
