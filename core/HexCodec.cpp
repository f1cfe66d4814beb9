// Upper-case hex codec. Self-contained: explicit loops, no runtime calls.
#include "core/HexCodec.h"

namespace {

char hexDigit(unsigned nibble) {
    return static_cast<char>(nibble < 10 ? '0' + nibble : 'A' + (nibble - 10));
}

// The value of "0"-"9" or "A"-"F", or -1 for any other character.
int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

extern "C" {

int BufferToHexStr(const unsigned char* data, int n, char* out, int size) {
    // Computed in 64 bits so that a huge n cannot wrap round to a small value.
    long long needed = 2LL * n;
    if (n < 0 || needed >= size) return -1;
    for (int i = 0; i < size; ++i) out[i] = 0;
    for (int i = 0; i < n; ++i) {
        out[2 * i] = hexDigit(data[i] >> 4);
        out[2 * i + 1] = hexDigit(data[i] & 0x0F);
    }
    return static_cast<int>(needed);
}

int HexStrToBuffer(const char* hex, int m, unsigned char* out, int size) {
    // A negative count is no number of pairs; left through, it would come
    // back as m / 2 and pass for a result.
    if (m < 0) return -2;
    if (m / 2 > size) return -1;
    if (m % 2 != 0) return -2;
    for (int i = 0; i < m / 2; ++i) {
        int high = hexValue(hex[2 * i]);
        int low = hexValue(hex[2 * i + 1]);
        if (high < 0 || low < 0) return -3;
        out[i] = static_cast<unsigned char>(16 * high + low);
    }
    return m / 2;
}

}  // extern "C"
