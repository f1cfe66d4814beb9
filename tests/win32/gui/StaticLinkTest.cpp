// The hyperlink control on real windows: hover colour and its timer, the
// reflected colouring, clicks, the cursor and delete-on-destroy.
#include "ui/CStaticLink.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "core/ProgramFolder.h"
#include "res/resource.h"
#include "MessagePump.h"

namespace {

// The link colours: unvisited blue, visited purple, hover red.
constexpr COLORREF Blue = RGB(0, 0, 255);
constexpr COLORREF Purple = RGB(128, 0, 128);
constexpr COLORREF Red = RGB(255, 0, 0);

// A visible top-level window holding the links; as every Window it
// reflects its children's WM_CTLCOLORSTATIC to them.
class LinkHost : public Window {
public:
    LinkHost() {
        subclass(CreateWindowExW(0, L"STATIC", L"link host", WS_POPUP | WS_VISIBLE, 100, 100,
                                 400, 120, nullptr, nullptr, GetModuleHandleW(nullptr),
                                 nullptr));
    }
    ~LinkHost() override { destroyWindow(); }
};

// A link whose shell call is replaced by a fixed result.
class FakeShellLink : public CStaticLink {
public:
    using CStaticLink::CStaticLink;

    INT_PTR openTarget() override {
        ++opened;
        openedTarget = target();
        return shellResult;
    }

    INT_PTR shellResult = 33;
    int opened = 0;
    std::string openedTarget;
};

// Tells when it is deleted.
class DeletionProbeLink : public CStaticLink {
public:
    DeletionProbeLink(bool& deleted, bool deleteOnDestroy)
        : CStaticLink("target", deleteOnDestroy), deleted_(deleted) {}
    ~DeletionProbeLink() override { deleted_ = true; }

private:
    bool& deleted_;
};

bool createLink(CStaticLink& link, const LinkHost& host, int id, const wchar_t* text,
                DWORD style = SS_LEFT) {
    const RECT rect{10, 10, 170, 30};
    return link.createControl(L"STATIC", text, WS_CHILD | WS_VISIBLE | style, 0, rect,
                              host.hwnd(), id);
}

POINT centreOf(HWND hwnd) {
    RECT rect{};
    GetWindowRect(hwnd, &rect);
    return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

void movePointerAway() { SetCursorPos(1200, 1000); }

LRESULT hitTest(const CStaticLink& link) {
    const POINT centre = centreOf(link.hwnd());
    return SendMessageW(link.hwnd(), WM_NCHITTEST, 0, MAKELPARAM(centre.x, centre.y));
}

void click(const CStaticLink& link) {
    SendMessageW(link.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
}

// The reflected colouring as the host answers it for the link's window.
struct Colouring {
    HBRUSH brush;
    COLORREF text;
    int backgroundMode;
    HGDIOBJ font;
};

Colouring colourThroughHost(const LinkHost& host, HWND link) {
    HDC dc = GetDC(link);
    SetTextColor(dc, RGB(1, 2, 3));
    SetBkMode(dc, OPAQUE);
    Colouring result{};
    result.brush = reinterpret_cast<HBRUSH>(SendMessageW(
        host.hwnd(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(link)));
    result.text = GetTextColor(dc);
    result.backgroundMode = GetBkMode(dc);
    result.font = GetCurrentObject(dc, OBJ_FONT);
    ReleaseDC(link, dc);
    return result;
}

}  // namespace

TEST(StaticLinkHover, PointerOverTurnsRedAndLeavingTurnsBlueAgain) {
    LinkHost host;
    CStaticLink link("http://example.org/");
    ASSERT_TRUE(createLink(link, host, 1014, L"link"));
    EXPECT_EQ(Blue, link.colour());
    EXPECT_FALSE(link.hovering());

    // Pointer over the link: red at once, and it stays red while the hover
    // timer finds the pointer inside.
    SetCursorPos(centreOf(link.hwnd()).x, centreOf(link.hwnd()).y);
    EXPECT_EQ(HTCLIENT, hitTest(link));
    EXPECT_EQ(Red, link.colour());
    EXPECT_TRUE(link.hovering());
    pumpFor(350);
    EXPECT_EQ(Red, link.colour());
    EXPECT_TRUE(link.hovering());

    // Pointer gone: the next tick turns it blue.
    movePointerAway();
    EXPECT_TRUE(pumpUntil([&] { return !link.hovering(); }, 1000));
    EXPECT_EQ(Blue, link.colour());

    // The next hit starts hovering again.
    EXPECT_EQ(HTCLIENT, hitTest(link));
    EXPECT_EQ(Red, link.colour());
    EXPECT_TRUE(pumpUntil([&] { return !link.hovering(); }, 1000));
}

TEST(StaticLinkHover, HandCursorIsTheSystemHand) {
    LinkHost host;
    CStaticLink link;
    ASSERT_TRUE(createLink(link, host, 1014, L"link"));
    const LRESULT answer = SendMessageW(link.hwnd(), WM_SETCURSOR,
                                        reinterpret_cast<WPARAM>(link.hwnd()),
                                        MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(TRUE, answer);
    EXPECT_EQ(LoadCursorW(nullptr, IDC_HAND), GetCursor());
}

TEST(StaticLinkColouring, ReflectedColourIsTheLinkColourOnAHollowBrush) {
    LinkHost host;
    CStaticLink link;
    ASSERT_TRUE(createLink(link, host, 1014, L"link"));
    HFONT controlFont = CreateFontW(-15, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                    OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                    DEFAULT_PITCH, L"SimSun");
    SendMessageW(link.hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(controlFont), FALSE);

    Colouring first = colourThroughHost(host, link.hwnd());
    EXPECT_EQ(GetStockObject(NULL_BRUSH), first.brush);
    EXPECT_EQ(Blue, first.text);
    EXPECT_EQ(TRANSPARENT, first.backgroundMode);

    // The link's own copy of the control's font, made once.
    EXPECT_NE(controlFont, first.font);
    LOGFONTW wanted{};
    LOGFONTW selected{};
    GetObjectW(controlFont, sizeof(wanted), &wanted);
    ASSERT_NE(0, GetObjectW(first.font, sizeof(selected), &selected));
    EXPECT_EQ(wanted.lfHeight, selected.lfHeight);
    EXPECT_EQ(wanted.lfWeight, selected.lfWeight);
    EXPECT_FALSE(selected.lfUnderline);
    EXPECT_EQ(std::wstring(wanted.lfFaceName), std::wstring(selected.lfFaceName));

    movePointerAway();
    hitTest(link);
    Colouring hovered = colourThroughHost(host, link.hwnd());
    EXPECT_EQ(Red, hovered.text);
    EXPECT_EQ(first.font, hovered.font);
    EXPECT_TRUE(pumpUntil([&] { return !link.hovering(); }, 1000));

    link.destroyWindow();
    DeleteObject(controlFont);
}

TEST(StaticLinkColouring, CentredAndRightAlignedTextsAreColouredToo) {
    LinkHost host;
    CStaticLink centred;
    CStaticLink right;
    ASSERT_TRUE(createLink(centred, host, 1, L"centred", SS_CENTER));
    ASSERT_TRUE(createLink(right, host, 2, L"right", SS_RIGHT));
    EXPECT_EQ(GetStockObject(NULL_BRUSH), colourThroughHost(host, centred.hwnd()).brush);
    EXPECT_EQ(GetStockObject(NULL_BRUSH), colourThroughHost(host, right.hwnd()).brush);
}

TEST(StaticLinkColouring, OtherStaticStylesKeepTheParentsColouring) {
    LinkHost host;
    CStaticLink simple;
    CStaticLink frame;
    ASSERT_TRUE(createLink(simple, host, 1, L"simple", SS_SIMPLE));
    ASSERT_TRUE(createLink(frame, host, 2, L"", SS_ETCHEDFRAME));
    for (HWND hwnd : {simple.hwnd(), frame.hwnd()}) {
        Colouring colouring = colourThroughHost(host, hwnd);
        EXPECT_NE(GetStockObject(NULL_BRUSH), colouring.brush);
        EXPECT_NE(Blue, colouring.text);
    }
}

TEST(StaticLinkClick, SuccessfulOpenShowsVisitedUntilThePointerLeaves) {
    LinkHost host;
    FakeShellLink link("http://example.org/");
    ASSERT_TRUE(createLink(link, host, 1014, L"link"));
    SetCursorPos(centreOf(link.hwnd()).x, centreOf(link.hwnd()).y);
    hitTest(link);

    click(link);
    EXPECT_EQ(1, link.opened);
    EXPECT_EQ("http://example.org/", link.openedTarget);
    EXPECT_EQ(Purple, link.colour());
    pumpFor(250);
    EXPECT_EQ(Purple, link.colour());

    // Leaving always gives the unvisited colour, also after a visit.
    movePointerAway();
    EXPECT_TRUE(pumpUntil([&] { return !link.hovering(); }, 1000));
    EXPECT_EQ(Blue, link.colour());
}

TEST(StaticLinkClick, FailedOpenKeepsTheColour) {
    LinkHost host;
    FakeShellLink link("http://example.org/");
    ASSERT_TRUE(createLink(link, host, 1014, L"link"));
    link.shellResult = 32;
    SetCursorPos(centreOf(link.hwnd()).x, centreOf(link.hwnd()).y);
    hitTest(link);
    click(link);
    EXPECT_EQ(1, link.opened);
    EXPECT_EQ(Red, link.colour());

    movePointerAway();
    EXPECT_TRUE(pumpUntil([&] { return !link.hovering(); }, 1000));
    link.shellResult = 0;
    click(link);
    EXPECT_EQ(2, link.opened);
    EXPECT_EQ(Blue, link.colour());
}

TEST(StaticLinkClick, EmptyTargetComesFromTheStringTableThenTheWindowText) {
    LinkHost host;
    FakeShellLink byString;
    ASSERT_TRUE(createLink(byString, host, IDS_WEBSITE_ADDRESS, L"text"));
    click(byString);
    EXPECT_EQ("help.html", byString.openedTarget);
    EXPECT_EQ("help.html", byString.target());

    FakeShellLink byText;
    ASSERT_TRUE(createLink(byText, host, 7777, L"作者"));
    click(byText);
    EXPECT_EQ(std::string("作者"), byText.openedTarget);
    // The target found stays, whatever the text becomes.
    SetWindowTextW(byText.hwnd(), L"other");
    click(byText);
    EXPECT_EQ(std::string("作者"), byText.openedTarget);
    EXPECT_EQ(2, byText.opened);

    FakeShellLink nothing;
    ASSERT_TRUE(createLink(nothing, host, 7778, L""));
    click(nothing);
    EXPECT_EQ(0, nothing.opened);
    EXPECT_EQ(Blue, nothing.colour());
}

TEST(StaticLinkOpen, RelativeTargetsLieInTheProgramFolder) {
    const std::string folder = programFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder + "\\help.html", CStaticLink::resolveTarget("help.html"));
    EXPECT_EQ(folder + "\\doc\\guide.html", CStaticLink::resolveTarget("doc\\guide.html"));
    for (const char* kept : {"http://example.org/a.html", "https://example.org/",
                             "mailto:someone@example.org", "MailTo:someone@example.org",
                             "C:\\docs\\help.html", "\\\\server\\share\\help.html", ""}) {
        EXPECT_EQ(kept, CStaticLink::resolveTarget(kept));
    }
}

TEST(StaticLinkOpen, ShellResultOfTheRealOpen) {
    CStaticLink empty;
    EXPECT_EQ(0, empty.openTarget());

    // A missing guide: the shell refuses, the click beeps and keeps blue.
    LinkHost host;
    CStaticLink missing("no-such-guide-here.html");
    ASSERT_TRUE(createLink(missing, host, 1014, L"link"));
    const INT_PTR result = missing.openTarget();
    EXPECT_GE(result, 0);
    EXPECT_LE(result, 32);
    click(missing);
    EXPECT_EQ(Blue, missing.colour());
}

TEST(StaticLinkLifetime, DeleteOnDestroyDeletesTheObjectWithItsWindow) {
    LinkHost host;
    bool deleted = false;
    auto* link = new DeletionProbeLink(deleted, true);
    ASSERT_TRUE(createLink(*link, host, 1014, L"link"));
    DestroyWindow(link->hwnd());
    EXPECT_TRUE(deleted);

    bool kept = false;
    {
        DeletionProbeLink member(kept, false);
        ASSERT_TRUE(createLink(member, host, 1014, L"link"));
        DestroyWindow(member.hwnd());
        EXPECT_FALSE(kept);
        EXPECT_EQ(nullptr, member.hwnd());
    }
    EXPECT_TRUE(kept);
}
