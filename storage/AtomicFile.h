// Writing a whole file without ever leaving a half-written target: the
// content goes to a temporary file in the same folder, is flushed to disk,
// and then replaces the target in one step.
#pragma once

#include <cstddef>
#include <string>

class AtomicFile {
public:
    enum Result { Ok = 0, OpenFailed = -1, WriteFailed = -2 };

    // Writes size bytes to path. On any failure the previous file at path is
    // left as it was and the temporary file is removed. A file that could
    // not be opened for writing in place (read-only) is not replaced:
    // OpenFailed.
    static Result write(const std::string& path, const void* data, std::size_t size);
};
