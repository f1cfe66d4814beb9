// The edge docker: on a plain window, the messages it changes and passes
// on; on the main window, real sizing and a real drag of the caption
// through the system's size and move loops, the pointer driven by
// synthesised mouse input.
#include "ui/AutoHideDocker.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

#include "TestStores.h"
#include "res/resource.h"
#include "storage/Settings.h"
#include "ui/MainWindow.h"
#include "ui/MainWindowHost.h"
#include "ui/framework/Window.h"
#include "MessagePump.h"

namespace {

// A plain window class: default processing throughout (a static control
// would let the pointer fall through its caption).
const wchar_t* windowClass() {
    static const ATOM atom = [] {
        WNDCLASSW cls{};
        cls.lpfnWndProc = DefWindowProcW;
        cls.hInstance = GetModuleHandleW(nullptr);
        cls.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        cls.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        cls.lpszClassName = L"QuillboxDockTest";
        return RegisterClassW(&cls);
    }();
    return atom != 0 ? L"QuillboxDockTest" : L"STATIC";
}

// A sizable captioned window whose own object records what reaches it
// after the docker.
class DockedWindow : public Window {
public:
    DockedWindow() {
        subclass(CreateWindowExW(WS_EX_TOPMOST, windowClass(), L"docked",
                                 WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_THICKFRAME | WS_SYSMENU,
                                 300, 200, 260, 480, nullptr, nullptr, GetModuleHandleW(nullptr),
                                 nullptr));
    }
    ~DockedWindow() override { destroyWindow(); }

    std::vector<UINT> seen;
    RECT lastRect{};

protected:
    bool onSizing(UINT, RECT& rect, LRESULT&) override { return record(WM_SIZING, rect); }
    bool onMoving(RECT& rect, LRESULT&) override { return record(WM_MOVING, rect); }
    bool onTimer(UINT_PTR id) override {
        if (id == AutoHideDocker::PollTimerId) seen.push_back(WM_TIMER);
        return false;
    }
    bool onNcHitTest(POINT, LRESULT&) override {
        seen.push_back(WM_NCHITTEST);
        return false;
    }

private:
    bool record(UINT msg, const RECT& rect) {
        seen.push_back(msg);
        lastRect = rect;
        return false;
    }
};

RECT windowRect(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return r;
}

void mouse(DWORD flags) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    SendInput(1, &input, sizeof input);
}

// Presses the left button at from, moves the pointer in steps to to and
// lets go, from another thread: the system's move or size loop runs inside
// this thread's message processing meanwhile.
bool dragWithMouse(POINT from, POINT to) {
    SetCursorPos(from.x, from.y);
    pumpFor(100);
    std::atomic<bool> done{false};
    std::thread drag([&] {
        mouse(MOUSEEVENTF_LEFTDOWN);
        for (int step = 1; step <= 10; ++step) {
            Sleep(50);
            SetCursorPos(from.x + (to.x - from.x) * step / 10, from.y + (to.y - from.y) * step / 10);
            mouse(MOUSEEVENTF_MOVE);
        }
        Sleep(150);
        mouse(MOUSEEVENTF_LEFTUP);
        done = true;
    });
    const bool finished = pumpUntil([&] { return done.load(); }, 10000);
    drag.join();
    pumpFor(200);
    return finished;
}

class QuietHost : public MainWindowHost {
public:
    void saveStores() override {}
    void mainWindowChanged(HWND) override {}
};

}  // namespace

class AutoHideDockerTest : public ::testing::Test {
protected:
    void TearDown() override { docker.detach(); }

    DockedWindow window;
    AutoHideDocker docker;
};

TEST_F(AutoHideDockerTest, AttachesOnceAndDetachLetsGo) {
    EXPECT_EQ(0, docker.attach(nullptr));
    EXPECT_EQ(1, docker.attach(window.hwnd()));
    EXPECT_EQ(0, docker.attach(window.hwnd()));
    DockedWindow other;
    EXPECT_EQ(0, docker.attach(other.hwnd()));
    EXPECT_EQ(window.hwnd(), docker.hookedWindow());

    RECT small{0, 0, 100, 100};
    SendMessageW(window.hwnd(), WM_SIZING, WMSZ_BOTTOMRIGHT, reinterpret_cast<LPARAM>(&small));
    EXPECT_EQ(200, small.right);
    EXPECT_EQ(400, small.bottom);

    EXPECT_EQ(1, docker.detach());
    EXPECT_FALSE(docker.isAttached());
    RECT after{0, 0, 100, 100};
    SendMessageW(window.hwnd(), WM_SIZING, WMSZ_BOTTOMRIGHT, reinterpret_cast<LPARAM>(&after));
    EXPECT_EQ(100, after.right) << "no message reaches a detached docker";
    EXPECT_EQ(1, docker.attach(window.hwnd()));
}

// The docker changes rectangles in place and lets every message go on to
// the window's own object.
TEST_F(AutoHideDockerTest, PassesEveryMessageOnWithItsRectangleChanged) {
    ASSERT_EQ(1, docker.attach(window.hwnd()));
    RECT sizing{10, 10, 50, 50};
    SendMessageW(window.hwnd(), WM_SIZING, WMSZ_LEFT, reinterpret_cast<LPARAM>(&sizing));
    EXPECT_EQ(-150, window.lastRect.left);

    SetCursorPos(500, 5);
    RECT moving{100, 100, 360, 580};
    SendMessageW(window.hwnd(), WM_MOVING, 0, reinterpret_cast<LPARAM>(&moving));
    EXPECT_EQ(DockSide::Top, docker.dockSide());
    EXPECT_EQ(-GetSystemMetrics(SM_CYEDGE), window.lastRect.top);
    EXPECT_EQ(480 - GetSystemMetrics(SM_CYEDGE), window.lastRect.bottom);

    SendMessageW(window.hwnd(), WM_NCHITTEST, 0, MAKELPARAM(500, 5));
    EXPECT_TRUE(docker.isPolling());
    SendMessageW(window.hwnd(), WM_TIMER, AutoHideDocker::PollTimerId, 0);
    EXPECT_EQ((std::vector<UINT>{WM_SIZING, WM_MOVING, WM_NCHITTEST, WM_TIMER}), window.seen);

    // Dragged away from every edge: undocked, no more polling.
    SetCursorPos(500, 300);
    SendMessageW(window.hwnd(), WM_MOVING, 0, reinterpret_cast<LPARAM>(&moving));
    EXPECT_EQ(DockSide::None, docker.dockSide());
    EXPECT_FALSE(docker.isPolling());
}

// A taskbar 48 pixels high along the bottom, there when the docker
// attaches: the window docks above it, and at the left and right edges;
// tucked away, only a frame-wide strip stays on the screen, and brought
// back it lies against the edge (at the bottom over the taskbar).
TEST_F(AutoHideDockerTest, DocksAtTheBottomAboveTheTaskbarAndAtTheSides) {
    static const ATOM bar = [] {
        WNDCLASSW cls{};
        cls.lpfnWndProc = DefWindowProcW;
        cls.hInstance = GetModuleHandleW(nullptr);
        cls.lpszClassName = L"Shell_TrayWnd";
        return RegisterClassW(&cls);
    }();
    ASSERT_NE(0, bar);
    const int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
    const int f = GetSystemMetrics(SM_CXFRAME);
    HWND taskbar = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, L"Shell_TrayWnd", L"",
                                   WS_POPUP, 0, cy - 48, cx, 48, nullptr, nullptr,
                                   GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(nullptr, taskbar);
    ASSERT_EQ(1, docker.attach(window.hwnd()));
    DestroyWindow(taskbar);  // measured at attach: its going changes nothing

    const struct {
        POINT cursor;
        DockSide side;
        RECT docked, tucked, shown;
    } rows[] = {
        {{500, cy - 60}, DockSide::Bottom,
         {100, cy - 48 - 480, 360, cy - 48}, {100, cy - f, 360, cy - f + 480},
         {100, cy - 480, 360, cy}},
        {{5, 300}, DockSide::Left, {0, 100, 260, 580}, {f - 260, 100, f, 580}, {0, 100, 260, 580}},
        {{cx - 5, 300}, DockSide::Right,
         {cx - 260, 100, cx, 580}, {cx - f, 100, cx - f + 260, 580}, {cx - 260, 100, cx, 580}},
    };
    auto edges = [](const RECT& r) { return std::vector<LONG>{r.left, r.top, r.right, r.bottom}; };
    for (const auto& row : rows) {
        const int side = static_cast<int>(row.side);
        SetCursorPos(row.cursor.x, row.cursor.y);
        RECT moving{100, 100, 360, 580};
        SendMessageW(window.hwnd(), WM_MOVING, 0, reinterpret_cast<LPARAM>(&moving));
        EXPECT_EQ(row.side, docker.dockSide()) << side;
        EXPECT_EQ(edges(row.docked), edges(window.lastRect)) << side;
        SetWindowPos(window.hwnd(), nullptr, moving.left, moving.top, 260, 480, SWP_NOZORDER);
        docker.hideAtEdge();
        EXPECT_EQ(edges(row.tucked), edges(windowRect(window.hwnd()))) << side;
        docker.showAtEdge();
        EXPECT_EQ(edges(row.shown), edges(windowRect(window.hwnd()))) << side;
    }
}

// The main window with auto-hide on, driven with the real mouse: sized by
// its corner, dragged by its caption to the top edge, left and touched again.
class MainWindowDockingTest : public ::testing::Test, protected TestStores {
protected:
    void SetUp() override {
        Settings::instance()->EnableAutoHide(1);
        main = std::make_unique<MainWindow>(active, favorites, messages, clipboard, host);
        ASSERT_TRUE(main->create(nullptr));
        pumpFor(100);
    }
    void TearDown() override {
        main.reset();
        Settings::destroyInstance();
    }

    HWND hwnd() const { return main->hwnd(); }
    AutoHideDocker& docker() { return main->docker(); }

    QuietHost host;
    std::unique_ptr<MainWindow> main;
};

TEST_F(MainWindowDockingTest, SizedSmallDockedAtTheTopTuckedAwayAndBroughtBack) {
    ASSERT_TRUE(docker().isAttached()) << "attached at initialisation";

    RECT r = windowRect(hwnd());
    ASSERT_TRUE(dragWithMouse({r.right - 2, r.bottom - 2}, {r.right - 200, r.bottom - 400}));
    r = windowRect(hwnd());
    EXPECT_EQ(200, r.right - r.left);
    EXPECT_EQ(400, r.bottom - r.top);

    const int x = (r.left + r.right) / 2;
    const int captionY = r.top + GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2;
    ASSERT_TRUE(dragWithMouse({x, captionY}, {x - 100, 5}));
    EXPECT_EQ(DockSide::Top, docker().dockSide());
    EXPECT_EQ(-GetSystemMetrics(SM_CYEDGE), windowRect(hwnd()).top);

    // The pointer rests on the docked window, then leaves it: only a strip
    // as high as the frame stays on the screen.
    SetCursorPos(x - 90, 10);
    ASSERT_TRUE(pumpUntil([&] { return docker().isPolling(); }));
    SetCursorPos(x, 700);
    ASSERT_TRUE(pumpUntil([&] { return docker().isHidden(); }));
    EXPECT_FALSE(docker().isPolling());
    EXPECT_EQ(GetSystemMetrics(SM_CXFRAME), windowRect(hwnd()).bottom);
    EXPECT_EQ(400, windowRect(hwnd()).bottom - windowRect(hwnd()).top);

    // Touching the strip brings it back.
    SetCursorPos(x - 100, 1);
    ASSERT_TRUE(pumpUntil([&] { return !docker().isHidden(); }));
    EXPECT_EQ(-GetSystemMetrics(SM_CYEDGE), windowRect(hwnd()).top);
}

// Closing hides the window and lets the docker go; bringing the window back
// attaches it again and shows a tucked-away window in full.
TEST_F(MainWindowDockingTest, CloseDetachesAndBringingBackShowsTheWindowAtItsEdge) {
    SetCursorPos(600, 3);
    RECT moving = windowRect(hwnd());
    SendMessageW(hwnd(), WM_MOVING, 0, reinterpret_cast<LPARAM>(&moving));
    SetWindowPos(hwnd(), nullptr, moving.left, moving.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    docker().hideAtEdge();
    ASSERT_TRUE(docker().isHidden());

    SendMessageW(hwnd(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(docker().isAttached());
    EXPECT_FALSE(IsWindowVisible(hwnd()));

    SendMessageW(hwnd(), WM_COMMAND, ID_OPEN_MAIN, 0);
    EXPECT_TRUE(docker().isAttached());
    EXPECT_TRUE(IsWindowVisible(hwnd()));
    EXPECT_FALSE(docker().isHidden());
    EXPECT_EQ(-GetSystemMetrics(SM_CYEDGE), windowRect(hwnd()).top);
}
