#include "editor/fields.h"

namespace velkaro {
namespace {

template <typename Text>
long long LeadingIntegerOf(const Text& text, bool* found) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == '\r' || text[i] == '\v' ||
                               text[i] == '\f' || text[i] == '\n'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    long long v = 0;
    bool digits = false;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        digits = true;
        if (v < 1000000000000LL) v = v * 10 + (text[i] - '0');  // far beyond any range rule
    }
    if (found) *found = digits;
    return negative ? -v : v;
}

int32_t HeightInRange(long long v) { return v < 0 || v > kHeightMax ? 0 : static_cast<int32_t>(v); }

}  // namespace

long long LeadingInteger(const std::string& text, bool* found) { return LeadingIntegerOf(text, found); }
long long LeadingInteger(const std::wstring& text, bool* found) { return LeadingIntegerOf(text, found); }

void ReadHeights(const std::string& text, int32_t* prominence, int32_t* altitude) {
    if (text.find('/') == std::string::npos) {
        *prominence = *altitude = HeightInRange(LeadingInteger(text));
        return;
    }
    long long found[2] = {0, 0};
    int n = 0;
    size_t start = 0;
    while (n < 2 && start <= text.size()) {
        const size_t slash = text.find('/', start);
        const std::string piece = text.substr(start, slash == std::string::npos ? std::string::npos : slash - start);
        if (!piece.empty()) found[n++] = LeadingInteger(piece);
        if (slash == std::string::npos) break;
        start = slash + 1;
    }
    *prominence = HeightInRange(found[0]);
    *altitude = HeightInRange(found[1]);
}

std::wstring FormatHeights(const EditorRecord& r) {
    if (r.Altitude == r.Prominence) return std::to_wstring(r.Altitude);
    return std::to_wstring(r.Prominence) + L"/" + std::to_wstring(r.Altitude);
}

double DegreesFromParts(double d, double m, double s, bool negative) {
    const double k = 1.0 / 60;
    return negative ? d - (s * k + m) * k : (s * k + m) * k + d;
}

}  // namespace velkaro
