// The date dialog: one month calendar, Monday first, with OK and Cancel on its
// menu bar as the handheld's dialogs have them; it sits inside the Today screen.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>

#include "platform/win/soft_key_bar.h"
#include "resources/resource.h"
#include "today/win/item_win.h"

namespace velkaro {
namespace {

struct DateChoice {
    SYSTEMTIME date;
    HWND today;  // the Today screen the dialog must fit in
};

// The rectangle (screen coordinates) the dialog must stay inside.
RECT TodayArea(HWND today) {
    RECT area;
    if (today && GetWindowRect(today, &area) && area.right > area.left && area.bottom > area.top) {
        RECT client;
        GetClientRect(today, &client);
        POINT origin = {0, 0};
        ClientToScreen(today, &origin);
        return RECT{origin.x, origin.y, origin.x + client.right, origin.y + client.bottom};
    }
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    return area;
}

// The calendar at its smallest size at (0, 0), the frame around it, centred
// on the Today screen and held inside it.
void FitIntoToday(HWND dlg, HWND cal, HWND today) {
    RECT need = {};
    SendMessageW(cal, MCM_GETMINREQRECT, 0, reinterpret_cast<LPARAM>(&need));
    const int cw = need.right - need.left, ch = need.bottom - need.top;
    SetWindowPos(cal, nullptr, 0, 0, cw, ch, SWP_NOZORDER);
    RECT frame = {0, 0, cw, ch};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(dlg, GWL_STYLE)), GetMenu(dlg) != nullptr,
                       static_cast<DWORD>(GetWindowLongPtrW(dlg, GWL_EXSTYLE)));
    const RECT area = TodayArea(today);
    const int aw = area.right - area.left, ah = area.bottom - area.top;
    const int w = std::min<int>(frame.right - frame.left, aw), h = std::min<int>(frame.bottom - frame.top, ah);
    SetWindowPos(dlg, nullptr, area.left + (aw - w) / 2, area.top + (ah - h) / 2, w, h, SWP_NOZORDER);
    // A menu bar that wrapped to two lines takes height from the calendar: give it back.
    RECT client;
    GetClientRect(dlg, &client);
    if (client.bottom < ch && h < ah) {
        const int more = std::min<int>(ch - client.bottom, ah - h);
        SetWindowPos(dlg, nullptr, area.left + (aw - w) / 2, area.top + (ah - h - more) / 2, w, h + more,
                     SWP_NOZORDER);
    }
}

void Init(HWND dlg, DateChoice* choice) {
    SetWindowLongPtrW(dlg, DWLP_USER, reinterpret_cast<LONG_PTR>(choice));
    CreateSoftKeyBar(dlg, IDM_DATE_BAR, g_module);
    HWND cal = GetDlgItem(dlg, IDC_DATE_CALENDAR);
    SendMessageW(cal, MCM_SETFIRSTDAYOFWEEK, 0, 0);
    SendMessageW(cal, MCM_SETCURSEL, 0, reinterpret_cast<LPARAM>(&choice->date));
    FitIntoToday(dlg, cal, choice->today);
}

// OK takes the calendar's day; Cancel, Escape and closing leave it alone.
void Close(HWND dlg, int code) {
    auto* choice = reinterpret_cast<DateChoice*>(GetWindowLongPtrW(dlg, DWLP_USER));
    SYSTEMTIME picked = {};
    if (code == IDOK && choice &&
        SendMessageW(GetDlgItem(dlg, IDC_DATE_CALENDAR), MCM_GETCURSEL, 0, reinterpret_cast<LPARAM>(&picked)))
        choice->date = picked;
    EndDialog(dlg, code);
}

INT_PTR CALLBACK DateDialogProc(HWND dlg, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_INITDIALOG:
            Init(dlg, reinterpret_cast<DateChoice*>(lp));
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wp) == IDOK || LOWORD(wp) == IDCANCEL) {
                Close(dlg, LOWORD(wp));
                return TRUE;
            }
            return FALSE;
        case WM_CLOSE:
            Close(dlg, IDCANCEL);
            return TRUE;
        default:
            return FALSE;
    }
}

}  // namespace

bool RunDateDialog(HWND owner, const DateTime& start, DateTime* chosen) {
    DateChoice choice = {};
    choice.date.wYear = start.wYear;
    choice.date.wMonth = start.wMonth;
    choice.date.wDay = start.wDay;
    choice.today = owner ? GetAncestor(owner, GA_ROOT) : nullptr;
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_DATE_CLASSES};
    InitCommonControlsEx(&icc);
    const INT_PTR code = DialogBoxParamW(g_module, MAKEINTRESOURCEW(IDD_DATE), owner, DateDialogProc,
                                         reinterpret_cast<LPARAM>(&choice));
    if (code != IDOK) return false;
    *chosen = start;
    chosen->wYear = choice.date.wYear;
    chosen->wMonth = choice.date.wMonth;
    chosen->wDay = choice.date.wDay;
    return true;
}

}  // namespace velkaro
