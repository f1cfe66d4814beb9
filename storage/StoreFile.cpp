#include "storage/StoreFile.h"

#include <cctype>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <new>

#include "core/ItemStore.h"
#include "core/LittleEndian.h"
#include "core/MessageSink.h"
#include "core/ProgramFolder.h"
#include "storage/AtomicFile.h"
#include "storage/FileBlockSource.h"

namespace {

constexpr std::int32_t BlockHeaderSize = 4;

using Buffer = std::unique_ptr<unsigned char[]>;

// A buffer of size bytes, or null when it cannot be had. It is not zeroed:
// every byte of it is written (serialised or read) before it is used.
Buffer allocate(long long size) {
    if (size < 0 || static_cast<unsigned long long>(size) > SIZE_MAX) return nullptr;
    return Buffer(new (std::nothrow) unsigned char[static_cast<std::size_t>(size)]);
}

// Closes the file when the reader returns, on every path.
struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

// The size of an open file, or -1 when it cannot be obtained.
long long sizeOf(std::FILE* file) {
    if (std::fseek(file, 0, SEEK_END) != 0) return -1;
    const long size = std::ftell(file);
    if (size < 0) return -1;
    return size;
}

// Reads up to count bytes at offset; returns how many arrived.
long long readAt(std::FILE* file, long long offset, unsigned char* to, long long count) {
    if (offset > LONG_MAX || std::fseek(file, static_cast<long>(offset), SEEK_SET) != 0) return 0;
    if (count <= 0) return 0;
    return static_cast<long long>(std::fread(to, 1, static_cast<std::size_t>(count), file));
}

// The 4-byte block length at offset: true when all four bytes were read.
bool readLengthAt(std::FILE* file, long long offset, std::int32_t* length) {
    unsigned char bytes[BlockHeaderSize];
    if (readAt(file, offset, bytes, BlockHeaderSize) != BlockHeaderSize) return false;
    *length = readInt32LE(bytes);
    return true;
}

int clampToInt(long long value) {
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}

std::string firstBlockFormatMessage(long long length, long long readLength) {
    char text[128];
    std::snprintf(text, sizeof text, "文件格式错误1！ len = %d, readLen = %d",
                  clampToInt(length), clampToInt(readLength));
    return text;
}

int fail(MessageSink& messages, const std::string& text, int result) {
    messages.show(text, msgbox::Ok | msgbox::IconStop);
    return result;
}

// Reports a failed write with the caller's code for a file that could not be
// opened and its own message for one that could not be written (-4).
int writeResult(MessageSink& messages, AtomicFile::Result result, int openFailedCode,
                const char* writeFailedMessage) {
    if (result == AtomicFile::Ok) return 0;
    if (result == AtomicFile::OpenFailed) return fail(messages, "打开文件失败！", openFailedCode);
    return fail(messages, writeFailedMessage, -4);
}

// Reads the block of length bytes at offset into the store, each text
// straight from the file into its item; blockNumber (1 or 2) picks the
// message for a damaged block.
int loadBlock(MessageSink& messages, std::FILE* file, long long offset, std::int32_t length,
              ItemStore& store, int blockNumber) {
    FileBlockSource source(file, offset, length);
    std::int32_t reached = 0;
    const int result = store.parseBlock(source, length, &reached);
    if (result == 0) return 0;
    if (result == -2) return fail(messages, "内存分配失败！", -1);
    if (blockNumber == 2) return fail(messages, "文件格式错误2！", -1);
    // The lengths were checked against the file's size, so the reading
    // stopped at a damaged record (or the file changed meanwhile): the
    // message names where.
    return fail(messages, firstBlockFormatMessage(length, reached), -1);
}

}  // namespace

StoreFile::StoreFile(const std::string& folder, MessageSink& messages)
    : folder_(folder), messages_(messages) {}

std::string StoreFile::resolve(const std::string& path) const {
    const bool rooted = !path.empty() && (path[0] == '/' || path[0] == '\\');
    const bool drive = path.size() >= 2 && path[1] == ':' &&
                       std::isalpha(static_cast<unsigned char>(path[0])) != 0;
    if (rooted || drive) return path;
    return pathInFolder(folder_, path);
}

int StoreFile::saveToFile(const ItemStore& store, const std::string& path) {
    const std::int64_t size = store.serializedSize();
    // A block the format's 32-bit lengths cannot describe is refused like
    // one that no memory can be had for.
    Buffer buffer = size >= BlockHeaderSize && size <= INT32_MAX ? allocate(size) : nullptr;
    if (!buffer) return fail(messages_, "内存分配失败！", -1);
    if (store.serialize(buffer.get()) != size) return fail(messages_, "序列化失败！", -2);
    return writeResult(messages_,
                       AtomicFile::write(resolve(path), buffer.get(), static_cast<std::size_t>(size)),
                       -3, "写入文件失败！");
}

int StoreFile::saveAll(const ItemStore* favorites, const ItemStore* active,
                       const std::string& name) {
    if (favorites == nullptr || active == nullptr) return -1;
    const std::int64_t favoritesSize = favorites->serializedSize();
    const std::int64_t activeSize = active->serializedSize();
    const std::int64_t total = favoritesSize + activeSize;
    // Each block length is 32 bits, and the reader finds the second block
    // at a 32-bit offset: the whole file stays within INT32_MAX bytes.
    const bool fits = favoritesSize >= BlockHeaderSize && activeSize >= BlockHeaderSize &&
                      total <= INT32_MAX;
    Buffer buffer = fits ? allocate(total) : nullptr;
    if (!buffer) return fail(messages_, "内存分配失败！", -1);
    if (favorites->serialize(buffer.get()) != favoritesSize) return fail(messages_, "序列化失败1！", -2);
    if (active->serialize(buffer.get() + favoritesSize) != activeSize)
        return fail(messages_, "序列化失败2！", -3);
    return writeResult(messages_,
                       AtomicFile::write(resolve(name), buffer.get(), static_cast<std::size_t>(total)),
                       -4, "文件写入失败！");
}

int StoreFile::loadFromFile(ItemStore& store, const std::string& path) {
    // Read-only access is enough, so a write-protected backup can be restored.
    File file(std::fopen(resolve(path).c_str(), "rb"));
    if (!file) return fail(messages_, "打开文件失败！", -1);
    const long long size = sizeOf(file.get());
    if (size < 0) return fail(messages_, "获取文件信息错误！", -1);
    if (size == 0) return 0;

    std::int32_t length = 0;
    if (!readLengthAt(file.get(), 0, &length)) return fail(messages_, "读文件失败1！", -1);
    if (length != size) return fail(messages_, "文件长度错误！", -1);

    return loadBlock(messages_, file.get(), 0, length, store, 1);
}

int StoreFile::loadAll(ItemStore* favorites, ItemStore* active, const std::string& name) {
    if (favorites == nullptr || active == nullptr) return -1;
    File file(std::fopen(resolve(name).c_str(), "rb"));
    if (!file) return -1;
    const long long size = sizeOf(file.get());
    if (size < 0) return fail(messages_, "获取文件信息错误！", -1);
    if (size == 0) return 0;

    std::int32_t first = 0;
    if (!readLengthAt(file.get(), 0, &first)) return fail(messages_, "读文件失败1！", -1);
    // A length the file cannot hold is a short read; nothing is allocated
    // for it.
    if (first < BlockHeaderSize || first > size)
        return fail(messages_, firstBlockFormatMessage(first, size), -1);
    // A damaged record inside the favorites block does not hide the active
    // list: its block still starts where the first block's length says.
    const int favoritesResult = loadBlock(messages_, file.get(), 0, first, *favorites, 1);

    std::int32_t second = 0;
    if (!readLengthAt(file.get(), first, &second)) return fail(messages_, "读文件失败2！", -1);
    if (second < BlockHeaderSize || second > size - first)
        return fail(messages_, "文件格式错误2！", -1);
    const int activeResult = loadBlock(messages_, file.get(), first, second, *active, 2);
    return favoritesResult == 0 && activeResult == 0 ? 0 : -1;
}
