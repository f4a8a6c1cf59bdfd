// Arbitrary stored values must load without overrunning a field or naming a
// body outside 0..9.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "platform/registry.h"
#include "settings/store.h"

using namespace velkaro;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const wchar_t* const kNames[] = {L"Deg",    L"SortP0",   L"SortP1",  L"PosD",  L"DSTMark",
                                            L"MaxMin", L"FaceName", L"Lat",     L"Location",
                                            L"DST",    L"Valid",    L"UtcMargin", L"AlphaToday"};
    static bool saved = false;
    if (!saved) {
        RegClearAll();
        SaveSettingsStore(SettingsStore());
        saved = true;
    }
    size_t p = 0;
    while (p + 3 <= size) {
        const wchar_t* name = kNames[data[p] % (sizeof kNames / sizeof kNames[0])];
        const uint32_t type = data[p + 1] % 5;
        size_t len = data[p + 2];
        p += 3;
        if (len > size - p) len = size - p;
        std::vector<uint8_t> bytes(data + p, data + p + len);
        p += len;
        const std::wstring key = (type & 1) ? std::wstring(kSettingsKey) : SlotKeyPath(data[0] % 20);
        RegWriteRaw(key, name, type, bytes);
        RegWriteRaw(BodyKeyPath(data[0] % 10), name, type, bytes);
    }
    SettingsStore s;
    LoadSettingsStore(&s);
    if (s.General.Deg.size() > 23 || s.General.FaceName.size() > 31 || s.General.DSTMark.size() > 259)
        std::abort();
    for (const SortList* l : {&s.General.SortP0, &s.General.SortP1})
        for (int e : l->Entries)
            if (e < -1 || e > 9) std::abort();
    for (const LocationRecord& r : s.Locations)
        if (r.Location.size() > 259 || r.DST.size() > 259) std::abort();
    return 0;
}
