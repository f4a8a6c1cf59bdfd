// Placement of the title band's texts and the per-body info lines. The result
// is a list of draw commands with measured positions; the window side only
// draws them (transparent background).
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "engine/events.h"
#include "platform/text_measure.h"
#include "today/item.h"
#include "today/meters.h"
#include "today/pixels.h"

namespace velkaro {

struct TextDraw {
    int X = 0, Y = 0;           // top-left corner of the text
    int Width = 0, Height = 0;  // as measured
    std::wstring Text;
    uint32_t Color = 0;  // COLORREF
    FontSpec Font;
    bool Fill = false;  // fill FillArea with FillColor before drawing the text
    Rect FillArea;
    uint32_t FillColor = 0;  // COLORREF
};

// The event the "coming event" texts show: the rise while it is ahead (else
// the next rise), or the set when that comes first. Null when neither is ahead.
struct ComingEvent {
    const EventRecord* Event = nullptr;
    bool IsRise = true;
};
ComingEvent SelectComingEvent(const BodyEvents& e);

// What the main line's coming-event part says for a body that neither rises
// nor sets on the day.
extern const wchar_t kUpAllDay[];    // "up all day"
extern const wchar_t kDownAllDay[];  // "down all day"

// A text cut at its end to at most `width` pixels as the seam measures: what
// is kept ends in an ellipsis (before the text's trailing blanks), and nothing
// is kept when not even the ellipsis fits. A text that fits comes back whole.
extern const wchar_t kEllipsis[];  // U+2026
std::wstring CutToWidth(const std::wstring& text, int width, const FontSpec& font);

// Left and right texts of the title band. The right one (the clock, or the
// shifted date) keeps its place; the left one gets the room left of it, its
// place name giving way first, then the coordinates. (nothing when Title and Clock are 0).
void LayoutTitleBand(const Item& item, std::vector<TextDraw>* out);

// Main line and event lines of one body, placed beside its picture as the
// meters placed it (row.ImageX), its image size and its row top. Nothing is
// placed over another text of the row or past the item's edges.
void LayoutBodyInfo(const Item& item, int body, const RowPlacement& row, std::vector<TextDraw>* out);

}  // namespace velkaro
