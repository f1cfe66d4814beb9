#include "capture/ItemDragSource.h"

#include <shlobj.h>

#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "capture/DropSource.h"
#include "core/win32/Handles.h"
#include "ui/framework/ModalScope.h"

namespace {

FORMATETC inGlobalMemory(CLIPFORMAT format) {
    return FORMATETC{format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
}

HGLOBAL globalCopy(const void* bytes, std::size_t size, std::size_t blockSize) {
    GlobalMemory block(GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, blockSize));
    if (!block) return nullptr;
    {
        GlobalLockView view(block.get());
        if (!view || view.size() < size) return nullptr;
        if (size > 0) std::memcpy(view.data(), bytes, size);
    }
    return block.release();
}

}  // namespace

ItemDragSource* ItemDragSource::create(DraggedItems items) {
    return new (std::nothrow) ItemDragSource(std::move(items));
}

ItemDragSource::ItemDragSource(DraggedItems items) : items_(std::move(items)) {
    if (items_.hasText()) offered_.push_back(inGlobalMemory(CF_TEXT));
    if (!items_.image().empty()) offered_.push_back(inGlobalMemory(CF_DIB));
    if (!items_.files().empty()) offered_.push_back(inGlobalMemory(CF_HDROP));
}

HRESULT ItemDragSource::drag(DraggedItems items, HWND window) {
    const ModalScope scope(window);
    if (scope.closing()) return DRAGDROP_S_CANCEL;
    ComPtr<IDataObject> data(create(std::move(items)));
    ComPtr<IDropSource> source(DropSource::create(&scope));
    if (!data || !source) return E_OUTOFMEMORY;
    DWORD effect = DROPEFFECT_NONE;
    return DoDragDrop(data.get(), source.get(), DROPEFFECT_COPY, &effect);
}

HGLOBAL ItemDragSource::render(CLIPFORMAT format) const {
    if (format == CF_TEXT) {
        const std::string text = items_.text();
        return globalCopy(text.data(), text.size(), text.size() + 1);
    }
    const std::vector<unsigned char> bytes =
        format == CF_DIB ? items_.image() : items_.files();
    return globalCopy(bytes.data(), bytes.size(), bytes.size());
}

HRESULT ItemDragSource::QueryGetData(FORMATETC* format) {
    if (format == nullptr) return E_INVALIDARG;
    bool known = false;
    for (const FORMATETC& one : offered_) known = known || one.cfFormat == format->cfFormat;
    if (!known) return DV_E_FORMATETC;
    if (format->dwAspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    if ((format->tymed & TYMED_HGLOBAL) == 0) return DV_E_TYMED;
    return S_OK;
}

HRESULT ItemDragSource::GetData(FORMATETC* format, STGMEDIUM* medium) {
    if (medium == nullptr) return E_INVALIDARG;
    const HRESULT offered = QueryGetData(format);
    if (offered != S_OK) return offered;
    try {
        HGLOBAL block = render(format->cfFormat);
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
    std::vector<FORMATETC> copies = offered_;  // the call takes a non-const array
    return SHCreateStdEnumFmtEtc(static_cast<UINT>(copies.size()), copies.data(), out);
}

HRESULT ItemDragSource::DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) {
    return OLE_E_ADVISENOTSUPPORTED;
}

HRESULT ItemDragSource::DUnadvise(DWORD) { return OLE_E_ADVISENOTSUPPORTED; }

HRESULT ItemDragSource::EnumDAdvise(IEnumSTATDATA**) { return OLE_E_ADVISENOTSUPPORTED; }
