// One paint of the item, off-screen: backgrounds, the Today blend, meters and
// pictures into the composition, and the text to draw over it.
//
// Window side, at creation (StartItem loads the store and the pictures and
// computes the row tops and the item height):
//   create two 32-bit DIB sections of SurfaceWidth x SurfaceHeight with a
//   positive height (rows bottom-up, as PixelBuffer expects): background and
//   composition.
// Each paint, once the events, ItemWidth and the row tops are current:
//   copy the Today screen under the item into background at (0, 0);
//   texts = ComposeItem(item, background, composition);
//   BitBlt composition (0, 0, ItemWidth, ItemHeight) to the window;
//   draw each TextDraw with a font from CreateItemFont, transparent
//   background, filling FillArea first when Fill is set.
#pragma once
#include <vector>

#include "today/item.h"
#include "today/meters.h"
#include "today/pictures.h"
#include "today/pixels.h"
#include "today/textlayout.h"

namespace velkaro {

// Composes the whole item into `composition` and returns the texts to draw on
// top: the title band and, with InfoMode, every listed body's info lines.
// Reads the background only where TransToday blends it in. Changes nothing in
// the item but the pictures' frame buffers.
std::vector<TextDraw> ComposeItem(Item& item, PixelBuffer background, PixelBuffer composition);

// Steps of ComposeItem, for callers that want only part of it.
// Item background, title band background and row backgrounds, then the blend.
void ComposeBackground(const Item& item, PixelBuffer background, PixelBuffer composition);
// The meters and pictures of the current mode, and where they went.
RowPlacements ComposeMeters(Item& item, PixelBuffer composition);
// The texts alone, placed by where the meters put the pictures.
std::vector<TextDraw> LayoutItemText(const Item& item, const RowPlacements& rows);

}  // namespace velkaro
