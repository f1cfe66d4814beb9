#include "capture/DropSource.h"

#include <new>

#include "ui/framework/ModalScope.h"

DropSource* DropSource::create(const ModalScope* scope) {
    return new (std::nothrow) DropSource(scope);
}

HRESULT DropSource::QueryContinueDrag(BOOL escapePressed, DWORD keys) {
    if (escapePressed || (scope_ != nullptr && scope_->closing())) return DRAGDROP_S_CANCEL;
    if ((keys & MK_LBUTTON) == 0) return DRAGDROP_S_DROP;
    return S_OK;
}

HRESULT DropSource::GiveFeedback(DWORD) { return DRAGDROP_S_USEDEFAULTCURSORS; }
