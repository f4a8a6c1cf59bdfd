// The picture loader (WIC) and the PNG encoder behind the drawing.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/picture.h"
#include "platform/win/png_win.h"
#include "tests/win32/test_support.h"

using namespace velkaro;

namespace {

std::wstring TempDir() {
    wchar_t buf[MAX_PATH];
    return std::wstring(buf, GetTempPathW(MAX_PATH, buf));
}

std::string Narrow(const std::wstring& w) { return std::string(w.begin(), w.end()); }

// 3 x 2: red, green, blue over white, black, grey.
const uint32_t kPixels[6] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF, 0x000000, 0x808080};

}  // namespace

TEST(PictureLoader, ReadsByContentAndResolvesDevicePaths) {
    // Beside the program, which lies on another drive than the temporary folder.
    const std::wstring png = ExeDir() + L"velkaro_seam_test.png";
    const std::wstring mask = ExeDir() + L"velkaro_seam_test.msk";
    ASSERT_TRUE(WritePng(png, kPixels, 3, 2));
    ASSERT_TRUE(CopyFileW(png.c_str(), mask.c_str(), FALSE));
    std::wstring paths[] = {png, mask, png};
    // A device path has no drive letter; it is read from the program's drive.
    ASSERT_EQ(png[1], L':');
    ASSERT_NE(png.substr(0, 2), TempDir().substr(0, 2));
    paths[2] = png.substr(2);
    for (const std::wstring& path : paths) {
        DecodedPicture p;
        ASSERT_TRUE(LoadPicture(path, &p)) << Narrow(path);
        ASSERT_EQ(p.Width, 3);
        ASSERT_EQ(p.Height, 2);
        for (int i = 0; i < 6; ++i) EXPECT_EQ(p.Pixels[i], kPixels[i]) << Narrow(path) << " " << i;
    }
    DeleteFileW(mask.c_str());

    // Missing files and files of another kind fail and leave nothing behind.
    ASSERT_TRUE(WritePng(mask, kPixels, 3, 2));
    HANDLE f = CreateFileW(mask.c_str(), GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING, 0, nullptr);
    ASSERT_NE(f, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(f, "plain text", 10, &written, nullptr);
    CloseHandle(f);
    DecodedPicture p;
    p.Width = 5;
    EXPECT_FALSE(LoadPicture(mask, &p));
    EXPECT_EQ(p.Width, 0);
    EXPECT_TRUE(p.Pixels.empty());
    EXPECT_FALSE(LoadPicture(TempDir() + L"velkaro_no_such_picture.png", &p));
    EXPECT_FALSE(LoadPicture(L"", &p));
    DeleteFileW(mask.c_str());
    DeleteFileW(png.c_str());
}

TEST(PngEncoder, WritesWhatTheLoaderReadsAndKeepsAFileItCannotReplace) {
    const std::wstring path = TempDir() + L"velkaro_encoder_test.png";
    // A bottom-up buffer: the last row first in memory, read with a negative stride.
    const uint32_t bottomUp[6] = {0xFFFFFF, 0x000000, 0x808080, 0xFF0000, 0x00FF00, 0x0000FF};
    ASSERT_TRUE(WritePng(path, bottomUp + 3, 3, 2, -3));
    DecodedPicture p;
    ASSERT_TRUE(LoadPicture(path, &p));
    ASSERT_EQ(p.Width, 3);
    ASSERT_EQ(p.Height, 2);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(p.Pixels[i], kPixels[i]) << i;

    EXPECT_FALSE(WritePng(path, kPixels, 0, 2));
    EXPECT_FALSE(WritePng(TempDir() + L"no\\such\\folder\\x.png", kPixels, 3, 2));
    ASSERT_TRUE(LoadPicture(path, &p));  // the earlier file is still whole
    EXPECT_EQ(p.Pixels[0], kPixels[0]);
    DeleteFileW(path.c_str());
}
