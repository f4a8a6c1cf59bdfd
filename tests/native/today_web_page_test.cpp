// The page's entry, run natively: places and settings from the page's panels,
// the registry kept as text in the browser's storage, and the "now" instant.
#include <gtest/gtest.h>

#include <string>

#include "engine/instant.h"
#include "platform/clock.h"
#include "platform/registry.h"
#include "settings/store.h"
#include "today/web/page.h"

using namespace velkaro;

namespace {

// A library in the category file's form: Berlin with its rule, Tokyo without.
const char kLibrary[] =
    "2\r\n\r\n[_REG_BAK]x\r\n\r\n[Asia]x\r\n"
    "1\tTokyo\t35.65\t139.73\t0\t0\t9.0\t\tAsia/Tokyo JP\r\n\r\n[Europe]x\r\n"
    "1\tBerlin\t52.50\t13.37\t0\t0\t1.0\t03/Se 02;10/Se 02\tEurope/Berlin DE,DK,NO,SE,SJ\r\n"
    "1\tLondon\t51.51\t-0.12\t0\t0\t0.0\t03/Se 01;10/Se 01\tEurope/London GB\r\n"
    "1\tAbidjan\t5.32\t-4.03\t0\t0\t0.0\t\tAfrica/Abidjan CI\r\n";

class WebPage : public ::testing::Test {
protected:
    void SetUp() override {
        RegClearAll();
        SetNativeClock(MakeTime(2026, 12, 8, 9, 30), MakeTime(2026, 12, 8, 9, 30), 0);
        LoadLibrary(&page, kLibrary);
        StartPage(&page, 360, 640, 360);
    }
    void TearDown() override {
        SetRegChangeHook(nullptr);
        RegClearAll();
    }
    int Index(const char* zone) { return MatchZone(page, zone, 0, 0); }
    Page page;
};

int g_changes = 0;
void CountChange() { ++g_changes; }

}  // namespace

TEST_F(WebPage, PlacesFromTheLibraryOrTypedGoIntoTheSlotsAndStay) {
    ASSERT_GE(Index("Europe/Berlin"), 0);
    ASSERT_TRUE(PutPlace(&page, 3, Index("Europe/Berlin"), "", 0, 0, 0));
    EXPECT_EQ(page.item.State.PosIndex, 3);
    EXPECT_EQ(page.item.State.ResetCountdown, page.item.Store.General.ResetTime);

    ASSERT_TRUE(PutPlace(&page, 0, Index("Europe/Berlin"), "Tromsø", 69.65, 18.96, 10));
    LocationTable stored;
    ASSERT_TRUE(LoadLocationSlots(&stored));
    EXPECT_EQ(stored[0].Location, L"Tromsø");
    EXPECT_DOUBLE_EQ(stored[0].Lat, 69.65);
    EXPECT_EQ(stored[0].Altitude, 10);
    EXPECT_EQ(stored[0].UtcMargin, 1.0);
    EXPECT_EQ(stored[0].DST, L"03/Se 02;10/Se 02");
    EXPECT_EQ(stored[3].Location, L"Berlin");

    // Nothing changes for a place off the globe, a bad slot or a bad zone.
    EXPECT_FALSE(PutPlace(&page, 1, Index("Europe/Berlin"), "Nowhere", 91, 0, 0));
    EXPECT_FALSE(PutPlace(&page, 1, Index("Europe/Berlin"), "Nowhere", 0, -180.5, 0));
    EXPECT_FALSE(PutPlace(&page, 20, Index("Europe/Berlin"), "", 0, 0, 0));
    EXPECT_FALSE(PutPlace(&page, 1, 99, "", 0, 0, 0));
    EXPECT_FALSE(PutPlace(&page, 1, -1, "", 0, 0, 0));
    ASSERT_TRUE(LoadLocationSlots(&stored));
    EXPECT_EQ(stored[1].Location, page.item.Store.Locations[1].Location);
    EXPECT_NE(stored[1].Location, L"Nowhere");
}

TEST_F(WebPage, ABrowserZoneFindsItsPlaceOrOneThatKeepsTheSameClock) {
    EXPECT_EQ(page.Library[static_cast<size_t>(Index("Asia/Tokyo"))].Record.Location, L"Tokyo");
    // "Europe/Oslo" is Berlin's clock under another name: +1, +2 in July.
    const int oslo = MatchZone(page, "Europe/Oslo", 60, 120);
    ASSERT_GE(oslo, 0);
    EXPECT_EQ(page.Library[static_cast<size_t>(oslo)].Record.Location, L"Berlin");
    // A zone with no daylight saving at offset 0 is not London's.
    const int utc = MatchZone(page, "Etc/UTC", 0, 0);
    ASSERT_GE(utc, 0);
    EXPECT_EQ(page.Library[static_cast<size_t>(utc)].Record.Location, L"Abidjan");
    EXPECT_EQ(MatchZone(page, "Mars/Olympus", 300, 300), -1);
    // "Asia/Tok" names no zone, even though a zone starts with it.
    EXPECT_EQ(MatchZone(page, "Asia/Tok", 300, 300), -1);
}

TEST_F(WebPage, TheSearchFindsNamesAndZonesInAnyCaseUpToItsLimit) {
    EXPECT_NE(SearchLibrary(page, "berLIN", 10).find("\"name\":\"Berlin\""), std::string::npos);
    EXPECT_NE(SearchLibrary(page, "asia/tokyo", 10).find("\"name\":\"Tokyo\""), std::string::npos);
    EXPECT_EQ(SearchLibrary(page, "zzz", 10), "[]");
    const std::string two = SearchLibrary(page, "/", 2);
    EXPECT_NE(two.find("Tokyo"), std::string::npos);
    EXPECT_NE(two.find("Berlin"), std::string::npos);
    EXPECT_EQ(two.find("London"), std::string::npos);
}

TEST_F(WebPage, SettingsTakeOnlyValuesTheItemKnows) {
    EXPECT_TRUE(SetSetting(&page, "TapR", "15"));
    EXPECT_TRUE(SetSetting(&page, "HoldL", "-1"));
    EXPECT_FALSE(SetSetting(&page, "TapR", "16"));
    EXPECT_FALSE(SetSetting(&page, "TapR", "3x"));
    EXPECT_FALSE(SetSetting(&page, "TapR", ""));
    EXPECT_FALSE(SetSetting(&page, "Start", "2"));
    EXPECT_FALSE(SetSetting(&page, "CrBack", "0"));
    EXPECT_TRUE(SetSetting(&page, "SortP0", "90x1"));
    EXPECT_TRUE(SetSetting(&page, "Start", "1"));
    EXPECT_EQ(page.item.State.AzimuthMode, 1);

    SettingsStore stored;
    ASSERT_TRUE(LoadSettingsStore(&stored));
    EXPECT_EQ(stored.General.TapR, 15);
    EXPECT_EQ(stored.General.HoldL, -1);
    EXPECT_EQ(stored.General.SortP0.Digits(), L"901");
    EXPECT_EQ(stored.General.Start, 1);

    ResetPage(&page);
    ASSERT_TRUE(LoadSettingsStore(&stored));
    EXPECT_EQ(stored.General.TapR, GeneralSettings().TapR);
    EXPECT_EQ(stored.Locations[0].Location, L"Tokyo");
}

TEST_F(WebPage, TheLastPlaceIsNeverCleared) {
    for (int slot = 1; slot < kSlotCount; ++slot) ClearSlot(&page, slot);
    EXPECT_FALSE(ClearSlot(&page, 0));
    EXPECT_TRUE(page.item.Store.Locations[0].Valid);
    ASSERT_TRUE(PutPlace(&page, 7, Index("Europe/Berlin"), "", 0, 0, 0));
    EXPECT_TRUE(ClearSlot(&page, 7));
    EXPECT_EQ(page.item.State.PosIndex, 0) << "the shown place moves to a valid one";
}

TEST_F(WebPage, OnlyADateInTheFieldsFormShiftsTheDays) {
    ChooseDate(&page, "2026-12-10");
    EXPECT_EQ(page.item.State.ShiftDays, 2);
    for (const char* bad : {"", "2026-13-01", "2026-02-30", "10.12.2026", "2026-12-10x"}) {
        ChooseDate(&page, bad);
        EXPECT_EQ(page.item.State.ShiftDays, 2) << bad;
    }
}

TEST(WebStorage, TheRegistryTravelsAsTextAndBackUnchanged) {
    RegClearAll();
    RegKey key;
    ASSERT_TRUE(RegCreate(L"\\Software\\quorrin\\Velkaro\\Pos00", &key));
    RegWriteText(key, L"Location", L"Tromsø\tnorth\\of all");
    RegWriteDword(key, L"Valid", 1);
    RegClose(key);
    ASSERT_TRUE(RegWriteRaw(L"\\Software\\quorrin\\Velkaro", L"Odd\nname", kRegBinary, {0, 255, 16}));
    const std::string text = RegExportTree();

    RegClearAll();
    RegImportTree(text);
    EXPECT_EQ(RegExportTree(), text);
    ASSERT_TRUE(RegOpen(L"\\Software\\quorrin\\Velkaro\\Pos00", &key));
    std::wstring name;
    uint32_t valid = 0;
    EXPECT_TRUE(RegReadText(key, L"Location", &name, 260));
    EXPECT_TRUE(RegReadDword(key, L"Valid", &valid));
    RegClose(key);
    EXPECT_EQ(name, L"Tromsø\tnorth\\of all");
    EXPECT_EQ(valid, 1u);
    RegClearAll();
}

TEST(WebStorage, DamagedTextGivesFewerValuesNeverBrokenOnes) {
    RegClearAll();
    RegImportTree(
        "K\tsoftware\\\\quorrin\\\\velkaro\n"
        "V\tTapR\t4\t0b000000\n"
        "V\tTapL\t4\t0b00\n"       // two bytes: not a DWORD
        "V\tTapM\t4\tzz000000\n"   // not hexadecimal: skipped
        "V\tMaxMin\t4\t3c00000\n"  // odd length: skipped
        "V\tHoldL\tx\t00000000\n"  // no type: skipped
        "garbage line\n"
        "V\tTitle\t4\n"
        "K\t\n"
        "V\tClock\t4\t01000000\n");  // under no key: skipped
    RegKey key;
    ASSERT_TRUE(RegOpen(L"\\Software\\quorrin\\Velkaro", &key));
    uint32_t v = 0;
    EXPECT_TRUE(RegReadDword(key, L"TapR", &v));
    EXPECT_EQ(v, 11u);
    EXPECT_FALSE(RegReadDword(key, L"TapL", &v));
    EXPECT_FALSE(RegValueExists(key, L"TapM"));
    EXPECT_FALSE(RegValueExists(key, L"MaxMin"));
    EXPECT_FALSE(RegValueExists(key, L"HoldL"));
    EXPECT_FALSE(RegValueExists(key, L"Title"));
    EXPECT_FALSE(RegValueExists(key, L"Clock"));
    RegClose(key);

    // A store over such a tree starts with the defaults, written back whole.
    SettingsStore store;
    EXPECT_FALSE(LoadOrInitialiseStore(&store, 2));
    EXPECT_EQ(store.General.TapR, GeneralSettings().TapR);
    EXPECT_TRUE(LoadSettingsStore(&store));
    RegClearAll();
}

TEST(WebStorage, EveryChangeIsAnnouncedOnceItsKeyCloses) {
    RegClearAll();
    g_changes = 0;
    SetRegChangeHook(CountChange);
    RegKey key;
    ASSERT_TRUE(RegCreate(L"\\Software\\quorrin\\Velkaro", &key));
    RegWriteDword(key, L"A", 1);
    RegWriteDword(key, L"B", 2);
    EXPECT_EQ(g_changes, 0);
    RegClose(key);
    EXPECT_EQ(g_changes, 1);
    ASSERT_TRUE(RegOpen(L"\\Software\\quorrin\\Velkaro", &key));
    uint32_t v;
    RegReadDword(key, L"A", &v);
    RegClose(key);
    EXPECT_EQ(g_changes, 1) << "reading is no change";
    ASSERT_TRUE(RegOpen(L"\\Software\\quorrin\\Velkaro", &key));
    RegRemoveValue(key, L"A");
    RegClose(key);
    EXPECT_EQ(g_changes, 2);
    EXPECT_TRUE(RegDeleteKeyPath(L"\\Software\\quorrin\\Velkaro"));
    EXPECT_EQ(g_changes, 3);
    SetRegChangeHook(nullptr);
    RegClearAll();
}

TEST(WebClock, TheNowInstantReadsAsVelkaroNowDoes) {
    DateTime t;
    ASSERT_TRUE(ParseUtcInstant("2026-12-08T09:30:15Z", &t));
    EXPECT_EQ(t.wYear, 2026);
    EXPECT_EQ(t.wMonth, 12);
    EXPECT_EQ(t.wDay, 8);
    EXPECT_EQ(t.wHour, 9);
    EXPECT_EQ(t.wMinute, 30);
    EXPECT_EQ(t.wSecond, 15);
    EXPECT_EQ(t.wDayOfWeek, 2) << "a Tuesday";
    ASSERT_TRUE(ParseUtcInstant("2000-01-01T00:00Z", &t));
    EXPECT_EQ(t.wDayOfWeek, 6) << "a Saturday";
    const DateTime before = t;
    for (const char* bad : {"", "2026-12-08T09:30:00", "2026-12-08 09:30:00Z", "2026-12-08T24:00Z",
                            "2026-02-29T10:00Z", "1900-02-28T10:00Z", "2100-03-01T00:00Z", "2026-12-08T09:30:60Z",
                            "+026-12-08T09:30Z", "2026-12-08T09:30:00.5Z"}) {
        EXPECT_FALSE(ParseUtcInstant(bad, &t)) << bad;
        EXPECT_EQ(t.wYear, before.wYear);
    }
}
