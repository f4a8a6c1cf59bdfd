// The bodies' pictures: loading with their masks, the derived row sizes, the
// per-paint frame buffers (phase, earth-shine) and drawing a body into the
// composition with its opacity rules.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/series.h"
#include "settings/store.h"
#include "today/pixels.h"

namespace velkaro {

enum ImageState {
    kImageNone = 0,        // text-height row
    kImageOpaque = 1,      // picture, no usable mask
    kImageMasked = 2,      // picture and mask
    kImageEarthShine = 3,  // Moon: 14-frame phase mask over frame 0 of the picture
    kImageMoonFrames = 4,  // Moon: 28-frame picture and 28-frame mask
};

// Taller pictures are refused: one would make a row (and every surface)
// thousands of pixels high.
constexpr int kMaxImageSize = 1024;

// No item, row or title band is taller: above the tallest the options can
// make (ten rows of 999-pixel spaces, margins and text), so it only bounds
// sizes that never came through the store, and every sum of sizes stays far
// from overflowing.
constexpr int kMaxItemHeight = 1 << 16;

// A sum of sizes held to 0 .. kMaxItemHeight.
int HeightOf(long long sum);

// One body's picture and what it makes of the body's row, fixed when the
// pictures load. All pixel arrays are top-down rows, 0x00RRGGBB.
struct BodyPicture {
    int State = kImageNone;
    int Size = 0;  // image size: the square frame's side, or the text size without a picture
    int Frames = 0, MaskFrames = 0;
    int RowHeight = 0;  // MarginTop + Size + MarginBottom, never below 0

    int Width = 0, Height = 0;
    std::vector<uint32_t> Pixels;  // strip of square frames
    int MaskWidth = 0, MaskHeight = 0;
    std::vector<uint32_t> Mask;
    // The frame being drawn: colour and opacity (low byte is the weight),
    // Size x Size while State is not kImageNone.
    std::vector<uint32_t> Colour, Alpha;
};

// Owned by the item for its lifetime; all storage is released with it.
struct ItemPictures {
    std::array<BodyPicture, kBodyCount> Bodies;
    std::vector<uint32_t> ScratchRow;  // one row of the azimuth band
};

// "\a\b.png" -> "\a\b.msk"; empty when the path has no ".".
std::wstring MaskPath(const std::wstring& iconPath);

// Loads every body's picture and mask (at item creation, and again when the
// pictures or margins change) with the state, size, frames and row height
// each gives, and returns SurfaceHeight: the item height with all ten bodies
// listed.
int LoadItemPictures(const SettingsStore& store, ItemPictures* pictures);

// Height of the title band when it is shown (Title or Clock non-zero), else 0;
// a TextSize of 0 or less counts as the default font's line height.
int TitleBandHeight(const GeneralSettings& general);

// Frame to draw: the phase index for a Moon in state 3 or 4, else 0.
int SelectFrame(const BodyPicture& picture, int body, int phaseIndex);

// Fills the body's colour and alpha buffers for frame a (states 1 to 4).
void PrepareBodyFrame(BodyPicture* picture, int frame, uint8_t alphaEarthShine);

// Where and how one body is drawn into the composition.
struct BodyDraw {
    int RowTop = 0;        // top of the body's row
    int X = 0;             // left edge of the picture
    bool Up = true;        // opaque while up, AlphaS while down
    bool Rotate = false;   // southern places: turned by 180 degrees
    int ClipLeft = 0;      // columns ClipLeft .. ClipRight - 1 are painted
    int ClipRight = 0;
};

// Draws the prepared frame of a body at d.X into its row (row top + the body's
// MarginTop; rows outside the row are skipped). False when the body has no
// picture, so nothing was drawn.
bool DrawBodyImage(PixelBuffer comp, const BodyStyle& style, const BodyPicture& picture,
                   const BodyDraw& d);

}  // namespace velkaro
