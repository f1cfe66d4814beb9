#include "capture/PrivateClipboardContent.h"

#include <windows.h>

#include "capture/ClipTextReader.h"
#include "core/LittleEndian.h"
#include "core/win32/Handles.h"

namespace {

CLIPFORMAT registered(const wchar_t* name) {
    return static_cast<CLIPFORMAT>(RegisterClipboardFormatW(name));
}

}  // namespace

PrivateClipboardContent::PrivateClipboardContent()
    : excludeFromMonitoring_(registered(ExcludeFromMonitoring)),
      viewerIgnore_(registered(ViewerIgnore)),
      historyPermission_(registered(HistoryPermission)) {}

bool PrivateClipboardContent::isPrivate(IDataObject* data) const {
    if (data == nullptr) return false;
    if (excludeFromMonitoring_ != 0 && ClipTextReader::offers(data, excludeFromMonitoring_)) {
        return true;
    }
    if (viewerIgnore_ != 0 && ClipTextReader::offers(data, viewerIgnore_)) return true;
    return historyPermission_ != 0 && ClipTextReader::offers(data, historyPermission_) &&
           refusesHistory(data);
}

bool PrivateClipboardContent::refusesHistory(IDataObject* data) const {
    FORMATETC wanted{historyPermission_, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    StorageMedium medium;
    if (FAILED(data->GetData(&wanted, medium.receive()))) return true;
    medium.markReceived();
    if (medium.get().tymed != TYMED_HGLOBAL || medium.get().hGlobal == nullptr) return true;
    GlobalLockView block(medium.get().hGlobal);
    if (!block || block.size() < 4) return true;
    const auto value = static_cast<std::uint32_t>(
        readInt32LE(static_cast<const unsigned char*>(block.data())));
    return value == 0;
}
