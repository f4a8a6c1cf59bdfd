#include "platform/win/shell_standin.h"

#include <commctrl.h>

#include <cstdlib>
#include <cwchar>
#include <string>

#include "platform/screen_scale.h"
#include "platform/win/screen.h"
#include "platform/today_window.h"

namespace {

const wchar_t kMenuBarClass[] = L"VelkaroMenuBar";
const wchar_t kMenuBarProp[] = L"VelkaroMenuBar";

// The keys are drawn by the stand-in at the handheld's size: a bar 26 pixels
// high with 12-pixel bold labels, twice that on a screen past 320 pixels.
constexpr ULONG_PTR kKeyMark = 0x56534B31;     // item data of a soft key
constexpr ULONG_PTR kHeightMark = 0x56534B32;  // item data of the bar's height item
constexpr UINT_PTR kSubclassId = 0x5653;
constexpr int kBarHeight = 26, kKeyFont = 12, kKeyPadding = 8;

// The scale of the handheld screen the owner lives on: the stand-in Today
// screen when the owner belongs to it, else the desktop.
int OwnerScale(HWND owner) {
    HWND top = GetAncestor(owner, GA_ROOTOWNER);
    wchar_t cls[64] = {};
    if (!top || !GetClassNameW(top, cls, 64) || std::wcscmp(cls, velkaro::kTodayWindowClass) != 0) top = nullptr;
    const velkaro::ScreenSize screen = velkaro::ItemScreenSize(top);
    return velkaro::ScreenScale(screen.Width, screen.Height);
}

HFONT KeyFont(int scale) {
    return CreateFontW(-kKeyFont * scale, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"Tahoma");
}

std::wstring KeyLabel(HMENU menu, UINT id) {
    wchar_t text[64] = {};
    GetMenuStringW(menu, id, text, 64, MF_BYCOMMAND);
    return text;
}

void MeasureKey(HWND owner, MEASUREITEMSTRUCT* m, int scale) {
    m->itemHeight = static_cast<UINT>(kBarHeight * scale);
    if (m->itemData == kHeightMark) {
        m->itemWidth = 1;
        return;
    }
    const std::wstring label = KeyLabel(GetMenu(owner), m->itemID);
    HDC dc = GetDC(owner);
    HFONT font = KeyFont(scale);
    HGDIOBJ old = SelectObject(dc, font);
    SIZE size = {};
    GetTextExtentPoint32W(dc, label.c_str(), static_cast<int>(label.size()), &size);
    SelectObject(dc, old);
    DeleteObject(font);
    ReleaseDC(owner, dc);
    m->itemWidth = static_cast<UINT>(size.cx + 2 * kKeyPadding * scale);
}

void DrawKey(HWND owner, const DRAWITEMSTRUCT* d, int scale) {
    if (d->itemData != kKeyMark) return;
    const bool selected = (d->itemState & ODS_SELECTED) != 0;
    FillRect(d->hDC, &d->rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_MENU));
    const std::wstring label = KeyLabel(reinterpret_cast<HMENU>(d->hwndItem), d->itemID);
    HFONT font = KeyFont(scale);
    HGDIOBJ old = SelectObject(d->hDC, font);
    SetBkMode(d->hDC, TRANSPARENT);
    SetTextColor(d->hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT
                                              : (d->itemState & ODS_GRAYED) ? COLOR_GRAYTEXT : COLOR_MENUTEXT));
    RECT r = d->rcItem;
    DrawTextW(d->hDC, label.c_str(), -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    SelectObject(d->hDC, old);
    DeleteObject(font);
}

// Sizes and draws the owner's soft keys; everything else goes on.
LRESULT CALLBACK KeysSubclass(HWND w, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR scale) {
    if (msg == WM_MEASUREITEM && wp == 0) {
        auto* m = reinterpret_cast<MEASUREITEMSTRUCT*>(lp);
        if (m->CtlType == ODT_MENU && (m->itemData == kKeyMark || m->itemData == kHeightMark)) {
            MeasureKey(w, m, static_cast<int>(scale));
            return TRUE;
        }
    } else if (msg == WM_DRAWITEM && wp == 0) {
        auto* d = reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
        if (d->CtlType == ODT_MENU && (d->itemData == kKeyMark || d->itemData == kHeightMark)) {
            DrawKey(w, d, static_cast<int>(scale));
            return TRUE;
        }
    }
    return DefSubclassProc(w, msg, wp, lp);
}

// The owner draws each key (its label stays the item's text), and one more
// item without text gives the bar its height: a menu bar takes the height of
// its tallest picture item, never that of an owner-drawn one.
void MakeKeys(HMENU menu) {
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        MENUITEMINFOW mi = {};
        mi.cbSize = sizeof mi;
        mi.fMask = MIIM_FTYPE;
        if (!GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &mi)) continue;
        mi.fMask = MIIM_FTYPE | MIIM_DATA;
        mi.fType |= MFT_OWNERDRAW;
        mi.dwItemData = kKeyMark;
        SetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &mi);
    }
    MENUITEMINFOW height = {};
    height.cbSize = sizeof height;
    height.fMask = MIIM_BITMAP | MIIM_DATA | MIIM_STATE | MIIM_ID;
    height.hbmpItem = HBMMENU_CALLBACK;
    height.dwItemData = kHeightMark;
    height.fState = MFS_DISABLED;
    InsertMenuItemW(menu, static_cast<UINT>(count), TRUE, &height);
}

LRESULT CALLBACK MenuBarProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_DESTROY) {
        HWND owner = GetParent(w);
        if (owner && GetPropW(owner, kMenuBarProp) == w) {
            RemovePropW(owner, kMenuBarProp);
            RemoveWindowSubclass(owner, KeysSubclass, kSubclassId);
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
        if (menu) {
            MakeKeys(menu);
            // Before the menu is set: setting it measures the keys.
            SetWindowSubclass(info->hwndParent, KeysSubclass, kSubclassId, static_cast<DWORD_PTR>(OwnerScale(info->hwndParent)));
            SetMenu(info->hwndParent, menu);
        }
    }
    SetPropW(info->hwndParent, kMenuBarProp, bar);
    info->hwndMB = bar;
    return TRUE;
}

HWND SHFindMenuBar(HWND owner) { return static_cast<HWND>(GetPropW(owner, kMenuBarProp)); }
