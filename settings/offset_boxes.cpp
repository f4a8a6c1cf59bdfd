#include "settings/offset_boxes.h"

namespace velkaro {

OffsetBoxes OffsetBoxesFor(int32_t utcGet) {
    OffsetBoxes b;
    switch (UtcModeOf(utcGet)) {
        case UtcMode::DeviceClock: b.BoxesEnabled = false; break;
        case UtcMode::FromLongitude: b.FromLng = b.Auto = true; b.MarginEnabled = false; break;
        case UtcMode::DeviceZone: b.Auto = true; b.MarginEnabled = false; break;
        case UtcMode::Manual: break;
    }
    return b;
}

void SetFromLongitude(OffsetBoxes* b, bool checked) {
    b->FromLng = checked;
    if (!checked) return;
    b->Auto = true;
    b->MarginEnabled = false;
}

void SetAutoOffset(OffsetBoxes* b, bool checked) {
    b->Auto = checked;
    b->MarginEnabled = !checked;
    if (!checked) b->FromLng = false;
}

int32_t UtcGetFromBoxes(const OffsetBoxes& b, int32_t stored) {
    if (UtcModeOf(stored) == UtcMode::DeviceClock) return stored;
    const UtcMode mode = b.FromLng ? UtcMode::FromLongitude : b.Auto ? UtcMode::DeviceZone : UtcMode::Manual;
    return static_cast<int32_t>(mode);
}

}  // namespace velkaro
