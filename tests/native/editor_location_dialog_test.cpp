// The location dialog's rules: what a record shows, how the offset boxes hang
// together, how OK reads back, the converter and the clipboard.
#include <gtest/gtest.h>

#include <memory>

#include "editor/location_dialog.h"
#include "engine/calendar.h"
#include "settings/location.h"

using namespace velkaro;

namespace {

EditorRecord Kathmandu() {
    EditorRecord r;
    r.Valid = 1;
    r.Location = L"Kathmandu";
    r.Lat = 27.7172;
    r.Lng = 85.324;
    r.Prominence = 120;
    r.Altitude = 1400;
    r.UtcMargin = 5.75;
    r.DST = L"03/S2 02;11/S1 02";
    r.ExistDST = 1;
    r.Memo = L"valley";
    return r;
}

EditorRecord Confirmed(const LocationForm& f, EditorRecord r = EditorRecord()) {
    ConfirmLocationForm(f, &r);
    return r;
}

}  // namespace

TEST(LocationDialog, OpensWithTheRecordsTextsAndOffsetBoxes) {
    EditorRecord r = Kathmandu();
    LocationForm f = OpenLocationForm(r);
    EXPECT_TRUE(f.Valid);
    EXPECT_EQ(f.Lat, L"27.717200");
    EXPECT_EQ(f.Lng, L"85.324000");
    EXPECT_EQ(f.Heights, L"120/1400");
    EXPECT_EQ(f.Margin, L"5.75");  // not 5.8, which would move the clock by three minutes
    EXPECT_EQ(f.DST, r.DST);
    EXPECT_TRUE(f.Offset.BoxesEnabled && f.Offset.MarginEnabled && !f.Offset.Auto && !f.Offset.FromLng);

    r.Prominence = 1400;
    r.UtcMargin = 9;
    r.UtcGet = 1;
    f = OpenLocationForm(r);
    EXPECT_EQ(f.Heights, L"1400");
    EXPECT_EQ(f.Margin, L"9.0");
    EXPECT_TRUE(f.Offset.Auto && !f.Offset.FromLng && !f.Offset.MarginEnabled);
    r.UtcGet = 2;
    f = OpenLocationForm(r);
    EXPECT_TRUE(f.Offset.Auto && f.Offset.FromLng && !f.Offset.MarginEnabled);
    r.UtcGet = 3;
    f = OpenLocationForm(r);
    EXPECT_TRUE(!f.Offset.BoxesEnabled && !f.Offset.Auto && !f.Offset.FromLng && f.Offset.MarginEnabled);
}

TEST(LocationDialog, UnchangedOkGivesTheRecordBack) {
    EditorRecord r = Kathmandu();
    r.Lat = 27.71;
    r.Lng = -85.32;
    for (int get = 0; get <= 3; ++get) {
        r.UtcGet = get;
        EditorRecord back = Confirmed(OpenLocationForm(r), r);
        EXPECT_EQ(back.UtcGet, get);
        EXPECT_DOUBLE_EQ(back.Lat, r.Lat);
        EXPECT_DOUBLE_EQ(back.Lng, r.Lng);
        EXPECT_DOUBLE_EQ(back.UtcMargin, 5.75);
        EXPECT_EQ(back.Prominence, 120);
        EXPECT_EQ(back.Altitude, 1400);
        EXPECT_EQ(back.Location, r.Location);
        EXPECT_EQ(back.DST, r.DST);
        EXPECT_EQ(back.ExistDST, 1);
        EXPECT_EQ(back.Memo, r.Memo);
    }
}

TEST(LocationDialog, OffsetBoxRules) {
    LocationForm f = OpenLocationForm(EditorRecord());
    SetFromLongitude(&f.Offset, true);
    EXPECT_TRUE(f.Offset.Auto);
    EXPECT_FALSE(f.Offset.MarginEnabled);
    EXPECT_EQ(Confirmed(f).UtcGet, 2);
    SetFromLongitude(&f.Offset, false);  // changes nothing else
    EXPECT_TRUE(f.Offset.Auto);
    EXPECT_FALSE(f.Offset.MarginEnabled);
    EXPECT_EQ(Confirmed(f).UtcGet, 1);

    SetFromLongitude(&f.Offset, true);
    SetAutoOffset(&f.Offset, false);  // takes "from longitude" with it
    EXPECT_FALSE(f.Offset.FromLng);
    EXPECT_TRUE(f.Offset.MarginEnabled);
    EXPECT_EQ(Confirmed(f).UtcGet, 0);
    SetAutoOffset(&f.Offset, true);
    EXPECT_FALSE(f.Offset.MarginEnabled);

    // 3 is kept whatever the boxes say.
    EditorRecord fixed;
    fixed.UtcGet = 3;
    f = OpenLocationForm(fixed);
    SetFromLongitude(&f.Offset, true);
    EXPECT_EQ(Confirmed(f, fixed).UtcGet, 3);
}

TEST(LocationDialog, HeightsField) {
    LocationForm f = OpenLocationForm(EditorRecord());
    struct Case {
        const wchar_t* text;
        int prominence, altitude;
    } cases[] = {
        {L"350", 350, 350},     {L"120/350", 120, 350}, {L"40000", 0, 0},     {L"/350", 350, 0},
        {L"120/", 120, 0},      {L"1/2/3", 1, 2},       {L"30000", 30000, 30000}, {L"abc", 0, 0},
        {L"120//350", 120, 350}, {L"5\u6771/7", 5, 7},  {L"", 0, 0},
    };
    for (const Case& c : cases) {
        f.Heights = c.text;
        const EditorRecord r = Confirmed(f);
        EXPECT_EQ(r.Prominence, c.prominence) << c.text;
        EXPECT_EQ(r.Altitude, c.altitude) << c.text;
    }
    f.Heights = L"120/350";
    EXPECT_EQ(OpenLocationForm(Confirmed(f)).Heights, L"120/350");
    // The pair can be typed, not only kept.
    EXPECT_TRUE(TakesHeightsCharacter(L'/') && TakesHeightsCharacter(L'7') && TakesHeightsCharacter(L'\b'));
    EXPECT_FALSE(TakesHeightsCharacter(L'-') || TakesHeightsCharacter(L'a') || TakesHeightsCharacter(L'.'));
}

TEST(LocationDialog, OkReadsNumbersAsZeroCutsTextsAndSetsExistDst) {
    LocationForm f = OpenLocationForm(Kathmandu());
    f.Lat = L"north";
    f.Lng = L"139.75E";
    f.Margin = L"x";
    f.Location = std::wstring(400, L'n');
    f.Memo = std::wstring(300, L'm');
    f.DST = L"";
    f.Valid = false;
    const EditorRecord r = Confirmed(f, Kathmandu());
    EXPECT_EQ(r.Lat, 0);
    EXPECT_DOUBLE_EQ(r.Lng, 139.75);
    EXPECT_EQ(r.UtcMargin, 0);
    EXPECT_EQ(r.Location.size(), 259u);
    EXPECT_EQ(r.Memo.size(), 259u);
    EXPECT_EQ(r.ExistDST, 0);
    EXPECT_EQ(r.Valid, 0);
    f.DST = L"10/S1 02;04/S1 03";
    EXPECT_EQ(Confirmed(f).ExistDST, 1);
    f.Lat = L"95.5";  // no range check here
    EXPECT_DOUBLE_EQ(Confirmed(f).Lat, 95.5);
}

TEST(LocationDialog, DegreesConverter) {
    EXPECT_EQ(FormatFixed6(ConvertDegrees(L"10", L"30", L"36")), L"10.510000");
    EXPECT_EQ(FormatFixed6(ConvertDegrees(L"-33", L"52", L"0")), L"-33.866667");
    EXPECT_DOUBLE_EQ(ConvertDegrees(L"-0", L"30", L"0"), 0.5);  // the sign is the integer's
    EXPECT_DOUBLE_EQ(ConvertDegrees(L"-10", L"-30", L"-36"), ConvertDegrees(L"-10", L"30", L"36"));
    EXPECT_EQ(ConvertDegrees(L"deg", L"", L"min"), 0);
    const double k = 1.0 / 60;
    EXPECT_EQ(ConvertDegrees(L"35", L"40", L"57"), (57 * k + 40) * k + 35);  // to the bit
}

TEST(LocationDialog, ClipboardTextIsReadWithinItsBlock) {
    // A block of exactly its characters, no terminator: nothing past it is read.
    std::unique_ptr<wchar_t[]> block(new wchar_t[5]{L'1', L'\n', L'2', L'\r', L'\n'});
    EXPECT_EQ(ClipboardShown(block.get(), 5), L"1\r\n2\r\n");
    EXPECT_EQ(ClipboardShown(block.get(), 2), L"1\r\n");
    const wchar_t withEnd[] = L"35.68\0rest";
    EXPECT_EQ(ClipboardShown(withEnd, sizeof withEnd / sizeof withEnd[0]), L"35.68");
    EXPECT_EQ(ClipboardShown(withEnd, 0), L"");
}
