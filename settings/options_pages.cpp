#include "settings/options_pages.h"

#include <algorithm>

#include "resources/options_ids.h"

namespace velkaro {

namespace {

constexpr int kActionStrings = 30;  // "none" .. "info"
constexpr int kActionCount = 17;
constexpr int kBodyNameStrings = 20;

FieldValue N(int n) {
    FieldValue v;
    v.Number = n;
    return v;
}
FieldValue T(const std::wstring& s) {
    FieldValue v;
    v.Text = s;
    return v;
}
FieldValue FontValue(const std::wstring& face, int charset) {
    FieldValue v;
    v.Text = face;
    v.Number = charset;
    return v;
}
int Flag(const PageValues& v, int id) { return Number(v, id) ? 1 : 0; }
uint32_t Colour(const PageValues& v, int id) { return static_cast<uint32_t>(Number(v, id)) & 0xFFFFFF; }
std::wstring Face(const PageValues& v, int id) { return CutToField(Text(v, id), 32); }
// A spin over a stored setting offers the range the store reads it into.
FieldDef SpinIn(int id, int spin, SettingRange r) { return Spin(id, spin, r.Lo, r.Hi); }

}  // namespace

// ------------------------------------------------------------------ base

const std::vector<FieldDef>& BaseFields() {
    static const std::vector<FieldDef> f = {
        List(IDC_BASE_ANGLE, {L"numerical", L"South base", L"E.W.base", L"N.E.W.S."}),
        TextField(IDC_BASE_DEG, 24),
        Spin(IDC_BASE_SHINE, IDC_BASE_SHINE_SPIN, 0, 255),
        Check(IDC_BASE_DST),
        TextField(IDC_BASE_DSTMARK, 260),
        SpinIn(IDC_BASE_RESET, IDC_BASE_RESET_SPIN, kResetTimeRange),
        Check(IDC_BASE_INFOSTART),
        Check(IDC_BASE_MENUTIME),
        SpinIn(IDC_BASE_SPACE_TOP, IDC_BASE_SPACE_TOP_SPIN, kPixelRange),
        SpinIn(IDC_BASE_SPACE_BOTTOM, IDC_BASE_SPACE_BOTTOM_SPIN, kPixelRange),
        SpinIn(IDC_BASE_MARGIN_TOP, IDC_BASE_MARGIN_TOP_SPIN, kPixelRange),
        SpinIn(IDC_BASE_MARGIN_BOTTOM, IDC_BASE_MARGIN_BOTTOM_SPIN, kPixelRange),
        SpinIn(IDC_BASE_MARGIN_LEFT, IDC_BASE_MARGIN_LEFT_SPIN, kPixelRange),
        SpinIn(IDC_BASE_MARGIN_RIGHT, IDC_BASE_MARGIN_RIGHT_SPIN, kPixelRange),
    };
    return f;
}

PageValues BaseLoad(SettingsStore* store) {
    ResolveDegreeMark(&store->General);
    const GeneralSettings& g = store->General;
    const BodyStyle& moon = store->Bodies[kMoon];
    return {
        {IDC_BASE_ANGLE, N(std::clamp(g.BaseAngle, 0, 3))},
        {IDC_BASE_DEG, T(g.Deg)},
        {IDC_BASE_SHINE, N(g.AlphaEarthShine)},
        {IDC_BASE_DST, N(g.DST)},
        {IDC_BASE_DSTMARK, T(g.DSTMark)},
        {IDC_BASE_RESET, N(g.ResetTime)},
        {IDC_BASE_INFOSTART, N(g.InfoStart)},
        {IDC_BASE_MENUTIME, N(g.MenuTime)},
        {IDC_BASE_SPACE_TOP, N(moon.SpaceTop)},
        {IDC_BASE_SPACE_BOTTOM, N(moon.SpaceBottom)},
        {IDC_BASE_MARGIN_TOP, N(g.MarginTop)},
        {IDC_BASE_MARGIN_BOTTOM, N(g.MarginBottom)},
        {IDC_BASE_MARGIN_LEFT, N(g.MarginLeft)},
        {IDC_BASE_MARGIN_RIGHT, N(g.MarginRight)},
    };
}

void BaseApply(const PageValues& v, SettingsStore* store) {
    GeneralSettings& g = store->General;
    g.BaseAngle = std::clamp(Number(v, IDC_BASE_ANGLE), 0, 3);
    g.Deg = CutToField(Text(v, IDC_BASE_DEG), 24);
    g.AlphaEarthShine = static_cast<uint8_t>(std::clamp(Number(v, IDC_BASE_SHINE), 0, 255));
    g.DST = Flag(v, IDC_BASE_DST);
    g.DSTMark = CutToField(Text(v, IDC_BASE_DSTMARK), 260);
    g.ResetTime = Number(v, IDC_BASE_RESET);
    g.InfoStart = Flag(v, IDC_BASE_INFOSTART);
    g.MenuTime = Flag(v, IDC_BASE_MENUTIME);
    for (BodyStyle& b : store->Bodies) {
        b.SpaceTop = Number(v, IDC_BASE_SPACE_TOP);
        b.SpaceBottom = Number(v, IDC_BASE_SPACE_BOTTOM);
    }
    g.MarginTop = Number(v, IDC_BASE_MARGIN_TOP);
    g.MarginBottom = Number(v, IDC_BASE_MARGIN_BOTTOM);
    g.MarginLeft = Number(v, IDC_BASE_MARGIN_LEFT);
    g.MarginRight = Number(v, IDC_BASE_MARGIN_RIGHT);
}

// ------------------------------------------------------------------ tap

namespace {
const int kTapIds[6] = {IDC_TAP_L, IDC_TAP_M, IDC_TAP_R, IDC_HOLD_L, IDC_HOLD_M, IDC_HOLD_R};
int32_t* TapSetting(GeneralSettings& g, int i) {
    int32_t* const s[6] = {&g.TapL, &g.TapM, &g.TapR, &g.HoldL, &g.HoldM, &g.HoldR};
    return s[i];
}
}  // namespace

const std::vector<FieldDef>& TapFields() {
    static const std::vector<FieldDef> f = [] {
        std::vector<FieldDef> v = {Check(IDC_TAP_ON)};
        for (int id : kTapIds) v.push_back(StringList(id, kActionStrings, kActionCount));
        return v;
    }();
    return f;
}

PageValues TapLoad(const SettingsStore& store) {
    GeneralSettings g = store.General;
    PageValues v = {{IDC_TAP_ON, N(g.Tap)}};
    for (int i = 0; i < 6; ++i) v[kTapIds[i]] = N(std::clamp(*TapSetting(g, i) + 1, 0, kActionCount - 1));
    return v;
}

void TapApply(const PageValues& v, SettingsStore* store) {
    store->General.Tap = Flag(v, IDC_TAP_ON);
    for (int i = 0; i < 6; ++i)
        *TapSetting(store->General, i) = std::clamp(Number(v, kTapIds[i]), 0, kActionCount - 1) - 1;
}

// ------------------------------------------------------------------ info

const std::vector<FieldDef>& InfoFields() {
    static const std::vector<FieldDef> f = {
        Check(IDC_INFO_LOCATION),
        Check(IDC_INFO_LATLNG),
        Check(IDC_INFO_ALT),
        List(IDC_INFO_CLOCK, {L"none", L"standard", L"local"}),
        Check(IDC_INFO_TD),
        Font(IDC_INFO_FONT),
        SpinIn(IDC_INFO_SIZE, IDC_INFO_SIZE_SPIN, kPixelRange),
        SpinIn(IDC_INFO_TMARGIN_TOP, IDC_INFO_TMARGIN_TOP_SPIN, kPixelRange),
        SpinIn(IDC_INFO_TMARGIN_BOTTOM, IDC_INFO_TMARGIN_BOTTOM_SPIN, kPixelRange),
        SpinIn(IDC_INFO_TMARGIN_LEFT, IDC_INFO_TMARGIN_LEFT_SPIN, kPixelRange),
        SpinIn(IDC_INFO_TMARGIN_RIGHT, IDC_INFO_TMARGIN_RIGHT_SPIN, kPixelRange),
        Swatch(IDC_INFO_CRTITLE, IDC_INFO_CRTITLE, IDC_INFO_CRTITLEBACK),
        Swatch(IDC_INFO_CRCLOCK, IDC_INFO_CRCLOCK, IDC_INFO_CRTITLEBACK),
        Swatch(IDC_INFO_CRTITLEBACK),
        Swatch(IDC_INFO_CRPLUSTEXT, IDC_INFO_CRPLUSTEXT, IDC_INFO_CRPLUSBACK),
        Swatch(IDC_INFO_CRPLUSBACK),
    };
    return f;
}

PageValues InfoLoad(const SettingsStore& store) {
    const GeneralSettings& g = store.General;
    return {
        {IDC_INFO_LOCATION, N(g.Title & 1)},
        {IDC_INFO_LATLNG, N(g.Title & 2)},
        {IDC_INFO_ALT, N(g.Title & 4)},
        {IDC_INFO_CLOCK, N(std::clamp(g.Clock & 3, 0, 2))},
        {IDC_INFO_TD, N(g.Clock & 4)},
        {IDC_INFO_FONT, FontValue(g.FaceName, g.CharSet)},
        {IDC_INFO_SIZE, N(g.TextSize)},
        {IDC_INFO_TMARGIN_TOP, N(g.TMarginTop)},
        {IDC_INFO_TMARGIN_BOTTOM, N(g.TMarginBottom)},
        {IDC_INFO_TMARGIN_LEFT, N(g.TMarginLeft)},
        {IDC_INFO_TMARGIN_RIGHT, N(g.TMarginRight)},
        {IDC_INFO_CRTITLE, N(static_cast<int>(g.CrTitle))},
        {IDC_INFO_CRCLOCK, N(static_cast<int>(g.CrClock))},
        {IDC_INFO_CRTITLEBACK, N(static_cast<int>(g.CrTitleBack))},
        {IDC_INFO_CRPLUSTEXT, N(static_cast<int>(g.CrPlusText))},
        {IDC_INFO_CRPLUSBACK, N(static_cast<int>(g.CrPlusBack))},
    };
}

void InfoApply(const PageValues& v, SettingsStore* store) {
    GeneralSettings& g = store->General;
    g.CrTitle = Colour(v, IDC_INFO_CRTITLE);
    g.CrClock = Colour(v, IDC_INFO_CRCLOCK);
    g.CrTitleBack = Colour(v, IDC_INFO_CRTITLEBACK);
    g.CrPlusText = Colour(v, IDC_INFO_CRPLUSTEXT);
    g.CrPlusBack = Colour(v, IDC_INFO_CRPLUSBACK);
    g.Title = Flag(v, IDC_INFO_LOCATION) * 1 + Flag(v, IDC_INFO_LATLNG) * 2 + Flag(v, IDC_INFO_ALT) * 4;
    g.Clock = std::clamp(Number(v, IDC_INFO_CLOCK), 0, 2) + Flag(v, IDC_INFO_TD) * 4;
    g.FaceName = Face(v, IDC_INFO_FONT);
    g.CharSet = Number(v, IDC_INFO_FONT);
    g.TextSize = Number(v, IDC_INFO_SIZE);
    g.TMarginTop = Number(v, IDC_INFO_TMARGIN_TOP);
    g.TMarginBottom = Number(v, IDC_INFO_TMARGIN_BOTTOM);
    g.TMarginLeft = Number(v, IDC_INFO_TMARGIN_LEFT);
    g.TMarginRight = Number(v, IDC_INFO_TMARGIN_RIGHT);
}

// ------------------------------------------------------------------ azimuth

const std::vector<FieldDef>& AziFields() {
    static const std::vector<FieldDef> f = {
        Check(IDC_AZI_START),
        Check(IDC_AZI_SOUTH),
        SpinIn(IDC_AZI_FROM, IDC_AZI_FROM_SPIN, kAzimuthStartRange),
        SpinIn(IDC_AZI_TO, IDC_AZI_TO_SPIN, kAzimuthEndRange),
        Check(IDC_AZI_EQUATOR),
        SpinIn(IDC_AZI_EQLAT, IDC_AZI_EQLAT_SPIN, kEquatorLatRange),
        Check(IDC_AZI_EQMETER),
        SpinIn(IDC_AZI_SEP, IDC_AZI_SEP_SPIN, kPixelRange),
        Swatch(IDC_AZI_CRGRADE),
        Swatch(IDC_AZI_CRGRADD, IDC_AZI_CRSCALE),  // its bar is the separator
        Swatch(IDC_AZI_CRGRADW),
        Swatch(IDC_AZI_CRSCALE, IDC_AZI_CRSCALE, IDC_AZI_CRGRADD),
    };
    return f;
}

PageValues AziLoad(const SettingsStore& store) {
    const GeneralSettings& g = store.General;
    return {
        {IDC_AZI_START, N(g.Start)},
        {IDC_AZI_SOUTH, N(g.SouthAzimuth)},
        {IDC_AZI_FROM, N(g.AzimuthS)},
        {IDC_AZI_TO, N(g.AzimuthE)},
        {IDC_AZI_EQUATOR, N(g.EquatorAzimuth)},
        {IDC_AZI_EQLAT, N(g.EquatorLat)},
        {IDC_AZI_EQMETER, N(g.EquatorMeter)},
        {IDC_AZI_SEP, N(g.WidthScale)},
        {IDC_AZI_CRGRADE, N(static_cast<int>(g.CrGradE))},
        {IDC_AZI_CRGRADD, N(static_cast<int>(g.CrGradD))},
        {IDC_AZI_CRGRADW, N(static_cast<int>(g.CrGradW))},
        {IDC_AZI_CRSCALE, N(static_cast<int>(g.CrScale))},
    };
}

void AziApply(const PageValues& v, SettingsStore* store) {
    GeneralSettings& g = store->General;
    g.Start = Flag(v, IDC_AZI_START);
    g.SouthAzimuth = Flag(v, IDC_AZI_SOUTH);
    g.AzimuthS = Number(v, IDC_AZI_FROM);
    g.AzimuthE = Number(v, IDC_AZI_TO);
    g.EquatorAzimuth = Flag(v, IDC_AZI_EQUATOR);
    g.EquatorLat = Number(v, IDC_AZI_EQLAT);
    g.EquatorMeter = Flag(v, IDC_AZI_EQMETER);
    g.WidthScale = Number(v, IDC_AZI_SEP);
    g.CrGradE = Colour(v, IDC_AZI_CRGRADE);
    g.CrGradD = Colour(v, IDC_AZI_CRGRADD);
    g.CrGradW = Colour(v, IDC_AZI_CRGRADW);
    g.CrScale = Colour(v, IDC_AZI_CRSCALE);
}

// ------------------------------------------------------------------ back

namespace {

struct BackRow {
    int Back, GradE, GradD, GradW;
};
const BackRow kBackRows[kBodyCount] = {
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

void PutBackColours(PageValues* v, const SettingsStore& store) {
    (*v)[IDC_BACK_CRBACK] = N(static_cast<int>(store.General.CrBack));
    for (int b = 0; b < kBodyCount; ++b) {
        const BodyStyle& s = store.Bodies[b];
        (*v)[kBackRows[b].Back] = N(static_cast<int>(s.CrBack));
        (*v)[kBackRows[b].GradE] = N(static_cast<int>(s.CrGradE));
        (*v)[kBackRows[b].GradD] = N(static_cast<int>(s.CrGradD));
        (*v)[kBackRows[b].GradW] = N(static_cast<int>(s.CrGradW));
        (*v)[BackNameTextValue(b)] = N(static_cast<int>(s.CrText));
    }
}

}  // namespace

const std::vector<FieldDef>& BackFields() {
    static const std::vector<FieldDef> f = [] {
        std::vector<FieldDef> v = {Check(IDC_BACK_TRANS), Spin(IDC_BACK_ALPHA, IDC_BACK_ALPHA_SPIN, 0, 255),
                                    Spin(IDC_BACK_ALPHAS, IDC_BACK_ALPHAS_SPIN, 0, 255), Swatch(IDC_BACK_CRBACK)};
        for (int b = 0; b < kBodyCount; ++b) {
            v.push_back(Swatch(kBackRows[b].Back, BackNameTextValue(b)));
            v.push_back(Swatch(kBackRows[b].GradE));
            v.push_back(Swatch(kBackRows[b].GradD));
            v.push_back(Swatch(kBackRows[b].GradW));
        }
        return v;
    }();
    return f;
}

PageValues BackLoad(const SettingsStore& store) {
    PageValues v = {
        {IDC_BACK_TRANS, N(store.General.TransToday)},
        {IDC_BACK_ALPHA, N(store.General.AlphaToday)},
        {IDC_BACK_ALPHAS, N(store.Bodies[kMoon].AlphaS)},
    };
    PutBackColours(&v, store);
    return v;
}

void BackApply(const PageValues& v, SettingsStore* store) {
    GeneralSettings& g = store->General;
    g.CrBack = Colour(v, IDC_BACK_CRBACK);
    g.TransToday = Flag(v, IDC_BACK_TRANS);
    g.AlphaToday = static_cast<uint8_t>(std::clamp(Number(v, IDC_BACK_ALPHA), 0, 255));
    const auto alphaS = static_cast<uint8_t>(std::clamp(Number(v, IDC_BACK_ALPHAS), 0, 255));
    for (int b = 0; b < kBodyCount; ++b) {
        BodyStyle& s = store->Bodies[b];
        s.CrBack = Colour(v, kBackRows[b].Back);
        s.CrGradE = Colour(v, kBackRows[b].GradE);
        s.CrGradD = Colour(v, kBackRows[b].GradD);
        s.CrGradW = Colour(v, kBackRows[b].GradW);
        s.CrScale = s.CrGradD;
        s.AlphaS = alphaS;
    }
}

void BackCopyMoon(PageValues* v) {
    const BackRow& m = kBackRows[kMoon];
    const int back = Number(*v, m.Back), e = Number(*v, m.GradE), d = Number(*v, m.GradD), w = Number(*v, m.GradW);
    for (const BackRow& r : kBackRows) {
        (*v)[r.Back].Number = back;
        (*v)[r.GradE].Number = e;
        (*v)[r.GradD].Number = d;
        (*v)[r.GradW].Number = w;
    }
}

void BackRetake(PageValues* v, const SettingsStore& store) {
    PutBackColours(v, store);
    (*v)[IDC_BACK_TRANS] = N(store.General.TransToday);
    (*v)[IDC_BACK_ALPHA] = N(store.General.AlphaToday);
}

// ------------------------------------------------------------------ bodies

int SharedEventParts(const BodyStyle& s) { return std::max({s.TextR, s.TextS, s.TextD}); }

namespace {

const int kTextBits[4][2] = {{IDC_BODY_TEXT1, 1}, {IDC_BODY_TEXT2, 2}, {IDC_BODY_TEXT4, 4}, {IDC_BODY_TEXT8, 8}};
const int kPartBits[4][2] = {{IDC_BODY_PART1, 1}, {IDC_BODY_PART2, 2}, {IDC_BODY_PART4, 4}, {IDC_BODY_PART8, 8}};

int TextBitId(int body, int i) { return i == 0 && body == kMoon ? IDC_BODY_AGE : kTextBits[i][0]; }

std::vector<FieldDef> MakeBodyFields(int body) {
    std::vector<FieldDef> v = {
        Check(IDC_BODY_ICONMODE),
        TextField(IDC_BODY_ICON, 260),
        SpinIn(IDC_BODY_SPACETXT, IDC_BODY_SPACETXT_SPIN, kOffsetRange),
        Swatch(IDC_BODY_CRTEXT, IDC_BODY_CRTEXT, kBodyBackValue),
    };
    if (body != kMoon) v.push_back(TextField(IDC_BODY_NAME, 260));
    for (int i = 0; i < 4; ++i) v.push_back(Check(TextBitId(body, i)));
    for (int id : {IDC_BODY_RISE, IDC_BODY_CULM, IDC_BODY_SET}) v.push_back(Check(id));
    for (int id : {IDC_BODY_CRRISE, IDC_BODY_CRCULM, IDC_BODY_CRSET}) v.push_back(Swatch(id, id, kBodyBackValue));
    for (const auto& p : kPartBits) v.push_back(Check(p[0]));
    const std::vector<FieldDef> rest = {
        List(IDC_BODY_LAYOUT, {L"horizontal", L"vertical", L"fix left", L"fix right", L"next"}),
        Font(IDC_BODY_FONT),
        SpinIn(IDC_BODY_SIZE, IDC_BODY_SIZE_SPIN, kPixelRange),
        SpinIn(IDC_BODY_MARGINTXT, IDC_BODY_MARGINTXT_SPIN, kPixelRange),
        Font(IDC_BODY_FONTR),
        SpinIn(IDC_BODY_SIZER, IDC_BODY_SIZER_SPIN, kPixelRange),
        SpinIn(IDC_BODY_MARGINRS, IDC_BODY_MARGINRS_SPIN, kPixelRange),
        SpinIn(IDC_BODY_MARGIN_TOP, IDC_BODY_MARGIN_TOP_SPIN, kOffsetRange),
        SpinIn(IDC_BODY_MARGIN_BOTTOM, IDC_BODY_MARGIN_BOTTOM_SPIN, kOffsetRange),
        SpinIn(IDC_BODY_WIDTHSL, IDC_BODY_WIDTHSL_SPIN, kPixelRange),
        SpinIn(IDC_BODY_WIDTHSR, IDC_BODY_WIDTHSR_SPIN, kPixelRange),
    };
    v.insert(v.end(), rest.begin(), rest.end());
    return v;
}

}  // namespace

const std::vector<FieldDef>& BodyFields(int body) {
    static const std::vector<FieldDef> moon = MakeBodyFields(kMoon);
    static const std::vector<FieldDef> other = MakeBodyFields(kSun);
    return body == kMoon ? moon : other;
}

PageValues BodyLoad(const SettingsStore& store, int body) {
    const BodyStyle& s = store.Bodies[std::clamp(body, 0, kBodyCount - 1)];
    PageValues v = {
        {IDC_BODY_ICONMODE, N(s.IconMode != 0)},
        {IDC_BODY_ICON, T(s.Icon)},
        {IDC_BODY_SPACETXT, N(s.Spacetxt)},
        {IDC_BODY_CRTEXT, N(static_cast<int>(s.CrText))},
        {kBodyBackValue, N(static_cast<int>(s.CrBack))},
        {IDC_BODY_RISE, N(s.TextR != 0)},
        {IDC_BODY_CULM, N(s.TextD != 0)},
        {IDC_BODY_SET, N(s.TextS != 0)},
        {IDC_BODY_CRRISE, N(static_cast<int>(s.CrTextR))},
        {IDC_BODY_CRCULM, N(static_cast<int>(s.CrTextD))},
        {IDC_BODY_CRSET, N(static_cast<int>(s.CrTextS))},
        {IDC_BODY_LAYOUT, N(std::clamp(s.TextRS, 0, 4))},
        {IDC_BODY_FONT, FontValue(s.FaceName, s.CharSet)},
        {IDC_BODY_SIZE, N(s.TextSize)},
        {IDC_BODY_MARGINTXT, N(s.Margintxt)},
        {IDC_BODY_FONTR, FontValue(s.FaceNameR, s.CharSetR)},
        {IDC_BODY_SIZER, N(s.TextSizeR)},
        {IDC_BODY_MARGINRS, N(s.MarginRStxt)},
        {IDC_BODY_MARGIN_TOP, N(s.MarginTop)},
        {IDC_BODY_MARGIN_BOTTOM, N(s.MarginBottom)},
        {IDC_BODY_WIDTHSL, N(s.WidthSL)},
        {IDC_BODY_WIDTHSR, N(s.WidthSR)},
    };
    if (body != kMoon) v[IDC_BODY_NAME] = T(s.Name);
    for (int i = 0; i < 4; ++i) v[TextBitId(body, i)] = N((s.Text & kTextBits[i][1]) != 0);
    const int parts = SharedEventParts(s);
    for (const auto& p : kPartBits) v[p[0]] = N((parts & p[1]) != 0);
    return v;
}

void BodyApply(const PageValues& v, int body, SettingsStore* store) {
    if (body < 0 || body >= kBodyCount) return;
    BodyStyle& s = store->Bodies[body];
    s.IconMode = Flag(v, IDC_BODY_ICONMODE);
    s.Icon = CutToField(Text(v, IDC_BODY_ICON), 260);
    s.Spacetxt = Number(v, IDC_BODY_SPACETXT);
    s.CrText = Colour(v, IDC_BODY_CRTEXT);
    if (body != kMoon) s.Name = CutToField(Text(v, IDC_BODY_NAME), 260);
    s.Text = 0;
    for (int i = 0; i < 4; ++i) s.Text += Flag(v, TextBitId(body, i)) * kTextBits[i][1];
    int parts = 0;
    for (const auto& p : kPartBits) parts += Flag(v, p[0]) * p[1];
    s.TextR = Flag(v, IDC_BODY_RISE) ? parts : 0;
    s.TextD = Flag(v, IDC_BODY_CULM) ? parts : 0;
    s.TextS = Flag(v, IDC_BODY_SET) ? parts : 0;
    s.CrTextR = Colour(v, IDC_BODY_CRRISE);
    s.CrTextD = Colour(v, IDC_BODY_CRCULM);
    s.CrTextS = Colour(v, IDC_BODY_CRSET);
    s.TextRS = std::clamp(Number(v, IDC_BODY_LAYOUT), 0, 4);
    s.FaceName = Face(v, IDC_BODY_FONT);
    s.CharSet = Number(v, IDC_BODY_FONT);
    s.TextSize = Number(v, IDC_BODY_SIZE);
    s.Margintxt = Number(v, IDC_BODY_MARGINTXT);
    s.FaceNameR = Face(v, IDC_BODY_FONTR);
    s.CharSetR = Number(v, IDC_BODY_FONTR);
    s.TextSizeR = Number(v, IDC_BODY_SIZER);
    s.MarginRStxt = Number(v, IDC_BODY_MARGINRS);
    s.MarginTop = Number(v, IDC_BODY_MARGIN_TOP);
    s.MarginBottom = Number(v, IDC_BODY_MARGIN_BOTTOM);
    s.WidthSL = Number(v, IDC_BODY_WIDTHSL);
    s.WidthSR = Number(v, IDC_BODY_WIDTHSR);
}

}  // namespace velkaro
