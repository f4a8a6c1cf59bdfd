// The location dialog's window: fills its controls from the form, hands check
// box taps, the converter and the "DST" button to the portable rules, and
// writes the buffer back on OK.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "editor/location_dialog.h"
#include "editor/win/editor_win.h"
#include "resources/sitarel_ids.h"
#include "settings/location.h"

namespace velkaro {
namespace {

constexpr int kFieldChars = 259;            // a record's text field
constexpr size_t kClipboardShown = 32768;   // characters of the clipboard shown at most

const int kTextFields[] = {IDC_LOC_NAME, IDC_LOC_LAT, IDC_LOC_LNG, IDC_LOC_HEIGHTS,
                           IDC_LOC_MARGIN, IDC_LOC_DST, IDC_LOC_MEMO};

// What one run of the dialog holds.
struct LocationRun {
    LocationForm Form;
    bool ReadOnly = false;  // the place is shown, not changed
};

// The record's buttons; its texts are kTextFields.
const int kRecordButtons[] = {IDC_LOC_VALID, IDC_LOC_FROM_LONGITUDE, IDC_LOC_AUTO_OFFSET, IDC_LOC_DST_BUTTON};

// The place of a read-only category is shown whole but takes no changes;
// the caption says so. The converter still works.
void MakeReadOnly(HWND dlg) {
    for (int id : kTextFields) {
        SendDlgItemMessageW(dlg, id, EM_SETREADONLY, TRUE, 0);
        EnableWindow(GetDlgItem(dlg, id), TRUE);  // read-only text stays readable and selectable
    }
    for (int id : kRecordButtons) EnableWindow(GetDlgItem(dlg, id), FALSE);
    SetWindowTextW(dlg, kReadOnlyLocationCaption);
}

void ShowOffsetBoxes(HWND dlg, const LocationForm& f) {
    CheckDlgButton(dlg, IDC_LOC_FROM_LONGITUDE, f.Offset.FromLng ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dlg, IDC_LOC_AUTO_OFFSET, f.Offset.Auto ? BST_CHECKED : BST_UNCHECKED);
    EnableWindow(GetDlgItem(dlg, IDC_LOC_FROM_LONGITUDE), f.Offset.BoxesEnabled);
    EnableWindow(GetDlgItem(dlg, IDC_LOC_AUTO_OFFSET), f.Offset.BoxesEnabled);
    EnableWindow(GetDlgItem(dlg, IDC_LOC_MARGIN), f.Offset.MarginEnabled);
}

void ShowForm(HWND dlg, const LocationForm& f) {
    CheckDlgButton(dlg, IDC_LOC_VALID, f.Valid ? BST_CHECKED : BST_UNCHECKED);
    SetDlgItemTextW(dlg, IDC_LOC_NAME, f.Location.c_str());
    SetDlgItemTextW(dlg, IDC_LOC_LAT, f.Lat.c_str());
    SetDlgItemTextW(dlg, IDC_LOC_LNG, f.Lng.c_str());
    SetDlgItemTextW(dlg, IDC_LOC_HEIGHTS, f.Heights.c_str());
    SetDlgItemTextW(dlg, IDC_LOC_MARGIN, f.Margin.c_str());
    SetDlgItemTextW(dlg, IDC_LOC_DST, f.DST.c_str());
    SetDlgItemTextW(dlg, IDC_LOC_MEMO, f.Memo.c_str());
    ShowOffsetBoxes(dlg, f);
}

void ReadForm(HWND dlg, LocationForm* f) {
    f->Valid = IsDlgButtonChecked(dlg, IDC_LOC_VALID) == BST_CHECKED;
    f->Location = DialogText(dlg, IDC_LOC_NAME);
    f->Lat = DialogText(dlg, IDC_LOC_LAT);
    f->Lng = DialogText(dlg, IDC_LOC_LNG);
    f->Heights = DialogText(dlg, IDC_LOC_HEIGHTS);
    f->Margin = DialogText(dlg, IDC_LOC_MARGIN);
    f->DST = DialogText(dlg, IDC_LOC_DST);
    f->Memo = DialogText(dlg, IDC_LOC_MEMO);
    f->Offset.FromLng = IsDlgButtonChecked(dlg, IDC_LOC_FROM_LONGITUDE) == BST_CHECKED;
    f->Offset.Auto = IsDlgButtonChecked(dlg, IDC_LOC_AUTO_OFFSET) == BST_CHECKED;
}

void ShowClipboardText(HWND dlg) {
    if (!IsClipboardFormatAvailable(CF_UNICODETEXT) || !OpenClipboard(dlg)) return;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* text = static_cast<const wchar_t*>(GlobalLock(data))) {
            const size_t chars = GlobalSize(data) / sizeof(wchar_t);
            SetDlgItemTextW(dlg, IDC_LOC_CLIPBOARD, ClipboardShown(text, chars < kClipboardShown ? chars : kClipboardShown).c_str());
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
}

// Replaces the clipboard's contents by the text; when setting fails the copy
// is freed and the clipboard stays empty.
void PutOnClipboard(HWND dlg, const std::wstring& text) {
    if (!OpenClipboard(dlg)) return;
    EmptyClipboard();
    const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    if (HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, bytes)) {
        if (void* p = GlobalLock(copy)) {
            memcpy(p, text.c_str(), bytes);
            GlobalUnlock(copy);
            if (!SetClipboardData(CF_UNICODETEXT, copy)) GlobalFree(copy);
        } else {
            GlobalFree(copy);
        }
    }
    CloseClipboard();
}

void RunConverter(HWND dlg) {
    const double v = ConvertDegrees(DialogText(dlg, IDC_LOC_DEGREES), DialogText(dlg, IDC_LOC_MINUTES),
                                    DialogText(dlg, IDC_LOC_SECONDS));
    const std::wstring text = FormatFixed6(v);
    SetDlgItemTextW(dlg, IDC_LOC_RESULT, text.c_str());
    PutOnClipboard(dlg, text);
}

// The heights field lets only digits and "/" be typed.
LRESULT CALLBACK HeightsProc(HWND w, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR) {
    if (msg == WM_CHAR && !TakesHeightsCharacter(static_cast<wchar_t>(wp))) {
        MessageBeep(MB_OK);
        return 0;
    }
    if (msg == WM_NCDESTROY) RemoveWindowSubclass(w, HeightsProc, 0);
    return DefSubclassProc(w, msg, wp, lp);
}

void Init(HWND dlg, void* p) {
    auto* run = static_cast<LocationRun*>(p);
    for (int id : kTextFields) SendDlgItemMessageW(dlg, id, EM_LIMITTEXT, kFieldChars, 0);
    SetWindowSubclass(GetDlgItem(dlg, IDC_LOC_HEIGHTS), HeightsProc, 0, 0);
    run->Form = OpenLocationForm(g_editor.DialogBuffer);
    ShowForm(dlg, run->Form);
    ShowClipboardText(dlg);
    if (run->ReadOnly) MakeReadOnly(dlg);
}

// The rule dialog edits the buffer's rule; the field shows the buffer's rule
// afterwards whichever way the dialog ended. A zone chosen there brings its
// standard offset.
void EditRule(HWND dlg) {
    const ZoneChoice zone = RunRuleDialog(dlg);
    SetDlgItemTextW(dlg, IDC_LOC_DST, g_editor.DialogBuffer.DST.c_str());
    if (zone.Chosen) SetDlgItemTextW(dlg, IDC_LOC_MARGIN, FormatUtcOffset(zone.StandardHours).c_str());
}

void Confirm(HWND dlg, void* p) {
    auto* run = static_cast<LocationRun*>(p);
    if (run->ReadOnly) return;
    ReadForm(dlg, &run->Form);
    g_editor.DialogConfirmed = true;
    ConfirmLocationForm(run->Form, &g_editor.DialogBuffer);
}

bool Command(HWND dlg, void* p, int id, int code) {
    LocationForm* f = &static_cast<LocationRun*>(p)->Form;
    if (code != BN_CLICKED) return false;
    switch (id) {
        case IDC_LOC_FROM_LONGITUDE:
            SetFromLongitude(&f->Offset, IsDlgButtonChecked(dlg, id) == BST_CHECKED);
            ShowOffsetBoxes(dlg, *f);
            return true;
        case IDC_LOC_AUTO_OFFSET:
            SetAutoOffset(&f->Offset, IsDlgButtonChecked(dlg, id) == BST_CHECKED);
            ShowOffsetBoxes(dlg, *f);
            return true;
        case IDC_LOC_CONVERT: RunConverter(dlg); return true;
        case IDC_LOC_DST_BUTTON: EditRule(dlg); return true;
        default: return false;
    }
}

}  // namespace

void RunLocationDialog(HWND owner, bool readOnly) {
    LocationRun run;
    run.ReadOnly = readOnly;
    EditorDialog dialog;
    dialog.Run = &run;
    dialog.Init = Init;
    dialog.Confirm = Confirm;
    dialog.Command = Command;
    RunEditorDialog(IDD_LOCATION, owner, dialog);
}

}  // namespace velkaro
