// The seven functions quillbox.exe exports, called the way another program
// calls them: the executable loaded as a module, the functions looked up by
// their plain names. No window is involved.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "e2e/ProcessDriver.h"
#include "shared/ExportedFunctions.h"
#include "shared/KnownAnswers.h"

namespace {

std::string lowerHex(const unsigned char* bytes, int n) {
    static const char digits[] = "0123456789abcdef";
    std::string out;
    for (int i = 0; i < n; ++i) {
        out.push_back(digits[bytes[i] >> 4]);
        out.push_back(digits[bytes[i] & 0xF]);
    }
    return out;
}

class Exports : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        std::wstring path = e2e::quillboxPath();
        module_ = path.empty() ? nullptr : LoadLibraryW(path.c_str());
        if (module_ == nullptr) return;
        init_ = lookup<Md5InitFn>("MD5Init");
        update_ = lookup<Md5UpdateFn>("MD5Update");
        final_ = lookup<Md5FinalFn>("MD5Final");
        toHex_ = lookup<BufferToHexStrFn>("BufferToHexStr");
        fromHex_ = lookup<HexStrToBufferFn>("HexStrToBuffer");
        encrypt_ = lookup<CryptFn>("EnCryptData");
        decrypt_ = lookup<CryptFn>("DeCryptData");
    }

    template <typename Fn>
    static Fn lookup(const char* name) {
        return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module_, name)));
    }

    static void TearDownTestSuite() {
        if (module_ != nullptr) FreeLibrary(module_);
        module_ = nullptr;
    }

    void SetUp() override {
        ASSERT_NE(module_, nullptr) << "quillbox.exe could not be loaded";
        ASSERT_NE(init_, nullptr) << "MD5Init is not exported";
        ASSERT_NE(update_, nullptr) << "MD5Update is not exported";
        ASSERT_NE(final_, nullptr) << "MD5Final is not exported";
        ASSERT_NE(toHex_, nullptr) << "BufferToHexStr is not exported";
        ASSERT_NE(fromHex_, nullptr) << "HexStrToBuffer is not exported";
        ASSERT_NE(encrypt_, nullptr) << "EnCryptData is not exported";
        ASSERT_NE(decrypt_, nullptr) << "DeCryptData is not exported";
    }

    // Digest of input fed in pieces of the given sizes, cycling through them.
    static std::string digestInPieces(const std::string& input, const std::vector<int>& pieces) {
        Md5Context context;
        std::memset(&context, 0xCC, sizeof context);
        init_(&context);
        const auto* bytes = reinterpret_cast<const unsigned char*>(input.data());
        std::size_t offset = 0;
        for (std::size_t i = 0; offset < input.size(); ++i) {
            std::size_t n = static_cast<std::size_t>(pieces[i % pieces.size()]);
            if (n > input.size() - offset) n = input.size() - offset;
            update_(&context, bytes + offset, static_cast<std::uint32_t>(n));
            offset += n;
        }
        unsigned char digest[16];
        final_(digest, &context);
        return lowerHex(digest, 16);
    }

    static std::string digestWhole(const std::string& input) {
        Md5Context context;
        init_(&context);
        update_(&context, reinterpret_cast<const unsigned char*>(input.data()),
                static_cast<std::uint32_t>(input.size()));
        unsigned char digest[16];
        final_(digest, &context);
        return lowerHex(digest, 16);
    }

    static HMODULE module_;
    static Md5InitFn init_;
    static Md5UpdateFn update_;
    static Md5FinalFn final_;
    static BufferToHexStrFn toHex_;
    static HexStrToBufferFn fromHex_;
    static CryptFn encrypt_;
    static CryptFn decrypt_;
};

HMODULE Exports::module_ = nullptr;
Md5InitFn Exports::init_ = nullptr;
Md5UpdateFn Exports::update_ = nullptr;
Md5FinalFn Exports::final_ = nullptr;
BufferToHexStrFn Exports::toHex_ = nullptr;
HexStrToBufferFn Exports::fromHex_ = nullptr;
CryptFn Exports::encrypt_ = nullptr;
CryptFn Exports::decrypt_ = nullptr;

TEST_F(Exports, Md5ReproducesTheRfcSuiteInOneUpdate) {
    for (const auto& c : known::rfc1321Suite()) {
        EXPECT_EQ(digestWhole(c.message), c.digest) << "input \"" << c.message << "\"";
    }
}

TEST_F(Exports, Md5ReproducesTheRfcSuiteSplitOverUpdates) {
    for (const auto& c : known::rfc1321Suite()) {
        EXPECT_EQ(digestInPieces(c.message, {1}), c.digest) << "bytewise, \"" << c.message << "\"";
        EXPECT_EQ(digestInPieces(c.message, {3, 0, 7, 60}), c.digest) << "\"" << c.message << "\"";
        EXPECT_EQ(digestInPieces(c.message, {63, 2}), c.digest) << "\"" << c.message << "\"";
    }
}

TEST_F(Exports, Md5OfAMillionLettersAcrossManyBlocks) {
    std::string million(1000000, 'a');
    EXPECT_EQ(digestWhole(million), known::millionLettersDigest);
    EXPECT_EQ(digestInPieces(million, {1000, 17}), known::millionLettersDigest);
}

TEST_F(Exports, Md5ContextHasTheReferenceLayoutAndIsClearedAtTheEnd) {
    Md5Context context;
    std::memset(&context, 0xCC, sizeof context);
    init_(&context);
    EXPECT_EQ(context.state[0], 0x67452301u);
    EXPECT_EQ(context.state[1], 0xefcdab89u);
    EXPECT_EQ(context.state[2], 0x98badcfeu);
    EXPECT_EQ(context.state[3], 0x10325476u);
    EXPECT_EQ(context.count[0], 0u);
    EXPECT_EQ(context.count[1], 0u);

    update_(&context, reinterpret_cast<const unsigned char*>("abc"), 3);
    EXPECT_EQ(context.count[0], 24u) << "bits, low word first";
    EXPECT_EQ(context.count[1], 0u);
    EXPECT_EQ(std::memcmp(context.buffer, "abc", 3), 0);

    unsigned char digest[16];
    final_(digest, &context);
    EXPECT_EQ(lowerHex(digest, 16), "900150983cd24fb0d6963f7d28e17f72");
    Md5Context zero;
    std::memset(&zero, 0, sizeof zero);
    EXPECT_EQ(std::memcmp(&context, &zero, sizeof context), 0);
}

TEST_F(Exports, BufferToHexStrWritesUpperCaseAndZeroesTheWholeOutput) {
    const unsigned char data[] = {0x0A, 0xFF};
    char out[8];
    std::memset(out, 'x', sizeof out);
    EXPECT_EQ(toHex_(data, 2, out, 5), 4);
    EXPECT_EQ(std::string(out, 5), std::string("0AFF\0", 5));
    EXPECT_EQ(std::string(out + 5, 3), "xxx") << "only size bytes are touched";

    std::memset(out, 'x', sizeof out);
    EXPECT_EQ(toHex_(data, 2, out, 8), 4);
    EXPECT_EQ(std::string(out, 8), std::string("0AFF\0\0\0\0", 8));
}

TEST_F(Exports, BufferToHexStrRefusesAnOutputWithoutRoomForTheTerminator) {
    const unsigned char data[] = {0x0A, 0xFF};
    char out[4];
    std::memset(out, 'x', sizeof out);
    EXPECT_EQ(toHex_(data, 2, out, 4), -1);
    EXPECT_EQ(std::string(out, 4), "xxxx");
}

TEST_F(Exports, HexStrToBufferResults) {
    unsigned char out[4] = {0x55, 0x55, 0x55, 0x55};
    EXPECT_EQ(fromHex_("0AFF", 4, out, 4), 2);
    EXPECT_EQ(out[0], 0x0A);
    EXPECT_EQ(out[1], 0xFF);
    EXPECT_EQ(out[2], 0x55);

    EXPECT_EQ(fromHex_("0aff", 4, out, 4), -3) << "lower case is refused";
    EXPECT_EQ(fromHex_("0AF", 3, out, 4), -2);
    EXPECT_EQ(fromHex_("0AFF", 4, out, 1), -1);

    unsigned char partial[2] = {0x55, 0x55};
    EXPECT_EQ(fromHex_("7Bg0", 4, partial, 2), -3);
    EXPECT_EQ(partial[0], 0x7B) << "pairs before the bad character are written";
}

TEST_F(Exports, HexRoundTripOfADigest) {
    unsigned char digest[16];
    for (int i = 0; i < 16; ++i) digest[i] = static_cast<unsigned char>(i * 17 + 3);
    char text[33];
    ASSERT_EQ(toHex_(digest, 16, text, 33), 32);
    unsigned char back[16] = {};
    ASSERT_EQ(fromHex_(text, 32, back, 16), 16);
    EXPECT_EQ(std::memcmp(back, digest, 16), 0);
}

TEST_F(Exports, CryptPairIsItsOwnInverse) {
    unsigned char bytes[256];
    for (int i = 0; i < 256; ++i) bytes[i] = static_cast<unsigned char>(i);
    ASSERT_EQ(encrypt_(bytes, 256), 0);
    EXPECT_EQ(bytes[0x00], 0x59) << "~(0x00 ^ 0xA6)";
    EXPECT_EQ(bytes[0xA6], 0xFF);
    EXPECT_EQ(bytes[0xFF], 0xA6);
    ASSERT_EQ(decrypt_(bytes, 256), 0);
    for (int i = 0; i < 256; ++i) ASSERT_EQ(bytes[i], i) << "byte " << i;

    ASSERT_EQ(decrypt_(bytes, 3), 0);
    ASSERT_EQ(decrypt_(bytes, 3), 0);
    EXPECT_EQ(bytes[2], 2) << "DeCryptData is its own inverse too";
}

TEST_F(Exports, CryptRefusesLengthZeroAndNullAndIgnoresNegativeLengths) {
    unsigned char bytes[2] = {0x12, 0x34};
    EXPECT_EQ(encrypt_(bytes, 0), -1);
    EXPECT_EQ(decrypt_(bytes, 0), -1);
    EXPECT_EQ(encrypt_(nullptr, 2), -1);
    EXPECT_EQ(decrypt_(nullptr, 2), -1);
    EXPECT_EQ(encrypt_(bytes, -5), 0);
    EXPECT_EQ(decrypt_(bytes, -5), 0);
    EXPECT_EQ(bytes[0], 0x12);
    EXPECT_EQ(bytes[1], 0x34);
}

}  // namespace
