#include "settings/colour_chooser.h"

#include <algorithm>

#include "resources/colour_ids.h"

namespace velkaro {

namespace {

int Round(double v) { return static_cast<int>(v + 0.5); }

double HueValue(double m1, double m2, int h) {
    if (h < 60) return m1 + (m2 - m1) * h / 60.0;
    if (h < 180) return m2;
    if (h < 240) return m1 + (m2 - m1) * (240 - h) / 60.0;
    return m1;
}

int Channel(double m1, double m2, int h) {
    h = ((h % 360) + 360) % 360;
    return std::clamp(static_cast<int>(HueValue(m1, m2, h) * 255), 0, 255);
}

const uint8_t kPalette[kPaletteSize][3] = {
    {255, 128, 128}, {255, 255, 128}, {128, 255, 128}, {0, 255, 128},   {128, 255, 255}, {0, 128, 255},
    {255, 128, 192}, {255, 128, 255}, {255, 0, 0},     {255, 255, 0},   {128, 255, 0},   {0, 255, 64},
    {0, 255, 255},   {0, 128, 192},   {128, 128, 192}, {255, 0, 255},   {128, 64, 64},   {255, 128, 64},
    {0, 255, 0},     {0, 128, 128},   {0, 64, 128},    {128, 128, 255}, {128, 0, 64},    {255, 0, 128},
    {128, 0, 0},     {255, 128, 0},   {0, 128, 0},     {0, 128, 64},    {0, 0, 255},     {0, 0, 160},
    {128, 0, 128},   {128, 0, 255},   {64, 0, 0},      {128, 64, 0},    {0, 64, 0},      {0, 64, 64},
    {0, 0, 128},     {0, 0, 64},      {64, 0, 64},     {64, 0, 128},    {0, 0, 0},       {128, 128, 0},
    {128, 128, 64},  {128, 128, 128}, {64, 128, 128},  {192, 192, 192}, {64, 0, 64},     {255, 255, 255}};

constexpr int kPaletteFirstRow = 8;  // ids 1031..1038, then 1042..1081

int PaletteIndexOf(int id) {
    if (id >= IDC_COLOUR_PALETTE_A && id < IDC_COLOUR_PALETTE_A + kPaletteFirstRow)
        return id - IDC_COLOUR_PALETTE_A;
    if (id >= IDC_COLOUR_PALETTE_B && id < IDC_COLOUR_PALETTE_B + kPaletteSize - kPaletteFirstRow)
        return kPaletteFirstRow + id - IDC_COLOUR_PALETTE_B;
    return -1;
}

}  // namespace

Hsl RgbToHsl(uint32_t colour) {
    const double r = RedOf(colour) / 255.0, g = GreenOf(colour) / 255.0, b = BlueOf(colour) / 255.0;
    const double mx = std::max({r, g, b}), mn = std::min({r, g, b});
    const double l = (mx + mn) / 2;
    Hsl out;
    out.L = Round(l * kLightnessMax);
    const double d = mx - mn;
    if (d < 1e-6) return out;
    const double s = l <= 0.5 ? d / (mx + mn) : d / (2 - mx - mn);
    out.S = Round(s * 255);
    const double rc = (mx - r) / d, gc = (mx - g) / d, bc = (mx - b) / d;
    double h;
    if (r == mx)
        h = bc - gc;
    else if (g == mx)
        h = 2 + rc - bc;
    else
        h = 4 + gc - rc;
    h *= 60;
    if (h < 0) h += 360;
    out.H = Round(h);
    return out;
}

uint32_t HslToRgb(Hsl hsl) {
    int hue = std::clamp(hsl.H, 0, 719);
    if (hue > kHueMax) hue -= 360;
    const int sat = std::clamp(hsl.S, 0, kSaturationMax);
    const int light = std::clamp(hsl.L, 0, kLightnessMax);
    if (sat == 0) return MakeColour(light / 2, light / 2, light / 2);
    const double S = sat / 255.0, L = light / static_cast<double>(kLightnessMax);
    const double m2 = L <= 0.5 ? L * (1 + S) : L + S - L * S;
    const double m1 = 2 * L - m2;
    return MakeColour(Channel(m1, m2, hue + 120), Channel(m1, m2, hue), Channel(m1, m2, hue - 120));
}

ColourFields FieldsFromRgb(uint32_t colour) {
    ColourFields f = FieldsFromHsl(RgbToHsl(colour));
    f.R = RedOf(colour);
    f.G = GreenOf(colour);
    f.B = BlueOf(colour);
    return f;
}

ColourFields FieldsFromHsl(Hsl hsl) {
    const uint32_t c = HslToRgb(hsl);
    ColourFields f;
    f.R = RedOf(c);
    f.G = GreenOf(c);
    f.B = BlueOf(c);
    f.H = hsl.H > kHueMax ? hsl.H - 360 : hsl.H;
    f.S = hsl.S;
    f.L = hsl.L;
    return f;
}

Hsl HueSwatchHsl(uint32_t current, int k) {
    Hsl h = RgbToHsl(current);
    h.H += 60 * k;
    if (h.H > kHueMax) h.H -= 360;
    return h;
}

uint32_t HueSwatchColour(uint32_t current, int k) { return HslToRgb(HueSwatchHsl(current, k)); }

bool PaletteColour(int id, uint32_t* colour) {
    const int i = PaletteIndexOf(id);
    if (i < 0) return false;
    *colour = MakeColour(kPalette[i][0], kPalette[i][1], kPalette[i][2]);
    return true;
}

int PaletteIdAt(int index) {
    if (index < 0 || index >= kPaletteSize) return -1;
    return index < kPaletteFirstRow ? IDC_COLOUR_PALETTE_A + index
                                    : IDC_COLOUR_PALETTE_B + index - kPaletteFirstRow;
}

std::array<uint32_t, 4>& RememberedColours() {
    static std::array<uint32_t, 4> kept{};
    return kept;
}

void RememberColour(uint32_t colour) {
    auto& kept = RememberedColours();
    for (size_t i = kept.size() - 1; i > 0; --i) kept[i] = kept[i - 1];
    kept[0] = colour;
}

bool UpdateCounter::Notify(FieldGroup group) {
    // The two groups wrap at the same count, one written as "after 6", the
    // other as "above 5".
    if (group == kGroupRgb)
        value_ = value_ >= 6 ? 0 : value_ + 1;
    else
        value_ = value_ > 5 ? 0 : value_ + 1;
    return value_ == 0;
}

ChooserState OpenChooser(uint32_t start) {
    ChooserState s;
    s.Start = start & 0xFFFFFF;
    s.Current = s.Start;
    s.CurrentHsl = RgbToHsl(s.Current);
    return s;
}

SwatchTap TapSwatch(ChooserState* s, int id, ColourFields* show) {
    if (id == IDC_COLOUR_PREVIEW) {
        RememberColour(s->Current);
        return kTapRemembered;
    }
    if (id >= IDC_COLOUR_HUE60 && id < IDC_COLOUR_HUE60 + 5) {
        s->CurrentHsl = HueSwatchHsl(s->Current, id - IDC_COLOUR_HUE60 + 1);
        s->Current = HslToRgb(s->CurrentHsl);
        *show = FieldsFromHsl(s->CurrentHsl);
        return kTapShow;
    }
    uint32_t c;
    if (!SwatchColour(*s, id, &c)) return kTapNothing;
    s->Current = c;
    s->CurrentHsl = RgbToHsl(c);
    *show = FieldsFromRgb(c);
    return kTapShow;
}

ColourFields EditGroup(ChooserState* s, FieldGroup group, int a, int b, int c) {
    if (group == kGroupRgb) {
        s->Current = MakeColour(std::clamp(a, 0, 255), std::clamp(b, 0, 255), std::clamp(c, 0, 255));
        s->CurrentHsl = RgbToHsl(s->Current);
        return FieldsFromRgb(s->Current);
    }
    s->CurrentHsl.H = std::clamp(a, 0, kHueMax);
    s->CurrentHsl.S = std::clamp(b, 0, kSaturationMax);
    s->CurrentHsl.L = std::clamp(c, 0, kLightnessMax);
    s->Current = HslToRgb(s->CurrentHsl);
    return FieldsFromHsl(s->CurrentHsl);
}

bool SwatchColour(const ChooserState& s, int id, uint32_t* colour) {
    if (PaletteColour(id, colour)) return true;
    if (id == IDC_COLOUR_PREVIEW || id == IDC_COLOUR_CURRENT) {
        *colour = s.Current;
        return true;
    }
    if (id == IDC_COLOUR_START) {
        *colour = s.Start;
        return true;
    }
    if (id >= IDC_COLOUR_HUE60 && id < IDC_COLOUR_HUE60 + 5) {
        *colour = HueSwatchColour(s.Current, id - IDC_COLOUR_HUE60 + 1);
        return true;
    }
    if (id >= IDC_COLOUR_KEPT1 && id < IDC_COLOUR_KEPT1 + 4) {
        *colour = RememberedColours()[static_cast<size_t>(id - IDC_COLOUR_KEPT1)];
        return true;
    }
    return false;
}

bool LabelTextColour(int id, uint32_t* colour) {
    switch (id) {
        case IDC_COLOUR_LABEL_R: *colour = 0x0000FF; return true;
        case IDC_COLOUR_LABEL_G: *colour = 0x00FF00; return true;
        case IDC_COLOUR_LABEL_B: *colour = 0xFF0000; return true;
        default: return false;
    }
}

}  // namespace velkaro
