#include "settings/location.h"

#include <cmath>
#include <cwchar>

#include "engine/calendar.h"

namespace velkaro {

double ParseLeadingDouble(const std::wstring& text) {
    const wchar_t* p = text.c_str();
    while (*p == L' ' || *p == L'\t') ++p;
    // Only plain decimal numbers: "inf", "nan" and hexadecimal forms are not coordinates.
    const wchar_t* q = p;
    if (*q == L'+' || *q == L'-') ++q;
    if (!((*q >= L'0' && *q <= L'9') || (*q == L'.' && q[1] >= L'0' && q[1] <= L'9'))) return 0;
    if (q[0] == L'0' && (q[1] == L'x' || q[1] == L'X')) return 0;
    wchar_t* end = nullptr;
    double v = std::wcstod(p, &end);
    return std::isfinite(v) ? v : 0;
}

std::wstring FormatFixed6(double v) {
    wchar_t buf[400];
    std::swprintf(buf, sizeof buf / sizeof buf[0], L"%f", std::isfinite(v) ? v : 0.0);
    return buf;
}

std::wstring FormatUtcOffset(double hours) {
    if (!std::isfinite(hours)) hours = 0;
    const double tenths = hours * 10;
    const bool oneDecimal = std::fabs(tenths - std::round(tenths)) < 1e-6;
    wchar_t buf[400];
    std::swprintf(buf, sizeof buf / sizeof buf[0], oneDecimal ? L"%.1f" : L"%.2f", hours);
    return buf;
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
    RegWriteDword(key, L"Valid", static_cast<uint32_t>(r.Valid));
    RegWriteText(key, L"Location", r.Location.substr(0, kLocationNameWidth - 1));
    RegWriteText(key, L"Lat", FormatFixed6(r.Lat));
    RegWriteText(key, L"Lng", FormatFixed6(r.Lng));
    RegWriteDword(key, L"Altitude", static_cast<uint32_t>(r.Altitude));
    RegWriteDword(key, L"UtcGet", static_cast<uint32_t>(r.UtcGet));
    RegWriteText(key, L"UtcMargin", FormatFixed6(r.UtcMargin));
    RegWriteDword(key, L"ExistDST", static_cast<uint32_t>(r.ExistDST));
    RegWriteText(key, L"DST", r.DST.substr(0, kDstRuleWidth - 1));
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

SYSTEMTIME PresentTimeAt(LocationRecord* place, const ClockReading& now) {
    SYSTEMTIME t = now.Utc;
    switch (place->UtcGet) {
        case 3:
            return now.Local;
        case 1:
            place->UtcMargin = -now.BiasMinutes / 60;
            return now.Local;
        case 0:
            UtcToZoneTime(&t, place->UtcMargin);
            return t;
        default:
            place->UtcMargin = ZoneOffsetFromLongitude(place->Lng);
            UtcToZoneTime(&t, place->UtcMargin);
            return t;
    }
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
