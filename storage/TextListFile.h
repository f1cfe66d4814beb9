// Reading and writing a text list file (the import and export of a list):
// the whole file is read before any entry is used, and a file is written
// through a temporary file that replaces it only once complete, so a
// failure never leaves a list or an existing file half done.
#pragma once

#include <string>
#include <vector>

class TextListFile {
public:
    enum Result { Ok = 0, OpenFailed = -1, ReadFailed = -2, WriteFailed = -3 };

    // The entries of the file at path (see TextListCodec); entries is
    // filled only when the whole file could be read.
    static Result read(const std::string& path, std::vector<std::string>& entries);
    // Writes the entries as the file at path; the previous file stays as it
    // was unless the new one is complete.
    static Result write(const std::string& path, const std::vector<std::string>& entries);
};
