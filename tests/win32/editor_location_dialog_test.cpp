// The location dialog's fields are wide enough for the widest value each
// one shows, in the dialog's own font, at both of the editor's scales.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "resources/sitarel_ids.h"
#include "tests/win32/test_support.h"

namespace {

INT_PTR CALLBACK Quiet(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

// The location dialog's template from the editor's resources, its font
// size multiplied by the scale as the editor does.
std::vector<uint8_t> LocationTemplate(HMODULE exe, int scale) {
    HRSRC res = FindResourceW(exe, MAKEINTRESOURCEW(IDD_LOCATION), MAKEINTRESOURCEW(5));
    if (!res) return {};
    const auto* bytes = static_cast<const uint8_t*>(LockResource(LoadResource(exe, res)));
    std::vector<uint8_t> t(bytes, bytes + SizeofResource(exe, res));
    // DLGTEMPLATEEX: after the 26-byte header come the menu, class and title
    // (each 0, an ordinal or a string), then the point size.
    size_t at = 26;
    for (int field = 0; field < 3; ++field) {
        uint16_t first;
        std::memcpy(&first, &t[at], 2);
        if (first == 0xFFFF) {
            at += 4;
            continue;
        }
        while (true) {
            uint16_t ch;
            std::memcpy(&ch, &t[at], 2);
            at += 2;
            if (!ch) break;
        }
    }
    uint16_t points;
    std::memcpy(&points, &t[at], 2);
    points = static_cast<uint16_t>(points * scale);
    std::memcpy(&t[at], &points, 2);
    return t;
}

// Pixels a text needs in an edit control, and the pixels the control has.
int TextWidth(HWND edit, const wchar_t* text) {
    HDC dc = GetDC(edit);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(edit, WM_GETFONT, 0, 0)));
    SIZE size = {};
    GetTextExtentPoint32W(dc, text, static_cast<int>(wcslen(text)), &size);
    SelectObject(dc, old);
    ReleaseDC(edit, dc);
    return size.cx;
}

int RoomOf(HWND edit) {
    RECT r = {};
    SendMessageW(edit, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&r));
    return r.right - r.left;
}

}  // namespace

TEST(LocationDialogFields, EveryFieldShowsItsWidestValueWholeAtBothScales) {
    HMODULE exe = LoadLibraryExW((ExeDir() + L"Sitarel.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(exe, nullptr);
    struct Field {
        int Id;
        const wchar_t* Widest;
    };
    const Field fields[] = {
        {IDC_LOC_LAT, L"-89.999999"},    {IDC_LOC_LNG, L"-179.999999"},  {IDC_LOC_HEIGHTS, L"30000/30000"},
        {IDC_LOC_MARGIN, L"-12.75"},     {IDC_LOC_DEGREES, L"-180"},     {IDC_LOC_MINUTES, L"59"},
        {IDC_LOC_SECONDS, L"59"},        {IDC_LOC_RESULT, L"-179.999999"},
        {IDC_LOC_DST, L"09/Se -10U;04/S1 -10U"},
    };
    for (int scale : {1, 2}) {
        std::vector<uint8_t> t = LocationTemplate(exe, scale);
        ASSERT_FALSE(t.empty());
        HWND dlg = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), reinterpret_cast<DLGTEMPLATE*>(t.data()),
                                              nullptr, Quiet, 0);
        ASSERT_NE(dlg, nullptr);
        for (const Field& f : fields) {
            HWND edit = GetDlgItem(dlg, f.Id);
            ASSERT_NE(edit, nullptr) << f.Id;
            EXPECT_LE(TextWidth(edit, f.Widest), RoomOf(edit)) << "scale " << scale << ": " << f.Id;
        }
        // The dialog still fits the handheld's screen at its scale.
        RECT r;
        GetWindowRect(dlg, &r);
        EXPECT_LE(r.right - r.left, 240 * scale) << "scale " << scale;
        DestroyWindow(dlg);
    }
    FreeLibrary(exe);
}
