#include "app/OwnerWindow.h"

#include <new>

#include "core/win32/Handles.h"
#include "res/resource.h"
#include "ui/MainWindow.h"
#include "ui/PrivateMessages.h"

OwnerWindow::OwnerWindow(ItemStore& active, ItemStore& favorites, MessageSink& messages,
                         Clipboard& clipboard, MainWindowHost& host)
    : Dialog(IDD_OWNER),
      active_(active),
      favorites_(favorites),
      messages_(messages),
      clipboard_(clipboard),
      host_(host),
      modalLoops_([this] { destroyMainWindow(); }) {}

OwnerWindow::~OwnerWindow() = default;

bool OwnerWindow::onInitDialog() {
    // A tool window stays off the taskbar, and so does every window it owns.
    LONG_PTR exStyle = GetWindowLongPtrW(hwnd(), GWL_EXSTYLE);
    exStyle = (exStyle & ~static_cast<LONG_PTR>(WS_EX_APPWINDOW)) | WS_EX_TOOLWINDOW;
    SetWindowLongPtrW(hwnd(), GWL_EXSTYLE, exStyle);

    main_.reset(new (std::nothrow) MainWindow(active_, favorites_, messages_, clipboard_, host_));
    if (main_ && main_->create(hwnd())) {
        ShowWindow(main_->hwnd(), SW_SHOW);
    } else {
        // Without a main window there is nothing to run.
        main_.reset();
        PostMessageW(hwnd(), WM_RELEASE_MAIN, 0, 0);
    }
    return true;
}

// The modal loop shows the owner once; it vanishes before its frame is drawn.
bool OwnerWindow::onNcPaint(HRGN) {
    ShowWindow(hwnd(), SW_HIDE);
    return true;
}

bool OwnerWindow::onPaint() {
    PaintSession paint(hwnd());
    return true;
}

bool OwnerWindow::onMessage(UINT msg, WPARAM, LPARAM lParam, LRESULT& result) {
    if (modalLoops_.handle(hwnd(), msg, lParam, result)) return true;
    if (msg == WM_MAIN_DESTROYED) {
        // The main window is still inside its WM_DESTROY: its object goes
        // only once the window is gone completely.
        PostMessageW(hwnd(), WM_RELEASE_MAIN, 0, 0);
        result = 0;
        return true;
    }
    if (msg == WM_RELEASE_MAIN) {
        releaseMainWindow();
        result = 0;
        return true;
    }
    return false;
}

// The exit, once no modal loop is left to return into the main window.
void OwnerWindow::destroyMainWindow() {
    if (main_ && main_->isAlive()) DestroyWindow(main_->hwnd());
}

// Deleting the main window object removes the tray icon; destroying the
// owner ends the modal loop and with it the program.
void OwnerWindow::releaseMainWindow() {
    main_.reset();
    DestroyWindow(hwnd());
}
