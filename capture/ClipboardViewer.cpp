#include "capture/ClipboardViewer.h"

#include <memory>

#include "capture/ClipContentReader.h"
#include "capture/ClipTextReader.h"
#include "core/ClipItem.h"
#include "core/ItemStore.h"
#include "core/win32/Handles.h"
#include "storage/Settings.h"

ClipboardViewer::ClipboardViewer(ItemStore& active, const Settings& settings)
    : active_(active), settings_(settings) {}

bool ClipboardViewer::join(HWND window) {
    if (joined_ || !hook(window)) return false;
    joinAtHead();
    return true;
}

void ClipboardViewer::leave() {
    if (copiesGoingOn_) KillTimer(hookedWindow(), RefreshTimerId);
    copiesGoingOn_ = false;
    firstShowWaiting_ = false;
    if (showPending_) showNow();
    if (!joined_) return;
    joined_ = false;
    ChangeClipboardChain(hookedWindow(), nextViewer_);
    nextViewer_ = nullptr;
}

// The system reports the clipboard's content to a window as it joins, so
// the window must count as joined before the call returns.
void ClipboardViewer::joinAtHead() {
    joined_ = true;
    setNextViewer(SetClipboardViewer(hookedWindow()));
}

// A chain that leads back to this window would pass every message round
// for ever.
void ClipboardViewer::setNextViewer(HWND next) {
    nextViewer_ = next == hookedWindow() ? nullptr : next;
}

void ClipboardViewer::forward(UINT msg, WPARAM wParam, LPARAM lParam) const {
    if (nextViewer_ != nullptr) SendMessageW(nextViewer_, msg, wParam, lParam);
}

bool ClipboardViewer::onDrawClipboard(WPARAM wParam, LPARAM lParam) {
    if (!joined_) return false;
    captureClipboardText();
    forward(WM_DRAWCLIPBOARD, wParam, lParam);
    return true;
}

// From here on the new item belongs to the list; a text already there
// leaves its old entry, and a full list loses its oldest item.
void ClipboardViewer::captureClipboardText() {
    if (settings_.EnableMonitoring() == 0) return;
    std::unique_ptr<ClipItem> item = readPublicContent();
    if (!item) return;
    active_.add(std::move(item), 1);
    showCapture();
}

// A text is read first, while it is most likely still the one the notice
// was about; its private marks are read after it. A copy without text is
// read only once its marks say it is not private. The clipboard's sequence
// number tells whether the content and its marks came from the same copy:
// when another write came between them, the newer content is read again,
// whole.
std::unique_ptr<ClipItem> ClipboardViewer::readPublicContent() const {
    for (int attempt = 0; attempt < ReadAttempts; ++attempt) {
        const DWORD sequence = GetClipboardSequenceNumber();
        ComPtr<IDataObject> clipboard;
        if (FAILED(OleGetClipboard(clipboard.receive())) || !clipboard) return nullptr;
        std::unique_ptr<ClipItem> item = ClipTextReader().ReadText(clipboard.get());
        const bool isPrivate = privateContent_.isPrivate(clipboard.get());
        if (!item && !isPrivate) item = ClipContentReader().read();
        if (GetClipboardSequenceNumber() != sequence) continue;
        if (isPrivate) return nullptr;
        return item;
    }
    return nullptr;
}

// Each capture starts the quiet time again. A refresh and paint of a full
// list outlasts the time between two copies of a program that copies 20 or
// more a second, and a copy replaced before it is read is lost: so while
// the copies go on, the list waits for them to pause. A copy after a quiet
// time is shown almost at once, after FirstShowMs: a copy that follows
// within that time is gathered with it, so a fast run of copies is never
// painted between its first two.
void ClipboardViewer::showCapture() {
    showPending_ = true;
    if (copiesGoingOn_) {
        firstShowWaiting_ = false;  // gathered until the copies pause
        waitFor(QuietMs);
        return;
    }
    firstShowWaiting_ = true;
    waitFor(FirstShowMs);
}

void ClipboardViewer::waitFor(UINT ms) {
    copiesGoingOn_ = isHooked() && SetTimer(hookedWindow(), RefreshTimerId, ms, nullptr) != 0;
    if (!copiesGoingOn_ && showPending_) showNow();
}

void ClipboardViewer::showNow() {
    showPending_ = false;
    active_.notifyObserver();
}

bool ClipboardViewer::onTimer(UINT_PTR id) {
    if (id != RefreshTimerId) return false;
    KillTimer(hookedWindow(), RefreshTimerId);
    copiesGoingOn_ = false;
    if (showPending_) showNow();
    // The copy shown on its own starts the quiet time.
    if (firstShowWaiting_) waitFor(QuietMs);
    firstShowWaiting_ = false;
    return true;
}

bool ClipboardViewer::onChangeCbChain(HWND removed, HWND following) {
    if (!joined_) return false;
    if (removed == nextViewer_) setNextViewer(following);
    forward(WM_CHANGECBCHAIN, reinterpret_cast<WPARAM>(removed),
            reinterpret_cast<LPARAM>(following));
    return true;
}

bool ClipboardViewer::onActivateApp(bool active, DWORD otherThread, LRESULT& result) {
    result = passOn(WM_ACTIVATEAPP, active ? TRUE : FALSE, static_cast<LPARAM>(otherThread));
    if (joined_ && GetClipboardViewer() != hookedWindow()) {
        ChangeClipboardChain(hookedWindow(), nextViewer_);
        joinAtHead();
    }
    return true;
}
