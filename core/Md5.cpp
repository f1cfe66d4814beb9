// MD5 message digest (RFC 1321), following the structure of the RFC's
// reference implementation. Everything here is plain arithmetic on the
// caller's buffers and the stack: no runtime calls and no tables. The
// constants stand in the code as immediate operands and the padding is made
// by code, because a program that loads quillbox.exe without relocating it
// would find a table anywhere but at the address the code expects.
#include "core/Md5.h"

namespace {

typedef std::uint32_t u32;

u32 rotateLeft(u32 x, unsigned n) { return (x << n) | (x >> (32 - n)); }

// The four auxiliary functions F, G, H and I of the rounds.
u32 auxF(u32 x, u32 y, u32 z) { return (x & y) | (~x & z); }
u32 auxG(u32 x, u32 y, u32 z) { return (x & z) | (y & ~z); }
u32 auxH(u32 x, u32 y, u32 z) { return x ^ y ^ z; }
u32 auxI(u32 x, u32 y, u32 z) { return y ^ (x | ~z); }

// One step of each round: a = b + ((a + F(b, c, d) + x + t) <<< s), with G,
// H and I in rounds 2 to 4.
void ff(u32& a, u32 b, u32 c, u32 d, u32 x, unsigned s, u32 t) {
    a = b + rotateLeft(a + auxF(b, c, d) + x + t, s);
}
void gg(u32& a, u32 b, u32 c, u32 d, u32 x, unsigned s, u32 t) {
    a = b + rotateLeft(a + auxG(b, c, d) + x + t, s);
}
void hh(u32& a, u32 b, u32 c, u32 d, u32 x, unsigned s, u32 t) {
    a = b + rotateLeft(a + auxH(b, c, d) + x + t, s);
}
void ii(u32& a, u32 b, u32 c, u32 d, u32 x, unsigned s, u32 t) {
    a = b + rotateLeft(a + auxI(b, c, d) + x + t, s);
}

u32 decodeWord(const unsigned char* p) {
    return u32(p[0]) | (u32(p[1]) << 8) | (u32(p[2]) << 16) | (u32(p[3]) << 24);
}

void encodeWord(u32 w, unsigned char* p) {
    p[0] = static_cast<unsigned char>(w);
    p[1] = static_cast<unsigned char>(w >> 8);
    p[2] = static_cast<unsigned char>(w >> 16);
    p[3] = static_cast<unsigned char>(w >> 24);
}

// The 64 steps with their message words, shifts and constants
// T[i] = floor(2^32 * abs(sin(i))).
void transform(u32 state[4], const unsigned char block[64]) {
    u32 x[16];
    for (unsigned k = 0; k < 16; ++k) x[k] = decodeWord(block + 4 * k);

    u32 a = state[0];
    u32 b = state[1];
    u32 c = state[2];
    u32 d = state[3];

    // Round 1.
    ff(a, b, c, d, x[ 0],  7, 0xd76aa478);
    ff(d, a, b, c, x[ 1], 12, 0xe8c7b756);
    ff(c, d, a, b, x[ 2], 17, 0x242070db);
    ff(b, c, d, a, x[ 3], 22, 0xc1bdceee);
    ff(a, b, c, d, x[ 4],  7, 0xf57c0faf);
    ff(d, a, b, c, x[ 5], 12, 0x4787c62a);
    ff(c, d, a, b, x[ 6], 17, 0xa8304613);
    ff(b, c, d, a, x[ 7], 22, 0xfd469501);
    ff(a, b, c, d, x[ 8],  7, 0x698098d8);
    ff(d, a, b, c, x[ 9], 12, 0x8b44f7af);
    ff(c, d, a, b, x[10], 17, 0xffff5bb1);
    ff(b, c, d, a, x[11], 22, 0x895cd7be);
    ff(a, b, c, d, x[12],  7, 0x6b901122);
    ff(d, a, b, c, x[13], 12, 0xfd987193);
    ff(c, d, a, b, x[14], 17, 0xa679438e);
    ff(b, c, d, a, x[15], 22, 0x49b40821);
    // Round 2.
    gg(a, b, c, d, x[ 1],  5, 0xf61e2562);
    gg(d, a, b, c, x[ 6],  9, 0xc040b340);
    gg(c, d, a, b, x[11], 14, 0x265e5a51);
    gg(b, c, d, a, x[ 0], 20, 0xe9b6c7aa);
    gg(a, b, c, d, x[ 5],  5, 0xd62f105d);
    gg(d, a, b, c, x[10],  9, 0x02441453);
    gg(c, d, a, b, x[15], 14, 0xd8a1e681);
    gg(b, c, d, a, x[ 4], 20, 0xe7d3fbc8);
    gg(a, b, c, d, x[ 9],  5, 0x21e1cde6);
    gg(d, a, b, c, x[14],  9, 0xc33707d6);
    gg(c, d, a, b, x[ 3], 14, 0xf4d50d87);
    gg(b, c, d, a, x[ 8], 20, 0x455a14ed);
    gg(a, b, c, d, x[13],  5, 0xa9e3e905);
    gg(d, a, b, c, x[ 2],  9, 0xfcefa3f8);
    gg(c, d, a, b, x[ 7], 14, 0x676f02d9);
    gg(b, c, d, a, x[12], 20, 0x8d2a4c8a);
    // Round 3.
    hh(a, b, c, d, x[ 5],  4, 0xfffa3942);
    hh(d, a, b, c, x[ 8], 11, 0x8771f681);
    hh(c, d, a, b, x[11], 16, 0x6d9d6122);
    hh(b, c, d, a, x[14], 23, 0xfde5380c);
    hh(a, b, c, d, x[ 1],  4, 0xa4beea44);
    hh(d, a, b, c, x[ 4], 11, 0x4bdecfa9);
    hh(c, d, a, b, x[ 7], 16, 0xf6bb4b60);
    hh(b, c, d, a, x[10], 23, 0xbebfbc70);
    hh(a, b, c, d, x[13],  4, 0x289b7ec6);
    hh(d, a, b, c, x[ 0], 11, 0xeaa127fa);
    hh(c, d, a, b, x[ 3], 16, 0xd4ef3085);
    hh(b, c, d, a, x[ 6], 23, 0x04881d05);
    hh(a, b, c, d, x[ 9],  4, 0xd9d4d039);
    hh(d, a, b, c, x[12], 11, 0xe6db99e5);
    hh(c, d, a, b, x[15], 16, 0x1fa27cf8);
    hh(b, c, d, a, x[ 2], 23, 0xc4ac5665);
    // Round 4.
    ii(a, b, c, d, x[ 0],  6, 0xf4292244);
    ii(d, a, b, c, x[ 7], 10, 0x432aff97);
    ii(c, d, a, b, x[14], 15, 0xab9423a7);
    ii(b, c, d, a, x[ 5], 21, 0xfc93a039);
    ii(a, b, c, d, x[12],  6, 0x655b59c3);
    ii(d, a, b, c, x[ 3], 10, 0x8f0ccc92);
    ii(c, d, a, b, x[10], 15, 0xffeff47d);
    ii(b, c, d, a, x[ 1], 21, 0x85845dd1);
    ii(a, b, c, d, x[ 8],  6, 0x6fa87e4f);
    ii(d, a, b, c, x[15], 10, 0xfe2ce6e0);
    ii(c, d, a, b, x[ 6], 15, 0xa3014314);
    ii(b, c, d, a, x[13], 21, 0x4e0811a1);
    ii(a, b, c, d, x[ 4],  6, 0xf7537e82);
    ii(d, a, b, c, x[11], 10, 0xbd3af235);
    ii(c, d, a, b, x[ 2], 15, 0x2ad7d2bb);
    ii(b, c, d, a, x[ 9], 21, 0xeb86d391);

    state[0] += a;
    state[1] += b;
    state[2] += c;
    state[3] += d;

    // The message words may be sensitive: do not leave them on the stack.
    for (unsigned k = 0; k < 16; ++k) {
        volatile u32* slot = &x[k];
        *slot = 0;
    }
}

// Pads the message with one 0x80 byte and zeros up to 56 bytes modulo 64,
// a byte at a time.
void appendPadding(MD5_CTX* context) {
    unsigned char byte = 0x80;
    do {
        MD5Update(context, &byte, 1);
        byte = 0;
    } while (((context->count[0] >> 3) & 0x3F) != 56);
}

}  // namespace

extern "C" {

void MD5Init(MD5_CTX* context) {
    context->count[0] = 0;
    context->count[1] = 0;
    context->state[0] = 0x67452301;
    context->state[1] = 0xefcdab89;
    context->state[2] = 0x98badcfe;
    context->state[3] = 0x10325476;
}

void MD5Update(MD5_CTX* context, const unsigned char* input, std::uint32_t inputLen) {
    unsigned index = (context->count[0] >> 3) & 0x3F;

    u32 addedBits = inputLen << 3;
    context->count[0] += addedBits;
    if (context->count[0] < addedBits) ++context->count[1];
    context->count[1] += inputLen >> 29;

    u32 partLen = 64 - index;
    u32 i = 0;
    if (inputLen >= partLen) {
        for (u32 j = 0; j < partLen; ++j) context->buffer[index + j] = input[j];
        transform(context->state, context->buffer);
        for (i = partLen; inputLen - i >= 64; i += 64) transform(context->state, input + i);
        index = 0;
    }
    for (u32 j = 0; i + j < inputLen; ++j) context->buffer[index + j] = input[i + j];
}

void MD5Final(unsigned char digest[16], MD5_CTX* context) {
    unsigned char bits[8];
    encodeWord(context->count[0], bits);
    encodeWord(context->count[1], bits + 4);

    appendPadding(context);
    MD5Update(context, bits, 8);

    for (unsigned k = 0; k < 4; ++k) encodeWord(context->state[k], digest + 4 * k);

    // Clear the whole context, byte by byte.
    volatile unsigned char* p = reinterpret_cast<volatile unsigned char*>(context);
    for (unsigned k = 0; k < sizeof(MD5_CTX); ++k) p[k] = 0;
}

}  // extern "C"
