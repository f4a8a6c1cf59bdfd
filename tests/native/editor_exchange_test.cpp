// The editor's registry exchange against the in-memory registry: slots, the
// write with its backup, display flags, heights and Dayrune.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "editor/exchange.h"
#include "editor/stock_file.h"
#include "platform/registry.h"
#include "settings/location.h"
#include "settings/protocol.h"

using namespace velkaro;

namespace {

struct Posted {
    std::vector<std::pair<std::wstring, unsigned>> Calls;
    Announce Fn() {
        return [this](const std::wstring& key, unsigned msg) { Calls.push_back({key, msg}); };
    }
};

EditorRecord Place(const std::wstring& name, int altitude = 0, int prominence = 0) {
    EditorRecord r;
    r.Valid = 1;
    r.Location = name;
    r.Lat = 35.68;
    r.Lng = 139.75;
    r.Altitude = altitude;
    r.Prominence = prominence;
    r.UtcMargin = 9;
    r.Memo = L"secret memo";
    return r;
}

std::wstring SlotText(int slot, const wchar_t* name) {
    RegKey k;
    if (!RegOpen(SlotKeyPath(slot), &k)) return L"<no key>";
    std::wstring v = L"<none>";
    RegReadText(k, name, &v, 300);
    RegClose(k);
    return v;
}

int64_t SlotDword(int slot, const wchar_t* name) {
    RegKey k;
    if (!RegOpen(SlotKeyPath(slot), &k)) return -2;
    uint32_t v = 0;
    const bool found = RegReadDword(k, name, &v);
    RegClose(k);
    return found ? static_cast<int64_t>(v) : -1;
}

void MakeSettingsKey() {
    RegKey k;
    ASSERT_TRUE(RegCreate(kSettingsKey, &k));
    RegClose(k);
}

class EditorExchange : public ::testing::Test {
protected:
    void SetUp() override {
        RegClearAll();
        ResetCategories(&s.Stock);
        AddCategory(&s.Stock, L"Japan", 0);
        ShowCategory(&s, 2);
    }
    void TearDown() override { RegClearAll(); }
    EditorState s;
    Posted posted;
};

}  // namespace

TEST_F(EditorExchange, ThreeRecordsFillThreeSlotsAndInvalidateTheRest) {
    MakeSettingsKey();
    s.Work = {Place(L"A"), Place(L"B"), Place(L"C")};
    s.Work[1].Valid = 0;
    EXPECT_FALSE(WriteWorkWithBackup(&s, false, posted.Fn()));
    EXPECT_EQ(SlotText(0, L"Location"), L"A");
    EXPECT_EQ(SlotDword(1, L"Valid"), 0);
    EXPECT_EQ(SlotText(1, L"Location"), L"B");  // an unchecked record is still written whole
    EXPECT_EQ(SlotText(2, L"Lat"), L"35.680000");
    EXPECT_EQ(SlotText(2, L"UtcMargin"), L"9.000000");
    for (int slot = 3; slot < kSlotCount; ++slot) {
        EXPECT_EQ(SlotDword(slot, L"Valid"), 0);
        EXPECT_EQ(SlotText(slot, L"Location"), L"<none>");
        EXPECT_EQ(SlotText(slot, L"DST"), L"<none>");
        EXPECT_EQ(SlotDword(slot, L"Altitude"), -1);
    }
    // Read back: every slot key gives a record, the invalid ones too.
    ASSERT_EQ(s.Work.size(), 20u);
    EXPECT_EQ(s.Work[2].Number, 2);
    EXPECT_EQ(s.Work[2].Memo, L"");
    EXPECT_EQ(s.Work[7].Location, L"");
    ASSERT_EQ(posted.Calls.size(), 1u);
    EXPECT_EQ(posted.Calls[0].first, kSettingsKey);
    EXPECT_EQ(posted.Calls[0].second, kMsgLocationsChanged);
}

TEST_F(EditorExchange, MemoNeverReachesTheRegistry) {
    s.Work = {Place(L"A")};
    WriteRegistrySlots(s.Work, kAltitudeProminence);
    uint32_t type;
    std::vector<uint8_t> bytes;
    EXPECT_FALSE(RegReadRaw(SlotKeyPath(0), L"Memo", &type, &bytes));
    for (const wchar_t* name : {L"Number", L"DeleteMark", L"Prominence"})
        EXPECT_FALSE(RegReadRaw(SlotKeyPath(0), name, &type, &bytes)) << name;
}

TEST_F(EditorExchange, TwentyFiveRecordsWriteTwenty) {
    MakeSettingsKey();
    for (int i = 0; i < 25; ++i) s.Work.push_back(Place(L"P" + std::to_wstring(i)));
    WriteWorkWithBackup(&s, false, posted.Fn());
    EXPECT_EQ(SlotText(19, L"Location"), L"P19");
    EXPECT_FALSE(RegKeyExists(SlotKeyPath(20)));
    EXPECT_EQ(s.Work.size(), 20u);
}

TEST_F(EditorExchange, ReadCreatesMissingSlotsSoTheSecondReadSeesTwenty) {
    MakeSettingsKey();
    for (int slot = 0; slot < 5; ++slot) {
        RegKey k;
        ASSERT_TRUE(RegCreate(SlotKeyPath(slot), &k));
        RegWriteDword(k, L"Valid", 1);
        RegWriteText(k, L"Location", L"S" + std::to_wstring(slot));
        RegClose(k);
    }
    s.Work = {Place(L"old")};
    ASSERT_TRUE(ReadRegistrySlots(&s.Work));
    ASSERT_EQ(s.Work.size(), 5u);
    EXPECT_EQ(s.Work[4].Location, L"S4");
    EXPECT_TRUE(RegKeyExists(SlotKeyPath(19)));
    ASSERT_TRUE(ReadRegistrySlots(&s.Work));
    ASSERT_EQ(s.Work.size(), 20u);
    for (int slot = 5; slot < 20; ++slot) {
        const EditorRecord& r = s.Work[slot];
        EXPECT_EQ(r.Number, slot);
        EXPECT_EQ(r.Valid + r.Altitude + r.UtcGet + r.ExistDST, 0);
        EXPECT_TRUE(r.Location.empty() && r.DST.empty());
        EXPECT_EQ(r.Lat, 0);
    }
}

TEST_F(EditorExchange, MissingSettingsKeyLeavesTheListAndStillWrites) {
    s.Work = {Place(L"keep")};
    EXPECT_FALSE(ReadRegistrySlots(&s.Work));
    ASSERT_EQ(s.Work.size(), 1u);
    WriteWorkWithBackup(&s, false, posted.Fn());
    EXPECT_EQ(SlotText(0, L"Location"), L"keep");
}

TEST_F(EditorExchange, OddValuesAreCutOrSkippedNeverOverrun) {
    MakeSettingsKey();
    RegKey k;
    ASSERT_TRUE(RegCreate(SlotKeyPath(0), &k));
    RegWriteText(k, L"Location", std::wstring(1000, L'n'));
    RegWriteText(k, L"DST", std::wstring(300, L'd'));
    RegWriteText(k, L"Lat", L"35.68north");
    RegWriteText(k, L"Lng", L"east");
    RegClose(k);
    RegWriteRaw(SlotKeyPath(0), L"Altitude", kRegBinary, {1, 2});  // not four bytes
    RegWriteRaw(SlotKeyPath(0), L"UtcGet", kRegDword, {1, 0, 0, 0, 0, 0, 0, 0});
    ASSERT_TRUE(ReadRegistrySlots(&s.Work));
    const EditorRecord& r = s.Work[0];
    EXPECT_EQ(r.Location.size(), 259u);
    EXPECT_EQ(r.DST.size(), 259u);
    EXPECT_DOUBLE_EQ(r.Lat, 35.68);
    EXPECT_EQ(r.Lng, 0);
    EXPECT_EQ(r.Altitude, 0);
    EXPECT_EQ(r.UtcGet, 0);
}

TEST_F(EditorExchange, SecondWriteBacksUpTheFirst) {
    MakeSettingsKey();
    s.Work = {Place(L"first")};
    WriteWorkWithBackup(&s, false, posted.Fn());
    s.Work = {Place(L"second"), Place(L"third")};
    ShowCategory(&s, kRegBakCategory);
    WriteWorkWithBackup(&s, false, posted.Fn());
    const RecordList& backup = s.Stock.Stores[kRegBakCategory];
    ASSERT_EQ(backup.size(), 20u);
    EXPECT_EQ(backup[0].Location, L"first");
    EXPECT_EQ(backup[1].Valid, 0);
    EXPECT_EQ(s.StockView[0].Location, L"first");  // the shown backup was refreshed
    EXPECT_EQ(s.Work[1].Location, L"third");
    EXPECT_EQ(posted.Calls.size(), 2u);
}

TEST_F(EditorExchange, ApplyWritesTheStockViewAndAsksToEnd) {
    MakeSettingsKey();
    EXPECT_FALSE(ApplyStockView(&s, posted.Fn()));  // empty view: nothing
    EXPECT_TRUE(posted.Calls.empty());
    s.StockView = {Place(L"stock")};
    s.Work = {Place(L"work"), Place(L"w2")};
    EXPECT_TRUE(ApplyStockView(&s, posted.Fn()));
    EXPECT_EQ(SlotText(0, L"Location"), L"stock");
    EXPECT_EQ(SlotDword(1, L"Valid"), 0);
    EXPECT_EQ(posted.Calls.size(), 1u);
}

TEST_F(EditorExchange, AltitudeModesChooseTheSlotHeightDayruneAlwaysAltitude) {
    s.Work = {Place(L"peak", 350, 120)};
    WriteRegistrySlots(s.Work, s.Altitude);  // the start-up mode
    EXPECT_EQ(SlotDword(0, L"Altitude"), 120);
    SetAltitudeMode(&s, kAltitudeAltitude);
    WriteRegistrySlots(s.Work, s.Altitude);
    EXPECT_EQ(SlotDword(0, L"Altitude"), 350);
    SetAltitudeMode(&s, kAltitudeZero);
    WriteRegistrySlots(s.Work, s.Altitude);
    EXPECT_EQ(SlotDword(0, L"Altitude"), 0);
    SetAltitudeMode(&s, 7);
    EXPECT_EQ(s.Altitude, kAltitudeZero);

    // Read back, 350 goes into both heights.
    RegKey k;
    ASSERT_TRUE(RegCreate(SlotKeyPath(0), &k));
    RegWriteDword(k, L"Altitude", 350);
    RegClose(k);
    ASSERT_TRUE(ReadRegistrySlots(&s.Work));
    for (int mode : {kAltitudeProminence, kAltitudeAltitude, kAltitudeZero}) {
        WriteRegistrySlots(s.Work, mode);
        EXPECT_EQ(SlotDword(0, L"Altitude"), mode == kAltitudeZero ? 0 : 350);
    }

    // Dayrune gets Altitude whatever the mode, and only when its key exists.
    EXPECT_EQ(SendToDayrune(Place(L"peak", 350, 120), posted.Fn()), kDayruneNotInstalled);
    EXPECT_FALSE(RegKeyExists(kDayruneKey));
    EXPECT_NE(DayruneResultText(kDayruneNotInstalled).find(L"'Dayrune' is not installed"), std::wstring::npos);
    ASSERT_TRUE(RegCreate(kDayruneKey, &k));
    RegClose(k);
    EXPECT_EQ(SendToDayrune(Place(L"peak", 350, 120), posted.Fn()), kDayruneWritten);
    EXPECT_EQ(DayruneResultText(kDayruneWritten), L"");
    uint32_t type;
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(RegReadRaw(kDayruneKey, L"Altitude", &type, &bytes));
    EXPECT_EQ(type, kRegDword);
    EXPECT_EQ(bytes, (std::vector<uint8_t>{0x5E, 0x01, 0, 0}));
    ASSERT_TRUE(RegOpen(kDayruneKey, &k));
    std::wstring lat;
    RegReadText(k, L"Lat", &lat, 64);
    RegClose(k);
    EXPECT_EQ(lat, L"35.680000");
    ASSERT_EQ(posted.Calls.size(), 2u);  // announced even when nothing was written
    EXPECT_EQ(posted.Calls[0].first, kDayruneKey);
    EXPECT_EQ(posted.Calls[0].second, kMsgLocationsChanged);
}

TEST_F(EditorExchange, UtcAndLocalTimeExcludeEachOther) {
    DisplayFlags f;  // Clock 6: LocalTime and Margin
    ToggleDisplayFlag(&f, kRegUtc, posted.Fn());
    EXPECT_EQ(f.Clock, 5);
    ToggleDisplayFlag(&f, kRegLocalTime, posted.Fn());
    EXPECT_EQ(f.Clock, 6);
    ToggleDisplayFlag(&f, kRegLocalTime, posted.Fn());  // switching off leaves UTC alone
    EXPECT_EQ(f.Clock, 4);
    ToggleDisplayFlag(&f, kRegUtc, posted.Fn());
    ToggleDisplayFlag(&f, kRegUtc, posted.Fn());
    EXPECT_EQ(f.Clock, 4);
    EXPECT_FALSE(DisplayEntryChecked(f, kRegUtc));
    EXPECT_TRUE(DisplayEntryChecked(f, kRegMargin));
    ASSERT_EQ(posted.Calls.size(), 5u);
    EXPECT_EQ(posted.Calls.back().second, kMsgEditorSettingsChanged);

    ToggleDisplayFlag(&f, kRegLatLng, posted.Fn());
    EXPECT_EQ(f.Title, 1);
    DisplayFlags loaded;
    loaded.Title = 99;
    LoadDisplayFlags(&loaded);
    EXPECT_EQ(loaded.Title, 1);
    EXPECT_EQ(loaded.Clock, 4);
    EXPECT_EQ(loaded.MenuTime, 1);
}

TEST_F(EditorExchange, DisplayFlagsKeepDefaultsWhenMissing) {
    DisplayFlags f;
    LoadDisplayFlags(&f);  // no key
    EXPECT_EQ(f.MenuTime + f.Title * 10 + f.Clock * 100, 1 + 30 + 600);
    MakeSettingsKey();
    RegWriteRaw(kSettingsKey, L"Title", kRegDword, {0, 0, 0, 0});
    LoadDisplayFlags(&f);
    EXPECT_EQ(f.Title, 0);
    EXPECT_EQ(f.Clock, 6);
    EXPECT_FALSE(DisplayEntryChecked(f, kRegLocation));
    EXPECT_TRUE(DisplayEntryChecked(f, kRegMenuTime));
}

TEST_F(EditorExchange, WriteQuestionNamesFewerValidPlacesAndRowsPastTheTwentieth) {
    // Nothing there yet: nothing to ask for a short list.
    EXPECT_EQ(SlotWriteQuestion({Place(L"one")}, true), L"");
    MakeSettingsKey();
    RecordList twenty;
    for (int i = 0; i < 20; ++i) twenty.push_back(Place(L"p" + std::to_wstring(i)));
    twenty[19].Valid = 0;
    WriteRegistrySlots(twenty, kAltitudeProminence);  // 19 valid now

    const std::wstring fewer = SlotWriteQuestion({Place(L"one")}, true);
    EXPECT_NE(fewer.find(L" 19 "), std::wstring::npos) << fewer;
    EXPECT_NE(fewer.find(L" 1."), std::wstring::npos) << fewer;
    EXPECT_NE(fewer.find(L"\"_REG_BAK\""), std::wstring::npos) << fewer;
    EXPECT_EQ(SlotWriteQuestion({Place(L"one")}, false), L"");  // "Write" shows what it writes
    twenty[19].Valid = 1;
    EXPECT_EQ(SlotWriteQuestion(twenty, true), L"");  // as many or more: no question
    // Invalid rows count as none; rows after the twentieth neither.
    RecordList many = twenty;
    for (int i = 0; i < 5; ++i) many.push_back(Place(L"more"));
    for (int i = 0; i < 3; ++i) many[static_cast<size_t>(i)].Valid = 0;
    EXPECT_EQ(ValidInSlots(many), 17);
    const std::wstring both = SlotWriteQuestion(many, true);
    EXPECT_NE(both.find(L"25 rows"), std::wstring::npos) << both;
    EXPECT_NE(both.find(L"twentieth"), std::wstring::npos) << both;
    EXPECT_NE(both.find(L" 17."), std::wstring::npos) << both;
    EXPECT_NE(SlotWriteQuestion(many, false).find(L"twentieth"), std::wstring::npos);
}

TEST_F(EditorExchange, AfterAnApplyThatDidNotEndTheWorkListShowsTheSlots) {
    MakeSettingsKey();
    WriteRegistrySlots({Place(L"old")}, kAltitudeProminence);
    ShowCategory(&s, kRegBakCategory);
    s.StockView = {Place(L"a"), Place(L"b")};
    s.StockView[1].Valid = 0;
    ASSERT_TRUE(ApplyStockView(&s, posted.Fn()));
    ShowWrittenSlots(&s);
    ASSERT_EQ(s.Work.size(), 20u);
    EXPECT_EQ(s.Work[0].Location, L"a");
    EXPECT_EQ(s.Work[1].Valid, 0);
    EXPECT_EQ(s.Work[2].Location, L"");
    for (int i = 0; i < 20; ++i) EXPECT_EQ(s.Work[static_cast<size_t>(i)].Number, i);
    ASSERT_EQ(s.StockView.size(), 20u);  // the shown backup: the slots before
    EXPECT_EQ(s.StockView[0].Location, L"old");
}

namespace {

EditorRecord Numbered(const wchar_t* prefix, int i, double lat) {
    EditorRecord r;
    r.Valid = 1;
    r.Location = prefix + std::to_wstring(i);
    r.Lat = lat;
    r.Lng = -lat / 2;
    r.Altitude = r.Prominence = 10 * i;
    r.UtcGet = i % 3;
    r.UtcMargin = i % 12;
    r.DST = i % 2 ? L"03/S2 02;11/S1 02" : L"";
    r.ExistDST = i % 2;
    return r;
}

bool SlotIs(const LocationRecord& l, const EditorRecord& r) {
    return l.Location == r.Location && l.Lat == r.Lat && l.Lng == r.Lng && l.Altitude == r.Altitude &&
           l.UtcGet == r.UtcGet && l.UtcMargin == r.UtcMargin && l.ExistDST == r.ExistDST && l.DST == r.DST;
}

}  // namespace

// The write is cut short after every single registry change in turn, as a
// kill during the apply button would cut it: the places the slots held before
// are always somewhere (in a slot or in "_REG_BAK" on disk), and no slot reads
// as a valid place that is half old and half new.
TEST_F(EditorExchange, AWriteCutShortAnywhereLosesNoPlaceAndTearsNoSlot) {
    RecordList before, after;
    for (int i = 0; i < kSlotCount; ++i) {
        before.push_back(Numbered(L"Old ", i, 10 + i * 0.25));
        after.push_back(Numbered(L"New ", i, -50 - i * 0.5));
    }
    int points = 0, midSlot = 0;
    for (long k = 0;; ++k) {
        RegClearAll();
        MakeSettingsKey();
        WriteRegistrySlots(before, kAltitudeAltitude);
        std::string disk;  // the category file as the kill leaves it
        s.KeepBackup = [&disk](EditorState* st) {
            if (!RegStopped()) disk = FormatStockFile(st->Stock);
            return true;
        };
        s.Work = after;
        s.Altitude = kAltitudeAltitude;
        RegStopAfter(k);
        WriteWorkWithBackup(&s, true, nullptr);
        const bool finished = !RegStopped();
        RegStopAfter(-1);
        ++points;

        Categories onDisk;
        ParseStockFile(disk, &onDisk);
        LocationTable slots;
        for (int slot = 0; slot < kSlotCount; ++slot) {
            RegKey key;
            ASSERT_TRUE(RegOpen(SlotKeyPath(slot), &key));
            LocationRecord& l = slots[slot];
            l = LocationRecord();
            ReadLocationRecord(key, &l);
            RegClose(key);
            if (!l.Valid) {
                if (l.Location != L"") ++midSlot;
                continue;
            }
            EXPECT_TRUE(SlotIs(l, before[slot]) || SlotIs(l, after[slot]))
                << "torn slot " << slot << " after " << k << " changes";
        }
        for (const EditorRecord& old : before) {
            bool kept = false;
            for (const EditorRecord& r : onDisk.Stores[kRegBakCategory]) kept = kept || r.Location == old.Location;
            for (const LocationRecord& l : slots) kept = kept || (l.Valid && SlotIs(l, old));
            EXPECT_TRUE(kept) << "lost " << std::string(old.Location.begin(), old.Location.end()) << " after " << k
                              << " changes";
        }
        if (finished) break;
        ASSERT_LT(k, 1000);
    }
    EXPECT_GT(points, 200);   // eleven changes a slot, twenty slots
    EXPECT_GT(midSlot, 100);  // most cuts fall inside a slot's write
}
