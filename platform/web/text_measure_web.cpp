// Text widths from the page's canvas, through the front-end's measureText,
// so that the layout places texts where the canvas will draw them. With
// "metric=fixed" in the page's address the fixed-advance metric is used, so
// that a page can be compared with the native build.
#include <emscripten.h>

#include <unordered_map>

#include "platform/codepage.h"
#include "platform/text_measure.h"

namespace velkaro {
namespace {

// clang-format off
EM_JS(int, velkaro_fixed_metric, (), {
    return new URLSearchParams(self.location.search).get('metric') === 'fixed' ? 1 : 0;
});
EM_JS(int, velkaro_canvas_width, (const char* text, const char* face, int height), {
    return Module.measureText ? Module.measureText(UTF8ToString(text), UTF8ToString(face), height) : 0;
});
// clang-format on

// A paint measures the same few dozen strings each minute.
constexpr size_t kCacheLimit = 2048;

}  // namespace

TextExtent MeasureText(const std::wstring& text, const FontSpec& font) {
    static const bool fixed = velkaro_fixed_metric() != 0;
    if (fixed) return FixedAdvanceExtent(text, font);
    static std::unordered_map<std::string, TextExtent> cache;
    const int height = font.Height > 0 ? font.Height : kNativeDefaultTextHeight;
    const std::string utf8 = ToUtf8(text), face = ToUtf8(font.FaceName);
    const std::string key = face + '\n' + std::to_string(height) + '\n' + utf8;
    auto it = cache.find(key);
    if (it != cache.end()) return it->second;
    if (cache.size() >= kCacheLimit) cache.clear();
    TextExtent e;
    e.Width = text.empty() ? 0 : velkaro_canvas_width(utf8.c_str(), face.c_str(), height);
    e.Height = height;
    cache.emplace(key, e);
    return e;
}

}  // namespace velkaro
