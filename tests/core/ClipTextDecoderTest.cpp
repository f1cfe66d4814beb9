// Text blocks from the clipboard or a drop, read within their size.
#include "core/ClipTextDecoder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/ClipItem.h"
#include "core/UnicodeTextItem.h"

namespace {

std::vector<unsigned char> utf16le(const std::u16string& text) {
    std::vector<unsigned char> out;
    for (char16_t c : text) {
        out.push_back(static_cast<unsigned char>(c & 0xFF));
        out.push_back(static_cast<unsigned char>(c >> 8));
    }
    return out;
}

std::vector<unsigned char> textOf(const ClipItem& item) {
    return std::vector<unsigned char>(item.text(), item.text() + item.byteLength());
}

TEST(ClipTextDecoder, UnicodeBlockEndsAtItsTerminatorOrItsSize) {
    struct Case {
        std::u16string block;
        std::size_t extraOddBytes;
        std::u16string expected;
    } cases[] = {
        {std::u16string(u"hello\0junk", 10), 0, u"hello"},
        {u"no terminator", 0, u"no terminator"},
        {u"odd", 1, u"odd"},
        {std::u16string(u"\0", 1), 0, u""},
        {u"", 0, u""},
        {u"中文\t\r\n  ", 0, u"中文\t\r\n  "},  // nothing trimmed
    };
    for (const Case& c : cases) {
        std::vector<unsigned char> bytes = utf16le(c.block);
        bytes.insert(bytes.end(), c.extraOddBytes, 0x41);
        auto item = ClipTextDecoder::fromUnicode(bytes.data(), bytes.size());
        ASSERT_NE(nullptr, item);
        EXPECT_EQ(utf16le(c.expected), textOf(*item));
        EXPECT_EQ(13, item->format());
        EXPECT_EQ(1, item->digestEquals(UnicodeTextItem(c.expected)));
    }
    auto none = ClipTextDecoder::fromUnicode(nullptr, 100);
    ASSERT_NE(nullptr, none);
    EXPECT_EQ(0, none->byteLength());
}

TEST(ClipTextDecoder, AnsiBlockIsConvertedThroughTheCodePage) {
    // "中文" in code page 936, then a terminator and bytes that must not be read.
    const char gbk[] = "\xD6\xD0\xCE\xC4" "ab\0zz";
    auto item = ClipTextDecoder::fromAnsi(gbk, sizeof gbk);
    ASSERT_NE(nullptr, item);
    EXPECT_EQ(utf16le(u"中文ab"), textOf(*item));
    EXPECT_EQ(13, item->format());

    // A block without terminator ends at its size.
    auto cut = ClipTextDecoder::fromAnsi("abcdef", 3);
    ASSERT_NE(nullptr, cut);
    EXPECT_EQ(utf16le(u"abc"), textOf(*cut));

    auto empty = ClipTextDecoder::fromAnsi("", 1);
    ASSERT_NE(nullptr, empty);
    EXPECT_EQ(0, empty->byteLength());
}

}  // namespace
