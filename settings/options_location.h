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

// The slot number's edit changed to spin position p while the page was
// ready. A position equal to the slot shown means the spin stood at an end:
// the number wraps. Stores the shown controls into the slot left and
// returns the slot now shown; *rewrite is set when the number must be
// written back (with the ready flag off).
int ChangeSlot(LocationPage* page, const SlotControls& shown, int p, bool* rewrite);

// "Reset": the working copy taken again from the live slots.
void ResetLocationPage(LocationPage* page, const LocationTable& live);

// Stores the shown controls, then all twenty working slots replace live.
void ApplyLocationPage(LocationPage* page, const SlotControls& shown, LocationTable* live);

}  // namespace velkaro
