#include "today/pixels.h"

#include <algorithm>
#include <cstring>

namespace velkaro {

PixelStore::PixelStore(int width, int height, uint32_t fill)
    : Width(width > 0 ? width : 0), Height(height > 0 ? height : 0) {
    Pixels.assign(static_cast<size_t>(Width) * Height, fill);
}

Rect Intersect(const Rect& a, const Rect& b) {
    Rect r{std::max(a.x0, b.x0), std::max(a.y0, b.y0), std::min(a.x1, b.x1), std::min(a.y1, b.y1)};
    if (r.Empty()) return Rect{};
    return r;
}

namespace {

Rect Bounds(const PixelBuffer& b) { return Rect{0, 0, b.Width, b.Height}; }

// Writes the first row of r and copies it down: every fill here is constant
// along a column.
void ReplicateFirstRow(PixelBuffer buf, const Rect& r) {
    const uint32_t* first = buf.Row(r.y0) + r.x0;
    const size_t bytes = static_cast<size_t>(r.x1 - r.x0) * sizeof(uint32_t);
    for (int y = r.y0 + 1; y < r.y1; ++y) std::memcpy(buf.Row(y) + r.x0, first, bytes);
}

int Channel(uint32_t px, int shift) { return static_cast<int>((px >> shift) & 0xFFu); }

// c = c + ((b - c) * a) >> 8 per channel, as (c * (256 - a) + b * a) >> 8 byte
// by byte: every byte gets the same weights and the sum fits 16 bits, which
// vectorises well. The unused top byte is cleared afterwards.
void BlendSpan(uint32_t* comp, const uint32_t* background, int count, unsigned a) {
    const unsigned inv = 256 - a;
    uint8_t* c = reinterpret_cast<uint8_t*>(comp);
    const uint8_t* b = reinterpret_cast<const uint8_t*>(background);
    const int n = 4 * count;
    for (int i = 0; i < n; ++i)
        c[i] = static_cast<uint8_t>((static_cast<uint16_t>(c[i] * inv) + static_cast<uint16_t>(b[i] * a)) >> 8);
    for (int x = 0; x < count; ++x) comp[x] &= 0x00FFFFFFu;
}

}  // namespace

void FillRect(PixelBuffer buf, Rect r, uint32_t pixel) {
    if (buf.Empty()) return;
    r = Intersect(r, Bounds(buf));
    if (r.Empty()) return;
    std::fill(buf.Row(r.y0) + r.x0, buf.Row(r.y0) + r.x1, pixel);
    ReplicateFirstRow(buf, r);
}

void FillGradientH(PixelBuffer buf, Rect r, uint32_t left, uint32_t right, Rect clip) {
    if (buf.Empty() || r.Empty()) return;
    const Rect c = Intersect(Intersect(r, clip), Bounds(buf));
    if (c.Empty()) return;
    const long long span = static_cast<long long>(r.x1) - r.x0 - 1;
    uint32_t* row = buf.Row(c.y0);
    if (span <= 0 || span >= (1 << 15)) {
        // One column, or wider than any surface: exact per column.
        for (int x = c.x0; x < c.x1; ++x) {
            if (span <= 0) {
                row[x] = left;
                continue;
            }
            const long long i = static_cast<long long>(x) - r.x0;
            uint32_t px = 0;
            for (int shift = 0; shift <= 16; shift += 8) {
                const long long a = Channel(left, shift), b = Channel(right, shift);
                px |= static_cast<uint32_t>((a * (span - i) + b * i + span / 2) / span) << shift;
            }
            row[x] = px;
        }
    } else {
        // 16.16 steps: below 2^15 columns the error stays under half a unit,
        // so both end columns come out exact.
        int32_t value[3], step[3];
        const int32_t first = c.x0 - r.x0;
        for (int k = 0; k < 3; ++k) {
            const int32_t a = Channel(left, 8 * k), b = Channel(right, 8 * k);
            step[k] = static_cast<int32_t>((static_cast<int64_t>(b - a) * 65536) / span);
            value[k] = a * 65536 + first * step[k] + 0x8000;
        }
        for (int x = c.x0; x < c.x1; ++x) {
            row[x] = static_cast<uint32_t>(value[0] >> 16) | static_cast<uint32_t>(value[1] >> 16) << 8 |
                     static_cast<uint32_t>(value[2] >> 16) << 16;
            for (int k = 0; k < 3; ++k) value[k] += step[k];
        }
    }
    ReplicateFirstRow(buf, c);
}

void FillGradientH(PixelBuffer buf, Rect r, uint32_t left, uint32_t right) {
    FillGradientH(buf, r, left, right, Bounds(buf));
}

void CopyRect(PixelBuffer dst, PixelBuffer src, Rect r) {
    if (dst.Empty() || src.Empty()) return;
    r = Intersect(Intersect(r, Bounds(dst)), Bounds(src));
    if (r.Empty()) return;
    const size_t bytes = static_cast<size_t>(r.x1 - r.x0) * sizeof(uint32_t);
    for (int y = r.y0; y < r.y1; ++y) std::memmove(dst.Row(y) + r.x0, src.Row(y) + r.x0, bytes);
}

void CopyRowSpan(PixelBuffer dst, const uint32_t* srcRow, int srcWidth, int x0, int x1, int y0,
                 int y1) {
    if (dst.Empty() || !srcRow) return;
    const Rect r = Intersect(Rect{x0, y0, x1, y1}, Rect{0, 0, std::min(dst.Width, srcWidth), dst.Height});
    if (r.Empty()) return;
    const size_t bytes = static_cast<size_t>(r.x1 - r.x0) * sizeof(uint32_t);
    for (int y = r.y0; y < r.y1; ++y) std::memcpy(dst.Row(y) + r.x0, srcRow + r.x0, bytes);
}

void BlendToward(PixelBuffer comp, PixelBuffer background, int width, int height, uint8_t alpha) {
    if (comp.Empty() || background.Empty() || alpha == 0) return;
    const int w = std::min({width, comp.Width, background.Width});
    const int h = std::min({height, comp.Height, background.Height});
    if (w <= 0 || h <= 0) return;
    for (int y = 0; y < h; ++y) BlendSpan(comp.Row(y), background.Row(y), w, alpha);
}

void FillRowBlended(PixelBuffer comp, PixelBuffer background, int y, int x0, int x1, uint32_t pixel,
                    uint8_t alpha) {
    if (comp.Empty() || y < 0 || y >= comp.Height) return;
    x0 = std::max(x0, 0);
    x1 = std::min(x1, comp.Width);
    if (x0 >= x1) return;
    uint32_t* c = comp.Row(y);
    if (alpha == 0 || background.Empty() || y >= background.Height) {
        std::fill(c + x0, c + x1, pixel);
        return;
    }
    // Filled and blended while the row is in the cache.
    std::fill(c + x0, c + x1, pixel);
    const int xb = std::min(x1, background.Width);
    if (x0 < xb) BlendSpan(c + x0, background.Row(y) + x0, xb - x0, alpha);
}

}  // namespace velkaro
