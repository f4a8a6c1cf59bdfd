#include "settings/field_text.h"

#include <cstdint>

namespace velkaro {

std::wstring CutToField(const std::wstring& text, size_t width) {
    if (width == 0 || text.size() < width) return text;
    size_t n = width - 1;
    const auto last = n > 0 ? static_cast<uint32_t>(text[n - 1]) : 0u;
    if (sizeof(wchar_t) == 2 && last >= 0xD800 && last <= 0xDBFF) --n;  // keep pairs whole
    return text.substr(0, n);
}

}  // namespace velkaro
