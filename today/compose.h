// One paint of the item, off-screen: backgrounds, the Today blend, meters and
// pictures into the composition, and the text to draw over it.
//
// Window side, at creation (after the store is loaded):
//   State.SurfaceHeight = LoadItemPictures(&item.Store, &pictures);
//   create two 32-bit DIB sections of SurfaceWidth x SurfaceHeight with a
//   positive height (rows bottom-up, as PixelBuffer expects): background and
//   composition; then compute the row tops and the item height.
// Each paint, once the events, ItemWidth and the row tops are current:
//   copy the Today screen under the item into background at (0, 0);
//   texts = ComposeItem(item, pictures, background, composition);
//   BitBlt composition (0, 0, ItemWidth, ItemHeight) to the window;
//   draw each TextDraw with a font from CreateItemFont, transparent
//   background, filling FillArea first when Fill is set.
#pragma once
#include <vector>

#include "today/item.h"
#include "today/pictures.h"
#include "today/pixels.h"
#include "today/textlayout.h"

namespace velkaro {

// Composes the whole item into `composition` and returns the texts to draw on
// top: the title band and, with InfoMode, every listed body's info lines.
// Reads the background only where TransToday blends it in. Writes each listed
// body's Layout.MeterLeft, MeterRight and ImageX.
std::vector<TextDraw> ComposeItem(Item& item, ItemPictures& pictures, PixelBuffer background,
                                  PixelBuffer composition);

// Steps of ComposeItem, for callers that want only part of it.
// Item background, title band background and row backgrounds, then the blend.
void ComposeBackground(const Item& item, PixelBuffer background, PixelBuffer composition);
// The meters and pictures of the current mode.
void ComposeMeters(Item& item, ItemPictures& pictures, PixelBuffer composition);
// The texts alone (from the layout values the meters recorded).
std::vector<TextDraw> LayoutItemText(const Item& item);

}  // namespace velkaro
