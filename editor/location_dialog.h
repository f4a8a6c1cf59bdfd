// The location dialog's rules without its window: what each field shows for a
// record, how the offset check boxes hang together, how OK reads the fields
// back, and the degrees converter.
#pragma once
#include <string>

#include "editor/record.h"
#include "settings/offset_boxes.h"

namespace velkaro {

// The caption of the dialog when it shows a place that may not change.
extern const wchar_t kReadOnlyLocationCaption[];  // "Location (read-only)"

// The dialog's fields as texts and check states.
struct LocationForm {
    bool Valid = false;     // the check box before the name
    std::wstring Location;  // name
    std::wstring Lat, Lng;  // "%f"
    std::wstring Heights;   // "350" or "120/350"
    std::wstring Margin;    // the offset from UTC
    std::wstring DST;       // the rule
    std::wstring Memo;
    OffsetBoxes Offset;     // the offset check boxes and whether the offset takes typing
};

LocationForm OpenLocationForm(const EditorRecord& r);

// OK: writes the fields into the record. Texts are cut to a record's field,
// numbers that do not read are 0, a place on the device clock keeps that
// mode (its offset is not recomputed here: the item does it), and the record has
// daylight saving exactly when the rule text is not empty.
void ConfirmLocationForm(const LocationForm& f, EditorRecord* r);

// The heights field takes typed digits and the "/" between the two heights;
// control characters (erasing, the clipboard keys) pass.
bool TakesHeightsCharacter(wchar_t ch);

// The converter: degrees (signed), minutes and seconds (their absolute
// values) as decimal degrees; the sign is the integer's, so "-0" is positive.
double ConvertDegrees(const std::wstring& degrees, const std::wstring& minutes, const std::wstring& seconds);

// The clipboard's text as the dialog shows it: at most `chars` characters of
// the block (which need not hold a terminator), up to the first NUL, a lone
// line feed made a line break the edit control shows.
std::wstring ClipboardShown(const wchar_t* text, size_t chars);

}  // namespace velkaro
