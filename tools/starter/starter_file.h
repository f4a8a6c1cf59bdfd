// The starter places as the editor's Stock: one category per region.
#pragma once
#include <vector>

#include "editor/record.h"
#include "tools/starter/starter.h"

namespace velkaro {

// The categories, the first region current. Coordinates are cut to the two
// decimals the category file keeps, so the file reads back as built.
Categories StarterCategories(const std::vector<StarterPlace>& places);

}  // namespace velkaro
