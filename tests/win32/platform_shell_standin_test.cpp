// The stand-in soft-key bar: the keys keep their labels and are drawn at the
// handheld's size for the screen (twice the size past 320 pixels).
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/win/shell_standin.h"
#include "platform/win/soft_key_bar.h"
#include "settings/protocol.h"
#include "resources/resource.h"

namespace {

struct Owner {
    HWND w = nullptr;
    const wchar_t* cls;
    explicit Owner(const wchar_t* className = L"SoftKeyOwner", int width = 480, int height = 640,
                   HWND owner = nullptr)
        : cls(className) {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = className;
        RegisterClassW(&wc);
        w = CreateWindowExW(0, wc.lpszClassName, L"owner", owner ? WS_POPUP : WS_OVERLAPPED | WS_CAPTION, 0, 0,
                            width, height, owner, nullptr, wc.hInstance, nullptr);
    }
    ~Owner() {
        DestroyWindow(w);
        UnregisterClassW(cls, GetModuleHandleW(nullptr));
    }
};

int BarHeight(HWND owner, UINT menuId) {
    SHMENUBARINFO bar = {};
    bar.cbSize = sizeof bar;
    bar.hwndParent = owner;
    bar.nToolBarId = menuId;
    bar.hInstRes = GetModuleHandleW(nullptr);
    if (!SHCreateMenuBar(&bar)) return -1;
    MENUBARINFO info = {sizeof info};
    return GetMenuBarInfo(owner, OBJID_MENU, 0, &info) ? info.rcBar.bottom - info.rcBar.top : -1;
}

}  // namespace

TEST(SoftKeys, DrawnAtTheHandheldSizeWithTheirLabels) {
    const int scale = GetSystemMetrics(SM_CXSCREEN) > 320 || GetSystemMetrics(SM_CYSCREEN) > 320 ? 2 : 1;
    Owner owner;
    ASSERT_NE(owner.w, nullptr);
    RECT before;
    GetClientRect(owner.w, &before);
    SHMENUBARINFO bar = {};
    bar.cbSize = sizeof bar;
    bar.hwndParent = owner.w;
    bar.nToolBarId = IDM_DATE_BAR;
    bar.hInstRes = GetModuleHandleW(nullptr);
    ASSERT_TRUE(SHCreateMenuBar(&bar));
    HMENU menu = GetMenu(owner.w);
    ASSERT_NE(menu, nullptr);

    std::vector<std::wstring> labels;
    for (int k = 0; k < GetMenuItemCount(menu); ++k) {
        wchar_t text[32] = {};
        GetMenuStringW(menu, static_cast<UINT>(k), text, 32, MF_BYPOSITION);
        if (text[0]) labels.push_back(text);
    }
    EXPECT_EQ(labels, (std::vector<std::wstring>{L"OK", L"Cancel"}));

    // The bar is 26 pixels high for each step of the scale, and so is a key;
    // the client area is what is left above it.
    MENUBARINFO info = {sizeof info};
    ASSERT_TRUE(GetMenuBarInfo(owner.w, OBJID_MENU, 0, &info));
    EXPECT_GE(info.rcBar.bottom - info.rcBar.top, 26 * scale);
    RECT key;
    ASSERT_TRUE(GetMenuItemRect(owner.w, menu, 0, &key));
    EXPECT_GE(key.bottom - key.top, 26 * scale);
    RECT after;
    GetClientRect(owner.w, &after);
    EXPECT_LE(after.bottom, before.bottom - 26 * scale);

    // A key is as wide as its label in the 12-pixel bold face at the scale.
    HDC dc = GetDC(owner.w);
    HFONT font = CreateFontW(-12 * scale, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma");
    HGDIOBJ old = SelectObject(dc, font);
    SIZE size = {};
    GetTextExtentPoint32W(dc, L"Cancel", 6, &size);
    SelectObject(dc, old);
    DeleteObject(font);
    ReleaseDC(owner.w, dc);
    ASSERT_TRUE(GetMenuItemRect(owner.w, menu, 1, &key));
    EXPECT_GT(key.right - key.left, size.cx);

    // The bar goes with its menu.
    DestroyWindow(SHFindMenuBar(owner.w));
    EXPECT_EQ(GetMenu(owner.w), nullptr);
}

// A dialog of the stand-in Today screen has the keys of the Today screen's
// size: a 240 x 320 screen is a small handheld whatever the desktop.
TEST(SoftKeys, SizedForTheTodayScreenTheyBelongTo) {
    Owner today(velkaro::kTodayWindowClass, 240, 320);
    Owner dialog(L"SoftKeyDialog", 200, 200, today.w);
    ASSERT_NE(dialog.w, nullptr);
    const int height = BarHeight(dialog.w, IDM_DATE_BAR);
    EXPECT_GE(height, 26);
    EXPECT_LT(height, 52);
}

// Every window sets up its bar with one call and takes it down with another.
TEST(SoftKeys, OneCallSetsUpTheBarAndOneTakesItDown) {
    Owner owner;
    ASSERT_NE(owner.w, nullptr);
    HWND bar = velkaro::CreateSoftKeyBar(owner.w, IDM_DATE_BAR, GetModuleHandleW(nullptr));
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(SHFindMenuBar(owner.w), bar);
    EXPECT_NE(GetMenu(owner.w), nullptr);
    velkaro::DestroySoftKeyBar(owner.w);
    EXPECT_FALSE(IsWindow(bar));
    EXPECT_EQ(SHFindMenuBar(owner.w), nullptr);
    EXPECT_EQ(GetMenu(owner.w), nullptr);
    velkaro::DestroySoftKeyBar(owner.w);  // none left: nothing happens
    EXPECT_TRUE(IsWindow(owner.w));

    // Without a menu the bar is empty: no keys, the owner keeps no menu.
    HWND empty = velkaro::CreateSoftKeyBar(owner.w, 0, GetModuleHandleW(nullptr));
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(SHFindMenuBar(owner.w), empty);
    EXPECT_EQ(GetMenu(owner.w), nullptr);
    velkaro::DestroySoftKeyBar(owner.w);
    EXPECT_EQ(SHFindMenuBar(owner.w), nullptr);

    EXPECT_EQ(velkaro::CreateSoftKeyBar(nullptr, IDM_DATE_BAR, GetModuleHandleW(nullptr)), nullptr);
}
