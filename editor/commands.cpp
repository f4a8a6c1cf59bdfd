#include "editor/commands.h"

#include <algorithm>
#include <cwchar>

namespace velkaro {
namespace {

RecordList& CurrentStore(EditorState* s) { return s->Stock.Stores[static_cast<size_t>(s->Stock.Current)]; }

bool StockEditable(const EditorState& s) { return IsEditable(s.Stock, s.Stock.Current); }

// Whether the shown category's records may be added, cut or pasted; says why
// not in s->Refused. "_SEARCH" takes none: they would reach no category.
bool StockTakesRecords(EditorState* s) {
    if (s->Stock.Current == kSearchCategory) return Refuse(s, kRefusedSearchList, kSearchCategory);
    if (!StockEditable(*s)) return Refuse(s, kRefusedReadOnly, s->Stock.Current);
    return true;
}

bool InRange(const RecordList& list, int row) { return row >= 0 && row < static_cast<int>(list.size()); }

// The rows given, each once, in row order, inside the list.
std::vector<int> RowsIn(const RecordList& list, std::vector<int> rows) {
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    rows.erase(std::remove_if(rows.begin(), rows.end(), [&](int r) { return !InRange(list, r); }), rows.end());
    return rows;
}

void Renumber(RecordList* list) {
    for (size_t i = 0; i < list->size(); ++i) (*list)[i].Number = static_cast<int32_t>(i);
}

// Removes the marked records of a list, keeping the order of the rest.
void RemoveMarked(RecordList* list) {
    list->erase(std::remove_if(list->begin(), list->end(), [](const EditorRecord& r) { return r.DeleteMark != 0; }),
                list->end());
}

void CutStockRows(EditorState* s, const std::vector<int>& rows) {
    RecordList& store = CurrentStore(s);
    for (int row : rows) {
        EditorRecord& shown = s->StockView[static_cast<size_t>(row)];
        shown.DeleteMark = 1;
        if (InRange(store, shown.Number)) store[static_cast<size_t>(shown.Number)].DeleteMark = 1;
    }
    // Where each store record goes once the marked ones are gone.
    std::vector<int32_t> moved(store.size(), -1);
    int32_t next = 0;
    for (size_t i = 0; i < store.size(); ++i)
        if (!store[i].DeleteMark) moved[i] = next++;
    RemoveMarked(&store);
    Renumber(&store);
    for (EditorRecord& r : s->StockView)
        if (!r.DeleteMark && r.Number >= 0 && static_cast<size_t>(r.Number) < moved.size())
            r.Number = moved[static_cast<size_t>(r.Number)];
    RemoveMarked(&s->StockView);
}

// The file writes a name on one line with blanks for tabs and line breaks:
// a name is made so from the start, or two names could become one.
std::wstring TypedName(std::wstring text) {
    for (wchar_t& c : text)
        if (c == L'\t' || c == L'\r' || c == L'\n') c = L' ';
    return CutToField(text);
}

bool IsReservedName(const std::wstring& name) { return name == kRegBakName || name == kSearchName; }

void RebuildNameIndex(Categories* c) {
    c->NameIndex.clear();
    for (int i = 0; i < CategoryCount(*c); ++i) c->NameIndex[c->Names[static_cast<size_t>(i)]] = i;
}

wchar_t UpperUnit(wchar_t c) {
    const uint32_t u = static_cast<uint32_t>(c);
    if (u >= 'a' && u <= 'z') return static_cast<wchar_t>(u - 32);
    if (u < 0xB5) return c;
    if (u >= 0xE0 && u <= 0xFE && u != 0xF7) return static_cast<wchar_t>(u - 32);
    if (u == 0xFF) return static_cast<wchar_t>(0x178);
    if (u >= 0x100 && u <= 0x17F) {
        // Latin Extended-A pairs upper/lower; the pairing switches parity twice.
        const bool oddLower = (u <= 0x137) || (u >= 0x14A && u <= 0x177);
        const bool evenLower = (u >= 0x139 && u <= 0x148) || (u >= 0x179 && u <= 0x17E);
        if ((oddLower && (u & 1)) || (evenLower && !(u & 1))) return static_cast<wchar_t>(u - 1);
        return c;
    }
    if (u == 0x3C2) return static_cast<wchar_t>(0x3A3);  // final sigma
    if (u >= 0x3B1 && u <= 0x3C9) return static_cast<wchar_t>(u - 32);
    if (u >= 0x430 && u <= 0x44F) return static_cast<wchar_t>(u - 32);
    if (u >= 0x450 && u <= 0x45F) return static_cast<wchar_t>(u - 80);
    if (u >= 0xFF41 && u <= 0xFF5A) return static_cast<wchar_t>(u - 32);
    return c;
}

}  // namespace

bool BeginEditRow(EditorState* s, int list, int row) {
    const RecordList& rows = ListOf(s, list);
    if (!InRange(rows, row)) return false;
    s->DialogBuffer = rows[static_cast<size_t>(row)];
    s->DialogConfirmed = false;
    return true;
}

bool FinishEditRow(EditorState* s, int list, int row) {
    RecordList& rows = ListOf(s, list);
    if (!s->DialogConfirmed || !InRange(rows, row)) return false;
    if (list == kStockList && s->Stock.Current == kSearchCategory) return WriteHitBack(s, row, s->DialogBuffer);
    if (list == kStockList) {
        if (!StockEditable(*s)) return Refuse(s, kRefusedReadOnly, s->Stock.Current);
        RecordList& store = CurrentStore(s);
        const int32_t number = rows[static_cast<size_t>(row)].Number;
        s->DialogBuffer.Number = number;  // the record keeps its place in the store
        if (InRange(store, number)) store[static_cast<size_t>(number)] = s->DialogBuffer;
    }
    rows[static_cast<size_t>(row)] = s->DialogBuffer;
    return true;
}

bool BeginAdd(EditorState* s, int list) {
    if (list == kStockList && !StockTakesRecords(s)) return false;
    s->DialogBuffer = EditorRecord();
    s->DialogBuffer.Valid = 1;
    s->DialogConfirmed = false;
    return true;
}

bool FinishAdd(EditorState* s, int list, int at) {
    if (!s->DialogConfirmed) return false;
    if (list == kStockList && !StockTakesRecords(s)) return false;
    RecordList& rows = ListOf(s, list);
    if (!InRange(rows, at)) at = static_cast<int>(rows.size());
    EditorRecord r = s->DialogBuffer;
    if (list == kStockList) {
        RecordList& store = CurrentStore(s);
        r.Number = static_cast<int32_t>(store.size());
        store.push_back(r);
    }
    rows.insert(rows.begin() + at, r);
    ResetSortFlags(s, list);
    return true;
}

bool CopyRows(EditorState* s, int list, const std::vector<int>& rows) {
    const RecordList& from = ListOf(s, list);
    const std::vector<int> picked = RowsIn(from, rows);
    s->Clipboard.clear();
    for (int row : picked) s->Clipboard.push_back(from[static_cast<size_t>(row)]);
    return true;
}

bool CutRows(EditorState* s, int list, const std::vector<int>& rows) {
    if (list == kStockList && !StockTakesRecords(s)) return false;
    RecordList& from = ListOf(s, list);
    const std::vector<int> picked = RowsIn(from, rows);
    CopyRows(s, list, picked);
    if (list == kStockList) {
        CutStockRows(s, picked);
    } else {
        for (auto it = picked.rbegin(); it != picked.rend(); ++it) from.erase(from.begin() + *it);
    }
    return !picked.empty();
}

bool PasteRows(EditorState* s, int list, int before) {
    if (s->Clipboard.empty()) return false;
    if (list == kStockList && !StockTakesRecords(s)) return false;
    RecordList& rows = ListOf(s, list);
    RecordList add = s->Clipboard;
    if (list == kStockList) {
        RecordList& store = CurrentStore(s);
        for (EditorRecord& r : add) {
            r.Number = static_cast<int32_t>(store.size());
            store.push_back(r);
        }
    }
    if (!InRange(rows, before)) before = static_cast<int>(rows.size());
    rows.insert(rows.begin() + before, add.begin(), add.end());
    ResetSortFlags(s, list);
    return true;
}

bool SetToWork(EditorState* s, int stockRow) {
    if (!InRange(s->StockView, stockRow)) return false;
    s->Work.insert(s->Work.begin(), s->StockView[static_cast<size_t>(stockRow)]);
    ResetSortFlags(s, kWorkList);
    return true;
}

bool AllSetToWork(EditorState* s) {
    if (s->StockView.empty()) return false;
    s->Work = s->StockView;
    ResetSortFlags(s, kWorkList);
    return true;
}

bool FixStockOrder(EditorState* s) {
    if (!StockEditable(*s)) return Refuse(s, kRefusedReadOnly, s->Stock.Current);
    Renumber(&s->StockView);
    CurrentStore(s) = s->StockView;
    ResetSortFlags(s, kStockList);
    return true;
}

int TapFixedBox(EditorState* s) {
    const int current = s->Stock.Current;
    if (current == kRegBakCategory || current == kSearchCategory) {
        Refuse(s, kRefusedReserved, current);
        return -1;
    }
    if (current < 2 || current >= CategoryCount(s->Stock)) return -1;
    int32_t& fixed = s->Stock.Fixed[static_cast<size_t>(current)];
    if (fixed) {
        fixed = 0;
        return 0;
    }
    FixStockOrder(s);
    fixed = 1;
    return 1;
}

int AddCategoryFromText(EditorState* s, const std::wstring& text) {
    const std::wstring name = TypedName(text);
    if (name.empty() || IsReservedName(name) || FindCategory(s->Stock, name) >= 0) return kCategoryUnchanged;
    const int index = AddCategory(&s->Stock, name, 0);
    if (index < 0) return kCategoryFull;
    ShowCategory(s, index);
    return kCategoryDone;
}

int RenameCurrentCategory(EditorState* s, const std::wstring& text) {
    const int current = s->Stock.Current;
    if (current == kRegBakCategory || current == kSearchCategory) {
        Refuse(s, kRefusedReserved, current);
        return kCategoryUnchanged;
    }
    if (current >= CategoryCount(s->Stock)) return kCategoryUnchanged;
    const std::wstring name = TypedName(text);
    if (name.empty() || IsReservedName(name) || FindCategory(s->Stock, name) >= 0) return kCategoryUnchanged;
    s->Stock.NameIndex.erase(s->Stock.Names[static_cast<size_t>(current)]);
    s->Stock.Names[static_cast<size_t>(current)] = name;
    s->Stock.NameIndex[name] = current;
    return kCategoryDone;
}

bool CanDeleteCategory(const EditorState& s) {
    return s.Stock.Current != kSearchCategory && StockEditable(s);
}

bool MayDeleteCategory(EditorState* s) {
    const int current = s->Stock.Current;
    if (current == kRegBakCategory || current == kSearchCategory) return Refuse(s, kRefusedReserved, current);
    if (!StockEditable(*s)) return Refuse(s, kRefusedReadOnly, current);
    return true;
}

bool DeleteCurrentCategory(EditorState* s) {
    if (!CanDeleteCategory(*s)) return false;
    Categories& c = s->Stock;
    const int current = c.Current;
    const std::vector<int> before = CategoriesInBoxOrder(c);
    const size_t place = static_cast<size_t>(std::find(before.begin(), before.end(), current) - before.begin());
    for (int i = current; i + 1 < kCategoryCapacity; ++i)
        c.Stores[static_cast<size_t>(i)] = std::move(c.Stores[static_cast<size_t>(i) + 1]);
    c.Stores[kCategoryCapacity - 1].clear();
    c.Names.erase(c.Names.begin() + current);
    c.Fixed.erase(c.Fixed.begin() + current);
    RebuildNameIndex(&c);
    // Search hits follow their categories to their new indexes.
    for (EditorRecord& hit : c.Stores[kSearchCategory]) {
        if (hit.FoundIn == current) hit.FoundIn = -1;
        if (hit.FoundIn > current) --hit.FoundIn;
    }
    const std::vector<int> after = CategoriesInBoxOrder(c);
    if (after.empty()) {
        c.Current = 0;
        s->StockView.clear();
        ResetSortFlags(s, kStockList);
        return true;
    }
    ShowCategory(s, place < after.size() ? after[place] : after.back());
    return true;
}

int CopyWorkToCategory(EditorState* s) {
    if (s->Work.empty()) return kCategoryUnchanged;
    for (int n = 0; n < 1000; ++n) {
        wchar_t name[32];
        std::swprintf(name, 32, L"%ls%d", kRegBakName, n);
        if (FindCategory(s->Stock, name) >= 0) continue;
        const int index = AddCategory(&s->Stock, name, 0);
        if (index < 0) return kCategoryFull;
        RecordList& store = s->Stock.Stores[static_cast<size_t>(index)];
        store = s->Work;
        Renumber(&store);
        ShowCategory(s, index);
        return kCategoryDone;
    }
    return kCategoryUnchanged;
}

std::wstring SearchUpper(const std::wstring& text) {
    std::wstring out(text);
    for (wchar_t& c : out) c = UpperUnit(c);
    return out;
}

bool SearchStock(EditorState* s, const std::wstring& text, bool textIsEntry) {
    if (s->StockView.empty() || textIsEntry || text.empty() || IsReservedName(text)) return false;
    const std::wstring wanted = SearchUpper(text);
    RecordList& hits = s->Stock.Stores[kSearchCategory];
    hits.clear();
    for (const EditorRecord& r : s->StockView) {
        if (SearchUpper(r.Location).find(wanted) == std::wstring::npos &&
            SearchUpper(r.Memo).find(wanted) == std::wstring::npos)
            continue;
        hits.push_back(r);
        EditorRecord& hit = hits.back();
        hit.Number = static_cast<int32_t>(hits.size() - 1);
        // A search within the hits keeps where each was found.
        if (s->Stock.Current != kSearchCategory) {
            hit.FoundIn = s->Stock.Current;
            hit.FoundAt = r.Number;
        }
    }
    ShowCategory(s, kSearchCategory);
    return true;
}

bool UndoRegistryWrite(EditorState* s, const Announce& announce) {
    if (s->Stock.Stores[kRegBakCategory].empty()) return false;
    ShowCategory(s, kRegBakCategory);
    s->Work = s->Stock.Stores[kRegBakCategory];
    WriteWorkWithBackup(s, false, announce);
    return true;
}

void ChooseOpenedCategory(EditorState* s) {
    int index = s->Stock.Current;
    if (CategoryCount(s->Stock) >= 2 && index == 0) index = kSearchCategory;
    ShowCategory(s, index);
}

}  // namespace velkaro
