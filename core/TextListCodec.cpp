#include "core/TextListCodec.h"

#include "core/CodePage.h"

namespace {

constexpr char EndOfText = 0x1A;

bool isLeadByte(char c) { return codepage::isLeadByte(static_cast<unsigned char>(c)); }

}  // namespace

std::string TextListCodec::encode(const std::vector<std::string>& entries) {
    std::string out;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (i > 0) out += "\r\n";
        for (char c : entries[i]) {
            if (c == '\n') out += '\r';
            out += c;
        }
    }
    return out;
}

std::string TextListCodec::undoLineBreaks(const std::string& bytes) {
    std::string text;
    text.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size() && bytes[i] != EndOfText; ++i) {
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') continue;
        text += bytes[i];
    }
    return text;
}

std::size_t TextListCodec::lineEnd(const std::string& text, std::size_t from) {
    std::size_t at = from;
    while (at < text.size() && at - from < MaxLineBytes) {
        if (text[at] == '\n') return at + 1;
        const bool pair = isLeadByte(text[at]) && at + 1 < text.size() && text[at + 1] != '\n';
        const std::size_t step = pair ? 2 : 1;
        if (at - from + step > MaxLineBytes) break;
        at += step;
    }
    return at;
}

std::vector<std::string> TextListCodec::decode(const std::string& bytes) {
    const std::string text = undoLineBreaks(bytes);
    std::vector<std::string> entries;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = lineEnd(text, at);
        std::string line = text.substr(at, end - at);
        at = end;
        if (line == "\r\n" || line[0] == '\n') continue;
        line = line.substr(0, line.find('\n'));
        line = line.substr(0, line.find("\r\n"));
        entries.push_back(line);
    }
    return entries;
}
