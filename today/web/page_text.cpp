#include "today/web/page_text.h"

#include "resources/resource.h"

namespace velkaro {

const std::vector<PageMenuItem>& TimeMenuItems() {
    static const std::vector<PageMenuItem> items = {
        {IDM_TIME_CURRENT, L"Current"},     {IDM_TIME_PLUS_DAY, L"+Day"},   {IDM_TIME_PLUS_HOUR, L"+Hour"},
        {IDM_TIME_PLUS_10MIN, L"+10Min"},   {IDM_TIME_MINUS_10MIN, L"-10Min"}, {IDM_TIME_MINUS_HOUR, L"-Hour"},
        {IDM_TIME_MINUS_DAY, L"-Day"},      {0, L""},                        {IDM_TIME_DATE, L"Date"}};
    return items;
}

std::wstring ActionLabel(int action) {
    static const wchar_t* const kLabels[] = {L"none",  L"meter", L"sort",    L"-pos", L"+pos", L"edit",
                                             L"pos",   L"-min",  L"-hour",   L"-day", L"current",
                                             L"+min",  L"+hour", L"+day",    L"date", L"menu", L"info"};
    if (action < -1 || action > 15) return std::wstring();
    return kLabels[action + 1];
}

}  // namespace velkaro
