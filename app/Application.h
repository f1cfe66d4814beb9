// The application object: makes sure only one copy runs, makes the
// program's folder the working directory, reads (or creates) the
// configuration, creates both lists and loads them, then runs the hidden
// owner window modally until the main window has been destroyed; at the end
// the lists are saved and released.
#pragma once

#include <memory>
#include <string>

#include "capture/win32/Win32Clipboard.h"
#include "core/ItemStore.h"
#include "core/StoreSaver.h"
#include "ui/MainWindowHost.h"
#include "core/win32/Handles.h"
#include "ui/framework/Win32MessageSink.h"

class BackgroundSave;
class MessageSink;
class SaveSoon;

class Application : public MainWindowHost, public StoreSaver {
public:
    static constexpr const char* MutexName = "PENNANT";
    // A copy of a data file that could not be read whole.
    static constexpr const char* DamagedPoolFileName = "poolfile.damaged.bin";

    enum class Start {
        Ready,           // stores loaded, the owner window may run
        AlreadyRunning,  // another copy runs; end at once with code 0
        Failed,          // no mutex (or no settings): nothing to run
    };

    // folder: where the program's files live (normally programFolder()).
    explicit Application(const std::string& folder);
    // The same with another sink for the messages (tests).
    Application(const std::string& folder, MessageSink& messages);
    ~Application() override;
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // The whole life of the program; returns the process exit code.
    int run();

    // Start-up up to the loaded stores.
    Start startUp();
    // Runs the owner window modally; returns when the program is to end.
    void runOwnerWindow();
    // Saves and releases the stores, then releases the settings.
    int exitInstance();

    // Saves both stores to the data file and keeps them.
    void saveStores() override;
    // Saves both stores, then releases them; a second call writes nothing.
    void shutdownStores();
    void mainWindowChanged(HWND window) override;
    // Both stores to the data file, failures told through messages.
    int writeStores(MessageSink& messages) override;

    ItemStore* activeStore() const { return active_.get(); }
    ItemStore* favoritesStore() const { return favorites_.get(); }
    MessageSink& messages() { return *messages_; }

private:
    void initialiseControls();
    Start createInstanceMutex();
    void showRunningInstance();
    void readConfiguration();
    void createStores();
    void loadStores();
    void keepDamagedPoolFile();
    // Saves the stores soon after each change while the main window lives.
    void startSavingSoon();

    std::string folder_;
    Win32MessageSink sink_;
    MessageSink* messages_;
    Win32Clipboard clipboard_;
    KernelHandle instanceMutex_;
    std::unique_ptr<OleSession> ole_;
    std::unique_ptr<ItemStore> active_;
    std::unique_ptr<ItemStore> favorites_;
    std::unique_ptr<BackgroundSave> backgroundSave_;
    std::unique_ptr<SaveSoon> saveSoon_;
};
