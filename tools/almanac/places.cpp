#include "tools/almanac/places.h"

#include <cwctype>

#include "editor/record.h"
#include "editor/stock_file.h"

namespace velkaro {
namespace {

// Base letters of U+00C0..U+017F; '\0' where a letter stands alone (×, ÷)
// and '2' where it folds to two letters.
const char kBaseLetters[] =
    "AAAAAA2CEEEEIIII"  // U+00C0
    "DNOOOOO\0OUUUUY22"  // U+00D0
    "aaaaaa2ceeeeiiii"  // U+00E0
    "dnooooo\0ouuuuy2y"  // U+00F0
    "AaAaAaCcCcCcCcDd"  // U+0100
    "DdEeEeEeEeEeGgGg"  // U+0110
    "GgGgHhHhIiIiIiIi"  // U+0120
    "Ii22JjKkkLlLlLlL"  // U+0130
    "lLlNnNnNnnNnOoOo"  // U+0140
    "Oo22RrRrRrSsSsSs"  // U+0150
    "SsTtTtTtUuUuUuUu"  // U+0160
    "UuUuWwYyYZzZzZzs";  // U+0170

const wchar_t* TwoLetters(wchar_t c) {
    switch (c) {
        case 0xC6: case 0xE6: return L"ae";
        case 0xDE: case 0xFE: return L"th";
        case 0xDF: return L"ss";
        case 0x132: case 0x133: return L"ij";
        case 0x152: case 0x153: return L"oe";
        default: return L"";
    }
}

bool SamePlace(const LocationRecord& a, const LocationRecord& b) {
    return a.Lat == b.Lat && a.Lng == b.Lng && a.Altitude == b.Altitude && a.UtcGet == b.UtcGet &&
           a.UtcMargin == b.UtcMargin && a.ExistDST == b.ExistDST && a.DST == b.DST;
}

LocationRecord ToLocation(const EditorRecord& e) {
    LocationRecord r;
    r.Valid = e.Valid;
    r.Location = e.Location;
    r.Lat = e.Lat;
    r.Lng = e.Lng;
    r.Altitude = e.Altitude;
    r.UtcGet = e.UtcGet;
    r.UtcMargin = e.UtcMargin;
    r.ExistDST = e.ExistDST;
    r.DST = e.DST;
    return r;
}

}  // namespace

std::wstring FoldPlaceName(const std::wstring& name) {
    std::wstring out;
    for (wchar_t c : name) {
        if (c >= 0xC0 && c <= 0x17F) {
            const char base = kBaseLetters[c - 0xC0];
            if (base == '2') {
                out += TwoLetters(c);
                continue;
            }
            if (base != '\0') c = static_cast<wchar_t>(base);
        }
        if (c == L'_') c = L' ';
        out.push_back(static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c))));
    }
    return out;
}

PlaceLookup FindPlace(const std::wstring& name, const std::wstring& libraryPath,
                      std::vector<PlaceMatch>* matches, bool* libraryRead) {
    matches->clear();
    *libraryRead = false;
    std::wstring category, key = FoldPlaceName(name);
    const size_t first = key.find(L'/');
    if (first != std::wstring::npos) {
        category = key.substr(0, first);
        key = key.substr(key.rfind(L'/') + 1);
    } else {
        for (const LocationRecord& r : CityTable())
            if (FoldPlaceName(r.Location) == key) {
                matches->push_back({r, r.Location});
                return PlaceLookup::kFound;
            }
    }
    Categories library;
    if (!libraryPath.empty() && LoadStockFile(&library, libraryPath)) {
        *libraryRead = true;
        for (size_t i = 0; i < library.Names.size(); ++i) {
            if (static_cast<int>(i) == kRegBakCategory || static_cast<int>(i) == kSearchCategory) continue;
            if (!category.empty() && FoldPlaceName(library.Names[i]) != category) continue;
            for (const EditorRecord& e : library.Stores[i]) {
                if (!e.Valid || FoldPlaceName(e.Location) != key) continue;
                const LocationRecord r = ToLocation(e);
                bool seen = false;
                for (const PlaceMatch& m : *matches) seen = seen || SamePlace(m.Place, r);
                if (!seen) matches->push_back({r, library.Names[i] + L"/" + e.Location});
            }
        }
    }
    if (matches->empty()) return PlaceLookup::kUnknown;
    return matches->size() == 1 ? PlaceLookup::kFound : PlaceLookup::kAmbiguous;
}

}  // namespace velkaro
