#include "capture/PngEncoder.h"

#include <windows.h>
#include <wincodec.h>

#include <cstdint>
#include <new>

#include "core/DibHeader.h"
#include "core/LittleEndian.h"
#include "core/win32/Handles.h"

namespace {

// Where the colour masks are, whether after a bare BITMAPINFOHEADER or
// inside a BITMAPV4HEADER / V5 header.
constexpr std::size_t MasksAt = 40;
constexpr std::int64_t MasksEnd = 52;

constexpr std::uint32_t Rgb = 0;
constexpr std::uint32_t BitFields = 3;

// Larger images are pasted as the DIB alone: their PNG would cost more
// memory and time than a paste should.
constexpr std::int64_t MaxWidth = 1 << 16;
constexpr std::int64_t MaxPixels = std::int64_t{1} << 26;

std::uint32_t readUint32LE(const unsigned char* p) {
    return static_cast<std::uint32_t>(readInt32LE(p));
}

// One colour channel of a pixel value: where its mask starts and its most.
struct Channel {
    std::uint32_t mask = 0;
    int shift = 0;
    std::uint32_t most = 0;

    explicit Channel(std::uint32_t m = 0) : mask(m) {
        if (mask == 0) return;
        while (((mask >> shift) & 1u) == 0) ++shift;
        most = mask >> shift;
    }
    unsigned char of(std::uint32_t value) const {
        if (most == 0) return 0;
        const std::uint64_t level = (value & mask) >> shift;
        return static_cast<unsigned char>(level * 255 / most);
    }
};

// The parts of a DIB the rows are read from, each within its bytes.
struct DibLayout {
    std::int64_t width = 0;
    std::int64_t height = 0;
    bool topDown = false;
    int bits = 0;
    std::int64_t stride = 0;
    const unsigned char* pixels = nullptr;
    const unsigned char* table = nullptr;
    std::int64_t tableEntries = 0;
    Channel red, green, blue;
};

bool readMasks(const unsigned char* dib, std::int64_t headerBytes, std::uint32_t compression,
               int bits, DibLayout& out) {
    if (compression == BitFields) {
        // A header between the bare one and a V4 header has no room for them.
        if (headerBytes != static_cast<std::int64_t>(DibHeader::InfoHeaderBytes) &&
            headerBytes < MasksEnd) {
            return false;
        }
        out.red = Channel(readUint32LE(dib + MasksAt));
        out.green = Channel(readUint32LE(dib + MasksAt + 4));
        out.blue = Channel(readUint32LE(dib + MasksAt + 8));
    } else if (bits == 16) {
        out.red = Channel(0x7C00);
        out.green = Channel(0x03E0);
        out.blue = Channel(0x001F);
    } else {
        out.red = Channel(0xFF0000);
        out.green = Channel(0x00FF00);
        out.blue = Channel(0x0000FF);
    }
    return true;
}

// False when the header lies (DibHeader checks every size against the
// bytes) or the DIB is compressed or too large to encode here.
bool readLayout(const unsigned char* dib, std::size_t length, DibLayout& out) {
    const auto size = DibHeader::read(dib, length);
    if (!size) return false;
    const std::uint32_t compression = size->compression;
    if (compression != Rgb && compression != BitFields) return false;
    if (size->width > MaxWidth || std::int64_t{size->width} * size->height > MaxPixels) {
        return false;
    }
    const std::int64_t headerBytes = size->headerBytes;
    out.width = size->width;
    out.height = size->height;
    out.topDown = size->topDown;
    out.bits = size->bitCount;
    out.stride = (out.width * out.bits + 31) / 32 * 4;
    out.pixels = dib + size->pixelsAt;
    if (out.bits <= 8) {
        out.table = dib + headerBytes;
        out.tableEntries = (size->pixelsAt - headerBytes) / 4;
        return true;
    }
    return readMasks(dib, headerBytes, compression, out.bits, out);
}

// Row y (counted from the top) as blue, green, red bytes.
void bgrRow(const DibLayout& dib, std::int64_t y, unsigned char* out) {
    const std::int64_t sourceRow = dib.topDown ? y : dib.height - 1 - y;
    const unsigned char* row = dib.pixels + sourceRow * dib.stride;
    for (std::int64_t x = 0; x < dib.width; ++x, out += 3) {
        if (dib.bits <= 8) {
            const std::int64_t bit = x * dib.bits;
            const int index = (row[bit / 8] >> (8 - dib.bits - bit % 8)) & ((1 << dib.bits) - 1);
            // An index past the table is black.
            const bool known = index < dib.tableEntries;
            for (int i = 0; i < 3; ++i) out[i] = known ? dib.table[index * 4 + i] : 0;
            continue;
        }
        const unsigned char* p = row + x * (dib.bits / 8);
        std::uint32_t value = 0;
        for (int i = 0; i < dib.bits / 8; ++i) value |= static_cast<std::uint32_t>(p[i]) << (8 * i);
        out[0] = dib.blue.of(value);
        out[1] = dib.green.of(value);
        out[2] = dib.red.of(value);
    }
}

int writeFrame(IWICBitmapEncoder* encoder, const DibLayout& dib) {
    ComPtr<IWICBitmapFrameEncode> frame;
    if (FAILED(encoder->CreateNewFrame(frame.receive(), nullptr))) return -2;
    if (FAILED(frame->Initialize(nullptr))) return -2;
    if (FAILED(frame->SetSize(static_cast<UINT>(dib.width), static_cast<UINT>(dib.height)))) {
        return -2;
    }
    WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
    if (FAILED(frame->SetPixelFormat(&format)) ||
        !IsEqualGUID(format, GUID_WICPixelFormat24bppBGR)) {
        return -2;
    }
    const UINT stride = static_cast<UINT>(dib.width * 3);
    std::vector<unsigned char> row(stride);
    for (std::int64_t y = 0; y < dib.height; ++y) {
        bgrRow(dib, y, row.data());
        if (FAILED(frame->WritePixels(1, stride, stride, row.data()))) return -2;
    }
    return SUCCEEDED(frame->Commit()) ? 0 : -2;
}

// Everything the stream holds.
int streamBytes(IStream* stream, std::vector<unsigned char>& bytes) {
    STATSTG status{};
    if (FAILED(stream->Stat(&status, STATFLAG_NONAME))) return -2;
    if (status.cbSize.QuadPart == 0 || status.cbSize.QuadPart > 0x7FFFFFFF) return -2;
    const auto size = static_cast<ULONG>(status.cbSize.QuadPart);
    if (FAILED(stream->Seek(LARGE_INTEGER{}, STREAM_SEEK_SET, nullptr))) return -2;
    bytes.resize(size);
    ULONG read = 0;
    if (FAILED(stream->Read(bytes.data(), size, &read)) || read != size) return -2;
    return 0;
}

int encode(const DibLayout& dib, std::vector<unsigned char>& png) {
    ComPtr<IWICImagingFactory> factory;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                IID_IWICImagingFactory,
                                reinterpret_cast<void**>(factory.receive())))) {
        return -2;
    }
    ComPtr<IStream> stream;
    if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, stream.receive()))) return -2;
    ComPtr<IWICBitmapEncoder> encoder;
    if (FAILED(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, encoder.receive())) ||
        FAILED(encoder->Initialize(stream.get(), WICBitmapEncoderNoCache))) {
        return -2;
    }
    if (writeFrame(encoder.get(), dib) != 0 || FAILED(encoder->Commit())) return -2;
    return streamBytes(stream.get(), png);
}

}  // namespace

int PngEncoder::fromDib(const unsigned char* dib, std::size_t length,
                        std::vector<unsigned char>& png) {
    DibLayout layout;
    if (!readLayout(dib, length, layout)) return -1;
    ComSession com;
    if (!com.usable()) return -2;
    try {
        return encode(layout, png);
    } catch (const std::bad_alloc&) {
        png.clear();
        return -2;
    }
}
