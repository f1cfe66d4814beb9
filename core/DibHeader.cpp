#include "core/DibHeader.h"

#include "core/LittleEndian.h"

namespace {

// Fields of a BITMAPINFOHEADER.
constexpr std::size_t SizeAt = 0;
constexpr std::size_t WidthAt = 4;
constexpr std::size_t HeightAt = 8;
constexpr std::size_t BitCountAt = 14;
constexpr std::size_t CompressionAt = 16;
constexpr std::size_t SizeImageAt = 20;
constexpr std::size_t ClrUsedAt = 32;

// biCompression values.
constexpr std::uint32_t Rgb = 0;
constexpr std::uint32_t Rle8 = 1;
constexpr std::uint32_t Rle4 = 2;
constexpr std::uint32_t BitFields = 3;
constexpr std::uint32_t Jpeg = 4;
constexpr std::uint32_t Png = 5;

// Bytes of the three colour masks that follow a bare BITMAPINFOHEADER
// holding BI_BITFIELDS.
constexpr std::int64_t MaskBytes = 12;

std::uint32_t readUint32LE(const unsigned char* p) {
    return static_cast<std::uint32_t>(readInt32LE(p));
}

bool uncompressedDepth(std::uint16_t bits) {
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

// Bytes of the colour table, or -1 when the header asks for an impossible one.
std::int64_t colourTableBytes(std::uint16_t bits, std::uint32_t clrUsed) {
    // A JPEG or PNG inside (depth 0) and the true-colour depths have none
    // unless biClrUsed asks for one.
    const bool paletted = bits >= 1 && bits <= 8;
    const std::int64_t most = paletted ? (std::int64_t{1} << bits) : 0;
    if (clrUsed == 0) return 4 * most;
    if (paletted && clrUsed > most) return -1;
    return 4 * static_cast<std::int64_t>(clrUsed);
}

// Bytes the pixels need, or -1 when the compression or depth is not one a
// DIB may hold.
std::int64_t pixelBytes(std::uint32_t compression, std::uint16_t bits, std::int64_t width,
                        std::int64_t height, std::uint32_t sizeImage) {
    switch (compression) {
    case Rgb:
    case BitFields: {
        if (!uncompressedDepth(bits)) return -1;
        if (compression == BitFields && bits != 16 && bits != 32) return -1;
        const std::int64_t stride = (width * bits + 31) / 32 * 4;
        return stride * height;
    }
    case Rle8:
    case Rle4:
        if (bits != (compression == Rle8 ? 8 : 4)) return -1;
        return sizeImage > 0 ? static_cast<std::int64_t>(sizeImage) : -1;
    case Jpeg:
    case Png:
        return sizeImage > 0 ? static_cast<std::int64_t>(sizeImage) : -1;
    default:
        return -1;
    }
}

}  // namespace

std::optional<DibHeader::Size> DibHeader::read(const unsigned char* bytes, std::size_t length) {
    if (bytes == nullptr || length < InfoHeaderBytes) return std::nullopt;
    const std::int64_t total = static_cast<std::int64_t>(length);
    const std::int64_t headerBytes = readUint32LE(bytes + SizeAt);
    if (headerBytes < static_cast<std::int64_t>(InfoHeaderBytes) || headerBytes > total) {
        return std::nullopt;
    }

    const std::int64_t width = readInt32LE(bytes + WidthAt);
    std::int64_t height = readInt32LE(bytes + HeightAt);
    const bool topDown = height < 0;
    if (topDown) height = -height;
    if (width <= 0 || height <= 0 || width * height > MaxPixels) return std::nullopt;

    const std::uint16_t bits = readUint16LE(bytes + BitCountAt);
    const std::uint32_t compression = readUint32LE(bytes + CompressionAt);
    const std::uint32_t sizeImage = readUint32LE(bytes + SizeImageAt);
    const std::int64_t table = colourTableBytes(bits, readUint32LE(bytes + ClrUsedAt));
    if (table < 0) return std::nullopt;
    const std::int64_t masks =
        compression == BitFields && headerBytes == static_cast<std::int64_t>(InfoHeaderBytes) ? MaskBytes : 0;
    const std::int64_t pixels = pixelBytes(compression, bits, width, height, sizeImage);
    if (pixels < 0 || static_cast<std::int64_t>(sizeImage) > total) return std::nullopt;
    if (headerBytes + masks + table + pixels > total) return std::nullopt;
    return Size{static_cast<std::int32_t>(width), static_cast<std::int32_t>(height),
                headerBytes + masks + table, headerBytes, bits, compression, topDown};
}
