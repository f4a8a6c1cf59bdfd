// Display settings: the general block, the ten body styles and the location
// slots, with their registry form.
#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "engine/series.h"
#include "settings/location.h"

namespace velkaro {

// The range a stored number is read into: the one the options offer for it,
// so that no stored size can make a huge surface or overflow a sum.
struct SettingRange {
    int32_t Lo, Hi;
};
constexpr SettingRange kPixelRange{0, 999};      // sizes, spaces, margins and widths
constexpr SettingRange kOffsetRange{-999, 999};  // image margins and text offsets, which may be negative
constexpr SettingRange kResetTimeRange{0, 9999};
constexpr SettingRange kAzimuthStartRange{0, 180};
constexpr SettingRange kAzimuthEndRange{180, 360};
constexpr SettingRange kEquatorLatRange{0, 90};

// At most ten body numbers, ended by -1.
struct SortList {
    std::array<int, 11> Entries{};
    SortList() { Entries.fill(-1); }
    explicit SortList(const std::wstring& digits);
    std::wstring Digits() const;
    int Count() const;
    bool operator==(const SortList& o) const { return Entries == o.Entries; }
};

struct GeneralSettings {
    int32_t Start = 1;
    int32_t DST = 1;
    std::wstring DSTMark = L"+";
    int32_t InfoStart = 1;
    int32_t MenuTime = 1;
    std::wstring Deg = L"0";
    int32_t TransToday = 1;
    uint8_t AlphaToday = 192;
    uint32_t CrBack = 0xFFFFFF;
    int32_t MaxMin = 60;
    int32_t BaseAngle = 3;
    int32_t MarginTop = 1;
    int32_t MarginBottom = 0;
    int32_t MarginLeft = 0;
    int32_t MarginRight = 0;
    int32_t Title = 3;
    int32_t Clock = 6;
    int32_t TMarginTop = 1;
    int32_t TMarginBottom = 1;
    int32_t TMarginLeft = 3;
    int32_t TMarginRight = 3;
    std::wstring FaceName;
    int32_t CharSet = 0;
    int32_t TextSize = 13;
    uint32_t CrTitle = 0xFFD2BE;
    uint32_t CrClock = 0xFFD2BE;
    uint32_t CrTitleBack = 0x000000;
    int32_t Exec = 0;
    std::wstring ExecPath = L"\\Program Files\\Velkaro\\Sitarel.exe";
    uint8_t AlphaEarthShine = 64;
    int32_t Tap = 1;
    uint32_t CrScale = 0x4A2418;
    int32_t WidthScale = 1;
    int32_t AzimuthS = 60;
    int32_t AzimuthE = 300;
    int32_t SouthAzimuth = 1;
    int32_t EquatorAzimuth = 1;
    int32_t EquatorLat = 5;
    int32_t EquatorMeter = 1;
    uint32_t CrGradE = 0xFD8943;
    uint32_t CrGradD = 0x4A2418;
    uint32_t CrGradW = 0xFD8943;
    double PosD = 0.9;
    SortList SortP0{L"01"};
    SortList SortP1{L"0123456789"};
    int32_t AltMode = 0;
    uint32_t CrPlusText = 0x000000;
    uint32_t CrPlusBack = 0x5050C8;
    int32_t ResetTime = 20;
    int32_t TapL = 7;
    int32_t TapM = 1;
    int32_t TapR = 11;
    int32_t HoldL = 4;
    int32_t HoldM = 14;
    int32_t HoldR = 5;
};

struct BodyStyle {
    int32_t IconMode = 2;
    std::wstring Icon;
    uint32_t CrText = 0xFFFFFF;
    uint32_t CrTextR = 0xC0C0FF;
    uint32_t CrTextS = 0xFFC0C0;
    uint32_t CrTextD = 0xC3F4FF;
    uint32_t CrBack = 0x000000;
    uint32_t CrGradE = 0xFD8943;
    uint32_t CrGradD = 0x4A2418;
    uint32_t CrGradW = 0xFD8943;
    double PosD = 0.8;
    uint32_t CrScale = 0x4A2418;
    int32_t WidthScale = 1;
    uint8_t AlphaS = 160;
    int32_t Text = 15;
    int32_t TextR = 0;
    int32_t TextS = 0;
    int32_t TextD = 0;
    int32_t TextRS = 4;
    std::wstring FaceName;
    int32_t CharSet = 0;
    int32_t TextSize = 13;
    std::wstring FaceNameR;
    int32_t CharSetR = 0;
    int32_t TextSizeR = 12;
    int32_t TextSizeS = 12;
    int32_t TextSizeD = 12;
    int32_t SpaceTop = 0;
    int32_t SpaceBottom = 1;
    int32_t Margintxt = 0;
    int32_t MarginRStxt = 1;
    int32_t MarginTop = 0;
    int32_t MarginBottom = 0;
    int32_t WidthSL = 48;
    int32_t WidthSR = 0;
    int32_t Spacetxt = 2;
    int32_t PosRtxt = 2;
    int32_t PosStxt = 2;

    std::wstring Name;  // display name; memory only, never stored
};

BodyStyle DefaultBodyStyle(int body);

struct SettingsStore {
    GeneralSettings General;
    std::array<BodyStyle, kBodyCount> Bodies;
    LocationTable Locations;
    SettingsStore();
};

// Which of the pixel sizes scaled on a first start were read from the registry.
struct StoreLoadReport {
    std::array<bool, kBodyCount> BodyRead{};
    std::array<std::array<bool, 4>, kBodyCount> ScaledRead{};  // WidthScale, Spacetxt, PosRtxt, PosStxt
};

std::wstring BodyKeyPath(int body);  // "\Software\quorrin\Velkaro\3"

bool LoadSettingsStore(SettingsStore* store, StoreLoadReport* report = nullptr);
bool SaveSettingsStore(const SettingsStore& store);
bool ResetSettingsStore();
bool ReloadEditorSettings(SettingsStore* store);

extern const wchar_t kDegreeSign[];  // L"\u00B0"
// "Deg" of "0" stands for the degree sign.
void ResolveDegreeMark(GeneralSettings* general);

// The item's start: load; on failure restore the general defaults, scale the
// built-in pixel sizes by hiResFactor, set the degree sign and write the whole
// store. Returns whether the load succeeded.
bool LoadOrInitialiseStore(SettingsStore* store, int hiResFactor);

}  // namespace velkaro
