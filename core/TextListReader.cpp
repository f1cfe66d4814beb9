#include "core/TextListReader.h"

#include <algorithm>
#include <utility>

#include "core/CodePage.h"
#include "core/TextCodec.h"

namespace {

constexpr char16_t Lf = u'\n';
constexpr char16_t Cr = u'\r';
constexpr char16_t EndOfText = 0x1A;
constexpr char16_t Replacement = 0xFFFD;

bool isHighSurrogate(char16_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool isLowSurrogate(char16_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

// The units a UTF-8 lead byte starts (1 for a byte that starts nothing).
std::size_t utf8Length(char16_t lead) {
    if (lead >= 0xC2 && lead <= 0xDF) return 2;
    if (lead >= 0xE0 && lead <= 0xEF) return 3;
    if (lead >= 0xF0 && lead <= 0xF4) return 4;
    return 1;
}

// One UTF-8 character (its bytes as units) as UTF-16. A sequence of three
// bytes that codes a surrogate gives that surrogate, as the writer wrote
// it for an unpaired one; anything malformed gives U+FFFD.
void appendUtf8(std::u16string& out, const char16_t* units, std::size_t n) {
    if (n == 1) {
        out += units[0] < 0x80 ? units[0] : Replacement;
        return;
    }
    char32_t code = units[0] & (0x7F >> n);
    for (std::size_t i = 1; i < n; ++i) code = (code << 6) | (units[i] & 0x3F);
    const char32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < least[n] || code > 0x10FFFF) {
        out += Replacement;
    } else if (code >= 0x10000) {
        code -= 0x10000;
        out += static_cast<char16_t>(0xD800 + (code >> 10));
        out += static_cast<char16_t>(0xDC00 + (code & 0x3FF));
    } else {
        out += static_cast<char16_t>(code);
    }
}

}  // namespace

TextListReader::TextListReader(EntrySink sink) : sink_(std::move(sink)) {}

bool TextListReader::feed(const char* bytes, std::size_t count) {
    for (std::size_t i = 0; i < count && !stopped_; ++i) {
        if (detected_) {
            byte(static_cast<unsigned char>(bytes[i]));
            continue;
        }
        start_ += bytes[i];
        if (start_.size() == 3) detect();
    }
    return !stopped_;
}

void TextListReader::finish() {
    if (!detected_) detect();
    if (stopped_) return;
    if (oddByte_ >= 0) {
        // Half a unit at the end: a character of its own.
        const char16_t half = static_cast<char16_t>(oddByte_);
        oddByte_ = -1;
        unit(half);
        if (stopped_) return;
    }
    if (pendingCr_) group(Cr);
    pendingCr_ = false;
    flushHeld();
    if (!line_.empty()) endLine(true);
}

// Called with the first three bytes, or with fewer at the end of the file.
void TextListReader::detect() {
    detected_ = true;
    std::string rest = std::move(start_);
    if (rest.compare(0, 3, "\xEF\xBB\xBF") == 0) {
        encoding_ = Encoding::Utf8;
        rest.erase(0, 3);
    } else if (rest.compare(0, 2, "\xFF\xFE") == 0) {
        encoding_ = Encoding::Utf16;
        rest.erase(0, 2);
    }
    for (char c : rest) {
        if (stopped_) break;
        byte(static_cast<unsigned char>(c));
    }
}

void TextListReader::byte(unsigned char b) {
    if (encoding_ != Encoding::Utf16) {
        unit(b);
    } else if (oddByte_ < 0) {
        oddByte_ = b;
    } else {
        const char16_t u = static_cast<char16_t>(oddByte_ | (b << 8));
        oddByte_ = -1;
        unit(u);
    }
}

// CR LF -> LF; a lone CR stays; 0x1A ends the input.
void TextListReader::unit(char16_t u) {
    if (u == EndOfText) {
        finish();
        stopped_ = true;
        return;
    }
    if (pendingCr_) {
        pendingCr_ = false;
        if (u == Lf) {
            group(Lf);
            return;
        }
        group(Cr);
    }
    if (u == Cr) {
        pendingCr_ = true;
        return;
    }
    group(u);
}

void TextListReader::group(char16_t u) {
    switch (encoding_) {
    case Encoding::CodePage: groupCodePage(u); break;
    case Encoding::Utf8: groupUtf8(u); break;
    case Encoding::Utf16: groupUtf16(u); break;
    }
}

// A lead byte and the byte after it are one character, unless that byte is
// a line feed.
void TextListReader::groupCodePage(char16_t u) {
    if (!held_.empty()) {
        if (u != Lf) {
            const char16_t pair[] = {held_[0], u};
            held_.clear();
            character(pair, 2);
            return;
        }
        flushHeld();
    }
    if (codepage::isLeadByte(static_cast<unsigned char>(u))) {
        held_.assign(1, u);
        return;
    }
    character(&u, 1);
}

void TextListReader::groupUtf8(char16_t u) {
    if (!held_.empty()) {
        if ((u & 0xC0) == 0x80) {
            held_.push_back(u);
            if (held_.size() == wanted_) {
                const std::vector<char16_t> whole = std::move(held_);
                held_.clear();
                character(whole.data(), whole.size());
            }
            return;
        }
        flushHeld();
    }
    wanted_ = utf8Length(u);
    if (wanted_ > 1) {
        held_.assign(1, u);
        return;
    }
    character(&u, 1);
}

void TextListReader::groupUtf16(char16_t u) {
    if (!held_.empty()) {
        if (isLowSurrogate(u)) {
            const char16_t pair[] = {held_[0], u};
            held_.clear();
            character(pair, 2);
            return;
        }
        flushHeld();
    }
    if (isHighSurrogate(u)) {
        held_.assign(1, u);
        return;
    }
    character(&u, 1);
}

// The units of an unfinished character, each a character of its own.
void TextListReader::flushHeld() {
    const std::vector<char16_t> units = std::move(held_);
    held_.clear();
    for (char16_t u : units) character(&u, 1);
}

void TextListReader::character(const char16_t* units, std::size_t n) {
    if (stopped_) return;
    const std::size_t bytes = encoding_ == Encoding::Utf16 ? 2 * n : n;
    if (lineBytes_ + bytes > MaxLineBytes) endLine(false);
    if (stopped_) return;
    line_.insert(line_.end(), units, units + n);
    lineBytes_ += bytes;
    if (units[0] == Lf) endLine(false);
}

// lastInFile: the unterminated text the file ends with, which is an entry
// even when it is empty or a lone CR.
void TextListReader::endLine(bool lastInFile) {
    std::vector<char16_t> line = std::move(line_);
    line_.clear();
    lineBytes_ = 0;
    if (!line.empty() && line.back() == Lf) line.pop_back();
    // A line's text ends at its first zero, as a C string's does, in every
    // encoding; the rules for empty and lone CR lines apply to that text.
    line.erase(std::find(line.begin(), line.end(), char16_t{0}), line.end());
    if (!lastInFile && (line.empty() || (line.size() == 1 && line[0] == Cr))) return;
    if (!sink_(textOf(line))) stopped_ = true;
}

std::u16string TextListReader::textOf(const std::vector<char16_t>& units) const {
    switch (encoding_) {
    case Encoding::Utf16:
        return std::u16string(units.begin(), units.end());
    case Encoding::Utf8: {
        std::u16string text;
        for (std::size_t i = 0; i < units.size();) {
            const std::size_t n = utf8Length(units[i]);
            bool whole = n > 1 && i + n <= units.size();
            for (std::size_t k = 1; whole && k < n; ++k) whole = (units[i + k] & 0xC0) == 0x80;
            const std::size_t take = whole ? n : 1;
            appendUtf8(text, &units[i], take);
            i += take;
        }
        return text;
    }
    case Encoding::CodePage:
        break;
    }
    return widen(std::string(units.begin(), units.end()));
}
