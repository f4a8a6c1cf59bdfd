#include <windows.h>

#include "platform/files.h"

namespace velkaro {

bool ReadFileBytes(const std::wstring& path, std::string* bytes) {
    HANDLE f = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) return false;
    std::string out;
    char buf[65536];
    DWORD got = 0;
    bool ok = true;
    for (;;) {
        if (!ReadFile(f, buf, sizeof buf, &got, nullptr)) {
            ok = false;
            break;
        }
        if (got == 0) break;
        out.append(buf, got);
    }
    CloseHandle(f);
    if (ok) *bytes = std::move(out);
    return ok;
}

bool FileMissing(const std::wstring& path) {
    if (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) return false;
    const DWORD err = GetLastError();
    return err == ERROR_FILE_NOT_FOUND || err == ERROR_PATH_NOT_FOUND;
}

bool ReplaceFileBytes(const std::wstring& path, const std::string& bytes, int* error) {
    const std::wstring temp = path + L".new";
    HANDLE f = CreateFileW(temp.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                           CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) {
        if (error) *error = static_cast<int>(GetLastError());
        return false;
    }
    bool ok = true;
    DWORD err = 0;
    size_t done = 0;
    // A full disk first takes part of a chunk with success; the next write
    // then fails with the reason.
    while (ok && done < bytes.size()) {
        const DWORD chunk = static_cast<DWORD>(bytes.size() - done > (1u << 20) ? (1u << 20) : bytes.size() - done);
        DWORD wrote = 0;
        if (!WriteFile(f, bytes.data() + done, chunk, &wrote, nullptr)) {
            ok = false;
            err = GetLastError();
        } else if (wrote == 0) {
            ok = false;
            err = ERROR_DISK_FULL;
        }
        done += wrote;
    }
    if (ok && !FlushFileBuffers(f)) {
        ok = false;
        err = GetLastError();
    }
    if (!CloseHandle(f) && ok) {
        ok = false;
        err = GetLastError();
    }
    if (ok && !MoveFileExW(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        ok = false;
        err = GetLastError();
    }
    if (!ok) {
        DeleteFileW(temp.c_str());
        if (error) *error = static_cast<int>(err != 0 ? err : ERROR_WRITE_FAULT);
    }
    return ok;
}

}  // namespace velkaro
