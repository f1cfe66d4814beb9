// Starting the program: the configuration written beside it, the main
// window, the single-instance rule and a damaged store file.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "e2e/ProgramFixture.h"
#include "shared/KnownAnswers.h"

namespace e2e {
namespace {

using Bytes = std::vector<unsigned char>;

Bytes bytesOf(const std::string& s) { return Bytes(s.begin(), s.end()); }

// The configuration the program writes when it finds none.
std::string defaultConfig() { return known::defaultConfigFile(); }

std::vector<Bytes> splitCrLf(const Bytes& bytes) {
    std::vector<Bytes> lines;
    Bytes line;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') {
            lines.push_back(line);
            line.clear();
            ++i;
        } else {
            line.push_back(bytes[i]);
        }
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

bool isTopmost(HWND window) {
    return (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

using ProgramStart = ProgramFixture;

TEST_F(ProgramStart, WritesTheDefaultConfigurationBesideTheProgramAndShowsTheMainWindow) {
    ProcessDriver& program = startProgram();
    HWND main = program.waitForMainWindow();
    ASSERT_NE(main, nullptr) << "no window titled Quillbox v1.3.1";
    EXPECT_EQ(FindWindowW(nullptr, MainWindowTitle), main);
    EXPECT_TRUE(waitUntil([&] { return IsWindowVisible(main) != FALSE; }));
    EXPECT_TRUE(isTopmost(main));
    EXPECT_EQ(className(main), L"#32770");

    // Against the right edge of the full-screen area, a caption height down.
    RECT rect{};
    ASSERT_TRUE(GetWindowRect(main, &rect));
    EXPECT_EQ(rect.right, GetSystemMetrics(SM_CXFULLSCREEN));
    EXPECT_EQ(rect.top, GetSystemMetrics(SM_CYCAPTION));

    // Owned by a hidden tool window, so neither has a taskbar button.
    HWND owner = GetWindow(main, GW_OWNER);
    ASSERT_NE(owner, nullptr) << "the main window has no owner";
    EXPECT_EQ(windowProcess(owner), program.pid());
    // The owner is shown once by its modal loop and hides before it is drawn.
    EXPECT_TRUE(waitUntil([&] { return IsWindowVisible(owner) == FALSE; }));
    EXPECT_NE(GetWindowLongW(owner, GWL_EXSTYLE) & WS_EX_TOOLWINDOW, 0);
    EXPECT_EQ(GetWindowLongW(main, GWL_EXSTYLE) & WS_EX_APPWINDOW, 0);

    Bytes config;
    ASSERT_TRUE(waitUntil([&] { return readFile(programFile(L"Inkwell.cfg"), config); }));
    EXPECT_EQ(std::string(config.begin(), config.end()), defaultConfig());

    // The Chinese lines, byte by byte in GBK.
    std::vector<Bytes> lines = splitCrLf(config);
    ASSERT_EQ(lines.size(), 24u);
    EXPECT_EQ(lines[2], bytesOf("#\tQuillbox\xC5\xE4\xD6\xC3\xCE\xC4\xBC\xFE\t\t\t#"));
    EXPECT_EQ(lines[3], bytesOf("#\t\t2008\xC4\xEA" "3\xD4\xC2\t\t\t#"));
    EXPECT_EQ(lines[8], bytesOf("#\xCF\xB5\xCD\xB3\xB2\xCE\xCA\xFD"));
    EXPECT_EQ(lines[18], bytesOf("#\xBF\xEC\xBD\xDD\xBC\xFC\xB2\xCE\xCA\xFD"));
    EXPECT_EQ(lines[0], Bytes(49, '#'));

    // Nothing is created in the working directory; the store file goes
    // beside the program at exit.
    EXPECT_TRUE(snapshotFolder(workFolder()).empty());
    ASSERT_TRUE(program.exitWithYes());
    EXPECT_TRUE(program.waitForWindowsGone());
    Bytes pool;
    EXPECT_TRUE(readFile(programFile(L"poolfile.bin"), pool));
    EXPECT_EQ(pool, emptyPoolFile());
    EXPECT_TRUE(snapshotFolder(workFolder()).empty());
}

// Hand-edited maxima, up to ones no list could ever hold: the program
// starts, shows its window, leaves the file as it is and keeps the lists.
TEST_F(ProgramStart, KeepsAnExistingConfigurationUntouched) {
    const std::string configs[] = {
        "MaxActiveItemNum=80\r\n",
        "MaxActiveItemNum=99999999999\r\nMaxFavoriteItemNum=2147483648\r\n",
        "MaxActiveItemNum=2147483647\r\nMaxFavoriteItemNum=2147483647\r\n",
        "MaxFavoriteItemNum=" + std::string(10000, '9') + "\r\nMaxActiveItemNum=" +
            std::string(10000, '7') + "\r\n",
    };
    for (const std::string& own : configs) {
        SCOPED_TRACE(own.substr(0, 60));
        ASSERT_TRUE(writeFile(programFile(L"Inkwell.cfg"), bytesOf(own)));
        ASSERT_TRUE(writeFile(programFile(L"poolfile.bin"), samplePoolFile()));
        ProcessDriver& program = startProgram();
        HWND main = program.waitForMainWindow();
        ASSERT_NE(main, nullptr);
        EXPECT_TRUE(waitUntil([&] { return IsWindowVisible(main) != FALSE; }));
        ASSERT_TRUE(program.exitWithYes());
        ASSERT_TRUE(program.waitForWindowsGone());
        Bytes config;
        ASSERT_TRUE(readFile(programFile(L"Inkwell.cfg"), config));
        EXPECT_EQ(config, bytesOf(own)) << "the configuration is written only when missing";
        Bytes pool;
        EXPECT_TRUE(waitUntil([&] { return readFile(programFile(L"poolfile.bin"), pool); }));
        EXPECT_EQ(pool, samplePoolFile());
    }
}

TEST_F(ProgramStart, SecondCopyBringsBackTheFirstWindowAndLeavesTheFilesAlone) {
    ASSERT_TRUE(writeFile(programFile(L"poolfile.bin"), samplePoolFile()));
    ProcessDriver& first = startProgram();
    HWND main = first.waitForMainWindow();
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(waitUntil([&] { return IsWindowVisible(main) != FALSE; }));
    PostMessageW(main, WM_CLOSE, 0, 0);
    ASSERT_TRUE(waitUntil([&] { return !IsWindowVisible(main); })) << "close did not hide";

    const auto before = snapshotFolder(programFolder());
    ASSERT_EQ(before.count(L"Inkwell.cfg"), 1u);
    ASSERT_EQ(before.count(L"poolfile.bin"), 1u);

    ProcessDriver& second = startProgram();
    HWND box = second.waitForMessageBox();
    ASSERT_NE(box, nullptr) << "the second copy showed no message box";
    EXPECT_EQ(messageBoxText(box), L"程序的一个实例已经运行！");
    std::vector<int> buttons = buttonIds(box);
    ASSERT_EQ(buttons.size(), 1u) << "a plain OK box";
    EXPECT_EQ(second.mainWindow(), nullptr) << "the second copy must not build windows";
    ASSERT_TRUE(pressButton(box, buttons.front()));

    ASSERT_TRUE(second.waitForExit()) << "the second copy did not end";
    EXPECT_EQ(second.exitCode(), 0u);
    EXPECT_TRUE(second.waitForWindowsGone());

    EXPECT_TRUE(first.isRunning());
    EXPECT_TRUE(waitUntil([&] { return IsWindowVisible(main) != FALSE; }))
        << "the first copy's window was not shown again";
    EXPECT_EQ(describeChanges(before, snapshotFolder(programFolder())), "");
    EXPECT_TRUE(snapshotFolder(workFolder()).empty());
}

TEST_F(ProgramStart, DamagedStoreFileIsReportedAndTheProgramStillStarts) {
    // The first block claims 0x7FFFFFF0 bytes; the file has twelve.
    const Bytes damaged = {0xF0, 0xFF, 0xFF, 0x7F, 0x04, 0x00, 0x00, 0x00, 0x04, 0x00, 0x00, 0x00};
    ASSERT_TRUE(writeFile(programFile(L"poolfile.bin"), damaged));

    ProcessDriver& program = startProgram();
    HWND box = program.waitForMessageBox();
    ASSERT_NE(box, nullptr) << "no message about the damaged file";
    std::wstring text = messageBoxText(box);
    EXPECT_EQ(text.rfind(L"文件格式错误1！", 0), 0u) << "text: " << text.size() << " chars";
    EXPECT_NE(text.find(L"len = 2147483632, readLen = "), std::wstring::npos);
    EXPECT_EQ(program.mainWindow(), nullptr) << "the store file is read before any window";
    std::vector<int> buttons = buttonIds(box);
    ASSERT_EQ(buttons.size(), 1u);
    ASSERT_TRUE(pressButton(box, buttons.front()));

    HWND main = program.waitForMainWindow();
    ASSERT_NE(main, nullptr) << "start-up did not go on after the message";
    EXPECT_TRUE(waitUntil([&] { return IsWindowVisible(main) != FALSE; }));
    EXPECT_TRUE(program.isRunning());

    // The damaged file is kept aside before anything overwrites it.
    Bytes kept;
    EXPECT_TRUE(readFile(programFile(L"poolfile.damaged.bin"), kept));
    EXPECT_EQ(kept, damaged);

    // Nothing was loaded, so the exit saves two empty stores over the damage.
    ASSERT_TRUE(program.exitWithYes());
    Bytes pool;
    EXPECT_TRUE(readFile(programFile(L"poolfile.bin"), pool));
    EXPECT_EQ(pool, emptyPoolFile());
}

}  // namespace
}  // namespace e2e
