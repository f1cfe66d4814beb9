// The program's visible window: a narrow, topmost, resizable dialog with a
// toolbar, the favorites and the active list one above the other (each with
// a caption showing its fill level and a search box), and a preview pane
// below them. Created modelessly by the hidden owner window, whose message
// WM_MAIN_DESTROYED it sends last while it is destroyed. Closing it only
// hides it; the confirmed exit command destroys it.
#pragma once

#include <memory>

#include "core/DpiScale.h"
#include "core/win32/RunKeyStartupEntry.h"
#include "ui/AutoHideDocker.h"
#include "ui/CStaticLink.h"
#include "ui/CTrayIcon.h"
#include "ui/ListOwner.h"
#include "ui/MainToolbar.h"
#include "ui/framework/Dialog.h"
#include "core/win32/Handles.h"

class Clipboard;
class ClipboardViewer;
class HotkeyRegistrar;
class HotkeyRegistration;
class ItemListCtrl;
class ItemStore;
class MainLayout;
struct Rect;
class MainWindowHost;
class MessageSink;
class PasteInjector;
class PreviewPane;
class QuickPasteMenu;
class SearchBox;

class MainWindow : public Dialog, public ListOwner {
public:
    MainWindow(ItemStore& active, ItemStore& favorites, MessageSink& messages,
               Clipboard& clipboard, MainWindowHost& host);
    ~MainWindow() override;

    // ListOwner
    HWND captionLabelFor(const ItemStore& store) const override;
    ItemStore& favoritesStore() override { return favorites_; }
    Clipboard& clipboard() override { return clipboard_; }
    MessageSink& messages() override { return messages_; }
    HWND ownerWindow() const override { return hwnd(); }
    void pasteIntoWindow(HWND target) override;

    bool preTranslateMessage(MSG& msg) override;

    // Shows the window again (tray icon, "open main window").
    void bringBack();

    const MainToolbar& toolbar() const { return toolbar_; }
    CTrayIcon& trayIcon() { return trayIcon_; }
    CStaticLink& webLogLink() { return webLogLink_; }
    ItemListCtrl* activeView() const { return activeView_.get(); }
    ItemListCtrl* favoritesView() const { return favoritesView_.get(); }
    PreviewPane* previewPane() const { return previewPane_.get(); }
    SearchBox* activeSearch() const { return activeSearch_.get(); }
    SearchBox* favoritesSearch() const { return favoritesSearch_.get(); }
    HWND previewLabel() const;
    int startupHidesLeft() const { return startupHidesLeft_; }
    // The DPI the window is laid out for: its monitor's.
    int dpi() const { return dpi_; }
    AutoHideDocker& docker() { return docker_; }

    // Capture and paste: the system-wide hotkeys, which the settings
    // command lifts while its dialog is open (null before the window
    // exists), the clipboard viewer and the quick-paste menu.
    HotkeyRegistration* hotkeyRegistration();
    const ClipboardViewer* clipboardViewer() const { return clipboardViewer_.get(); }
    const QuickPasteMenu* quickPasteMenu() const { return quickPasteMenu_.get(); }

protected:
    bool onInitDialog() override;
    bool onCommand(int id, int code, HWND control) override;
    bool onSize(UINT type, int cx, int cy) override;
    bool onClose() override;
    bool onDestroy() override;
    bool onNcPaint(HRGN region) override;
    bool onSysCommand(UINT command, LPARAM lParam) override;
    bool onMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void addAboutToSystemMenu();
    void setIcons();
    void createChildren();
    void createLists(const MainLayout& layout);
    void createListGroup(ItemStore& store, const Rect& viewRect, const Rect& captionRect,
                         const Rect& searchRect, int searchId,
                         std::unique_ptr<ItemListCtrl>& view, std::unique_ptr<Window>& caption,
                         std::unique_ptr<SearchBox>& search);
    std::unique_ptr<Window> createLabel(const wchar_t* text, const RECT& rect);
    void placeWindow();
    // Fonts, toolbar images, list rows and icons for the monitor's DPI.
    void rememberTemplateFont();
    void applyDpi(int dpi);
    void applyFont();
    HFONT textFont() const;
    int lineHeight() const;
    LRESULT onDpiChanged(WPARAM wParam, LPARAM lParam);
    void attachStores();
    void detachStores();
    MainLayout currentLayout() const;
    void layoutChildren();
    void setColumnWidths(const ItemListCtrl* view, const int* widths, int count);
    void destroyChildren();

    void confirmExit();
    void showAbout();
    void openHelp();
    LRESULT onTrayCallback(WPARAM wParam, LPARAM lParam);

    // Settings and edge docking.
    void openSettings();
    void attachDockerIfEnabled();
    // The hotkeys the settings command lifts while its dialog is open.
    // Joins the clipboard viewer chain, registers the hotkeys and starts
    // answering them; stopCapture undoes it in the reverse order.
    void startCapture();
    void stopCapture();

    // Members in the order they come to life.
    MainToolbar toolbar_;
    CStaticLink webLogLink_;
    CTrayIcon trayIcon_;
    IconHandle bigIcon_;
    IconHandle smallIcon_;
    int dpi_ = DpiScale::Standard;
    // The template's font as the dialog manager made it, at the DPI it was
    // made for; scaledFont_ is that font for another DPI (empty at its own).
    LOGFONTW templateFont_{};
    int templateDpi_ = DpiScale::Standard;
    GdiObject scaledFont_;
    ItemStore& active_;
    ItemStore& favorites_;
    MessageSink& messages_;
    Clipboard& clipboard_;
    MainWindowHost& host_;
    std::unique_ptr<ItemListCtrl> activeView_;
    std::unique_ptr<ItemListCtrl> favoritesView_;
    std::unique_ptr<PreviewPane> previewPane_;
    std::unique_ptr<Window> previewLabel_;
    std::unique_ptr<Window> activeCaption_;
    std::unique_ptr<Window> favoritesCaption_;
    std::unique_ptr<SearchBox> activeSearch_;
    std::unique_ptr<SearchBox> favoritesSearch_;
    // With StartupMinimized the first two frame paints hide the window
    // instead, so it never shows at start.
    int startupHidesLeft_ = 2;
    AutoHideDocker docker_;
    RunKeyStartupEntry startupEntry_;

    // Capture and paste, created when the window exists.
    std::unique_ptr<HotkeyRegistrar> hotkeys_;
    std::unique_ptr<PasteInjector> pasteInjector_;
    std::unique_ptr<ClipboardViewer> clipboardViewer_;
    std::unique_ptr<QuickPasteMenu> quickPasteMenu_;
};
