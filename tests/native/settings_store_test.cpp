#include <gtest/gtest.h>

#include <cmath>

#include <cstring>

#include "platform/clock.h"
#include "platform/registry.h"
#include "settings/store.h"

using namespace velkaro;

namespace {

std::wstring Text(const std::wstring& path, const wchar_t* name) {
    uint32_t type = 0;
    std::vector<uint8_t> bytes;
    if (!RegReadRaw(path, name, &type, &bytes) || type != kRegSz) return L"<missing>";
    std::wstring s;
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        wchar_t c = static_cast<wchar_t>(bytes[i] | (bytes[i + 1] << 8));
        if (!c) break;
        s.push_back(c);
    }
    return s;
}

int64_t Dword(const std::wstring& path, const wchar_t* name) {
    uint32_t type = 0;
    std::vector<uint8_t> bytes;
    if (!RegReadRaw(path, name, &type, &bytes) || type != kRegDword || bytes.size() != 4) return -999999;
    uint32_t v;
    std::memcpy(&v, bytes.data(), 4);
    return static_cast<int32_t>(v);
}

void PutText(const std::wstring& path, const wchar_t* name, const std::wstring& value) {
    RegKey k;
    ASSERT_TRUE(RegCreate(path, &k));
    RegWriteText(k, name, value);
    RegClose(k);
}

void PutDword(const std::wstring& path, const wchar_t* name, uint32_t value) {
    RegKey k;
    ASSERT_TRUE(RegCreate(path, &k));
    RegWriteDword(k, name, value);
    RegClose(k);
}

const std::wstring kRoot = kSettingsKey;

class Store : public ::testing::Test {
protected:
    void SetUp() override { RegClearAll(); }
    void TearDown() override { RegClearAll(); }
};

}  // namespace

TEST_F(Store, FirstStartWritesScaledDefaultsAndTheCities) {
    SettingsStore s;
    EXPECT_FALSE(LoadOrInitialiseStore(&s, 2));
    EXPECT_EQ(Dword(kRoot, L"WidthScale"), 2);
    EXPECT_EQ(Text(kRoot, L"Deg"), L"\u00B0");
    EXPECT_EQ(Text(kRoot, L"SortP0"), L"01");
    EXPECT_EQ(Text(kRoot, L"SortP1"), L"0123456789");
    EXPECT_EQ(Text(kRoot, L"PosD"), L"0.900000");
    EXPECT_EQ(Dword(kRoot, L"CrPlusBack"), 0x5050C8);
    EXPECT_FALSE(RegKeyExists(kRoot + L"\\10"));
    for (int b = 0; b < kBodyCount; ++b) {
        const std::wstring key = BodyKeyPath(b);
        EXPECT_EQ(Dword(key, L"WidthScale"), 2);
        EXPECT_EQ(Dword(key, L"Spacetxt"), 4);
        EXPECT_EQ(Dword(key, L"PosRtxt"), 4);
        EXPECT_EQ(Dword(key, L"PosStxt"), 4);
    }
    EXPECT_EQ(Dword(BodyKeyPath(kSaturn), L"MarginTop"), -9);
    EXPECT_EQ(Dword(BodyKeyPath(kMoon), L"IconMode"), 3);
    EXPECT_EQ(Text(BodyKeyPath(kVenus), L"Icon"), L"\\Program Files\\Velkaro\\velkaro_crossy.png");
    EXPECT_EQ(Text(SlotKeyPath(0), L"Location"), L"Tokyo");
    EXPECT_EQ(Text(SlotKeyPath(0), L"Lat"), L"35.680000");
    EXPECT_EQ(Text(SlotKeyPath(16), L"UtcMargin"), L"5.500000");
    EXPECT_EQ(Text(SlotKeyPath(4), L"UtcMargin"), L"-10.000000");
    EXPECT_EQ(Text(SlotKeyPath(2), L"DST"), L"10/S1 02;04/S1 02");
    EXPECT_EQ(Dword(SlotKeyPath(2), L"ExistDST"), 1);
    EXPECT_EQ(Text(SlotKeyPath(0), L"DST"), L"");
    EXPECT_EQ(s.General.Deg, L"\u00B0");

    // The second start loads what the first wrote, unscaled again.
    SettingsStore again;
    EXPECT_TRUE(LoadOrInitialiseStore(&again, 2));
    EXPECT_EQ(again.General.WidthScale, 2);
    EXPECT_EQ(again.Bodies[kSun].Spacetxt, 4);
    EXPECT_EQ(again.General.SortP0, SortList(L"01"));
}

TEST_F(Store, RoundTripKeepsEveryKindOfValue) {
    SettingsStore s;
    s.General.DSTMark = L"*";
    s.General.AlphaToday = 7;
    s.General.PosD = 0.25;
    s.General.SortP1 = SortList(L"52");
    s.General.TapL = -1;
    s.Bodies[kJupiter].MarginTop = -4;
    s.Bodies[kJupiter].FaceName = L"Tahoma";
    s.Locations[7].Lat = -12.345678;
    s.Locations[7].Location = L"Caf\u00E9";
    s.Locations[7].Valid = 0;
    ASSERT_TRUE(SaveSettingsStore(s));
    SettingsStore r;
    ASSERT_TRUE(LoadSettingsStore(&r));
    EXPECT_EQ(r.General.DSTMark, L"*");
    EXPECT_EQ(r.General.AlphaToday, 7);
    EXPECT_DOUBLE_EQ(r.General.PosD, 0.25);
    EXPECT_EQ(r.General.SortP1.Entries[0], kVenus);
    EXPECT_EQ(r.General.SortP1.Entries[1], kMars);
    EXPECT_EQ(r.General.SortP1.Entries[2], -1);
    EXPECT_EQ(r.General.TapL, -1);
    EXPECT_EQ(r.Bodies[kJupiter].MarginTop, -4);
    EXPECT_EQ(r.Bodies[kJupiter].FaceName, L"Tahoma");
    EXPECT_DOUBLE_EQ(r.Locations[7].Lat, -12.345678);
    EXPECT_EQ(r.Locations[7].Location, L"Caf\u00E9");
    EXPECT_EQ(r.Locations[7].Valid, 0);
    // An invalid slot still carries all nine values.
    EXPECT_EQ(Text(SlotKeyPath(7), L"DST"), L"");  // present, and empty
    EXPECT_EQ(Dword(SlotKeyPath(7), L"UtcGet"), 0);
}

TEST_F(Store, IncompleteStoreKeepsWhatWasReadAndWritesBackOnce) {
    SettingsStore first;
    LoadOrInitialiseStore(&first, 2);
    PutDword(BodyKeyPath(kSun), L"WidthScale", 3);
    PutDword(kRoot, L"TapL", 9);
    ASSERT_TRUE(RegDeleteKeyPath(BodyKeyPath(kJupiter)));

    SettingsStore s;
    EXPECT_FALSE(LoadOrInitialiseStore(&s, 2));
    EXPECT_EQ(s.General.TapL, 7);                  // general settings back to their defaults
    EXPECT_EQ(s.Bodies[kSun].WidthScale, 3);       // read before the gap, not scaled again
    EXPECT_EQ(s.Bodies[kMercury].Spacetxt, 4);     // read, already scaled
    EXPECT_EQ(s.Bodies[kJupiter].Spacetxt, 4);     // default, scaled now
    EXPECT_EQ(Dword(BodyKeyPath(kJupiter), L"Spacetxt"), 4);
    EXPECT_EQ(Dword(kRoot, L"TapL"), 7);

    // Every further incomplete start must not keep doubling the stored sizes.
    ASSERT_TRUE(RegDeleteKeyPath(SlotKeyPath(19)));
    SettingsStore t;
    EXPECT_FALSE(LoadOrInitialiseStore(&t, 2));
    EXPECT_EQ(t.Bodies[kMercury].Spacetxt, 4);
    EXPECT_EQ(t.Bodies[kSun].WidthScale, 3);
}

TEST_F(Store, MalformedValuesReadSafely) {
    SettingsStore s;
    ASSERT_TRUE(SaveSettingsStore(s));
    PutText(kRoot, L"Deg", std::wstring(100, L'x'));
    PutText(kRoot, L"SortP0", L"");
    PutText(kRoot, L"SortP1", L"9a;5-/:2345678901234");
    PutText(kRoot, L"PosD", L"letters");
    PutText(BodyKeyPath(kMoon), L"PosD", L"0.5");
    PutText(BodyKeyPath(kMoon), L"FaceName", std::wstring(300, L'F'));
    RegWriteRaw(kRoot, L"MaxMin", kRegBinary, {1, 2});  // a DWORD of another size is ignored
    RegWriteRaw(kRoot, L"AlphaToday", kRegDword, {0x2C, 0x01, 0, 0});  // 300 keeps its low byte
    PutText(SlotKeyPath(3), L"Lat", L"35.68abc");
    PutText(SlotKeyPath(4), L"Lng", L"nan");
    PutText(SlotKeyPath(5), L"UtcMargin", L"");
    PutText(SlotKeyPath(6), L"Location", std::wstring(5000, L'L'));

    SettingsStore r;
    ASSERT_TRUE(LoadSettingsStore(&r));
    EXPECT_EQ(r.General.Deg.size(), 23u);
    EXPECT_EQ(r.General.SortP0.Count(), 0);
    EXPECT_EQ(r.General.SortP1.Digits(), L"9523456789");
    for (int e : r.General.SortP1.Entries) EXPECT_LE(e, 9);
    EXPECT_EQ(r.General.PosD, 0.0);
    EXPECT_EQ(r.Bodies[kMoon].PosD, 0.5);
    EXPECT_EQ(r.Bodies[kMoon].FaceName.size(), 31u);
    EXPECT_EQ(r.General.MaxMin, 60);
    EXPECT_EQ(r.General.AlphaToday, 44);
    EXPECT_DOUBLE_EQ(r.Locations[3].Lat, 35.68);
    EXPECT_EQ(r.Locations[4].Lng, 0.0);
    EXPECT_EQ(r.Locations[5].UtcMargin, 0.0);
    EXPECT_EQ(r.Locations[6].Location.size(), 259u);
}

// Numbers the options edit in a range are read into that range, whatever
// another program wrote; the rest keep what was stored.
TEST_F(Store, RangedNumbersReadIntoTheRangesTheOptionsOffer) {
    SettingsStore s;
    ASSERT_TRUE(SaveSettingsStore(s));
    PutDword(kRoot, L"AzimuthS", 500);
    PutDword(kRoot, L"AzimuthE", 10);
    PutDword(kRoot, L"EquatorLat", 0xFFFFFFFF);
    PutDword(kRoot, L"ResetTime", 100000);
    PutDword(kRoot, L"TMarginLeft", 0x80000000);
    PutDword(kRoot, L"WidthScale", 0x7FFFFFFF);
    PutDword(kRoot, L"MaxMin", 100000);
    PutDword(BodyKeyPath(kVenus), L"Spacetxt", static_cast<uint32_t>(-5000));
    PutDword(BodyKeyPath(kVenus), L"PosRtxt", 5000);
    PutDword(BodyKeyPath(kVenus), L"TextSizeD", 1000);
    PutDword(BodyKeyPath(kVenus), L"SpaceBottom", static_cast<uint32_t>(-1));
    PutDword(BodyKeyPath(kVenus), L"MarginBottom", static_cast<uint32_t>(-999));
    PutDword(BodyKeyPath(kVenus), L"WidthSL", 999);

    SettingsStore r;
    ASSERT_TRUE(LoadSettingsStore(&r));
    EXPECT_EQ(r.General.AzimuthS, 180);
    EXPECT_EQ(r.General.AzimuthE, 180);
    EXPECT_EQ(r.General.EquatorLat, 0);
    EXPECT_EQ(r.General.ResetTime, 9999);
    EXPECT_EQ(r.General.TMarginLeft, 0);
    EXPECT_EQ(r.General.WidthScale, 999);
    EXPECT_EQ(r.General.MaxMin, 100000);
    const BodyStyle& v = r.Bodies[kVenus];
    EXPECT_EQ(v.Spacetxt, -999);
    EXPECT_EQ(v.PosRtxt, 999);
    EXPECT_EQ(v.TextSizeD, 999);
    EXPECT_EQ(v.SpaceBottom, 0);
    EXPECT_EQ(v.MarginBottom, -999);
    EXPECT_EQ(v.WidthSL, 999);
}

// A value of another type than its setting's reads as a missing one: the
// setting keeps what it held, in the store, the slots and the editor's reload.
TEST_F(Store, ValuesOfAnotherTypeReadAsMissing) {
    SettingsStore s;
    s.Locations[5].Valid = 0;
    ASSERT_TRUE(SaveSettingsStore(s));
    PutText(SlotKeyPath(5), L"Valid", L"1");                      // four bytes, as a DWORD has
    RegWriteRaw(SlotKeyPath(6), L"Altitude", kRegBinary, {7, 0, 0, 0});
    PutDword(SlotKeyPath(7), L"Location", 0x41);
    PutDword(SlotKeyPath(8), L"Lat", 0x31);
    PutText(kRoot, L"Title", L"7");
    PutText(kRoot, L"TapL", L"3");
    PutDword(kRoot, L"Deg", 0x2A);
    RegWriteRaw(kRoot, L"SortP0", kRegBinary, {'5', 0, 0, 0});
    PutText(BodyKeyPath(kMoon), L"CrText", L"12");

    LocationTable table = CityTable();
    table[5].Valid = 0;
    ASSERT_TRUE(LoadLocationSlots(&table));
    EXPECT_EQ(table[5].Valid, 0);
    SettingsStore r;
    r.Locations[5].Valid = 0;
    ASSERT_TRUE(LoadSettingsStore(&r));
    EXPECT_EQ(r.Locations[5].Valid, 0);
    EXPECT_EQ(r.Locations[6].Altitude, CityTable()[6].Altitude);
    EXPECT_EQ(r.Locations[7].Location, CityTable()[7].Location);
    EXPECT_DOUBLE_EQ(r.Locations[8].Lat, CityTable()[8].Lat);
    EXPECT_EQ(r.General.Title, 3);
    EXPECT_EQ(r.General.TapL, 7);
    EXPECT_EQ(r.General.Deg, L"0");
    EXPECT_EQ(r.General.SortP0, SortList(L"01"));
    EXPECT_EQ(r.Bodies[kMoon].CrText, 0xFFFFFFu);

    SettingsStore live;
    EXPECT_TRUE(ReloadEditorSettings(&live));
    EXPECT_EQ(live.General.Title, 3);
}

// Numbers in the registry are C-locale text, read the way the wide-string
// conversion reads them.
TEST(Numbers, LeadingNumberOfAText) {
    EXPECT_DOUBLE_EQ(ParseLeadingDouble(L" \t\n\v\f\r-12.5e1x"), -125.0);
    EXPECT_DOUBLE_EQ(ParseLeadingDouble(L"+.5"), 0.5);
    EXPECT_DOUBLE_EQ(ParseLeadingDouble(L"35,68"), 35.0);  // a comma ends the number
    for (const wchar_t* none : {L"", L"  ", L"-", L".", L"e5", L"inf", L"nan", L"0x1A", L"1e999", L"--1"})
        EXPECT_EQ(ParseLeadingDouble(none), 0.0) << std::wstring(none).size();
    EXPECT_EQ(FormatFixed6(35.68), L"35.680000");
    EXPECT_EQ(FormatFixed6(-10), L"-10.000000");
    EXPECT_EQ(FormatFixed6(1e300).size(), 301u + 7u);
    EXPECT_EQ(FormatFixed6(std::nan("")), L"0.000000");
    EXPECT_EQ(FormatFixed(2.25, 1), L"2.2");  // as "%.1f" rounds the binary value
}

TEST_F(Store, MissingSlotStopsTheLoadThere) {
    SettingsStore s;
    for (auto& slot : s.Locations) slot.Location = L"Stored";
    ASSERT_TRUE(SaveSettingsStore(s));
    ASSERT_TRUE(RegDeleteKeyPath(SlotKeyPath(5)));
    LocationTable table = CityTable();
    EXPECT_FALSE(LoadLocationSlots(&table));
    EXPECT_EQ(table[4].Location, L"Stored");
    EXPECT_EQ(table[5].Location, L"Vancouver");
    EXPECT_EQ(table[19].Location, L"Hong Kong");
}

TEST_F(Store, SlotWithOnlySomeValuesKeepsTheRest) {
    SettingsStore s;
    ASSERT_TRUE(SaveSettingsStore(s));
    RegDeleteKeyPath(SlotKeyPath(3));
    PutText(SlotKeyPath(3), L"Location", L"Bay of Islands");
    RegDeleteKeyPath(SlotKeyPath(9));
    PutDword(SlotKeyPath(9), L"Valid", 0);
    SettingsStore r;
    ASSERT_TRUE(LoadSettingsStore(&r));
    EXPECT_EQ(r.Locations[3].Location, L"Bay of Islands");
    EXPECT_DOUBLE_EQ(r.Locations[3].Lat, -36.85);
    EXPECT_EQ(r.Locations[3].DST, L"09/Se 02;04/S1 02");
    EXPECT_EQ(r.Locations[9].Valid, 0);
    EXPECT_EQ(r.Locations[9].Location, L"Sao Paulo");
}

TEST_F(Store, ResetRemovesEverythingAndEditorReloadReadsOnlyThree) {
    SettingsStore s;
    ASSERT_TRUE(SaveSettingsStore(s));
    PutText(kRoot, L"HWND", L"1a2b");
    PutText(kRoot, L"Unrelated", L"x");
    PutDword(BodyKeyPath(3) + L"\\Child", L"x", 1);  // a subkey we do not own blocks the last step
    EXPECT_FALSE(ResetSettingsStore());
    RegKey k;
    ASSERT_TRUE(RegOpen(kRoot, &k));
    EXPECT_FALSE(RegValueExists(k, L"AltMode"));
    EXPECT_FALSE(RegValueExists(k, L"HWND"));
    EXPECT_TRUE(RegValueExists(k, L"Unrelated"));
    RegClose(k);
    RegDeleteKeyPath(BodyKeyPath(3) + L"\\Child");
    EXPECT_TRUE(ResetSettingsStore());
    EXPECT_FALSE(RegKeyExists(kRoot));
    EXPECT_FALSE(RegKeyExists(BodyKeyPath(0)));
    EXPECT_FALSE(RegKeyExists(SlotKeyPath(0)));

    SettingsStore live;
    EXPECT_FALSE(ReloadEditorSettings(&live));
    ASSERT_TRUE(SaveSettingsStore(live));
    PutDword(kRoot, L"Title", 1);
    PutDword(kRoot, L"MenuTime", 0);
    PutDword(kRoot, L"TapL", 3);
    EXPECT_TRUE(ReloadEditorSettings(&live));
    EXPECT_EQ(live.General.Title, 1);
    EXPECT_EQ(live.General.MenuTime, 0);
    EXPECT_EQ(live.General.TapL, 7);
}
