// The user's settings, one field per key of Inkwell.cfg. One process-wide
// instance exists (instance / destroyInstance); tests may also build their
// own records.
#pragma once

#include <cstdint>
#include <string>

#include "core/HotKey.h"
#include "core/StoreCapacity.h"

class MessageSink;

class Settings : public StoreCapacity {
public:
    static constexpr const char* FileName = "Inkwell.cfg";
    // A token longer than this is cut to it; the rest of the token is skipped.
    static constexpr int MaxTokenLength = 99;

    Settings();
    ~Settings() override = default;

    static Settings* instance();
    static void destroyInstance();

    // Parses the configuration file at path; 0, or -1 when it cannot be
    // opened (no message).
    int readConfig(const std::string& path);
    // Parses configuration text (the file's content).
    void parseConfig(const std::string& text);
    // Writes the 24 lines (code page 936, CR LF) to path; 0, or -1 after
    // showing "打开配置文件失败！". The previous file survives a failure.
    int writeConfig(const std::string& path, MessageSink& messages) const;
    // The exact bytes writeConfig writes.
    std::string configText() const;

    std::int32_t MaxActiveItemNum() const { return maxActiveItemNum_; }
    void MaxActiveItemNum(std::int32_t v) { maxActiveItemNum_ = v; }
    std::int32_t MaxFavoriteItemNum() const { return maxFavoriteItemNum_; }
    void MaxFavoriteItemNum(std::int32_t v) { maxFavoriteItemNum_ = v; }
    std::int32_t EnableFavoriteAutoPaste() const { return enableFavoriteAutoPaste_; }
    void EnableFavoriteAutoPaste(std::int32_t v) { enableFavoriteAutoPaste_ = v; }
    std::int32_t EnableMonitoring() const { return enableMonitoring_; }
    void EnableMonitoring(std::int32_t v) { enableMonitoring_ = v; }
    std::int32_t EnablePopupMenu() const { return enablePopupMenu_; }
    void EnablePopupMenu(std::int32_t v) { enablePopupMenu_ = v; }
    std::int32_t EnableAutoHide() const { return enableAutoHide_; }
    void EnableAutoHide(std::int32_t v) { enableAutoHide_ = v; }
    std::int32_t PopupShowInfo() const { return popupShowInfo_; }
    void PopupShowInfo(std::int32_t v) { popupShowInfo_ = v; }
    std::int32_t EnableStartup() const { return enableStartup_; }
    void EnableStartup(std::int32_t v) { enableStartup_ = v; }
    std::int32_t StartupMinimized() const { return startupMinimized_; }
    void StartupMinimized(std::int32_t v) { startupMinimized_ = v; }
    HotKey AccKey() const { return accKey_; }
    void AccKey(unsigned modifiers, unsigned virtualKey) { accKey_.set(modifiers, virtualKey); }
    HotKey FavoriteAccKey() const { return favoriteAccKey_; }
    void FavoriteAccKey(unsigned modifiers, unsigned virtualKey) {
        favoriteAccKey_.set(modifiers, virtualKey);
    }

    // The store maxima: MaxActiveItemNum and MaxFavoriteItemNum.
    std::int32_t activeCapacity() const override { return maxActiveItemNum_; }
    std::int32_t favoritesCapacity() const override { return maxFavoriteItemNum_; }

private:
    void applyToken(const std::string& token);

    std::int32_t maxActiveItemNum_ = 50;
    std::int32_t maxFavoriteItemNum_ = 10;
    std::int32_t enableFavoriteAutoPaste_ = 0;
    std::int32_t enableMonitoring_ = 1;
    std::int32_t enablePopupMenu_ = 1;
    std::int32_t enableAutoHide_ = 0;
    std::int32_t popupShowInfo_ = 1;
    std::int32_t enableStartup_ = 0;
    std::int32_t startupMinimized_ = 0;
    HotKey accKey_{2, 68};
    HotKey favoriteAccKey_{2, 49};
};
