#include "editor/rule_dialog.h"

#include <utility>

namespace velkaro {
namespace {

// The dialog's lists hold any index; one outside a letter table writes its first letter.
int TableIndex(int index, int size) { return index >= 0 && index < size ? index : 0; }

// One half as the dialog writes it: never with a "U".
DstBoundary AsBoundary(const RuleBoundary& b, bool dayForm) {
    DstBoundary out;
    out.Month = b.Month;
    out.Hour = b.Hour;
    out.ByWeekday = !dayForm;
    out.Day = b.Day;
    out.Weekday = TableIndex(b.Weekday, 7);
    out.Occurrence = TableIndex(b.Week, 5);
    return out;
}

std::wstring HalfText(const RuleBoundary& b, bool dayForm) { return FormatDstBoundary(AsBoundary(b, dayForm)); }

}  // namespace

int ParseRuleHalf(const std::wstring& text, int* month, int* dayOrWeek, int* weekday, int* hour) {
    *month = 0;
    *dayOrWeek = 0;
    *weekday = -1;
    *hour = -1;
    DstBoundary b;
    if (!ParseDstBoundaryText(text, &b)) return 0;
    *month = b.Month;
    *hour = b.Hour;
    *dayOrWeek = b.ByWeekday ? b.Occurrence : b.Day;
    if (b.ByWeekday) *weekday = b.Weekday;
    return b.Utc ? -1 : 1;
}

RuleFields RuleFieldsFromText(const std::wstring& rule, bool* understood) {
    RuleFields f;
    if (understood) *understood = false;
    DstRule r;
    if (!ParseDstRule(rule, &r) || r.Start.Month == r.End.Month) return f;
    if (understood) *understood = true;
    if (r.Start.Month >= 1 && r.Start.Month <= 12) f.Start.Month = r.Start.Month;
    if (r.End.Month >= 1 && r.End.Month <= 12) f.End.Month = r.End.Month;
    // The start half chooses the form of both; the end half fills only its own
    // kind of field.
    f.DayForm = !r.Start.ByWeekday;
    for (auto [half, fields] : {std::pair{&r.Start, &f.Start}, std::pair{&r.End, &f.End}}) {
        fields->Hour = half->Hour;
        if (half->ByWeekday) {
            fields->Week = half->Occurrence;
            fields->Weekday = half->Weekday;
        } else {
            fields->Day = half->Day;
        }
    }
    return f;
}

std::wstring ComposeRule(const RuleFields& f) {
    return FormatDstRule(DstRule{AsBoundary(f.Start, f.DayForm), AsBoundary(f.End, f.DayForm)});
}

std::wstring RuleAfterEdit(const RuleFields& now, const RuleOpening& opened) {
    const bool startKept = HalfText(now.Start, now.DayForm) == HalfText(opened.Shown.Start, opened.Shown.DayForm);
    const bool endKept = HalfText(now.End, now.DayForm) == HalfText(opened.Shown.End, opened.Shown.DayForm);
    // An empty rule has nothing to keep: OK takes the defaults shown.
    if (startKept && endKept && !opened.Stored.empty()) return opened.Stored;
    bool understood = false;
    RuleFieldsFromText(opened.Stored, &understood);
    std::wstring start, end;
    if (!understood || !SplitDstRule(opened.Stored, &start, &end)) return ComposeRule(now);
    return (startKept ? start : HalfText(now.Start, now.DayForm)) + L";" +
           (endKept ? end : HalfText(now.End, now.DayForm));
}

int SpinPosition::Read(uint32_t reported) {
    if (reported >> 16) return Last;
    int v = static_cast<int>(reported & 0xFFFF);
    if (v > 65000) v -= 65536;  // a negative position in 16 bits
    Last = v;
    return v;
}

}  // namespace velkaro
