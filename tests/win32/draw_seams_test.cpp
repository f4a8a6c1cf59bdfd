// The picture loader (WIC) and text measuring (GDI) behind the drawing.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/picture.h"
#include "platform/png_writer.h"
#include "platform/text_measure.h"

using namespace velkaro;

namespace {

std::wstring TempDir() {
    wchar_t buf[MAX_PATH];
    const DWORD n = GetTempPathW(MAX_PATH, buf);
    return std::wstring(buf, n);
}

// A 3 x 2 picture, top row red, green, blue; bottom row white, black, grey.
const uint32_t kPixels[6] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF, 0x000000, 0x808080};

// 32-bit bottom-up BMP.
bool WriteBmp(const std::wstring& path) {
    const int w = 3, h = 2;
    std::vector<uint8_t> file(54 + w * h * 4, 0);
    auto put32 = [&](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i) file[at + i] = static_cast<uint8_t>(v >> (8 * i));
    };
    file[0] = 'B';
    file[1] = 'M';
    put32(2, static_cast<uint32_t>(file.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, w);
    put32(22, h);
    file[26] = 1;
    file[28] = 32;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) put32(54 + ((h - 1 - y) * w + x) * 4, kPixels[y * w + x]);
    FILE* f = _wfopen(path.c_str(), L"wb");
    if (!f) return false;
    const bool ok = fwrite(file.data(), 1, file.size(), f) == file.size();
    fclose(f);
    return ok;
}

std::string Narrow(const std::wstring& w) { return std::string(w.begin(), w.end()); }

}  // namespace

TEST(PictureLoader, ReadsByContentWhateverTheExtension) {
    const std::wstring bmpAsMask = TempDir() + L"velkaro_seam_test.msk";
    const std::wstring png = TempDir() + L"velkaro_seam_test.png";
    ASSERT_TRUE(WriteBmp(bmpAsMask));
    ASSERT_TRUE(WritePngFile(Narrow(png), kPixels, 3, 2, false));
    for (const std::wstring& path : {bmpAsMask, png}) {
        DecodedPicture p;
        ASSERT_TRUE(LoadPicture(path, &p)) << Narrow(path);
        ASSERT_EQ(p.Width, 3);
        ASSERT_EQ(p.Height, 2);
        for (int i = 0; i < 6; ++i) EXPECT_EQ(p.Pixels[i], kPixels[i]) << Narrow(path) << " " << i;
    }
    // Device paths have no drive letter: they are read from C:.
    if (png.size() > 2 && (png[0] == L'C' || png[0] == L'c') && png[1] == L':') {
        DecodedPicture p;
        EXPECT_TRUE(LoadPicture(png.substr(2), &p));
        EXPECT_EQ(p.Width, 3);
    }
    DeleteFileW(bmpAsMask.c_str());
    DeleteFileW(png.c_str());
}

TEST(PictureLoader, FailsCleanly) {
    DecodedPicture p;
    p.Width = 5;
    EXPECT_FALSE(LoadPicture(TempDir() + L"velkaro_no_such_picture.png", &p));
    EXPECT_EQ(p.Width, 0);
    EXPECT_TRUE(p.Pixels.empty());
    EXPECT_FALSE(LoadPicture(L"", &p));

    const std::wstring text = TempDir() + L"velkaro_not_a_picture.png";
    FILE* f = _wfopen(text.c_str(), L"wb");
    ASSERT_NE(f, nullptr);
    fputs("plain text", f);
    fclose(f);
    EXPECT_FALSE(LoadPicture(text, &p));
    DeleteFileW(text.c_str());
}

TEST(TextMeasure, WidthGrowsWithTheTextAndHeightFollowsTheFont) {
    const FontSpec small{L"", 0, 12};
    const FontSpec large{L"", 0, 24};
    const TextExtent one = MeasureText(L"Mars", small);
    const TextExtent two = MeasureText(L"Mars Mars", small);
    EXPECT_GT(one.Width, 0);
    EXPECT_GT(two.Width, one.Width);
    EXPECT_NEAR(one.Height, 12, 2);  // the cell height, as the font maps it
    const TextExtent big = MeasureText(L"Mars", large);
    EXPECT_NEAR(big.Height, 24, 2);
    EXPECT_GT(big.Width, one.Width);
    EXPECT_EQ(MeasureText(L"", small).Width, 0);
    // Switching fonts back and forth gives the same answers.
    EXPECT_EQ(MeasureText(L"Mars", small).Width, one.Width);
    // A face name longer than GDI keeps is cut, not overrun.
    const FontSpec longName{std::wstring(100, L'a'), 0, 12};
    EXPECT_GT(MeasureText(L"Mars", longName).Width, 0);
}
