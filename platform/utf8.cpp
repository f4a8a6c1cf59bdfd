// UTF-8 for both widths of wchar_t: UTF-16 on Windows, UTF-32 natively.
#include <cstdint>

#include "platform/codepage.h"

namespace velkaro {
namespace {

constexpr uint32_t kReplacement = 0xFFFD;

void Encode(uint32_t c, std::string* out) {
    if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) c = kReplacement;
    if (c < 0x80) {
        out->push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out->push_back(static_cast<char>(0xC0 | (c >> 6)));
        out->push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out->push_back(static_cast<char>(0xE0 | (c >> 12)));
        out->push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out->push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out->push_back(static_cast<char>(0xF0 | (c >> 18)));
        out->push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out->push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out->push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

void Append(uint32_t c, std::wstring* out) {
    if (sizeof(wchar_t) == 2 && c >= 0x10000) {
        c -= 0x10000;
        out->push_back(static_cast<wchar_t>(0xD800 | (c >> 10)));
        out->push_back(static_cast<wchar_t>(0xDC00 | (c & 0x3FF)));
    } else {
        out->push_back(static_cast<wchar_t>(c));
    }
}

// Length of the sequence a lead byte starts and the bits it carries; 0 for a
// byte that cannot start one.
int LeadLength(uint8_t b, uint32_t* bits) {
    if (b < 0x80) { *bits = b; return 1; }
    if (b >= 0xC2 && b <= 0xDF) { *bits = b & 0x1F; return 2; }
    if (b >= 0xE0 && b <= 0xEF) { *bits = b & 0x0F; return 3; }
    if (b >= 0xF0 && b <= 0xF4) { *bits = b & 0x07; return 4; }
    return 0;
}

}  // namespace

std::string ToUtf8(const std::wstring& text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        uint32_t c = static_cast<uint32_t>(text[i]);
        if (sizeof(wchar_t) == 2) {
            c &= 0xFFFF;
            if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size()) {
                const uint32_t low = static_cast<uint32_t>(text[i + 1]) & 0xFFFF;
                if (low >= 0xDC00 && low <= 0xDFFF) {
                    c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
                    ++i;
                }
            }
        }
        Encode(c, &out);
    }
    return out;
}

std::wstring FromUtf8(const std::string& bytes) {
    std::wstring out;
    out.reserve(bytes.size());
    size_t i = 0;
    while (i < bytes.size()) {
        uint32_t c = 0;
        const int n = LeadLength(static_cast<uint8_t>(bytes[i]), &c);
        if (n == 0) {
            Append(kReplacement, &out);
            ++i;
            continue;
        }
        int k = 1;
        for (; k < n && i + k < bytes.size(); ++k) {
            const uint8_t b = static_cast<uint8_t>(bytes[i + k]);
            if ((b & 0xC0) != 0x80) break;
            c = c << 6 | (b & 0x3F);
        }
        const bool overlong = (n == 3 && c < 0x800) || (n == 4 && c < 0x10000);
        if (k < n || overlong || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
            Append(kReplacement, &out);
            i += static_cast<size_t>(k);  // resume at the byte that broke the sequence
            continue;
        }
        Append(c, &out);
        i += static_cast<size_t>(n);
    }
    return out;
}

}  // namespace velkaro
