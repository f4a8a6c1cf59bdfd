// The pages whose controls map one to one onto settings: base, tap, title
// band, azimuth, background and the ten body pages.
#include <windows.h>
#include <commctrl.h>

#include "resources/options_ids.h"
#include "settings/options_pages.h"
#include "resources/resource.h"
#include "settings/win/options_win.h"

namespace velkaro {
namespace {

struct TableState {
    PageParam Param{};
    const std::vector<FieldDef>* Fields = nullptr;
    PageValues Values;
    SwatchBrushes Brushes;
};

TableState* Of(HWND page) { return reinterpret_cast<TableState*>(GetWindowLongPtrW(page, DWLP_USER)); }

TablePage PageOf(const PageParam& p) { return static_cast<TablePage>(p.Kind); }

void ResetStore(HWND page, OptionsContext* context) {
    const int answer = MessageBoxW(page,
                                   L"This command deletes the registry of settings.\n\n"
                                   L"All the settings are initialized. OK?",
                                   L"Warning", MB_OKCANCEL | MB_ICONEXCLAMATION | MB_DEFBUTTON2);
    if (answer == IDCANCEL) return;
    context->StoreWasReset = true;
    ResetSettingsStore();
}

// Buttons beyond the fields; false when the command is not one of them.
bool PageButton(HWND page, TableState* t, int id) {
    if (t->Param.Kind == kPageBase && id == IDC_BASE_REGDEL) {
        ResetStore(page, t->Param.Context);
        return true;
    }
    if (t->Param.Kind == kPageBack && (id == IDC_BACK_MOON || id == IDC_BACK_RETAKE)) {
        DialogControls controls(t->Param.Context->Module, page);
        ReadFields(*t->Fields, &controls, &t->Values);
        if (id == IDC_BACK_MOON) {
            BackCopyMoon(&t->Values);
        } else {
            BackRetake(&t->Values, *t->Param.Context->Store);
            ShowField(*FindField(*t->Fields, IDC_BACK_TRANS), t->Values, &controls);
            ShowField(*FindField(*t->Fields, IDC_BACK_ALPHA), t->Values, &controls);
        }
        RepaintAllSwatches(page, *t->Fields);
        return true;
    }
    if (t->Param.Kind == kPageBody && id == IDC_BODY_BROWSE) {
        wchar_t text[MAX_PATH] = {};
        GetDlgItemTextW(page, IDC_BODY_ICON, text, MAX_PATH);
        std::wstring path = text;
        if (ChooseImageFile(page, &path)) SetDlgItemTextW(page, IDC_BODY_ICON, path.c_str());
        return true;
    }
    return false;
}

void InitPage(HWND page, const PROPSHEETPAGEW* psp) {
    auto* t = new TableState;
    t->Param = *reinterpret_cast<const PageParam*>(psp->lParam);
    t->Fields = &PageFields(PageOf(t->Param), t->Param.Body);
    t->Values = LoadPage(PageOf(t->Param), t->Param.Body, t->Param.Context->Store);
    SetWindowLongPtrW(page, DWLP_USER, reinterpret_cast<LONG_PTR>(t));
    HINSTANCE module = t->Param.Context->Module;
    DialogControls controls(module, page);
    ShowFields(*t->Fields, t->Values, &controls);
    if (t->Param.Kind == kPageBody && t->Param.Body >= 0) {
        // The colour swatch of the body's text carries the body's name.
        wchar_t name[64] = {};
        LoadStringW(module, static_cast<UINT>(IDS_BODY_FIRST + t->Param.Body), name, 64);
        SetDlgItemTextW(page, IDC_BODY_CRTEXT, name);
    }
}

}  // namespace

INT_PTR CALLBACK TablePageProc(HWND page, UINT msg, WPARAM wp, LPARAM lp) {
    TableState* t = Of(page);
    switch (msg) {
        case WM_INITDIALOG:
            InitPage(page, reinterpret_cast<const PROPSHEETPAGEW*>(lp));
            return TRUE;
        case WM_CTLCOLORSTATIC:
            return t ? PaintSwatch(*t->Fields, t->Values, &t->Brushes, reinterpret_cast<HDC>(wp),
                                   reinterpret_cast<HWND>(lp))
                     : 0;
        case WM_COMMAND: {
            if (!t) return FALSE;
            const int id = LOWORD(wp), code = HIWORD(wp);
            if (code == STN_CLICKED && ChooseSwatchColour(t->Param.Context->Module, page, *t->Fields, &t->Values, id)) return TRUE;
            if (code == BN_CLICKED) return PageButton(page, t, id) ? TRUE : FALSE;
            return FALSE;
        }
        case WM_NOTIFY:
            if (t && reinterpret_cast<NMHDR*>(lp)->code == PSN_APPLY) {
                DialogControls controls(t->Param.Context->Module, page);
                ReadFields(*t->Fields, &controls, &t->Values);
                ApplyPage(PageOf(t->Param), t->Param.Body, t->Values, t->Param.Context->Store);
                return ApplyDone(page);
            }
            return FALSE;
        case WM_DESTROY:
            if (t) {
                ReleaseBrushes(&t->Brushes);
                delete t;
                SetWindowLongPtrW(page, DWLP_USER, 0);
            }
            return FALSE;
        default:
            return FALSE;
    }
}

}  // namespace velkaro
