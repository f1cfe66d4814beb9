#include "core/HotkeyRules.h"

namespace {

bool isEmpty(const HotKey& key) { return key.virtualKey() == 0 && key.modifiers() == 0; }

// The digit keys of the main keyboard; the numeric keypad does not count.
bool isDigitKey(std::uint16_t virtualKey) { return virtualKey >= 0x30 && virtualKey <= 0x39; }

}  // namespace

HotkeyRules::Verdict HotkeyRules::check(const HotKey& menu, const HotKey& favorites) {
    if (isEmpty(menu)) return {Field::MenuHotkey, "必须设置自动粘贴菜单快捷键！"};
    if (isEmpty(favorites)) return {Field::FavoriteHotkey, "必须设置收藏夹快捷键！"};
    if ((favorites.modifiers() & HotKey::Alt) != 0) {
        return {Field::FavoriteHotkey, "收藏夹快捷键组合码不能包含ALT！"};
    }
    if (favorites.virtualKey() != FavoriteKey) {
        return {Field::FavoriteHotkey, "收藏夹快捷键的虚键码部分必须为 1 ！"};
    }
    if (menu.modifiers() == favorites.modifiers() && isDigitKey(menu.virtualKey())) {
        return {Field::MenuHotkey, "两个快捷键组合码部分相同时，自动粘贴快捷键虚键不能为数字！"};
    }
    return {Field::None, ""};
}
