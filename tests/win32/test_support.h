// Small helpers shared by the tests that run the plug-in under Wine.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/win/todaycmn.h"

// Folder of the test program, where the build also puts velkaro.dll.
inline std::wstring ExeDir() {
    wchar_t path[MAX_PATH];
    DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring p(path, n);
    return p.substr(0, p.find_last_of(L"\\/") + 1);
}

// A Today screen's window procedure: it paints a black wallpaper under the
// item, as the Today screen does, so that the item never copies what another
// window shows on the screen (it does with a display, under Xvfb).
inline LRESULT CALLBACK WallpaperHostProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == TODAYM_DRAWWATERMARK) {
        auto* info = reinterpret_cast<TODAYDRAWWATERMARKINFO*>(lp);
        FillRect(info->hdc, &info->rc, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        return TRUE;
    }
    return DefWindowProcW(w, msg, wp, lp);
}

// Tests wait for the condition they need, with a bound, never for a fixed
// time: a loaded machine makes any fixed time too short sometimes.

// Dispatches the messages queued for this thread; whether there were any.
inline bool DispatchQueued() {
    bool any = false;
    MSG m;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&m);
        DispatchMessageW(&m);
        any = true;
    }
    return any;
}

// Dispatches until nothing is queued: whatever was posted to this thread
// before the call (by this process, or by another that has since returned)
// has then been handled, with what it posted in turn.
inline void PumpPending() {
    for (int round = 0; round < 1000 && DispatchQueued(); ++round) {
    }
}

// Dispatches this thread's messages until done() holds, for at most ms
// milliseconds; whether it held.
template <class Done>
bool WaitUntil(Done done, DWORD ms = 10000) {
    const DWORD t0 = GetTickCount();
    for (;;) {
        DispatchQueued();
        if (done()) return true;
        if (GetTickCount() - t0 >= ms) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

// The same for a thread with no windows of its own (a test's driver thread).
template <class Done>
bool PollUntil(Done done, DWORD ms = 10000) {
    const DWORD t0 = GetTickCount();
    while (!done()) {
        if (GetTickCount() - t0 >= ms) return false;
        Sleep(10);
    }
    return true;
}

// Waits at most ms for the process to end; its exit code, or -1 when it did
// not end. Messages sent to this thread's windows meanwhile are answered, but
// posted ones stay queued until the test pumps: a test can see the state
// before a posted message and after it.
inline long WaitForExit(HANDLE process, DWORD ms = 15000) {
    const DWORD t0 = GetTickCount();
    for (;;) {
        const DWORD waited = GetTickCount() - t0;
        if (waited >= ms) return -1;
        const DWORD r = MsgWaitForMultipleObjects(1, &process, FALSE, ms - waited, QS_SENDMESSAGE);
        if (r == WAIT_OBJECT_0) break;
        MSG m;
        PeekMessageW(&m, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
    DWORD code = 1;
    GetExitCodeProcess(process, &code);
    return static_cast<long>(code);
}

// Dispatches this thread's messages for ms milliseconds: the pace of input a
// test makes up (a pen that moves at a hand's speed), never a wait for what
// the input does.
inline void Pace(DWORD ms) {
    WaitUntil([] { return false; }, ms);
}

// Returns once the thread of the window takes messages again: what it was
// doing when this was called (starting, or finishing a command whose boxes
// have been answered) is done. Messages posted to it are not waited for.
inline void Settle(HWND window) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 15000, &result);
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
