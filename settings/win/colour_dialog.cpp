// The colour chooser's window side: it hands taps and edits to the chooser's
// rules and writes back what they say to show.
#include "settings/win/colour_dialog.h"

#include <commctrl.h>

#include <map>

#include "platform/int_text.h"
#include "platform/win/shell_standin.h"
#include "platform/win/soft_key_bar.h"
#include "resources/colour_ids.h"
#include "settings/colour_chooser.h"

namespace velkaro {
namespace {

// Each SetDlgItemInt on an edit gives exactly one EN_CHANGE under Wine and on
// the device, even when the text does not change (UDM_SETPOS32 gives none
// then, which is why the fields are never written through the spins).
constexpr int kChangesPerWrite = 1;

const int kRgbFields[3] = {IDC_COLOUR_RED, IDC_COLOUR_GREEN, IDC_COLOUR_BLUE};
const int kHslFields[3] = {IDC_COLOUR_HUE, IDC_COLOUR_SAT, IDC_COLOUR_LIGHT};
const int kRgbSpins[3] = {IDC_COLOUR_RED_SPIN, IDC_COLOUR_GREEN_SPIN, IDC_COLOUR_BLUE_SPIN};
const int kHslSpins[3] = {IDC_COLOUR_HUE_SPIN, IDC_COLOUR_SAT_SPIN, IDC_COLOUR_LIGHT_SPIN};
const int kRgbMax[3] = {255, 255, 255};
const int kHslMax[3] = {kHueMax, kSaturationMax, kLightnessMax};

struct ChooserDialog {
    ChooserState State;
    uint32_t* InOut = nullptr;
    std::map<int, HBRUSH> Brushes;  // the last brush each swatch was painted with
};

ChooserDialog* Of(HWND dlg) { return reinterpret_cast<ChooserDialog*>(GetWindowLongPtrW(dlg, DWLP_USER)); }

void WriteFields(HWND dlg, ChooserDialog* d, const int* ids, const int* values, int count) {
    d->State.Counter.BeforeOwnWrites(count * kChangesPerWrite);
    for (int i = 0; i < count; ++i) SetDlgItemInt(dlg, ids[i], static_cast<UINT>(values[i]), FALSE);
    d->State.Counter.AfterOwnWrites();
}

void RepaintSwatches(HWND dlg, int first, int count) {
    for (int id = first; id < first + count; ++id) InvalidateRect(GetDlgItem(dlg, id), nullptr, TRUE);
}

// The preview with the current-colour swatch and the five hue swatches.
void RepaintPreview(HWND dlg) {
    RepaintSwatches(dlg, IDC_COLOUR_PREVIEW, 1);
    RepaintSwatches(dlg, IDC_COLOUR_CURRENT, 1);
    RepaintSwatches(dlg, IDC_COLOUR_HUE60, 5);
}

void Show(HWND dlg, ChooserDialog* d, const ColourFields& f) {
    const int rgb[3] = {f.R, f.G, f.B}, hsl[3] = {f.H, f.S, f.L};
    WriteFields(dlg, d, kRgbFields, rgb, 3);
    WriteFields(dlg, d, kHslFields, hsl, 3);
    RepaintPreview(dlg);
}

void InitDialog(HWND dlg, ChooserDialog* d) {
    SHINITDLGINFO shidi = {SHIDIM_FLAGS, dlg, SHIDIF_DONEBUTTON | SHIDIF_SIZEDLGFULLSCREEN | SHIDIF_SIPDOWN};
    SHInitDialog(&shidi);
    CreateSoftKeyBar(dlg, IDM_COLOUR_BAR, reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(dlg, GWLP_HINSTANCE)));
    for (int i = 0; i < 3; ++i) {
        for (int group = 0; group < 2; ++group) {
            HWND spin = GetDlgItem(dlg, group ? kHslSpins[i] : kRgbSpins[i]);
            HWND edit = GetDlgItem(dlg, group ? kHslFields[i] : kRgbFields[i]);
            SendMessageW(spin, UDM_SETBUDDY, reinterpret_cast<WPARAM>(edit), 0);
            SendMessageW(spin, UDM_SETRANGE32, 0, group ? kHslMax[i] : kRgbMax[i]);
            SendMessageW(edit, EM_LIMITTEXT, 3, 0);
        }
    }
    Show(dlg, d, FieldsFromRgb(d->State.Current));
}

// A change notification of a number field: the user's edits recolour.
void FieldChanged(HWND dlg, ChooserDialog* d, int id) {
    FieldGroup group;
    const int* ids;
    const int* max;
    if (id == kRgbFields[0] || id == kRgbFields[1] || id == kRgbFields[2]) {
        group = kGroupRgb, ids = kRgbFields, max = kRgbMax;
    } else if (id == kHslFields[0] || id == kHslFields[1] || id == kHslFields[2]) {
        group = kGroupHsl, ids = kHslFields, max = kHslMax;
    } else {
        return;
    }
    if (!d->State.Counter.Notify(group)) return;
    int v[3];
    for (int i = 0; i < 3; ++i) {
        wchar_t text[16] = {};
        GetDlgItemTextW(dlg, ids[i], text, 16);
        v[i] = ClampedInt(text, 0, max[i]);  // not a number: 0
        // A number past the range is shown as the value it stands for.
        if (ids[i] == id && static_cast<int>(GetDlgItemInt(dlg, id, nullptr, FALSE)) != v[i]) {
            WriteFields(dlg, d, &ids[i], &v[i], 1);
            SendDlgItemMessageW(dlg, id, EM_SETSEL, 16, 16);
        }
    }
    const ColourFields f = EditGroup(&d->State, group, v[0], v[1], v[2]);
    if (group == kGroupRgb) {
        const int hsl[3] = {f.H, f.S, f.L};
        WriteFields(dlg, d, kHslFields, hsl, 3);
    } else {
        const int rgb[3] = {f.R, f.G, f.B};
        WriteFields(dlg, d, kRgbFields, rgb, 3);
    }
    RepaintPreview(dlg);
}

void SwatchTapped(HWND dlg, ChooserDialog* d, int id) {
    ColourFields f;
    switch (TapSwatch(&d->State, id, &f)) {
        case kTapShow: Show(dlg, d, f); break;
        case kTapRemembered: RepaintSwatches(dlg, IDC_COLOUR_KEPT1, 4); break;
        case kTapNothing: break;
    }
}

INT_PTR PaintStatic(HWND dlg, ChooserDialog* d, HDC dc, HWND control) {
    const int id = GetDlgCtrlID(control);
    uint32_t colour;
    if (LabelTextColour(id, &colour)) {
        SetTextColor(dc, colour);
        SetBkMode(dc, TRANSPARENT);
        return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
    }
    if (!SwatchColour(d->State, id, &colour)) return FALSE;
    HBRUSH& brush = d->Brushes[id];
    if (brush) DeleteObject(brush);
    brush = CreateSolidBrush(colour);
    SetBkMode(dc, TRANSPARENT);
    return reinterpret_cast<INT_PTR>(brush);
}

void Close(HWND dlg, ChooserDialog* d, bool ok) {
    if (ok) *d->InOut = d->State.Current;
    for (auto& b : d->Brushes)
        if (b.second) DeleteObject(b.second);
    d->Brushes.clear();
    DestroySoftKeyBar(dlg);
    EndDialog(dlg, ok ? IDOK : IDCANCEL);
}

INT_PTR CALLBACK ColourDialogProc(HWND dlg, UINT msg, WPARAM wp, LPARAM lp) {
    ChooserDialog* d = Of(dlg);
    switch (msg) {
        case WM_INITDIALOG:
            SetWindowLongPtrW(dlg, DWLP_USER, lp);
            InitDialog(dlg, reinterpret_cast<ChooserDialog*>(lp));
            return TRUE;
        case WM_CTLCOLORSTATIC:
            return d ? PaintStatic(dlg, d, reinterpret_cast<HDC>(wp), reinterpret_cast<HWND>(lp)) : FALSE;
        case WM_COMMAND: {
            if (!d) return FALSE;
            const int id = LOWORD(wp), code = HIWORD(wp);
            if (id == IDOK || id == IDM_COLOUR_OK) {
                Close(dlg, d, true);
            } else if (id == IDCANCEL || id == IDM_COLOUR_CANCEL) {
                Close(dlg, d, false);
            } else if (code == EN_CHANGE) {
                FieldChanged(dlg, d, id);
            } else if (code == STN_CLICKED) {
                SwatchTapped(dlg, d, id);
            } else {
                return FALSE;
            }
            return TRUE;
        }
        case WM_CLOSE:
            if (d) Close(dlg, d, false);
            return TRUE;
        default:
            return FALSE;
    }
}

}  // namespace

bool RunColourChooser(HINSTANCE resources, HWND owner, uint32_t* colour) {
    if (!colour) return false;
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&icc);
    ChooserDialog d;
    d.State = OpenChooser(*colour);
    d.InOut = colour;
    const INT_PTR r = DialogBoxParamW(resources, MAKEINTRESOURCEW(IDD_COLOUR), owner, ColourDialogProc,
                                      reinterpret_cast<LPARAM>(&d));
    return r == IDOK;
}

}  // namespace velkaro
