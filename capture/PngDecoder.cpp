#include "capture/PngDecoder.h"

#include <windows.h>
#include <wincodec.h>

#include <cstring>

#include "core/win32/Handles.h"

namespace {

// The frame's pixels as 32-bit BGRA, ready to copy.
ComPtr<IWICBitmapSource> bgraFrame(IWICImagingFactory* factory,
                                   const std::vector<unsigned char>& png) {
    ComPtr<IWICStream> stream;
    if (FAILED(factory->CreateStream(stream.receive()))) return {};
    if (FAILED(stream->InitializeFromMemory(const_cast<BYTE*>(png.data()),
                                            static_cast<DWORD>(png.size())))) {
        return {};
    }
    ComPtr<IWICBitmapDecoder> decoder;
    if (FAILED(factory->CreateDecoderFromStream(stream.get(), nullptr,
                                                WICDecodeMetadataCacheOnDemand,
                                                decoder.receive()))) {
        return {};
    }
    ComPtr<IWICBitmapFrameDecode> frame;
    if (FAILED(decoder->GetFrame(0, frame.receive()))) return {};
    ComPtr<IWICFormatConverter> converter;
    if (FAILED(factory->CreateFormatConverter(converter.receive()))) return {};
    if (FAILED(converter->Initialize(frame.get(), GUID_WICPixelFormat32bppBGRA,
                                     WICBitmapDitherTypeNone, nullptr, 0.0,
                                     WICBitmapPaletteTypeCustom))) {
        return {};
    }
    ComPtr<IWICBitmapSource> source;
    if (FAILED(converter->QueryInterface(IID_IWICBitmapSource,
                                         reinterpret_cast<void**>(source.receive())))) {
        return {};
    }
    return source;
}

}  // namespace

int PngDecoder::toDib(const std::vector<unsigned char>& png, std::int64_t maxBytes,
                      std::vector<unsigned char>& dib) {
    if (png.empty()) return -1;
    ComPtr<IWICImagingFactory> factory;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                IID_IWICImagingFactory,
                                reinterpret_cast<void**>(factory.receive())))) {
        return -1;
    }
    ComPtr<IWICBitmapSource> source = bgraFrame(factory.get(), png);
    if (!source) return -1;
    UINT width = 0;
    UINT height = 0;
    if (FAILED(source->GetSize(&width, &height)) || width == 0 || height == 0) return -1;
    const std::int64_t stride = std::int64_t{width} * 4;
    const std::int64_t pixelBytes = stride * height;
    if (pixelBytes + static_cast<std::int64_t>(sizeof(BITMAPINFOHEADER)) > maxBytes) return -2;

    std::vector<unsigned char> pixels(static_cast<std::size_t>(pixelBytes));
    if (FAILED(source->CopyPixels(nullptr, static_cast<UINT>(stride),
                                  static_cast<UINT>(pixelBytes), pixels.data()))) {
        return -1;
    }
    BITMAPINFOHEADER header{};
    header.biSize = sizeof(BITMAPINFOHEADER);
    header.biWidth = static_cast<LONG>(width);
    header.biHeight = static_cast<LONG>(height);
    header.biPlanes = 1;
    header.biBitCount = 32;
    header.biCompression = BI_RGB;
    header.biSizeImage = static_cast<DWORD>(pixelBytes);
    dib.resize(sizeof header + static_cast<std::size_t>(pixelBytes));
    std::memcpy(dib.data(), &header, sizeof header);
    // WIC gives the rows top-down; a DIB of positive height keeps them bottom-up.
    for (UINT row = 0; row < height; ++row) {
        std::memcpy(dib.data() + sizeof header + static_cast<std::size_t>(stride) * row,
                    pixels.data() + static_cast<std::size_t>(stride) * (height - 1 - row),
                    static_cast<std::size_t>(stride));
    }
    return 0;
}
