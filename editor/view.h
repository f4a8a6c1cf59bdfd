// What the main window shows: where its controls go in each layout, the list
// columns and the texts of a row.
#pragma once
#include <array>
#include <string>

#include "editor/record.h"

namespace velkaro {

// Control ids of the main window.
enum EditorControl {
    kIdRenameButton = 6,
    kIdFixedBox = 7,
    kIdApplyButton = 8,
    kIdAddCategoryButton = 9,
    kIdCategoryBox = 10,
    kIdWorkList = 11,
    kIdStockList = 12,
};

struct ControlPlace {
    int Id = 0;
    int X = 0, Y = 0, Width = 0, Height = 0;
    bool Visible = true;
};

constexpr int kControlCount = 7;
// The seven controls for a layout mode, scale s, width W and height H (the
// window's client area below which the menu bar sits).
std::array<ControlPlace, kControlCount> LayoutControls(int mode, int s, int width, int height);

constexpr int kColumnCount = 5;
extern const wchar_t* const kColumnHeaders[kColumnCount];  // "No.", "x", "Name", "Margin", "Memo"
int ColumnWidth(int column, int s, int width);
// The text of a row's column; `row` is its position in the list.
std::wstring RowText(const EditorRecord& r, int row, int column);

}  // namespace velkaro
