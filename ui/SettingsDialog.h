// The modal settings dialog: the two list maxima, the two hotkeys, what the
// quick-paste menu shows and the six switches. The caller fills Values
// before it runs the dialog and reads them back after OK. OK keeps the
// dialog open, with a message and the focus on the control concerned, as
// long as the hotkeys break a rule; Cancel is the default button.
#pragma once

#include "core/HotKey.h"
#include "ui/framework/Dialog.h"

class MessageSink;

class SettingsDialog : public Dialog {
public:
    struct Values {
        int popupShowInfo = 0;  // 1 active list, 2 favorites, 3 both
        HotKey menuHotKey;
        HotKey favoriteHotKey;
        int monitoring = 0;
        int popupMenu = 0;
        int autoHide = 0;
        int favoriteAutoPaste = 0;
        int startWithSystem = 0;
        int favoritePosition = -1;  // positions in the lists of maxima; -1: none
        int activePosition = -1;
        int startupMinimized = 0;
    };

    SettingsDialog(Values& values, MessageSink& messages);

protected:
    bool onInitDialog() override;
    bool onCommand(int id, int code, HWND control) override;
    void onOK() override;

private:
    void fillMaximumLists();
    void putValues();
    void takeValues();
    void putHotKey(int id, const HotKey& key);
    HotKey takeHotKey(int id) const;
    void selectPopupShowInfo(int value);
    void focusControl(int id);

    Values& values_;
    MessageSink& messages_;
};
