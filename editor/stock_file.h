// The category file: a tab-separated table in bracketed sections, one file for
// the whole Stock. The writer produces what the reader takes; the reader also
// takes files made by hand. No window is needed for either.
#pragma once
#include <string>

#include "editor/record.h"

namespace velkaro {

constexpr size_t kStockLineBuffer = 1024;  // a piece longer than 1023 bytes is cut
extern const char kUtf8Mark[];             // "\xEF\xBB\xBF"
extern const wchar_t kStockFileName[];     // "Sitarel.ini"

// The file's bytes: in the device's code page when every text fits it, else
// the whole file as UTF-8 behind a byte-order mark. "_SEARCH" is never
// written, and its index is written as 0.
std::string FormatStockFile(const Categories& c);
struct StockParse {
    // Some record line has a place's fields (three or more), or no line is
    // foreign to a category file: an ordinary settings file is none.
    bool CategoryFile = true;
    int RefusedSections = 0;  // section names past the hundredth category
};
// Replaces every category by what the bytes hold; malformed lines are taken
// as far as they go, never reported. Lines may end in CR LF, LF or CR alone;
// UTF-16 with a byte-order mark reads too.
StockParse ParseStockFile(const std::string& bytes, Categories* c);

enum StockFileResult { kStockRead = 0, kStockMissing, kStockUnreadable, kStockNotCategories };
// Reads the file at `path` into the categories. Anything but kStockRead leaves
// them unchanged: no file there, a file that cannot be read, or one that is
// not a category file. *refused (when given) receives the number of sections
// past the hundredth category whose places went to the section before.
StockFileResult ReadStockFile(Categories* c, const std::wstring& path, int* refused = nullptr);
// ReadStockFile gave kStockRead.
bool LoadStockFile(Categories* c, const std::wstring& path);
// Writes the categories to `path`, replacing the old file only once the new
// one is complete. False when it failed; *error then holds the platform's
// error number and the old file is as it was.
bool SaveStockFile(const Categories& c, const std::wstring& path, int* error);

}  // namespace velkaro
