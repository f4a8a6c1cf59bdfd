// The two offset check boxes ("automatic", "from longitude") and the offset
// field they lock: one model for the options' location page and Sitarel's
// location dialog.
#pragma once
#include <cstdint>

#include "settings/location.h"

namespace velkaro {

struct OffsetBoxes {
    bool Auto = false;           // automatic: the device's zone (or the longitude, with FromLng)
    bool FromLng = false;        // from the longitude
    bool BoxesEnabled = true;    // false for a place on the device clock, which the boxes cannot show
    bool MarginEnabled = true;   // the offset field takes typing
};

// The boxes for a stored mode: the device clock greys both; from the
// longitude checks both; the device's zone checks "automatic"; the boxes lock
// the offset whenever one is checked.
OffsetBoxes OffsetBoxesFor(int32_t utcGet);

// Checking "from longitude" also checks "automatic" and locks the offset;
// unchecking it changes nothing else.
void SetFromLongitude(OffsetBoxes* b, bool checked);
// Unchecking "automatic" also unchecks "from longitude" and frees the offset;
// checking it locks the offset.
void SetAutoOffset(OffsetBoxes* b, bool checked);

// The mode the boxes state for a place stored with `stored`: a place on the
// device clock keeps it, whatever the boxes show.
int32_t UtcGetFromBoxes(const OffsetBoxes& b, int32_t stored);

}  // namespace velkaro
