#include "core/ListCaption.h"

#include <gtest/gtest.h>

#include <memory>

#include "Fakes.h"
#include "core/ItemStore.h"
#include "core/UnicodeTextItem.h"
#include "storage/Settings.h"

TEST(ListCaption, NamesTheListWithItsCountAndCapacity) {
    Settings settings;
    settings.MaxActiveItemNum(50);
    settings.MaxFavoriteItemNum(10);
    RecordingMessages messages;
    ItemStore active(0, settings, messages);
    ItemStore favorites(1, settings, messages);
    EXPECT_EQ("活动列表：[0/50]", listCaption(active));
    EXPECT_EQ("收藏夹：[0/10]", listCaption(favorites));
    active.add(std::make_unique<UnicodeTextItem>(u"a"), 1);
    active.add(std::make_unique<UnicodeTextItem>(u"b"), 1);
    favorites.add(std::make_unique<UnicodeTextItem>(u"c"), 1);
    EXPECT_EQ("活动列表：[2/50]", listCaption(active));
    EXPECT_EQ("收藏夹：[1/10]", listCaption(favorites));
}
