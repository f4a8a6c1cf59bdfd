// The options dialog (template 500) runs the eighteen-page sheet
// "VelkaroSetting" over the settings in memory and saves them after it.
#include <windows.h>
#include <commctrl.h>

#include <cwchar>

#include "platform/win/shell_standin.h"
#include "platform/win/soft_key_bar.h"
#include "resources/options_ids.h"
#include "resources/resource.h"
#include "settings/win/options_sheet.h"
#include "settings/win/options_win.h"

namespace velkaro {
namespace {

// Sheet callback codes only the handheld's property sheets send.
constexpr int kSheetGetVersion = 3;
constexpr int kSheetGetTitle = 4;
constexpr int kSheetVersion = 524;
constexpr int kDoneEmptyMenuFlags = 43;  // Done button, sized, input panel down, empty menu bar

struct PageEntry {
    int Template;
    int Title;  // string id
    DLGPROC Proc;
    PageParam Param;
};

// The pages in sheet order.
const PageEntry kPages[] = {
    {IDD_PAGE_BASE, IDS_PAGE_BASE, TablePageProc, {kPageBase, -1, nullptr}},
    {IDD_PAGE_TAP, IDS_PAGE_TAP, TablePageProc, {kPageTap, -1, nullptr}},
    {IDD_PAGE_POS, IDS_PAGE_POS, LocationPageProc, {0, -1, nullptr}},
    {IDD_PAGE_INFO, IDS_PAGE_INFO, TablePageProc, {kPageInfo, -1, nullptr}},
    {IDD_PAGE_AZI, IDS_PAGE_AZI, TablePageProc, {kPageAzi, -1, nullptr}},
    {IDD_PAGE_SORT, IDS_PAGE_SORT, SortPageProc, {0, -1, nullptr}},
    {IDD_PAGE_SORT, IDS_PAGE_SORT2, SortPageProc, {1, -1, nullptr}},
    {IDD_PAGE_BACK, IDS_PAGE_BACK, TablePageProc, {kPageBack, -1, nullptr}},
    {IDD_PAGE_BODY, IDS_BODY_FIRST + 0, TablePageProc, {kPageBody, 0, nullptr}},
    {IDD_PAGE_MOON, IDS_BODY_FIRST + 1, TablePageProc, {kPageBody, 1, nullptr}},
    {IDD_PAGE_BODY, IDS_BODY_FIRST + 2, TablePageProc, {kPageBody, 2, nullptr}},
    {IDD_PAGE_BODY, IDS_BODY_FIRST + 3, TablePageProc, {kPageBody, 3, nullptr}},
    {IDD_PAGE_BODY, IDS_BODY_FIRST + 4, TablePageProc, {kPageBody, 4, nullptr}},
    {IDD_PAGE_BODY, IDS_BODY_FIRST + 5, TablePageProc, {kPageBody, 5, nullptr}},
    {IDD_PAGE_BODY, IDS_BODY_FIRST + 6, TablePageProc, {kPageBody, 6, nullptr}},
    {IDD_PAGE_BODY, IDS_BODY_FIRST + 7, TablePageProc, {kPageBody, 7, nullptr}},
    {IDD_PAGE_BODY, IDS_BODY_FIRST + 8, TablePageProc, {kPageBody, 8, nullptr}},
    {IDD_PAGE_BODY, IDS_BODY_FIRST + 9, TablePageProc, {kPageBody, 9, nullptr}},
};
constexpr int kPageCount = sizeof kPages / sizeof kPages[0];

// The module the sheet's callback loads from: the callback has no parameter
// of ours, and one sheet runs at a time.
HINSTANCE g_sheetModule = nullptr;

int CALLBACK SheetCallback(HWND sheet, UINT msg, LPARAM lp) {
    switch (msg) {
        case PSCB_INITIALIZED:
            CreateSoftKeyBar(sheet, 0, g_sheetModule);
            return 0;
        case kSheetGetVersion:
            return kSheetVersion;
#ifdef _WIN32_WCE
        case kSheetGetTitle:
            if (lp) LoadStringW(g_sheetModule, IDS_VERSION, reinterpret_cast<wchar_t*>(lp), MAX_PATH);
            return 0;
#endif
        default:
            return 0;
    }
}

void RunSheet(HWND owner, OptionsContext* context) {
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_UPDOWN_CLASS | ICC_LISTVIEW_CLASSES | ICC_TAB_CLASSES};
    InitCommonControlsEx(&icc);
    HINSTANCE module = context->Module;
    wchar_t titles[kPageCount][32] = {};
    PageParam params[kPageCount];  // live while the modal sheet runs
    HPROPSHEETPAGE pages[kPageCount] = {};
    for (int i = 0; i < kPageCount; ++i) {
        LoadStringW(module, static_cast<UINT>(kPages[i].Title), titles[i], 32);
        params[i] = kPages[i].Param;
        params[i].Context = context;
        PROPSHEETPAGEW psp = {};
        psp.dwSize = sizeof psp;
        psp.dwFlags = PSP_USETITLE;
        psp.hInstance = module;
        psp.pszTemplate = MAKEINTRESOURCEW(kPages[i].Template);
        psp.pfnDlgProc = kPages[i].Proc;
        psp.pszTitle = titles[i];
        psp.lParam = reinterpret_cast<LPARAM>(&params[i]);
        pages[i] = CreatePropertySheetPageW(&psp);
    }
    PROPSHEETHEADERW psh = {};
    psh.dwSize = sizeof psh;
    psh.dwFlags = PSH_USECALLBACK | PSH_NOAPPLYNOW | PSH_NOCONTEXTHELP;
    psh.hwndParent = owner;
    psh.hInstance = module;
    psh.pszCaption = L"VelkaroSetting";
    psh.nPages = kPageCount;
    psh.nStartPage = 0;
    psh.phpage = pages;
    psh.pfnCallback = SheetCallback;
    context->StoreWasReset = false;
    g_sheetModule = module;
    PropertySheetW(&psh);
}

void RunOptions(OptionsContext* context, HWND dlg) {
    LoadSettingsStore(context->Store);
    SHINITDLGINFO shidi = {SHIDIM_FLAGS, dlg, kDoneEmptyMenuFlags};
    SHInitDialog(&shidi);
    RunSheet(dlg, context);
    // OK and cancel alike: cancel leaves memory as loaded.
    if (!context->StoreWasReset) SaveSettingsStore(*context->Store);
    if (context->SettingsChanged) context->SettingsChanged(context);
}

}  // namespace

INT_PTR OptionsDialogMessage(OptionsContext* context, HWND dlg, UINT msg, WPARAM wp) {
    switch (msg) {
        case WM_INITDIALOG:
            RunOptions(context, dlg);
            EndDialog(dlg, IDOK);
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wp) == IDOK || LOWORD(wp) == IDCANCEL) {
                EndDialog(dlg, LOWORD(wp));
                return TRUE;
            }
            return FALSE;
        default:
            return FALSE;
    }
}

}  // namespace velkaro
