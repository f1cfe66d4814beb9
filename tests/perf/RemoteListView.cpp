#include "perf/RemoteListView.h"

#include <commctrl.h>

RemoteListView::RemoteListView(HWND list) : list_(list) {
    DWORD pid = 0;
    GetWindowThreadProcessId(list, &pid);
    process_.reset(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid));
    if (!process_) return;
    remote_ = VirtualAllocEx(process_.get(), nullptr, sizeof(LVITEMW) + TextChars * sizeof(wchar_t),
                             MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
}

RemoteListView::~RemoteListView() {
    if (remote_ != nullptr) VirtualFreeEx(process_.get(), remote_, 0, MEM_RELEASE);
}

std::wstring RemoteListView::cellText(int row, int column) const {
    if (remote_ == nullptr) return std::wstring();
    wchar_t* remoteText = reinterpret_cast<wchar_t*>(static_cast<char*>(remote_) + sizeof(LVITEMW));
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = remoteText;
    item.cchTextMax = TextChars;
    SIZE_T moved = 0;
    if (!WriteProcessMemory(process_.get(), remote_, &item, sizeof item, &moved) || moved != sizeof item) {
        return std::wstring();
    }
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(list_, LVM_GETITEMTEXTW, static_cast<WPARAM>(row),
                             reinterpret_cast<LPARAM>(remote_), SMTO_NORMAL, 5000, &length)) {
        return std::wstring();
    }
    wchar_t text[TextChars] = {};
    if (!ReadProcessMemory(process_.get(), remoteText, text, sizeof text, &moved)) return std::wstring();
    text[TextChars - 1] = L'\0';
    return text;
}

RECT RemoteListView::rowRect(int row) const {
    RECT rect{LVIR_BOUNDS, 0, 0, 0};
    SIZE_T moved = 0;
    DWORD_PTR answer = 0;
    if (remote_ == nullptr || !WriteProcessMemory(process_.get(), remote_, &rect, sizeof rect, &moved) ||
        !SendMessageTimeoutW(list_, LVM_GETITEMRECT, static_cast<WPARAM>(row),
                             reinterpret_cast<LPARAM>(remote_), SMTO_NORMAL, 5000, &answer) ||
        answer == 0 || !ReadProcessMemory(process_.get(), remote_, &rect, sizeof rect, &moved)) {
        return RECT{};
    }
    MapWindowPoints(list_, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}
