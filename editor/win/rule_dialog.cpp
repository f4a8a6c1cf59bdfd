// The rule dialog's window: the lists and spin boxes show a RuleFields, the
// "Zone" list fills them from a platform time zone (typing picks the zone
// whose name starts with what was typed; the chosen zone's whole name and any
// caveat show under the list), and OK writes the rule they make (the stored
// one where nothing changed) into the dialog buffer.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>

#include "editor/rule_dialog.h"
#include "editor/rule_zones.h"
#include "editor/win/editor_win.h"
#include "platform/time_zones.h"
#include "resources/sitarel_ids.h"

namespace velkaro {
namespace {

// The four spin boxes in one order: start hour, start day, end hour, end day.
constexpr int kSpinCount = 4;
const int kSpins[kSpinCount] = {IDC_RULE_START_HOUR_SPIN, IDC_RULE_START_DAY_SPIN, IDC_RULE_END_HOUR_SPIN,
                                IDC_RULE_END_DAY_SPIN};
const int kBuddies[kSpinCount] = {IDC_RULE_START_HOUR, IDC_RULE_START_DAY, IDC_RULE_END_HOUR, IDC_RULE_END_DAY};

// Every control that shows a part of the rule; greyed while a zone without
// daylight saving is chosen.
const int kRuleControls[] = {
    IDC_RULE_START_LABEL, IDC_RULE_START_MONTH, IDC_RULE_START_TIME_LABEL, IDC_RULE_START_HOUR,
    IDC_RULE_START_HOUR_SPIN, IDC_RULE_WEEKDAY_FORM, IDC_RULE_DAY_FORM, IDC_RULE_START_WEEK,
    IDC_RULE_START_WEEKDAY, IDC_RULE_START_DAY_LABEL, IDC_RULE_START_DAY, IDC_RULE_START_DAY_SPIN,
    IDC_RULE_END_LABEL, IDC_RULE_END_MONTH, IDC_RULE_END_TIME_LABEL, IDC_RULE_END_HOUR,
    IDC_RULE_END_HOUR_SPIN, IDC_RULE_END_WEEK, IDC_RULE_END_WEEKDAY, IDC_RULE_END_DAY_LABEL,
    IDC_RULE_END_DAY, IDC_RULE_END_DAY_SPIN};

struct RuleDialog {
    SpinPosition Spins[kSpinCount];
    std::vector<ZoneEntry> Zones;  // the "Zone" list's entries after its first, empty one
    ZoneChoice Zone;               // the entry chosen, if any
    RuleOpening Opened;            // the stored rule and the fields first shown
    std::vector<std::wstring> ZoneNames;  // the "Zone" list's texts, its empty first one included
    ZoneTypeAhead Typing;
};

RuleDialog* Of(HWND dlg) { return static_cast<RuleDialog*>(EditorDialogRun(dlg)); }

int* SpinField(RuleFields* f, int spin) {
    switch (spin) {
        case 0: return &f->Start.Hour;
        case 1: return &f->Start.Day;
        case 2: return &f->End.Hour;
        default: return &f->End.Day;
    }
}

int SpinValue(RuleFields f, int spin) { return *SpinField(&f, spin); }

void FillList(HWND dlg, int id, int firstString, int count) {
    for (int i = 0; i < count; ++i) {
        wchar_t text[64] = {};
        LoadStringW(g_ui.Instance, static_cast<UINT>(firstString + i), text, 64);
        SendDlgItemMessageW(dlg, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    }
}

void FillLists(HWND dlg) {
    for (int id : {IDC_RULE_START_MONTH, IDC_RULE_END_MONTH}) FillList(dlg, id, IDS_MONTH_FIRST, 12);
    for (int id : {IDC_RULE_START_WEEK, IDC_RULE_END_WEEK}) FillList(dlg, id, IDS_WEEK_FIRST, 5);
    for (int id : {IDC_RULE_START_WEEKDAY, IDC_RULE_END_WEEKDAY}) FillList(dlg, id, IDS_WEEKDAY_FIRST, 7);
    for (int i = 0; i < kSpinCount; ++i) {
        HWND spin = GetDlgItem(dlg, kSpins[i]);
        SendMessageW(spin, UDM_SETBUDDY, reinterpret_cast<WPARAM>(GetDlgItem(dlg, kBuddies[i])), 0);
        const bool hour = i % 2 == 0;
        SendMessageW(spin, UDM_SETRANGE32, hour ? -23 : 1, hour ? 23 : 31);
    }
}

void Select(HWND dlg, int id, int index) { SendDlgItemMessageW(dlg, id, CB_SETCURSEL, index, 0); }

int Selected(HWND dlg, int id, int fallback) {
    const LRESULT at = SendDlgItemMessageW(dlg, id, CB_GETCURSEL, 0, 0);
    return at == CB_ERR ? fallback : static_cast<int>(at);
}

void ReadSpins(HWND dlg, RuleDialog* d, RuleFields* f) {
    for (int i = 0; i < kSpinCount; ++i)
        *SpinField(f, i) = d->Spins[i].Read(static_cast<uint32_t>(SendDlgItemMessageW(dlg, kSpins[i], UDM_GETPOS, 0, 0)));
}

// Shows a whole set of fields: every list, spin box and the form. Whatever
// fills the dialog from a rule string goes through RuleFieldsFromText and this.
void ShowRuleFields(HWND dlg, RuleDialog* d, const RuleFields& f) {
    Select(dlg, IDC_RULE_START_MONTH, f.Start.Month - 1);
    Select(dlg, IDC_RULE_END_MONTH, f.End.Month - 1);
    Select(dlg, IDC_RULE_START_WEEK, f.Start.Week);
    Select(dlg, IDC_RULE_END_WEEK, f.End.Week);
    Select(dlg, IDC_RULE_START_WEEKDAY, f.Start.Weekday);
    Select(dlg, IDC_RULE_END_WEEKDAY, f.End.Weekday);
    for (int i = 0; i < kSpinCount; ++i) SetDlgItemInt(dlg, kBuddies[i], static_cast<UINT>(SpinValue(f, i)), TRUE);
    CheckRadioButton(dlg, IDC_RULE_WEEKDAY_FORM, IDC_RULE_DAY_FORM, f.DayForm ? IDC_RULE_DAY_FORM : IDC_RULE_WEEKDAY_FORM);
    // The spin boxes take their buddies' numbers; one out of range keeps the
    // position it had.
    RuleFields ignored;
    ReadSpins(dlg, d, &ignored);
}

// The fields as the dialog holds them now.
RuleFields ReadRuleFields(HWND dlg, RuleDialog* d) {
    RuleFields f;
    f.Start.Month = Selected(dlg, IDC_RULE_START_MONTH, f.Start.Month - 1) + 1;
    f.End.Month = Selected(dlg, IDC_RULE_END_MONTH, f.End.Month - 1) + 1;
    f.Start.Week = Selected(dlg, IDC_RULE_START_WEEK, f.Start.Week);
    f.End.Week = Selected(dlg, IDC_RULE_END_WEEK, f.End.Week);
    f.Start.Weekday = Selected(dlg, IDC_RULE_START_WEEKDAY, f.Start.Weekday);
    f.End.Weekday = Selected(dlg, IDC_RULE_END_WEEKDAY, f.End.Weekday);
    ReadSpins(dlg, d, &f);
    f.DayForm = IsDlgButtonChecked(dlg, IDC_RULE_DAY_FORM) == BST_CHECKED;
    return f;
}

// The drop list as wide as its widest name (the screen at most), so that
// every name can be read whole.
void WidenZoneList(HWND list, const std::vector<std::wstring>& names) {
    HDC dc = GetDC(list);
    if (!dc) return;
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(list, WM_GETFONT, 0, 0)));
    LONG widest = 0;
    for (const std::wstring& name : names) {
        SIZE size;
        if (GetTextExtentPoint32W(dc, name.c_str(), static_cast<int>(name.size()), &size)) widest = std::max(widest, size.cx);
    }
    SelectObject(dc, old);
    ReleaseDC(list, dc);
    const int width = widest + GetSystemMetrics(SM_CXVSCROLL) + 4 * GetSystemMetrics(SM_CXEDGE) + 8;
    SendMessageW(list, CB_SETDROPPEDWIDTH, std::min(width, GetSystemMetrics(SM_CXSCREEN)), 0);
}

// The list starts with an empty entry, "no zone", and keeps the order of
// ZoneEntries; an entry's data is its index there.
void FillZoneList(HWND dlg, RuleDialog* d) {
    d->Zones = ZoneEntries(ReadPlatformTimeZones());
    d->ZoneNames.assign(1, std::wstring());
    HWND list = GetDlgItem(dlg, IDC_RULE_ZONE);
    SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L""));
    SendMessageW(list, CB_SETITEMDATA, 0, static_cast<LPARAM>(-1));
    for (size_t i = 0; i < d->Zones.size(); ++i) {
        const LRESULT at = SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(d->Zones[i].Display.c_str()));
        if (at >= 0) SendMessageW(list, CB_SETITEMDATA, static_cast<WPARAM>(at), static_cast<LPARAM>(i));
        d->ZoneNames.push_back(d->Zones[i].Display);
    }
    SendMessageW(list, CB_SETCURSEL, 0, 0);
    WidenZoneList(list, d->ZoneNames);
}

void TakeZone(HWND dlg, RuleDialog* d) {
    const LRESULT at = SendDlgItemMessageW(dlg, IDC_RULE_ZONE, CB_GETCURSEL, 0, 0);
    const LRESULT index = at == CB_ERR ? -1 : SendDlgItemMessageW(dlg, IDC_RULE_ZONE, CB_GETITEMDATA, at, 0);
    d->Zone = ZoneChoice();
    std::wstring note;
    if (index >= 0 && static_cast<size_t>(index) < d->Zones.size()) {
        const ZoneEntry& zone = d->Zones[static_cast<size_t>(index)];
        RuleFields f = ReadRuleFields(dlg, d);
        d->Zone = ChooseZone(zone.Record, &f);
        ShowRuleFields(dlg, d, f);
        note = ZoneNote(zone, d->Zone);
    }
    SetDlgItemTextW(dlg, IDC_RULE_ZONE_NOTE, note.c_str());
    const bool rule = !d->Zone.Chosen || d->Zone.HasDst;
    for (int id : kRuleControls) EnableWindow(GetDlgItem(dlg, id), rule);
}

// A character typed into the zone list: the zone whose name starts with all
// that was typed is chosen, as a choice with the mouse is. timeMs is the key
// message's time.
void TypeIntoZoneList(HWND dlg, RuleDialog* d, wchar_t ch, uint32_t timeMs) {
    const int at = FindTypedZone(&d->Typing, ch, timeMs, d->ZoneNames);
    if (at < 0 || at == static_cast<int>(SendDlgItemMessageW(dlg, IDC_RULE_ZONE, CB_GETCURSEL, 0, 0))) return;
    SendDlgItemMessageW(dlg, IDC_RULE_ZONE, CB_SETCURSEL, static_cast<WPARAM>(at), 0);
    TakeZone(dlg, d);
}

// The zone list's own type-ahead goes by first letters only, and every
// name starts with "(UTC": typed characters go to TypeIntoZoneList instead.
LRESULT CALLBACK ZoneListKeys(HWND list, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR ref) {
    if (msg == WM_CHAR && (wp >= L' ' || wp == VK_BACK)) {
        const HWND dlg = reinterpret_cast<HWND>(ref);
        if (RuleDialog* d = Of(dlg)) TypeIntoZoneList(dlg, d, static_cast<wchar_t>(wp), static_cast<uint32_t>(GetMessageTime()));
        return 0;
    }
    if (msg == WM_NCDESTROY) RemoveWindowSubclass(list, ZoneListKeys, id);
    return DefSubclassProc(list, msg, wp, lp);
}

void Init(HWND dlg, void* p) {
    auto* d = static_cast<RuleDialog*>(p);
    FillLists(dlg);
    for (int i = 0; i < kSpinCount; ++i) d->Spins[i].Last = SpinValue(RuleFields(), i);
    ShowRuleFields(dlg, d, RuleFieldsFromText(g_editor.DialogBuffer.DST));
    d->Opened = {g_editor.DialogBuffer.DST, ReadRuleFields(dlg, d)};
    FillZoneList(dlg, d);
    SetWindowSubclass(GetDlgItem(dlg, IDC_RULE_ZONE), ZoneListKeys, 0, reinterpret_cast<DWORD_PTR>(dlg));
}

void Confirm(HWND dlg, void* p) {
    auto* d = static_cast<RuleDialog*>(p);
    g_editor.DialogBuffer.DST = RuleOnOk(ReadRuleFields(dlg, d), d->Zone, d->Opened);
}

bool Command(HWND dlg, void* p, int id, int code) {
    auto* d = static_cast<RuleDialog*>(p);
    if (code == BN_CLICKED && (id == IDC_RULE_WEEKDAY_FORM || id == IDC_RULE_DAY_FORM)) {
        CheckRadioButton(dlg, IDC_RULE_WEEKDAY_FORM, IDC_RULE_DAY_FORM, id);
        return true;
    }
    if (id == IDC_RULE_ZONE) {
        if (code == CBN_SELCHANGE) TakeZone(dlg, d);
        return true;
    }
    if (code == EN_CHANGE) {
        // Each number typed that the spin box takes becomes its last valid position.
        for (int i = 0; i < kSpinCount; ++i)
            if (kBuddies[i] == id)
                d->Spins[i].Read(static_cast<uint32_t>(SendDlgItemMessageW(dlg, kSpins[i], UDM_GETPOS, 0, 0)));
        return true;
    }
    return false;
}

}  // namespace

ZoneChoice RunRuleDialog(HWND owner) {
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&icc);
    RuleDialog d;
    EditorDialog dialog;
    dialog.Run = &d;
    dialog.Init = Init;
    dialog.Confirm = Confirm;
    dialog.Command = Command;
    const INT_PTR ended = RunEditorDialog(IDD_RULE, owner, dialog);
    return DialogCloseKind(static_cast<int>(ended)) > 0 ? d.Zone : ZoneChoice();
}

}  // namespace velkaro
