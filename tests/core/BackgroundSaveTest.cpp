#include "core/BackgroundSave.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Fakes.h"
#include "core/ItemStore.h"
#include "core/StoreSaver.h"
#include "core/UnicodeTextItem.h"
#include "storage/Settings.h"

namespace {

const char* const OpenFailed = "打开文件失败！";

// Counts the writes; a failing write reports as the data file's writer does.
class FakeSaver : public StoreSaver {
public:
    int writeStores(MessageSink& messages) override {
        ++writes;
        if (!fail) return 0;
        messages.show(OpenFailed, msgbox::Ok | msgbox::IconStop);
        return -4;
    }
    int writes = 0;
    bool fail = false;
};

struct Stores {
    Stores() {
        add(favorites, u"favorite one");
        add(favorites, u"favorite two");
        add(active, u"active one");
        add(active, u"active two");
        add(active, u"active three");
        save.markSaved();
    }
    static ClipItem* add(ItemStore& store, const std::u16string& text) {
        auto item = std::make_unique<UnicodeTextItem>(text);
        ClipItem* raw = item.get();
        store.add(std::move(item), 0);
        return raw;
    }

    Settings settings;
    RecordingMessages messages;
    ItemStore favorites{1, settings, messages};
    ItemStore active{0, settings, messages};
    FakeSaver saver;
    BackgroundSave save{favorites, active, saver, messages};
};

// Every change of what the file would hold is written; nothing else is.
TEST(BackgroundSave, WritesEveryChangeOfTheFileContentAndNothingElse) {
    struct Case {
        const char* what;
        std::function<void(Stores&)> change;
        bool written;
    };
    const Case cases[] = {
        {"nothing", [](Stores&) {}, false},
        {"a search keyword", [](Stores& s) { s.active.setSearchText("one"); }, false},
        {"a move that moves nothing", [](Stores& s) { s.active.moveUp(s.active.itemAt(0)); }, false},
        {"a capture", [](Stores& s) { s.active.add(std::make_unique<UnicodeTextItem>(u"new"), 1); },
         true},
        {"a repeated copy (new time, same text)",
         [](Stores& s) {
             auto again = std::make_unique<UnicodeTextItem>(u"active three");
             s.active.add(std::move(again), 1);
         },
         true},
        {"the top text copied again (only its time changes)",
         [](Stores& s) {
             // The top item as the file holds it, copied an hour ago.
             ClipItem* top = s.active.itemAt(0);
             std::vector<unsigned char> record(static_cast<std::size_t>(top->serializedSize()));
             top->serialize(record.data());
             const std::int32_t anHourAgo = top->timestamp() - 3600;
             for (int i = 0; i < 4; ++i) record[36 + i] = static_cast<unsigned char>(anHourAgo >> (8 * i));
             auto old = std::make_unique<UnicodeTextItem>();
             ASSERT_EQ(old->deserialize(record.data(), static_cast<std::int32_t>(record.size())), 0);
             s.active.add(std::move(old), 1);
             s.save.markSaved();
             s.active.add(std::make_unique<UnicodeTextItem>(u"active one"), 1);
         },
         true},
        {"a move", [](Stores& s) { s.active.moveDown(s.active.itemAt(0)); }, true},
        {"a delete", [](Stores& s) { s.favorites.remove(s.favorites.itemAt(1)); }, true},
        {"an alias", [](Stores& s) { s.favorites.itemAt(0)->setAlias("name"); }, true},
        {"an edited text",
         [](Stores& s) {
             const UnicodeTextItem edited(u"edited");
             s.active.itemAt(1)->setText(edited.text(), edited.byteLength());
         },
         true},
        {"an item moving from one list to the other",
         [](Stores& s) {
             s.favorites.remove(s.favorites.itemAt(1));
             Stores::add(s.active, u"favorite two");
             s.active.moveToTop(s.active.itemAt(3));
         },
         true},
    };
    for (const Case& c : cases) {
        Stores s;
        c.change(s);
        EXPECT_EQ(s.save.run(), c.written ? BackgroundSave::Saved : BackgroundSave::Unchanged)
            << c.what;
        EXPECT_EQ(s.saver.writes, c.written ? 1 : 0) << c.what;
        EXPECT_EQ(s.save.run(), BackgroundSave::Unchanged) << c.what << ", run again";
    }
}

TEST(BackgroundSave, AFailureIsToldOnceAndTriedAgainUntilASaveSucceeds) {
    Stores s;
    s.saver.fail = true;
    for (int copy = 1; copy <= 3; ++copy) {
        Stores::add(s.active, u"copy " + std::u16string(1, static_cast<char16_t>(u'0' + copy)));
        EXPECT_EQ(s.save.run(), BackgroundSave::Failed);
    }
    EXPECT_EQ(s.saver.writes, 3);
    ASSERT_EQ(s.messages.shown.size(), 1u);
    EXPECT_EQ(s.messages.shown[0].text, OpenFailed);

    // Nothing changed since the last failure: still not in the file.
    s.saver.fail = false;
    EXPECT_EQ(s.save.run(), BackgroundSave::Saved);
    EXPECT_EQ(s.saver.writes, 4);

    // After a success the next failure is told again.
    s.saver.fail = true;
    Stores::add(s.active, u"after");
    EXPECT_EQ(s.save.run(), BackgroundSave::Failed);
    EXPECT_EQ(s.messages.shown.size(), 2u);
}

}  // namespace
