// The editor's starter library: one place for every zone of the time-zone
// database's zone1970.tab, in one category per region, each with the rule
// composed from its zone's changes.
#pragma once
#include <string>
#include <vector>

#include "engine/rule_compose.h"

namespace velkaro {

// The years whose changes a place's rule must reproduce.
constexpr int kStarterFirstYear = 2026, kStarterLastYear = 2030;

// The regions, in the order of the categories.
extern const char* const kStarterRegions[];
constexpr int kStarterRegionCount = 9;

struct ZoneTabEntry {
    std::string Countries;  // "AE,OM,RE,SC,TF"
    double Lat = 0, Lng = 0;
    std::string Zone;  // "Asia/Dubai"
};

// One line of zone1970.tab ("BR<tab>-2332-04637<tab>America/Sao_Paulo<tab>...").
// False for comments, blank lines and anything malformed.
bool ParseZoneTabLine(const std::string& line, ZoneTabEntry* entry);
// ISO 6709 "+DDMM+DDDMM" or "+DDMMSS+DDDMMSS" to degrees; false when malformed.
bool ParseIso6709(const std::string& text, double* lat, double* lng);
// The zone's city part in words: "America/Argentina/Buenos_Aires" gives "Buenos Aires".
std::wstring CityName(const std::string& zone);
// The zone's first part ("America"); its index in kStarterRegions, -1 when none.
int RegionIndex(const std::string& zone);

struct StarterPlace {
    std::string Zone;
    int Region = -1;
    std::wstring Name;
    double Lat = 0, Lng = 0;
    double UtcMargin = 0;
    std::wstring DST;
    std::wstring Memo;    // "America/Sao_Paulo BR", plus the irregular mark
    int Result = kNoDst;  // of the rule composition
};

extern const wchar_t kIrregularMark[];  // added to the memo

StarterPlace MakeStarterPlace(const ZoneTabEntry& entry, const ZoneYears& years);

// Every zone of a zone1970.tab file as a place, its rule composed from the
// system's time-zone database. False, with a message in *error, when the file
// cannot be read or names a zone the database lacks.
bool BuildStarterPlaces(const std::string& tabPath, std::vector<StarterPlace>* places, std::string* error);

// The places of each region in kStarterRegions order, sorted by name; places
// of other regions are left out.
std::vector<std::vector<StarterPlace>> GroupByRegion(const std::vector<StarterPlace>& places);

}  // namespace velkaro
