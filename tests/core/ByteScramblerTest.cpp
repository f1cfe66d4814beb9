#include "core/ByteScrambler.h"

#include <gtest/gtest.h>

TEST(ByteScramblerTest, ComplementsTheBytesXoredWithA6) {
    unsigned char data[] = {0x00, 0xFF, 0xA6, 0x59, 0x12};
    EXPECT_EQ(EnCryptData(data, 5), 0);
    EXPECT_EQ(data[0], 0x59);
    EXPECT_EQ(data[1], 0xA6);
    EXPECT_EQ(data[2], 0xFF);
    EXPECT_EQ(data[3], 0x00);
    EXPECT_EQ(data[4], static_cast<unsigned char>(~(0x12 ^ 0xA6)));
}

TEST(ByteScramblerTest, BothDirectionsAgreeAndUndoEachOther) {
    unsigned char plain[256], scrambled[256], viaDecrypt[256];
    for (int i = 0; i < 256; ++i)
        plain[i] = scrambled[i] = viaDecrypt[i] = static_cast<unsigned char>(i);
    EXPECT_EQ(EnCryptData(scrambled, 256), 0);
    EXPECT_EQ(DeCryptData(viaDecrypt, 256), 0);
    for (int i = 0; i < 256; ++i) EXPECT_EQ(scrambled[i], viaDecrypt[i]) << "byte " << i;

    EXPECT_EQ(DeCryptData(scrambled, 256), 0);
    for (int i = 0; i < 256; ++i) EXPECT_EQ(scrambled[i], plain[i]) << "byte " << i;
}

TEST(ByteScramblerTest, ChangesOnlyTheFirstNBytes) {
    unsigned char data[] = {1, 2, 3, 4};
    EXPECT_EQ(EnCryptData(data, 2), 0);
    EXPECT_NE(data[0], 1);
    EXPECT_NE(data[1], 2);
    EXPECT_EQ(data[2], 3);
    EXPECT_EQ(data[3], 4);
}

TEST(ByteScramblerTest, RefusesNullAndZeroLengthButAcceptsNegativeLength) {
    unsigned char data[] = {1, 2};
    EXPECT_EQ(EnCryptData(nullptr, 2), -1);
    EXPECT_EQ(DeCryptData(nullptr, 2), -1);
    EXPECT_EQ(EnCryptData(data, 0), -1);
    EXPECT_EQ(DeCryptData(data, 0), -1);
    EXPECT_EQ(EnCryptData(data, -3), 0);
    EXPECT_EQ(DeCryptData(data, -3), 0);
    EXPECT_EQ(data[0], 1);
    EXPECT_EQ(data[1], 2);
}
