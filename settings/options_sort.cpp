#include "settings/options_sort.h"

#include <algorithm>
#include <utility>

namespace velkaro {

namespace {

// After an item left position sel of a list, the one now there is selected,
// or the new last one.
int Reselect(const std::vector<int>& list, int sel) {
    if (list.empty()) return -1;
    return std::min(sel, static_cast<int>(list.size()) - 1);
}

bool Selected(const std::vector<int>& list, int sel) { return sel >= 0 && sel < static_cast<int>(list.size()); }

}  // namespace

SortPage OpenSortPage(const SortList& list) {
    SortPage p;
    bool listed[kBodyCount] = {};
    for (int i = 0; i < 10 && list.Entries[i] >= 0; ++i) {
        const int b = list.Entries[i];
        if (b >= kBodyCount || listed[b]) continue;
        listed[b] = true;
        p.Right.push_back(b);
    }
    for (int b = 0; b < kBodyCount; ++b)
        if (!listed[b]) p.Left.push_back(b);
    p.LeftSel = p.Left.empty() ? -1 : 0;
    p.RightSel = p.Right.empty() ? -1 : 0;
    return p;
}

bool MoveUp(SortPage* p) {
    if (!Selected(p->Right, p->RightSel) || p->RightSel == 0 || p->Right.size() < 2) return false;
    std::swap(p->Right[p->RightSel], p->Right[p->RightSel - 1]);
    --p->RightSel;
    return true;
}

bool MoveDown(SortPage* p) {
    const int last = static_cast<int>(p->Right.size()) - 1;
    if (!Selected(p->Right, p->RightSel) || p->RightSel == last || p->Right.size() < 2) return false;
    std::swap(p->Right[p->RightSel], p->Right[p->RightSel + 1]);
    ++p->RightSel;
    return true;
}

bool MoveToRight(SortPage* p) {
    if (!Selected(p->Left, p->LeftSel)) return false;
    const int body = p->Left[p->LeftSel];
    p->Left.erase(p->Left.begin() + p->LeftSel);
    if (Selected(p->Right, p->RightSel)) {
        p->Right.insert(p->Right.begin() + p->RightSel, body);
        ++p->RightSel;  // the selection stays on its item
    } else {
        p->Right.push_back(body);
    }
    p->LeftSel = Reselect(p->Left, p->LeftSel);
    return true;
}

bool MoveToLeft(SortPage* p) {
    if (!Selected(p->Right, p->RightSel)) return false;
    const int body = p->Right[p->RightSel];
    p->Right.erase(p->Right.begin() + p->RightSel);
    p->Left.push_back(body);
    p->RightSel = Reselect(p->Right, p->RightSel);
    if (!Selected(p->Left, p->LeftSel)) p->LeftSel = static_cast<int>(p->Left.size()) - 1;
    return true;
}

SortList ApplySortPage(const SortPage& p) {
    SortList list;
    int n = 0;
    for (int b : p.Right)
        if (n < 10) list.Entries[n++] = b;
    if (n == 0) list.Entries[0] = kMoon;
    return list;
}

}  // namespace velkaro
