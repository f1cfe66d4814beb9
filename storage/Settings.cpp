#include "storage/Settings.h"

#include <cctype>
#include <cstdint>
#include <cstdio>
#include <new>

#include "core/MessageSink.h"
#include "storage/AtomicFile.h"

namespace {

Settings* theInstance = nullptr;

bool isSeparator(char c) {
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

// atoi rules (leading white space, optional sign, digits up to the first
// other character) over [pos, end) of text, clamped to the int32 range.
std::int32_t parseNumber(const std::string& text, std::size_t pos) {
    const std::size_t end = text.size();
    while (pos < end && isSeparator(text[pos])) ++pos;
    bool negative = false;
    if (pos < end && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    const std::int64_t limit = negative ? -static_cast<std::int64_t>(INT32_MIN) : INT32_MAX;
    std::int64_t value = 0;
    for (; pos < end && text[pos] >= '0' && text[pos] <= '9'; ++pos) {
        value = value * 10 + (text[pos] - '0');
        if (value > limit) value = limit;
    }
    return static_cast<std::int32_t>(negative ? -value : value);
}

void appendLine(std::string& out, const std::string& line) {
    out += line;
    out += "\r\n";
}

void appendValue(std::string& out, const char* key, long long value) {
    appendLine(out, std::string(key) + std::to_string(value));
}

}  // namespace

Settings::Settings() = default;

Settings* Settings::instance() {
    if (theInstance == nullptr) theInstance = new (std::nothrow) Settings();
    return theInstance;
}

void Settings::destroyInstance() {
    delete theInstance;
    theInstance = nullptr;
}

int Settings::readConfig(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) return -1;
    std::string text;
    char chunk[4096];
    std::size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) text.append(chunk, got);
    std::fclose(file);
    parseConfig(text);
    return 0;
}

void Settings::parseConfig(const std::string& text) {
    std::size_t pos = 0;
    const std::size_t end = text.size();
    while (pos < end) {
        while (pos < end && isSeparator(text[pos])) ++pos;
        const std::size_t start = pos;
        while (pos < end && !isSeparator(text[pos])) ++pos;
        if (pos == start) break;
        // A longer token is cut; its remainder is not a token of its own.
        std::size_t length = pos - start;
        if (length > static_cast<std::size_t>(MaxTokenLength)) length = MaxTokenLength;
        applyToken(text.substr(start, length));
    }
}

void Settings::applyToken(const std::string& token) {
    if (token.empty() || token[0] == '\t' || token[0] == ' ' || token[0] == '#') return;

    struct Key {
        const char* name;
        void (*apply)(Settings&, std::int32_t);
    };
    static const Key keys[] = {
        {"MaxFavoriteItemNum", [](Settings& s, std::int32_t v) { s.maxFavoriteItemNum_ = v; }},
        {"MaxActiveItemNum", [](Settings& s, std::int32_t v) { s.maxActiveItemNum_ = v; }},
        {"EnableMonitoring", [](Settings& s, std::int32_t v) { s.enableMonitoring_ = v; }},
        {"EnablePopupMenu", [](Settings& s, std::int32_t v) { s.enablePopupMenu_ = v; }},
        {"EnableAutoHide", [](Settings& s, std::int32_t v) { s.enableAutoHide_ = v; }},
        {"EnableFavoriteAutoPaste",
         [](Settings& s, std::int32_t v) { s.enableFavoriteAutoPaste_ = v; }},
        {"EnableStartup", [](Settings& s, std::int32_t v) { s.enableStartup_ = v; }},
        {"StartupMinimized", [](Settings& s, std::int32_t v) { s.startupMinimized_ = v; }},
        {"AccKey.modifiers",
         [](Settings& s, std::int32_t v) { s.AccKey(static_cast<unsigned>(v), 0); }},
        {"AccKey.virtualKey",
         [](Settings& s, std::int32_t v) { s.AccKey(0, static_cast<unsigned>(v)); }},
        {"FavoriteAccKey.modifiers",
         [](Settings& s, std::int32_t v) { s.FavoriteAccKey(static_cast<unsigned>(v), 0); }},
        {"FavoriteAccKey.virtualKey",
         [](Settings& s, std::int32_t v) { s.FavoriteAccKey(0, static_cast<unsigned>(v)); }},
        {"PopupShowInfo", [](Settings& s, std::int32_t v) { s.popupShowInfo_ = v; }},
    };

    for (const Key& key : keys) {
        const std::string name(key.name);
        if (token.compare(0, name.size(), name) != 0) continue;
        // The character after the key (normally '=') is skipped whatever it
        // is; a token that ends with the key carries the value 0.
        const std::int32_t value =
            token.size() > name.size() ? parseNumber(token, name.size() + 1) : 0;
        key.apply(*this, value);
    }
}

std::string Settings::configText() const {
    const std::string border(49, '#');
    std::string out;
    appendLine(out, border);
    appendLine(out, "#\t\t\t\t\t\t#");
    appendLine(out, "#\tQuillbox配置文件\t\t\t#");
    appendLine(out, "#\t\t2008年3月\t\t\t#");
    appendLine(out, "#\t\t\t\t\t\t#");
    appendLine(out, "#\t\t\t\t\t\t#");
    appendLine(out, border);
    appendLine(out, "");
    appendLine(out, "#系统参数");
    appendValue(out, "MaxFavoriteItemNum=", maxFavoriteItemNum_);
    appendValue(out, "MaxActiveItemNum=", maxActiveItemNum_);
    appendValue(out, "EnableMonitoring=", enableMonitoring_);
    appendValue(out, "EnablePopupMenu=", enablePopupMenu_);
    appendValue(out, "EnableAutoHide=", enableAutoHide_);
    appendValue(out, "EnableFavoriteAutoPaste=", enableFavoriteAutoPaste_);
    appendValue(out, "EnableStartup=", enableStartup_);
    appendValue(out, "StartupMinimized=", startupMinimized_);
    appendLine(out, "");
    appendLine(out, "#快捷键参数");
    appendValue(out, "AccKey.modifiers=", accKey_.modifiers());
    appendValue(out, "AccKey.virtualKey=", accKey_.virtualKey());
    appendValue(out, "FavoriteAccKey.modifiers=", favoriteAccKey_.modifiers());
    appendValue(out, "FavoriteAccKey.virtualKey=", favoriteAccKey_.virtualKey());
    appendValue(out, "PopupShowInfo=", popupShowInfo_);
    return out;
}

int Settings::writeConfig(const std::string& path, MessageSink& messages) const {
    const std::string text = configText();
    if (AtomicFile::write(path, text.data(), text.size()) != AtomicFile::Ok) {
        messages.show("打开配置文件失败！", msgbox::Ok);
        return -1;
    }
    return 0;
}
