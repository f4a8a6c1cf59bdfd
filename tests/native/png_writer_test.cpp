#include "platform/png_writer.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

using namespace velkaro;

namespace {

// A deliberately separate reader: bitwise CRC, stored-block inflate, every
// structural field checked, so the writer is judged by what a decoder sees.
struct Decoded {
    std::string error;
    std::uint32_t width = 0, height = 0;
    int colourType = -1;
    int idatChunks = 0;
    int storedBlocks = 0;
    std::vector<std::uint32_t> pixels;  // 0xAARRGGBB; alpha 0xFF for RGB files
};

std::uint32_t Be32(const std::uint8_t* p) {
    return (std::uint32_t(p[0]) << 24) | (std::uint32_t(p[1]) << 16) | (std::uint32_t(p[2]) << 8) | p[3];
}

std::uint32_t BitwiseCrc(const std::uint8_t* p, std::size_t n) {
    std::uint32_t c = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < n; ++i) {
        c ^= p[i];
        for (int k = 0; k < 8; ++k) c = (c >> 1) ^ (0xEDB88320u & (0u - (c & 1)));
    }
    return ~c;
}

std::uint32_t SlowAdler(const std::vector<std::uint8_t>& d) {
    std::uint64_t a = 1, b = 0;
    for (std::uint8_t v : d) {
        a = (a + v) % 65521;
        b = (b + a) % 65521;
    }
    return std::uint32_t(b << 16 | a);
}

Decoded Decode(const std::vector<std::uint8_t>& f) {
    Decoded d;
    static const std::uint8_t sig[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (f.size() < 8 || !std::equal(sig, sig + 8, f.begin())) return d.error = "signature", d;
    std::vector<std::uint8_t> z;
    std::size_t at = 8;
    bool sawEnd = false, sawHeader = false;
    int bitDepth = 0;
    while (at < f.size()) {
        if (f.size() - at < 12) return d.error = "truncated chunk", d;
        std::uint32_t len = Be32(&f[at]);
        if (f.size() - at - 12 < len) return d.error = "chunk overruns file", d;
        std::string type(f.begin() + at + 4, f.begin() + at + 8);
        const std::uint8_t* data = &f[at + 8];
        if (BitwiseCrc(&f[at + 4], len + 4) != Be32(data + len)) return d.error = "crc of " + type, d;
        if (sawEnd) return d.error = "data after IEND", d;
        if (type == "IHDR") {
            if (at != 8 || len != 13) return d.error = "IHDR placement", d;
            d.width = Be32(data);
            d.height = Be32(data + 4);
            bitDepth = data[8];
            d.colourType = data[9];
            if (data[10] || data[11] || data[12]) return d.error = "IHDR methods", d;
            sawHeader = true;
        } else if (type == "IDAT") {
            z.insert(z.end(), data, data + len);
            ++d.idatChunks;
        } else if (type == "IEND") {
            if (len) return d.error = "IEND length", d;
            sawEnd = true;
        } else {
            return d.error = "unexpected chunk " + type, d;
        }
        at += 12 + len;
    }
    if (!sawHeader || !sawEnd || !d.idatChunks) return d.error = "missing chunk", d;
    if (bitDepth != 8 || (d.colourType != 2 && d.colourType != 6)) return d.error = "format", d;

    // zlib wrapper and stored deflate blocks.
    if (z.size() < 6 || (z[0] & 0x0F) != 8 || (z[0] << 8 | z[1]) % 31 || (z[1] & 0x20))
        return d.error = "zlib header", d;
    std::vector<std::uint8_t> raw;
    std::size_t p = 2;
    for (bool last = false; !last;) {
        if (p + 5 > z.size()) return d.error = "block header", d;
        std::uint8_t h = z[p];
        last = h & 1;
        if ((h >> 1) & 3) return d.error = "not a stored block", d;
        std::size_t n = z[p + 1] | z[p + 2] << 8;
        std::size_t nn = z[p + 3] | z[p + 4] << 8;
        if ((n ^ 0xFFFF) != nn) return d.error = "LEN/NLEN", d;
        p += 5;
        if (p + n > z.size()) return d.error = "block overruns", d;
        raw.insert(raw.end(), z.begin() + p, z.begin() + p + n);
        p += n;
        ++d.storedBlocks;
    }
    if (p + 4 != z.size()) return d.error = "zlib trailer", d;
    if (Be32(&z[p]) != SlowAdler(raw)) return d.error = "adler", d;

    const std::size_t ch = d.colourType == 6 ? 4 : 3;
    if (raw.size() != d.height * (1 + ch * d.width)) return d.error = "raw size", d;
    std::size_t r = 0;
    for (std::uint32_t y = 0; y < d.height; ++y) {
        if (raw[r++] != 0) return d.error = "filter type", d;
        for (std::uint32_t x = 0; x < d.width; ++x, r += ch) {
            std::uint32_t a = ch == 4 ? raw[r + 3] : 0xFF;
            d.pixels.push_back(a << 24 | std::uint32_t(raw[r]) << 16 | raw[r + 1] << 8 | raw[r + 2]);
        }
    }
    return d;
}

std::vector<std::uint32_t> Pattern(int w, int h, bool alpha) {
    std::vector<std::uint32_t> v;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            std::uint32_t c = std::uint32_t(x * 37 + y * 11) << 16 | std::uint32_t(x * 5 ^ y * 3) << 8 |
                              std::uint32_t(y * 29 + 7);
            v.push_back((c & 0xFFFFFF) | (alpha ? std::uint32_t(x + y * 3) << 24 : 0));
        }
    return v;
}

}  // namespace

TEST(PngChecksums, KnownValuesAndContinuation) {
    const std::string s = "123456789";
    auto* b = reinterpret_cast<const std::uint8_t*>(s.data());
    EXPECT_EQ(Crc32(b, s.size()), 0xCBF43926u);
    EXPECT_EQ(Crc32(b + 4, s.size() - 4, Crc32(b, 4)), 0xCBF43926u);
    EXPECT_EQ(Crc32(b, 0), 0u);
    const std::string w = "Wikipedia";
    EXPECT_EQ(Adler32(reinterpret_cast<const std::uint8_t*>(w.data()), w.size()), 0x11E60398u);
    EXPECT_EQ(Adler32(b, 0), 1u);

    // Long runs of 0xFF push the sums through the deferred modulo.
    std::vector<std::uint8_t> ff(100000, 0xFF);
    EXPECT_EQ(Adler32(ff.data(), ff.size()), SlowAdler(ff));
    EXPECT_EQ(Adler32(ff.data() + 777, ff.size() - 777, Adler32(ff.data(), 777)), SlowAdler(ff));
    EXPECT_EQ(Crc32(ff.data(), ff.size()), BitwiseCrc(ff.data(), ff.size()));
}

TEST(PngWriter, RgbRoundTripDropsTheTopByte) {
    const int w = 5, h = 3;
    std::vector<std::uint32_t> px = Pattern(w, h, true);  // top byte set but must be ignored
    std::vector<std::uint8_t> bytes;
    ASSERT_TRUE(EncodePng(px.data(), w, h, false, &bytes));
    Decoded d = Decode(bytes);
    ASSERT_EQ(d.error, "");
    EXPECT_EQ(d.width, 5u);
    EXPECT_EQ(d.height, 3u);
    EXPECT_EQ(d.colourType, 2);
    ASSERT_EQ(d.pixels.size(), px.size());
    for (std::size_t i = 0; i < px.size(); ++i) ASSERT_EQ(d.pixels[i], (px[i] & 0xFFFFFF) | 0xFF000000u) << i;
}

TEST(PngWriter, RgbaRoundTripKeepsAlphaAndRowOrder) {
    const int w = 7, h = 4;
    std::vector<std::uint32_t> px = Pattern(w, h, true);
    px[0] = 0x00FF0000;          // top-left: fully transparent red
    px[w * h - 1] = 0xFF0000FF;  // bottom-right: opaque blue
    std::vector<std::uint8_t> bytes;
    ASSERT_TRUE(EncodePng(px.data(), w, h, true, &bytes));
    Decoded d = Decode(bytes);
    ASSERT_EQ(d.error, "");
    EXPECT_EQ(d.colourType, 6);
    EXPECT_EQ(d.pixels, px);
}

TEST(PngWriter, LargeImageSpansSeveralStoredBlocks) {
    const int w = 300, h = 200;  // 240 200 raw bytes: four blocks
    std::vector<std::uint32_t> px = Pattern(w, h, true);
    std::vector<std::uint8_t> bytes;
    ASSERT_TRUE(EncodePng(px.data(), w, h, true, &bytes));
    Decoded d = Decode(bytes);
    ASSERT_EQ(d.error, "");
    EXPECT_EQ(d.storedBlocks, 4);
    EXPECT_EQ(d.pixels, px);

    // 21 x 771 RGBA is exactly 65535 raw bytes: one full block carrying the
    // final flag, no empty tail block.
    std::vector<std::uint32_t> full = Pattern(21, 771, true);
    ASSERT_TRUE(EncodePng(full.data(), 21, 771, true, &bytes));
    d = Decode(bytes);
    ASSERT_EQ(d.error, "");
    EXPECT_EQ(d.storedBlocks, 1);
    EXPECT_EQ(d.pixels, full);
}

TEST(PngWriter, NegativeStrideReadsBottomUpBuffers) {
    const int w = 3, h = 4;
    std::vector<std::uint32_t> bottomUp = Pattern(w, h, false);
    std::vector<std::uint8_t> bytes;
    ASSERT_TRUE(EncodePng(bottomUp.data() + (h - 1) * w, w, h, false, &bytes, -w));
    Decoded d = Decode(bytes);
    ASSERT_EQ(d.error, "");
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            ASSERT_EQ(d.pixels[y * w + x] & 0xFFFFFF, bottomUp[(h - 1 - y) * w + x]) << x << "," << y;

    // A wider stride skips the padding at each row's end.
    std::vector<std::uint32_t> padded = {1, 2, 0xDEAD, 3, 4, 0xBEEF};
    ASSERT_TRUE(EncodePng(padded.data(), 2, 2, false, &bytes, 3));
    d = Decode(bytes);
    ASSERT_EQ(d.error, "");
    EXPECT_EQ(d.pixels, (std::vector<std::uint32_t>{0xFF000001, 0xFF000002, 0xFF000003, 0xFF000004}));
}

TEST(PngWriter, RejectsEmptyAndNullInput) {
    std::uint32_t one = 0;
    std::vector<std::uint8_t> bytes{1, 2, 3};
    EXPECT_FALSE(EncodePng(&one, 0, 1, false, &bytes));
    EXPECT_FALSE(EncodePng(&one, 1, -1, false, &bytes));
    EXPECT_FALSE(EncodePng(nullptr, 1, 1, false, &bytes));
    EXPECT_FALSE(EncodePng(&one, 1, 1, false, nullptr));
}

TEST(PngWriter, FileHoldsTheSameBytesAndBadPathsFail) {
    std::vector<std::uint32_t> px = Pattern(4, 4, false);
    std::vector<std::uint8_t> expected;
    ASSERT_TRUE(EncodePng(px.data(), 4, 4, false, &expected));

    std::string path = ::testing::TempDir() + "velkaro_png_writer_test.png";
    ASSERT_TRUE(WritePngFile(path, px.data(), 4, 4, false));
    std::vector<std::uint8_t> got;
    if (std::FILE* f = std::fopen(path.c_str(), "rb")) {
        int c;
        while ((c = std::fgetc(f)) != EOF) got.push_back(static_cast<std::uint8_t>(c));
        std::fclose(f);
    }
    std::remove(path.c_str());
    EXPECT_EQ(got, expected);

    EXPECT_FALSE(WritePngFile(::testing::TempDir() + "no/such/dir/x.png", px.data(), 4, 4, false));
    EXPECT_FALSE(WritePngFile(path, px.data(), 0, 4, false));
}
