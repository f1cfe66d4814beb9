// Start-up and shutdown of the application object in a folder of its own:
// single instance, configuration, loading and saving the lists.
#include "app/Application.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "shared/KnownAnswers.h"
#include "core/Fakes.h"
#include "core/ScratchFolder.h"
#include "core/UnicodeTextItem.h"
#include "storage/Settings.h"
#include "storage/StoreFile.h"

namespace {

std::string currentDirectory() {
    char buffer[MAX_PATH] = {};
    const DWORD length = GetCurrentDirectoryA(MAX_PATH, buffer);
    return std::string(buffer, length < MAX_PATH ? length : 0);
}

bool holdsText(const ClipItem* item, const std::u16string& text) {
    return item != nullptr && item->digestEquals(UnicodeTextItem(text)) != 0;
}

class ApplicationTest : public ::testing::Test {
protected:
    void SetUp() override { startDirectory = currentDirectory(); }
    void TearDown() override {
        SetCurrentDirectoryA(startDirectory.c_str());
        Settings::destroyInstance();
    }

    std::string startDirectory;
    ScratchFolder folder;
    RecordingMessages messages;
};

TEST_F(ApplicationTest, SecondCopyShowsTheFirstAndTouchesNoFile) {
    // The first copy: its mutex and its (hidden) main window.
    HANDLE first = CreateMutexA(nullptr, TRUE, "PENNANT");
    ASSERT_NE(nullptr, first);
    HWND firstWindow = CreateWindowExW(0, L"STATIC", L"Quillbox v1.3.1", WS_POPUP, 0, 0, 50, 50,
                                       nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_FALSE(IsWindowVisible(firstWindow));

    {
        // Under another name the start would go on and run() not return.
        Application probe(folder.str(), messages);
        ASSERT_EQ(Application::Start::AlreadyRunning, probe.startUp());
    }
    messages.shown.clear();
    ShowWindow(firstWindow, SW_HIDE);
    {
        Application second(folder.str(), messages);
        EXPECT_EQ(0, second.run());
        EXPECT_EQ(nullptr, second.activeStore());
    }
    ASSERT_EQ(1u, messages.shown.size());
    EXPECT_EQ("程序的一个实例已经运行！", messages.shown[0].text);
    EXPECT_EQ(msgbox::Ok, messages.shown[0].style);
    EXPECT_TRUE(IsWindowVisible(firstWindow));
    EXPECT_TRUE(folder.names().empty());
    EXPECT_NE(currentDirectory(), folder.str());

    DestroyWindow(firstWindow);
    CloseHandle(first);
}

TEST_F(ApplicationTest, FirstStartWritesTheDefaultConfiguration) {
    Application application(folder.str(), messages);
    ASSERT_EQ(Application::Start::Ready, application.startUp());
    EXPECT_EQ(folder.str(), currentDirectory());
    EXPECT_EQ((std::vector<std::string>{"Inkwell.cfg"}), folder.names());
    const std::vector<unsigned char> written = folder.read("Inkwell.cfg");
    EXPECT_EQ(known::defaultConfigFile(), std::string(written.begin(), written.end()));
    ASSERT_NE(nullptr, application.activeStore());
    ASSERT_NE(nullptr, application.favoritesStore());
    EXPECT_EQ(0, application.activeStore()->isFavorites());
    EXPECT_EQ(1, application.favoritesStore()->isFavorites());
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ApplicationTest, ConfigurationInTheFolderIsRead) {
    Settings custom;
    custom.MaxActiveItemNum(20);
    folder.write("Inkwell.cfg", custom.configText());
    Application application(folder.str(), messages);
    ASSERT_EQ(Application::Start::Ready, application.startUp());
    EXPECT_EQ(20, application.activeStore()->capacity());
}

TEST_F(ApplicationTest, SavingKeepsTheStoresAndTheNextStartLoadsThem) {
    {
        Application application(folder.str(), messages);
        ASSERT_EQ(Application::Start::Ready, application.startUp());
        ASSERT_EQ(0, application.activeStore()->add(std::make_unique<UnicodeTextItem>(u"copied"), 1));
        ASSERT_EQ(0, application.favoritesStore()->add(std::make_unique<UnicodeTextItem>(u"kept"), 1));

        // A log-off query saves; the program may go on with its lists.
        application.saveStores();
        ASSERT_NE(nullptr, application.activeStore());
        EXPECT_EQ(1, application.activeStore()->count());
        const std::vector<unsigned char> saved = folder.read(StoreFile::PoolFileName);
        EXPECT_FALSE(saved.empty());

        ASSERT_EQ(0, application.activeStore()->add(std::make_unique<UnicodeTextItem>(u"later"), 1));
        EXPECT_EQ(0, application.exitInstance());
        EXPECT_EQ(nullptr, application.activeStore());
        EXPECT_EQ(nullptr, application.favoritesStore());
        EXPECT_NE(saved, folder.read(StoreFile::PoolFileName));

        // A second shutdown finds no stores and writes nothing.
        const std::vector<unsigned char> final = folder.read(StoreFile::PoolFileName);
        application.shutdownStores();
        EXPECT_EQ(final, folder.read(StoreFile::PoolFileName));
    }
    Application next(folder.str(), messages);
    ASSERT_EQ(Application::Start::Ready, next.startUp());
    ASSERT_EQ(2, next.activeStore()->count());
    EXPECT_TRUE(holdsText(next.activeStore()->itemAt(0), u"later"));
    EXPECT_TRUE(holdsText(next.activeStore()->itemAt(1), u"copied"));
    ASSERT_EQ(1, next.favoritesStore()->count());
    EXPECT_TRUE(messages.shown.empty());
}

}  // namespace
