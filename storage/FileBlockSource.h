// A store block read from an open file, record by record: the parser asks
// for each record's header and then for its text. Reads are sequential;
// short ones are served from a buffer that is filled a large piece of the
// file at a time, and a text longer than that buffer is read straight into
// its item.
#pragma once

#include <cstdint>
#include <cstdio>
#include <vector>

#include "core/BlockSource.h"

class FileBlockSource : public BlockSource {
public:
    // The block starts at blockOffset in file and is blockLength bytes long.
    FileBlockSource(std::FILE* file, long long blockOffset, std::int32_t blockLength);

    bool read(std::int32_t offset, unsigned char* to, std::int32_t count) override;

private:
    // Reads count bytes at offset of the block from the file into to.
    bool readFile(std::int32_t offset, unsigned char* to, std::int32_t count);

    std::FILE* file_;
    long long blockOffset_;
    std::int32_t blockLength_;
    std::vector<unsigned char> buffer_;
    std::int32_t bufferedFrom_ = 0;  // block offset of buffer_[0]
    std::int32_t buffered_ = 0;      // bytes held in buffer_
};
