// How the editor reads a record's numbers from text and writes them back: the
// heights pair and degrees:minutes:seconds (plain integers are read by
// platform/int_text.h). The category file and the location dialog share these,
// so both take the same texts.
#pragma once
#include <cstdint>
#include <string>

#include "editor/record.h"

namespace velkaro {

constexpr int32_t kHeightMax = 30000;  // metres; a height outside 0 to this reads as 0

// "350" sets both heights; "120/350" sets Prominence 120 and Altitude 350.
// Empty pieces around a "/" are skipped, so "/350" is Prominence 350 and
// Altitude 0; pieces after the second are ignored. Each height outside 0 to
// 30000 becomes 0.
void ReadHeights(const std::string& text, int32_t* prominence, int32_t* altitude);
// "%d" when both heights are equal, else "%d/%d" with Prominence first.
std::wstring FormatHeights(const EditorRecord& r);

// d - (s*k + m)*k when negative, else (s*k + m)*k + d, with k = 1/60 as a
// double: a multiplication, not a division by 60, so results match to the bit.
double DegreesFromParts(double d, double m, double s, bool negative);

}  // namespace velkaro
