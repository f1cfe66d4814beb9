// The data object of rows dragged out of a list: it offers plain text
// (CF_TEXT in global memory) and renders it only when the drop site asks,
// from the texts copied when the drag began.
#pragma once

#include <ole2.h>

#include "capture/ComObject.h"
#include <utility>

#include "core/DraggedTexts.h"

class ItemDragSource : public ComObject<IDataObject> {
public:
    static ItemDragSource* create(DraggedTexts texts);
    // Runs the drag of the texts from window, offering only the copy
    // effect, until the drop or the cancel (an exit cancels it too);
    // returns DoDragDrop's result.
    static HRESULT drag(DraggedTexts texts, HWND window);

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
    explicit ItemDragSource(DraggedTexts texts) : texts_(std::move(texts)) {}
    // A new global block holding the rendered text and its terminator.
    HGLOBAL render() const;

    DraggedTexts texts_;
};
