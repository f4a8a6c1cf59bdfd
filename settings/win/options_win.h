// The options sheet's window side: the page procedures and what they share.
#pragma once
#include <windows.h>

#include <map>
#include <vector>

#include "settings/options_fields.h"
#include "settings/options_pages.h"
#include "settings/win/options_sheet.h"

namespace velkaro {

// A page's dialog controls behind the seam the option fields' walks use;
// list texts from the string table of module.
class DialogControls : public PageControls {
public:
    DialogControls(HINSTANCE module, HWND page) : module_(module), page_(page) {}
    void SetChecked(int id, bool on) override;
    bool Checked(int id) override;
    void SetText(int id, const std::wstring& text) override;
    std::wstring GetText(int id, size_t width) override;
    void LimitText(int id, size_t chars) override;
    void SetUpSpin(const FieldDef& f) override;
    void SetNumber(int id, int n) override;
    void FillList(const FieldDef& f) override;
    void Select(int id, int index) override;
    int Selection(int id) override;
    void FillFonts(int id, const std::wstring& face) override;
    bool SelectedFont(int id, FieldValue* font) override;
    std::vector<std::wstring> ListedFaces(std::wstring* standIn) override;

private:
    HINSTANCE module_;
    HWND page_;
};

// Up-down paired with its edit and its range; the edit shows value.
void SetUpSpin(HWND page, int edit, int spin, int lo, int hi, int value);

// The swatch brushes of one page, released with it.
using SwatchBrushes = std::map<int, HBRUSH>;
// Answers WM_CTLCOLORSTATIC for a swatch of the page; 0 for other controls.
INT_PTR PaintSwatch(const std::vector<FieldDef>& fields, const PageValues& v, SwatchBrushes* brushes, HDC dc,
                    HWND control);
void ReleaseBrushes(SwatchBrushes* brushes);
// A swatch tapped: the chooser on its working colour; true when it changed
// (the swatches showing it are repainted).
bool ChooseSwatchColour(HINSTANCE module, HWND page, const std::vector<FieldDef>& fields, PageValues* v, int id);
void RepaintAllSwatches(HWND page, const std::vector<FieldDef>& fields);

// The open-file dialog on *path (the platform's, or "gsgetfile.dll"'s when
// present); true and *path replaced when a file was chosen.
bool ChooseImageFile(HWND owner, std::wstring* path);

// Page procedures.
INT_PTR CALLBACK TablePageProc(HWND page, UINT msg, WPARAM wp, LPARAM lp);
INT_PTR CALLBACK LocationPageProc(HWND page, UINT msg, WPARAM wp, LPARAM lp);
INT_PTR CALLBACK SortPageProc(HWND page, UINT msg, WPARAM wp, LPARAM lp);

// Which page a page procedure serves (the PROPSHEETPAGE's lParam).
struct PageParam {
    int Kind;  // TablePage, or the sort list's number for a sort page
    int Body;  // body pages
    OptionsContext* Context;
};

// Ends a page's PSN_APPLY.
INT_PTR ApplyDone(HWND page);

}  // namespace velkaro
