// The preview pane: the text of one item, its alias as a first line.
#include <gtest/gtest.h>

#include "ListHarness.h"
#include "core/BitmapItem.h"
#include "core/ClipBytes.h"
#include "core/FileListItem.h"
#include "core/UnicodeTextItem.h"

namespace {

using listharness::ListHarness;

TEST(PreviewPaneText, AliasComesFirstWithANumberSignAndALineBreak) {
    UnicodeTextItem item(u"hello");
    EXPECT_TRUE(PreviewPane::textFor(&item) == u"hello");
    item.setAlias("mail");
    EXPECT_TRUE(PreviewPane::textFor(&item) == u"#mail\r\nhello");
}

TEST(PreviewPaneText, ShowsTheWholeTextNotTheSummary) {
    const std::u16string text =
        u"第一行\r\nThe second line is long enough to be cut in the list's summary.";
    UnicodeTextItem item(text);
    item.setAlias("别名");
    EXPECT_TRUE(PreviewPane::textFor(&item) == u"#别名\r\n" + text);
    EXPECT_GT(item.narrowText().size(), item.summary().size());
}

TEST(PreviewPaneText, FilesShowTheirFullPathsOneALineAndAnImageNoText) {
    FileListItem files;
    const auto block = dropFilesBytes({u"C:\\文件夹\\a.txt", u"D:\\b"});
    files.setText(block.data(), static_cast<std::int32_t>(block.size()));
    files.setAlias("two");
    EXPECT_TRUE(PreviewPane::textFor(&files) == u"#two\r\nC:\\文件夹\\a.txt\r\nD:\\b");
    auto lying = block;
    lying[0] = 0xF0;  // the paths' offset points past the block
    files.setText(lying.data(), static_cast<std::int32_t>(lying.size()));
    EXPECT_TRUE(PreviewPane::textFor(&files) == u"#two\r\n");
    BitmapItem image;
    const auto dib = dibBytes(2, 3);
    image.setText(dib.data(), static_cast<std::int32_t>(dib.size()));
    EXPECT_TRUE(PreviewPane::textFor(&image).empty());
}

TEST(PreviewPaneImage, ScaledDownToFitCentredWithItsAspectKeptNeverEnlarged) {
    struct Case {
        int width, height, paneWidth, paneHeight;
        RECT expected;
    };
    const Case cases[] = {
        {100, 50, 200, 200, {50, 75, 150, 125}},    // smaller than the pane: as it is
        {400, 200, 200, 200, {0, 50, 200, 150}},    // too wide
        {200, 800, 100, 100, {37, 0, 62, 100}},     // too high
        {1920, 1080, 192, 300, {0, 96, 192, 204}},  // a screenshot
        {0, 10, 100, 100, {0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        const RECT r = PreviewPane::imageRect(c.width, c.height, c.paneWidth, c.paneHeight);
        EXPECT_TRUE(EqualRect(&r, &c.expected) != FALSE)
            << c.width << "x" << c.height << " gave " << r.left << "," << r.top << ","
            << r.right << "," << r.bottom;
    }
}

class PreviewPaneTest : public ::testing::Test {
protected:
    ListHarness lists;
};

TEST_F(PreviewPaneTest, IsAFramedWrappingStaticWithoutScrollBars) {
    const LONG_PTR style = GetWindowLongPtrW(lists.pane.hwnd(), GWL_STYLE);
    EXPECT_EQ(style & SS_TYPEMASK, SS_LEFT);
    EXPECT_TRUE(style & WS_BORDER);
    EXPECT_TRUE(style & WS_VISIBLE);
    EXPECT_FALSE(style & (WS_VSCROLL | WS_HSCROLL));
    EXPECT_EQ(GetDlgCtrlID(lists.pane.hwnd()), 102);
    EXPECT_EQ(lists.paneText(), L"");
}

TEST_F(PreviewPaneTest, RefreshShowsTheCurrentItemAndNoneEmptiesIt) {
    UnicodeTextItem item(u"中文 & text");
    item.setAlias("mail");
    lists.pane.setItem(&item);
    lists.pane.refresh();
    EXPECT_EQ(lists.paneText(), L"#mail\r\n中文 & text");
    const UnicodeTextItem foreign(u"emoji \U0001F600 \u0109 \u015D \uD55C\uAD6D\uC5B4 end");
    lists.pane.setItem(&foreign);
    lists.pane.refresh();
    EXPECT_EQ(lists.paneText(), L"emoji \U0001F600 \u0109 \u015D \uD55C\uAD6D\uC5B4 end");
    lists.pane.setItem(nullptr);
    lists.pane.refresh();
    EXPECT_EQ(lists.paneText(), L"");
}

TEST_F(PreviewPaneTest, AnImageIsDrawnNotEnlargedOnThePanesBackground) {
    auto dib = dibBytes(4, 4, 32);
    for (std::size_t at = 40; at + 4 <= dib.size(); at += 4) dib[at + 2] = 0xFF;  // red
    BitmapItem image;
    image.setText(dib.data(), static_cast<std::int32_t>(dib.size()));
    lists.pane.setItem(&image);
    lists.pane.refresh();
    UpdateWindow(lists.pane.hwnd());
    RECT client{};
    GetClientRect(lists.pane.hwnd(), &client);
    HDC dc = GetDC(lists.pane.hwnd());
    const COLORREF centre = GetPixel(dc, client.right / 2, client.bottom / 2);
    const COLORREF corner = GetPixel(dc, 1, 1);
    ReleaseDC(lists.pane.hwnd(), dc);
    EXPECT_EQ(RGB(255, 0, 0), centre);
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), corner);
    EXPECT_EQ(lists.paneText(), L"");
    lists.pane.setItem(nullptr);
    lists.pane.refresh();
}

}  // namespace
