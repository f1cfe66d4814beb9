// MD5 message digest (RFC 1321), following the structure of the RFC's
// reference implementation. Everything here is plain arithmetic on the
// caller's buffers: no runtime calls, no pointer tables.
#include "core/Md5.h"

namespace {

typedef std::uint32_t u32;

// Per-round shift amounts, four for each of the four rounds.
const unsigned char kShift[4][4] = {
    {7, 12, 17, 22}, {5, 9, 14, 20}, {4, 11, 16, 23}, {6, 10, 15, 21}};

// T[i] = floor(2^32 * abs(sin(i + 1))).
const u32 kSine[64] = {
    0xd76aa478, 0xe8c7b756, 0x242070db, 0xc1bdceee, 0xf57c0faf, 0x4787c62a,
    0xa8304613, 0xfd469501, 0x698098d8, 0x8b44f7af, 0xffff5bb1, 0x895cd7be,
    0x6b901122, 0xfd987193, 0xa679438e, 0x49b40821, 0xf61e2562, 0xc040b340,
    0x265e5a51, 0xe9b6c7aa, 0xd62f105d, 0x02441453, 0xd8a1e681, 0xe7d3fbc8,
    0x21e1cde6, 0xc33707d6, 0xf4d50d87, 0x455a14ed, 0xa9e3e905, 0xfcefa3f8,
    0x676f02d9, 0x8d2a4c8a, 0xfffa3942, 0x8771f681, 0x6d9d6122, 0xfde5380c,
    0xa4beea44, 0x4bdecfa9, 0xf6bb4b60, 0xbebfbc70, 0x289b7ec6, 0xeaa127fa,
    0xd4ef3085, 0x04881d05, 0xd9d4d039, 0xe6db99e5, 0x1fa27cf8, 0xc4ac5665,
    0xf4292244, 0x432aff97, 0xab9423a7, 0xfc93a039, 0x655b59c3, 0x8f0ccc92,
    0xffeff47d, 0x85845dd1, 0x6fa87e4f, 0xfe2ce6e0, 0xa3014314, 0x4e0811a1,
    0xf7537e82, 0xbd3af235, 0x2ad7d2bb, 0xeb86d391};

// The 64 padding bytes: one 0x80 followed by zeros.
const unsigned char kPadding[64] = {0x80};

u32 rotateLeft(u32 x, unsigned n) { return (x << n) | (x >> (32 - n)); }

u32 decodeWord(const unsigned char* p) {
    return u32(p[0]) | (u32(p[1]) << 8) | (u32(p[2]) << 16) | (u32(p[3]) << 24);
}

void encodeWord(u32 w, unsigned char* p) {
    p[0] = static_cast<unsigned char>(w);
    p[1] = static_cast<unsigned char>(w >> 8);
    p[2] = static_cast<unsigned char>(w >> 16);
    p[3] = static_cast<unsigned char>(w >> 24);
}

// One step of a round: a = b + ((a + f + x[k] + t) <<< s), then rotate the
// roles of a, b, c, d.
struct Words {
    u32 a, b, c, d;
};

void step(Words* w, u32 f, u32 xk, unsigned i) {
    u32 t = w->a + f + xk + kSine[i];
    w->a = w->d;
    w->d = w->c;
    w->c = w->b;
    w->b = w->b + rotateLeft(t, kShift[i / 16][i % 4]);
}

void transform(u32 state[4], const unsigned char block[64]) {
    u32 x[16];
    for (unsigned i = 0; i < 16; ++i) x[i] = decodeWord(block + 4 * i);

    Words w;
    w.a = state[0];
    w.b = state[1];
    w.c = state[2];
    w.d = state[3];
    // The four rounds use F, G, H, I and the word orders i, 5i+1, 3i+5, 7i.
    for (unsigned i = 0; i < 16; ++i) step(&w, (w.b & w.c) | (~w.b & w.d), x[i], i);
    for (unsigned i = 16; i < 32; ++i) step(&w, (w.b & w.d) | (w.c & ~w.d), x[(5 * i + 1) % 16], i);
    for (unsigned i = 32; i < 48; ++i) step(&w, w.b ^ w.c ^ w.d, x[(3 * i + 5) % 16], i);
    for (unsigned i = 48; i < 64; ++i) step(&w, w.c ^ (w.b | ~w.d), x[(7 * i) % 16], i);
    state[0] += w.a;
    state[1] += w.b;
    state[2] += w.c;
    state[3] += w.d;

    // The message words may be sensitive: do not leave them on the stack.
    for (unsigned i = 0; i < 16; ++i) {
        volatile u32* slot = &x[i];
        *slot = 0;
    }
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

    // Pad out to 56 mod 64, then append the length.
    unsigned index = (context->count[0] >> 3) & 0x3F;
    unsigned padLen = (index < 56) ? (56 - index) : (120 - index);
    MD5Update(context, kPadding, padLen);
    MD5Update(context, bits, 8);

    for (unsigned i = 0; i < 4; ++i) encodeWord(context->state[i], digest + 4 * i);

    // Clear the whole context, byte by byte.
    volatile unsigned char* p = reinterpret_cast<volatile unsigned char*>(context);
    for (unsigned i = 0; i < sizeof(MD5_CTX); ++i) p[i] = 0;
}

}  // extern "C"
