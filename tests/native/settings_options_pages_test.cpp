#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>

#include "resources/options_ids.h"
#include "settings/options_location.h"
#include "settings/options_pages.h"
#include "settings/options_picture.h"
#include "platform/registry.h"
#include "settings/options_sort.h"

using namespace velkaro;

namespace {

// A page opened and applied untouched, as OK on the sheet does.
SettingsStore RoundTrip(SettingsStore s, TablePage page, int body = -1) {
    const PageValues v = LoadPage(page, body, &s);
    ApplyPage(page, body, v, &s);
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
    const PageValues v = LoadPage(kPageInfo, -1, &s);
    const SwatchPaint title = PaintOfSwatch(PageFields(kPageInfo), v, IDC_INFO_CRTITLE);
    EXPECT_TRUE(title.HasText);
    EXPECT_EQ(title.Text, 0x112233u);
    EXPECT_EQ(title.Back, 0x445566u);
    EXPECT_FALSE(PaintOfSwatch(PageFields(kPageInfo), v, IDC_INFO_CRTITLEBACK).HasText);
    EXPECT_EQ(Ids(SwatchesShowing(PageFields(kPageInfo), IDC_INFO_CRTITLEBACK)),
              (std::vector<int>{IDC_INFO_CRTITLEBACK, IDC_INFO_CRTITLE, IDC_INFO_CRCLOCK}));
    EXPECT_EQ(Ids(SwatchesShowing(PageFields(kPageInfo), IDC_INFO_CRPLUSBACK)),
              (std::vector<int>{IDC_INFO_CRPLUSBACK, IDC_INFO_CRPLUSTEXT}));
    // The separator and the middle of the gradient show each other.
    EXPECT_EQ(Ids(SwatchesShowing(PageFields(kPageAzi), IDC_AZI_CRGRADD)),
              (std::vector<int>{IDC_AZI_CRGRADD, IDC_AZI_CRSCALE}));
    EXPECT_EQ(Ids(SwatchesShowing(PageFields(kPageAzi), IDC_AZI_CRSCALE)),
              (std::vector<int>{IDC_AZI_CRSCALE, IDC_AZI_CRGRADD}));
}

TEST(OptionPages, BasePageDegreeSignSpacingAndMargins) {
    SettingsStore s;
    s.Bodies[kMoon].SpaceTop = 4;
    s.Bodies[kSun].SpaceTop = 9;
    PageValues v = LoadPage(kPageBase, -1, &s);
    EXPECT_EQ(s.General.Deg, kDegreeSign);  // "0" stands for the sign, in memory too
    EXPECT_EQ(Text(v, IDC_BASE_DEG), kDegreeSign);
    EXPECT_EQ(Number(v, IDC_BASE_SPACE_TOP), 4);  // the Moon's
    v[IDC_BASE_SPACE_BOTTOM].Number = 6;
    v[IDC_BASE_MARGIN_LEFT].Number = 3;
    v[IDC_BASE_ANGLE].Number = 1;
    ApplyPage(kPageBase, -1, v, &s);
    for (const BodyStyle& b : s.Bodies) {
        EXPECT_EQ(b.SpaceTop, 4);
        EXPECT_EQ(b.SpaceBottom, 6);
    }
    EXPECT_EQ(s.General.MarginLeft, 3);
    EXPECT_EQ(s.General.BaseAngle, 1);
}

TEST(OptionPages, TapListsAreTheActionPlusOne) {
    SettingsStore s;
    PageValues v = LoadPage(kPageTap, -1, &s);
    EXPECT_EQ(Number(v, IDC_TAP_L), 8);  // "-hour" is action 7
    EXPECT_EQ(Number(v, IDC_HOLD_M), 15);
    v[IDC_TAP_M].Number = 0;  // "none"
    v[IDC_TAP_ON].Number = 0;
    ApplyPage(kPageTap, -1, v, &s);
    EXPECT_EQ(s.General.TapM, -1);
    EXPECT_EQ(s.General.TapL, 7);
    EXPECT_EQ(s.General.Tap, 0);
    ASSERT_EQ(PageFields(kPageTap).size(), 7u);
    EXPECT_EQ(PageFields(kPageTap)[1].FirstString, 30);
    EXPECT_EQ(PageFields(kPageTap)[1].StringCount, 17);
}

TEST(OptionPages, InfoPageTitleBitsClockAndMargins) {
    SettingsStore s;
    s.General.Title = 5;
    s.General.Clock = 6;
    PageValues v = LoadPage(kPageInfo, -1, &s);
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
    ApplyPage(kPageInfo, -1, v, &s);
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
    const SettingsStore info = RoundTrip(s, kPageInfo);
    EXPECT_EQ(info.General.CrPlusBack, 0x010203u);
    EXPECT_EQ(info.General.Title, 3);
    EXPECT_EQ(info.General.Clock, 6);
    EXPECT_EQ(RoundTrip(s, kPageAzi).General.AzimuthE, 270);
    SettingsStore saturn = s;
    ApplyPage(kPageBody, kSaturn, LoadPage(kPageBody, kSaturn, &saturn), &saturn);
    EXPECT_EQ(saturn.Bodies[kSaturn].MarginTop, -9);
    EXPECT_EQ(saturn.Bodies[kSaturn].MarginBottom, -9);
    EXPECT_EQ(saturn.Bodies[kSaturn].Text, 15);
    EXPECT_EQ(saturn.Bodies[kSaturn].IconMode, 1);  // non-zero is written as 1
    EXPECT_EQ(saturn.Bodies[kSaturn].Name, L"Saturn");
    SettingsStore moon = s;
    ApplyPage(kPageBody, kMoon, LoadPage(kPageBody, kMoon, &moon), &moon);
    EXPECT_EQ(moon.Bodies[kMoon].Margintxt, 5);
    EXPECT_EQ(moon.Bodies[kMoon].Text, 15);  // bit 1 from "Age" on the Moon's page
}

TEST(OptionPages, BodyPageEventPartsFromTheLargestLine) {
    SettingsStore s;
    BodyStyle& b = s.Bodies[kMars];
    b.TextR = 3;
    b.TextS = 0;
    b.TextD = 12;
    PageValues v = LoadPage(kPageBody, kMars, &s);
    EXPECT_EQ(Number(v, IDC_BODY_PART1), 0);
    EXPECT_EQ(Number(v, IDC_BODY_PART4), 1);
    EXPECT_EQ(Number(v, IDC_BODY_PART8), 1);
    EXPECT_EQ(Number(v, IDC_BODY_RISE), 1);
    EXPECT_EQ(Number(v, IDC_BODY_SET), 0);
    ApplyPage(kPageBody, kMars, v, &s);
    EXPECT_EQ(b.TextR, 12);  // the shared parts for every ticked line
    EXPECT_EQ(b.TextD, 12);
    EXPECT_EQ(b.TextS, 0);
    // Signed: a negative line does not outrank a positive one.
    b.TextR = -1;
    b.TextS = 2;
    b.TextD = 0;
    EXPECT_EQ(SharedEventParts(b), 2);
    v = LoadPage(kPageBody, kMars, &s);
    v[IDC_BODY_SPACETXT].Number = -40;
    v[IDC_BODY_TEXT2].Number = 0;
    v[IDC_BODY_CRRISE].Number = 0x00ABCD;
    v[IDC_BODY_NAME].Text = L"Ares";
    ApplyPage(kPageBody, kMars, v, &s);
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
    PageValues v = LoadPage(kPageBack, -1, &s);
    EXPECT_EQ(Number(v, IDC_BACK_ALPHAS), 90);
    v[IDC_BACK_ALPHAS].Number = 200;
    BackCopyMoon(&v);
    EXPECT_EQ(Number(v, IDC_BACK_B6_GRADD), 0x123456);
    EXPECT_EQ(Number(v, IDC_BACK_B0_BACK), 0x11);
    ApplyPage(kPageBack, -1, v, &s);
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
    const SwatchPaint name = PaintOfSwatch(PageFields(kPageBack), v, IDC_BACK_B0_BACK);
    EXPECT_TRUE(name.HasText);
    EXPECT_EQ(name.Text, 0xFFFFFFu);  // the Sun's text colour on its row colour
}

// ------------------------------------------------------------------ descriptors

namespace {

using G = GeneralSettings;
using B = BodyStyle;

// One control and what it edited before the pages were described as data.
struct Bound {
    int Id;
    SettingField Field;
    FieldRole Role = kRoleWhole;
    int Mask = 0;
    int Body = kThisBody;
    SettingField Extra = {};
};

Bound Bit(int id, SettingField f, int mask) { return {id, f, kRoleBit, mask}; }
Bound Every(int id, SettingField f) { return {id, f, kRoleWhole, 0, kEveryBody}; }

std::vector<Bound> BoundBefore(TablePage page, int body) {
    switch (page) {
        case kPageBase:
            return {{IDC_BASE_ANGLE, &G::BaseAngle}, {IDC_BASE_DEG, &G::Deg},
                    {IDC_BASE_SHINE, &G::AlphaEarthShine}, {IDC_BASE_DST, &G::DST},
                    {IDC_BASE_DSTMARK, &G::DSTMark}, {IDC_BASE_RESET, &G::ResetTime},
                    {IDC_BASE_INFOSTART, &G::InfoStart}, {IDC_BASE_MENUTIME, &G::MenuTime},
                    Every(IDC_BASE_SPACE_TOP, &B::SpaceTop), Every(IDC_BASE_SPACE_BOTTOM, &B::SpaceBottom),
                    {IDC_BASE_MARGIN_TOP, &G::MarginTop}, {IDC_BASE_MARGIN_BOTTOM, &G::MarginBottom},
                    {IDC_BASE_MARGIN_LEFT, &G::MarginLeft}, {IDC_BASE_MARGIN_RIGHT, &G::MarginRight}};
        case kPageTap:
            return {{IDC_TAP_ON, &G::Tap}, {IDC_TAP_L, &G::TapL}, {IDC_TAP_M, &G::TapM}, {IDC_TAP_R, &G::TapR},
                    {IDC_HOLD_L, &G::HoldL}, {IDC_HOLD_M, &G::HoldM}, {IDC_HOLD_R, &G::HoldR}};
        case kPageInfo:
            return {Bit(IDC_INFO_LOCATION, &G::Title, 1), Bit(IDC_INFO_LATLNG, &G::Title, 2),
                    Bit(IDC_INFO_ALT, &G::Title, 4), Bit(IDC_INFO_CLOCK, &G::Clock, 3),
                    Bit(IDC_INFO_TD, &G::Clock, 4),
                    {IDC_INFO_FONT, &G::FaceName, kRoleWhole, 0, kThisBody, &G::CharSet},
                    {IDC_INFO_SIZE, &G::TextSize}, {IDC_INFO_TMARGIN_TOP, &G::TMarginTop},
                    {IDC_INFO_TMARGIN_BOTTOM, &G::TMarginBottom}, {IDC_INFO_TMARGIN_LEFT, &G::TMarginLeft},
                    {IDC_INFO_TMARGIN_RIGHT, &G::TMarginRight}, {IDC_INFO_CRTITLE, &G::CrTitle},
                    {IDC_INFO_CRCLOCK, &G::CrClock}, {IDC_INFO_CRTITLEBACK, &G::CrTitleBack},
                    {IDC_INFO_CRPLUSTEXT, &G::CrPlusText}, {IDC_INFO_CRPLUSBACK, &G::CrPlusBack}};
        case kPageAzi:
            return {{IDC_AZI_START, &G::Start}, {IDC_AZI_SOUTH, &G::SouthAzimuth}, {IDC_AZI_FROM, &G::AzimuthS},
                    {IDC_AZI_TO, &G::AzimuthE}, {IDC_AZI_EQUATOR, &G::EquatorAzimuth},
                    {IDC_AZI_EQLAT, &G::EquatorLat}, {IDC_AZI_EQMETER, &G::EquatorMeter},
                    {IDC_AZI_SEP, &G::WidthScale}, {IDC_AZI_CRGRADE, &G::CrGradE}, {IDC_AZI_CRGRADD, &G::CrGradD},
                    {IDC_AZI_CRGRADW, &G::CrGradW}, {IDC_AZI_CRSCALE, &G::CrScale}};
        case kPageBack: {
            std::vector<Bound> v = {{IDC_BACK_TRANS, &G::TransToday}, {IDC_BACK_ALPHA, &G::AlphaToday},
                                    Every(IDC_BACK_ALPHAS, &B::AlphaS), {IDC_BACK_CRBACK, &G::CrBack}};
            const int rows[kBodyCount][4] = {
                {IDC_BACK_B0_BACK, IDC_BACK_B0_GRADE, IDC_BACK_B0_GRADD, IDC_BACK_B0_GRADW},
                {IDC_BACK_B1_BACK, IDC_BACK_B1_GRADE, IDC_BACK_B1_GRADD, IDC_BACK_B1_GRADW},
                {IDC_BACK_B2_BACK, IDC_BACK_B2_GRADE, IDC_BACK_B2_GRADD, IDC_BACK_B2_GRADW},
                {IDC_BACK_B3_BACK, IDC_BACK_B3_GRADE, IDC_BACK_B3_GRADD, IDC_BACK_B3_GRADW},
                {IDC_BACK_B4_BACK, IDC_BACK_B4_GRADE, IDC_BACK_B4_GRADD, IDC_BACK_B4_GRADW},
                {IDC_BACK_B5_BACK, IDC_BACK_B5_GRADE, IDC_BACK_B5_GRADD, IDC_BACK_B5_GRADW},
                {IDC_BACK_B6_BACK, IDC_BACK_B6_GRADE, IDC_BACK_B6_GRADD, IDC_BACK_B6_GRADW},
                {IDC_BACK_B7_BACK, IDC_BACK_B7_GRADE, IDC_BACK_B7_GRADD, IDC_BACK_B7_GRADW},
                {IDC_BACK_B8_BACK, IDC_BACK_B8_GRADE, IDC_BACK_B8_GRADD, IDC_BACK_B8_GRADW},
                {IDC_BACK_B9_BACK, IDC_BACK_B9_GRADE, IDC_BACK_B9_GRADD, IDC_BACK_B9_GRADW},
            };
            for (int b = 0; b < kBodyCount; ++b) {
                v.push_back({rows[b][0], &B::CrBack, kRoleWhole, 0, b});
                v.push_back({rows[b][1], &B::CrGradE, kRoleWhole, 0, b});
                v.push_back({rows[b][2], &B::CrGradD, kRoleWhole, 0, b, &B::CrScale});
                v.push_back({rows[b][3], &B::CrGradW, kRoleWhole, 0, b});
                v.push_back({BackNameTextValue(b), &B::CrText, kRoleWhole, 0, b});
            }
            return v;
        }
        case kPageBody: {
            std::vector<Bound> v = {
                {IDC_BODY_ICONMODE, &B::IconMode}, {IDC_BODY_ICON, &B::Icon}, {IDC_BODY_SPACETXT, &B::Spacetxt},
                {IDC_BODY_CRTEXT, &B::CrText}, {kBodyBackValue, &B::CrBack},
                Bit(body == kMoon ? IDC_BODY_AGE : IDC_BODY_TEXT1, &B::Text, 1), Bit(IDC_BODY_TEXT2, &B::Text, 2),
                Bit(IDC_BODY_TEXT4, &B::Text, 4), Bit(IDC_BODY_TEXT8, &B::Text, 8),
                {IDC_BODY_RISE, &B::TextR, kRoleEventLine}, {IDC_BODY_CULM, &B::TextD, kRoleEventLine},
                {IDC_BODY_SET, &B::TextS, kRoleEventLine},
                {IDC_BODY_PART1, {}, kRoleEventPart, 1}, {IDC_BODY_PART2, {}, kRoleEventPart, 2},
                {IDC_BODY_PART4, {}, kRoleEventPart, 4}, {IDC_BODY_PART8, {}, kRoleEventPart, 8},
                {IDC_BODY_CRRISE, &B::CrTextR}, {IDC_BODY_CRCULM, &B::CrTextD}, {IDC_BODY_CRSET, &B::CrTextS},
                {IDC_BODY_LAYOUT, &B::TextRS},
                {IDC_BODY_FONT, &B::FaceName, kRoleWhole, 0, kThisBody, &B::CharSet},
                {IDC_BODY_SIZE, &B::TextSize}, {IDC_BODY_MARGINTXT, &B::Margintxt},
                {IDC_BODY_FONTR, &B::FaceNameR, kRoleWhole, 0, kThisBody, &B::CharSetR},
                {IDC_BODY_SIZER, &B::TextSizeR}, {IDC_BODY_MARGINRS, &B::MarginRStxt},
                {IDC_BODY_MARGIN_TOP, &B::MarginTop}, {IDC_BODY_MARGIN_BOTTOM, &B::MarginBottom},
                {IDC_BODY_WIDTHSL, &B::WidthSL}, {IDC_BODY_WIDTHSR, &B::WidthSR}};
            if (body != kMoon) v.push_back({IDC_BODY_NAME, &B::Name});
            return v;
        }
    }
    return {};
}

struct PageAt {
    TablePage Page;
    int Body;
};

std::vector<PageAt> EveryTablePage() {
    std::vector<PageAt> v = {{kPageBase, -1}, {kPageTap, -1}, {kPageInfo, -1}, {kPageAzi, -1}, {kPageBack, -1}};
    for (int b = 0; b < kBodyCount; ++b) v.push_back({kPageBody, b});
    return v;
}

// Everything the store holds, texts whole, and the names it does not store.
std::string Image(const SettingsStore& s) {
    RegClearAll();
    SaveSettingsStore(s);
    std::string image = RegExportTree();
    auto add = [&image](const std::wstring& t) { image += "|" + std::string(t.begin(), t.end()); };
    add(s.General.Deg);
    add(s.General.DSTMark);
    add(s.General.FaceName);
    for (const BodyStyle& b : s.Bodies) {
        add(b.Icon);
        add(b.FaceName);
        add(b.FaceNameR);
        add(b.Name);
    }
    RegClearAll();
    return image;
}

// The lines of one image not in the other, to read a failure by.
std::string Differences(const std::string& a, const std::string& b) {
    auto lines = [](const std::string& s) {
        std::vector<std::string> v;
        size_t from = 0;
        for (size_t at; (at = s.find_first_of("\n|", from)) != std::string::npos; from = at + 1)
            v.push_back(s.substr(from, at - from));
        v.push_back(s.substr(from));
        return v;
    };
    const std::vector<std::string> la = lines(a), lb = lines(b);
    std::string d;
    for (size_t i = 0; i < std::max(la.size(), lb.size()); ++i) {
        const std::string x = i < la.size() ? la[i] : "", y = i < lb.size() ? lb[i] : "";
        if (x != y) d += "- " + x + "\n+ " + y + "\n";
    }
    return d;
}

// A store whose every setting differs from its default and is one a page can
// show: each control has something to carry.
SettingsStore Varied() {
    SettingsStore s;
    G& g = s.General;
    g.BaseAngle = 1;
    g.Deg = L"d";
    g.AlphaEarthShine = 17;
    g.DST = 0;
    g.DSTMark = L"*";
    g.ResetTime = 9999;
    g.InfoStart = 0;
    g.MenuTime = 0;
    g.MarginTop = 3;
    g.MarginBottom = 4;
    g.MarginLeft = 5;
    g.MarginRight = 6;
    g.Tap = 0;
    g.TapL = -1;
    g.TapM = 15;
    g.TapR = 2;
    g.HoldL = 3;
    g.HoldM = 0;
    g.HoldR = 6;
    g.Title = kTitleLatLng | kTitleHeight;
    g.Clock = kClockUtc;
    g.FaceName = L"MS Gothic";
    g.CharSet = 128;
    g.TextSize = 999;
    g.TMarginTop = 7;
    g.TMarginBottom = 8;
    g.TMarginLeft = 9;
    g.TMarginRight = 10;
    g.CrTitle = 0x010101;
    g.CrClock = 0x020202;
    g.CrTitleBack = 0x030303;
    g.CrPlusText = 0x040404;
    g.CrPlusBack = 0x050505;
    g.Start = 0;
    g.SouthAzimuth = 0;
    g.AzimuthS = 0;
    g.AzimuthE = 360;
    g.EquatorAzimuth = 0;
    g.EquatorLat = 90;
    g.EquatorMeter = 0;
    g.WidthScale = 11;
    g.CrGradE = 0x060606;
    g.CrGradD = 0x070707;
    g.CrGradW = 0x080808;
    g.CrScale = 0x090909;
    g.TransToday = 0;
    g.AlphaToday = 255;
    g.CrBack = 0x0A0A0A;
    for (int i = 0; i < kBodyCount; ++i) {
        B& b = s.Bodies[i];
        b.IconMode = i % 2;
        b.Icon = L"\\p" + std::to_wstring(i) + L".png";
        b.Spacetxt = -999 + i;
        b.CrText = 0x100000 + i;
        b.CrBack = 0x200000 + i;
        b.Name = L"n" + std::to_wstring(i);
        b.Text = i;
        b.TextR = i % 2 ? 0 : 9;
        b.TextD = 9;
        b.TextS = i % 3 ? 9 : 0;
        b.CrTextR = 0x300000 + i;
        b.CrTextD = 0x400000 + i;
        b.CrTextS = 0x500000 + i;
        b.TextRS = i % 5;
        b.FaceName = L"f" + std::to_wstring(i);
        b.CharSet = i;
        b.TextSize = 20 + i;
        b.Margintxt = 30 + i;
        b.FaceNameR = L"r" + std::to_wstring(i);
        b.CharSetR = 2 * i;
        b.TextSizeR = 40 + i;
        b.MarginRStxt = 50 + i;
        b.MarginTop = -20 - i;
        b.MarginBottom = 999 - i;
        b.WidthSL = 60 + i;
        b.WidthSR = 70 + i;
        b.CrGradE = 0x600000 + i;
        b.CrGradD = 0x700000 + i;
        b.CrGradW = 0x800000 + i;
        b.CrScale = b.CrGradD;  // as the back page writes it
        // Shown from the Moon's, applied to all: the same everywhere.
        b.SpaceTop = 12;
        b.SpaceBottom = 13;
        b.AlphaS = 14;
    }
    return s;
}

std::string Where(const PageAt& p) { return "page " + std::to_string(p.Page) + " body " + std::to_string(p.Body); }

}  // namespace

// The list above is what the pages bound before they were tables; every entry
// is still bound, to the same control, and nothing else is.
TEST(OptionDescriptors, EveryControlEditsTheFieldItDidBefore) {
    for (const PageAt& p : EveryTablePage()) {
        const std::vector<FieldDef>& fields = PageFields(p.Page, p.Body);
        const std::vector<Bound> before = BoundBefore(p.Page, p.Body);
        EXPECT_EQ(fields.size(), before.size()) << Where(p);
        for (const Bound& b : before) {
            const FieldDef* f = FindField(fields, b.Id);
            ASSERT_NE(f, nullptr) << Where(p) << " control " << b.Id;
            EXPECT_TRUE(f->Field == b.Field) << Where(p) << " control " << b.Id;
            EXPECT_TRUE(f->Extra == b.Extra) << Where(p) << " control " << b.Id;
            EXPECT_EQ(f->Role, b.Role) << Where(p) << " control " << b.Id;
            EXPECT_EQ(f->Mask, b.Mask) << Where(p) << " control " << b.Id;
            EXPECT_EQ(f->Body, b.Body) << Where(p) << " control " << b.Id;
            // Only a colour with no control of its own is left out of apply.
            EXPECT_EQ(f->Kind == kFieldShown, b.Id < 0) << Where(p) << " control " << b.Id;
        }
    }
}

TEST(OptionDescriptors, NoTwoControlsOfAPageShareAnId) {
    for (const PageAt& p : EveryTablePage()) {
        std::map<int, int> seen;
        for (const FieldDef& f : PageFields(p.Page, p.Body)) {
            ++seen[f.Id];
            if (f.Kind == kFieldSpin) ++seen[f.Spin];
        }
        for (const auto& [id, n] : seen) EXPECT_EQ(n, 1) << Where(p) << " id " << id;
    }
}

// Spins offer the range the store reads into, lists one entry per value,
// texts and faces the store's width.
TEST(OptionDescriptors, RangesListsAndWidthsAreTheStores) {
    for (const PageAt& p : EveryTablePage()) {
        for (const FieldDef& f : PageFields(p.Page, p.Body)) {
            const std::string at = Where(p) + " control " + std::to_string(f.Id);
            SettingRange r{0, 0};
            switch (f.Kind) {
                case kFieldSpin:
                    ASSERT_TRUE(StoredRange(f.Field, &r)) << at;
                    EXPECT_EQ(f.Lo, r.Lo) << at;
                    EXPECT_EQ(f.Hi, r.Hi) << at;
                    break;
                case kFieldList:
                    EXPECT_EQ(f.Hi - f.Lo + 1, static_cast<int>(f.Items.size()) + f.StringCount) << at;
                    break;
                case kFieldText:
                case kFieldFont:
                    EXPECT_GT(f.Width, 0u) << at;
                    EXPECT_EQ(f.Width, StoredWidth(f.Field)) << at;
                    break;
                default:
                    break;
            }
        }
    }
    EXPECT_EQ(StoredWidth(&G::Deg), 24u);
    EXPECT_EQ(StoredWidth(&B::FaceNameR), 32u);
    EXPECT_EQ(StoredWidth(&G::TextSize), 0u);
    SettingRange r{0, 0};
    EXPECT_TRUE(StoredRange(&B::MarginTop, &r));
    EXPECT_EQ(r.Lo, kOffsetRange.Lo);
    EXPECT_FALSE(StoredRange(&G::Title, &r));
}

TEST(OptionDescriptors, APageAppliedUntouchedLeavesTheStoreAsItWas) {
    for (const SettingsStore& start : {Varied(), [] {
                                           SettingsStore s;  // the defaults, pictures on as the pages write it
                                           for (BodyStyle& b : s.Bodies) b.IconMode = 1;
                                           s.General.Deg = kDegreeSign;
                                           return s;
                                       }()}) {
        const std::string before = Image(start);
        for (const PageAt& p : EveryTablePage()) {
            SettingsStore s = start;
            const PageValues v = LoadPage(p.Page, p.Body, &s);
            ApplyPage(p.Page, p.Body, v, &s);
            EXPECT_EQ(Differences(before, Image(s)), "") << Where(p);
        }
    }
}

// Every control carries its own value: a page's values loaded from one store
// and applied to another make the second like the first in what the page edits.
TEST(OptionDescriptors, AppliedValuesReachTheirFields) {
    const SettingsStore varied = Varied();
    for (const PageAt& p : EveryTablePage()) {
        SettingsStore from = varied, to;
        for (BodyStyle& b : to.Bodies) b.TextS = b.TextD = b.TextR = 0;
        const PageValues v = LoadPage(p.Page, p.Body, &from);
        ApplyPage(p.Page, p.Body, v, &to);
        SettingsStore again = to;
        const PageValues shown = LoadPage(p.Page, p.Body, &again);
        for (const FieldDef& f : PageFields(p.Page, p.Body)) {
            if (f.Kind == kFieldShown) continue;
            EXPECT_EQ(Number(shown, f.Id), Number(v, f.Id)) << Where(p) << " control " << f.Id;
            EXPECT_TRUE(Text(shown, f.Id) == Text(v, f.Id)) << Where(p) << " control " << f.Id;
        }
    }
}

TEST(OptionDescriptors, ValuesOutOfRangeApplyHeldToTheRange) {
    for (const PageAt& p : EveryTablePage()) {
        for (const FieldDef& f : PageFields(p.Page, p.Body)) {
            if (f.Kind != kFieldSpin && f.Kind != kFieldList && f.Kind != kFieldCheck && f.Kind != kFieldText) continue;
            const std::string at = Where(p) + " control " + std::to_string(f.Id);
            const int top = f.Kind == kFieldList ? f.Hi - f.Lo : f.Hi;
            const int bottom = f.Kind == kFieldList ? 0 : f.Lo;
            for (int n : {f.Hi + 100000, f.Lo - 100000}) {
                SettingsStore s = Varied();
                PageValues v = LoadPage(p.Page, p.Body, &s);
                v[f.Id].Number = n;
                v[f.Id].Text = std::wstring(5000, L'x');
                ApplyPage(p.Page, p.Body, v, &s);
                const PageValues shown = LoadPage(p.Page, p.Body, &s);
                if (f.Kind == kFieldText) {
                    EXPECT_EQ(Text(shown, f.Id).size(), f.Width - 1) << at;
                } else if (f.Kind == kFieldCheck) {
                    EXPECT_EQ(Number(shown, f.Id), 1) << at;  // any number but 0 is ticked
                } else {
                    EXPECT_EQ(Number(shown, f.Id), n > f.Hi ? top : bottom) << at;
                }
            }
        }
    }
}

// ------------------------------------------------------------------ controls

namespace {

// Controls as a dialog keeps them; a list selection out of range is none.
class FakeControls : public PageControls {
public:
    std::map<int, bool> Checks;
    std::map<int, std::wstring> Texts;
    std::map<int, size_t> Limits;
    std::map<int, SettingRange> Spins;
    std::map<int, int> ListSize, Selected;
    const std::vector<std::wstring> Faces = {L"Arial", L"MS Gothic", L"Tahoma"};
    const std::wstring StandIn = L"Tahoma";

    void SetChecked(int id, bool on) override { Checks[id] = on; }
    bool Checked(int id) override { return Checks[id]; }
    void SetText(int id, const std::wstring& text) override { Texts[id] = text; }
    std::wstring GetText(int id, size_t width) override { return Texts[id].substr(0, width - 1); }
    void LimitText(int id, size_t chars) override { Limits[id] = chars; }
    void SetUpSpin(const FieldDef& f) override { Spins[f.Id] = {f.Lo, f.Hi}; }
    void SetNumber(int id, int n) override { Texts[id] = std::to_wstring(n); }
    void FillList(const FieldDef& f) override { ListSize[f.Id] = static_cast<int>(f.Items.size()) + f.StringCount; }
    void Select(int id, int index) override { Selected[id] = index >= 0 && index < ListSize[id] ? index : -1; }
    int Selection(int id) override { return Selected.count(id) ? Selected[id] : -1; }
    void FillFonts(int id, const std::wstring& face) override {
        ListSize[id] = static_cast<int>(Faces.size());
        const auto at = [this](const std::wstring& f) {
            return static_cast<int>(std::find(Faces.begin(), Faces.end(), f) - Faces.begin());
        };
        Selected[id] = at(face) < ListSize[id] ? at(face) : at(StandIn);
    }
    bool SelectedFont(int id, FieldValue* font) override {
        const int i = Selection(id);
        if (i < 0) return false;
        font->Text = Faces[i];
        font->Number = i == 1 ? 128 : 0;
        return true;
    }
    std::vector<std::wstring> ListedFaces(std::wstring* standIn) override {
        *standIn = StandIn;
        return Faces;
    }
};

}  // namespace

// What the page procedure does: load, show, read the controls back, apply.
TEST(OptionPageControls, EveryPageShownAndReadBackKeepsTheStore) {
    const SettingsStore varied = Varied();
    const std::string before = Image(varied);
    for (const PageAt& p : EveryTablePage()) {
        SettingsStore s = varied;
        PageValues v = LoadPage(p.Page, p.Body, &s);
        FakeControls c;
        ShowFields(PageFields(p.Page, p.Body), v, &c);
        for (const FieldDef& f : PageFields(p.Page, p.Body)) {
            if (f.Kind == kFieldSpin) EXPECT_EQ(c.Spins[f.Id].Hi, f.Hi) << Where(p) << " control " << f.Id;
            if (f.Kind == kFieldText) EXPECT_EQ(c.Limits[f.Id], f.Width - 1) << Where(p) << " control " << f.Id;
        }
        ReadFields(PageFields(p.Page, p.Body), &c, &v);
        ApplyPage(p.Page, p.Body, v, &s);
        EXPECT_EQ(Differences(before, Image(s)), "") << Where(p);  // faces not listed ("f0") stay too
    }
}

TEST(OptionPageControls, TypedTextsReadAsTheFieldsAllow) {
    SettingsStore s;
    const std::vector<FieldDef>& base = PageFields(kPageBase);
    PageValues v = LoadPage(kPageBase, -1, &s);
    FakeControls c;
    ShowFields(base, v, &c);
    c.Texts[IDC_BASE_RESET] = L"abc";
    c.Texts[IDC_BASE_SHINE] = L"123456";
    c.Texts[IDC_BASE_MARGIN_TOP] = L"-5";
    c.Texts[IDC_BASE_DSTMARK] = std::wstring(300, L'm');
    c.Texts[IDC_BASE_DEG] = std::wstring(30, L'd');
    c.Selected[IDC_BASE_ANGLE] = -1;
    ReadFields(base, &c, &v);
    ApplyPage(kPageBase, -1, v, &s);
    EXPECT_EQ(s.General.ResetTime, 0);  // not a number
    EXPECT_EQ(s.General.AlphaEarthShine, 255);
    EXPECT_EQ(s.General.MarginTop, 0);
    EXPECT_EQ(s.General.DSTMark.size(), 259u);
    EXPECT_EQ(s.General.Deg.size(), 23u);
    EXPECT_EQ(s.General.BaseAngle, 0);  // no selection reads as the first entry

    const std::vector<FieldDef>& mars = PageFields(kPageBody, kMars);
    v = LoadPage(kPageBody, kMars, &s);
    ShowFields(mars, v, &c);
    EXPECT_EQ(c.Selected[IDC_BODY_FONT], 2);  // the default face (none) opens on the stand-in
    EXPECT_EQ(c.Texts[IDC_BODY_MARGIN_TOP], L"0");
    c.Selected[IDC_BODY_FONTR] = 1;
    c.Texts[IDC_BODY_MARGIN_TOP] = L"-40";
    c.Selected[IDC_BODY_LAYOUT] = 1;
    ReadFields(mars, &c, &v);
    ApplyPage(kPageBody, kMars, v, &s);
    EXPECT_EQ(s.Bodies[kMars].FaceName, L"");
    EXPECT_EQ(s.Bodies[kMars].FaceNameR, L"MS Gothic");
    EXPECT_EQ(s.Bodies[kMars].CharSetR, 128);
    EXPECT_EQ(s.Bodies[kMars].MarginTop, -40);
    EXPECT_EQ(s.Bodies[kMars].TextRS, 1);
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
