// The hex codec: HexStrToBuffer over any characters with any count and
// output size, and BufferToHexStr over any bytes. Outputs are heap blocks of
// exactly the size given, so a write past it is caught; bytes the function
// may not touch are checked to be untouched.
//
// Input: byte 0 sets the output size relative to the bytes available,
// byte 1 shortens the count and may make either count negative, the rest is
// the text (or the bytes).
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzCheck.h"
#include "core/HexCodec.h"

namespace {

constexpr unsigned char Untouched = 0x5A;

bool isUpperHex(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'); }

void checkHexToBuffer(const std::string& hex, int count, int size) {
    std::vector<unsigned char> out(static_cast<std::size_t>(size > 0 ? size : 0), Untouched);
    const int result = HexStrToBuffer(hex.data(), count, out.data(), size);

    const int pairs = count / 2;
    std::size_t touched = 0;
    if (result >= 0) {
        fuzzCheck(count >= 0 && count % 2 == 0 && pairs <= size, "a conversion fits its output");
        fuzzCheck(result == pairs, "a conversion returns the number of bytes");
        touched = static_cast<std::size_t>(pairs);
        std::vector<char> back(static_cast<std::size_t>(count) + 1);
        fuzzCheck(BufferToHexStr(out.data(), pairs, back.data(), count + 1) == count, "bytes turn back into hex");
        fuzzCheck(hex.compare(0, static_cast<std::size_t>(count), back.data()) == 0,
                  "bytes turn back into the same hex");
    } else if (result == -3) {
        fuzzCheck(pairs <= size && count % 2 == 0, "a bad character is found only in a fitting text");
        std::size_t bad = 0;
        while (bad < static_cast<std::size_t>(count) && isUpperHex(hex[bad])) ++bad;
        fuzzCheck(bad < static_cast<std::size_t>(count), "a refused text holds a bad character");
        // The pairs before the bad character are converted.
        const int done = static_cast<int>(bad / 2);
        std::vector<char> back(2 * static_cast<std::size_t>(done) + 1);
        fuzzCheck(BufferToHexStr(out.data(), done, back.data(), 2 * done + 1) == 2 * done,
                  "converted pairs turn back into hex");
        fuzzCheck(hex.compare(0, 2 * static_cast<std::size_t>(done), back.data()) == 0,
                  "the pairs before a bad character are converted");
        touched = static_cast<std::size_t>(done);
    } else {
        fuzzCheck(result == -1 || result == -2, "HexStrToBuffer returns a count, -1, -2 or -3");
        fuzzCheck((result == -1) == (count >= 0 && pairs > size),
                  "-1 exactly for a text too long for its output");
        fuzzCheck((result == -2) == (count < 0 || (pairs <= size && count % 2 != 0)),
                  "-2 exactly for a count that is no number of pairs");
    }
    for (std::size_t i = touched; i < out.size(); ++i)
        fuzzCheck(out[i] == Untouched, "HexStrToBuffer writes only the bytes it converted");
}

void checkBufferToHex(const std::string& bytes, int n, int size) {
    std::vector<char> out(static_cast<std::size_t>(size > 0 ? size : 0), static_cast<char>(Untouched));
    const int result = BufferToHexStr(reinterpret_cast<const unsigned char*>(bytes.data()), n,
                                      out.data(), size);
    if (n < 0 || 2 * n >= size) {
        fuzzCheck(result == -1, "no room for the terminator gives -1");
        for (char c : out) fuzzCheck(c == static_cast<char>(Untouched), "a refused output stays untouched");
        return;
    }
    fuzzCheck(result == 2 * n, "BufferToHexStr returns twice the length");
    for (int i = 0; i < 2 * n; ++i) fuzzCheck(isUpperHex(out[i]), "only upper-case hex digits");
    for (int i = 2 * n; i < size; ++i) fuzzCheck(out[i] == '\0', "the rest of the output is zeroed");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2 || size > 1u << 16) return 0;
    const std::string text(reinterpret_cast<const char*>(data) + 2, size - 2);
    const int length = static_cast<int>(text.size());
    const int outSize = length / 2 + static_cast<std::int8_t>(data[0]);
    int count = length - (data[1] & 0x03);
    if ((data[1] & 0x80) != 0) count = -count;

    checkHexToBuffer(text, count, outSize);
    checkBufferToHex(text, (data[1] & 0x40) != 0 ? -length : length, outSize);
    return 0;
}
