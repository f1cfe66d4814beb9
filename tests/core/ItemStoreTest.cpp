#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <cstdint>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "Fakes.h"
#include "core/BitmapItem.h"
#include "core/ItemStore.h"
#include "core/LittleEndian.h"
#include "core/MessageSink.h"
#include "core/StoreChangeListener.h"
#include "core/StoreObserver.h"
#include "core/UnicodeTextItem.h"
#include "storage/Settings.h"

namespace {

const char* const DuplicateMessage = "收藏夹中已有此文本！";
const char* const FullMessage = "收藏夹内容已满，请删除多余项后再添加！";
const char* const SearchTooLongMessage = "搜索文本超长！";

std::u16string ascii(const std::string& s) { return std::u16string(s.begin(), s.end()); }

void put32(std::vector<unsigned char>& out, std::size_t at, std::int32_t v) {
    const std::uint32_t u = static_cast<std::uint32_t>(v);
    for (int i = 0; i < 4; ++i) out[at + i] = static_cast<unsigned char>(u >> (8 * i));
}

std::int32_t get32(const std::vector<unsigned char>& in, std::size_t at) {
    std::uint32_t u = 0;
    for (int i = 0; i < 4; ++i) u |= static_cast<std::uint32_t>(in[at + i]) << (8 * i);
    return static_cast<std::int32_t>(u);
}

// An image of the given size whose bytes are never written or read: the
// store weighs images by their byteLength alone. The name is its alias and
// the start of its digest.
std::unique_ptr<ClipItem> image(const std::string& name, std::int32_t bytes) {
    unsigned char header[62] = {};
    putInt32LE(header, 62 + bytes);
    std::memcpy(header + 4, name.data(), name.size());
    putUint16LE(header + 40, 8);
    std::memcpy(header + 42, name.data(), name.size());
    putInt32LE(header + 58, bytes);
    auto item = std::make_unique<BitmapItem>();
    EXPECT_EQ(item->deserialize(header, 62 + bytes, [](unsigned char*, std::int32_t) { return true; }), 0);
    return item;
}

std::string aliases(const ItemStore& store) {
    std::string out;
    for (ClipItem* item : store.snapshot()) out += std::string(out.empty() ? "" : ",") + item->alias();
    return out;
}

class CountingObserver : public StoreObserver {
public:
    void refresh() override { ++refreshes; }
    int refreshes = 0;
};

class CountingListener : public StoreChangeListener {
public:
    void storeChanged(ItemStore& store) override { heard.push_back(&store); }
    std::vector<ItemStore*> heard;
};

class ItemStoreTest : public ::testing::Test {
protected:
    // Adds a new item with the ASCII text and returns it (null when refused).
    ClipItem* add(ItemStore& store, const std::string& s, int atFront = 0) {
        auto item = std::make_unique<UnicodeTextItem>(ascii(s));
        ClipItem* raw = item.get();
        return store.add(std::move(item), atFront) == 0 ? raw : nullptr;
    }

    static std::string order(const ItemStore& store) {
        std::string out;
        for (ClipItem* item : store.snapshot()) {
            if (!out.empty()) out += ',';
            out += item->narrowText();
        }
        return out;
    }

    static std::vector<unsigned char> block(const ItemStore& store) {
        std::vector<unsigned char> out(static_cast<std::size_t>(store.serializedSize()));
        EXPECT_EQ(store.serialize(out.data()), store.serializedSize());
        return out;
    }

    int parse(ItemStore& store, const std::vector<unsigned char>& bytes, std::int32_t* stoppedAt) {
        return store.parseBlock(bytes.data(), static_cast<std::int32_t>(bytes.size()), stoppedAt);
    }

    Settings settings;
    RecordingMessages messages;
    ItemStore active{0, settings, messages};
    ItemStore favorites{1, settings, messages};
};

}  // namespace

TEST_F(ItemStoreTest, ActiveListMovesADuplicateToTheTopEvenWhenFull) {
    for (int i = 49; i >= 0; --i) add(active, "t" + std::to_string(i), 1);
    ASSERT_EQ(active.count(), 50);
    ClipItem* old = active.itemAt(3);
    ClipItem* bottom = active.itemAt(49);

    ClipItem* again = add(active, "t3", 1);
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(active.count(), 50);
    EXPECT_EQ(active.itemAt(0), again);
    EXPECT_EQ(active.itemAt(49), bottom);
    EXPECT_EQ(active.findByDigest(again->digest()), again);
    EXPECT_EQ(order(active).substr(0, 15), "t3,t0,t1,t2,t4,");
    const auto all = active.snapshot();
    EXPECT_EQ(std::count(all.begin(), all.end(), old), 0);

    // A new text pushes the bottom one out.
    add(active, "new", 1);
    EXPECT_EQ(active.count(), 50);
    EXPECT_EQ(active.itemAt(0)->narrowText(), "new");
    EXPECT_EQ(active.itemAt(49)->narrowText(), "t48");

    // Texts alike in their first 35 bytes (their summaries) differ.
    const std::string head(40, 'h');
    add(active, head + "1", 1);
    add(active, head + "2", 1);
    EXPECT_EQ(order(active).substr(0, 2 * 41 + 5), head + "2," + head + "1,new");
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ItemStoreTest, FavoritesRefuseDuplicatesBeforeFullness) {
    for (int i = 0; i < 10; ++i) add(favorites, "f" + std::to_string(i));
    ASSERT_EQ(favorites.count(), 10);
    const std::string before = order(favorites);

    EXPECT_EQ(favorites.add(std::make_unique<UnicodeTextItem>(u"f4"), 0), 1);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, DuplicateMessage);
    EXPECT_EQ(messages.shown[0].style, msgbox::Ok);

    EXPECT_EQ(favorites.add(std::make_unique<UnicodeTextItem>(u"other"), 1), -1);
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[1].text, FullMessage);
    EXPECT_EQ(messages.shown[1].style, msgbox::Ok);
    EXPECT_EQ(order(favorites), before);

    // Not full: a duplicate is still refused and the original stays.
    favorites.removeFromBack(5);
    ClipItem* f2 = favorites.itemAt(2);
    EXPECT_EQ(favorites.add(std::make_unique<UnicodeTextItem>(u"f2"), 1), 1);
    EXPECT_EQ(favorites.itemAt(2), f2);
    EXPECT_EQ(favorites.count(), 5);
    EXPECT_NE(add(favorites, std::string(40, 'h') + "1"), nullptr);
    EXPECT_NE(add(favorites, std::string(40, 'h') + "2"), nullptr);
    EXPECT_EQ(messages.shown.size(), 3u);
}

TEST_F(ItemStoreTest, AppendingBeyondCapacityKeepsFirstAndLast) {
    settings.MaxActiveItemNum(5);
    for (int i = 0; i < 8; ++i) add(active, "a" + std::to_string(i));
    EXPECT_EQ(order(active), "a0,a1,a2,a3,a7");

    // The maximum is read at every use; below 1 it counts as 1.
    settings.MaxActiveItemNum(0);
    EXPECT_EQ(active.capacity(), 1);
    add(active, "only", 1);
    EXPECT_EQ(order(active), "only,a0,a1,a2,a3");
    settings.MaxActiveItemNum(-3);
    EXPECT_EQ(active.countLabel(), "[5/1]");
}

TEST_F(ItemStoreTest, ImagesStayWithinThirtyTwoMegabytesEachAndTwoHundredFiftySixTogether) {
    constexpr std::int32_t MB = 1024 * 1024;
    settings.MaxActiveItemNum(20);
    EXPECT_EQ(active.add(image("over", 32 * MB + 1), 1), -2);
    EXPECT_EQ(favorites.add(image("over", 32 * MB + 1), 0), -2);
    EXPECT_EQ(active.count() + favorites.count(), 0);

    add(active, "oldest text")->setAlias("t");
    for (int i = 0; i < 8; ++i) ASSERT_EQ(active.add(image("i" + std::to_string(i), 32 * MB), 1), 0);
    ASSERT_EQ(favorites.add(image("fav", 32 * MB), 0), 0);
    EXPECT_EQ(aliases(active), "i7,i6,i5,i4,i3,i2,i1,i0,t");

    // One byte beyond 256 MB: the oldest image goes, never the text below it.
    ASSERT_EQ(active.add(image("new", 1), 1), 0);
    EXPECT_EQ(aliases(active), "new,i7,i6,i5,i4,i3,i2,i1,t");
    add(active, "text", 1)->setAlias("t2");
    ASSERT_EQ(active.add(image("big", 32 * MB), 1), 0);
    EXPECT_EQ(aliases(active), "big,t2,new,i7,i6,i5,i4,i3,i2,t");
    // Copying an image that is held again moves it up and drops nothing.
    ASSERT_EQ(active.add(image("i2", 32 * MB), 1), 0);
    EXPECT_EQ(aliases(active), "i2,big,t2,new,i7,i6,i5,i4,i3,t");
    EXPECT_EQ(aliases(favorites), "fav");
    EXPECT_TRUE(messages.shown.empty());
}

// A replacement read aside takes the place of the list as it was; what came
// in meanwhile (a drop, a capture) stays, as the list adds new items.
TEST_F(ItemStoreTest, ReplaceKeepsWhatArrivedWhileTheReplacementWasRead) {
    for (ItemStore* store : {&active, &favorites}) {
        add(*store, "old1");
        add(*store, "old2");
        const std::vector<ItemStore::Digest> before = store->digests();
        std::unique_ptr<ItemStore> incoming = store->emptyCopy();
        ASSERT_TRUE(incoming);
        add(*incoming, "new1");
        add(*incoming, "new2");
        add(*store, "drop1", store == &active);
        add(*store, "drop2", store == &active);
        store->replace(before, *incoming);
        EXPECT_EQ(order(*store), store == &active ? "drop2,drop1,new1,new2" : "new1,new2,drop1,drop2");
        EXPECT_EQ(incoming->count(), 0);
    }
}

TEST_F(ItemStoreTest, MovesRepositionTheItem) {
    ClipItem* items[5];
    for (int i = 0; i < 5; ++i) items[i] = add(active, std::to_string(i + 1));
    active.moveUp(items[0]);
    active.moveDown(items[4]);
    EXPECT_EQ(order(active), "1,2,3,4,5");
    active.moveToTop(items[2]);
    EXPECT_EQ(order(active), "3,1,2,4,5");
    active.moveToBottom(items[0]);
    EXPECT_EQ(order(active), "3,2,4,5,1");
    active.moveUp(items[3]);
    EXPECT_EQ(order(active), "3,4,2,5,1");
    active.moveDown(items[3]);
    EXPECT_EQ(order(active), "3,2,4,5,1");

    UnicodeTextItem stranger(u"x");
    active.moveUp(&stranger);
    active.moveToTop(&stranger);
    active.moveToBottom(nullptr);
    active.remove(&stranger);
    EXPECT_EQ(order(active), "3,2,4,5,1");
}

TEST_F(ItemStoreTest, LookupsAndRemoval) {
    ClipItem* a = add(active, "a");
    ClipItem* b = add(active, "b");
    add(active, "c");
    EXPECT_EQ(active.itemAt(active.count()), nullptr);
    EXPECT_EQ(active.itemAt(-1), nullptr);
    EXPECT_EQ(active.itemAt(1), b);
    EXPECT_EQ(active.findByDigest(UnicodeTextItem(u"b").digest()), b);
    EXPECT_EQ(active.findByDigest(UnicodeTextItem(u"d").digest()), nullptr);
    EXPECT_EQ(active.findByDigest(nullptr), nullptr);

    std::vector<ClipItem*> snap = active.snapshot();
    active.remove(b);
    EXPECT_EQ(order(active), "a,c");
    EXPECT_EQ(snap.size(), 3u);
    EXPECT_EQ(snap[0], a);

    active.removeFromBack(0);
    active.removeFromBack(-2);
    EXPECT_EQ(active.count(), 2);
    active.removeFromBack(1);
    EXPECT_EQ(order(active), "a");
    active.removeFromBack(7);
    EXPECT_EQ(active.count(), 0);
    add(active, "x");
    active.clear();
    EXPECT_EQ(active.count(), 0);
}

TEST_F(ItemStoreTest, SearchTextAcceptsSixteenBytes) {
    EXPECT_TRUE(active.searchText().empty());
    EXPECT_EQ(active.setSearchText("abcdefghijklmnop"), 0);
    EXPECT_TRUE(active.searchText() == u"abcdefghijklmnop");
    // Characters outside the code page count two bytes each, a surrogate
    // pair as one character.
    EXPECT_EQ(active.setSearchText(u"\U0001F600\u0109\uD55C\U0001F600abcdefgh"), 0);
    EXPECT_TRUE(active.searchText() == u"\U0001F600\u0109\uD55C\U0001F600abcdefgh");
    EXPECT_EQ(active.setSearchText("八个汉字八个汉字"), 0);
    EXPECT_TRUE(active.searchText() == u"八个汉字八个汉字");
    EXPECT_TRUE(messages.shown.empty());

    EXPECT_EQ(active.setSearchText("abcdefghijklmnopq"), -1);
    EXPECT_EQ(active.setSearchText("九个汉字九个汉字九"), -1);
    EXPECT_EQ(active.setSearchText(u"\U0001F600\u0109\uD55C\U0001F600abcdefghi"), -1);
    EXPECT_TRUE(active.searchText() == u"八个汉字八个汉字");
    ASSERT_EQ(messages.shown.size(), 3u);
    EXPECT_EQ(messages.shown[0].text, SearchTooLongMessage);
    EXPECT_EQ(messages.shown[0].text, "\xcb\xd1\xcb\xf7\xce\xc4\xb1\xbe\xb3\xac\xb3\xa4\xa3\xa1");
    EXPECT_EQ(messages.shown[0].style, msgbox::Ok | msgbox::IconStop);

    EXPECT_EQ(active.setSearchText("ab"), 0);
    EXPECT_TRUE(active.searchText() == u"ab");
}

TEST_F(ItemStoreTest, CountLabelAndObserver) {
    EXPECT_EQ(active.countLabel(), "[0/50]");
    EXPECT_EQ(favorites.countLabel(), "[0/10]");
    EXPECT_EQ(active.isFavorites(), 0);
    EXPECT_EQ(favorites.isFavorites(), 1);
    add(active, "a");
    settings.MaxActiveItemNum(100);
    EXPECT_EQ(active.countLabel(), "[1/100]");

    active.notifyObserver();  // none attached
    CountingObserver observer;
    active.setObserver(&observer);
    add(active, "b");
    EXPECT_EQ(observer.refreshes, 0);
    active.notifyObserver();
    EXPECT_EQ(observer.refreshes, 1);

    CountingListener listener;
    active.setChangeListener(&listener);
    add(active, "c");
    EXPECT_TRUE(listener.heard.empty());
    active.notifyObserver();
    EXPECT_EQ(observer.refreshes, 2);
    EXPECT_EQ(listener.heard, std::vector<ItemStore*>{&active});
}

TEST_F(ItemStoreTest, BlockLayout) {
    EXPECT_EQ(block(active), (std::vector<unsigned char>{4, 0, 0, 0}));
    add(active, "ab");
    const std::vector<unsigned char> bytes = block(active);
    ASSERT_EQ(bytes.size(), 70u);
    EXPECT_EQ(active.serialize(nullptr), 70);
    EXPECT_EQ(get32(bytes, 0), 70);
    EXPECT_EQ(get32(bytes, 4), 66);
    EXPECT_EQ(get32(bytes, 4 + 58), 4);
}

TEST_F(ItemStoreTest, BlockRoundTripIsByteForByte) {
    add(active, "first");
    add(active, "");
    ClipItem* named = add(active, "third");
    named->setAlias("别名");
    active.add(std::make_unique<UnicodeTextItem>(u"中文文本"), 1);
    const std::vector<unsigned char> bytes = block(active);

    ItemStore copy(0, settings, messages);
    std::int32_t stoppedAt = -1;
    EXPECT_EQ(parse(copy, bytes, &stoppedAt), 0);
    EXPECT_EQ(stoppedAt, static_cast<std::int32_t>(bytes.size()));
    EXPECT_EQ(order(copy), order(active));
    EXPECT_STREQ(copy.itemAt(3)->alias(), "别名");
    EXPECT_EQ(copy.itemAt(0)->timestamp(), active.itemAt(0)->timestamp());
    EXPECT_EQ(block(copy), bytes);

    // Parsing appends: the same block again replaces every item in turn.
    EXPECT_EQ(parse(copy, bytes, nullptr), 0);
    EXPECT_EQ(block(copy), bytes);

    std::vector<unsigned char> empty{4, 0, 0, 0};
    EXPECT_EQ(parse(copy, empty, &stoppedAt), 0);
    EXPECT_EQ(stoppedAt, 4);
    EXPECT_EQ(copy.count(), 4);
    EXPECT_EQ(copy.parseBlock(nullptr, 0, &stoppedAt), -1);
    EXPECT_EQ(copy.parseBlock(empty.data(), 3, &stoppedAt), -1);
    EXPECT_EQ(copy.count(), 4);
}

TEST_F(ItemStoreTest, DamagedBlocksKeepTheItemsBefore) {
    add(active, "ab");
    add(active, "cd");
    add(active, "ef");
    const std::vector<unsigned char> good = block(active);  // records at 4, 70, 136
    struct Damage {
        const char* what;
        std::size_t at;
        std::int32_t value;
        std::size_t keep;
    };
    const Damage damages[] = {
        {"record length below header", 70, 61, good.size()},
        {"record length zero", 70, 0, good.size()},
        {"record length negative", 70, -66, good.size()},
        {"record length past end", 70, 200, good.size()},
        {"byteLength too small", 70 + 58, 2, good.size()},
        {"byteLength too large", 70 + 58, 6, good.size()},
        {"byteLength negative", 70 + 58, -1, good.size()},
        {"truncated inside record", 0, 0, 100},
        {"truncated inside length field", 0, 0, 72},
    };
    for (const Damage& d : damages) {
        SCOPED_TRACE(d.what);
        std::vector<unsigned char> bytes(good.begin(), good.begin() + d.keep);
        if (d.at != 0) put32(bytes, d.at, d.value);
        ItemStore store(0, settings, messages);
        std::int32_t stoppedAt = -1;
        EXPECT_EQ(parse(store, bytes, &stoppedAt), -1);
        EXPECT_EQ(stoppedAt, 70);
        EXPECT_EQ(order(store), "ab");
    }
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ItemStoreTest, ParseIntoAStoreThatHoldsItemsFindsItsDuplicates) {
    ItemStore source(0, settings, messages);
    for (const char* s : {"a", "b", "c"}) add(source, s);
    const std::vector<unsigned char> abc = block(source);  // records of 64 bytes
    add(active, "b");
    add(favorites, "b");
    std::int32_t stoppedAt = 0;

    EXPECT_EQ(parse(active, abc, &stoppedAt), 0);
    EXPECT_EQ(order(active), "a,b,c");
    EXPECT_TRUE(messages.shown.empty());

    EXPECT_EQ(parse(favorites, abc, &stoppedAt), 0);
    EXPECT_EQ(stoppedAt, 4 + 64);
    EXPECT_EQ(order(favorites), "b,a");
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, DuplicateMessage);
}

TEST_F(ItemStoreTest, ParseOfALongBlockIntoAShortListFindsALateDuplicate) {
    ItemStore source(0, settings, messages);
    ItemStore single(0, settings, messages);
    settings.MaxActiveItemNum(100);
    for (int i = 0; i < 90; ++i) add(source, "t" + std::to_string(i));
    add(single, "t5");
    std::vector<unsigned char> bytes = block(source);
    const std::vector<unsigned char> t5 = block(single);
    bytes.insert(bytes.end(), t5.begin() + 4, t5.end());
    put32(bytes, 0, static_cast<std::int32_t>(bytes.size()));

    // Full at 20: each further text replaces the bottom one, until t5 comes
    // again and moves from its place to the bottom.
    settings.MaxActiveItemNum(20);
    ASSERT_EQ(parse(active, bytes, nullptr), 0);
    ASSERT_EQ(active.count(), 20);
    EXPECT_EQ(active.itemAt(5)->narrowText(), "t6");
    EXPECT_EQ(active.itemAt(18)->narrowText(), "t89");
    EXPECT_EQ(active.itemAt(19)->narrowText(), "t5");

    // A hand-edited maximum of 2^31-1 sizes nothing: the block reads as is.
    settings.MaxActiveItemNum(INT32_MAX);
    ItemStore roomy(0, settings, messages);
    ASSERT_EQ(parse(roomy, bytes, nullptr), 0);
    EXPECT_EQ(roomy.count(), 90);
}

TEST_F(ItemStoreTest, ParseStopsAtTheFirstRefusal) {
    ItemStore source(0, settings, messages);
    for (const char* s : {"a", "b", "c"}) add(source, s);
    const std::vector<unsigned char> abc = block(source);  // records of 64 bytes
    // a, b, a, c: a block that only a hand-edited file could hold.
    std::vector<unsigned char> bytes(abc.begin(), abc.begin() + 4 + 128);
    bytes.insert(bytes.end(), abc.begin() + 4, abc.begin() + 4 + 64);
    bytes.insert(bytes.end(), abc.begin() + 4 + 128, abc.end());
    put32(bytes, 0, static_cast<std::int32_t>(bytes.size()));

    std::int32_t stoppedAt = 0;
    EXPECT_EQ(parse(favorites, bytes, &stoppedAt), 0);
    EXPECT_EQ(stoppedAt, 4 + 128);
    EXPECT_EQ(order(favorites), "a,b");
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, DuplicateMessage);

    // The active list replaces the held item; the restored one goes last.
    EXPECT_EQ(parse(active, bytes, &stoppedAt), 0);
    EXPECT_EQ(stoppedAt, static_cast<std::int32_t>(bytes.size()));
    EXPECT_EQ(order(active), "b,a,c");

    // A full favorites list stops at the first record with the full message.
    settings.MaxFavoriteItemNum(2);
    ItemStore small(1, settings, messages);
    EXPECT_EQ(parse(small, abc, &stoppedAt), 0);
    EXPECT_EQ(stoppedAt, 4 + 128);
    EXPECT_EQ(order(small), "a,b");
    EXPECT_EQ(messages.shown.back().text, FullMessage);
}

TEST(ItemStoreFuzzTest, RandomAndDamagedBlocksStayInBounds) {
    std::mt19937 rng(0x51C0B0u);
    auto pick = [&rng](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    Settings settings;
    RecordingMessages messages;

    for (int round = 0; round < 4000; ++round) {
        // A valid block of up to six records, some of them repeated.
        std::vector<unsigned char> bytes(4, 0);
        std::vector<std::vector<unsigned char>> records;
        const int n = pick(0, 6);
        for (int i = 0; i < n; ++i) {
            if (!records.empty() && pick(0, 5) == 0) {
                records.push_back(records[pick(0, static_cast<int>(records.size()) - 1)]);
            } else {
                std::vector<unsigned char> r(62 + pick(0, 41));
                for (auto& b : r) b = static_cast<unsigned char>(pick(0, 255));
                put32(r, 0, static_cast<std::int32_t>(r.size()));
                put32(r, 58, static_cast<std::int32_t>(r.size()) - 62);
                records.push_back(r);
            }
            bytes.insert(bytes.end(), records.back().begin(), records.back().end());
        }
        put32(bytes, 0, static_cast<std::int32_t>(bytes.size()));

        const int mutation = round % 5;
        if (mutation == 1) {
            bytes.resize(static_cast<std::size_t>(pick(0, static_cast<int>(bytes.size()))));
        } else if (mutation == 2) {
            for (int k = pick(1, 4); k > 0; --k) bytes[pick(0, static_cast<int>(bytes.size()) - 1)] ^= 1u << pick(0, 7);
        } else if (mutation == 3 && bytes.size() >= 8) {
            const std::int32_t size = static_cast<std::int32_t>(bytes.size());
            const std::int32_t values[] = {0, 1, 61, 62, 63, -1, -62, INT_MIN, INT_MAX, size, size - 4};
            put32(bytes, static_cast<std::size_t>(pick(4, size - 4)), values[pick(0, 10)]);
        } else if (mutation == 4) {
            bytes.resize(static_cast<std::size_t>(pick(0, 300)));
            for (auto& b : bytes) b = static_cast<unsigned char>(pick(0, 255));
        }

        // An exact-size heap copy, so that a read past the end is caught.
        const std::int32_t length = static_cast<std::int32_t>(bytes.size());
        std::unique_ptr<unsigned char[]> exact(new unsigned char[bytes.size() + (bytes.empty() ? 1 : 0)]);
        std::copy(bytes.begin(), bytes.end(), exact.get());

        for (int isFavorites = 0; isFavorites < 2; ++isFavorites) {
            ItemStore store(isFavorites, settings, messages);
            std::int32_t stoppedAt = -7;
            const int result = store.parseBlock(exact.get(), length, &stoppedAt);
            ASSERT_TRUE(result == 0 || result == -1) << "round " << round;
            ASSERT_GE(stoppedAt, 0);
            ASSERT_LE(stoppedAt, std::max(length, 0));
            ASSERT_LE(store.count(), store.capacity());
            for (ClipItem* item : store.snapshot()) ASSERT_LE(item->serializedSize(), length);
            for (ClipItem* item : store.snapshot()) {
                ASSERT_LE(std::strlen(item->alias()), 32u);
                ASSERT_LE(item->summary().size(), 38u);
            }
            std::vector<unsigned char> again(static_cast<std::size_t>(store.serializedSize()));
            ASSERT_EQ(store.serialize(again.data()), store.serializedSize());
            // What was read, written back, reads back to the same items.
            ItemStore reread(isFavorites, settings, messages);
            ASSERT_EQ(reread.parseBlock(again.data(), static_cast<std::int32_t>(again.size())), 0);
            std::vector<unsigned char> third(static_cast<std::size_t>(reread.serializedSize()));
            reread.serialize(third.data());
            ASSERT_EQ(third, again) << "round " << round;
            if (mutation == 0 && isFavorites == 0) {
                ASSERT_EQ(result, 0);
                ASSERT_EQ(stoppedAt, length);
                // Without repeated records the block comes back unchanged.
                if (store.count() == n) {
                    ASSERT_EQ(again, bytes);
                }
            }
        }
    }
}
