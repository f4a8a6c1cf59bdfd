#include "editor/fields.h"

#include "platform/int_text.h"

namespace velkaro {
namespace {

int32_t HeightInRange(long long v) { return v < 0 || v > kHeightMax ? 0 : static_cast<int32_t>(v); }

}  // namespace

void ReadHeights(const std::string& text, int32_t* prominence, int32_t* altitude) {
    if (text.find('/') == std::string::npos) {
        *prominence = *altitude = HeightInRange(LeadingInt(text));
        return;
    }
    long long found[2] = {0, 0};
    int n = 0;
    size_t start = 0;
    while (n < 2 && start <= text.size()) {
        const size_t slash = text.find('/', start);
        const std::string piece = text.substr(start, slash == std::string::npos ? std::string::npos : slash - start);
        if (!piece.empty()) found[n++] = LeadingInt(piece);
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
