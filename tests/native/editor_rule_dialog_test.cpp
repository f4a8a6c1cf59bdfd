// The rule dialog's rules: what a stored rule opens as, what OK composes,
// rule halves read from text, and the spin positions.
#include <gtest/gtest.h>

#include "editor/rule_dialog.h"

using namespace velkaro;

TEST(RuleDialog, DefaultsForRulesItDoesNotUnderstand) {
    const RuleFields d;
    EXPECT_EQ(ComposeRule(d), L"03/S2 02;10/S1 02");
    for (const wchar_t* rule : {L"", L"03/S2 02", L"03/S2 02;03/S1 02", L"03/X2 02;10/S1 02",
                                L"03/S9 02;10/S1 02", L"03/S2 24;10/S1 02", L"03/S2;10/S1 02", L"03S2 02;10/S1 02",
                                L"03/S 02;10/S1 02", L"/S2 02;10/S1 02"}) {
        bool understood = true;
        EXPECT_EQ(ComposeRule(RuleFieldsFromText(rule, &understood)), L"03/S2 02;10/S1 02") << rule;
        EXPECT_FALSE(understood) << rule;
    }
}

TEST(RuleDialog, StoredRulesOpenAndComposeBack) {
    bool understood = false;
    RuleFields f = RuleFieldsFromText(L"03/S2 02;11/S1 02", &understood);
    EXPECT_TRUE(understood);
    EXPECT_FALSE(f.DayForm);
    EXPECT_EQ(f.Start.Month, 3);
    EXPECT_EQ(f.Start.Week, 2);
    EXPECT_EQ(f.Start.Weekday, 0);
    EXPECT_EQ(f.Start.Hour, 2);
    EXPECT_EQ(f.End.Month, 11);
    EXPECT_EQ(f.End.Week, 1);
    EXPECT_EQ(ComposeRule(f), L"03/S2 02;11/S1 02");

    for (const wchar_t* rule : {L"10/S1 02;04/S1 03", L"09/Se 02;04/S1 03", L"10/S3 00;02/S3 00",
                                L"03/Se 01;10/Se 01", L"03/25 02;10/28 03", L"04/Fe -3;09/A4 23"})
        EXPECT_EQ(ComposeRule(RuleFieldsFromText(rule)), rule);

    // The "U" is read and dropped; the written form has two digits.
    f = RuleFieldsFromText(L"4/1 2U;10/1 03");
    EXPECT_TRUE(f.DayForm);
    EXPECT_EQ(ComposeRule(f), L"04/01 02;10/01 03");
    // Runs of blanks and separators count as one, as the item reads the rule.
    EXPECT_EQ(ComposeRule(RuleFieldsFromText(L"03/ H1  02;;11/S1 02")), L"03/H1 02;11/S1 02");
    // The start half chooses the form; a month outside the lists keeps its default.
    EXPECT_EQ(ComposeRule(RuleFieldsFromText(L"03/S2 02;10/25 03")), L"03/S2 02;10/S1 03");
    EXPECT_EQ(ComposeRule(RuleFieldsFromText(L"13/S2 05;11/S1 02")), L"03/S2 05;11/S1 02");
}

TEST(RuleDialog, ComposedFormsAndTheItemReadsThem) {
    RuleFields f;
    f.Start.Week = f.End.Week = 0;
    f.Start.Hour = f.End.Hour = 1;
    EXPECT_EQ(ComposeRule(f), L"03/Se 01;10/Se 01");
    f.DayForm = true;
    f.Start.Day = 25;
    f.Start.Hour = 2;
    f.End.Day = 28;
    f.End.Hour = -3;
    EXPECT_EQ(ComposeRule(f), L"03/25 02;10/28 -3");

    RuleFields defaults;
    DateTime july;
    july.wYear = 2026;
    july.wMonth = 7;
    july.wDay = 15;
    july.wHour = 12;
    EXPECT_EQ(ApplyDst(&july, ComposeRule(defaults), ClockReading{}), 1);
    EXPECT_EQ(july.wHour, 13);
}

// What OK writes after the dialog opened on a stored rule and the user changed
// the fields with `edit`.
std::wstring AfterOk(const std::wstring& stored, void (*edit)(RuleFields*)) {
    const RuleFields shown = RuleFieldsFromText(stored);
    RuleFields now = shown;
    if (edit) edit(&now);
    return RuleAfterEdit(now, RuleOpening{stored, shown});
}

TEST(RuleDialog, OkWithoutAChangeLeavesTheStoredRuleAsItWas) {
    for (const wchar_t* rule : {L"09/Se -10U;04/S1 -10U", L"03/S2 02;10/25 03", L"4/1 2U;10/1 03",
                                L"03/ H1  02;;11/S1 02", L"03/S2 02;03/S1 02", L"not a rule", L"03/S2 02;11/S1 02"})
        EXPECT_EQ(AfterOk(rule, nullptr), rule);
    // Nothing stored: OK takes the rule shown.
    EXPECT_EQ(AfterOk(L"", nullptr), L"03/S2 02;10/S1 02");
}

TEST(RuleDialog, AHalfLeftAloneKeepsItsUtcAndItsForm) {
    EXPECT_EQ(AfterOk(L"09/Se -10U;04/S1 -10U", [](RuleFields* f) { f->Start.Hour = -9; }), L"09/Se -9;04/S1 -10U");
    EXPECT_EQ(AfterOk(L"09/Se -10U;04/S1 -10U", [](RuleFields* f) { f->End.Month = 5; }), L"09/Se -10U;05/S1 -10");
    EXPECT_EQ(AfterOk(L"03/S2 02;10/25 03", [](RuleFields* f) { f->Start.Hour = 5; }), L"03/S2 05;10/25 03");
    // The day form for both: the start half shows its day now, the end half what it holds.
    EXPECT_EQ(AfterOk(L"03/S2 02;10/25 03", [](RuleFields* f) { f->DayForm = true; }), L"03/01 02;10/25 03");
    // A field the form does not write is no change.
    EXPECT_EQ(AfterOk(L"4/1 2U;10/1 03", [](RuleFields* f) { f->Start.Week = 4; }), L"4/1 2U;10/1 03");
    // A rule the dialog did not understand has no halves to keep.
    EXPECT_EQ(AfterOk(L"03/S2 02;03/S1 02", [](RuleFields* f) { f->End.Month = 11; }), L"03/S2 02;11/S1 02");
}

TEST(RuleDialog, ParseRuleHalf) {
    int m, d, w, h;
    EXPECT_EQ(ParseRuleHalf(L"03/S2 02", &m, &d, &w, &h), 1);
    EXPECT_EQ(m, 3);
    EXPECT_EQ(d, 2);
    EXPECT_EQ(w, 0);
    EXPECT_EQ(h, 2);
    EXPECT_EQ(ParseRuleHalf(L"10/28 03U", &m, &d, &w, &h), -1);
    EXPECT_EQ(d, 28);
    EXPECT_EQ(w, -1);
    EXPECT_EQ(ParseRuleHalf(L"10/Ae -23", &m, &d, &w, &h), 1);
    EXPECT_EQ(w, 6);
    EXPECT_EQ(d, 0);
    EXPECT_EQ(h, -23);
    for (const wchar_t* bad : {L"", L"03 S2 02", L"03/S2", L"x/S2 02", L"03/S2 x", L"03/S2 -24", L"03/s2 02",
                               L"03/Sx 02"})
        EXPECT_EQ(ParseRuleHalf(bad, &m, &d, &w, &h), 0) << bad;
}

TEST(RuleDialog, SpinPositions) {
    SpinPosition spin;
    spin.Last = 2;
    EXPECT_EQ(spin.Read(65533), -3);  // -3 in 16 bits
    EXPECT_EQ(spin.Read(0x10000u | 7), -3);  // not a number: the last valid position
    EXPECT_EQ(spin.Read(23), 23);
    EXPECT_EQ(spin.Read(0x10000u), 23);
    EXPECT_EQ(spin.Read(65000), 65000);
}
