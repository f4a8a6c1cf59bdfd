// Whole-file reading and safe replacing, for the editor's category file.
#pragma once
#include <string>

namespace velkaro {

// Reads the whole file. False when it cannot be opened or read.
bool ReadFileBytes(const std::wstring& path, std::string* bytes);
// Nothing is there by that name (nor its folder). A file that is there but
// cannot be read, locked or forbidden, is not missing.
bool FileMissing(const std::wstring& path);

// Writes the bytes to a new file beside `path` and only when that is complete
// and closed puts it in place of `path`; on any failure `path` is untouched,
// the new file is removed and *error (when given) holds the platform's error
// number. Returns success.
bool ReplaceFileBytes(const std::wstring& path, const std::string& bytes, int* error);

}  // namespace velkaro
