// The text list file: one list as plain text in the narrow code page, one
// entry per line, no header. Writing turns every LF into CR LF; reading
// undoes that, ends at a 0x1A byte, and takes lines of at most 1023 bytes
// (a longer line gives several entries, cut between characters).
#pragma once

#include <cstddef>
#include <string>
#include <vector>

class TextListCodec {
public:
    static constexpr std::size_t MaxLineBytes = 1023;

    // The entries with one line break between two of them and none after
    // the last; every LF, inside an entry or between entries, as CR LF.
    static std::string encode(const std::vector<std::string>& entries);
    // The entries of a file's bytes, in file order. An empty line, or one
    // that holds only a CR, gives no entry; a last line without line break
    // is an entry whatever it holds.
    static std::vector<std::string> decode(const std::string& bytes);

private:
    // CR LF -> LF; a lone CR stays; 0x1A ends the text.
    static std::string undoLineBreaks(const std::string& bytes);
    // The end of the line that starts at from: after its LF, or after at
    // most MaxLineBytes bytes, never between the two bytes of a character.
    static std::size_t lineEnd(const std::string& text, std::size_t from);
};
