#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <vector>

#include "storage/FileReplace.h"

std::FILE* createTemporaryBeside(const std::string& target, std::string* temporary) {
    const std::string pattern = target + ".XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int descriptor = ::mkstemp(name.data());
    if (descriptor < 0) return nullptr;
    std::FILE* file = ::fdopen(descriptor, "wb");
    if (file == nullptr) {
        ::close(descriptor);
        ::unlink(name.data());
        return nullptr;
    }
    *temporary = name.data();
    return file;
}

bool flushToDisk(std::FILE* file) {
    if (std::fflush(file) != 0) return false;
    return ::fsync(::fileno(file)) == 0;
}

bool replaceFile(const std::string& from, const std::string& to) {
    return std::rename(from.c_str(), to.c_str()) == 0;
}

bool removeFile(const std::string& path) { return std::remove(path.c_str()) == 0; }

// A file without any write permission bit is read-only even for the
// superuser, whom access() would let write it.
bool mayOverwrite(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return true;  // missing: created anew
    if (!S_ISREG(info.st_mode)) return true;
    if ((info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return false;
    return ::access(path.c_str(), W_OK) == 0;
}
