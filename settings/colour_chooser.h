// The colour chooser's rules: red/green/blue and hue/saturation/lightness in
// both directions, the palette, the hue swatches, the remembered colours and
// the counter that keeps the dialog's own field writes from feeding back.
#pragma once
#include <array>
#include <cstdint>

namespace velkaro {

constexpr int kHueMax = 359;
constexpr int kSaturationMax = 255;
constexpr int kLightnessMax = 511;

struct Hsl {
    int H = 0;  // 0..359 (a rounded 360 is shown as 0)
    int S = 0;  // 0..255
    int L = 0;  // 0..511
};

inline uint32_t MakeColour(int r, int g, int b) {
    return static_cast<uint32_t>(r & 0xFF) | (static_cast<uint32_t>(g & 0xFF) << 8) |
           (static_cast<uint32_t>(b & 0xFF) << 16);
}
inline int RedOf(uint32_t c) { return static_cast<int>(c & 0xFF); }
inline int GreenOf(uint32_t c) { return static_cast<int>((c >> 8) & 0xFF); }
inline int BlueOf(uint32_t c) { return static_cast<int>((c >> 16) & 0xFF); }

Hsl RgbToHsl(uint32_t colour);
// Values past their ranges are held to them first.
uint32_t HslToRgb(Hsl hsl);

// The six number fields as the dialog shows them.
struct ColourFields {
    int R = 0, G = 0, B = 0, H = 0, S = 0, L = 0;
};
ColourFields FieldsFromRgb(uint32_t colour);
ColourFields FieldsFromHsl(Hsl hsl);

// The colour of the hue swatch k (1..5): the current colour's hue plus 60 k.
Hsl HueSwatchHsl(uint32_t current, int k);
uint32_t HueSwatchColour(uint32_t current, int k);

// Palette swatch of a control id; false for an id that is not on the palette.
bool PaletteColour(int id, uint32_t* colour);
int PaletteIdAt(int index);  // index 0..47 in reading order
constexpr int kPaletteSize = 48;

// The four remembered colours, kept for the life of the process.
std::array<uint32_t, 4>& RememberedColours();
// Pushes a colour into slot 1, moving the others down; slot 4's is dropped.
void RememberColour(uint32_t colour);

// Which group of number fields sent a change notification.
enum FieldGroup { kGroupRgb, kGroupHsl };

// Tells the dialog's own writes of the number fields from the user's edits.
// Edit notifications arrive synchronously while the dialog writes, so the
// dialog brackets its writes: before them the counter is set so that the
// expected notifications end one short of zero, and after them it is put
// there whatever really arrived, so the user's next edit is always taken.
class UpdateCounter {
public:
    // notifications: how many change notifications the coming writes give.
    void BeforeOwnWrites(int notifications) { value_ = -(notifications + 1); }
    void AfterOwnWrites() { value_ = -1; }
    // One change notification; true when it is the user's edit.
    bool Notify(FieldGroup group);
    int Value() const { return value_; }

private:
    int value_ = 0;
};

// Control ids of the dialog's swatches and labels, and what each shows.
struct ChooserState {
    uint32_t Start = 0;    // the colour the dialog was opened with
    uint32_t Current = 0;  // the colour being edited
    Hsl CurrentHsl;        // what the hue, saturation and lightness fields show
    UpdateCounter Counter;
};

ChooserState OpenChooser(uint32_t start);

// What a tap on a control did: nothing, a new current colour whose fields
// are in *show, or the current colour pushed into the remembered ones.
enum SwatchTap { kTapNothing, kTapShow, kTapRemembered };
SwatchTap TapSwatch(ChooserState* s, int id, ColourFields* show);
// The user edited a field of a group; values are the group's three numbers.
// Sets the current colour and returns the six fields (the other group's to write).
ColourFields EditGroup(ChooserState* s, FieldGroup group, int a, int b, int c);
// Background colour of a swatch id; false when id is not a swatch.
bool SwatchColour(const ChooserState& s, int id, uint32_t* colour);
// Text colour of the "R", "G", "B" labels; false for other ids.
bool LabelTextColour(int id, uint32_t* colour);

}  // namespace velkaro
