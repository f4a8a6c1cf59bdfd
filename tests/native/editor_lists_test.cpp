// The editor's lists: sorting, header 0, the check mark, dragging, swiping,
// categories and what the main window places where.
#include <gtest/gtest.h>

#include "editor/editor.h"
#include "editor/view.h"

using namespace velkaro;

namespace {

EditorRecord Rec(const std::wstring& name, int valid = 1, double margin = 0, const std::wstring& memo = L"") {
    EditorRecord r;
    r.Location = name;
    r.Valid = valid;
    r.UtcMargin = margin;
    r.Memo = memo;
    return r;
}

std::wstring Names(const RecordList& list) {
    std::wstring out;
    for (const EditorRecord& r : list) out += (out.empty() ? L"" : L",") + r.Location;
    return out;
}

// Categories _REG_BAK, _SEARCH, Alpha (2), Beta (3, fixed), Gamma (4); Alpha current.
EditorState Sample() {
    EditorState s;
    ResetCategories(&s.Stock);
    AddCategory(&s.Stock, L"Alpha", 0);
    AddCategory(&s.Stock, L"Beta", 1);
    AddCategory(&s.Stock, L"Gamma", 0);
    const wchar_t* alpha[] = {L"Osaka", L"Tokyo", L"Kobe", L"Nara"};
    for (int i = 0; i < 4; ++i) {
        EditorRecord r = Rec(alpha[i], i % 2, i == 3 ? -2 : 9 - i);
        r.Number = i;
        s.Stock.Stores[2].push_back(r);
    }
    s.Stock.Stores[3] = {Rec(L"Paris"), Rec(L"Berlin")};
    s.Stock.Stores[3][1].Number = 1;
    s.Stock.Stores[0] = {Rec(L"Old"), Rec(L"Older")};
    s.Stock.Stores[0][1].Number = 1;
    ShowCategory(&s, 2);
    return s;
}

}  // namespace

TEST(EditorSort, NameAscendsFirstThenReversesAndHeaderZeroRestores) {
    EditorState s = Sample();
    ASSERT_TRUE(SortListBy(&s, kStockList, kSortLocation));
    EXPECT_EQ(Names(s.StockView), L"Kobe,Nara,Osaka,Tokyo");
    ASSERT_TRUE(SortListBy(&s, kStockList, kSortLocation));
    EXPECT_EQ(Names(s.StockView), L"Tokyo,Osaka,Nara,Kobe");
    EXPECT_EQ(Names(s.Stock.Stores[2]), L"Osaka,Tokyo,Kobe,Nara");  // the store keeps its order
    ASSERT_TRUE(RestoreStockOrder(&s, kStockList));
    EXPECT_EQ(Names(s.StockView), L"Osaka,Tokyo,Kobe,Nara");
    // Flags were reset: the next sort is ascending again.
    SortListBy(&s, kStockList, kSortLocation);
    EXPECT_EQ(Names(s.StockView), L"Kobe,Nara,Osaka,Tokyo");
}

TEST(EditorSort, CheckColumnPutsCheckedFirstAndIsStable) {
    EditorState s = Sample();  // Valid: Osaka 0, Tokyo 1, Kobe 0, Nara 1
    SortListBy(&s, kStockList, kSortValid);
    EXPECT_EQ(Names(s.StockView), L"Tokyo,Nara,Osaka,Kobe");
    SortListBy(&s, kStockList, kSortValid);
    EXPECT_EQ(Names(s.StockView), L"Osaka,Kobe,Tokyo,Nara");
    // Equal keys keep their order through a sort on another key.
    s.Work = {Rec(L"b", 1, 1), Rec(L"a", 1, 1), Rec(L"c", 1, 0)};
    SortListBy(&s, kWorkList, kSortMargin);
    EXPECT_EQ(Names(s.Work), L"c,b,a");
}

TEST(EditorSort, EachListAndKeyHasItsOwnDirection) {
    EditorState s = Sample();
    s.Work = {Rec(L"b", 1, 5), Rec(L"a", 1, -3), Rec(L"c", 1, 1)};
    SortListBy(&s, kWorkList, kSortMargin);
    EXPECT_EQ(Names(s.Work), L"a,c,b");
    SortListBy(&s, kStockList, kSortMargin);  // the Stock flag is untouched by the Work sort
    EXPECT_EQ(Names(s.StockView), L"Nara,Kobe,Tokyo,Osaka");
    SortListBy(&s, kWorkList, kSortLocation);  // a new key starts ascending
    EXPECT_EQ(Names(s.Work), L"a,b,c");
    SortListBy(&s, kWorkList, kSortMargin);
    EXPECT_EQ(Names(s.Work), L"b,c,a");
    // Texts compare by code units: a prefix is smaller, capitals before small letters.
    s.Work = {Rec(L"ab"), Rec(L"a"), Rec(L"B")};
    ResetSortFlags(&s, kWorkList);
    SortListBy(&s, kWorkList, kSortLocation);
    EXPECT_EQ(Names(s.Work), L"B,a,ab");
    EXPECT_FALSE(RestoreStockOrder(&s, kWorkList));  // header 0 of the Work list does nothing
}

TEST(EditorSort, ReservedAndFixedCategoriesNeverChange) {
    for (int category : {0, 3}) {
        EditorState s = Sample();
        ShowCategory(&s, category);
        const std::wstring before = Names(s.StockView);
        EXPECT_FALSE(SortListBy(&s, kStockList, kSortLocation));
        EXPECT_FALSE(RestoreStockOrder(&s, kStockList));
        EXPECT_FALSE(ToggleCheck(&s, kStockList, 0));
        PenDown(&s, kStockList, 10, 10, 0);
        EXPECT_FALSE(PenMove(&s, kStockList, 12, 30, 1, true).Moved);
        EXPECT_EQ(Names(s.StockView), before);
        EXPECT_EQ(s.StockView[0].Valid, 1);
        EXPECT_EQ(s.Stock.Stores[category][0].Valid, 1);
    }
}

TEST(EditorCheck, StockToggleReachesTheStoreRecordByNumber) {
    EditorState s = Sample();
    SortListBy(&s, kStockList, kSortLocation);  // Kobe, Nara, Osaka, Tokyo
    ASSERT_TRUE(ToggleCheck(&s, kStockList, 0));
    EXPECT_EQ(s.StockView[0].Valid, 1);
    EXPECT_EQ(s.Stock.Stores[2][2].Valid, 1);  // Kobe is store record 2
    EXPECT_EQ(s.Stock.Stores[2][0].Valid, 0);
    EXPECT_FALSE(ToggleCheck(&s, kStockList, 4));
    s.Work = {Rec(L"w", 1)};
    ASSERT_TRUE(ToggleCheck(&s, kWorkList, 0));
    EXPECT_EQ(s.Work[0].Valid, 0);
}

TEST(EditorCheck, OnlyATapInTheCheckColumnFlipsAndNeverTheEndOfADragOrSwipe) {
    for (int list : {kWorkList, kStockList}) {
        SCOPED_TRACE(list);
        EditorState s = Sample();
        s.Scale = 2;
        s.Work = {Rec(L"Osaka", 0), Rec(L"Tokyo", 1), Rec(L"Kobe", 0), Rec(L"Nara", 1)};
        RecordList& rows = ListOf(&s, list);
        // A tap, with the pen straying less than the tolerance: flips.
        PenDown(&s, list, 40, 10, 1);
        PenMove(&s, list, 40 + kTapTolerance * 2, 12, 1, true);
        EXPECT_TRUE(PenUp(&s, list, 41, 10, 1, 1));
        EXPECT_EQ(rows[1].Valid, 0);
        // A tap in another column: nothing.
        PenDown(&s, list, 100, 10, 1);
        EXPECT_FALSE(PenUp(&s, list, 100, 10, 1, 2));
        EXPECT_EQ(rows[1].Valid, 0);
        // A drag from row 0 to row 2, let go over row 2's check column.
        PenDown(&s, list, 100, 5, 0);
        EXPECT_TRUE(PenMove(&s, list, 100, 45, 2, true).Moved);
        EXPECT_FALSE(PenUp(&s, list, 40, 45, 2, 1));
        EXPECT_EQ(Names(rows), L"Tokyo,Kobe,Osaka,Nara");
        EXPECT_EQ(rows[2].Valid, 0);
        // A stroke within one row that strays too far is no tap either.
        PenDown(&s, list, 40, 10, 1);
        PenMove(&s, list, 40, 10 + kTapTolerance * 2 + 1, 1, true);
        EXPECT_FALSE(PenUp(&s, list, 40, 10, 1, 1));
        // Down on one row and up on another without a move reported.
        PenDown(&s, list, 40, 10, 1);
        EXPECT_FALSE(PenUp(&s, list, 40, 12, 2, 1));
        // Pen up after the gesture ended over the window: no tap.
        PenDown(&s, list, 40, 10, 1);
        PenEnd(&s, list);
        EXPECT_FALSE(PenUp(&s, list, 40, 10, 1, 1));
        EXPECT_EQ(rows[1].Valid, 0);  // Kobe, never flipped
    }
    // A swipe from Beta that ends over Gamma's check column.
    EditorState s = Sample();
    s.Stock.Stores[4] = {Rec(L"Rome")};
    ShowCategory(&s, 3);
    PenDown(&s, kStockList, 10, 5, 0);
    EXPECT_TRUE(PenMove(&s, kStockList, 200, 5, 0, true).Swiped);
    EXPECT_FALSE(PenUp(&s, kStockList, 30, 5, 0, 1));
    EXPECT_EQ(s.Stock.Current, 4);
    EXPECT_EQ(s.StockView[0].Valid, 1);
    EXPECT_EQ(s.Stock.Stores[4][0].Valid, 1);
}

TEST(EditorDrag, WorkRecordFollowsThePenUntilItLeavesTheRows) {
    EditorState s = Sample();
    s.Work = {Rec(L"a"), Rec(L"b"), Rec(L"c"), Rec(L"d")};
    PenDown(&s, kWorkList, 5, 5, 0);
    EXPECT_EQ(s.LastTouched, kWorkList);
    PenStep step = PenMove(&s, kWorkList, 5, 40, 2, true);
    EXPECT_TRUE(step.Moved);
    EXPECT_EQ(step.NewRow, 2);
    EXPECT_EQ(Names(s.Work), L"b,c,a,d");
    EXPECT_FALSE(PenMove(&s, kWorkList, 5, 41, 2, true).Moved);  // same row
    PenMove(&s, kWorkList, 5, 10, 0, true);
    EXPECT_EQ(Names(s.Work), L"a,b,c,d");
    EXPECT_TRUE(PenMove(&s, kWorkList, 5, 900, -1, true).Ended);  // off the rows
    EXPECT_FALSE(PenMove(&s, kWorkList, 5, 40, 3, true).Moved);
    PenDown(&s, kWorkList, 5, 900, -1);  // pen down below the rows starts nothing
    EXPECT_FALSE(PenMove(&s, kWorkList, 5, 40, 3, true).Moved);
    EXPECT_EQ(Names(s.Work), L"a,b,c,d");
    // No sideways swipe in the Work list: a wide move is still a drag.
    PenDown(&s, kWorkList, 0, 5, 0);
    PenMove(&s, kWorkList, 400, 5, 1, true);
    EXPECT_EQ(Names(s.Work), L"b,a,c,d");
}

TEST(EditorDrag, StockDragMovesOnlyTheViewAndNeedsARow) {
    EditorState s = Sample();
    PenDown(&s, kStockList, 5, 5, 3);
    EXPECT_EQ(s.LastTouched, kStockList);
    EXPECT_FALSE(PenMove(&s, kStockList, 5, 900, -1, true).Ended);  // off the rows: ignored
    EXPECT_TRUE(PenMove(&s, kStockList, 5, 5, 0, true).Moved);
    EXPECT_EQ(Names(s.StockView), L"Nara,Osaka,Tokyo,Kobe");
    EXPECT_EQ(s.StockView[0].Number, 3);
    EXPECT_EQ(Names(s.Stock.Stores[2]), L"Osaka,Tokyo,Kobe,Nara");
    EXPECT_TRUE(PenMove(&s, kStockList, 5, 5, 1, false).Ended);  // moved without the button
    PenDown(&s, kStockList, 5, 900, -1);
    EXPECT_FALSE(PenMove(&s, kStockList, 5, 5, 1, true).Moved);
}

TEST(EditorSwipe, MoreThanEightyScaledPixelsSwitchesCategory) {
    for (int scale : {1, 2}) {
        EditorState s = Sample();
        s.Scale = scale;
        PenDown(&s, kStockList, 100, 50, 0);
        PenStep step = PenMove(&s, kStockList, 100 + 80 * scale, 50, 0, true);
        EXPECT_FALSE(step.Swiped);
        EXPECT_EQ(s.Stock.Current, 2);
        step = PenMove(&s, kStockList, 100 + 80 * scale + 1, 50, 0, true);
        EXPECT_TRUE(step.Swiped);
        EXPECT_TRUE(step.Ended);
        EXPECT_EQ(s.Stock.Current, 3);  // Alpha -> Beta
        EXPECT_EQ(Names(s.StockView), L"Paris,Berlin");
        EXPECT_FALSE(PenMove(&s, kStockList, 900, 50, 0, true).Swiped);  // once per gesture
        PenDown(&s, kStockList, 300, 50, -1);  // a swipe may start off the rows
        EXPECT_TRUE(PenMove(&s, kStockList, 300 - 80 * scale - 1, 50, -1, true).Swiped);
        EXPECT_EQ(s.Stock.Current, 2);
    }
}

TEST(EditorSwipe, WrapsAtBothEndsOfTheNameOrder) {
    EditorState s = Sample();  // name order: Alpha, Beta, Gamma, _REG_BAK, _SEARCH
    ShowCategory(&s, kSearchCategory);
    PenDown(&s, kStockList, 0, 0, -1);
    PenMove(&s, kStockList, 200, 0, -1, true);
    EXPECT_EQ(s.Stock.Current, 2);  // last name -> first
    PenDown(&s, kStockList, 200, 0, -1);
    PenMove(&s, kStockList, 0, 0, -1, true);
    EXPECT_EQ(s.Stock.Current, kSearchCategory);  // first -> last
    EXPECT_EQ(NeighbourCategory(s.Stock, 4, 1), kRegBakCategory);
}

TEST(EditorCategories, ReservedPairStartChoiceAndTheHundredLimit) {
    EditorState s;
    ResetCategories(&s.Stock);
    EXPECT_EQ(CategoryCount(s.Stock), 2);
    EXPECT_FALSE(IsEditable(s.Stock, kRegBakCategory));
    EXPECT_TRUE(IsEditable(s.Stock, kSearchCategory));
    ChooseStartCategory(&s);
    EXPECT_EQ(s.Stock.Current, 0);  // only two categories
    EXPECT_EQ(AddCategory(&s.Stock, L"_SEARCH", 0), -1);
    EXPECT_EQ(AddCategory(&s.Stock, L"", 0), -1);
    for (int i = 2; i < kCategoryCapacity; ++i) ASSERT_EQ(AddCategory(&s.Stock, L"c" + std::to_wstring(i), 0), i);
    EXPECT_EQ(AddCategory(&s.Stock, L"one too many", 0), -1);
    EXPECT_EQ(CategoryCount(s.Stock), kCategoryCapacity);
    s.Stock.Current = 0;
    ChooseStartCategory(&s);
    EXPECT_EQ(s.Stock.Current, 2);
    s.Stock.Current = 100;
    ChooseStartCategory(&s);
    EXPECT_EQ(s.Stock.Current, 0);
    // The box lists names in code-unit order.
    std::vector<int> order = CategoriesInBoxOrder(s.Stock);
    ASSERT_EQ(order.size(), 100u);
    EXPECT_EQ(s.Stock.Names[order.front()], L"_REG_BAK");
    EXPECT_EQ(s.Stock.Names[order[2]], L"c10");
}

TEST(EditorView, ControlsScaleAndTheWideLayoutsMoveTheRow) {
    const auto one = LayoutControls(kLayoutNormal, 1, 240, 268);
    const auto two = LayoutControls(kLayoutNormal, 2, 480, 536);
    for (int i = 0; i < kControlCount; ++i) {
        EXPECT_EQ(two[i].X, 2 * one[i].X);
        EXPECT_EQ(two[i].Y, 2 * one[i].Y);
        EXPECT_EQ(two[i].Width, 2 * one[i].Width);
        EXPECT_EQ(two[i].Height, 2 * one[i].Height);
    }
    // The scale itself: platform_screen_scale_test.cpp.
    // Work list, apply button, ..., Stock list.
    EXPECT_EQ(one[0].Id, kIdWorkList);
    EXPECT_EQ(one[6].Id, kIdStockList);
    EXPECT_EQ(one[6].Y, 125);
    EXPECT_EQ(one[6].Height, 268 - 124);
    const auto stockWide = LayoutControls(kLayoutStockWide, 2, 480, 536);
    EXPECT_FALSE(stockWide[0].Visible);
    EXPECT_EQ(stockWide[1].Y, 10);
    EXPECT_EQ(stockWide[6].Y, 58);
    EXPECT_EQ(stockWide[6].Height, 536 - 56);
    const auto workWide = LayoutControls(kLayoutWorkWide, 2, 480, 536);
    EXPECT_FALSE(workWide[6].Visible);
    EXPECT_EQ(workWide[3].Y, 536 - 48);
    EXPECT_EQ(workWide[0].Height, 536 - 54);
    EXPECT_EQ(ColumnWidth(4, 2, 480), 480 - 382);
}

TEST(EditorView, RowTexts) {
    EditorRecord r = Rec(L"Kathmandu", 1, 5.75, L"memo");
    EXPECT_EQ(RowText(r, 7, 0), L"7");
    EXPECT_EQ(RowText(r, 7, 1), L"x");
    EXPECT_EQ(RowText(r, 7, 2), L"Kathmandu");
    EXPECT_EQ(RowText(r, 7, 3), L"+5.75");
    EXPECT_EQ(RowText(r, 7, 4), L"memo");
    r.Valid = 0;
    EXPECT_EQ(RowText(r, 0, 1), L"");
    r.UtcMargin = -10;
    EXPECT_EQ(RowText(r, 0, 3), L"-10.0");
    r.UtcMargin = 0;
    EXPECT_EQ(RowText(r, 0, 3), L"0.0");
    r.UtcMargin = 9;
    EXPECT_EQ(RowText(r, 0, 3), L"+9.0");
}
