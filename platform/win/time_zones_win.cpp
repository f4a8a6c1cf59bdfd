#include <windows.h>

#include "platform/time_zones.h"

namespace velkaro {
namespace {

// The desktop keeps the list under Windows NT's key; the handheld directly
// under the local machine.
const wchar_t* const kZoneKeys[] = {L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Time Zones", L"Time Zones"};

constexpr size_t kDisplayChars = 255;  // longer display names are cut
constexpr DWORD kTziBytes = 64;       // the record is 44 bytes; anything longer is not one

std::wstring ReadDisplay(HKEY zone) {
    DWORD type = 0, size = 0;
    if (RegQueryValueExW(zone, L"Display", nullptr, &type, nullptr, &size) != ERROR_SUCCESS || type != REG_SZ)
        return std::wstring();
    std::wstring text(size / sizeof(wchar_t) + 1, L'\0');
    size = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    if (RegQueryValueExW(zone, L"Display", nullptr, &type, reinterpret_cast<BYTE*>(&text[0]), &size) != ERROR_SUCCESS)
        return std::wstring();
    text.resize(wcsnlen(text.c_str(), size / sizeof(wchar_t)));
    if (text.size() > kDisplayChars) text.resize(kDisplayChars);
    return text;
}

std::vector<uint8_t> ReadTzi(HKEY zone) {
    BYTE bytes[kTziBytes];
    DWORD type = 0, size = sizeof bytes;
    if (RegQueryValueExW(zone, L"TZI", nullptr, &type, bytes, &size) != ERROR_SUCCESS || type != REG_BINARY)
        return {};
    return std::vector<uint8_t>(bytes, bytes + size);
}

std::vector<PlatformTimeZone> ReadList(HKEY list) {
    std::vector<PlatformTimeZone> out;
    for (DWORD i = 0;; ++i) {
        wchar_t name[256];
        DWORD chars = 256;
        const LONG rc = RegEnumKeyExW(list, i, name, &chars, nullptr, nullptr, nullptr, nullptr);
        if (rc == ERROR_MORE_DATA) continue;  // a name no zone has
        if (rc != ERROR_SUCCESS) break;
        HKEY zone;
        if (RegOpenKeyExW(list, name, 0, KEY_READ, &zone) != ERROR_SUCCESS) continue;
        out.push_back(PlatformTimeZone{std::wstring(name, chars), ReadDisplay(zone), ReadTzi(zone)});
        RegCloseKey(zone);
    }
    return out;
}

}  // namespace

std::vector<PlatformTimeZone> ReadPlatformTimeZones() {
    for (const wchar_t* path : kZoneKeys) {
        HKEY list;
        if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path, 0, KEY_READ, &list) != ERROR_SUCCESS) continue;
        std::vector<PlatformTimeZone> out = ReadList(list);
        RegCloseKey(list);
        return out;
    }
    return {};
}

}  // namespace velkaro
