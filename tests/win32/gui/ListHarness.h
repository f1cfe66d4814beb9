// A plain top-level window holding both list views, their search boxes, the
// preview pane and two caption labels, wired to real stores the way the main
// window wires them. Shared by the list, search box and preview pane tests.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "TestStores.h"
#include "core/Fakes.h"
#include "core/ItemStore.h"
#include "core/UnicodeTextItem.h"
#include "storage/Settings.h"
#include "ui/ItemListCtrl.h"
#include "ui/ListOwner.h"
#include "ui/PreviewPane.h"
#include "ui/SearchBox.h"
#include "ui/framework/Window.h"

namespace listharness {

class FakeListOwner : public ListOwner {
public:
    FakeListOwner(ItemStore& active, ItemStore& favorites, Clipboard& clipboard,
                  MessageSink& messages)
        : active_(active), favorites_(favorites), clipboard_(clipboard), messages_(messages) {}

    HWND captionLabelFor(const ItemStore& store) const override {
        return &store == &favorites_ ? favoritesCaption : activeCaption;
    }
    ItemStore& favoritesStore() override { return favorites_; }
    Clipboard& clipboard() override { return clipboard_; }
    MessageSink& messages() override { return messages_; }
    HWND ownerWindow() const override { return owner; }
    void pasteIntoWindow(HWND target) override { pastedInto.push_back(target); }

    HWND owner = nullptr;
    HWND activeCaption = nullptr;
    HWND favoritesCaption = nullptr;
    std::vector<HWND> pastedInto;

private:
    ItemStore& active_;
    ItemStore& favorites_;
    Clipboard& clipboard_;
    MessageSink& messages_;
};

inline HWND createTopLevel() {
    static const wchar_t className[] = L"QuillboxListTestParent";
    static bool registered = false;
    if (!registered) {
        WNDCLASSW wc{};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = className;
        registered = RegisterClassW(&wc) != 0;
    }
    return CreateWindowExW(0, className, L"Lists", WS_POPUP | WS_VISIBLE | WS_CAPTION, 0, 0,
                           240, 560, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
}

inline HWND createLabel(HWND parent, const RECT& r) {
    return CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, r.left, r.top,
                           r.right - r.left, r.bottom - r.top, parent, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
}

// The lists are 200 pixels wide, border included.
struct ListHarness : TestStores {
    ListHarness()
        : owner(active, favorites, clipboard, messages),
          activeList(owner, active, pane),
          favoritesList(owner, favorites, pane),
          activeSearch(active),
          favoritesSearch(favorites) {
        top = createTopLevel();
        parent.subclass(top);
        owner.owner = top;
        owner.favoritesCaption = createLabel(top, {8, 4, 158, 20});
        favoritesSearch.create(top, {160, 2, 210, 22}, 112);
        favoritesList.create(top, {8, 24, 208, 174}, 101);
        owner.activeCaption = createLabel(top, {8, 180, 158, 196});
        activeSearch.create(top, {160, 178, 210, 198}, 113);
        activeList.create(top, {8, 200, 208, 380}, 101);
        pane.create(top, {8, 390, 208, 520}, 102);
        active.setObserver(&activeList);
        active.notifyObserver();
        favorites.setObserver(&favoritesList);
        favorites.notifyObserver();
    }
    ~ListHarness() {
        active.setObserver(nullptr);
        favorites.setObserver(nullptr);
        DestroyWindow(top);
    }

    ClipItem* addActive(const std::u16string& text) { return add(active, text, ""); }
    ClipItem* addFavorite(const std::u16string& text, const char* alias = "") {
        return add(favorites, text, alias);
    }
    static ClipItem* add(ItemStore& store, const std::u16string& text, const char* alias) {
        auto item = std::make_unique<UnicodeTextItem>(text);
        item->setAlias(alias);
        ClipItem* raw = item.get();
        if (store.add(std::move(item), 0) != 0) return nullptr;
        store.notifyObserver();
        return raw;
    }

    std::wstring paneText() const { return wintext::windowText(pane.hwnd()); }

    // Selects one row as a click would.
    static void selectRow(const ItemListCtrl& list, int row) {
        LVITEMW state{};
        state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        state.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageW(list.hwnd(), LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&state));
    }
    static int selectedCount(const ItemListCtrl& list) {
        return static_cast<int>(SendMessageW(list.hwnd(), LVM_GETSELECTEDCOUNT, 0, 0));
    }
    // The numbers in column 0, row by row.
    static std::vector<std::wstring> numbers(const ItemListCtrl& list) {
        std::vector<std::wstring> out;
        for (int row = 0; row < list.rowCount(); ++row) out.push_back(list.cellText(row, 0));
        return out;
    }

    HWND top = nullptr;
    Window parent;
    FakeListOwner owner;
    PreviewPane pane;
    ItemListCtrl activeList;
    ItemListCtrl favoritesList;
    SearchBox activeSearch;
    SearchBox favoritesSearch;
};

}  // namespace listharness
