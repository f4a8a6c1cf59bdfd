// The stand-in Today screen as a user starts it: its arguments, its clock and
// the first store of a small screen.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "platform/picture.h"
#include "settings/protocol.h"
#include "settings/store.h"
#include "tests/win32/test_support.h"

namespace {

struct HostRun {
    DWORD code = 999;
    std::string err;
};

// Runs TodayHost.exe with the arguments (and VELKARO_NOW when given), its
// standard error in a pipe.
HostRun Host(const std::wstring& args, const wchar_t* now = nullptr) {
    HostRun r;
    SECURITY_ATTRIBUTES sa = {sizeof sa, nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &sa, 0)) return r;
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    SetEnvironmentVariableW(L"VELKARO_NOW", now);
    SetEnvironmentVariableW(L"VELKARO_NOW_REPORTED", nullptr);
    std::wstring cmd = L"\"" + ExeDir() + L"TodayHost.exe\" " + args;
    STARTUPINFOW si = {sizeof si};
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    si.hStdOutput = writeEnd;
    si.hStdError = writeEnd;
    PROCESS_INFORMATION pi = {};
    const BOOL started = CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi);
    SetEnvironmentVariableW(L"VELKARO_NOW", nullptr);
    CloseHandle(writeEnd);
    if (started) {
        char buf[512];
        DWORD n = 0;
        while (ReadFile(readEnd, buf, sizeof buf, &n, nullptr) && n > 0) r.err.append(buf, n);
        WaitForSingleObject(pi.hProcess, 30000);
        GetExitCodeProcess(pi.hProcess, &r.code);
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
    }
    CloseHandle(readEnd);
    return r;
}

size_t Count(const std::string& text, const std::string& part) {
    size_t n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
}

class TodayHost : public ::testing::Test {
protected:
    void SetUp() override { RegDeleteTreeW(HKEY_CURRENT_USER, velkaro::kSettingsKey + 1); }
    void TearDown() override {
        RegDeleteTreeW(HKEY_CURRENT_USER, velkaro::kSettingsKey + 1);
        DeleteFileW(Shot().c_str());
    }
    static std::wstring Shot() { return ExeDir() + L"host_test_shot.png"; }
};

}  // namespace

TEST_F(TodayHost, RejectsWhatDoesNotParse) {
    const struct { const wchar_t* args; const char* says; } cases[] = {
        {L"--action abc", "--action takes an action number 0 to 15"},
        {L"--action 16", "0 to 15"},
        {L"--action 3x", "0 to 15"},
        {L"--refresh-ms 0", "--refresh-ms takes milliseconds 10 to 600000"},
        {L"--refresh-ms fast", "10 to 600000"},
        {L"--screen 10x10", "each side 64 to 4096"},
        {L"--screen 480", "each side 64 to 4096"},
        {L"--snapshot", "missing"},
        {L"--colour red", "unknown argument '--colour'"},
    };
    for (const auto& c : cases) {
        const HostRun r = Host(c.args);
        const std::string args(c.args, c.args + wcslen(c.args));
        EXPECT_EQ(r.code, 2u) << args;
        EXPECT_NE(r.err.find(c.says), std::string::npos) << args << ": " << r.err;
        EXPECT_NE(r.err.find("usage: TodayHost"), std::string::npos) << args;
    }
}

TEST_F(TodayHost, SmallScreenFirstStoreAndAClockThatIsNoInstant) {
    const HostRun r = Host(L"--fresh --screen 240x320 --action 11 --snapshot \"" + Shot() + L"\"", L"garbage");
    ASSERT_EQ(r.code, 0u) << r.err;
    EXPECT_EQ(GetFileAttributesW(Shot().c_str()) != INVALID_FILE_ATTRIBUTES, true);
    // Said once, naming the variable and the value, although both the host and
    // the plug-in read the clock.
    EXPECT_EQ(Count(r.err, "VELKARO_NOW=\"garbage\""), 1u) << r.err;
    EXPECT_NE(r.err.find("system clock"), std::string::npos);

    DWORD v = 0, size = 4;
    ASSERT_EQ(RegGetValueW(HKEY_CURRENT_USER, velkaro::kSettingsKey + 1, L"WidthScale", RRF_RT_REG_DWORD, nullptr,
                           &v, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(v, 1u);  // a 240 x 320 screen scales nothing

    // An instant outside the dates the engine serves is no instant either.
    EXPECT_EQ(Count(Host(L"--snapshot \"" + Shot() + L"\"", L"9999-12-31T00:00:00Z").err, "VELKARO_NOW="), 1u);
    EXPECT_EQ(Count(Host(L"--snapshot \"" + Shot() + L"\"", L"2026-12-08T09:30:00Z").err, "VELKARO_NOW="), 0u);
}

// The Today screen is found by its class and read by its title.
TEST_F(TodayHost, WindowTitledTodayOfTheTodayClass) {
    std::wstring cmd = L"\"" + ExeDir() + L"TodayHost.exe\" --screen 240x320";
    STARTUPINFOW si = {sizeof si};
    PROCESS_INFORMATION pi = {};
    ASSERT_TRUE(CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
    HWND found = nullptr;
    PollUntil([&] {
        for (HWND w = FindWindowExW(nullptr, nullptr, velkaro::kTodayWindowClass, nullptr); w && !found;
             w = FindWindowExW(nullptr, w, velkaro::kTodayWindowClass, nullptr)) {
            DWORD pid = 0;
            GetWindowThreadProcessId(w, &pid);
            if (pid == pi.dwProcessId) found = w;
        }
        return found != nullptr;
    }, 30000);
    wchar_t title[64] = {};
    if (found) {
        GetWindowTextW(found, title, 64);
        PostMessageW(found, WM_CLOSE, 0, 0);
    }
    EXPECT_EQ(WaitForSingleObject(pi.hProcess, 30000), WAIT_OBJECT_0);
    if (WaitForSingleObject(pi.hProcess, 0) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 1);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    ASSERT_NE(found, nullptr);
    EXPECT_STREQ(title, L"Today");
}

// No wallpaper star shines through the item, where it would read as part of
// a text. The item here is plain black rows blended over the wallpaper, so
// a star is the only bright thing it can show.
TEST_F(TodayHost, NoStarShinesThroughTheItem) {
    velkaro::SettingsStore store;
    store.General.InfoStart = 0;
    store.General.Clock = 0;
    store.General.Title = 1;
    store.General.CrTitle = 0;  // the name is written black on black
    store.General.SortP0 = velkaro::SortList(L"0123456789");
    for (velkaro::BodyStyle& b : store.Bodies) {
        b.IconMode = 0;  // no pictures
        b.CrGradE = b.CrGradD = b.CrGradW = b.CrScale = 0;
    }
    ASSERT_TRUE(velkaro::SaveSettingsStore(store));
    const HostRun r = Host(L"--screen 240x480 --snapshot \"" + Shot() + L"\"", L"2026-12-08T03:00:00Z");
    ASSERT_EQ(r.code, 0u) << r.err;
    const size_t said = r.err.find("item height ");
    ASSERT_NE(said, std::string::npos) << r.err;
    const int top = 20, bottom = top + std::atoi(r.err.c_str() + said + 12);  // under the 20-pixel header
    ASSERT_GT(bottom, top + 10 * 13);
    velkaro::DecodedPicture shot;
    ASSERT_TRUE(velkaro::LoadPicture(Shot(), &shot));
    ASSERT_EQ(shot.Width, 240);
    // The stars lie in the top 60 % of the screen.
    int under = 0, below = 0;
    for (int y = top; y < 480 * 6 / 10; ++y)
        for (int x = 0; x < shot.Width; ++x) {
            const uint32_t p = shot.At(x, y);
            if (((p >> 8) & 0xFF) < 0x90 || (p & 0xFF) < 0x90) continue;
            if (y < bottom) ++under;
            if (y > bottom + 2) ++below;
        }
    EXPECT_EQ(under, 0);
    EXPECT_GT(below, 0);  // the sky below the item keeps its stars
    // Nor in the date header: its text is white, a star is its own colour.
    int inHeader = 0;
    for (int y = 0; y < top; ++y)
        for (int x = 0; x < shot.Width; ++x)
            if ((shot.At(x, y) & 0xFFFFFF) == 0xF0F0D8) ++inHeader;
    EXPECT_EQ(inHeader, 0);
}
