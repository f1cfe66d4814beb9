#include <cstdio>
#include <io.h>
#include <windows.h>

#include "core/win32/Handles.h"
#include "storage/FileReplace.h"

bool flushToDisk(std::FILE* file) {
    if (std::fflush(file) != 0) return false;
    return _commit(_fileno(file)) == 0;
}

bool replaceFile(const std::string& from, const std::string& to) {
    return MoveFileExA(from.c_str(), to.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool mayOverwrite(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return true;  // missing: created anew
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return true;
    if ((attributes & FILE_ATTRIBUTE_READONLY) != 0) return false;
    // What opening it for writing in place would meet: rights and locks.
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    const KernelHandle probe(file);
    return true;
}
