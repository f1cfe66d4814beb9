// The data object of rows dragged out of a list: it offers, in global
// memory, plain text (CF_TEXT) for text rows, the first image (CF_DIB) and
// the files of all file-list rows (CF_HDROP), each only when a row gives
// it, and renders a block only when the drop site asks, from what was
// copied when the drag began.
#pragma once

#include <ole2.h>

#include "capture/ComObject.h"
#include <utility>
#include <vector>

#include "core/DraggedItems.h"

class ItemDragSource : public ComObject<IDataObject> {
public:
    static ItemDragSource* create(DraggedItems items);
    // Runs the drag of the items from window, offering only the copy
    // effect, until the drop or the cancel (an exit cancels it too);
    // returns DoDragDrop's result.
    static HRESULT drag(DraggedItems items, HWND window);

    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override;
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC* format, STGMEDIUM* medium) override;
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override;
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC* in, FORMATETC* out) override;
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC* format, STGMEDIUM* medium, BOOL release) override;
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** out) override;
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC* format, DWORD flags, IAdviseSink* sink,
                                      DWORD* connection) override;
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD connection) override;
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA** out) override;

private:
    explicit ItemDragSource(DraggedItems items);
    // A new global block holding what format renders to (text with its
    // terminator); none for a format not offered or no memory.
    HGLOBAL render(CLIPFORMAT format) const;

    DraggedItems items_;
    // What EnumFormatEtc lists and QueryGetData accepts.
    std::vector<FORMATETC> offered_;
};
