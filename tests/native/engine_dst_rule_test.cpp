// Daylight-saving rules: their text, its parsed form, and their evaluation.
#include <gtest/gtest.h>

#include <cwchar>
#include <string>
#include <vector>

#include "engine/dst_rule.h"
#include "engine/calendar.h"

using namespace velkaro;

class Dst : public ::testing::Test {
protected:
    // The present instant the rules are handed; they read no clock of their own.
    const ClockReading now{MakeTime(2011, 6, 1, 0, 0), MakeTime(2011, 6, 1, 9, 0), -540};
    int Check(const std::wstring& rule, DateTime t, DateTime* out = nullptr) {
        int r = ApplyDst(&t, rule, now);
        if (out) *out = t;
        return r;
    }
};

TEST_F(Dst, BoundariesOf2011) {
    int y = 2011, m, d, h;
    EXPECT_EQ(ParseDstBoundary(&y, &m, &d, &h, L"03/Se 01", now), 1);
    EXPECT_EQ(m * 100 + d, 327);
    EXPECT_EQ(h, 1);
    y = 2011;
    ParseDstBoundary(&y, &m, &d, &h, L"10/Se 01", now);
    EXPECT_EQ(m * 100 + d, 1030);
    y = 2013;  // March 2013 has five Sundays, the last on the 31st
    ParseDstBoundary(&y, &m, &d, &h, L"03/Se 01", now);
    EXPECT_EQ(m * 100 + d, 331);
    y = 2011;
    ParseDstBoundary(&y, &m, &d, &h, L"03/S2 02", now);
    EXPECT_EQ(m * 100 + d, 313);
    y = 2011;
    ParseDstBoundary(&y, &m, &d, &h, L"11/S1 02", now);
    EXPECT_EQ(m * 100 + d, 1106);
    y = 2011;  // hour -1: the evening before
    EXPECT_EQ(ParseDstBoundary(&y, &m, &d, &h, L"03/S2 -1", now), 1);
    EXPECT_EQ(m * 100 + d, 312);
    EXPECT_EQ(h, 23);
    y = 2011;
    EXPECT_EQ(ParseDstBoundary(&y, &m, &d, &h, L"03/31 02U", now), -1);
    EXPECT_EQ(d, 31);
    y = 0;  // the present year: the local one, or for a UTC boundary the UTC one
    const ClockReading newYear{MakeTime(2011, 12, 31, 20, 0), MakeTime(2012, 1, 1, 5, 0), -540};
    EXPECT_EQ(ParseDstBoundary(&y, &m, &d, &h, L"04/S1 03", newYear), 1);
    EXPECT_EQ(y, 2012);
    y = 0;
    EXPECT_EQ(ParseDstBoundary(&y, &m, &d, &h, L"04/S1 03U", newYear), -1);
    EXPECT_EQ(y, 2011);
}

TEST_F(Dst, UtcRuleIsJudgedAtThePresentInstant) {
    const std::wstring rule = L"03/Se 01U;10/Se 01U";
    const DateTime january = MakeTime(2011, 1, 10, 12, 0);
    EXPECT_EQ(Check(rule, january), 1);  // 1 June is in it, whatever the time passed
    const ClockReading winter{MakeTime(2011, 12, 1, 0, 0), MakeTime(2011, 12, 1, 9, 0), -540};
    DateTime t = MakeTime(2011, 7, 10, 12, 0);
    EXPECT_EQ(ApplyDst(&t, rule, winter), 0);
    EXPECT_EQ(t.wHour, 12);
}

TEST_F(Dst, NorthernRuleSwitchesOnTheHour) {
    const std::wstring usa = L"03/S2 02;11/S1 02";
    DateTime out;
    EXPECT_EQ(Check(usa, MakeTime(2011, 3, 13, 1, 59)), 0);
    EXPECT_EQ(Check(usa, MakeTime(2011, 3, 13, 2, 0), &out), 1);
    EXPECT_EQ(out.wHour, 3);
    EXPECT_EQ(Check(usa, MakeTime(2011, 11, 6, 1, 59)), 1);
    EXPECT_EQ(Check(usa, MakeTime(2011, 11, 6, 2, 0)), 0);
    EXPECT_EQ(Check(usa, MakeTime(2011, 7, 4, 23, 30), &out), 1);
    EXPECT_EQ(out.wMonth * 100 + out.wDay, 705);
    EXPECT_EQ(out.wHour, 0);
    EXPECT_EQ(Check(usa, MakeTime(2011, 12, 1, 12, 0)), 0);
}

TEST_F(Dst, SouthernRuleWrapsTheYear) {
    const std::wstring sydney = L"10/S1 02;04/S1 03";
    EXPECT_EQ(Check(sydney, MakeTime(2011, 12, 25, 12, 0)), 1);
    EXPECT_EQ(Check(sydney, MakeTime(2012, 1, 10, 12, 0)), 1);
    EXPECT_EQ(Check(sydney, MakeTime(2011, 5, 10, 12, 0)), 0);
    EXPECT_EQ(Check(sydney, MakeTime(2011, 7, 10, 12, 0)), 0);
}

TEST_F(Dst, MalformedRulesGiveNoDaylightSaving) {
    const DateTime july = MakeTime(2011, 7, 1, 12, 0);
    for (const wchar_t* rule :
         {L"", L"03/S2 02", L"03/S2 02;03/S4 02", L"03/S5 02;11/S1 02", L"03/X2 02;11/S1 02",
          L"03/S2 24;11/S1 02", L"03/S2;11/S1 02", L"0302 02;11/S1 02", L"03/31 02;02/30 02",
          L"aa/S2 02;11/S1 02", L"03/S 02;11/S1 02", L"03/S2 02;11/S1 02          padding"}) {
        DateTime out;
        EXPECT_EQ(Check(rule, july, &out), 0) << std::string(rule, rule + std::wcslen(rule));
        EXPECT_EQ(out.wHour, 12);
    }
}

namespace {

std::string Narrow(const std::wstring& s) { return std::string(s.begin(), s.end()); }

std::wstring Written(const wchar_t* format, int month, const std::wstring& day, int hour, bool utc) {
    wchar_t buf[64];
    std::swprintf(buf, 64, format, month, day.c_str(), hour, utc ? L"U" : L"");
    return buf;
}

}  // namespace

// Every half the format can state, written by hand, reads and writes back to
// the same text; joined with another it makes a rule that does too.
TEST(DstRuleText, EveryFormWritesBackAsWritten) {
    const wchar_t* const weekdays = L"SMTWHFA";
    const wchar_t* const occurrences = L"e1234";
    std::vector<std::wstring> halves;
    for (int month = 1; month <= 12; ++month)
        for (int hour = -23; hour <= 23; hour += (month % 2 ? 1 : 5))
            for (bool utc : {false, true}) {
                for (int w = 0; w < 7; ++w)
                    for (int k = 0; k < 5; ++k)
                        halves.push_back(Written(L"%02d/%ls %02d%ls", month, {weekdays[w], occurrences[k]}, hour, utc));
                for (int day = 1; day <= 31; ++day) {
                    wchar_t dd[8];
                    std::swprintf(dd, 8, L"%02d", day);
                    halves.push_back(Written(L"%02d/%ls %02d%ls", month, dd, hour, utc));
                }
            }
    for (const std::wstring& half : halves) {
        DstBoundary b;
        ASSERT_TRUE(ParseDstBoundaryText(half, &b)) << Narrow(half);
        ASSERT_EQ(FormatDstBoundary(b), half);
    }
    for (size_t i = 0; i < halves.size(); i += 97) {
        const std::wstring rule = halves[i] + L";" + halves[halves.size() - 1 - i];
        DstRule r;
        ASSERT_TRUE(ParseDstRule(rule, &r)) << Narrow(rule);
        ASSERT_EQ(FormatDstRule(r), rule);
    }
}

// Whatever spelling was read, the parsed form survives being written and read
// again, and the written rule switches exactly when the spelling did.
TEST(DstRuleText, AnyAcceptedSpellingKeepsItsMeaningWhenWritten) {
    const ClockReading now{MakeTime(2011, 6, 1, 0, 0), MakeTime(2011, 6, 1, 9, 0), -540};
    for (const wchar_t* rule : {L"3/S2 2;11/S1 2", L"03/ H1  02;;11/S1 02", L"4/1 2U;10/1 03", L"03/S2 02:00;11/S1 2h",
                                L";03/Se +1;10/Se 01", L"03/S2x 02;11/S1 02 later", L"03/ 5 -1;9/30 23",
                                L"13/S2 05;11/S1 02", L"3/S2 02 U;10/S1 02"}) {
        DstRule r, again;
        ASSERT_TRUE(ParseDstRule(rule, &r)) << Narrow(rule);
        ASSERT_TRUE(ParseDstRule(FormatDstRule(r), &again)) << Narrow(rule);
        EXPECT_TRUE(again == r) << Narrow(rule);
        for (int day = 1; day < 366; day += 3)
            for (int hour : {0, 1, 2, 23}) {
                DateTime a = MakeTime(2011, 1, 1, hour, 30), b;
                AddDays(day, &a);
                b = a;
                ASSERT_EQ(ApplyDst(&a, std::wstring(rule), now), ApplyDst(&b, FormatDstRule(r), now)) << Narrow(rule);
            }
    }
}

TEST(DstRuleText, TheFieldsOfAHalf) {
    DstBoundary b;
    ASSERT_TRUE(ParseDstBoundaryText(L"09/Se -10U", &b));
    EXPECT_EQ(b.Month, 9);
    EXPECT_TRUE(b.ByWeekday);
    EXPECT_EQ(b.Weekday, 0);
    EXPECT_EQ(b.Occurrence, 0);
    EXPECT_EQ(b.Hour, -10);
    EXPECT_TRUE(b.Utc);
    ASSERT_TRUE(ParseDstBoundaryText(L"10/25 03", &b));
    EXPECT_FALSE(b.ByWeekday);
    EXPECT_EQ(b.Day, 25);
    EXPECT_FALSE(b.Utc);
    ASSERT_TRUE(ParseDstBoundaryText(L"04/A4 23", &b));
    EXPECT_EQ(b.Weekday, 6);
    EXPECT_EQ(b.Occurrence, 4);
    const DstBoundary kept = b;
    for (const wchar_t* bad : {L"", L"03 S2 02", L"03/S2", L"x/S2 02", L"03/S2 x", L"03/S2 -24", L"03/s2 02",
                               L"03/Sx 02", L"03/S 02", L"03/X2 02"}) {
        EXPECT_FALSE(ParseDstBoundaryText(bad, &b)) << Narrow(bad);
        EXPECT_TRUE(b == kept);
    }
    DstRule r;
    EXPECT_FALSE(ParseDstRule(L"03/S2 02", &r));
    EXPECT_FALSE(ParseDstRule(L"03/S2 02;", &r));
}
