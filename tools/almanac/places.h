// The almanac's places by name: the built-in cities, then the records of a
// category file (the starter library the build makes, or a user's own file).
#pragma once
#include <string>
#include <vector>

#include "settings/location.h"

namespace velkaro {

// A name as the lookup compares it: lower case, Latin letters without their
// accents ("Zürich" and "ZURICH" both give "zurich"), "_" read as a blank.
std::wstring FoldPlaceName(const std::wstring& name);

struct PlaceMatch {
    LocationRecord Place;
    std::wstring Where;  // "Europe/Zurich": category and name; the name alone for a built-in city
};

enum class PlaceLookup { kFound, kUnknown, kAmbiguous };

// Looks a name up: a built-in city of that name wins; otherwise every record
// of the library's categories (but the registry backup) of that name, one
// entry per distinct place. "CATEGORY/NAME" (or a zone name such as
// "America/Argentina/Buenos_Aires": its first and last parts) looks in that
// category only. *libraryRead tells whether the file at libraryPath (empty
// for none) could be read. kFound leaves the place in (*matches)[0];
// kAmbiguous leaves every candidate, in file order.
PlaceLookup FindPlace(const std::wstring& name, const std::wstring& libraryPath,
                      std::vector<PlaceMatch>* matches, bool* libraryRead);

}  // namespace velkaro
