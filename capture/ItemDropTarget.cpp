#include "capture/ItemDropTarget.h"

#include <new>

#include "core/ClipItem.h"
#include "core/ItemStore.h"

ItemDropTarget* ItemDropTarget::create(ItemStore* store) {
    return new (std::nothrow) ItemDropTarget(store);
}

DWORD ItemDropTarget::answer(DWORD allowed) const {
    return (keepable_ ? DROPEFFECT_COPY : DROPEFFECT_LINK) & allowed;
}

std::unique_ptr<ClipItem> ItemDropTarget::read(IDataObject* data) const {
    if (auto text = reader_.ReadText(data)) return text;
    return contentReader_.read(data);
}

HRESULT ItemDropTarget::DragEnter(IDataObject* data, DWORD, POINTL, DWORD* effect) {
    if (effect == nullptr) return E_INVALIDARG;
    keepable_ = ClipTextReader::offers(data, CF_UNICODETEXT) ||
                ClipTextReader::offers(data, CF_TEXT) || contentReader_.offers(data);
    *effect = answer(*effect);
    return S_OK;
}

HRESULT ItemDropTarget::DragOver(DWORD, POINTL, DWORD* effect) {
    if (effect == nullptr) return E_INVALIDARG;
    *effect = answer(*effect);
    return S_OK;
}

HRESULT ItemDropTarget::DragLeave() {
    keepable_ = false;
    return S_OK;
}

HRESULT ItemDropTarget::Drop(IDataObject* data, DWORD, POINTL, DWORD* effect) {
    if (effect == nullptr) return E_INVALIDARG;
    const DWORD allowed = *effect;
    *effect = DROPEFFECT_NONE;
    keepable_ = false;
    try {
        std::unique_ptr<ClipItem> item = store_ != nullptr ? read(data) : nullptr;
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
