// The editor's records, lists and categories: what the main window owns for
// the life of the program.
#pragma once
#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace velkaro {

constexpr size_t kEditorTextWidth = 260;  // 259 characters and a terminator
constexpr int kCategoryCapacity = 100;
constexpr int kRegBakCategory = 0;  // the registry's contents before the last write
constexpr int kSearchCategory = 1;  // hits of the last search; never saved
extern const wchar_t kRegBakName[];  // "_REG_BAK"
extern const wchar_t kSearchName[];  // "_SEARCH"

struct EditorRecord {
    int32_t Number = 0;      // place in its category store, or slot number
    int32_t DeleteMark = 0;  // set only while cutting from the Stock
    int32_t Valid = 0;  // ticked: written to the slots as a place the item shows
    std::wstring Location;  // the place's name, up to 259 characters
    double Lat = 0;  // latitude, degrees north
    double Lng = 0;  // longitude, degrees east
    int32_t Altitude = 0;  // height above sea level, metres (the one the slots carry)
    int32_t Prominence = 0;  // second height kept with the altitude
    int32_t UtcGet = 0;  // how the offset is obtained: a UtcMode value
    double UtcMargin = 0;  // standard-time offset, hours east of UTC (5.5, -3.5)
    int32_t ExistDST = 0;  // the place has a daylight-saving rule (DST not empty)
    std::wstring DST;  // daylight-saving rule ("03/S2 02;11/S1 02"), engine/dst_rule.h
    std::wstring Memo;  // never written to the registry
    // A hit in "_SEARCH": the category it was found in and its Number there,
    // so that changes reach the place itself. -1 otherwise; never stored.
    int32_t FoundIn = -1;
    int32_t FoundAt = -1;
};

// Same place: every field the file or the registry keeps is equal.
bool SamePlace(const EditorRecord& a, const EditorRecord& b);

using RecordList = std::vector<EditorRecord>;

// The Stock: everything the category file holds.
struct Categories {
    std::array<RecordList, kCategoryCapacity> Stores;
    std::vector<std::wstring> Names;   // by category index
    std::vector<int32_t> Fixed;        // by category index; non-zero is read-only
    std::map<std::wstring, int> NameIndex;  // name to index, in code-unit order
    int Current = 0;
};

// A text cut to what a record field holds, never splitting a surrogate pair.
std::wstring CutToField(const std::wstring& text);

// Empties every store and leaves only the two reserved categories.
void ResetCategories(Categories* c);
// Adds a category at the next index. Returns the index, or -1 when the name
// is empty or taken or all hundred stores are in use.
int AddCategory(Categories* c, const std::wstring& name, int32_t fixed);
// Index of a name, or -1.
int FindCategory(const Categories& c, const std::wstring& name);
int CategoryCount(const Categories& c);
// Not "_REG_BAK" and not fixed: only such a category's records may change.
bool IsEditable(const Categories& c, int index);
// Indexes of the non-empty names in name order, as the category box lists them.
std::vector<int> CategoriesInBoxOrder(const Categories& c);
// The category a swipe leads to: the next name in name order (direction > 0)
// or the previous one, wrapping at both ends.
int NeighbourCategory(const Categories& c, int index, int direction);

}  // namespace velkaro
