// Clipboard content that its writer marks as not for clipboard managers, as
// password managers do: it carries the registered format
// "ExcludeClipboardContentFromMonitorProcessing" or "Clipboard Viewer
// Ignore", or "CanIncludeInClipboardHistory" holding the 32-bit value 0.
// Such a copy is never stored.
#pragma once

#include <objidl.h>

class PrivateClipboardContent {
public:
    static constexpr const wchar_t* ExcludeFromMonitoring =
        L"ExcludeClipboardContentFromMonitorProcessing";
    static constexpr const wchar_t* ViewerIgnore = L"Clipboard Viewer Ignore";
    static constexpr const wchar_t* HistoryPermission = L"CanIncludeInClipboardHistory";

    // Registers the three formats (their numbers are the system's).
    PrivateClipboardContent();

    // True for private content. A permission whose value cannot be read
    // (no block, fewer than 4 bytes) counts as a refusal.
    bool isPrivate(IDataObject* data) const;

private:
    bool refusesHistory(IDataObject* data) const;

    CLIPFORMAT excludeFromMonitoring_;
    CLIPFORMAT viewerIgnore_;
    CLIPFORMAT historyPermission_;
};
