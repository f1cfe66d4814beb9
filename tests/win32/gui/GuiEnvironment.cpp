// One-time set-up of the GUI test process: common controls and OLE, as the
// program itself does at start-up.
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include <gtest/gtest.h>

namespace {
class GuiEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX),
                                      ICC_WIN95_CLASSES | ICC_BAR_CLASSES | ICC_LISTVIEW_CLASSES |
                                          ICC_HOTKEY_CLASS | ICC_STANDARD_CLASSES};
        InitCommonControlsEx(&controls);
        OleInitialize(nullptr);
    }
    void TearDown() override { OleUninitialize(); }
};

const auto* const environment = ::testing::AddGlobalTestEnvironment(new GuiEnvironment);
}  // namespace
