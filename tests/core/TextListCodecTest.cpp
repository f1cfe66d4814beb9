// The text list file of import and export, and the text of dragged rows.
#include "core/TextListCodec.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "ScratchFolder.h"
#include "core/DraggedTexts.h"
#include "core/UnicodeTextItem.h"
#include "storage/TextListFile.h"

namespace {

using Entries = std::vector<std::string>;

std::vector<std::size_t> sizesOf(const Entries& entries) {
    std::vector<std::size_t> sizes;
    for (const std::string& e : entries) sizes.push_back(e.size());
    return sizes;
}

TEST(TextListCodecTest, WritingTurnsEveryLineFeedIntoCrLf) {
    EXPECT_EQ(TextListCodec::encode({"a", "b", "c"}), "a\r\nb\r\nc");
    EXPECT_EQ(TextListCodec::encode({"x\r\ny"}), "x\r\r\ny");
    EXPECT_EQ(TextListCodec::encode({"one\ntwo", "中文"}), "one\r\ntwo\r\n中文");
    EXPECT_EQ(TextListCodec::encode({}), "");
}

TEST(TextListCodecTest, ReadingFollowsTheLineRules) {
    const struct {
        std::string bytes;
        Entries entries;
    } cases[] = {
        {"a\r\nb\r\nc", {"a", "b", "c"}},
        {"x\r\r\ny", {"x\r", "y"}},              // an exported x CR LF y
        {"a\r\n\r\nb", {"a", "b"}},              // empty line
        {"a\r\nb\r\n", {"a", "b"}},              // trailing line break
        {"", {}},
        {"\r\n\n\r\r\n", {}},                    // empty and CR-only lines
        {"a\rb\nc", {"a\rb", "c"}},              // lone CR stays, lone LF breaks
        {"a\r\nb\x1A\r\nc", {"a", "b"}},         // 0x1A ends the input
        {"中文\r\nabc", {"中文", "abc"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TextListCodec::decode(c.bytes), c.entries) << '"' << c.bytes << '"';
    }
}

TEST(TextListCodecTest, LongLinesComeInPiecesOfAtMost1023Bytes) {
    EXPECT_EQ(sizesOf(TextListCodec::decode(std::string(2500, 'x'))),
              (std::vector<std::size_t>{1023, 1023, 454}));
    // 1023 bytes and its line break: one entry, the break gives none.
    EXPECT_EQ(sizesOf(TextListCodec::decode(std::string(1023, 'x') + "\r\ny")),
              (std::vector<std::size_t>{1023, 1}));

    // 1,200 two-byte characters: a piece of 1023 bytes would end in the
    // middle of one, so each piece stops a byte earlier.
    std::string wide;
    for (int i = 0; i < 1200; ++i) wide += "中";
    const Entries pieces = TextListCodec::decode(wide);
    EXPECT_EQ(sizesOf(pieces), (std::vector<std::size_t>{1022, 1022, 356}));
    for (const std::string& piece : pieces) {
        EXPECT_EQ(piece.substr(0, 2), "中");
        EXPECT_EQ(piece.substr(piece.size() - 2), "中");
    }
    // After one ASCII letter the characters line up with 1023 again.
    EXPECT_EQ(sizesOf(TextListCodec::decode("a" + wide)),
              (std::vector<std::size_t>{1023, 1022, 356}));
    // Lead bytes below 0xA1 start characters too: 丂 is 81 40.
    std::string low;
    for (int i = 0; i < 1200; ++i) low += "\x81\x40";
    EXPECT_EQ(sizesOf(TextListCodec::decode(low)), (std::vector<std::size_t>{1022, 1022, 356}));
}

TEST(TextListFileTest, WritesReadsAndNeverLeavesAHalfWrittenFile) {
    ScratchFolder folder;
    const std::string path = folder.file("list.txt");
    ASSERT_EQ(TextListFile::write(path, {"a", "b\nc"}), TextListFile::Ok);
    const std::vector<unsigned char> written = folder.read("list.txt");
    EXPECT_EQ(std::string(written.begin(), written.end()), "a\r\nb\r\nc");
    Entries entries;
    ASSERT_EQ(TextListFile::read(path, entries), TextListFile::Ok);
    EXPECT_EQ(entries, (Entries{"a", "b", "c"}));

    // The temporary file cannot be made: the old file stays as it was.
    std::filesystem::create_directory(folder.path() / "list.txt.tmp");
    EXPECT_EQ(TextListFile::write(path, {"new"}), TextListFile::OpenFailed);
    EXPECT_EQ(folder.read("list.txt"), written);
    // A folder cannot be replaced by the finished file.
    EXPECT_EQ(TextListFile::write(folder.file("list.txt.tmp"), {"x"}), TextListFile::WriteFailed);

    entries = {"kept"};
    EXPECT_EQ(TextListFile::read(folder.file("missing.txt"), entries), TextListFile::OpenFailed);
    EXPECT_EQ(entries, Entries{"kept"});
}

TEST(DraggedTextsTest, OneTextAloneAndSeveralEachWithALineBreak) {
    DraggedTexts one, three;
    {
        // The items may go while the drag runs: the texts are copies.
        UnicodeTextItem a(u"alpha"), b(u"中文"), c(u"x\r\ny");
        one.add(c);
        for (const ClipItem* item : {&a, &b, &c}) three.add(*item);
    }
    EXPECT_EQ(one.render(), "x\r\ny");
    EXPECT_EQ(three.render(), "alpha\r\n中文\r\nx\r\ny\r\n");
    EXPECT_EQ(DraggedTexts().render(), "");
}

}  // namespace
