// Display settings: the general block, the ten body styles and the location
// slots, with their registry form.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <variant>

#include "engine/series.h"
#include "settings/location.h"

namespace velkaro {

// The title band's parts ("Title"), bits.
enum TitlePart { kTitleName = 1, kTitleLatLng = 2, kTitleHeight = 4 };
// The title clock ("Clock"): a mode in the low bits, plus the UTC offset bit.
enum ClockPart { kClockNone = 0, kClockUtc = 1, kClockPlace = 2, kClockModeMask = 3, kClockOffset = 4 };
// A body's main line parts ("Text"), bits.
enum MainLinePart { kTextName = 1, kTextAzimuth = 2, kTextAltitude = 4, kTextNext = 8 };
// A body's event line parts ("TextR", "TextS", "TextD"), bits.
enum EventLinePart { kEventTime = 1, kEventRemaining = 2, kEventDirection = 4, kEventVertical = 8 };

// Defaults that the editor's "Reg" menu writes back as well.
constexpr int32_t kDefaultMenuTime = 1;
constexpr int32_t kDefaultTitle = kTitleName | kTitleLatLng;
constexpr int32_t kDefaultClock = kClockPlace | kClockOffset;

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
constexpr SettingRange kWeightRange{0, 255};  // blend weights, stored in a byte

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
    int32_t Start = 1;  // the item starts in the azimuth meters; "Azi" page
    int32_t DST = 1;  // apply the places' daylight-saving rules; "Base" page
    std::wstring DSTMark = L"+";  // mark after a time in daylight-saving time ("+"); "Base" page
    int32_t InfoStart = 1;  // info lines shown at start and after the reset countdown; "Base" page
    int32_t MenuTime = kDefaultMenuTime;  // the place menu shows each place's present time; "Base" page ("WorldClock")
    std::wstring Deg = L"0";  // mark after angles; "0" stands for the degree sign; "Base" page
    int32_t TransToday = 1;  // the background is blended over the Today screen; "Back" page
    uint8_t AlphaToday = 192;  // blend weight of that background, 0 to 255; "Back" page
    uint32_t CrBack = 0xFFFFFF;  // item background colour (0x00BBGGRR); "Back" page
    int32_t MaxMin = 60;  // remaining times up to this many minutes read in minutes, beyond in hours; registry only
    int32_t BaseAngle = 3;  // azimuth labels: 0 degrees, 1 from south, 2 from east or west, 3 N.E.W.S.; "Base"
    int32_t MarginTop = 1;  // item margin above, pixels; "Base" page
    int32_t MarginBottom = 0;  // item margin below, pixels; "Base" page
    int32_t MarginLeft = 0;  // item margin left, pixels; "Base" page
    int32_t MarginRight = 0;  // item margin right, pixels; "Base" page
    int32_t Title = kDefaultTitle;  // title band parts, TitlePart bits; "Info" page
    int32_t Clock = kDefaultClock;  // title clock, ClockPart: none, UTC or the place's, plus the offset; "Info" page
    int32_t TMarginTop = 1;  // title text margin above, pixels; "Info" page
    int32_t TMarginBottom = 1;  // title text margin below, pixels; "Info" page
    int32_t TMarginLeft = 3;  // title text margin left, pixels; "Info" page
    int32_t TMarginRight = 3;  // title text margin right, pixels; "Info" page
    std::wstring FaceName;  // title font family, empty until one is chosen; "Info" page
    int32_t CharSet = 0;  // character set of the title font; "Info" page
    int32_t TextSize = 13;  // title font height, pixels; "Info" page
    uint32_t CrTitle = 0xFFD2BE;  // title text colour (the place's name and coordinates); "Info" page
    uint32_t CrClock = 0xFFD2BE;  // title clock colour; "Info" page
    uint32_t CrTitleBack = 0x000000;  // title band background colour; "Info" page
    int32_t Exec = 0;  // kept in the store; nothing reads it
    std::wstring ExecPath = L"\\Program Files\\Velkaro\\Sitarel.exe";  // started by the "edit" action; registry only
    uint8_t AlphaEarthShine = 64;  // weight of the earthshine on the Moon's picture, 0 to 255; "Base" page
    int32_t Tap = 1;  // taps run actions (holds always do); "Tap" page
    uint32_t CrScale = 0x4A2418;  // azimuth band separator colour; "Azi" page
    int32_t WidthScale = 1;  // azimuth band separator width, pixels; "Azi" page
    int32_t AzimuthS = 60;  // azimuth band start, degrees 0 to 180; "Azi" page
    int32_t AzimuthE = 300;  // azimuth band end, degrees 180 to 360; "Azi" page
    int32_t SouthAzimuth = 1;  // the azimuth band turns round in the southern hemisphere; "Azi" page
    int32_t EquatorAzimuth = 1;  // automatic azimuth band near the equator; "Azi" page
    int32_t EquatorLat = 5;  // latitude up to which a place counts as near the equator, degrees; "Azi" page
    int32_t EquatorMeter = 1;  // near the equator the time meters replace the azimuth meters; "Azi" page
    uint32_t CrGradE = 0xFD8943;  // azimuth band gradient, east end; "Azi" page
    uint32_t CrGradD = 0x4A2418;  // azimuth band gradient, middle; "Azi" page
    uint32_t CrGradW = 0xFD8943;  // azimuth band gradient, west end; "Azi" page
    double PosD = 0.9;  // width of the azimuth band's gradient, fraction of the inner width; registry only
    SortList SortP0{L"01"};  // body list of the first sort page, in display order; "Sort" page
    SortList SortP1{L"0123456789"};  // body list of the second sort page; "Sort2" page
    int32_t AltMode = 0;  // the place's height enters the event search; "Pos" page ("Valid Altitude")
    uint32_t CrPlusText = 0x000000;  // title clock text colour while the time is shifted; "Info" page
    uint32_t CrPlusBack = 0x5050C8;  // title clock background while the time is shifted; "Info" page
    int32_t ResetTime = 20;  // seconds until a shift, place change or info toggle returns to the present; "Base" page
    int32_t TapL = 7;  // action of a tap on the left third (-1 none); "Tap" page
    int32_t TapM = 1;  // action of a tap on the middle third; "Tap" page
    int32_t TapR = 11;  // action of a tap on the right third; "Tap" page
    int32_t HoldL = 4;  // action of a hold on the left third; "Tap" page
    int32_t HoldM = 14;  // action of a hold on the middle third; "Tap" page
    int32_t HoldR = 5;  // action of a hold on the right third; "Tap" page
};

struct BodyStyle {
    int32_t IconMode = 2;  // 0 draws no picture for the body; the body's page writes 0 or 1
    std::wstring Icon;  // picture file (PNG or BMP, with an optional .msk mask); the body's page
    uint32_t CrText = 0xFFFFFF;  // main line colour; the body's page
    uint32_t CrTextR = 0xC0C0FF;  // rise line colour; the body's page
    uint32_t CrTextS = 0xFFC0C0;  // set line colour; the body's page
    uint32_t CrTextD = 0xC3F4FF;  // culmination line colour; the body's page
    uint32_t CrBack = 0x000000;  // background of the body's row; "Back" page
    uint32_t CrGradE = 0xFD8943;  // time meter gradient, rise side; "Back" page
    uint32_t CrGradD = 0x4A2418;  // time meter gradient, middle; "Back" page
    uint32_t CrGradW = 0xFD8943;  // time meter gradient, set side; "Back" page
    double PosD = 0.8;  // width of the time meter's ramps, fraction of the meter; registry only
    uint32_t CrScale = 0x4A2418;  // culmination mark colour; "Back" page sets it to CrGradD
    int32_t WidthScale = 1;  // culmination mark width, pixels; registry only
    uint8_t AlphaS = 160;  // weight of the picture while the body is down, 0 to 255; "Back" page ("Set")
    int32_t Text = 15;  // main line parts, MainLinePart bits (the Moon's name is its age); body page
    int32_t TextR = 0;  // rise line parts (0: none), EventLinePart bits; body page
    int32_t TextS = 0;  // set line parts, as TextR; the body's page
    int32_t TextD = 0;  // culmination line parts, as TextR; the body's page
    int32_t TextRS = 4;  // event lines: 0 horizontal, 1 vertical, 2 fix left, 3 fix right, 4 next; body page
    std::wstring FaceName;  // main line font family; the body's page
    int32_t CharSet = 0;  // character set of the main line font; the body's page
    int32_t TextSize = 13;  // main line font height, pixels; the body's page
    std::wstring FaceNameR;  // event line font family; the body's page
    int32_t CharSetR = 0;  // character set of the event line font; the body's page
    int32_t TextSizeR = 12;  // rise line font height, pixels; the body's page
    int32_t TextSizeS = 12;  // set line font height, pixels; registry only
    int32_t TextSizeD = 12;  // culmination line font height, pixels; registry only
    int32_t SpaceTop = 0;  // space above the body's row, pixels; "Base" page (all bodies at once)
    int32_t SpaceBottom = 1;  // space below the body's row, pixels; "Base" page (all bodies at once)
    int32_t Margintxt = 0;  // main line margin, pixels; the body's page
    int32_t MarginRStxt = 1;  // event line margin, pixels; the body's page
    int32_t MarginTop = 0;  // space above the picture inside the row, pixels, may be negative; the body's page
    int32_t MarginBottom = 0;  // space below the picture inside the row, pixels, may be negative; the body's page
    int32_t WidthSL = 48;  // night track width left of the meter, pixels; the body's page
    int32_t WidthSR = 0;  // night track width right of the meter, pixels; the body's page
    int32_t Spacetxt = 2;  // spacing of the main line, pixels, may be negative; the body's page
    int32_t PosRtxt = 2;  // position offset of the rise line, pixels; registry only
    int32_t PosStxt = 2;  // position offset of the set line, pixels; registry only

    std::wstring Name;  // display name; memory only, never stored
};

constexpr size_t kBodyNameWidth = 260;  // Name's width, terminator included

BodyStyle DefaultBodyStyle(int body);

// One field of the general block or of a body's style, by member.
using SettingField = std::variant<std::monostate, int32_t GeneralSettings::*, uint8_t GeneralSettings::*,
                                  uint32_t GeneralSettings::*, std::wstring GeneralSettings::*, int32_t BodyStyle::*,
                                  uint8_t BodyStyle::*, uint32_t BodyStyle::*, std::wstring BodyStyle::*>;
// The width the store keeps a text to, terminator included (a body's Name,
// never stored, has kBodyNameWidth); 0 for anything else.
size_t StoredWidth(const SettingField& field);
// The range the store reads a number into (a byte's is kWeightRange); false
// when it reads the field whole.
bool StoredRange(const SettingField& field, SettingRange* range);

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
