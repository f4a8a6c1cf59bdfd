// "Open": the current file is saved, another one is chosen in the open-file
// dialog and loaded in its place; and the save dialog for places that cannot
// go to the file they came from.
#include <windows.h>
#include <commdlg.h>

#include "editor/commands.h"
#include "editor/stock_file.h"
#include "editor/win/editor_win.h"
#include "platform/win/open_file_dialog.h"

namespace velkaro {
namespace {

constexpr DWORD kPathChars = 260;
// "iniファイル (*.ini)", "*.ini", "すべてのファイル (*.*)", "*.*", as the dialog takes them.
const wchar_t kStockFilter[] =
    L"ini\u30D5\u30A1\u30A4\u30EB (*.ini)\0*.ini\0\u3059\u3079\u3066\u306E\u30D5\u30A1\u30A4\u30EB (*.*)\0*.*\0";

}  // namespace

bool PickSaveFile(HWND owner, std::wstring* path) {
    wchar_t buf[kPathChars] = {};
    OPENFILENAMEW ofn = {};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = kStockFilter;
    ofn.lpstrFile = buf;
    ofn.nMaxFile = kPathChars;
    ofn.lpstrDefExt = L"ini";
    ofn.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
    if (!GetSaveFileNameW(&ofn)) return false;
    buf[kPathChars - 1] = L'\0';
    *path = buf;
    return !path->empty();
}

namespace {

// The present categories are saved before another file replaces them; when
// they cannot be, they are given up only when the user says so.
bool SaveBeforeOpen() {
    if (g_ui.StockKept) {
        if (!StockHoldsPlaces()) return true;
        const std::wstring ask = L"'" + g_editor.StockPath +
                                 L"' was not read, and is kept as it is: the categories shown are saved nowhere."
                                 L"\n\nOpen another file and lose them?";
        return MessageBoxW(g_ui.Main, ask.c_str(), L"Warning", MB_OKCANCEL | MB_ICONEXCLAMATION | MB_DEFBUTTON2) ==
               IDOK;
    }
    if (SaveStockWithReport()) return true;
    return MessageBoxW(g_ui.Main, L"The categories could not be saved.\n\nOpen another file and lose the changes?",
                       L"Warning", MB_OKCANCEL | MB_ICONEXCLAMATION | MB_DEFBUTTON2) == IDOK;
}

}  // namespace

void OpenStockFile(HWND owner) {
    if (!SaveBeforeOpen()) return;
    OpenFileStart start;
    start.Filter = kStockFilter;
    std::wstring path;
    if (!ChooseFileToOpen(owner, start, &path) || path.empty()) return;
    int refused = 0;
    switch (ReadStockFile(&g_editor.Stock, path, &refused)) {
        case kStockRead: break;
        case kStockNotCategories: ReportNotCategories(path); return;  // the present file stays
        default: ReportOpenFailure(path); return;
    }
    g_editor.StockPath = path;
    g_ui.StockKept = false;
    FillCategoryBox();
    ChooseOpenedCategory(&g_editor);
    ShowCurrentCategory();
    ReportRefusedSections(path, refused);
}

}  // namespace velkaro
