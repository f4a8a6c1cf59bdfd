// The "HWND" text that the item writes and the editor and tools read back.
#include <gtest/gtest.h>

#include "platform/registry.h"
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
