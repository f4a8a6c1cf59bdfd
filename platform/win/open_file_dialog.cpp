#include "platform/win/open_file_dialog.h"

#include <commdlg.h>

#include <cwchar>

namespace velkaro {

bool ChooseFileToOpen(HWND owner, const OpenFileStart& start, std::wstring* chosen) {
    wchar_t file[kOpenFilePathChars] = {};
    wcsncpy(file, start.File.c_str(), kOpenFilePathChars - 1);
    // The platform's own record, as the replacement library expects it (76
    // bytes on the handheld); fields not named here stay 0.
    OPENFILENAMEW ofn = {};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = start.Filter;
    ofn.lpstrFile = file;
    ofn.nMaxFile = kOpenFilePathChars;
    ofn.lpstrInitialDir = start.Folder.empty() ? nullptr : start.Folder.c_str();
    ofn.Flags = start.Flags;
    using OpenFileFn = BOOL(WINAPI*)(OPENFILENAMEW*);
    HMODULE replacement = LoadLibraryW(L"gsgetfile.dll");
    auto open = replacement ? reinterpret_cast<OpenFileFn>(reinterpret_cast<void*>(
                                  GetProcAddress(replacement, "gsGetOpenFileName")))
                            : nullptr;
    const BOOL picked = open ? open(&ofn) : GetOpenFileNameW(&ofn);
    if (replacement) FreeLibrary(replacement);
    if (!picked) return false;
    file[kOpenFilePathChars - 1] = L'\0';  // a replacement dialog may fill the buffer to its end
    *chosen = file;
    return true;
}

}  // namespace velkaro
