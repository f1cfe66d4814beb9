#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <climits>
#include <ctime>
#include <memory>
#include <utility>
#include <string>
#include <vector>

#include "core/BitmapItem.h"
#include "core/ClipItem.h"
#include "core/FileListItem.h"
#include "core/ItemColumns.h"
#include "core/TextCodec.h"
#include "core/UnicodeTextItem.h"
#include "ClipBytes.h"
#include "Fakes.h"
#include "TimeZone.h"

namespace {

std::string hex(const unsigned char* bytes, int n) {
    std::string out;
    char pair[3];
    for (int i = 0; i < n; ++i) {
        std::snprintf(pair, sizeof pair, "%02x", bytes[i]);
        out += pair;
    }
    return out;
}

std::u16string repeat(const std::u16string& unit, int times) {
    std::u16string out;
    for (int i = 0; i < times; ++i) out += unit;
    return out;
}

std::string repeat(const std::string& unit, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) out += unit;
    return out;
}

void put32(std::vector<unsigned char>& out, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out[at + i] = static_cast<unsigned char>(v >> (8 * i));
}

// An item record assembled by hand, field by field.
std::vector<unsigned char> record(const std::vector<unsigned char>& alias, std::int32_t timestamp,
                                  std::uint16_t format, unsigned char digestFill,
                                  const std::vector<unsigned char>& text) {
    std::vector<unsigned char> r(62 + text.size(), 0);
    put32(r, 0, static_cast<std::uint32_t>(r.size()));
    for (std::size_t i = 0; i < alias.size() && i < 32; ++i) r[4 + i] = alias[i];
    put32(r, 36, static_cast<std::uint32_t>(timestamp));
    r[40] = static_cast<unsigned char>(format & 0xFF);
    r[41] = static_cast<unsigned char>(format >> 8);
    for (int i = 0; i < 16; ++i) r[42 + i] = static_cast<unsigned char>(digestFill + i);
    put32(r, 58, static_cast<std::uint32_t>(text.size()));
    for (std::size_t i = 0; i < text.size(); ++i) r[62 + i] = text[i];
    return r;
}

std::vector<unsigned char> serialized(const ClipItem& item) {
    std::vector<unsigned char> out(static_cast<std::size_t>(item.serializedSize()));
    EXPECT_EQ(item.serialize(out.data()), item.serializedSize());
    return out;
}

}  // namespace

TEST(ClipItemTest, EmptyTextHasDigestOfEmptyInput) {
    UnicodeTextItem item(u"");
    EXPECT_EQ(item.byteLength(), 0);
    EXPECT_EQ(item.charCount(), 0);
    EXPECT_EQ(hex(item.digest(), 16), "d41d8cd98f00b204e9800998ecf8427e");
    EXPECT_EQ(item.summary(), "");
    EXPECT_EQ(item.narrowText(), "");
    EXPECT_EQ(item.matches(""), 1);
    EXPECT_EQ(item.matches("a"), 0);
}

TEST(ClipItemTest, DigestCoversTheTextBytesOnly) {
    UnicodeTextItem item(u"ab");
    EXPECT_EQ(item.format(), 13);
    EXPECT_STREQ(item.typeName(), "Unicode");
    ASSERT_EQ(item.byteLength(), 4);
    EXPECT_EQ(hex(item.text(), 4), "61006200");
    EXPECT_EQ(hex(item.digest(), 16), "aa3a791e273bce9cf4a2a7caa9028b36");

    UnicodeTextItem same(u"ab");
    same.setAlias("other name");
    EXPECT_EQ(item.digestEquals(same), 1);
    EXPECT_EQ(item.digestEquals(same.digest()), 1);
    EXPECT_EQ(item.digestEquals(UnicodeTextItem(u"ab ")), 0);
    EXPECT_EQ(item.digestEquals(nullptr), 0);
}

TEST(ClipItemTest, CharCountCountsUtf16Units) {
    const std::u16string text = repeat(u"汉", 20) + u"abcde";
    EXPECT_EQ(UnicodeTextItem(text).charCount(), 25);
    // A character outside the basic plane is two units.
    EXPECT_EQ(UnicodeTextItem(u"\U0001F600").charCount(), 2);
}

TEST(ClipItemTest, SetTextRenewsDigestAndTimeButKeepsAlias) {
    UnicodeTextItem item;
    ASSERT_EQ(item.deserialize(record({'n', 'a', 'm', 'e'}, 1000, 13, 0, {'x', 0}).data(), 64), 0);
    const unsigned char newText[] = {'y', 0, 'z', 0};
    // Seconds since 1970 in UTC, whatever the local zone.
    const ScopedTimeZone zone;
    const std::time_t before = std::time(nullptr);
    item.setText(newText, 4);
    EXPECT_GE(item.timestamp(), before);
    EXPECT_LE(item.timestamp(), std::time(nullptr));
    EXPECT_STREQ(item.alias(), "name");
    EXPECT_EQ(item.charCount(), 2);
    EXPECT_EQ(item.digestEquals(UnicodeTextItem(u"yz")), 1);

    // The item's own text as the source leaves it intact.
    item.setText(item.text(), item.byteLength());
    EXPECT_EQ(item.digestEquals(UnicodeTextItem(u"yz")), 1);
}

TEST(ClipItemTest, CloneIsANewUnicodeItemWithSameDigest) {
    std::vector<unsigned char> rec = record({'a', 'l'}, 1000, 13, 0, {'h', 0, 'i', 0});
    const UnicodeTextItem hi(u"hi");
    for (int i = 0; i < 16; ++i) rec[42 + i] = hi.digest()[i];
    UnicodeTextItem old;
    ASSERT_EQ(old.deserialize(rec.data(), 66), 0);
    ASSERT_EQ(old.timestamp(), 1000);
    const std::time_t before = std::time(nullptr);

    const std::unique_ptr<ClipItem> copy = old.clone();
    ASSERT_NE(copy, nullptr);
    EXPECT_STREQ(copy->alias(), "");
    EXPECT_GE(copy->timestamp(), before);
    EXPECT_EQ(copy->digestEquals(old), 1);
    EXPECT_EQ(copy->format(), 13);
    EXPECT_EQ(copy->charCount(), 2);
    EXPECT_NE(copy->text(), old.text());

    UnicodeTextItem plain(u"x");
    plain.setFormat(ClipItem::FormatText);
    EXPECT_EQ(plain.clone(), nullptr);
    EXPECT_STREQ(plain.typeName(), "Text");
    plain.setFormat(7);
    EXPECT_STREQ(plain.typeName(), "");
}

TEST(ClipItemTest, AliasIsCutToThirtyOneBytes) {
    UnicodeTextItem item(u"x");
    item.setAlias(std::string(40, 'a').c_str());
    EXPECT_EQ(std::string(item.alias()), std::string(31, 'a'));
    item.setAlias(nullptr);
    EXPECT_EQ(std::string(item.alias()), std::string(31, 'a'));
    item.setAlias("short");
    EXPECT_STREQ(item.alias(), "short");
    const std::vector<unsigned char> bytes = serialized(item);
    for (int i = 4 + 5; i < 36; ++i) EXPECT_EQ(bytes[i], 0) << "alias byte " << i - 4;
}

TEST(ClipItemTest, NarrowTextUsesTheDoubleByteCodePage) {
    const std::string text = UnicodeTextItem(u"中文ab").narrowText();
    EXPECT_EQ(text, "\xD6\xD0\xCE\xC4" "ab");
    EXPECT_EQ(text, "中文ab");
}

TEST(ClipItemTest, SummaryCutsAfterThirtyFiveBytes) {
    EXPECT_EQ(UnicodeTextItem(std::u16string(35, u'x')).summary(), std::string(35, 'x') + "...");
    EXPECT_EQ(UnicodeTextItem(std::u16string(34, u'x')).summary(), std::string(34, 'x'));
    EXPECT_EQ(UnicodeTextItem(std::u16string(80, u'x')).summary(), std::string(35, 'x') + "...");
    // 1 + 17 * 2 = 35 bytes: the cut falls between two characters.
    EXPECT_EQ(UnicodeTextItem(u"a" + repeat(u"中", 17)).summary(), "a" + repeat("中", 17) + "...");
    // 2 + 17 * 2 = 36 bytes: byte 35 is the first half of a character.
    EXPECT_EQ(UnicodeTextItem(u"ab" + repeat(u"中", 17)).summary(), "ab" + repeat("中", 16) + "...");
    EXPECT_EQ(UnicodeTextItem(repeat(u"中", 18)).summary(), repeat("中", 17) + "...");
    EXPECT_EQ(UnicodeTextItem(repeat(u"中", 17)).summary(), repeat("中", 17));
    // Lead bytes 0x81 to 0xA0 with trail bytes below 0x80: 丂 is 81 40,
    // 燖 A0 40, 悁 90 80.
    EXPECT_EQ(UnicodeTextItem(u"ab" + repeat(u"丂", 17)).summary(),
              "ab" + repeat("\x81\x40", 16) + "...");
    EXPECT_EQ(UnicodeTextItem(u"b" + repeat(u"燖悁", 9)).summary(),
              "b" + repeat("\xA0\x40\x90\x80", 8) + "\xA0\x40...");
}

TEST(ClipItemTest, SummaryOfALongTextIsCutTheSameWay) {
    EXPECT_EQ(UnicodeTextItem(std::u16string(1000000, u'x')).summary(), std::string(35, 'x') + "...");
    EXPECT_EQ(UnicodeTextItem(repeat(u"中", 100000)).summary(), repeat("中", 17) + "...");
}

// A character outside the code page counts two bytes and is never cut; a
// surrogate pair is one character, a lone surrogate one of its own.
TEST(ClipItemTest, SummaryShowsCharactersOutsideTheCodePageAsTheyAre) {
    const std::u16string smile = u"\U0001F600";
    const std::u16string x33(33, u'x');
    const struct {
        std::u16string text, summary;
    } cases[] = {
        {std::u16string(36, u'x'), std::u16string(35, u'x') + u"..."},
        {u"emoji \U0001F600 \u0109 \u015D \uD55C\uAD6D\uC5B4 end",
         u"emoji \U0001F600 \u0109 \u015D \uD55C\uAD6D\uC5B4 end"},
        {repeat(smile, 40), repeat(smile, 17) + u"..."},              // 34 bytes
        {x33 + smile + u"y", x33 + smile + u"..."},                  // 35 bytes
        {x33 + smile, x33 + smile + u"..."},                         // exactly 35
        {u"x" + x33 + smile + u"y", u"x" + x33 + u"..."},            // no half pair
        {x33.substr(1) + smile, x33.substr(1) + smile},              // 34 bytes, whole
        {repeat(u"\u0109", 18), repeat(u"\u0109", 17) + u"..."},
        {u"\xD83D" + std::u16string(34, u'x'), u"\xD83D" + std::u16string(33, u'x') + u"..."},
        {u"\u00E9" + std::u16string(34, u'x'), u"\u00E9" + std::u16string(33, u'x') + u"..."},
    };
    for (const auto& c : cases) {
        EXPECT_TRUE(UnicodeTextItem(c.text).wideSummary() == c.summary) << narrow(c.text);
    }
    // é is in the code page (A8 A6): its narrow summary is as before.
    EXPECT_EQ(UnicodeTextItem(u"\u00E9" + std::u16string(34, u'x')).summary(),
              "\xA8\xA6" + std::string(33, 'x') + "...");
}

TEST(ClipItemTest, SummaryEndsAtAZeroCharacterOfAStoredText) {
    std::vector<unsigned char> text = {'a', 0, 'b', 0, 'c', 0, 0, 0};
    for (int i = 0; i < 100; ++i) text.insert(text.end(), {'x', 0});
    UnicodeTextItem item;
    const std::vector<unsigned char> rec = record({}, 0, 13, 0, text);
    ASSERT_EQ(item.deserialize(rec.data(), static_cast<std::int32_t>(rec.size())), 0);
    EXPECT_EQ(item.summary(), "abc");
    EXPECT_EQ(item.narrowText(), "abc");
}

TEST(ClipItemTest, MatchesExactSubstring) {
    UnicodeTextItem item(u"ABC 中文 def");
    EXPECT_EQ(item.matches("abc"), 0);
    EXPECT_EQ(item.matches("ABC"), 1);
    EXPECT_EQ(item.matches("C 中"), 1);
    EXPECT_EQ(item.matches("文 def"), 1);
    EXPECT_EQ(item.matches("def "), 0);
    EXPECT_EQ(item.matches(""), 1);
    EXPECT_EQ(item.matches(nullptr), 1);
    EXPECT_EQ(UnicodeTextItem(u"ａｂｃ").matches("abc"), 0);
}

TEST(ClipItemTest, MatchesWholeCodeUnitsOnly) {
    // The bytes of U+6141 U+6200 U+4E00 are 41 61 00 62 00 4E: "ab" (61 00
    // 62 00) stands in them one byte off, which is no match.
    EXPECT_EQ(UnicodeTextItem(u"\u6141\u6200\u4E00").matches("ab"), 0);
    EXPECT_EQ(UnicodeTextItem(u"\u6161").matches("a"), 0);
    EXPECT_EQ(UnicodeTextItem(std::u16string(100000, u'x') + u"needle").matches("needle"), 1);
    EXPECT_EQ(UnicodeTextItem(std::u16string(100000, u'x') + u"needl").matches("needle"), 0);
    EXPECT_EQ(UnicodeTextItem(u"ab").matches("abc"), 0);
    EXPECT_EQ(UnicodeTextItem(u"aab").matches("ab"), 1);
}

TEST(ClipItemTest, BaseItemGivesDefaultAnswers) {
    ClipItem base;
    FakeClipboard clipboard;
    EXPECT_EQ(base.narrowText(), "");
    EXPECT_EQ(base.summary(), "");
    EXPECT_EQ(base.charCount(), 0);
    EXPECT_EQ(base.matches(""), 0);
    EXPECT_EQ(base.putOnClipboard(clipboard), -1);
    EXPECT_EQ(clipboard.puts, 0);
}

TEST(ClipItemTest, PutOnClipboardOffersTheTextBytes) {
    UnicodeTextItem item(u"hi中");
    FakeClipboard clipboard;
    EXPECT_EQ(item.putOnClipboard(clipboard), 0);
    EXPECT_EQ(clipboard.content,
              std::vector<unsigned char>(item.text(), item.text() + item.byteLength()));
    clipboard.refuse = true;
    EXPECT_EQ(item.putOnClipboard(clipboard), 0);
    EXPECT_EQ(UnicodeTextItem(u"").putOnClipboard(clipboard), 0);
}

TEST(ClipItemRecordTest, RecordOfTwoLettersIsSixtySixBytes) {
    UnicodeTextItem item(u"ab");
    item.setAlias("al");
    const std::vector<unsigned char> bytes = serialized(item);
    ASSERT_EQ(bytes.size(), 66u);
    EXPECT_EQ(item.serialize(nullptr), 66);
    EXPECT_EQ(hex(bytes.data(), 4), "42000000");
    EXPECT_EQ(hex(bytes.data() + 4, 3), "616c00");
    const std::uint32_t t = static_cast<std::uint32_t>(item.timestamp());
    EXPECT_EQ(bytes[36] | bytes[37] << 8 | bytes[38] << 16 | static_cast<std::uint32_t>(bytes[39]) << 24, t);
    EXPECT_EQ(hex(bytes.data() + 40, 2), "0d00");
    EXPECT_EQ(hex(bytes.data() + 42, 16), "aa3a791e273bce9cf4a2a7caa9028b36");
    EXPECT_EQ(hex(bytes.data() + 58, 4), "04000000");
    EXPECT_EQ(hex(bytes.data() + 62, 4), "61006200");
}

TEST(ClipItemRecordTest, RoundTripKeepsEveryByte) {
    // Alias with bytes after its terminator, a digest that does not belong
    // to the text, a negative timestamp: all kept as stored.
    std::vector<unsigned char> alias(32, 0);
    for (int i = 0; i < 30; ++i) alias[i] = static_cast<unsigned char>('A' + i % 26);
    alias[31] = 0x7F;
    const std::vector<unsigned char> in = record(alias, -5, 13, 0xC0, {0x2D, 0x4E, 'a', 0});

    UnicodeTextItem item;
    ASSERT_EQ(item.deserialize(in.data(), static_cast<std::int32_t>(in.size())), 0);
    EXPECT_EQ(item.timestamp(), -5);
    EXPECT_EQ(item.digest()[0], 0xC0);
    EXPECT_EQ(item.charCount(), 2);
    EXPECT_EQ(item.narrowText(), "中a");
    EXPECT_EQ(serialized(item), in);
}

TEST(ClipItemRecordTest, AliasWithoutAZeroIsReadAsItsThirtyTwoBytes) {
    const std::vector<unsigned char> alias(32, 'Q');
    const std::vector<unsigned char> in = record(alias, 9, 13, 3, {'a', 0, 'b', 0});
    UnicodeTextItem item;
    ASSERT_EQ(item.deserialize(in.data(), static_cast<std::int32_t>(in.size())), 0);
    EXPECT_EQ(std::string(item.alias()), std::string(32, 'Q'));
    EXPECT_TRUE(ItemColumns(1).cellText(1, item, 1) == std::u16string(32, u'Q'));
    EXPECT_EQ(serialized(item), in);
}

TEST(ClipItemRecordTest, OddByteLengthDropsTheLastByteFromCharCount) {
    const std::vector<unsigned char> in = record({}, 7, 13, 1, {'a', 0, 'b', 0, 'c'});
    UnicodeTextItem item;
    ASSERT_EQ(item.deserialize(in.data(), 67), 0);
    EXPECT_EQ(item.byteLength(), 5);
    EXPECT_EQ(item.charCount(), 2);
    EXPECT_EQ(item.narrowText(), "ab");
    EXPECT_EQ(item.matches("ab"), 1);
    EXPECT_EQ(serialized(item), in);
}

TEST(ClipItemRecordTest, MalformedRecordsLeaveTheItemUnchanged) {
    UnicodeTextItem item(u"keep");
    item.setAlias("mine");
    const std::vector<unsigned char> before = serialized(item);

    std::vector<unsigned char> good = record({'x'}, 1, 13, 2, {'a', 0});
    EXPECT_EQ(item.deserialize(good.data(), 61), -1);     // shorter than the header
    EXPECT_EQ(item.deserialize(good.data(), 65), -1);     // byteLength disagrees
    EXPECT_EQ(item.deserialize(nullptr, 64), -1);
    std::vector<unsigned char> negative = good;
    put32(negative, 58, 0xFFFFFFFEu);                     // byteLength -2
    EXPECT_EQ(item.deserialize(negative.data(), 60), -1);
    EXPECT_EQ(item.deserialize(negative.data(), 64), -1);
    EXPECT_EQ(serialized(item), before);

    std::vector<unsigned char> header = record({}, 1, 13, 2, {});
    EXPECT_EQ(item.deserialize(header.data(), 62), 0);
    EXPECT_EQ(item.byteLength(), 0);
    EXPECT_EQ(item.text(), nullptr);
}

namespace {

using Bytes = std::vector<unsigned char>;

Bytes patched(Bytes bytes, std::size_t at, std::int32_t value) {
    put32(bytes, at, static_cast<std::uint32_t>(value));
    return bytes;
}

Bytes cut(Bytes bytes, std::size_t drop) {
    bytes.resize(bytes.size() - drop);
    return bytes;
}

template <class Kind>
std::unique_ptr<ClipItem> itemOf(const Bytes& bytes) {
    auto item = std::make_unique<Kind>();
    item->setText(bytes.data(), static_cast<std::int32_t>(bytes.size()));
    return item;
}

}  // namespace

TEST(ClipKindsTest, CaptionsOfImagesAndFileListsHoldUpToLyingBytes) {
    const Bytes png = patched(patched(patched(dibBytes(1, 1), 4, 100000), 8, 100000), 16, 5);
    const Bytes files = dropFilesBytes({u"C:\\a\\one.txt", u"D:\\two\\"});
    const struct {
        const char* what;
        std::unique_ptr<ClipItem> item;
        std::u16string caption;
    } rows[] = {
        {"bottom-up", itemOf<BitmapItem>(dibBytes(2, 3)), u"[图片 2×3]"},
        {"top-down", itemOf<BitmapItem>(dibBytes(1920, -1080)), u"[图片 1920×1080]"},
        {"palette", itemOf<BitmapItem>(dibBytes(3, 1, 8)), u"[图片 3×1]"},
        {"header size too small", itemOf<BitmapItem>(patched(dibBytes(2, 3), 0, 39)), u"[图片 ?]"},
        {"header size past the end", itemOf<BitmapItem>(patched(dibBytes(2, 3), 0, 4000)), u"[图片 ?]"},
        {"zero width", itemOf<BitmapItem>(dibBytes(0, 3)), u"[图片 ?]"},
        {"negative width", itemOf<BitmapItem>(patched(dibBytes(2, 3), 4, -2)), u"[图片 ?]"},
        {"lowest height", itemOf<BitmapItem>(patched(dibBytes(2, 3), 8, INT32_MIN)), u"[图片 ?]"},
        {"huge compressed", itemOf<BitmapItem>(patched(png, 20, 4)), u"[图片 ?]"},
        {"pixels cut", itemOf<BitmapItem>(cut(dibBytes(2, 3), 1)), u"[图片 ?]"},
        {"image size past the end", itemOf<BitmapItem>(patched(dibBytes(2, 3), 20, 100)), u"[图片 ?]"},
        {"colour table past the end", itemOf<BitmapItem>(cut(dibBytes(1, 1, 8), 1020)), u"[图片 ?]"},
        {"more colours than the depth", itemOf<BitmapItem>(patched(dibBytes(8, 1, 1), 32, 3)), u"[图片 ?]"},
        {"short header", itemOf<BitmapItem>(cut(dibBytes(2, 3), 30)), u"[图片 ?]"},
        {"no bytes", itemOf<BitmapItem>({}), u"[图片 ?]"},
        {"two files", itemOf<FileListItem>(files), u"[文件] one.txt; two"},
        {"narrow paths", itemOf<FileListItem>(dropFilesBytes({u"C:\\x\\a.txt"}, false)), u"[文件] a.txt"},
        {"long names", itemOf<FileListItem>(dropFilesBytes({u"C:\\" + std::u16string(40, u'x')})),
         u"[文件] " + std::u16string(28, u'x') + u"..."},
        {"offset past the end", itemOf<FileListItem>(patched(files, 0, 4000)), u"[文件]"},
        {"offset into the header", itemOf<FileListItem>(patched(patched(files, 0, 4), 4, 'A')), u"[文件]"},
        {"unterminated", itemOf<FileListItem>(cut(files, 2)), u"[文件]"},
        {"empty list", itemOf<FileListItem>(dropFilesBytes({})), u"[文件]"},
        {"short header", itemOf<FileListItem>(cut(dropFilesBytes({}), 4)), u"[文件]"},
    };
    const ItemColumns columns(0);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        EXPECT_EQ(row.item->wideSummary(), row.caption);
        EXPECT_EQ(columns.cellText(1, *row.item, 1), row.caption);
    }
    // '×' and the Chinese characters as code page 936 has them.
    EXPECT_EQ(rows[0].item->summary(), "[\xCD\xBC\xC6\xAC 2\xA1\xC1" "3]");
    EXPECT_EQ(rows[15].item->narrowText(), "C:\\a\\one.txt\r\nD:\\two\\");
}

TEST(ClipKindsTest, ImagesAndFileListsAreClonedPastedAndSearchedButNotEdited) {
    const Bytes files = dropFilesBytes({u"C:\\docs\\plan.txt", u"C:\\b.png"});
    const struct {
        std::unique_ptr<ClipItem> item;
        std::uint16_t format;
        const char* type;
        bool editable;
        std::string count;
        std::vector<std::pair<const char*, int>> searches;
    } rows[] = {
        {itemOf<BitmapItem>(dibBytes(2, 3)), 8, "Bitmap", false, "", {{"", 1}, {"2", 0}}},
        {itemOf<FileListItem>(files), 15, "Files", false, "",
         {{"", 1}, {"docs", 1}, {"b.png", 1}, {"plan.txt; b", 0}, {"DOCS", 0}}},
        {std::make_unique<UnicodeTextItem>(u"ab"), 13, "Unicode", true, "2", {{"b", 1}}},
    };
    const ItemColumns columns(0);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.type);
        row.item->setAlias("named");
        EXPECT_EQ(row.item->format(), row.format);
        EXPECT_STREQ(row.item->typeName(), row.type);
        EXPECT_EQ(narrow(columns.cellText(3, *row.item, 1)), row.type);
        EXPECT_EQ(narrow(columns.cellText(2, *row.item, 1)), row.count);
        EXPECT_EQ(row.item->isEditable(), row.editable);
        for (const auto& search : row.searches)
            EXPECT_EQ(row.item->matches(search.first), search.second) << search.first;

        const std::unique_ptr<ClipItem> copy = row.item->clone();
        ASSERT_NE(copy, nullptr);
        EXPECT_EQ(copy->wideSummary(), row.item->wideSummary());
        EXPECT_EQ(copy->format(), row.format);
        EXPECT_EQ(copy->digestEquals(*row.item), 1);
        EXPECT_STREQ(copy->alias(), "");

        FakeClipboard clipboard;
        EXPECT_EQ(row.item->putOnClipboard(clipboard), 0);
        EXPECT_EQ(clipboard.format, row.format);
        EXPECT_EQ(clipboard.content, Bytes(row.item->text(), row.item->text() + row.item->byteLength()));
    }
}
