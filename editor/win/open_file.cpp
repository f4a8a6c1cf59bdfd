// "Open": the current file is saved, another one is chosen in the open-file
// dialog and loaded in its place.
#include <windows.h>
#include <commdlg.h>

#include "editor/commands.h"
#include "editor/stock_file.h"
#include "editor/win/editor_win.h"

namespace velkaro {
namespace {

constexpr DWORD kPathChars = 260;
// "iniファイル (*.ini)", "*.ini", "すべてのファイル (*.*)", "*.*", as the dialog takes them.
const wchar_t kStockFilter[] =
    L"ini\u30D5\u30A1\u30A4\u30EB (*.ini)\0*.ini\0\u3059\u3079\u3066\u306E\u30D5\u30A1\u30A4\u30EB (*.*)\0*.*\0";

using OpenFileNameFn = BOOL(WINAPI*)(OPENFILENAMEW*);

}  // namespace

int PickFile(HWND owner, wchar_t* path, const wchar_t* filter) {
    OPENFILENAMEW ofn = {};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filter;
    ofn.lpstrFile = path;
    ofn.nMaxFile = kPathChars;
    BOOL chosen = FALSE;
    // The replacement dialog is optional and looked for at every call.
    HMODULE replacement = LoadLibraryW(L"gsgetfile.dll");
    auto pick = replacement ? reinterpret_cast<OpenFileNameFn>(
                                  reinterpret_cast<void*>(GetProcAddress(replacement, "gsGetOpenFileName")))
                            : nullptr;
    chosen = pick ? pick(&ofn) : GetOpenFileNameW(&ofn);
    if (replacement) FreeLibrary(replacement);
    if (!chosen) return 0;
    path[kPathChars - 1] = L'\0';
    return static_cast<int>(wcslen(path));
}

void OpenStockFile(HWND owner) {
    SaveStockWithReport();  // a failure is told, and the data is still here to keep
    wchar_t path[kPathChars] = {};
    if (PickFile(owner, path, kStockFilter) == 0) return;
    if (!LoadStockFile(&g_editor.Stock, path)) {
        ReportOpenFailure(path);
        return;
    }
    g_editor.StockPath = path;
    FillCategoryBox();
    ChooseOpenedCategory(&g_editor);
    ShowCurrentCategory();
}

}  // namespace velkaro
