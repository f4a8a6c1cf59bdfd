// The main window: start-up, layout, the control row and the exit.
#include <windows.h>
#include <commctrl.h>

#include <cwchar>

#include "editor/stock_file.h"
#include "editor/view.h"
#include "editor/win/editor_win.h"
#include "platform/screen_scale.h"
#include "platform/win/soft_key_bar.h"
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
    g_editor.Scale = ScreenScale(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
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
    g_ui.StartFile = ReadStockFile(&g_editor.Stock, g_editor.StockPath, &g_ui.RefusedSections);
    g_ui.StockKept = g_ui.StartFile == kStockUnreadable || g_ui.StartFile == kStockNotCategories;
}

// Before the slots are written over, "_REG_BAK" with the places they hold
// now goes into the category file; when it cannot, the user decides.
bool KeepBackupOnDisk(EditorState*) {
    if (!g_ui.StockKept && SaveStockWithReport()) return true;
    std::wstring text = g_ui.StockKept ? L"'" + g_editor.StockPath + L"' was not read, and is kept as it is"
                                       : std::wstring(L"The category file could not be saved");
    text += L": the places now in the slots would be kept only in \"_REG_BAK\" until Sitarel ends."
            L"\n\nWrite the slots anyway?";
    return MessageBoxW(g_ui.Main, text.c_str(), L"Warning", MB_OKCANCEL | MB_ICONEXCLAMATION | MB_DEFBUTTON2) == IDOK;
}

bool Create(HWND w) {
    g_ui.Main = w;
    g_editor.KeepBackup = KeepBackupOnDisk;
    CreateSoftKeyBar(w, IDM_SITAREL_BAR, g_ui.Instance);
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

// Without a word: nothing can be asked any more.
void SaveSilently() {
    if (g_ui.Saved || g_ui.StockKept) return;
    int error = 0;
    g_ui.Saved = SaveStockFile(g_editor.Stock, g_editor.StockPath, &error);
}

void Destroy() {
    SaveSilently();
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

void ReportNotCategories(const std::wstring& path) {
    const std::wstring text = L"'" + path + L"' is not a category file.";
    MessageBoxW(g_ui.Main, text.c_str(), L"error", MB_OK);
}

void ReportRefusedSections(const std::wstring& path, int refused) {
    if (refused <= 0) return;
    wchar_t text[600 + MAX_PATH];
    std::swprintf(text, sizeof text / sizeof text[0],
                  L"'%ls' holds more sections than the %d categories Sitarel keeps.\n\n"
                  L"The places of %d further sections went to the category before each of them.",
                  path.c_str(), kCategoryCapacity, refused);
    MessageBoxW(g_ui.Main, text, L"Warning", MB_OK | MB_ICONEXCLAMATION);
}

bool StockHoldsPlaces() {
    return CategoryCount(g_editor.Stock) > kSearchCategory + 1 || !g_editor.Stock.Stores[kRegBakCategory].empty();
}

void ReportStartFile() {
    const int start = g_ui.StartFile;
    g_ui.StartFile = kStockRead;
    const std::wstring& path = g_editor.StockPath;
    const wchar_t kKept[] = L"\n\nThe file is kept as it is: Sitarel does not write over it. "
                            L"At the exit the places can be saved to another file.";
    if (start == kStockMissing) ReportOpenFailure(path);
    if (start == kStockUnreadable) {
        const std::wstring text = L"Can't open '" + path + L"'" + kKept;
        MessageBoxW(g_ui.Main, text.c_str(), L"error", MB_OK);
    }
    if (start == kStockNotCategories) {
        const std::wstring text = L"'" + path + L"' is not a category file." + kKept;
        MessageBoxW(g_ui.Main, text.c_str(), L"error", MB_OK);
    }
    ReportRefusedSections(path, g_ui.RefusedSections);
    g_ui.RefusedSections = 0;
}

namespace {

// The file was not read and is kept: its places go elsewhere only when the
// user chooses a file for them. True when the program may end.
bool SaveInsteadOfKeptFile() {
    if (!StockHoldsPlaces()) return true;
    const std::wstring ask = L"'" + g_editor.StockPath +
                             L"' was not read, and is kept as it is.\n\nSave the categories to another file?\n"
                             L"(No: end without saving them.)";
    const int answer = MessageBoxW(g_ui.Main, ask.c_str(), L"Warning", MB_YESNOCANCEL | MB_ICONEXCLAMATION);
    if (answer == IDNO) return true;
    if (answer != IDYES) return false;
    std::wstring path;
    if (!PickSaveFile(g_ui.Main, &path)) return false;
    if (CompareStringOrdinal(path.c_str(), -1, g_editor.StockPath.c_str(), -1, TRUE) == CSTR_EQUAL) {
        const std::wstring text = L"'" + path + L"' is kept as it is: choose another file.";
        MessageBoxW(g_ui.Main, text.c_str(), L"error", MB_OK);
        return false;
    }
    const std::wstring kept = g_editor.StockPath;
    g_editor.StockPath = path;
    if (SaveStockWithReport()) {
        g_ui.StockKept = false;
        return true;
    }
    g_editor.StockPath = kept;
    return false;
}

}  // namespace

bool SaveForExit(bool endingSession) {
    if (g_ui.StockKept) return SaveInsteadOfKeptFile();
    if (SaveStockWithReport()) return true;
    // Nothing is lost unless the user says so: the data stays on screen
    // for another try, or for "Open" of a file that can be written.
    if (!endingSession && ++g_ui.SaveFailures < 2) return false;
    return MessageBoxW(g_ui.Main, L"The category file could not be saved.\n\nEnd without saving?", L"Warning",
                       MB_OKCANCEL | MB_ICONEXCLAMATION | MB_DEFBUTTON2) == IDOK;
}

void RequestExit() {
    if (!SaveForExit(false)) return;
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
        // Logging off or shutting down saves as the exit does; a save that
        // cannot be made, and is not given up by the user, holds the session.
        case WM_QUERYENDSESSION:
            g_ui.Saved = SaveForExit(true);
            return g_ui.Saved ? TRUE : FALSE;
        case WM_ENDSESSION:
            if (wp) {
                SaveSilently();  // the query may not have come
            } else {
                g_ui.Saved = false;  // the session goes on: the exit saves again
            }
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
