#include "ui/FileDialog.h"

#include <commdlg.h>

#include <vector>

#include "ui/framework/ModalScope.h"

namespace {

// Pairs of label and pattern, each ended by a zero, the list by another.
const wchar_t kBinFilters[] = L"Bin Files (*.bin)\0*.bin\0All Files (*.*)\0*.*\0";
const wchar_t kTxtFilters[] = L"Txt Files (*.txt)\0*.txt\0All Files (*.*)\0*.*\0";

// Long enough for any path the dialog returns.
constexpr DWORD kPathCapacity = 32768;

}  // namespace

bool FileDialog::run(HWND owner) {
    std::vector<wchar_t> file(kPathCapacity, L'\0');
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = kind_ == Kind::Backup ? kBinFilters : kTxtFilters;
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = kPathCapacity;
    dialog.lpstrDefExt = kind_ == Kind::Backup ? L"bin" : L"txt";
    // The current directory stays where it was: a resident program left in
    // the chosen folder would keep, say, a USB stick from being ejected.
    dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_NOCHANGEDIR;
    // An exit ends the dialog as cancelled, and shows none while closing.
    const ModalScope scope(owner);
    if (scope.closing()) return false;
    const BOOL chosen =
        mode_ == Mode::Open ? GetOpenFileNameW(&dialog) : GetSaveFileNameW(&dialog);
    if (!chosen || scope.closing()) return false;
    file.back() = L'\0';
    path_ = file.data();
    extension_.clear();
    if (dialog.nFileExtension > 0 && dialog.nFileExtension < path_.size()) {
        extension_ = path_.substr(dialog.nFileExtension);
    }
    return true;
}
