// 32-bit pixel buffers laid out like the item's DIB sections: rows stored
// bottom-up, pixel (x, y) at Bits[x + (Height - 1 - y) * Width], 0x00RRGGBB.
// Every operation clips to the buffer; nothing writes outside it.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace velkaro {

struct PixelBuffer {
    int Width = 0;
    int Height = 0;
    uint32_t* Bits = nullptr;

    bool Empty() const { return Bits == nullptr || Width <= 0 || Height <= 0; }
    uint32_t* Row(int y) const { return Bits + static_cast<size_t>(Height - 1 - y) * Width; }
    uint32_t At(int x, int y) const { return Row(y)[x]; }
};

// A buffer that owns its pixels (tests, benches, scratch rows).
struct PixelStore {
    int Width = 0;
    int Height = 0;
    std::vector<uint32_t> Pixels;

    PixelStore() = default;
    PixelStore(int width, int height, uint32_t fill = 0);
    PixelBuffer View() { return PixelBuffer{Width, Height, Pixels.empty() ? nullptr : Pixels.data()}; }
};

// Half-open rectangle: x0 <= x < x1, y0 <= y < y1.
struct Rect {
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    bool Empty() const { return x1 <= x0 || y1 <= y0; }
};
Rect Intersect(const Rect& a, const Rect& b);

// Settings hold COLORREF 0x00BBGGRR; buffers hold 0x00RRGGBB.
inline uint32_t PixelFromColorref(uint32_t cr) {
    return ((cr & 0xFFu) << 16) | (cr & 0xFF00u) | ((cr >> 16) & 0xFFu);
}
inline uint32_t ColorrefFromPixel(uint32_t px) { return PixelFromColorref(px); }

// Per channel c + ((o - c) * weight) >> 8 with an arithmetic shift, weight
// 0..256 (256 gives o); computed as (c * (256 - w) + o * w) >> 8, the same
// value without negative intermediates.
inline uint32_t MixPixel(uint32_t c, uint32_t o, uint32_t weight) {
    const uint32_t inv = 256 - weight;
    const uint32_t rb = (((c & 0xFF00FFu) * inv + (o & 0xFF00FFu) * weight) >> 8) & 0xFF00FFu;
    const uint32_t g = (((c & 0x00FF00u) * inv + (o & 0x00FF00u) * weight) >> 8) & 0x00FF00u;
    return rb | g;
}

void FillRect(PixelBuffer buf, Rect r, uint32_t pixel);
// Column i of the rectangle gets left + (right - left) * i / (width - 1) per
// channel (rounded), so the first column is exactly `left` and the last exactly
// `right`. Columns are computed over the whole rectangle, then clipped to clip
// and the buffer.
void FillGradientH(PixelBuffer buf, Rect r, uint32_t left, uint32_t right, Rect clip);
void FillGradientH(PixelBuffer buf, Rect r, uint32_t left, uint32_t right);
// Copies r from src to the same place in dst (clipped to both).
void CopyRect(PixelBuffer dst, PixelBuffer src, Rect r);
// Rows y0..y1-1 of dst, columns x0..x1-1, get the columns x0..x1-1 of one
// source row (of srcWidth pixels).
void CopyRowSpan(PixelBuffer dst, const uint32_t* srcRow, int srcWidth, int x0, int x1, int y0,
                 int y1);
// Composition toward the Today background over columns 0..width-1 and rows
// 0..height-1: c' = c + ((b - c) * alpha) >> 8 per channel.
void BlendToward(PixelBuffer comp, PixelBuffer background, int width, int height, uint8_t alpha);
// Columns x0..x1-1 of row y of comp get `pixel` blended toward the same place
// of the background: the fill and the blend above in one pass.
void FillRowBlended(PixelBuffer comp, PixelBuffer background, int y, int x0, int x1, uint32_t pixel,
                    uint8_t alpha);

}  // namespace velkaro
