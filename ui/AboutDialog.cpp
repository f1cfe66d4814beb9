#include "ui/AboutDialog.h"

#include "core/win32/Handles.h"
#include "res/resource.h"

AboutDialog::AboutDialog() : Dialog(IDD_ABOUTBOX) {}

bool AboutDialog::onInitDialog() {
    const std::wstring product = wintext::loadString(IDS_PRODUCT_LINE);
    const std::wstring site = wintext::loadString(IDS_WEBSITE_ADDRESS);
    const std::wstring mail = wintext::loadString(IDS_MAIL_ADDRESS);

    // Without a mail address the credit stays plain text: a link that opens
    // nothing would only beep.
    if (!mail.empty()) {
        mailLink_.setTarget(wintext::narrow(mail));
        mailLink_.subclassDlgItem(IDC_CREDIT_LINK, hwnd());
    }
    siteLink_.setTarget(wintext::narrow(site));
    siteLink_.subclassDlgItem(IDC_WEBSITE_LINK, hwnd());

    SetDlgItemTextW(hwnd(), IDC_PRODUCT_LINE, product.c_str());
    SetDlgItemTextW(hwnd(), IDC_WEBSITE_LINK, site.c_str());
    return true;
}

// The box draws nothing itself: its controls paint themselves and the
// dialog manager erases the background.
bool AboutDialog::onPaint() {
    PaintSession paint(hwnd());
    return true;
}
