// A data object offering fixed blocks of global memory, one per clipboard
// format, as a drag source or the clipboard would. Reference counted; it
// starts with one reference that the creator owns.
#pragma once

#include <windows.h>
#include <ole2.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

class TestDataObject : public IDataObject {
public:
    TestDataObject() = default;

    void offer(CLIPFORMAT format, const void* bytes, std::size_t size) {
        const unsigned char* p = static_cast<const unsigned char*>(bytes);
        blocks_[format].assign(p, p + size);
    }
    void offerUnicode(const std::u16string& text) {  // with its terminator
        offer(CF_UNICODETEXT, text.c_str(), (text.size() + 1) * 2);
    }
    void offerAnsi(const std::string& text) { offer(CF_TEXT, text.c_str(), text.size() + 1); }
    // GetData fails although the format is offered.
    bool refuseData = false;
    int getDataCalls = 0;
    ULONG references() const { return references_; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (out == nullptr) return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IDataObject) {
            *out = static_cast<IDataObject*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --references_;
        if (left == 0) delete this;
        return left;
    }
    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override {
        ++getDataCalls;
        if (QueryGetData(format) != S_OK) return DV_E_FORMATETC;
        if (refuseData) return E_FAIL;
        const std::vector<unsigned char>& bytes = blocks_[format->cfFormat];
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.empty() ? 1 : bytes.size());
        if (block == nullptr) return E_OUTOFMEMORY;
        if (!bytes.empty()) {
            std::memcpy(GlobalLock(block), bytes.data(), bytes.size());
            GlobalUnlock(block);
        }
        medium->tymed = TYMED_HGLOBAL;
        medium->hGlobal = block;
        medium->pUnkForRelease = nullptr;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override {
        if (format == nullptr) return E_POINTER;
        if ((format->tymed & TYMED_HGLOBAL) == 0) return DV_E_TYMED;
        return blocks_.count(format->cfFormat) != 0 ? S_OK : DV_E_FORMATETC;
    }
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override {
        if (out != nullptr) out->ptd = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
        return OLE_E_ADVISENOTSUPPORTED;
    }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override {
        return OLE_E_ADVISENOTSUPPORTED;
    }

private:
    virtual ~TestDataObject() = default;

    std::map<CLIPFORMAT, std::vector<unsigned char>> blocks_;
    ULONG references_ = 1;
};
