#include "editor/record.h"

#include <cstring>

namespace velkaro {

const wchar_t kRegBakName[] = L"_REG_BAK";
const wchar_t kSearchName[] = L"_SEARCH";

std::wstring CutToField(const std::wstring& text) {
    const size_t max = kEditorTextWidth - 1;
    if (text.size() <= max) return text;
    size_t n = max;
    const uint32_t last = static_cast<uint32_t>(text[n - 1]);
    if (sizeof(wchar_t) == 2 && last >= 0xD800 && last <= 0xDBFF) --n;  // keep pairs whole
    return text.substr(0, n);
}

bool SamePlace(const EditorRecord& a, const EditorRecord& b) {
    // Doubles bit for bit, so that a place read as "nan" still equals itself.
    return a.Valid == b.Valid && a.Location == b.Location && std::memcmp(&a.Lat, &b.Lat, sizeof a.Lat) == 0 &&
           std::memcmp(&a.Lng, &b.Lng, sizeof a.Lng) == 0 && a.Altitude == b.Altitude &&
           a.Prominence == b.Prominence && a.UtcGet == b.UtcGet &&
           std::memcmp(&a.UtcMargin, &b.UtcMargin, sizeof a.UtcMargin) == 0 && a.ExistDST == b.ExistDST &&
           a.DST == b.DST && a.Memo == b.Memo;
}

void ResetCategories(Categories* c) {
    for (RecordList& s : c->Stores) s.clear();
    c->Names = {kRegBakName, kSearchName};
    c->Fixed = {1, 0};
    c->NameIndex.clear();
    c->NameIndex[kRegBakName] = kRegBakCategory;
    c->NameIndex[kSearchName] = kSearchCategory;
    c->Current = 0;
}

int AddCategory(Categories* c, const std::wstring& name, int32_t fixed) {
    const int index = CategoryCount(*c);
    if (name.empty() || index >= kCategoryCapacity || c->NameIndex.count(name)) return -1;
    c->Names.push_back(name);
    c->Fixed.push_back(fixed);
    c->NameIndex[name] = index;
    c->Stores[static_cast<size_t>(index)].clear();
    return index;
}

int FindCategory(const Categories& c, const std::wstring& name) {
    auto it = c.NameIndex.find(name);
    return it == c.NameIndex.end() ? -1 : it->second;
}

int CategoryCount(const Categories& c) { return static_cast<int>(c.Names.size()); }

bool IsEditable(const Categories& c, int index) {
    return index > kRegBakCategory && index < CategoryCount(c) && c.Fixed[static_cast<size_t>(index)] == 0;
}

std::vector<int> CategoriesInBoxOrder(const Categories& c) {
    std::vector<int> out;
    for (const auto& entry : c.NameIndex)
        if (!entry.first.empty()) out.push_back(entry.second);
    return out;
}

int NeighbourCategory(const Categories& c, int index, int direction) {
    if (c.NameIndex.empty()) return index;
    auto it = index >= 0 && index < CategoryCount(c) ? c.NameIndex.find(c.Names[static_cast<size_t>(index)])
                                                      : c.NameIndex.end();
    if (it == c.NameIndex.end()) return c.NameIndex.begin()->second;
    if (direction > 0) {
        ++it;
        if (it == c.NameIndex.end()) it = c.NameIndex.begin();
    } else {
        if (it == c.NameIndex.begin()) it = c.NameIndex.end();
        --it;
    }
    return it->second;
}

}  // namespace velkaro
