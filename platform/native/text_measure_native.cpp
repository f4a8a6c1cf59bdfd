#include "platform/text_measure.h"

namespace velkaro {

TextExtent MeasureText(const std::wstring& text, const FontSpec& font) {
    const int height = font.Height > 0 ? font.Height : kNativeDefaultTextHeight;
    TextExtent e;
    const long long width = static_cast<long long>(text.size()) * (height / 2);
    e.Width = width > 1000000000LL ? 1000000000 : static_cast<int>(width);
    e.Height = height;
    return e;
}

}  // namespace velkaro
