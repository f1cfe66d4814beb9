// Capturing copied texts: texts copied by another X client or written by
// another program enter the active list of the running program, and the
// clipboard viewer chain stays intact around it.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "e2e/DesktopPeer.h"
#include "e2e/ProgramFixture.h"
#include "perf/RemoteListView.h"

namespace e2e {
namespace {

using Bytes = std::vector<unsigned char>;
using Texts = std::vector<std::u16string>;

std::int32_t int32At(const Bytes& b, std::size_t at) {
    if (at + 4 > b.size()) return -1;
    return static_cast<std::int32_t>(b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) |
                                     (static_cast<std::uint32_t>(b[at + 3]) << 24));
}

struct Record {
    int format;
    Bytes bytes;
    bool operator==(const Record& other) const {
        return format == other.format && bytes == other.bytes;
    }
};

// The records of the second store block of poolfile.bin (the active list),
// top first. A record: length, 32-byte alias, time, format, digest, text
// length, text.
std::vector<Record> activeRecords(const Bytes& pool) {
    const std::int32_t favoritesBlock = int32At(pool, 0);
    if (favoritesBlock < 4) return {Record{-1, {}}};
    const std::size_t end = favoritesBlock + static_cast<std::size_t>(int32At(pool, favoritesBlock));
    std::vector<Record> records;
    for (std::size_t at = favoritesBlock + 4; at < end && at < pool.size();) {
        const std::int32_t record = int32At(pool, at);
        const std::int32_t length = int32At(pool, at + 58);
        if (record < 62 || length < 0 || at + 62 + length > pool.size()) return {Record{-1, {}}};
        records.push_back(Record{pool[at + 40] | (pool[at + 41] << 8),
                                 Bytes(pool.begin() + at + 62, pool.begin() + at + 62 + length)});
        at += record;
    }
    return records;
}

Texts activeTexts(const Bytes& pool) {
    Texts texts;
    for (const Record& record : activeRecords(pool)) {
        if (record.format < 0) return {u"<damaged>"};
        std::u16string text;
        for (std::size_t i = 0; i + 1 < record.bytes.size(); i += 2) {
            text.push_back(static_cast<char16_t>(record.bytes[i] | (record.bytes[i + 1] << 8)));
        }
        texts.push_back(text);
    }
    return texts;
}

// A PNG of 4 × 5 red pixels, 8-bit RGB.
Bytes tinyPngFile() {
    return {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A, 0x00, 0x00, 0x00, 0x0D, 0x49, 0x48, 0x44,
            0x52, 0x00, 0x00, 0x00, 0x04, 0x00, 0x00, 0x00, 0x05, 0x08, 0x02, 0x00, 0x00, 0x00, 0xED,
            0xCF, 0xDA, 0x8C, 0x00, 0x00, 0x00, 0x10, 0x49, 0x44, 0x41, 0x54, 0x78, 0x9C, 0x63, 0xF8,
            0xCF, 0xC0, 0x00, 0x47, 0x0C, 0x64, 0x70, 0x00, 0x9B, 0xC1, 0x13, 0xED, 0x06, 0x13, 0xD0,
            0x0A, 0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4E, 0x44, 0xAE, 0x42, 0x60, 0x82};
}

// A BMP file of 2 × 3 pixels, 24 bits a pixel (rows of 6 bytes padded to 8).
Bytes tinyBmpFile() {
    Bytes file = {'B', 'M', 78, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,
                  40, 0, 0, 0, 2, 0, 0, 0, 3, 0, 0, 0, 1, 0, 24, 0,
                  0,  0, 0, 0, 24, 0, 0, 0, 0x13, 0x0B, 0, 0, 0x13, 0x0B, 0, 0,
                  0,  0, 0, 0, 0, 0, 0, 0};
    for (int row = 0; row < 3; ++row) {
        const Bytes pixels = {0, 0, 0xFF, 0, 0xFF, 0, 0, 0};
        file.insert(file.end(), pixels.begin(), pixels.end());
    }
    return file;
}

BOOL CALLBACK takeActiveCaption(HWND child, LPARAM param) {
    std::wstring text = windowText(child);
    if (text.rfind(L"活动列表：", 0) != 0) return TRUE;
    *reinterpret_cast<std::wstring*>(param) = text;
    return FALSE;
}

std::wstring activeCaption(HWND main) {
    std::wstring found;
    EnumChildWindows(main, &takeActiveCaption, reinterpret_cast<LPARAM>(&found));
    return found;
}

// The list view of the main window with exactly this many rows.
struct ListSearch {
    HWND found;
    LRESULT rows;
};
BOOL CALLBACK takeListWithRows(HWND child, LPARAM param) {
    auto* search = reinterpret_cast<ListSearch*>(param);
    wchar_t name[32] = {};
    GetClassNameW(child, name, 32);
    if (std::wstring(name) != L"SysListView32" ||
        SendMessageW(child, LVM_GETITEMCOUNT, 0, 0) != search->rows)
        return TRUE;
    search->found = child;
    return FALSE;
}

Bytes configLine(const std::string& line) { return Bytes(line.begin(), line.end()); }

class Capture : public ProgramFixture {
protected:
    void TearDown() override {
        peer.reset();
        ProgramFixture::TearDown();
    }
    // Started, and at the head of the clipboard viewer chain.
    bool start() {
        program = &startProgram();
        main = program->waitForMainWindow();
        return main != nullptr && waitUntil([&] { return GetClipboardViewer() == main; });
    }
    // Every notice sent so far has been handled by the program and by the
    // peer's viewers.
    void settle() {
        peer->run([] {});
        DWORD_PTR answer = 0;
        SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, DefaultTimeoutMs, &answer);
        peer->run([] {});
    }
    bool captionShows(const wchar_t* caption) {
        return waitUntil([&] { return activeCaption(main) == caption; });
    }
    // Each text is offered by an xclip of its own, the next one only once
    // the program has passed the notice of this one on to the viewer.
    bool copyEach(int viewer, const std::vector<std::wstring>& texts) {
        for (const std::wstring& text : texts) {
            if (!copyWithXclip(text) || !peer->waitForNoticeOf(viewer, text)) return false;
        }
        return true;
    }
    Bytes poolAfterExit() {
        EXPECT_TRUE(program->exitWithYes());
        Bytes pool;
        EXPECT_TRUE(readFile(programFile(L"poolfile.bin"), pool));
        return pool;
    }
    Texts activeTextsAfterExit() { return activeTexts(poolAfterExit()); }
    // The main window's list view once it has this many rows.
    HWND listWithRows(LRESULT rows) {
        ListSearch search{nullptr, rows};
        waitUntil([&] {
            EnumChildWindows(main, takeListWithRows, reinterpret_cast<LPARAM>(&search));
            return search.found != nullptr;
        });
        return search.found;
    }

    std::unique_ptr<DesktopPeer> peer = std::make_unique<DesktopPeer>();
    ProcessDriver* program = nullptr;
    HWND main = nullptr;
};

TEST_F(Capture, TextsCopiedByAnotherXClientEnterNewestFirstAndARepeatMovesUp) {
    const int viewer = peer->joinChain();
    ASSERT_TRUE(start());
    ASSERT_TRUE(copyEach(viewer, {L"first copy", L"第二段 中文文本，标点", L"third\tcopy",
                               L"first copy"}));
    EXPECT_TRUE(captionShows(L"活动列表：[3/50]"));
    EXPECT_EQ((Texts{u"first copy", u"third\tcopy", u"第二段 中文文本，标点"}), activeTextsAfterExit());
}

// Read back with LVM_GETITEMTEXTW: every character as it was copied; a
// text of the code page shows as it always did.
TEST_F(Capture, TextsOutsideTheCodePageShowInTheListAsTheyAre) {
    const int viewer = peer->joinChain();
    ASSERT_TRUE(start());
    const std::wstring foreign = L"emoji \U0001F600 \u0109 \u015D \uD55C\uAD6D\uC5B4 end";
    const std::wstring chinese = L"第二段 中文文本，标点 and a line long enough to be cut";
    ASSERT_TRUE(copyEach(viewer, {chinese, foreign}));
    ListSearch search{nullptr, 2};
    ASSERT_TRUE(waitUntil([&] {
        EnumChildWindows(main, takeListWithRows, reinterpret_cast<LPARAM>(&search));
        return search.found != nullptr;
    }));
    const RemoteListView rows(search.found);
    ASSERT_TRUE(rows.usable());
    EXPECT_TRUE(waitUntil([&] { return rows.cellText(0, 1) == foreign; })) << rows.cellText(0, 1).size();
    EXPECT_EQ(rows.cellText(0, 2), L"20");
    // 6 + 1 + 14 + 14 = 35 bytes of narrow text, then "...".
    EXPECT_EQ(rows.cellText(1, 1), L"第二段 中文文本，标点 and a line lo...");
}

TEST_F(Capture, SixtyCopiesIntoAListOfFiftyKeepTheNewestFifty) {
    const int viewer = peer->joinChain();
    ASSERT_TRUE(start());
    std::vector<std::wstring> copies;
    for (int i = 1; i <= 60; ++i) copies.push_back(L"copy " + std::to_wstring(i));
    ASSERT_TRUE(copyEach(viewer, copies));
    EXPECT_TRUE(captionShows(L"活动列表：[50/50]"));
    Texts expected;
    for (int i = 60; i > 10; --i) {
        const std::string text = "copy " + std::to_string(i);
        expected.push_back(std::u16string(text.begin(), text.end()));
    }
    EXPECT_EQ(expected, activeTextsAfterExit());
}

TEST_F(Capture, MonitoringOffCapturesNothingButPassesEveryNoticeOn) {
    ASSERT_TRUE(writeFile(programFile(L"Inkwell.cfg"), configLine("EnableMonitoring=0\r\n")));
    const int viewer = peer->joinChain();
    ASSERT_TRUE(start());
    settle();
    const int before = peer->notices(viewer);
    peer->putUnicodeText(L"not kept");
    peer->putUnicodeText(L"nor this");
    EXPECT_TRUE(peer->waitForNotices(viewer, before + 2));
    EXPECT_EQ(L"活动列表：[0/50]", activeCaption(main));
    EXPECT_EQ(Texts{}, activeTextsAfterExit());
}

// A bitmap without text is kept as the DIB the system makes of it.
TEST_F(Capture, AnsiOnlyTextIsConvertedAndABitmapWithoutTextIsAnImage) {
    const int viewer = peer->joinChain();
    ASSERT_TRUE(start());
    peer->putAnsiText("\xD6\xD0\xCE\xC4 GBK text");  // "中文" in code page 936
    ASSERT_TRUE(captionShows(L"活动列表：[1/50]"));
    settle();
    const int before = peer->notices(viewer);
    peer->putBitmapOnly();
    EXPECT_TRUE(peer->waitForNotices(viewer, before + 1)) << "the next viewer heard nothing";
    EXPECT_TRUE(captionShows(L"活动列表：[2/50]"));
    const std::vector<Record> records = activeRecords(poolAfterExit());
    ASSERT_EQ(2u, records.size());
    EXPECT_EQ(8, records[0].format);
    EXPECT_EQ(8, int32At(records[0].bytes, 4));
    EXPECT_EQ(8, int32At(records[0].bytes, 8));
    EXPECT_EQ(13, records[1].format);
}

// Wine offers an X program's image/bmp as CF_DIB, image/png only as "PNG"
// (decoded here into a DIB of 32 bits a pixel, bottom-up) and
// text/uri-list as CF_HDROP.
TEST_F(Capture, AnImageAndFilesCopiedByAnotherXClientAreKeptAsTheirKinds) {
    ASSERT_TRUE(start());
    const Bytes bmp = tinyBmpFile();
    ASSERT_TRUE(copyWithXclip(bmp, "image/bmp"));
    ASSERT_TRUE(captionShows(L"活动列表：[1/50]"));
    ASSERT_TRUE(copyWithXclip(tinyPngFile(), "image/png"));
    ASSERT_TRUE(captionShows(L"活动列表：[2/50]"));
    const std::string uris = "file:///tmp/qb-a.txt\r\nfile:///tmp/qb-b.txt\r\n";
    ASSERT_TRUE(copyWithXclip(Bytes(uris.begin(), uris.end()), "text/uri-list"));
    HWND list = listWithRows(3);
    ASSERT_NE(nullptr, list);
    const RemoteListView rows(list);
    ASSERT_TRUE(rows.usable());
    EXPECT_EQ(L"[文件] qb-a.txt; qb-b.txt", rows.cellText(0, 1));
    EXPECT_EQ(L"[图片 4×5]", rows.cellText(1, 1));
    EXPECT_EQ(L"[图片 2×3]", rows.cellText(2, 1));
    EXPECT_EQ(L"", rows.cellText(2, 2));

    // A double click pastes the bitmap row; X programs are offered it as
    // image/png too, and its capture moves the row to the top.
    const RECT row = rows.rowRect(2);
    ASSERT_GT(row.bottom, row.top);
    ASSERT_TRUE(runUnix("xdotool mousemove " + std::to_string((row.left + row.right) / 2) + " " +
                        std::to_string((row.top + row.bottom) / 2) + " click --repeat 2 --delay 100 1"));
    const std::string targets = unixTempPath("targets");
    const std::string png = "image/png";
    EXPECT_TRUE(waitUntil([&] {
        Bytes listed;
        return runUnix("xclip -o -selection clipboard -t TARGETS > " + targets) &&
               readFile(windowsPathOf(targets), listed) &&
               std::search(listed.begin(), listed.end(), png.begin(), png.end()) != listed.end();
    }));
    EXPECT_TRUE(waitUntil([&] { return rows.cellText(0, 1) == L"[图片 2×3]"; }));

    const std::vector<Record> records = activeRecords(poolAfterExit());
    ASSERT_EQ(3u, records.size());
    EXPECT_EQ(8, records[0].format);
    EXPECT_EQ(2, int32At(records[0].bytes, 4));
    EXPECT_EQ(3, int32At(records[0].bytes, 8));
    EXPECT_EQ(15, records[1].format);
    const Bytes& decoded = records[2].bytes;
    EXPECT_EQ(8, records[2].format);
    ASSERT_EQ(40u + 4 * 5 * 4, decoded.size());
    EXPECT_EQ((Bytes{4, 0, 0, 0, 5, 0, 0, 0, 1, 0, 32, 0}), Bytes(decoded.begin() + 4, decoded.begin() + 16));
    EXPECT_EQ((Bytes{0x00, 0x00, 0xFF, 0xFF}), Bytes(decoded.end() - 4, decoded.end()));  // BGRA red
}

// A packed DIB of 32 bits a pixel, its first pixel byte set to mark.
Bytes dib32(std::int32_t width, std::int32_t height, unsigned char mark) {
    const std::uint32_t pixels = static_cast<std::uint32_t>(width) * height * 4;
    Bytes dib(40 + static_cast<std::size_t>(pixels), 0);
    const std::uint32_t fields[] = {40, static_cast<std::uint32_t>(width),
                                    static_cast<std::uint32_t>(height), 1 | 32 << 16, 0, pixels};
    for (std::size_t i = 0; i < 6; ++i)
        for (int b = 0; b < 4; ++b) dib[i * 4 + b] = static_cast<unsigned char>(fields[i] >> (8 * b));
    dib[40] = mark;
    return dib;
}

// An image over 32 MB is not kept; past 256 MB of images in the active list
// the oldest image leaves, never the text below it.
TEST_F(Capture, AnImageOver32MBIsNotKeptAndPast256MBTheOldestImageLeaves) {
    const int viewer = peer->joinChain();
    ASSERT_TRUE(start());
    peer->putUnicodeText(L"text stays");
    ASSERT_TRUE(captionShows(L"活动列表：[1/50]"));
    settle();
    int notices = peer->notices(viewer);
    peer->putBlock(CF_DIB, dib32(2048, 4096, 0xEE));  // 32 MB of pixels and a header
    ASSERT_TRUE(peer->waitForNotices(viewer, ++notices));
    settle();
    EXPECT_EQ(L"活动列表：[1/50]", activeCaption(main));
    // Nine images of about 30 MB, each a row shorter than the one before.
    for (int i = 0; i < 9; ++i) {
        peer->putBlock(CF_DIB, dib32(2560, 3072 - i, static_cast<unsigned char>(i + 1)));
        HWND list = listWithRows(std::min(i + 2, 9));
        ASSERT_NE(nullptr, list) << i;
        const std::wstring caption = L"[图片 2560×" + std::to_wstring(3072 - i) + L"]";
        ASSERT_TRUE(waitUntil([&] { return RemoteListView(list).cellText(0, 1) == caption; })) << i;
    }
    EXPECT_EQ(L"活动列表：[9/50]", activeCaption(main));
    const std::vector<Record> records = activeRecords(poolAfterExit());
    ASSERT_EQ(9u, records.size());
    for (int row = 0; row < 8; ++row) {
        SCOPED_TRACE(row);
        EXPECT_EQ(8, records[row].format);
        EXPECT_EQ(3064 + row, int32At(records[row].bytes, 8));
        ASSERT_GT(records[row].bytes.size(), 40u);
        EXPECT_EQ(9 - row, records[row].bytes[40]);
    }
    EXPECT_EQ(13, records[8].format);
}

// What a Windows program puts: "PNG" alone, CF_DIB, Explorer's CF_HDROP;
// the same files copied again move up like a text.
TEST_F(Capture, ImagesAndFilesPutByAWindowsProgramAreKeptAndARepeatMovesUp) {
    const Bytes files = twoFilesDropBlock();
    const Bytes dib = dib32(3, 2, 0x42);
    ASSERT_TRUE(start());
    peer->putBlock(CF_HDROP, files);
    ASSERT_TRUE(captionShows(L"活动列表：[1/50]"));
    peer->putBlock(RegisterClipboardFormatW(L"PNG"), tinyPngFile());
    ASSERT_TRUE(captionShows(L"活动列表：[2/50]"));
    peer->putBlock(CF_DIB, dib);
    ASSERT_TRUE(captionShows(L"活动列表：[3/50]"));
    peer->putBlock(CF_HDROP, files);
    HWND list = listWithRows(3);
    ASSERT_NE(nullptr, list);
    ASSERT_TRUE(waitUntil([&] { return RemoteListView(list).cellText(0, 1) == L"[文件] a.txt; b.bin"; }));
    EXPECT_EQ(L"[图片 3×2]", RemoteListView(list).cellText(1, 1));
    EXPECT_EQ(L"[图片 4×5]", RemoteListView(list).cellText(2, 1));
    EXPECT_EQ(L"活动列表：[3/50]", activeCaption(main));
    const std::vector<Record> records = activeRecords(poolAfterExit());
    ASSERT_EQ(3u, records.size());
    EXPECT_TRUE((records[0] == Record{15, files}));
    EXPECT_TRUE((records[1] == Record{8, dib}));
    EXPECT_EQ(8, records[2].format);
    EXPECT_EQ(4, int32At(records[2].bytes, 4));
}

TEST_F(Capture, ChainFollowsARemovalAndActivationTakesTheHeadBack) {
    const int last = peer->joinChain();
    const int leaving = peer->joinChain();
    ASSERT_TRUE(start());

    // The viewer after the program leaves: the program links to the one
    // after that.
    peer->leaveChain(leaving);
    settle();
    int lastBefore = peer->notices(last);
    peer->putUnicodeText(L"one");
    ASSERT_TRUE(captionShows(L"活动列表：[1/50]"));
    EXPECT_TRUE(peer->waitForNotices(last, lastBefore + 1)) << "the chain broke at the removal";

    // Another viewer takes the head; activation puts the program back.
    const int head = peer->joinChain();
    peer->putUnicodeText(L"two");
    ASSERT_TRUE(captionShows(L"活动列表：[2/50]"));
    DWORD_PTR answer = 0;
    ASSERT_TRUE(SendMessageTimeoutW(main, WM_ACTIVATEAPP, TRUE, 0, SMTO_ABORTIFHUNG,
                                    DefaultTimeoutMs, &answer));
    EXPECT_EQ(main, GetClipboardViewer());

    settle();
    lastBefore = peer->notices(last);
    const int headBefore = peer->notices(head);
    peer->putUnicodeText(L"three");
    ASSERT_TRUE(captionShows(L"活动列表：[3/50]"));
    EXPECT_TRUE(peer->waitForNotices(head, headBefore + 1)) << "the old head heard nothing";
    EXPECT_TRUE(peer->waitForNotices(last, lastBefore + 1)) << "the last viewer heard nothing";
    EXPECT_EQ((Texts{u"three", u"two", u"one"}), activeTextsAfterExit());
}

}  // namespace
}  // namespace e2e
