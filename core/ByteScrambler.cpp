// The byte scrambling pair. Self-contained: explicit loops, no runtime calls.
#include "core/ByteScrambler.h"

namespace {

const unsigned char kKey = 0xA6;

}  // namespace

extern "C" {

int EnCryptData(unsigned char* data, int n) {
    if (data == nullptr || n == 0) return -1;
    for (int i = 0; i < n; ++i) data[i] = static_cast<unsigned char>(~(data[i] ^ kKey));
    return 0;
}

int DeCryptData(unsigned char* data, int n) {
    if (data == nullptr || n == 0) return -1;
    for (int i = 0; i < n; ++i) data[i] = static_cast<unsigned char>((~data[i]) ^ kKey);
    return 0;
}

}  // extern "C"
