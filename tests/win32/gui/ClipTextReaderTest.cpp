// Reading text from data objects: a test object and the real clipboard.
#include "capture/ClipTextReader.h"

#include <gtest/gtest.h>

#include <string>

#include "TestDataObject.h"
#include "core/ClipItem.h"
#include "core/win32/Handles.h"

namespace {

std::u16string textOf(const ClipItem& item) {
    std::u16string out;
    for (int i = 0; i + 1 < item.byteLength(); i += 2) {
        out.push_back(static_cast<char16_t>(item.text()[i] | (item.text()[i + 1] << 8)));
    }
    return out;
}

struct DataObject {
    DataObject() : object(new TestDataObject()) {}
    ~DataObject() {
        EXPECT_EQ(1u, object->references());  // the reader keeps no reference
        object->Release();
    }
    TestDataObject* object;
};

TEST(ClipTextReader, PrefersUnicodeTextThenAnsiTextThroughTheCodePage) {
    ClipTextReader reader;
    {
        DataObject both;
        both.object->offerAnsi("ansi");
        both.object->offerUnicode(u"中文 unicode");
        auto item = reader.ReadText(both.object);
        ASSERT_NE(nullptr, item);
        EXPECT_EQ(u"中文 unicode", textOf(*item));
    }
    {
        DataObject ansiOnly;
        ansiOnly.object->offerAnsi("\xD6\xD0\xCE\xC4 gbk");  // "中文" in code page 936
        auto item = reader.ReadText(ansiOnly.object);
        ASSERT_NE(nullptr, item);
        EXPECT_EQ(u"中文 gbk", textOf(*item));
        EXPECT_EQ(13, item->format());
    }
    {
        DataObject empty;
        empty.object->offerUnicode(u"");
        auto item = reader.ReadText(empty.object);
        ASSERT_NE(nullptr, item);
        EXPECT_EQ(0, item->byteLength());
    }
}

TEST(ClipTextReader, NoTextFormatOrNoMemoryGivesNoItem) {
    ClipTextReader reader;
    EXPECT_EQ(nullptr, reader.ReadText(nullptr));
    DataObject bitmapOnly;
    const unsigned char pixels[8] = {};
    bitmapOnly.object->offer(CF_DIB, pixels, sizeof pixels);
    EXPECT_EQ(nullptr, reader.ReadText(bitmapOnly.object));
    EXPECT_EQ(0, bitmapOnly.object->getDataCalls);

    DataObject refusing;
    refusing.object->offerUnicode(u"text");
    refusing.object->refuseData = true;
    EXPECT_EQ(nullptr, reader.ReadText(refusing.object));
}

TEST(ClipTextReader, ABlockWithoutTerminatorIsReadWithinItsSize) {
    ClipTextReader reader;
    DataObject unterminated;
    const char16_t units[] = {u'a', u'b', u'c'};
    unterminated.object->offer(CF_UNICODETEXT, units, sizeof units);
    auto item = reader.ReadText(unterminated.object);
    ASSERT_NE(nullptr, item);
    // The three characters and nothing from beyond the block.
    EXPECT_EQ(u"abc", textOf(*item));
    EXPECT_EQ(6, item->byteLength());
}

TEST(ClipTextReader, ReadsTheSystemClipboardThroughOle) {
    const std::u16string text = u"剪贴板 clipboard\r\n";
    {
        ClipboardSession session(nullptr);
        ASSERT_TRUE(session.isOpen());
        EmptyClipboard();
        GlobalMemory block(GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * 2));
        {
            GlobalLockView view(block.get());
            std::memcpy(view.data(), text.c_str(), (text.size() + 1) * 2);
        }
        ASSERT_NE(nullptr, SetClipboardData(CF_UNICODETEXT, block.get()));
        block.release();
    }
    ComPtr<IDataObject> clipboard;
    ASSERT_EQ(S_OK, OleGetClipboard(clipboard.receive()));
    auto item = ClipTextReader().ReadText(clipboard.get());
    ASSERT_NE(nullptr, item);
    EXPECT_EQ(text, textOf(*item));
}

}  // namespace
