// A dialog built from a template in the program's resources, run modelessly
// (create) or modally (doModal). The dialog window is subclassed like any
// other Window, so handlers return their results directly and the default
// processing is the dialog manager's.
#pragma once

#include "ui/framework/Window.h"

class Dialog : public Window {
public:
    explicit Dialog(int templateId) : templateId_(templateId) {}
    ~Dialog() override;

    int templateId() const { return templateId_; }

    // Creates the dialog window owned by parent (may be null); it shows
    // itself when its template says so.
    bool create(HWND parent);
    // Creates the dialog, disables parent, shows the dialog and runs the
    // message loop until endDialog; the window is destroyed before it
    // returns. Returns the value given to endDialog, or -1 when the dialog
    // could not be created. The loop runs in a ModalScope: an exit waits
    // for it to unwind, ends it with IDCANCEL, and while the program is
    // closing no dialog is shown (IDCANCEL at once).
    INT_PTR doModal(HWND parent);
    // Ends a modal dialog with the given result.
    void endDialog(INT_PTR result);
    bool isModal() const { return modal_; }

protected:
    // Called once the controls exist. Returns true to let the dialog manager
    // set the focus.
    virtual bool onInitDialog();
    // The dialog's OK and Cancel commands (Enter and Escape, the close box).
    virtual void onOK();
    virtual void onCancel();

    bool onCommand(int id, int code, HWND control) override;
    void onFinalMessage() override;

private:
    static INT_PTR CALLBACK dialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

    int templateId_;
    bool modal_ = false;
    bool running_ = false;
    INT_PTR result_ = IDCANCEL;
};
