// The drop target of the favorites list: text dropped from any program
// becomes a new favorite at the bottom (the list's duplicate and full rules
// apply); data without text but with an image or files becomes an image or
// a file-list favorite, read as a copy is (an image too large to keep adds
// nothing). Other data is answered with the link effect, which only a
// source that allows linking shows; it adds nothing.
#pragma once

#include <ole2.h>

#include "capture/ClipContentReader.h"
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
    // Copy for what can be kept, link for anything else, within what the
    // source allows.
    DWORD answer(DWORD allowed) const;
    // The item of the dropped data: its text, else its image or files.
    std::unique_ptr<ClipItem> read(IDataObject* data) const;

    ItemStore* store_;
    ClipTextReader reader_;
    ClipContentReader contentReader_;
    bool keepable_ = false;
};
