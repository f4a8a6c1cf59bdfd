// The open-file dialog of both programs, answered by the stand-in for the
// optional replacement library.
#include <windows.h>
#include <commdlg.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/win/open_file_dialog.h"
#include "test_support.h"

namespace {

// The stand-in answers a record filled as the editor fills it (its filter,
// no flags); it reads its answer from "gsgetfile.txt" beside it.
const wchar_t kStockFilter[] =
    L"ini\u30D5\u30A1\u30A4\u30EB (*.ini)\0*.ini\0\u3059\u3079\u3066\u306E\u30D5\u30A1\u30A4\u30EB (*.*)\0*.*\0";

bool WriteAnswer(const std::wstring& path, const std::string& bytes) {
    HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) return false;
    DWORD wrote = 0;
    const bool ok = WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &wrote, nullptr) != 0;
    CloseHandle(f);
    return ok && wrote == bytes.size();
}

// The stand-in is found in its own folder for as long as this lives.
struct ReplacementFound {
    std::wstring answer = ExeDir() + L"test-stubs\\gsgetfile.txt";
    ReplacementFound() { SetDllDirectoryW((ExeDir() + L"test-stubs").c_str()); }
    ~ReplacementFound() {
        SetDllDirectoryW(nullptr);
        DeleteFileW(answer.c_str());
    }
};

}  // namespace

TEST(OpenFileDialog, TheReplacementLibraryAnswersWhenItIsThereAndIsFreedAfter) {
    ReplacementFound found;
    HWND owner = CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(owner, nullptr);
    ASSERT_TRUE(WriteAnswer(found.answer, "C:\\Places\\other.ini"));
    velkaro::OpenFileStart start;
    start.Filter = kStockFilter;
    start.File = L"a.ini";
    std::wstring chosen = L"before";
    EXPECT_TRUE(velkaro::ChooseFileToOpen(owner, start, &chosen));
    EXPECT_EQ(chosen, L"C:\\Places\\other.ini");
    EXPECT_EQ(GetModuleHandleW(L"gsgetfile.dll"), nullptr);  // loaded for the call only

    // A dialog that chooses nothing leaves the path as it was.
    start.Flags = OFN_FILEMUSTEXIST;  // the stand-in cancels a record it does not expect
    chosen = L"before";
    EXPECT_FALSE(velkaro::ChooseFileToOpen(owner, start, &chosen));
    EXPECT_EQ(chosen, L"before");
    DestroyWindow(owner);
}
