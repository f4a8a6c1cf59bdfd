// The Work and Stock list views: virtual rows, columns, header clicks, the
// check-mark column, and the pen taken over for dragging and swiping.
#include <windows.h>
#include <commctrl.h>
#include <windowsx.h>

#include <cwchar>

#include "editor/view.h"
#include "editor/win/editor_win.h"

namespace velkaro {
namespace {

int ListOfWindow(HWND w) { return w == g_ui.Lists[kWorkList] ? kWorkList : kStockList; }

int RowCount(int list) { return static_cast<int>(ListOf(&g_editor, list).size()); }

// The row under a point, -1 when none. The point is taken at the left edge so
// that any column of a row counts.
int RowAt(HWND w, int y) {
    LVHITTESTINFO hit = {};
    hit.pt.x = 2;
    hit.pt.y = y;
    const int row = ListView_HitTest(w, &hit);
    return row >= 0 && (hit.flags & LVHT_ONITEM) ? row : -1;
}

void SelectOnly(HWND w, int row) {
    ListView_SetItemState(w, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_SetItemState(w, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_EnsureVisible(w, row, FALSE);
}

void AfterPenStep(int list, const PenStep& step) {
    HWND w = g_ui.Lists[list];
    if (step.Moved) {
        SelectOnly(w, step.NewRow);
        InvalidateRect(w, nullptr, FALSE);
    }
    if (step.Swiped) ShowCurrentCategory();
}

LRESULT CALLBACK ListProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    const int list = ListOfWindow(w);
    const WNDPROC base = g_ui.ListProcs[list];
    switch (msg) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:  // the second tap of a quick pair is a tap too
            PenDown(&g_editor, list, GET_X_LPARAM(lp), GET_Y_LPARAM(lp), RowAt(w, GET_Y_LPARAM(lp)));
            break;
        case WM_MOUSEMOVE: {
            if (!g_editor.Pen[list].Active) break;
            const bool button = (wp & MK_LBUTTON) != 0;
            const PenStep step =
                PenMove(&g_editor, list, GET_X_LPARAM(lp), GET_Y_LPARAM(lp), RowAt(w, GET_Y_LPARAM(lp)), button);
            AfterPenStep(list, step);
            if (button && !step.Ended) return 0;  // the gesture is ours, not a marquee
            if (step.Swiped) return 0;
            break;
        }
        case WM_LBUTTONUP: {
            // The check mark follows the pen's own gesture: the list view
            // would report a click wherever a drag or swipe ended.
            LVHITTESTINFO hit = {};
            hit.pt = {GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
            const int row = ListView_SubItemHitTest(w, &hit) >= 0 && (hit.flags & LVHT_ONITEM) ? hit.iItem : -1;
            if (PenUp(&g_editor, list, hit.pt.x, hit.pt.y, row, row >= 0 ? hit.iSubItem : -1))
                ListView_RedrawItems(w, row, row);
            const LRESULT r = CallWindowProcW(base, w, msg, wp, lp);
            TellRefusal();  // once the list has let the pen go
            return r;
        }
        default:
            break;
    }
    return CallWindowProcW(base, w, msg, wp, lp);
}

HWND CreateList(HWND main, int id) {
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | LVS_REPORT | LVS_OWNERDATA |
                        LVS_SHOWSELALWAYS;
    HWND w = CreateWindowExW(0, WC_LISTVIEWW, L"", style, 0, 0, 0, 0, main,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), g_ui.Instance, nullptr);
    SendMessageW(w, WM_SETFONT, reinterpret_cast<WPARAM>(g_ui.Font), FALSE);
    return w;
}

void AddColumns(HWND w) {
    for (int c = 0; c < kColumnCount; ++c) {
        LVCOLUMNW col = {};
        col.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
        col.fmt = c == 3 ? LVCFMT_RIGHT : LVCFMT_LEFT;
        col.cx = ColumnWidth(c, g_editor.Scale, g_ui.Width);
        col.pszText = const_cast<wchar_t*>(kColumnHeaders[c]);
        col.iSubItem = c;
        ListView_InsertColumn(w, c, &col);
    }
}

void FillRowText(NMLVDISPINFOW* info) {
    LVITEMW& item = info->item;
    if (!(item.mask & LVIF_TEXT) || !item.pszText || item.cchTextMax <= 0) return;
    const int list = ListOfWindow(info->hdr.hwndFrom);
    const RecordList& rows = ListOf(&g_editor, list);
    item.pszText[0] = L'\0';
    if (item.iItem < 0 || item.iItem >= static_cast<int>(rows.size())) return;
    const std::wstring text = RowText(rows[static_cast<size_t>(item.iItem)], item.iItem, item.iSubItem);
    if (text.size() >= static_cast<size_t>(item.cchTextMax)) return;  // what does not fit shows empty
    std::wmemcpy(item.pszText, text.c_str(), text.size() + 1);
}

void HeaderClick(int list, int column) {
    const bool changed = column == 0 ? RestoreStockOrder(&g_editor, list) : SortList(&g_editor, list, column);
    if (changed) RefreshList(list);
    TellRefusal();
}

}  // namespace

void CreateListViews(HWND main) {
    g_ui.Lists[kWorkList] = CreateList(main, kIdWorkList);
    g_ui.Lists[kStockList] = CreateList(main, kIdStockList);
}

void SetUpListViews() {
    for (int list : {kWorkList, kStockList}) {
        HWND w = g_ui.Lists[list];
        g_ui.ListProcs[list] =
            reinterpret_cast<WNDPROC>(SetWindowLongPtrW(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ListProc)));
        ListView_SetExtendedListViewStyle(w, LVS_EX_FULLROWSELECT | LVS_EX_HEADERDRAGDROP);
        AddColumns(w);
        ListView_SetItemCountEx(w, RowCount(list), 0);
    }
}

void ReleaseListViews() {
    for (int list : {kWorkList, kStockList}) {
        HWND w = g_ui.Lists[list];
        if (!w) continue;
        if (g_ui.ListProcs[list])
            SetWindowLongPtrW(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_ui.ListProcs[list]));
        DestroyWindow(w);
        g_ui.Lists[list] = nullptr;
    }
}

void ResizeColumns() {
    for (HWND w : g_ui.Lists)
        if (w)
            for (int c = 0; c < kColumnCount; ++c) ListView_SetColumnWidth(w, c, ColumnWidth(c, g_editor.Scale, g_ui.Width));
}

void RefreshList(int list) {
    HWND w = g_ui.Lists[list];
    ListView_SetItemCountEx(w, RowCount(list), LVSICF_NOSCROLL);
    InvalidateRect(w, nullptr, FALSE);
}

void ResetList(int list) {
    ResetSortFlags(&g_editor, list);
    HWND w = g_ui.Lists[list];
    ListView_SetItemCountEx(w, RowCount(list), 0);
    ListView_SetItemState(w, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    if (RowCount(list) > 0) {
        ListView_SetItemState(w, 0, LVIS_FOCUSED, LVIS_FOCUSED);
        ListView_EnsureVisible(w, 0, FALSE);
    }
    InvalidateRect(w, nullptr, FALSE);
}

std::vector<int> SelectedRows(int list) {
    std::vector<int> rows;
    HWND w = g_ui.Lists[list];
    for (int row = ListView_GetNextItem(w, -1, LVNI_SELECTED); row >= 0 && row < RowCount(list);
         row = ListView_GetNextItem(w, row, LVNI_SELECTED))
        rows.push_back(row);
    return rows;
}

void SelectAllRows(int list) {
    ListView_SetItemState(g_ui.Lists[list], -1, LVIS_SELECTED, LVIS_SELECTED);
}

void SelectRow(int list, int row) {
    if (row >= 0 && row < RowCount(list)) SelectOnly(g_ui.Lists[list], row);
}

void ClearSelection(int list) {
    RefreshList(list);
    ListView_SetItemState(g_ui.Lists[list], -1, 0, LVIS_SELECTED);
}

int FocusedRow(int list) {
    const int row = ListView_GetNextItem(g_ui.Lists[list], -1, LVNI_FOCUSED);
    return row >= 0 && row < RowCount(list) ? row : -1;
}

LRESULT ListNotify(NMHDR* hdr) {
    if (hdr->hwndFrom != g_ui.Lists[kWorkList] && hdr->hwndFrom != g_ui.Lists[kStockList]) return 0;
    switch (hdr->code) {
        case LVN_GETDISPINFOW:
            FillRowText(reinterpret_cast<NMLVDISPINFOW*>(hdr));
            break;
        case LVN_COLUMNCLICK: {
            const auto* nm = reinterpret_cast<NMLISTVIEW*>(hdr);
            HeaderClick(ListOfWindow(hdr->hwndFrom), nm->iSubItem);
            break;
        }
        case NM_RETURN: {
            // The Enter key opens the focused row of the list it was pressed in.
            const int list = ListOfWindow(hdr->hwndFrom);
            g_editor.LastTouched = list;
            OpenRow(list);
            break;
        }
        default:
            break;
    }
    return 0;
}

}  // namespace velkaro
