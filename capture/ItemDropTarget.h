// The drop target of the favorites list: text dropped from any program
// becomes a new favorite at the bottom (the list's duplicate and full rules
// apply). Data without text is answered with the link effect, which only a
// source that allows linking shows; it adds nothing.
#pragma once

#include <ole2.h>

#include "capture/ClipTextReader.h"
#include "capture/ComObject.h"

class ItemStore;

class ItemDropTarget : public ComObject<IDropTarget> {
public:
    // The store that dropped text goes to; none: drops are refused.
    static ItemDropTarget* create(ItemStore* store);
    void SetStore(ItemStore* store) { store_ = store; }

    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keys, POINTL point,
                                        DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragOver(DWORD keys, POINTL point, DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragLeave() override;
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keys, POINTL point,
                                   DWORD* effect) override;

private:
    explicit ItemDropTarget(ItemStore* store) : store_(store) {}
    // Copy for text, link for anything else, within what the source allows.
    DWORD answer(DWORD allowed) const;

    ItemStore* store_;
    ClipTextReader reader_;
    bool offersText_ = false;
};
