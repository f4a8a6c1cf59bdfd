#include <gtest/gtest.h>

#include "resources/options_ids.h"
#include "settings/options_location.h"
#include "settings/options_pages.h"
#include "settings/options_picture.h"
#include "platform/registry.h"
#include "settings/options_sort.h"

using namespace velkaro;

namespace {

// A page opened and applied untouched, as OK on the sheet does.
template <class Load, class Apply>
SettingsStore RoundTrip(SettingsStore s, Load load, Apply apply) {
    const PageValues v = load(s);
    apply(v, &s);
    return s;
}

std::vector<int> Ids(const std::vector<int>& v) { return v; }

}  // namespace

TEST(OptionFields, SpinTextAndFieldWidths) {
    const FieldDef pos = Spin(1, 2, 0, 999), signedSpin = Spin(1, 2, -999, 999);
    EXPECT_EQ(ReadSpinText(pos, L"12"), 12);
    EXPECT_EQ(ReadSpinText(pos, L"abc"), 0);
    EXPECT_EQ(ReadSpinText(pos, L"5000"), 999);
    EXPECT_EQ(ReadSpinText(pos, L"-3"), 0);
    EXPECT_EQ(ReadSpinText(signedSpin, L"-9"), -9);
    EXPECT_EQ(ReadSpinText(signedSpin, L"-99999999999"), -999);
    EXPECT_EQ(ReadSpinText(Spin(1, 2, 180, 360), L""), 180);
    EXPECT_EQ(CutToField(std::wstring(40, L'a'), 32), std::wstring(31, L'a'));
    EXPECT_EQ(CutToField(L"Tahoma", 32), L"Tahoma");
    EXPECT_EQ(CutToField(std::wstring(32, L'a'), 32), std::wstring(31, L'a'));
    EXPECT_EQ(CutToField(std::wstring(31, L'a'), 32), std::wstring(31, L'a'));
    EXPECT_EQ(CutToField(L"Tahoma", 0), L"Tahoma");  // no width, no cut
}

TEST(OptionFields, SwatchesPaintFromTheirColoursAndRepaintTogether) {
    SettingsStore s;
    s.General.CrTitle = 0x112233;
    s.General.CrTitleBack = 0x445566;
    const PageValues v = InfoLoad(s);
    const SwatchPaint title = PaintOfSwatch(InfoFields(), v, IDC_INFO_CRTITLE);
    EXPECT_TRUE(title.HasText);
    EXPECT_EQ(title.Text, 0x112233u);
    EXPECT_EQ(title.Back, 0x445566u);
    EXPECT_FALSE(PaintOfSwatch(InfoFields(), v, IDC_INFO_CRTITLEBACK).HasText);
    EXPECT_EQ(Ids(SwatchesShowing(InfoFields(), IDC_INFO_CRTITLEBACK)),
              (std::vector<int>{IDC_INFO_CRTITLEBACK, IDC_INFO_CRTITLE, IDC_INFO_CRCLOCK}));
    EXPECT_EQ(Ids(SwatchesShowing(InfoFields(), IDC_INFO_CRPLUSBACK)),
              (std::vector<int>{IDC_INFO_CRPLUSBACK, IDC_INFO_CRPLUSTEXT}));
    // The separator and the middle of the gradient show each other.
    EXPECT_EQ(Ids(SwatchesShowing(AziFields(), IDC_AZI_CRGRADD)),
              (std::vector<int>{IDC_AZI_CRGRADD, IDC_AZI_CRSCALE}));
    EXPECT_EQ(Ids(SwatchesShowing(AziFields(), IDC_AZI_CRSCALE)),
              (std::vector<int>{IDC_AZI_CRSCALE, IDC_AZI_CRGRADD}));
}

TEST(OptionPages, BasePageDegreeSignSpacingAndMargins) {
    SettingsStore s;
    s.Bodies[kMoon].SpaceTop = 4;
    s.Bodies[kSun].SpaceTop = 9;
    PageValues v = BaseLoad(&s);
    EXPECT_EQ(s.General.Deg, kDegreeSign);  // "0" stands for the sign, in memory too
    EXPECT_EQ(Text(v, IDC_BASE_DEG), kDegreeSign);
    EXPECT_EQ(Number(v, IDC_BASE_SPACE_TOP), 4);  // the Moon's
    v[IDC_BASE_SPACE_BOTTOM].Number = 6;
    v[IDC_BASE_MARGIN_LEFT].Number = 3;
    v[IDC_BASE_ANGLE].Number = 1;
    BaseApply(v, &s);
    for (const BodyStyle& b : s.Bodies) {
        EXPECT_EQ(b.SpaceTop, 4);
        EXPECT_EQ(b.SpaceBottom, 6);
    }
    EXPECT_EQ(s.General.MarginLeft, 3);
    EXPECT_EQ(s.General.BaseAngle, 1);
}

TEST(OptionPages, TapListsAreTheActionPlusOne) {
    SettingsStore s;
    PageValues v = TapLoad(s);
    EXPECT_EQ(Number(v, IDC_TAP_L), 8);  // "-hour" is action 7
    EXPECT_EQ(Number(v, IDC_HOLD_M), 15);
    v[IDC_TAP_M].Number = 0;  // "none"
    v[IDC_TAP_ON].Number = 0;
    TapApply(v, &s);
    EXPECT_EQ(s.General.TapM, -1);
    EXPECT_EQ(s.General.TapL, 7);
    EXPECT_EQ(s.General.Tap, 0);
    ASSERT_EQ(TapFields().size(), 7u);
    EXPECT_EQ(TapFields()[1].FirstString, 30);
    EXPECT_EQ(TapFields()[1].StringCount, 17);
}

TEST(OptionPages, InfoPageTitleBitsClockAndMargins) {
    SettingsStore s;
    s.General.Title = 5;
    s.General.Clock = 6;
    PageValues v = InfoLoad(s);
    EXPECT_EQ(Number(v, IDC_INFO_LOCATION), 1);
    EXPECT_EQ(Number(v, IDC_INFO_LATLNG), 0);
    EXPECT_NE(Number(v, IDC_INFO_ALT), 0);
    EXPECT_EQ(Number(v, IDC_INFO_CLOCK), 2);
    EXPECT_NE(Number(v, IDC_INFO_TD), 0);
    v[IDC_INFO_TMARGIN_TOP].Number = 5;
    v[IDC_INFO_TMARGIN_BOTTOM].Number = 7;
    v[IDC_INFO_TD].Number = 0;
    v[IDC_INFO_CLOCK].Number = 1;
    v[IDC_INFO_LATLNG].Number = 1;
    v[IDC_INFO_FONT].Text = std::wstring(50, L'F');
    v[IDC_INFO_FONT].Number = 128;
    InfoApply(v, &s);
    EXPECT_EQ(s.General.TMarginTop, 5);
    EXPECT_EQ(s.General.TMarginBottom, 7);
    EXPECT_EQ(s.General.TMarginLeft, 3);
    EXPECT_EQ(s.General.Clock, 1);
    EXPECT_EQ(s.General.Title, 7);
    EXPECT_EQ(s.General.FaceName.size(), 31u);
    EXPECT_EQ(s.General.CharSet, 128);
}

TEST(OptionPages, UntouchedPagesChangeNothing) {
    SettingsStore s;
    s.General.CrPlusBack = 0x010203;
    s.General.AzimuthE = 270;
    s.Bodies[kJupiter].TextD = 5;
    const SettingsStore info = RoundTrip(s, InfoLoad, InfoApply);
    EXPECT_EQ(info.General.CrPlusBack, 0x010203u);
    EXPECT_EQ(info.General.Title, 3);
    EXPECT_EQ(info.General.Clock, 6);
    EXPECT_EQ(RoundTrip(s, AziLoad, AziApply).General.AzimuthE, 270);
    SettingsStore saturn = s;
    BodyApply(BodyLoad(saturn, kSaturn), kSaturn, &saturn);
    EXPECT_EQ(saturn.Bodies[kSaturn].MarginTop, -9);
    EXPECT_EQ(saturn.Bodies[kSaturn].MarginBottom, -9);
    EXPECT_EQ(saturn.Bodies[kSaturn].Text, 15);
    EXPECT_EQ(saturn.Bodies[kSaturn].IconMode, 1);  // non-zero is written as 1
    EXPECT_EQ(saturn.Bodies[kSaturn].Name, L"Saturn");
    SettingsStore moon = s;
    BodyApply(BodyLoad(moon, kMoon), kMoon, &moon);
    EXPECT_EQ(moon.Bodies[kMoon].Margintxt, 5);
    EXPECT_EQ(moon.Bodies[kMoon].Text, 15);  // bit 1 from "Age" on the Moon's page
}

TEST(OptionPages, BodyPageEventPartsFromTheLargestLine) {
    SettingsStore s;
    BodyStyle& b = s.Bodies[kMars];
    b.TextR = 3;
    b.TextS = 0;
    b.TextD = 12;
    PageValues v = BodyLoad(s, kMars);
    EXPECT_EQ(Number(v, IDC_BODY_PART1), 0);
    EXPECT_EQ(Number(v, IDC_BODY_PART4), 1);
    EXPECT_EQ(Number(v, IDC_BODY_PART8), 1);
    EXPECT_EQ(Number(v, IDC_BODY_RISE), 1);
    EXPECT_EQ(Number(v, IDC_BODY_SET), 0);
    BodyApply(v, kMars, &s);
    EXPECT_EQ(b.TextR, 12);  // the shared parts for every ticked line
    EXPECT_EQ(b.TextD, 12);
    EXPECT_EQ(b.TextS, 0);
    // Signed: a negative line does not outrank a positive one.
    b.TextR = -1;
    b.TextS = 2;
    b.TextD = 0;
    EXPECT_EQ(SharedEventParts(b), 2);
    v = BodyLoad(s, kMars);
    v[IDC_BODY_SPACETXT].Number = -40;
    v[IDC_BODY_TEXT2].Number = 0;
    v[IDC_BODY_CRRISE].Number = 0x00ABCD;
    v[IDC_BODY_NAME].Text = L"Ares";
    BodyApply(v, kMars, &s);
    EXPECT_EQ(b.Spacetxt, -40);
    EXPECT_EQ(b.Text, 13);
    EXPECT_EQ(b.CrTextR, 0x00ABCDu);
    EXPECT_EQ(b.Name, L"Ares");
    EXPECT_EQ(s.Bodies[kVenus].Name, L"Venus");
}

TEST(OptionPages, BackPageAlphaForAllAndTheCopyButtons) {
    SettingsStore s;
    s.Bodies[kMoon].AlphaS = 90;
    s.Bodies[kMoon].CrGradD = 0x123456;
    s.Bodies[kMoon].CrBack = 0x000011;
    PageValues v = BackLoad(s);
    EXPECT_EQ(Number(v, IDC_BACK_ALPHAS), 90);
    v[IDC_BACK_ALPHAS].Number = 200;
    BackCopyMoon(&v);
    EXPECT_EQ(Number(v, IDC_BACK_B6_GRADD), 0x123456);
    EXPECT_EQ(Number(v, IDC_BACK_B0_BACK), 0x11);
    BackApply(v, &s);
    for (const BodyStyle& b : s.Bodies) {
        EXPECT_EQ(b.AlphaS, 200);
        EXPECT_EQ(b.CrGradD, 0x123456u);
        EXPECT_EQ(b.CrScale, 0x123456u);  // the culmination mark follows the middle
    }
    // "back" takes the colours again from memory, the weight "Set" stays.
    SettingsStore fresh;
    v[IDC_BACK_TRANS].Number = 0;
    BackRetake(&v, fresh);
    EXPECT_EQ(Number(v, IDC_BACK_B6_GRADD), 0x4A2418);
    EXPECT_EQ(Number(v, IDC_BACK_TRANS), 1);
    EXPECT_EQ(Number(v, IDC_BACK_ALPHAS), 200);
    const SwatchPaint name = PaintOfSwatch(BackFields(), v, IDC_BACK_B0_BACK);
    EXPECT_TRUE(name.HasText);
    EXPECT_EQ(name.Text, 0xFFFFFFu);  // the Sun's text colour on its row colour
}

TEST(LocationPage, TypedSlotNumberSelectsThatSlotOrTheNearestKeepingEdits) {
    SettingsStore s;
    LocationPage page = OpenLocationPage(s.Locations, 0);
    SlotControls shown = ShowSlot(page.Work[0]);
    EXPECT_EQ(shown.Name, L"Tokyo");
    shown.Name = L"Edo";
    bool rewrite = true;
    // The number of the slot shown, typed again: it stays, and so do its edits.
    EXPECT_EQ(ChangeSlot(&page, shown, L"0", &rewrite), 0);
    EXPECT_FALSE(rewrite);
    EXPECT_EQ(page.Work[0].Location, L"Tokyo");  // not stored yet: still on screen
    EXPECT_EQ(ChangeSlot(&page, shown, L"5", &rewrite), 5);
    EXPECT_FALSE(rewrite);
    EXPECT_EQ(page.Work[0].Location, L"Edo");
    shown = ShowSlot(page.Work[5]);
    shown.Lat = L"22.5";
    // "52": the last slot, and the edit shows 19.
    EXPECT_EQ(ChangeSlot(&page, shown, L"52", &rewrite), 19);
    EXPECT_TRUE(rewrite);
    EXPECT_DOUBLE_EQ(page.Work[5].Lat, 22.5);
    EXPECT_EQ(ChangeSlot(&page, ShowSlot(page.Work[19]), L"99999999999999999999", &rewrite), 19);
    EXPECT_TRUE(rewrite);
    EXPECT_EQ(ChangeSlot(&page, ShowSlot(page.Work[19]), L"-3", &rewrite), 0);
    EXPECT_TRUE(rewrite);
    EXPECT_EQ(ChangeSlot(&page, ShowSlot(page.Work[0]), L"07", &rewrite), 7);
    EXPECT_FALSE(rewrite);
    EXPECT_EQ(ChangeSlot(&page, ShowSlot(page.Work[7]), L"x", &rewrite), 7);
    EXPECT_FALSE(rewrite);
    EXPECT_EQ(page.EditSlot, 7);
    EXPECT_EQ(s.Locations[0].Location, L"Tokyo");  // nothing live before apply
}

TEST(LocationPage, OffsetModesAndQuarterHours) {
    LocationRecord r = CityTable()[8];  // New York
    r.UtcGet = 2;
    SlotControls c = ShowSlot(r);
    EXPECT_TRUE(c.Offset.FromLng);
    EXPECT_TRUE(c.Offset.Auto);
    EXPECT_FALSE(c.Offset.MarginEnabled);
    c.Lng = L"-74";
    c.Td = L"3.0";
    StoreSlot(c, &r);
    EXPECT_DOUBLE_EQ(r.UtcMargin, -4.5);  // from the longitude, whatever "TD" says
    EXPECT_EQ(r.UtcGet, 2);

    LocationRecord kathmandu = CityTable()[16];
    kathmandu.UtcMargin = 5.75;
    StoreSlot(ShowSlot(kathmandu), &kathmandu);
    EXPECT_DOUBLE_EQ(kathmandu.UtcMargin, 5.75);

    LocationRecord device = CityTable()[0];
    device.UtcGet = 3;
    c = ShowSlot(device);
    EXPECT_FALSE(c.Offset.BoxesEnabled);
    c.Offset.Auto = true;
    StoreSlot(c, &device);
    EXPECT_EQ(device.UtcGet, 3);

    c = ShowSlot(CityTable()[0]);
    c.Dst = L"";
    c.Alt = L"12m";
    c.Offset.FromLng = true;
    SetFromLongitude(&c.Offset, c.Offset.FromLng);
    EXPECT_TRUE(c.Offset.Auto);
    EXPECT_FALSE(c.Offset.MarginEnabled);
    c.Offset.Auto = false;
    SetAutoOffset(&c.Offset, c.Offset.Auto);
    EXPECT_FALSE(c.Offset.FromLng);
    EXPECT_TRUE(c.Offset.MarginEnabled);
    LocationRecord out = CityTable()[2];
    StoreSlot(c, &out);
    EXPECT_EQ(out.UtcGet, 0);
    EXPECT_EQ(out.Altitude, 12);
    EXPECT_EQ(out.ExistDST, 0);
    c.Dst = L"03/S2 02;11/S1 02";
    c.Name = std::wstring(400, L'n');
    StoreSlot(c, &out);
    EXPECT_EQ(out.ExistDST, 1);
    EXPECT_EQ(out.Location.size(), 259u);
}

TEST(LocationPage, ResetAfterThreeEditsAndApply) {
    SettingsStore s;
    LocationPage page = OpenLocationPage(s.Locations, 3);
    bool rewrite;
    for (const wchar_t* next : {L"4", L"5", L"6"}) {
        SlotControls c = ShowSlot(page.Work[page.EditSlot]);
        c.Name = L"edited";
        ChangeSlot(&page, c, next, &rewrite);
    }
    EXPECT_EQ(page.Work[5].Location, L"edited");
    ResetLocationPage(&page, s.Locations);
    EXPECT_EQ(page.EditSlot, 6);
    EXPECT_EQ(page.Work[3].Location, L"Auckland");
    EXPECT_EQ(page.Work[4].Location, L"Honolulu");
    EXPECT_EQ(page.Work[5].Location, L"Vancouver");

    SlotControls c = ShowSlot(page.Work[6]);
    c.Valid = false;
    ApplyLocationPage(&page, c, &s.Locations);
    EXPECT_EQ(s.Locations[6].Valid, 0);
    EXPECT_EQ(s.Locations[6].Location, L"Los Angeles");
}

TEST(SortPage, MovesWithinAndBetweenTheLists) {
    SortPage p = OpenSortPage(SortList(L"01"));
    EXPECT_EQ(p.Right, (std::vector<int>{0, 1}));
    EXPECT_EQ(p.Left, (std::vector<int>{2, 3, 4, 5, 6, 7, 8, 9}));
    EXPECT_FALSE(MoveUp(&p));  // from the top
    EXPECT_TRUE(MoveDown(&p));
    EXPECT_EQ(p.Right, (std::vector<int>{1, 0}));
    EXPECT_EQ(p.RightSel, 1);
    EXPECT_FALSE(MoveDown(&p));  // from the bottom
    p.LeftSel = 7;               // Pluto
    EXPECT_TRUE(MoveToRight(&p));
    EXPECT_EQ(p.Right, (std::vector<int>{1, 9, 0}));  // before the selected one
    EXPECT_EQ(p.RightSel, 2);
    EXPECT_EQ(p.LeftSel, 6);  // the new last one
    EXPECT_TRUE(MoveToLeft(&p));
    EXPECT_EQ(p.Right, (std::vector<int>{1, 9}));
    EXPECT_EQ(p.Left.back(), 0);
    EXPECT_EQ(p.RightSel, 1);
    EXPECT_EQ(ApplySortPage(p).Digits(), L"19");

    SortPage one = OpenSortPage(SortList(L"5"));
    EXPECT_FALSE(MoveUp(&one));
    EXPECT_FALSE(MoveDown(&one));
    one.RightSel = -1;
    one.LeftSel = 0;
    EXPECT_TRUE(MoveToRight(&one));
    EXPECT_EQ(one.Right, (std::vector<int>{5, 0}));  // none selected: at the end
}

TEST(SortPage, AnEmptyListBecomesTheMoonAlone) {
    SortPage p = OpenSortPage(SortList(L"0123456789"));
    EXPECT_TRUE(p.Left.empty());
    EXPECT_EQ(p.LeftSel, -1);
    while (MoveToLeft(&p)) {
    }
    EXPECT_TRUE(p.Right.empty());
    EXPECT_EQ(p.Left.size(), 10u);
    const SortList l = ApplySortPage(p);
    EXPECT_EQ(l.Entries[0], kMoon);
    EXPECT_EQ(l.Entries[1], -1);
    EXPECT_EQ(OpenSortPage(SortList(L"")).Right.size(), 0u);
}

TEST(OptionsStoreReset, TheNextStartScalesTheBuiltInSizesOnce) {
    RegClearAll();
    SettingsStore s;
    LoadOrInitialiseStore(&s, 2);  // first start: sizes doubled in memory and stored
    ASSERT_EQ(s.General.WidthScale, 2);
    ASSERT_TRUE(ResetSettingsStore());  // "RegDel": memory keeps the doubled sizes
    EXPECT_FALSE(LoadOrInitialiseStore(&s, 2));
    SettingsStore again;
    ASSERT_TRUE(LoadSettingsStore(&again));
    EXPECT_EQ(again.General.WidthScale, 2);
    EXPECT_EQ(again.Bodies[kJupiter].Spacetxt, 4);
    EXPECT_EQ(again.Bodies[kJupiter].PosStxt, 4);
    RegClearAll();
}

TEST(PictureChooser, OpensInThePicturesFolderAndKeepsTheDevicePath) {
    PictureChooserStart s = PictureChooserStartFor(L"C:\\Program Files\\Velkaro\\velkaro_sun.png");
    EXPECT_EQ(s.Folder, L"C:\\Program Files\\Velkaro");
    EXPECT_EQ(s.File, L"velkaro_sun.png");
    s = PictureChooserStartFor(L"C:\\sun.png");
    EXPECT_EQ(s.Folder, L"C:\\");
    s = PictureChooserStartFor(L"sun.png");
    EXPECT_EQ(s.Folder, L"");
    EXPECT_EQ(s.File, L"sun.png");
    s = PictureChooserStartFor(L"Z:/tmp/p/moon.bmp");
    EXPECT_EQ(s.Folder, L"Z:/tmp/p");
    EXPECT_EQ(s.File, L"moon.bmp");

    const std::wstring shown = L"\\Program Files\\Velkaro\\velkaro_sun.png";
    const std::wstring onDisk = L"C:\\Program Files\\Velkaro\\velkaro_sun.png";
    EXPECT_EQ(PicturePathAfterChoice(shown, onDisk, L"C:\\PROGRAM FILES\\Velkaro\\velkaro_SUN.png"), shown);
    EXPECT_EQ(PicturePathAfterChoice(shown, onDisk, L"C:\\Program Files\\Velkaro\\velkaro_moon.png"),
              L"C:\\Program Files\\Velkaro\\velkaro_moon.png");
}

// Showing a slot and leaving it untouched, or passing through it while typing
// a slot number, keeps the record exactly; an edit is still stored.
TEST(LocationPage, UntouchedSlotsKeepTheirRecordExactly) {
    SettingsStore s;
    s.Locations[4].UtcMargin = 5.833333;
    s.Locations[5].UtcMargin = -3.333333;
    LocationPage page = OpenLocationPage(s.Locations, 4);
    bool rewrite = false;
    ChangeSlot(&page, ShowSlot(page.Work[4]), L"5", &rewrite);
    EXPECT_EQ(page.Work[4].UtcMargin, 5.833333);
    SlotControls shown = ShowSlot(page.Work[5]);
    LocationTable live = s.Locations;
    ApplyLocationPage(&page, shown, &live);
    EXPECT_EQ(live[5].UtcMargin, -3.333333);
    EXPECT_EQ(live[4].UtcMargin, 5.833333);

    shown.Name = L"Elsewhere";
    ApplyLocationPage(&page, shown, &live);
    EXPECT_EQ(live[5].Location, L"Elsewhere");
    EXPECT_DOUBLE_EQ(live[5].UtcMargin, -3.33);  // what the edited controls said
}

TEST(OptionFields, FontListKeepsAStoredFaceItDoesNotList) {
    const std::vector<std::wstring> listed = {L"Arial", L"DejaVu Sans", L"Tahoma"};
    FieldValue stored, standIn, arial;
    stored.Text = L"";
    standIn.Text = L"DejaVu Sans";
    standIn.Number = 0;
    arial.Text = L"Arial";
    arial.Number = 0;
    // The default face (none chosen) opens on the stand-in and stays the default.
    EXPECT_EQ(FontFromList(stored, listed, L"DejaVu Sans", standIn).Text, L"");
    stored.Text = L"Gone Sans";
    stored.Number = 128;
    const FieldValue kept = FontFromList(stored, listed, L"DejaVu Sans", standIn);
    EXPECT_EQ(kept.Text, L"Gone Sans");
    EXPECT_EQ(kept.Number, 128);
    EXPECT_EQ(FontFromList(stored, listed, L"DejaVu Sans", arial).Text, L"Arial");  // a choice is taken
    stored.Text = L"Tahoma";
    EXPECT_EQ(FontFromList(stored, listed, L"DejaVu Sans", standIn).Text, L"DejaVu Sans");  // listed: as chosen
}
