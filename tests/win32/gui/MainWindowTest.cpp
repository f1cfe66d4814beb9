// The main window and its hidden owner, created for real from their
// templates and driven with real messages.
#include "ui/MainWindow.h"

#include <commctrl.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <utility>
#include <string>
#include <vector>

#include "app/OwnerWindow.h"
#include "TestStores.h"
#include "core/Fakes.h"
#include "core/ItemStore.h"
#include "core/MainLayout.h"  // Rect
#include "core/UnicodeTextItem.h"
#include "res/resource.h"
#include "storage/Settings.h"
#include "ui/ItemListCtrl.h"
#include "ui/MainWindowHost.h"
#include "ui/PreviewPane.h"
#include "ui/PrivateMessages.h"
#include "ui/SearchBox.h"
#include "ui/framework/MessageLoop.h"

namespace {

// Dispatches what is queued, the way the program's loop does.
void pump(DWORD milliseconds = 50) {
    const DWORD start = GetTickCount();
    do {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (messageloop::preTranslate(msg)) continue;
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(5);
    } while (GetTickCount() - start < milliseconds);
}

class RecordingHost : public MainWindowHost {
public:
    void saveStores() override { ++saves; }
    void mainWindowChanged(HWND window) override { windows.push_back(window); }

    int saves = 0;
    std::vector<HWND> windows;
};

// A hidden window in the owner's place, counting WM_MAIN_DESTROYED.
class OwnerStandIn : public Window {
public:
    OwnerStandIn() {
        subclass(CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"owner", WS_POPUP, 0, 0, 10, 10,
                                 nullptr, nullptr, GetModuleHandleW(nullptr), nullptr));
    }
    ~OwnerStandIn() override { destroyWindow(); }

    int mainDestroyed = 0;
    std::function<void()> whenMainDestroyed;  // called while the window still exists

protected:
    bool onMessage(UINT msg, WPARAM, LPARAM, LRESULT& result) override {
        if (msg != WM_MAIN_DESTROYED) return false;
        ++mainDestroyed;
        if (whenMainDestroyed) whenMainDestroyed();
        result = 0;
        return true;
    }
};

// The clipboard-chain notices a window of this thread receives.
std::vector<std::pair<UINT, WPARAM>> chainSeen;
LRESULT CALLBACK recordChain(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg != WM_CHANGECBCHAIN && msg != WM_DRAWCLIPBOARD) {
        return DefWindowProcW(window, msg, wParam, lParam);
    }
    chainSeen.push_back({msg, wParam});
    return 0;
}

// Whether a combination is held: another registration of it fails.
bool taken(UINT modifiers, UINT key) {
    if (!RegisterHotKey(nullptr, 0x77, modifiers, key)) return true;
    UnregisterHotKey(nullptr, 0x77);
    return false;
}

void addItem(ItemStore& store, const std::u16string& text) {
    ASSERT_EQ(0, store.add(std::make_unique<UnicodeTextItem>(text), 1));
    store.notifyObserver();
}

Rect childRect(HWND parent, HWND child) {
    RECT r{};
    GetWindowRect(child, &r);
    POINT topLeft{r.left, r.top};
    POINT bottomRight{r.right, r.bottom};
    ScreenToClient(parent, &topLeft);
    ScreenToClient(parent, &bottomRight);
    return Rect{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
}

int columnWidth(const ItemListCtrl* view, int column) {
    return static_cast<int>(SendMessageW(view->hwnd(), LVM_GETCOLUMNWIDTH, column, 0));
}

// The about box opened from the main window, found and closed by a timer
// inside its modal loop.
std::wstring aboutSeen;
void CALLBACK closeAbout(HWND, UINT, UINT_PTR, DWORD) {
    HWND about = FindWindowW(L"#32770", L"关于 Quillbox");
    if (about == nullptr) return;
    aboutSeen = wintext::windowText(GetDlgItem(about, IDC_PRODUCT_LINE));
    PostMessageW(about, WM_COMMAND, IDOK, 0);
}

INT_PTR CALLBACK plainDialog(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

// The pixels of cx x cy dialog units of a dialog in SimSun 9 pt, measured on
// a dialog of that font built here from a template in memory.
SIZE simSunDialogPixels(short cx, short cy) {
    alignas(4) WORD buffer[64] = {};
    auto* dialog = reinterpret_cast<DLGTEMPLATE*>(buffer);
    dialog->style = WS_POPUP | DS_SETFONT;
    dialog->cx = cx;
    dialog->cy = cy;
    // No menu, the standard class, no title, then the font.
    WORD* p = reinterpret_cast<WORD*>(dialog + 1) + 3;
    *p++ = 9;
    for (const wchar_t* face = L"宋体"; *face != L'\0'; ++face) *p++ = *face;
    HWND window = CreateDialogIndirectW(GetModuleHandleW(nullptr), dialog, nullptr, plainDialog);
    RECT rect{0, 0, cx, cy};
    MapDialogRect(window, &rect);
    DestroyWindow(window);
    return SIZE{rect.right, rect.bottom};
}

class MainWindowTest : public ::testing::Test, protected TestStores {
protected:
    void SetUp() override {
        Settings::instance()->StartupMinimized(startupMinimized);
        // The window captures the clipboard's text as it joins the viewer
        // chain: start from an empty clipboard.
        if (OpenClipboard(nullptr)) {
            EmptyClipboard();
            CloseClipboard();
        }
        main = std::make_unique<MainWindow>(active, favorites, messages, clipboard, host);
        ASSERT_TRUE(main->create(owner.hwnd()));
        pump();
    }
    void TearDown() override {
        main.reset();
        Settings::destroyInstance();
    }

    HWND hwnd() const { return main->hwnd(); }

    void resizeTo(int width, int height) {
        SetWindowPos(hwnd(), nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER);
        pump();
    }

    // Every child where the layout table puts it for the current client
    // size W x CH, with H the height of the toolbar's first button and
    // D = CH - H; the list columns follow w = W - 16.
    void expectLayout() {
        RECT client{};
        GetClientRect(hwnd(), &client);
        RECT button{};
        SendMessageW(GetDlgItem(hwnd(), IDC_TOOLBAR), TB_GETITEMRECT, 0,
                     reinterpret_cast<LPARAM>(&button));
        const int W = client.right;
        const int CH = client.bottom;
        const int H = button.bottom - button.top;
        const int D = CH - H;
        ASSERT_GT(H, 0);
        SCOPED_TRACE(testing::Message() << "client " << W << " x " << CH << ", H " << H);
        EXPECT_EQ((Rect{8, 2 * D / 3 + H + 12, W - 8, CH - 24}),
                  childRect(hwnd(), main->previewPane()->hwnd()));
        EXPECT_EQ((Rect{8, 2 * D / 3 + H - 8, W - 8, CH - D / 3 + 8}),
                  childRect(hwnd(), main->previewLabel()));
        EXPECT_EQ((Rect{8, D / 3 + H + 12, W - 8, CH - D / 3 - 12}),
                  childRect(hwnd(), main->activeView()->hwnd()));
        EXPECT_EQ((Rect{8, D / 3 + H - 8, 158, CH - 2 * D / 3 + 8}),
                  childRect(hwnd(), main->captionLabelFor(active)));
        EXPECT_EQ((Rect{W - 58, D / 3 + H - 10, W - 8, CH - 2 * D / 3 + 10}),
                  childRect(hwnd(), main->activeSearch()->hwnd()));
        EXPECT_EQ((Rect{8, H + 24, W - 8, CH - 2 * D / 3 - 12}),
                  childRect(hwnd(), main->favoritesView()->hwnd()));
        EXPECT_EQ((Rect{8, H + 4, 158, H + 20}),
                  childRect(hwnd(), main->captionLabelFor(favorites)));
        EXPECT_EQ((Rect{W - 58, H + 2, W - 8, H + 22}),
                  childRect(hwnd(), main->favoritesSearch()->hwnd()));
        EXPECT_EQ((Rect{8, CH - 20, W - 8, CH - 4}),
                  childRect(hwnd(), GetDlgItem(hwnd(), IDC_WEBLOG_LINK)));

        const int w = W - 16;
        const int activeWidths[] = {2 * w / 20, 12 * w / 20, 4 * w / 20};
        for (int c = 0; c < 3; ++c) EXPECT_EQ(activeWidths[c], columnWidth(main->activeView(), c));
        const int favoriteWidths[] = {2 * w / 20, 3 * w / 20, 9 * w / 20, 4 * w / 20};
        for (int c = 0; c < 4; ++c) {
            EXPECT_EQ(favoriteWidths[c], columnWidth(main->favoritesView(), c));
        }
        // The hidden columns stay hidden.
        EXPECT_EQ(0, columnWidth(main->activeView(), 5));
        EXPECT_EQ(0, columnWidth(main->favoritesView(), 6));
    }

    int startupMinimized = 0;
    RecordingHost host;
    OwnerStandIn owner;
    std::unique_ptr<MainWindow> main;
};

TEST_F(MainWindowTest, ChildrenFollowTheLayoutAtTwoSizes) {
    resizeTo(320, 560);
    expectLayout();
    resizeTo(420, 700);
    expectLayout();
}

// The height of a line of the font a control draws its text in.
int lineOfFont(HWND control) {
    HDC dc = GetDC(control);
    HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, previous);
    ReleaseDC(control, dc);
    return metrics.tmHeight;
}

// Moved to monitors of 144 and 192 DPI and back to 96, the window takes the
// suggested rectangle; its texts are in 9 points at that DPI and each
// holds a line; nothing overlaps or leaves the client area below the
// toolbar's buttons; the toolbar's
// images, the search boxes and the rows grow with the DPI. Back at 96 the
// layout is the table's again.
TEST_F(MainWindowTest, DpiChangeTakesTheSuggestedRectangleAndScalesTheLayout) {
    addItem(active, u"a row");
    RECT first{};
    GetWindowRect(hwnd(), &first);
    const struct { int dpi, image, fontPixels, search, row; } cases[] = {
        {144, 24, 18, 75, 24}, {192, 32, 24, 100, 32}, {96, 16, 12, 50, 16}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "DPI " << c.dpi);
        // As wide as the DPI asks, as high as the test's 1280 x 1024 screen allows.
        const RECT suggested{100, 50, 100 + MulDiv(first.right - first.left, c.dpi, 96), 950};
        EXPECT_EQ(0, SendMessageW(hwnd(), WM_DPICHANGED, MAKEWPARAM(c.dpi, c.dpi),
                                  reinterpret_cast<LPARAM>(&suggested)));
        pump();
        RECT window{};
        GetWindowRect(hwnd(), &window);
        EXPECT_TRUE(EqualRect(&suggested, &window));

        const HWND toolbar = GetDlgItem(hwnd(), IDC_TOOLBAR);
        int imageWidth = 0, imageHeight = 0;
        ImageList_GetIconSize(
            reinterpret_cast<HIMAGELIST>(SendMessageW(toolbar, TB_GETIMAGELIST, 0, 0)),
            &imageWidth, &imageHeight);
        EXPECT_EQ(c.image, imageWidth);
        EXPECT_EQ(c.image, imageHeight);

        RECT client{};
        GetClientRect(hwnd(), &client);
        RECT button{};
        SendMessageW(toolbar, TB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&button));
        const HWND texts[] = {main->captionLabelFor(favorites), main->captionLabelFor(active),
                              main->previewLabel(), GetDlgItem(hwnd(), IDC_WEBLOG_LINK)};
        const HWND others[] = {main->favoritesSearch()->hwnd(), main->favoritesView()->hwnd(),
                               main->activeSearch()->hwnd(), main->activeView()->hwnd(),
                               main->previewPane()->hwnd()};
        std::vector<Rect> all;
        for (HWND text : texts) {
            LOGFONTW font{};
            GetObjectW(reinterpret_cast<HFONT>(SendMessageW(text, WM_GETFONT, 0, 0)), sizeof font,
                       &font);
            EXPECT_EQ(c.fontPixels, -font.lfHeight);
            EXPECT_GE(childRect(hwnd(), text).height(), lineOfFont(text));
            all.push_back(childRect(hwnd(), text));
        }
        for (HWND other : others) all.push_back(childRect(hwnd(), other));
        for (std::size_t i = 0; i < all.size(); ++i) {
            const Rect& r = all[i];
            EXPECT_TRUE(r.left >= 0 && r.top >= button.bottom && r.right <= client.right &&
                        r.bottom <= client.bottom)
                << "child " << i;
            for (std::size_t j = i + 1; j < all.size(); ++j) {
                const Rect& o = all[j];
                EXPECT_TRUE(r.right <= o.left || o.right <= r.left || r.bottom <= o.top ||
                            o.bottom <= r.top)
                    << "children " << i << " and " << j << " overlap";
            }
        }
        EXPECT_EQ(c.search, childRect(hwnd(), main->activeSearch()->hwnd()).width());
        RECT row{LVIR_BOUNDS, 0, 0, 0};
        SendMessageW(main->activeView()->hwnd(), LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row));
        EXPECT_GE(row.bottom - row.top, c.row);
    }
    expectLayout();
}

TEST_F(MainWindowTest, WindowIsTitledTopmostAndOwnedAtTheRightEdge) {
    EXPECT_EQ(L"Quillbox v1.3.1", wintext::windowText(hwnd()));
    EXPECT_TRUE(GetWindowLongPtrW(hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(owner.hwnd(), GetWindow(hwnd(), GW_OWNER));
    EXPECT_TRUE(IsWindowVisible(hwnd()));
    // The client area is the template's 174 x 317 dialog units.
    RECT client{};
    GetClientRect(hwnd(), &client);
    const SIZE expected = simSunDialogPixels(174, 317);
    EXPECT_EQ(expected.cx, client.right);
    EXPECT_EQ(expected.cy, client.bottom);
    RECT window{};
    GetWindowRect(hwnd(), &window);
    EXPECT_EQ(GetSystemMetrics(SM_CXFULLSCREEN) - (window.right - window.left), window.left);
    EXPECT_EQ(GetSystemMetrics(SM_CYCAPTION), window.top);
    EXPECT_EQ(std::vector<HWND>{hwnd()}, host.windows);
    EXPECT_NE(nullptr, reinterpret_cast<HICON>(SendMessageW(hwnd(), WM_GETICON, ICON_BIG, 0)));
    EXPECT_NE(nullptr, reinterpret_cast<HICON>(SendMessageW(hwnd(), WM_GETICON, ICON_SMALL, 0)));
}

TEST_F(MainWindowTest, ToolbarHasFourButtonsInCommandOrderWithTips) {
    const HWND toolbar = GetDlgItem(hwnd(), IDC_TOOLBAR);
    ASSERT_EQ(main->toolbar().toolbar(), toolbar);
    ASSERT_EQ(4, SendMessageW(toolbar, TB_BUTTONCOUNT, 0, 0));
    const int expected[] = {ID_EXIT, ID_SETTINGS, ID_HELP_PAGE, ID_ABOUT};
    for (int i = 0; i < 4; ++i) {
        TBBUTTON button{};
        SendMessageW(toolbar, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&button));
        EXPECT_EQ(expected[i], button.idCommand);
        EXPECT_EQ(i, button.iBitmap);
    }
    auto images = reinterpret_cast<HIMAGELIST>(SendMessageW(toolbar, TB_GETIMAGELIST, 0, 0));
    EXPECT_EQ(4, ImageList_GetImageCount(images));

    const wchar_t* tips[] = {L"退出", L"设置", L"帮助", L"关于"};
    ASSERT_EQ(4, SendMessageW(main->toolbar().tooltips(), TTM_GETTOOLCOUNT, 0, 0));
    for (int i = 0; i < 4; ++i) {
        wchar_t text[80] = {};
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.hwnd = toolbar;
        tool.uId = static_cast<UINT_PTR>(i + 1);
        tool.lpszText = text;
        SendMessageW(main->toolbar().tooltips(), TTM_GETTEXTW, 80, reinterpret_cast<LPARAM>(&tool));
        EXPECT_STREQ(tips[i], text);
    }
}

TEST_F(MainWindowTest, ToolbarLayoutParserChecksItsBounds) {
    const unsigned char layout[] = {1, 0, 16, 0, 16, 0, 2, 0, 0x12, 0x80, 0x09, 0x80};
    EXPECT_EQ((std::vector<int>{32786, 32777}), MainToolbar::parseLayout(layout, sizeof layout));
    // A count beyond the data, a short header, another version: nothing.
    EXPECT_TRUE(MainToolbar::parseLayout(layout, sizeof layout - 1).empty());
    EXPECT_TRUE(MainToolbar::parseLayout(layout, 7).empty());
    const unsigned char version2[] = {2, 0, 16, 0, 16, 0, 0, 0};
    EXPECT_TRUE(MainToolbar::parseLayout(version2, sizeof version2).empty());
}

TEST_F(MainWindowTest, CaptionsShowEachStoresFillLevel) {
    EXPECT_EQ(L"活动列表：[0/50]", wintext::windowText(main->captionLabelFor(active)));
    EXPECT_EQ(L"收藏夹：[0/10]", wintext::windowText(main->captionLabelFor(favorites)));
    addItem(active, u"one");
    addItem(active, u"two");
    addItem(active, u"three");
    addItem(favorites, u"kept");
    EXPECT_EQ(L"活动列表：[3/50]", wintext::windowText(main->captionLabelFor(active)));
    EXPECT_EQ(L"收藏夹：[1/10]", wintext::windowText(main->captionLabelFor(favorites)));
    EXPECT_EQ(3, main->activeView()->rowCount());
    EXPECT_EQ(1, main->favoritesView()->rowCount());
    EXPECT_EQ(L"文本浏览：", wintext::windowText(main->previewLabel()));
}

TEST_F(MainWindowTest, SystemMenuOpensTheAboutBox) {
    HMENU systemMenu = GetSystemMenu(hwnd(), FALSE);
    const int count = GetMenuItemCount(systemMenu);
    ASSERT_GE(count, 2);
    EXPECT_EQ(static_cast<UINT>(IDM_ABOUTBOX), GetMenuItemID(systemMenu, count - 1));
    wchar_t text[64] = {};
    GetMenuStringW(systemMenu, count - 1, text, 64, MF_BYPOSITION);
    EXPECT_STREQ(L"关于 Quillbox(&A)...", text);
    EXPECT_TRUE(GetMenuState(systemMenu, count - 2, MF_BYPOSITION) & MF_SEPARATOR);

    aboutSeen.clear();
    const UINT_PTR timer = SetTimer(nullptr, 0, 100, &closeAbout);
    SendMessageW(hwnd(), WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
    KillTimer(nullptr, timer);
    EXPECT_EQ(L"Quillbox v1.3.1", aboutSeen);
    EXPECT_TRUE(IsWindow(hwnd()));
}

// A chain notice about another window is only passed on; the window
// leaves the chain and gives up every hotkey as it goes.
TEST_F(MainWindowTest, ChainNoticesArePassedOnAndTheWindowLeavesChainAndHotkeys) {
    main.reset();
    HWND next = CreateWindowExW(0, L"STATIC", L"next viewer", WS_POPUP, 0, 0, 10, 10, nullptr,
                                nullptr, GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(next, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&recordChain));
    HWND before = SetClipboardViewer(next);
    Settings::instance()->EnableFavoriteAutoPaste(1);
    main = std::make_unique<MainWindow>(active, favorites, messages, clipboard, host);
    ASSERT_TRUE(main->create(owner.hwnd()));
    pump();
    ASSERT_EQ(hwnd(), GetClipboardViewer());
    EXPECT_TRUE(taken(MOD_CONTROL, 'D'));
    EXPECT_TRUE(taken(MOD_CONTROL, '0'));

    chainSeen.clear();
    const WPARAM stranger = reinterpret_cast<WPARAM>(owner.hwnd());
    SendMessageW(hwnd(), WM_CHANGECBCHAIN, stranger, reinterpret_cast<LPARAM>(owner.hwnd()));
    SendMessageW(hwnd(), WM_DRAWCLIPBOARD, 0, 0);
    EXPECT_EQ((std::vector<std::pair<UINT, WPARAM>>{{WM_CHANGECBCHAIN, stranger}, {WM_DRAWCLIPBOARD, 0}}),
              chainSeen);

    HWND viewerAtExit = nullptr;
    bool menuHeld = true, favoriteHeld = true;
    owner.whenMainDestroyed = [&] {
        viewerAtExit = GetClipboardViewer();
        menuHeld = taken(MOD_CONTROL, 'D');
        favoriteHeld = taken(MOD_CONTROL, '0');
    };
    DestroyWindow(hwnd());
    owner.whenMainDestroyed = nullptr;
    EXPECT_EQ(next, viewerAtExit);
    EXPECT_FALSE(menuHeld);
    EXPECT_FALSE(favoriteHeld);
    ChangeClipboardChain(next, before);
    DestroyWindow(next);
}

TEST_F(MainWindowTest, CloseOnlyHidesAndOpenBringsBack) {
    SendMessageW(hwnd(), WM_CLOSE, 0, 0);
    pump();
    EXPECT_TRUE(IsWindow(hwnd()));
    EXPECT_FALSE(IsWindowVisible(hwnd()));
    EXPECT_TRUE(main->trayIcon().isShown());

    SendMessageW(hwnd(), WM_COMMAND, ID_OPEN_MAIN, 0);
    EXPECT_TRUE(IsWindowVisible(hwnd()));

    SendMessageW(hwnd(), WM_CLOSE, 0, 0);
    EXPECT_EQ(0, SendMessageW(hwnd(), WM_TRAY_CALLBACK, IDR_TRAY, WM_LBUTTONDOWN));
    EXPECT_TRUE(IsWindowVisible(hwnd()));
}

TEST_F(MainWindowTest, ExitAsksAndOnlyYesDestroys) {
    messages.answer = msgbox::IdNo;
    SendMessageW(hwnd(), WM_COMMAND, ID_EXIT, 0);
    ASSERT_EQ(1u, messages.shown.size());
    EXPECT_EQ("退出Quillbox？", messages.shown[0].text);
    EXPECT_EQ(0x104u, messages.shown[0].style);
    EXPECT_TRUE(IsWindowVisible(hwnd()));
    EXPECT_EQ(0, owner.mainDestroyed);

    messages.answer = msgbox::IdYes;
    const HWND window = hwnd();
    SendMessageW(window, WM_COMMAND, ID_EXIT, 0);
    EXPECT_EQ(2u, messages.shown.size());
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(1, owner.mainDestroyed);
    EXPECT_EQ(nullptr, host.windows.back());
    // The views are gone; the stores no longer refer to them.
    EXPECT_EQ(nullptr, main->activeView());
    EXPECT_EQ(nullptr, active.observer());
    EXPECT_EQ(nullptr, favorites.observer());
    addItem(active, u"after the window");
}

TEST_F(MainWindowTest, EnterEscapeAndDialogCommandsNeverClose) {
    const HWND search = main->activeSearch()->hwnd();
    MSG enter{search, WM_KEYDOWN, VK_RETURN, 0, 0, {0, 0}};
    EXPECT_TRUE(messageloop::preTranslate(enter));
    MSG escape{main->activeView()->hwnd(), WM_KEYDOWN, VK_ESCAPE, 0, 0, {0, 0}};
    EXPECT_TRUE(messageloop::preTranslate(escape));
    MSG letter{search, WM_KEYDOWN, 'A', 0, 0, {0, 0}};
    EXPECT_FALSE(main->preTranslateMessage(letter));

    SetFocus(search);
    PostMessageW(search, WM_KEYDOWN, VK_ESCAPE, 0);
    PostMessageW(search, WM_KEYDOWN, VK_RETURN, 0);
    pump();
    SendMessageW(hwnd(), WM_COMMAND, IDCANCEL, 0);
    SendMessageW(hwnd(), WM_COMMAND, IDOK, 0);
    pump();
    EXPECT_TRUE(IsWindowVisible(hwnd()));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(MainWindowTest, QueryEndSessionSavesAndKeepsEverything) {
    addItem(active, u"keep me");
    EXPECT_EQ(TRUE, SendMessageW(hwnd(), WM_QUERYENDSESSION, 0, 0));
    EXPECT_EQ(1, host.saves);
    // A cancelled log-off: the lists still work.
    EXPECT_TRUE(IsWindowVisible(hwnd()));
    addItem(active, u"and me");
    EXPECT_EQ(2, main->activeView()->rowCount());
    EXPECT_EQ(L"活动列表：[2/50]", wintext::windowText(main->captionLabelFor(active)));
}

class StartupMinimizedTest : public MainWindowTest {
protected:
    StartupMinimizedTest() { startupMinimized = 1; }
};

TEST_F(StartupMinimizedTest, WindowNeverShowsButTheTrayIconDoes) {
    EXPECT_FALSE(IsWindowVisible(hwnd()));
    EXPECT_TRUE(main->trayIcon().isShown());
    EXPECT_LT(main->startupHidesLeft(), 2);
    // The counter runs out; the window can then be brought back for good.
    for (int i = 0; i < 3 && !IsWindowVisible(hwnd()); ++i) {
        main->bringBack();
        pump();
    }
    EXPECT_TRUE(IsWindowVisible(hwnd()));
    EXPECT_EQ(0, main->startupHidesLeft());
}

// ---- The hidden owner ----------------------------------------------------------

class OwnerWindowTest : public ::testing::Test, protected TestStores {
protected:
    void TearDown() override { Settings::destroyInstance(); }

    RecordingHost host;
};

TEST_F(OwnerWindowTest, OwnerIsAnInvisibleToolWindowOwningTheMainWindow) {
    OwnerWindow owner(active, favorites, messages, clipboard, host);
    ASSERT_TRUE(owner.create(nullptr));
    pump();
    const LONG_PTR exStyle = GetWindowLongPtrW(owner.hwnd(), GWL_EXSTYLE);
    EXPECT_TRUE(exStyle & WS_EX_TOOLWINDOW);
    EXPECT_FALSE(exStyle & WS_EX_APPWINDOW);
    EXPECT_FALSE(IsWindowVisible(owner.hwnd()));
    ASSERT_NE(nullptr, owner.mainWindow());
    const HWND main = owner.mainWindow()->hwnd();
    EXPECT_TRUE(IsWindowVisible(main));
    EXPECT_EQ(owner.hwnd(), GetWindow(main, GW_OWNER));
    EXPECT_FALSE(GetWindowLongPtrW(main, GWL_EXSTYLE) & WS_EX_APPWINDOW);

    // Shown by a modal loop, it hides before its frame is drawn.
    ShowWindow(owner.hwnd(), SW_SHOWNORMAL);
    pump();
    EXPECT_FALSE(IsWindowVisible(owner.hwnd()));
}

TEST_F(OwnerWindowTest, ConfirmedExitDeletesTheMainWindowOnlyAfterItIsGone) {
    OwnerWindow owner(active, favorites, messages, clipboard, host);
    ASSERT_TRUE(owner.create(nullptr));
    pump();
    const HWND main = owner.mainWindow()->hwnd();
    messages.answer = msgbox::IdYes;
    SendMessageW(main, WM_COMMAND, ID_EXIT, 0);
    EXPECT_FALSE(IsWindow(main));
    // Still there: the window was being destroyed when the owner heard of it.
    EXPECT_NE(nullptr, owner.mainWindow());
    EXPECT_TRUE(IsWindow(owner.hwnd()));
    pump();
    EXPECT_EQ(nullptr, owner.mainWindow());
    EXPECT_EQ(nullptr, owner.hwnd());
    // The tray icon went with the main window object.
    NOTIFYICONDATAA icon{};
    icon.cbSize = NOTIFYICONDATAA_V1_SIZE;
    icon.hWnd = main;
    icon.uID = IDR_TRAY;
    EXPECT_FALSE(Shell_NotifyIconA(NIM_DELETE, &icon));
}

OwnerWindow* modalOwner = nullptr;
void CALLBACK confirmExit(HWND, UINT, UINT_PTR, DWORD) {
    if (modalOwner == nullptr || modalOwner->mainWindow() == nullptr) return;
    PostMessageW(modalOwner->mainWindow()->hwnd(), WM_COMMAND, ID_EXIT, 0);
    modalOwner = nullptr;
}

TEST_F(OwnerWindowTest, ModalRunEndsWithTheConfirmedExit) {
    OwnerWindow owner(active, favorites, messages, clipboard, host);
    messages.answer = msgbox::IdYes;
    modalOwner = &owner;
    const UINT_PTR timer = SetTimer(nullptr, 0, 200, &confirmExit);
    owner.doModal(nullptr);
    KillTimer(nullptr, timer);
    EXPECT_EQ(nullptr, modalOwner);
    EXPECT_EQ(nullptr, owner.mainWindow());
    EXPECT_EQ(nullptr, owner.hwnd());
    ASSERT_EQ(1u, messages.shown.size());
    EXPECT_EQ(nullptr, host.windows.back());
}

}  // namespace
