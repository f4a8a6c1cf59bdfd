// The editor's commands: editing and adding through the dialog buffer, the
// record clipboard, transfers, categories, the search and the registry undo.
#include <gtest/gtest.h>

#include "editor/commands.h"
#include "editor/stock_file.h"
#include "platform/registry.h"
#include "settings/location.h"
#include "settings/protocol.h"

using namespace velkaro;

namespace {

EditorRecord Rec(const std::wstring& name, double lat = 0, const std::wstring& memo = L"") {
    EditorRecord r;
    r.Valid = 1;
    r.Location = name;
    r.Lat = lat;
    r.Memo = memo;
    return r;
}

std::wstring Names(const RecordList& list) {
    std::wstring out;
    for (const EditorRecord& r : list) out += (out.empty() ? L"" : L",") + r.Location;
    return out;
}

std::wstring Numbers(const RecordList& list) {
    std::wstring out;
    for (const EditorRecord& r : list) out += std::to_wstring(r.Number);
    return out;
}

// _REG_BAK (two records), _SEARCH, Asia (2: five places), Fixed (3, fixed), Zeta (4).
EditorState Sample() {
    EditorState s;
    ResetCategories(&s.Stock);
    AddCategory(&s.Stock, L"Asia", 0);
    AddCategory(&s.Stock, L"Fixed", 1);
    AddCategory(&s.Stock, L"Zeta", 0);
    const wchar_t* asia[] = {L"Tokyo", L"Delhi", L"Osaka", L"Baku", L"Lhasa"};
    const double lat[] = {35.68, 28.61, 34.69, 40.41, 29.65};
    for (int i = 0; i < 5; ++i) {
        s.Stock.Stores[2].push_back(Rec(asia[i], lat[i]));
        s.Stock.Stores[2].back().Number = i;
    }
    s.Stock.Stores[3] = {Rec(L"Paris"), Rec(L"Rome")};
    s.Stock.Stores[3][1].Number = 1;
    s.Stock.Stores[0] = {Rec(L"Old")};
    s.Work = {Rec(L"w0"), Rec(L"w1"), Rec(L"w2")};
    ShowCategory(&s, 2);
    return s;
}

}  // namespace

TEST(EditorCommands, StockCutOnASortedViewRemovesExactlyThoseRecords) {
    EditorState s = Sample();
    ASSERT_TRUE(SortList(&s, kStockList, kSortLocation));  // Baku, Delhi, Lhasa, Osaka, Tokyo
    ASSERT_EQ(Names(s.StockView), L"Baku,Delhi,Lhasa,Osaka,Tokyo");
    EXPECT_TRUE(CutRows(&s, kStockList, {3, 1}));
    EXPECT_EQ(Names(s.Clipboard), L"Delhi,Osaka");  // in row order
    EXPECT_EQ(Names(s.StockView), L"Baku,Lhasa,Tokyo");
    const RecordList& store = s.Stock.Stores[2];
    EXPECT_EQ(Names(store), L"Tokyo,Baku,Lhasa");
    EXPECT_EQ(Numbers(store), L"012");
    for (const EditorRecord& r : s.Stock.Stores[2]) EXPECT_EQ(r.DeleteMark, 0);
    for (const EditorRecord& r : s.Clipboard) EXPECT_EQ(r.DeleteMark, 0);
    // Every shown row still points at its own store record.
    for (int row = 0; row < 3; ++row) {
        ASSERT_TRUE(BeginEditRow(&s, kStockList, row));
        s.DialogBuffer.Memo = L"edited " + std::to_wstring(row);
        s.DialogConfirmed = true;
        ASSERT_TRUE(FinishEditRow(&s, kStockList, row));
        const EditorRecord& shown = s.StockView[static_cast<size_t>(row)];
        EXPECT_EQ(store[static_cast<size_t>(shown.Number)].Location, shown.Location);
        EXPECT_EQ(store[static_cast<size_t>(shown.Number)].Memo, shown.Memo);
    }
}

TEST(EditorCommands, PasteTwiceAndWhereItGoes) {
    EditorState s = Sample();
    CopyRows(&s, kStockList, {0, 4, 9});  // a row past the end is ignored
    EXPECT_EQ(Names(s.Clipboard), L"Tokyo,Lhasa");
    EXPECT_TRUE(PasteRows(&s, kWorkList, 1));
    EXPECT_TRUE(PasteRows(&s, kWorkList, -1));
    EXPECT_EQ(Names(s.Work), L"w0,Tokyo,Lhasa,w1,w2,Tokyo,Lhasa");
    EXPECT_TRUE(PasteRows(&s, kStockList, 0));
    EXPECT_TRUE(PasteRows(&s, kStockList, 0));
    EXPECT_EQ(Names(s.StockView), L"Tokyo,Lhasa,Tokyo,Lhasa,Tokyo,Delhi,Osaka,Baku,Lhasa");
    EXPECT_EQ(Numbers(s.StockView), L"785601234");
    EXPECT_EQ(Names(s.Stock.Stores[2]), L"Tokyo,Delhi,Osaka,Baku,Lhasa,Tokyo,Lhasa,Tokyo,Lhasa");
    EXPECT_EQ(Numbers(s.Stock.Stores[2]), L"012345678");
    // Work cut takes the selected rows out, in row order, without renumbering.
    EXPECT_TRUE(CutRows(&s, kWorkList, {2, 0}));
    EXPECT_EQ(Names(s.Clipboard), L"w0,Lhasa");
    EXPECT_EQ(Names(s.Work), L"Tokyo,w1,w2,Tokyo,Lhasa");
    s.Clipboard.clear();
    EXPECT_FALSE(PasteRows(&s, kWorkList, 0));
}

TEST(EditorCommands, ReservedAndFixedCategoriesOnlyGiveRecordsAway) {
    for (int index : {kRegBakCategory, 3}) {
        EditorState s = Sample();
        ShowCategory(&s, index);
        const RecordList store = s.Stock.Stores[static_cast<size_t>(index)];
        s.Clipboard = {Rec(L"clip")};
        EXPECT_FALSE(CutRows(&s, kStockList, {0}));
        EXPECT_FALSE(PasteRows(&s, kStockList, 0));
        EXPECT_FALSE(BeginAdd(&s, kStockList));
        EXPECT_FALSE(FixStockOrder(&s));
        EXPECT_FALSE(DeleteCurrentCategory(&s));
        ASSERT_TRUE(BeginEditRow(&s, kStockList, 0));
        s.DialogBuffer.Location = L"changed";
        s.DialogConfirmed = true;
        EXPECT_FALSE(FinishEditRow(&s, kStockList, 0));  // viewing only
        EXPECT_TRUE(RowReadOnly(s, kStockList, 0));
        EXPECT_EQ(Names(s.Stock.Stores[static_cast<size_t>(index)]), Names(store));
        EXPECT_EQ(Names(s.StockView), Names(store));
        EXPECT_EQ(CategoryCount(s.Stock), 5);

        CopyRows(&s, kStockList, {0});
        EXPECT_EQ(Names(s.Clipboard), store[0].Location);
        EXPECT_TRUE(SetToWork(&s, 0));
        EXPECT_EQ(s.Work[0].Location, store[0].Location);
        EXPECT_TRUE(AllSetToWork(&s));
        EXPECT_EQ(Names(s.Work), Names(store));
    }
    EditorState s = Sample();
    ShowCategory(&s, kSearchCategory);  // empty: nothing to set
    EXPECT_FALSE(SetToWork(&s, 0));
    EXPECT_FALSE(AllSetToWork(&s));
    EXPECT_EQ(s.Work.size(), 3u);
}

TEST(EditorCommands, EditAndAddGoThroughTheBufferOnlyWhenConfirmed) {
    EditorState s = Sample();
    EXPECT_FALSE(BeginEditRow(&s, kWorkList, 3));
    ASSERT_TRUE(BeginEditRow(&s, kWorkList, 1));
    EXPECT_EQ(s.DialogBuffer.Location, L"w1");
    s.DialogBuffer.Location = L"cancelled";
    EXPECT_FALSE(FinishEditRow(&s, kWorkList, 1));
    EXPECT_EQ(s.Work[1].Location, L"w1");

    ASSERT_TRUE(BeginAdd(&s, kWorkList));
    EXPECT_EQ(s.DialogBuffer.Valid, 1);
    EXPECT_TRUE(s.DialogBuffer.Location.empty());
    s.DialogBuffer.Location = L"new";
    s.DialogConfirmed = true;
    EXPECT_TRUE(FinishAdd(&s, kWorkList, 1));
    EXPECT_EQ(Names(s.Work), L"w0,new,w1,w2");

    SortList(&s, kStockList, kSortLocation);
    ASSERT_TRUE(BeginAdd(&s, kStockList));
    s.DialogBuffer.Location = L"Kabul";
    s.DialogConfirmed = true;
    EXPECT_TRUE(FinishAdd(&s, kStockList, -1));
    EXPECT_EQ(s.StockView.back().Location, L"Kabul");
    EXPECT_EQ(s.StockView.back().Number, 5);
    EXPECT_EQ(s.Stock.Stores[2][5].Location, L"Kabul");
    EXPECT_EQ(s.SortFlags[1][kSortLocation], 0);  // the list is reset
}

TEST(EditorCommands, FixAndTheFixedBox) {
    EditorState s = Sample();
    SortList(&s, kStockList, kSortLat);
    EXPECT_TRUE(FixStockOrder(&s));
    EXPECT_EQ(Names(s.Stock.Stores[2]), L"Delhi,Lhasa,Osaka,Tokyo,Baku");
    EXPECT_EQ(Numbers(s.Stock.Stores[2]), L"01234");
    EXPECT_EQ(Numbers(s.StockView), L"01234");
    // The box commits the shown order when it fixes.
    SortList(&s, kStockList, kSortLocation);
    EXPECT_EQ(TapFixedBox(&s), 1);
    EXPECT_EQ(Names(s.Stock.Stores[2]), L"Baku,Delhi,Lhasa,Osaka,Tokyo");
    EXPECT_FALSE(IsEditable(s.Stock, 2));
    EXPECT_EQ(TapFixedBox(&s), 0);
    EXPECT_TRUE(IsEditable(s.Stock, 2));
    ShowCategory(&s, kRegBakCategory);
    EXPECT_EQ(TapFixedBox(&s), -1);
    EXPECT_EQ(s.Stock.Fixed[0], 1);
    ShowCategory(&s, kSearchCategory);
    EXPECT_EQ(TapFixedBox(&s), -1);
    EXPECT_EQ(s.Stock.Fixed[1], 0);
}

TEST(EditorCommands, NewAndRenamedCategories) {
    EditorState s = Sample();
    for (const wchar_t* refused : {L"", L"Asia", L"_SEARCH", L"_REG_BAK"})
        EXPECT_EQ(AddCategoryFromText(&s, refused), kCategoryUnchanged) << refused;
    EXPECT_EQ(CategoryCount(s.Stock), 5);
    EXPECT_EQ(AddCategoryFromText(&s, L"Europe"), kCategoryDone);
    EXPECT_EQ(s.Stock.Current, 5);
    EXPECT_TRUE(s.StockView.empty());
    EXPECT_EQ(FindCategory(s.Stock, L"Europe"), 5);
    // A name longer than a record's text is cut, so the file gives it back.
    EXPECT_EQ(AddCategoryFromText(&s, std::wstring(1023, L'n')), kCategoryDone);
    EXPECT_EQ(s.Stock.Names[6].size(), 259u);

    EXPECT_EQ(RenameCurrentCategory(&s, L"Asia"), kCategoryUnchanged);
    EXPECT_EQ(RenameCurrentCategory(&s, L"Longer"), kCategoryDone);
    EXPECT_EQ(FindCategory(s.Stock, L"Longer"), 6);
    EXPECT_EQ(s.Stock.NameIndex.count(std::wstring(259, L'n')), 0u);
    ShowCategory(&s, kSearchCategory);
    EXPECT_EQ(RenameCurrentCategory(&s, L"Found"), kCategoryUnchanged);
    EXPECT_EQ(s.Stock.Names[1], L"_SEARCH");
    ShowCategory(&s, 3);  // a fixed category can be renamed
    EXPECT_EQ(RenameCurrentCategory(&s, L"Kept"), kCategoryDone);

    // A tab or line break could not be written in a name: it is a blank from
    // the start, so two names never become one in the file.
    EXPECT_EQ(AddCategoryFromText(&s, L"New\tZealand"), kCategoryDone);
    EXPECT_EQ(s.Stock.Names.back(), L"New Zealand");
    EXPECT_EQ(AddCategoryFromText(&s, L"New Zealand"), kCategoryUnchanged);
    EXPECT_EQ(RenameCurrentCategory(&s, L"Aotea\nroa"), kCategoryDone);
    EXPECT_EQ(AddCategoryFromText(&s, L"Aotea roa"), kCategoryUnchanged);
    Categories back;
    ParseStockFile(FormatStockFile(s.Stock), &back);
    EXPECT_EQ(back.Names, s.Stock.Names);

    while (CategoryCount(s.Stock) < kCategoryCapacity)
        AddCategoryFromText(&s, L"c" + std::to_wstring(CategoryCount(s.Stock)));
    EXPECT_EQ(AddCategoryFromText(&s, L"one too many"), kCategoryFull);
    EXPECT_EQ(CopyWorkToCategory(&s), kCategoryFull);
    EXPECT_EQ(CategoryCount(s.Stock), kCategoryCapacity);
}

TEST(EditorCommands, DeletingCategoriesMovesTheRestDown) {
    EditorState s = Sample();  // box order: Asia, Fixed, Zeta, _REG_BAK, _SEARCH
    AddCategory(&s.Stock, L"Beta", 0);  // index 5
    s.Stock.Stores[5] = {Rec(L"b")};
    ShowCategory(&s, 2);
    EXPECT_TRUE(DeleteCurrentCategory(&s));
    EXPECT_EQ(s.Stock.Names, (std::vector<std::wstring>{L"_REG_BAK", L"_SEARCH", L"Fixed", L"Zeta", L"Beta"}));
    EXPECT_EQ(s.Stock.Fixed, (std::vector<int32_t>{1, 0, 1, 0, 0}));
    EXPECT_EQ(Names(s.Stock.Stores[2]), L"Paris,Rome");
    EXPECT_EQ(Names(s.Stock.Stores[4]), L"b");
    EXPECT_TRUE(s.Stock.Stores[5].empty());
    EXPECT_EQ(FindCategory(s.Stock, L"Beta"), 4);
    // Asia was first in the box: Beta takes its place there.
    EXPECT_EQ(s.Stock.Current, 4);
    EXPECT_EQ(Names(s.StockView), L"b");

    // The last entry of its kind: "Zeta" sorts before "_REG_BAK", so delete
    // the last name in box order by making one sort after the reserved ones.
    AddCategory(&s.Stock, L"zz", 0);
    ShowCategory(&s, FindCategory(s.Stock, L"zz"));
    EXPECT_TRUE(DeleteCurrentCategory(&s));
    EXPECT_EQ(s.Stock.Current, kSearchCategory);  // the entry before it

    EXPECT_FALSE(DeleteCurrentCategory(&s));  // _SEARCH stays
    EXPECT_EQ(s.Stock.Names[1], L"_SEARCH");
}

TEST(EditorCommands, WorkCopyTakesTheFirstFreeNumber) {
    EditorState s = Sample();
    AddCategory(&s.Stock, L"_REG_BAK0", 0);
    AddCategory(&s.Stock, L"_REG_BAK1", 0);
    SortList(&s, kWorkList, kSortLocation);
    s.Work[0].Number = 7;
    EXPECT_EQ(CopyWorkToCategory(&s), kCategoryDone);
    const int index = FindCategory(s.Stock, L"_REG_BAK2");
    ASSERT_EQ(index, 7);
    EXPECT_EQ(s.Stock.Current, index);
    EXPECT_EQ(s.Stock.Fixed[7], 0);
    EXPECT_EQ(Names(s.StockView), L"w0,w1,w2");
    EXPECT_EQ(Numbers(s.Stock.Stores[7]), L"012");
    s.Work.clear();
    EXPECT_EQ(CopyWorkToCategory(&s), kCategoryUnchanged);
}

TEST(EditorCommands, SearchFindsNamesAndMemosInAnyCase) {
    EditorState s = Sample();
    s.Stock.Stores[2][3].Memo = L"a TOKEN of thanks";
    s.Stock.Stores[2][1].Location = L"M\u00fcnchen";
    ShowCategory(&s, 2);
    EXPECT_FALSE(SearchStock(&s, L"tok", true));  // a chosen entry is no search
    EXPECT_FALSE(SearchStock(&s, L"", false));
    EXPECT_FALSE(SearchStock(&s, L"_SEARCH", false));
    EXPECT_EQ(s.Stock.Current, 2);
    EXPECT_TRUE(SearchStock(&s, L"tok", false));
    EXPECT_EQ(s.Stock.Current, kSearchCategory);
    EXPECT_EQ(Names(s.StockView), L"Tokyo,Baku");
    EXPECT_EQ(Numbers(s.Stock.Stores[kSearchCategory]), L"01");
    // The hits may be searched again; earlier hits are replaced.
    EXPECT_TRUE(SearchStock(&s, L"BAK", false));
    EXPECT_EQ(Names(s.StockView), L"Baku");
    ShowCategory(&s, 2);
    EXPECT_TRUE(SearchStock(&s, L"M\u00dcN", false));
    EXPECT_EQ(Names(s.StockView), L"M\u00fcnchen");
    EXPECT_EQ(SearchUpper(L"a\u00e9\u00ff\u0101\u013a\u03c2\u0436\u0451\uff41\u6771"),
              L"A\u00c9\u0178\u0100\u0139\u03a3\u0416\u0401\uff21\u6771");
    ShowCategory(&s, kSearchCategory);
    s.Stock.Stores[kSearchCategory].clear();
    ShowCategory(&s, kSearchCategory);
    EXPECT_FALSE(SearchStock(&s, L"tok", false));  // nothing shown to search
}

TEST(EditorCommands, TwoRegistryUndosRestoreTheFirstState) {
    RegClearAll();
    RegKey k;
    ASSERT_TRUE(RegCreate(kSettingsKey, &k));
    RegClose(k);
    EditorState s = Sample();
    s.Work = {Rec(L"before0"), Rec(L"before1")};
    WriteRegistrySlots(s.Work, s.Altitude);
    EditorState fresh = Sample();
    fresh.Stock.Stores[kRegBakCategory].clear();
    EXPECT_FALSE(UndoRegistryWrite(&fresh, nullptr));  // nothing kept yet

    s.Work = {Rec(L"after")};
    WriteWorkWithBackup(&s, false, nullptr);
    auto slot = [](int n) {
        RegKey key;
        std::wstring v = L"<none>";
        if (RegOpen(SlotKeyPath(n), &key)) {
            RegReadText(key, L"Location", &v, 300);
            RegClose(key);
        }
        return v;
    };
    ASSERT_EQ(slot(0), L"after");
    LocationTable first;
    ASSERT_TRUE(LoadLocationSlots(&first));
    int posts = 0;
    const Announce count = [&](const std::wstring&, unsigned) { ++posts; };
    EXPECT_TRUE(UndoRegistryWrite(&s, count));
    EXPECT_EQ(s.Stock.Current, kRegBakCategory);
    EXPECT_EQ(slot(0), L"before0");
    EXPECT_EQ(slot(1), L"before1");
    EXPECT_EQ(s.StockView[0].Location, L"after");  // what the undo overwrote
    EXPECT_TRUE(UndoRegistryWrite(&s, count));
    EXPECT_EQ(s.Work[0].Location, L"after");
    // What the item reads is as before the first undo (cleared slots now hold
    // their zero values instead of none).
    LocationTable now;
    ASSERT_TRUE(LoadLocationSlots(&now));
    for (int n = 0; n < kSlotCount; ++n) {
        EXPECT_EQ(now[n].Valid, first[n].Valid) << n;
        EXPECT_EQ(now[n].Location, first[n].Location) << n;
        EXPECT_EQ(now[n].Lat, first[n].Lat) << n;
        EXPECT_EQ(now[n].DST, first[n].DST) << n;
    }
    EXPECT_EQ(posts, 2);
    RegClearAll();
}

TEST(EditorCommands, AnOpenedFileShowsSearchForIndexZero) {
    EditorState s = Sample();
    s.Stock.Current = 0;
    ChooseOpenedCategory(&s);
    EXPECT_EQ(s.Stock.Current, kSearchCategory);
    s.Stock.Current = 3;
    ChooseOpenedCategory(&s);
    EXPECT_EQ(s.Stock.Current, 3);
    EXPECT_EQ(Names(s.StockView), L"Paris,Rome");
    s.Stock.Current = 42;
    ChooseOpenedCategory(&s);
    EXPECT_EQ(s.Stock.Current, 0);
}

TEST(EditorCommands, ReadOnlyCategoriesSayWhyEveryChangeIsRefused) {
    for (int index : {kRegBakCategory, 3}) {
        EditorState s = Sample();
        ShowCategory(&s, index);
        s.Clipboard = {Rec(L"clip")};
        const std::wstring name = s.Stock.Names[static_cast<size_t>(index)];
        auto refused = [&](bool result) {
            const bool told = !result && s.Refused == kRefusedReadOnly && s.RefusedCategory == index &&
                              RefusalText(s).find(L"\"" + name + L"\" is read-only") == 0;
            s.Refused = kRefusedNone;
            return told;
        };
        EXPECT_TRUE(refused(CutRows(&s, kStockList, {0})));
        EXPECT_TRUE(refused(PasteRows(&s, kStockList, 0)));
        EXPECT_TRUE(refused(BeginAdd(&s, kStockList)));
        EXPECT_TRUE(refused(FixStockOrder(&s)));
        EXPECT_TRUE(refused(SortList(&s, kStockList, kSortLocation)));
        EXPECT_TRUE(refused(ToggleCheck(&s, kStockList, 0)));
        PenDown(&s, kStockList, 10, 10, 0);
        PenMove(&s, kStockList, 10, 30, 1, true);
        EXPECT_TRUE(refused(PenUp(&s, kStockList, 10, 30, 1, 2)));
        EXPECT_EQ(s.StockView[0].Valid, 1);
        // Copying and viewing say nothing.
        CopyRows(&s, kStockList, {0});
        ASSERT_TRUE(BeginEditRow(&s, kStockList, 0));
        EXPECT_EQ(s.Refused, kRefusedNone);
        EXPECT_EQ(MayDeleteCategory(&s), false);
        EXPECT_EQ(s.Refused, index == kRegBakCategory ? kRefusedReserved : kRefusedReadOnly);
    }
    EditorState s = Sample();
    ShowCategory(&s, kSearchCategory);
    EXPECT_FALSE(MayDeleteCategory(&s));
    EXPECT_EQ(RefusalText(s), L"\"_SEARCH\" belongs to the editor: it cannot be fixed, renamed or deleted.");
    s.Refused = kRefusedNone;
    EXPECT_EQ(RenameCurrentCategory(&s, L"Hits"), kCategoryUnchanged);
    EXPECT_EQ(s.Refused, kRefusedReserved);
    ShowCategory(&s, kRegBakCategory);
    s.Refused = kRefusedNone;
    EXPECT_EQ(TapFixedBox(&s), -1);
    EXPECT_NE(RefusalText(s).find(L"\"_REG_BAK\" belongs to the editor and is read-only"), std::wstring::npos);
    ShowCategory(&s, 2);  // an open category refuses nothing
    s.Refused = kRefusedNone;
    EXPECT_TRUE(MayDeleteCategory(&s));
    EXPECT_TRUE(SortList(&s, kStockList, kSortLocation));
    EXPECT_FALSE(RowReadOnly(s, kStockList, 0));
    EXPECT_FALSE(RowReadOnly(s, kWorkList, 0));
    EXPECT_EQ(s.Refused, kRefusedNone);
    EXPECT_EQ(RefusalText(s), L"");
}

TEST(EditorCommands, EditsAndCheckMarksInSearchHitsReachTheirPlaces) {
    EditorState s = Sample();
    SortList(&s, kStockList, kSortLocation);  // the view's order is not the store's
    ASSERT_TRUE(SearchStock(&s, L"a", false));
    ASSERT_EQ(Names(s.StockView), L"Baku,Lhasa,Osaka");
    // An edit of a hit reaches its store record, and stays in the hits.
    ASSERT_TRUE(BeginEditRow(&s, kStockList, 1));
    s.DialogBuffer.Location = L"Lhasa (Tibet)";
    s.DialogBuffer.Memo = L"3650 m";
    s.DialogConfirmed = true;
    ASSERT_TRUE(FinishEditRow(&s, kStockList, 1));
    EXPECT_EQ(s.Stock.Stores[2][4].Location, L"Lhasa (Tibet)");
    EXPECT_EQ(s.Stock.Stores[2][4].Memo, L"3650 m");
    EXPECT_EQ(s.Stock.Stores[2][4].Number, 4);
    EXPECT_EQ(s.Stock.Stores[2][4].FoundIn, -1);
    EXPECT_EQ(s.Stock.Stores[kSearchCategory][1].Location, L"Lhasa (Tibet)");
    EXPECT_EQ(s.StockView[1].Number, 1);
    // A check mark too, and again after the edit.
    ASSERT_TRUE(ToggleCheck(&s, kStockList, 1));
    ASSERT_TRUE(ToggleCheck(&s, kStockList, 0));
    EXPECT_EQ(s.Stock.Stores[2][4].Valid, 0);
    EXPECT_EQ(s.Stock.Stores[2][3].Valid, 0);  // Baku
    EXPECT_EQ(s.Stock.Stores[2][2].Valid, 1);  // Osaka untouched
    EXPECT_EQ(s.StockView[0].Valid, 0);
    // A search within the hits still knows where they came from.
    ASSERT_TRUE(SearchStock(&s, L"osa", false));
    ASSERT_TRUE(ToggleCheck(&s, kStockList, 0));
    EXPECT_EQ(s.Stock.Stores[2][2].Valid, 0);
    ShowCategory(&s, 2);
    EXPECT_EQ(Names(s.StockView), L"Tokyo,Delhi,Osaka,Baku,Lhasa (Tibet)");

    // Adding, cutting and pasting in the hits would reach no category.
    ShowCategory(&s, kSearchCategory);
    s.Clipboard = {Rec(L"clip")};
    EXPECT_FALSE(BeginAdd(&s, kStockList));
    EXPECT_EQ(s.Refused, kRefusedSearchList);
    EXPECT_FALSE(CutRows(&s, kStockList, {0}));
    EXPECT_FALSE(PasteRows(&s, kStockList, 0));
    EXPECT_EQ(Names(s.StockView), L"Osaka");
    EXPECT_NE(RefusalText(s).find(L"add, cut and paste"), std::wstring::npos);
}

TEST(EditorCommands, SearchHitsWhoseCategoryIsReadOnlyOrChangedAreRefused) {
    EditorState s = Sample();
    ShowCategory(&s, 3);  // Fixed
    ASSERT_TRUE(SearchStock(&s, L"r", false));  // Paris, Rome
    EXPECT_TRUE(RowReadOnly(s, kStockList, 0));  // opens for viewing only
    EXPECT_FALSE(ToggleCheck(&s, kStockList, 1));
    EXPECT_EQ(s.Refused, kRefusedHitReadOnly);
    EXPECT_EQ(RefusalText(s), L"This place was found in \"Fixed\", which is read-only: the change is not made.");
    EXPECT_EQ(s.Stock.Stores[3][1].Valid, 1);
    EXPECT_EQ(s.StockView[1].Valid, 1);

    // Found in Asia; Asia changed since: a cut renumbers it.
    ShowCategory(&s, 2);
    ASSERT_TRUE(SearchStock(&s, L"a", false));  // Osaka (2), Baku (3), Lhasa (4)
    ShowCategory(&s, 2);
    ASSERT_TRUE(CutRows(&s, kStockList, {0}));  // Tokyo goes; Baku is now 2
    ShowCategory(&s, kSearchCategory);
    ASSERT_TRUE(BeginEditRow(&s, kStockList, 0));  // Osaka, found as 2
    s.DialogBuffer.Location = L"Osaka-shi";
    s.DialogConfirmed = true;
    s.Refused = kRefusedNone;
    EXPECT_FALSE(FinishEditRow(&s, kStockList, 0));
    EXPECT_EQ(s.Refused, kRefusedHitChanged);
    EXPECT_NE(RefusalText(s).find(L"\"Asia\" since the search"), std::wstring::npos);
    EXPECT_EQ(Names(s.Stock.Stores[2]), L"Delhi,Osaka,Baku,Lhasa");
    EXPECT_EQ(s.StockView[0].Location, L"Osaka");

    // A category deleted before the hits' own: they follow it to its new index.
    ShowCategory(&s, 4);  // Zeta
    s.Stock.Stores[4] = {Rec(L"Zagreb")};
    ShowCategory(&s, 4);
    ASSERT_TRUE(SearchStock(&s, L"z", false));
    ShowCategory(&s, 2);
    ASSERT_TRUE(DeleteCurrentCategory(&s));  // Asia goes; Zeta becomes 3
    ShowCategory(&s, kSearchCategory);
    ASSERT_TRUE(ToggleCheck(&s, kStockList, 0));
    EXPECT_EQ(s.Stock.Names[3], L"Zeta");
    EXPECT_EQ(s.Stock.Stores[3][0].Valid, 0);
}
