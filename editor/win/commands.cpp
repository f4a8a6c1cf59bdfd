// The commands of both menus on rows and categories, and the category
// controls: each hands the rows, texts and answers of the window to the
// portable commands and brings the lists and the box up to date.
#include <windows.h>
#include <commctrl.h>

#include "editor/commands.h"
#include "editor/win/editor_win.h"
#include "resources/sitarel_ids.h"

namespace velkaro {
namespace {

constexpr int kBoxTextChars = 1023;

void ReportCategoriesFull() {
    MessageBoxW(g_ui.Main, L"There are already 100 categories.", L"error", MB_OK);
}

// After a category was made, renamed or chosen: the box lists every name and
// shows the current one with its fixed mark, and the Stock list is reset.
void ShowNewCategoryState() {
    FillCategoryBox();
    ShowCurrentCategory();
}

WNDPROC g_boxEditProc = nullptr;
bool g_enterUsed = false;  // the search took the Enter key; its character goes too

LRESULT CALLBACK BoxEditProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_KEYDOWN && wp == VK_RETURN) {
        g_enterUsed = SearchFromBox();
        if (g_enterUsed) return 0;
    }
    if (msg == WM_CHAR && wp == L'\r' && g_enterUsed) {
        g_enterUsed = false;
        return 0;
    }
    return CallWindowProcW(g_boxEditProc, w, msg, wp, lp);
}

}  // namespace

bool ConfirmWarning(unsigned stringId) {
    wchar_t text[512] = {};
    LoadStringW(g_ui.Instance, stringId, text, 512);
    return ConfirmWarningText(text);
}

bool ConfirmWarningText(const std::wstring& text) {
    return MessageBoxW(g_ui.Main, text.c_str(), L"Warning", MB_OKCANCEL | MB_ICONEXCLAMATION | MB_DEFBUTTON2) == IDOK;
}

void TellRefusal() {
    const std::wstring text = RefusalText(g_editor);
    g_editor.Refused = kRefusedNone;
    if (!text.empty()) MessageBoxW(g_ui.Main, text.c_str(), L"error", MB_OK | MB_ICONINFORMATION);
}

void OpenRow(int list) {
    const int row = FocusedRow(list);
    if (!BeginEditRow(&g_editor, list, row)) return;
    // A read-only place opens for viewing: nothing typed there is lost at OK.
    const bool readOnly = RowReadOnly(g_editor, list, row);
    RunLocationDialog(g_ui.Main, readOnly);
    if (readOnly) return;
    if (FinishEditRow(&g_editor, list, row)) RefreshList(list);
    TellRefusal();
}

void AddRow(int list) {
    if (!BeginAdd(&g_editor, list)) return TellRefusal();
    const int at = FocusedRow(list);
    RunLocationDialog(g_ui.Main, false);
    if (FinishAdd(&g_editor, list, at)) ResetList(list);
}

void CopySelected(int list) { CopyRows(&g_editor, list, SelectedRows(list)); }

void CutSelected(int list) {
    if (CutRows(&g_editor, list, SelectedRows(list))) ClearSelection(list);
    TellRefusal();
}

void Paste(int list) {
    if (!PasteRows(&g_editor, list, FocusedRow(list))) return TellRefusal();
    if (list == kStockList) {
        ResetList(list);
    } else {
        RefreshList(list);
    }
}

void SetFocusedToWork() {
    if (!SetToWork(&g_editor, FocusedRow(kStockList))) return;
    RefreshList(kWorkList);
    SelectRow(kWorkList, 0);
}

void AllSet() {
    if (AllSetToWork(&g_editor)) ResetList(kWorkList);
}

void FixOrder() {
    if (FixStockOrder(&g_editor)) RefreshList(kStockList);
    TellRefusal();
}

void DeleteCategory() {
    if (!MayDeleteCategory(&g_editor)) return TellRefusal();
    if (!ConfirmWarning(IDS_CONFIRM_CATEG_DEL)) return;
    if (DeleteCurrentCategory(&g_editor)) ShowNewCategoryState();
}

void UndoWrite() {
    if (!UndoRegistryWrite(&g_editor, AnnounceToPeer)) return;
    ShowCurrentCategory();
    ResetList(kWorkList);
}

void CopyWorkToNewCategory() {
    const int result = CopyWorkToCategory(&g_editor);
    if (result == kCategoryFull) ReportCategoriesFull();
    if (result == kCategoryDone) ShowNewCategoryState();
}

void SelectAll(int list) { SelectAllRows(list); }

std::wstring CategoryBoxText() {
    wchar_t text[kBoxTextChars + 1] = {};
    GetWindowTextW(g_ui.Box, text, kBoxTextChars + 1);
    return text;
}

void SelectCurrentName() {
    const int count = static_cast<int>(SendMessageW(g_ui.Box, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        if (SendMessageW(g_ui.Box, CB_GETITEMDATA, i, 0) == g_editor.Stock.Current) {
            SendMessageW(g_ui.Box, CB_SETCURSEL, i, 0);
            return;
        }
    }
}

void TapFixed() {
    const int fixed = TapFixedBox(&g_editor);
    if (fixed < 0) return TellRefusal();
    SendMessageW(g_ui.Fixed, BM_SETCHECK, fixed ? BST_CHECKED : BST_UNCHECKED, 0);
    RefreshList(kStockList);
}

void TapAddCategory() {
    const int result = AddCategoryFromText(&g_editor, CategoryBoxText());
    if (result == kCategoryFull) ReportCategoriesFull();
    if (result == kCategoryDone) ShowNewCategoryState();
}

void TapRename() {
    if (RenameCurrentCategory(&g_editor, CategoryBoxText()) == kCategoryDone) FillCategoryBox();
    SelectCurrentName();
    TellRefusal();
}

bool SearchFromBox() {
    const std::wstring text = CategoryBoxText();
    // Text the user typed, not an entry chosen from the list.
    bool entry = false;
    const LRESULT sel = SendMessageW(g_ui.Box, CB_GETCURSEL, 0, 0);
    if (sel != CB_ERR) {
        const LRESULT n = SendMessageW(g_ui.Box, CB_GETLBTEXTLEN, sel, 0);
        if (n != CB_ERR && n >= 0) {
            std::wstring chosen(static_cast<size_t>(n) + 1, L'\0');
            SendMessageW(g_ui.Box, CB_GETLBTEXT, sel, reinterpret_cast<LPARAM>(&chosen[0]));
            chosen.resize(static_cast<size_t>(n));
            entry = chosen == text;
        }
    }
    if (!SearchStock(&g_editor, text, entry)) return false;
    SendMessageW(g_ui.Box, CB_SHOWDROPDOWN, FALSE, 0);
    ShowCurrentCategory();
    return true;
}

void TakeOverBoxEdit() {
    if (!g_ui.BoxEdit) return;
    g_boxEditProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(g_ui.BoxEdit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(BoxEditProc)));
}

void ReleaseBoxEdit() {
    if (g_ui.BoxEdit && g_boxEditProc)
        SetWindowLongPtrW(g_ui.BoxEdit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_boxEditProc));
    g_boxEditProc = nullptr;
}

}  // namespace velkaro
