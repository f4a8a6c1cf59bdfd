#include "settings/options_location.h"

#include <algorithm>
#include <cstdint>
#include <cwchar>

#include "engine/calendar.h"

namespace velkaro {

namespace {

std::wstring IntText(int v) {
    wchar_t buf[16];
    std::swprintf(buf, 16, L"%d", v);
    return buf;
}

int32_t ParseInt(const std::wstring& s) {
    wchar_t* end = nullptr;
    const long long v = std::wcstoll(s.c_str(), &end, 10);
    if (end == s.c_str() || v < INT32_MIN || v > INT32_MAX) return 0;
    return static_cast<int32_t>(v);
}

std::wstring Cut(const std::wstring& s, size_t width) { return s.size() < width ? s : s.substr(0, width - 1); }

}  // namespace

LocationPage OpenLocationPage(const LocationTable& live, int posIndex) {
    LocationPage p;
    p.Work = live;
    p.EditSlot = posIndex >= 0 && posIndex < kSlotCount ? posIndex : 0;
    return p;
}

SlotControls ShowSlot(const LocationRecord& r) {
    SlotControls c;
    c.Valid = r.Valid != 0;
    c.Name = r.Location;
    c.Lat = FormatFixed6(r.Lat);
    c.Lng = FormatFixed6(r.Lng);
    c.Alt = IntText(r.Altitude);
    c.Td = FormatUtcOffset(r.UtcMargin);
    c.Dst = r.DST;
    c.Offset = OffsetBoxesFor(r.UtcGet);
    return c;
}

void StoreSlot(const SlotControls& c, LocationRecord* r) {
    r->Valid = c.Valid ? 1 : 0;
    r->Location = Cut(c.Name, kLocationNameWidth);
    r->Lat = ParseLeadingDouble(c.Lat);
    r->Lng = ParseLeadingDouble(c.Lng);
    r->Altitude = ParseInt(c.Alt);
    r->UtcMargin = ParseLeadingDouble(c.Td);
    r->UtcGet = UtcGetFromBoxes(c.Offset, r->UtcGet);
    if (UtcModeOf(r->UtcGet) == UtcMode::FromLongitude) r->UtcMargin = ZoneOffsetFromLongitude(r->Lng);
    r->DST = Cut(c.Dst, kDstRuleWidth);
    r->ExistDST = r->DST.empty() ? 0 : 1;
}

void StoreSlotIfEdited(const SlotControls& c, LocationRecord* r) {
    if (!(c == ShowSlot(*r))) StoreSlot(c, r);
}

int ChangeSlot(LocationPage* page, const SlotControls& shown, const std::wstring& number, bool* rewrite) {
    *rewrite = false;
    wchar_t* end = nullptr;
    const long long typed = std::wcstoll(number.c_str(), &end, 10);
    if (end == number.c_str()) return page->EditSlot;
    const int p = static_cast<int>(std::clamp<long long>(typed, 0, kSlotCount - 1));
    *rewrite = p != typed;
    if (p == page->EditSlot) return p;  // retyping the slot shown keeps its edits on screen
    StoreSlotIfEdited(shown, &page->Work[page->EditSlot]);
    page->EditSlot = p;
    return p;
}

void ResetLocationPage(LocationPage* page, const LocationTable& live) { page->Work = live; }

void ApplyLocationPage(LocationPage* page, const SlotControls& shown, LocationTable* live) {
    StoreSlotIfEdited(shown, &page->Work[page->EditSlot]);
    *live = page->Work;
}

}  // namespace velkaro
