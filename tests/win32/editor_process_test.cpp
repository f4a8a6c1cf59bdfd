// Sitarel as its own process under Wine: one instance, the apply button, the
// dialogs, "Open", and the running item following its posted messages.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <clocale>
#include <string>
#include <vector>

#include "editor/stock_file.h"

#include "platform/win/todaycmn.h"
#include "resources/sitarel_ids.h"
#include "settings/protocol.h"
#include "tests/win32/test_support.h"

namespace {

const wchar_t kClass[] = L"SitarelWndClass";
constexpr int kApplyButton = 8;
const char kIni[] =
    "2\r\n\r\n[_REG_BAK]x\r\n\r\n[Trip]\r\n1\tKathmandu\t27.72\t85.32\t1400\t0\t5.75\t\tquarter\r\n"
    "1\tDelhi\t28.61\t77.21\t216\t0\t5.5\t\t\r\n\r\n";

std::string ReadAll(const std::wstring& path) {
    HANDLE f = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) return "<missing>";
    std::string out(1 << 20, '\0');
    DWORD got = 0;
    ReadFile(f, &out[0], static_cast<DWORD>(out.size()), &got, nullptr);
    CloseHandle(f);
    out.resize(got);
    return out;
}

std::wstring SlotText(int slot, const wchar_t* name) {
    wchar_t key[64];
    swprintf(key, 64, L"%ls\\Pos%02d", velkaro::kSettingsKey + 1, slot);
    wchar_t buf[300] = {};
    DWORD size = sizeof buf;
    if (RegGetValueW(HKEY_CURRENT_USER, key, name, RRF_RT_ANY, nullptr, buf, &size) != ERROR_SUCCESS)
        return L"<none>";
    return buf;
}

DWORD SettingsDword(const wchar_t* sub, const wchar_t* name) {
    DWORD v = 0xFFFFFFFF, size = sizeof v;
    const std::wstring key = std::wstring(velkaro::kSettingsKey + 1) + sub;
    RegGetValueW(HKEY_CURRENT_USER, key.c_str(), name, RRF_RT_REG_DWORD, nullptr, &v, &size);
    return v;
}

class EditorProcess : public ::testing::Test {
protected:
    std::wstring dir;
    std::vector<PROCESS_INFORMATION> started;

    void SetUp() override {
        RegDeleteTreeW(HKEY_CURRENT_USER, velkaro::kSettingsKey + 1);
        wchar_t tmp[MAX_PATH];
        GetTempPathW(MAX_PATH, tmp);
        dir = std::wstring(tmp) + L"sitarel_test_" + std::to_wstring(GetCurrentProcessId()) + L"\\";
        CreateDirectoryW(dir.c_str(), nullptr);
        ASSERT_TRUE(CopyFileW((ExeDir() + L"Sitarel.exe").c_str(), (dir + L"Sitarel.exe").c_str(), FALSE));
        HANDLE f = CreateFileW((dir + L"Sitarel.ini").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD wrote = 0;
        WriteFile(f, kIni, sizeof kIni - 1, &wrote, nullptr);
        CloseHandle(f);
    }

    void TearDown() override {
        for (PROCESS_INFORMATION& pi : started) {
            if (WaitForSingleObject(pi.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(pi.hProcess, 1);
            CloseHandle(pi.hThread);
            CloseHandle(pi.hProcess);
        }
        DeleteFileW((dir + L"Sitarel.exe").c_str());
        DeleteFileW((dir + L"Sitarel.ini").c_str());
        RemoveDirectoryW((dir + L"Sitarel.ini.new").c_str());
        RemoveDirectoryW(dir.c_str());
        RegDeleteTreeW(HKEY_CURRENT_USER, velkaro::kSettingsKey + 1);
    }

    HANDLE Launch() {
        std::wstring cmd = L"\"" + dir + L"Sitarel.exe\"";
        STARTUPINFOW si = {sizeof si};
        PROCESS_INFORMATION pi = {};
        if (!CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, dir.c_str(), &si, &pi))
            return nullptr;
        started.push_back(pi);
        return pi.hProcess;
    }

    // The editor's main window once it is up, or null.
    static HWND WaitForWindow() {
        HWND w = nullptr;
        WaitUntil([&] {
            w = FindWindowW(kClass, nullptr);
            return w && IsWindowVisible(w);
        });
        return w && IsWindowVisible(w) ? w : nullptr;
    }

    // The process's exit code once it ended within the time, else -1.
    static long ExitCode(HANDLE process) { return WaitForExit(process); }

    static void Command(HWND editor, int id, HWND from = nullptr) {
        DWORD_PTR result = 0;
        SendMessageTimeoutW(editor, WM_COMMAND, MAKEWPARAM(id, from ? BN_CLICKED : 0), reinterpret_cast<LPARAM>(from),
                            SMTO_NORMAL, 15000, &result);
    }
};

// The plug-in's item in a window of this process, painted on request.
class ItemAndEditor : public EditorProcess {
protected:
    HMODULE dll = nullptr;
    HWND host = nullptr, item = nullptr;

    void SetUp() override {
        EditorProcess::SetUp();
        _putenv("VELKARO_NOW=2026-12-08T00:00:00Z");
        dll = LoadLibraryW((ExeDir() + L"velkaro.dll").c_str());
        ASSERT_NE(dll, nullptr);
        WNDCLASSW wc = {};
        wc.lpfnWndProc = WallpaperHostProc;  // the editor's window may lie over the item
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"EditorTestHost";
        RegisterClassW(&wc);
        host = CreateWindowExW(0, L"EditorTestHost", L"host", WS_POPUP, 0, 0, 480, 640, nullptr, nullptr,
                               wc.hInstance, nullptr);
        auto init = reinterpret_cast<PFNCUSTOMINITIALIZEITEM>(GetProcAddress(dll, "InitializeCustomItem"));
        ASSERT_NE(init, nullptr);
        TODAYLISTITEM desc = {};
        item = init(&desc, host);
        ASSERT_NE(item, nullptr);
        MoveWindow(item, 0, 0, 480, 200, FALSE);
    }

    void TearDown() override {
        if (item) DestroyWindow(item);
        if (host) DestroyWindow(host);
        if (dll) FreeLibrary(dll);
        _putenv("VELKARO_NOW=");
        EditorProcess::TearDown();
    }

    // The pixels of the item's title band as it paints now.
    std::vector<uint32_t> TitleBand() { return PrintItem(item, 480, 40); }
};

}  // namespace

TEST_F(EditorProcess, SecondStartBringsTheFirstForwardAndEnds) {
    HANDLE first = Launch();
    ASSERT_NE(first, nullptr);
    HWND window = WaitForWindow();
    ASSERT_NE(window, nullptr);
    HANDLE second = Launch();
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(ExitCode(second), 0);
    EXPECT_EQ(WaitForSingleObject(first, 0), static_cast<DWORD>(WAIT_TIMEOUT));
    EXPECT_EQ(FindWindowExW(nullptr, window, kClass, nullptr), nullptr);  // still one window
    EXPECT_EQ(GetForegroundWindow(), window);
    Command(window, IDM_WORK_EXIT);
    EXPECT_EQ(ExitCode(first), 0);
}

TEST_F(EditorProcess, ApplyWritesTheSlotsKeepsTheOldOnesAndEndsWithTheFileSaved) {
    HKEY k;
    const std::wstring slot0 = std::wstring(velkaro::kSettingsKey + 1) + L"\\Pos00";
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, slot0.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &k, nullptr),
              ERROR_SUCCESS);
    RegSetValueExW(k, L"Location", 0, REG_SZ, reinterpret_cast<const BYTE*>(L"Before"), 14);
    DWORD one = 1;
    RegSetValueExW(k, L"Valid", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one), 4);
    RegCloseKey(k);
    // The item that wrote "HWND" is gone: the write is not announced, and nothing fails.
    HWND gone = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(gone, nullptr);
    velkaro::WriteWindowHandle(velkaro::kSettingsKey, reinterpret_cast<uintptr_t>(gone));
    DestroyWindow(gone);

    HANDLE editor = Launch();
    ASSERT_NE(editor, nullptr);
    HWND window = WaitForWindow();
    ASSERT_NE(window, nullptr);
    Command(window, kApplyButton, GetDlgItem(window, kApplyButton));
    EXPECT_EQ(ExitCode(editor), 0);

    EXPECT_EQ(SlotText(0, L"Location"), L"Kathmandu");
    EXPECT_EQ(SlotText(0, L"UtcMargin"), L"5.750000");
    EXPECT_EQ(SettingsDword(L"\\Pos00", L"Altitude"), 1400u);
    EXPECT_EQ(SlotText(1, L"Location"), L"Delhi");
    EXPECT_EQ(SettingsDword(L"\\Pos02", L"Valid"), 0u);
    EXPECT_EQ(SlotText(2, L"Location"), L"<none>");
    EXPECT_EQ(SlotText(19, L"Location"), L"<none>");

    const std::string file = ReadAll(dir + L"Sitarel.ini");
    EXPECT_EQ(file.find("2\r\n\r\n[_REG_BAK]x\r\n1\tBefore\t0.00\t0.00\t0\t0\t0.0\t\t\r\n0\t\t0.00"), 0u) << file;
    EXPECT_NE(file.find("[Trip]\r\n1\tKathmandu\t27.72\t85.32\t1400\t0\t5.75\t\tquarter\r\n"), std::string::npos);
}

TEST_F(EditorProcess, MissingFileIsToldAndTheExitCreatesIt) {
    DeleteFileW((dir + L"Sitarel.ini").c_str());
    HANDLE editor = Launch();
    ASSERT_NE(editor, nullptr);
    HWND window = WaitForWindow();
    ASSERT_NE(window, nullptr);
    HWND box = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (box = FindWindowW(L"#32770", L"error")) != nullptr; }));
    wchar_t text[400] = {};
    GetDlgItemTextW(box, 0xFFFF, text, 400);  // the message box's static text
    EXPECT_EQ(std::wstring(text), L"Can't open '" + dir + L"Sitarel.ini'");
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }));
    Command(window, IDM_WORK_EXIT);
    EXPECT_EQ(ExitCode(editor), 0);
    EXPECT_EQ(ReadAll(dir + L"Sitarel.ini"), "0\r\n\r\n[_REG_BAK]x\r\n\r\n");
}

// Waits for a message box with the caption, answers it with the button and
// returns its text; empty when none came.
std::wstring Answer(const wchar_t* caption, int button) {
    HWND box = nullptr;
    if (!WaitUntil([&] { return (box = FindWindowW(L"#32770", caption)) != nullptr; })) return std::wstring();
    wchar_t text[600] = {};
    GetDlgItemTextW(box, 0xFFFF, text, 600);
    PostMessageW(box, WM_COMMAND, static_cast<WPARAM>(button), 0);
    WaitUntil([&] { return !IsWindow(box); });
    return text;
}

TEST_F(EditorProcess, FailedSaveAtExitKeepsTheOldFileAndTheProgram) {
    const std::wstring blocker = dir + L"Sitarel.ini.new";  // the new file cannot be made
    ASSERT_TRUE(CreateDirectoryW(blocker.c_str(), nullptr));
    HANDLE editor = Launch();
    ASSERT_NE(editor, nullptr);
    HWND window = WaitForWindow();
    ASSERT_NE(window, nullptr);
    PostMessageW(window, WM_COMMAND, IDM_WORK_EXIT, 0);
    EXPECT_EQ(Answer(L"error", IDOK).find(L"Can't create " + dir + L"Sitarel.ini .("), 0u);
    Settle(window);  // an exit would have closed the window by now
    EXPECT_TRUE(IsWindow(window));
    EXPECT_EQ(WaitForSingleObject(editor, 0), static_cast<DWORD>(WAIT_TIMEOUT));
    // The second failure asks; Cancel keeps the program.
    PostMessageW(window, WM_COMMAND, IDM_WORK_EXIT, 0);
    EXPECT_FALSE(Answer(L"error", IDOK).empty());
    EXPECT_FALSE(Answer(L"Warning", IDCANCEL).empty());
    Settle(window);  // an exit would have closed the window by now
    EXPECT_TRUE(IsWindow(window));
    EXPECT_EQ(WaitForSingleObject(editor, 0), static_cast<DWORD>(WAIT_TIMEOUT));
    EXPECT_EQ(ReadAll(dir + L"Sitarel.ini"), kIni);
    // Once the file can be written the exit saves and ends.
    RemoveDirectoryW(blocker.c_str());
    PostMessageW(window, WM_COMMAND, IDM_WORK_EXIT, 0);
    EXPECT_EQ(ExitCode(editor), 0);
    EXPECT_EQ(ReadAll(dir + L"Sitarel.ini").substr(0, 16), "2\r\n\r\n[_REG_BAK]x");
}

TEST_F(ItemAndEditor, ItemFollowsTheWriteAndTheRegToggleThroughTheirMessages) {
    const std::vector<uint32_t> tokyo = TitleBand();
    // One valid place in the slots, so that writing two asks nothing.
    for (int slot = 1; slot < 20; ++slot) {
        wchar_t key[64];
        swprintf(key, 64, L"%ls\\Pos%02d", velkaro::kSettingsKey + 1, slot);
        DWORD zero = 0;
        RegSetKeyValueW(HKEY_CURRENT_USER, key, L"Valid", REG_DWORD, &zero, sizeof zero);
    }
    HANDLE editor = Launch();
    ASSERT_NE(editor, nullptr);
    HWND window = WaitForWindow();
    ASSERT_NE(window, nullptr);
    Command(window, kApplyButton, GetDlgItem(window, kApplyButton));
    ASSERT_EQ(ExitCode(editor), 0);  // leaves what the editor posted in the queue
    ASSERT_EQ(SlotText(0, L"Location"), L"Kathmandu");
    // Only the message makes the item read the slots again.
    MSG queued;
    EXPECT_TRUE(PeekMessageW(&queued, item, velkaro::kMsgLocationsChanged, velkaro::kMsgLocationsChanged,
                             PM_NOREMOVE));
    EXPECT_EQ(TitleBand(), tokyo);
    PumpPending();
    const std::vector<uint32_t> kathmandu = TitleBand();
    EXPECT_NE(kathmandu, tokyo);

    editor = Launch();
    window = WaitForWindow();
    ASSERT_NE(window, nullptr);
    Command(window, IDM_REG_LOCATION);  // the name leaves the title
    EXPECT_EQ(SettingsDword(L"", L"Title"), 2u);
    EXPECT_EQ(SettingsDword(L"", L"Clock"), 6u);
    EXPECT_TRUE(PeekMessageW(&queued, item, velkaro::kMsgEditorSettingsChanged,
                             velkaro::kMsgEditorSettingsChanged, PM_NOREMOVE));
    EXPECT_EQ(TitleBand(), kathmandu);
    PumpPending();
    EXPECT_NE(TitleBand(), kathmandu);
    Command(window, IDM_WORK_EXIT);
    EXPECT_EQ(ExitCode(editor), 0);
}

namespace {

// A dialog of the editor once it is shown, or null.
HWND WaitForDialog(const wchar_t* caption) {
    HWND d = nullptr;
    WaitUntil([&] {
        d = FindWindowW(L"#32770", caption);
        return d && IsWindowVisible(d);
    });
    return d && IsWindowVisible(d) ? d : nullptr;
}

bool WaitGone(HWND w) {
    return WaitUntil([&] { return !IsWindow(w); });
}

std::wstring Text(HWND dlg, int id) {
    wchar_t text[300] = {};
    GetDlgItemTextW(dlg, id, text, 300);
    return text;
}

void SetText(HWND dlg, int id, const wchar_t* text) {
    SendMessageW(GetDlgItem(dlg, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

void WriteBytes(const std::wstring& path, const std::string& bytes) {
    HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD wrote = 0;
    WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &wrote, nullptr);
    CloseHandle(f);
}

}  // namespace

TEST_F(EditorProcess, LocationAndRuleDialogsChangeTheRecordInTheListAndTheFile) {
    HANDLE editor = Launch();
    ASSERT_NE(editor, nullptr);
    HWND window = WaitForWindow();
    ASSERT_NE(window, nullptr);
    PostMessageW(window, WM_COMMAND, IDM_STOCK_EDIT, 0);  // the focused row: Kathmandu
    HWND loc = WaitForDialog(L"Location");
    ASSERT_NE(loc, nullptr);
    EXPECT_EQ(Text(loc, IDC_LOC_NAME), L"Kathmandu");
    EXPECT_EQ(Text(loc, IDC_LOC_LAT), L"27.720000");
    EXPECT_EQ(Text(loc, IDC_LOC_HEIGHTS), L"1400");
    EXPECT_EQ(Text(loc, IDC_LOC_MARGIN), L"5.75");
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(loc, IDC_LOC_MARGIN)));
    // Checking "from longitude" checks "automatic" too and locks the offset.
    SendMessageW(GetDlgItem(loc, IDC_LOC_FROM_LONGITUDE), BM_CLICK, 0, 0);
    EXPECT_EQ(SendDlgItemMessageW(loc, IDC_LOC_AUTO_OFFSET, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(loc, IDC_LOC_MARGIN)));
    SendMessageW(GetDlgItem(loc, IDC_LOC_FROM_LONGITUDE), BM_CLICK, 0, 0);  // "automatic" stays
    SetText(loc, IDC_LOC_NAME, L"Kathmandu Valley");
    SetText(loc, IDC_LOC_HEIGHTS, L"120/1400");
    SetText(loc, IDC_LOC_DST, L"typed, then replaced");

    PostMessageW(GetDlgItem(loc, IDC_LOC_DST_BUTTON), BM_CLICK, 0, 0);
    HWND rule = WaitForDialog(L"DST");
    ASSERT_NE(rule, nullptr);
    // No rule yet: the defaults.
    EXPECT_EQ(SendDlgItemMessageW(rule, IDC_RULE_START_MONTH, CB_GETCURSEL, 0, 0), 2);
    EXPECT_EQ(SendDlgItemMessageW(rule, IDC_RULE_START_WEEK, CB_GETCURSEL, 0, 0), 2);
    EXPECT_EQ(SendDlgItemMessageW(rule, IDC_RULE_END_MONTH, CB_GETCURSEL, 0, 0), 9);
    EXPECT_EQ(Text(rule, IDC_RULE_START_HOUR), L"2");
    EXPECT_EQ(SendDlgItemMessageW(rule, IDC_RULE_WEEKDAY_FORM, BM_GETCHECK, 0, 0), BST_CHECKED);
    SendDlgItemMessageW(rule, IDC_RULE_END_MONTH, CB_SETCURSEL, 10, 0);  // November
    SetText(rule, IDC_RULE_START_HOUR, L"3");
    SendDlgItemMessageW(rule, IDC_RULE_END_HOUR_SPIN, UDM_SETPOS32, 0, -3);
    PostMessageW(rule, WM_COMMAND, IDM_DIALOG_OK, 0);
    ASSERT_TRUE(WaitGone(rule));
    EXPECT_EQ(Text(loc, IDC_LOC_DST), L"03/S2 03;11/S1 -3");
    PostMessageW(loc, WM_COMMAND, IDOK, 0);  // the Done button
    ASSERT_TRUE(WaitGone(loc));

    // The shown list is what the apply button writes.
    Command(window, kApplyButton, GetDlgItem(window, kApplyButton));
    EXPECT_EQ(ExitCode(editor), 0);
    EXPECT_EQ(SlotText(0, L"Location"), L"Kathmandu Valley");
    EXPECT_EQ(SlotText(0, L"DST"), L"03/S2 03;11/S1 -3");
    EXPECT_EQ(SettingsDword(L"\\Pos00", L"ExistDST"), 1u);
    EXPECT_EQ(SettingsDword(L"\\Pos00", L"UtcGet"), 1u);
    EXPECT_EQ(SettingsDword(L"\\Pos00", L"Altitude"), 120u);
    EXPECT_EQ(SlotText(0, L"UtcMargin"), L"5.750000");
    const std::string file = ReadAll(dir + L"Sitarel.ini");
    EXPECT_NE(file.find("[Trip]\r\n1\tKathmandu Valley\t27.72\t85.32\t120/1400\t1\t5.75\t03/S2 03;11/S1 -3\tquarter\r\n"
                        "1\tDelhi\t"),
              std::string::npos)
        << file;
}

namespace {

// The rule dialog opened from the location dialog's "DST" button, or null.
HWND OpenRuleDialog(HWND loc) {
    PostMessageW(GetDlgItem(loc, IDC_LOC_DST_BUTTON), BM_CLICK, 0, 0);
    return WaitForDialog(L"DST");
}

// Picks the first entry of the rule dialog's zone list that starts with
// prefix, as a user's choice does (the notification included).
bool ChooseZone(HWND rule, const wchar_t* prefix) {
    HWND list = GetDlgItem(rule, IDC_RULE_ZONE);
    const LRESULT at = SendMessageW(list, CB_FINDSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(prefix));
    if (at == CB_ERR) return false;
    SendMessageW(list, CB_SETCURSEL, at, 0);
    SendMessageW(rule, WM_COMMAND, MAKEWPARAM(IDC_RULE_ZONE, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
    return true;
}

}  // namespace

TEST_F(EditorProcess, ZoneListFillsTheRuleAndTheOffsetFromThePlatformsZones) {
    HANDLE editor = Launch();
    ASSERT_NE(editor, nullptr);
    HWND window = WaitForWindow();
    ASSERT_NE(window, nullptr);
    PostMessageW(window, WM_COMMAND, IDM_STOCK_EDIT, 0);  // Kathmandu, 5.75, no rule
    HWND loc = WaitForDialog(L"Location");
    ASSERT_NE(loc, nullptr);

    HWND rule = OpenRuleDialog(loc);
    ASSERT_NE(rule, nullptr);
    EXPECT_GT(SendDlgItemMessageW(rule, IDC_RULE_ZONE, CB_GETCOUNT, 0, 0), 100);
    EXPECT_EQ(Text(rule, IDC_RULE_ZONE), L"");  // no zone until one is chosen
    ASSERT_TRUE(ChooseZone(rule, L"(UTC+01:00) Amsterdam"));
    EXPECT_EQ(SendDlgItemMessageW(rule, IDC_RULE_START_MONTH, CB_GETCURSEL, 0, 0), 2);  // March
    EXPECT_EQ(SendDlgItemMessageW(rule, IDC_RULE_END_MONTH, CB_GETCURSEL, 0, 0), 9);    // October
    EXPECT_EQ(SendDlgItemMessageW(rule, IDC_RULE_START_WEEK, CB_GETCURSEL, 0, 0), 0);   // the last
    EXPECT_EQ(Text(rule, IDC_RULE_END_HOUR), L"2");  // 03:00 summer time is 02:00 standard
    PostMessageW(rule, WM_COMMAND, IDM_DIALOG_OK, 0);
    ASSERT_TRUE(WaitGone(rule));
    EXPECT_EQ(Text(loc, IDC_LOC_DST), L"03/Se 02;10/Se 02");
    EXPECT_EQ(Text(loc, IDC_LOC_MARGIN), L"1.0");

    // A cancelled choice changes neither the rule nor the offset.
    rule = OpenRuleDialog(loc);
    ASSERT_NE(rule, nullptr);
    ASSERT_TRUE(ChooseZone(rule, L"(UTC-08:00) Pacific Time"));
    EXPECT_EQ(SendDlgItemMessageW(rule, IDC_RULE_END_MONTH, CB_GETCURSEL, 0, 0), 10);  // November
    PostMessageW(rule, WM_COMMAND, IDM_DIALOG_CANCEL, 0);
    ASSERT_TRUE(WaitGone(rule));
    EXPECT_EQ(Text(loc, IDC_LOC_DST), L"03/Se 02;10/Se 02");
    EXPECT_EQ(Text(loc, IDC_LOC_MARGIN), L"1.0");

    // A zone without daylight saving greys the rule and empties it on OK.
    rule = OpenRuleDialog(loc);
    ASSERT_NE(rule, nullptr);
    ASSERT_TRUE(ChooseZone(rule, L"(UTC+09:00) Osaka"));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(rule, IDC_RULE_START_MONTH)));
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(rule, IDC_RULE_ZONE)));
    PostMessageW(rule, WM_COMMAND, IDM_DIALOG_OK, 0);
    ASSERT_TRUE(WaitGone(rule));
    EXPECT_EQ(Text(loc, IDC_LOC_DST), L"");
    EXPECT_EQ(Text(loc, IDC_LOC_MARGIN), L"9.0");
    PostMessageW(loc, WM_COMMAND, IDM_DIALOG_CANCEL, 0);
    ASSERT_TRUE(WaitGone(loc));
    Command(window, IDM_WORK_EXIT);
    EXPECT_EQ(ExitCode(editor), 0);
}

TEST_F(EditorProcess, ZoneListTypeAheadAndWholeNamesAndApproximateRules) {
    HANDLE editor = Launch();
    ASSERT_NE(editor, nullptr);
    HWND window = WaitForWindow();
    ASSERT_NE(window, nullptr);
    PostMessageW(window, WM_COMMAND, IDM_STOCK_EDIT, 0);
    HWND loc = WaitForDialog(L"Location");
    ASSERT_NE(loc, nullptr);
    HWND rule = OpenRuleDialog(loc);
    ASSERT_NE(rule, nullptr);
    HWND list = GetDlgItem(rule, IDC_RULE_ZONE);
    // Typed keys, each with its own time, as a keyboard gives them.
    for (wchar_t ch : std::wstring(L"(UTC+01:00) Am")) {
        PostMessageW(list, WM_CHAR, ch, 1);
        Pace(20);
    }
    Settle(window);
    EXPECT_EQ(Text(rule, IDC_RULE_ZONE).rfind(L"(UTC+01:00) Amsterdam", 0), 0u) << Text(rule, IDC_RULE_ZONE).c_str();
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(rule, IDC_RULE_START_MONTH)));
    EXPECT_EQ(SendDlgItemMessageW(rule, IDC_RULE_START_MONTH, CB_GETCURSEL, 0, 0), 2);  // March
    // The whole name: in the drop list and under it.
    RECT box;
    GetWindowRect(list, &box);
    EXPECT_GT(SendMessageW(list, CB_GETDROPPEDWIDTH, 0, 0), 3 * (box.right - box.left) / 2);
    EXPECT_EQ(Text(rule, IDC_RULE_ZONE_NOTE), Text(rule, IDC_RULE_ZONE));

    ASSERT_TRUE(ChooseZone(rule, L"(UTC+12:45) Chatham"));
    const std::wstring note = Text(rule, IDC_RULE_ZONE_NOTE);
    EXPECT_NE(note.find(L"approximate"), std::wstring::npos);
    EXPECT_NE(note.find(L"02:45"), std::wstring::npos);
    PostMessageW(rule, WM_COMMAND, IDM_DIALOG_OK, 0);
    ASSERT_TRUE(WaitGone(rule));
    EXPECT_EQ(Text(loc, IDC_LOC_DST), L"09/Se 03;04/S1 03");
    PostMessageW(loc, WM_COMMAND, IDM_DIALOG_CANCEL, 0);
    ASSERT_TRUE(WaitGone(loc));
    Command(window, IDM_WORK_EXIT);
    EXPECT_EQ(ExitCode(editor), 0);
}

TEST_F(EditorProcess, RuleDialogConfirmedWithoutAChangeKeepsAUtcRule) {
    const std::string chatham = "1\tChatham\t-43.95\t-176.55\t0\t0\t12.75\t09/Se -10U;04/S1 -10U\tPacific/Chatham\r\n";
    WriteBytes(dir + L"Sitarel.ini", "2\r\n\r\n[_REG_BAK]x\r\n\r\n[Trip]\r\n" + chatham + "\r\n");
    HANDLE editor = Launch();
    ASSERT_NE(editor, nullptr);
    HWND window = WaitForWindow();
    ASSERT_NE(window, nullptr);
    PostMessageW(window, WM_COMMAND, IDM_STOCK_EDIT, 0);
    HWND loc = WaitForDialog(L"Location");
    ASSERT_NE(loc, nullptr);
    HWND rule = OpenRuleDialog(loc);
    ASSERT_NE(rule, nullptr);
    EXPECT_EQ(SendDlgItemMessageW(rule, IDC_RULE_START_MONTH, CB_GETCURSEL, 0, 0), 8);  // September
    EXPECT_EQ(Text(rule, IDC_RULE_START_HOUR), L"-10");
    PostMessageW(rule, WM_COMMAND, IDM_DIALOG_OK, 0);
    ASSERT_TRUE(WaitGone(rule));
    EXPECT_EQ(Text(loc, IDC_LOC_DST), L"09/Se -10U;04/S1 -10U");
    PostMessageW(loc, WM_COMMAND, IDM_DIALOG_OK, 0);
    ASSERT_TRUE(WaitGone(loc));
    Command(window, IDM_WORK_EXIT);
    EXPECT_EQ(ExitCode(editor), 0);
    const std::string file = ReadAll(dir + L"Sitarel.ini");
    EXPECT_NE(file.find("\tChatham\t-43.95\t-176.55\t0\t0\t12.75\t09/Se -10U;04/S1 -10U\t"), std::string::npos) << file;
}

TEST_F(EditorProcess, CancelledDialogsChangeNothing) {
    HANDLE editor = Launch();
    ASSERT_NE(editor, nullptr);
    HWND window = WaitForWindow();
    ASSERT_NE(window, nullptr);
    PostMessageW(window, WM_COMMAND, IDM_STOCK_EDIT, 0);
    HWND loc = WaitForDialog(L"Location");
    ASSERT_NE(loc, nullptr);
    SetText(loc, IDC_LOC_NAME, L"Changed");
    PostMessageW(loc, WM_COMMAND, IDM_DIALOG_CANCEL, 0);
    ASSERT_TRUE(WaitGone(loc));
    Command(window, IDM_WORK_EXIT);
    EXPECT_EQ(ExitCode(editor), 0);
    EXPECT_EQ(ReadAll(dir + L"Sitarel.ini"), kIni);
}

TEST_F(EditorProcess, OpenSavesTheFileThenLoadsTheChosenOneWhichTheExitWrites) {
    const std::wstring other = dir + L"other.ini", answer = dir + L"gsgetfile.txt", stub = dir + L"gsgetfile.dll";
    WriteBytes(other, "\xEF\xBB\xBF" "3\r\n[Far]x\r\n1\t\xE6\x9D\xB1\tbad\r\n[Near]\r\n1\tHere\t1\t2\t3\t0\t-3.5\t\t\r\n");
    HANDLE editor = Launch();
    ASSERT_NE(editor, nullptr);
    HWND window = WaitForWindow();
    ASSERT_NE(window, nullptr);
    // Without the replacement library the platform's dialog comes; cancelled, nothing changes.
    PostMessageW(window, WM_COMMAND, IDM_STOCK_OPEN, 0);
    HWND picker = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
        HWND d = FindWindowW(L"#32770", nullptr);
        if (d && GetWindow(d, GW_OWNER) == window && IsWindowVisible(d)) picker = d;
        return picker != nullptr;
    }));
    PostMessageW(picker, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(WaitGone(picker));

    // With it (looked for at each call), its answer is loaded; a file that
    // is not there is told and changes nothing.
    ASSERT_TRUE(CopyFileW((ExeDir() + L"test-stubs\\gsgetfile.dll").c_str(), stub.c_str(), FALSE));
    std::wstring path = dir + L"missing.ini";
    WriteBytes(answer, std::string(path.begin(), path.end()));
    PostMessageW(window, WM_COMMAND, IDM_STOCK_OPEN, 0);
    EXPECT_EQ(Answer(L"error", IDOK), L"Can't open '" + path + L"'");
    WriteBytes(answer, std::string(other.begin(), other.end()));
    Command(window, IDM_STOCK_OPEN);  // returns once the file is loaded
    Command(window, IDM_WORK_EXIT);
    EXPECT_EQ(ExitCode(editor), 0);
    DeleteFileW(stub.c_str());
    DeleteFileW(answer.c_str());

    EXPECT_EQ(ReadAll(dir + L"Sitarel.ini"), kIni);  // saved, unchanged, before each Open
    // The chosen file is now the editor's: the exit wrote it, still UTF-8 for
    // the name a code page lacks, with the values as read.
    const std::string written = ReadAll(other);
    DeleteFileW(other.c_str());
    EXPECT_EQ(written,
              "\xEF\xBB\xBF" "3\r\n\r\n[_REG_BAK]x\r\n\r\n[Far]x\r\n1\t\xE6\x9D\xB1\t0.00\t0.00\t0\t0\t0.0\t\t\r\n\r\n"
              "[Near]\r\n1\tHere\t1.00\t2.00\t3\t0\t-3.5\t\t\r\n\r\n");
}

namespace {



// The stand-in file dialog answers with `path` from now on.
void AnswerFileDialogWith(const std::wstring& dir, const std::wstring& path) {
    CopyFileW((ExeDir() + L"test-stubs\\gsgetfile.dll").c_str(), (dir + L"gsgetfile.dll").c_str(), FALSE);
    WriteBytes(dir + L"gsgetfile.txt", std::string(path.begin(), path.end()));
}

void ForgetFileDialog(const std::wstring& dir) {
    DeleteFileW((dir + L"gsgetfile.dll").c_str());
    DeleteFileW((dir + L"gsgetfile.txt").c_str());
}

const char kOther[] = "0\r\n\r\n[_REG_BAK]x\r\n\r\n[Far]\r\n1\tFaraway\t1.00\t2.00\t3\t0\t-3.5\t\t\r\n\r\n";

}  // namespace

TEST_F(EditorProcess, FailedSaveBeforeOpenStaysOnThePresentFileWithItsData) {
    const std::wstring other = dir + L"other.ini", blocker = dir + L"Sitarel.ini.new";
    WriteBytes(other, kOther);
    AnswerFileDialogWith(dir, other);
    ASSERT_TRUE(CreateDirectoryW(blocker.c_str(), nullptr));  // the save cannot be made
    HANDLE editor = Launch();
    ASSERT_NE(editor, nullptr);
    HWND window = WaitForWindow();
    ASSERT_NE(window, nullptr);
    Command(window, IDM_STOCK_ALLSELECT);
    Command(window, IDM_STOCK_CUT);  // a change that lives only in memory
    PostMessageW(window, WM_COMMAND, IDM_STOCK_OPEN, 0);
    EXPECT_EQ(Answer(L"error", IDOK).find(L"Can't create " + dir + L"Sitarel.ini .("), 0u);
    EXPECT_NE(Answer(L"Warning", IDCANCEL).find(L"lose the changes"), std::wstring::npos);
    Settle(window);
    RemoveDirectoryW(blocker.c_str());
    Command(window, IDM_WORK_EXIT);
    EXPECT_EQ(ExitCode(editor), 0);
    ForgetFileDialog(dir);
    // The exit saved the present file with the change; the other was not adopted.
    EXPECT_EQ(ReadAll(dir + L"Sitarel.ini"), "2\r\n\r\n[_REG_BAK]x\r\n\r\n[Trip]\r\n\r\n");
    EXPECT_EQ(ReadAll(other), kOther);
    DeleteFileW(other.c_str());
}

TEST_F(EditorProcess, OpenRefusesAFileThatIsNoCategoryFile) {
    const std::wstring settings = dir + L"settings.ini";
    const std::string ordinary = "[Settings]\r\nWidth=240\r\nName=Value\r\n";
    WriteBytes(settings, ordinary);
    AnswerFileDialogWith(dir, settings);
    HANDLE editor = Launch();
    ASSERT_NE(editor, nullptr);
    HWND window = WaitForWindow();
    ASSERT_NE(window, nullptr);
    PostMessageW(window, WM_COMMAND, IDM_STOCK_OPEN, 0);
    EXPECT_EQ(Answer(L"error", IDOK), L"'" + settings + L"' is not a category file.");
    Command(window, IDM_WORK_EXIT);
    EXPECT_EQ(ExitCode(editor), 0);
    ForgetFileDialog(dir);
    EXPECT_EQ(ReadAll(settings), ordinary);
    EXPECT_EQ(ReadAll(dir + L"Sitarel.ini"), kIni);
    DeleteFileW(settings.c_str());
}

TEST_F(EditorProcess, FileLockedAtStartIsToldAndNeverWrittenOver) {
    HANDLE lock = CreateFileW((dir + L"Sitarel.ini").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    HANDLE editor = Launch();
    ASSERT_NE(editor, nullptr);
    HWND window = WaitForWindow();
    ASSERT_NE(window, nullptr);
    const std::wstring told = Answer(L"error", IDOK);
    EXPECT_EQ(told.find(L"Can't open '" + dir + L"Sitarel.ini'"), 0u);
    EXPECT_NE(told.find(L"kept as it is"), std::wstring::npos);
    CloseHandle(lock);  // the other program lets go; the editor still does not write
    Command(window, IDM_WORK_EXIT);  // nothing to keep: it ends without asking
    EXPECT_EQ(ExitCode(editor), 0);
    EXPECT_EQ(ReadAll(dir + L"Sitarel.ini"), kIni);
}

TEST_F(EditorProcess, PlacesOfAKeptFileGoElsewhereOnlyWhenTheUserSaysSo) {
    const std::string ordinary = "[Settings]\r\nName=Value\r\n";
    WriteBytes(dir + L"Sitarel.ini", ordinary);
    HKEY k;
    const std::wstring slot0 = std::wstring(velkaro::kSettingsKey + 1) + L"\\Pos00";
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, slot0.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &k, nullptr),
              ERROR_SUCCESS);
    RegSetValueExW(k, L"Location", 0, REG_SZ, reinterpret_cast<const BYTE*>(L"Slot place"), 22);
    RegCloseKey(k);
    for (int answer : {IDNO, IDYES}) {
        HANDLE editor = Launch();
        ASSERT_NE(editor, nullptr);
        HWND window = WaitForWindow();
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(Answer(L"error", IDOK).find(L"'" + dir + L"Sitarel.ini' is not a category file."), 0u);
        Command(window, IDM_STOCK_WORKCOPY);  // now there are places to keep
        PostMessageW(window, WM_COMMAND, IDM_WORK_EXIT, 0);
        EXPECT_NE(Answer(L"Warning", answer).find(L"Save the categories to another file?"), std::wstring::npos);
        if (answer == IDYES) {
            HWND save = WaitForDialog(nullptr);
            ASSERT_NE(save, nullptr);
            SetDlgItemTextW(save, 0x47c, (dir + L"saved.ini").c_str());  // the name box
            SetDlgItemTextW(save, 0x480, (dir + L"saved.ini").c_str());
            PostMessageW(save, WM_COMMAND, IDOK, 0);
        }
        EXPECT_EQ(ExitCode(editor), 0);
        EXPECT_EQ(ReadAll(dir + L"Sitarel.ini"), ordinary);
    }
    const std::string saved = ReadAll(dir + L"saved.ini");
    DeleteFileW((dir + L"saved.ini").c_str());
    EXPECT_NE(saved.find("[_REG_BAK0]\r\n0\tSlot place\t"), std::string::npos) << saved;
}

TEST_F(EditorProcess, EndOfTheSessionSavesAsTheExitDoes) {
    HANDLE editor = Launch();
    ASSERT_NE(editor, nullptr);
    HWND window = WaitForWindow();
    ASSERT_NE(window, nullptr);
    Command(window, IDM_STOCK_ALLSELECT);
    Command(window, IDM_STOCK_CUT);
    DWORD_PTR may = 0;
    ASSERT_TRUE(SendMessageTimeoutW(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_NORMAL, 15000, &may));
    EXPECT_EQ(may, static_cast<DWORD_PTR>(TRUE));
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(window, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_NORMAL, 15000, &ignored);
    TerminateProcess(editor, 0);  // as the system ends it
    WaitForSingleObject(editor, 5000);
    EXPECT_EQ(ReadAll(dir + L"Sitarel.ini"), "2\r\n\r\n[_REG_BAK]x\r\n\r\n[Trip]\r\n\r\n");
}

namespace {

// What a slot holds, as one line of text; "" when it is not valid.
std::wstring ValidSlot(int slot) {
    wchar_t key[64];
    swprintf(key, 64, L"%ls\\Pos%02d", velkaro::kSettingsKey + 1, slot);
    DWORD valid = 0, altitude = 0, size = sizeof valid;
    if (RegGetValueW(HKEY_CURRENT_USER, key, L"Valid", RRF_RT_REG_DWORD, nullptr, &valid, &size) != ERROR_SUCCESS ||
        valid == 0)
        return L"";
    size = sizeof altitude;
    RegGetValueW(HKEY_CURRENT_USER, key, L"Altitude", RRF_RT_REG_DWORD, nullptr, &altitude, &size);
    std::wstring line;
    for (const wchar_t* name : {L"Location", L"Lat", L"Lng", L"UtcMargin", L"DST"}) line += SlotText(slot, name) + L"|";
    return line + std::to_wstring(altitude);
}

std::wstring OldSlot(int i) {
    return L"Old " + std::to_wstring(i) + L"|" + std::to_wstring(i) + L".250000|-" + std::to_wstring(i) +
           L".500000|1.000000||" + std::to_wstring(i);
}

std::wstring NewSlot(int i) {
    return L"New " + std::to_wstring(i) + L"|" + std::to_wstring(40 + i) + L".000000|" + std::to_wstring(100 + i) +
           L".000000|2.000000|03/S2 02;11/S1 02|" + std::to_wstring(500 + i);
}

void SetSz(HKEY k, const wchar_t* name, const std::wstring& text) {
    RegSetValueExW(k, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

void SetDword(HKEY k, const wchar_t* name, DWORD v) {
    RegSetValueExW(k, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&v), sizeof v);
}

// Twenty old places in the slots, twenty new ones in the only category.
void PrepareTwentyAndTwenty(const std::wstring& dir) {
    RegDeleteTreeW(HKEY_CURRENT_USER, velkaro::kSettingsKey + 1);
    for (int i = 0; i < 20; ++i) {
        wchar_t path[64];
        swprintf(path, 64, L"%ls\\Pos%02d", velkaro::kSettingsKey + 1, i);
        HKEY k;
        RegCreateKeyExW(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &k, nullptr);
        SetDword(k, L"Valid", 1);
        SetSz(k, L"Location", L"Old " + std::to_wstring(i));
        SetSz(k, L"Lat", std::to_wstring(i) + L".250000");
        SetSz(k, L"Lng", L"-" + std::to_wstring(i) + L".500000");
        SetDword(k, L"Altitude", i);
        SetDword(k, L"UtcGet", 0);
        SetSz(k, L"UtcMargin", L"1.000000");
        SetDword(k, L"ExistDST", 0);
        SetSz(k, L"DST", L"");
        RegCloseKey(k);
    }
    std::string file = "2\r\n\r\n[_REG_BAK]x\r\n\r\n[Tour]\r\n";
    for (int i = 0; i < 20; ++i)
        file += "1\tNew " + std::to_string(i) + "\t" + std::to_string(40 + i) + ".00\t" + std::to_string(100 + i) +
                ".00\t" + std::to_string(500 + i) + "\t0\t2.0\t03/S2 02;11/S1 02\t\r\n";
    WriteBytes(dir + L"Sitarel.ini", file + "\r\n");
}

double Seconds() {
    LARGE_INTEGER f, t;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) / static_cast<double>(f.QuadPart);
}

}  // namespace

// The editor killed at random moments of the apply button: the twenty places
// the slots held are always either still there or in "_REG_BAK" on disk, and
// no slot reads as a valid place made of two. VELKARO_KILL_RUNS sets the
// number of kills (default 8).
TEST_F(EditorProcess, KillsDuringTheApplyButtonLoseNoPlaceAndTearNoSlot) {
    int runs = 8;
    if (const char* n = getenv("VELKARO_KILL_RUNS")) runs = atoi(n);
    // One apply to the end gives the time the kills are spread over.
    PrepareTwentyAndTwenty(dir);
    HANDLE editor = Launch();
    ASSERT_NE(editor, nullptr);
    HWND window = WaitForWindow();
    ASSERT_NE(window, nullptr);
    Settle(window);
    double t0 = Seconds();
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(kApplyButton, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(window, kApplyButton)));
    // The kills aim at the slots' write: from a while before the first slot
    // changes to a while after the last one is done.
    double first = 0, last = 0;
    while (ValidSlot(0) == OldSlot(0) && Seconds() - t0 < 15) {
    }
    first = Seconds() - t0;
    while (ValidSlot(19) != NewSlot(19) && Seconds() - t0 < 15) {
    }
    last = Seconds() - t0;
    ASSERT_EQ(WaitForSingleObject(editor, 15000), WAIT_OBJECT_0);
    for (int i = 0; i < 20; ++i) ASSERT_EQ(ValidSlot(i), NewSlot(i));
    const double from = first * 0.7, to = last + (last - first) * 0.3;

    int untouched = 0, finished = 0, between = 0, lost = 0, torn = 0;
    srand(static_cast<unsigned>(GetTickCount()));
    for (int run = 0; run < runs; ++run) {
        PrepareTwentyAndTwenty(dir);
        editor = Launch();
        ASSERT_NE(editor, nullptr);
        window = WaitForWindow();
        ASSERT_NE(window, nullptr);
        Settle(window);
        // Every other kill waits until the first slot has changed, so that
        // the machine's load cannot move them all out of the write.
        const bool aimed = run % 2 == 1;
        const double delay = aimed ? (last - first) * (rand() % 1000) / 1000.0
                                   : from + (to - from) * (rand() % 1000) / 1000.0;
        PostMessageW(window, WM_COMMAND, MAKEWPARAM(kApplyButton, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(window, kApplyButton)));
        t0 = Seconds();
        while (aimed && ValidSlot(0) == OldSlot(0) && Seconds() - t0 < 15) {
        }
        for (t0 = Seconds(); Seconds() - t0 < delay;) {
        }
        TerminateProcess(editor, 9);
        WaitForSingleObject(editor, 5000);
        WaitUntil([] { return FindWindowW(kClass, nullptr) == nullptr; }, 2000);

        const std::string file = ReadAll(dir + L"Sitarel.ini");
        const size_t bak = file.find("[_REG_BAK]x\r\n"), next = file.find("\r\n[", bak + 1);
        const std::string backup = file.substr(bak, next == std::string::npos ? std::string::npos : next - bak);
        int olds = 0, news = 0;
        for (int i = 0; i < 20; ++i) {
            const std::wstring slot = ValidSlot(i);
            olds += slot == OldSlot(i);
            news += slot == NewSlot(i);
            if (!slot.empty() && slot != OldSlot(i) && slot != NewSlot(i)) ++torn;
            if (slot != OldSlot(i) && backup.find("\tOld " + std::to_string(i) + "\t") == std::string::npos) ++lost;
        }
        untouched += olds == 20;
        finished += news == 20;
        between += olds != 20 && news != 20;
    }
    printf("kills %d, half from %.1f to %.1f ms after the click, half once slot 0 changed (slots written "
           "%.1f to %.1f ms): untouched %d, "
           "finished %d, between %d; places lost %d, torn slots %d\n",
           runs, from * 1000, to * 1000, first * 1000, last * 1000, untouched, finished, between, lost, torn);
    EXPECT_EQ(lost, 0);
    EXPECT_EQ(torn, 0);
}

namespace {

// Starts a shell command of the machine Wine runs on. Wine gives no handle
// to wait on for such a program: callers look for what it does.
bool StartOnHost(const std::wstring& command) {
    // Wine hands the child its own PATH, which names no folder of the host.
    std::wstring line = L"Z:\\bin\\sh -c \"PATH=/usr/sbin:/usr/bin:/sbin:/bin; " + command + L"\"";
    STARTUPINFOW si = {sizeof si};
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessW(L"Z:\\bin\\sh", &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return false;
    if (pi.hThread) CloseHandle(pi.hThread);
    if (pi.hProcess) CloseHandle(pi.hProcess);
    return true;
}

// Whether a file or folder is there (or gone, with `there` false) within five seconds.
bool Appears(const std::wstring& path, bool there = true) {
    return PollUntil([&] { return (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) == there; }, 5000);
}

velkaro::Categories OnePlace(int copies) {
    velkaro::Categories c;
    velkaro::ResetCategories(&c);
    velkaro::AddCategory(&c, L"Japan", 0);
    velkaro::EditorRecord r;
    r.Valid = 1;
    r.Location = L"Tokyo";
    r.Lat = 35.68;
    r.Lng = 139.75;
    r.UtcMargin = 9.5;
    r.Memo = std::wstring(60, L'm');
    c.Stores[2].assign(static_cast<size_t>(copies), r);
    return c;
}

}  // namespace

TEST(CategoryFileOnDisk, NumbersAreWrittenWithAPointWhateverTheLocale) {
    ASSERT_NE(setlocale(LC_ALL, "German_Germany.1252"), nullptr);
    char probe[16];
    snprintf(probe, sizeof probe, "%.2f", 35.68);
    const std::string bytes = velkaro::FormatStockFile(OnePlace(1));
    setlocale(LC_ALL, "C");
    ASSERT_EQ(std::string(probe), "35,68");  // the locale does write a comma
    EXPECT_NE(bytes.find("\tTokyo\t35.68\t139.75\t0\t0\t9.5\t"), std::string::npos) << bytes;
}

TEST(CategoryFileOnDisk, AFullDiskIsToldByItsNumberAndTheOldFileStays) {
    const std::wstring unixDir = L"/tmp/velkaro_full_" + std::to_wstring(GetCurrentProcessId());
    std::wstring dir = L"Z:" + unixDir + L"/";
    for (wchar_t& c : dir)
        if (c == L'/') c = L'\\';
    // A 64 KB disk of its own; the mark is made on it once it is mounted.
    StartOnHost(L"mkdir -p " + unixDir + L" && mount -t tmpfs -o size=64k tmpfs " + unixDir + L" && touch " +
                unixDir + L"/mounted");
    if (!Appears(dir + L"mounted")) GTEST_SKIP() << "no small disk can be mounted here";
    struct Unmount {
        std::wstring unixDir, dir;
        ~Unmount() {
            StartOnHost(L"umount " + unixDir + L" && rmdir " + unixDir);
            EXPECT_TRUE(Appears(dir, false));
        }
    } unmount{unixDir, dir};
    const std::wstring path = dir + L"Sitarel.ini";
    int error = 0;
    ASSERT_TRUE(velkaro::SaveStockFile(OnePlace(1), path, &error)) << error;
    const std::string before = ReadAll(path);
    // About 100 KB: more than the disk holds, so the write stops part way.
    EXPECT_FALSE(velkaro::SaveStockFile(OnePlace(1000), path, &error));
    EXPECT_EQ(error, static_cast<int>(ERROR_DISK_FULL));
    EXPECT_EQ(ReadAll(path), before);
    EXPECT_EQ(GetFileAttributesW((path + L".new").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(EditorProcess, SectionsPastAHundredCategoriesAreToldOnceAtLoad) {
    std::string file = "2\r\n\r\n";
    for (int i = 0; i < 105; ++i) file += "[C" + std::to_string(100 + i) + "]\r\n1\tPlace\t1.00\t2.00\t0\t0\t0.0\t\t\r\n";
    WriteBytes(dir + L"Sitarel.ini", file);
    HANDLE editor = Launch();
    ASSERT_NE(editor, nullptr);
    HWND window = WaitForWindow();
    ASSERT_NE(window, nullptr);
    const std::wstring told = Answer(L"Warning", IDOK);
    EXPECT_NE(told.find(L"more sections than the 100 categories"), std::wstring::npos) << told;
    EXPECT_NE(told.find(L"The places of 7 further sections"), std::wstring::npos) << told;
    Settle(window);  // done loading, or showing a second box
    EXPECT_EQ(FindWindowW(L"#32770", L"Warning"), nullptr);  // once
    Command(window, IDM_WORK_EXIT);
    EXPECT_EQ(ExitCode(editor), 0);
}
