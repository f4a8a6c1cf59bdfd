// Small helpers shared by the tests that run the plug-in under Wine.
#pragma once
#include <windows.h>

#include <string>

// Folder of the test program, where the build also puts velkaro.dll.
inline std::wstring ExeDir() {
    wchar_t path[MAX_PATH];
    DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring p(path, n);
    return p.substr(0, p.find_last_of(L"\\/") + 1);
}
