// Registry seam under the current user. Key paths are written as the product
// names them ("\Software\quorrin\Velkaro"); a leading backslash is accepted.
// Readers never write past a field: text is cut to the field's width. A value
// of another registry type than the one asked for (a "1" text where a DWORD
// belongs, four binary bytes), or a DWORD of another size, reads as absent.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace velkaro {

using RegKey = void*;

bool RegOpen(const std::wstring& path, RegKey* key);
bool RegCreate(const std::wstring& path, RegKey* key);
void RegClose(RegKey key);

bool RegValueExists(RegKey key, const wchar_t* name);
// False when the value is missing, is not a REG_DWORD or is not exactly four
// bytes long.
bool RegReadDword(RegKey key, const wchar_t* name, uint32_t* value);
// Reads a REG_SZ value, at most width - 1 characters; false when it is
// missing or of another type.
bool RegReadText(RegKey key, const wchar_t* name, std::wstring* value, size_t width);
bool RegWriteDword(RegKey key, const wchar_t* name, uint32_t value);
bool RegWriteText(RegKey key, const wchar_t* name, const std::wstring& value);
bool RegRemoveValue(RegKey key, const wchar_t* name);
// Deletes a key that has no subkeys.
bool RegDeleteKeyPath(const std::wstring& path);

// Raw access for tests and tools.
enum RegType : uint32_t { kRegNone = 0, kRegSz = 1, kRegBinary = 3, kRegDword = 4 };
bool RegReadRaw(const std::wstring& path, const wchar_t* name, uint32_t* type,
                std::vector<uint8_t>* bytes);
bool RegWriteRaw(const std::wstring& path, const wchar_t* name, uint32_t type,
                 const std::vector<uint8_t>& bytes);
bool RegKeyExists(const std::wstring& path);

// Native build only: forget every key.
void RegClearAll();
// Native build only: from now on only `changes` more changes land (keys made,
// values written or removed, keys deleted); later ones are dropped unseen, as
// when the program is killed there. A negative count lets every change land.
void RegStopAfter(long changes);
// Native build only: the count given to RegStopAfter is used up.
bool RegStopped();

// The in-memory tree of the native and web builds as text, so that the page
// can keep it in the browser's storage: one "K<tab>path" line per key, each
// followed by its "V<tab>name<tab>type<tab>hex bytes" lines.
std::string RegExportTree();
// Replaces the tree by what the text holds. Lines that are not well formed
// are skipped, so damaged text gives fewer keys and values, never more.
void RegImportTree(const std::string& text);
// Called after a change to the tree: when a key that was written through is
// closed, after a value written by path, and after a key is deleted.
void SetRegChangeHook(void (*hook)());

}  // namespace velkaro
