// The option pages that map settings to controls one to one: one table of
// descriptors each, loaded and applied by the walks of options_fields.h. The
// location and sort pages have their own headers.
#pragma once
#include <vector>

#include "settings/options_fields.h"
#include "settings/store.h"

namespace velkaro {

enum TablePage { kPageBase, kPageTap, kPageInfo, kPageAzi, kPageBack, kPageBody };

// A page's descriptors; body pages differ by body (the Moon's shows "Age"
// and has no name field).
const std::vector<FieldDef>& PageFields(TablePage page, int body = -1);
// The values the page shows. Opening the base page turns a "Deg" of "0" into
// the degree sign in memory.
PageValues LoadPage(TablePage page, int body, SettingsStore* store);
// Writes the page's values into the store.
void ApplyPage(TablePage page, int body, const PageValues& v, SettingsStore* store);

// The back page's "moon": the Moon's four colours for every body.
void BackCopyMoon(PageValues* v);
// The back page's "back": the colours, "Trans" and the blend weight taken
// again from memory.
void BackRetake(PageValues* v, const SettingsStore& store);

// Value keys of colours shown but not edited.
constexpr int kBodyBackValue = -1;                             // body page: the body's row background
inline int BackNameTextValue(int body) { return -10 - body; }  // back page: the body's text colour

}  // namespace velkaro
