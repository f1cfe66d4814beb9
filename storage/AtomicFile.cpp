#include "storage/AtomicFile.h"

#include <cstdio>

#include "storage/FileReplace.h"

AtomicFile::Result AtomicFile::write(const std::string& path, const void* data,
                                     std::size_t size) {
    if (!mayOverwrite(path)) return OpenFailed;
    std::string temporary;
    std::FILE* file = createTemporaryBeside(path, &temporary);
    if (file == nullptr) return OpenFailed;
    bool written = size == 0 || std::fwrite(data, 1, size, file) == size;
    written = flushToDisk(file) && written;
    written = (std::fclose(file) == 0) && written;
    if (written && replaceFile(temporary, path)) return Ok;
    removeFile(temporary);
    return WriteFailed;
}
