// The date dialog: one month calendar, Monday first; closing it picks the date.
#include <windows.h>
#include <commctrl.h>

#include "resources/resource.h"
#include "today/win/item_win.h"

namespace velkaro {
namespace {

struct DateChoice {
    ::SYSTEMTIME date;
};

void Close(HWND dlg, int code) {
    auto* choice = reinterpret_cast<DateChoice*>(GetWindowLongPtrW(dlg, DWLP_USER));
    HWND cal = GetDlgItem(dlg, IDC_DATE_CALENDAR);
    ::SYSTEMTIME picked = {};
    if (choice && cal && SendMessageW(cal, MCM_GETCURSEL, 0, reinterpret_cast<LPARAM>(&picked)))
        choice->date = picked;
    EndDialog(dlg, code);
}

INT_PTR CALLBACK DateDialogProc(HWND dlg, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_INITDIALOG: {
            SetWindowLongPtrW(dlg, DWLP_USER, lp);
            auto* choice = reinterpret_cast<DateChoice*>(lp);
            HWND cal = GetDlgItem(dlg, IDC_DATE_CALENDAR);
            SendMessageW(cal, MCM_SETFIRSTDAYOFWEEK, 0, 0);
            SendMessageW(cal, MCM_SETCURSEL, 0, reinterpret_cast<LPARAM>(&choice->date));
            RECT need = {};
            SendMessageW(cal, MCM_GETMINREQRECT, 0, reinterpret_cast<LPARAM>(&need));
            const int cw = need.right - need.left, ch = need.bottom - need.top;
            SetWindowPos(cal, nullptr, 0, 0, cw, ch, SWP_NOZORDER);
            // Size the frame so that its client area is exactly the calendar.
            RECT frame = {0, 0, cw, ch};
            AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(dlg, GWL_STYLE)), FALSE,
                               static_cast<DWORD>(GetWindowLongPtrW(dlg, GWL_EXSTYLE)));
            const int w = frame.right - frame.left, h = frame.bottom - frame.top;
            SetWindowPos(dlg, nullptr, (GetSystemMetrics(SM_CXSCREEN) - w) / 2,
                         (GetSystemMetrics(SM_CYSCREEN) - h) / 2, w, h, SWP_NOZORDER);
            return TRUE;
        }
        case WM_COMMAND:
            if (LOWORD(wp) == IDOK || LOWORD(wp) == IDCANCEL) {
                Close(dlg, LOWORD(wp));
                return TRUE;
            }
            return FALSE;
        case WM_CLOSE:
            Close(dlg, IDOK);
            return TRUE;
        default:
            return FALSE;
    }
}

}  // namespace

SYSTEMTIME RunDateDialog(HWND owner, const SYSTEMTIME& start) {
    DateChoice choice = {};
    choice.date.wYear = start.wYear;
    choice.date.wMonth = start.wMonth;
    choice.date.wDay = start.wDay;
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_DATE_CLASSES};
    InitCommonControlsEx(&icc);
    DialogBoxParamW(g_module, MAKEINTRESOURCEW(IDD_DATE), owner, DateDialogProc,
                    reinterpret_cast<LPARAM>(&choice));
    SYSTEMTIME out = start;
    out.wYear = choice.date.wYear;
    out.wMonth = choice.date.wMonth;
    out.wDay = choice.date.wDay;
    return out;
}

}  // namespace velkaro
