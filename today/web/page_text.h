// The page's own words, as the resource script holds the Win32 item's: the
// time menu and the labels of the actions.
#pragma once
#include <string>
#include <vector>

namespace velkaro {

struct PageMenuItem {
    int Command = 0;  // 0 for the separator
    std::wstring Label;
};

// "Current" ... "-Day", a separator, "Date", with the Win32 menu's commands.
const std::vector<PageMenuItem>& TimeMenuItems();
// "none" for -1, "meter" ... "info" for 0 ... 15; empty for anything else.
std::wstring ActionLabel(int action);

}  // namespace velkaro
