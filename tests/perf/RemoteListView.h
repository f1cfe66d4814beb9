// Reads the cells of a list view that lives in another process: the item
// record and its text buffer are placed in that process's memory, since a
// list view message carries its pointer across unchanged.
#pragma once

#include <windows.h>

#include <string>

#include "core/win32/Handles.h"

class RemoteListView {
public:
    explicit RemoteListView(HWND list);
    ~RemoteListView();
    RemoteListView(const RemoteListView&) = delete;
    RemoteListView& operator=(const RemoteListView&) = delete;

    bool usable() const { return remote_ != nullptr; }
    // The text of a cell, or "" when it cannot be read.
    std::wstring cellText(int row, int column) const;
    // The bounds of a row on the screen, or an empty rectangle.
    RECT rowRect(int row) const;

private:
    static constexpr int TextChars = 256;

    HWND list_;
    KernelHandle process_;
    void* remote_ = nullptr;
};
