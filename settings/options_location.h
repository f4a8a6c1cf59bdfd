// The location page: a working copy of the twenty slots, the slot being
// edited, and what its controls show.
#pragma once
#include <string>

#include "settings/location.h"
#include "settings/offset_boxes.h"

namespace velkaro {

// What the page's controls of one slot hold.
struct SlotControls {
    bool Valid = false;
    std::wstring Name, Lat, Lng, Alt, Td, Dst;
    OffsetBoxes Offset;  // the offset check boxes and whether "TD" takes typing

    bool operator==(const SlotControls& o) const {
        const OffsetBoxes& a = Offset;
        const OffsetBoxes& b = o.Offset;
        return Valid == o.Valid && Name == o.Name && Lat == o.Lat && Lng == o.Lng && Alt == o.Alt && Td == o.Td &&
               Dst == o.Dst && a.Auto == b.Auto && a.FromLng == b.FromLng && a.BoxesEnabled == b.BoxesEnabled &&
               a.MarginEnabled == b.MarginEnabled;
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
// slot on the device clock, and a slot from the longitude takes the offset
// its longitude gives.
void StoreSlot(const SlotControls& c, LocationRecord* r);
// As StoreSlot, but a slot whose controls still show what it holds is kept
// exactly (an offset of 5.833333 hours is shown as 5.83).
void StoreSlotIfEdited(const SlotControls& c, LocationRecord* r);

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
