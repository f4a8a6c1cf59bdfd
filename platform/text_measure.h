// Text measuring seam. Win32 measures with GDI in a memory context using the
// same font the item draws with; the native build uses a fixed-advance metric:
// every character is height / 2 wide and a line is height high, with a
// non-positive height measured as kNativeDefaultTextHeight.
#pragma once
#include <string>

namespace velkaro {

struct FontSpec {
    std::wstring FaceName;  // empty: the default face
    int CharSet = 0;
    int Height = 0;  // pixels; 0 or less: the default height

    bool operator==(const FontSpec& o) const {
        return FaceName == o.FaceName && CharSet == o.CharSet && Height == o.Height;
    }
};

struct TextExtent {
    int Width = 0;
    int Height = 0;
};

constexpr int kNativeDefaultTextHeight = 13;

TextExtent MeasureText(const std::wstring& text, const FontSpec& font);

// The fixed-advance metric itself, for every build that wants reproducible
// widths (the native one always; the page when asked to).
inline TextExtent FixedAdvanceExtent(const std::wstring& text, const FontSpec& font) {
    const int height = font.Height > 0 ? font.Height : kNativeDefaultTextHeight;
    const long long width = static_cast<long long>(text.size()) * (height / 2);
    TextExtent e;
    e.Width = width > 1000000000LL ? 1000000000 : static_cast<int>(width);
    e.Height = height;
    return e;
}

}  // namespace velkaro
