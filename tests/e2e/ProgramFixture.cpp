#include "e2e/ProgramFixture.h"

#include <cstring>
#include <sstream>

#include "core/ItemStore.h"
#include "core/Md5.h"
#include "core/MessageSink.h"
#include "core/StoreCapacity.h"
#include "e2e/DesktopPeer.h"
#include "storage/StoreFile.h"

namespace e2e {

namespace {

void putU16(std::vector<unsigned char>& out, std::uint16_t v) {
    out.push_back(static_cast<unsigned char>(v & 0xFF));
    out.push_back(static_cast<unsigned char>(v >> 8));
}

void putI32(std::vector<unsigned char>& out, std::int32_t value) {
    auto v = static_cast<std::uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8) {
        out.push_back(static_cast<unsigned char>((v >> shift) & 0xFF));
    }
}

std::vector<unsigned char> utf16le(const std::u16string& text) {
    std::vector<unsigned char> bytes;
    for (char16_t unit : text) putU16(bytes, static_cast<std::uint16_t>(unit));
    return bytes;
}

std::string narrow(const std::wstring& s) {
    std::string out;
    for (wchar_t c : s) out.push_back(c < 0x80 ? static_cast<char>(c) : '?');
    return out;
}

std::wstring tempFolder() {
    wchar_t buffer[MAX_PATH] = {};
    DWORD n = GetTempPathW(MAX_PATH, buffer);
    std::wstring path(buffer, (n > 0 && n < MAX_PATH) ? n : 0);
    while (!path.empty() && path.back() == L'\\') path.pop_back();
    return path;
}

std::wstring siblingFile(const std::wstring& path, const wchar_t* name) {
    std::size_t slash = path.find_last_of(L'\\');
    return (slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1)) + name;
}

// Room for any list the program may have written.
class RoomyCapacity : public StoreCapacity {
public:
    std::int32_t activeCapacity() const override { return 100000; }
    std::int32_t favoritesCapacity() const override { return 100000; }
};

class CountingMessages : public MessageSink {
public:
    int show(const std::string&, unsigned) override {
        ++shown;
        return msgbox::IdOk;
    }
    int shown = 0;
};

std::vector<std::u16string> textsOf(const ItemStore& store) {
    std::vector<std::u16string> texts;
    for (const ClipItem* item : store.snapshot()) {
        std::u16string text;
        const unsigned char* bytes = item->text();
        for (std::int32_t i = 0; bytes != nullptr && i + 1 < item->byteLength(); i += 2) {
            text.push_back(static_cast<char16_t>(bytes[i] | (bytes[i + 1] << 8)));
        }
        texts.push_back(text);
    }
    return texts;
}

}  // namespace

PoolContent readPoolFile(const std::wstring& path) {
    PoolContent content;
    std::vector<unsigned char> bytes;
    if (!readFile(path, bytes)) return content;
    const RoomyCapacity capacity;
    CountingMessages messages;
    ItemStore favorites(1, capacity, messages);
    ItemStore active(0, capacity, messages);
    const int loaded = StoreFile("", messages).loadAll(&favorites, &active, narrow(path));
    const auto ends = static_cast<std::int32_t>(favorites.serializedSize() + active.serializedSize());
    content.whole = loaded == 0 && messages.shown == 0 && ends == static_cast<std::int32_t>(bytes.size());
    content.favorites = textsOf(favorites);
    content.active = textsOf(active);
    return content;
}

std::vector<unsigned char> itemRecord(const char* alias, std::int32_t timestamp,
                                      const std::u16string& text) {
    return itemRecord(alias, timestamp, 13, utf16le(text));
}

std::vector<unsigned char> itemRecord(const char* alias, std::int32_t timestamp,
                                      std::uint16_t format, const std::vector<unsigned char>& bytes) {
    const auto byteLength = static_cast<std::int32_t>(bytes.size());
    std::vector<unsigned char> record;
    putI32(record, byteLength + 62);
    unsigned char aliasField[32] = {};
    std::strncpy(reinterpret_cast<char*>(aliasField), alias, 31);
    record.insert(record.end(), aliasField, aliasField + 32);
    putI32(record, timestamp);
    putU16(record, format);
    MD5_CTX context;
    unsigned char digest[16];
    MD5Init(&context);
    MD5Update(&context, bytes.data(), static_cast<std::uint32_t>(bytes.size()));
    MD5Final(digest, &context);
    record.insert(record.end(), digest, digest + 16);
    putI32(record, byteLength);
    record.insert(record.end(), bytes.begin(), bytes.end());
    return record;
}

std::vector<unsigned char> twoFilesDropBlock() {
    std::vector<unsigned char> block = {20, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0};
    for (char c : std::string("C:\\a.txt|C:\\b.bin||")) {
        block.push_back(c == '|' ? 0 : static_cast<unsigned char>(c));
        block.push_back(0);
    }
    return block;
}

std::vector<unsigned char> storeBlock(const std::vector<std::vector<unsigned char>>& records) {
    std::vector<unsigned char> body;
    for (const auto& record : records) body.insert(body.end(), record.begin(), record.end());
    std::vector<unsigned char> block;
    putI32(block, static_cast<std::int32_t>(body.size() + 4));
    block.insert(block.end(), body.begin(), body.end());
    return block;
}

std::vector<unsigned char> samplePoolFile() {
    // 8 GBK bytes of Chinese and 22 letters: 30 bytes, two zero bytes of padding.
    static const char longAlias[] = "常用文本ABCDEFGHIJKLMNOPQRSTUV";
    static_assert(sizeof longAlias == 31, "the alias must be 30 bytes long");

    std::vector<unsigned char> file = storeBlock({
        itemRecord(longAlias, 1205000000, u"收藏的第一段文字 first favourite"),
        itemRecord("", 1600000000, u"second favourite\r\nline two"),
    });
    std::vector<unsigned char> active = storeBlock({
        itemRecord("", 1700000003, u"最近复制的文本"),
        itemRecord("", 1700000002, u"hello"),
        itemRecord("", 1700000001, u"\U0001F600 x"),
    });
    file.insert(file.end(), active.begin(), active.end());
    return file;
}

std::vector<unsigned char> emptyPoolFile() {
    return {0x04, 0x00, 0x00, 0x00, 0x04, 0x00, 0x00, 0x00};
}

std::string describeChanges(const std::map<std::wstring, FileState>& before,
                            const std::map<std::wstring, FileState>& after) {
    std::ostringstream out;
    for (const auto& entry : before) {
        auto found = after.find(entry.first);
        if (found == after.end()) {
            out << narrow(entry.first) << " removed\n";
        } else if (!(found->second == entry.second)) {
            out << narrow(entry.first) << " changed (size " << entry.second.size << " -> "
                << found->second.size << ")\n";
        }
    }
    for (const auto& entry : after) {
        if (before.count(entry.first) == 0) out << narrow(entry.first) << " added\n";
    }
    return out.str();
}

void ProgramFixture::SetUp() {
    std::wstring original = quillboxPath();
    ASSERT_FALSE(original.empty()) << "quillbox.exe not found; pass its path as the argument";
    ASSERT_TRUE(waitUntil([] { return !anyWindowTitled(MainWindowTitle); }))
        << "a main window of an earlier run is still there";

    // Named for this run: the SIGKILL tests find the program by its folder
    // among every process on the machine, other runs' included.
    static int testNumber = 0;
    const std::string token = runToken();
    std::wstring base = tempFolder() + L"\\qb-e2e-" + std::wstring(token.begin(), token.end()) +
                        L"-" + std::to_wstring(++testNumber);
    folder_ = base;
    workDir_ = base + L"-cwd";
    removeFolder(folder_);
    removeFolder(workDir_);
    ASSERT_TRUE(CreateDirectoryW(folder_.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryW(workDir_.c_str(), nullptr));

    exe_ = programFile(L"quillbox.exe");
    ASSERT_TRUE(CopyFileW(original.c_str(), exe_.c_str(), TRUE));
    std::wstring help = siblingFile(original, L"help.html");
    if (fileExists(help)) CopyFileW(help.c_str(), programFile(L"help.html").c_str(), TRUE);

    // A program that captures the clipboard at start must find nothing there.
    EXPECT_TRUE(clearClipboard());
}

void ProgramFixture::TearDown() {
    for (auto& program : programs_) program->stop();
    programs_.clear();
    removeFolder(folder_);
    removeFolder(workDir_);
}

std::wstring ProgramFixture::programFile(const wchar_t* name) const {
    return folder_ + L"\\" + name;
}

ProcessDriver& ProgramFixture::startProgram() {
    programs_.push_back(std::make_unique<ProcessDriver>());
    ProcessDriver& program = *programs_.back();
    EXPECT_TRUE(program.start(exe_, workDir_)) << "CreateProcess failed: " << GetLastError();
    return program;
}

}  // namespace e2e
