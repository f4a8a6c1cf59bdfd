// The plug-in in a small test host: loading, the "HWND" value, the refresh
// query, messages from another process and the pen.
#include <windows.h>

#include <gtest/gtest.h>

#include <cwchar>
#include <string>
#include <thread>
#include <vector>

#include "platform/win/todaycmn.h"
#include "settings/protocol.h"
#include "settings/store.h"
#include "tests/win32/test_support.h"

using namespace velkaro;

namespace {

void Pump(DWORD ms) {
    const DWORD t0 = GetTickCount();
    do {
        MSG m;
        while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&m);
            DispatchMessageW(&m);
        }
        Sleep(5);
    } while (GetTickCount() - t0 < ms);
}

// Reads the texts of the next pop-up menu the item opens, then closes it.
std::vector<std::wstring> CaptureMenu(HWND owner) {
    std::vector<std::wstring> texts;
    std::thread reader([&] {
        for (int i = 0; i < 400; ++i) {
            HWND popup = FindWindowW(L"#32768", nullptr);
            HMENU menu = popup ? reinterpret_cast<HMENU>(SendMessageW(popup, MN_GETHMENU, 0, 0)) : nullptr;
            if (menu) {
                for (int k = 0; k < GetMenuItemCount(menu); ++k) {
                    wchar_t buf[300] = {};
                    GetMenuStringW(menu, static_cast<UINT>(k), buf, 300, MF_BYPOSITION);
                    const UINT state = GetMenuState(menu, static_cast<UINT>(k), MF_BYPOSITION);
                    texts.push_back(((state & MF_CHECKED) ? L"*" : L"") + std::wstring(buf));
                }
                PostMessageW(owner, WM_CANCELMODE, 0, 0);
                PostMessageW(popup, WM_KEYDOWN, VK_ESCAPE, 0);
                return;
            }
            Sleep(10);
        }
    });
    Pump(300);
    reader.join();
    Pump(50);
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
    Start();
    const int twoBodies = Query();
    ASSERT_TRUE(RunPost(L"11"));  // action 1, "sort": all ten bodies
    Pump(100);
    const int tenBodies = Query();
    EXPECT_GT(tenBodies, twoBodies);

    // A tap in the middle third runs "sort" again.
    PostMessageW(item, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(240, 10));
    PostMessageW(item, WM_LBUTTONUP, 0, MAKELPARAM(240, 10));
    Pump(200);
    EXPECT_EQ(Query(), twoBodies);

    // A tap-and-hold in the right third runs only its hold action ("pos": a menu).
    std::vector<std::wstring> menu;
    std::thread up([&] {
        Sleep(900);
        PostMessageW(item, WM_LBUTTONUP, 0, MAKELPARAM(400, 10));
    });
    PostMessageW(item, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(400, 10));
    menu = CaptureMenu(host);
    up.join();
    Pump(200);
    ASSERT_EQ(menu.size(), 20u);
    EXPECT_EQ(menu[0].substr(0, 1), L"*");
    EXPECT_NE(menu[0].find(L"Tokyo"), std::wstring::npos);
    EXPECT_EQ(Query(), -1);  // the pen-up after the hold was not a tap ("+hour" keeps the height anyway)
}

TEST_F(ItemInHost, ReloadsPlacesWhenTheEditorSaysSo) {
    Start();
    Query();
    SetText(L"\\Pos00", L"Location", L"Elsewhere");
    SetDword(L"\\Pos01", L"Valid", 0);
    ASSERT_TRUE(RunPost(L"2"));
    Pump(100);
    PostMessageW(item, velkaro::ActionMessage(5), 0, 0);  // "pos"
    std::vector<std::wstring> menu = CaptureMenu(host);
    ASSERT_EQ(menu.size(), 19u);
    EXPECT_NE(menu[0].find(L"Elsewhere"), std::wstring::npos);
    EXPECT_EQ(menu[1].find(L"Guam"), std::wstring::npos);

    // "MenuTime" off through the editor's settings message: names without clocks.
    SetDword(L"", L"MenuTime", 0);
    ASSERT_TRUE(RunPost(L"3"));
    Pump(100);
    PostMessageW(item, velkaro::ActionMessage(5), 0, 0);
    menu = CaptureMenu(host);
    ASSERT_FALSE(menu.empty());
    EXPECT_EQ(menu[0], L"*Elsewhere");
}

TEST_F(ItemInHost, TapsOffStillLetHoldsRun) {
    SettingsStore s;
    s.General.Tap = 0;
    s.General.HoldL = 1;  // "sort"
    ASSERT_TRUE(SaveSettingsStore(s));
    Start();
    const int before = Query();
    PostMessageW(item, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(240, 10));
    PostMessageW(item, WM_LBUTTONUP, 0, MAKELPARAM(240, 10));
    Pump(100);
    EXPECT_EQ(Query(), -1);
    // A right click is a hold too.
    SendMessageW(item, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(item), MAKELPARAM(5, 5));
    EXPECT_GT(Query(), before);
}
