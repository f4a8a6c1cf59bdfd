// Any bytes load as a category file without overrunning a field, and once
// loaded, a save and a load give back exactly what was loaded.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "editor/stock_file.h"

using namespace velkaro;

namespace {

// The file holds coordinates with two decimals and offsets with one or two:
// a first load of a hand-made file may carry more, which the save rounds.
bool Near(double a, double b) { return a == b || (a - b < 0.00500001 && b - a < 0.00500001); }

bool Same(const Categories& a, const Categories& b, bool rounded) {
    if (a.Names != b.Names || a.Fixed != b.Fixed || a.Current != b.Current) return false;
    for (size_t i = 0; i < a.Names.size(); ++i) {
        const RecordList &x = a.Stores[i], &y = b.Stores[i];
        if (x.size() != y.size()) return false;
        for (size_t k = 0; k < x.size(); ++k) {
            const EditorRecord &p = x[k], &q = y[k];
            const bool numbers = rounded ? Near(p.Lat, q.Lat) && Near(p.Lng, q.Lng) && Near(p.UtcMargin, q.UtcMargin)
                                         : p.Lat == q.Lat && p.Lng == q.Lng && p.UtcMargin == q.UtcMargin;
            if (!numbers || p.Number != q.Number || p.Valid != q.Valid || p.Location != q.Location ||
                p.Altitude != q.Altitude || p.Prominence != q.Prominence || p.UtcGet != q.UtcGet ||
                p.ExistDST != q.ExistDST || p.DST != q.DST || p.Memo != q.Memo)
                return false;
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Categories first, second, third;
    ParseStockFile(std::string(reinterpret_cast<const char*>(data), size), &first);
    for (int i = 0; i < CategoryCount(first); ++i)
        for (const EditorRecord& r : first.Stores[static_cast<size_t>(i)])
            if (r.Location.size() > 259 || r.DST.size() > 259 || r.Memo.size() > 259) std::abort();
    // The second load equals the first but for the rounding of numbers to
    // what the file holds; from then on nothing changes at all.
    ParseStockFile(FormatStockFile(first), &second);
    if (!Same(first, second, true)) std::abort();
    const std::string bytes = FormatStockFile(second);
    ParseStockFile(bytes, &third);
    if (!Same(second, third, false) || FormatStockFile(third) != bytes) std::abort();
    return 0;
}
