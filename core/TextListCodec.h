// The text list file: one list as plain text, one entry per line, no
// header. Writing turns every LF into CR LF and uses the narrow code page
// when every text has it; a list with any character the code page lacks is
// written as UTF-8 after a byte-order mark, so that nothing is lost.
// Reading (see TextListReader) undoes that, in either encoding.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "core/TextListReader.h"

class TextListCodec {
public:
    static constexpr std::size_t MaxLineBytes = TextListReader::MaxLineBytes;

    // The narrow entries with one line break between two of them and none
    // after the last; every LF, inside an entry or between entries, as CR LF.
    static std::string encode(const std::vector<std::string>& entries);
    // The texts as a file: encode of their narrow forms when every text
    // converts to the code page and back unchanged, otherwise the bytes
    // EF BB BF and the texts in UTF-8 under the same line rules. A text
    // ends at its first zero unit.
    static std::string encodeTexts(const std::vector<std::u16string>& texts);
    // The entries of a whole file's bytes, in file order.
    static std::vector<std::u16string> decode(const std::string& bytes);
};
