// The item painted by the plug-in itself (through WM_PRINTCLIENT, as snapshots
// are taken), checked pixel by pixel where the layout fixes the result.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/win/png_win.h"
#include "platform/win/todaycmn.h"
#include "settings/protocol.h"
#include "settings/store.h"
#include "tests/win32/test_support.h"

using namespace velkaro;

namespace {


constexpr int kWidth = 480;
constexpr int kSunSide = 20;  // picture side
constexpr uint32_t kGreen = 0x00FF00;

class PaintedItem : public ::testing::Test {
protected:
    HMODULE dll = nullptr;
    HWND host = nullptr, item = nullptr;
    TODAYLISTITEM desc = {};
    std::vector<uint32_t> pixels;  // top-down, 0x00RRGGBB
    int width = kWidth, height = 0;

    void SetUp() override {
        _putenv("VELKARO_NOW=2026-12-08T00:00:00Z");  // 09:00 in Tokyo
        RegDeleteTreeW(HKEY_CURRENT_USER, velkaro::kSettingsKey + 1);
    }

    void TearDown() override {
        if (item) DestroyWindow(item);
        if (host) DestroyWindow(host);
        if (dll) FreeLibrary(dll);
        RegDeleteTreeW(HKEY_CURRENT_USER, velkaro::kSettingsKey + 1);
        _putenv("VELKARO_NOW=");
    }

    // A store with the Sun alone, on a time meter, no title, no text, no blend.
    static SettingsStore SunOnly() {
        wchar_t tmp[MAX_PATH];
        GetTempPathW(MAX_PATH, tmp);
        const std::wstring icon = std::wstring(tmp) + L"velkaro_test_sun.png";
        std::vector<uint32_t> green(kSunSide * kSunSide, kGreen);
        EXPECT_TRUE(WritePng(icon, green.data(), kSunSide, kSunSide));
        SettingsStore s;
        s.General.Start = 0;
        s.General.InfoStart = 0;
        s.General.Title = 0;
        s.General.Clock = 0;
        s.General.TransToday = 0;
        s.General.SortP0 = SortList(L"0");
        BodyStyle& sun = s.Bodies[0];
        sun.Icon = icon;
        sun.IconMode = 1;
        sun.CrGradE = 0xFF0000;  // COLORREF blue
        sun.CrGradD = 0x808080;
        sun.CrGradW = 0x00FFFF;  // COLORREF yellow
        sun.CrScale = 0xFF00FF;  // magenta
        sun.WidthScale = 3;
        sun.CrBack = 0x000000;
        return s;
    }

    // The item at the given width; `actions` run before it is printed.
    void Paint(int itemWidth = kWidth, std::vector<int> actions = {}) {
        width = itemWidth;
        dll = LoadLibraryW((ExeDir() + L"velkaro.dll").c_str());
        ASSERT_NE(dll, nullptr);
        WNDCLASSW wc = {};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"PaintTestHost";
        RegisterClassW(&wc);
        host = CreateWindowExW(0, L"PaintTestHost", L"host", WS_POPUP, 0, 0, width, 640, nullptr, nullptr,
                               wc.hInstance, nullptr);
        auto init = reinterpret_cast<PFNCUSTOMINITIALIZEITEM>(GetProcAddress(dll, "InitializeCustomItem"));
        item = init(&desc, host);
        ASSERT_NE(item, nullptr);
        SendMessageW(item, WM_TODAYCUSTOM_QUERYREFRESHCACHE, reinterpret_cast<WPARAM>(&desc), 0);
        height = static_cast<int>(desc.cyp);
        MoveWindow(item, 0, 0, width, height, FALSE);
        for (int a : actions) SendMessageW(item, velkaro::ActionMessage(a), 0, 0);

        pixels = PrintItem(item, width, height);
    }

    uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

}  // namespace

TEST_F(PaintedItem, TimeMeterEndsMarkAndPicture) {
    ASSERT_TRUE(SaveSettingsStore(SunOnly()));
    Paint();
    const int rowTop = 1;  // MarginTop, no title band
    ASSERT_EQ(height, rowTop + kSunSide + 1);
    const int y = rowTop + kSunSide / 2;

    // Tokyo at 09:00 on 2026-12-08: the Sun rose at 06:37, culminates at 11:32
    // and sets at 16:27 (590 minutes of day). The meter runs from 48 to 479.
    const int left = 48, right = kWidth - 1;
    EXPECT_EQ(At(left, y), 0x0000FFu);   // CrGradE, first column
    EXPECT_EQ(At(right, y), 0xFFFF00u);  // CrGradW, last column
    EXPECT_EQ(At(left - 1, y), 0u);      // the night track shows the row background

    // The mark: 48 + 295 * 432 / 590 - 1, three columns wide.
    const int mark = 263;
    EXPECT_NE(At(mark - 1, y), 0xFF00FFu);
    for (int x = mark; x < mark + 3; ++x) EXPECT_EQ(At(x, y), 0xFF00FFu) << x;
    EXPECT_NE(At(mark + 3, y), 0xFF00FFu);

    // The Sun by day, half a disc further left than the other bodies:
    // 143 * 452 / 590 + 48 - 10 - 10.
    const int x0 = 137;
    EXPECT_NE(At(x0 - 1, y), kGreen);
    EXPECT_EQ(At(x0, y), kGreen);
    EXPECT_EQ(At(x0 + kSunSide / 2, rowTop), kGreen);
    EXPECT_EQ(At(x0 + kSunSide - 1, rowTop + kSunSide - 1), kGreen);
    EXPECT_NE(At(x0 + kSunSide, y), kGreen);
}

// On a small screen with a large title font the shifted date keeps its place
// and the title gives way: it ends clear of the date's red box.
TEST_F(PaintedItem, TitleGivesWayToTheShiftedDateOnASmallScreen) {
    SettingsStore s = SunOnly();
    s.General.Title = 3;
    s.General.Clock = 6;
    s.General.TextSize = 24;
    s.General.CrTitle = 0x00FF00;
    s.General.CrTitleBack = 0x000000;
    s.General.CrPlusBack = 0x0000FF;  // COLORREF red
    s.General.CrPlusText = 0x000000;
    ASSERT_TRUE(SaveSettingsStore(s));
    Paint(240, {11});  // +hour
    int box = -1, lastTitle = -1;
    for (int y = s.General.TMarginTop; y < s.General.TMarginTop + s.General.TextSize; ++y)
        for (int x = 0; x < width; ++x) {
            const uint32_t p = At(x, y);
            if (p == 0xFF0000u && (box < 0 || x < box)) box = x;
            const int r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
            if (g >= 0x60 && r < 0x60 && b < 0x60) lastTitle = std::max(lastTitle, x);
        }
    ASSERT_GT(box, 0);
    ASSERT_GE(lastTitle, 0);  // some of the title is left
    EXPECT_LT(lastTitle + 2, box);
}
