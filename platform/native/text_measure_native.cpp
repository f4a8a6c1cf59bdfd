#include "platform/text_measure.h"

namespace velkaro {

TextExtent MeasureText(const std::wstring& text, const FontSpec& font) { return FixedAdvanceExtent(text, font); }

}  // namespace velkaro
