// The Windows adapters of the core's platform interfaces and the window
// layer's reflection, tested against the real system.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <new>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "capture/PngDecoder.h"
#include "capture/win32/Win32Clipboard.h"
#include "core/BitmapItem.h"
#include "core/ClipBytes.h"
#include "core/UnicodeTextItem.h"
#include "storage/AtomicFile.h"
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

std::string contentOf(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The names in a folder, "." and ".." left out.
std::vector<std::string> namesIn(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        const std::string name = found.cFileName;
        if (name != "." && name != "..") names.push_back(name);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

// The block under a format on the clipboard; empty when there is none.
std::vector<unsigned char> clipboardBytes(UINT format) {
    std::vector<unsigned char> bytes;
    if (!OpenClipboard(nullptr)) return bytes;
    if (HANDLE data = GetClipboardData(format)) {
        if (const auto* first = static_cast<const unsigned char*>(GlobalLock(data))) {
            bytes.assign(first, first + GlobalSize(data));
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return bytes;
}

// The bytes with some of them overwritten from offset at on.
std::vector<unsigned char> patched(std::vector<unsigned char> bytes, std::size_t at,
                                   const std::vector<unsigned char>& with) {
    if (bytes.size() < at + with.size()) bytes.resize(at + with.size());
    std::memcpy(bytes.data() + at, with.data(), with.size());
    return bytes;
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

// A stored file list goes back under its own format, byte for byte, and
// reads as the files it names.
TEST(Win32ClipboardTest, AFileListIsPutUnderItsOwnFormat) {
    Win32Clipboard clipboard;
    const std::vector<unsigned char> block = dropFilesBytes({u"C:\\a\\一.txt", u"D:\\b.bin"});
    ASSERT_EQ(clipboard.putFormat(CF_HDROP, block.data(), block.size()), 0);
    ASSERT_TRUE(OpenClipboard(nullptr));
    HANDLE data = GetClipboardData(CF_HDROP);
    ASSERT_NE(data, nullptr);
    const auto* bytes = static_cast<const unsigned char*>(GlobalLock(data));
    EXPECT_EQ(std::vector<unsigned char>(bytes, bytes + block.size()), block);
    GlobalUnlock(data);
    wchar_t name[MAX_PATH] = {};
    EXPECT_EQ(DragQueryFileW(static_cast<HDROP>(data), 0xFFFFFFFF, nullptr, 0), 2u);
    DragQueryFileW(static_cast<HDROP>(data), 1, name, MAX_PATH);
    CloseClipboard();
    EXPECT_STREQ(name, L"D:\\b.bin");
    // Explorer copies the files, never moves them.
    EXPECT_EQ(clipboardBytes(RegisterClipboardFormatW(L"Preferred DropEffect")),
              (std::vector<unsigned char>{1, 0, 0, 0}));
    EXPECT_EQ(clipboard.putFormat(0, block.data(), block.size()), -1);

    // An image item goes back as the DIB it holds.
    const std::vector<unsigned char> dib = dibBytes(2, 3);
    BitmapItem image;
    image.setText(dib.data(), static_cast<std::int32_t>(dib.size()));
    ASSERT_EQ(image.putOnClipboard(clipboard), 0);
    ASSERT_TRUE(OpenClipboard(nullptr));
    HANDLE pixels = GetClipboardData(CF_DIB);
    ASSERT_NE(pixels, nullptr);
    ASSERT_GE(GlobalSize(pixels), dib.size());
    const auto* dibBack = static_cast<const unsigned char*>(GlobalLock(pixels));
    EXPECT_EQ(std::vector<unsigned char>(dibBack, dibBack + dib.size()), dib);
    GlobalUnlock(pixels);
    CloseClipboard();
}

// An image goes on the clipboard also as a PNG holding the same colours
// (0xRRGGBB, rows from the top).
TEST(Win32ClipboardTest, AnImageIsAlsoPutAsAPng) {
    const struct {
        const char* name;
        std::vector<unsigned char> dib;
        std::vector<std::uint32_t> colours;
    } cases[] = {
        {"24 bits, bottom-up",
         patched(dibBytes(2, 3), 40,
                 {0, 0, 255, 0, 255, 0, 0, 0, 255, 0, 0, 255, 255, 255, 0, 0, 0, 0, 0, 128, 128, 128, 0, 0}),
         {0x000000, 0x808080, 0x0000FF, 0xFFFFFF, 0xFF0000, 0x00FF00}},
        {"24 bits, top-down", patched(dibBytes(2, -2), 40, {0, 0, 255, 0, 255, 0, 0, 0, 255, 0, 0, 0, 0, 0, 0, 0}),
         {0xFF0000, 0x00FF00, 0x0000FF, 0x000000}},
        {"8 bits, colour table",
         patched(patched(dibBytes(2, 2, 8), 40, {0x30, 0x20, 0x10, 0, 0xEE, 0xFF, 0xC0, 0}), 40 + 1024,
                 {1, 0, 0, 0, 0, 1, 0, 0}),
         {0x102030, 0xC0FFEE, 0xC0FFEE, 0x102030}},
        {"1 bit", patched(dibBytes(2, 1, 1), 40, {255, 255, 255, 0, 0, 0, 255, 0, 0x40}), {0xFFFFFF, 0xFF0000}},
        {"16 bits, 5-5-5", patched(dibBytes(2, 1, 16), 40, {0x00, 0x7C, 0x1F, 0x00}), {0xFF0000, 0x0000FF}},
        {"32 bits, fourth byte zero", patched(dibBytes(1, 1, 32), 40, {0x11, 0x22, 0x33, 0}), {0x332211}},
        {"16 bits, 5-6-5 masks",
         patched(patched(dibBytes(1, 1, 16), 16, {3}), 40, {0, 0xF8, 0, 0, 0xE0, 7, 0, 0, 0x1F, 0, 0, 0, 0xE0, 7, 0, 0}),
         {0x00FF00}},
    };
    Win32Clipboard clipboard;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(clipboard.putFormat(CF_DIB, c.dib.data(), c.dib.size()), 0);
        const std::vector<unsigned char> dib = clipboardBytes(CF_DIB);
        ASSERT_GE(dib.size(), c.dib.size());
        EXPECT_TRUE(std::equal(c.dib.begin(), c.dib.end(), dib.begin()));
        std::vector<unsigned char> decoded;
        ASSERT_EQ(PngDecoder::toDib(clipboardBytes(RegisterClipboardFormatW(L"PNG")), 1 << 20, decoded), 0);
        const std::int32_t width = readInt32LE(&decoded[4]);
        const std::int32_t height = readInt32LE(&decoded[8]);
        std::vector<std::uint32_t> colours;
        for (std::int32_t y = height - 1; y >= 0; --y) {
            for (std::int32_t x = 0; x < width; ++x) {
                const unsigned char* p = &decoded[40 + 4 * (y * width + x)];
                colours.push_back(p[2] << 16 | p[1] << 8 | p[0]);
            }
        }
        EXPECT_EQ(colours, c.colours);
    }
    // A DIB whose header claims more rows than it holds goes alone.
    const std::vector<unsigned char> lying = patched(dibBytes(2, 3), 8, {0xE8, 3, 0, 0});
    ASSERT_EQ(clipboard.putFormat(CF_DIB, lying.data(), lying.size()), 0);
    EXPECT_FALSE(clipboardBytes(CF_DIB).empty());
    EXPECT_TRUE(clipboardBytes(RegisterClipboardFormatW(L"PNG")).empty());
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
    enum { None, NoMemory, Other } throws = None;

protected:
    bool onReflectedNotify(NMHDR&, LRESULT& result) override {
        if (throws == NoMemory) throw std::bad_alloc();
        if (throws == Other) throw std::runtime_error("handler failed");
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

// What a handler throws is shown in a box of its own, and the window goes
// on working.
TEST_F(ReflectionTest, AnExceptionInAHandlerIsReportedAndTheWindowGoesOn) {
    const struct {
        decltype(child.throws) throws;
        const wchar_t* text;
    } cases[] = {{ReflectingChild::NoMemory, L"内存分配失败！"}, {ReflectingChild::Other, L"程序内部错误！"}};
    for (const auto& c : cases) {
        child.throws = c.throws;
        std::wstring shown;
        std::thread answerer([&shown] {
            for (int i = 0; i < 300 && shown.empty(); ++i) {
                Sleep(10);
                HWND box = nullptr;
                while ((box = FindWindowExW(nullptr, box, L"#32770", L"Quillbox")) != nullptr) {
                    if (GetDlgItem(box, 0xFFFF) == nullptr) continue;
                    wchar_t text[64] = {};
                    GetDlgItemTextW(box, 0xFFFF, text, 64);
                    shown = text;
                    PostMessageW(box, WM_COMMAND, IDOK, 0);
                }
            }
        });
        sendNotify();
        answerer.join();
        EXPECT_EQ(shown, c.text);
    }
    child.throws = ReflectingChild::None;
    EXPECT_EQ(sendNotify(), 42);
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

// A file another program holds open (without sharing its deletion) is
// replaced once it lets go within about a second; held longer, the save
// fails and the file keeps its content, with no temporary file left.
TEST(AtomicFileTest, WaitsForAFileHeldOpenForAMoment) {
    char base[MAX_PATH];
    ASSERT_NE(GetTempPathA(MAX_PATH, base), 0u);
    const std::string folder = std::string(base) + "qb-replace-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string path = folder + "\\held.txt";
    ASSERT_EQ(AtomicFile::write(path, "old", 3), AtomicFile::Ok);
    const struct {
        DWORD holdMs;
        std::string written;
        AtomicFile::Result result;
        const char* content;
    } cases[] = {{300, "new", AtomicFile::Ok, "new"}, {2500, "newer", AtomicFile::WriteFailed, "new"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.holdMs);
        HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(held, INVALID_HANDLE_VALUE);
        std::thread holder([&] {
            Sleep(c.holdMs);
            CloseHandle(held);
        });
        EXPECT_EQ(AtomicFile::write(path, c.written.data(), c.written.size()), c.result);
        holder.join();
        EXPECT_EQ(contentOf(path), c.content);
        EXPECT_EQ(namesIn(folder), std::vector<std::string>{"held.txt"});
    }
    // A name whose temporary would pass MAX_PATH.
    const std::string longPath = folder + "\\" + std::string(257 - folder.size() - 1, 'n');
    EXPECT_EQ(AtomicFile::write(longPath, "long", 4), AtomicFile::Ok);
    EXPECT_EQ(contentOf(longPath), "long");
    DeleteFileA(longPath.c_str());
    DeleteFileA(path.c_str());
    RemoveDirectoryA(folder.c_str());
}
