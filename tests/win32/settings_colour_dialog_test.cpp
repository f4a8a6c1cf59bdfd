// The colour chooser dialog under Wine: the edit notifications its counter
// relies on, typing, swatches, OK and Cancel.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <thread>

#include "resources/colour_ids.h"
#include "settings/colour_chooser.h"
#include "settings/win/colour_dialog.h"
#include "tests/win32/test_support.h"

using namespace velkaro;

namespace {

int g_changes = 0;
LRESULT CALLBACK CountingParent(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    if (m == WM_COMMAND && HIWORD(wp) == EN_CHANGE) ++g_changes;
    return DefWindowProcW(w, m, wp, lp);
}

// Runs the chooser on this thread while drive() works it from another.
bool RunDriven(uint32_t* colour, const std::function<void(HWND)>& drive) {
    std::thread driver([&] {
        HWND dlg = nullptr;
        // Visible once its initialisation has written the fields.
        if (!PollUntil([&] {
                dlg = FindWindowW(nullptr, L"ChoseColor");
                return dlg && IsWindowVisible(dlg);
            }))
            return;
        drive(dlg);
    });
    const bool ok = RunColourChooser(GetModuleHandleW(nullptr), nullptr, colour);
    driver.join();
    return ok;
}

int Field(HWND dlg, int id) {
    wchar_t text[16] = {};
    GetWindowTextW(GetDlgItem(dlg, id), text, 16);
    return _wtoi(text);
}

// Types text at the end of a field, as keys would.
void Type(HWND dlg, int id, const wchar_t* text) {
    HWND edit = GetDlgItem(dlg, id);
    SendMessageW(edit, EM_SETSEL, 0, -1);
    for (const wchar_t* p = text; *p; ++p) SendMessageW(edit, WM_CHAR, *p, 1);
}

void Tap(HWND dlg, int id) {
    SendMessageW(dlg, WM_COMMAND, MAKEWPARAM(id, STN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dlg, id)));
}

// The colour a swatch is painted with, as the dialog answers its colour request.
uint32_t Painted(HWND dlg, int id) {
    HDC dc = CreateCompatibleDC(nullptr);
    auto brush = reinterpret_cast<HBRUSH>(
        SendMessageW(dlg, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(GetDlgItem(dlg, id))));
    DeleteDC(dc);
    LOGBRUSH lb = {};
    if (!brush || !GetObjectW(brush, sizeof lb, &lb)) return 0xFFFFFFFFu;
    return lb.lbColor;
}

}  // namespace

TEST(EditNotifications, EveryTextWriteNotifiesButAnUnmovedSpinDoesNot) {
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&icc);
    WNDCLASSW wc = {};
    wc.lpfnWndProc = CountingParent;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"CountingParent";
    RegisterClassW(&wc);
    HWND parent = CreateWindowW(L"CountingParent", L"", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr,
                                wc.hInstance, nullptr);
    ASSERT_NE(parent, nullptr);
    HWND edit = CreateWindowW(L"EDIT", L"", WS_CHILD | ES_NUMBER, 0, 0, 60, 20, parent,
                              reinterpret_cast<HMENU>(IDC_COLOUR_RED), wc.hInstance, nullptr);
    HWND spin = CreateWindowW(UPDOWN_CLASSW, L"", WS_CHILD | UDS_SETBUDDYINT | UDS_ALIGNRIGHT, 0, 0, 0, 0,
                              parent, reinterpret_cast<HMENU>(IDC_COLOUR_RED_SPIN), wc.hInstance, nullptr);
    g_changes = 0;
    SendMessageW(spin, UDM_SETBUDDY, reinterpret_cast<WPARAM>(edit), 0);
    SendMessageW(spin, UDM_SETRANGE32, 0, 255);
    EXPECT_EQ(g_changes, 0);  // pairing and ranges write nothing
    SetDlgItemInt(parent, IDC_COLOUR_RED, 5, FALSE);
    SetDlgItemInt(parent, IDC_COLOUR_RED, 5, FALSE);
    EXPECT_EQ(g_changes, 2);  // one each, the same text or not
    g_changes = 0;
    SendMessageW(spin, UDM_SETPOS32, 0, 9);
    SendMessageW(spin, UDM_SETPOS32, 0, 9);
    EXPECT_EQ(g_changes, 1);  // the spin writes only a changed number
    DestroyWindow(parent);
}

TEST(ColourDialog, OpensShowingTheColourAndTakesTheFirstTypedEdit) {
    uint32_t colour = MakeColour(255, 0, 0);
    int h = -1, s = -1, l = -1, hAfter = -1, lAfter = -1;
    uint32_t preview = 0;
    const bool ok = RunDriven(&colour, [&](HWND dlg) {
        h = Field(dlg, IDC_COLOUR_HUE);
        s = Field(dlg, IDC_COLOUR_SAT);
        l = Field(dlg, IDC_COLOUR_LIGHT);
        Type(dlg, IDC_COLOUR_GREEN, L"255");  // red to yellow, typed key by key
        hAfter = Field(dlg, IDC_COLOUR_HUE);
        lAfter = Field(dlg, IDC_COLOUR_LIGHT);
        preview = Painted(dlg, IDC_COLOUR_PREVIEW);
        PostMessageW(dlg, WM_COMMAND, IDM_COLOUR_OK, 0);
    });
    EXPECT_TRUE(ok);
    EXPECT_EQ(h, 0);
    EXPECT_EQ(s, 255);
    EXPECT_EQ(l, 256);
    EXPECT_EQ(hAfter, 60);
    EXPECT_EQ(lAfter, 256);
    EXPECT_EQ(preview, MakeColour(255, 255, 0));
    EXPECT_EQ(colour, MakeColour(255, 255, 0));
}

TEST(ColourDialog, SwatchesHueAndLightnessThenCancelKeepsTheColour) {
    RememberedColours().fill(0);
    uint32_t colour = 0x4A2418;
    int r = -1, g = -1, b = -1, grey = -1, typedL = -1;
    uint32_t hue180 = 0, kept = 0, start = 0;
    const bool ok = RunDriven(&colour, [&](HWND dlg) {
        Tap(dlg, 1042);  // palette red
        hue180 = Painted(dlg, IDC_COLOUR_HUE60 + 2);
        Tap(dlg, IDC_COLOUR_HUE60 + 2);
        r = Field(dlg, IDC_COLOUR_RED);
        g = Field(dlg, IDC_COLOUR_GREEN);
        b = Field(dlg, IDC_COLOUR_BLUE);
        Tap(dlg, IDC_COLOUR_PREVIEW);  // keep it
        kept = Painted(dlg, IDC_COLOUR_KEPT1);
        Type(dlg, IDC_COLOUR_SAT, L"0");
        Type(dlg, IDC_COLOUR_LIGHT, L"300");
        grey = Field(dlg, IDC_COLOUR_RED);
        Type(dlg, IDC_COLOUR_LIGHT, L"999");  // past the range: held to 511
        typedL = Field(dlg, IDC_COLOUR_LIGHT);
        start = Painted(dlg, IDC_COLOUR_START);
        PostMessageW(dlg, WM_COMMAND, IDM_COLOUR_CANCEL, 0);
    });
    EXPECT_FALSE(ok);
    EXPECT_EQ(colour, 0x4A2418u);
    EXPECT_EQ(hue180, MakeColour(0, 255, 255));
    EXPECT_EQ(r, 0);
    EXPECT_EQ(g, 255);
    EXPECT_EQ(b, 255);
    EXPECT_EQ(kept, MakeColour(0, 255, 255));
    EXPECT_EQ(RememberedColours()[0], MakeColour(0, 255, 255));  // outlives the dialog
    EXPECT_EQ(grey, 150);
    EXPECT_EQ(typedL, 511);
    EXPECT_EQ(start, 0x4A2418u);
    RememberedColours().fill(0);
}
