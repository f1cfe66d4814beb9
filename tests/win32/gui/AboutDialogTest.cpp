// The about box from its real template, modeless and modal.
#include "ui/AboutDialog.h"

#include <gtest/gtest.h>

#include <string>

#include "res/resource.h"

namespace {

std::wstring itemText(HWND dialog, int id) { return wintext::windowText(GetDlgItem(dialog, id)); }

CStaticLink* linkOf(HWND dialog, int id) {
    return dynamic_cast<CStaticLink*>(Window::fromHandle(GetDlgItem(dialog, id)));
}

HWND findAboutBox() { return FindWindowW(L"#32770", L"关于 Quillbox"); }

AboutDialog* modalBox = nullptr;
int closeTicks = 0;
bool closeSawLinks = false;

// Runs inside the modal loop: checks the box is up with its links, then
// presses OK.
void CALLBACK pressOk(HWND, UINT, UINT_PTR, DWORD) {
    HWND box = findAboutBox();
    if (box == nullptr) {
        if (++closeTicks > 30) modalBox->endDialog(IDABORT);
        return;
    }
    closeSawLinks = linkOf(box, IDC_WEBSITE_LINK) != nullptr;
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
}

}  // namespace

TEST(AboutDialog, ShowsTheProductLineAndTheTexts) {
    AboutDialog about;
    ASSERT_TRUE(about.create(nullptr));
    HWND box = about.hwnd();
    EXPECT_TRUE(IsWindowVisible(box));
    EXPECT_EQ(L"关于 Quillbox", wintext::windowText(box));
    EXPECT_EQ(L"Quillbox v1.3.1", itemText(box, IDC_PRODUCT_LINE));
    EXPECT_EQ(L"help.html", itemText(box, IDC_WEBSITE_LINK));
    EXPECT_EQ(L"请在网站下载最新版本： ", itemText(box, IDC_DOWNLOAD_LABEL));
    EXPECT_EQ(L"确定", itemText(box, IDOK));
    EXPECT_FALSE(itemText(box, IDC_CREDIT_LINK).empty());
    EXPECT_FALSE(itemText(box, IDC_MAKER_NOTICE).empty());
    EXPECT_FALSE(itemText(box, IDC_TERMS).empty());
}

TEST(AboutDialog, SiteIsALinkAndTheCreditWithoutAddressIsPlainText) {
    AboutDialog about;
    ASSERT_TRUE(about.create(nullptr));
    CStaticLink* site = linkOf(about.hwnd(), IDC_WEBSITE_LINK);
    ASSERT_NE(nullptr, site);
    EXPECT_EQ("help.html", site->target());
    EXPECT_EQ(RGB(0, 0, 255), site->colour());

    // No mail address is configured: the credit, like the other texts, is a
    // plain static that opens nothing.
    ASSERT_TRUE(wintext::loadString(IDS_MAIL_ADDRESS).empty());
    EXPECT_EQ(nullptr, Window::fromHandle(GetDlgItem(about.hwnd(), IDC_CREDIT_LINK)));
    EXPECT_EQ(nullptr, Window::fromHandle(GetDlgItem(about.hwnd(), IDC_PRODUCT_LINE)));
    EXPECT_EQ(nullptr, Window::fromHandle(GetDlgItem(about.hwnd(), IDC_MAKER_NOTICE)));

    // Destroying the box leaves the member link without a window, not deleted.
    about.destroyWindow();
    EXPECT_EQ(nullptr, site->hwnd());
}

TEST(AboutDialog, LinksColourThemselvesAndPlainTextsKeepTheDialogColours) {
    AboutDialog about;
    ASSERT_TRUE(about.create(nullptr));
    HWND box = about.hwnd();
    for (int id : {IDC_WEBSITE_LINK, IDC_CREDIT_LINK, IDC_MAKER_NOTICE}) {
        HWND item = GetDlgItem(box, id);
        HDC dc = GetDC(item);
        const LRESULT brush = SendMessageW(box, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                           reinterpret_cast<LPARAM>(item));
        const bool isLink = id == IDC_WEBSITE_LINK;
        EXPECT_EQ(isLink, reinterpret_cast<HGDIOBJ>(brush) == GetStockObject(NULL_BRUSH)) << id;
        EXPECT_EQ(isLink, GetTextColor(dc) == RGB(0, 0, 255)) << id;
        ReleaseDC(item, dc);
    }
}

TEST(AboutDialog, PaintingValidatesTheBox) {
    AboutDialog about;
    ASSERT_TRUE(about.create(nullptr));
    HWND box = about.hwnd();
    InvalidateRect(box, nullptr, TRUE);
    UpdateWindow(box);
    EXPECT_FALSE(GetUpdateRect(box, nullptr, FALSE));
    // The controls painted themselves as well.
    EXPECT_FALSE(GetUpdateRect(GetDlgItem(box, IDC_PRODUCT_LINE), nullptr, FALSE));
}

TEST(AboutDialog, ModalBoxEndsWithOk) {
    closeTicks = 0;
    closeSawLinks = false;
    const UINT_PTR timer = SetTimer(nullptr, 0, 100, &pressOk);
    AboutDialog about;
    modalBox = &about;
    EXPECT_EQ(IDOK, about.doModal(nullptr));
    KillTimer(nullptr, timer);
    EXPECT_TRUE(closeSawLinks);
    EXPECT_EQ(nullptr, about.hwnd());
    EXPECT_EQ(nullptr, findAboutBox());
}
