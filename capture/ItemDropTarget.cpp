#include "capture/ItemDropTarget.h"

#include <new>

#include "core/ClipItem.h"
#include "core/ItemStore.h"

ItemDropTarget* ItemDropTarget::create(ItemStore* store) {
    return new (std::nothrow) ItemDropTarget(store);
}

DWORD ItemDropTarget::answer(DWORD allowed) const {
    return (offersText_ ? DROPEFFECT_COPY : DROPEFFECT_LINK) & allowed;
}

HRESULT ItemDropTarget::DragEnter(IDataObject* data, DWORD, POINTL, DWORD* effect) {
    if (effect == nullptr) return E_INVALIDARG;
    offersText_ = ClipTextReader::offers(data, CF_UNICODETEXT) ||
                  ClipTextReader::offers(data, CF_TEXT);
    *effect = answer(*effect);
    return S_OK;
}

HRESULT ItemDropTarget::DragOver(DWORD, POINTL, DWORD* effect) {
    if (effect == nullptr) return E_INVALIDARG;
    *effect = answer(*effect);
    return S_OK;
}

HRESULT ItemDropTarget::DragLeave() {
    offersText_ = false;
    return S_OK;
}

HRESULT ItemDropTarget::Drop(IDataObject* data, DWORD, POINTL, DWORD* effect) {
    if (effect == nullptr) return E_INVALIDARG;
    const DWORD allowed = *effect;
    *effect = DROPEFFECT_NONE;
    offersText_ = false;
    try {
        std::unique_ptr<ClipItem> item = store_ != nullptr ? reader_.ReadText(data) : nullptr;
        if (!item) return S_OK;
        // A duplicate or a full list is reported by the store; the drop
        // still counts as done.
        store_->add(std::move(item), 0);
        store_->notifyObserver();
        *effect = DROPEFFECT_COPY & allowed;
        return S_OK;
    } catch (...) {
        return E_UNEXPECTED;
    }
}
