// Code-page conversion away from Windows: glibc iconv between CP936 (GBK)
// and UTF-16LE, with the results of MultiByteToWideChar/WideCharToMultiByte.
#include "core/CodePage.h"

#include <iconv.h>

#include <cerrno>
#include <climits>
#include <cstddef>
#include <cstring>
#include <string>

namespace {

const char kAnsiCodePage[] = "CP936";
const char kUtf16[] = "UTF-16LE";

// How many input bytes an unconvertible UTF-16LE character occupies: four
// for a surrogate pair, two for anything else (a lone surrogate included).
std::size_t utf16CharBytes(const char* p, std::size_t left) {
    if (left >= 4) {
        unsigned first = static_cast<unsigned char>(p[0]) | (static_cast<unsigned char>(p[1]) << 8);
        unsigned second = static_cast<unsigned char>(p[2]) | (static_cast<unsigned char>(p[3]) << 8);
        if (first >= 0xD800 && first <= 0xDBFF && second >= 0xDC00 && second <= 0xDFFF) return 4;
    }
    return left < 2 ? left : 2;
}

// Converts all of input. With fromUtf16 set, a character the target lacks
// becomes '?'; otherwise any conversion error fails. Returns false on failure.
bool convert(const char* to, const char* from, std::string input, bool fromUtf16,
             std::string* output) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return false;

    char* in = &input[0];
    std::size_t inLeft = input.size();
    bool ok = true;
    while (inLeft > 0) {
        char chunk[256];
        char* outPtr = chunk;
        std::size_t outLeft = sizeof(chunk);
        std::size_t rc = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        int error = errno;
        output->append(chunk, static_cast<std::size_t>(outPtr - chunk));
        if (rc != static_cast<std::size_t>(-1) || error == E2BIG) continue;
        if (!fromUtf16 || (error != EILSEQ && error != EINVAL)) {
            ok = false;
            break;
        }
        output->push_back('?');
        std::size_t skip = utf16CharBytes(in, inLeft);
        in += skip;
        inLeft -= skip;
    }
    iconv_close(cd);
    return ok;
}

// The lead bytes of the code page, asked of iconv once: a byte is a lead
// byte when, on its own, it is the unfinished start of a sequence.
class LeadByteTable {
public:
    LeadByteTable() {
        iconv_t cd = iconv_open(kUtf16, kAnsiCodePage);
        if (cd == reinterpret_cast<iconv_t>(-1)) return;
        for (int byte = 0; byte < 256; ++byte) lead_[byte] = startsSequence(cd, byte);
        iconv_close(cd);
    }

    bool isLead(unsigned char byte) const { return lead_[byte]; }

private:
    static bool startsSequence(iconv_t cd, int byte) {
        char input = static_cast<char>(byte);
        char* in = &input;
        std::size_t inLeft = 1;
        char output[8];
        char* out = output;
        std::size_t outLeft = sizeof output;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        const std::size_t rc = iconv(cd, &in, &inLeft, &out, &outLeft);
        return rc == static_cast<std::size_t>(-1) && errno == EINVAL;
    }

    bool lead_[256] = {};
};

}  // namespace

namespace codepage {

bool isLeadByte(unsigned char byte) {
    static const LeadByteTable table;
    return table.isLead(byte);
}


int ansiToUtf16(const char* in, char16_t* out, int outUnits) {
    if (in == nullptr) return 0;
    std::string bytes;
    // The terminator is converted too.
    if (!convert(kUtf16, kAnsiCodePage, std::string(in, std::strlen(in) + 1), false, &bytes))
        return 0;
    std::size_t units = bytes.size() / 2;
    if (units > static_cast<std::size_t>(INT_MAX)) return 0;
    if (out == nullptr || outUnits == 0) return static_cast<int>(units);
    if (outUnits < 0 || units > static_cast<std::size_t>(outUnits)) return 0;
    for (std::size_t i = 0; i < units; ++i)
        out[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                       (static_cast<unsigned char>(bytes[2 * i + 1]) << 8));
    return static_cast<int>(units);
}

int utf16ToAnsi(const char16_t* in, char* out, int outBytes) {
    if (in == nullptr) return 0;
    std::string bytes;
    for (const char16_t* p = in;; ++p) {
        bytes.push_back(static_cast<char>(*p & 0xFF));
        bytes.push_back(static_cast<char>(*p >> 8));
        if (*p == 0) break;
    }
    std::string narrow;
    if (!convert(kAnsiCodePage, kUtf16, bytes, true, &narrow)) return 0;
    if (narrow.size() > static_cast<std::size_t>(INT_MAX)) return 0;
    if (out == nullptr || outBytes == 0) return static_cast<int>(narrow.size());
    if (outBytes < 0 || narrow.size() > static_cast<std::size_t>(outBytes)) return 0;
    for (std::size_t i = 0; i < narrow.size(); ++i) out[i] = narrow[i];
    return static_cast<int>(narrow.size());
}

int ansiCharBytes(const char16_t* character, int units) {
    if (character == nullptr || units < 1 || units > 2) return 0;
    std::string bytes;
    for (int i = 0; i < units; ++i) {
        bytes.push_back(static_cast<char>(character[i] & 0xFF));
        bytes.push_back(static_cast<char>(character[i] >> 8));
    }
    std::string narrow;
    if (!convert(kAnsiCodePage, kUtf16, bytes, false, &narrow)) return 0;
    return narrow.size() == 1 || narrow.size() == 2 ? static_cast<int>(narrow.size()) : 0;
}

}  // namespace codepage
