#include "ui/MainWindow.h"

#include <commctrl.h>
#include <shellapi.h>

#include <new>

#include "capture/ClipboardViewer.h"
#include "capture/HotkeyRegistrar.h"
#include "capture/PasteInjector.h"
#include "capture/QuickPasteMenu.h"
#include "core/ItemStore.h"
#include "core/ListCaption.h"
#include "core/MainLayout.h"
#include "core/MessageSink.h"
#include "core/ProgramFolder.h"
#include "res/resource.h"
#include "storage/Settings.h"
#include "ui/AboutDialog.h"
#include "ui/ItemListCtrl.h"
#include "ui/MainWindowHost.h"
#include "ui/PreviewPane.h"
#include "ui/PrivateMessages.h"
#include "ui/SearchBox.h"
#include "ui/SettingsCommand.h"
#include "ui/WindowDpi.h"

namespace {

constexpr int NoId = 0xFFFF;
// Where the line at the bottom of the window leads: the user guide beside
// the program.
constexpr const char* WebLogAddress = "help.html";

RECT toRECT(const Rect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

void moveChild(HWND child, const Rect& r) {
    if (child != nullptr && IsWindow(child)) {
        MoveWindow(child, r.left, r.top, r.width(), r.height(), TRUE);
    }
}

HWND handleOf(const Window* window) { return window != nullptr ? window->hwnd() : nullptr; }

template <typename T>
void destroyChild(std::unique_ptr<T>& child) {
    if (!child) return;
    child->destroyWindow();
    child.reset();
}

HICON loadIcon(int id, int sizeMetric, int dpi) {
    const int size = WindowDpi::metric(sizeMetric, dpi);
    return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id),
                                         IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
}

BOOL CALLBACK setChildFont(HWND child, LPARAM font) {
    SendMessageW(child, WM_SETFONT, static_cast<WPARAM>(font), TRUE);
    return TRUE;
}

// 16 pixels at 96 DPI: the rows' image height.
constexpr int RowImageHeight = 16;

}  // namespace

MainWindow::MainWindow(ItemStore& active, ItemStore& favorites, MessageSink& messages,
                       Clipboard& clipboard, MainWindowHost& host)
    : Dialog(IDD_MAIN),
      trayIcon_(IDR_TRAY),
      active_(active),
      favorites_(favorites),
      messages_(messages),
      clipboard_(clipboard),
      host_(host) {}

MainWindow::~MainWindow() {
    stopCapture();
    detachStores();
    destroyChildren();
}

// ---- ListOwner ---------------------------------------------------------------

HWND MainWindow::captionLabelFor(const ItemStore& store) const {
    if (&store == &active_) return handleOf(activeCaption_.get());
    if (&store == &favorites_) return handleOf(favoritesCaption_.get());
    return nullptr;
}

void MainWindow::pasteIntoWindow(HWND target) {
    if (pasteInjector_) pasteInjector_->PasteIntoWindow(target);
}

HWND MainWindow::previewLabel() const { return handleOf(previewLabel_.get()); }

// ---- Initialisation ----------------------------------------------------------

bool MainWindow::onInitDialog() {
    host_.mainWindowChanged(hwnd());
    dpi_ = WindowDpi::of(hwnd());
    rememberTemplateFont();
    WindowDpi::keepDialogLayoutOwn(hwnd());
    addAboutToSystemMenu();
    setIcons();
    SetWindowTextW(hwnd(), wintext::loadString(IDS_PRODUCT_LINE).c_str());
    createChildren();
    attachStores();
    startCapture();
    attachDockerIfEnabled();
    return true;
}

void MainWindow::addAboutToSystemMenu() {
    HMENU systemMenu = GetSystemMenu(hwnd(), FALSE);
    const std::wstring text = wintext::loadString(IDS_ABOUTBOX);
    if (systemMenu == nullptr || text.empty()) return;
    AppendMenuW(systemMenu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(systemMenu, MF_STRING, IDM_ABOUTBOX, text.c_str());
}

void MainWindow::setIcons() {
    IconHandle large(loadIcon(IDR_MAINFRAME, SM_CXICON, dpi_));
    IconHandle little(loadIcon(IDR_MAINFRAME, SM_CXSMICON, dpi_));
    SendMessageW(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(large.get()));
    SendMessageW(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(little.get()));
    // The window shows the new icons before the previous ones go.
    bigIcon_ = std::move(large);
    smallIcon_ = std::move(little);
}

void MainWindow::createChildren() {
    toolbar_.create(hwnd(), DpiScale(dpi_).toolbarImageSize());
    const MainLayout layout = currentLayout();

    previewPane_.reset(new (std::nothrow) PreviewPane());
    if (previewPane_ && !previewPane_->create(hwnd(), toRECT(layout.previewPane()),
                                              IDC_PREVIEW_PANE)) {
        previewPane_.reset();
    }
    previewLabel_ = createLabel(L"文本浏览：", toRECT(layout.previewLabel()));
    createLists(layout);

    if (webLogLink_.subclassDlgItem(IDC_WEBLOG_LINK, hwnd())) webLogLink_.setTarget(WebLogAddress);
    trayIcon_.setNotifyTarget(hwnd(), WM_TRAY_CALLBACK);
    trayIcon_.setIconFromResource(IDR_TRAY);
    placeWindow();
}

void MainWindow::createLists(const MainLayout& layout) {
    createListGroup(active_, layout.activeView(), layout.activeCaption(), layout.activeSearch(),
                    IDC_ACTIVE_SEARCH, activeView_, activeCaption_, activeSearch_);
    createListGroup(favorites_, layout.favoritesView(), layout.favoritesCaption(),
                    layout.favoritesSearch(), IDC_FAVORITE_SEARCH, favoritesView_,
                    favoritesCaption_, favoritesSearch_);
}

// One list's view, caption and search box, in that order.
void MainWindow::createListGroup(ItemStore& store, const Rect& viewRect, const Rect& captionRect,
                                 const Rect& searchRect, int searchId,
                                 std::unique_ptr<ItemListCtrl>& view,
                                 std::unique_ptr<Window>& caption,
                                 std::unique_ptr<SearchBox>& search) {
    // The views need the pane as their viewer.
    if (previewPane_) {
        view.reset(new (std::nothrow) ItemListCtrl(*this, store, *previewPane_));
        if (view && view->create(hwnd(), toRECT(viewRect), IDC_ITEM_LIST) != 0) view.reset();
        if (view) view->setRowImageHeight(DpiScale(dpi_).px(RowImageHeight));
    }
    caption = createLabel(wintext::wide(listCaption(store)).c_str(), toRECT(captionRect));
    search.reset(new (std::nothrow) SearchBox(store));
    if (search && search->create(hwnd(), toRECT(searchRect), searchId) != 0) search.reset();
}

std::unique_ptr<Window> MainWindow::createLabel(const wchar_t* text, const RECT& rect) {
    std::unique_ptr<Window> label(new (std::nothrow) Window());
    if (label && !label->createControl(L"STATIC", text, WS_CHILD | WS_VISIBLE | SS_LEFT, 0, rect,
                                       hwnd(), NoId)) {
        label.reset();
    }
    return label;
}

// Against the right edge of the full-screen area, one caption height below
// the top.
void MainWindow::placeWindow() {
    RECT window{};
    GetWindowRect(hwnd(), &window);
    const int width = window.right - window.left;
    const int height = window.bottom - window.top;
    MoveWindow(hwnd(), GetSystemMetrics(SM_CXFULLSCREEN) - width, GetSystemMetrics(SM_CYCAPTION),
               width, height, TRUE);
}

void MainWindow::attachStores() {
    if (activeView_) {
        active_.setObserver(activeView_.get());
        active_.notifyObserver();
    }
    if (favoritesView_) {
        favorites_.setObserver(favoritesView_.get());
        favorites_.notifyObserver();
    }
}

void MainWindow::detachStores() {
    if (activeView_ && active_.observer() == activeView_.get()) active_.setObserver(nullptr);
    if (favoritesView_ && favorites_.observer() == favoritesView_.get()) {
        favorites_.setObserver(nullptr);
    }
}

// ---- DPI ---------------------------------------------------------------------

void MainWindow::rememberTemplateFont() {
    templateDpi_ = dpi_;
    auto font = reinterpret_cast<HFONT>(SendMessageW(hwnd(), WM_GETFONT, 0, 0));
    if (font == nullptr || GetObjectW(font, sizeof templateFont_, &templateFont_) == 0) {
        templateFont_ = LOGFONTW{};
    }
}

HFONT MainWindow::textFont() const {
    if (scaledFont_) return static_cast<HFONT>(scaledFont_.get());
    return reinterpret_cast<HFONT>(SendMessageW(hwnd(), WM_GETFONT, 0, 0));
}

// The height of one line of the window's texts (0 when it cannot be measured).
int MainWindow::lineHeight() const {
    WindowDC dc(hwnd());
    HFONT font = textFont();
    if (!dc || font == nullptr) return 0;
    HGDIOBJ previous = SelectObject(dc.get(), font);
    TEXTMETRICW metrics{};
    const BOOL measured = GetTextMetricsW(dc.get(), &metrics);
    SelectObject(dc.get(), previous);
    return measured ? metrics.tmHeight : 0;
}

// The template's font at the new DPI goes to every child; at the DPI the
// template's font was made for, that font itself.
void MainWindow::applyFont() {
    GdiObject previous = std::move(scaledFont_);
    if (dpi_ != templateDpi_ && templateFont_.lfHeight != 0) {
        LOGFONTW scaled = templateFont_;
        scaled.lfHeight = MulDiv(templateFont_.lfHeight, dpi_, templateDpi_);
        scaledFont_.reset(CreateFontIndirectW(&scaled));
    }
    EnumChildWindows(hwnd(), &setChildFont, reinterpret_cast<LPARAM>(textFont()));
    // The children let go of the previous font before it is deleted.
    previous.reset();
}

void MainWindow::applyDpi(int dpi) {
    dpi_ = DpiScale(dpi).dpi();
    applyFont();
    const DpiScale scale(dpi_);
    toolbar_.setImageSize(scale.toolbarImageSize());
    for (ItemListCtrl* view : {activeView_.get(), favoritesView_.get()}) {
        if (view != nullptr) view->setRowImageHeight(scale.px(RowImageHeight));
    }
    setIcons();
}

// The window moved to a monitor of another DPI (or that monitor's DPI
// changed): it takes the rectangle the system suggests and is laid out anew.
LRESULT MainWindow::onDpiChanged(WPARAM wParam, LPARAM lParam) {
    applyDpi(LOWORD(wParam));
    const auto* suggested = reinterpret_cast<const RECT*>(lParam);
    if (suggested != nullptr) {
        SetWindowPos(hwnd(), nullptr, suggested->left, suggested->top,
                     suggested->right - suggested->left, suggested->bottom - suggested->top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    toolbar_.fitToParent();
    if (previewPane_) layoutChildren();
    InvalidateRect(hwnd(), nullptr, TRUE);
    return 0;
}

// ---- Layout ------------------------------------------------------------------

MainLayout MainWindow::currentLayout() const {
    RECT client{};
    GetClientRect(hwnd(), &client);
    return MainLayout(client.right - client.left, client.bottom - client.top,
                      toolbar_.buttonHeight(), DpiScale(dpi_), lineHeight());
}

bool MainWindow::onSize(UINT type, int cx, int cy) {
    defaultProc(WM_SIZE, type, MAKELPARAM(cx, cy));
    toolbar_.fitToParent();
    if (!previewPane_) return true;
    layoutChildren();
    InvalidateRect(hwnd(), nullptr, TRUE);
    return true;
}

void MainWindow::layoutChildren() {
    const MainLayout layout = currentLayout();
    moveChild(handleOf(previewPane_.get()), layout.previewPane());
    moveChild(handleOf(previewLabel_.get()), layout.previewLabel());

    moveChild(handleOf(activeView_.get()), layout.activeView());
    const auto activeWidths = MainLayout::activeColumnWidths(layout.activeView().width());
    setColumnWidths(activeView_.get(), activeWidths.data(), static_cast<int>(activeWidths.size()));
    moveChild(handleOf(activeCaption_.get()), layout.activeCaption());
    moveChild(handleOf(activeSearch_.get()), layout.activeSearch());

    moveChild(handleOf(favoritesView_.get()), layout.favoritesView());
    const auto favoriteWidths = MainLayout::favoritesColumnWidths(layout.favoritesView().width());
    setColumnWidths(favoritesView_.get(), favoriteWidths.data(),
                    static_cast<int>(favoriteWidths.size()));
    moveChild(handleOf(favoritesCaption_.get()), layout.favoritesCaption());
    moveChild(handleOf(favoritesSearch_.get()), layout.favoritesSearch());

    moveChild(GetDlgItem(hwnd(), IDC_WEBLOG_LINK), layout.webLogLink());
}

void MainWindow::setColumnWidths(const ItemListCtrl* view, const int* widths, int count) {
    if (view == nullptr || !view->isAlive()) return;
    for (int column = 0; column < count; ++column) {
        SendMessageW(view->hwnd(), LVM_SETCOLUMNWIDTH, column,
                     MAKELPARAM(static_cast<WORD>(widths[column]), 0));
    }
}

// ---- Messages ----------------------------------------------------------------

bool MainWindow::preTranslateMessage(MSG& msg) {
    toolbar_.relayEvent(msg);
    // Neither key may confirm or close the window.
    if (msg.message == WM_KEYDOWN && (msg.wParam == VK_RETURN || msg.wParam == VK_ESCAPE)) {
        return true;
    }
    return Dialog::preTranslateMessage(msg);
}

bool MainWindow::onCommand(int id, int, HWND) {
    switch (id) {
    case IDOK:
    case IDCANCEL:
        return true;  // the window is never closed as a dialog
    case ID_EXIT:
        confirmExit();
        return true;
    case ID_OPEN_MAIN:
        bringBack();
        return true;
    case ID_ABOUT:
        showAbout();
        return true;
    case ID_HELP_PAGE:
        openHelp();
        return true;
    case ID_SETTINGS:
        openSettings();
        return true;
    default:
        return false;
    }
}

bool MainWindow::onClose() {
    ShowWindow(hwnd(), SW_HIDE);
    docker_.detach();
    return true;
}

bool MainWindow::onNcPaint(HRGN) {
    const Settings* settings = Settings::instance();
    if (settings == nullptr || settings->StartupMinimized() == 0 || startupHidesLeft_ <= 0) {
        return false;
    }
    --startupHidesLeft_;
    ShowWindow(hwnd(), SW_HIDE);
    return true;
}

bool MainWindow::onSysCommand(UINT command, LPARAM) {
    if ((command & 0xFFF0) != IDM_ABOUTBOX) return false;
    showAbout();
    return true;
}

bool MainWindow::onMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (msg) {
    case WM_QUERYDRAGICON:
        result = reinterpret_cast<LRESULT>(bigIcon_.get());
        return true;
    case WM_QUERYENDSESSION:
        // The lists are saved but kept: the log-off may still be cancelled.
        host_.saveStores();
        result = TRUE;
        return true;
    case WM_TRAY_CALLBACK:
        result = onTrayCallback(wParam, lParam);
        return true;
    case WM_DPICHANGED:
        result = onDpiChanged(wParam, lParam);
        return true;
    default:
        return false;
    }
}

LRESULT MainWindow::onTrayCallback(WPARAM wParam, LPARAM lParam) {
    if (lParam == WM_LBUTTONDOWN) bringBack();
    trayIcon_.onNotify(wParam, lParam);
    return 0;
}

// A window tucked away at an edge comes fully into view.
void MainWindow::bringBack() {
    attachDockerIfEnabled();
    ShowWindow(hwnd(), SW_SHOWNORMAL);
    docker_.showAtEdge();
}

// The owner runs the exit once every modal loop has unwound (see
// ui/framework/ModalScope.h); a window without such an owner goes at once.
void MainWindow::confirmExit() {
    if (messages_.show("退出Quillbox？", msgbox::YesNo | msgbox::DefButton2) != msgbox::IdYes) {
        return;
    }
    HWND owner = GetParent(hwnd());
    if (owner != nullptr && SendMessageW(owner, WM_EXIT_REQUEST, 0, 0) == 1) return;
    DestroyWindow(hwnd());
}

void MainWindow::showAbout() {
    AboutDialog about;
    about.doModal(hwnd());
}

void MainWindow::openHelp() {
    const std::string address = wintext::narrow(wintext::loadString(IDS_HELP_ADDRESS));
    if (address.empty()) return;
    const std::wstring file = wintext::wide(CStaticLink::resolveTarget(address));
    ShellExecuteW(hwnd(), L"open", file.c_str(), L"", L"", SW_SHOW);
}

// ---- Settings and edge docking ----------------------------------------------

void MainWindow::openSettings() {
    Settings* settings = Settings::instance();
    if (settings == nullptr) return;
    SettingsCommand command(*settings, active_, favorites_, messages_, startupEntry_, docker_,
                            pathInFolder(programFolder(), Settings::FileName));
    command.run(hwnd(), hotkeyRegistration());
}

void MainWindow::attachDockerIfEnabled() {
    const Settings* settings = Settings::instance();
    if (settings != nullptr && settings->EnableAutoHide() != 0) docker_.attach(hwnd());
}

// ---- Teardown ----------------------------------------------------------------

bool MainWindow::onDestroy() {
    stopCapture();
    host_.mainWindowChanged(nullptr);
    docker_.detach();
    detachStores();
    destroyChildren();
    HWND owner = GetParent(hwnd());
    defaultProc(WM_DESTROY, 0, 0);
    // Last: the owner deletes this object once the window is fully gone.
    if (owner != nullptr) SendMessageW(owner, WM_MAIN_DESTROYED, 0, 0);
    return true;
}

void MainWindow::destroyChildren() {
    destroyChild(activeView_);
    destroyChild(favoritesView_);
    destroyChild(previewPane_);
    destroyChild(activeCaption_);
    destroyChild(favoritesCaption_);
    destroyChild(previewLabel_);
    destroyChild(favoritesSearch_);
    destroyChild(activeSearch_);
}

// ---- Capture and paste ---------------------------------------------------------

HotkeyRegistration* MainWindow::hotkeyRegistration() { return hotkeys_.get(); }

// The viewer chain is joined once the lists can show what it captures, and
// before the hotkeys are registered. The menu hotkey is registered only
// while the popup menu is switched on.
void MainWindow::startCapture() {
    const Settings* settings = Settings::instance();
    if (settings == nullptr) return;
    hotkeys_.reset(new (std::nothrow) HotkeyRegistrar(*settings, messages_));
    if (!hotkeys_) return;
    hotkeys_->setWindow(hwnd());
    pasteInjector_.reset(new (std::nothrow) PasteInjector(*hotkeys_));
    clipboardViewer_.reset(new (std::nothrow) ClipboardViewer(active_, *settings));
    if (clipboardViewer_) clipboardViewer_->join(hwnd());
    hotkeys_->registerEnabled();
    if (!pasteInjector_) return;
    quickPasteMenu_.reset(new (std::nothrow) QuickPasteMenu(favorites_, active_, *settings,
                                                           clipboard_, messages_,
                                                           *pasteInjector_));
    if (quickPasteMenu_) quickPasteMenu_->hook(hwnd());
}

void MainWindow::stopCapture() {
    if (clipboardViewer_) clipboardViewer_->leave();
    if (hotkeys_) hotkeys_->unregisterAll();
    if (quickPasteMenu_) quickPasteMenu_->unhook();
}
