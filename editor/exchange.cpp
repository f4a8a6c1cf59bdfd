#include "editor/exchange.h"

#include <cwchar>

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
    ShowWrittenSlots(s);
    return false;
}

void ShowWrittenSlots(EditorState* s) {
    if (s->Stock.Current == kRegBakCategory) ShowCategory(s, kRegBakCategory);
    ReadRegistrySlots(&s->Work);
    ResetSortFlags(s, kWorkList);
}

int ValidInSlots(const RecordList& records) {
    int valid = 0;
    for (size_t i = 0; i < records.size() && i < static_cast<size_t>(kSlotCount); ++i) valid += records[i].Valid != 0;
    return valid;
}

std::wstring SlotWriteQuestion(const RecordList& toWrite, bool askFewer) {
    std::wstring text;
    wchar_t line[200];
    if (toWrite.size() > static_cast<size_t>(kSlotCount)) {
        std::swprintf(line, 200, L"Of these %d rows only the first %d are written: the rows after the twentieth are not.",
                      static_cast<int>(toWrite.size()), kSlotCount);
        text = line;
    }
    if (askFewer) {
        RecordList now;
        ReadRegistrySlots(&now);  // no settings key: no valid places now
        const int before = ValidInSlots(now), after = ValidInSlots(toWrite);
        if (after < before) {
            std::swprintf(line, 200,
                          L"The slots hold %d valid places now and will hold %d.\n\n"
                          L"The %d places they hold now are kept in \"%ls\".",
                          before, after, before, kRegBakName);
            text += (text.empty() ? L"" : L"\n\n") + std::wstring(line);
        }
    }
    if (!text.empty()) text += L"\n\nOK?";
    return text;
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

int SendToDayrune(const EditorRecord& r, const Announce& announce) {
    int result = kDayruneNotInstalled;
    RegKey key;
    if (RegOpen(kDayruneKey, &key)) {
        RegClose(key);
        result = kDayruneNotWritten;
        if (RegCreate(kDayruneKey, &key)) {
            const bool wrote = RegWriteText(key, L"Lat", FormatFixed6(r.Lat)) &&
                               RegWriteText(key, L"Lng", FormatFixed6(r.Lng)) &&
                               RegWriteDword(key, L"Altitude", static_cast<uint32_t>(r.Altitude));
            RegClose(key);
            if (wrote) result = kDayruneWritten;
        }
    }
    if (announce) announce(kDayruneKey, kMsgLocationsChanged);
    return result;
}

std::wstring DayruneResultText(int result) {
    switch (result) {
        case kDayruneNotInstalled: return L"'Dayrune' is not installed: nothing was written.";
        case kDayruneNotWritten: return L"Can't write 'Dayrune' registry.";
        default: return std::wstring();
    }
}

}  // namespace velkaro
