#include "platform/win/device_path.h"

#include <windows.h>

namespace velkaro {
namespace {

// "C:" of the module this function was linked into; "C:" when it has no drive letter.
std::wstring ModuleDrive() {
    HMODULE self = nullptr;
    wchar_t path[MAX_PATH] = {};
    if (GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                           reinterpret_cast<LPCWSTR>(&ModuleDrive), &self) &&
        GetModuleFileNameW(self, path, MAX_PATH) >= 2 && path[1] == L':')
        return std::wstring(path, 2);
    return L"C:";
}

}  // namespace

std::wstring DiskPath(const std::wstring& path) {
    if (!path.empty() && path[0] == L'\\' && (path.size() < 2 || path[1] != L'\\'))
        return ModuleDrive() + path;
    return path;
}

}  // namespace velkaro
