// The text list reader: any bytes as the content of an imported .txt file.
// No entry holds a line feed or a 0x1A, is empty or longer than 1023 bytes;
// a line of a lone CR gives no entry unless it ends the file unterminated;
// nothing after a 0x1A counts; and the entries, written out and read back,
// come back the same.
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzCheck.h"
#include "core/TextListCodec.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 1u << 20) return 0;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> entries = TextListCodec::decode(bytes);

    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::string& entry = entries[i];
        fuzzCheck(!entry.empty(), "no entry is an empty line");
        fuzzCheck(entry != "\r" || i + 1 == entries.size(), "a lone CR line gives no entry");
        fuzzCheck(entry.size() <= TextListCodec::MaxLineBytes, "no entry exceeds 1023 bytes");
        fuzzCheck(entry.find('\n') == std::string::npos, "no entry holds a line feed");
        fuzzCheck(entry.find('\x1A') == std::string::npos, "nothing after 0x1A is read");
    }
    const std::size_t end = bytes.find('\x1A');
    if (end != std::string::npos) {
        fuzzCheck(TextListCodec::decode(bytes.substr(0, end)) == entries,
                  "the text ends at the first 0x1A");
    }
    fuzzCheck(TextListCodec::decode(TextListCodec::encode(entries)) == entries,
              "exported entries import back the same");
    return 0;
}
