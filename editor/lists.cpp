#include <algorithm>
#include <cstdlib>
#include <vector>

#include "editor/editor.h"

namespace velkaro {

RecordList& ListOf(EditorState* s, int list) { return list == kWorkList ? s->Work : s->StockView; }

bool Refuse(EditorState* s, int refusal, int category) {
    s->Refused = refusal;
    s->RefusedCategory = category;
    return false;
}

void ResetSortFlags(EditorState* s, int list) { s->SortFlags[list == kWorkList ? 0 : 1].fill(0); }

void ShowCategory(EditorState* s, int index) {
    if (index < 0 || index >= CategoryCount(s->Stock)) index = 0;
    s->Stock.Current = index;
    s->StockView = s->Stock.Stores[static_cast<size_t>(index)];
    ResetSortFlags(s, kStockList);
}

void ChooseStartCategory(EditorState* s) {
    int index = s->Stock.Current;
    if (CategoryCount(s->Stock) >= 3 && index == 0) index = 2;
    ShowCategory(s, index);
}

namespace {

template <typename T>
int Order(const T& a, const T& b) {
    return a < b ? -1 : (b < a ? 1 : 0);
}

int CompareBy(const EditorRecord& a, const EditorRecord& b, int key) {
    switch (key) {
        case kSortValid: return Order(a.Valid, b.Valid);
        case kSortLocation: return Order(a.Location, b.Location);
        case kSortMargin: return Order(a.UtcMargin, b.UtcMargin);
        case kSortMemo: return Order(a.Memo, b.Memo);
        case kSortLat: return Order(a.Lat, b.Lat);
        case kSortLng: return Order(a.Lng, b.Lng);
        default: return 0;
    }
}

}  // namespace

void SortRecords(RecordList* list, int key, int32_t* flag) {
    if (key < kSortValid || key > kSortLng) return;
    bool descending = *flag == 1;
    if (key == kSortValid) descending = !descending;  // checked rows first to begin with
    // Sorting positions and moving each record once is cheaper than moving
    // whole records around inside the sort.
    std::vector<uint32_t> order(list->size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = static_cast<uint32_t>(i);
    const RecordList& rows = *list;
    std::stable_sort(order.begin(), order.end(), [&](uint32_t a, uint32_t b) {
        const int c = CompareBy(rows[a], rows[b], key);
        return descending ? c > 0 : c < 0;
    });
    RecordList sorted;
    sorted.reserve(list->size());
    for (uint32_t i : order) sorted.push_back(std::move((*list)[i]));
    list->swap(sorted);
    *flag = *flag == 1 ? 2 : 1;
}

bool SortList(EditorState* s, int list, int key) {
    if (key < kSortValid || key > kSortLng) return false;
    if (list == kStockList && !IsEditable(s->Stock, s->Stock.Current)) return Refuse(s, kRefusedReadOnly, s->Stock.Current);
    SortRecords(&ListOf(s, list), key, &s->SortFlags[list == kWorkList ? 0 : 1][static_cast<size_t>(key)]);
    return true;
}

bool RestoreStockOrder(EditorState* s, int list) {
    if (list != kStockList || !IsEditable(s->Stock, s->Stock.Current)) return false;
    ShowCategory(s, s->Stock.Current);
    return true;
}

bool ToggleCheck(EditorState* s, int list, int row) {
    RecordList& rows = ListOf(s, list);
    if (row < 0 || row >= static_cast<int>(rows.size())) return false;
    EditorRecord& r = rows[static_cast<size_t>(row)];
    if (list == kStockList && s->Stock.Current == kSearchCategory) {
        EditorRecord flipped = r;
        flipped.Valid = r.Valid ? 0 : 1;
        return WriteHitBack(s, row, flipped);
    }
    if (list == kStockList) {
        if (!IsEditable(s->Stock, s->Stock.Current)) return Refuse(s, kRefusedReadOnly, s->Stock.Current);
        RecordList& store = s->Stock.Stores[static_cast<size_t>(s->Stock.Current)];
        if (r.Number >= 0 && r.Number < static_cast<int>(store.size()))
            store[static_cast<size_t>(r.Number)].Valid = r.Valid ? 0 : 1;
    }
    r.Valid = r.Valid ? 0 : 1;
    return true;
}

bool WriteHitBack(EditorState* s, int row, const EditorRecord& changed) {
    if (s->Stock.Current != kSearchCategory || row < 0 || row >= static_cast<int>(s->StockView.size())) return false;
    EditorRecord& shown = s->StockView[static_cast<size_t>(row)];
    const int origin = shown.FoundIn;
    if (origin < 0 || origin >= CategoryCount(s->Stock) || origin == kSearchCategory)
        return Refuse(s, kRefusedHitChanged, -1);
    if (!IsEditable(s->Stock, origin)) return Refuse(s, kRefusedHitReadOnly, origin);
    RecordList& store = s->Stock.Stores[static_cast<size_t>(origin)];
    // A place cut, moved or changed there since the search is not overwritten.
    if (shown.FoundAt < 0 || shown.FoundAt >= static_cast<int>(store.size()) ||
        !SamePlace(store[static_cast<size_t>(shown.FoundAt)], shown))
        return Refuse(s, kRefusedHitChanged, origin);
    EditorRecord back = changed;
    back.Number = shown.FoundAt;
    back.FoundIn = back.FoundAt = -1;
    store[static_cast<size_t>(shown.FoundAt)] = back;
    EditorRecord hit = changed;
    hit.Number = shown.Number;
    hit.FoundIn = shown.FoundIn;
    hit.FoundAt = shown.FoundAt;
    RecordList& hits = s->Stock.Stores[kSearchCategory];
    if (hit.Number >= 0 && hit.Number < static_cast<int>(hits.size())) hits[static_cast<size_t>(hit.Number)] = hit;
    shown = hit;
    return true;
}

bool RowReadOnly(const EditorState& s, int list, int row) {
    if (list != kStockList || row < 0 || row >= static_cast<int>(s.StockView.size())) return false;
    if (s.Stock.Current != kSearchCategory) return !IsEditable(s.Stock, s.Stock.Current);
    const int origin = s.StockView[static_cast<size_t>(row)].FoundIn;
    return origin >= 0 && origin < CategoryCount(s.Stock) && !IsEditable(s.Stock, origin);
}

std::wstring RefusalText(const EditorState& s) {
    const int c = s.RefusedCategory;
    const std::wstring name = c >= 0 && c < CategoryCount(s.Stock) ? s.Stock.Names[static_cast<size_t>(c)] : L"";
    switch (s.Refused) {
        case kRefusedReadOnly:
            if (c == kRegBakCategory)
                return L"\"" + name + L"\" is read-only: it keeps what the slots held before the last write.";
            return L"\"" + name + L"\" is read-only: its places and their order stay as they are.\n\n"
                   L"Clear the check box beside the category's name to change it.";
        case kRefusedHitReadOnly:
            return L"This place was found in \"" + name + L"\", which is read-only: the change is not made.";
        case kRefusedHitChanged:
            if (name.empty()) return L"The category this place was found in is gone: the change is not made.";
            return L"This place has changed or moved in \"" + name +
                   L"\" since the search: the change is not made.\n\nSearch again to change it.";
        case kRefusedSearchList:
            return L"\"" + std::wstring(kSearchName) +
                   L"\" shows what the search found: add, cut and paste places in their own category.";
        case kRefusedReserved:
            if (c == kRegBakCategory)
                return L"\"" + name + L"\" belongs to the editor and is read-only: it keeps what the slots held "
                       L"before the last write, and cannot be changed, renamed or deleted.";
            return L"\"" + name + L"\" belongs to the editor: it cannot be fixed, renamed or deleted.";
        default:
            return std::wstring();
    }
}

bool MoveRecord(RecordList* list, int from, int to) {
    const int n = static_cast<int>(list->size());
    if (from < 0 || from >= n || to < 0 || to >= n) return false;
    if (from == to) return true;
    auto first = list->begin();
    if (from < to)
        std::rotate(first + from, first + from + 1, first + to + 1);
    else
        std::rotate(first + to, first + from, first + from + 1);
    return true;
}

void PenDown(EditorState* s, int list, int x, int y, int row) {
    PenGesture& g = s->Pen[list];
    s->LastTouched = list;
    g.StartX = x;
    g.StartY = y;
    g.Row = row;
    g.StartRow = row;
    g.Tap = row >= 0;
    g.Refused = false;
    // The Work list drags only from a row; the Stock list may still swipe.
    g.Active = list == kStockList || row >= 0;
}

void PenEnd(EditorState* s, int list) {
    s->Pen[list].Active = false;
    s->Pen[list].Tap = false;
}

bool PenUp(EditorState* s, int list, int x, int y, int row, int column) {
    PenGesture& g = s->Pen[list];
    const int tolerance = kTapTolerance * s->Scale;
    const bool tap = g.Tap && row >= 0 && row == g.StartRow && std::abs(x - g.StartX) <= tolerance &&
                     std::abs(y - g.StartY) <= tolerance;
    const bool refused = g.Refused;
    PenEnd(s, list);
    g.Refused = false;
    if (refused) return Refuse(s, kRefusedReadOnly, s->Stock.Current);
    return tap && column == 1 && ToggleCheck(s, list, row);
}

namespace {

PenStep Drag(EditorState* s, int list, int row) {
    PenStep step;
    PenGesture& g = s->Pen[list];
    if (g.Row < 0 || row < 0 || row == g.Row) return step;
    if (list == kStockList && !IsEditable(s->Stock, s->Stock.Current)) {
        g.Refused = true;
        g.Tap = false;
        return step;
    }
    if (!MoveRecord(&ListOf(s, list), g.Row, row)) return step;
    g.Row = row;
    g.Tap = false;
    step.Moved = true;
    step.NewRow = row;
    return step;
}

}  // namespace

PenStep PenMove(EditorState* s, int list, int x, int y, int row, bool button) {
    PenStep step;
    PenGesture& g = s->Pen[list];
    if (!g.Active) return step;
    const int tolerance = kTapTolerance * s->Scale;
    if (std::abs(x - g.StartX) > tolerance || std::abs(y - g.StartY) > tolerance) g.Tap = false;
    if (!button || (list == kWorkList && row < 0)) {
        g.Active = false;
        g.Tap = false;
        step.Ended = true;
        return step;
    }
    if (list == kStockList && std::abs(x - g.StartX) > 80 * s->Scale) {
        g.Active = false;
        g.Tap = false;
        ShowCategory(s, NeighbourCategory(s->Stock, s->Stock.Current, x > g.StartX ? 1 : -1));
        step.Swiped = true;
        step.Ended = true;
        return step;
    }
    return Drag(s, list, row);
}

}  // namespace velkaro
