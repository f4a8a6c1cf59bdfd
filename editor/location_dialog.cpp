#include "editor/location_dialog.h"

#include <cstdlib>

#include "editor/fields.h"
#include "platform/int_text.h"
#include "settings/location.h"

namespace velkaro {

const wchar_t kReadOnlyLocationCaption[] = L"Location (read-only)";

namespace {

// The heights field taken as 8-bit text: only digits and "/" carry meaning.
std::string Narrow(const std::wstring& text) {
    std::string out;
    out.reserve(text.size());
    for (wchar_t ch : text) out.push_back(ch > 0 && ch < 0x80 ? static_cast<char>(ch) : '?');
    return out;
}

}  // namespace

LocationForm OpenLocationForm(const EditorRecord& r) {
    LocationForm f;
    f.Valid = r.Valid != 0;
    f.Location = r.Location;
    f.Lat = FormatFixed6(r.Lat);
    f.Lng = FormatFixed6(r.Lng);
    f.Heights = FormatHeights(r);
    f.Margin = FormatUtcOffset(r.UtcMargin);  // "5.75" stays 5.75
    f.Offset = OffsetBoxesFor(r.UtcGet);
    f.DST = r.DST;
    f.Memo = r.Memo;
    return f;
}

void ConfirmLocationForm(const LocationForm& f, EditorRecord* r) {
    r->Valid = f.Valid ? 1 : 0;
    r->Location = CutToField(f.Location);
    r->Lat = ParseLeadingDouble(f.Lat);
    r->Lng = ParseLeadingDouble(f.Lng);
    ReadHeights(Narrow(f.Heights), &r->Prominence, &r->Altitude);
    r->UtcMargin = ParseLeadingDouble(f.Margin);
    r->UtcGet = UtcGetFromBoxes(f.Offset, r->UtcGet);
    r->DST = CutToField(f.DST);
    r->ExistDST = r->DST.empty() ? 0 : 1;
    r->Memo = CutToField(f.Memo);
}

bool TakesHeightsCharacter(wchar_t ch) { return (ch >= L'0' && ch <= L'9') || ch == L'/' || ch < 0x20; }

double ConvertDegrees(const std::wstring& degrees, const std::wstring& minutes, const std::wstring& seconds) {
    const long long d = LeadingInt(degrees);
    const long long m = std::llabs(LeadingInt(minutes)), s = std::llabs(LeadingInt(seconds));
    return DegreesFromParts(static_cast<double>(d), static_cast<double>(m), static_cast<double>(s), d < 0);
}

std::wstring ClipboardShown(const wchar_t* text, size_t chars) {
    std::wstring out;
    for (size_t i = 0; i < chars && text[i]; ++i) {  // the bound before the read
        if (text[i] == L'\n' && (i == 0 || text[i - 1] != L'\r')) out.push_back(L'\r');
        out.push_back(text[i]);
    }
    return out;
}

}  // namespace velkaro
