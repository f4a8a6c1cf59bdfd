// The pen on Sitarel's lists, as a user's mouse moves it: drags and swipes
// that end over the "x" column leave the check marks alone; a tap there flips
// one.
#include "tests/win32/editor_ui_support.h"

using namespace sitarel_ui;

namespace {

constexpr int kWork = 11, kStock = 12;

// Alps (current) and Trip; both editable.
const char kTwoCategories[] =
    "2\r\n\r\n[_REG_BAK]x\r\n\r\n[Alps]\r\n1\tZermatt\t46.02\t7.75\t1608\t0\t1.0\t\t\r\n"
    "1\tChamonix\t45.92\t6.87\t1035\t0\t1.0\t\t\r\n1\tBolzano\t46.50\t11.35\t262\t0\t1.0\t\t\r\n\r\n"
    "[Trip]\r\n1\tKathmandu\t27.72\t85.32\t1400\t0\t5.75\t\t\r\n1\tDelhi\t28.61\t77.21\t216\t0\t5.5\t\t\r\n\r\n";

using EditorGesture = Editor;

}  // namespace

TEST_F(EditorGesture, StockDragAndSwipeEndingOnTheCheckColumnFlipNothingATapDoes) {
    ASSERT_TRUE(Start(kTwoCategories));
    ASSERT_EQ(Rows(kStock), L"x Zermatt|x Chamonix|x Bolzano");

    // A drag from Zermatt's name down to the row below, let go over its "x".
    PenGesture({CellPoint(kStock, 0, 2), CellPoint(kStock, 1, 2), CellPoint(kStock, 1, 1)});
    EXPECT_EQ(Rows(kStock), L"x Chamonix|x Zermatt|x Bolzano");

    // A swipe to the right leads to Trip; the pen comes up over Kathmandu's "x".
    const POINT start = CellPoint(kStock, 0, 2);
    RECT list;
    GetWindowRect(List(kStock), &list);
    ASSERT_GT(list.right - start.x, 2 * 80 + 20) << "the list is too narrow for a swipe";
    PenGesture({start, {list.right - 10, start.y}, CellPoint(kStock, 0, 1)});
    EXPECT_EQ(Rows(kStock), L"x Kathmandu|x Delhi");

    // A tap in the "x" column flips that row, and only a tap.
    PenGesture({CellPoint(kStock, 1, 1)});
    EXPECT_EQ(Rows(kStock), L"x Kathmandu|- Delhi");
    // A tap on the name flips nothing.
    PenGesture({CellPoint(kStock, 0, 2)});
    EXPECT_EQ(Rows(kStock), L"x Kathmandu|- Delhi");

    ASSERT_TRUE(Exit());
    const std::string file = ReadAll(dir + L"Sitarel.ini");
    EXPECT_NE(file.find("[Alps]\r\n1\tZermatt\t46.02\t7.75\t1608\t0\t1.0\t\t\r\n1\tChamonix"), std::string::npos) << file;
    EXPECT_NE(file.find("[Trip]\r\n1\tKathmandu\t27.72\t85.32\t1400\t0\t5.75\t\t\r\n0\tDelhi"), std::string::npos)
        << file;
}

TEST_F(EditorGesture, WorkDragEndingOnTheCheckColumnKeepsThePlaceInTheSlots) {
    PutSlot(0, L"Tokyo", 1);
    PutSlot(1, L"Osaka", 1);
    PutSlot(2, L"Kyoto", 1);
    ASSERT_TRUE(Start(kTwoCategories));
    ASSERT_EQ(Rows(kWork), L"x Tokyo|x Osaka|x Kyoto");

    PenGesture({CellPoint(kWork, 0, 2), CellPoint(kWork, 1, 2), CellPoint(kWork, 1, 1)});
    EXPECT_EQ(Rows(kWork), L"x Osaka|x Tokyo|x Kyoto");
    PenGesture({CellPoint(kWork, 2, 1)});
    EXPECT_EQ(Rows(kWork), L"x Osaka|x Tokyo|- Kyoto");

    Command(IDM_WORK_WRITE);
    EXPECT_EQ(SlotName(0), L"Osaka");
    EXPECT_EQ(SlotName(1), L"Tokyo");
    EXPECT_EQ(SlotValid(1), 1u);
    EXPECT_EQ(SlotValid(2), 0u);
    EXPECT_TRUE(Exit());
}
