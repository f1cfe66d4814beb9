// The list views created for real in a plain window, bound to real stores.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ListHarness.h"
#include "res/resource.h"
#include "ui/framework/MessageLoop.h"

namespace {

using listharness::ListHarness;

// MD5 of the texts as UTF-16LE bytes.
const wchar_t* const HelloDigest = L"FD186DD49A16B1BF2BD2F44E495E14C9";
const wchar_t* const ChineseDigest = L"61B10D5EA9648693A1169FE082E5D9FB";  // "中文文本"
const wchar_t* const ThirdDigest = L"15AF1EED8737E4122A9E7639B26B105B";
const wchar_t* const WorldDigest = L"C182FE9A736B417E3E766BED88E7A328";

std::vector<int> columnWidths(const ItemListCtrl& list) {
    std::vector<int> out;
    HWND header = reinterpret_cast<HWND>(SendMessageW(list.hwnd(), LVM_GETHEADER, 0, 0));
    const int columns = static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
    for (int c = 0; c < columns; ++c) {
        out.push_back(static_cast<int>(SendMessageW(list.hwnd(), LVM_GETCOLUMNWIDTH, c, 0)));
    }
    return out;
}

std::wstring columnTitle(const ItemListCtrl& list, int column) {
    wchar_t text[64] = {};
    LVCOLUMNW info{};
    info.mask = LVCF_TEXT;
    info.pszText = text;
    info.cchTextMax = 64;
    SendMessageW(list.hwnd(), LVM_GETCOLUMNW, column, reinterpret_cast<LPARAM>(&info));
    return text;
}

// A hot-track notification as the list view sends it to its parent.
void hotTrack(const ItemListCtrl& list, int row) {
    NMLISTVIEW nm{};
    nm.hdr.hwndFrom = list.hwnd();
    nm.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(list.hwnd()));
    nm.hdr.code = LVN_HOTTRACK;
    nm.iItem = row;
    nm.iSubItem = 0;
    SendMessageW(GetParent(list.hwnd()), WM_NOTIFY, nm.hdr.idFrom, reinterpret_cast<LPARAM>(&nm));
}

// The list view's question when the user types, as it sends it to its
// parent; the row found, or -1.
LRESULT findItem(const ItemListCtrl& list, const wchar_t* text, int start, UINT flags) {
    NMLVFINDITEMW nm{};
    nm.hdr.hwndFrom = list.hwnd();
    nm.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(list.hwnd()));
    nm.hdr.code = LVN_ODFINDITEMW;
    nm.iStart = start;
    nm.lvfi.flags = flags;
    nm.lvfi.psz = text;
    return SendMessageW(GetParent(list.hwnd()), WM_NOTIFY, nm.hdr.idFrom,
                        reinterpret_cast<LPARAM>(&nm));
}

class KeyboardState {
public:
    explicit KeyboardState(bool ctrlDown) {
        GetKeyboardState(saved_);
        BYTE state[256];
        GetKeyboardState(state);
        state[VK_CONTROL] = ctrlDown ? 0x80 : 0;
        state[VK_LCONTROL] = ctrlDown ? 0x80 : 0;
        SetKeyboardState(state);
    }
    ~KeyboardState() { SetKeyboardState(saved_); }

private:
    BYTE saved_[256] = {};
};

MSG keyDown(HWND target, UINT key) {
    MSG msg{};
    msg.hwnd = target;
    msg.message = WM_KEYDOWN;
    msg.wParam = key;
    msg.lParam = 0x001E0001;  // scan code of A, one repeat
    return msg;
}

class ItemListCtrlTest : public ::testing::Test {
protected:
    // Five texts; the second and the fifth contain "ab".
    void addFive() {
        for (const char16_t* text : {u"one", u"xaby", u"three", u"four", u"ab five"}) {
            lists.addActive(text);
        }
    }

    ListHarness lists;
};

TEST_F(ItemListCtrlTest, ColumnsAtCreationFollowTheWindowWidth) {
    EXPECT_EQ(columnWidths(lists.favoritesList), (std::vector<int>{20, 30, 90, 40, 0, 0, 0}));
    EXPECT_EQ(columnWidths(lists.activeList), (std::vector<int>{20, 120, 40, 0, 0, 0}));
    EXPECT_EQ(columnTitle(lists.activeList, 1), L"摘要");
    EXPECT_EQ(columnTitle(lists.activeList, 5), L"HashValue");
    EXPECT_EQ(columnTitle(lists.favoritesList, 1), L"别名");
    EXPECT_EQ(columnTitle(lists.favoritesList, 6), L"HashValue");
    EXPECT_EQ(lists.activeList.hashColumn(), 5);
    EXPECT_EQ(lists.favoritesList.hashColumn(), 6);
}

TEST_F(ItemListCtrlTest, StylesAllowSeveralSelectedRowsAndTrackTheMouse) {
    const LONG_PTR style = GetWindowLongPtrW(lists.activeList.hwnd(), GWL_STYLE);
    EXPECT_EQ(style & LVS_TYPEMASK, LVS_REPORT);
    EXPECT_TRUE(style & LVS_SHOWSELALWAYS);
    EXPECT_FALSE(style & LVS_SINGLESEL);
    EXPECT_EQ(SendMessageW(lists.activeList.hwnd(), LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0), 0x29);
    EXPECT_EQ(SendMessageW(lists.activeList.hwnd(), LVM_GETHOVERTIME, 0, 0), 99999999);
    EXPECT_NE(SendMessageW(lists.activeList.hwnd(), LVM_GETIMAGELIST, LVSIL_SMALL, 0), 0);
}

TEST_F(ItemListCtrlTest, RowsAreNumberedInStoreOrderAndCarryTheDigest) {
    lists.addActive(u"hello");
    lists.addActive(u"中文文本");
    lists.addActive(u"third");
    ASSERT_EQ(lists.activeList.rowCount(), 3);
    EXPECT_EQ(ListHarness::numbers(lists.activeList),
              (std::vector<std::wstring>{L"1", L"2", L"3"}));
    EXPECT_EQ(lists.activeList.cellText(0, 1), L"hello");
    EXPECT_EQ(lists.activeList.cellText(1, 1), L"中文文本");
    EXPECT_EQ(lists.activeList.cellText(1, 2), L"4");
    EXPECT_EQ(lists.activeList.cellText(1, 3), L"Unicode");
    EXPECT_EQ(lists.activeList.cellText(1, 4).size(), 19u);
    EXPECT_EQ(lists.activeList.cellText(0, 5), HelloDigest);
    EXPECT_EQ(lists.activeList.cellText(1, 5), ChineseDigest);
    EXPECT_EQ(lists.activeList.cellText(2, 5), ThirdDigest);
}

TEST_F(ItemListCtrlTest, FavoritesShowTheAliasAndKeepTheDigestInColumnSix) {
    lists.addFavorite(u"hello", "mail");
    lists.addFavorite(u"world");
    ASSERT_EQ(lists.favoritesList.rowCount(), 2);
    EXPECT_EQ(lists.favoritesList.cellText(0, 1), L"mail");
    EXPECT_EQ(lists.favoritesList.cellText(0, 2), L"hello");
    EXPECT_EQ(lists.favoritesList.cellText(0, 3), L"5");
    EXPECT_EQ(lists.favoritesList.cellText(0, 6), HelloDigest);
    EXPECT_EQ(lists.favoritesList.cellText(1, 1), L"");
    EXPECT_EQ(lists.favoritesList.cellText(1, 6), WorldDigest);
    EXPECT_EQ(lists.activeList.rowCount(), 0);
}

TEST_F(ItemListCtrlTest, CaptionsShowCountAndCapacity) {
    EXPECT_EQ(wintext::windowText(lists.owner.activeCaption), L"活动列表：[0/50]");
    EXPECT_EQ(wintext::windowText(lists.owner.favoritesCaption), L"收藏夹：[0/10]");
    lists.addActive(u"a");
    lists.addActive(u"b");
    lists.addFavorite(u"c");
    EXPECT_EQ(wintext::windowText(lists.owner.activeCaption), L"活动列表：[2/50]");
    EXPECT_EQ(wintext::windowText(lists.owner.favoritesCaption), L"收藏夹：[1/10]");
}

TEST_F(ItemListCtrlTest, SearchTextShowsMatchingItemsRenumberedButCaptionCountsAll) {
    addFive();
    ASSERT_EQ(lists.active.setSearchText("ab"), 0);
    lists.active.notifyObserver();
    ASSERT_EQ(lists.activeList.rowCount(), 2);
    EXPECT_EQ(ListHarness::numbers(lists.activeList), (std::vector<std::wstring>{L"1", L"2"}));
    EXPECT_EQ(lists.activeList.rowToItem(0), lists.active.itemAt(1));
    EXPECT_EQ(lists.activeList.rowToItem(1), lists.active.itemAt(4));
    EXPECT_EQ(wintext::windowText(lists.owner.activeCaption), L"活动列表：[5/50]");
}

TEST_F(ItemListCtrlTest, DoubleClickWithTwoRowsSelectedPastesTheUpperOne) {
    lists.addActive(u"top");
    lists.addActive(u"middle");
    lists.addActive(u"bottom");
    ListHarness::selectRow(lists.activeList, 2);
    ListHarness::selectRow(lists.activeList, 1);
    NMITEMACTIVATE click{};
    click.hdr = {lists.activeList.hwnd(), 101, static_cast<UINT>(NM_DBLCLK)};
    click.iItem = 2;
    SendMessageW(GetParent(lists.activeList.hwnd()), WM_NOTIFY, 101, reinterpret_cast<LPARAM>(&click));
    EXPECT_EQ(lists.clipboard.content,
              (std::vector<unsigned char>{'m', 0, 'i', 0, 'd', 0, 'd', 0, 'l', 0, 'e', 0}));
}

TEST_F(ItemListCtrlTest, RowToItemFindsTheItemThroughItsDigest) {
    ClipItem* first = lists.addActive(u"first");
    ClipItem* second = lists.addActive(u"second");
    EXPECT_EQ(lists.activeList.rowToItem(0), first);
    EXPECT_EQ(lists.activeList.rowToItem(1), second);
    EXPECT_EQ(lists.activeList.rowToItem(2), nullptr);
    EXPECT_EQ(lists.activeList.rowToItem(-1), nullptr);
}

TEST_F(ItemListCtrlTest, RowWhoseItemLeftTheStoreYieldsNoItem) {
    lists.addActive(u"first");
    ClipItem* second = lists.addActive(u"second");
    lists.active.remove(second);  // no refresh yet
    EXPECT_EQ(lists.activeList.rowCount(), 2);
    EXPECT_EQ(lists.activeList.rowToItem(1), nullptr);
    lists.pane.setItem(lists.active.itemAt(0));
    lists.pane.refresh();
    ListHarness::selectRow(lists.activeList, 1);
    EXPECT_EQ(lists.paneText(), L"first");
}

TEST_F(ItemListCtrlTest, SelectingARowPreviewsItsItemWithItsAlias) {
    ClipItem* mail = lists.addFavorite(u"hello", "mail");
    lists.addActive(u"hello");
    ListHarness::selectRow(lists.favoritesList, 0);
    EXPECT_EQ(lists.pane.currentItem(), mail);
    EXPECT_EQ(lists.paneText(), L"#mail\r\nhello");
    ListHarness::selectRow(lists.activeList, 0);
    EXPECT_EQ(lists.paneText(), L"hello");
    EXPECT_EQ(lists.pane.currentItem(), lists.active.itemAt(0));
}

TEST_F(ItemListCtrlTest, HotTrackPreviewsTheRowAndLeavingTheRowsKeepsIt) {
    lists.addActive(u"first");
    lists.addActive(u"second");
    hotTrack(lists.activeList, 1);
    EXPECT_EQ(lists.paneText(), L"second");
    hotTrack(lists.activeList, -1);
    EXPECT_EQ(lists.paneText(), L"second");
    EXPECT_EQ(lists.pane.currentItem(), lists.active.itemAt(1));
    hotTrack(lists.activeList, 0);
    EXPECT_EQ(lists.paneText(), L"first");
}

RECT rowBounds(const ItemListCtrl& list, int row) {
    RECT bounds{};
    bounds.left = LVIR_BOUNDS;
    SendMessageW(list.hwnd(), LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&bounds));
    return bounds;
}

// How many of the frame's corner and edge pixels are black.
int blackFramePixels(const ItemListCtrl& list, const RECT& bounds) {
    HDC dc = GetDC(list.hwnd());
    const POINT points[] = {{bounds.left, bounds.top},
                            {bounds.right - 1, bounds.top},
                            {bounds.left, bounds.bottom - 1},
                            {bounds.right - 1, bounds.bottom - 1},
                            {bounds.left, (bounds.top + bounds.bottom) / 2},
                            {(bounds.left + bounds.right) / 2, bounds.bottom - 1}};
    int black = 0;
    for (const POINT& p : points) black += GetPixel(dc, p.x, p.y) == RGB(0, 0, 0) ? 1 : 0;
    ReleaseDC(list.hwnd(), dc);
    return black;
}

TEST_F(ItemListCtrlTest, HotTrackFramesTheRowInBlackAndTheOldFrameGoes) {
    lists.addActive(u"first");
    lists.addActive(u"second");
    UpdateWindow(lists.activeList.hwnd());
    const RECT second = rowBounds(lists.activeList, 1);
    const RECT first = rowBounds(lists.activeList, 0);
    hotTrack(lists.activeList, 1);
    EXPECT_EQ(blackFramePixels(lists.activeList, second), 6);

    // A frame on another row (hover or a change of selection) leaves no
    // piece of the previous one, not even on the list's left edge.
    hotTrack(lists.activeList, 0);
    EXPECT_EQ(blackFramePixels(lists.activeList, first), 6);
    EXPECT_EQ(blackFramePixels(lists.activeList, second), 0);
    ListHarness::selectRow(lists.activeList, 1);
    EXPECT_EQ(blackFramePixels(lists.activeList, first), 0);
}

TEST_F(ItemListCtrlTest, PointerMovesOverTheListPreviewTheRowUnderIt) {
    lists.addActive(u"first");
    lists.addActive(u"second");
    const RECT second = rowBounds(lists.activeList, 1);
    const LPARAM overSecond = MAKELPARAM((second.left + second.right) / 2,
                                         (second.top + second.bottom) / 2);
    SendMessageW(lists.activeList.hwnd(), WM_MOUSEMOVE, 0, overSecond);
    EXPECT_EQ(lists.paneText(), L"second");
    // Below the rows: the preview stays.
    SendMessageW(lists.activeList.hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(20, 170));
    EXPECT_EQ(lists.paneText(), L"second");
    EXPECT_EQ(ListHarness::selectedCount(lists.activeList), 0);
}

TEST_F(ItemListCtrlTest, RefreshEmptiesThePaneAndClearsTheSelection) {
    lists.addActive(u"first");
    lists.addActive(u"second");
    ListHarness::selectRow(lists.activeList, 1);
    ASSERT_EQ(lists.paneText(), L"second");
    lists.addActive(u"third");  // a capture: add, then notifyObserver
    EXPECT_EQ(lists.paneText(), L"");
    EXPECT_EQ(lists.pane.currentItem(), nullptr);
    EXPECT_EQ(ListHarness::selectedCount(lists.activeList), 0);
    EXPECT_EQ(lists.activeList.rowCount(), 3);
}

// A capture into a full list keeps the row count: the rows scrolled to,
// selected and focused before it are forgotten all the same.
TEST_F(ItemListCtrlTest, RefreshOfAFullListShowsTheTopAndForgetsTheOldRows) {
    lists.settings.MaxActiveItemNum(20);
    for (int n = 1; n <= 20; ++n) lists.addActive(u"text " + std::u16string(1, static_cast<char16_t>(u'@' + n)));
    HWND list = lists.activeList.hwnd();
    SendMessageW(list, LVM_ENSUREVISIBLE, 19, FALSE);
    ListHarness::selectRow(lists.activeList, 17);
    SendMessageW(list, LVM_SETSELECTIONMARK, 0, 17);
    ASSERT_GT(SendMessageW(list, LVM_GETTOPINDEX, 0, 0), 0);

    lists.active.add(std::make_unique<UnicodeTextItem>(u"newest"), 1);
    lists.active.notifyObserver();
    EXPECT_EQ(lists.activeList.rowCount(), 20);
    EXPECT_EQ(lists.activeList.cellText(0, 1), L"newest");
    EXPECT_EQ(SendMessageW(list, LVM_GETTOPINDEX, 0, 0), 0);
    EXPECT_EQ(ListHarness::selectedCount(lists.activeList), 0);
    EXPECT_EQ(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED), -1);
    EXPECT_EQ(SendMessageW(list, LVM_GETSELECTIONMARK, 0, 0), -1);
}

TEST_F(ItemListCtrlTest, RefreshOfOneListEmptiesThePaneShowingTheOther) {
    lists.addFavorite(u"kept", "k");
    lists.addActive(u"first");
    ListHarness::selectRow(lists.favoritesList, 0);
    ASSERT_EQ(lists.paneText(), L"#k\r\nkept");
    lists.addActive(u"second");
    EXPECT_EQ(lists.paneText(), L"");
}

TEST_F(ItemListCtrlTest, SelectAllSelectsEveryRowAndPreviewsTheLast) {
    addFive();
    ListHarness::selectRow(lists.activeList, 4);
    lists.activeList.selectAll();
    EXPECT_EQ(ListHarness::selectedCount(lists.activeList), 5);
    // The last row was selected already: the last change is row 3.
    EXPECT_EQ(lists.paneText(), L"four");
}

TEST_F(ItemListCtrlTest, SelectAllCommandSelectsEveryRow) {
    addFive();
    SendMessageW(lists.activeList.hwnd(), WM_COMMAND, MAKEWPARAM(ID_SELECT_ALL, 1), 0);
    EXPECT_EQ(ListHarness::selectedCount(lists.activeList), 5);
    EXPECT_EQ(lists.paneText(), L"ab five");
}

TEST_F(ItemListCtrlTest, CtrlAIsTranslatedBeforeDispatch) {
    addFive();
    MSG msg = keyDown(lists.activeList.hwnd(), 'A');
    {
        KeyboardState plain(false);
        EXPECT_FALSE(lists.activeList.preTranslateMessage(msg));
        EXPECT_EQ(ListHarness::selectedCount(lists.activeList), 0);
    }
    KeyboardState ctrl(true);
    EXPECT_TRUE(lists.activeList.preTranslateMessage(msg));
    EXPECT_EQ(ListHarness::selectedCount(lists.activeList), 5);
}

TEST_F(ItemListCtrlTest, CtrlAReachesTheListThroughTheMessageLoop) {
    lists.addFavorite(u"a");
    lists.addFavorite(u"b");
    lists.addActive(u"c");
    KeyboardState ctrl(true);
    MSG msg = keyDown(lists.favoritesList.hwnd(), 'A');
    EXPECT_TRUE(messageloop::preTranslate(msg));
    EXPECT_EQ(ListHarness::selectedCount(lists.favoritesList), 2);
    EXPECT_EQ(ListHarness::selectedCount(lists.activeList), 0);
}

// Typing finds rows by their first column, the row number: the typed
// digit selects its row, a letter no row starts with leaves the selection.
TEST_F(ItemListCtrlTest, TypedTextSelectsTheRowWhoseNumberStartsWithIt) {
    for (int i = 1; i <= 12; ++i) lists.addActive(u"text " + std::u16string(1, u'a' + i));
    HWND list = lists.activeList.hwnd();
    ListHarness::selectRow(lists.activeList, 4);
    SendMessageW(list, WM_CHAR, L'3', 1);  // one key stroke
    EXPECT_EQ(2, SendMessageW(list, LVM_GETNEXTITEM, -1, LVNI_SELECTED));
    SendMessageW(list, WM_CHAR, L'x', 1);
    EXPECT_EQ(2, SendMessageW(list, LVM_GETNEXTITEM, -1, LVNI_SELECTED));
    EXPECT_EQ(1, ListHarness::selectedCount(lists.activeList));

    struct Case { const wchar_t* text; int start; UINT flags; LRESULT row; };
    const Case cases[] = {
        {L"1", 1, LVFI_PARTIAL | LVFI_WRAP, 9},  // "10", from the focused row on
        {L"1", 0, LVFI_PARTIAL | LVFI_WRAP, 0},
        {L"2", 2, LVFI_PARTIAL | LVFI_WRAP, 1},  // round to the top
        {L"2", 2, LVFI_PARTIAL, -1},
        {L"1", 1, LVFI_STRING | LVFI_WRAP, 0},   // the whole text
        {L"12", 12, LVFI_PARTIAL | LVFI_WRAP, 11},
        {L"x", 0, LVFI_PARTIAL | LVFI_WRAP, -1},
        {L"1", 0, LVFI_PARAM, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "text " << static_cast<char>(c.text[0]) << " from "
                                        << c.start);
        EXPECT_EQ(c.row, findItem(lists.activeList, c.text, c.start, c.flags));
    }
}

}  // namespace
