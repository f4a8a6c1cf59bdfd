#include "platform/win/shell_standin.h"

#include <cstdlib>

namespace {

const wchar_t kMenuBarClass[] = L"VelkaroMenuBar";
const wchar_t kMenuBarProp[] = L"VelkaroMenuBar";

LRESULT CALLBACK MenuBarProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_DESTROY) {
        HWND owner = GetParent(w);
        if (owner && GetPropW(owner, kMenuBarProp) == w) {
            RemovePropW(owner, kMenuBarProp);
            HMENU menu = GetMenu(owner);
            if (menu) {
                SetMenu(owner, nullptr);
                DestroyMenu(menu);
            }
        }
    }
    return DefWindowProcW(w, msg, wp, lp);
}

bool RegisterMenuBarClass(HINSTANCE inst) {
    WNDCLASSW wc = {};
    if (GetClassInfoW(inst, kMenuBarClass, &wc)) return true;
    wc.lpfnWndProc = MenuBarProc;
    wc.hInstance = inst;
    wc.lpszClassName = kMenuBarClass;
    return RegisterClassW(&wc) != 0;
}

HINSTANCE ThisModule() {
    HMODULE m = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&MenuBarProc), &m);
    return m;
}

}  // namespace

DWORD SHRecognizeGesture(SHRGINFO* info) {
    if (!info || !info->hwndClient) return 0;
    HWND w = info->hwndClient;
    const POINT start = info->ptDown;
    const int slackX = GetSystemMetrics(SM_CXDRAG), slackY = GetSystemMetrics(SM_CYDRAG);
    const DWORD t0 = GetTickCount();
    SetCapture(w);
    bool held = false;
    for (;;) {
        MSG msg;
        // A pen-up before the time is a tap: it stays queued for the window.
        if (PeekMessageW(&msg, w, WM_LBUTTONUP, WM_LBUTTONUP, PM_NOREMOVE)) break;
        if (PeekMessageW(&msg, w, WM_MOUSEMOVE, WM_MOUSEMOVE, PM_REMOVE)) {
            const int x = static_cast<short>(LOWORD(msg.lParam)), y = static_cast<short>(HIWORD(msg.lParam));
            if (std::abs(x - start.x) > slackX || std::abs(y - start.y) > slackY) break;
            continue;
        }
        if (GetTickCount() - t0 >= kHoldMilliseconds) {
            held = true;
            break;
        }
        if (GetCapture() != w) break;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_MOUSE | QS_POSTMESSAGE);
    }
    if (GetCapture() == w) ReleaseCapture();
    if (!held) return 0;
    POINT p = start;
    ClientToScreen(w, &p);
    SendMessageW(w, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(w), MAKELPARAM(p.x, p.y));
    return GN_CONTEXTMENU;
}

BOOL SHInitDialog(SHINITDLGINFO* info) {
    if (!info || !info->hDlg) return FALSE;
    if (info->dwFlags & (SHIDIF_SIZEDLG | SHIDIF_SIZEDLGFULLSCREEN)) {
        // The handheld's screen is the top-level window the dialog belongs to
        // (the stand-in Today screen), else the desktop's work area.
        RECT area;
        HWND owner = GetWindow(info->hDlg, GW_OWNER);
        HWND top = owner ? GetAncestor(owner, GA_ROOT) : nullptr;
        if (!top || !GetWindowRect(top, &area)) SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
        MoveWindow(info->hDlg, area.left, area.top, area.right - area.left, area.bottom - area.top, TRUE);
    }
    return TRUE;
}

BOOL SHCreateMenuBar(SHMENUBARINFO* info) {
    if (!info || !info->hwndParent) return FALSE;
    HINSTANCE inst = ThisModule();
    if (!RegisterMenuBarClass(inst)) return FALSE;
    HWND bar = CreateWindowExW(0, kMenuBarClass, L"", WS_CHILD, 0, 0, 0, 0, info->hwndParent, nullptr,
                               inst, nullptr);
    if (!bar) return FALSE;
    if (!(info->dwFlags & SHCMBF_EMPTYBAR) && info->nToolBarId) {
        HMENU menu = LoadMenuW(info->hInstRes, MAKEINTRESOURCEW(info->nToolBarId));
        if (menu) SetMenu(info->hwndParent, menu);
    }
    SetPropW(info->hwndParent, kMenuBarProp, bar);
    info->hwndMB = bar;
    return TRUE;
}

HWND SHFindMenuBar(HWND owner) { return static_cast<HWND>(GetPropW(owner, kMenuBarProp)); }
