#include "perf/ProbeFolder.h"

#include <windows.h>

#include <memory>

#include "core/ItemStore.h"
#include "core/MessageSink.h"
#include "core/StoreCapacity.h"
#include "core/UnicodeTextItem.h"
#include "e2e/ProcessDriver.h"
#include "storage/StoreFile.h"

namespace {

class Maxima : public StoreCapacity, public MessageSink {
public:
    std::int32_t activeCapacity() const override { return 100; }
    std::int32_t favoritesCapacity() const override { return 10; }
    int show(const std::string&, unsigned) override { return msgbox::IdOk; }
};

std::u16string sampleText(int seed, std::size_t units) {
    static const char16_t pieces[] = u"剪贴板中的文本 Clipboard text 0123456789 ";
    const std::size_t count = sizeof pieces / sizeof pieces[0] - 1;
    std::u16string text;
    for (char c : "#" + std::to_string(seed) + " ") text += static_cast<char16_t>(c);
    while (text.size() < units) text += pieces[(text.size() + seed) % count];
    return text;
}

std::string narrowPath(const std::wstring& path) {
    const int n = WideCharToMultiByte(CP_ACP, 0, path.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string out(n > 0 ? n - 1 : 0, '\0');
    if (n > 1) WideCharToMultiByte(CP_ACP, 0, path.c_str(), -1, &out[0], n, nullptr, nullptr);
    return out;
}

}  // namespace

bool ProbeFolder::prepare(const std::wstring& folder, const std::wstring& quillboxExe) {
    CreateDirectoryW(folder.c_str(), nullptr);
    if (!CopyFileW(quillboxExe.c_str(), programIn(folder).c_str(), FALSE)) return false;
    const std::string config = "MaxActiveItemNum=100\r\nPopupShowInfo=3\r\n";
    if (!e2e::writeFile(folder + L"\\Inkwell.cfg",
                        std::vector<unsigned char>(config.begin(), config.end())))
        return false;

    Maxima maxima;
    ItemStore favorites(1, maxima, maxima);
    ItemStore active(0, maxima, maxima);
    for (int i = 0; i < 10; ++i) favorites.add(std::make_unique<UnicodeTextItem>(sampleText(i, 512)), 0);
    for (int i = 0; i < 100; ++i)
        active.add(std::make_unique<UnicodeTextItem>(sampleText(1000 + i, 512)), 0);
    StoreFile file(narrowPath(folder), maxima);
    return file.saveAll(&favorites, &active, StoreFile::PoolFileName) == 0;
}

bool ProbeFolder::prepareEmpty(const std::wstring& folder) {
    for (const wchar_t* name : {L"\\poolfile.bin", L"\\Inkwell.cfg"}) {
        const std::wstring path = folder + name;
        if (!DeleteFileW(path.c_str()) && GetLastError() != ERROR_FILE_NOT_FOUND) return false;
    }
    return true;
}
