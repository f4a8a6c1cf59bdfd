// How the editor reads a record's numbers from text and writes them back: the
// heights pair, degrees:minutes:seconds and plain integers. The category file
// and the location dialog share these, so both take the same texts.
#pragma once
#include <cstdint>
#include <string>

#include "editor/record.h"

namespace velkaro {

constexpr int32_t kHeightMax = 30000;  // metres; a height outside 0 to this reads as 0

// A leading decimal integer as "%d" reads it (blanks, sign, digits; the rest
// ignored); 0 when there is none. *found (when given) tells whether digits were
// there. Values far beyond any field stop growing instead of overflowing.
long long LeadingInteger(const std::string& text, bool* found = nullptr);
long long LeadingInteger(const std::wstring& text, bool* found = nullptr);

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
