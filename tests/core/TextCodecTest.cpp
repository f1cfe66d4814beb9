#include "core/TextCodec.h"

#include <gtest/gtest.h>

#include <string>

#include "core/CodePage.h"

// Narrow literals are compiled as GBK: "中文" is D6 D0 CE C4.
TEST(TextCodecTest, ConvertsGbkToUtf16AndBack) {
    const char* gbk = "\xD6\xD0\xCE\xC4 abc";
    char16_t wide[16];
    ASSERT_EQ(toWide(gbk, wide, 16), 1);
    EXPECT_EQ(std::u16string(wide), u"中文 abc");

    char narrowOut[16];
    ASSERT_EQ(toNarrow(wide, narrowOut, 16), 1);
    EXPECT_EQ(std::string(narrowOut), gbk);
    EXPECT_EQ(std::string(narrowOut), "中文 abc");
}

TEST(TextCodecTest, EveryLevelOneHanziAndAsciiSurvivesARoundTrip) {
    std::string text;
    for (int c = 1; c < 0x80; ++c) text += static_cast<char>(c);
    for (int lead = 0xB0; lead <= 0xD6; ++lead) {
        for (int trail = 0xA1; trail <= 0xFE; ++trail) {
            text += static_cast<char>(lead);
            text += static_cast<char>(trail);
        }
    }
    std::u16string wide = widen(text);
    EXPECT_EQ(wide.size(), 127u + 39u * 94u);
    EXPECT_EQ(narrow(wide), text);
}

TEST(TextCodecTest, ExactCapacityIsEnough) {
    char16_t wide[3];
    EXPECT_EQ(toWide("中文", wide, 3), 1);
    EXPECT_EQ(wide[2], u'\0');

    char narrowOut[5];
    EXPECT_EQ(toNarrow(u"中文", narrowOut, 5), 1);
    EXPECT_STREQ(narrowOut, "中文");
}

TEST(TextCodecTest, TooSmallCapacityIsRefusedAndWritesNothing) {
    char16_t wide[3] = {u'x', u'x', u'x'};
    EXPECT_EQ(toWide("中文", wide, 2), 0);
    EXPECT_EQ(std::u16string(wide, 3), u"xxx");

    char narrowOut[5] = {'x', 'x', 'x', 'x', 'x'};
    EXPECT_EQ(toNarrow(u"中文", narrowOut, 4), 0);
    EXPECT_EQ(std::string(narrowOut, 5), "xxxxx");
}

TEST(TextCodecTest, EmptyTextNeedsOneUnitForTheTerminator) {
    char16_t wide[1] = {u'x'};
    EXPECT_EQ(toWide("", wide, 0), 0);
    EXPECT_EQ(wide[0], u'x');
    EXPECT_EQ(toWide("", wide, 1), 1);
    EXPECT_EQ(wide[0], u'\0');

    char narrowOut[1] = {'x'};
    EXPECT_EQ(toNarrow(u"", narrowOut, 0), 0);
    EXPECT_EQ(toNarrow(u"", narrowOut, 1), 1);
    EXPECT_EQ(narrowOut[0], '\0');

    EXPECT_EQ(widen(""), u"");
    EXPECT_EQ(narrow(u""), "");
}

TEST(TextCodecTest, CharactersGbkLacksBecomeQuestionMarks) {
    // U+0E01 (Thai) has no GBK form.
    EXPECT_EQ(narrow(u"a\u0E01b"), "a?b");
    char narrowOut[8];
    ASSERT_EQ(toNarrow(u"\u0E01\u0E02", narrowOut, 8), 1);
    EXPECT_STREQ(narrowOut, "??");
    // Nor does GBK hold these: no look-alike (à, 2, a, |, (C), (TM)) stands in.
    EXPECT_EQ(narrow(u"\u00C0\u00B2\u00AA\u00A6\u00A9\u2122"), "??????");
}

TEST(TextCodecTest, LeadBytesAreThoseOfCodePage936) {
    // GBK: 0x81 to 0xFE start a two-byte character; 0x80 (the euro sign in
    // code page 936) and 0xFF do not.
    for (int byte = 0; byte < 256; ++byte) {
        const bool lead = byte >= 0x81 && byte <= 0xFE;
        EXPECT_EQ(codepage::isLeadByte(static_cast<unsigned char>(byte)), lead) << "byte " << byte;
    }
}
