// Reads a text list file as it arrives, a piece at a time, so that a file
// of any size costs no more memory than one line. The encoding is told by
// the first bytes: a UTF-8 byte-order mark (EF BB BF) or a UTF-16LE one
// (FF FE); any other file is in the narrow code page.
// The line rules are those of every text list file: CR LF becomes LF (a
// lone CR stays), the character 0x1A ends the input, and a line is taken up
// to and including its LF but never longer than 1023 bytes of the file's
// encoding: a longer line comes in pieces, each cut between two characters.
// A line that is CR LF, or starts with LF, gives no entry; any other gives
// its text without the LF.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

class TextListReader {
public:
    static constexpr std::size_t MaxLineBytes = 1023;
    enum class Encoding { CodePage, Utf8, Utf16 };
    // Handed each entry, in file order; false stops the reading.
    using EntrySink = std::function<bool(const std::u16string& entry)>;

    explicit TextListReader(EntrySink sink);

    // Takes the next count bytes of the file. False once nothing more is
    // wanted: the sink stopped the reading, or a 0x1A ended the input.
    bool feed(const char* bytes, std::size_t count);
    // The end of the file: what is left of the last line is handed on.
    void finish();

private:
    void detect();
    void byte(unsigned char b);
    void unit(char16_t u);             // CR LF and 0x1A
    void group(char16_t u);            // units into characters
    void groupCodePage(char16_t u);
    void groupUtf8(char16_t u);
    void groupUtf16(char16_t u);
    void flushHeld();
    void character(const char16_t* units, std::size_t n);
    void endLine(bool lastInFile);
    std::u16string textOf(const std::vector<char16_t>& units) const;

    EntrySink sink_;
    Encoding encoding_ = Encoding::CodePage;
    bool detected_ = false;
    bool stopped_ = false;
    std::string start_;                // the first bytes, until the mark is known
    int oddByte_ = -1;                 // UTF-16: the low byte of a unit
    bool pendingCr_ = false;
    std::vector<char16_t> held_;       // the first units of a character
    std::size_t wanted_ = 0;           // UTF-8: the units its lead byte asks for
    std::vector<char16_t> line_;       // in the file's units
    std::size_t lineBytes_ = 0;
};
