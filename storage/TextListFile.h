// Reading and writing a text list file (the import and export of a list).
// The file is read as a stream, each entry handed on as soon as its line is
// complete, so that only a line at a time is held and the reading can stop
// early; a file is written through a temporary file that replaces it only
// once complete, so a failure never leaves an existing file half done.
#pragma once

#include <string>
#include <vector>

#include "core/TextListReader.h"

class TextListFile {
public:
    enum Result { Ok = 0, OpenFailed = -1, ReadFailed = -2, WriteFailed = -3, NoMemory = -4 };

    // Hands the entries of the file at path to sink (see TextListReader),
    // until the file ends or sink returns false. NoMemory when memory ran
    // out on the way, in the reading or in sink.
    static Result read(const std::string& path, const TextListReader::EntrySink& sink);
    // Writes the texts as the file at path (see TextListCodec::encodeTexts);
    // the previous file stays as it was unless the new one is complete.
    static Result write(const std::string& path, const std::vector<std::u16string>& texts);
};
