#include "ui/AliasDialog.h"

#include "core/NarrowByteLimit.h"
#include "core/NarrowMeasure.h"
#include "res/resource.h"

namespace {

std::u16string toU16(const std::wstring& text) { return std::u16string(text.begin(), text.end()); }
std::wstring toWide(const std::u16string& text) { return std::wstring(text.begin(), text.end()); }

}  // namespace

AliasDialog::AliasDialog() : CenteredDialog(IDD_ALIAS) {}

HWND AliasDialog::nameField() const { return GetDlgItem(hwnd(), IDC_ALIAS_NAME); }

bool AliasDialog::onInitDialog() {
    messages_.setOwner(hwnd());
    SendMessageW(nameField(), EM_LIMITTEXT, NameLimit, 0);
    // A name read from a file may be longer than the field takes.
    const NarrowByteLimit limit(NameLimit);
    acceptedName_ = limit.fit(u"", toU16(wintext::wide(name_))).text;
    adjusting_ = true;
    SetWindowTextW(nameField(), toWide(acceptedName_).c_str());
    adjusting_ = false;
    SetDlgItemTextW(hwnd(), IDC_ALIAS_CONTENT, toWide(content_).c_str());
    return CenteredDialog::onInitDialog();
}

bool AliasDialog::onCommand(int id, int code, HWND control) {
    if (id != IDC_ALIAS_NAME || code != EN_CHANGE) return CenteredDialog::onCommand(id, code, control);
    if (!adjusting_) keepNameWithinLimit();
    return true;
}

void AliasDialog::keepNameWithinLimit() {
    const std::u16string text = toU16(wintext::windowText(nameField()));
    const NarrowByteLimit limit(NameLimit);
    if (limit.fits(text)) {
        acceptedName_ = text;
        return;
    }
    const NarrowByteLimit::Fitted fitted = limit.fit(acceptedName_, text);
    acceptedName_ = fitted.text;
    adjusting_ = true;
    SetWindowTextW(nameField(), toWide(acceptedName_).c_str());
    SendMessageW(nameField(), EM_SETSEL, fitted.caret, fitted.caret);
    adjusting_ = false;
}

void AliasDialog::onOK() {
    keepNameWithinLimit();
    if (!NarrowMeasure::inCodePage(acceptedName_)) {
        messages_.show(ForeignCharacterMessage, msgbox::Ok | msgbox::IconStop);
        SetFocus(nameField());
        SendMessageW(nameField(), EM_SETSEL, 0, -1);
        return;
    }
    name_ = wintext::narrow(toWide(acceptedName_));
    endDialog(IDOK);
}
