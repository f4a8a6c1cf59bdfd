#include "settings/options_pages.h"

#include "resources/options_ids.h"

namespace velkaro {

namespace {

using G = GeneralSettings;
using B = BodyStyle;

constexpr int kActionStrings = 30;  // "none" .. "info"
constexpr int kActionCount = 17;

const std::vector<FieldDef>& BaseFields() {
    static const std::vector<FieldDef> f = {
        List(IDC_BASE_ANGLE, &G::BaseAngle, {L"numerical", L"South base", L"E.W.base", L"N.E.W.S."}),
        TextField(IDC_BASE_DEG, &G::Deg),
        Spin(IDC_BASE_SHINE, IDC_BASE_SHINE_SPIN, &G::AlphaEarthShine),
        Check(IDC_BASE_DST, &G::DST),
        TextField(IDC_BASE_DSTMARK, &G::DSTMark),
        Spin(IDC_BASE_RESET, IDC_BASE_RESET_SPIN, &G::ResetTime),
        Check(IDC_BASE_INFOSTART, &G::InfoStart),
        Check(IDC_BASE_MENUTIME, &G::MenuTime),
        OfBody(kEveryBody, Spin(IDC_BASE_SPACE_TOP, IDC_BASE_SPACE_TOP_SPIN, &B::SpaceTop)),
        OfBody(kEveryBody, Spin(IDC_BASE_SPACE_BOTTOM, IDC_BASE_SPACE_BOTTOM_SPIN, &B::SpaceBottom)),
        Spin(IDC_BASE_MARGIN_TOP, IDC_BASE_MARGIN_TOP_SPIN, &G::MarginTop),
        Spin(IDC_BASE_MARGIN_BOTTOM, IDC_BASE_MARGIN_BOTTOM_SPIN, &G::MarginBottom),
        Spin(IDC_BASE_MARGIN_LEFT, IDC_BASE_MARGIN_LEFT_SPIN, &G::MarginLeft),
        Spin(IDC_BASE_MARGIN_RIGHT, IDC_BASE_MARGIN_RIGHT_SPIN, &G::MarginRight),
    };
    return f;
}

// The tap page: a list's first entry, "none", is action -1.
const std::vector<FieldDef>& TapFields() {
    static const std::vector<FieldDef> f = {
        Check(IDC_TAP_ON, &G::Tap),
        StringList(IDC_TAP_L, &G::TapL, kActionStrings, kActionCount, -1),
        StringList(IDC_TAP_M, &G::TapM, kActionStrings, kActionCount, -1),
        StringList(IDC_TAP_R, &G::TapR, kActionStrings, kActionCount, -1),
        StringList(IDC_HOLD_L, &G::HoldL, kActionStrings, kActionCount, -1),
        StringList(IDC_HOLD_M, &G::HoldM, kActionStrings, kActionCount, -1),
        StringList(IDC_HOLD_R, &G::HoldR, kActionStrings, kActionCount, -1),
    };
    return f;
}

// The title band's page.
const std::vector<FieldDef>& InfoFields() {
    static const std::vector<FieldDef> f = {
        Part(kTitleName, Check(IDC_INFO_LOCATION, &G::Title)),
        Part(kTitleLatLng, Check(IDC_INFO_LATLNG, &G::Title)),
        Part(kTitleHeight, Check(IDC_INFO_ALT, &G::Title)),
        Part(kClockModeMask, List(IDC_INFO_CLOCK, &G::Clock, {L"none", L"standard", L"local"})),
        Part(kClockOffset, Check(IDC_INFO_TD, &G::Clock)),
        Font(IDC_INFO_FONT, &G::FaceName, &G::CharSet),
        Spin(IDC_INFO_SIZE, IDC_INFO_SIZE_SPIN, &G::TextSize),
        Spin(IDC_INFO_TMARGIN_TOP, IDC_INFO_TMARGIN_TOP_SPIN, &G::TMarginTop),
        Spin(IDC_INFO_TMARGIN_BOTTOM, IDC_INFO_TMARGIN_BOTTOM_SPIN, &G::TMarginBottom),
        Spin(IDC_INFO_TMARGIN_LEFT, IDC_INFO_TMARGIN_LEFT_SPIN, &G::TMarginLeft),
        Spin(IDC_INFO_TMARGIN_RIGHT, IDC_INFO_TMARGIN_RIGHT_SPIN, &G::TMarginRight),
        Swatch(IDC_INFO_CRTITLE, &G::CrTitle, IDC_INFO_CRTITLE, IDC_INFO_CRTITLEBACK),
        Swatch(IDC_INFO_CRCLOCK, &G::CrClock, IDC_INFO_CRCLOCK, IDC_INFO_CRTITLEBACK),
        Swatch(IDC_INFO_CRTITLEBACK, &G::CrTitleBack),
        Swatch(IDC_INFO_CRPLUSTEXT, &G::CrPlusText, IDC_INFO_CRPLUSTEXT, IDC_INFO_CRPLUSBACK),
        Swatch(IDC_INFO_CRPLUSBACK, &G::CrPlusBack),
    };
    return f;
}

// The azimuth meter's page.
const std::vector<FieldDef>& AziFields() {
    static const std::vector<FieldDef> f = {
        Check(IDC_AZI_START, &G::Start),
        Check(IDC_AZI_SOUTH, &G::SouthAzimuth),
        Spin(IDC_AZI_FROM, IDC_AZI_FROM_SPIN, &G::AzimuthS),
        Spin(IDC_AZI_TO, IDC_AZI_TO_SPIN, &G::AzimuthE),
        Check(IDC_AZI_EQUATOR, &G::EquatorAzimuth),
        Spin(IDC_AZI_EQLAT, IDC_AZI_EQLAT_SPIN, &G::EquatorLat),
        Check(IDC_AZI_EQMETER, &G::EquatorMeter),
        Spin(IDC_AZI_SEP, IDC_AZI_SEP_SPIN, &G::WidthScale),
        Swatch(IDC_AZI_CRGRADE, &G::CrGradE),
        Swatch(IDC_AZI_CRGRADD, &G::CrGradD, IDC_AZI_CRSCALE),  // its bar is the separator
        Swatch(IDC_AZI_CRGRADW, &G::CrGradW),
        Swatch(IDC_AZI_CRSCALE, &G::CrScale, IDC_AZI_CRSCALE, IDC_AZI_CRGRADD),
    };
    return f;
}

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

// The background page with the four row colours of every body; a row's name
// swatch shows the body's text colour on its background.
const std::vector<FieldDef>& BackFields() {
    static const std::vector<FieldDef> f = [] {
        std::vector<FieldDef> v = {
            Check(IDC_BACK_TRANS, &G::TransToday),
            Spin(IDC_BACK_ALPHA, IDC_BACK_ALPHA_SPIN, &G::AlphaToday),
            OfBody(kEveryBody, Spin(IDC_BACK_ALPHAS, IDC_BACK_ALPHAS_SPIN, &B::AlphaS)),
            Swatch(IDC_BACK_CRBACK, &G::CrBack),
        };
        for (int b = 0; b < kBodyCount; ++b) {
            const BackRow& r = kBackRows[b];
            v.push_back(OfBody(b, Swatch(r.Back, &B::CrBack, BackNameTextValue(b))));
            v.push_back(OfBody(b, Swatch(r.GradE, &B::CrGradE)));
            // The culmination mark takes the middle's colour.
            v.push_back(OfBody(b, AlsoInto(&B::CrScale, Swatch(r.GradD, &B::CrGradD))));
            v.push_back(OfBody(b, Swatch(r.GradW, &B::CrGradW)));
            v.push_back(OfBody(b, Shown(BackNameTextValue(b), &B::CrText)));
        }
        return v;
    }();
    return f;
}

// A body's page: the event lines' check boxes and their shared parts.
std::vector<FieldDef> MakeBodyFields(int body) {
    std::vector<FieldDef> v = {
        Check(IDC_BODY_ICONMODE, &B::IconMode),
        TextField(IDC_BODY_ICON, &B::Icon),
        Spin(IDC_BODY_SPACETXT, IDC_BODY_SPACETXT_SPIN, &B::Spacetxt),
        Swatch(IDC_BODY_CRTEXT, &B::CrText, IDC_BODY_CRTEXT, kBodyBackValue),
        Shown(kBodyBackValue, &B::CrBack),
    };
    if (body != kMoon) v.push_back(TextField(IDC_BODY_NAME, &B::Name));
    const std::vector<FieldDef> rest = {
        // The Moon's name is its age.
        Part(kTextName, Check(body == kMoon ? IDC_BODY_AGE : IDC_BODY_TEXT1, &B::Text)),
        Part(kTextAzimuth, Check(IDC_BODY_TEXT2, &B::Text)),
        Part(kTextAltitude, Check(IDC_BODY_TEXT4, &B::Text)),
        Part(kTextNext, Check(IDC_BODY_TEXT8, &B::Text)),
        EventLine(IDC_BODY_RISE, &B::TextR),
        EventLine(IDC_BODY_CULM, &B::TextD),
        EventLine(IDC_BODY_SET, &B::TextS),
        Swatch(IDC_BODY_CRRISE, &B::CrTextR, IDC_BODY_CRRISE, kBodyBackValue),
        Swatch(IDC_BODY_CRCULM, &B::CrTextD, IDC_BODY_CRCULM, kBodyBackValue),
        Swatch(IDC_BODY_CRSET, &B::CrTextS, IDC_BODY_CRSET, kBodyBackValue),
        EventPart(IDC_BODY_PART1, kEventTime),
        EventPart(IDC_BODY_PART2, kEventRemaining),
        EventPart(IDC_BODY_PART4, kEventDirection),
        EventPart(IDC_BODY_PART8, kEventVertical),
        List(IDC_BODY_LAYOUT, &B::TextRS, {L"horizontal", L"vertical", L"fix left", L"fix right", L"next"}),
        Font(IDC_BODY_FONT, &B::FaceName, &B::CharSet),
        Spin(IDC_BODY_SIZE, IDC_BODY_SIZE_SPIN, &B::TextSize),
        Spin(IDC_BODY_MARGINTXT, IDC_BODY_MARGINTXT_SPIN, &B::Margintxt),
        Font(IDC_BODY_FONTR, &B::FaceNameR, &B::CharSetR),
        Spin(IDC_BODY_SIZER, IDC_BODY_SIZER_SPIN, &B::TextSizeR),
        Spin(IDC_BODY_MARGINRS, IDC_BODY_MARGINRS_SPIN, &B::MarginRStxt),
        Spin(IDC_BODY_MARGIN_TOP, IDC_BODY_MARGIN_TOP_SPIN, &B::MarginTop),
        Spin(IDC_BODY_MARGIN_BOTTOM, IDC_BODY_MARGIN_BOTTOM_SPIN, &B::MarginBottom),
        Spin(IDC_BODY_WIDTHSL, IDC_BODY_WIDTHSL_SPIN, &B::WidthSL),
        Spin(IDC_BODY_WIDTHSR, IDC_BODY_WIDTHSR_SPIN, &B::WidthSR),
    };
    v.insert(v.end(), rest.begin(), rest.end());
    return v;
}

const std::vector<FieldDef>& BodyFields(int body) {
    static const std::vector<FieldDef> moon = MakeBodyFields(kMoon);
    static const std::vector<FieldDef> other = MakeBodyFields(kSun);
    return body == kMoon ? moon : other;
}

}  // namespace

const std::vector<FieldDef>& PageFields(TablePage page, int body) {
    switch (page) {
        case kPageBase: return BaseFields();
        case kPageTap: return TapFields();
        case kPageInfo: return InfoFields();
        case kPageAzi: return AziFields();
        case kPageBack: return BackFields();
        default: return BodyFields(body);
    }
}

PageValues LoadPage(TablePage page, int body, SettingsStore* store) {
    if (page == kPageBase) ResolveDegreeMark(&store->General);
    return LoadFields(PageFields(page, body), *store, body);
}

void ApplyPage(TablePage page, int body, const PageValues& v, SettingsStore* store) {
    ApplyFields(PageFields(page, body), v, body, store);
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
    const PageValues fresh = LoadFields(BackFields(), store, kMoon);
    for (const FieldDef& f : BackFields())
        if (f.Id != IDC_BACK_ALPHAS) (*v)[f.Id] = fresh.at(f.Id);
}

}  // namespace velkaro
