// What every option page does with its controls: spins, lists, font lists,
// colour swatches and the image file choice.
#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/picture.h"
#include "platform/win/device_path.h"
#include "platform/win/open_file_dialog.h"
#include "settings/options_picture.h"
#include "settings/protocol.h"
#include "settings/win/options_win.h"
#include "settings/win/colour_dialog.h"

namespace velkaro {
namespace {

struct FontFamily {
    std::wstring Face;
    int CharSet;
};

int CALLBACK CollectFamily(const LOGFONTW* lf, const TEXTMETRICW*, DWORD, LPARAM lp) {
    auto* families = reinterpret_cast<std::vector<FontFamily>*>(lp);
    families->push_back({lf->lfFaceName, lf->lfCharSet});
    return 1;
}

// The families of the Today screen's drawing context, each once, by name;
// the context's own face comes with them.
const std::vector<FontFamily>& TodayFonts(std::wstring* currentFace) {
    static std::vector<FontFamily> families;
    static std::wstring current;
    if (families.empty()) {
        HWND today = FindWindowW(kTodayWindowClass, nullptr);
        HDC dc = GetDC(today);
        LOGFONTW lf = {};
        lf.lfCharSet = DEFAULT_CHARSET;
        EnumFontFamiliesExW(dc, &lf, CollectFamily, reinterpret_cast<LPARAM>(&families), 0);
        wchar_t face[64] = {};
        GetTextFaceW(dc, 64, face);
        current = face;
        ReleaseDC(today, dc);
        std::stable_sort(families.begin(), families.end(),
                         [](const FontFamily& a, const FontFamily& b) { return a.Face < b.Face; });
        families.erase(std::unique(families.begin(), families.end(),
                                   [](const FontFamily& a, const FontFamily& b) { return a.Face == b.Face; }),
                       families.end());
    }
    *currentFace = current;
    return families;
}

void RepaintSwatch(HWND page, int id) { InvalidateRect(GetDlgItem(page, id), nullptr, TRUE); }

}  // namespace

void SetUpSpin(HWND page, int edit, int spin, int lo, int hi, int value) {
    HWND s = GetDlgItem(page, spin);
    SendMessageW(s, UDM_SETBUDDY, reinterpret_cast<WPARAM>(GetDlgItem(page, edit)), 0);
    SendMessageW(s, UDM_SETRANGE32, static_cast<WPARAM>(lo), hi);
    SetDlgItemInt(page, edit, static_cast<UINT>(value), lo < 0);
}

void DialogControls::SetChecked(int id, bool on) { CheckDlgButton(page_, id, on ? BST_CHECKED : BST_UNCHECKED); }

bool DialogControls::Checked(int id) { return IsDlgButtonChecked(page_, id) == BST_CHECKED; }

void DialogControls::SetText(int id, const std::wstring& text) { SetDlgItemTextW(page_, id, text.c_str()); }

std::wstring DialogControls::GetText(int id, size_t width) {
    std::vector<wchar_t> buf(width + 1, 0);
    GetDlgItemTextW(page_, id, buf.data(), static_cast<int>(buf.size()));
    return CutToField(buf.data(), width);
}

void DialogControls::LimitText(int id, size_t chars) { SendDlgItemMessageW(page_, id, EM_LIMITTEXT, chars, 0); }

void DialogControls::SetUpSpin(const FieldDef& f) {
    HWND s = GetDlgItem(page_, f.Spin);
    SendMessageW(s, UDM_SETBUDDY, reinterpret_cast<WPARAM>(GetDlgItem(page_, f.Id)), 0);
    SendMessageW(s, UDM_SETRANGE32, static_cast<WPARAM>(f.Lo), f.Hi);
}

void DialogControls::SetNumber(int id, int n) { SetDlgItemInt(page_, id, static_cast<UINT>(n), TRUE); }

void DialogControls::FillList(const FieldDef& f) {
    HWND list = GetDlgItem(page_, f.Id);
    SendMessageW(list, CB_RESETCONTENT, 0, 0);
    std::vector<std::wstring> items = f.Items;
    for (int i = 0; i < f.StringCount; ++i) {
        wchar_t text[64] = {};
        LoadStringW(module_, static_cast<UINT>(f.FirstString + i), text, 64);
        items.push_back(text);
    }
    // Each text goes in at the top, the last first, so that the list reads in order.
    for (auto it = items.rbegin(); it != items.rend(); ++it)
        SendMessageW(list, CB_INSERTSTRING, 0, reinterpret_cast<LPARAM>(it->c_str()));
}

void DialogControls::Select(int id, int index) {
    SendDlgItemMessageW(page_, id, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

int DialogControls::Selection(int id) { return static_cast<int>(SendDlgItemMessageW(page_, id, CB_GETCURSEL, 0, 0)); }

void DialogControls::FillFonts(int id, const std::wstring& face) {
    HWND list = GetDlgItem(page_, id);
    std::wstring current;
    const std::vector<FontFamily>& families = TodayFonts(&current);
    SendMessageW(list, CB_RESETCONTENT, 0, 0);
    int chosen = -1, fallback = -1;
    for (const FontFamily& fam : families) {
        const auto i = static_cast<int>(SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(fam.Face.c_str())));
        SendMessageW(list, CB_SETITEMDATA, static_cast<WPARAM>(i), fam.CharSet);
        if (fam.Face == face) chosen = i;
        if (fam.Face == current) fallback = i;
    }
    SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(chosen >= 0 ? chosen : fallback), 0);
}

bool DialogControls::SelectedFont(int id, FieldValue* font) {
    HWND list = GetDlgItem(page_, id);
    const auto i = static_cast<int>(SendMessageW(list, CB_GETCURSEL, 0, 0));
    if (i < 0) return false;
    const auto len = static_cast<int>(SendMessageW(list, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0));
    std::vector<wchar_t> buf(static_cast<size_t>(std::max(len, 0)) + 1, 0);
    SendMessageW(list, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buf.data()));
    font->Text = buf.data();
    font->Number = static_cast<int>(SendMessageW(list, CB_GETITEMDATA, static_cast<WPARAM>(i), 0));
    return true;
}

std::vector<std::wstring> DialogControls::ListedFaces(std::wstring* standIn) {
    std::vector<std::wstring> listed;
    for (const FontFamily& fam : TodayFonts(standIn)) listed.push_back(fam.Face);
    return listed;
}

INT_PTR PaintSwatch(const std::vector<FieldDef>& fields, const PageValues& v, SwatchBrushes* brushes, HDC dc,
                    HWND control) {
    const int id = GetDlgCtrlID(control);
    const FieldDef* f = FindField(fields, id);
    if (!f || f->Kind != kFieldSwatch) return 0;
    const SwatchPaint p = PaintOfSwatch(fields, v, id);
    SetBkMode(dc, TRANSPARENT);
    if (p.HasText) SetTextColor(dc, p.Text);
    HBRUSH& brush = (*brushes)[id];
    if (brush) DeleteObject(brush);
    brush = CreateSolidBrush(p.Back);
    return reinterpret_cast<INT_PTR>(brush);
}

void ReleaseBrushes(SwatchBrushes* brushes) {
    for (auto& b : *brushes)
        if (b.second) DeleteObject(b.second);
    brushes->clear();
}

bool ChooseSwatchColour(HINSTANCE module, HWND page, const std::vector<FieldDef>& fields, PageValues* v, int id) {
    const FieldDef* f = FindField(fields, id);
    if (!f || f->Kind != kFieldSwatch) return false;
    auto colour = static_cast<uint32_t>(Number(*v, id));
    if (!RunColourChooser(module, page, &colour)) return false;
    (*v)[id].Number = static_cast<int>(colour);
    for (int shown : SwatchesShowing(fields, id)) RepaintSwatch(page, shown);
    return true;
}

void RepaintAllSwatches(HWND page, const std::vector<FieldDef>& fields) {
    for (const FieldDef& f : fields)
        if (f.Kind == kFieldSwatch) RepaintSwatch(page, f.Id);
}

namespace {

// The folder velkaro.dll was loaded from, where its pictures are installed.
std::wstring PluginFolder() {
    HMODULE self = nullptr;
    wchar_t path[MAX_PATH] = {};
    if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                            reinterpret_cast<LPCWSTR>(&PluginFolder), &self) ||
        GetModuleFileNameW(self, path, MAX_PATH) == 0)
        return std::wstring();
    return PictureChooserStartFor(path).Folder;
}

bool IsFolder(const std::wstring& path) {
    const DWORD a = GetFileAttributesW(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

bool ChooseImageFile(HWND owner, std::wstring* path) {
    // Both picture kinds first: a PNG is as likely as a bitmap.
    static const wchar_t kFilter[] =
        L"Bitmap/PNG\u30D5\u30A1\u30A4\u30EB (*.bmp;*.png)\0*.bmp;*.png\0"
        L"Bitmap\u30D5\u30A1\u30A4\u30EB (*.bmp)\0*.bmp\0"
        L"PNG\u30D5\u30A1\u30A4\u30EB (*.png)\0*.png\0"
        L"\u3059\u3079\u3066\u306E\u30D5\u30A1\u30A4\u30EB (*.*)\0*.*\0";
    // A device path ("\Program Files\Velkaro\...") is on the plug-in's drive,
    // as the item reads it; a folder that is gone opens the plug-in's own.
    const std::wstring onDisk = DiskPath(*path);
    const PictureChooserStart start = PictureChooserStartFor(onDisk);
    OpenFileStart ask;
    ask.Filter = kFilter;
    ask.File = start.File;
    ask.Folder = IsFolder(start.Folder) ? start.Folder : PluginFolder();
    ask.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
    std::wstring file;
    if (!ChooseFileToOpen(owner, ask, &file)) return false;
    // A replacement dialog may not hold to "must exist"; a name of nothing, or
    // of no picture, would leave the body without one.
    DecodedPicture probe;
    if (!LoadPicture(DiskPath(file), &probe)) {
        const std::wstring text = L"Can't open '" + file + L"'";
        MessageBoxW(owner, text.c_str(), L"error", MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    *path = PicturePathAfterChoice(*path, onDisk, file);
    return true;
}

INT_PTR ApplyDone(HWND page) {
    SetWindowLongPtrW(page, DWLP_MSGRESULT, PSNRET_NOERROR);
    return TRUE;
}

}  // namespace velkaro
