// A stand-in for the optional replacement file dialog, for the editor's tests:
// it answers with the path written (UTF-8) in "gsgetfile.txt" beside it when
// the record it is given is filled as the editor must fill it, and cancels
// otherwise.
#include <windows.h>
#include <commdlg.h>

#include <cwchar>

extern "C" __declspec(dllexport) BOOL WINAPI gsGetOpenFileName(OPENFILENAMEW* ofn) {
    static const wchar_t kFilter[] =
        L"ini\u30D5\u30A1\u30A4\u30EB (*.ini)\0*.ini\0\u3059\u3079\u3066\u306E\u30D5\u30A1\u30A4\u30EB (*.*)\0*.*\0";
    if (!ofn || ofn->lStructSize != sizeof(OPENFILENAMEW) || ofn->nMaxFile != 260 || !ofn->lpstrFile ||
        !ofn->lpstrFilter || !ofn->hwndOwner || ofn->Flags != 0)
        return FALSE;
    if (std::wmemcmp(ofn->lpstrFilter, kFilter, sizeof kFilter / sizeof kFilter[0]) != 0) return FALSE;
    HMODULE self = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&gsGetOpenFileName), &self);
    wchar_t answer[MAX_PATH] = {};
    const DWORD n = GetModuleFileNameW(self, answer, MAX_PATH);
    wchar_t* slash = std::wcsrchr(answer, L'\\');
    if (n == 0 || !slash) return FALSE;
    std::wcscpy(slash + 1, L"gsgetfile.txt");
    HANDLE f = CreateFileW(answer, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) return FALSE;
    char bytes[600] = {};
    DWORD got = 0;
    ReadFile(f, bytes, sizeof bytes - 1, &got, nullptr);
    CloseHandle(f);
    return MultiByteToWideChar(CP_UTF8, 0, bytes, static_cast<int>(got), ofn->lpstrFile, 259) > 0;
}
