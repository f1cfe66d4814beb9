#include "ui/ItemListCtrl.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <vector>

#include "capture/ItemDragSource.h"
#include "core/ClipItem.h"
#include "core/DraggedItems.h"
#include "core/ItemStore.h"
#include "core/ListCaption.h"
#include "core/ProgramFolder.h"
#include "res/resource.h"
#include "ui/ItemViewer.h"
#include "ui/ListOwner.h"

namespace {

// Grid lines, track-select (hot-track notifications) and full-row select.
constexpr LPARAM kExtendedStyle = LVS_EX_GRIDLINES | LVS_EX_TRACKSELECT | LVS_EX_FULLROWSELECT;
// So long that hovering never selects a row; hot tracking still reports.
constexpr LPARAM kHoverTime = 99999999;
// Longest cell text read back: summaries, aliases, times and digests are
// all far shorter.
constexpr int kCellTextCapacity = 512;

// A private copy of an accelerator table of the resources: the loaded table
// may be shared by every window that loads it, so it is never destroyed.
HACCEL copyOfAccelerators(UINT id) {
    HACCEL loaded = LoadAcceleratorsW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id));
    if (loaded == nullptr) return nullptr;
    const int count = CopyAcceleratorTableW(loaded, nullptr, 0);
    if (count <= 0) return nullptr;
    std::vector<ACCEL> entries(static_cast<std::size_t>(count));
    if (CopyAcceleratorTableW(loaded, entries.data(), count) != count) return nullptr;
    return CreateAcceleratorTableW(entries.data(), count);
}

}  // namespace

ItemListCtrl::ItemListCtrl(ListOwner& owner, ItemStore& store, ItemViewer& viewer)
    : owner_(owner),
      store_(store),
      viewer_(viewer),
      columns_(store.isFavorites()),
      commands_(store, owner, programFolder()),
      dropTarget_(ItemDropTarget::create(&store)) {}

ItemListCtrl::~ItemListCtrl() { destroyWindow(); }

int ItemListCtrl::create(HWND parent, const RECT& rect, int id) {
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT | LVS_OWNERDATA;
    if (!createControl(WC_LISTVIEWW, L"", style, 0, rect, parent, id)) return -1;
    applyStyles();
    insertColumns();
    SendMessageW(hwnd(), LVM_SETHOVERTIME, 0, kHoverTime);
    setRowImageHeight(16);
    accelerators_.reset(copyOfAccelerators(IDR_ACCEL));
    // Only the favorites take dropped text.
    if (store_.isFavorites() && dropTarget_) {
        dropTargetRegistered_ = SUCCEEDED(RegisterDragDrop(hwnd(), dropTarget_.get()));
    }
    return 0;
}

void ItemListCtrl::setRowImageHeight(int pixels) {
    if (!isAlive()) return;
    ImageListHandle images(ImageList_Create(1, pixels, ILC_COLOR4, 10, 10));
    if (!images) return;
    SendMessageW(hwnd(), LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images.get()));
    // The view has let go of the previous list.
    rowHeightImages_ = std::move(images);
}

void ItemListCtrl::applyStyles() {
    const LONG_PTR style = GetWindowLongPtrW(hwnd(), GWL_STYLE);
    SetWindowLongPtrW(hwnd(), GWL_STYLE,
                      (style & ~static_cast<LONG_PTR>(LVS_TYPEMASK)) | LVS_REPORT |
                          LVS_SHOWSELALWAYS);
    SendMessageW(hwnd(), LVM_SETEXTENDEDLISTVIEWSTYLE, 0, kExtendedStyle);
}

void ItemListCtrl::insertColumns() {
    RECT window{};
    GetWindowRect(hwnd(), &window);
    const int width = window.right - window.left;
    for (int c = 0; c < columns_.count(); ++c) {
        std::wstring title = wintext::wide(columns_.title(c));
        LVCOLUMNW column{};
        column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
        column.fmt = LVCFMT_LEFT;
        column.cx = columns_.initialWidth(c, width);
        column.pszText = &title[0];
        column.iSubItem = c;
        SendMessageW(hwnd(), LVM_INSERTCOLUMNW, c, reinterpret_cast<LPARAM>(&column));
    }
}

// The control holds no texts of its own: it knows how many rows there are
// and asks for the texts of the cells it shows (LVN_GETDISPINFO), so a
// rebuild costs the same whatever the length of the list. Telling the
// control a new row count is its dearest step (it lays out its scroll bars
// again): a list that stays full skips it.
void ItemListCtrl::refresh() {
    hoverRow_ = -1;
    framedRow_ = -1;
    if (isAlive()) {
        const std::size_t shownBefore = rows_.size();
        rows_.clear();
        for (const ClipItem* item : store_.snapshot()) {
            if (item->matchesWide(store_.searchText()) != 1) continue;
            RowDigest digest{};
            std::memcpy(digest.data(), item->digest(), digest.size());
            rows_.push_back(digest);
        }
        forgetSelection();
        if (rows_.size() != shownBefore) SendMessageW(hwnd(), LVM_SETITEMCOUNT, rows_.size(), 0);
        SendMessageW(hwnd(), LVM_ENSUREVISIBLE, 0, FALSE);
        InvalidateRect(hwnd(), nullptr, TRUE);
    }
    updateCaption();
    viewer_.setItem(nullptr);
    viewer_.refresh();
}

// The old rows' selection and focus mean nothing for the new rows.
void ItemListCtrl::forgetSelection() {
    LVITEMW none{};
    none.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    none.state = 0;
    SendMessageW(hwnd(), LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&none));
    // Nor the anchor a Shift+click extends from.
    SendMessageW(hwnd(), LVM_SETSELECTIONMARK, 0, -1);
}

// The text of a cell, from the row's item found again by the row's digest;
// empty when the store no longer holds that item.
std::u16string ItemListCtrl::rowCellText(int row, int column) const {
    if (row < 0 || static_cast<std::size_t>(row) >= rows_.size()) return std::u16string();
    const ClipItem* item = store_.findByDigest(rows_[static_cast<std::size_t>(row)].data());
    return item != nullptr ? columns_.cellText(column, *item, row + 1) : std::u16string();
}

// Answers the control's question for a cell's text, cut to its buffer.
void ItemListCtrl::supplyCellText(NMLVDISPINFOW& info) const {
    LVITEMW& cell = info.item;
    if ((cell.mask & LVIF_TEXT) == 0 || cell.pszText == nullptr || cell.cchTextMax <= 0) return;
    const std::u16string text = rowCellText(cell.iItem, cell.iSubItem);
    const std::size_t length = std::min(text.size(), static_cast<std::size_t>(cell.cchTextMax - 1));
    std::copy(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(length), cell.pszText);
    cell.pszText[length] = L'\0';
}

// What the list view itself does when the user types: the first row, from
// iStart on (and past the end round to the top with LVFI_WRAP), whose first
// column starts with the typed text (LVFI_PARTIAL) or is that text
// (LVFI_STRING), case ignored; -1 when none does or the search is not by
// text.
int ItemListCtrl::findRow(const NMLVFINDITEMW& find) const {
    const LVFINDINFOW& what = find.lvfi;
    if ((what.flags & (LVFI_STRING | LVFI_PARTIAL)) == 0 || what.psz == nullptr) return -1;
    const int rows = static_cast<int>(rows_.size());
    const bool wrap = (what.flags & LVFI_WRAP) != 0;
    int start = std::max(find.iStart, 0);
    if (start >= rows) {
        if (!wrap) return -1;
        start = 0;
    }
    const std::wstring wanted(what.psz, wcsnlen(what.psz, kCellTextCapacity));
    if (wanted.empty()) return -1;
    const int span = wrap ? rows : rows - start;
    for (int step = 0; step < span; ++step) {
        const int row = (start + step) % rows;
        if (firstCellMatches(row, wanted, (what.flags & LVFI_PARTIAL) != 0)) return row;
    }
    return -1;
}

bool ItemListCtrl::firstCellMatches(int row, const std::wstring& wanted, bool prefix) const {
    const std::wstring cell = wintext::wide(rowCellText(row, 0));
    if (cell.size() < wanted.size() || (!prefix && cell.size() != wanted.size())) return false;
    return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, cell.data(),
                          static_cast<int>(wanted.size()), wanted.data(),
                          static_cast<int>(wanted.size())) == CSTR_EQUAL;
}

int ItemListCtrl::rowCount() const {
    if (!isAlive()) return 0;
    return static_cast<int>(SendMessageW(hwnd(), LVM_GETITEMCOUNT, 0, 0));
}

std::wstring ItemListCtrl::cellText(int row, int column) const {
    if (row < 0 || row >= rowCount() || column < 0 || column >= columns_.count()) {
        return std::wstring();
    }
    std::vector<wchar_t> buffer(kCellTextCapacity, L'\0');
    LVITEMW cell{};
    cell.iSubItem = column;
    cell.pszText = buffer.data();
    cell.cchTextMax = kCellTextCapacity;
    const LRESULT length =
        SendMessageW(hwnd(), LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&cell));
    if (length <= 0) return std::wstring();
    buffer.back() = L'\0';
    return std::wstring(buffer.data());
}

int ItemListCtrl::hashColumn() const { return columns_.hashColumn(); }

ClipItem* ItemListCtrl::rowToItem(int row) const {
    const std::wstring cell = cellText(row, hashColumn());
    unsigned char digest[ClipItem::DigestSize] = {};
    if (ItemColumns::parseDigest(wintext::narrow(cell), digest) != 0) return nullptr;
    return store_.findByDigest(digest);
}

void ItemListCtrl::updateCaption() {
    HWND label = owner_.captionLabelFor(store_);
    if (label == nullptr) return;
    SetWindowTextW(label, wintext::wide(listCaption(store_)).c_str());
}

void ItemListCtrl::selectAll() {
    const int rows = rowCount();
    for (int row = 0; row < rows; ++row) {
        LVITEMW state{};
        state.stateMask = LVIS_SELECTED;
        state.state = LVIS_SELECTED;
        SendMessageW(hwnd(), LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&state));
    }
}

bool ItemListCtrl::preTranslateMessage(MSG& msg) {
    if (accelerators_ && isAlive() && TranslateAcceleratorW(hwnd(), accelerators_.get(), &msg)) {
        return true;
    }
    return Window::preTranslateMessage(msg);
}

bool ItemListCtrl::onReflectedNotify(NMHDR& header, LRESULT& result) {
    switch (header.code) {
    case NM_DBLCLK:
        pasteFirstSelectedRow();
        result = 0;
        return true;
    case LVN_ITEMCHANGED:
        showItemOfRow(reinterpret_cast<NMLISTVIEW&>(header).iItem);
        result = 0;
        return true;
    case LVN_HOTTRACK:
        followPointer(reinterpret_cast<NMLISTVIEW&>(header).iItem);
        result = 0;
        return true;
    case NM_RCLICK:
        openContextMenu(reinterpret_cast<NMITEMACTIVATE&>(header).ptAction);
        result = 0;
        return true;
    case LVN_KEYDOWN:
        if (reinterpret_cast<NMLVKEYDOWN&>(header).wVKey == VK_DELETE) {
            commands_.run(ID_DELETE, selectedItems());
        }
        result = 0;
        return true;
    case LVN_BEGINDRAG:
        dragSelection();
        result = 0;
        return true;
    case LVN_GETDISPINFOW:
        supplyCellText(reinterpret_cast<NMLVDISPINFOW&>(header));
        result = 0;
        return true;
    case LVN_ODFINDITEMW:
        result = findRow(reinterpret_cast<NMLVFINDITEMW&>(header));
        return true;
    default:
        return false;
    }
}

bool ItemListCtrl::onCommand(int id, int, HWND) {
    if (id != ID_SELECT_ALL) return commands_.run(id, selectedItems());
    selectAll();
    return true;
}

// Not every list view reports hot tracking: the list's own mouse moves
// drive the hover preview as well.
bool ItemListCtrl::onMouseMove(UINT, POINT point) {
    followPointer(rowAt(point));
    return false;
}

void ItemListCtrl::followPointer(int row) {
    if (row == hoverRow_) return;
    hoverRow_ = row;
    showItemOfRow(row);
}

int ItemListCtrl::rowAt(POINT clientPoint) const {
    LVHITTESTINFO hit{};
    hit.pt = clientPoint;
    const LRESULT row = SendMessageW(hwnd(), LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
    return (hit.flags & LVHT_ONITEM) != 0 ? static_cast<int>(row) : -1;
}

bool ItemListCtrl::onDestroy() {
    if (dropTargetRegistered_) RevokeDragDrop(hwnd());
    dropTargetRegistered_ = false;
    // A drag may still hold the target: it must not reach the store later.
    if (dropTarget_) dropTarget_->SetStore(nullptr);
    // The list view would destroy its image list with itself; this object
    // owns it.
    SendMessageW(hwnd(), LVM_SETIMAGELIST, LVSIL_SMALL, 0);
    return false;
}

void ItemListCtrl::showItemOfRow(int row) {
    if (row < 0) return;
    const ClipItem* item = rowToItem(row);
    if (item == nullptr) return;
    viewer_.setItem(item);
    viewer_.refresh();
    frameRow(row);
}

void ItemListCtrl::frameRow(int row) {
    eraseFrame();
    RECT bounds{};
    bounds.left = LVIR_BOUNDS;
    if (!SendMessageW(hwnd(), LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&bounds))) return;
    WindowDC dc(hwnd());
    if (!dc) return;
    GdiObject black(CreateSolidBrush(RGB(0, 0, 0)));
    if (black) FrameRect(dc.get(), &bounds, static_cast<HBRUSH>(black.get()));
    framedRow_ = row;
}

// The list repaints the framed row at once, which takes the frame away.
void ItemListCtrl::eraseFrame() {
    if (framedRow_ < 0) return;
    RECT bounds{};
    bounds.left = LVIR_BOUNDS;
    if (SendMessageW(hwnd(), LVM_GETITEMRECT, framedRow_, reinterpret_cast<LPARAM>(&bounds))) {
        RedrawWindow(hwnd(), &bounds, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    }
    framedRow_ = -1;
}

// ---- Commands, context menu and dragging ---------------------------------------

std::vector<ClipItem*> ItemListCtrl::selectedItems() const {
    std::vector<ClipItem*> items;
    if (!isAlive()) return items;
    int row = -1;
    while ((row = static_cast<int>(
                SendMessageW(hwnd(), LVM_GETNEXTITEM, row, MAKELPARAM(LVNI_SELECTED, 0)))) >= 0) {
        ClipItem* item = rowToItem(row);
        if (item != nullptr) items.push_back(item);
    }
    return items;
}

void ItemListCtrl::openContextMenu(POINT clientPoint) {
    POINT screen = clientPoint;
    ClientToScreen(hwnd(), &screen);
    ItemContextMenu(store_.isFavorites()).track(hwnd(), screen);
}

void ItemListCtrl::dragSelection() {
    DraggedItems items;
    for (const ClipItem* item : selectedItems()) items.add(*item);
    if (items.count() > 0) ItemDragSource::drag(std::move(items), hwnd());
}

// ---- Double-click paste -------------------------------------------------------

void ItemListCtrl::pasteFirstSelectedRow() {
    const int row = static_cast<int>(SendMessageW(hwnd(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1),
                                                  LVNI_SELECTED));
    if (row < 0) return;
    const ClipItem* item = rowToItem(row);
    if (item == nullptr) return;
    // Capturing this write may replace the item: it is not used again.
    item->putOnClipboard(owner_.clipboard());
    pasteIntoWindowBehindOwner();
}

void ItemListCtrl::pasteIntoWindowBehindOwner() {
    constexpr DWORD HiddenWaitMs = 300;
    HWND main = owner_.ownerWindow();
    ShowWindow(main, SW_HIDE);
    Sleep(HiddenWaitMs);
    HWND front = GetForegroundWindow();
    if (front != nullptr) owner_.pasteIntoWindow(front);
    ShowWindow(main, SW_SHOW);
    SetForegroundWindow(front);
}
