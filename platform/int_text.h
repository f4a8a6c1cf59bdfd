// Decimal integers read from text the way "%lld" reads them: blanks (space,
// tab, line ends), an optional sign, then digits; what follows is left unread.
// One reader for the option fields, the editor's fields and files, and the
// command lines, so that each takes the same texts.
#pragma once
#include <string>

namespace velkaro {

struct IntReading {
    long long Value = 0;    // 0 without digits; LLONG_MAX or LLONG_MIN past that range
    bool Digits = false;    // at least one digit followed the blanks and the sign
    bool Overflow = false;  // the digits lie past long long's range
    bool Blanks = false;    // the text starts with a blank
    bool Rest = false;      // something is left unread (all of a text without digits)
};

// The integer at the start of text. A null text reads as "". The string forms
// read the whole string, so a NUL inside it is part of the rest.
IntReading ReadIntText(const wchar_t* text);
IntReading ReadIntText(const std::wstring& text);
IntReading ReadIntText(const std::string& text);

// The leading integer, 0 when there are no digits; *found (when given) tells
// whether there were. Past long long's range it stops at LLONG_MAX or LLONG_MIN.
long long LeadingInt(const std::wstring& text, bool* found = nullptr);
long long LeadingInt(const std::string& text, bool* found = nullptr);

// The leading integer held to lo..hi; a text without digits is 0, then held.
int ClampedInt(const wchar_t* text, int lo, int hi);

// True, with *out set, when text is an integer within lo..hi and nothing after
// it (blanks before it are allowed); *out is untouched otherwise.
bool WholeInt(const std::wstring& text, long long lo, long long hi, long long* out);
bool WholeInt(const std::string& text, long long lo, long long hi, long long* out);

}  // namespace velkaro
