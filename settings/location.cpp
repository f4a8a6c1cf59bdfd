#include "settings/location.h"

#include <cctype>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cwchar>

#include "engine/calendar.h"

namespace velkaro {

namespace {

// White space as the wide-string conversion skips it in the C locale.
bool IsBlank(wchar_t c) { return c == L' ' || (c >= L'\t' && c <= L'\r'); }

}  // namespace

double ParseLeadingDouble(const std::wstring& text) {
    size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) negative = text[i++] == L'-';
    // Only plain decimal numbers: "inf", "nan" and hexadecimal forms are not
    // coordinates. The text is read in the C locale whatever the process's is.
    std::string digits;
    for (; i < text.size() && digits.size() < 400; ++i) {
        const wchar_t c = text[i];
        if (!((c >= L'0' && c <= L'9') || c == L'.' || c == L'e' || c == L'E' || c == L'+' || c == L'-')) break;
        digits.push_back(static_cast<char>(c));
    }
    if (digits.empty() || !(std::isdigit(static_cast<unsigned char>(digits[0])) ||
                            (digits[0] == '.' && digits.size() > 1 && std::isdigit(static_cast<unsigned char>(digits[1])))))
        return 0;
    double v = 0;
#ifdef __EMSCRIPTEN__
    // The page's C++ library has no floating-point from_chars; its strtod is
    // the C locale's, correctly rounded, and sees only the characters above.
    errno = 0;
    v = std::strtod(digits.c_str(), nullptr);
    if (errno == ERANGE || !std::isfinite(v)) return 0;
#else
    const auto r = std::from_chars(digits.data(), digits.data() + digits.size(), v, std::chars_format::general);
    // Out of range reads as 0, as a number that is no coordinate.
    if (r.ec != std::errc() || !std::isfinite(v)) return 0;
#endif
    return negative ? -v : v;
}

std::wstring FormatFixed(double v, int decimals) {
    char buf[400];
    if (!std::isfinite(v)) v = 0;
#ifdef __EMSCRIPTEN__
    // Nothing on the page calls setlocale: printf writes "." here.
    const int n = std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
    return std::wstring(buf, n > 0 && n < static_cast<int>(sizeof buf) ? buf + n : buf);
#else
    const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, decimals);
    return std::wstring(buf, r.ec == std::errc() ? r.ptr : buf);
#endif
}

std::wstring FormatFixed6(double v) { return FormatFixed(v, 6); }

std::wstring FormatUtcOffset(double hours) {
    if (!std::isfinite(hours)) hours = 0;
    const double tenths = hours * 10;
    const bool oneDecimal = std::fabs(tenths - std::round(tenths)) < 1e-6;
    return FormatFixed(hours, oneDecimal ? 1 : 2);
}

std::wstring SlotKeyPath(int slot) {
    wchar_t buf[16];
    std::swprintf(buf, 16, L"\\Pos%02d", slot);
    return std::wstring(kSettingsKey) + buf;
}

namespace {

void ReadInt(RegKey key, const wchar_t* name, int32_t* field) {
    uint32_t v;
    if (RegReadDword(key, name, &v)) *field = static_cast<int32_t>(v);
}

void ReadDouble(RegKey key, const wchar_t* name, double* field) {
    std::wstring text;
    if (RegReadText(key, name, &text, 260)) *field = ParseLeadingDouble(text);
}

}  // namespace

void ReadLocationRecord(RegKey key, LocationRecord* r) {
    ReadInt(key, L"Valid", &r->Valid);
    RegReadText(key, L"Location", &r->Location, kLocationNameWidth);
    ReadDouble(key, L"Lat", &r->Lat);
    ReadDouble(key, L"Lng", &r->Lng);
    ReadInt(key, L"Altitude", &r->Altitude);
    ReadInt(key, L"UtcGet", &r->UtcGet);
    ReadDouble(key, L"UtcMargin", &r->UtcMargin);
    ReadInt(key, L"ExistDST", &r->ExistDST);
    RegReadText(key, L"DST", &r->DST, kDstRuleWidth);
}

void WriteLocationRecord(RegKey key, const LocationRecord& r) {
    // "Valid" goes to 0 first and takes its value last, so that a write cut
    // short (the program killed, the device switched off) leaves no slot
    // that reads as a place half old and half new.
    RegWriteDword(key, L"Valid", 0);
    RegWriteText(key, L"Location", r.Location.substr(0, kLocationNameWidth - 1));
    RegWriteText(key, L"Lat", FormatFixed6(r.Lat));
    RegWriteText(key, L"Lng", FormatFixed6(r.Lng));
    RegWriteDword(key, L"Altitude", static_cast<uint32_t>(r.Altitude));
    RegWriteDword(key, L"UtcGet", static_cast<uint32_t>(r.UtcGet));
    RegWriteText(key, L"UtcMargin", FormatFixed6(r.UtcMargin));
    RegWriteDword(key, L"ExistDST", static_cast<uint32_t>(r.ExistDST));
    RegWriteText(key, L"DST", r.DST.substr(0, kDstRuleWidth - 1));
    if (r.Valid != 0) RegWriteDword(key, L"Valid", static_cast<uint32_t>(r.Valid));
}

bool LoadLocationSlots(LocationTable* table) {
    RegKey root;
    if (!RegOpen(kSettingsKey, &root)) return false;
    RegClose(root);
    for (int slot = 0; slot < kSlotCount; ++slot) {
        RegKey key;
        if (!RegOpen(SlotKeyPath(slot), &key)) return false;
        ReadLocationRecord(key, &(*table)[slot]);
        RegClose(key);
    }
    return true;
}

bool SaveLocationSlots(const LocationTable& table) {
    for (int slot = 0; slot < kSlotCount; ++slot) {
        RegKey key;
        if (!RegCreate(SlotKeyPath(slot), &key)) return false;
        WriteLocationRecord(key, table[slot]);
        RegClose(key);
    }
    return true;
}

int SelectFirstValidLocation(LocationTable* table) {
    for (int slot = 0; slot < kSlotCount; ++slot)
        if ((*table)[slot].Valid) return slot;
    (*table)[0] = FallbackLocation();
    return 0;
}

int StepLocation(LocationTable* table, int posIndex, int direction) {
    int p = (posIndex < 0 || posIndex >= kSlotCount) ? 0 : posIndex;
    const int step = direction < 0 ? -1 : 1;
    for (int i = 0; i < kSlotCount; ++i) {
        p += step;
        if (p < 0) p = kSlotCount - 1;
        if (p >= kSlotCount) p = 0;
        if ((*table)[p].Valid) return p;
    }
    (*table)[0] = FallbackLocation();
    return 0;
}

UtcMode UtcModeOf(int32_t utcGet) {
    switch (utcGet) {
        case 0: return UtcMode::Manual;
        case 1: return UtcMode::DeviceZone;
        case 3: return UtcMode::DeviceClock;
        default: return UtcMode::FromLongitude;
    }
}

SYSTEMTIME PresentTimeAt(LocationRecord* place, const ClockReading& now) {
    SYSTEMTIME t = now.Utc;
    switch (UtcModeOf(place->UtcGet)) {
        case UtcMode::DeviceClock:
            return now.Local;
        case UtcMode::DeviceZone:
            place->UtcMargin = -now.BiasMinutes / 60;
            return now.Local;
        case UtcMode::Manual:
            UtcToZoneTime(&t, place->UtcMargin);
            return t;
        case UtcMode::FromLongitude:
            break;
    }
    place->UtcMargin = ZoneOffsetFromLongitude(place->Lng);
    UtcToZoneTime(&t, place->UtcMargin);
    return t;
}

std::vector<MenuEntry> BuildLocationMenu(const LocationTable& table, int posIndex, bool menuTime,
                                         bool dstOn, const ClockReading& now) {
    std::vector<MenuEntry> entries;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const LocationRecord& r = table[slot];
        if (!r.Valid) continue;
        MenuEntry e;
        e.Command = kLocationCommandBase + slot;
        e.Checked = slot == posIndex;
        if (menuTime) {
            SYSTEMTIME t = now.Utc;
            UtcToZoneTime(&t, r.UtcMargin);
            if (dstOn && r.ExistDST) ApplyDst(&t, r.DST, now);
            wchar_t buf[24];
            std::swprintf(buf, 24, L"%02d:%02d  ", t.wHour, t.wMinute);
            e.Text = buf + r.Location;
        } else {
            e.Text = r.Location;
        }
        entries.push_back(e);
    }
    return entries;
}

}  // namespace velkaro
