// A modal dialog that opens centred over its owner (over the work area when
// the owner is hidden), kept inside the work area: the main window sits at
// the screen's edge, where a dialog at its own origin would hang off it.
#pragma once

#include "ui/framework/Dialog.h"

class CenteredDialog : public Dialog {
public:
    explicit CenteredDialog(int templateId) : Dialog(templateId) {}

protected:
    bool onInitDialog() override;
};
