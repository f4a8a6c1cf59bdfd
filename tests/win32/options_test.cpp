// The options opened as the Today screen opens them: dialog 500 of
// velkaro.dll with its exported procedure, the sheet driven from another
// thread, then the registry and the item's next picture looked at.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "platform/win/png_win.h"
#include "platform/win/todaycmn.h"
#include "resources/colour_ids.h"
#include "resources/options_ids.h"
#include "settings/protocol.h"
#include "settings/store.h"
#include "tests/win32/test_support.h"

using namespace velkaro;

namespace {

constexpr int kWidth = 480;

// Called from the driver thread, which has no windows.
HWND WaitForWindow(const wchar_t* title) {
    HWND w = nullptr;
    PollUntil([&] {
        w = FindWindowW(nullptr, title);
        return w && IsWindowVisible(w);
    });
    return w && IsWindowVisible(w) ? w : nullptr;
}

// The page of the sheet at index, made current (pages are made when first shown).
HWND Page(HWND sheet, int index) {
    SendMessageW(sheet, PSM_SETCURSEL, static_cast<WPARAM>(index), 0);
    return reinterpret_cast<HWND>(SendMessageW(sheet, PSM_INDEXTOHWND, static_cast<WPARAM>(index), 0));
}

void Click(HWND page, int id) {
    PostMessageW(page, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(page, id)));
}

std::wstring RegText(const wchar_t* sub, const wchar_t* name) {
    wchar_t buf[300] = {};
    DWORD size = sizeof buf - 2;
    const std::wstring path = std::wstring(kSettingsKey + 1) + sub;
    if (RegGetValueW(HKEY_CURRENT_USER, path.c_str(), name, RRF_RT_REG_SZ, nullptr, buf, &size) != ERROR_SUCCESS)
        return L"<missing>";
    return buf;
}

long long RegDword(const wchar_t* sub, const wchar_t* name) {
    DWORD v = 0, size = sizeof v;
    const std::wstring path = std::wstring(kSettingsKey + 1) + sub;
    if (RegGetValueW(HKEY_CURRENT_USER, path.c_str(), name, RRF_RT_REG_DWORD, nullptr, &v, &size) != ERROR_SUCCESS)
        return -1;
    return v;
}

bool SettingsKeyExists() {
    HKEY k;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kSettingsKey + 1, 0, KEY_READ, &k) != ERROR_SUCCESS) return false;
    RegCloseKey(k);
    return true;
}

class OptionsFromHost : public ::testing::Test {
protected:
    HMODULE dll = nullptr;
    HWND host = nullptr, item = nullptr;
    TODAYLISTITEM desc = {};

    void SetUp() override {
        RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKey + 1);
        dll = LoadLibraryW((ExeDir() + L"velkaro.dll").c_str());
        ASSERT_NE(dll, nullptr);
        WNDCLASSW wc = {};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = velkaro::kTodayWindowClass;  // the fonts come from the Today screen's context
        RegisterClassW(&wc);
        host = CreateWindowExW(0, wc.lpszClassName, L"host", WS_POPUP, 0, 0, kWidth, 640, nullptr, nullptr,
                               wc.hInstance, nullptr);
        ASSERT_NE(host, nullptr);
        StartItem();
    }

    void TearDown() override {
        if (item) DestroyWindow(item);
        if (host) DestroyWindow(host);
        if (dll) FreeLibrary(dll);
        UnregisterClassW(velkaro::kTodayWindowClass, GetModuleHandleW(nullptr));
        RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKey + 1);
    }

    void StartItem() {
        auto init = reinterpret_cast<PFNCUSTOMINITIALIZEITEM>(GetProcAddress(dll, "InitializeCustomItem"));
        item = init(&desc, host);
        ASSERT_NE(item, nullptr);
        SendMessageW(item, WM_TODAYCUSTOM_QUERYREFRESHCACHE, reinterpret_cast<WPARAM>(&desc), 0);
    }

    // Opens the options on this thread while drive() works the sheet.
    void RunOptions(const std::function<void(HWND sheet)>& drive) {
        std::thread driver([&] {
            HWND sheet = WaitForWindow(L"VelkaroSetting");
            if (sheet) drive(sheet);
        });
        auto proc = reinterpret_cast<DLGPROC>(GetProcAddress(dll, "CustomItemOptionsDlgProc"));
        ASSERT_NE(proc, nullptr);
        DialogBoxParamW(dll, MAKEINTRESOURCEW(500), host, proc, reinterpret_cast<LPARAM>(&desc));
        driver.join();
    }

    // The item's next picture, and whether the refresh query asked for it.
    std::vector<uint32_t> Snapshot(bool* redraw) {
        *redraw = SendMessageW(item, WM_TODAYCUSTOM_QUERYREFRESHCACHE, reinterpret_cast<WPARAM>(&desc), 0) != 0 ||
                  desc.cyp > 0;
        const int height = static_cast<int>(desc.cyp);
        MoveWindow(item, 0, 0, kWidth, height, FALSE);
        return PrintItem(item, kWidth, height);
    }

    // Picks palette red for the title's location text, and renames slot 0.
    static void ChangeColourAndPlace(HWND sheet) {
        HWND info = Page(sheet, 3);
        PostMessageW(info, WM_COMMAND, MAKEWPARAM(IDC_INFO_CRTITLE, STN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(info, IDC_INFO_CRTITLE)));
        HWND chooser = WaitForWindow(L"ChoseColor");
        if (!chooser) return;
        SendMessageW(chooser, WM_COMMAND, MAKEWPARAM(1042, STN_CLICKED), 0);  // (255,0,0)
        SendMessageW(chooser, WM_COMMAND, IDM_COLOUR_OK, 0);
        PollUntil([&] { return !IsWindow(chooser); });
        HWND pos = Page(sheet, 2);
        SetDlgItemTextW(pos, IDC_POS_NAME, L"Elsewhere");
        SetDlgItemTextW(pos, IDC_POS_TD, L"5.75");
    }
};

int CountColour(const std::vector<uint32_t>& px, int rows, uint32_t rgb) {
    int n = 0;
    for (int i = 0; i < rows * kWidth && i < static_cast<int>(px.size()); ++i) n += px[static_cast<size_t>(i)] == rgb;
    return n;
}

}  // namespace

TEST_F(OptionsFromHost, OkSavesAColourAndAPlaceAndTheItemShowsThem) {
    bool redraw = false;
    const std::vector<uint32_t> before = Snapshot(&redraw);
    EXPECT_EQ(CountColour(before, 20, 0xFF0000), 0);
    RunOptions([](HWND sheet) {
        ChangeColourAndPlace(sheet);
        PostMessageW(sheet, PSM_PRESSBUTTON, PSBTN_OK, 0);
    });
    EXPECT_EQ(RegDword(L"", L"CrTitle"), 0x0000FF);
    EXPECT_EQ(RegText(L"\\Pos00", L"Location"), L"Elsewhere");
    EXPECT_EQ(RegText(L"\\Pos00", L"UtcMargin"), L"5.750000");  // quarter hours kept
    EXPECT_EQ(RegText(L"\\Pos01", L"Location"), L"Guam");
    const std::vector<uint32_t> after = Snapshot(&redraw);
    EXPECT_TRUE(redraw);
    EXPECT_GT(CountColour(after, 20, 0xFF0000), 10);  // the title's name now drawn in red

    // The place menu of the item lists the new name.
    SettingsStore s;
    ASSERT_TRUE(LoadSettingsStore(&s));
    EXPECT_EQ(s.Locations[0].Location, L"Elsewhere");
}

TEST_F(OptionsFromHost, CancelLeavesTheRegistryAsItWas) {
    RunOptions([](HWND sheet) {
        ChangeColourAndPlace(sheet);
        HWND sort = Page(sheet, 5);
        Click(sort, IDC_SORT_TOLEFT);  // queued before the button press, so handled first
        PostMessageW(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
    });
    EXPECT_EQ(RegDword(L"", L"CrTitle"), 0xFFD2BE);
    EXPECT_EQ(RegText(L"\\Pos00", L"Location"), L"Tokyo");
    EXPECT_EQ(RegText(L"", L"SortP0"), L"01");
}

TEST_F(OptionsFromHost, PagesApplyTheirControls) {
    RunOptions([](HWND sheet) {
        HWND info = Page(sheet, 3);
        SetDlgItemTextW(info, IDC_INFO_TMARGIN_TOP, L"5");
        SetDlgItemTextW(info, IDC_INFO_TMARGIN_BOTTOM, L"7");
        HWND back = Page(sheet, 7);
        SetDlgItemTextW(back, IDC_BACK_ALPHAS, L"200");
        HWND sort = Page(sheet, 5);
        Click(sort, IDC_SORT_TOLEFT);  // the Sun leaves the list
        HWND saturn = Page(sheet, 8 + 6);
        SetDlgItemTextW(saturn, IDC_BODY_WIDTHSL, L"5000");  // held to 999
        HWND pos = Page(sheet, 2);
        HWND slot = GetDlgItem(pos, IDC_POS_SLOT);  // the spin takes the arrow keys of its edit
        SendMessageW(slot, WM_KEYDOWN, VK_DOWN, 0);  // below slot 0: slot 19
        SendMessageW(slot, WM_KEYUP, VK_DOWN, 0);
        wchar_t name[64] = {};
        GetDlgItemTextW(pos, IDC_POS_NAME, name, 64);
        if (std::wstring(name) == L"Hong Kong") SetDlgItemTextW(pos, IDC_POS_NAME, L"Victoria");
        PostMessageW(sheet, PSM_PRESSBUTTON, PSBTN_OK, 0);
    });
    EXPECT_EQ(RegDword(L"", L"TMarginTop"), 5);
    EXPECT_EQ(RegDword(L"", L"TMarginBottom"), 7);
    EXPECT_EQ(RegDword(L"\\3", L"AlphaS"), 200);
    EXPECT_EQ(RegDword(L"\\9", L"AlphaS"), 200);
    EXPECT_EQ(RegText(L"", L"SortP0"), L"1");
    EXPECT_EQ(RegDword(L"\\6", L"WidthSL"), 999);
    EXPECT_EQ(static_cast<int32_t>(RegDword(L"\\6", L"MarginTop")), -9);
    EXPECT_EQ(RegText(L"\\Pos19", L"Location"), L"Victoria");
    EXPECT_EQ(RegText(L"\\Pos00", L"Location"), L"Tokyo");
}

TEST_F(OptionsFromHost, RegDelThenOkLeavesNoSettingsAndTheNextStartWritesThem) {
    bool answered = false;
    RunOptions([&](HWND sheet) {
        HWND base = Page(sheet, 0);
        Click(base, IDC_BASE_REGDEL);
        HWND box = WaitForWindow(L"Warning");
        if (!box) return;
        answered = true;
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        PollUntil([&] { return !IsWindow(box); });
        PostMessageW(sheet, PSM_PRESSBUTTON, PSBTN_OK, 0);
    });
    EXPECT_TRUE(answered);
    EXPECT_FALSE(SettingsKeyExists());

    DestroyWindow(item);
    item = nullptr;
    StartItem();
    ASSERT_TRUE(SettingsKeyExists());
    // This screen is over 320 pixels: the pixel sizes are doubled again.
    EXPECT_EQ(RegDword(L"", L"WidthScale"), 2);
    EXPECT_EQ(RegDword(L"\\4", L"Spacetxt"), 4);
    EXPECT_EQ(RegDword(L"\\4", L"PosRtxt"), 4);
    EXPECT_EQ(RegText(L"", L"Deg"), L"\u00B0");
}

TEST_F(OptionsFromHost, ANewPictureShowsAtTheNextPaint) {
    _putenv("VELKARO_NOW=2026-12-08T03:00:00Z");  // noon in Tokyo: the Sun is up
    wchar_t tmp[MAX_PATH];
    GetTempPathW(MAX_PATH, tmp);
    const std::wstring icon = std::wstring(tmp) + L"velkaro_options_sun.png";
    std::vector<uint32_t> green(24 * 24, 0x00FF00);
    ASSERT_TRUE(WritePng(icon, green.data(), 24, 24));
    auto greenCount = [](const std::vector<uint32_t>& px) {
        int n = 0;
        for (uint32_t p : px) n += p == 0x00FF00;
        return n;
    };
    bool redraw = false;
    EXPECT_EQ(greenCount(Snapshot(&redraw)), 0);
    RunOptions([&](HWND sheet) {
        HWND sun = Page(sheet, 8);
        SetDlgItemTextW(sun, IDC_BODY_ICON, icon.c_str());
        PostMessageW(sheet, PSM_PRESSBUTTON, PSBTN_OK, 0);
    });
    EXPECT_EQ(RegText(L"\\0", L"Icon"), icon);
    EXPECT_GT(greenCount(Snapshot(&redraw)), 100);
    _putenv("VELKARO_NOW=");
}
