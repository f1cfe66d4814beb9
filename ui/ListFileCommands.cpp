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

// The item's UTF-16LE text bytes as a string.
std::u16string textOf(const ClipItem& item) {
    std::u16string text(static_cast<std::size_t>(item.byteLength() / 2), u'\0');
    const unsigned char* bytes = item.text();
    for (std::size_t i = 0; i < text.size(); ++i)
        text[i] = static_cast<char16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
    return text;
}

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
    const TextListFile::Result read = readEntries(wintext::narrow(dialog.path()), keep);
    if (read != TextListFile::Ok) {
        const char* text = read == TextListFile::OpenFailed  ? "打开文件失败！"
                           : read == TextListFile::NoMemory ? "内存分配失败！"
                                                            : "读文件错误！";
        owner_.messages().show(text, kStop);
        return;
    }
    owner_.messages().show("导入完成", msgbox::Ok);
}

// Each entry is added as soon as its line has been read; only a full list
// stops the reading (a duplicate is skipped). A file that cannot be opened
// changes nothing; one that cannot be read to its end, or not held in
// memory, keeps what it added to a kept list, and gives back whole a list
// it was to replace.
TextListFile::Result ListFileCommands::readEntries(const std::string& path, bool keep) {
    ItemStore::ItemList replaced;
    bool taken = false;
    const auto takeOnce = [&] {
        if (!keep && !taken) replaced = store_.takeItems();
        taken = true;
    };
    const TextListFile::Result read = TextListFile::read(path, [&](const std::u16string& entry) {
        takeOnce();
        return store_.add(std::make_unique<UnicodeTextItem>(entry), 0) != -1;
    });
    if (read == TextListFile::Ok) {
        takeOnce();  // an empty file still replaces the list
    } else if (!keep && taken) {
        store_.putBack(std::move(replaced));
    }
    store_.notifyObserver();
    return read;
}

void ListFileCommands::exportText() {
    FileDialog dialog(FileDialog::Kind::TextList, FileDialog::Mode::Save);
    if (!dialog.run(owner_.ownerWindow())) return;
    std::vector<std::u16string> texts;
    for (const ClipItem* item : store_.snapshot()) texts.push_back(textOf(*item));
    switch (TextListFile::write(wintext::narrow(dialog.path()), texts)) {
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
