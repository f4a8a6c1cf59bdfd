// Sitarel never drops what the user does without a word: the apply button
// asks before it leaves fewer places, search hits carry their changes home,
// read-only categories say so, and Dayrune's absence is told.
#include "tests/win32/editor_ui_support.h"

using namespace sitarel_ui;

namespace {

constexpr int kApply = 8, kWork = 11, kStock = 12;

const char kTrip[] =
    "2\r\n\r\n[_REG_BAK]x\r\n\r\n[Trip]\r\n1\tKathmandu\t27.72\t85.32\t1400\t0\t5.75\t\t\r\n"
    "1\tDelhi\t28.61\t77.21\t216\t0\t5.5\t\t\r\n\r\n[Old]x\r\n1\tAlgiers (home)\t36.75\t3.04\t0\t0\t1.0\t\t\r\n\r\n";

using EditorUi = Editor;

// Types into the category box's edit field and presses Enter there.
void TypeInBox(HWND window, const wchar_t* text) {
    HWND box = GetDlgItem(window, 10);
    HWND edit = FindWindowExW(box, nullptr, L"Edit", nullptr);
    SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
    // Sent, so that each key has been handled when the call returns.
    DWORD_PTR r = 0;
    SendMessageTimeoutW(edit, WM_KEYDOWN, VK_RETURN, 0x001C0001, SMTO_NORMAL, 15000, &r);
    SendMessageTimeoutW(edit, WM_CHAR, L'\r', 0x001C0001, SMTO_NORMAL, 15000, &r);
    SendMessageTimeoutW(edit, WM_KEYUP, VK_RETURN, 0xC01C0001, SMTO_NORMAL, 15000, &r);
}

// Makes a category current as a choice in the category box does.
void ChooseCategory(HWND window, const wchar_t* name) {
    HWND box = GetDlgItem(window, 10);
    const LRESULT at = SendMessageW(box, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(name));
    SendMessageW(box, CB_SETCURSEL, at, 0);
    DWORD_PTR r = 0;
    SendMessageTimeoutW(window, WM_COMMAND, MAKEWPARAM(10, CBN_SELCHANGE), reinterpret_cast<LPARAM>(box), SMTO_NORMAL,
                        15000, &r);
}

}  // namespace

TEST_F(EditorUi, ApplyAsksBeforeItLeavesFewerValidPlacesInTheSlots) {
    PutSlot(0, L"Tokyo", 1);
    PutSlot(1, L"Osaka", 1);
    PutSlot(2, L"Kyoto", 1);
    PutSlot(3, L"Nara", 0);
    ASSERT_TRUE(Start(kTrip));
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(kApply, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(window, kApply)));
    const std::wstring question = Answer(L"Warning", IDCANCEL);
    EXPECT_NE(question.find(L"3 valid places now"), std::wstring::npos) << question;
    EXPECT_NE(question.find(L"will hold 2"), std::wstring::npos) << question;
    EXPECT_NE(question.find(L"\"_REG_BAK\""), std::wstring::npos) << question;
    Settle(window);
    EXPECT_EQ(WaitForSingleObject(process.hProcess, 0), static_cast<DWORD>(WAIT_TIMEOUT));
    EXPECT_EQ(SlotName(0), L"Tokyo");  // cancelled: nothing written

    PostMessageW(window, WM_COMMAND, MAKEWPARAM(kApply, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(window, kApply)));
    EXPECT_FALSE(Answer(L"Warning", IDOK).empty());
    EXPECT_TRUE(Ended());
    EXPECT_EQ(SlotName(0), L"Kathmandu");
    EXPECT_EQ(SlotValid(2), 0u);
}

TEST_F(EditorUi, WriteOfMoreThanTwentyRowsSaysTheRestAreNotWritten) {
    std::string ini = "2\r\n\r\n[_REG_BAK]x\r\n\r\n[Many]\r\n";
    for (int i = 0; i < 23; ++i) ini += "1\tPlace " + std::to_string(i) + "\t1.00\t2.00\t0\t0\t0.0\t\t\r\n";
    ASSERT_TRUE(Start(ini + "\r\n"));
    Command(IDM_STOCK_ALLSET);
    ASSERT_EQ(RowCount(kWork), 23);
    PostMessageW(window, WM_COMMAND, IDM_WORK_WRITE, 0);
    const std::wstring question = Answer(L"Warning", IDOK);
    EXPECT_NE(question.find(L"23 rows"), std::wstring::npos) << question;
    EXPECT_NE(question.find(L"after the twentieth are not"), std::wstring::npos) << question;
    Settle(window);
    EXPECT_EQ(SlotName(19), L"Place 19");
    EXPECT_EQ(RowCount(kWork), 20);  // the list shows what the slots hold
    EXPECT_TRUE(Exit());
}

TEST_F(EditorUi, AfterApplyFailsToSaveAndTheUserStaysTheWorkListShowsTheSlots) {
    PutSlot(0, L"Tokyo", 1);
    ASSERT_TRUE(CreateDirectoryW((dir + L"Sitarel.ini.new").c_str(), nullptr));  // the save cannot be made
    ASSERT_TRUE(Start(kTrip));
    ASSERT_EQ(Rows(kWork), L"x Tokyo");
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(kApply, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(window, kApply)));
    // The backup's save before the write fails: the user writes anyway.
    EXPECT_EQ(Answer(L"error", IDOK).find(L"Can't create "), 0u);
    EXPECT_NE(Answer(L"Warning", IDOK).find(L"Write the slots anyway?"), std::wstring::npos);
    // The save at the exit fails too, and the user stays.
    EXPECT_EQ(Answer(L"error", IDOK).find(L"Can't create "), 0u);
    Settle(window);
    ASSERT_EQ(WaitForSingleObject(process.hProcess, 0), static_cast<DWORD>(WAIT_TIMEOUT));
    EXPECT_EQ(SlotName(0), L"Kathmandu");
    ASSERT_EQ(RowCount(kWork), 20);  // every slot key exists after the write
    EXPECT_EQ(RowText(kWork, 0, 2), L"Kathmandu");
    EXPECT_EQ(RowText(kWork, 1, 2), L"Delhi");
    EXPECT_EQ(RowText(kWork, 2, 1), L"");
    EXPECT_EQ(RowText(kWork, 19, 2), L"");
    RemoveDirectoryW((dir + L"Sitarel.ini.new").c_str());
    EXPECT_TRUE(Exit());
}

TEST_F(EditorUi, EditsAndCheckMarksInSearchHitsReachTheirCategory) {
    ASSERT_TRUE(Start(kTrip));
    TypeInBox(window, L"del");
    ASSERT_EQ(Rows(kStock), L"x Delhi");
    PostMessageW(window, WM_COMMAND, IDM_STOCK_EDIT, 0);
    HWND loc = WaitForDialog(L"Location");
    ASSERT_NE(loc, nullptr);
    SendMessageW(GetDlgItem(loc, IDC_LOC_NAME), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"New Delhi"));
    PostMessageW(loc, WM_COMMAND, IDM_DIALOG_OK, 0);
    ASSERT_TRUE(WaitGone(loc));
    Settle(window);
    PenGesture({CellPoint(kStock, 0, 1)});  // the check mark, tapped
    EXPECT_EQ(Rows(kStock), L"- New Delhi");

    // Adding to the hits would reach no category: told, not done.
    PostMessageW(window, WM_COMMAND, IDM_STOCK_ADD, 0);
    EXPECT_NE(Answer(L"error", IDOK).find(L"add, cut and paste places in their own category"), std::wstring::npos);
    EXPECT_EQ(FindWindowW(L"#32770", L"Location"), nullptr);

    ChooseCategory(window, L"Trip");
    EXPECT_EQ(Rows(kStock), L"x Kathmandu|- New Delhi");
    ASSERT_TRUE(Exit());
    const std::string file = ReadAll(dir + L"Sitarel.ini");
    EXPECT_NE(file.find("[Trip]\r\n1\tKathmandu\t27.72\t85.32\t1400\t0\t5.75\t\t\r\n0\tNew Delhi\t28.61\t77.21\t216\t0\t5.5"),
              std::string::npos)
        << file;
}

TEST_F(EditorUi, ReadOnlyCategoryOpensItsPlacesForViewingAndSaysWhyChangesAreRefused) {
    ASSERT_TRUE(Start(kTrip));
    ChooseCategory(window, L"Old");
    ASSERT_EQ(Rows(kStock), L"x Algiers (home)");
    PostMessageW(window, WM_COMMAND, IDM_STOCK_EDIT, 0);
    HWND loc = WaitForDialog(L"Location (read-only)");
    ASSERT_NE(loc, nullptr);
    EXPECT_EQ(Text(loc, IDC_LOC_NAME), L"Algiers (home)");
    EXPECT_NE(GetWindowLongW(GetDlgItem(loc, IDC_LOC_NAME), GWL_STYLE) & ES_READONLY, 0);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(loc, IDC_LOC_VALID)));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(loc, IDC_LOC_DST_BUTTON)));
    PostMessageW(loc, WM_COMMAND, IDM_DIALOG_OK, 0);
    ASSERT_TRUE(WaitGone(loc));

    for (int command : {IDM_STOCK_ADD, IDM_STOCK_FIX, IDM_STOCK_CATEG_DEL}) {
        PostMessageW(window, WM_COMMAND, command, 0);
        EXPECT_EQ(Answer(L"error", IDOK).find(L"\"Old\" is read-only"), 0u) << command;
    }
    PenGesture({CellPoint(kStock, 0, 1)});
    EXPECT_EQ(Answer(L"error", IDOK).find(L"\"Old\" is read-only"), 0u);
    EXPECT_EQ(Rows(kStock), L"x Algiers (home)");
    // "_REG_BAK" stays read-only: its fixed box says so.
    ChooseCategory(window, L"_REG_BAK");
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(7, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(window, 7)));
    EXPECT_EQ(Answer(L"error", IDOK).find(L"\"_REG_BAK\" belongs to the editor and is read-only"), 0u);
    ASSERT_TRUE(Exit());
    std::string unchanged = kTrip;
    unchanged[0] = '0';  // only the current category is new
    EXPECT_EQ(ReadAll(dir + L"Sitarel.ini"), unchanged);
}

TEST_F(EditorUi, DayruneNotInstalledIsTold) {
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\quorrin\\Dayrune");
    PutSlot(0, L"Tokyo", 1);
    ASSERT_TRUE(Start(kTrip));
    PostMessageW(window, WM_COMMAND, IDM_WORK_DAYRUNE, 0);
    EXPECT_NE(Answer(L"Warning", IDOK).find(L"'Dayrune' registry"), std::wstring::npos);
    EXPECT_EQ(Answer(L"error", IDOK), L"'Dayrune' is not installed: nothing was written.");
    HKEY k;
    EXPECT_NE(RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\quorrin\\Dayrune", 0, KEY_READ, &k), ERROR_SUCCESS);
    EXPECT_TRUE(Exit());
}
