// The search boxes created for real above real lists: every change of the
// box's text becomes the store's keyword and rebuilds the list.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ListHarness.h"
#include "core/TextCodec.h"

namespace {

using listharness::ListHarness;

class SearchBoxTest : public ::testing::Test {
protected:
    HWND edit() const { return lists.activeSearch.hwnd(); }

    void setText(const wchar_t* text) { SetWindowTextW(edit(), text); }

    // Typing: replaces the selection (the caret) with the text.
    void type(const std::wstring& text) {
        for (wchar_t c : text) {
            const wchar_t one[2] = {c, L'\0'};
            SendMessageW(edit(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(one));
        }
    }
    void paste(const wchar_t* text) {
        SendMessageW(edit(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text));
    }
    void caretAt(int position) { SendMessageW(edit(), EM_SETSEL, position, position); }
    int caret() const {
        DWORD start = 0;
        DWORD end = 0;
        SendMessageW(edit(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                     reinterpret_cast<LPARAM>(&end));
        return static_cast<int>(end);
    }
    std::wstring boxText() const { return wintext::windowText(edit()); }
    std::string keyword() const { return narrow(lists.active.searchText()); }

    ListHarness lists;
};

TEST_F(SearchBoxTest, EditIsLimitedToSixteenCharacters) {
    EXPECT_EQ(SendMessageW(edit(), EM_GETLIMITTEXT, 0, 0), 16);
    const LONG_PTR style = GetWindowLongPtrW(edit(), GWL_STYLE);
    EXPECT_TRUE(style & ES_AUTOHSCROLL);
    EXPECT_EQ(GetDlgCtrlID(edit()), 113);
}

TEST_F(SearchBoxTest, TypingFiltersTheListAtOnce) {
    for (const char16_t* text : {u"one", u"xaby", u"three", u"four", u"ab five"}) {
        lists.addActive(text);
    }
    type(L"a");
    EXPECT_EQ(keyword(), "a");
    EXPECT_EQ(lists.activeList.rowCount(), 2);
    type(L"b");
    EXPECT_EQ(keyword(), "ab");
    ASSERT_EQ(lists.activeList.rowCount(), 2);
    EXPECT_EQ(ListHarness::numbers(lists.activeList), (std::vector<std::wstring>{L"1", L"2"}));
    EXPECT_EQ(lists.activeList.cellText(1, 1), L"ab five");
    EXPECT_EQ(wintext::windowText(lists.owner.activeCaption), L"活动列表：[5/50]");
    EXPECT_TRUE(lists.favorites.searchText().empty());
}

TEST_F(SearchBoxTest, SearchIsCaseSensitive) {
    lists.addActive(u"xaby");
    lists.addActive(u"xAby");
    lists.addActive(u"AB");
    setText(L"Ab");
    ASSERT_EQ(lists.activeList.rowCount(), 1);
    EXPECT_EQ(lists.activeList.cellText(0, 1), L"xAby");
    setText(L"ab");
    ASSERT_EQ(lists.activeList.rowCount(), 1);
    EXPECT_EQ(lists.activeList.cellText(0, 1), L"xaby");
}

TEST_F(SearchBoxTest, ChineseKeywordFiltersChineseTexts) {
    lists.addActive(u"今天天气很好");
    lists.addActive(u"明天");
    lists.addActive(u"weather");
    setText(L"天气");
    EXPECT_EQ(keyword(), "天气");
    ASSERT_EQ(lists.activeList.rowCount(), 1);
    EXPECT_EQ(lists.activeList.cellText(0, 1), L"今天天气很好");
}

// Characters the code page lacks are searched for as they are, not as the
// code page's question mark.
TEST_F(SearchBoxTest, KeywordOutsideTheCodePageIsTakenAsTyped) {
    lists.addActive(u"emoji \U0001F600 \u0109 \u015D \uD55C\uAD6D\uC5B4 end");
    lists.addActive(u"what? \u015D");
    lists.addActive(u"\U0001F601");
    for (const wchar_t* text : {L"\U0001F600", L"\u0109 \u015D", L"\uD55C\uAD6D"}) {
        setText(text);
        EXPECT_TRUE(lists.active.searchText() == wintext::utf16(text));
        ASSERT_EQ(lists.activeList.rowCount(), 1);
        EXPECT_EQ(lists.activeList.cellText(0, 1), L"emoji \U0001F600 \u0109 \u015D \uD55C\uAD6D\uC5B4 end");
    }
    // Eight characters outside the code page are sixteen bytes; a ninth is
    // refused.
    setText(L"");
    paste(L"\U0001F600\U0001F600\U0001F600\u0109\u0109\u0109\u0109\u0109\u0109");
    EXPECT_TRUE(lists.active.searchText() == u"\U0001F600\U0001F600\U0001F600\u0109\u0109\u0109\u0109\u0109");
    EXPECT_TRUE(lists.messages.shown.empty());
}

TEST_F(SearchBoxTest, ClearingTheBoxShowsEveryItemAgain) {
    for (const char16_t* text : {u"one", u"two", u"three"}) lists.addActive(text);
    type(L"tw");
    ASSERT_EQ(lists.activeList.rowCount(), 1);
    SendMessageW(edit(), WM_CHAR, VK_BACK, 0);
    EXPECT_EQ(keyword(), "t");
    EXPECT_EQ(lists.activeList.rowCount(), 2);
    SendMessageW(edit(), WM_CHAR, VK_BACK, 0);
    EXPECT_EQ(keyword(), "");
    EXPECT_EQ(ListHarness::numbers(lists.activeList),
              (std::vector<std::wstring>{L"1", L"2", L"3"}));
}

TEST_F(SearchBoxTest, FavoritesBoxFiltersOnlyTheFavorites) {
    lists.addFavorite(u"mail address", "m");
    lists.addFavorite(u"phone");
    lists.addActive(u"mail");
    SetWindowTextW(lists.favoritesSearch.hwnd(), L"mail");
    EXPECT_TRUE(lists.favorites.searchText() == u"mail");
    EXPECT_EQ(lists.favoritesList.rowCount(), 1);
    EXPECT_EQ(lists.activeList.rowCount(), 1);
    EXPECT_EQ(keyword(), "");
}

TEST_F(SearchBoxTest, SixteenLatinLettersFitTheSeventeenthIsRefused) {
    type(L"abcdefghijklmnop");
    EXPECT_EQ(keyword(), "abcdefghijklmnop");
    type(L"q");
    EXPECT_EQ(boxText(), L"abcdefghijklmnop");
    EXPECT_EQ(keyword(), "abcdefghijklmnop");
    EXPECT_TRUE(lists.messages.shown.empty());
}

TEST_F(SearchBoxTest, NinthChineseCharacterIsRefusedByTheBox) {
    type(L"一二三四五六七八九");
    EXPECT_EQ(boxText(), L"一二三四五六七八");
    EXPECT_EQ(keyword(), "一二三四五六七八");
    EXPECT_EQ(keyword().size(), 16u);
    EXPECT_EQ(caret(), 8);
    EXPECT_TRUE(lists.messages.shown.empty());
}

TEST_F(SearchBoxTest, DoubleByteCharacterIntoTheLastByteIsRefused) {
    type(L"abcdefghijklmno");
    type(L"中");
    EXPECT_EQ(boxText(), L"abcdefghijklmno");
    type(L"p");
    EXPECT_EQ(keyword(), "abcdefghijklmnop");
    EXPECT_TRUE(lists.messages.shown.empty());
}

TEST_F(SearchBoxTest, PasteInTheMiddleKeepsWhatFitsAndTheRest) {
    type(L"abc");
    caretAt(1);
    paste(L"一二三四五六七八");  // 8 characters, 16 bytes: 19 bytes in all
    EXPECT_EQ(boxText(), L"a一二三四五六bc");
    EXPECT_EQ(caret(), 7);
    EXPECT_EQ(keyword(), "a一二三四五六bc");
    caretAt(2);
    paste(L"z");
    EXPECT_EQ(keyword(), "a一z二三四五六bc");
    caretAt(3);
    paste(L"y");
    EXPECT_EQ(boxText(), L"a一z二三四五六bc");
    EXPECT_EQ(caret(), 3);
    EXPECT_TRUE(lists.messages.shown.empty());
}

TEST_F(SearchBoxTest, LongTextSetFromOutsideIsCutToItsStart) {
    setText(L"一二三四五六七八九十");
    EXPECT_EQ(boxText(), L"一二三四五六七八");
    EXPECT_EQ(keyword(), "一二三四五六七八");
    EXPECT_TRUE(lists.messages.shown.empty());
}

}  // namespace
