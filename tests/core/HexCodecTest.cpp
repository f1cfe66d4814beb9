#include "core/HexCodec.h"

#include <gtest/gtest.h>

#include <string>

TEST(HexCodecTest, BufferToHexStrWritesUpperCaseDigitsAndZeroesTheRest) {
    const unsigned char data[] = {0x0A, 0xFF};
    char out[8];
    for (char& c : out) c = 'x';
    EXPECT_EQ(BufferToHexStr(data, 2, out, 8), 4);
    EXPECT_EQ(std::string(out, 4), "0AFF");
    for (int i = 4; i < 8; ++i) EXPECT_EQ(out[i], 0) << "byte " << i;
}

TEST(HexCodecTest, BufferToHexStrNeedsRoomForTheTerminator) {
    const unsigned char data[] = {0x0A, 0xFF};
    char out[5] = {'x', 'x', 'x', 'x', 'x'};
    EXPECT_EQ(BufferToHexStr(data, 2, out, 5), 4);
    EXPECT_STREQ(out, "0AFF");

    char tooSmall[4] = {'x', 'x', 'x', 'x'};
    EXPECT_EQ(BufferToHexStr(data, 2, tooSmall, 4), -1);
    EXPECT_EQ(BufferToHexStr(data, -1, tooSmall, 4), -1);
    EXPECT_EQ(std::string(tooSmall, 4), "xxxx");
}

TEST(HexCodecTest, DigestBecomesThirtyTwoCharacters) {
    const unsigned char digest[16] = {0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF,
                                      0xFE, 0xDC, 0xBA, 0x98, 0x76, 0x54, 0x32, 0x10};
    char out[33];
    EXPECT_EQ(BufferToHexStr(digest, 16, out, 33), 32);
    EXPECT_STREQ(out, "0123456789ABCDEFFEDCBA9876543210");
}

TEST(HexCodecTest, HexStrToBufferDecodesUpperCasePairs) {
    unsigned char out[2] = {0, 0};
    EXPECT_EQ(HexStrToBuffer("0AFF", 4, out, 2), 2);
    EXPECT_EQ(out[0], 0x0A);
    EXPECT_EQ(out[1], 0xFF);
}

TEST(HexCodecTest, HexStrToBufferRefusals) {
    unsigned char out[4] = {0x55, 0x55, 0x55, 0x55};
    EXPECT_EQ(HexStrToBuffer("0AFF", 4, out, 1), -1);
    EXPECT_EQ(HexStrToBuffer("0AF", 3, out, 4), -2);
    EXPECT_EQ(HexStrToBuffer("0AFF", -2, out, 4), -2);
    EXPECT_EQ(HexStrToBuffer("0AFF", -8, out, 4), -2);
    EXPECT_EQ(HexStrToBuffer("0aff", 4, out, 4), -3);
    EXPECT_EQ(HexStrToBuffer("0G", 2, out, 4), -3);
    EXPECT_EQ(HexStrToBuffer("0 ", 2, out, 4), -3);
    EXPECT_EQ(out[0], 0x55);
}

TEST(HexCodecTest, HexStrToBufferKeepsThePairsBeforeAnInvalidCharacter) {
    unsigned char out[4] = {0x55, 0x55, 0x55, 0x55};
    EXPECT_EQ(HexStrToBuffer("0AFFz100", 8, out, 4), -3);
    EXPECT_EQ(out[0], 0x0A);
    EXPECT_EQ(out[1], 0xFF);
    EXPECT_EQ(out[2], 0x55);
    EXPECT_EQ(out[3], 0x55);
}

TEST(HexCodecTest, EveryByteValueSurvivesARoundTrip) {
    unsigned char data[256];
    for (int i = 0; i < 256; ++i) data[i] = static_cast<unsigned char>(i);
    char hex[513];
    ASSERT_EQ(BufferToHexStr(data, 256, hex, 513), 512);
    unsigned char back[256] = {};
    ASSERT_EQ(HexStrToBuffer(hex, 512, back, 256), 256);
    for (int i = 0; i < 256; ++i) EXPECT_EQ(back[i], i);
}
