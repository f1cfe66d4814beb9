#include "storage/Settings.h"

#include <gtest/gtest.h>

#include <climits>
#include <random>
#include <string>

#include "ScratchFolder.h"
#include "core/MessageSink.h"
#include "Fakes.h"
#include "../shared/KnownAnswers.h"

namespace {

// "打开配置文件失败！" in code page 936.
const std::string kOpenFailed =
    "\xB4\xF2\xBF\xAA\xC5\xE4\xD6\xC3\xCE\xC4\xBC\xFE\xCA\xA7\xB0\xDC\xA3\xA1";

void expectDefaults(const Settings& s) {
    EXPECT_EQ(s.MaxActiveItemNum(), 50);
    EXPECT_EQ(s.MaxFavoriteItemNum(), 10);
    EXPECT_EQ(s.EnableFavoriteAutoPaste(), 0);
    EXPECT_EQ(s.EnableMonitoring(), 1);
    EXPECT_EQ(s.EnablePopupMenu(), 1);
    EXPECT_EQ(s.EnableAutoHide(), 0);
    EXPECT_EQ(s.PopupShowInfo(), 1);
    EXPECT_EQ(s.EnableStartup(), 0);
    EXPECT_EQ(s.StartupMinimized(), 0);
    EXPECT_EQ(s.AccKey(), HotKey(2, 68));
    EXPECT_EQ(s.FavoriteAccKey(), HotKey(2, 49));
}

Settings parsed(const std::string& text) {
    Settings s;
    s.parseConfig(text);
    return s;
}

}  // namespace

TEST(HotKeyTest, SetChangesOnlyNonZeroParts) {
    HotKey key(2, 68);
    key.set(0, 70);
    EXPECT_EQ(key, HotKey(2, 70));
    key.set(4, 0);
    EXPECT_EQ(key, HotKey(4, 70));
    key.set(0, 0);
    EXPECT_EQ(key, HotKey(4, 70));
    // Only the low 16 bits count.
    key.set(0x10000, 0x30000);
    EXPECT_EQ(key, HotKey(4, 70));
    key.set(0x10001, 0x20041);
    EXPECT_EQ(key, HotKey(1, 0x41));
}

TEST(SettingsTest, DefaultsAndProcessWideInstance) {
    expectDefaults(Settings());

    Settings* first = Settings::instance();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(Settings::instance(), first);
    first->MaxActiveItemNum(7);
    Settings::destroyInstance();
    Settings* second = Settings::instance();
    ASSERT_NE(second, nullptr);
    expectDefaults(*second);
    Settings::destroyInstance();
}

TEST(SettingsTest, DefaultFileIsTheTwentyFourLinesInCodePage936) {
    EXPECT_EQ(Settings().configText(), known::defaultConfigFile());
}

TEST(SettingsTest, ValuesAreWrittenSignedAndHotKeysUnsigned) {
    Settings s;
    s.MaxFavoriteItemNum(-3);
    s.MaxActiveItemNum(INT32_MAX);
    s.EnableMonitoring(0);
    s.EnableStartup(1);
    s.PopupShowInfo(3);
    s.AccKey(0xFFFF, 0x8001);
    const std::string text = s.configText();
    EXPECT_NE(text.find("\r\nMaxFavoriteItemNum=-3\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\nMaxActiveItemNum=2147483647\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\nEnableMonitoring=0\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\nEnableStartup=1\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\nAccKey.modifiers=65535\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\nAccKey.virtualKey=32769\r\n"), std::string::npos);
    EXPECT_EQ(text.substr(text.size() - 17), "PopupShowInfo=3\r\n");
}

TEST(SettingsTest, ParsesSingleKeyAndKeepsOtherDefaults) {
    Settings s = parsed("MaxActiveItemNum=80\r\n");
    EXPECT_EQ(s.MaxActiveItemNum(), 80);
    s.MaxActiveItemNum(50);
    expectDefaults(s);
}

TEST(SettingsTest, CharacterAfterKeyIsSkippedWhateverItIs) {
    EXPECT_EQ(parsed("MaxActiveItemNum:30").MaxActiveItemNum(), 30);
    EXPECT_EQ(parsed("MaxActiveItemNum==30").MaxActiveItemNum(), 0);
    EXPECT_EQ(parsed("MaxActiveItemNum=+30").MaxActiveItemNum(), 30);
    EXPECT_EQ(parsed("MaxActiveItemNum=-30").MaxActiveItemNum(), -30);
    EXPECT_EQ(parsed("MaxActiveItemNum=42abc").MaxActiveItemNum(), 42);
    EXPECT_EQ(parsed("MaxActiveItemNum=abc").MaxActiveItemNum(), 0);
    // Keys compare case-sensitively.
    EXPECT_EQ(parsed("maxActiveItemNum=30").MaxActiveItemNum(), 50);
}

TEST(SettingsTest, EmptyValueOrKeyAloneReadsZero) {
    EXPECT_EQ(parsed("EnableMonitoring=").EnableMonitoring(), 0);
    // The key ends the token; the "=1" after the space is a token of its own
    // that matches nothing.
    EXPECT_EQ(parsed("EnableMonitoring =1").EnableMonitoring(), 0);
    EXPECT_EQ(parsed("EnableMonitoring").EnableMonitoring(), 0);
}

TEST(SettingsTest, ZeroHotKeyPartsKeepTheDefaults) {
    Settings s = parsed("AccKey.modifiers=0\nAccKey.virtualKey=70\n"
                        "FavoriteAccKey.modifiers=5\nFavoriteAccKey.virtualKey=65536\n");
    EXPECT_EQ(s.AccKey(), HotKey(2, 70));
    EXPECT_EQ(s.FavoriteAccKey(), HotKey(5, 49));
}

TEST(SettingsTest, BannerCommentsAndUnknownWordsAreSkipped) {
    Settings s;
    s.parseConfig("#MaxActiveItemNum=80 " + known::configTitleLine + "\r\n" + known::configSystemHeading +
                  "\r\nQuillbox MaxActiveItemNum=20 Unknown=5\r\n");
    EXPECT_EQ(s.MaxActiveItemNum(), 20);
    s.MaxActiveItemNum(50);
    expectDefaults(s);
}

TEST(SettingsTest, LaterLinesWinAndAnyWhiteSpaceSeparates) {
    Settings s = parsed("PopupShowInfo=2\tPopupShowInfo=3\vEnableAutoHide=1\fEnableStartup=1\r");
    EXPECT_EQ(s.PopupShowInfo(), 3);
    EXPECT_EQ(s.EnableAutoHide(), 1);
    EXPECT_EQ(s.EnableStartup(), 1);
}

TEST(SettingsTest, NumbersAreClampedToInt32) {
    EXPECT_EQ(parsed("MaxActiveItemNum=99999999999999999999999").MaxActiveItemNum(), INT32_MAX);
    EXPECT_EQ(parsed("MaxActiveItemNum=2147483648").MaxActiveItemNum(), INT32_MAX);
    EXPECT_EQ(parsed("MaxActiveItemNum=-2147483648").MaxActiveItemNum(), INT32_MIN);
    EXPECT_EQ(parsed("MaxActiveItemNum=-2147483649").MaxActiveItemNum(), INT32_MIN);
    // A maximum below 1 stays as read.
    EXPECT_EQ(parsed("MaxFavoriteItemNum=0").MaxFavoriteItemNum(), 0);
}

TEST(SettingsTest, LongTokensAreCutAfter99Bytes) {
    // 17 + 82 = 99 bytes: read whole.
    const std::string exact = "MaxActiveItemNum=" + std::string(80, '0') + "42";
    EXPECT_EQ(parsed(exact).MaxActiveItemNum(), 42);
    // One more byte and the last digit falls off.
    const std::string over = "MaxActiveItemNum=" + std::string(81, '0') + "42";
    EXPECT_EQ(parsed(over).MaxActiveItemNum(), 4);

    // The rest of a 5000-byte token is skipped, not read as a new token.
    std::string huge = "EnableAutoHide=1" + std::string(200, 'x') + "MaxActiveItemNum=7";
    huge += std::string(5000 - huge.size(), 'y');
    Settings s = parsed(huge + " MaxFavoriteItemNum=20");
    EXPECT_EQ(s.EnableAutoHide(), 1);
    EXPECT_EQ(s.MaxActiveItemNum(), 50);
    EXPECT_EQ(s.MaxFavoriteItemNum(), 20);
}

TEST(SettingsTest, ReadConfigOfMissingFileFails) {
    ScratchFolder folder;
    Settings s;
    EXPECT_EQ(s.readConfig(folder.file("Inkwell.cfg")), -1);
    expectDefaults(s);
}

TEST(SettingsTest, WriteFailureShowsMessageAndLeavesNothing) {
    ScratchFolder folder;
    RecordingMessages messages;
    const auto missing = folder.path() / "missing";
    EXPECT_EQ(Settings().writeConfig((missing / "Inkwell.cfg").string(), messages), -1);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, kOpenFailed);
    EXPECT_EQ(messages.shown[0].style, msgbox::Ok);
    EXPECT_FALSE(std::filesystem::exists(missing));
    EXPECT_TRUE(folder.names().empty());

    // A read-only file is refused the same way and stays as it was.
    const std::string old = "MaxActiveItemNum=90\r\n";
    folder.write("Inkwell.cfg", old);
    ASSERT_TRUE(folder.makeReadOnly("Inkwell.cfg"));
    messages.shown.clear();
    EXPECT_EQ(Settings().writeConfig(folder.file("Inkwell.cfg"), messages), -1);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, kOpenFailed);
    EXPECT_EQ(folder.read("Inkwell.cfg"), std::vector<unsigned char>(old.begin(), old.end()));
    EXPECT_EQ(folder.names(), std::vector<std::string>{"Inkwell.cfg"});
}

TEST(SettingsTest, WriteReplacesExistingFileAndReadsBack) {
    ScratchFolder folder;
    folder.write("Inkwell.cfg", std::string(3000, 'z') + "\r\nMaxActiveItemNum=90\r\n");
    Settings written;
    written.MaxActiveItemNum(30);
    written.MaxFavoriteItemNum(100);
    written.EnableFavoriteAutoPaste(1);
    written.EnableMonitoring(0);
    written.EnablePopupMenu(0);
    written.EnableAutoHide(1);
    written.PopupShowInfo(3);
    written.EnableStartup(1);
    written.StartupMinimized(1);
    written.AccKey(5, 81);
    written.FavoriteAccKey(6, 50);

    RecordingMessages messages;
    ASSERT_EQ(written.writeConfig(folder.file("Inkwell.cfg"), messages), 0);
    EXPECT_TRUE(messages.shown.empty());
    const std::string text = written.configText();
    EXPECT_EQ(folder.read("Inkwell.cfg"), std::vector<unsigned char>(text.begin(), text.end()));
    EXPECT_EQ(folder.names(), std::vector<std::string>{"Inkwell.cfg"});

    Settings read;
    ASSERT_EQ(read.readConfig(folder.file("Inkwell.cfg")), 0);
    EXPECT_EQ(read.configText(), text);
    EXPECT_EQ(read.MaxActiveItemNum(), 30);
    EXPECT_EQ(read.AccKey(), HotKey(5, 81));
    EXPECT_EQ(read.FavoriteAccKey(), HotKey(6, 50));
}

TEST(SettingsTest, DefaultFileReadsBackAsDefaults) {
    expectDefaults(parsed(known::defaultConfigFile()));
}

TEST(SettingsTest, SurvivesRandomAndTruncatedTexts) {
    const std::string fragments[] = {
        "MaxFavoriteItemNum", "MaxActiveItemNum", "EnableMonitoring", "AccKey.modifiers",
        "FavoriteAccKey.virtualKey", "PopupShowInfo", "=", ":", "-", "+", "#", " ", "\t",
        "\r\n", "9999999999999", "42", "\xC5\xE4", std::string(1, '\0'), std::string(120, 'q'),
    };
    const std::string base = known::defaultConfigFile();
    std::mt19937 random(20080301);
    for (int round = 0; round < 4000; ++round) {
        std::string text;
        switch (round % 3) {
        case 0:
            text = base.substr(0, random() % (base.size() + 1));
            break;
        case 1:
            for (int n = random() % 40; n > 0; --n)
                text += fragments[random() % (sizeof fragments / sizeof fragments[0])];
            break;
        default:
            text = base;
            for (int n = random() % 20; n > 0; --n)
                text[random() % text.size()] = static_cast<char>(random() % 256);
            break;
        }
        Settings s;
        s.parseConfig(text);
        // Whatever was read, written again, reads back the same.
        const std::string written = s.configText();
        ASSERT_EQ(parsed(written).configText(), written) << "round " << round;
    }
}
