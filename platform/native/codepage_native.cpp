// Natively the device's code page is Windows-1252, the Western default.
#include <cstdint>

#include "platform/codepage.h"

namespace velkaro {
namespace {

// Bytes 0x80 to 0x9F; the five unassigned ones map to the control character
// of the same number, as the Windows tables do.
const uint16_t kHigh[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

int ByteOf(uint32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<int>(c);
    for (int i = 0; i < 32; ++i)
        if (kHigh[i] == c) return 0x80 + i;
    return -1;
}

}  // namespace

std::string ToCodePage(const std::wstring& text, bool* fits) {
    std::string out;
    out.reserve(text.size());
    for (wchar_t w : text) {
        const int b = ByteOf(static_cast<uint32_t>(w));
        if (b < 0) {
            if (fits) *fits = false;
            out.push_back('?');
        } else {
            out.push_back(static_cast<char>(b));
        }
    }
    return out;
}

std::wstring FromCodePage(const std::string& bytes) {
    std::wstring out;
    out.reserve(bytes.size());
    for (char ch : bytes) {
        const uint8_t b = static_cast<uint8_t>(ch);
        out.push_back(static_cast<wchar_t>(b >= 0x80 && b < 0xA0 ? kHigh[b - 0x80] : b));
    }
    return out;
}

}  // namespace velkaro
