#include "ui/ListFileCommands.h"

#include <memory>

#include "core/ItemStore.h"
#include "core/MessageSink.h"
#include "core/TextCodec.h"
#include "core/UnicodeTextItem.h"
#include "storage/StoreFile.h"
#include "storage/TextListFile.h"
#include "ui/FileDialog.h"
#include "ui/ListOwner.h"
#include "ui/framework/Window.h"

namespace {

constexpr unsigned kStop = msgbox::Ok | msgbox::IconStop;

}  // namespace

ListFileCommands::ListFileCommands(ItemStore& store, ListOwner& owner, const std::string& folder)
    : store_(store), owner_(owner), folder_(folder) {}

bool ListFileCommands::keepCurrentEntries() {
    return owner_.messages().show("是否保留当前记录", msgbox::YesNo | msgbox::DefButton2) ==
           msgbox::IdYes;
}

void ListFileCommands::backUp() {
    FileDialog dialog(FileDialog::Kind::Backup, FileDialog::Mode::Save);
    if (!dialog.run(owner_.ownerWindow())) return;
    StoreFile files(folder_, owner_.messages());
    if (files.saveToFile(store_, wintext::narrow(dialog.path())) == 0) {
        owner_.messages().show("备份完成", msgbox::Ok);
    }
}

void ListFileCommands::restore() {
    FileDialog dialog(FileDialog::Kind::Backup, FileDialog::Mode::Open);
    if (!dialog.run(owner_.ownerWindow())) return;
    // Compared byte for byte: "BIN" is refused too.
    if (dialog.extension() != L"bin") {
        owner_.messages().show("只有使用(.bin)文件才能用于还原！", kStop);
        return;
    }
    const bool keep = keepCurrentEntries();
    if (loadBackup(wintext::narrow(dialog.path()), keep) == 0) {
        owner_.messages().show("还原完成", msgbox::Ok);
    }
}

// The replaced entries stay alive until the view has been rebuilt.
int ListFileCommands::loadBackup(const std::string& path, bool keep) {
    StoreFile files(folder_, owner_.messages());
    if (keep) {
        const int loaded = files.loadFromFile(store_, path);
        store_.notifyObserver();
        return loaded;
    }
    ItemStore::ItemList replaced = store_.takeItems();
    const int loaded = files.loadFromFile(store_, path);
    if (loaded != 0) store_.putBack(std::move(replaced));
    store_.notifyObserver();
    return loaded;
}

void ListFileCommands::importText() {
    FileDialog dialog(FileDialog::Kind::TextList, FileDialog::Mode::Open);
    if (!dialog.run(owner_.ownerWindow())) return;
    const bool keep = keepCurrentEntries();
    std::vector<std::string> entries;
    const TextListFile::Result read = TextListFile::read(wintext::narrow(dialog.path()), entries);
    if (read != TextListFile::Ok) {
        owner_.messages().show(read == TextListFile::OpenFailed ? "打开文件失败！" : "读文件错误！",
                               kStop);
        store_.notifyObserver();
        return;
    }
    addEntries(entries, keep);
    owner_.messages().show("导入完成", msgbox::Ok);
}

void ListFileCommands::addEntries(const std::vector<std::string>& entries, bool keep) {
    ItemStore::ItemList replaced;
    if (!keep) replaced = store_.takeItems();
    for (const std::string& entry : entries) {
        // Only a full list stops the import; a duplicate is skipped.
        if (store_.add(std::make_unique<UnicodeTextItem>(widen(entry)), 0) == -1) break;
    }
    store_.notifyObserver();
}

void ListFileCommands::exportText() {
    FileDialog dialog(FileDialog::Kind::TextList, FileDialog::Mode::Save);
    if (!dialog.run(owner_.ownerWindow())) return;
    std::vector<std::string> entries;
    for (const ClipItem* item : store_.snapshot()) entries.push_back(item->narrowText());
    switch (TextListFile::write(wintext::narrow(dialog.path()), entries)) {
    case TextListFile::Ok:
        owner_.messages().show("导出完成", msgbox::Ok);
        break;
    case TextListFile::OpenFailed:
        owner_.messages().show("打开文件失败！", kStop);
        break;
    default:
        owner_.messages().show("写入文件失败！", kStop);
        break;
    }
}
