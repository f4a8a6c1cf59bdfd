// The meters: time meters (a body's passage from rise to set along its row)
// and azimuth meters (the horizon between its rise and set azimuths), and
// where each body's picture goes on them.
#pragma once
#include <array>

#include "engine/events.h"
#include "settings/store.h"
#include "today/item.h"
#include "today/pictures.h"
#include "today/pixels.h"

namespace velkaro {

// The bodies of the current list, in display order (numbers outside 0..9 skipped).
struct BodyList {
    int Count = 0;
    std::array<int, kBodyCount> Body{};
};
BodyList ListedBodies(const Item& item);

// Where a body's picture goes: a first copy, and up to two wrapped copies.
struct ImagePlacement {
    bool Drawn = false;  // whether the first copy is drawn
    int X = 0;
    bool Up = true;
    int CopyCount = 0;
    std::array<int, 2> CopyX{};
    int Returned = 0;  // the x the info lines are placed by
};

// ------------------------------------------------------------ time meters

struct TimeMeterSpan {
    int Left = 0, Right = 0;  // inclusive columns
    int Ramp = 0;
};
TimeMeterSpan TimeMeterGeometry(const GeneralSettings& g, const BodyStyle& style, int itemWidth);

// All four of PrevSet, Rise, Set and NextRise exist.
bool HasPassageFrame(const BodyEvents& e);

// x of the culmination mark's left edge; false when there is no mark (no
// culmination, or a set that is not after the rise).
bool CulminationMarkX(const BodyEvents& e, const TimeMeterSpan& span, int widthScale, int* x);

// The meter of one row, rowTop to rowTop + rowHeight.
void DrawTimeMeter(PixelBuffer comp, const BodyStyle& style, const BodyEvents& e,
                   const TimeMeterSpan& span, int rowTop, int rowHeight);

ImagePlacement TimeImagePlacement(const GeneralSettings& g, const BodyStyle& style,
                                  int imageSize, const BodyEvents& e, int body, int itemWidth);

// ------------------------------------------------------------ azimuth meters

struct AzimuthRange {
    double Start = 0, End = 0;
    bool South = false;  // the shown arc runs from End through north to Start
    double Span() const { return South ? (360.0 - End) + Start : End - Start; }
};
AzimuthRange AzimuthRangeFor(const GeneralSettings& g, double lat);

// Near the equator the azimuth mode shows time meters when EquatorMeter is on.
bool TimeMetersInstead(const GeneralSettings& g, double lat);

// The Sun's even path through the sky near the equator (degrees, 0..360).
double SunSubstituteAzimuth(const BodyEvents& e, double lat);

// Columns between the rise and set azimuths on the band; false when the body
// has no rise or set, or the range has no width.
bool AzimuthSpanX(const GeneralSettings& g, const AzimuthRange& range, const BodyEvents& e,
                  int itemWidth, int* leftX, int* rightX);

// The band's one row: every row of it is the same.
void DrawAzimuthBand(const GeneralSettings& g, int itemWidth, std::vector<uint32_t>* row);

// Below the horizon for the picture's opacity.
bool BodyIsDown(const BodyEvents& e);

ImagePlacement AzimuthImagePlacement(const GeneralSettings& g, const AzimuthRange& range,
                                     int imageSize, double azimuth, int itemWidth);

// ------------------------------------------------------------ whole item

// Where one body's meter and picture went in a paint; the info lines are
// placed by it.
struct RowPlacement {
    int MeterLeft = 0, MeterRight = 0;  // inclusive columns
    // Left edge of the picture (the meter's left end for a body without one);
    // minus the image size when the picture lies past the item's right edge.
    int ImageX = 0;
};
using RowPlacements = std::array<RowPlacement, kBodyCount>;

// Meters and pictures of every listed body in time mode, or in azimuth mode
// (which falls back to time meters near the equator); the pictures' frame
// buffers are prepared on the way. Returns the placements by body number.
RowPlacements DrawTimeMeters(Item& item, PixelBuffer comp);
RowPlacements DrawAzimuthMeters(Item& item, PixelBuffer comp);

}  // namespace velkaro
