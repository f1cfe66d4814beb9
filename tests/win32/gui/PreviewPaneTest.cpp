// The preview pane: the text of one item, its alias as a first line.
#include <gtest/gtest.h>

#include "ListHarness.h"
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

}  // namespace
