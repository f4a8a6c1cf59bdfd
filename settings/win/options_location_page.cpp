// The location page: one slot at a time out of a working copy of all twenty.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "resources/options_ids.h"
#include "settings/options_location.h"
#include "settings/win/options_win.h"
#include "today/win/item_win.h"

namespace velkaro {
namespace {

LocationPage* Of(HWND page) { return reinterpret_cast<LocationPage*>(GetWindowLongPtrW(page, DWLP_USER)); }

std::wstring Get(HWND page, int id, int width) {
    std::wstring s(static_cast<size_t>(width) + 1, L'\0');
    const int n = GetDlgItemTextW(page, id, s.data(), width + 1);
    s.resize(static_cast<size_t>(n > 0 ? n : 0));
    return s;
}

bool Checked(HWND page, int id) { return IsDlgButtonChecked(page, id) == BST_CHECKED; }
void Check(HWND page, int id, bool on) { CheckDlgButton(page, id, on ? BST_CHECKED : BST_UNCHECKED); }

SlotControls ReadShown(HWND page) {
    SlotControls c;
    c.Valid = Checked(page, IDC_POS_VALID);
    c.Name = Get(page, IDC_POS_NAME, 259);
    c.Lat = Get(page, IDC_POS_LAT, 64);
    c.Lng = Get(page, IDC_POS_LNG, 64);
    c.Alt = Get(page, IDC_POS_ALT, 64);
    c.Td = Get(page, IDC_POS_TD, 64);
    c.Dst = Get(page, IDC_POS_DST, 259);
    c.Offset.Auto = Checked(page, IDC_POS_AUTO);
    c.Offset.FromLng = Checked(page, IDC_POS_FROMLNG);
    c.Offset.BoxesEnabled = IsWindowEnabled(GetDlgItem(page, IDC_POS_AUTO)) != FALSE;
    c.Offset.MarginEnabled = IsWindowEnabled(GetDlgItem(page, IDC_POS_TD)) != FALSE;
    return c;
}

void ShowOffsetChecks(HWND page, const SlotControls& c) {
    Check(page, IDC_POS_AUTO, c.Offset.Auto);
    Check(page, IDC_POS_FROMLNG, c.Offset.FromLng);
    EnableWindow(GetDlgItem(page, IDC_POS_AUTO), c.Offset.BoxesEnabled);
    EnableWindow(GetDlgItem(page, IDC_POS_FROMLNG), c.Offset.BoxesEnabled);
    EnableWindow(GetDlgItem(page, IDC_POS_TD), c.Offset.MarginEnabled);
}

void Show(HWND page, const SlotControls& c) {
    Check(page, IDC_POS_VALID, c.Valid);
    SetDlgItemTextW(page, IDC_POS_NAME, c.Name.c_str());
    SetDlgItemTextW(page, IDC_POS_LAT, c.Lat.c_str());
    SetDlgItemTextW(page, IDC_POS_LNG, c.Lng.c_str());
    SetDlgItemTextW(page, IDC_POS_ALT, c.Alt.c_str());
    SetDlgItemTextW(page, IDC_POS_TD, c.Td.c_str());
    SetDlgItemTextW(page, IDC_POS_DST, c.Dst.c_str());
    ShowOffsetChecks(page, c);
}

void SetSlotNumber(HWND page, LocationPage* p, int slot) {
    p->Ready = false;  // our own write is no change of slot
    SetDlgItemInt(page, IDC_POS_SLOT, static_cast<UINT>(slot), FALSE);
    SendDlgItemMessageW(page, IDC_POS_SLOT, EM_SETSEL, 16, 16);  // typing goes on after it
    p->Ready = true;
}

void Init(HWND page) {
    auto* p = new LocationPage(OpenLocationPage(g_item.Store.Locations, g_item.State.PosIndex));
    SetWindowLongPtrW(page, DWLP_USER, reinterpret_cast<LONG_PTR>(p));
    SendDlgItemMessageW(page, IDC_POS_NAME, EM_LIMITTEXT, kLocationNameWidth - 1, 0);
    SendDlgItemMessageW(page, IDC_POS_DST, EM_LIMITTEXT, kDstRuleWidth - 1, 0);
    SetUpSpin(page, IDC_POS_SLOT, IDC_POS_SLOT_SPIN, 0, kSlotCount - 1, p->EditSlot);
    Show(page, ShowSlot(p->Work[p->EditSlot]));
    Check(page, IDC_POS_ALTMODE, g_item.Store.General.AltMode != 0);
    p->Ready = true;
}

void SlotNumberChanged(HWND page, LocationPage* p) {
    const std::wstring number = Get(page, IDC_POS_SLOT, 16);
    if (!p->Ready || number.empty()) return;  // an emptied field is no slot yet
    const int before = p->EditSlot;
    bool rewrite = false;
    const int slot = ChangeSlot(p, ReadShown(page), number, &rewrite);
    if (rewrite) SetSlotNumber(page, p, slot);
    if (slot != before) Show(page, ShowSlot(p->Work[slot]));
}

bool Command(HWND page, LocationPage* p, int id, int code) {
    if (id == IDC_POS_SLOT && code == EN_CHANGE) {
        SlotNumberChanged(page, p);
        return true;
    }
    if (code != BN_CLICKED) return false;
    SlotControls c = ReadShown(page);
    switch (id) {
        case IDC_POS_FROMLNG: SetFromLongitude(&c.Offset, c.Offset.FromLng); ShowOffsetChecks(page, c); return true;
        case IDC_POS_AUTO: SetAutoOffset(&c.Offset, c.Offset.Auto); ShowOffsetChecks(page, c); return true;
        case IDC_POS_RESET:
            ResetLocationPage(p, g_item.Store.Locations);
            Show(page, ShowSlot(p->Work[p->EditSlot]));
            return true;
        default: return false;
    }
}

}  // namespace

INT_PTR CALLBACK LocationPageProc(HWND page, UINT msg, WPARAM wp, LPARAM lp) {
    LocationPage* p = Of(page);
    switch (msg) {
        case WM_INITDIALOG:
            Init(page);
            return TRUE;
        case WM_COMMAND:
            return p && Command(page, p, LOWORD(wp), HIWORD(wp)) ? TRUE : FALSE;
        case WM_NOTIFY:
            if (p && reinterpret_cast<NMHDR*>(lp)->code == PSN_APPLY) {
                ApplyLocationPage(p, ReadShown(page), &g_item.Store.Locations);
                g_item.Store.General.AltMode = Checked(page, IDC_POS_ALTMODE) ? 1 : 0;
                return ApplyDone(page);
            }
            return FALSE;
        case WM_DESTROY:
            delete p;
            SetWindowLongPtrW(page, DWLP_USER, 0);
            return FALSE;
        default:
            return FALSE;
    }
}

}  // namespace velkaro
