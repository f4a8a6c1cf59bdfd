#include <windows.h>


#include "platform/codepage.h"

namespace velkaro {

std::string ToCodePage(const std::wstring& text, bool* fits) {
    if (text.empty()) return std::string();
    const int len = static_cast<int>(text.size());
    // No best-fit mapping: a character the code page lacks must be seen as
    // missing, not silently turned into a look-alike.
    const DWORD flags = WC_NO_BEST_FIT_CHARS;
    BOOL usedDefault = FALSE;
    int n = WideCharToMultiByte(CP_ACP, flags, text.data(), len, nullptr, 0, nullptr, nullptr);
    if (n <= 0) {
        if (fits) *fits = false;
        return std::string();
    }
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, flags, text.data(), len, &out[0], n, nullptr, &usedDefault);
    if (fits && (usedDefault || FromCodePage(out) != text)) *fits = false;
    return out;
}

std::wstring FromCodePage(const std::string& bytes) {
    if (bytes.empty()) return std::wstring();
    const int len = static_cast<int>(bytes.size());
    const int n = MultiByteToWideChar(CP_ACP, 0, bytes.data(), len, nullptr, 0);
    if (n <= 0) return std::wstring();
    std::wstring out(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_ACP, 0, bytes.data(), len, &out[0], n);
    return out;
}

}  // namespace velkaro
