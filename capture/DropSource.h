// The drop source of a drag out of a list: the left button's release drops,
// Escape cancels, and so does an exit (the drag's ModalScope says the
// program is closing); the system's cursors show the effect.
#pragma once

#include <ole2.h>

#include "capture/ComObject.h"

class ModalScope;

class DropSource : public ComObject<IDropSource> {
public:
    // scope: the drag's modal scope (may be null); it outlives the drag.
    static DropSource* create(const ModalScope* scope);

    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escapePressed, DWORD keys) override;
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD effect) override;

private:
    explicit DropSource(const ModalScope* scope) : scope_(scope) {}

    const ModalScope* scope_;
};
