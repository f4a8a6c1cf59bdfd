#include <windows.h>
#include <wincodec.h>

#include "platform/picture.h"
#include "platform/win/com_release.h"
#include "platform/win/device_path.h"

namespace velkaro {
namespace {

bool Decode(IWICImagingFactory* factory, const std::wstring& path, DecodedPicture* out) {
    IWICBitmapDecoder* decoder = nullptr;
    IWICBitmapFrameDecode* frame = nullptr;
    IWICBitmapSource* converted = nullptr;
    bool ok = false;
    UINT w = 0, h = 0;
    if (SUCCEEDED(factory->CreateDecoderFromFilename(path.c_str(), nullptr, GENERIC_READ,
                                                     WICDecodeMetadataCacheOnDemand, &decoder)) &&
        SUCCEEDED(decoder->GetFrame(0, &frame)) &&
        SUCCEEDED(WICConvertBitmapSource(GUID_WICPixelFormat32bppBGRA, frame, &converted)) &&
        SUCCEEDED(converted->GetSize(&w, &h)) && w > 0 && h > 0 && w <= 32768 && h <= 32768) {
        std::vector<uint32_t> pixels(static_cast<size_t>(w) * h);
        const UINT stride = w * 4;
        if (SUCCEEDED(converted->CopyPixels(nullptr, stride, stride * h,
                                            reinterpret_cast<BYTE*>(pixels.data())))) {
            // BGRA bytes read as a little-endian word are 0xAARRGGBB; the
            // opacity comes from the separate mask, so the alpha byte goes.
            for (uint32_t& p : pixels) p &= 0x00FFFFFFu;
            out->Width = static_cast<int>(w);
            out->Height = static_cast<int>(h);
            out->Pixels.swap(pixels);
            ok = true;
        }
    }
    ReleaseCom(converted);
    ReleaseCom(frame);
    ReleaseCom(decoder);
    return ok;
}

}  // namespace

bool LoadPicture(const std::wstring& path, DecodedPicture* out) {
    *out = DecodedPicture();
    if (path.empty()) return false;
    const HRESULT init = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    bool ok = false;
    IWICImagingFactory* factory = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                   IID_IWICImagingFactory, reinterpret_cast<void**>(&factory)))) {
        ok = Decode(factory, DiskPath(path), out);
        ReleaseCom(factory);
    }
    // RPC_E_CHANGED_MODE means someone else's apartment: not ours to close.
    if (SUCCEEDED(init)) CoUninitialize();
    if (!ok) *out = DecodedPicture();
    return ok;
}

}  // namespace velkaro
