#include "platform/win/png_win.h"

#include <windows.h>
#include <wincodec.h>

#include <cstddef>
#include <vector>

#include "platform/win/com_release.h"

namespace velkaro {
namespace {

// 24-bit BGR rows, the PNG encoder's plainest input.
std::vector<BYTE> BgrRows(const uint32_t* pixels, int width, int height, int stride, UINT* rowBytes) {
    *rowBytes = static_cast<UINT>((width * 3 + 3) & ~3);
    std::vector<BYTE> out(static_cast<size_t>(*rowBytes) * height);
    for (int y = 0; y < height; ++y) {
        const uint32_t* src = pixels + static_cast<std::ptrdiff_t>(y) * stride;
        BYTE* dst = out.data() + static_cast<size_t>(y) * *rowBytes;
        for (int x = 0; x < width; ++x) {
            dst[3 * x] = static_cast<BYTE>(src[x]);
            dst[3 * x + 1] = static_cast<BYTE>(src[x] >> 8);
            dst[3 * x + 2] = static_cast<BYTE>(src[x] >> 16);
        }
    }
    return out;
}

bool Encode(IWICImagingFactory* factory, const std::wstring& path, std::vector<BYTE>& rows, UINT rowBytes,
            int width, int height) {
    IWICStream* stream = nullptr;
    IWICBitmapEncoder* encoder = nullptr;
    IWICBitmapFrameEncode* frame = nullptr;
    WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
    const bool ok =
        SUCCEEDED(factory->CreateStream(&stream)) &&
        SUCCEEDED(stream->InitializeFromFilename(path.c_str(), GENERIC_WRITE)) &&
        SUCCEEDED(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, &encoder)) &&
        SUCCEEDED(encoder->Initialize(stream, WICBitmapEncoderNoCache)) &&
        SUCCEEDED(encoder->CreateNewFrame(&frame, nullptr)) && SUCCEEDED(frame->Initialize(nullptr)) &&
        SUCCEEDED(frame->SetSize(static_cast<UINT>(width), static_cast<UINT>(height))) &&
        SUCCEEDED(frame->SetPixelFormat(&format)) && IsEqualGUID(format, GUID_WICPixelFormat24bppBGR) &&
        SUCCEEDED(frame->WritePixels(static_cast<UINT>(height), rowBytes, static_cast<UINT>(rows.size()),
                                     rows.data())) &&
        SUCCEEDED(frame->Commit()) && SUCCEEDED(encoder->Commit());
    ReleaseCom(frame);
    ReleaseCom(encoder);
    ReleaseCom(stream);
    return ok;
}

}  // namespace

bool WritePng(const std::wstring& path, const uint32_t* pixels, int width, int height, int rowStride) {
    if (!pixels || width <= 0 || height <= 0 || path.empty()) return false;
    UINT rowBytes = 0;
    std::vector<BYTE> rows = BgrRows(pixels, width, height, rowStride != 0 ? rowStride : width, &rowBytes);
    const HRESULT init = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    bool ok = false;
    IWICImagingFactory* factory = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                   reinterpret_cast<void**>(&factory)))) {
        // A file already there is replaced only by a complete new one.
        const std::wstring partial = path + L".part";
        ok = Encode(factory, partial, rows, rowBytes, width, height) &&
             MoveFileExW(partial.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING);
        if (!ok) DeleteFileW(partial.c_str());
        ReleaseCom(factory);
    }
    if (SUCCEEDED(init)) CoUninitialize();
    return ok;
}

}  // namespace velkaro
