// The hidden tool window that owns the main window, so the main window never
// gets a taskbar button. It runs modally for the whole life of the program:
// its modal loop is the program's message loop, and it ends when the main
// window has been destroyed. As the root owner of every window of the
// program it keeps track of the modal loops and takes the confirmed exit:
// an exit waits for every modal loop to unwind (ui/framework/ModalScope.h).
#pragma once

#include <memory>

#include "ui/framework/Dialog.h"
#include "ui/framework/ModalTracker.h"

class Clipboard;
class ItemStore;
class MainWindow;
class MainWindowHost;
class MessageSink;

class OwnerWindow : public Dialog {
public:
    OwnerWindow(ItemStore& active, ItemStore& favorites, MessageSink& messages,
                Clipboard& clipboard, MainWindowHost& host);
    ~OwnerWindow() override;

    MainWindow* mainWindow() const { return main_.get(); }
    const ModalTracker& modalLoops() const { return modalLoops_; }

protected:
    bool onInitDialog() override;
    bool onNcPaint(HRGN region) override;
    bool onPaint() override;
    bool onMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void releaseMainWindow();
    void destroyMainWindow();

    ItemStore& active_;
    ItemStore& favorites_;
    MessageSink& messages_;
    Clipboard& clipboard_;
    MainWindowHost& host_;
    std::unique_ptr<MainWindow> main_;
    ModalTracker modalLoops_;
};
