// The stand-in Today screen: a wallpapered window that loads velkaro.dll,
// places its item at the full width, polls it every two seconds and paints the
// wallpaper under it on request. --snapshot writes the screen to a PNG and exits.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>
#include <vector>

#include "platform/int_text.h"
#include "platform/win/png_win.h"
#include "platform/win/todaycmn.h"
#include "settings/protocol.h"
#include "today/now.h"

namespace {

const wchar_t kHostTitle[] = L"Today";
constexpr UINT_PTR kRefreshTimer = 1;
constexpr int kCmdOptions = 100;
constexpr int kCmdExit = 101;

struct Host {
    int width = 480, height = 640;
    int refreshMs = 2000;
    std::wstring snapshot;
    HMODULE dll = nullptr;
    TODAYLISTITEM item = {};
    HWND window = nullptr;
    HWND itemWindow = nullptr;
    int headerHeight = 0;
    std::vector<int> actions;  // posted as action messages before the first paint
    bool fresh = false;        // start from an empty settings store
} g;

// Whether a star of radius r at height y would lie under the date header or the
// item, where one shining through would read as part of a text ("35.68N" as
// "35°68N", "Wednesday" with a dot over its "s").
bool UnderText(int y, int r) {
    const int bottom = g.headerHeight + (g.itemWindow ? static_cast<int>(g.item.cyp) : 0);
    return y - r < bottom;
}

// The wallpaper: an evening sky over a hill line, with a few stars, so that the
// item's blend with it shows. The stars keep out of the header and the item.
void PaintWallpaper(HDC dc, int dx, int dy) {
    TRIVERTEX v[2] = {};
    v[0].x = dx;
    v[0].y = dy;
    v[0].Red = 0x1800;
    v[0].Green = 0x2400;
    v[0].Blue = 0x5800;
    v[1].x = dx + g.width;
    v[1].y = dy + g.height;
    v[1].Red = 0xC800;
    v[1].Green = 0x7000;
    v[1].Blue = 0x5000;
    GRADIENT_RECT gr = {0, 1};
    GradientFill(dc, v, 2, &gr, 1, GRADIENT_FILL_RECT_V);

    HBRUSH hill = CreateSolidBrush(RGB(0x20, 0x30, 0x28));
    HGDIOBJ oldBrush = SelectObject(dc, hill);
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
    POINT pts[8] = {{0, g.height * 78 / 100},       {g.width * 22 / 100, g.height * 70 / 100},
                    {g.width * 45 / 100, g.height * 76 / 100}, {g.width * 70 / 100, g.height * 66 / 100},
                    {g.width, g.height * 74 / 100},  {g.width, g.height},
                    {0, g.height},                   {0, g.height * 78 / 100}};
    for (POINT& p : pts) {
        p.x += dx;
        p.y += dy;
    }
    Polygon(dc, pts, 8);
    SelectObject(dc, oldBrush);
    DeleteObject(hill);

    HBRUSH star = CreateSolidBrush(RGB(0xF0, 0xF0, 0xD8));
    SelectObject(dc, star);
    unsigned seed = 12345;
    for (int i = 0; i < 60; ++i) {
        seed = seed * 1103515245u + 12345u;
        const int x = static_cast<int>((seed >> 8) % static_cast<unsigned>(g.width));
        seed = seed * 1103515245u + 12345u;
        const int y = static_cast<int>((seed >> 8) % static_cast<unsigned>(g.height * 6 / 10));
        const int r = (i % 7 == 0) ? 2 : 1;
        if (UnderText(y, r)) continue;
        Ellipse(dc, dx + x - r, dy + y - r, dx + x + r + 1, dy + y + r + 1);
    }
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(star);
}

void PaintHeader(HDC dc) {
    const velkaro::DateTime now = velkaro::ClockLocalNow();
    wchar_t text[64];
    static const wchar_t* const kDays[] = {L"Sunday", L"Monday", L"Tuesday", L"Wednesday",
                                           L"Thursday", L"Friday", L"Saturday"};
    std::swprintf(text, 64, L"%ls, %d-%02d-%02d", kDays[now.wDayOfWeek % 7], now.wYear, now.wMonth,
                  now.wDay);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(255, 255, 255));
    HFONT font = CreateFontW(-(g.headerHeight * 6 / 10), 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0,
                             5, 0, L"Tahoma");
    HGDIOBJ old = SelectObject(dc, font);
    RECT rc = {8, 0, g.width - 8, g.headerHeight};
    DrawTextW(dc, text, -1, &rc, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
    SelectObject(dc, old);
    DeleteObject(font);
}

void Layout() {
    if (!g.itemWindow) return;
    RECT rc;
    GetClientRect(g.window, &rc);
    MoveWindow(g.itemWindow, 0, g.headerHeight, rc.right, static_cast<int>(g.item.cyp), TRUE);
}

bool Refresh() {
    if (!g.itemWindow) return false;
    const BOOL changed = static_cast<BOOL>(SendMessageW(g.itemWindow, WM_TODAYCUSTOM_QUERYREFRESHCACHE,
                                                        reinterpret_cast<WPARAM>(&g.item), 0));
    if (changed) {
        Layout();
        InvalidateRect(g.window, nullptr, TRUE);
    }
    return changed != FALSE;
}

// As the Today screen's settings do: the item's dialog 500 with its exported
// procedure and the item's descriptor, then the item redrawn.
void OpenOptions(HWND owner) {
    if (!g.dll || !g.item.fOptions) return;
    auto proc = reinterpret_cast<DLGPROC>(GetProcAddress(g.dll, "CustomItemOptionsDlgProc"));
    if (proc) DialogBoxParamW(g.dll, MAKEINTRESOURCEW(500), owner, proc, reinterpret_cast<LPARAM>(&g.item));
    if (g.itemWindow) InvalidateRect(g.itemWindow, nullptr, TRUE);
}

LRESULT CALLBACK HostProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(w, &ps);
            PaintWallpaper(dc, 0, 0);
            PaintHeader(dc);
            EndPaint(w, &ps);
            return 0;
        }
        case WM_ERASEBKGND:
            return 1;
        case TODAYM_DRAWWATERMARK: {
            auto* info = reinterpret_cast<TODAYDRAWWATERMARKINFO*>(lp);
            if (!info || !info->hdc) return 0;
            POINT origin = {0, 0};
            if (info->hwnd) MapWindowPoints(info->hwnd, w, &origin, 1);
            const int saved = SaveDC(info->hdc);
            IntersectClipRect(info->hdc, info->rc.left, info->rc.top, info->rc.right, info->rc.bottom);
            PaintWallpaper(info->hdc, -origin.x, -origin.y);
            RestoreDC(info->hdc, saved);
            return 1;
        }
        case WM_TIMER:
            if (wp == kRefreshTimer) Refresh();
            return 0;
        case WM_SIZE:
            g.width = LOWORD(lp);
            g.height = HIWORD(lp);
            Layout();
            return 0;
        case WM_COMMAND:
            if (LOWORD(wp) == kCmdOptions) {
                OpenOptions(w);
                Refresh();
            } else if (LOWORD(wp) == kCmdExit) {
                DestroyWindow(w);
            }
            return 0;
        case WM_DESTROY:
            KillTimer(w, kRefreshTimer);
            if (g.itemWindow) DestroyWindow(g.itemWindow);
            g.itemWindow = nullptr;
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(w, msg, wp, lp);
    }
}

HMODULE LoadItemLibrary() {
    wchar_t path[MAX_PATH];
    DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring dir(path, n);
    dir = dir.substr(0, dir.find_last_of(L"\\/") + 1);
    for (const std::wstring& candidate :
         {dir + L"velkaro.dll", std::wstring(L"C:\\Program Files\\Velkaro\\velkaro.dll")}) {
        HMODULE m = LoadLibraryW(candidate.c_str());
        if (m) {
            wcsncpy(g.item.szDLLPath, candidate.c_str(), MAX_PATH - 1);
            return m;
        }
    }
    return nullptr;
}

std::string Narrow(const std::wstring& s) {
    int n = WideCharToMultiByte(CP_UTF8, 0, s.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n > 0 ? n - 1 : 0), '\0');
    if (n > 1) WideCharToMultiByte(CP_UTF8, 0, s.c_str(), -1, out.data(), n, nullptr, nullptr);
    return out;
}

// Renders the host's client area into memory, the item through WM_PRINTCLIENT
// (a window's own context shows nothing without a display), and writes a PNG.
int WriteSnapshot() {
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = g.width;
    bi.bmiHeader.biHeight = -g.height;  // top-down, as the PNG wants it
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    ReleaseDC(nullptr, screen);
    if (!bmp || !bits) return 1;
    HGDIOBJ old = SelectObject(dc, bmp);
    PaintWallpaper(dc, 0, 0);
    PaintHeader(dc);
    if (g.itemWindow) {
        POINT prev;
        SetViewportOrgEx(dc, 0, g.headerHeight, &prev);
        SendMessageW(g.itemWindow, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
        SetViewportOrgEx(dc, prev.x, prev.y, nullptr);
    }
    GdiFlush();
    std::vector<uint32_t> pixels(static_cast<const uint32_t*>(bits),
                                 static_cast<const uint32_t*>(bits) + static_cast<size_t>(g.width) * g.height);
    for (uint32_t& p : pixels) p &= 0xFFFFFF;
    SelectObject(dc, old);
    DeleteObject(bmp);
    DeleteDC(dc);
    const std::string path = Narrow(g.snapshot);
    if (!velkaro::WritePng(g.snapshot, pixels.data(), g.width, g.height)) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        return 1;
    }
    std::printf("snapshot written: %s (%dx%d, item height %lu)\n", path.c_str(), g.width, g.height,
                static_cast<unsigned long>(g.item.cyp));
    return 0;
}

const char kUsage[] =
    "usage: TodayHost [--screen WxH] [--snapshot FILE.png] [--refresh-ms N] [--action N]... [--fresh]\n";

// A whole decimal number within [lo, hi], with no blank before it; false for
// anything else.
bool ReadWhole(const std::wstring& text, long lo, long hi, long* out) {
    long long v = 0;
    if (velkaro::ReadIntText(text).Blanks || !velkaro::WholeInt(text, lo, hi, &v)) return false;
    *out = static_cast<long>(v);
    return true;
}

bool Reject(const std::string& message) {
    std::fprintf(stderr, "TodayHost: %s\n%s", message.c_str(), kUsage);
    return false;
}

// "480x640", each side 64 to 4096.
bool ReadScreen(const std::wstring& text) {
    const size_t x = text.find(L'x');
    long w = 0, h = 0;
    if (x == std::wstring::npos || !ReadWhole(text.substr(0, x), 64, 4096, &w) ||
        !ReadWhole(text.substr(x + 1), 64, 4096, &h))
        return false;
    g.width = static_cast<int>(w);
    g.height = static_cast<int>(h);
    return true;
}

bool ParseArgs(int argc, wchar_t** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::wstring a = argv[i];
        const bool takesValue = a == L"--screen" || a == L"--snapshot" || a == L"--action" || a == L"--refresh-ms";
        if (takesValue && i + 1 >= argc) return Reject("a value is missing");
        long n = 0;
        if (a == L"--screen") {
            if (!ReadScreen(argv[++i]))
                return Reject("--screen wants WIDTHxHEIGHT, each side 64 to 4096 pixels, such as 480x640");
        } else if (a == L"--snapshot") {
            g.snapshot = argv[++i];
        } else if (a == L"--fresh") {
            g.fresh = true;
        } else if (a == L"--action") {
            if (!ReadWhole(argv[++i], 0, velkaro::kPostedActionCount - 1, &n))
                return Reject("--action takes an action number 0 to 15");
            g.actions.push_back(static_cast<int>(n));
        } else if (a == L"--refresh-ms") {
            if (!ReadWhole(argv[++i], 10, 600000, &n))
                return Reject("--refresh-ms takes milliseconds 10 to 600000");
            g.refreshMs = static_cast<int>(n);
        } else {
            return Reject("unknown argument '" + Narrow(a) + "'");
        }
    }
    return true;
}

bool CreateHostWindow(HINSTANCE inst) {
    WNDCLASSW wc = {};
    wc.lpfnWndProc = HostProc;
    wc.hInstance = inst;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = velkaro::kTodayWindowClass;
    RegisterClassW(&wc);

    HMENU menu = CreateMenu();
    AppendMenuW(menu, MF_STRING, kCmdOptions, L"Options");
    AppendMenuW(menu, MF_STRING, kCmdExit, L"Exit");
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    RECT rc = {0, 0, g.width, g.height};
    AdjustWindowRect(&rc, style, TRUE);
    g.window = CreateWindowExW(0, velkaro::kTodayWindowClass, kHostTitle, style, CW_USEDEFAULT, CW_USEDEFAULT,
                               rc.right - rc.left, rc.bottom - rc.top, nullptr, menu, inst, nullptr);
    if (!g.window) return false;
    // The menu bar may wrap; keep the client area at the handheld's size.
    RECT client;
    GetClientRect(g.window, &client);
    if (client.bottom != g.height || client.right != g.width) {
        RECT wr;
        GetWindowRect(g.window, &wr);
        SetWindowPos(g.window, nullptr, 0, 0, wr.right - wr.left + g.width - client.right,
                     wr.bottom - wr.top + g.height - client.bottom, SWP_NOMOVE | SWP_NOZORDER);
    }
    return true;
}

// Loads the plug-in and has it create its item, as the Today screen does.
const char* StartPlugin() {
    if (g.fresh) RegDeleteTreeW(HKEY_CURRENT_USER, velkaro::kSettingsKey + 1);
    g.dll = LoadItemLibrary();
    if (!g.dll) return "cannot load velkaro.dll";
    auto init = reinterpret_cast<PFNCUSTOMINITIALIZEITEM>(GetProcAddress(g.dll, "InitializeCustomItem"));
    wcsncpy(g.item.szName, L"velkaro", MAX_ITEMNAME - 1);
    g.item.tlit = tlitCustom;
    g.item.fEnabled = TRUE;
    g.item.fOptions = TRUE;
    g.item.hinstDLL = g.dll;
    g.itemWindow = init ? init(&g.item, g.window) : nullptr;
    g.item.hwndCustom = g.itemWindow;
    if (!g.itemWindow) return "the item was not created";
    Refresh();
    for (int n : g.actions) SendMessageW(g.itemWindow, velkaro::ActionMessage(n), 0, 0);
    Refresh();
    Layout();
    return nullptr;
}

int RunWindow(int show) {
    ShowWindow(g.window, show ? show : SW_SHOWNORMAL);
    UpdateWindow(g.window);
    SetTimer(g.window, kRefreshTimer, static_cast<UINT>(g.refreshMs), nullptr);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE inst, HINSTANCE, LPWSTR, int show) {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (!ParseArgs(argc, argv)) return 2;
    g.headerHeight = g.width >= 400 ? 40 : 20;
    if (!CreateHostWindow(inst)) {
        std::fprintf(stderr, "cannot create the Today window\n");
        return 1;
    }
    if (const char* failure = StartPlugin()) {
        std::fprintf(stderr, "%s\n", failure);
        return 1;
    }
    int rcode = 0;
    if (!g.snapshot.empty()) {
        rcode = WriteSnapshot();
        DestroyWindow(g.window);
    } else {
        rcode = RunWindow(show);
    }
    FreeLibrary(g.dll);
    return rcode;
}
