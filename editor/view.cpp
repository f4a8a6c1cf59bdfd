#include "editor/view.h"

#include <cwchar>

#include "editor/editor.h"
#include "settings/location.h"

namespace velkaro {

const wchar_t* const kColumnHeaders[kColumnCount] = {L"No.", L"x", L"Name", L"Margin", L"Memo"};

std::array<ControlPlace, kControlCount> LayoutControls(int mode, int s, int w, int h) {
    int rowY = 101 * s;
    ControlPlace work{kIdWorkList, -s, -s, w + 2 * s, 98 * s, true};
    ControlPlace stock{kIdStockList, -s, 125 * s, w + 2 * s, h - 124 * s, true};
    if (mode == kLayoutStockWide) {
        rowY = 5 * s;
        work.Visible = false;
        stock = {kIdStockList, -s, 29 * s, w + 2 * s, h - 28 * s, true};
    } else if (mode == kLayoutWorkWide) {
        rowY = h - 24 * s;
        stock.Visible = false;
        work = {kIdWorkList, -s, -s, w + 2 * s, h - 27 * s, true};
    }
    return {{
        work,
        {kIdApplyButton, 5 * s, rowY, 45 * s, 20 * s, true},
        {kIdFixedBox, 55 * s, rowY, 18 * s, 20 * s, true},
        {kIdCategoryBox, 74 * s, rowY, 120 * s, 106 * s, true},
        {kIdAddCategoryButton, 193 * s, rowY, 22 * s, 20 * s, true},
        {kIdRenameButton, 214 * s, rowY, 22 * s, 20 * s, true},
        stock,
    }};
}

int ColumnWidth(int column, int s, int width) {
    static const int kBase[kColumnCount] = {32, 18, 78, 50, 0};
    if (column == 4) return width - 191 * s;
    return column >= 0 && column < kColumnCount ? kBase[column] * s : 0;
}

std::wstring RowText(const EditorRecord& r, int row, int column) {
    switch (column) {
        case 0: return std::to_wstring(row);
        case 1: return r.Valid ? L"x" : L"";
        case 2: return r.Location;
        case 3: return (r.UtcMargin > 0 ? L"+" : L"") + FormatUtcOffset(r.UtcMargin);
        case 4: return r.Memo;
        default: return std::wstring();
    }
}

}  // namespace velkaro
