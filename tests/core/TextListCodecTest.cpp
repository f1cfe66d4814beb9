// The text list file of import and export, and the text of dragged rows.
#include "core/TextListCodec.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <new>
#include <string>
#include <vector>

#include "ScratchFolder.h"
#include "core/DraggedTexts.h"
#include "core/TextCodec.h"
#include "core/UnicodeTextItem.h"
#include "storage/TextListFile.h"

namespace {

using Entries = std::vector<std::string>;
using Texts = std::vector<std::u16string>;

// The entries of the bytes as the code page's narrow text.
Entries decoded(const std::string& bytes) {
    Entries narrowed;
    for (const std::u16string& entry : TextListCodec::decode(bytes)) narrowed.push_back(narrow(entry));
    return narrowed;
}

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
        {std::string("a\0b\r\n\r\0x\r\nc", 11), {"a", "c"}},  // a line ends at a zero
    };
    for (const auto& c : cases) {
        EXPECT_EQ(decoded(c.bytes), c.entries) << '"' << c.bytes << '"';
    }
}

TEST(TextListCodecTest, LongLinesComeInPiecesOfAtMost1023Bytes) {
    EXPECT_EQ(sizesOf(decoded(std::string(2500, 'x'))),
              (std::vector<std::size_t>{1023, 1023, 454}));
    // 1023 bytes and its line break: one entry, the break gives none.
    EXPECT_EQ(sizesOf(decoded(std::string(1023, 'x') + "\r\ny")),
              (std::vector<std::size_t>{1023, 1}));

    // 1,200 two-byte characters: a piece of 1023 bytes would end in the
    // middle of one, so each piece stops a byte earlier.
    std::string wide;
    for (int i = 0; i < 1200; ++i) wide += "中";
    const Entries pieces = decoded(wide);
    EXPECT_EQ(sizesOf(pieces), (std::vector<std::size_t>{1022, 1022, 356}));
    for (const std::string& piece : pieces) {
        EXPECT_EQ(piece.substr(0, 2), "中");
        EXPECT_EQ(piece.substr(piece.size() - 2), "中");
    }
    // After one ASCII letter the characters line up with 1023 again.
    EXPECT_EQ(sizesOf(decoded("a" + wide)),
              (std::vector<std::size_t>{1023, 1022, 356}));
    // Lead bytes below 0xA1 start characters too: 丂 is 81 40.
    std::string low;
    for (int i = 0; i < 1200; ++i) low += "\x81\x40";
    EXPECT_EQ(sizesOf(decoded(low)), (std::vector<std::size_t>{1022, 1022, 356}));
}

std::string utf16le(const std::u16string& text) {
    std::string bytes;
    for (char16_t u : text) {
        bytes += static_cast<char>(u & 0xFF);
        bytes += static_cast<char>(u >> 8);
    }
    return bytes;
}

// Texts the code page lacks are written as UTF-8 after EF BB BF; files with
// that mark or the UTF-16LE one (FF FE) read back without loss, under the
// same line rules, pieces counted in the file's bytes.
TEST(TextListCodecTest, TextsOutsideTheCodePageGoThroughUtf8AndUtf16) {
    const std::string utf8 = "\xEF\xBB\xBF" "emoji \xF0\x9F\x98\x80 \xC4\x89 \xC5\x9D "
                             "\xED\x95\x9C\xEA\xB5\xAD\xEC\x96\xB4 end\r\nx\r\r\ny\r\n\xE4\xB8\xAD";
    const std::u16string mixed = u"emoji 😀 ĉ ŝ 한국어 end";
    EXPECT_EQ(TextListCodec::encodeTexts({mixed, u"x\r\ny", u"中"}), utf8);
    EXPECT_EQ(TextListCodec::encodeTexts({u"a", u"中文\n"}), "a\r\n中文\r\n");  // as before
    // Code page text beginning with the bytes of a mark goes as UTF-8 too.
    const std::u16string markLike = widen("\xEF\xBB\xBF" "x");
    EXPECT_EQ(TextListCodec::encodeTexts({markLike}).compare(0, 3, "\xEF\xBB\xBF"), 0);
    EXPECT_EQ(TextListCodec::decode(TextListCodec::encodeTexts({markLike})), Texts{markLike});
    const struct {
        std::string bytes;
        Texts entries;
    } cases[] = {
        {utf8, {mixed, u"x\r", u"y", u"中"}},
        {"\xFF\xFE" + utf16le(u"😀\r\n\r\nĉ\x1A" u"after"), {u"😀", u"ĉ"}},
        {"\xFF\xFE" + utf16le(u"a\xD800\nb"), {u"a\xD800", u"b"}},  // an unpaired surrogate stays
        {"\xEF\xBB\xBF" "a\xE4\xB8" "b\xC0\x80", {u"a\xFFFD\xFFFD" u"b\xFFFD\xFFFD"}},
        {"\xEF\xBB\xBF", {}},
        {"\xFF\xFE", {}},
    };
    for (const auto& c : cases) EXPECT_EQ(TextListCodec::decode(c.bytes), c.entries);
    EXPECT_EQ(TextListCodec::decode(TextListCodec::encodeTexts({u"a\xD800", u"\xDC00"})),
              (Texts{u"a\xD800", u"\xDC00"}));

    // Long lines: 341 three-byte characters fill 1023 bytes; 511 units 1022.
    std::string long8 = "\xEF\xBB\xBF";
    for (int i = 0; i < 400; ++i) long8 += "\xE4\xB8\xAD";
    const Texts pieces8 = TextListCodec::decode(long8);
    ASSERT_EQ(pieces8.size(), 2u);
    EXPECT_EQ(pieces8[0], std::u16string(341, u'中'));
    EXPECT_EQ(pieces8[1].size(), 59u);
    const Texts pieces16 = TextListCodec::decode("\xFF\xFE" + utf16le(std::u16string(600, u'x')));
    ASSERT_EQ(pieces16.size(), 2u);
    EXPECT_EQ(pieces16[0].size(), 511u);
}

TEST(TextListFileTest, WritesReadsAndNeverLeavesAHalfWrittenFile) {
    ScratchFolder folder;
    const std::string path = folder.file("list.txt");
    ASSERT_EQ(TextListFile::write(path, {u"a", u"b\nc"}), TextListFile::Ok);
    const std::vector<unsigned char> written = folder.read("list.txt");
    EXPECT_EQ(std::string(written.begin(), written.end()), "a\r\nb\r\nc");
    Texts entries;
    const auto collect = [&entries](const std::u16string& e) {
        entries.push_back(e);
        return true;
    };
    ASSERT_EQ(TextListFile::read(path, collect), TextListFile::Ok);
    EXPECT_EQ(entries, (Texts{u"a", u"b", u"c"}));
    // The reader stops when told (a full list), and running out of memory
    // on the way is its own result.
    entries.clear();
    ASSERT_EQ(TextListFile::read(path, [&](const std::u16string& e) { return collect(e) && entries.size() < 2; }),
              TextListFile::Ok);
    EXPECT_EQ(entries, (Texts{u"a", u"b"}));
    EXPECT_EQ(TextListFile::read(path, [](const std::u16string&) -> bool { throw std::bad_alloc(); }),
              TextListFile::NoMemory);

    // The temporary file cannot be made in a missing folder.
    EXPECT_EQ(TextListFile::write(folder.file("none/list.txt"), {u"new"}), TextListFile::OpenFailed);
    // A folder cannot be replaced by the finished file; the old file stays.
    std::filesystem::create_directory(folder.path() / "list.txt.tmp");
    EXPECT_EQ(TextListFile::write(folder.file("list.txt.tmp"), {u"x"}), TextListFile::WriteFailed);
    EXPECT_EQ(folder.read("list.txt"), written);
    EXPECT_EQ(folder.names(), (std::vector<std::string>{"list.txt", "list.txt.tmp"}));

    entries.clear();
    EXPECT_EQ(TextListFile::read(folder.file("missing.txt"), collect), TextListFile::OpenFailed);
    EXPECT_TRUE(entries.empty());
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
