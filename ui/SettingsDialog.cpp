#include "ui/SettingsDialog.h"

#include <commctrl.h>

#include "core/HotkeyRules.h"
#include "core/ListMaximumChoice.h"
#include "core/MessageSink.h"
#include "res/resource.h"

namespace {

// The switches and the check box that carries each.
struct Switch {
    int id;
    int SettingsDialog::Values::*field;
};
constexpr Switch Switches[] = {
    {IDC_ENABLE_MONITORING, &SettingsDialog::Values::monitoring},
    {IDC_ENABLE_POPUP_MENU, &SettingsDialog::Values::popupMenu},
    {IDC_ENABLE_AUTOHIDE, &SettingsDialog::Values::autoHide},
    {IDC_ENABLE_FAVORITE_AUTOPASTE, &SettingsDialog::Values::favoriteAutoPaste},
    {IDC_ENABLE_STARTUP, &SettingsDialog::Values::startWithSystem},
    {IDC_STARTUP_MINIMIZED, &SettingsDialog::Values::startupMinimized},
};

// The radio button of each PopupShowInfo value 1..3.
constexpr int PopupShowButtons[] = {IDC_POPUP_SHOW_ACTIVE, IDC_POPUP_SHOW_FAVORITES,
                                    IDC_POPUP_SHOW_BOTH};

}  // namespace

SettingsDialog::SettingsDialog(Values& values, MessageSink& messages)
    : Dialog(IDD_SETTINGS), values_(values), messages_(messages) {}

bool SettingsDialog::onInitDialog() {
    fillMaximumLists();
    putValues();
    putHotKey(IDC_MENU_HOTKEY, values_.menuHotKey);
    putHotKey(IDC_FAVORITE_HOTKEY, values_.favoriteHotKey);
    selectPopupShowInfo(values_.popupShowInfo);
    // The focus starts on the first setting, not on OK, so that Cancel
    // stays the default button and Enter cancels.
    focusControl(IDC_MAX_FAVORITE_ITEMS);
    return false;
}

void SettingsDialog::fillMaximumLists() {
    for (int id : {IDC_MAX_FAVORITE_ITEMS, IDC_MAX_ACTIVE_ITEMS}) {
        for (int position = 0; position < ListMaximumChoice::Count; ++position) {
            const std::wstring label = wintext::wide(ListMaximumChoice::label(position));
            SendDlgItemMessageW(hwnd(), id, CB_ADDSTRING, 0,
                                reinterpret_cast<LPARAM>(label.c_str()));
        }
    }
}

void SettingsDialog::putValues() {
    for (const Switch& s : Switches) {
        CheckDlgButton(hwnd(), s.id, values_.*s.field != 0 ? BST_CHECKED : BST_UNCHECKED);
    }
    // A position outside the list selects nothing.
    SendDlgItemMessageW(hwnd(), IDC_MAX_FAVORITE_ITEMS, CB_SETCURSEL,
                        static_cast<WPARAM>(values_.favoritePosition), 0);
    SendDlgItemMessageW(hwnd(), IDC_MAX_ACTIVE_ITEMS, CB_SETCURSEL,
                        static_cast<WPARAM>(values_.activePosition), 0);
}

void SettingsDialog::takeValues() {
    for (const Switch& s : Switches) {
        values_.*s.field = IsDlgButtonChecked(hwnd(), s.id) == BST_CHECKED ? 1 : 0;
    }
    values_.favoritePosition =
        static_cast<int>(SendDlgItemMessageW(hwnd(), IDC_MAX_FAVORITE_ITEMS, CB_GETCURSEL, 0, 0));
    values_.activePosition =
        static_cast<int>(SendDlgItemMessageW(hwnd(), IDC_MAX_ACTIVE_ITEMS, CB_GETCURSEL, 0, 0));
}

// The hotkey control keeps the key in the low byte, the modifiers in the high one.
void SettingsDialog::putHotKey(int id, const HotKey& key) {
    const WORD value = MAKEWORD(key.virtualKey() & 0xFF, key.modifiers() & 0xFF);
    SendDlgItemMessageW(hwnd(), id, HKM_SETHOTKEY, value, 0);
}

HotKey SettingsDialog::takeHotKey(int id) const {
    const auto value = static_cast<WORD>(SendDlgItemMessageW(hwnd(), id, HKM_GETHOTKEY, 0, 0));
    return HotKey(HIBYTE(value), LOBYTE(value));
}

void SettingsDialog::selectPopupShowInfo(int value) {
    if (value < 1 || value > 3) return;
    CheckRadioButton(hwnd(), IDC_POPUP_SHOW_ACTIVE, IDC_POPUP_SHOW_BOTH,
                     PopupShowButtons[value - 1]);
}

bool SettingsDialog::onCommand(int id, int code, HWND control) {
    for (int value = 1; value <= 3; ++value) {
        if (id == PopupShowButtons[value - 1] && code == BN_CLICKED) {
            values_.popupShowInfo = value;
            selectPopupShowInfo(value);
            return true;
        }
    }
    return Dialog::onCommand(id, code, control);
}

void SettingsDialog::focusControl(int id) {
    SendMessageW(hwnd(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(hwnd(), id)), TRUE);
}

void SettingsDialog::onOK() {
    takeValues();
    const HotKey menu = takeHotKey(IDC_MENU_HOTKEY);
    const HotKey favorites = takeHotKey(IDC_FAVORITE_HOTKEY);
    const HotkeyRules::Verdict verdict = HotkeyRules::check(menu, favorites);
    if (!verdict.accepted()) {
        messages_.show(verdict.message, msgbox::Ok);
        focusControl(verdict.focus == HotkeyRules::Field::MenuHotkey ? IDC_MENU_HOTKEY
                                                                      : IDC_FAVORITE_HOTKEY);
        return;
    }
    values_.menuHotKey = menu;
    values_.favoriteHotKey = HotKey(favorites.modifiers(), HotkeyRules::FavoriteKey);
    Dialog::onOK();
}
