// The drop source of a drag out of a list: the left button's release drops,
// Escape cancels, and the system's cursors show the effect.
#pragma once

#include <ole2.h>

#include "capture/ComObject.h"

class DropSource : public ComObject<IDropSource> {
public:
    static DropSource* create();

    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escapePressed, DWORD keys) override;
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD effect) override;

private:
    DropSource() = default;
};
