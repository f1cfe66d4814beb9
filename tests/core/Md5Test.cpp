#include "core/Md5.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <vector>

#include "../shared/KnownAnswers.h"

namespace {

std::string toHex(const unsigned char digest[16]) {
    static const char digits[] = "0123456789abcdef";
    std::string hex;
    for (int i = 0; i < 16; ++i) {
        hex += digits[digest[i] >> 4];
        hex += digits[digest[i] & 0x0F];
    }
    return hex;
}

const unsigned char* bytesOf(const std::string& text) {
    return reinterpret_cast<const unsigned char*>(text.data());
}

// Digest of the message fed in pieces of the given sizes (the last piece
// takes whatever is left).
std::string digestInPieces(const std::string& message, const std::vector<std::size_t>& pieces) {
    MD5_CTX context;
    MD5Init(&context);
    std::size_t done = 0;
    for (std::size_t piece : pieces) {
        std::size_t length = piece < message.size() - done ? piece : message.size() - done;
        MD5Update(&context, bytesOf(message) + done, static_cast<std::uint32_t>(length));
        done += length;
    }
    MD5Update(&context, bytesOf(message) + done, static_cast<std::uint32_t>(message.size() - done));
    unsigned char digest[16];
    MD5Final(digest, &context);
    return toHex(digest);
}

std::string digestOf(const std::string& message) { return digestInPieces(message, {}); }

struct Known {
    std::string message;
    const char* digest;
};

// RFC 1321, appendix A.5, and messages whose padding ends exactly at or just
// beyond a block boundary.
std::vector<Known> knownDigests() {
    std::vector<Known> cases;
    for (const known::Md5Case& c : known::rfc1321Suite()) cases.push_back({c.message, c.digest});
    cases.push_back({std::string(55, 'a'), "ef1772b6dff9a122358552954ad0df65"});
    cases.push_back({std::string(56, 'a'), "3b0c8ac703f828b04c6c197006d17218"});
    cases.push_back({std::string(63, 'a'), "b06521f39153d618550606be297466d5"});
    cases.push_back({std::string(64, 'a'), "014842d480b571495a4a0363793f7367"});
    cases.push_back({std::string(65, 'a'), "c743a45e0d2e6a95cb859adae0248435"});
    return cases;
}

}  // namespace

TEST(Md5Test, ReproducesKnownDigestsInOneUpdate) {
    for (const Known& known : knownDigests()) {
        EXPECT_EQ(digestOf(known.message), known.digest) << "length " << known.message.size();
    }
}

TEST(Md5Test, GivesTheSameDigestForEveryTwoWaySplit) {
    for (const Known& known : knownDigests()) {
        for (std::size_t split = 0; split <= known.message.size(); ++split) {
            EXPECT_EQ(digestInPieces(known.message, {split}), known.digest)
                << "length " << known.message.size() << " split at " << split;
        }
    }
}

TEST(Md5Test, GivesTheSameDigestForPiecesAroundBlockBoundaries) {
    std::string message;
    for (int i = 0; i < 300; ++i) message += static_cast<char>((i * 7) % 256);
    const char* expected = "04efd1e6a4e06e3794694154279db582";

    EXPECT_EQ(digestOf(message), expected);
    EXPECT_EQ(digestInPieces(message, {63, 64, 65}), expected);
    EXPECT_EQ(digestInPieces(message, {65, 64, 63}), expected);
    EXPECT_EQ(digestInPieces(message, {64, 64, 64, 64}), expected);
    EXPECT_EQ(digestInPieces(message, {1, 63, 0, 1, 127, 64}), expected);
    EXPECT_EQ(digestInPieces(message, std::vector<std::size_t>(300, 1)), expected);
}

TEST(Md5Test, HandlesAMillionBytesFedInChunks) {
    std::string chunk(1000, 'a');
    MD5_CTX context;
    MD5Init(&context);
    for (int i = 0; i < 1000; ++i) MD5Update(&context, bytesOf(chunk), 1000);
    unsigned char digest[16];
    MD5Final(digest, &context);
    EXPECT_EQ(toHex(digest), known::millionLettersDigest);
}

TEST(Md5Test, InitSetsTheRfcWordsAndAZeroCount) {
    MD5_CTX context;
    context.count[0] = context.count[1] = 0xDEADBEEF;
    MD5Init(&context);
    EXPECT_EQ(context.state[0], 0x67452301u);
    EXPECT_EQ(context.state[1], 0xefcdab89u);
    EXPECT_EQ(context.state[2], 0x98badcfeu);
    EXPECT_EQ(context.state[3], 0x10325476u);
    EXPECT_EQ(context.count[0], 0u);
    EXPECT_EQ(context.count[1], 0u);
}

TEST(Md5Test, FinalClearsTheWholeContext) {
    MD5_CTX context;
    MD5Init(&context);
    MD5Update(&context, bytesOf("message digest"), 14);
    unsigned char digest[16];
    MD5Final(digest, &context);

    const unsigned char* raw = reinterpret_cast<const unsigned char*>(&context);
    for (std::size_t i = 0; i < sizeof(context); ++i) EXPECT_EQ(raw[i], 0) << "byte " << i;
}

TEST(Md5Test, BitCountCarriesIntoTheHighWord) {
    MD5_CTX context;
    MD5Init(&context);
    context.count[0] = 0xFFFFFFF8u;  // one byte short of 2^32 bits
    MD5Update(&context, bytesOf("xy"), 2);
    EXPECT_EQ(context.count[0], 8u);
    EXPECT_EQ(context.count[1], 1u);
}
