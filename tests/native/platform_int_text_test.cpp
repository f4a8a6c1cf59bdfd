// Integers read from text: the one reader behind the option fields, the
// editor's fields and file, the colour chooser and the command lines.
#include <gtest/gtest.h>

#include <climits>

#include "platform/int_text.h"

using namespace velkaro;

TEST(IntText, ReadsBlanksSignAndDigitsAndLeavesTheRest) {
    struct Case {
        const wchar_t* text;
        long long value;
        bool digits, blanks, rest;
    } cases[] = {
        {L"42", 42, true, false, false},      {L"-7", -7, true, false, false},
        {L"+5", 5, true, false, false},       {L"007", 7, true, false, false},
        {L"-0", 0, true, false, false},       {L" \t\r\n12", 12, true, true, false},
        {L"77x", 77, true, false, true},      {L"12 ", 12, true, false, true},
        {L"3.9", 3, true, false, true},       {L"", 0, false, false, false},
        {L"-", 0, false, false, true},        {L"+", 0, false, false, true},
        {L"  ", 0, false, true, true},        {L"abc", 0, false, false, true},
        {L"- 5", 0, false, false, true},      {L"x12", 0, false, false, true},
        {L"\x0661\x0662", 0, false, false, true},  // digits of another script are no digits here
        {L"\xFF11", 0, false, false, true},         // nor are full-width ones
    };
    for (const Case& c : cases) {
        const IntReading r = ReadIntText(c.text);
        EXPECT_EQ(r.Value, c.value) << c.text;
        EXPECT_EQ(r.Digits, c.digits) << c.text;
        EXPECT_EQ(r.Blanks, c.blanks) << c.text;
        EXPECT_EQ(r.Rest, c.rest) << c.text;
        EXPECT_FALSE(r.Overflow) << c.text;
        EXPECT_EQ(ReadIntText(std::wstring(c.text)).Value, c.value) << c.text;
    }
    EXPECT_FALSE(ReadIntText(static_cast<const wchar_t*>(nullptr)).Digits);
    EXPECT_EQ(ReadIntText(std::string("-31x")).Value, -31);
}

TEST(IntText, StopsAtTheEndsOfItsRangeAndSaysSo) {
    const IntReading max = ReadIntText(L"9223372036854775807");
    EXPECT_EQ(max.Value, LLONG_MAX);
    EXPECT_FALSE(max.Overflow);
    const IntReading min = ReadIntText(L"-9223372036854775808");
    EXPECT_EQ(min.Value, LLONG_MIN);
    EXPECT_FALSE(min.Overflow);
    for (const wchar_t* past : {L"9223372036854775808", L"99999999999999999999999", L"18446744073709551626"}) {
        const IntReading r = ReadIntText(past);
        EXPECT_EQ(r.Value, LLONG_MAX) << past;
        EXPECT_TRUE(r.Overflow) << past;
        EXPECT_FALSE(r.Rest) << past;  // every digit is read, even past the range
    }
    const IntReading low = ReadIntText(L"-9223372036854775809x");
    EXPECT_EQ(low.Value, LLONG_MIN);
    EXPECT_TRUE(low.Overflow);
    EXPECT_TRUE(low.Rest);
}

TEST(IntText, TheStringFormsReadTheWholeString) {
    const std::string withNul("5\0" "1", 3);
    EXPECT_TRUE(ReadIntText(withNul).Rest);
    long long n = -1;
    EXPECT_FALSE(WholeInt(withNul, 0, 100, &n));
    EXPECT_EQ(n, -1);
    bool found = true;
    EXPECT_EQ(LeadingInt(std::wstring(L"  -12:30"), &found), -12);
    EXPECT_TRUE(found);
    EXPECT_EQ(LeadingInt(std::string("deg"), &found), 0);
    EXPECT_FALSE(found);
}

TEST(IntText, ClampedIntHoldsToItsRangeAndReadsNoDigitsAsZero) {
    EXPECT_EQ(ClampedInt(L"300", 0, 255), 255);
    EXPECT_EQ(ClampedInt(L"abc", 0, 255), 0);
    EXPECT_EQ(ClampedInt(L"", 10, 20), 10);
    EXPECT_EQ(ClampedInt(nullptr, -5, -1), -1);
    EXPECT_EQ(ClampedInt(L"-4", 0, 359), 0);
    EXPECT_EQ(ClampedInt(L"77x", 0, 359), 77);
    EXPECT_EQ(ClampedInt(L"99999999999999999999", -999, 999), 999);
    EXPECT_EQ(ClampedInt(L"-4294967296", INT_MIN, INT_MAX), INT_MIN);
    EXPECT_EQ(ClampedInt(L"4294967297", INT_MIN, INT_MAX), INT_MAX);  // not wrapped to 1
}

TEST(IntText, WholeIntTakesOnlyANumberWithinItsRange) {
    struct Case {
        const char* text;
        bool ok;
        long long value;
    } cases[] = {
        {"0", true, 0},      {"16383", true, 16383}, {" 12", true, 12},  {"+3", true, 3},
        {"16384", false, 0}, {"-1", false, 0},       {"12 ", false, 0},  {"12x", false, 0},
        {"", false, 0},      {"-", false, 0},        {"x", false, 0},    {"1e3", false, 0},
    };
    for (const Case& c : cases) {
        long long n = -99;
        EXPECT_EQ(WholeInt(std::string(c.text), 0, 0x3FFF, &n), c.ok) << c.text;
        EXPECT_EQ(n, c.ok ? c.value : -99) << c.text;
    }
    long long n = 0;
    EXPECT_FALSE(WholeInt(std::wstring(L"9223372036854775808"), LLONG_MIN, LLONG_MAX, &n));  // past the range
    EXPECT_TRUE(WholeInt(std::wstring(L"-9223372036854775808"), LLONG_MIN, LLONG_MAX, &n));
    EXPECT_EQ(n, LLONG_MIN);
}
