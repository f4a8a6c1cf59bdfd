// Small helpers shared by the tests that run the plug-in under Wine.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// Folder of the test program, where the build also puts velkaro.dll.
inline std::wstring ExeDir() {
    wchar_t path[MAX_PATH];
    DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring p(path, n);
    return p.substr(0, p.find_last_of(L"\\/") + 1);
}

// Dispatches this thread's messages for about ms milliseconds.
inline void Pump(DWORD ms) {
    const DWORD t0 = GetTickCount();
    do {
        MSG m;
        while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&m);
            DispatchMessageW(&m);
        }
        Sleep(5);
    } while (GetTickCount() - t0 < ms);
}

// The top width x height pixels of what the item paints now, as 0x00RRGGBB,
// through WM_PRINTCLIENT as the host's snapshots do.
inline std::vector<uint32_t> PrintItem(HWND item, int width, int height) {
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bmp = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, bmp);
    SendMessageW(item, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    GdiFlush();
    std::vector<uint32_t> px(static_cast<const uint32_t*>(bits),
                             static_cast<const uint32_t*>(bits) + static_cast<size_t>(width) * height);
    for (uint32_t& p : px) p &= 0xFFFFFF;
    SelectObject(dc, old);
    DeleteObject(bmp);
    DeleteDC(dc);
    return px;
}
