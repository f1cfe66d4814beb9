#include "capture/ClipTextReader.h"

#include "core/ClipItem.h"
#include "core/ClipTextDecoder.h"
#include "core/win32/Handles.h"

namespace {

FORMATETC globalFormat(CLIPFORMAT format) {
    return FORMATETC{format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
}

std::unique_ptr<ClipItem> decode(CLIPFORMAT format, const GlobalLockView& block) {
    if (format == CF_UNICODETEXT) {
        return ClipTextDecoder::fromUnicode(static_cast<const unsigned char*>(block.data()),
                                            block.size());
    }
    return ClipTextDecoder::fromAnsi(static_cast<const char*>(block.data()), block.size());
}

std::unique_ptr<ClipItem> readFormat(IDataObject* data, CLIPFORMAT format) {
    FORMATETC wanted = globalFormat(format);
    StorageMedium medium;
    if (FAILED(data->GetData(&wanted, medium.receive()))) return nullptr;
    medium.markReceived();
    if (medium.get().tymed != TYMED_HGLOBAL || medium.get().hGlobal == nullptr) return nullptr;
    GlobalLockView block(medium.get().hGlobal);
    if (!block) return nullptr;
    return decode(format, block);
}

}  // namespace

bool ClipTextReader::offers(IDataObject* data, CLIPFORMAT format) {
    if (data == nullptr) return false;
    FORMATETC wanted = globalFormat(format);
    return data->QueryGetData(&wanted) == S_OK;
}

std::unique_ptr<ClipItem> ClipTextReader::ReadText(IDataObject* data) const {
    if (offers(data, CF_UNICODETEXT)) return readFormat(data, CF_UNICODETEXT);
    if (offers(data, CF_TEXT)) return readFormat(data, CF_TEXT);
    return nullptr;
}
