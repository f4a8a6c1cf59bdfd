// The location page: a working copy of the twenty slots, the slot being
// edited, and what its controls show.
#pragma once
#include <string>

#include "settings/location.h"

namespace velkaro {

// What the page's controls of one slot hold.
struct SlotControls {
    bool Valid = false;
    std::wstring Name, Lat, Lng, Alt, Td, Dst;
    bool Auto = false;     // "automatic offset" (device zone)
    bool FromLng = false;  // "offset from longitude"
    bool ChecksEnabled = true;
    bool TdEnabled = true;

    bool operator==(const SlotControls& o) const {
        return Valid == o.Valid && Name == o.Name && Lat == o.Lat && Lng == o.Lng && Alt == o.Alt && Td == o.Td &&
               Dst == o.Dst && Auto == o.Auto && FromLng == o.FromLng && ChecksEnabled == o.ChecksEnabled &&
               TdEnabled == o.TdEnabled;
    }
};

struct LocationPage {
    LocationTable Work;
    int EditSlot = 0;
    bool Ready = false;  // off while the page rewrites the slot number itself
};

LocationPage OpenLocationPage(const LocationTable& live, int posIndex);
SlotControls ShowSlot(const LocationRecord& r);
// The shown controls into a working slot; the offset mode is kept for a
// slot that leaves the device clock unchanged (mode 3).
void StoreSlot(const SlotControls& c, LocationRecord* r);
// As StoreSlot, but a slot whose controls still show what it holds is kept
// exactly (an offset of 5.833333 hours is shown as 5.83).
void StoreSlotIfEdited(const SlotControls& c, LocationRecord* r);

void ClickFromLng(SlotControls* c);
void ClickAuto(SlotControls* c);

// The slot number's edit changed to `number` while the page was ready: a
// number selects that slot, one out of range the nearest (the spin wraps at
// its ends by itself). Stores the shown controls into the slot left and
// returns the slot now shown; text that is no number changes nothing.
// *rewrite is set when the edit must show the slot's number instead (with
// the ready flag off).
int ChangeSlot(LocationPage* page, const SlotControls& shown, const std::wstring& number, bool* rewrite);

// "Reset": the working copy taken again from the live slots.
void ResetLocationPage(LocationPage* page, const LocationTable& live);

// Stores the shown controls, then all twenty working slots replace live.
void ApplyLocationPage(LocationPage* page, const SlotControls& shown, LocationTable* live);

}  // namespace velkaro
