// The settings store against Wine's real registry.
#include <windows.h>

#include <gtest/gtest.h>

#include <clocale>
#include <cwchar>

#include "today/now.h"
#include "settings/store.h"

using namespace velkaro;

namespace {

const wchar_t* const kPath = kSettingsKey + 1;  // Win32 wants no leading backslash

void Wipe() { RegDeleteTreeW(HKEY_CURRENT_USER, kPath); }

struct Raw {
    DWORD type = 0;
    std::vector<BYTE> bytes;
    bool found = false;
};

Raw Get(const std::wstring& sub, const wchar_t* name) {
    Raw r;
    HKEY k;
    std::wstring path = std::wstring(kPath) + sub;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &k) != ERROR_SUCCESS) return r;
    DWORD size = 0;
    if (RegQueryValueExW(k, name, nullptr, &r.type, nullptr, &size) == ERROR_SUCCESS) {
        r.bytes.resize(size);
        r.found = RegQueryValueExW(k, name, nullptr, &r.type, r.bytes.data(), &size) == ERROR_SUCCESS;
    }
    RegCloseKey(k);
    return r;
}

std::wstring Sz(const std::wstring& sub, const wchar_t* name) {
    Raw r = Get(sub, name);
    if (!r.found || r.type != REG_SZ) return L"<not REG_SZ>";
    // The stored size counts the terminator: (characters + 1) * 2 bytes.
    std::wstring s(reinterpret_cast<const wchar_t*>(r.bytes.data()), r.bytes.size() / 2);
    EXPECT_FALSE(s.empty());
    EXPECT_EQ(s.back(), L'\0') << "value " << r.bytes.size() << " bytes";
    if (!s.empty()) s.pop_back();
    return s;
}

long long Dw(const std::wstring& sub, const wchar_t* name) {
    Raw r = Get(sub, name);
    if (!r.found || r.type != REG_DWORD || r.bytes.size() != 4) return -999999;
    return static_cast<int32_t>(*reinterpret_cast<const DWORD*>(r.bytes.data()));
}

class RealRegistry : public ::testing::Test {
protected:
    void SetUp() override { Wipe(); }
    void TearDown() override { Wipe(); }
};

}  // namespace

TEST_F(RealRegistry, FreshRegistryGetsTheFirstRunStore) {
    SettingsStore s;
    EXPECT_FALSE(LoadOrInitialiseStore(&s, 2));
    EXPECT_EQ(Sz(L"\\Pos00", L"Lat"), L"35.680000");
    EXPECT_EQ(Sz(L"\\Pos00", L"Location"), L"Tokyo");
    EXPECT_EQ(Sz(L"\\Pos16", L"UtcMargin"), L"5.500000");
    EXPECT_EQ(Sz(L"\\Pos08", L"DST"), L"03/S2 02;11/S1 01");
    EXPECT_EQ(Sz(L"\\Pos00", L"DST"), L"");
    EXPECT_EQ(Dw(L"\\Pos19", L"Valid"), 1);
    EXPECT_EQ(Dw(L"\\Pos19", L"UtcGet"), 0);
    EXPECT_EQ(Sz(L"", L"Deg"), L"\u00B0");
    EXPECT_EQ(Sz(L"", L"SortP0"), L"01");
    EXPECT_EQ(Sz(L"", L"ExecPath"), L"\\Program Files\\Velkaro\\Sitarel.exe");
    EXPECT_EQ(Dw(L"", L"WidthScale"), 2);
    EXPECT_EQ(Dw(L"", L"CrTitle"), 0xFFD2BE);
    for (int b = 0; b < kBodyCount; ++b) {
        wchar_t sub[8];
        swprintf(sub, 8, L"\\%d", b);
        EXPECT_EQ(Dw(sub, L"WidthScale"), 2);
        EXPECT_EQ(Dw(sub, L"Spacetxt"), 4);
        EXPECT_EQ(Dw(sub, L"PosRtxt"), 4);
        EXPECT_EQ(Dw(sub, L"PosStxt"), 4);
        EXPECT_EQ(Sz(sub, L"PosD"), L"0.800000");
    }
    EXPECT_EQ(Dw(L"\\6", L"MarginBottom"), -9);
    EXPECT_FALSE(Get(L"", L"HWND").found);

    SettingsStore again;
    EXPECT_TRUE(LoadOrInitialiseStore(&again, 2));
    EXPECT_EQ(again.General.Deg, L"\u00B0");
    EXPECT_EQ(again.Locations[16].UtcMargin, 5.5);
}

TEST_F(RealRegistry, StoreWithoutBodyFourIsWrittenAgain) {
    SettingsStore s;
    LoadOrInitialiseStore(&s, 2);
    std::wstring four = std::wstring(kPath) + L"\\4";
    ASSERT_EQ(RegDeleteTreeW(HKEY_CURRENT_USER, four.c_str()), ERROR_SUCCESS);
    HKEY k;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, kPath, 0, KEY_ALL_ACCESS, &k), ERROR_SUCCESS);
    DWORD tap = 2;
    RegSetValueExW(k, L"TapR", 0, REG_DWORD, reinterpret_cast<BYTE*>(&tap), 4);
    RegCloseKey(k);

    SettingsStore r;
    EXPECT_FALSE(LoadOrInitialiseStore(&r, 2));
    EXPECT_EQ(r.General.TapR, 11);
    EXPECT_EQ(Dw(L"", L"TapR"), 11);
    EXPECT_EQ(Dw(L"\\4", L"Spacetxt"), 4);
    EXPECT_EQ(Dw(L"\\3", L"Spacetxt"), 4);
    SettingsStore again;
    EXPECT_TRUE(LoadOrInitialiseStore(&again, 2));
}

TEST_F(RealRegistry, SlotHoldingOnlyValidZero) {
    SettingsStore s;
    LoadOrInitialiseStore(&s, 2);
    std::wstring slot = std::wstring(kPath) + L"\\Pos05";
    RegDeleteTreeW(HKEY_CURRENT_USER, slot.c_str());
    HKEY k;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, slot.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                              &k, nullptr),
              ERROR_SUCCESS);
    DWORD zero = 0;
    RegSetValueExW(k, L"Valid", 0, REG_DWORD, reinterpret_cast<BYTE*>(&zero), 4);
    RegCloseKey(k);

    SettingsStore r;
    EXPECT_TRUE(LoadOrInitialiseStore(&r, 2));
    EXPECT_EQ(r.Locations[5].Valid, 0);
    EXPECT_EQ(r.Locations[5].Location, L"Vancouver");
    EXPECT_DOUBLE_EQ(r.Locations[5].Lat, 49.27);
    for (const MenuEntry& e : BuildLocationMenu(r.Locations, 0, false, true, ReadClock()))
        EXPECT_NE(e.Command, 40025);
    EXPECT_EQ(StepLocation(&r.Locations, 4, +1), 6);
    EXPECT_EQ(StepLocation(&r.Locations, 6, -1), 4);
}

TEST_F(RealRegistry, LongTextAndOddSizedDwordsNeverOverrun) {
    SettingsStore s;
    LoadOrInitialiseStore(&s, 2);
    HKEY k;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, kPath, 0, KEY_ALL_ACCESS, &k), ERROR_SUCCESS);
    std::wstring longDeg(1000, L'd');
    RegSetValueExW(k, L"Deg", 0, REG_SZ, reinterpret_cast<const BYTE*>(longDeg.c_str()),
                   static_cast<DWORD>((longDeg.size() + 1) * 2));
    BYTE eight[8] = {5, 0, 0, 0, 0, 0, 0, 0};
    RegSetValueExW(k, L"ResetTime", 0, REG_BINARY, eight, 8);
    // Text stored without its terminator.
    const wchar_t mark[3] = {L'#', L'#', L'#'};
    RegSetValueExW(k, L"DSTMark", 0, REG_SZ, reinterpret_cast<const BYTE*>(mark), 6);
    RegCloseKey(k);
    SettingsStore r;
    EXPECT_TRUE(LoadOrInitialiseStore(&r, 2));
    EXPECT_EQ(r.General.Deg, std::wstring(23, L'd'));
    EXPECT_EQ(r.General.ResetTime, 20);
    EXPECT_EQ(r.General.DSTMark, L"###");
}

// "1" written as text where a DWORD belongs is four bytes, as a DWORD is:
// it reads as missing, not as 49. Likewise a DWORD where text belongs.
TEST_F(RealRegistry, ValuesOfAnotherTypeReadAsMissing) {
    SettingsStore s;
    s.Locations[5].Valid = 0;
    ASSERT_TRUE(SaveSettingsStore(s));
    HKEY k;
    const std::wstring slot = std::wstring(kPath) + L"\\Pos05";
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, slot.c_str(), 0, KEY_ALL_ACCESS, &k), ERROR_SUCCESS);
    RegSetValueExW(k, L"Valid", 0, REG_SZ, reinterpret_cast<const BYTE*>(L"1"), 4);
    const BYTE seven[4] = {7, 0, 0, 0};
    RegSetValueExW(k, L"Altitude", 0, REG_BINARY, seven, 4);
    DWORD letter = 0x41;
    RegSetValueExW(k, L"Location", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&letter), 4);
    RegCloseKey(k);

    SettingsStore r;
    r.Locations[5].Valid = 0;
    ASSERT_TRUE(LoadSettingsStore(&r));
    EXPECT_EQ(r.Locations[5].Valid, 0);
    EXPECT_EQ(r.Locations[5].Altitude, 0);
    EXPECT_EQ(r.Locations[5].Location, L"Vancouver");
}

// A host that sets a comma locale changes nothing in what the store writes and reads.
TEST_F(RealRegistry, NumbersIgnoreTheProcessLocale) {
    ASSERT_NE(_wsetlocale(LC_ALL, L"German_Germany.1252"), nullptr);
    wchar_t probe[32];
    swprintf(probe, 32, L"%.1f", 1.5);
    ASSERT_EQ(std::wstring(probe), L"1,5");  // the locale is in effect
    SettingsStore s;
    s.Bodies[kMoon].PosD = 0.25;
    const bool saved = SaveSettingsStore(s);
    SettingsStore r;
    const bool loaded = LoadSettingsStore(&r);
    _wsetlocale(LC_ALL, L"C");
    ASSERT_TRUE(saved);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(Sz(L"\\Pos00", L"Lat"), L"35.680000");
    EXPECT_EQ(Sz(L"\\1", L"PosD"), L"0.250000");
    EXPECT_DOUBLE_EQ(r.Locations[0].Lat, 35.68);
    EXPECT_DOUBLE_EQ(r.Locations[16].UtcMargin, 5.5);
    EXPECT_DOUBLE_EQ(r.Bodies[kMoon].PosD, 0.25);
}
