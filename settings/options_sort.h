// A sort page: the bodies listed (right) and the others (left), with their
// selections and the moves between and within them.
#pragma once
#include <vector>

#include "settings/store.h"

namespace velkaro {

struct SortPage {
    std::vector<int> Left;   // bodies not listed, in body order
    std::vector<int> Right;  // the list, in display order
    int LeftSel = -1;        // selected position, -1 for none
    int RightSel = -1;
};

SortPage OpenSortPage(const SortList& list);
// Each returns false when it moved nothing.
bool MoveUp(SortPage* p);
bool MoveDown(SortPage* p);
bool MoveToRight(SortPage* p);  // ">>"
bool MoveToLeft(SortPage* p);   // "<<"
// An empty list is stored as the Moon alone.
SortList ApplySortPage(const SortPage& p);

}  // namespace velkaro
