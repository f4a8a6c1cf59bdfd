#include "settings/protocol.h"

#include "platform/registry.h"

namespace velkaro {

const wchar_t kSettingsKey[] = L"\\Software\\quorrin\\Velkaro";
const wchar_t kDayruneKey[] = L"\\Software\\quorrin\\Dayrune";
const wchar_t kWindowHandleValue[] = L"HWND";

std::wstring FormatWindowHandle(uint64_t handle) {
    static const wchar_t kDigits[] = L"0123456789abcdef";
    std::wstring out;
    do {
        out.insert(out.begin(), kDigits[handle & 15]);
        handle >>= 4;
    } while (handle != 0);
    return out;
}

uint64_t ParseWindowHandle(const std::wstring& text) {
    auto blank = [](wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n'; };
    size_t i = 0, end = text.size();
    while (i < end && blank(text[i])) ++i;
    while (end > i && blank(text[end - 1])) --end;
    if (i == end || end - i > 16) return 0;
    uint64_t v = 0;
    for (; i < end; ++i) {
        const wchar_t c = text[i];
        int d;
        if (c >= L'0' && c <= L'9') d = c - L'0';
        else if (c >= L'a' && c <= L'f') d = c - L'a' + 10;
        else if (c >= L'A' && c <= L'F') d = c - L'A' + 10;
        else return 0;
        v = v << 4 | static_cast<uint64_t>(d);
    }
    return v;
}

bool WriteWindowHandle(const std::wstring& key, uint64_t handle) {
    RegKey k;
    if (!RegCreate(key, &k)) return false;
    const bool ok = RegWriteText(k, kWindowHandleValue, FormatWindowHandle(handle));
    RegClose(k);
    return ok;
}

uint64_t ReadWindowHandle(const std::wstring& key) {
    RegKey k;
    if (!RegOpen(key, &k)) return 0;
    std::wstring text;
    const bool found = RegReadText(k, kWindowHandleValue, &text, 32);
    RegClose(k);
    return found ? ParseWindowHandle(text) : 0;
}

}  // namespace velkaro
