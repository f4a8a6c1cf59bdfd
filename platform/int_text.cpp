#include "platform/int_text.h"

#include <algorithm>
#include <climits>
#include <cwchar>

namespace velkaro {
namespace {

template <typename Char>
bool IsBlank(Char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

template <typename Char>
IntReading Read(const Char* begin, const Char* end) {
    IntReading r;
    const Char* p = begin;
    while (p < end && IsBlank(*p)) ++p;
    r.Blanks = p != begin;
    bool negative = false;
    if (p < end && (*p == '+' || *p == '-')) negative = *p++ == '-';
    // The magnitude is gathered unsigned, so LLONG_MIN itself still fits.
    const unsigned long long limit = negative ? 0ULL - static_cast<unsigned long long>(LLONG_MIN) : LLONG_MAX;
    unsigned long long v = 0;
    const Char* digits = p;
    for (; p < end && *p >= '0' && *p <= '9'; ++p) {
        const unsigned d = static_cast<unsigned>(*p - '0');
        if (v > (limit - d) / 10)
            r.Overflow = true;
        else if (!r.Overflow)
            v = v * 10 + d;
    }
    r.Digits = p != digits;
    if (!r.Digits) {
        r.Rest = begin != end;
        return r;
    }
    r.Rest = p != end;
    if (r.Overflow) v = limit;
    if (!negative)
        r.Value = static_cast<long long>(v);
    else
        r.Value = v > static_cast<unsigned long long>(LLONG_MAX) ? LLONG_MIN : -static_cast<long long>(v);
    return r;
}

template <typename Text>
bool Whole(const Text& text, long long lo, long long hi, long long* out) {
    const IntReading r = ReadIntText(text);
    if (!r.Digits || r.Rest || r.Overflow || r.Value < lo || r.Value > hi) return false;
    *out = r.Value;
    return true;
}

}  // namespace

IntReading ReadIntText(const wchar_t* text) {
    if (!text) return IntReading{};
    return Read(text, text + std::wcslen(text));
}

IntReading ReadIntText(const std::wstring& text) { return Read(text.data(), text.data() + text.size()); }
IntReading ReadIntText(const std::string& text) { return Read(text.data(), text.data() + text.size()); }

long long LeadingInt(const std::wstring& text, bool* found) {
    const IntReading r = ReadIntText(text);
    if (found) *found = r.Digits;
    return r.Value;
}

long long LeadingInt(const std::string& text, bool* found) {
    const IntReading r = ReadIntText(text);
    if (found) *found = r.Digits;
    return r.Value;
}

int ClampedInt(const wchar_t* text, int lo, int hi) {
    return static_cast<int>(std::clamp<long long>(ReadIntText(text).Value, lo, hi));
}

bool WholeInt(const std::wstring& text, long long lo, long long hi, long long* out) {
    return Whole(text, lo, hi, out);
}

bool WholeInt(const std::string& text, long long lo, long long hi, long long* out) {
    return Whole(text, lo, hi, out);
}

}  // namespace velkaro
