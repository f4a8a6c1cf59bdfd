// The option pages that map settings to controls one to one: their control
// tables, the values they show and how those values are applied. The
// location and sort pages have their own headers.
#pragma once
#include <vector>

#include "settings/options_fields.h"
#include "settings/store.h"

namespace velkaro {

// The base page. Opening it turns a "Deg" of "0" into the degree sign in memory.
const std::vector<FieldDef>& BaseFields();
PageValues BaseLoad(SettingsStore* store);
void BaseApply(const PageValues& v, SettingsStore* store);

// The tap page: list index = action + 1.
const std::vector<FieldDef>& TapFields();
PageValues TapLoad(const SettingsStore& store);
void TapApply(const PageValues& v, SettingsStore* store);

// The title band's page.
const std::vector<FieldDef>& InfoFields();
PageValues InfoLoad(const SettingsStore& store);
void InfoApply(const PageValues& v, SettingsStore* store);

// The azimuth meter's page.
const std::vector<FieldDef>& AziFields();
PageValues AziLoad(const SettingsStore& store);
void AziApply(const PageValues& v, SettingsStore* store);

// The background page with the four row colours of every body.
const std::vector<FieldDef>& BackFields();
PageValues BackLoad(const SettingsStore& store);
void BackApply(const PageValues& v, SettingsStore* store);
// "moon": the Moon's four colours for every body.
void BackCopyMoon(PageValues* v);
// "back": the colours, "Trans" and the blend weight taken again from memory.
void BackRetake(PageValues* v, const SettingsStore& store);

// A body's page (the Moon's shows "Age" and has no name field).
const std::vector<FieldDef>& BodyFields(int body);
PageValues BodyLoad(const SettingsStore& store, int body);
void BodyApply(const PageValues& v, int body, SettingsStore* store);

// Value keys of colours shown but not edited.
constexpr int kBodyBackValue = -1;            // body page: the body's row background
inline int BackNameTextValue(int body) { return -10 - body; }  // back page: the body's text colour

// The rise, set and culmination lines share one set of parts; a page shows
// those of the line with the most (as a signed number).
int SharedEventParts(const BodyStyle& s);

}  // namespace velkaro
