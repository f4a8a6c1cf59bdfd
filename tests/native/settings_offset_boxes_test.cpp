// The offset check boxes: one model for the options' location page and
// Sitarel's location dialog, and the modes they stand for.
#include <gtest/gtest.h>

#include "editor/location_dialog.h"
#include "settings/offset_boxes.h"
#include "settings/options_location.h"

using namespace velkaro;

TEST(OffsetBoxes, EachStoredModeShowsAndComesBackAsItWas) {
    struct Case {
        int32_t get;
        bool auto_, fromLng, boxes, margin;
        int32_t back;
    } cases[] = {{0, false, false, true, true, 0}, {1, true, false, true, false, 1}, {2, true, true, true, false, 2},
                 {3, false, false, false, true, 3},
                 // Any other value is read as from the longitude, and kept so.
                 {7, true, true, true, false, 2},   {-1, true, true, true, false, 2}};
    for (const Case& c : cases) {
        const OffsetBoxes b = OffsetBoxesFor(c.get);
        EXPECT_EQ(b.Auto, c.auto_) << c.get;
        EXPECT_EQ(b.FromLng, c.fromLng) << c.get;
        EXPECT_EQ(b.BoxesEnabled, c.boxes) << c.get;
        EXPECT_EQ(b.MarginEnabled, c.margin) << c.get;
        EXPECT_EQ(UtcGetFromBoxes(b, c.get), c.back) << c.get;
    }
    EXPECT_EQ(UtcModeOf(7), UtcMode::FromLongitude);
    EXPECT_EQ(UtcModeOf(3), UtcMode::DeviceClock);
}

// A place whose stored mode is outside the four (the item reads it as from the
// longitude) keeps its clock when the page or the dialog is confirmed unchanged.
TEST(OffsetBoxes, AnOddModeKeepsThePlacesClockOnThePageAndInTheDialog) {
    LocationRecord slot = CityTable()[8];  // New York
    slot.UtcGet = 7;
    slot.Lng = -74;
    slot.UtcMargin = 3;
    StoreSlot(ShowSlot(slot), &slot);
    EXPECT_EQ(slot.UtcGet, 2);
    EXPECT_DOUBLE_EQ(slot.UtcMargin, -4.5);  // the page applies the longitude's offset

    EditorRecord r;
    r.UtcGet = 7;
    r.Lng = -74;
    r.UtcMargin = 3;
    ConfirmLocationForm(OpenLocationForm(r), &r);
    EXPECT_EQ(r.UtcGet, 2);
    EXPECT_DOUBLE_EQ(r.UtcMargin, 3);  // the dialog leaves that to the item
}
