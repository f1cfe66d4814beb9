#include "core/HotkeyRules.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using Field = HotkeyRules::Field;

constexpr std::uint16_t Shift = 1, Ctrl = 2, Alt = 4;

struct Case {
    const char* what;
    HotKey menu;
    HotKey favorites;
    Field focus;
    const char* message;
};

// Hotkeys as the hotkey control gives them: (modifiers, virtual key).
const Case Cases[] = {
    {"defaults Ctrl+D and Ctrl+1", {Ctrl, 'D'}, {Ctrl, '1'}, Field::None, ""},
    {"menu Ctrl+5 beside Ctrl+1", {Ctrl, '5'}, {Ctrl, '1'}, Field::MenuHotkey,
     "两个快捷键组合码部分相同时，自动粘贴快捷键虚键不能为数字！"},
    {"menu Ctrl+9 beside Ctrl+1", {Ctrl, '9'}, {Ctrl, '1'}, Field::MenuHotkey,
     "两个快捷键组合码部分相同时，自动粘贴快捷键虚键不能为数字！"},
    {"menu Ctrl+0 beside Ctrl+1", {Ctrl, '0'}, {Ctrl, '1'}, Field::MenuHotkey,
     "两个快捷键组合码部分相同时，自动粘贴快捷键虚键不能为数字！"},
    {"menu Ctrl+Shift+5 beside Ctrl+1", {Ctrl | Shift, '5'}, {Ctrl, '1'}, Field::None, ""},
    {"menu Ctrl+numpad 5 beside Ctrl+1", {Ctrl, 0x65}, {Ctrl, '1'}, Field::None, ""},
    {"favorites Alt+1", {Ctrl, 'D'}, {Alt, '1'}, Field::FavoriteHotkey,
     "收藏夹快捷键组合码不能包含ALT！"},
    {"favorites Ctrl+Alt+1", {Ctrl, 'D'}, {Ctrl | Alt, '1'}, Field::FavoriteHotkey,
     "收藏夹快捷键组合码不能包含ALT！"},
    {"favorites Ctrl+2", {Ctrl, 'D'}, {Ctrl, '2'}, Field::FavoriteHotkey,
     "收藏夹快捷键的虚键码部分必须为 1 ！"},
    {"favorites Ctrl+Alt+2: ALT comes first", {Ctrl, 'D'}, {Ctrl | Alt, '2'},
     Field::FavoriteHotkey, "收藏夹快捷键组合码不能包含ALT！"},
    {"both cleared", {0, 0}, {0, 0}, Field::MenuHotkey, "必须设置自动粘贴菜单快捷键！"},
    {"favorites cleared", {Ctrl, 'D'}, {0, 0}, Field::FavoriteHotkey, "必须设置收藏夹快捷键！"},
    {"keys without modifiers", {0, 'D'}, {0, '1'}, Field::None, ""},
};

TEST(HotkeyRulesTest, FirstBrokenRuleNamesItsMessageAndControl) {
    for (const Case& c : Cases) {
        SCOPED_TRACE(c.what);
        const HotkeyRules::Verdict verdict = HotkeyRules::check(c.menu, c.favorites);
        EXPECT_EQ(c.focus, verdict.focus);
        EXPECT_EQ(std::string(c.message), verdict.message);
        EXPECT_EQ(c.focus == Field::None, verdict.accepted());
    }
}

}  // namespace
