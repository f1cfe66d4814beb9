#include "storage/FileBlockSource.h"

#include <climits>
#include <cstring>

namespace {

constexpr std::int32_t BufferSize = 64 * 1024;

}  // namespace

FileBlockSource::FileBlockSource(std::FILE* file, long long blockOffset, std::int32_t blockLength)
    : file_(file), blockOffset_(blockOffset), blockLength_(blockLength < 0 ? 0 : blockLength) {}

bool FileBlockSource::read(std::int32_t offset, unsigned char* to, std::int32_t count) {
    if (offset < 0 || count < 0 || offset > blockLength_ || count > blockLength_ - offset)
        return false;
    while (count > 0) {
        const std::int32_t heldFrom = offset - bufferedFrom_;
        if (heldFrom >= 0 && heldFrom < buffered_) {
            const std::int32_t held = buffered_ - heldFrom;
            const std::int32_t n = count < held ? count : held;
            std::memcpy(to, buffer_.data() + heldFrom, static_cast<std::size_t>(n));
            offset += n;
            to += n;
            count -= n;
            continue;
        }
        if (count >= BufferSize) return readFile(offset, to, count);
        const std::int32_t left = blockLength_ - offset;
        const std::int32_t fill = left < BufferSize ? left : BufferSize;
        buffer_.resize(BufferSize);
        buffered_ = 0;
        if (!readFile(offset, buffer_.data(), fill)) return false;
        bufferedFrom_ = offset;
        buffered_ = fill;
    }
    return true;
}

bool FileBlockSource::readFile(std::int32_t offset, unsigned char* to, std::int32_t count) {
    const long long at = blockOffset_ + offset;
    if (at > LONG_MAX || std::fseek(file_, static_cast<long>(at), SEEK_SET) != 0) return false;
    return std::fread(to, 1, static_cast<std::size_t>(count), file_) == static_cast<std::size_t>(count);
}
