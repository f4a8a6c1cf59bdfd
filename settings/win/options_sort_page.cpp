// A sort page: two list views of body numbers and names, and the moves.
#include <windows.h>
#include <commctrl.h>

#include <cwchar>

#include "resources/options_ids.h"
#include "settings/options_sort.h"
#include "resources/resource.h"
#include "settings/win/options_win.h"

namespace velkaro {
namespace {

struct SortState {
    int List = 0;  // 0 "SortP0", 1 "SortP1"
    SortPage Page;
    OptionsContext* Context = nullptr;
};

SortList& ListOf(const SortState& s) {
    GeneralSettings& g = s.Context->Store->General;
    return s.List ? g.SortP1 : g.SortP0;
}

SortState* Of(HWND page) { return reinterpret_cast<SortState*>(GetWindowLongPtrW(page, DWLP_USER)); }

void AddColumns(HWND view, int hiResFactor) {
    ListView_SetExtendedListViewStyle(view, LVS_EX_FULLROWSELECT);
    LVCOLUMNW col = {};
    col.mask = LVCF_WIDTH | LVCF_TEXT;
    col.cx = 15;
    col.pszText = const_cast<wchar_t*>(L"");
    ListView_InsertColumn(view, 0, &col);
    col.cx = 60 * hiResFactor;
    ListView_InsertColumn(view, 1, &col);
}

void Fill(HINSTANCE module, HWND view, const std::vector<int>& bodies, int sel) {
    ListView_DeleteAllItems(view);
    for (size_t i = 0; i < bodies.size(); ++i) {
        wchar_t number[8], name[64] = {};
        std::swprintf(number, 8, L"%d", bodies[i]);
        LoadStringW(module, static_cast<UINT>(IDS_BODY_FIRST + bodies[i]), name, 64);
        LVITEMW item = {};
        item.mask = LVIF_TEXT;
        item.iItem = static_cast<int>(i);
        item.pszText = number;
        ListView_InsertItem(view, &item);
        ListView_SetItemText(view, static_cast<int>(i), 1, name);
    }
    if (sel >= 0) {
        ListView_SetItemState(view, sel, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        ListView_EnsureVisible(view, sel, FALSE);
    }
}

void Show(HWND page, const SortState& s) {
    HINSTANCE module = s.Context->Module;
    const SortPage& p = s.Page;
    Fill(module, GetDlgItem(page, IDC_SORT_LEFT), p.Left, p.LeftSel);
    Fill(module, GetDlgItem(page, IDC_SORT_RIGHT), p.Right, p.RightSel);
}

int Selection(HWND page, int id) {
    return ListView_GetNextItem(GetDlgItem(page, id), -1, LVNI_SELECTED);
}

void Init(HWND page, const PROPSHEETPAGEW* psp) {
    const auto* param = reinterpret_cast<const PageParam*>(psp->lParam);
    auto* s = new SortState;
    s->List = param->Kind;
    s->Context = param->Context;
    s->Page = OpenSortPage(ListOf(*s));
    SetWindowLongPtrW(page, DWLP_USER, reinterpret_cast<LONG_PTR>(s));
    AddColumns(GetDlgItem(page, IDC_SORT_LEFT), s->Context->HiResFactor);
    AddColumns(GetDlgItem(page, IDC_SORT_RIGHT), s->Context->HiResFactor);
    Show(page, *s);
}

bool Move(HWND page, SortState* s, int id) {
    SortPage& p = s->Page;
    p.LeftSel = Selection(page, IDC_SORT_LEFT);
    p.RightSel = Selection(page, IDC_SORT_RIGHT);
    bool moved;
    switch (id) {
        case IDC_SORT_UP: moved = MoveUp(&p); break;
        case IDC_SORT_DOWN: moved = MoveDown(&p); break;
        case IDC_SORT_TORIGHT: moved = MoveToRight(&p); break;
        case IDC_SORT_TOLEFT: moved = MoveToLeft(&p); break;
        default: return false;
    }
    if (moved) Show(page, *s);
    return true;
}

}  // namespace

INT_PTR CALLBACK SortPageProc(HWND page, UINT msg, WPARAM wp, LPARAM lp) {
    SortState* s = Of(page);
    switch (msg) {
        case WM_INITDIALOG:
            Init(page, reinterpret_cast<const PROPSHEETPAGEW*>(lp));
            return TRUE;
        case WM_COMMAND:
            return s && HIWORD(wp) == BN_CLICKED && Move(page, s, LOWORD(wp)) ? TRUE : FALSE;
        case WM_NOTIFY:
            if (s && reinterpret_cast<NMHDR*>(lp)->code == PSN_APPLY) {
                ListOf(*s) = ApplySortPage(s->Page);
                return ApplyDone(page);
            }
            return FALSE;
        case WM_DESTROY:
            delete s;
            SetWindowLongPtrW(page, DWLP_USER, 0);
            return FALSE;
        default:
            return FALSE;
    }
}

}  // namespace velkaro
