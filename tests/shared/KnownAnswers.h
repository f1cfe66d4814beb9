// Expected data shared by the native and the Windows tests.
#pragma once

#include <string>
#include <vector>

namespace known {

struct Md5Case {
    std::string message;
    const char* digest;  // lower-case hex
};

// The test suite of RFC 1321, appendix A.5.
inline std::vector<Md5Case> rfc1321Suite() {
    std::string digits;
    for (int i = 0; i < 8; ++i) digits += "1234567890";
    return {
        {"", "d41d8cd98f00b204e9800998ecf8427e"},
        {"a", "0cc175b9c0f1b6a831c399e269772661"},
        {"abc", "900150983cd24fb0d6963f7d28e17f72"},
        {"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
        {"abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789",
         "d174ab98d277d9f5a5611c2c9f419d9f"},
        {digits, "57edf4a22be3c955ac49da2e2107b67a"},
    };
}

// The digest of one million letters "a" (RFC 1321's reference program, -x).
inline const char* const millionLettersDigest = "7707d6ae4e027c70eea2a935c2296f21";

// Lines 3, 4, 9 and 19 of Inkwell.cfg in code page 936, spelled out byte by
// byte so that a wrong literal encoding shows up.
inline const std::string configTitleLine = "#\tQuillbox" "\xC5\xE4\xD6\xC3\xCE\xC4\xBC\xFE" "\t\t\t#";
inline const std::string configDateLine = "#\t\t2008" "\xC4\xEA" "3" "\xD4\xC2" "\t\t\t#";
inline const std::string configSystemHeading = "#" "\xCF\xB5\xCD\xB3\xB2\xCE\xCA\xFD";
inline const std::string configHotKeyHeading = "#" "\xBF\xEC\xBD\xDD\xBC\xFC\xB2\xCE\xCA\xFD";

// The 24 lines of Inkwell.cfg with the default settings, CR LF after each.
inline std::string defaultConfigFile() {
    const std::string border(49, '#');
    const std::string lines[] = {
        border, "#\t\t\t\t\t\t#", configTitleLine, configDateLine, "#\t\t\t\t\t\t#",
        "#\t\t\t\t\t\t#", border, "", configSystemHeading,
        "MaxFavoriteItemNum=10", "MaxActiveItemNum=50", "EnableMonitoring=1",
        "EnablePopupMenu=1", "EnableAutoHide=0", "EnableFavoriteAutoPaste=0",
        "EnableStartup=0", "StartupMinimized=0", "", configHotKeyHeading,
        "AccKey.modifiers=2", "AccKey.virtualKey=68", "FavoriteAccKey.modifiers=2",
        "FavoriteAccKey.virtualKey=49", "PopupShowInfo=1",
    };
    static_assert(sizeof lines / sizeof lines[0] == 24, "24 lines");
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
}

}  // namespace known
