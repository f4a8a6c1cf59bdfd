// The item window: translates messages into the item's portable decisions.
#include <windows.h>
#include <shellapi.h>

#include <cwchar>

#include "platform/clock.h"
#include "platform/registry.h"
#include "platform/win/shell_standin.h"
#include "platform/win/todaycmn.h"
#include "resources/resource.h"
#include "settings/protocol.h"
#include "today/win/item_win.h"

namespace velkaro {
namespace {


void StartEditor() {
    SHELLEXECUTEINFOW info = {};
    info.cbSize = sizeof info;
    info.lpFile = g_item.Store.General.ExecPath.c_str();
    info.nShow = SW_SHOWNORMAL;
    ShellExecuteExW(&info);
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
    ApplyChosenDate(&g_item, RunDateDialog(w, g_item.State.DisplayTime), now);
}

bool Perform(HWND w, const ActionResult& r, int x, int y) {
    switch (r.Request) {
        case kUiStartEditor: StartEditor(); break;
        case kUiLocationMenu: ShowLocationMenu(w, x, y); break;
        case kUiTimeMenu: ShowTimeMenu(w, x, y); break;
        case kUiDateDialog: ChooseDate(w); break;
        default: break;
    }
    return r.Redraw;
}

POINT ContextPoint(HWND w, LPARAM lp) {
    POINT p = {static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
    if (lp == -1) return POINT{0, 0};  // from the keyboard
    ScreenToClient(w, &p);
    return p;
}

void Create(HWND w) {
    g_itemWindow = w;
    WriteWindowHandle(kSettingsKey, reinterpret_cast<uintptr_t>(w));
    StartItem(&g_item, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), ParentClientWidth(w));
    CreateItemSurfaces(w);
}

}  // namespace

bool RunAction(HWND w, int action, int x, int y) { return Perform(w, RunItemAction(&g_item, action), x, y); }

LRESULT CALLBACK ItemWindowProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_CREATE:
            Create(w);
            break;
        case WM_DESTROY:
            ReleaseItemSurfaces();
            if (g_itemWindow == w) g_itemWindow = nullptr;
            return 0;
        case WM_MOVE: {
            RECT mine, parent;
            GetWindowRect(w, &mine);
            if (GetParent(w) && GetWindowRect(GetParent(w), &parent) &&
                mine.right - mine.left != parent.right - parent.left)
                SetWindowPos(w, nullptr, 0, 0, parent.right - parent.left, mine.bottom - mine.top,
                             SWP_NOMOVE | SWP_NOZORDER | SWP_NOREDRAW);
            HDC dc = GetDC(w);
            PaintItem(w, dc);
            ReleaseDC(w, dc);
            break;
        }
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
        case WM_ERASEBKGND: {
            TODAYDRAWWATERMARKINFO info = {};
            info.hdc = reinterpret_cast<HDC>(wp);
            GetClientRect(w, &info.rc);
            info.hwnd = w;
            SendMessageW(GetParent(w), TODAYM_DRAWWATERMARK, 0, reinterpret_cast<LPARAM>(&info));
            return 1;
        }
        case WM_LBUTTONDOWN:
            if (PenDown(&g_item)) {
                SHRGINFO info = {};
                info.cbSize = 20;
                info.hwndClient = w;
                info.ptDown.x = static_cast<short>(LOWORD(lp));
                info.ptDown.y = static_cast<short>(HIWORD(lp));
                info.dwFlags = SHRG_RETURNCMD;
                SHRecognizeGesture(&info);
                InvalidateRect(w, nullptr, TRUE);
            }
            break;
        case WM_CONTEXTMENU: {
            const POINT p = ContextPoint(w, lp);
            if (Perform(w, PenHold(&g_item, p.x), p.x, p.y)) InvalidateRect(w, nullptr, TRUE);
            return 0;  // the hold is the item's own; the Today screen does not see it
        }
        case WM_LBUTTONUP: {
            const int x = LOWORD(lp), y = HIWORD(lp);
            if (Perform(w, PenUp(&g_item, x), x, y)) InvalidateRect(w, nullptr, TRUE);
            break;
        }
        case WM_COMMAND: {
            const int id = LOWORD(wp);
            HandleItemCommand(&g_item, id);
            const int action = TimeMenuAction(id);
            if (action >= 0) RunAction(w, action, 0, 0);
            InvalidateRect(w, nullptr, TRUE);
            break;
        }
        case WM_TODAYCUSTOM_QUERYREFRESHCACHE: {
            auto* item = reinterpret_cast<TODAYLISTITEM*>(wp);
            const SYSTEMTIME now = ClockLocalNow();
            DWORD dummy = static_cast<DWORD>(g_item.State.ItemHeight);
            RefreshResult r = RefreshQuery(&g_item, now, item ? reinterpret_cast<uint32_t*>(&item->cyp)
                                                              : reinterpret_cast<uint32_t*>(&dummy));
            if (r.Invalidate) InvalidateRect(w, nullptr, TRUE);
            return r.HeightChanged ? TRUE : FALSE;
        }
        case WM_TODAYCUSTOM_USERNAVIGATION:
            return 0;
        case kMsgLocationsChanged:
            LoadLocationSlots(&g_item.Store.Locations);
            g_item.State.LastClockKey = 0;
            break;
        case kMsgEditorSettingsChanged:
            ReloadEditorSettings(&g_item.Store);
            g_item.State.LastClockKey = 0;
            break;
        default:
            if (ActionOfMessage(msg) >= 0) {
                if (RunAction(w, ActionOfMessage(msg), LOWORD(lp), HIWORD(lp)))
                    InvalidateRect(w, nullptr, TRUE);
                return 0;
            }
            break;
    }
    return DefWindowProcW(w, msg, wp, lp);
}

}  // namespace velkaro
