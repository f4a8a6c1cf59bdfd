// The item's fonts: one recipe for measuring and drawing, so that the widths
// the layout computes are the widths GDI draws.
#pragma once
#include <windows.h>

#include "platform/text_measure.h"

namespace velkaro {

// Starts from the default GUI font and applies the face (when not empty), the
// character set, the height (when positive) and ClearType quality (5).
// The caller deletes the font.
HFONT CreateItemFont(const FontSpec& font);

}  // namespace velkaro
