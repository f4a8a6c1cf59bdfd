// The two soft-key menus: opening them, their check marks, and their commands
// translated into the portable flows.
#include <windows.h>
#include <commctrl.h>

#include "editor/win/editor_win.h"
#include "resources/sitarel_ids.h"

namespace velkaro {
namespace {

HMENU WorkMenu() { return GetSubMenu(g_ui.Menus, 0); }
HMENU StockMenu() { return GetSubMenu(g_ui.Menus, 1); }

void SendFocusedToDayrune(int list) {
    const int row = FocusedRow(list);
    if (row < 0 || !ConfirmWarning(IDS_CONFIRM_DAYRUNE)) return;
    const int result = SendToDayrune(ListOf(&g_editor, list)[static_cast<size_t>(row)], AnnounceToPeer);
    const std::wstring text = DayruneResultText(result);
    if (!text.empty()) MessageBoxW(g_ui.Main, text.c_str(), L"error", MB_OK);
}

void Sort(int list, int key) {
    if (SortList(&g_editor, list, key)) RefreshList(list);
    TellRefusal();
}

void ToggleWide(int mode) {
    g_editor.Layout = g_editor.Layout == mode ? kLayoutNormal : mode;
    SendMessageW(g_ui.Main, WM_SETTINGCHANGE, 0, 0);  // measure and lay out again
}

void Read() {
    ReadRegistrySlots(&g_editor.Work);
    ResetList(kWorkList);
}

void Write() {
    const std::wstring question = SlotWriteQuestion(g_editor.Work, false);
    if (!question.empty() && !ConfirmWarningText(question)) return;
    WriteWorkWithBackup(&g_editor, false, AnnounceToPeer);
    ResetList(kWorkList);
    if (g_editor.Stock.Current == kRegBakCategory) ResetList(kStockList);
}

bool RunWorkCommand(int command) {
    if (command >= IDM_REG_FIRST && command < IDM_REG_FIRST + kDisplayEntryCount) {
        ToggleDisplayFlag(&g_editor.Flags, command - IDM_REG_FIRST, AnnounceToPeer);
        MarkDisplayFlags();
        return true;
    }
    if (command >= IDM_ALTMODE_FIRST && command <= IDM_ALTMODE_ALTITUDE) {
        SetAltitudeMode(&g_editor, command - IDM_ALTMODE_FIRST);
        MarkAltitudeMode();
        return true;
    }
    switch (command) {
        case IDM_WORK_READ: Read(); return true;
        case IDM_WORK_WRITE: Write(); return true;
        case IDM_WORK_SORT_LAT: Sort(kWorkList, kSortLat); return true;
        case IDM_WORK_SORT_LNG: Sort(kWorkList, kSortLng); return true;
        case IDM_WORK_DAYRUNE: SendFocusedToDayrune(kWorkList); return true;
        case IDM_WORK_EXIT: RequestExit(); return true;
        case IDM_WORK_WIDE: ToggleWide(kLayoutWorkWide); return true;
        case IDM_WORK_PASTE: Paste(kWorkList); return true;
        case IDM_WORK_CUT: CutSelected(kWorkList); return true;
        case IDM_WORK_COPY: CopySelected(kWorkList); return true;
        case IDM_WORK_EDIT: OpenRow(kWorkList); return true;
        case IDM_WORK_ADD: AddRow(kWorkList); return true;
        case IDM_WORK_ALLSELECT: SelectAll(kWorkList); return true;
        default: return false;
    }
}

bool RunStockCommand(int command) {
    switch (command) {
        case IDM_STOCK_SORT_LAT: Sort(kStockList, kSortLat); return true;
        case IDM_STOCK_SORT_LNG: Sort(kStockList, kSortLng); return true;
        case IDM_STOCK_DAYRUNE: SendFocusedToDayrune(kStockList); return true;
        case IDM_STOCK_WIDE: ToggleWide(kLayoutStockWide); return true;
        case IDM_STOCK_SET: SetFocusedToWork(); return true;
        case IDM_STOCK_ALLSET: AllSet(); return true;
        case IDM_STOCK_COPY: CopySelected(kStockList); return true;
        case IDM_STOCK_CUT: CutSelected(kStockList); return true;
        case IDM_STOCK_PASTE: Paste(kStockList); return true;
        case IDM_STOCK_EDIT: OpenRow(kStockList); return true;
        case IDM_STOCK_ADD: AddRow(kStockList); return true;
        case IDM_STOCK_FIX: FixOrder(); return true;
        case IDM_STOCK_OPEN: OpenStockFile(g_ui.Main); return true;
        case IDM_STOCK_CATEG_DEL: DeleteCategory(); return true;
        case IDM_STOCK_REGUNDO: UndoWrite(); return true;
        case IDM_STOCK_WORKCOPY: CopyWorkToNewCategory(); return true;
        case IDM_STOCK_ALLSELECT: SelectAll(kStockList); return true;
        default: return false;
    }
}

}  // namespace

void ShowSoftKeyMenu(int command) {
    const bool work = command == IDM_SOFTKEY_WORK;
    HMENU bar = GetMenu(g_ui.Main);
    RECT key = {};
    if (!bar || !GetMenuItemRect(g_ui.Main, bar, work ? 0 : 1, &key)) {
        POINT p = {0, 0};
        ClientToScreen(g_ui.Main, &p);
        key = {p.x, p.y, p.x, p.y};
    }
    // Each menu opens under its own soft key: Work at the left, Stock at the right.
    TrackPopupMenu(work ? WorkMenu() : StockMenu(), (work ? TPM_LEFTALIGN : TPM_RIGHTALIGN) | TPM_TOPALIGN,
                   work ? key.left : key.right, key.bottom, 0, g_ui.Main, nullptr);
}

void MarkAltitudeMode() {
    for (int mode = kAltitudeZero; mode <= kAltitudeAltitude; ++mode)
        CheckMenuItem(WorkMenu(), IDM_ALTMODE_FIRST + mode,
                      MF_BYCOMMAND | (mode == g_editor.Altitude ? MF_CHECKED : MF_UNCHECKED));
}

void MarkDisplayFlags() {
    for (int e = 0; e < kDisplayEntryCount; ++e)
        CheckMenuItem(WorkMenu(), IDM_REG_FIRST + e,
                      MF_BYCOMMAND | (DisplayEntryChecked(g_editor.Flags, e) ? MF_CHECKED : MF_UNCHECKED));
}

bool RunMenuCommand(int command) {
    if (command == IDM_SOFTKEY_WORK || command == IDM_SOFTKEY_STOCK) {
        ShowSoftKeyMenu(command);
        return true;
    }
    return RunWorkCommand(command) || RunStockCommand(command);
}

}  // namespace velkaro
