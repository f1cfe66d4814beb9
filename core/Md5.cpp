// MD5 message digest (RFC 1321), following the structure of the RFC's
// reference implementation. Everything here is plain arithmetic on the
// caller's buffers and the stack: no runtime calls and no tables. The
// constants stand in the code as immediate operands and the padding is made
// by code, because a program that loads quillbox.exe without relocating it
// would find a table anywhere but at the address the code expects.
#include "core/Md5.h"

namespace {

typedef std::uint32_t u32;

inline u32 rotateLeft(u32 x, unsigned n) { return (x << n) | (x >> (32 - n)); }

// Message word k of a block, little-endian, read from the block where the
// step uses it: no copy of the block is made.
inline u32 word(const unsigned char* block, unsigned k) {
    const unsigned char* p = block + 4 * k;
    return u32(p[0]) | (u32(p[1]) << 8) | (u32(p[2]) << 16) | (u32(p[3]) << 24);
}

// One step of each round: a = b + ((a + f(b, c, d) + x + t) <<< s), with the
// auxiliary functions of RFC 1321 written in forms that need fewer
// operations after b, the word computed last:
//   F(b, c, d) = (b & c) | (~b & d) = d ^ (b & (c ^ d))
//   G(b, c, d) = (b & d) | (c & ~d) = (c & ~d) + (b & d) (the two have no
//                bit in common, so or and add agree)
//   H(b, c, d) = b ^ c ^ d
//   I(b, c, d) = c ^ (b | ~d)
// x + t and the parts without b are added first, while b is still being
// computed.
inline void ff(u32& a, u32 b, u32 c, u32 d, u32 x, unsigned s, u32 t) {
    a += x + t;
    a += d ^ (b & (c ^ d));
    a = rotateLeft(a, s) + b;
}
inline void gg(u32& a, u32 b, u32 c, u32 d, u32 x, unsigned s, u32 t) {
    a += x + t;
    a += c & ~d;
    a += b & d;
    a = rotateLeft(a, s) + b;
}
inline void hh(u32& a, u32 b, u32 c, u32 d, u32 x, unsigned s, u32 t) {
    a += x + t;
    a += b ^ (c ^ d);
    a = rotateLeft(a, s) + b;
}
inline void ii(u32& a, u32 b, u32 c, u32 d, u32 x, unsigned s, u32 t) {
    a += x + t;
    a += c ^ (b | ~d);
    a = rotateLeft(a, s) + b;
}

inline void encodeWord(u32 w, unsigned char* p) {
    p[0] = static_cast<unsigned char>(w);
    p[1] = static_cast<unsigned char>(w >> 8);
    p[2] = static_cast<unsigned char>(w >> 16);
    p[3] = static_cast<unsigned char>(w >> 24);
}

// The 64 steps, unrolled, with their message words, shifts and constants
// T[i] = floor(2^32 * abs(sin(i))) as immediate operands.
void transform(u32 state[4], const unsigned char* m) {
    u32 a = state[0];
    u32 b = state[1];
    u32 c = state[2];
    u32 d = state[3];

    // Round 1.
    ff(a, b, c, d, word(m,  0),  7, 0xd76aa478);
    ff(d, a, b, c, word(m,  1), 12, 0xe8c7b756);
    ff(c, d, a, b, word(m,  2), 17, 0x242070db);
    ff(b, c, d, a, word(m,  3), 22, 0xc1bdceee);
    ff(a, b, c, d, word(m,  4),  7, 0xf57c0faf);
    ff(d, a, b, c, word(m,  5), 12, 0x4787c62a);
    ff(c, d, a, b, word(m,  6), 17, 0xa8304613);
    ff(b, c, d, a, word(m,  7), 22, 0xfd469501);
    ff(a, b, c, d, word(m,  8),  7, 0x698098d8);
    ff(d, a, b, c, word(m,  9), 12, 0x8b44f7af);
    ff(c, d, a, b, word(m, 10), 17, 0xffff5bb1);
    ff(b, c, d, a, word(m, 11), 22, 0x895cd7be);
    ff(a, b, c, d, word(m, 12),  7, 0x6b901122);
    ff(d, a, b, c, word(m, 13), 12, 0xfd987193);
    ff(c, d, a, b, word(m, 14), 17, 0xa679438e);
    ff(b, c, d, a, word(m, 15), 22, 0x49b40821);
    // Round 2.
    gg(a, b, c, d, word(m,  1),  5, 0xf61e2562);
    gg(d, a, b, c, word(m,  6),  9, 0xc040b340);
    gg(c, d, a, b, word(m, 11), 14, 0x265e5a51);
    gg(b, c, d, a, word(m,  0), 20, 0xe9b6c7aa);
    gg(a, b, c, d, word(m,  5),  5, 0xd62f105d);
    gg(d, a, b, c, word(m, 10),  9, 0x02441453);
    gg(c, d, a, b, word(m, 15), 14, 0xd8a1e681);
    gg(b, c, d, a, word(m,  4), 20, 0xe7d3fbc8);
    gg(a, b, c, d, word(m,  9),  5, 0x21e1cde6);
    gg(d, a, b, c, word(m, 14),  9, 0xc33707d6);
    gg(c, d, a, b, word(m,  3), 14, 0xf4d50d87);
    gg(b, c, d, a, word(m,  8), 20, 0x455a14ed);
    gg(a, b, c, d, word(m, 13),  5, 0xa9e3e905);
    gg(d, a, b, c, word(m,  2),  9, 0xfcefa3f8);
    gg(c, d, a, b, word(m,  7), 14, 0x676f02d9);
    gg(b, c, d, a, word(m, 12), 20, 0x8d2a4c8a);
    // Round 3.
    hh(a, b, c, d, word(m,  5),  4, 0xfffa3942);
    hh(d, a, b, c, word(m,  8), 11, 0x8771f681);
    hh(c, d, a, b, word(m, 11), 16, 0x6d9d6122);
    hh(b, c, d, a, word(m, 14), 23, 0xfde5380c);
    hh(a, b, c, d, word(m,  1),  4, 0xa4beea44);
    hh(d, a, b, c, word(m,  4), 11, 0x4bdecfa9);
    hh(c, d, a, b, word(m,  7), 16, 0xf6bb4b60);
    hh(b, c, d, a, word(m, 10), 23, 0xbebfbc70);
    hh(a, b, c, d, word(m, 13),  4, 0x289b7ec6);
    hh(d, a, b, c, word(m,  0), 11, 0xeaa127fa);
    hh(c, d, a, b, word(m,  3), 16, 0xd4ef3085);
    hh(b, c, d, a, word(m,  6), 23, 0x04881d05);
    hh(a, b, c, d, word(m,  9),  4, 0xd9d4d039);
    hh(d, a, b, c, word(m, 12), 11, 0xe6db99e5);
    hh(c, d, a, b, word(m, 15), 16, 0x1fa27cf8);
    hh(b, c, d, a, word(m,  2), 23, 0xc4ac5665);
    // Round 4.
    ii(a, b, c, d, word(m,  0),  6, 0xf4292244);
    ii(d, a, b, c, word(m,  7), 10, 0x432aff97);
    ii(c, d, a, b, word(m, 14), 15, 0xab9423a7);
    ii(b, c, d, a, word(m,  5), 21, 0xfc93a039);
    ii(a, b, c, d, word(m, 12),  6, 0x655b59c3);
    ii(d, a, b, c, word(m,  3), 10, 0x8f0ccc92);
    ii(c, d, a, b, word(m, 10), 15, 0xffeff47d);
    ii(b, c, d, a, word(m,  1), 21, 0x85845dd1);
    ii(a, b, c, d, word(m,  8),  6, 0x6fa87e4f);
    ii(d, a, b, c, word(m, 15), 10, 0xfe2ce6e0);
    ii(c, d, a, b, word(m,  6), 15, 0xa3014314);
    ii(b, c, d, a, word(m, 13), 21, 0x4e0811a1);
    ii(a, b, c, d, word(m,  4),  6, 0xf7537e82);
    ii(d, a, b, c, word(m, 11), 10, 0xbd3af235);
    ii(c, d, a, b, word(m,  2), 15, 0x2ad7d2bb);
    ii(b, c, d, a, word(m,  9), 21, 0xeb86d391);

    state[0] += a;
    state[1] += b;
    state[2] += c;
    state[3] += d;
}

// Zeros bytes [from, to) of the context's buffer.
void zeroBuffer(MD5_CTX* context, unsigned from, unsigned to) {
    for (unsigned k = from; k < to; ++k) context->buffer[k] = 0;
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
    // The padding is written into the buffer behind the pending bytes: one
    // 0x80 byte, zeros up to 56 bytes modulo 64 (spilling into a block of
    // its own when fewer than 9 bytes are left), then the bit count,
    // little-endian, low word first.
    unsigned index = (context->count[0] >> 3) & 0x3F;
    context->buffer[index++] = 0x80;
    if (index > 56) {
        zeroBuffer(context, index, 64);
        transform(context->state, context->buffer);
        index = 0;
    }
    zeroBuffer(context, index, 56);
    encodeWord(context->count[0], context->buffer + 56);
    encodeWord(context->count[1], context->buffer + 60);
    transform(context->state, context->buffer);

    for (unsigned k = 0; k < 4; ++k) encodeWord(context->state[k], digest + 4 * k);

    // Clear the whole context, byte by byte.
    volatile unsigned char* p = reinterpret_cast<volatile unsigned char*>(context);
    for (unsigned k = 0; k < sizeof(MD5_CTX); ++k) p[k] = 0;
}

}  // extern "C"
