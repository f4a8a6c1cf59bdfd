// Daylight-saving rules: the text ("03/S2 02;11/S1 02"), its parsed form, and
// when a rule puts a moment in daylight saving. Every reader and writer of rule
// text goes through here: the item, the composer, the starter library and the
// editor's rule dialog.
#pragma once
#include <cstddef>
#include <string>

#include "platform/systime.h"

namespace velkaro {

constexpr size_t kMaxDstRuleLength = 31;  // longer rules give no daylight saving

extern const wchar_t kDstWeekdayLetters[];     // "SMTWHFA": 0 Sunday ... 6 Saturday
extern const wchar_t kDstOccurrenceLetters[];  // "e1234": 0 the last, 1 to 4 the first to fourth

// One half of a rule, "MM/Dx HH[U]", as written. Nothing here depends on a year:
// whether the date exists is the evaluation's question.
struct DstBoundary {
    int Month = 0;           // as written; only 1 to 12 ever switches
    bool ByWeekday = false;  // "S2": Weekday and Occurrence; else Day
    int Day = 0;             // day of the month
    int Weekday = 0;         // index into kDstWeekdayLetters
    int Occurrence = 0;      // index into kDstOccurrenceLetters
    int Hour = 0;            // -23 to 23; a negative hour is hour + 24 on the day before
    bool Utc = false;        // the hour is UTC ("02U")
    bool operator==(const DstBoundary& o) const;
    bool operator!=(const DstBoundary& o) const { return !(*this == o); }
};

struct DstRule {
    DstBoundary Start;  // daylight saving begins
    DstBoundary End;    // and ends
    bool operator==(const DstRule& o) const { return Start == o.Start && End == o.End; }
};

// The next field of rule text: delimiters before it are skipped and it runs to
// the next delimiter; *pos moves past that delimiter.
std::wstring NextDstField(const std::wstring& text, size_t* pos, wchar_t delimiter);

// The two halves of rule text, split at its first ";" run. False when there is no ";".
bool SplitDstRule(const std::wstring& text, std::wstring* start, std::wstring* end);

// Reads one half. False, *b unchanged, when it is malformed: no "/", no blank
// after it, a month or hour that is not a number, an hour beyond 23 either
// way, or a day that is neither a number nor a weekday and occurrence letter.
// Text after a field's number is ignored; a "U" anywhere in the half makes it UTC.
bool ParseDstBoundaryText(const std::wstring& text, DstBoundary* b);
// Reads a whole rule: both halves must read. False, *rule unchanged, otherwise.
bool ParseDstRule(const std::wstring& text, DstRule* rule);

// Writes a half: "%02d/%c%c %02d" or "%02d/%02d %02d", "U" after a UTC hour
// (the sign of a negative number is inside the width: "-3").
std::wstring FormatDstBoundary(const DstBoundary& b);
std::wstring FormatDstRule(const DstRule& rule);

// The date and hour a half names in `year`: false when that date does not
// exist (a fixed day beyond the month, a weekday form outside the twelve
// months). A negative hour has already moved to the day before, so the year
// given back may differ.
bool DstBoundaryDate(const DstBoundary& b, int year, int* outYear, int* month, int* day, int* hour);

// Reads one boundary ("03/S2 02") of *year into *month, *day, *hour (and the
// year the date fell in). On entry month and day are set to 0 and hour to -1.
// A *year of 0 or outside 1..4000 means the present year: now.Utc's for a UTC
// boundary, now.Local's otherwise. Returns 1 for a boundary in zone time, -1
// for one in UTC ("02U"), 0 for an invalid boundary.
int ParseDstBoundary(int* year, int* month, int* day, int* hour, const std::wstring& text,
                     const ClockReading& now);

// 1 when *time (zone standard time) lies in the rule's daylight-saving period,
// and then *time has been moved on one hour; 0 otherwise, also for any
// malformed rule, with *time unchanged. A rule with a UTC boundary is judged
// by now.Utc instead of *time.
int ApplyDst(SYSTEMTIME* time, const std::wstring& rule, const ClockReading& now);
int ApplyDst(SYSTEMTIME* time, const DstRule& rule, const ClockReading& now);

}  // namespace velkaro
