#include "storage/StoreFile.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

#include "ClipBytes.h"
#include "Fakes.h"
#include "ScratchFolder.h"
#include "core/ItemStore.h"
#include "core/LittleEndian.h"
#include "core/MessageSink.h"
#include "core/UnicodeTextItem.h"
#include "storage/Settings.h"

namespace {

using Bytes = std::vector<unsigned char>;

constexpr unsigned kStop = msgbox::Ok | msgbox::IconStop;

// One item record as the files hold it, with every field under the test's
// control.
struct Record {
    Record(std::u16string t) : text(std::move(t)) {}

    std::u16string text;
    std::string alias;
    std::int32_t timestamp = 1204300800;
    std::uint16_t format = 13;
    const unsigned char* digest = nullptr;  // null: the text's real digest
    std::int32_t recordLength = -1;         // -1: the right one
    std::int32_t byteLength = -1;           // -1: the right one

    Bytes bytes() const {
        const std::int32_t n = static_cast<std::int32_t>(text.size() * 2);
        Bytes out(62 + static_cast<std::size_t>(n), 0);
        putInt32LE(&out[0], recordLength >= 0 ? recordLength : 62 + n);
        std::memcpy(&out[4], alias.data(), alias.size());
        putInt32LE(&out[36], timestamp);
        putUint16LE(&out[40], format);
        UnicodeTextItem real(text);
        std::memcpy(&out[42], digest != nullptr ? digest : real.digest(), 16);
        putInt32LE(&out[58], byteLength >= 0 ? byteLength : n);
        for (std::size_t i = 0; i < text.size(); ++i)
            putUint16LE(&out[62 + 2 * i], static_cast<std::uint16_t>(text[i]));
        return out;
    }
};

Bytes block(const std::vector<Record>& records) {
    Bytes out(4, 0);
    for (const Record& r : records) {
        const Bytes b = r.bytes();
        out.insert(out.end(), b.begin(), b.end());
    }
    putInt32LE(out.data(), static_cast<std::int32_t>(out.size()));
    return out;
}

// Bytes of an even count as the code units a Record holds.
std::u16string unitsOf(const Bytes& bytes) {
    std::u16string units;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
        units.push_back(static_cast<char16_t>(bytes[i] | (bytes[i + 1] << 8)));
    return units;
}

Bytes operator+(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// An item that reports a record of the given length without holding one.
class SizedItem : public UnicodeTextItem {
public:
    SizedItem(const std::u16string& text, std::int64_t size) : UnicodeTextItem(text), size_(size) {}
    std::int64_t serializedSize() const override { return size_; }

private:
    std::int64_t size_;
};

std::string formatError1(int len, int readLen) {
    return "文件格式错误1！ len = " + std::to_string(len) + ", readLen = " + std::to_string(readLen);
}

class StoreFileTest : public ::testing::Test {
protected:
    void add(ItemStore& store, const std::u16string& text) {
        ASSERT_EQ(store.add(std::make_unique<UnicodeTextItem>(text), 0), 0);
    }
    std::vector<std::u16string> texts(const ItemStore& store) {
        std::vector<std::u16string> result;
        for (const ClipItem* item : store.snapshot()) {
            std::u16string t;
            for (std::int32_t i = 0; i + 1 < item->byteLength(); i += 2)
                t += static_cast<char16_t>(item->text()[i] | (item->text()[i + 1] << 8));
            result.push_back(t);
        }
        return result;
    }
    // The single message shown since the last call, checked for the stop icon.
    void expectOnlyMessage(const std::string& text, unsigned style = kStop) {
        ASSERT_EQ(messages.shown.size(), 1u) << "messages shown";
        EXPECT_EQ(messages.shown[0].text, text);
        EXPECT_EQ(messages.shown[0].style, style);
        messages.shown.clear();
    }
    int loadPool(const Bytes& bytes) {
        folder.write("poolfile.bin", bytes);
        return file.loadAll(&favorites, &active, "poolfile.bin");
    }
    int restore(ItemStore& store, const Bytes& bytes) {
        folder.write("backup.bin", bytes);
        return file.loadFromFile(store, "backup.bin");
    }

    ScratchFolder folder;
    Settings settings;
    RecordingMessages messages;
    ItemStore favorites{1, settings, messages};
    ItemStore active{0, settings, messages};
    StoreFile file{folder.str(), messages};
};

}  // namespace

TEST_F(StoreFileTest, TwoEmptyStoresAreEightBytes) {
    ASSERT_EQ(file.saveAll(&favorites, &active, StoreFile::PoolFileName), 0);
    EXPECT_EQ(folder.read("poolfile.bin"), (Bytes{4, 0, 0, 0, 4, 0, 0, 0}));
    EXPECT_EQ(file.loadAll(&favorites, &active, StoreFile::PoolFileName), 0);
    EXPECT_EQ(favorites.count(), 0);
    EXPECT_EQ(active.count(), 0);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(folder.names(), std::vector<std::string>{"poolfile.bin"});
}

TEST_F(StoreFileTest, OneTwoLetterItemIsASeventyByteBlock) {
    add(active, u"ab");
    ASSERT_EQ(file.saveToFile(active, "backup.bin"), 0);
    const Bytes bytes = folder.read("backup.bin");
    ASSERT_EQ(bytes.size(), 70u);
    EXPECT_EQ(readInt32LE(&bytes[0]), 70);
    EXPECT_EQ(readInt32LE(&bytes[4]), 66);
    EXPECT_EQ(readInt32LE(&bytes[62]), 4);
    EXPECT_EQ(Bytes(bytes.begin() + 66, bytes.end()), (Bytes{'a', 0, 'b', 0}));
}

TEST_F(StoreFileTest, PoolFileReadAndWrittenAgainIsIdentical) {
    const unsigned char wrongDigest[16] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
    Record aliased{u"first"};
    aliased.alias = std::string(30, 'A');
    aliased.timestamp = 1000;
    Record tampered{u"second"};
    tampered.digest = wrongDigest;
    tampered.alias = std::string(32, 'Z');  // no zero among the 32 bytes
    Record chinese{u"\u526A\u8D34\u677F"};
    chinese.alias = "\xBC\xF4";
    const Bytes original = block({aliased, tampered}) + block({chinese, Record{u"x"}});

    ASSERT_EQ(loadPool(original), 0);
    EXPECT_TRUE(messages.shown.empty());
    ASSERT_EQ(favorites.count(), 2);
    ASSERT_EQ(active.count(), 2);
    EXPECT_EQ(std::string(favorites.itemAt(0)->alias()), std::string(30, 'A'));
    EXPECT_EQ(favorites.itemAt(0)->timestamp(), 1000);
    EXPECT_EQ(0, std::memcmp(favorites.itemAt(1)->digest(), wrongDigest, 16));
    EXPECT_EQ(std::string(favorites.itemAt(1)->alias()), std::string(32, 'Z'));
    EXPECT_EQ(texts(active), (std::vector<std::u16string>{u"\u526A\u8D34\u677F", u"x"}));

    ASSERT_EQ(file.saveAll(&favorites, &active, "again.bin"), 0);
    EXPECT_EQ(folder.read("again.bin"), original);
}

TEST_F(StoreFileTest, ImagesFileListsAndUnknownFormatsComeBackByteForByte) {
    Record image{unitsOf(dibBytes(2, 3))};
    image.format = 8;
    image.alias = "pic";
    Record files{unitsOf(dropFilesBytes({u"C:\\docs\\a.txt"}))};
    files.format = 15;
    Record other{u"kept"};
    other.format = 2;
    const Bytes original = block({image}) + block({files, other, Record{u"t"}});

    ASSERT_EQ(loadPool(original), 0);
    ASSERT_EQ(favorites.count(), 1);
    ASSERT_EQ(active.count(), 3);
    EXPECT_EQ(favorites.itemAt(0)->wideSummary(), u"[图片 2×3]");
    EXPECT_EQ(active.itemAt(0)->wideSummary(), u"[文件] a.txt");
    EXPECT_EQ(active.itemAt(1)->format(), 2);
    EXPECT_EQ(active.itemAt(1)->wideSummary(), u"kept");

    ASSERT_EQ(file.saveAll(&favorites, &active, "again.bin"), 0);
    EXPECT_EQ(folder.read("again.bin"), original);
}

TEST_F(StoreFileTest, LongTextsAndRecordsAcross64KBoundariesComeBackByteForByte) {
    // Texts longer than 64 KB, and short records that straddle a multiple
    // of 64 KB of the file.
    std::vector<Record> records;
    for (std::size_t units : {40000u, 3u, 32700u, 1u, 70000u, 0u, 5u, 33000u}) {
        std::u16string text(units, u'a');
        for (std::size_t i = 0; i < units; ++i) text[i] = static_cast<char16_t>(u'\u4E00' + (i + units) % 2000);
        records.push_back(Record{text});
    }
    const Bytes original = block({Record{u"favorite"}}) + block(records);
    ASSERT_EQ(loadPool(original), 0);
    EXPECT_TRUE(messages.shown.empty());
    ASSERT_EQ(active.count(), static_cast<int>(records.size()));
    EXPECT_EQ(texts(active)[4], records[4].text);
    ASSERT_EQ(file.saveAll(&favorites, &active, "again.bin"), 0);
    EXPECT_EQ(folder.read("again.bin"), original);
}

TEST_F(StoreFileTest, MissingOrEmptyPoolFileStartsEmptyWithoutMessage) {
    EXPECT_EQ(file.loadAll(&favorites, &active, "poolfile.bin"), -1);
    EXPECT_EQ(loadPool({}), 0);
    EXPECT_EQ(favorites.count() + active.count(), 0);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(StoreFileTest, MissingBackupFailsAndEmptyBackupChangesNothing) {
    add(active, u"held");
    EXPECT_EQ(file.loadFromFile(active, "none.bin"), -1);
    expectOnlyMessage("打开文件失败！");
    EXPECT_EQ(restore(active, {}), 0);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(texts(active), std::vector<std::u16string>{u"held"});
}

TEST_F(StoreFileTest, NullStoresAreRefusedSilently) {
    EXPECT_EQ(file.saveAll(nullptr, &active, "poolfile.bin"), -1);
    EXPECT_EQ(file.saveAll(&favorites, nullptr, "poolfile.bin"), -1);
    EXPECT_EQ(file.loadAll(&favorites, nullptr, "poolfile.bin"), -1);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_TRUE(folder.names().empty());
}

TEST_F(StoreFileTest, NamesResolveInTheFolderAndAbsolutePathsStay) {
    ScratchFolder elsewhere;
    StoreFile other(elsewhere.str(), messages);
    add(active, u"ab");
    ASSERT_EQ(other.saveToFile(active, "relative.bin"), 0);
    ASSERT_EQ(other.saveToFile(active, folder.file("absolute.bin")), 0);
    EXPECT_EQ(elsewhere.names(), std::vector<std::string>{"relative.bin"});
    EXPECT_EQ(folder.names(), std::vector<std::string>{"absolute.bin"});

    EXPECT_EQ(other.resolve("/tmp/a.bin"), "/tmp/a.bin");
    EXPECT_EQ(other.resolve("\\\\server\\share\\a.bin"), "\\\\server\\share\\a.bin");
    EXPECT_EQ(other.resolve("C:a.bin"), "C:a.bin");
    EXPECT_EQ(other.resolve("d:\\a.bin"), "d:\\a.bin");
    EXPECT_NE(other.resolve("a.bin"), "a.bin");
    EXPECT_EQ(StoreFile("", messages).resolve("a.bin"), "a.bin");
}

TEST_F(StoreFileTest, BackupLengthMismatchChangesNothing) {
    add(favorites, u"held");
    Bytes bytes = block({Record{u"one"}});
    bytes.push_back(0);
    EXPECT_EQ(restore(favorites, bytes), -1);
    expectOnlyMessage("文件长度错误！");
    EXPECT_EQ(texts(favorites), std::vector<std::u16string>{u"held"});
}

TEST_F(StoreFileTest, FavoritesRestoreStopsAtDuplicate) {
    add(favorites, u"b");
    EXPECT_EQ(restore(favorites, block({Record{u"a"}, Record{u"b"}, Record{u"c"}})), 0);
    expectOnlyMessage("收藏夹中已有此文本！", msgbox::Ok);
    EXPECT_EQ(texts(favorites), (std::vector<std::u16string>{u"b", u"a"}));
}

TEST_F(StoreFileTest, ActiveRestoreReplacesHeldItemAtTheBottom) {
    add(active, u"x");
    add(active, u"y");
    Record restored{u"x"};
    restored.alias = "kept";
    restored.timestamp = 1234;
    EXPECT_EQ(restore(active, block({restored})), 0);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(texts(active), (std::vector<std::u16string>{u"y", u"x"}));
    EXPECT_STREQ(active.itemAt(1)->alias(), "kept");
    EXPECT_EQ(active.itemAt(1)->timestamp(), 1234);
}

TEST_F(StoreFileTest, ReadOnlyBackupCanBeRestored) {
    folder.write("backup.bin", block({Record{u"one"}}));
    ASSERT_TRUE(folder.makeReadOnly("backup.bin"));
    EXPECT_EQ(file.loadFromFile(active, "backup.bin"), 0);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(texts(active), std::vector<std::u16string>{u"one"});
}

TEST_F(StoreFileTest, ReadOnlyFilesAreNotSavedOver) {
    const Bytes old = block({Record{u"old"}}) + block({});
    folder.write("poolfile.bin", old);
    folder.write("backup.bin", old);
    ASSERT_TRUE(folder.makeReadOnly("poolfile.bin"));
    ASSERT_TRUE(folder.makeReadOnly("backup.bin"));
    add(active, u"new");
    EXPECT_EQ(file.saveAll(&favorites, &active, "poolfile.bin"), -4);
    expectOnlyMessage("打开文件失败！");
    EXPECT_EQ(file.saveToFile(active, "backup.bin"), -3);
    expectOnlyMessage("打开文件失败！");
    EXPECT_EQ(folder.read("poolfile.bin"), old);
    EXPECT_EQ(folder.read("backup.bin"), old);
    EXPECT_EQ(folder.names(), (std::vector<std::string>{"backup.bin", "poolfile.bin"}));
}

TEST_F(StoreFileTest, SaveIntoMissingFolderFailsToOpen) {
    add(active, u"ab");
    const std::string target = (folder.path() / "missing" / "x.bin").string();
    EXPECT_EQ(file.saveToFile(active, target), -3);
    expectOnlyMessage("打开文件失败！");
    EXPECT_EQ(file.saveAll(&favorites, &active, target), -4);
    expectOnlyMessage("打开文件失败！");
    EXPECT_TRUE(folder.names().empty());
}

TEST_F(StoreFileTest, AFileNamedLikeTheTemporaryIsLeftAlone) {
    const Bytes mine = {'m', 'i', 'n', 'e'};
    folder.write("poolfile.bin.tmp", mine);
    add(active, u"new");
    EXPECT_EQ(file.saveAll(&favorites, &active, "poolfile.bin"), 0);
    EXPECT_EQ(file.saveToFile(active, "poolfile.bin.bin"), 0);
    EXPECT_EQ(folder.read("poolfile.bin.tmp"), mine);
    EXPECT_EQ(folder.names(),
              (std::vector<std::string>{"poolfile.bin", "poolfile.bin.bin", "poolfile.bin.tmp"}));
}

TEST_F(StoreFileTest, SizesTheLengthFieldsCannotHoldAreRefusedAsNoMemory) {
    ASSERT_EQ(favorites.add(std::make_unique<SizedItem>(u"f", 1200000000), 0), 0);
    ASSERT_EQ(active.add(std::make_unique<SizedItem>(u"a", 1200000000), 0), 0);
    // 2.4 GB in all: each block fits its length field, the file does not.
    EXPECT_EQ(file.saveAll(&favorites, &active, "poolfile.bin"), -1);
    expectOnlyMessage("内存分配失败！");
    // 6 GB: summed in 32 bits it would wrap round to 1.7 GB.
    ASSERT_EQ(active.add(std::make_unique<SizedItem>(u"b", 4800000000), 0), 0);
    EXPECT_EQ(active.serializedSize(), 6000000004);
    EXPECT_EQ(file.saveToFile(active, "backup.bin"), -1);
    expectOnlyMessage("内存分配失败！");
    EXPECT_TRUE(folder.names().empty());
}

TEST_F(StoreFileTest, SaveOverAFolderFailsToWrite) {
    std::filesystem::create_directory(folder.path() / "target.bin");
    add(active, u"new");
    EXPECT_EQ(file.saveToFile(active, "target.bin"), -4);
    expectOnlyMessage("写入文件失败！");
    EXPECT_EQ(file.saveAll(&favorites, &active, "target.bin"), -4);
    expectOnlyMessage("文件写入失败！");
    EXPECT_TRUE(std::filesystem::is_directory(folder.path() / "target.bin"));
    EXPECT_EQ(folder.names(), std::vector<std::string>{"target.bin"});
}

TEST_F(StoreFileTest, SaveReplacesAnExistingFile) {
    folder.write("backup.bin", Bytes(500, 0xEE));
    add(active, u"ab");
    ASSERT_EQ(file.saveToFile(active, "backup.bin"), 0);
    Bytes expected(static_cast<std::size_t>(active.serializedSize()));
    ASSERT_EQ(active.serialize(expected.data()), 70);
    EXPECT_EQ(folder.read("backup.bin"), expected);
    EXPECT_EQ(folder.names(), std::vector<std::string>{"backup.bin"});
}

TEST_F(StoreFileTest, DamagedBackupKeepsItemsBeforeTheDamage) {
    EXPECT_EQ(restore(active, Bytes{7, 0, 0}), -1);
    expectOnlyMessage("读文件失败1！");

    Record shortRecord{u"bad"};
    shortRecord.recordLength = 61;
    shortRecord.byteLength = 0;
    Bytes bytes = block({Record{u"a"}, shortRecord, Record{u"c"}});
    EXPECT_EQ(restore(active, bytes), -1);
    expectOnlyMessage(formatError1(static_cast<int>(bytes.size()), 4 + 64));
    EXPECT_EQ(texts(active), std::vector<std::u16string>{u"a"});

    active.clear();
    Record mismatch{u"bad"};
    mismatch.byteLength = 2;
    bytes = block({Record{u"a"}, Record{u"b"}, mismatch});
    EXPECT_EQ(restore(active, bytes), -1);
    expectOnlyMessage(formatError1(static_cast<int>(bytes.size()), 4 + 64 + 64));
    EXPECT_EQ(texts(active), (std::vector<std::u16string>{u"a", u"b"}));

    active.clear();
    Record tooLong{u"bad"};
    tooLong.recordLength = 1000;
    bytes = block({Record{u"a"}, tooLong});
    EXPECT_EQ(restore(active, bytes), -1);
    expectOnlyMessage(formatError1(static_cast<int>(bytes.size()), 68));
    EXPECT_EQ(texts(active), std::vector<std::u16string>{u"a"});
}

TEST_F(StoreFileTest, ShortOrImpossibleFirstBlock) {
    const Bytes pool = block({Record{u"a"}, Record{u"b"}}) + block({Record{u"c"}});

    EXPECT_EQ(loadPool(Bytes{4, 0}), -1);
    expectOnlyMessage("读文件失败1！");

    EXPECT_EQ(loadPool(Bytes(pool.begin(), pool.begin() + 100)), -1);
    expectOnlyMessage(formatError1(4 + 64 + 64, 100));

    Bytes negative = pool;
    putInt32LE(negative.data(), -1);
    EXPECT_EQ(loadPool(negative), -1);
    expectOnlyMessage(formatError1(-1, static_cast<int>(pool.size())));

    Bytes huge = pool;
    putInt32LE(huge.data(), 0x7FFFFFFF);
    EXPECT_EQ(loadPool(huge), -1);
    expectOnlyMessage(formatError1(0x7FFFFFFF, static_cast<int>(pool.size())));
    EXPECT_EQ(favorites.count() + active.count(), 0);
}

TEST_F(StoreFileTest, ShortOrImpossibleSecondBlockKeepsTheFavorites) {
    const Bytes first = block({Record{u"a"}, Record{u"b"}});
    const Bytes second = block({Record{u"c"}, Record{u"d"}});

    EXPECT_EQ(loadPool(first + Bytes{9, 0}), -1);
    expectOnlyMessage("读文件失败2！");
    EXPECT_EQ(texts(favorites), (std::vector<std::u16string>{u"a", u"b"}));

    // A file that ends with the favorites block lacks the second length.
    favorites.clear();
    EXPECT_EQ(loadPool(first), -1);
    expectOnlyMessage("读文件失败2！");
    EXPECT_EQ(texts(favorites), (std::vector<std::u16string>{u"a", u"b"}));

    // Past the end by one byte after more than the reader buffers at once.
    const Bytes longBlock = block({Record{u"c"}, Record{std::u16string(40000, u'x')}});
    const Bytes cut[] = {
        first + Bytes(second.begin(), second.end() - 1),
        first + Bytes(longBlock.begin(), longBlock.end() - 1),
        first + Bytes{0xFF, 0xFF, 0xFF, 0xFF} + Bytes(second.begin() + 4, second.end()),
        first + Bytes{0xFF, 0xFF, 0xFF, 0x7F} + Bytes(second.begin() + 4, second.end()),
    };
    for (const Bytes& bytes : cut) {
        favorites.clear();
        EXPECT_EQ(loadPool(bytes), -1);
        expectOnlyMessage("文件格式错误2！");
        EXPECT_EQ(favorites.count(), 2);
        EXPECT_EQ(active.count(), 0);
    }
}

TEST_F(StoreFileTest, DamagedRecordStopsItsBlock) {
    Record shortRecord{u"bad"};
    shortRecord.recordLength = 10;
    const Bytes damagedFirst = block({Record{u"a"}, shortRecord});
    EXPECT_EQ(loadPool(damagedFirst + block({Record{u"c"}})), -1);
    expectOnlyMessage(formatError1(static_cast<int>(damagedFirst.size()), 68));
    EXPECT_EQ(texts(favorites), std::vector<std::u16string>{u"a"});
    // The active list behind the damaged block is still read.
    EXPECT_EQ(texts(active), std::vector<std::u16string>{u"c"});

    favorites.clear();
    active.clear();
    Record mismatch{u"bad"};
    mismatch.byteLength = 100;
    EXPECT_EQ(loadPool(block({Record{u"a"}}) + block({Record{u"c"}, mismatch, Record{u"d"}})),
              -1);
    expectOnlyMessage("文件格式错误2！");
    EXPECT_EQ(texts(favorites), std::vector<std::u16string>{u"a"});
    EXPECT_EQ(texts(active), std::vector<std::u16string>{u"c"});
}

TEST_F(StoreFileTest, SurvivesRandomAndMutatedFiles) {
    std::vector<Record> records;
    for (int i = 0; i < 8; ++i) {
        Record r{std::u16string(static_cast<std::size_t>(i * 3), static_cast<char16_t>(u'a' + i))};
        r.alias = std::string(static_cast<std::size_t>(i * 4), 'n');
        records.push_back(r);
    }
    const Bytes backup = block(records);
    const Bytes pool = block({records.begin(), records.begin() + 5}) +
                       block({records.begin() + 3, records.end()});

    std::mt19937 random(20080301);
    for (int round = 0; round < 3000; ++round) {
        const Bytes& base = round % 2 == 0 ? pool : backup;
        Bytes bytes;
        switch (random() % 4) {
        case 0:
            bytes.assign(base.begin(), base.begin() + random() % (base.size() + 1));
            break;
        case 1:
            bytes = base;
            for (int n = 1 + random() % 8; n > 0; --n)
                bytes[random() % bytes.size()] = static_cast<unsigned char>(random());
            break;
        case 2:
            bytes = base;
            for (int n = 1 + random() % 3; n > 0; --n) {
                const std::size_t at = random() % (bytes.size() - 3);
                const std::int32_t values[] = {0, 4, 61, 62, 63, -1, INT32_MIN, INT32_MAX,
                                               static_cast<std::int32_t>(random())};
                putInt32LE(&bytes[at], values[random() % 9]);
            }
            break;
        default:
            bytes.resize(random() % 300);
            for (unsigned char& b : bytes) b = static_cast<unsigned char>(random());
            break;
        }
        folder.write("fuzz.bin", bytes);
        file.loadAll(&favorites, &active, "fuzz.bin");
        EXPECT_LE(favorites.count(), favorites.capacity());
        EXPECT_LE(active.count(), active.capacity());
        // What was read, saved, loads again as the same items (every eighth
        // round: each save is flushed to the disk).
        if (round % 8 == 0) {
            ASSERT_EQ(file.saveAll(&favorites, &active, "saved.bin"), 0);
            ItemStore favoritesAgain{1, settings, messages};
            ItemStore activeAgain{0, settings, messages};
            ASSERT_EQ(file.loadAll(&favoritesAgain, &activeAgain, "saved.bin"), 0) << round;
            ASSERT_EQ(file.saveAll(&favoritesAgain, &activeAgain, "again.bin"), 0);
            ASSERT_EQ(folder.read("again.bin"), folder.read("saved.bin")) << "round " << round;
        }
        file.loadFromFile(active, "fuzz.bin");
        favorites.clear();
        active.clear();
        messages.shown.clear();
    }
}
