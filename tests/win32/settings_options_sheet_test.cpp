// The options opened as the Today screen opens them: dialog 500 of
// velkaro.dll with its exported procedure, the sheet driven from another
// thread, then the registry and the item's next picture looked at.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "platform/win/png_win.h"
#include <dlgs.h>
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

// Typing a slot number selects that slot; retyping the one shown stays on it,
// and a number past the last slot selects the last.
TEST_F(OptionsFromHost, TypedSlotNumberSelectsThatSlot) {
    std::wstring afterRetype, afterFiftyTwo, numberShown, afterSeven;
    RunOptions([&](HWND sheet) {
        HWND pos = Page(sheet, 2);
        HWND slot = GetDlgItem(pos, IDC_POS_SLOT);
        auto type = [&](const wchar_t* keys) {
            SendMessageW(slot, EM_SETSEL, 0, -1);
            for (const wchar_t* k = keys; *k; ++k) SendMessageW(slot, WM_CHAR, *k, 1);
        };
        auto text = [](HWND w, int id) {
            wchar_t buf[64] = {};
            GetDlgItemTextW(w, id, buf, 64);
            return std::wstring(buf);
        };
        SetDlgItemTextW(pos, IDC_POS_NAME, L"Edo");
        type(L"0");
        afterRetype = text(pos, IDC_POS_NAME);
        type(L"52");
        afterFiftyTwo = text(pos, IDC_POS_NAME);
        numberShown = text(pos, IDC_POS_SLOT);
        type(L"7");
        afterSeven = text(pos, IDC_POS_NAME);
        PostMessageW(sheet, PSM_PRESSBUTTON, PSBTN_OK, 0);
    });
    EXPECT_EQ(afterRetype, L"Edo");
    EXPECT_EQ(afterFiftyTwo, L"Hong Kong");
    EXPECT_EQ(numberShown, L"19");
    EXPECT_EQ(afterSeven, L"Mexico City");
    EXPECT_EQ(RegText(L"\\Pos00", L"Location"), L"Edo");
}

// The timing tool starts an item of its own, which writes its window into
// "HWND"; when the tool ends the running item's window is named there again.
TEST_F(OptionsFromHost, TimingToolGivesHwndBack) {
    const std::wstring ours = RegText(L"", L"HWND");
    ASSERT_EQ(ours, FormatWindowHandle(reinterpret_cast<uintptr_t>(item)));
    std::wstring command = L"\"" + ExeDir() + L"velkaro-options_time.exe\" 1";
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
    // Our item answers while the tool runs.
    WaitUntil([&] { return WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0; }, 60000);
    const DWORD waited = WaitForSingleObject(pi.hProcess, 0);
    DWORD code = 99;
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    ASSERT_EQ(waited, WAIT_OBJECT_0);
    EXPECT_EQ(code, 0u);
    EXPECT_EQ(RegText(L"", L"HWND"), ours);
}

namespace {

// A visible top-level window with this title whose owner is `owner` (any owner when null).
HWND WaitForOwned(const wchar_t* title, HWND owner, int ms) {
    struct Find {
        const wchar_t* title;
        HWND owner, found;
    } f{title, owner, nullptr};
    PollUntil([&] {
        EnumWindows(
            [](HWND w, LPARAM lp) -> BOOL {
                auto* f = reinterpret_cast<Find*>(lp);
                wchar_t text[64] = {};
                GetWindowTextW(w, text, 64);
                if (!IsWindowVisible(w) || std::wstring(text) != f->title) return TRUE;
                if (f->owner && GetWindow(w, GW_OWNER) != f->owner) return TRUE;
                f->found = w;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&f));
        return f.found != nullptr;
    }, static_cast<DWORD>(ms));
    return f.found;
}

// Ends whatever a failed step left open above the sheet, so that the sheet can close.
void CloseLeftovers() {
    for (int round = 0; round < 5; ++round) {
        HWND open = WaitForOwned(L"Open", nullptr, 0), error = WaitForOwned(L"error", nullptr, 0);
        if (!open && !error) return;
        HWND box = open ? WaitForOwned(L"", open, 0) : nullptr;
        if (box) PostMessageW(box, WM_COMMAND, IDOK, 0);
        if (open) PostMessageW(open, WM_COMMAND, IDCANCEL, 0);
        if (error) PostMessageW(error, WM_COMMAND, IDOK, 0);
        // Closing one may bring up the next: looked for again once these are gone.
        PollUntil([&] { return !IsWindow(box) && !IsWindow(open) && !IsWindow(error); }, 5000);
    }
}

void WaitGone(HWND w) {
    PollUntil([&] { return !IsWindow(w); }, 5000);
}

std::wstring Lower(std::wstring s) {
    for (wchar_t& c : s) c = static_cast<wchar_t>(towlower(c));
    while (!s.empty() && s.back() == L'\\') s.pop_back();
    return s;
}

// What the file dialog showed and what the page's path edit held after each round.
struct ChooserRun {
    std::wstring folder, firstFilter, afterSame, afterMissing, afterOther, afterNotPicture;
    bool missingRefused = false, notPictureRefused = false;
};

}  // namespace

// The "..." picture chooser opens in the picture's own folder (a device path
// taken on the plug-in's drive), offers PNG and BMP together, and gives back
// only files that exist and are pictures; the same file keeps its device path.
TEST_F(OptionsFromHost, PictureChooserStartsInThePicturesFolderAndTakesOnlyPictures) {
    const std::wstring dir = ExeDir() + L"chooser_test\\";
    CreateDirectoryW(dir.c_str(), nullptr);
    std::vector<uint32_t> px(16 * 16, 0x00FF00);
    ASSERT_TRUE(WritePng(dir + L"sun.png", px.data(), 16, 16));
    ASSERT_TRUE(WritePng(dir + L"other.png", px.data(), 16, 16));
    HANDLE text = CreateFileW((dir + L"notes.png").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(text, INVALID_HANDLE_VALUE);
    DWORD wrote = 0;
    WriteFile(text, "not a picture", 13, &wrote, nullptr);
    CloseHandle(text);
    DeleteFileW((dir + L"missing.png").c_str());
    ASSERT_EQ(dir[1], L':');
    const std::wstring device = dir.substr(2) + L"sun.png";  // "\...\chooser_test\sun.png"

    // The host's working folder is elsewhere, on another drive: the device path
    // is still found on the plug-in's.
    wchar_t cwd[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, cwd);
    SetCurrentDirectoryW(L"C:\\");
    ChooserRun run;
    RunOptions([&](HWND sheet) {
        HWND sun = Page(sheet, 8);
        auto iconText = [&] {
            wchar_t buf[MAX_PATH] = {};
            GetDlgItemTextW(sun, IDC_BODY_ICON, buf, MAX_PATH);
            return std::wstring(buf);
        };
        auto open = [&]() -> HWND {
            Click(sun, IDC_BODY_BROWSE);
            return WaitForOwned(L"Open", nullptr, 20000);
        };
        auto choose = [&](HWND dlg, const wchar_t* name) {
            HWND field = GetDlgItem(dlg, cmb13);
            if (!field) field = GetDlgItem(dlg, edt1);
            SetWindowTextW(field, name);
            PostMessageW(dlg, WM_COMMAND, IDOK, 0);
        };
        SetDlgItemTextW(sun, IDC_BODY_ICON, device.c_str());
        HWND dlg = open();
        if (!dlg) {
            CloseLeftovers();
            PostMessageW(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
            return;
        }
        wchar_t folder[MAX_PATH] = {};
        SendMessageW(dlg, CDM_GETFOLDERPATH, MAX_PATH, reinterpret_cast<LPARAM>(folder));
        run.folder = folder;
        wchar_t filter[128] = {};
        SendDlgItemMessageW(dlg, cmb1, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(filter));
        run.firstFilter = filter;
        PostMessageW(dlg, WM_COMMAND, IDOK, 0);  // the name it shows: the stored picture
        WaitGone(dlg);
        run.afterSame = iconText();

        dlg = open();
        if (!dlg) {
            CloseLeftovers();
            PostMessageW(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
            return;
        }
        choose(dlg, L"missing.png");
        if (HWND box = WaitForOwned(L"", dlg, 5000)) {  // the dialog's own "does not exist"
            run.missingRefused = IsWindow(dlg) != FALSE;
            PostMessageW(box, WM_COMMAND, IDOK, 0);
            WaitGone(box);
        }
        run.afterMissing = iconText();
        choose(dlg, L"other.png");
        WaitGone(dlg);
        run.afterOther = iconText();

        dlg = open();
        if (!dlg) {
            CloseLeftovers();
            PostMessageW(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
            return;
        }
        choose(dlg, L"notes.png");
        WaitGone(dlg);
        if (HWND box = WaitForOwned(L"error", nullptr, 5000)) {
            run.notPictureRefused = true;
            PostMessageW(box, WM_COMMAND, IDOK, 0);
            WaitGone(box);
        }
        run.afterNotPicture = iconText();
        CloseLeftovers();
        PostMessageW(sheet, PSM_PRESSBUTTON, PSBTN_OK, 0);
    });
    SetCurrentDirectoryW(cwd);
    EXPECT_EQ(Lower(run.folder), Lower(dir));
    EXPECT_NE(run.firstFilter.find(L"*.bmp;*.png"), std::wstring::npos) << run.firstFilter;
    EXPECT_EQ(run.afterSame, device);
    EXPECT_TRUE(run.missingRefused);
    EXPECT_EQ(run.afterMissing, device);
    EXPECT_EQ(Lower(run.afterOther), Lower(dir + L"other.png"));
    EXPECT_TRUE(run.notPictureRefused);
    EXPECT_EQ(run.afterNotPicture, run.afterOther);
    EXPECT_EQ(Lower(RegText(L"\\0", L"Icon")), Lower(dir + L"other.png"));
}

// Opening the title band's and a body's page and pressing OK keeps the fonts
// as they were stored (none chosen yet); a face picked in a list is stored.
TEST_F(OptionsFromHost, FontsNotChosenStayAsStored) {
    std::wstring picked;
    RunOptions([&](HWND sheet) {
        Page(sheet, 3);
        HWND sun = Page(sheet, 8);
        HWND list = GetDlgItem(sun, IDC_BODY_FONTR);
        const auto shown = static_cast<int>(SendMessageW(list, CB_GETCURSEL, 0, 0));
        const int other = shown == 0 ? 1 : 0;
        SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(other), 0);
        wchar_t face[64] = {};
        SendMessageW(list, CB_GETLBTEXT, static_cast<WPARAM>(other), reinterpret_cast<LPARAM>(face));
        picked = face;
        PostMessageW(sheet, PSM_PRESSBUTTON, PSBTN_OK, 0);
    });
    EXPECT_EQ(RegText(L"", L"FaceName"), L"");
    EXPECT_EQ(RegText(L"\\0", L"FaceName"), L"");
    EXPECT_FALSE(picked.empty());
    EXPECT_EQ(RegText(L"\\0", L"FaceNameR"), picked);
}
