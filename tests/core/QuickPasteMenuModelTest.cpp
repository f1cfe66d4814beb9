#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "Fakes.h"
#include "core/ItemStore.h"
#include "core/QuickPasteMenuModel.h"
#include "core/TextCodec.h"
#include "core/UnicodeTextItem.h"
#include "storage/Settings.h"

namespace {

struct Stores {
    Stores() {
        settings.MaxActiveItemNum(100);
        settings.MaxFavoriteItemNum(100);
    }
    void add(ItemStore& store, const std::u16string& text, const char* alias = "") {
        auto item = std::make_unique<UnicodeTextItem>(text);
        item->setAlias(alias);
        ASSERT_EQ(0, store.add(std::move(item), 0));
    }
    void fill(ItemStore& store, int count) {
        for (int i = 0; i < count; ++i) {
            const std::string n = std::to_string(i);
            add(store, u"t" + std::u16string(n.begin(), n.end()));
        }
    }
    std::vector<QuickPasteEntry> menu(int popupShowInfo) const {
        return QuickPasteMenuModel::build(favorites, active, popupShowInfo);
    }

    Settings settings;
    RecordingMessages messages;
    ItemStore active{0, settings, messages};
    ItemStore favorites{1, settings, messages};
};

void expectEntry(const QuickPasteEntry& e, const std::u16string& caption, int id, unsigned flags) {
    EXPECT_FALSE(e.separator) << id;
    EXPECT_TRUE(caption == e.caption) << id;
    EXPECT_EQ(id, e.id) << id;
    EXPECT_EQ(flags, e.flags) << id;
}

void expectEntry(const QuickPasteEntry& e, const std::string& caption, int id, unsigned flags) {
    expectEntry(e, widen(caption), id, flags);
}

TEST(QuickPasteMenuModel, PopupShowInfoChoosesTheSections) {
    Stores s;
    s.add(s.favorites, u"收藏一");
    s.add(s.favorites, u"fav two", "别名");
    s.add(s.active, u"最新");

    auto activeOnly = s.menu(1);
    ASSERT_EQ(3u, activeOnly.size());
    expectEntry(activeOnly[0], "<<活动文本条目>>", 9999, 0);
    EXPECT_TRUE(activeOnly[1].separator);
    expectEntry(activeOnly[2], "(&1)  最新", 2500, 0);

    auto favoritesOnly = s.menu(2);
    ASSERT_EQ(4u, favoritesOnly.size());
    expectEntry(favoritesOnly[0], "<<收藏夹条目>>", 9999, 0);
    EXPECT_TRUE(favoritesOnly[1].separator);
    expectEntry(favoritesOnly[2], "收藏一", 2000, 0);
    expectEntry(favoritesOnly[3], "别名", 2001, 0);

    // Both: the favorites first, the active list in a column of its own.
    auto both = s.menu(3);
    ASSERT_EQ(7u, both.size());
    expectEntry(both[0], "<<收藏夹条目>>", 9999, 0);
    expectEntry(both[3], "别名", 2001, 0);
    expectEntry(both[4], "<<活动文本条目>>", 9999, 0x20);
    EXPECT_TRUE(both[5].separator);
    expectEntry(both[6], "(&1)  最新", 2500, 0);

    for (int other : {0, 4, -1, 100}) EXPECT_TRUE(s.menu(other).empty()) << other;

    Stores empty;
    auto headerOnly = empty.menu(1);
    ASSERT_EQ(2u, headerOnly.size());
    expectEntry(headerOnly[0], "<<活动文本条目>>", 9999, 0);
    EXPECT_TRUE(headerOnly[1].separator);
}

TEST(QuickPasteMenuModel, FortyActiveItemsGetMnemonicsAndASecondColumn) {
    Stores s;
    s.fill(s.active, 40);
    auto menu = s.menu(1);
    ASSERT_EQ(42u, menu.size());
    const std::vector<std::pair<int, std::string>> expected = {
        {0, "(&1)  t0"},   {8, "(&9)  t8"},   {9, "(&0)  t9"}, {10, "(&A)  t10"},
        {29, "(&T)  t29"}, {30, "(&U)  t30"}, {35, "(&Z)  t35"}, {36, "t36"}, {39, "t39"}};
    for (const auto& [position, caption] : expected) {
        expectEntry(menu[2 + position], caption, 2500 + position, position == 30 ? 0x20u : 0u);
    }
}

TEST(QuickPasteMenuModel, ThirtyOneFavoritesBreakBeforeTheLast) {
    Stores s;
    s.fill(s.favorites, 31);
    auto menu = s.menu(2);
    ASSERT_EQ(33u, menu.size());
    for (int i = 0; i < 31; ++i) {
        expectEntry(menu[2 + i], "t" + std::to_string(i), 2000 + i, i == 30 ? 0x20u : 0u);
    }
}

TEST(QuickPasteMenuModel, TabsShowAsTwoSpacesAndAliasesOnlyInTheFavorites) {
    Stores s;
    s.add(s.favorites, u"a\tb");
    s.add(s.favorites, u"same text", "my\talias & co");
    s.add(s.active, u"same text");
    s.add(s.active, u"x\ty");
    s.add(s.active, u"emoji \U0001F600 \u0109 \u015D \uD55C\uAD6D\uC5B4 end");
    auto menu = s.menu(3);
    ASSERT_EQ(9u, menu.size());
    expectEntry(menu[2], "a  b", 2000, 0);
    expectEntry(menu[3], "my\talias & co", 2001, 0);
    expectEntry(menu[6], "(&1)  same text", 2500, 0);
    expectEntry(menu[7], "(&2)  x  y", 2501, 0);
    // Every character as it is, outside the code page too.
    expectEntry(menu[8], u"(&3)  emoji \U0001F600 \u0109 \u015D \uD55C\uAD6D\uC5B4 end", 2502, 0);
}

// A stored alias may fill its 32 bytes without a terminator.
TEST(QuickPasteMenuModel, AnAliasFillingAll32BytesIsListedWhole) {
    Stores s;
    const UnicodeTextItem text(u"aliased text");
    std::vector<unsigned char> record(static_cast<std::size_t>(text.serializedSize()));
    text.serialize(record.data());
    const std::string alias = "ABCDEFGHIJKLMNOPQRSTUVWXYZ012345";
    std::copy(alias.begin(), alias.end(), record.begin() + 4);
    auto stored = std::make_unique<UnicodeTextItem>();
    ASSERT_EQ(0, stored->deserialize(record.data(), static_cast<std::int32_t>(record.size())));
    ASSERT_EQ(0, s.favorites.add(std::move(stored), 0));
    auto menu = s.menu(2);
    ASSERT_EQ(3u, menu.size());
    expectEntry(menu[2], "ABCDEFGHIJKLMNOPQRSTUVWXYZ012345", 2000, 0);
}

TEST(QuickPasteMenuModel, CommandIdsNameStoreAndPosition) {
    const std::vector<std::pair<int, std::pair<bool, int>>> cases = {
        {2000, {false, 0}}, {2007, {false, 7}}, {2499, {false, 499}},
        {2500, {true, 0}},  {2531, {true, 31}}, {3000, {true, 500}}};
    for (const auto& [id, expected] : cases) {
        const auto choice = QuickPasteMenuModel::resolve(id);
        EXPECT_EQ(expected.first, choice.active) << id;
        EXPECT_EQ(expected.second, choice.position) << id;
    }
}

// Longer lists than the settings dialog allows (a hand-edited maximum):
// 500 favorites (2000..2499) and 501 active entries (2500..3000), each
// naming its own item, and nothing after them.
TEST(QuickPasteMenuModel, LongListsStayInsideTheirIdRanges) {
    Stores s;
    s.settings.MaxFavoriteItemNum(600);
    s.settings.MaxActiveItemNum(600);
    s.fill(s.favorites, 520);
    s.fill(s.active, 520);
    const auto menu = s.menu(3);
    ASSERT_EQ(2u + 500 + 2 + 501, menu.size());
    expectEntry(menu[2], "t0", 2000, 0);
    expectEntry(menu[2 + 30], "t30", 2030, 0x20);
    expectEntry(menu[2 + 499], "t499", 2499, 0);
    expectEntry(menu[502], "<<活动文本条目>>", 9999, 0x20);
    expectEntry(menu[504], "(&1)  t0", 2500, 0);
    expectEntry(menu[504 + 35], "(&Z)  t35", 2535, 0);
    expectEntry(menu[504 + 36], "t36", 2536, 0);
    expectEntry(menu[504 + 500], "t500", 3000, 0);
}

}  // namespace
