#include "core/TextListCodec.h"

#include "core/TextCodec.h"

namespace {

std::u16string upToZero(const std::u16string& text) { return text.substr(0, text.find(u'\0')); }

// UTF-8, with every LF as CR LF. An unpaired surrogate is written in the
// three bytes of its code, which the reader takes back as that unit.
void appendUtf8(std::string& out, const std::u16string& text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t code = text[i];
        const bool pair = code >= 0xD800 && code <= 0xDBFF && i + 1 < text.size() &&
                          text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF;
        if (pair) code = 0x10000 + ((code - 0xD800) << 10) + (text[++i] - 0xDC00);
        if (code == u'\n') {
            out += "\r\n";
        } else if (code < 0x80) {
            out += static_cast<char>(code);
        } else if (code < 0x800) {
            out += static_cast<char>(0xC0 | (code >> 6));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            out += static_cast<char>(0xE0 | (code >> 12));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (code >> 18));
            out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        }
    }
}

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

std::string TextListCodec::encodeTexts(const std::vector<std::u16string>& texts) {
    std::vector<std::string> narrowed;
    narrowed.reserve(texts.size());
    bool fits = true;
    for (const std::u16string& text : texts) {
        const std::u16string whole = upToZero(text);
        narrowed.push_back(narrow(whole));
        fits = fits && widen(narrowed.back()) == whole;
        if (!fits) break;
    }
    if (fits) {
        // Code page text that happens to begin like a byte-order mark
        // would be read back in another encoding: such a list is written
        // as UTF-8 too.
        std::string out = encode(narrowed);
        if (out.compare(0, 3, "\xEF\xBB\xBF") != 0 && out.compare(0, 2, "\xFF\xFE") != 0) return out;
    }

    std::string out = "\xEF\xBB\xBF";
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (i > 0) out += "\r\n";
        appendUtf8(out, upToZero(texts[i]));
    }
    return out;
}

std::vector<std::u16string> TextListCodec::decode(const std::string& bytes) {
    std::vector<std::u16string> entries;
    TextListReader reader([&entries](const std::u16string& entry) {
        entries.push_back(entry);
        return true;
    });
    if (reader.feed(bytes.data(), bytes.size())) reader.finish();
    return entries;
}
