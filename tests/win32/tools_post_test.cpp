// velkaro-post: what it posts to the window named by "HWND", and what it refuses.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings/protocol.h"
#include "tests/win32/test_support.h"

using namespace velkaro;

namespace {

std::vector<UINT> g_received;

LRESULT CALLBACK Recorder(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg >= kAppMessage && msg < kAppMessage + 0x4000) g_received.push_back(msg);
    return DefWindowProcW(w, msg, wp, lp);
}

// The exit code of velkaro-post with these arguments; -1 when it did not end.
DWORD RunPost(const std::wstring& args) {
    std::wstring cmd = L"\"" + ExeDir() + L"velkaro-post.exe\" " + args;
    // Its usage lines would only clutter the test's output.
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE nul = CreateFileW(L"NUL", GENERIC_WRITE, FILE_SHARE_WRITE, &inherit, OPEN_EXISTING, 0, nullptr);
    STARTUPINFOW si = {sizeof si};
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    si.hStdOutput = si.hStdError = nul;
    PROCESS_INFORMATION pi = {};
    const BOOL started = CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi);
    if (nul != INVALID_HANDLE_VALUE) CloseHandle(nul);
    if (!started) return static_cast<DWORD>(-1);
    DWORD code = static_cast<DWORD>(-1);
    if (WaitForSingleObject(pi.hProcess, 20000) == WAIT_OBJECT_0) GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return code;
}

class Post : public ::testing::Test {
protected:
    HWND target = nullptr;

    void SetUp() override {
        RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKey + 1);
        WNDCLASSW wc = {};
        wc.lpfnWndProc = Recorder;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"PostTestTarget";
        RegisterClassW(&wc);
        target = CreateWindowExW(0, L"PostTestTarget", L"", 0, 0, 0, 1, 1, nullptr, nullptr, wc.hInstance, nullptr);
        ASSERT_NE(target, nullptr);
        ASSERT_TRUE(WriteWindowHandle(kSettingsKey, reinterpret_cast<uintptr_t>(target)));
        g_received.clear();
    }

    void TearDown() override {
        if (target) DestroyWindow(target);
        RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKey + 1);
    }

    // Dispatches until `count` messages have arrived or a few seconds passed.
    void WaitFor(size_t count) {
        WaitUntil([&] { return g_received.size() >= count; }, 4000);
    }
};

}  // namespace

TEST_F(Post, PostsTheMessagesTheItemAnswers) {
    EXPECT_EQ(RunPost(L"2"), 0u);
    EXPECT_EQ(RunPost(L"3"), 0u);
    EXPECT_EQ(RunPost(L"10 5 7"), 0u);
    EXPECT_EQ(RunPost(L"25"), 0u);
    WaitFor(4);
    EXPECT_EQ(g_received, (std::vector<UINT>{kMsgLocationsChanged, kMsgEditorSettingsChanged, ActionMessage(0),
                                             ActionMessage(15)}));
}

// A number the item does not answer is a usage error, and nothing is posted.
TEST_F(Post, RefusesNumbersTheItemDoesNotAnswer) {
    for (const wchar_t* args : {L"99", L"0", L"1", L"4", L"9", L"26", L"16383", L"-2", L"2x", L"", L"10 5"})
        EXPECT_EQ(RunPost(args), 2u) << std::wstring(args).c_str();
    // One good message behind them shows that the refused ones never came.
    EXPECT_EQ(RunPost(L"2"), 0u);
    PumpPending();  // all that the tool posted is queued once it has ended
    EXPECT_EQ(g_received, std::vector<UINT>{kMsgLocationsChanged});
}
