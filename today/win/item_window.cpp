// The item window: translates messages into the item's portable decisions.
#include <windows.h>
#include <shellapi.h>

#include <cwchar>
#include <string>

#include "today/now.h"
#include "platform/registry.h"
#include "platform/win/device_path.h"
#include "platform/win/screen.h"
#include "platform/win/shell_standin.h"
#include "platform/win/todaycmn.h"
#include "resources/resource.h"
#include "settings/protocol.h"
#include "today/win/item_win.h"

namespace velkaro {
namespace {

// The system's reason for the last failure, without its line break.
std::wstring SystemReason(DWORD code) {
    wchar_t* text = nullptr;
    FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                   nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring reason = text ? text : L"";
    if (text) LocalFree(text);
    while (!reason.empty() && (reason.back() == L'\n' || reason.back() == L'\r' || reason.back() == L' '))
        reason.pop_back();
    return reason;
}

// "edit": the program of ExecPath; a device path lies on the plug-in's drive.
void StartEditor(HWND w) {
    const std::wstring path = DiskPath(g_item.Store.General.ExecPath);
    SHELLEXECUTEINFOW info = {};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_FLAG_NO_UI;  // our own message names the path
    info.lpFile = path.c_str();
    info.nShow = SW_SHOWNORMAL;
    if (ShellExecuteExW(&info)) return;
    std::wstring text = L"Can't start '" + path + L"'.";
    const std::wstring reason = SystemReason(GetLastError());
    if (!reason.empty()) text += L"\n" + reason;
    MessageBoxW(w, text.c_str(), kStartFailureCaption, MB_OK | MB_ICONERROR);
}

POINT ScreenPoint(HWND w, int x, int y) {
    POINT p = {x, y};
    ClientToScreen(w, &p);
    return p;
}

void ShowLocationMenu(HWND w, int x, int y) {
    const auto entries = BuildLocationMenu(g_item.Store.Locations, g_item.State.PosIndex,
                                           g_item.Store.General.MenuTime != 0, g_item.Store.General.DST != 0,
                                           ReadClock());
    if (entries.empty()) return;
    HMENU menu = CreatePopupMenu();
    for (const MenuEntry& e : entries)
        AppendMenuW(menu, MF_STRING | (e.Checked ? MF_CHECKED : MF_UNCHECKED), e.Command, e.Text.c_str());
    const POINT p = ScreenPoint(w, x, y);
    TrackPopupMenu(menu, 0, p.x, p.y, 0, w, nullptr);
    DestroyMenu(menu);
}

void ShowTimeMenu(HWND w, int x, int y) {
    HMENU menu = LoadMenuW(g_module, MAKEINTRESOURCEW(IDM_TIME));
    if (!menu) return;
    const POINT p = ScreenPoint(w, x, y);
    TrackPopupMenu(GetSubMenu(menu, 0), 0, p.x, p.y, 0, w, nullptr);
    DestroyMenu(menu);
}

void ChooseDate(HWND w) {
    const ClockReading now = ReadClock();
    UpdateDisplayTime(&g_item, now);
    DateTime chosen;
    if (RunDateDialog(w, g_item.State.DisplayTime, &chosen)) ApplyChosenDate(&g_item, chosen, now);
}

bool Perform(HWND w, const ActionResult& r, int x, int y) {
    switch (r.Request) {
        case kUiStartEditor: StartEditor(w); break;
        case kUiLocationMenu: ShowLocationMenu(w, x, y); break;
        case kUiTimeMenu: ShowTimeMenu(w, x, y); break;
        case kUiDateDialog: ChooseDate(w); break;
        default: break;
    }
    return r.Redraw;
}

void RunAndInvalidate(HWND w, int action, int x, int y) {
    if (RunAction(w, action, x, y)) InvalidateRect(w, nullptr, TRUE);
}

POINT ContextPoint(HWND w, LPARAM lp) {
    POINT p = {static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
    if (lp == -1) return POINT{0, 0};  // from the keyboard
    ScreenToClient(w, &p);
    return p;
}

void OnCreate(HWND w) {
    g_itemWindow = w;
    WriteWindowHandle(kSettingsKey, reinterpret_cast<uintptr_t>(w));
    const ScreenSize screen = ItemScreenSize(GetParent(w));
    StartItem(&g_item, screen.Width, screen.Height, ParentClientWidth(w));
    CreateItemSurfaces(w);
}

// Keeps the item as wide as the Today screen, then draws it.
void OnMove(HWND w) {
    RECT mine, parent;
    GetWindowRect(w, &mine);
    if (GetParent(w) && GetWindowRect(GetParent(w), &parent) &&
        mine.right - mine.left != parent.right - parent.left)
        SetWindowPos(w, nullptr, 0, 0, parent.right - parent.left, mine.bottom - mine.top,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOREDRAW);
    HDC dc = GetDC(w);
    PaintItem(w, dc);
    ReleaseDC(w, dc);
}

void OnEraseBackground(HWND w, HDC dc) {
    TODAYDRAWWATERMARKINFO info = {};
    info.hdc = dc;
    GetClientRect(w, &info.rc);
    info.hwnd = w;
    SendMessageW(GetParent(w), TODAYM_DRAWWATERMARK, 0, reinterpret_cast<LPARAM>(&info));
}

void OnPenDown(HWND w, LPARAM lp) {
    PenDown(&g_item);
    SHRGINFO info = {};
    info.cbSize = 20;
    info.hwndClient = w;
    info.ptDown.x = static_cast<short>(LOWORD(lp));
    info.ptDown.y = static_cast<short>(HIWORD(lp));
    info.dwFlags = SHRG_RETURNCMD;
    SHRecognizeGesture(&info);
    if (g_item.Store.General.Tap) InvalidateRect(w, nullptr, TRUE);
}

void OnHold(HWND w, LPARAM lp) {
    const POINT p = ContextPoint(w, lp);
    if (Perform(w, PenHold(&g_item, p.x), p.x, p.y)) InvalidateRect(w, nullptr, TRUE);
}

void OnPenUp(HWND w, LPARAM lp) {
    const int x = LOWORD(lp), y = HIWORD(lp);
    if (Perform(w, PenUp(&g_item, x), x, y)) InvalidateRect(w, nullptr, TRUE);
}

void OnCommand(HWND w, WPARAM wp) {
    const int id = LOWORD(wp);
    HandleItemCommand(&g_item, id);
    const int action = TimeMenuAction(id);
    if (action >= 0) RunAction(w, action, 0, 0);
    InvalidateRect(w, nullptr, TRUE);
}

LRESULT OnRefreshQuery(HWND w, WPARAM wp) {
    auto* item = reinterpret_cast<TODAYLISTITEM*>(wp);
    DWORD unused = static_cast<DWORD>(g_item.State.ItemHeight);
    DWORD* height = item ? &item->cyp : &unused;
    const RefreshResult r = RefreshQuery(&g_item, ClockLocalNow(), reinterpret_cast<uint32_t*>(height));
    if (r.Invalidate) InvalidateRect(w, nullptr, TRUE);
    return r.HeightChanged ? TRUE : FALSE;
}

}  // namespace

const wchar_t kStartFailureCaption[] = L"error";

bool RunAction(HWND w, int action, int x, int y) { return Perform(w, RunItemAction(&g_item, action), x, y); }

LRESULT CALLBACK ItemWindowProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_CREATE: OnCreate(w); break;
        case WM_DESTROY:
            ReleaseItemSurfaces();
            if (g_itemWindow == w) g_itemWindow = nullptr;
            return 0;
        case WM_MOVE: OnMove(w); break;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(w, &ps);
            PaintItem(w, dc);
            EndPaint(w, &ps);
            return 0;
        }
        case WM_PRINTCLIENT:
            // Only the stand-in Today screen asks for this, to take snapshots.
            PaintItem(w, reinterpret_cast<HDC>(wp));
            return 0;
        case WM_ERASEBKGND: OnEraseBackground(w, reinterpret_cast<HDC>(wp)); return 1;
        case WM_LBUTTONDOWN: OnPenDown(w, lp); break;
        case WM_CONTEXTMENU: OnHold(w, lp); return 0;  // the item's own; the Today screen does not see it
        case WM_LBUTTONUP: OnPenUp(w, lp); break;
        case WM_COMMAND: OnCommand(w, wp); break;
        case WM_TODAYCUSTOM_QUERYREFRESHCACHE: return OnRefreshQuery(w, wp);
        case WM_TODAYCUSTOM_USERNAVIGATION: return 0;
        case kMsgLocationsChanged:
            LoadLocationSlots(&g_item.Store.Locations);
            RequestRepaint(&g_item.State);
            break;
        case kMsgEditorSettingsChanged:
            ReloadEditorSettings(&g_item.Store);
            RequestRepaint(&g_item.State);
            break;
        default:
            if (ActionOfMessage(msg) >= 0) {
                RunAndInvalidate(w, ActionOfMessage(msg), LOWORD(lp), HIWORD(lp));
                return 0;
            }
            break;
    }
    return DefWindowProcW(w, msg, wp, lp);
}

}  // namespace velkaro
