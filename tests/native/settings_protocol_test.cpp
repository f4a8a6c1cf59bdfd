// What crosses between the item and the editor as text: the "HWND" value, the
// posted message numbers and the zone offset.
#include <gtest/gtest.h>

#include "platform/registry.h"
#include "settings/location.h"
#include "settings/protocol.h"

using namespace velkaro;

TEST(WindowHandleText, WritesLowerCaseHexAndReadsItBack) {
    EXPECT_EQ(FormatWindowHandle(0x1a2b), L"1a2b");
    EXPECT_EQ(FormatWindowHandle(0), L"0");
    EXPECT_EQ(FormatWindowHandle(0xFFFFFFFFFFFFFFFFull), L"ffffffffffffffff");
    for (uint64_t h : {0x10ull, 0x2004cull, 0x7fffffffffull})
        EXPECT_EQ(ParseWindowHandle(FormatWindowHandle(h)), h);
    EXPECT_EQ(ParseWindowHandle(L" 1A2B \r\n"), 0x1a2bu);
}

TEST(WindowHandleText, AnythingButHexNamesNoWindow) {
    for (const wchar_t* bad : {L"", L"   ", L"0x1a2b", L"1a2g", L"-5", L"12 34", L"12345678901234567"})
        EXPECT_EQ(ParseWindowHandle(bad), 0u) << bad;
}

TEST(WindowHandleText, RegistryRoundTripAndMissingValue) {
    RegClearAll();
    EXPECT_EQ(ReadWindowHandle(kDayruneKey), 0u);  // no key
    RegKey k;
    ASSERT_TRUE(RegCreate(kDayruneKey, &k));
    RegClose(k);
    EXPECT_EQ(ReadWindowHandle(kDayruneKey), 0u);  // no value
    ASSERT_TRUE(WriteWindowHandle(kSettingsKey, 0xbeef));
    EXPECT_EQ(ReadWindowHandle(kSettingsKey), 0xbeefu);
    RegClearAll();
}

TEST(PostedActions, NumbersMapBothWays) {
    EXPECT_EQ(kMsgLocationsChanged, 32770u);
    EXPECT_EQ(kMsgEditorSettingsChanged, 32771u);
    EXPECT_EQ(ActionMessage(0), 32778u);
    EXPECT_EQ(ActionOfMessage(32793), 15);
    EXPECT_EQ(ActionOfMessage(32794), -1);
    EXPECT_EQ(ActionOfMessage(32777), -1);
}

TEST(OffsetText, QuarterHoursKeepTwoDecimals) {
    EXPECT_EQ(FormatUtcOffset(9), L"9.0");
    EXPECT_EQ(FormatUtcOffset(5.5), L"5.5");
    EXPECT_EQ(FormatUtcOffset(5.75), L"5.75");
    EXPECT_EQ(FormatUtcOffset(12.75), L"12.75");
    EXPECT_EQ(FormatUtcOffset(-3.5), L"-3.5");
    EXPECT_EQ(FormatUtcOffset(-9.25), L"-9.25");
    EXPECT_EQ(FormatUtcOffset(0), L"0.0");
    for (double v : {5.75, 12.75, -9.5, 8.75, 0.25})
        EXPECT_DOUBLE_EQ(ParseLeadingDouble(FormatUtcOffset(v)), v);
}
