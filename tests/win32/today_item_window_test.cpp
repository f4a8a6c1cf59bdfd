// The plug-in in a small test host: loading, the "HWND" value, the refresh
// query, messages from another process and the pen.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cwchar>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "engine/calendar.h"
#include "platform/win/todaycmn.h"
#include "settings/protocol.h"
#include "settings/store.h"
#include "tests/win32/test_support.h"

using namespace velkaro;

namespace {

// Dispatches what is queued (the pen-down or the action that opens a pop-up
// menu) and reads the texts of the menu the item opens, then closes it.
std::vector<std::wstring> CaptureMenu(HWND owner) {
    std::vector<std::wstring> texts;
    std::atomic<bool> done{false};
    std::thread reader([&] {
        PollUntil([&] {
            HWND popup = FindWindowW(L"#32768", nullptr);
            HMENU menu = popup ? reinterpret_cast<HMENU>(SendMessageW(popup, MN_GETHMENU, 0, 0)) : nullptr;
            if (!menu) return false;
            for (int k = 0; k < GetMenuItemCount(menu); ++k) {
                wchar_t buf[300] = {};
                GetMenuStringW(menu, static_cast<UINT>(k), buf, 300, MF_BYPOSITION);
                const UINT state = GetMenuState(menu, static_cast<UINT>(k), MF_BYPOSITION);
                texts.push_back(((state & MF_CHECKED) ? L"*" : L"") + std::wstring(buf));
            }
            PostMessageW(owner, WM_CANCELMODE, 0, 0);
            PostMessageW(popup, WM_KEYDOWN, VK_ESCAPE, 0);
            return true;
        });
        done = true;
    });
    WaitUntil([&] { return done.load(); }, 15000);
    reader.join();
    PumpPending();
    return texts;
}

class ItemInHost : public ::testing::Test {
protected:
    HMODULE dll = nullptr;
    HWND host = nullptr;
    HWND item = nullptr;
    TODAYLISTITEM desc = {};

    void SetUp() override {
        RegDeleteTreeW(HKEY_CURRENT_USER, velkaro::kSettingsKey + 1);
        dll = LoadLibraryW((ExeDir() + L"velkaro.dll").c_str());
        ASSERT_NE(dll, nullptr);
        WNDCLASSW wc = {};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"ItemTestHost";
        RegisterClassW(&wc);
        host = CreateWindowExW(0, L"ItemTestHost", L"host", WS_OVERLAPPEDWINDOW, 0, 0, 480, 640, nullptr,
                               nullptr, wc.hInstance, nullptr);
        ASSERT_NE(host, nullptr);
    }

    void Start() {
        auto init = reinterpret_cast<PFNCUSTOMINITIALIZEITEM>(GetProcAddress(dll, "InitializeCustomItem"));
        ASSERT_NE(init, nullptr);
        item = init(&desc, host);
        ASSERT_NE(item, nullptr);
        RECT rc;
        GetClientRect(host, &rc);
        MoveWindow(item, 0, 0, rc.right, 100, FALSE);
    }

    // The height the refresh query reports, or -1 when it reports no change.
    int Query() {
        const LRESULT r = SendMessageW(item, WM_TODAYCUSTOM_QUERYREFRESHCACHE, reinterpret_cast<WPARAM>(&desc), 0);
        return r ? static_cast<int>(desc.cyp) : -1;
    }

    void TearDown() override {
        if (item) DestroyWindow(item);
        if (host) DestroyWindow(host);
        if (dll) FreeLibrary(dll);
        RegDeleteTreeW(HKEY_CURRENT_USER, velkaro::kSettingsKey + 1);
    }

    static void SetDword(const wchar_t* sub, const wchar_t* name, DWORD v) {
        HKEY k;
        std::wstring path = std::wstring(velkaro::kSettingsKey + 1) + sub;
        RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &k, nullptr);
        RegSetValueExW(k, name, 0, REG_DWORD, reinterpret_cast<BYTE*>(&v), 4);
        RegCloseKey(k);
    }
    static void SetText(const wchar_t* sub, const wchar_t* name, const std::wstring& v) {
        HKEY k;
        std::wstring path = std::wstring(velkaro::kSettingsKey + 1) + sub;
        RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &k, nullptr);
        RegSetValueExW(k, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(v.c_str()),
                       static_cast<DWORD>((v.size() + 1) * 2));
        RegCloseKey(k);
    }

    // Makes the host's client area, the item's screen, exactly w x h.
    void SetClientSize(int w, int h) {
        RECT rc = {0, 0, w, h};
        AdjustWindowRectEx(&rc, static_cast<DWORD>(GetWindowLongPtrW(host, GWL_STYLE)), FALSE, 0);
        SetWindowPos(host, nullptr, 0, 0, rc.right - rc.left, rc.bottom - rc.top, SWP_NOZORDER | SWP_NOMOVE);
    }

    // Holds the pen down at (x, y) past the hold time, then lifts it. The
    // gesture recognizer keeps the pen-down's dispatch until the hold time has
    // passed without a pen-up: the pen goes up only after that.
    void HoldPen(int x, int y) {
        PostMessageW(item, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        PumpPending();
        PostMessageW(item, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
        PumpPending();
    }

    static DWORD Dword(const wchar_t* sub, const wchar_t* name) {
        DWORD v = 0xFFFFFFFF, size = 4;
        const std::wstring path = std::wstring(velkaro::kSettingsKey + 1) + sub;
        RegGetValueW(HKEY_CURRENT_USER, path.c_str(), name, RRF_RT_REG_DWORD, nullptr, &v, &size);
        return v;
    }

    static bool RunPost(const std::wstring& args) {
        std::wstring cmd = L"\"" + ExeDir() + L"velkaro-post.exe\" " + args;
        STARTUPINFOW si = {sizeof si};
        PROCESS_INFORMATION pi = {};
        if (!CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
            return false;
        WaitForSingleObject(pi.hProcess, 20000);
        DWORD code = 1;
        GetExitCodeProcess(pi.hProcess, &code);
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
        return code == 0;
    }
};

}  // namespace

TEST_F(ItemInHost, StartsWritesItsHandleAndReportsItsHeight) {
    Start();
    HKEY k;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, velkaro::kSettingsKey + 1, 0, KEY_READ, &k), ERROR_SUCCESS);
    wchar_t text[32] = {};
    DWORD size = sizeof text, type = 0;
    ASSERT_EQ(RegQueryValueExW(k, L"HWND", nullptr, &type, reinterpret_cast<BYTE*>(text), &size), ERROR_SUCCESS);
    RegCloseKey(k);
    wchar_t expect[32];
    swprintf(expect, 32, L"%llx", static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(item)));
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(std::wstring(text), std::wstring(expect));
    EXPECT_EQ(size, (wcslen(expect) + 1) * 2);

    const int height = Query();
    EXPECT_GT(height, 20);
    EXPECT_EQ(Query(), -1);  // unchanged height: no re-layout
    EXPECT_EQ(SendMessageW(item, WM_TODAYCUSTOM_USERNAVIGATION, 0, 0), 0);

    // The first start wrote the whole store.
    SettingsStore s;
    EXPECT_TRUE(LoadSettingsStore(&s));
}

TEST_F(ItemInHost, ActionsPostedByNumberAndTapsByZone) {
    SettingsStore s;
    s.General.TapR = 1;  // "sort": a tap on the right would change the height
    ASSERT_TRUE(SaveSettingsStore(s));
    Start();
    const int twoBodies = Query();
    ASSERT_TRUE(RunPost(L"11"));  // action 1, "sort": all ten bodies
    PumpPending();
    const int tenBodies = Query();
    EXPECT_GT(tenBodies, twoBodies);

    // A tap in the middle third runs "sort" again.
    PostMessageW(item, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(240, 10));
    PostMessageW(item, WM_LBUTTONUP, 0, MAKELPARAM(240, 10));
    PumpPending();
    EXPECT_EQ(Query(), twoBodies);

    // A tap-and-hold in the right third runs only its hold action ("pos": a menu).
    PostMessageW(item, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(400, 10));
    const std::vector<std::wstring> menu = CaptureMenu(host);  // no pen-up queued: a hold
    PostMessageW(item, WM_LBUTTONUP, 0, MAKELPARAM(400, 10));
    PumpPending();
    ASSERT_EQ(menu.size(), 20u);
    EXPECT_EQ(menu[0].substr(0, 1), L"*");
    EXPECT_NE(menu[0].find(L"Tokyo"), std::wstring::npos);
    EXPECT_EQ(Query(), -1);  // the pen-up after the hold was not taken as a tap
    PostMessageW(item, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(400, 10));
    PostMessageW(item, WM_LBUTTONUP, 0, MAKELPARAM(400, 10));
    PumpPending();
    EXPECT_EQ(Query(), tenBodies);  // while the next pen-down makes a tap again
}

TEST_F(ItemInHost, ReloadsPlacesWhenTheEditorSaysSo) {
    Start();
    Query();
    SetText(L"\\Pos00", L"Location", L"Elsewhere");
    SetDword(L"\\Pos01", L"Valid", 0);
    ASSERT_TRUE(RunPost(L"2"));
    PumpPending();
    PostMessageW(item, velkaro::ActionMessage(5), 0, 0);  // "pos"
    std::vector<std::wstring> menu = CaptureMenu(host);
    ASSERT_EQ(menu.size(), 19u);
    EXPECT_NE(menu[0].find(L"Elsewhere"), std::wstring::npos);
    EXPECT_EQ(menu[1].find(L"Guam"), std::wstring::npos);

    // "MenuTime" off through the editor's settings message: names without clocks.
    SetDword(L"", L"MenuTime", 0);
    ASSERT_TRUE(RunPost(L"3"));
    PumpPending();
    PostMessageW(item, velkaro::ActionMessage(5), 0, 0);
    menu = CaptureMenu(host);
    ASSERT_FALSE(menu.empty());
    EXPECT_EQ(menu[0], L"*Elsewhere");
}

TEST_F(ItemInHost, TapsOffStillLetHoldsRun) {
    SettingsStore s;
    s.General.Tap = 0;
    s.General.TapM = 1;   // "sort", which must not run as a tap
    s.General.HoldM = 1;  // and does run as a hold
    ASSERT_TRUE(SaveSettingsStore(s));
    Start();
    const int before = Query();
    PostMessageW(item, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(240, 10));
    PostMessageW(item, WM_LBUTTONUP, 0, MAKELPARAM(240, 10));
    PumpPending();
    EXPECT_EQ(Query(), -1);
    HoldPen(240, 10);
    EXPECT_GT(Query(), before);
}

// The first start on a small Today screen scales nothing; on a large one every
// pixel size once, also when the item is made again in the same process.
TEST_F(ItemInHost, FirstStoreFollowsTheTodayScreensSize) {
    SetClientSize(240, 320);
    Start();
    EXPECT_EQ(Dword(L"", L"WidthScale"), 1u);
    EXPECT_EQ(Dword(L"\\2", L"Spacetxt"), 2u);
    EXPECT_EQ(Dword(L"\\2", L"PosStxt"), 2u);
    DestroyWindow(item);
    item = nullptr;

    RegDeleteTreeW(HKEY_CURRENT_USER, velkaro::kSettingsKey + 1);  // a reset
    SetClientSize(480, 640);
    Start();
    EXPECT_EQ(Dword(L"", L"WidthScale"), 2u);
    EXPECT_EQ(Dword(L"\\2", L"Spacetxt"), 4u);
    DestroyWindow(item);
    item = nullptr;

    RegDeleteTreeW(HKEY_CURRENT_USER, (std::wstring(velkaro::kSettingsKey + 1) + L"\\Pos19").c_str());
    Start();  // an incomplete store: written again, scaled from the defaults
    EXPECT_EQ(Dword(L"\\2", L"Spacetxt"), 4u);
    EXPECT_EQ(Dword(L"\\9", L"WidthScale"), 2u);
}

namespace {

// Hands the first visible top-level dialog with the caption to act (which
// should end it) while this thread runs run(handled); whether one came. A
// dialog that act did not end is cancelled (and the test fails), so that no
// test waits on a modal window.
bool DialogDuring(const wchar_t* caption, const std::function<void(HWND)>& act,
                  const std::function<void(const std::atomic<bool>& handled)>& run) {
    std::atomic<bool> stop{false}, seen{false}, handled{false};
    std::thread watcher([&] {
        HWND dlg = nullptr;
        PollUntil([&] {
            dlg = FindWindowW(L"#32770", caption);
            return stop || (dlg && IsWindowVisible(dlg));
        }, 60000);
        if (!stop && dlg) {
            seen = true;
            act(dlg);
            if (!PollUntil([&] { return !IsWindow(dlg); }, 3000)) {
                ADD_FAILURE() << "the dialog stayed open";
                PostMessageW(dlg, WM_COMMAND, IDCANCEL, 0);
            }
        }
        handled = true;
    });
    run(handled);
    stop = true;
    watcher.join();
    PumpPending();
    return seen;
}

// A dialog with the caption that comes within ms, handed to act.
bool WhileDialog(const wchar_t* caption, DWORD ms, const std::function<void(HWND)>& act) {
    return DialogDuring(caption, act, [ms](const std::atomic<bool>& handled) {
        WaitUntil([&] { return handled.load(); }, ms);
    });
}

// Whether the title band shows the colours of a shifted time.
bool ShowsAShift(HWND item, int width) {
    const uint32_t plusBack = 0xC85050;  // CrPlusBack 0x5050C8 as a pixel
    for (uint32_t p : PrintItem(item, width, 16))
        if (p == plusBack) return true;
    return false;
}

}  // namespace

TEST_F(ItemInHost, DateDialogFitsOffersOkAndCancelAndCancelKeepsTheDay) {
    Start();
    Query();
    RECT client;
    GetClientRect(host, &client);
    MapWindowPoints(host, nullptr, reinterpret_cast<POINT*>(&client), 2);
    ASSERT_FALSE(ShowsAShift(item, client.right - client.left));

    // Each way out, with the calendar moved on two days first.
    for (int way = 0; way < 3; ++way) {
        RECT box = {};
        std::vector<std::wstring> bar;
        PostMessageW(item, velkaro::ActionMessage(13), 0, 0);
        ASSERT_TRUE(WhileDialog(L"Date", 5000, [&](HWND dlg) {
            GetWindowRect(dlg, &box);
            HMENU menu = GetMenu(dlg);
            for (int k = 0; menu && k < GetMenuItemCount(menu); ++k) {
                wchar_t text[32] = {};
                GetMenuStringW(menu, static_cast<UINT>(k), text, 32, MF_BYPOSITION);
                if (text[0]) bar.push_back(text);  // the bar's height item has none
            }
            HWND cal = GetDlgItem(dlg, 1075);
            SYSTEMTIME day = {};
            SendMessageW(cal, MCM_GETCURSEL, 0, reinterpret_cast<LPARAM>(&day));
            velkaro::DateTime later = velkaro::MakeTime(day.wYear, day.wMonth, day.wDay);
            velkaro::AddDays(2, &later);
            day.wYear = later.wYear;
            day.wMonth = later.wMonth;
            day.wDay = later.wDay;
            SendMessageW(cal, MCM_SETCURSEL, 0, reinterpret_cast<LPARAM>(&day));
            if (way == 0) PostMessageW(dlg, WM_COMMAND, IDCANCEL, 0);
            if (way == 1) PostMessageW(cal, WM_KEYDOWN, VK_ESCAPE, 0);
            if (way == 2) PostMessageW(dlg, WM_COMMAND, IDOK, 0);
        })) << way;
        EXPECT_GE(box.left, client.left) << way;
        EXPECT_GE(box.top, client.top) << way;
        EXPECT_LE(box.right, client.right) << way;
        EXPECT_LE(box.bottom, client.bottom) << way;
        EXPECT_EQ(bar, (std::vector<std::wstring>{L"OK", L"Cancel"})) << way;
        EXPECT_EQ(ShowsAShift(item, client.right - client.left), way == 2) << way;
    }
}

TEST_F(ItemInHost, EditNamesAProgramItCannotStartAndStartsOneThatIsThere) {
    SettingsStore s;
    s.General.ExecPath = L"\\no\\such\\Sitarel.exe";
    ASSERT_TRUE(SaveSettingsStore(s));
    Start();
    std::wstring text;
    PostMessageW(item, velkaro::ActionMessage(4), 0, 0);
    ASSERT_TRUE(WhileDialog(L"error", 10000, [&](HWND box) {
        wchar_t buf[512] = {};
        GetDlgItemTextW(box, 0xFFFF, buf, 512);
        text = buf;
        PostMessageW(box, WM_COMMAND, IDOK, 0);
    }));
    // The device path lies on the drive the plug-in was loaded from.
    const std::wstring expected = ExeDir().substr(0, 2) + L"\\no\\such\\Sitarel.exe";
    EXPECT_NE(text.find(L"'" + expected + L"'"), std::wstring::npos) << std::string(text.begin(), text.end());

    // A program that is there starts, and says nothing: the places tool, which
    // writes the store again when a slot is missing.
    DestroyWindow(item);
    item = nullptr;
    s.General.ExecPath = ExeDir().substr(2) + L"velkaro-places.exe";
    ASSERT_TRUE(SaveSettingsStore(s));
    Start();
    const std::wstring slot = std::wstring(velkaro::kSettingsKey + 1) + L"\\Pos19";
    ASSERT_EQ(RegDeleteTreeW(HKEY_CURRENT_USER, slot.c_str()), ERROR_SUCCESS);
    PostMessageW(item, velkaro::ActionMessage(4), 0, 0);
    // The action starts the program (or names it in a box) before it returns.
    EXPECT_FALSE(DialogDuring(
        L"error", [](HWND box) { PostMessageW(box, WM_COMMAND, IDOK, 0); },
        [](const std::atomic<bool>&) { PumpPending(); }));
    EXPECT_TRUE(WaitUntil([&] {
        HKEY k;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, slot.c_str(), 0, KEY_READ, &k) != ERROR_SUCCESS) return false;
        RegCloseKey(k);
        return true;
    }, 20000));
}
