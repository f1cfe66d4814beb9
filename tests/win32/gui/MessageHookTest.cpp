// Several objects watching one window: the window's own object and hooks,
// in their order, with typed handlers.
#include "ui/framework/MessageHook.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/framework/Window.h"

namespace {

using Trace = std::vector<std::string>;

class TracingWindow : public Window {
public:
    explicit TracingWindow(Trace& trace) : trace_(trace) {
        subclass(CreateWindowExW(0, L"STATIC", L"hooked", WS_POPUP, 0, 0, 50, 50, nullptr,
                                 nullptr, GetModuleHandleW(nullptr), nullptr));
    }
    ~TracingWindow() override { destroyWindow(); }

protected:
    bool onMessage(UINT msg, WPARAM, LPARAM, LRESULT& result) override {
        if (msg != WM_APP) return false;
        trace_.push_back("window");
        result = 7;
        return true;
    }
    bool onTimer(UINT_PTR) override {
        trace_.push_back("window timer");
        return true;
    }

private:
    Trace& trace_;
};

class TracingHook : public MessageHook {
public:
    TracingHook(Trace& trace, std::string name, bool takes = false)
        : trace_(trace), name_(std::move(name)), takes_(takes) {
        setCommandRange(2000, 3000);
    }

    bool runRestFirst = false;
    LRESULT restResult = 0;

protected:
    bool onMessage(UINT msg, WPARAM, LPARAM, LRESULT& result) override {
        if (msg != WM_APP) return false;
        if (runRestFirst) restResult = passOn(WM_APP, 0, 0);
        trace_.push_back(name_);
        if (takes_) result = 42;
        return takes_;
    }
    bool onTimer(UINT_PTR id) override {
        trace_.push_back(name_ + " timer " + std::to_string(id));
        return false;
    }
    bool onHotKey(int id, UINT modifiers, UINT key) override {
        trace_.push_back(name_ + " hotkey " + std::to_string(id) + "," +
                         std::to_string(modifiers) + "," + std::to_string(key));
        return true;
    }
    bool onDrawClipboard(WPARAM, LPARAM) override { return record("draw"); }
    bool onChangeCbChain(HWND removed, HWND following) override {
        return record("chain " + std::to_string(reinterpret_cast<UINT_PTR>(removed)) + "," +
                      std::to_string(reinterpret_cast<UINT_PTR>(following)));
    }
    bool onActivateApp(bool active, DWORD, LRESULT&) override {
        return record(active ? "activate" : "deactivate");
    }
    bool onContextMenu(HWND, POINT p) override {
        return record("menu " + std::to_string(p.x) + "," + std::to_string(p.y));
    }
    bool onCommandRange(int id) override { return record("range " + std::to_string(id)); }
    bool onCommand(int id, int, HWND) override { return record("command " + std::to_string(id)); }
    bool onMoving(RECT& rect, LRESULT&) override {
        rect.left = 5;
        record("moving");
        return false;
    }
    bool onSizing(UINT edge, RECT&, LRESULT&) override {
        return record("sizing " + std::to_string(edge));
    }

private:
    bool record(const std::string& what) {
        trace_.push_back(name_ + " " + what);
        return true;
    }

    Trace& trace_;
    std::string name_;
    bool takes_;
};

TEST(MessageHook, HooksRunLastAttachedFirstThenTheWindowObject) {
    Trace trace;
    TracingWindow window(trace);
    TracingHook first(trace, "first");
    TracingHook second(trace, "second");
    ASSERT_TRUE(first.hook(window.hwnd()));
    ASSERT_TRUE(second.hook(window.hwnd()));
    EXPECT_FALSE(second.hook(window.hwnd()));  // one window per hook

    EXPECT_EQ(7, SendMessageW(window.hwnd(), WM_APP, 0, 0));
    EXPECT_EQ((Trace{"second", "first", "window"}), trace);

    // A typed handler that declines passes the message on as well.
    trace.clear();
    SendMessageW(window.hwnd(), WM_TIMER, 9, 0);
    EXPECT_EQ((Trace{"second timer 9", "first timer 9", "window timer"}), trace);
}

TEST(MessageHook, AHookThatTakesTheMessageEndsItAndPassOnRunsTheRestFirst) {
    Trace trace;
    TracingWindow window(trace);
    TracingHook inner(trace, "inner");
    TracingHook taker(trace, "taker", true);
    inner.hook(window.hwnd());
    taker.hook(window.hwnd());
    EXPECT_EQ(42, SendMessageW(window.hwnd(), WM_APP, 0, 0));
    EXPECT_EQ((Trace{"taker"}), trace);

    trace.clear();
    taker.runRestFirst = true;
    EXPECT_EQ(42, SendMessageW(window.hwnd(), WM_APP, 0, 0));
    EXPECT_EQ((Trace{"inner", "window", "taker"}), trace);
    EXPECT_EQ(7, taker.restResult);
}

TEST(MessageHook, UnhookedOrDestroyedHooksSeeNothing) {
    Trace trace;
    TracingHook early(trace, "early");
    TracingHook late(trace, "late");
    {
        TracingWindow window(trace);
        early.hook(window.hwnd());
        late.hook(window.hwnd());
        late.unhook();
        late.unhook();  // harmless twice
        EXPECT_FALSE(late.isHooked());
        SendMessageW(window.hwnd(), WM_APP, 0, 0);
        EXPECT_EQ((Trace{"early", "window"}), trace);
        {
            TracingHook shortLived(trace, "short");
            shortLived.hook(window.hwnd());
        }
        trace.clear();
        SendMessageW(window.hwnd(), WM_APP, 0, 0);
        EXPECT_EQ((Trace{"early", "window"}), trace);
        // The hook may watch again, and the window's end unhooks it.
        EXPECT_TRUE(late.hook(window.hwnd()));
    }
    EXPECT_FALSE(early.isHooked());
    EXPECT_FALSE(late.isHooked());
}

TEST(MessageHook, TypedHandlersForCaptureHotkeysMenusAndDocking) {
    Trace trace;
    TracingWindow window(trace);
    TracingHook hook(trace, "h");
    hook.hook(window.hwnd());
    HWND w = window.hwnd();

    SendMessageW(w, WM_HOTKEY, 3, MAKELPARAM(MOD_CONTROL | MOD_SHIFT, '3'));
    SendMessageW(w, WM_DRAWCLIPBOARD, 0, 0);
    SendMessageW(w, WM_CHANGECBCHAIN, 0x10, 0x20);
    SendMessageW(w, WM_ACTIVATEAPP, TRUE, 0);
    SendMessageW(w, WM_ACTIVATEAPP, FALSE, 0);
    SendMessageW(w, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(w), MAKELPARAM(-5, 300));
    for (int id : {1999, 2000, 2517, 3000, 3001}) {
        SendMessageW(w, WM_COMMAND, MAKEWPARAM(id, 0), 0);
    }
    RECT rect{100, 100, 300, 500};
    SendMessageW(w, WM_SIZING, WMSZ_BOTTOMRIGHT, reinterpret_cast<LPARAM>(&rect));
    SendMessageW(w, WM_MOVING, 0, reinterpret_cast<LPARAM>(&rect));
    EXPECT_EQ(5, rect.left);  // changed in place

    EXPECT_EQ((Trace{"h hotkey 3,6,51", "h draw", "h chain 16,32", "h activate",
                     "h deactivate", "h menu -5,300", "h command 1999", "h range 2000",
                     "h range 2517", "h range 3000", "h command 3001", "h sizing 8",
                     "h moving"}),
              trace);
}

}  // namespace
