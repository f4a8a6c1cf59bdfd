// The handheld's screens come in two sizes: 240 x 320 and twice that. What is
// drawn in pixels (the item, the editor, the soft keys) is drawn at the scale
// of the screen it lives on.
#pragma once

namespace velkaro {

// 2 for a screen past 320 pixels in either direction, else 1.
inline int ScreenScale(int width, int height) { return width > 320 || height > 320 ? 2 : 1; }

}  // namespace velkaro
