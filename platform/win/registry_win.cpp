#include <windows.h>

#include <vector>

#include "platform/registry.h"

namespace velkaro {
namespace {

// The desktop registry rejects key paths with a leading backslash.
std::wstring Strip(const std::wstring& path) {
    size_t p = 0;
    while (p < path.size() && path[p] == L'\\') ++p;
    return path.substr(p);
}

HKEY H(RegKey k) { return static_cast<HKEY>(k); }

}  // namespace

bool RegOpen(const std::wstring& path, RegKey* key) {
    HKEY k = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, Strip(path).c_str(), 0, KEY_ALL_ACCESS, &k) != ERROR_SUCCESS)
        return false;
    *key = k;
    return true;
}

bool RegCreate(const std::wstring& path, RegKey* key) {
    HKEY k = nullptr;
    DWORD disp = 0;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, Strip(path).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                        nullptr, &k, &disp) != ERROR_SUCCESS)
        return false;
    *key = k;
    return true;
}

void RegClose(RegKey key) {
    if (key) RegCloseKey(H(key));
}

bool RegValueExists(RegKey key, const wchar_t* name) {
    return RegQueryValueExW(H(key), name, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

bool RegReadDword(RegKey key, const wchar_t* name, uint32_t* value) {
    // One query: a value of any other size answers ERROR_MORE_DATA or a short size.
    DWORD v = 0, size = sizeof v, type = REG_NONE;
    if (RegQueryValueExW(H(key), name, nullptr, &type, reinterpret_cast<BYTE*>(&v), &size) != ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof v)
        return false;
    *value = v;
    return true;
}

bool RegReadText(RegKey key, const wchar_t* name, std::wstring* value, size_t width) {
    // Most texts fit the first buffer, so a read is usually one query.
    std::vector<wchar_t> buf(width + 2, 0);
    DWORD got = static_cast<DWORD>((buf.size() - 1) * sizeof(wchar_t)), type = REG_NONE;
    LONG rc = RegQueryValueExW(H(key), name, nullptr, &type, reinterpret_cast<BYTE*>(buf.data()), &got);
    if (rc == ERROR_MORE_DATA) {
        buf.assign(got / sizeof(wchar_t) + 2, 0);
        got = static_cast<DWORD>((buf.size() - 1) * sizeof(wchar_t));
        rc = RegQueryValueExW(H(key), name, nullptr, &type, reinterpret_cast<BYTE*>(buf.data()), &got);
    }
    if (rc != ERROR_SUCCESS || type != REG_SZ) return false;
    buf[got / sizeof(wchar_t)] = 0;
    std::wstring text(buf.data());
    if (width == 0) width = 1;
    if (text.size() > width - 1) text.resize(width - 1);
    *value = text;
    return true;
}

bool RegWriteDword(RegKey key, const wchar_t* name, uint32_t value) {
    DWORD v = value;
    return RegSetValueExW(H(key), name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&v), sizeof v) ==
           ERROR_SUCCESS;
}

bool RegWriteText(RegKey key, const wchar_t* name, const std::wstring& value) {
    return RegSetValueExW(H(key), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

bool RegRemoveValue(RegKey key, const wchar_t* name) {
    return RegDeleteValueW(H(key), name) == ERROR_SUCCESS;
}

bool RegDeleteKeyPath(const std::wstring& path) {
    return RegDeleteKeyW(HKEY_CURRENT_USER, Strip(path).c_str()) == ERROR_SUCCESS;
}

bool RegReadRaw(const std::wstring& path, const wchar_t* name, uint32_t* type,
                std::vector<uint8_t>* bytes) {
    RegKey k;
    if (!RegOpen(path, &k)) return false;
    DWORD t = 0, size = 0;
    bool ok = RegQueryValueExW(H(k), name, nullptr, &t, nullptr, &size) == ERROR_SUCCESS;
    if (ok) {
        bytes->assign(size, 0);
        ok = RegQueryValueExW(H(k), name, nullptr, &t, bytes->data(), &size) == ERROR_SUCCESS;
        *type = t;
    }
    RegClose(k);
    return ok;
}

bool RegWriteRaw(const std::wstring& path, const wchar_t* name, uint32_t type,
                 const std::vector<uint8_t>& bytes) {
    RegKey k;
    if (!RegCreate(path, &k)) return false;
    bool ok = RegSetValueExW(H(k), name, 0, type, bytes.data(), static_cast<DWORD>(bytes.size())) ==
              ERROR_SUCCESS;
    RegClose(k);
    return ok;
}

bool RegKeyExists(const std::wstring& path) {
    RegKey k;
    if (!RegOpen(path, &k)) return false;
    RegClose(k);
    return true;
}

void RegClearAll() {}

}  // namespace velkaro
