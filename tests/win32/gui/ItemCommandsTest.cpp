// The lists' context menus and commands, with the real modify, alias and
// file dialogs; the favorites' drop target.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "ListHarness.h"
#include "TestDataObject.h"
#include "capture/ItemDragSource.h"
#include "capture/ItemDropTarget.h"
#include "core/BitmapItem.h"
#include "core/ClipBytes.h"
#include "core/FileListItem.h"
#include "core/win32/Handles.h"
#include "res/resource.h"

namespace {

using listharness::ListHarness;

// Answers the modal windows of one command, step by step, from a timer
// inside their modal loops: each step waits for a visible, enabled dialog
// with its title and acts on it.
class ModalScript {
public:
    using Step = std::function<void(HWND)>;
    ModalScript& on(const wchar_t* title, Step step) {
        steps_.push_back({title, std::move(step)});
        return *this;
    }
    // Runs the command while the steps play; false if one was missed.
    bool run(const std::function<void()>& command) {
        current_ = this;
        const UINT_PTR timer = SetTimer(nullptr, 0, 100, &tick);
        command();
        KillTimer(nullptr, timer);
        return next_ == steps_.size();
    }

private:
    static void CALLBACK tick(HWND, UINT, UINT_PTR, DWORD) {
        ModalScript& self = *current_;
        HWND found = self.next_ < self.steps_.size()
                         ? FindWindowW(L"#32770", self.steps_[self.next_].first)
                         : nullptr;
        if (found != nullptr && IsWindowVisible(found) && IsWindowEnabled(found)) {
            self.steps_[self.next_++].second(found);
        } else if (++self.idleTicks_ > 100 && GetActiveWindow() != nullptr) {
            PostMessageW(GetActiveWindow(), WM_COMMAND, IDCANCEL, 0);  // a missed step
        }
    }

    static ModalScript* current_;
    std::vector<std::pair<const wchar_t*, Step>> steps_;
    std::size_t next_ = 0;
    int idleTicks_ = 0;
};
ModalScript* ModalScript::current_ = nullptr;

void press(HWND dialog, int id) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}
std::wstring itemText(HWND dialog, int id) { return wintext::windowText(GetDlgItem(dialog, id)); }
// A file dialog: the file name typed in, then OK.
ModalScript::Step choose(const std::wstring& path) {
    return [path](HWND dialog) {
        SetDlgItemTextW(dialog, 0x47C, path.c_str());  // the file name box
        press(dialog, IDOK);
    };
}

std::u16string textOf(const ClipItem* item) {
    std::u16string text;
    for (std::int32_t i = 0; i + 1 < item->byteLength(); i += 2)
        text += static_cast<char16_t>(item->text()[i] | (item->text()[i + 1] << 8));
    return text;
}
std::vector<std::string> texts(const ItemStore& store) {
    std::vector<std::string> out;
    for (const ClipItem* item : store.snapshot()) out.push_back(item->narrowText());
    return out;
}
std::vector<std::string> shownTexts(const RecordingMessages& messages) {
    std::vector<std::string> out;
    for (const auto& shown : messages.shown) out.push_back(shown.text);
    return out;
}

std::wstring tempPath(const wchar_t* name) {
    wchar_t folder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    return std::wstring(folder) + name;
}

class ItemCommandsTest : public ::testing::Test {
protected:
    void command(ItemListCtrl& list, int id) { SendMessageW(list.hwnd(), WM_COMMAND, id, 0); }

    ListHarness lists;
};

// The open menu's entries ("id label", "-" for a separator), then closed.
std::vector<std::wstring> menuEntries;
void CALLBACK readMenu(HWND, UINT, UINT_PTR, DWORD) {
    HWND window = FindWindowW(L"#32768", nullptr);
    if (window == nullptr || !IsWindowVisible(window)) return;
    auto menu = reinterpret_cast<HMENU>(SendMessageW(window, MN_GETHMENU, 0, 0));
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        wchar_t label[64] = {};
        GetMenuStringW(menu, i, label, 64, MF_BYPOSITION);
        const bool separator = (GetMenuState(menu, i, MF_BYPOSITION) & MF_SEPARATOR) != 0;
        menuEntries.push_back(separator ? L"-"
                                        : std::to_wstring(GetMenuItemID(menu, i)) + L" " + label);
    }
    EndMenu();
}

// The menu of a list, read while it is open after a right click.
std::vector<std::wstring> menuAfterRightClick(ItemListCtrl& list) {
    menuEntries.clear();
    const UINT_PTR timer = SetTimer(nullptr, 0, 100, &readMenu);
    NMITEMACTIVATE click{};
    click.hdr = {list.hwnd(), 101, static_cast<UINT>(NM_RCLICK)};
    click.iItem = -1;  // an empty part of the list
    click.ptAction = {40, 120};
    SendMessageW(GetParent(list.hwnd()), WM_NOTIFY, 101, reinterpret_cast<LPARAM>(&click));
    KillTimer(nullptr, timer);
    return menuEntries;
}

TEST_F(ItemCommandsTest, RightClickOpensEachListsMenu) {
    EXPECT_EQ(menuAfterRightClick(lists.activeList),
              (std::vector<std::wstring>{L"105 添加至收藏夹(&M)", L"-", L"32774 删除(&D)",
                                         L"32775 删除所有(&L)"}));
    EXPECT_EQ(menuAfterRightClick(lists.favoritesList),
              (std::vector<std::wstring>{
                  L"111 修改(&M)", L"114 别名(&S)", L"32774 删除(&D)", L"32775 删除所有(&L)", L"-",
                  L"108 置顶(&T)", L"106 上移(&P)", L"107 下移(&N)", L"109 置底(&B)", L"-",
                  L"32781 备份(&C)", L"32780 还原(&R)", L"115 导入(&I)", L"116 导出(&E)"}));
}

TEST_F(ItemCommandsTest, ModifyRefusesTextsOfItsListAndKeepsWhatTheCodePageLacks) {
    lists.addFavorite(u"\U0001F600 snow\u2603", "mail");
    lists.addFavorite(u"other");
    lists.addActive(u"\U0001F600 snow\u2603!");
    ListHarness::selectRow(lists.favoritesList, 0);
    std::wstring shownText;
    std::vector<std::wstring> boxTexts;
    auto dismiss = [&](HWND box) {
        boxTexts.push_back(itemText(box, 0xFFFF));
        press(box, IDOK);
    };
    ModalScript script;
    script.on(L"修改", [&](HWND dialog) {
              shownText = itemText(dialog, IDC_EDIT_TEXT);
              press(dialog, IDOK);  // unchanged
          })
        .on(L"Quillbox", dismiss)
        .on(L"修改", [](HWND dialog) {
            SetDlgItemTextW(dialog, IDC_EDIT_TEXT, L"other");
            press(dialog, IDOK);
        })
        .on(L"Quillbox", dismiss)
        .on(L"修改", [](HWND dialog) {
            // Found only in the other list.
            SetDlgItemTextW(dialog, IDC_EDIT_TEXT, L"\U0001F600 snow\u2603!");
            PostMessageW(GetDlgItem(dialog, IDC_EDIT_TEXT), WM_KEYDOWN, VK_RETURN, 0);  // Enter is OK
        });
    ASSERT_TRUE(script.run([&] { command(lists.favoritesList, ID_MODIFY); }));
    EXPECT_EQ(shownText, L"\U0001F600 snow\u2603");
    EXPECT_EQ(boxTexts, (std::vector<std::wstring>{L"文本已存在！", L"文本已存在！"}));
    const ClipItem* edited = lists.favorites.itemAt(0);
    EXPECT_EQ(textOf(edited), u"\U0001F600 snow\u2603!");
    EXPECT_STREQ(edited->alias(), "mail");
}

TEST_F(ItemCommandsTest, AliasTakesAtMostThirtyBytesAndShowsTheTextReadOnly) {
    lists.addFavorite(u"first");
    lists.addFavorite(u"the text\r\nline two", "old");
    ListHarness::selectRow(lists.favoritesList, 1);
    std::wstring name, content;
    LONG_PTR contentStyle = 0;
    ModalScript script;
    script.on(L"别名", [&](HWND dialog) {
        name = itemText(dialog, IDC_ALIAS_NAME);
        content = itemText(dialog, IDC_ALIAS_CONTENT);
        contentStyle = GetWindowLongPtrW(GetDlgItem(dialog, IDC_ALIAS_CONTENT), GWL_STYLE);
        HWND field = GetDlgItem(dialog, IDC_ALIAS_NAME);
        SendMessageW(field, EM_SETSEL, 0, -1);
        // Pasted: 20 Chinese characters, 40 bytes.
        SendMessageW(field, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"一二三四五六七八九十甲乙丙丁戊己庚辛壬癸"));
        press(dialog, IDOK);
    });
    ASSERT_TRUE(script.run([&] { command(lists.favoritesList, ID_ALIAS); }));
    EXPECT_EQ(name, L"old");
    EXPECT_EQ(content, L"the text\r\nline two");
    EXPECT_TRUE(contentStyle & ES_READONLY);
    EXPECT_STREQ(lists.favorites.itemAt(1)->alias(), "一二三四五六七八九十甲乙丙丁戊");
}

// The alias is kept as narrow text: a name with a character the code page
// lacks is refused, never stored with question marks.
TEST_F(ItemCommandsTest, AliasWithCharactersOutsideTheCodePageIsRefused) {
    lists.addFavorite(u"the text", "old");
    ListHarness::selectRow(lists.favoritesList, 0);
    std::wstring message, nameAfter;
    ModalScript script;
    script.on(L"别名", [](HWND dialog) {
              SetDlgItemTextW(dialog, IDC_ALIAS_NAME, L"smile \U0001F600");
              press(dialog, IDOK);
          })
        .on(L"Quillbox", [&](HWND box) {
            message = itemText(box, 0xFFFF);
            press(box, IDOK);
        })
        .on(L"别名", [&](HWND dialog) {
            nameAfter = itemText(dialog, IDC_ALIAS_NAME);
            press(dialog, IDCANCEL);
        });
    ASSERT_TRUE(script.run([&] { command(lists.favoritesList, ID_ALIAS); }));
    EXPECT_EQ(message, L"别名含有无法保存的字符！");
    EXPECT_EQ(nameAfter, L"smile \U0001F600");
    EXPECT_STREQ(lists.favorites.itemAt(0)->alias(), "old");
}

TEST_F(ItemCommandsTest, CancelInModifyAndAliasLeavesTheItemAsItWas) {
    lists.addFavorite(u"kept text", "kept");
    ListHarness::selectRow(lists.favoritesList, 0);
    ASSERT_TRUE(ModalScript().on(L"修改", [](HWND dialog) {
        SetDlgItemTextW(dialog, IDC_EDIT_TEXT, L"changed");
        press(dialog, IDCANCEL);
    }).run([&] { command(lists.favoritesList, ID_MODIFY); }));
    ListHarness::selectRow(lists.favoritesList, 0);
    ASSERT_TRUE(ModalScript().on(L"别名", [](HWND dialog) {
        SetDlgItemTextW(dialog, IDC_ALIAS_NAME, L"changed");
        press(dialog, IDCANCEL);
    }).run([&] { command(lists.favoritesList, ID_ALIAS); }));
    EXPECT_EQ(textOf(lists.favorites.itemAt(0)), u"kept text");
    EXPECT_STREQ(lists.favorites.itemAt(0)->alias(), "kept");
}

// Each move on its own command; adding to the favorites and deleting show
// in the lists and the caption at once.
TEST_F(ItemCommandsTest, MovesAddingAndDeletingShowAtOnce) {
    for (const char16_t* t : {u"a", u"b", u"c", u"d"}) lists.addFavorite(t);
    const struct {
        int row, id;
        std::vector<std::string> order;
    } moves[] = {
        {1, ID_MOVE_DOWN, {"a", "c", "b", "d"}},
        {0, ID_MOVE_TO_BOTTOM, {"c", "b", "d", "a"}},
        {2, ID_MOVE_TO_TOP, {"d", "c", "b", "a"}},
        {1, ID_MOVE_UP, {"c", "d", "b", "a"}},
    };
    for (const auto& m : moves) {
        ListHarness::selectRow(lists.favoritesList, m.row);
        command(lists.favoritesList, m.id);
        EXPECT_EQ(texts(lists.favorites), m.order) << m.id;
        EXPECT_EQ(lists.favoritesList.cellText(0, 2), std::wstring(1, m.order[0][0])) << m.id;
    }

    lists.addActive(u"e");
    lists.addActive(u"a");
    ListHarness::selectRow(lists.activeList, 0);
    ListHarness::selectRow(lists.activeList, 1);
    command(lists.activeList, ID_ADD_TO_FAVORITES);
    EXPECT_EQ(shownTexts(lists.messages), std::vector<std::string>{"收藏夹中已有此文本！"});
    EXPECT_EQ(lists.favoritesList.rowCount(), 5);
    EXPECT_EQ(lists.favoritesList.cellText(4, 2), L"e");
    EXPECT_EQ(wintext::windowText(lists.owner.favoritesCaption), L"收藏夹：[5/10]");

    LVITEMW none{};
    none.stateMask = LVIS_SELECTED;
    SendMessageW(lists.activeList.hwnd(), LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&none));
    ListHarness::selectRow(lists.activeList, 1);
    SendMessageW(lists.activeList.hwnd(), WM_KEYDOWN, VK_DELETE, 0);
    EXPECT_EQ(texts(lists.active), std::vector<std::string>{"e"});
    EXPECT_EQ(lists.activeList.rowCount(), 1);
    command(lists.activeList, ID_DELETE_ALL);
    EXPECT_EQ(lists.active.count(), 0);
    EXPECT_EQ(lists.activeList.rowCount(), 0);
    EXPECT_EQ(wintext::windowText(lists.owner.activeCaption), L"活动列表：[0/50]");
}

// Export writes the whole list whatever is searched or selected; import
// with Yes appends, skips duplicates and stops at the first that does not fit.
TEST_F(ItemCommandsTest, ExportTakesTheWholeListAndImportAppendsUntilFull) {
    const std::wstring file = tempPath(L"qb-commands-export.txt");
    DeleteFileW(file.c_str());
    for (const char16_t* t : {u"a", u"b", u"c"}) lists.addFavorite(t);
    ASSERT_EQ(lists.favorites.setSearchText("b"), 0);
    lists.favorites.notifyObserver();
    ListHarness::selectRow(lists.favoritesList, 0);
    ASSERT_TRUE(ModalScript().on(L"另存为", choose(file)).run([&] {
        command(lists.favoritesList, ID_EXPORT);
    }));
    std::ifstream written(std::filesystem::path(file), std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(written), std::istreambuf_iterator<char>()), "a\r\nb\r\nc");
    written.close();
    EXPECT_EQ(shownTexts(lists.messages), std::vector<std::string>{"导出完成"});

    lists.messages.shown.clear();
    lists.messages.answer = msgbox::IdYes;
    lists.settings.MaxFavoriteItemNum(4);
    std::ofstream(std::filesystem::path(file), std::ios::binary) << "b\r\nx\r\ny\r\nz";
    ASSERT_TRUE(ModalScript().on(L"打开", choose(file)).run([&] {
        command(lists.favoritesList, ID_IMPORT);
    }));
    EXPECT_EQ(texts(lists.favorites), (std::vector<std::string>{"a", "b", "c", "x"}));
    EXPECT_EQ(shownTexts(lists.messages),
              (std::vector<std::string>{"是否保留当前记录", "收藏夹中已有此文本！",
                                        "收藏夹内容已满，请删除多余项后再添加！", "导入完成"}));
    DeleteFileW(file.c_str());
}

// A file that cannot be made, replaced or read: its message, and the file
// and the list as they were.
TEST_F(ItemCommandsTest, ExportAndImportFailuresShowTheirMessages) {
    lists.addFavorite(u"kept");
    const std::wstring file = tempPath(L"qb-commands-held.txt");
    std::ofstream(std::filesystem::path(file), std::ios::binary) << "old";
    auto exportTo = [&](const std::wstring& path, bool replaces) {
        lists.messages.shown.clear();
        ModalScript script;
        script.on(L"另存为", choose(path));
        if (replaces) script.on(nullptr, [](HWND box) { press(box, IDYES); });  // replace it? (no title)
        return script.run([&] { command(lists.favoritesList, ID_EXPORT); });
    };
    ASSERT_TRUE(exportTo(tempPath(L"qb-no-such-folder\\list.txt"), false));
    EXPECT_EQ(shownTexts(lists.messages), std::vector<std::string>{"打开文件失败！"});

    // Held open by another program that does not let it be replaced.
    KernelHandle held(CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_NE(held.get(), INVALID_HANDLE_VALUE);
    ASSERT_TRUE(exportTo(file, true));
    EXPECT_EQ(shownTexts(lists.messages), std::vector<std::string>{"写入文件失败！"});

    // Opened, but no byte of it can be read (a read of a process's memory
    // at address 0 fails).
    lists.messages.shown.clear();
    lists.messages.answer = msgbox::IdYes;
    ASSERT_TRUE(ModalScript().on(L"打开", choose(L"Z:\\proc\\self\\mem")).run([&] {
        command(lists.favoritesList, ID_IMPORT);
    }));
    ASSERT_GE(lists.messages.shown.size(), 2u);
    EXPECT_EQ(lists.messages.shown[1].text, "读文件错误！");
    EXPECT_EQ(lists.messages.shown[1].style, msgbox::Ok | msgbox::IconStop);
    EXPECT_EQ(texts(lists.favorites), std::vector<std::string>{"kept"});
    held.reset();
    std::ifstream left(std::filesystem::path(file), std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(left), std::istreambuf_iterator<char>()), "old");
    left.close();
    DeleteFileW(file.c_str());
}

// An image or a set of files has no text to edit or to write as a line.
TEST_F(ItemCommandsTest, ImagesAndFilesAreNeitherModifiedNorExported) {
    const std::wstring file = tempPath(L"qb-commands-export-kinds.txt");
    DeleteFileW(file.c_str());
    lists.addFavorite(u"a");
    const auto dib = dibBytes(2, 3);
    const auto drop = dropFilesBytes({u"C:\\x.txt"});
    auto image = std::make_unique<BitmapItem>();
    image->setText(dib.data(), static_cast<std::int32_t>(dib.size()));
    auto files = std::make_unique<FileListItem>();
    files->setText(drop.data(), static_cast<std::int32_t>(drop.size()));
    ASSERT_EQ(0, lists.favorites.add(std::move(image), 0));
    ASSERT_EQ(0, lists.favorites.add(std::move(files), 0));
    lists.favorites.notifyObserver();
    for (int row : {2, 1}) {  // the files, then the image first among the selected
        ListHarness::selectRow(lists.favoritesList, row);
        EXPECT_FALSE(ModalScript()
                         .on(L"修改", [](HWND dialog) { press(dialog, IDCANCEL); })
                         .run([&] { command(lists.favoritesList, ID_MODIFY); }));
    }
    EXPECT_EQ(shownTexts(lists.messages),
              (std::vector<std::string>{"图片和文件不能修改！", "图片和文件不能修改！"}));
    lists.messages.shown.clear();
    ASSERT_TRUE(ModalScript().on(L"另存为", choose(file)).run([&] {
        command(lists.favoritesList, ID_EXPORT);
    }));
    std::ifstream written(std::filesystem::path(file), std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(written), std::istreambuf_iterator<char>()), "a");
    written.close();
    DeleteFileW(file.c_str());
}

TEST_F(ItemCommandsTest, RestoreReplacesOnlyWhenTheBackupHasBeenRead) {
    const std::wstring backup = tempPath(L"qb-commands-test.bin");
    const std::wstring damaged = tempPath(L"qb-commands-damaged.bin");
    lists.addFavorite(u"a");
    lists.addFavorite(u"b");
    ASSERT_TRUE(ModalScript().on(L"另存为", choose(backup)).run([&] {
        command(lists.favoritesList, ID_BACKUP);
    }));
    EXPECT_EQ(shownTexts(lists.messages), std::vector<std::string>{"备份完成"});
    command(lists.favoritesList, ID_DELETE_ALL);
    lists.addFavorite(u"c");

    auto restore = [&](const std::wstring& path, int answer) {
        lists.messages.shown.clear();
        lists.messages.answer = answer;
        return ModalScript().on(L"打开", choose(path)).run([&] {
            command(lists.favoritesList, ID_RESTORE);
        });
    };
    ASSERT_TRUE(restore(backup, msgbox::IdYes));
    EXPECT_EQ(texts(lists.favorites), (std::vector<std::string>{"c", "a", "b"}));
    EXPECT_EQ(shownTexts(lists.messages), (std::vector<std::string>{"是否保留当前记录", "还原完成"}));
    EXPECT_EQ(lists.messages.shown[0].style, msgbox::YesNo | msgbox::DefButton2);

    ASSERT_TRUE(restore(backup, msgbox::IdNo));
    EXPECT_EQ(texts(lists.favorites), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(lists.favoritesList.rowCount(), 2);

    // Upper-case extension: refused before anything is asked.
    ASSERT_TRUE(restore(tempPath(L"qb-commands-test.BIN"), msgbox::IdNo));
    EXPECT_EQ(shownTexts(lists.messages),
              (std::vector<std::string>{"只有使用(.bin)文件才能用于还原！"}));
    EXPECT_EQ(lists.messages.shown[0].style, msgbox::Ok | msgbox::IconStop);

    // A record cut short: the message, and the list as it was.
    std::ofstream(std::filesystem::path(damaged), std::ios::binary).write("\x0A\0\0\0\x46\0\0\0\1\2", 10);
    ASSERT_TRUE(restore(damaged, msgbox::IdNo));
    EXPECT_EQ(texts(lists.favorites), (std::vector<std::string>{"a", "b"}));
    ASSERT_EQ(lists.messages.shown.size(), 2u);
    EXPECT_EQ(lists.messages.shown[1].text.rfind("文件格式错误1！", 0), 0u);

    // An import whose file cannot be opened keeps the list too.
    lists.messages.shown.clear();
    ASSERT_TRUE(ModalScript().on(L"打开", choose(tempPath(L"qb-commands-none.txt"))).run([&] {
        command(lists.favoritesList, ID_IMPORT);
    }));
    EXPECT_EQ(shownTexts(lists.messages), (std::vector<std::string>{"是否保留当前记录", "打开文件失败！"}));
    EXPECT_EQ(texts(lists.favorites), (std::vector<std::string>{"a", "b"}));
    DeleteFileW(backup.c_str());
    DeleteFileW(damaged.c_str());
}

TEST_F(ItemCommandsTest, OnlyTheFavoritesTakeDroppedText) {
    // A second registration fails only where the list registered itself.
    ComPtr<ItemDropTarget> probe(ItemDropTarget::create(nullptr));
    EXPECT_EQ(RegisterDragDrop(lists.favoritesList.hwnd(), probe.get()), DRAGDROP_E_ALREADYREGISTERED);
    ASSERT_EQ(RegisterDragDrop(lists.activeList.hwnd(), probe.get()), S_OK);
    RevokeDragDrop(lists.activeList.hwnd());

    // Text becomes a favorite at the bottom; anything not kept adds nothing.
    lists.addFavorite(u"first");
    ComPtr<ItemDropTarget> target(ItemDropTarget::create(&lists.favorites));
    ComPtr<TestDataObject> files(new TestDataObject());
    files->offer(CF_RIFF, "x", 1);
    DWORD effect = DROPEFFECT_COPY | DROPEFFECT_LINK;
    target->DragEnter(files.get(), 0, {}, &effect);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_LINK));
    effect = DROPEFFECT_COPY;  // a source that does not allow linking
    target->DragOver(0, {}, &effect);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
    target->Drop(files.get(), 0, {}, &effect);
    ComPtr<TestDataObject> text(new TestDataObject());
    text->offerAnsi("dropped 文本");
    effect = DROPEFFECT_COPY;
    target->Drop(text.get(), 0, {}, &effect);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY));
    EXPECT_EQ(texts(lists.favorites), (std::vector<std::string>{"first", "dropped 文本"}));
    EXPECT_EQ(text->references(), 1u);
    EXPECT_EQ(lists.favoritesList.rowCount(), 2);
    EXPECT_EQ(wintext::windowText(lists.owner.favoritesCaption), L"收藏夹：[2/10]");

    // A favorite dragged onto the favorites again.
    ComPtr<TestDataObject> again(new TestDataObject());
    again->offerUnicode(u"first");
    target->Drop(again.get(), 0, {}, &effect);
    EXPECT_EQ(shownTexts(lists.messages), std::vector<std::string>{"收藏夹中已有此文本！"});
    EXPECT_EQ(lists.favorites.count(), 2);
}

// Images and files dropped on the favorites are read as a copy is.
TEST_F(ItemCommandsTest, DroppedImagesAndFilesBecomeFavorites) {
    const std::vector<unsigned char> files = {
        20, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0,
        'C', 0, ':', 0, '\\', 0, 'a', 0, '.', 0, 't', 0, 'x', 0, 't', 0, 0, 0,
        'D', 0, ':', 0, '\\', 0, 'b', 0, '.', 0, 'b', 0, 'i', 0, 'n', 0, 0, 0, 0, 0};
    // A PNG of 4 × 5 red pixels, 8-bit RGB.
    const std::vector<unsigned char> png = {
        0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A, 0x00, 0x00, 0x00, 0x0D, 0x49, 0x48, 0x44,
        0x52, 0x00, 0x00, 0x00, 0x04, 0x00, 0x00, 0x00, 0x05, 0x08, 0x02, 0x00, 0x00, 0x00, 0xED,
        0xCF, 0xDA, 0x8C, 0x00, 0x00, 0x00, 0x10, 0x49, 0x44, 0x41, 0x54, 0x78, 0x9C, 0x63, 0xF8,
        0xCF, 0xC0, 0x00, 0x47, 0x0C, 0x64, 0x70, 0x00, 0x9B, 0xC1, 0x13, 0xED, 0x06, 0x13, 0xD0,
        0x0A, 0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4E, 0x44, 0xAE, 0x42, 0x60, 0x82};
    // The header claims 10000 × 10000 at 32 bits; the block is 44 bytes. The
    // bytes are what counts: kept as they are, shown as unreadable.
    auto lying = dibBytes(1, 1, 32);
    lying[4] = lying[8] = 0x10;
    lying[5] = lying[9] = 0x27;
    auto huge = dibBytes(2, 3);
    huge.resize(32 * 1024 * 1024 + 1);
    const auto pngFormat = static_cast<CLIPFORMAT>(RegisterClipboardFormatW(L"PNG"));
    struct Case {
        const char* name;
        CLIPFORMAT format;
        std::vector<unsigned char> bytes;
        const char* caption;  // none: nothing kept
        bool keptAsGiven;
    } cases[] = {
        {"files", CF_HDROP, files, "[文件] a.txt; b.bin", true},
        {"DIB", CF_DIB, dibBytes(2, 3), "[图片 2×3]", true},
        {"PNG only", pngFormat, png, "[图片 4×5]", false},
        {"a header that lies", CF_DIB, lying, "[图片 ?]", true},
        {"over 32 MB", CF_DIB, huge, nullptr, false},
    };
    ComPtr<ItemDropTarget> target(ItemDropTarget::create(&lists.favorites));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ComPtr<TestDataObject> data(new TestDataObject());
        data->offer(c.format, c.bytes.data(), c.bytes.size());
        DWORD effect = DROPEFFECT_COPY | DROPEFFECT_LINK;
        target->DragEnter(data.get(), 0, {}, &effect);
        EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY));
        const int before = lists.favorites.count();
        target->Drop(data.get(), 0, {}, &effect);
        if (c.caption == nullptr) {
            EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
            EXPECT_EQ(lists.favorites.count(), before);
            continue;
        }
        EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY));
        EXPECT_EQ(lists.favorites.count(), before + 1);
        if (lists.favorites.count() != before + 1) continue;
        const ClipItem* item = lists.favorites.snapshot().back();
        EXPECT_EQ(item->summary(), c.caption);
        if (c.keptAsGiven) {
            EXPECT_EQ(std::vector<unsigned char>(item->text(), item->text() + item->byteLength()),
                      c.bytes);
        }
    }
    EXPECT_EQ(lists.favoritesList.rowCount(), 4);
    EXPECT_TRUE(lists.messages.shown.empty());

    // The same files again, as a favorite dragged onto the favorites.
    ComPtr<TestDataObject> again(new TestDataObject());
    again->offer(CF_HDROP, files.data(), files.size());
    DWORD effect = DROPEFFECT_COPY;
    target->Drop(again.get(), 0, {}, &effect);
    EXPECT_EQ(shownTexts(lists.messages), std::vector<std::string>{"收藏夹中已有此文本！"});
    EXPECT_EQ(lists.favorites.count(), 4);
}

// A drag out of a list offers each kind of its rows, copied when it begins.
TEST_F(ItemCommandsTest, DraggedRowsOfferTextImageAndFiles) {
    const auto files = [](const std::u16string& path) {
        auto item = std::make_unique<FileListItem>();
        const auto bytes = dropFilesBytes({path});
        item->setText(bytes.data(), static_cast<std::int32_t>(bytes.size()));
        return item;
    };
    const auto image = [](std::int32_t width) {
        auto item = std::make_unique<BitmapItem>();
        const auto bytes = dibBytes(width, 3);
        item->setText(bytes.data(), static_cast<std::int32_t>(bytes.size()));
        return item;
    };
    DraggedItems mixed, images;
    {
        std::vector<std::unique_ptr<ClipItem>> rows;
        rows.push_back(std::make_unique<UnicodeTextItem>(u"t1"));
        rows.push_back(image(2));
        rows.push_back(files(u"C:\\a.txt"));
        rows.push_back(std::make_unique<UnicodeTextItem>(u"t2"));
        rows.push_back(image(1));
        rows.push_back(files(u"D:\\b.bin"));
        for (const auto& row : rows) mixed.add(*row);
        images.add(*rows[1]);
    }
    ComPtr<ItemDragSource> source(ItemDragSource::create(std::move(mixed)));
    const auto got = [&](CLIPFORMAT format) {
        FORMATETC wanted{format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
        StorageMedium medium;
        if (source->GetData(&wanted, medium.receive()) != S_OK) return std::string("(none)");
        medium.markReceived();
        GlobalLockView block(medium.get().hGlobal);
        return std::string(static_cast<const char*>(block.data()), block.size());
    };
    const auto offered = [&] {
        ComPtr<IEnumFORMATETC> formats;
        std::vector<CLIPFORMAT> out;
        if (source->EnumFormatEtc(DATADIR_GET, formats.receive()) != S_OK) return out;
        FORMATETC one{};
        while (formats->Next(1, &one, nullptr) == S_OK) out.push_back(one.cfFormat);
        return out;
    };
    EXPECT_EQ(offered(), (std::vector<CLIPFORMAT>{1, 8, 15}));
    EXPECT_EQ(got(CF_TEXT), std::string("t1\r\nt2\r\n", 9));
    const auto dib = dibBytes(2, 3);
    EXPECT_EQ(got(CF_DIB), std::string(dib.begin(), dib.end()));
    EXPECT_EQ(got(CF_HDROP), std::string("\x14\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\x01\0\0\0"
                                         "C\0:\0\\\0a\0.\0t\0x\0t\0\0\0"
                                         "D\0:\0\\\0b\0.\0b\0i\0n\0\0\0\0\0",
                                         58));
    EXPECT_EQ(got(CF_UNICODETEXT), "(none)");

    // Images alone carry no text, so the favorites take the image.
    source = ComPtr<ItemDragSource>(ItemDragSource::create(std::move(images)));
    EXPECT_EQ(offered(), (std::vector<CLIPFORMAT>{8}));
    ComPtr<ItemDropTarget> target(ItemDropTarget::create(&lists.favorites));
    DWORD effect = DROPEFFECT_COPY;
    target->Drop(source.get(), 0, {}, &effect);
    ASSERT_EQ(lists.favorites.count(), 1);
    EXPECT_EQ(lists.favorites.snapshot()[0]->summary(), "[图片 2×3]");
}

}  // namespace
