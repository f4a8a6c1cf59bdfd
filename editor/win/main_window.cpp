// The main window: start-up, layout, the control row and the exit.
#include <windows.h>
#include <commctrl.h>

#include <cwchar>

#include "editor/stock_file.h"
#include "editor/view.h"
#include "editor/win/editor_win.h"
#include "platform/win/shell_standin.h"
#include "resources/sitarel_ids.h"

namespace velkaro {
namespace {

HWND CreateChild(HWND parent, const wchar_t* cls, const wchar_t* text, DWORD style, int id) {
    HWND w = CreateWindowExW(0, cls, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, parent,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), g_ui.Instance, nullptr);
    SendMessageW(w, WM_SETFONT, reinterpret_cast<WPARAM>(g_ui.Font), FALSE);
    return w;
}

HWND ControlOf(int id) {
    switch (id) {
        case kIdWorkList: return g_ui.Lists[kWorkList];
        case kIdStockList: return g_ui.Lists[kStockList];
        case kIdApplyButton: return g_ui.Apply;
        case kIdFixedBox: return g_ui.Fixed;
        case kIdCategoryBox: return g_ui.Box;
        case kIdAddCategoryButton: return g_ui.AddCategory;
        case kIdRenameButton: return g_ui.Rename;
        default: return nullptr;
    }
}

// Scale from the screen; W and H from the client area, which on the handheld
// is the screen above the menu bar.
void Measure(HWND w) {
    g_editor.Scale = EditorScale(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    RECT rc;
    GetClientRect(w, &rc);
    g_ui.Width = rc.right - rc.left;
    g_ui.Height = rc.bottom - rc.top;
}

void ApplyLayout() {
    for (const ControlPlace& p : LayoutControls(g_editor.Layout, g_editor.Scale, g_ui.Width, g_ui.Height)) {
        HWND c = ControlOf(p.Id);
        if (!c) continue;
        MoveWindow(c, p.X, p.Y, p.Width, p.Height, TRUE);
        ShowWindow(c, p.Visible ? SW_SHOW : SW_HIDE);
    }
    ResizeColumns();
}

void CreateFontAndBrushes() {
    g_ui.Font = CreateFontW(-12 * g_editor.Scale, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                            OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"Tahoma");
    g_ui.Orange = CreateSolidBrush(RGB(255, 168, 125));
    g_ui.Green = CreateSolidBrush(RGB(214, 255, 125));
    g_ui.Yellow = CreateSolidBrush(RGB(247, 255, 125));
}

void CreateControls(HWND w) {
    // Owner-drawn so that the buttons show their brushes on the desktop too.
    g_ui.Apply = CreateChild(w, L"BUTTON", L"", BS_OWNERDRAW, kIdApplyButton);
    g_ui.Fixed = CreateChild(w, L"BUTTON", L"", BS_CHECKBOX, kIdFixedBox);
    g_ui.Box = CreateChild(w, L"COMBOBOX", L"", CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP,
                           kIdCategoryBox);
    g_ui.AddCategory = CreateChild(w, L"BUTTON", L"+", BS_OWNERDRAW, kIdAddCategoryButton);
    g_ui.Rename = CreateChild(w, L"BUTTON", L"R", BS_OWNERDRAW, kIdRenameButton);
    SendMessageW(g_ui.Box, CB_LIMITTEXT, 1023, 0);
    COMBOBOXINFO info = {sizeof info};
    if (GetComboBoxInfo(g_ui.Box, &info)) g_ui.BoxEdit = info.hwndItem;
    CreateListViews(w);
}

void LoadStartFile() {
    ResetCategories(&g_editor.Stock);
    g_editor.StockPath = ProgramFolder() + kStockFileName;
    g_ui.StartFileMissing = !LoadStockFile(&g_editor.Stock, g_editor.StockPath);
}

bool Create(HWND w) {
    g_ui.Main = w;
    SHMENUBARINFO bar = {};
    bar.cbSize = sizeof bar;
    bar.hwndParent = w;
    bar.nToolBarId = IDM_SITAREL_BAR;
    bar.hInstRes = g_ui.Instance;
    SHCreateMenuBar(&bar);
    g_ui.Menus = LoadMenuW(g_ui.Instance, MAKEINTRESOURCEW(IDM_SITAREL_MENUS));
    MarkAltitudeMode();
    ReadRegistrySlots(&g_editor.Work);
    LoadStartFile();
    Measure(w);
    CreateFontAndBrushes();
    CreateControls(w);
    FillCategoryBox();
    ChooseStartCategory(&g_editor);
    TakeOverBoxEdit();
    SetUpListViews();
    ShowCurrentCategory();
    ResetList(kWorkList);
    SetFocus(g_ui.Lists[kStockList]);
    g_editor.LastTouched = kStockList;
    ApplyLayout();
    LoadDisplayFlags(&g_editor.Flags);
    MarkDisplayFlags();
    return true;
}

void Destroy() {
    if (!g_ui.Saved) {
        int error = 0;
        SaveStockFile(g_editor.Stock, g_editor.StockPath, &error);
    }
    ReleaseBoxEdit();
    ReleaseListViews();
    for (HWND c : {g_ui.Apply, g_ui.Fixed, g_ui.Box, g_ui.AddCategory, g_ui.Rename})
        if (c) DestroyWindow(c);
    for (HBRUSH b : {g_ui.Orange, g_ui.Green, g_ui.Yellow})
        if (b) DeleteObject(b);
    if (g_ui.Font) DeleteObject(g_ui.Font);
    if (g_ui.Menus) DestroyMenu(g_ui.Menus);
    PostQuitMessage(0);
}

// The brush and text colour a control-row button asks for.
HBRUSH ButtonColours(HWND button, COLORREF* text) {
    *text = RGB(0, 176, 0);
    if (button == g_ui.Apply) return g_ui.Orange;
    if (button == g_ui.AddCategory) return g_ui.Green;
    if (button == g_ui.Rename) return g_ui.Yellow;
    return nullptr;
}

void DrawButton(const DRAWITEMSTRUCT* d) {
    COLORREF text;
    HBRUSH brush = ButtonColours(d->hwndItem, &text);
    if (!brush) return;
    RECT rc = d->rcItem;
    FillRect(d->hDC, &rc, brush);
    DrawEdge(d->hDC, &rc, (d->itemState & ODS_SELECTED) ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    wchar_t label[8] = {};
    GetWindowTextW(d->hwndItem, label, 8);
    SetBkMode(d->hDC, TRANSPARENT);
    SetTextColor(d->hDC, text);
    HGDIOBJ old = SelectObject(d->hDC, g_ui.Font);
    DrawTextW(d->hDC, label, -1, &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    SelectObject(d->hDC, old);
    if (d->itemState & ODS_FOCUS) {
        InflateRect(&rc, -3, -3);
        DrawFocusRect(d->hDC, &rc);
    }
}

void ChooseCategoryFromBox() {
    const LRESULT sel = SendMessageW(g_ui.Box, CB_GETCURSEL, 0, 0);
    if (sel == CB_ERR) return;
    ShowCategory(&g_editor, static_cast<int>(SendMessageW(g_ui.Box, CB_GETITEMDATA, sel, 0)));
    ShowCurrentCategory();
}

void Apply() {
    if (g_editor.StockView.empty()) return;
    const std::wstring question = SlotWriteQuestion(g_editor.StockView, true);
    if (!question.empty() && !ConfirmWarningText(question)) return;
    if (!ApplyStockView(&g_editor, AnnounceToPeer)) return;
    RequestExit();
    if (!IsWindow(g_ui.Main)) return;
    // The user stays after a failed save: the slots were written all the same.
    ShowWrittenSlots(&g_editor);
    ResetList(kWorkList);
    if (g_editor.Stock.Current == kRegBakCategory) ShowCurrentCategory();
}

void Command(HWND w, int id, int code) {
    if (RunMenuCommand(id)) return;
    if (id == kIdCategoryBox) {
        if (code == CBN_SELCHANGE) ChooseCategoryFromBox();
        return;
    }
    if (code != BN_CLICKED) return;
    switch (id) {
        case kIdApplyButton: Apply(); break;
        case kIdFixedBox: TapFixed(); break;
        case kIdAddCategoryButton: TapAddCategory(); break;
        case kIdRenameButton: TapRename(); break;
        default: break;
    }
}

void Paint(HWND w) {
    PAINTSTRUCT ps;
    BeginPaint(w, &ps);
    EndPaint(w, &ps);
    // The running editor comes up with its list focused; text being typed in
    // the category box keeps its focus.
    HWND focus = GetFocus();
    if (focus != g_ui.Box && focus != g_ui.BoxEdit) SetFocus(g_ui.Lists[g_editor.LastTouched]);
}

}  // namespace

void FillCategoryBox() {
    SendMessageW(g_ui.Box, CB_RESETCONTENT, 0, 0);
    for (int index : CategoriesInBoxOrder(g_editor.Stock)) {
        const LRESULT at = SendMessageW(g_ui.Box, CB_ADDSTRING, 0,
                                        reinterpret_cast<LPARAM>(g_editor.Stock.Names[static_cast<size_t>(index)].c_str()));
        if (at >= 0) SendMessageW(g_ui.Box, CB_SETITEMDATA, at, index);
    }
}

void ShowCurrentCategory() {
    const int current = g_editor.Stock.Current;
    const int count = static_cast<int>(SendMessageW(g_ui.Box, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        if (SendMessageW(g_ui.Box, CB_GETITEMDATA, i, 0) == current) {
            SendMessageW(g_ui.Box, CB_SETCURSEL, i, 0);
            break;
        }
    }
    SendMessageW(g_ui.Fixed, BM_SETCHECK,
                 g_editor.Stock.Fixed[static_cast<size_t>(current)] ? BST_CHECKED : BST_UNCHECKED, 0);
    ResetList(kStockList);
}

void ReportOpenFailure(const std::wstring& path) {
    const std::wstring text = L"Can't open '" + path + L"'";
    MessageBoxW(g_ui.Main, text.c_str(), L"error", MB_OK);
}

bool SaveStockWithReport() {
    int error = 0;
    if (SaveStockFile(g_editor.Stock, g_editor.StockPath, &error)) return true;
    wchar_t text[400 + MAX_PATH];
    std::swprintf(text, sizeof text / sizeof text[0], L"Can't create %ls .(%d)", g_editor.StockPath.c_str(), error);
    MessageBoxW(g_ui.Main, text, L"error", MB_OK);
    return false;
}

void ReportStartFile() {
    if (!g_ui.StartFileMissing) return;
    g_ui.StartFileMissing = false;
    ReportOpenFailure(g_editor.StockPath);
}

void RequestExit() {
    if (!SaveStockWithReport()) {
        // Nothing is lost unless the user says so: the data stays on screen
        // for another try, or for "Open" of a file that can be written.
        if (++g_ui.SaveFailures < 2) return;
        if (MessageBoxW(g_ui.Main, L"The category file could not be saved.\n\nEnd without saving?", L"Warning",
                        MB_OKCANCEL | MB_ICONEXCLAMATION | MB_DEFBUTTON2) != IDOK)
            return;
    }
    g_ui.Saved = true;
    DestroyWindow(g_ui.Main);
}

LRESULT CALLBACK EditorWindowProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_CREATE:
            return Create(w) ? 0 : -1;
        case WM_SIZE:
        case WM_SETTINGCHANGE:
        case WM_DISPLAYCHANGE:
            if (g_ui.Lists[kStockList]) {
                Measure(w);
                ApplyLayout();
            }
            break;
        case WM_PAINT:
            Paint(w);
            return 0;
        case WM_COMMAND:
            Command(w, LOWORD(wp), HIWORD(wp));
            return 0;
        case WM_NOTIFY:
            return ListNotify(reinterpret_cast<NMHDR*>(lp));
        case WM_CTLCOLORBTN: {
            COLORREF text;
            HBRUSH brush = ButtonColours(reinterpret_cast<HWND>(lp), &text);
            if (!brush) break;
            SetTextColor(reinterpret_cast<HDC>(wp), text);
            SetBkMode(reinterpret_cast<HDC>(wp), TRANSPARENT);
            return reinterpret_cast<LRESULT>(brush);
        }
        case WM_CTLCOLORSTATIC:
            if (reinterpret_cast<HWND>(lp) != g_ui.Fixed) break;
            SetBkColor(reinterpret_cast<HDC>(wp), RGB(255, 255, 255));
            return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
        case WM_DRAWITEM:
            DrawButton(reinterpret_cast<const DRAWITEMSTRUCT*>(lp));
            return TRUE;
        case WM_MOUSEMOVE:
        case WM_LBUTTONUP:
            PenEnd(&g_editor, kStockList);  // the pen left the Stock list
            break;
        case WM_CLOSE:
            RequestExit();
            return 0;
        case WM_DESTROY:
            Destroy();
            return 0;
        default:
            break;
    }
    return DefWindowProcW(w, msg, wp, lp);
}

}  // namespace velkaro
