// The text list reader: any bytes as the content of an imported .txt file,
// in any of its encodings. No entry holds a line feed or a 0x1A or is empty,
// unless the conversion of a malformed piece left nothing; a line of a lone
// CR gives no entry unless it ends the file unterminated; nothing after a
// 0x1A counts; and short entries, written out and read back, come back the
// same.
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzCheck.h"
#include "core/TextListCodec.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 1u << 20) return 0;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::vector<std::u16string> entries = TextListCodec::decode(bytes);

    bool roundTrips = true;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::u16string& entry = entries[i];
        fuzzCheck(entry != u"\r" || i + 1 == entries.size(), "a lone CR line gives no entry");
        fuzzCheck(entry.size() <= TextListCodec::MaxLineBytes, "no entry exceeds 1023 units");
        fuzzCheck(entry.find(u'\n') == std::u16string::npos, "no entry holds a line feed");
        fuzzCheck(entry.find(u'\x1A') == std::u16string::npos, "nothing after 0x1A is read");
        // Three UTF-8 bytes a unit at most: such an entry is one line again.
        roundTrips = roundTrips && !entry.empty() && entry.size() <= TextListCodec::MaxLineBytes / 3 &&
                     entry.find(u'\0') == std::u16string::npos;
    }
    const std::size_t end = bytes.find('\x1A');
    // In UTF-16 a 0x1A byte may be half of another unit.
    if (end != std::string::npos && end >= 3 && bytes.compare(0, 2, "\xFF\xFE") != 0) {
        fuzzCheck(TextListCodec::decode(bytes.substr(0, end)) == entries,
                  "the text ends at the first 0x1A");
    }
    if (roundTrips) {
        fuzzCheck(TextListCodec::decode(TextListCodec::encodeTexts(entries)) == entries,
                  "exported entries import back the same");
    }
    return 0;
}
