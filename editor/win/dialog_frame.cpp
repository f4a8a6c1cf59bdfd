// What the editor's two dialogs share: one procedure that shows them
// full-screen with the Done button and the "OK"/"CANCEL" soft keys, hands
// their own commands on, and ends them with the command that closed them.
#include <windows.h>

#include <cstring>
#include <vector>

#include "editor/win/editor_win.h"
#include "platform/win/shell_standin.h"
#include "platform/win/soft_key_bar.h"
#include "resources/sitarel_ids.h"

namespace velkaro {
namespace {

// Skips a menu or class field of a dialog template: none, an ordinal, or a
// string. Returns the offset after it, or 0 past the end.
size_t SkipNameOrOrdinal(const std::vector<uint8_t>& t, size_t at) {
    if (at + 2 > t.size()) return 0;
    uint16_t first;
    std::memcpy(&first, &t[at], 2);
    if (first == 0x0000) return at + 2;
    if (first == 0xFFFF) return at + 4 <= t.size() ? at + 4 : 0;
    for (; at + 2 <= t.size(); at += 2) {
        uint16_t ch;
        std::memcpy(&ch, &t[at], 2);
        if (ch == 0) return at + 2;
    }
    return 0;
}

// Where the point size of an extended template with its own font is; 0 when
// the template is not such a one.
size_t FontSizeOffset(const std::vector<uint8_t>& t) {
    constexpr size_t kHeader = 26;  // dlgVer .. cy of DLGTEMPLATEEX
    if (t.size() < kHeader) return 0;
    uint16_t signature;
    DWORD style;
    std::memcpy(&signature, &t[2], 2);
    std::memcpy(&style, &t[12], 4);
    if (signature != 0xFFFF || !(style & DS_SETFONT)) return 0;
    size_t at = SkipNameOrOrdinal(t, kHeader);                // menu
    if (at) at = SkipNameOrOrdinal(t, at);                    // class
    if (at) at = SkipNameOrOrdinal(t, at);                    // title
    return at && at + 2 <= t.size() ? at : 0;
}

// The soft keys go with the dialog's end.
void CloseEditorDialog(HWND dlg, int command) {
    DestroySoftKeyBar(dlg);
    EndDialog(dlg, command);
}

const EditorDialog* DialogOf(HWND dlg) {
    return reinterpret_cast<const EditorDialog*>(GetWindowLongPtrW(dlg, DWLP_USER));
}

INT_PTR CALLBACK EditorDialogProc(HWND dlg, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_INITDIALOG: {
            SetWindowLongPtrW(dlg, DWLP_USER, lp);
            SHINITDLGINFO shidi = {SHIDIM_FLAGS, dlg, SHIDIF_DONEBUTTON | SHIDIF_SIZEDLGFULLSCREEN | SHIDIF_SIPDOWN};
            SHInitDialog(&shidi);
            CreateSoftKeyBar(dlg, IDM_DIALOG_BAR, g_ui.Instance);
            const EditorDialog* d = DialogOf(dlg);
            if (d && d->Init) d->Init(dlg, d->Run);
            return TRUE;
        }
        case WM_COMMAND: {
            const EditorDialog* d = DialogOf(dlg);
            if (!d) return FALSE;
            const int id = LOWORD(wp);
            const int close = DialogCloseKind(id);
            if (close > 0 && d->Confirm) d->Confirm(dlg, d->Run);
            if (close != 0) {
                CloseEditorDialog(dlg, id);
                return TRUE;
            }
            return d->Command && d->Command(dlg, d->Run, id, HIWORD(wp));
        }
        case WM_CLOSE:
            CloseEditorDialog(dlg, IDCANCEL);
            return TRUE;
        default:
            return FALSE;
    }
}

}  // namespace

INT_PTR RunEditorDialog(int templateId, HWND owner, const EditorDialog& dialog) {
    HRSRC res = FindResourceW(g_ui.Instance, MAKEINTRESOURCEW(templateId), MAKEINTRESOURCEW(5));  // RT_DIALOG
    HGLOBAL loaded = res ? LoadResource(g_ui.Instance, res) : nullptr;
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes) return -1;
    std::vector<uint8_t> t(static_cast<const uint8_t*>(bytes),
                           static_cast<const uint8_t*>(bytes) + SizeofResource(g_ui.Instance, res));
    // The handheld draws dialogs in proportion to its screen; the font size
    // carries the editor's scale factor to every control of the template.
    if (const size_t at = FontSizeOffset(t)) {
        uint16_t points;
        std::memcpy(&points, &t[at], 2);
        points = static_cast<uint16_t>(points * (g_editor.Scale > 1 ? g_editor.Scale : 1));
        std::memcpy(&t[at], &points, 2);
    }
    // The template must be DWORD-aligned, which a vector's storage is.
    return DialogBoxIndirectParamW(g_ui.Instance, reinterpret_cast<const DLGTEMPLATE*>(t.data()), owner,
                                   EditorDialogProc, reinterpret_cast<LPARAM>(&dialog));
}

void* EditorDialogRun(HWND dlg) {
    const EditorDialog* d = DialogOf(dlg);
    return d ? d->Run : nullptr;
}

int DialogCloseKind(int command) {
    if (command == IDOK || command == IDM_DIALOG_OK) return 1;
    if (command == IDCANCEL || command == IDM_DIALOG_CANCEL) return -1;
    return 0;
}

std::wstring DialogText(HWND dlg, int id) {
    HWND c = GetDlgItem(dlg, id);
    const int n = c ? GetWindowTextLengthW(c) : 0;
    if (n <= 0) return std::wstring();
    std::wstring text(static_cast<size_t>(n) + 1, L'\0');
    const int got = GetWindowTextW(c, &text[0], n + 1);
    text.resize(got > 0 ? static_cast<size_t>(got) : 0);
    return text;
}

}  // namespace velkaro
