// A seeded random walk over the editor's commands, against a plain model of
// what each command means: the stores hold records in store order, the shown
// list is a sequence of store positions. After every step the shown list must
// be its category's records in the model's order, and the category file must
// give every category back, byte for byte.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "editor/commands.h"
#include "editor/stock_file.h"

using namespace velkaro;

namespace {

bool SameRecord(const EditorRecord& a, const EditorRecord& b) {
    return a.Valid == b.Valid && a.Location == b.Location && a.Lat == b.Lat && a.Lng == b.Lng &&
           a.Altitude == b.Altitude && a.Prominence == b.Prominence && a.UtcGet == b.UtcGet &&
           a.UtcMargin == b.UtcMargin && a.ExistDST == b.ExistDST && a.DST == b.DST && a.Memo == b.Memo;
}

bool SameRecords(const RecordList& a, const RecordList& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), SameRecord);
}

// What the commands mean, kept the simplest way.
struct Model {
    std::vector<std::wstring> Names;
    std::vector<int32_t> Fixed;
    std::vector<RecordList> Stores;
    int Current = 0;
    std::vector<size_t> View;  // store positions in shown order
    RecordList Work, Clipboard;
    int32_t Flags[2][kSortKeyCount] = {};

    Model() {
        Names = {kRegBakName, kSearchName};
        Fixed = {1, 0};
        Stores.resize(2);
    }
    bool Editable() const { return Current > 0 && Fixed[static_cast<size_t>(Current)] == 0; }
    RecordList& Store() { return Stores[static_cast<size_t>(Current)]; }
    RecordList Shown() const {
        RecordList out;
        for (size_t p : View) out.push_back(Stores[static_cast<size_t>(Current)][p]);
        return out;
    }
    void Show(int index) {
        Current = index;
        View.clear();
        for (size_t p = 0; p < Store().size(); ++p) View.push_back(p);
        std::fill(std::begin(Flags[1]), std::end(Flags[1]), 0);
    }
    int Find(const std::wstring& name) const {
        for (size_t i = 0; i < Names.size(); ++i)
            if (Names[i] == name) return static_cast<int>(i);
        return -1;
    }
    // Category indexes in name order, as the box lists them.
    std::vector<int> BoxOrder() const {
        std::map<std::wstring, int> byName;
        for (size_t i = 0; i < Names.size(); ++i) byName[Names[i]] = static_cast<int>(i);
        std::vector<int> out;
        for (const auto& e : byName) out.push_back(e.second);
        return out;
    }
};

// A name as the category box gives it: tabs and line breaks are blanks.
std::wstring TypedName(std::wstring text) {
    for (wchar_t& c : text)
        if (c == L'\t' || c == L'\r' || c == L'\n') c = L' ';
    return CutToField(text);
}

bool Reserved(const std::wstring& n) { return n == kRegBakName || n == kSearchName; }

int Compare(const EditorRecord& a, const EditorRecord& b, int key) {
    auto order = [](const auto& x, const auto& y) { return x < y ? -1 : (y < x ? 1 : 0); };
    switch (key) {
        case kSortValid: return order(a.Valid, b.Valid);
        case kSortLocation: return order(a.Location, b.Location);
        case kSortMargin: return order(a.UtcMargin, b.UtcMargin);
        case kSortMemo: return order(a.Memo, b.Memo);
        case kSortLat: return order(a.Lat, b.Lat);
        default: return order(a.Lng, b.Lng);
    }
}

// Stable; the first sort of a key ascends (checked rows first for key 1),
// each further one turns round.
template <typename T, typename Get>
void ModelSort(std::vector<T>* items, int key, int32_t* flag, Get record) {
    bool descending = *flag == 1;
    if (key == kSortValid) descending = !descending;
    std::stable_sort(items->begin(), items->end(), [&](const T& x, const T& y) {
        const int c = Compare(record(x), record(y), key);
        return descending ? c > 0 : c < 0;
    });
    *flag = *flag == 1 ? 2 : 1;
}

class Walk {
public:
    explicit Walk(unsigned seed) : rng_(seed) {
        ResetCategories(&s_.Stock);
        for (const wchar_t* name : {L"Asia", L"Europe", L"Ocean"}) {
            AddCategory(&s_.Stock, name, 0);
            m_.Names.push_back(name);
            m_.Fixed.push_back(0);
            m_.Stores.emplace_back();
        }
        for (int c = 2; c < 5; ++c)
            for (int i = 0; i < 6; ++i) {
                EditorRecord r = RandomRecord();
                r.Number = i;
                s_.Stock.Stores[static_cast<size_t>(c)].push_back(r);
                m_.Stores[static_cast<size_t>(c)].push_back(r);
            }
        ShowCategory(&s_, 2);
        m_.Show(2);
    }

    // One command chosen at random; returns its name for the failure message.
    std::string Step() {
        const int pick = Int(0, 27);
        switch (pick) {
            case 0: case 1: return Sort();
            case 2: return RestoreOrder();
            case 3: case 4: return Cut();
            case 5: return Copy();
            case 6: case 7: return Paste();
            case 8: return Add();
            case 9: case 10: return Edit();
            case 11: return Fix();
            case 12: case 13: return Drag();
            case 14: return Check();
            case 15: return Search();
            case 16: return CategoryTotal() > 12 ? Delete() : NewCategory();
            case 17: return Rename();
            case 18: return Delete();
            case 19: return TapFixed();
            case 20: return Choose();
            case 21: return Swipe();
            case 22: return CategoryTotal() > 12 ? Delete() : WorkCopy();
            case 23: return SetRow();
            case 24: return WorkList();
            case 25: return WorkList();
            default: return SaveAndLoad();
        }
    }

    // The implementation against the model, and the file's round trip.
    void Check(const std::string& step) {
        ASSERT_EQ(s_.Stock.Names, m_.Names) << step;
        ASSERT_EQ(s_.Stock.Fixed, m_.Fixed) << step;
        ASSERT_EQ(s_.Stock.Current, m_.Current) << step;
        for (size_t i = 0; i < m_.Names.size(); ++i) {
            const RecordList& store = s_.Stock.Stores[i];
            ASSERT_TRUE(SameRecords(store, m_.Stores[i])) << step << ": store " << i;
            for (size_t k = 0; k < store.size(); ++k) ASSERT_EQ(store[k].Number, static_cast<int32_t>(k)) << step;
        }
        for (size_t i = m_.Names.size(); i < kCategoryCapacity; ++i) ASSERT_TRUE(s_.Stock.Stores[i].empty()) << step;
        // The shown list is its category: each row is the store record its Number names.
        ASSERT_TRUE(SameRecords(s_.StockView, m_.Shown())) << step;
        for (size_t row = 0; row < m_.View.size(); ++row)
            ASSERT_EQ(s_.StockView[row].Number, static_cast<int32_t>(m_.View[row])) << step << ": row " << row;
        ASSERT_TRUE(SameRecords(s_.Work, m_.Work)) << step;
        ASSERT_TRUE(SameRecords(s_.Clipboard, m_.Clipboard)) << step;

        const std::string bytes = FormatStockFile(s_.Stock);
        Categories back;
        const StockParse parse = ParseStockFile(bytes, &back);
        ASSERT_TRUE(parse.CategoryFile) << step;
        ASSERT_EQ(parse.RefusedSections, 0) << step;
        ASSERT_EQ(FormatStockFile(back), bytes) << step;
        ASSERT_EQ(back.Names, m_.Names) << step;
        ASSERT_EQ(back.Fixed, m_.Fixed) << step;
        ASSERT_EQ(back.Current, m_.Current == kSearchCategory ? 0 : m_.Current) << step;
        for (size_t i = 0; i < m_.Names.size(); ++i)
            ASSERT_TRUE(SameRecords(back.Stores[i], i == kSearchCategory ? RecordList() : m_.Stores[i]))
                << step << ": category " << i << " after save and load";
    }

    int CategoryTotal() const { return static_cast<int>(m_.Names.size()); }

private:
    int Int(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
    bool Chance(int percent) { return Int(0, 99) < percent; }

    std::wstring Text(int maxLength, bool withBreaks) {
        static const wchar_t kChars[] = L"abcxyzABXYZ 019-_.[]()/\u00E9\u00FC\u00DF\u20AC\u0416\u6771\u4EAC";
        std::wstring t;
        const int n = Int(0, maxLength);
        for (int i = 0; i < n; ++i) {
            if (withBreaks && Chance(5)) {
                t.push_back(i % 2 ? L'\t' : L'\n');
                continue;
            }
            t.push_back(kChars[Int(0, static_cast<int>(sizeof kChars / sizeof kChars[0]) - 2)]);
        }
        return t;
    }

    // Values the file keeps exactly: two decimals, quarter hours, heights in range.
    EditorRecord RandomRecord() {
        static const wchar_t* kRules[] = {L"", L"", L"03/S2 02;11/S1 02", L"10/S1 02;04/S1 03", L"03/Se 01;10/Se 01"};
        EditorRecord r;
        r.Valid = Int(0, 1);
        r.Location = Text(12, false);
        r.Lat = Int(-9000, 9000) / 100.0;
        r.Lng = Int(-18000, 18000) / 100.0;
        r.Altitude = Int(0, 3) ? Int(0, 30000) : 0;
        r.Prominence = Chance(70) ? r.Altitude : Int(0, 30000);
        r.UtcGet = Int(0, 3);
        r.UtcMargin = Int(-96, 96) / 4.0;
        r.DST = kRules[Int(0, 4)];
        r.ExistDST = r.DST.empty() ? 0 : 1;
        r.Memo = Text(8, false);
        return r;
    }

    int List() { return Int(0, 2) ? kStockList : kWorkList; }
    int RowOf(int list) {
        const int n = static_cast<int>(list == kStockList ? m_.View.size() : m_.Work.size());
        return n == 0 || Chance(5) ? -1 : Int(0, n - 1);
    }
    std::vector<int> Rows(int list) {
        const int n = static_cast<int>(list == kStockList ? m_.View.size() : m_.Work.size());
        std::vector<int> rows;
        for (int i = 0; i < n; ++i)
            if (Chance(30)) rows.push_back(i);
        return rows;
    }
    // Changes made in the search results go their own way elsewhere; here
    // the walk only reads and copies them.
    bool ChangesStock() const { return m_.Current != kSearchCategory; }

    std::string Sort() {
        const int list = List(), key = Int(1, 6);
        if (list == kStockList && !ChangesStock()) return "none";
        const bool done = SortListBy(&s_, list, key);
        if (list == kWorkList) {
            ModelSort(&m_.Work, key, &m_.Flags[0][key], [](const EditorRecord& r) -> const EditorRecord& { return r; });
        } else if (m_.Editable()) {
            const RecordList& store = m_.Store();
            ModelSort(&m_.View, key, &m_.Flags[1][key], [&](size_t p) -> const EditorRecord& { return store[p]; });
        }
        EXPECT_EQ(done, list == kWorkList || m_.Editable());
        return "sort " + std::to_string(list) + " by " + std::to_string(key);
    }

    std::string RestoreOrder() {
        if (!ChangesStock()) return "none";
        if (RestoreStockOrder(&s_, kStockList)) m_.Show(m_.Current);
        return "header 0";
    }

    std::string Cut() {
        const int list = List();
        if (list == kStockList && !ChangesStock()) return "none";
        const std::vector<int> rows = Rows(list);
        CutRows(&s_, list, rows);
        if (list == kWorkList) {
            m_.Clipboard.clear();
            for (int r : rows) m_.Clipboard.push_back(m_.Work[static_cast<size_t>(r)]);
            for (auto it = rows.rbegin(); it != rows.rend(); ++it) m_.Work.erase(m_.Work.begin() + *it);
        } else if (m_.Editable()) {
            m_.Clipboard.clear();
            std::vector<bool> gone(m_.Store().size(), false);
            for (int r : rows) {
                m_.Clipboard.push_back(m_.Store()[m_.View[static_cast<size_t>(r)]]);
                gone[m_.View[static_cast<size_t>(r)]] = true;
            }
            std::vector<size_t> moved(gone.size());
            RecordList kept;
            for (size_t p = 0; p < gone.size(); ++p) {
                moved[p] = kept.size();
                if (!gone[p]) kept.push_back(m_.Store()[p]);
            }
            std::vector<size_t> view;
            for (size_t p : m_.View)
                if (!gone[p]) view.push_back(moved[p]);
            m_.Store() = kept;
            m_.View = view;
        }
        return "cut " + std::to_string(list) + " rows " + std::to_string(rows.size());
    }

    std::string Copy() {
        const int list = List();
        const std::vector<int> rows = Rows(list);
        CopyRows(&s_, list, rows);
        m_.Clipboard.clear();
        const RecordList shown = list == kStockList ? m_.Shown() : m_.Work;
        for (int r : rows) m_.Clipboard.push_back(shown[static_cast<size_t>(r)]);
        return "copy";
    }

    std::string Paste() {
        const int list = List();
        if (list == kStockList && !ChangesStock()) return "none";
        const int before = RowOf(list);
        PasteRows(&s_, list, before);
        if (m_.Clipboard.empty()) return "paste nothing";
        if (list == kWorkList) {
            m_.Work.insert(before < 0 ? m_.Work.end() : m_.Work.begin() + before, m_.Clipboard.begin(),
                           m_.Clipboard.end());
            std::fill(std::begin(m_.Flags[0]), std::end(m_.Flags[0]), 0);
        } else if (m_.Editable()) {
            std::vector<size_t> added;
            for (const EditorRecord& r : m_.Clipboard) {
                added.push_back(m_.Store().size());
                m_.Store().push_back(r);
            }
            m_.View.insert(before < 0 ? m_.View.end() : m_.View.begin() + before, added.begin(), added.end());
            std::fill(std::begin(m_.Flags[1]), std::end(m_.Flags[1]), 0);
        }
        return "paste " + std::to_string(list) + " before " + std::to_string(before);
    }

    std::string Add() {
        const int list = List();
        if (list == kStockList && !ChangesStock()) return "none";
        const int at = RowOf(list);
        const bool ok = Chance(80);
        const EditorRecord r = RandomRecord();
        if (BeginAdd(&s_, list)) {
            s_.DialogBuffer = r;
            s_.DialogConfirmed = ok;
            FinishAdd(&s_, list, at);
        }
        if (!ok) return "add cancelled";
        if (list == kWorkList) {
            m_.Work.insert(at < 0 ? m_.Work.end() : m_.Work.begin() + at, r);
            std::fill(std::begin(m_.Flags[0]), std::end(m_.Flags[0]), 0);
        } else if (m_.Editable()) {
            m_.View.insert(at < 0 ? m_.View.end() : m_.View.begin() + at, m_.Store().size());
            m_.Store().push_back(r);
            std::fill(std::begin(m_.Flags[1]), std::end(m_.Flags[1]), 0);
        }
        return "add";
    }

    std::string Edit() {
        const int list = List();
        if (list == kStockList && !ChangesStock()) return "none";
        const int row = RowOf(list);
        const bool ok = Chance(80);
        EditorRecord r = RandomRecord();
        if (BeginEditRow(&s_, list, row)) {
            if (Chance(30)) r = s_.DialogBuffer;  // OK without a change
            s_.DialogBuffer = r;
            s_.DialogConfirmed = ok;
            FinishEditRow(&s_, list, row);
        }
        if (!ok || row < 0) return "edit cancelled";
        if (list == kWorkList) {
            m_.Work[static_cast<size_t>(row)] = r;
        } else if (m_.Editable()) {
            m_.Store()[m_.View[static_cast<size_t>(row)]] = r;
        }
        return "edit " + std::to_string(list) + " row " + std::to_string(row);
    }

    void ModelFix() {
        m_.Store() = m_.Shown();
        m_.Show(m_.Current);
    }

    std::string Fix() {
        if (!ChangesStock()) return "none";
        FixStockOrder(&s_);
        if (m_.Editable()) ModelFix();
        return "fix";
    }

    std::string Drag() {
        const int list = List();
        if (list == kStockList && !ChangesStock()) return "none";
        const int from = RowOf(list);
        PenDown(&s_, list, 10, 10, from);
        std::vector<int> rows;
        for (int moves = Int(1, 4); moves > 0; --moves) {
            const int to = RowOf(list);
            PenMove(&s_, list, 10 + Int(-40, 40), 10, to, true);
            rows.push_back(to);
        }
        PenEnd(&s_, list);
        if (from < 0) return "drag from no row";
        if (list == kWorkList && std::find(rows.begin(), rows.end(), -1) != rows.end())
            rows.erase(std::find(rows.begin(), rows.end(), -1), rows.end());  // off the rows ends it
        if (list == kStockList && !m_.Editable()) return "drag refused";
        int at = from;
        for (int to : rows) {
            if (to < 0 || to == at) continue;
            auto move = [&](auto* v) {
                auto item = (*v)[static_cast<size_t>(at)];
                v->erase(v->begin() + at);
                v->insert(v->begin() + to, item);
            };
            if (list == kWorkList) {
                move(&m_.Work);
            } else {
                move(&m_.View);
            }
            at = to;
        }
        return "drag " + std::to_string(list);
    }

    std::string Check() {
        const int list = List();
        if (list == kStockList && !ChangesStock()) return "none";
        const int row = RowOf(list);
        ToggleCheck(&s_, list, row);
        if (row < 0) return "check no row";
        if (list == kWorkList) {
            m_.Work[static_cast<size_t>(row)].Valid ^= 1;
        } else if (m_.Editable()) {
            m_.Store()[m_.View[static_cast<size_t>(row)]].Valid ^= 1;
        }
        return "check";
    }

    std::string Search() {
        std::wstring text = Chance(10) ? std::wstring(kSearchName) : Text(2, false);
        const bool ran = SearchStock(&s_, text, false);
        const bool runs = !m_.View.empty() && !text.empty() && !Reserved(text);
        EXPECT_EQ(ran, runs);
        if (!runs) return "search refused";
        const std::wstring wanted = SearchUpper(text);
        RecordList hits;
        for (const EditorRecord& r : m_.Shown())
            if (SearchUpper(r.Location).find(wanted) != std::wstring::npos ||
                SearchUpper(r.Memo).find(wanted) != std::wstring::npos)
                hits.push_back(r);
        m_.Stores[kSearchCategory] = hits;
        m_.Show(kSearchCategory);
        return "search";
    }

    std::wstring SomeName() {
        if (Chance(10)) return kRegBakName;
        if (Chance(15)) return m_.Names[static_cast<size_t>(Int(0, CategoryTotal() - 1))];
        if (Chance(15)) {  // differs from a present name only by a tab
            std::wstring n = m_.Names[static_cast<size_t>(Int(0, CategoryTotal() - 1))];
            if (n.find(L' ') != std::wstring::npos) n[n.find(L' ')] = L'\t';
            return n;
        }
        return Text(10, true);
    }

    std::string NewCategory() {
        const std::wstring text = SomeName();
        const int result = AddCategoryFromText(&s_, text);
        const std::wstring name = TypedName(text);
        if (name.empty() || Reserved(name) || m_.Find(name) >= 0) {
            EXPECT_EQ(result, kCategoryUnchanged);
            return "new category refused";
        }
        if (CategoryTotal() >= kCategoryCapacity) {
            EXPECT_EQ(result, kCategoryFull);
            return "new category full";
        }
        EXPECT_EQ(result, kCategoryDone);
        m_.Names.push_back(name);
        m_.Fixed.push_back(0);
        m_.Stores.emplace_back();
        m_.Show(CategoryTotal() - 1);
        return "new category";
    }

    std::string Rename() {
        const std::wstring text = SomeName();
        RenameCurrentCategory(&s_, text);
        const std::wstring name = TypedName(text);
        if (m_.Current <= kSearchCategory || name.empty() || Reserved(name) || m_.Find(name) >= 0)
            return "rename refused";
        m_.Names[static_cast<size_t>(m_.Current)] = name;
        return "rename";
    }

    std::string Delete() {
        if (!ChangesStock()) return "none";
        const bool done = DeleteCurrentCategory(&s_);
        EXPECT_EQ(done, m_.Editable());
        if (!done) return "delete refused";
        const std::vector<int> before = m_.BoxOrder();
        const size_t place = static_cast<size_t>(std::find(before.begin(), before.end(), m_.Current) - before.begin());
        m_.Names.erase(m_.Names.begin() + m_.Current);
        m_.Fixed.erase(m_.Fixed.begin() + m_.Current);
        m_.Stores.erase(m_.Stores.begin() + m_.Current);
        const std::vector<int> after = m_.BoxOrder();
        m_.Show(place < after.size() ? after[place] : after.back());
        return "delete";
    }

    std::string TapFixed() {
        if (!ChangesStock()) return "none";
        TapFixedBox(&s_);
        if (m_.Current < 2) return "fixed box refused";
        int32_t& fixed = m_.Fixed[static_cast<size_t>(m_.Current)];
        if (fixed) {
            fixed = 0;
        } else {
            ModelFix();
            fixed = 1;
        }
        return "fixed box";
    }

    std::string Choose() {
        const int index = Int(0, CategoryTotal() - 1);
        ShowCategory(&s_, index);
        m_.Show(index);
        return "choose " + std::to_string(index);
    }

    std::string Swipe() {
        const bool right = Chance(50);
        PenDown(&s_, kStockList, 100, 10, RowOf(kStockList));
        PenMove(&s_, kStockList, right ? 100 + 81 : 100 - 81, 12, -1, true);
        const std::vector<int> box = m_.BoxOrder();
        const size_t at = static_cast<size_t>(std::find(box.begin(), box.end(), m_.Current) - box.begin());
        m_.Show(box[right ? (at + 1) % box.size() : (at + box.size() - 1) % box.size()]);
        return "swipe";
    }

    std::string WorkCopy() {
        const int result = CopyWorkToCategory(&s_);
        if (m_.Work.empty()) return "work copy of nothing";
        for (int n = 0; n < 1000; ++n) {
            const std::wstring name = kRegBakName + std::to_wstring(n);
            if (m_.Find(name) >= 0) continue;
            if (CategoryTotal() >= kCategoryCapacity) {
                EXPECT_EQ(result, kCategoryFull);
                return "work copy full";
            }
            m_.Names.push_back(name);
            m_.Fixed.push_back(0);
            m_.Stores.push_back(m_.Work);
            m_.Show(CategoryTotal() - 1);
            break;
        }
        return "work copy";
    }

    std::string SetRow() {
        if (Chance(30)) {
            AllSetToWork(&s_);
            if (!m_.View.empty()) {
                m_.Work = m_.Shown();
                std::fill(std::begin(m_.Flags[0]), std::end(m_.Flags[0]), 0);
            }
            return "all set";
        }
        const int row = RowOf(kStockList);
        SetToWork(&s_, row);
        if (row >= 0) {
            m_.Work.insert(m_.Work.begin(), m_.Shown()[static_cast<size_t>(row)]);
            std::fill(std::begin(m_.Flags[0]), std::end(m_.Flags[0]), 0);
        }
        return "set";
    }

    // Keeps the Work list from growing without end.
    std::string WorkList() {
        if (m_.Work.size() > 30) {
            s_.Work.resize(10);
            m_.Work.resize(10);
        }
        return "work trimmed";
    }

    // "Open" of the file just written: everything comes back as saved.
    std::string SaveAndLoad() {
        const std::string bytes = FormatStockFile(s_.Stock);
        ParseStockFile(bytes, &s_.Stock);
        ChooseOpenedCategory(&s_);
        m_.Stores[kSearchCategory].clear();
        int index = m_.Current == kSearchCategory ? 0 : m_.Current;
        if (CategoryTotal() >= 2 && index == 0) index = kSearchCategory;
        m_.Show(index);
        return "save and load";
    }

    EditorState s_;
    Model m_;
    std::mt19937 rng_;
};

}  // namespace

TEST(EditorModel, ARandomWalkOverTheCommandsKeepsListsCategoriesAndTheFileTrue) {
    int steps = 4000;
    if (const char* n = std::getenv("VELKARO_MODEL_STEPS")) steps = std::atoi(n);
    for (unsigned seed : {1u, 2u, 3u, 4u}) {
        Walk walk(seed);
        std::string step = "start";
        for (int i = 0; i < steps / 4; ++i) {
            walk.Check(step);
            if (::testing::Test::HasFatalFailure() || ::testing::Test::HasNonfatalFailure()) {
                ADD_FAILURE() << "seed " << seed << ", step " << i << ": " << step;
                return;
            }
            step = walk.Step();
        }
        walk.Check(step);
        EXPECT_GT(walk.CategoryTotal(), 3);
    }
}
