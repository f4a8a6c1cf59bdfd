#include "editor/exchange.h"

#include "platform/registry.h"
#include "settings/location.h"
#include "settings/protocol.h"

namespace velkaro {
namespace {

EditorRecord FromSlot(RegKey key, int slot) {
    LocationRecord l;  // all zero: a missing value leaves its field so
    ReadLocationRecord(key, &l);
    EditorRecord r;
    r.Number = slot;
    r.Valid = l.Valid;
    r.Location = l.Location;
    r.Lat = l.Lat;
    r.Lng = l.Lng;
    r.Altitude = l.Altitude;
    r.Prominence = l.Altitude;
    r.UtcGet = l.UtcGet;
    r.UtcMargin = l.UtcMargin;
    r.ExistDST = l.ExistDST;
    r.DST = l.DST;
    return r;
}

LocationRecord ToSlot(const EditorRecord& r, int altitudeMode) {
    LocationRecord l;
    l.Valid = r.Valid;
    l.Location = r.Location;
    l.Lat = r.Lat;
    l.Lng = r.Lng;
    l.Altitude = SlotAltitude(r, altitudeMode);
    l.UtcGet = r.UtcGet;
    l.UtcMargin = r.UtcMargin;
    l.ExistDST = r.ExistDST;
    l.DST = r.DST;
    return l;
}

const wchar_t* const kClearedValues[] = {L"Location", L"Lat",       L"Lng",      L"Altitude",
                                         L"UtcGet",   L"UtcMargin", L"ExistDST", L"DST"};

}  // namespace

bool ReadRegistrySlots(RecordList* work) {
    RegKey root;
    if (!RegOpen(kSettingsKey, &root)) return false;
    RegClose(root);
    work->clear();
    for (int slot = 0; slot < kSlotCount; ++slot) {
        RegKey key;
        if (!RegOpen(SlotKeyPath(slot), &key)) {
            if (RegCreate(SlotKeyPath(slot), &key)) RegClose(key);
            continue;
        }
        work->push_back(FromSlot(key, slot));
        RegClose(key);
    }
    return true;
}

void WriteRegistrySlots(const RecordList& work, int altitudeMode) {
    const int n = work.size() < kSlotCount ? static_cast<int>(work.size()) : kSlotCount;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        RegKey key;
        if (!RegCreate(SlotKeyPath(slot), &key)) continue;
        if (slot < n) {
            WriteLocationRecord(key, ToSlot(work[static_cast<size_t>(slot)], altitudeMode));
        } else {
            RegWriteDword(key, L"Valid", 0);
            for (const wchar_t* name : kClearedValues) RegRemoveValue(key, name);
        }
        RegClose(key);
    }
}

bool WriteWorkWithBackup(EditorState* s, bool exitAfter, const Announce& announce) {
    const RecordList toWrite = s->Work;
    RecordList& backup = s->Stock.Stores[kRegBakCategory];
    RecordList previous;
    previous.swap(backup);
    ReadRegistrySlots(&s->Work);
    backup = s->Work;
    s->Work = toWrite;
    // The places now in the slots reach the disk before any slot changes.
    if (s->KeepBackup && !s->KeepBackup(s)) {
        backup.swap(previous);
        return false;
    }
    WriteRegistrySlots(s->Work, s->Altitude);
    if (announce) announce(kSettingsKey, kMsgLocationsChanged);
    if (exitAfter) return true;
    if (s->Stock.Current == kRegBakCategory) ShowCategory(s, kRegBakCategory);
    ReadRegistrySlots(&s->Work);
    ResetSortFlags(s, kWorkList);
    return false;
}

bool ApplyStockView(EditorState* s, const Announce& announce) {
    if (s->StockView.empty()) return false;
    s->Work = s->StockView;
    return WriteWorkWithBackup(s, true, announce);
}

namespace {

struct EntryBit {
    int32_t DisplayFlags::*Flag;
    int32_t Bit;
};

const EntryBit kEntryBits[kDisplayEntryCount] = {
    {&DisplayFlags::MenuTime, 1}, {&DisplayFlags::Title, 1}, {&DisplayFlags::Title, 2},
    {&DisplayFlags::Title, 4},    {&DisplayFlags::Clock, 1}, {&DisplayFlags::Clock, 2},
    {&DisplayFlags::Clock, 4}};

void ReadFlag(RegKey key, const wchar_t* name, int32_t* field) {
    uint32_t v;
    if (RegReadDword(key, name, &v)) *field = static_cast<int32_t>(v);
}

}  // namespace

bool DisplayEntryChecked(const DisplayFlags& f, int entry) {
    if (entry < 0 || entry >= kDisplayEntryCount) return false;
    return (f.*kEntryBits[entry].Flag & kEntryBits[entry].Bit) != 0;
}

void LoadDisplayFlags(DisplayFlags* f) {
    RegKey key;
    if (!RegOpen(kSettingsKey, &key)) return;
    ReadFlag(key, L"MenuTime", &f->MenuTime);
    ReadFlag(key, L"Title", &f->Title);
    ReadFlag(key, L"Clock", &f->Clock);
    RegClose(key);
}

bool SaveDisplayFlags(const DisplayFlags& f) {
    RegKey key;
    if (!RegCreate(kSettingsKey, &key)) return false;
    RegWriteDword(key, L"MenuTime", static_cast<uint32_t>(f.MenuTime));
    RegWriteDword(key, L"Title", static_cast<uint32_t>(f.Title));
    RegWriteDword(key, L"Clock", static_cast<uint32_t>(f.Clock));
    RegClose(key);
    return true;
}

void ToggleDisplayFlag(DisplayFlags* f, int entry, const Announce& announce) {
    if (entry < 0 || entry >= kDisplayEntryCount) return;
    const EntryBit& e = kEntryBits[entry];
    f->*e.Flag ^= e.Bit;
    const bool on = (f->*e.Flag & e.Bit) != 0;
    if (on && entry == kRegUtc) f->Clock &= ~2;
    if (on && entry == kRegLocalTime) f->Clock &= ~1;
    SaveDisplayFlags(*f);
    if (announce) announce(kSettingsKey, kMsgEditorSettingsChanged);
}

int32_t SlotAltitude(const EditorRecord& r, int altitudeMode) {
    switch (altitudeMode) {
        case kAltitudeZero: return 0;
        case kAltitudeAltitude: return r.Altitude;
        default: return r.Prominence;
    }
}

void SetAltitudeMode(EditorState* s, int mode) {
    if (mode >= kAltitudeZero && mode <= kAltitudeAltitude) s->Altitude = mode;
}

bool SendToDayrune(const EditorRecord& r, const Announce& announce) {
    bool wrote = false;
    RegKey key;
    if (RegOpen(kDayruneKey, &key)) {
        RegClose(key);
        if (RegCreate(kDayruneKey, &key)) {
            RegWriteText(key, L"Lat", FormatFixed6(r.Lat));
            RegWriteText(key, L"Lng", FormatFixed6(r.Lng));
            RegWriteDword(key, L"Altitude", static_cast<uint32_t>(r.Altitude));
            RegClose(key);
            wrote = true;
        }
    }
    if (announce) announce(kDayruneKey, kMsgLocationsChanged);
    return wrote;
}

}  // namespace velkaro
