#include "settings/options_location.h"

#include <algorithm>
#include <cstdint>
#include <cwchar>

#include "engine/calendar.h"
#include "platform/int_text.h"
#include "settings/field_text.h"

namespace velkaro {

namespace {

std::wstring IntText(int v) {
    wchar_t buf[16];
    std::swprintf(buf, 16, L"%d", v);
    return buf;
}

// A height past what the field holds reads as 0, as text without digits does.
int32_t HeightOf(const std::wstring& s) {
    const long long v = LeadingInt(s);
    return v < INT32_MIN || v > INT32_MAX ? 0 : static_cast<int32_t>(v);
}

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
    r->Location = CutToField(c.Name, kLocationNameWidth);
    r->Lat = ParseLeadingDouble(c.Lat);
    r->Lng = ParseLeadingDouble(c.Lng);
    r->Altitude = HeightOf(c.Alt);
    r->UtcMargin = ParseLeadingDouble(c.Td);
    r->UtcGet = UtcGetFromBoxes(c.Offset, r->UtcGet);
    if (UtcModeOf(r->UtcGet) == UtcMode::FromLongitude) r->UtcMargin = ZoneOffsetFromLongitude(r->Lng);
    r->DST = CutToField(c.Dst, kDstRuleWidth);
    r->ExistDST = r->DST.empty() ? 0 : 1;
}

void StoreSlotIfEdited(const SlotControls& c, LocationRecord* r) {
    if (!(c == ShowSlot(*r))) StoreSlot(c, r);
}

int ChangeSlot(LocationPage* page, const SlotControls& shown, const std::wstring& number, bool* rewrite) {
    *rewrite = false;
    bool found = false;
    const long long typed = LeadingInt(number, &found);
    if (!found) return page->EditSlot;
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
