// Measures how long the options take to open: from dialog 500 being asked
// for to the sheet's first page on screen, several times in one process.
//   velkaro-options_time.exe [times]
// The item it starts writes its window into "HWND"; the value is put back as
// it was when the tool ends, so that a running item keeps hearing the editor.
#include <windows.h>
#include <commctrl.h>

#include <climits>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "platform/int_text.h"
#include "platform/registry.h"
#include "platform/win/todaycmn.h"
#include "settings/protocol.h"

namespace {

using namespace velkaro;

// "HWND" as it was before our item wrote its own window there.
struct SavedHandle {
    bool Present = false;
    uint32_t Type = 0;
    std::vector<uint8_t> Bytes;
    uint64_t Ours = 0;  // our item's window, once it exists
};
SavedHandle g_saved;

// Puts "HWND" back unless it names another window than ours by now (an item
// started meanwhile took it over, and keeps it).
void GiveBackWindowHandle() {
    if (!g_saved.Ours || ReadWindowHandle(kSettingsKey) != g_saved.Ours) return;
    if (g_saved.Present) {
        RegWriteRaw(kSettingsKey, kWindowHandleValue, g_saved.Type, g_saved.Bytes);
    } else {
        RegKey k;
        if (RegOpen(kSettingsKey, &k)) {
            RegRemoveValue(k, kWindowHandleValue);
            RegClose(k);
        }
    }
    g_saved.Ours = 0;
}

BOOL WINAPI OnConsoleEnd(DWORD) {
    GiveBackWindowHandle();
    return FALSE;  // and end as the console asks
}

double Ms(LARGE_INTEGER a, LARGE_INTEGER b, LARGE_INTEGER f) {
    return 1000.0 * static_cast<double>(b.QuadPart - a.QuadPart) / static_cast<double>(f.QuadPart);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const int times = argc > 1 ? ClampedInt(argv[1], 0, INT_MAX) : 5;
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring dir(path);
    dir = dir.substr(0, dir.find_last_of(L"\\/") + 1);
    HMODULE dll = LoadLibraryW((dir + L"velkaro.dll").c_str());
    if (!dll) {
        std::fprintf(stderr, "cannot load velkaro.dll beside this program\n");
        return 1;
    }
    WNDCLASSW wc = {};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = velkaro::kTodayWindowClass;
    RegisterClassW(&wc);
    HWND host = CreateWindowExW(0, wc.lpszClassName, L"host", WS_POPUP, 0, 0, 480, 640, nullptr, nullptr,
                                wc.hInstance, nullptr);
    TODAYLISTITEM desc = {};
    auto init = reinterpret_cast<PFNCUSTOMINITIALIZEITEM>(GetProcAddress(dll, "InitializeCustomItem"));
    auto proc = reinterpret_cast<DLGPROC>(GetProcAddress(dll, "CustomItemOptionsDlgProc"));
    g_saved.Present = RegReadRaw(kSettingsKey, kWindowHandleValue, &g_saved.Type, &g_saved.Bytes);
    SetConsoleCtrlHandler(OnConsoleEnd, TRUE);
    HWND item = init ? init(&desc, host) : nullptr;
    g_saved.Ours = reinterpret_cast<uintptr_t>(item);
    if (!item || !proc) {
        GiveBackWindowHandle();
        std::fprintf(stderr, "the item did not start\n");
        return 1;
    }
    LARGE_INTEGER freq;
    QueryPerformanceFrequency(&freq);
    double later = 0;
    for (int i = 0; i < times; ++i) {
        LARGE_INTEGER t0, t1 = {};
        std::thread watcher([&] {
            for (int n = 0; n < 20000; ++n) {
                HWND sheet = FindWindowW(nullptr, L"VelkaroSetting");
                HWND page = sheet ? reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0)) : nullptr;
                if (page && IsWindowVisible(page) && IsWindowVisible(sheet)) {
                    QueryPerformanceCounter(&t1);
                    PostMessageW(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
                    return;
                }
                Sleep(1);
            }
        });
        QueryPerformanceCounter(&t0);
        DialogBoxParamW(dll, MAKEINTRESOURCEW(500), host, proc, reinterpret_cast<LPARAM>(&desc));
        watcher.join();
        const double ms = Ms(t0, t1, freq);
        if (i > 0) later = later > ms ? later : ms;
        std::printf("opening %d: %.1f ms to the first page\n", i + 1, ms);
    }
    if (times > 1) std::printf("slowest after the first: %.1f ms\n", later);
    DestroyWindow(item);
    GiveBackWindowHandle();
    DestroyWindow(host);
    FreeLibrary(dll);
    return 0;
}
