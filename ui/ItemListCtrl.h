// The report-style list view that shows one store. Each row carries its
// item's digest as 32 hex characters in a hidden "HashValue" column, and
// every action on a row finds its item again through that digest.
#pragma once

#include <array>
#include <string>
#include <vector>

#include <windows.h>
#include <commctrl.h>

#include "capture/ItemDropTarget.h"
#include "core/ClipItem.h"
#include "core/ItemColumns.h"
#include "core/StoreObserver.h"
#include "core/win32/Handles.h"
#include "ui/ItemCommands.h"
#include "ui/framework/Window.h"

class ItemStore;
class ItemViewer;
class ListOwner;

class ItemListCtrl : public Window, public StoreObserver {
public:
    static constexpr int ActiveHashColumn = 5;
    static constexpr int FavoritesHashColumn = 6;

    ItemListCtrl(ListOwner& owner, ItemStore& store, ItemViewer& viewer);
    ~ItemListCtrl() override;

    // -1 when the window cannot be created, else 0.
    int create(HWND parent, const RECT& rect, int id);

    // Rows at least pixels high (16 at 96 DPI): the height of the empty
    // small images the rows carry.
    void setRowImageHeight(int pixels);

    void refresh() override;
    ClipItem* rowToItem(int row) const;
    int hashColumn() const;
    void updateCaption();
    void selectAll();
    int rowCount() const;
    std::wstring cellText(int row, int column) const;

    ItemStore& store() const { return store_; }
    bool preTranslateMessage(MSG& msg) override;

    // The items of the selected rows, top row first; rows without an item
    // are left out.
    std::vector<ClipItem*> selectedItems() const;

protected:
    bool onReflectedNotify(NMHDR& header, LRESULT& result) override;
    bool onCommand(int id, int code, HWND control) override;
    bool onMouseMove(UINT keys, POINT point) override;
    bool onDestroy() override;

private:
    void applyStyles();
    void insertColumns();
    void forgetSelection();
    std::u16string rowCellText(int row, int column) const;
    void supplyCellText(NMLVDISPINFOW& info) const;
    // Typing in the list: the row the typed text finds, or -1.
    int findRow(const NMLVFINDITEMW& find) const;
    bool firstCellMatches(int row, const std::wstring& wanted, bool prefix) const;
    void showItemOfRow(int row);
    // Hovering: the pointer is over row (-1: over no row).
    void followPointer(int row);
    int rowAt(POINT clientPoint) const;
    // A one-pixel black frame around the row, drawn outside the paint
    // cycle; the previous frame is repainted away first.
    void frameRow(int row);
    void eraseFrame();

    // Right click: the context menu at the click point (client coordinates).
    void openContextMenu(POINT clientPoint);
    // Begin drag: the selected rows' texts go out as one plain text.
    void dragSelection();
    // Double click: the first selected row's text goes into the window that
    // comes to the front once the main window hides.
    void pasteFirstSelectedRow();
    void pasteIntoWindowBehindOwner();

    ListOwner& owner_;
    ItemStore& store_;
    ItemViewer& viewer_;
    ItemColumns columns_;
    // The digests of the items the rows show, top row first.
    using RowDigest = std::array<unsigned char, ClipItem::DigestSize>;
    std::vector<RowDigest> rows_;
    ImageListHandle rowHeightImages_;
    AcceleratorHandle accelerators_;
    int hoverRow_ = -1;
    int framedRow_ = -1;

    ItemCommands commands_;
    ComPtr<ItemDropTarget> dropTarget_;
    bool dropTargetRegistered_ = false;
};
