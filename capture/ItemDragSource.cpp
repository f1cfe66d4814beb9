#include "capture/ItemDragSource.h"

#include <shlobj.h>

#include <cstring>
#include <new>
#include <string>

#include "capture/DropSource.h"
#include "core/win32/Handles.h"
#include "ui/framework/ModalScope.h"

namespace {

FORMATETC plainText() { return FORMATETC{CF_TEXT, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL}; }

}  // namespace

ItemDragSource* ItemDragSource::create(DraggedTexts texts) {
    return new (std::nothrow) ItemDragSource(std::move(texts));
}

HRESULT ItemDragSource::drag(DraggedTexts texts, HWND window) {
    const ModalScope scope(window);
    if (scope.closing()) return DRAGDROP_S_CANCEL;
    ComPtr<IDataObject> data(create(std::move(texts)));
    ComPtr<IDropSource> source(DropSource::create(&scope));
    if (!data || !source) return E_OUTOFMEMORY;
    DWORD effect = DROPEFFECT_NONE;
    return DoDragDrop(data.get(), source.get(), DROPEFFECT_COPY, &effect);
}

HGLOBAL ItemDragSource::render() const {
    const std::string text = texts_.render();
    GlobalMemory block(GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, text.size() + 1));
    if (!block) return nullptr;
    {
        GlobalLockView view(block.get());
        if (!view || view.size() < text.size() + 1) return nullptr;
        std::memcpy(view.data(), text.data(), text.size());
    }
    return block.release();
}

HRESULT ItemDragSource::QueryGetData(FORMATETC* format) {
    if (format == nullptr) return E_INVALIDARG;
    if (format->cfFormat != CF_TEXT) return DV_E_FORMATETC;
    if (format->dwAspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    if ((format->tymed & TYMED_HGLOBAL) == 0) return DV_E_TYMED;
    return S_OK;
}

HRESULT ItemDragSource::GetData(FORMATETC* format, STGMEDIUM* medium) {
    if (medium == nullptr) return E_INVALIDARG;
    const HRESULT offered = QueryGetData(format);
    if (offered != S_OK) return offered;
    try {
        HGLOBAL block = render();
        if (block == nullptr) return E_OUTOFMEMORY;
        medium->tymed = TYMED_HGLOBAL;
        medium->hGlobal = block;
        medium->pUnkForRelease = nullptr;
        return S_OK;
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

HRESULT ItemDragSource::GetDataHere(FORMATETC*, STGMEDIUM*) { return E_NOTIMPL; }

HRESULT ItemDragSource::GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) {
    if (out == nullptr) return E_INVALIDARG;
    out->ptd = nullptr;
    return DATA_S_SAMEFORMATETC;
}

HRESULT ItemDragSource::SetData(FORMATETC*, STGMEDIUM*, BOOL) { return E_NOTIMPL; }

HRESULT ItemDragSource::EnumFormatEtc(DWORD direction, IEnumFORMATETC** out) {
    if (out == nullptr) return E_INVALIDARG;
    *out = nullptr;
    if (direction != DATADIR_GET) return E_NOTIMPL;
    FORMATETC offered = plainText();
    return SHCreateStdEnumFmtEtc(1, &offered, out);
}

HRESULT ItemDragSource::DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) {
    return OLE_E_ADVISENOTSUPPORTED;
}

HRESULT ItemDragSource::DUnadvise(DWORD) { return OLE_E_ADVISENOTSUPPORTED; }

HRESULT ItemDragSource::EnumDAdvise(IEnumSTATDATA**) { return OLE_E_ADVISENOTSUPPORTED; }
