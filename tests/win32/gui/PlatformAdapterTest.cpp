// The Windows adapters of the core's platform interfaces and the window
// layer's reflection, tested against the real system.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "capture/win32/Win32Clipboard.h"
#include "core/UnicodeTextItem.h"
#include "ui/framework/Dialog.h"
#include "ui/framework/MessageLoop.h"
#include "ui/framework/Window.h"
#include "res/resource.h"

namespace {

// The UTF-16 text on the clipboard, terminator excluded; empty when there
// is none.
std::u16string clipboardText() {
    std::u16string text;
    if (!OpenClipboard(nullptr)) return text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        const SIZE_T bytes = GlobalSize(data);
        if (const auto* units = static_cast<const char16_t*>(GlobalLock(data))) {
            const std::size_t count = bytes / 2;
            std::size_t length = 0;
            while (length < count && units[length] != 0) ++length;
            text.assign(units, length);
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

bool clipboardOffersOnlyUnicodeFirst() {
    if (!OpenClipboard(nullptr)) return false;
    const UINT first = EnumClipboardFormats(0);
    CloseClipboard();
    return first == CF_UNICODETEXT;
}

TEST(Win32ClipboardTest, PutsTheTextAsUnicodeWithATerminator) {
    Win32Clipboard clipboard;
    const std::u16string text = u"剪贴板 text\r\nline";
    ASSERT_EQ(clipboard.putUnicodeText(reinterpret_cast<const unsigned char*>(text.data()),
                                       text.size() * 2),
              0);
    EXPECT_EQ(clipboardText(), text);
    EXPECT_TRUE(clipboardOffersOnlyUnicodeFirst());
}

TEST(Win32ClipboardTest, AnItemPutsExactlyItsText) {
    Win32Clipboard clipboard;
    UnicodeTextItem item(std::u16string(u"收藏夹 favorite"));
    EXPECT_EQ(item.putOnClipboard(clipboard), 0);
    EXPECT_EQ(clipboardText(), u"收藏夹 favorite");

    UnicodeTextItem empty(std::u16string(u""));
    EXPECT_EQ(empty.putOnClipboard(clipboard), 0);
    EXPECT_EQ(clipboardText(), u"");
}

TEST(Win32ClipboardTest, ANullTextWithALengthIsRefused) {
    Win32Clipboard clipboard;
    EXPECT_EQ(clipboard.putUnicodeText(nullptr, 4), -1);
}

// A child that handles its own notifications, and a parent that records
// what still reaches it.
class ReflectingChild : public Window {
public:
    int reflectedNotifies = 0;
    int reflectedCommands = 0;
    bool handle = true;

protected:
    bool onReflectedNotify(NMHDR&, LRESULT& result) override {
        ++reflectedNotifies;
        result = 42;
        return handle;
    }
    bool onReflectedCommand(int, LRESULT&) override {
        ++reflectedCommands;
        return handle;
    }
};

class RecordingParent : public Dialog {
public:
    RecordingParent() : Dialog(IDD_OWNER) {}
    int notifies = 0;
    int commands = 0;

protected:
    bool onNotify(NMHDR&, LRESULT& result) override {
        ++notifies;
        result = 7;
        return true;
    }
    bool onCommand(int id, int code, HWND control) override {
        if (control != nullptr) ++commands;
        return Dialog::onCommand(id, code, control);
    }
};

class ReflectionTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(parent.create(nullptr));
        ASSERT_TRUE(child.createControl(L"BUTTON", L"child", WS_CHILD | WS_VISIBLE,
                                        0, RECT{0, 0, 50, 20}, parent.hwnd(), 77));
    }

    LRESULT sendNotify() {
        NMHDR header{child.hwnd(), 77, NM_CLICK};
        return SendMessageW(parent.hwnd(), WM_NOTIFY, 77, reinterpret_cast<LPARAM>(&header));
    }

    RecordingParent parent;
    ReflectingChild child;
};

TEST_F(ReflectionTest, TheChildAnswersItsOwnNotificationsFirst) {
    EXPECT_EQ(sendNotify(), 42);
    EXPECT_EQ(child.reflectedNotifies, 1);
    EXPECT_EQ(parent.notifies, 0);

    SendMessageW(parent.hwnd(), WM_COMMAND, MAKEWPARAM(77, BN_CLICKED),
                 reinterpret_cast<LPARAM>(child.hwnd()));
    EXPECT_EQ(child.reflectedCommands, 1);
    EXPECT_EQ(parent.commands, 0);
}

TEST_F(ReflectionTest, WhatTheChildLeavesReachesTheParent) {
    child.handle = false;
    EXPECT_EQ(sendNotify(), 7);
    EXPECT_EQ(child.reflectedNotifies, 1);
    EXPECT_EQ(parent.notifies, 1);
}

TEST_F(ReflectionTest, ObjectsLetGoOfDestroyedWindows) {
    HWND childWindow = child.hwnd();
    DestroyWindow(childWindow);
    EXPECT_EQ(child.hwnd(), nullptr);
    EXPECT_EQ(Window::fromHandle(childWindow), nullptr);
    // A notification naming the gone child is the parent's own again.
    NMHDR header{childWindow, 77, NM_CLICK};
    EXPECT_EQ(SendMessageW(parent.hwnd(), WM_NOTIFY, 77, reinterpret_cast<LPARAM>(&header)), 7);
}

// A modal dialog ends through endDialog from inside its own message loop.
class TimedDialog : public Dialog {
public:
    TimedDialog() : Dialog(IDD_OWNER) {}

protected:
    bool onInitDialog() override {
        SetTimer(hwnd(), 5, 50, nullptr);
        return true;
    }
    bool onTimer(UINT_PTR id) override {
        if (id != 5) return false;
        KillTimer(hwnd(), 5);
        endDialog(1234);
        return true;
    }
};

TEST(DialogTest, DoModalReturnsTheEndResultAndDestroysTheWindow) {
    TimedDialog dialog;
    EXPECT_EQ(dialog.doModal(nullptr), 1234);
    EXPECT_EQ(dialog.hwnd(), nullptr);
    EXPECT_FALSE(dialog.isModal());
}

TEST(DialogTest, AMissingTemplateFailsWithMinusOne) {
    class Missing : public Dialog {
    public:
        Missing() : Dialog(4321) {}
    } dialog;
    EXPECT_EQ(dialog.doModal(nullptr), -1);
}

}  // namespace
