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

bool isImageOrFiles(const ClipItem& item) {
    return item.format() == ClipItem::FormatDib || item.format() == ClipItem::FormatFileList;
}

}  // namespace

ListFileCommands::ListFileCommands(ItemStore& store, ListOwner& owner, const std::string& folder)
    : store_(store), owner_(owner), folder_(folder) {}

ListFileCommands::Keep ListFileCommands::keepCurrentEntries() {
    switch (owner_.messages().show("是否保留当前记录", msgbox::YesNo | msgbox::DefButton2)) {
    case msgbox::IdYes:
        return Keep::Yes;
    case msgbox::IdNo:
        return Keep::No;
    default:  // ended by an exit
        return Keep::Abandon;
    }
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
    const Keep keep = keepCurrentEntries();
    if (keep == Keep::Abandon) return;
    if (loadBackup(wintext::narrow(dialog.path()), keep == Keep::Yes) == 0) {
        owner_.messages().show("还原完成", msgbox::Ok);
    }
}

// A list to be replaced stays whole until its replacement has been read
// whole: the boxes shown meanwhile let saves (log-off, exit, save soon) and
// drops reach it.
int ListFileCommands::loadBackup(const std::string& path, bool keep) {
    StoreFile files(folder_, owner_.messages());
    if (keep) {
        const int loaded = files.loadFromFile(store_, path);
        store_.notifyObserver();
        return loaded;
    }
    const std::vector<ItemStore::Digest> before = store_.digests();
    std::unique_ptr<ItemStore> incoming = store_.emptyCopy();
    if (!incoming) return -1;
    const int loaded = files.loadFromFile(*incoming, path);
    if (loaded == 0) store_.replace(before, *incoming);
    store_.notifyObserver();
    return loaded;
}

void ListFileCommands::importText() {
    FileDialog dialog(FileDialog::Kind::TextList, FileDialog::Mode::Open);
    if (!dialog.run(owner_.ownerWindow())) return;
    const Keep keep = keepCurrentEntries();
    if (keep == Keep::Abandon) return;
    const TextListFile::Result read = readEntries(wintext::narrow(dialog.path()), keep == Keep::Yes);
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
// stops the reading (a duplicate is skipped). Without keep the entries are
// read aside and replace the list once the whole file has been read, so a
// save meanwhile writes the list whole. A file that cannot be opened, read
// to its end or held in memory leaves a list to be replaced as it was, and
// keeps what it added to a kept list.
TextListFile::Result ListFileCommands::readEntries(const std::string& path, bool keep) {
    const std::vector<ItemStore::Digest> before = store_.digests();
    std::unique_ptr<ItemStore> incoming = keep ? nullptr : store_.emptyCopy();
    if (!keep && !incoming) return TextListFile::NoMemory;
    ItemStore& target = incoming ? *incoming : store_;
    const TextListFile::Result read = TextListFile::read(path, [&](const std::u16string& entry) {
        return target.add(std::make_unique<UnicodeTextItem>(entry), 0) != -1;
    });
    if (read == TextListFile::Ok && incoming) store_.replace(before, *incoming);
    store_.notifyObserver();
    return read;
}

void ListFileCommands::exportText() {
    FileDialog dialog(FileDialog::Kind::TextList, FileDialog::Mode::Save);
    if (!dialog.run(owner_.ownerWindow())) return;
    std::vector<std::u16string> texts;
    // Images and files have no line of text: they are left out.
    for (const ClipItem* item : store_.snapshot()) {
        if (isImageOrFiles(*item)) continue;
        texts.push_back(textOf(*item));
    }
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
