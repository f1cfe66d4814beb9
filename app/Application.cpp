#include "app/Application.h"

#include <windows.h>
#include <commctrl.h>

#include <new>

#include "app/OwnerWindow.h"
#include "core/BackgroundSave.h"
#include "core/MessageSink.h"
#include "core/ProgramFolder.h"
#include "res/resource.h"
#include "storage/Settings.h"
#include "storage/StoreFile.h"
#include "ui/PrivateMessages.h"
#include "ui/SaveSoon.h"

Application::Application(const std::string& folder)
    : folder_(folder), messages_(&sink_) {}

Application::Application(const std::string& folder, MessageSink& messages)
    : folder_(folder), messages_(&messages) {}

Application::~Application() = default;

int Application::run() {
    const Start start = startUp();
    if (start == Start::AlreadyRunning) return 0;  // nothing loaded, nothing saved
    if (start == Start::Ready) runOwnerWindow();
    return exitInstance();
}

Application::Start Application::startUp() {
    initialiseControls();
    const Start mutex = createInstanceMutex();
    if (mutex != Start::Ready) return mutex;
    // A failure leaves the working directory as it is; the files are named
    // with the folder anyway.
    SetCurrentDirectoryA(folder_.c_str());
    if (Settings::instance() == nullptr) return Start::Failed;
    readConfiguration();
    createStores();
    loadStores();
    startSavingSoon();
    return Start::Ready;
}

void Application::initialiseControls() {
    INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX),
                                  ICC_WIN95_CLASSES | ICC_BAR_CLASSES | ICC_LISTVIEW_CLASSES |
                                      ICC_HOTKEY_CLASS | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    // OLE carries the clipboard data objects and drag and drop.
    if (!ole_) ole_.reset(new (std::nothrow) OleSession());
}

Application::Start Application::createInstanceMutex() {
    instanceMutex_.reset(CreateMutexA(nullptr, TRUE, MutexName));
    if (!instanceMutex_) {
        messages_->show("Fatal Error: CreateMutex failed!", msgbox::Ok | msgbox::IconStop);
        return Start::Failed;
    }
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        showRunningInstance();
        return Start::AlreadyRunning;
    }
    return Start::Ready;
}

// The other copy's main window comes to the front, even from the tray; a
// modal window open over it comes in front of it.
void Application::showRunningInstance() {
    const std::wstring title = wintext::loadString(IDS_PRODUCT_LINE);
    HWND running = FindWindowW(nullptr, title.c_str());
    if (running != nullptr) {
        ShowWindow(running, SW_SHOWNORMAL);
        DWORD_PTR modal = 0;
        const bool asked = SendMessageTimeoutW(GetAncestor(running, GA_ROOTOWNER), WM_MODAL_FRONT,
                                               0, 0, SMTO_ABORTIFHUNG, 2000, &modal) != 0;
        HWND front = reinterpret_cast<HWND>(modal);
        SetForegroundWindow(asked && front != nullptr && IsWindow(front) ? front : running);
    }
    messages_->show("程序的一个实例已经运行！", msgbox::Ok);
}

void Application::readConfiguration() {
    Settings* settings = Settings::instance();
    const std::string path = pathInFolder(folder_, Settings::FileName);
    if (settings->readConfig(path) != 0) settings->writeConfig(path, *messages_);
}

void Application::createStores() {
    const Settings& settings = *Settings::instance();
    active_.reset(new (std::nothrow) ItemStore(0, settings, *messages_));
    favorites_.reset(new (std::nothrow) ItemStore(1, settings, *messages_));
}

void Application::loadStores() {
    const int loaded = StoreFile(folder_, *messages_).loadAll(favorites_.get(), active_.get(),
                                                              StoreFile::PoolFileName);
    if (loaded != 0) keepDamagedPoolFile();
}

// The exit overwrites the data file with what could be read; a copy keeps
// the records that lay behind the damage.
void Application::keepDamagedPoolFile() {
    const std::string pool = pathInFolder(folder_, StoreFile::PoolFileName);
    WIN32_FILE_ATTRIBUTE_DATA attributes;
    if (!GetFileAttributesExA(pool.c_str(), GetFileExInfoStandard, &attributes)) return;
    if (attributes.nFileSizeLow == 0 && attributes.nFileSizeHigh == 0) return;
    CopyFileA(pool.c_str(), pathInFolder(folder_, DamagedPoolFileName).c_str(), FALSE);
}

// What was just read is what the file holds: the first save waits for a
// change.
void Application::startSavingSoon() {
    if (!active_ || !favorites_) return;
    backgroundSave_.reset(new (std::nothrow) BackgroundSave(*favorites_, *active_, *this, *messages_));
    if (!backgroundSave_) return;
    backgroundSave_->markSaved();
    saveSoon_.reset(new (std::nothrow) SaveSoon(*backgroundSave_));
    if (!saveSoon_) return;
    active_->setChangeListener(saveSoon_.get());
    favorites_->setChangeListener(saveSoon_.get());
}

void Application::runOwnerWindow() {
    if (!active_ || !favorites_) return;
    OwnerWindow owner(*active_, *favorites_, *messages_, clipboard_, *this);
    owner.doModal(nullptr);
}

int Application::exitInstance() {
    // The stores read their capacity from the settings: release them first.
    shutdownStores();
    Settings::destroyInstance();
    return 0;
}

void Application::saveStores() { writeStores(*messages_); }

int Application::writeStores(MessageSink& messages) {
    return StoreFile(folder_, messages).saveAll(favorites_.get(), active_.get(),
                                                StoreFile::PoolFileName);
}

void Application::shutdownStores() {
    saveStores();
    // The save that waits for changes goes before the stores it reads.
    if (active_) active_->setChangeListener(nullptr);
    if (favorites_) favorites_->setChangeListener(nullptr);
    saveSoon_.reset();
    backgroundSave_.reset();
    active_.reset();
    favorites_.reset();
}

void Application::mainWindowChanged(HWND window) {
    sink_.setOwner(window);
    clipboard_.setOwner(window);
    if (saveSoon_) saveSoon_->watch(window);
}
