// Reading and writing the store data files: poolfile.bin (favorites block,
// then active-list block) and the one-block backup files.
// A file is never overwritten in place: the new content goes to a temporary
// file beside it, which then replaces the target.
#pragma once

#include <cstdint>
#include <string>

class ItemStore;
class MessageSink;

class StoreFile {
public:
    static constexpr const char* PoolFileName = "poolfile.bin";

    // Relative names are taken in folder (the program's folder); absolute
    // paths are used as they are.
    StoreFile(const std::string& folder, MessageSink& messages);

    // Backup of one store: 0, or -1 .. -4 (allocation, serialise, open, write).
    int saveToFile(const ItemStore& store, const std::string& path);
    // Appends the items of a backup file to the store: 0 or -1.
    int loadFromFile(ItemStore& store, const std::string& path);
    // Both stores into one file: 0, or -1 .. -4. Null stores: -1, no message.
    int saveAll(const ItemStore* favorites, const ItemStore* active, const std::string& name);
    // Both stores from one file: 0 or -1 (a missing file: -1, no message).
    int loadAll(ItemStore* favorites, ItemStore* active, const std::string& name);

    std::string resolve(const std::string& path) const;

private:
    std::string folder_;
    MessageSink& messages_;
};
