#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "core/ClipItem.h"
#include "core/ItemColumns.h"
#include "core/LittleEndian.h"
#include "core/TextCodec.h"
#include "core/UnicodeTextItem.h"
#include "TimeZone.h"

namespace {

// MD5 of "hello" as UTF-16LE bytes.
const char* const HelloDigest = "FD186DD49A16B1BF2BD2F44E495E14C9";

std::vector<int> widths(const ItemColumns& columns, int windowWidth) {
    std::vector<int> out;
    for (int c = 0; c < columns.count(); ++c) out.push_back(columns.initialWidth(c, windowWidth));
    return out;
}

std::vector<std::string> titles(const ItemColumns& columns) {
    std::vector<std::string> out;
    for (int c = 0; c < columns.count(); ++c) out.push_back(columns.title(c));
    return out;
}

std::vector<std::string> row(const ItemColumns& columns, const ClipItem& item, int number) {
    std::vector<std::string> out;
    for (int c = 0; c < columns.count(); ++c) out.push_back(narrow(columns.cellText(c, item, number)));
    return out;
}

// 2008-07-14 09:05:07 UTC, 14:50:07 in the test's zone (UTC+5:45).
constexpr std::int32_t July14 = 1216026307;

// An item with the text, taken at the given time, as a file would give it.
std::unique_ptr<ClipItem> itemFrom(const std::u16string& text, std::int32_t timestamp) {
    const UnicodeTextItem fresh(text);
    std::vector<unsigned char> record(static_cast<std::size_t>(fresh.serializedSize()));
    fresh.serialize(record.data());
    putInt32LE(&record[36], timestamp);
    auto item = std::make_unique<UnicodeTextItem>();
    EXPECT_EQ(item->deserialize(record.data(), fresh.serializedSize()), 0);
    return item;
}

TEST(ItemColumnsLayout, ActiveListHasSixColumnsWithTheHashLast) {
    const ItemColumns active(0);
    EXPECT_EQ(active.count(), 6);
    EXPECT_EQ(active.hashColumn(), 5);
    EXPECT_EQ(titles(active),
              (std::vector<std::string>{"", "摘要", "字数", "类型", "时间", "HashValue"}));
    EXPECT_EQ(widths(active, 200), (std::vector<int>{20, 120, 40, 0, 0, 0}));
}

TEST(ItemColumnsLayout, FavoritesHaveTheAliasColumnAndTheHashInColumnSix) {
    const ItemColumns favorites(1);
    EXPECT_EQ(favorites.count(), 7);
    EXPECT_EQ(favorites.hashColumn(), 6);
    EXPECT_EQ(titles(favorites),
              (std::vector<std::string>{"", "别名", "摘要", "字数", "类型", "时间", "HashValue"}));
    EXPECT_EQ(widths(favorites, 200), (std::vector<int>{20, 30, 90, 40, 0, 0, 0}));
}

TEST(ItemColumnsLayout, WidthsMultiplyBeforeDividing) {
    // 3 * 219 / 20 = 32, whereas 3 * (219 / 20) would be 30.
    EXPECT_EQ(widths(ItemColumns(1), 219), (std::vector<int>{21, 32, 98, 43, 0, 0, 0}));
    EXPECT_EQ(widths(ItemColumns(0), 219), (std::vector<int>{21, 131, 43, 0, 0, 0}));
}

TEST(ItemColumnsLayout, UnknownColumnsAreEmpty) {
    const ItemColumns active(0);
    const UnicodeTextItem item(u"hello");
    EXPECT_STREQ(active.title(6), "");
    EXPECT_STREQ(active.title(-1), "");
    EXPECT_EQ(active.initialWidth(6, 200), 0);
    EXPECT_TRUE(active.cellText(6, item, 1).empty());
    EXPECT_TRUE(active.cellText(-1, item, 1).empty());
}

TEST(ItemColumnsCells, ActiveRowShowsNumberSummaryCountTypeTimeAndDigest) {
    const ScopedTimeZone zone;
    const auto item = itemFrom(u"hello", July14);
    item->setAlias("mail");  // the active list has no alias column
    EXPECT_EQ(row(ItemColumns(0), *item, 3),
              (std::vector<std::string>{"3", "hello", "5", "Unicode", "14:50:07 2008-07-14",
                                        HelloDigest}));
}

TEST(ItemColumnsCells, FavoritesRowShowsTheAliasBeforeTheSummary) {
    const ScopedTimeZone zone;
    const auto item = itemFrom(u"hello", July14);
    item->setAlias("mail");
    EXPECT_EQ(row(ItemColumns(1), *item, 12),
              (std::vector<std::string>{"12", "mail", "hello", "5", "Unicode",
                                        "14:50:07 2008-07-14", HelloDigest}));
}

TEST(ItemColumnsCells, ChineseTextShowsItsNarrowSummaryAndCodeUnitCount) {
    // 20 Chinese characters and 5 Latin letters: 45 bytes of narrow text.
    std::u16string text;
    for (int i = 0; i < 20; ++i) text += u'\u4E2D';
    text += u"abcde";
    const UnicodeTextItem item(text);
    const ItemColumns active(0);
    EXPECT_EQ(narrow(active.cellText(1, item, 1)), item.summary());
    EXPECT_EQ(item.summary().size(), 37u);  // 34 bytes, then "..."
    EXPECT_EQ(narrow(active.cellText(2, item, 1)), "25");
}

TEST(ItemColumnsCells, TextOutsideTheCodePageShowsAsItIs) {
    const std::u16string text = u"emoji \U0001F600 \u0109 \u015D \uD55C\uAD6D\uC5B4 end";
    const UnicodeTextItem item(text);
    EXPECT_TRUE(ItemColumns(0).cellText(1, item, 1) == text);
    EXPECT_TRUE(ItemColumns(0).cellText(2, item, 1) == u"20");
}

TEST(ItemColumnsTime, FormatsTheTimestampInLocalTime) {
    const ScopedTimeZone zone;
    EXPECT_EQ(ItemColumns::timeText(July14), "14:50:07 2008-07-14");
    // 2008-07-14 20:00:00 UTC is already the next day there.
    EXPECT_EQ(ItemColumns::timeText(1216065600), "01:45:00 2008-07-15");
    EXPECT_EQ(ItemColumns::timeText(0), "05:45:00 1970-01-01");
}

TEST(ItemColumnsDigest, TextIsThirtyTwoUpperCaseHexCharacters) {
    const UnicodeTextItem empty(u"");
    EXPECT_EQ(ItemColumns::digestText(empty), "D41D8CD98F00B204E9800998ECF8427E");
    EXPECT_EQ(ItemColumns::digestText(UnicodeTextItem(u"hello")), HelloDigest);
}

TEST(ItemColumnsDigest, ParsingACellGivesTheDigestBack) {
    const UnicodeTextItem item(u"hello");
    unsigned char digest[ClipItem::DigestSize] = {};
    ASSERT_EQ(ItemColumns::parseDigest(ItemColumns::digestText(item), digest), 0);
    EXPECT_EQ(std::memcmp(digest, item.digest(), sizeof digest), 0);
}

TEST(ItemColumnsDigest, OnlyTheFirstThirtyTwoCharactersCount) {
    const UnicodeTextItem item(u"hello");
    unsigned char digest[ClipItem::DigestSize] = {};
    ASSERT_EQ(ItemColumns::parseDigest(std::string(HelloDigest) + "XYZ", digest), 0);
    EXPECT_EQ(std::memcmp(digest, item.digest(), sizeof digest), 0);
}

TEST(ItemColumnsDigest, ShortOrInvalidCellsAreRefused) {
    unsigned char digest[ClipItem::DigestSize] = {};
    EXPECT_EQ(ItemColumns::parseDigest("", digest), -1);
    EXPECT_EQ(ItemColumns::parseDigest(std::string(HelloDigest).substr(0, 31), digest), -1);
    EXPECT_EQ(ItemColumns::parseDigest("ZZ186DD49A16B1BF2BD2F44E495E14C9", digest), -1);
    EXPECT_EQ(ItemColumns::parseDigest(HelloDigest, nullptr), -1);
}

}  // namespace
