#include "ui/EditTextDialog.h"

#include "core/ItemStore.h"
#include "core/UnicodeTextItem.h"
#include "res/resource.h"

EditTextDialog::EditTextDialog(const ItemStore& targetStore)
    : CenteredDialog(IDD_EDITTEXT), targetStore_(targetStore) {}

bool EditTextDialog::onInitDialog() {
    messages_.setOwner(hwnd());
    const std::wstring text(editText_.begin(), editText_.end());
    SetDlgItemTextW(hwnd(), IDC_EDIT_TEXT, text.c_str());
    return CenteredDialog::onInitDialog();
}

void EditTextDialog::onOK() {
    const std::wstring edited = wintext::windowText(GetDlgItem(hwnd(), IDC_EDIT_TEXT));
    const std::u16string text(edited.begin(), edited.end());
    const UnicodeTextItem candidate(text);
    if (targetStore_.findByDigest(candidate.digest()) != nullptr) {
        messages_.show("文本已存在！", msgbox::Ok);
        SetFocus(GetDlgItem(hwnd(), IDC_EDIT_TEXT));
        return;
    }
    editText_ = text;
    endDialog(IDOK);
}
