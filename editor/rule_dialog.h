// The daylight-saving rule dialog without its window: reading a stored rule
// into the dialog's fields (or its defaults), composing the rule from them, and
// the positions its spin boxes report.
#pragma once
#include <cstdint>
#include <string>

#include "engine/dst_rule.h"

namespace velkaro {

// One boundary of the rule as the dialog's lists and spin boxes hold it: both
// the week and the day, whichever form is chosen.
struct RuleBoundary {
    int Month = 3;    // 1 to 12
    int Week = 2;     // index into kDstOccurrenceLetters
    int Weekday = 0;  // index into kDstWeekdayLetters
    int Hour = 2;     // -23 to 23
    int Day = 1;      // day of the month, 1 to 31
};

struct RuleFields {
    RuleBoundary Start = {3, 2, 0, 2, 1};   // second Sunday of March, 2 h
    RuleBoundary End = {10, 1, 0, 2, 1};    // first Sunday of October, 2 h
    bool DayForm = false;  // both halves as day of the month, else as week and weekday
};

// Reads one half of a rule ("03/S2 02", "10/25 03U"). Returns 0 when it is
// rejected, 1 when accepted, -1 when accepted with a "U" in the hour. Sets the
// month, the day of the month or the week index, the weekday index (-1 for the
// day-of-month form) and the hour; on rejection month and day are 0, weekday
// and hour -1.
int ParseRuleHalf(const std::wstring& text, int* month, int* dayOrWeek, int* weekday, int* hour);

// The fields for a stored rule. A rule the dialog does not understand (no
// ";", a rejected half, equal months) gives the defaults, and *understood
// (when given) becomes false. The "U" of a half is not kept.
RuleFields RuleFieldsFromText(const std::wstring& rule, bool* understood = nullptr);

// The rule the fields make: "%02d/%c%c %02d;%02d/%c%c %02d", or with the day
// form "%02d/%02d %02d;%02d/%02d %02d" ("-3" for an hour of -3).
std::wstring ComposeRule(const RuleFields& f);

// What the dialog opened with: the stored rule and the fields its controls
// then showed (read back from them, so that what a control cannot hold is as
// the control holds it).
struct RuleOpening {
    std::wstring Stored;
    RuleFields Shown;
};

// The rule the fields make, for a dialog that opened with `opened`. Fields as
// shown give the stored text unchanged, whatever it was (an empty one gives
// the rule shown). Otherwise a half whose
// fields are as shown keeps its stored text (its "U", its form, its spelling)
// when the dialog understood the stored rule; a changed half is composed.
std::wstring RuleAfterEdit(const RuleFields& now, const RuleOpening& opened);

// A spin box's position as the platform reports it: the low 16 bits hold the
// position (a negative one as 65536 minus its size), the high 16 bits are
// non-zero when the buddy's text is not a number in range. Read keeps the
// last valid position and gives it back for such an error.
struct SpinPosition {
    int Last = 0;  // the last valid position
    // Returns the position the report stands for.
    int Read(uint32_t reported);
};

}  // namespace velkaro
