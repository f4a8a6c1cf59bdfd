// In-memory registry for native builds: a flat map of key paths, each holding
// typed raw values, with the case-insensitive names of the real one.
#include <cstring>
#include <cwctype>
#include <map>
#include <memory>

#include "platform/registry.h"

namespace velkaro {
namespace {

struct Value {
    uint32_t type = kRegNone;
    std::vector<uint8_t> bytes;
};

struct KeyData {
    std::map<std::wstring, Value> values;  // by folded name
};

std::wstring Fold(const std::wstring& s) {
    std::wstring r;
    r.reserve(s.size());
    for (wchar_t c : s) r.push_back(static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c))));
    return r;
}

std::wstring NormalPath(const std::wstring& path) {
    std::wstring p = path;
    while (!p.empty() && p.front() == L'\\') p.erase(p.begin());
    while (!p.empty() && p.back() == L'\\') p.pop_back();
    return Fold(p);
}

std::map<std::wstring, KeyData>& Keys() {
    static std::map<std::wstring, KeyData> keys;
    return keys;
}

struct Handle {
    std::wstring path;
};

KeyData* Find(RegKey key) {
    if (!key) return nullptr;
    auto it = Keys().find(static_cast<Handle*>(key)->path);
    return it == Keys().end() ? nullptr : &it->second;
}

const Value* FindValue(RegKey key, const wchar_t* name) {
    KeyData* k = Find(key);
    if (!k) return nullptr;
    auto it = k->values.find(Fold(name ? name : L""));
    return it == k->values.end() ? nullptr : &it->second;
}

void Put(RegKey key, const wchar_t* name, uint32_t type, std::vector<uint8_t> bytes) {
    KeyData* k = Find(key);
    if (!k) return;
    Value& v = k->values[Fold(name ? name : L"")];
    v.type = type;
    v.bytes = std::move(bytes);
}

}  // namespace

bool RegOpen(const std::wstring& path, RegKey* key) {
    std::wstring p = NormalPath(path);
    if (Keys().find(p) == Keys().end()) return false;
    *key = new Handle{p};
    return true;
}

bool RegCreate(const std::wstring& path, RegKey* key) {
    std::wstring p = NormalPath(path);
    if (p.empty()) return false;
    for (size_t pos = p.find(L'\\'); pos != std::wstring::npos; pos = p.find(L'\\', pos + 1))
        Keys()[p.substr(0, pos)];
    Keys()[p];
    *key = new Handle{p};
    return true;
}

void RegClose(RegKey key) { delete static_cast<Handle*>(key); }

bool RegValueExists(RegKey key, const wchar_t* name) { return FindValue(key, name) != nullptr; }

bool RegReadDword(RegKey key, const wchar_t* name, uint32_t* value) {
    const Value* v = FindValue(key, name);
    if (!v || v->type != kRegDword || v->bytes.size() != 4) return false;
    std::memcpy(value, v->bytes.data(), 4);
    return true;
}

bool RegReadText(RegKey key, const wchar_t* name, std::wstring* value, size_t width) {
    const Value* v = FindValue(key, name);
    if (!v || v->type != kRegSz) return false;
    std::wstring text;
    for (size_t i = 0; 2 * i + 1 < v->bytes.size(); ++i) {
        wchar_t c = static_cast<wchar_t>(v->bytes[2 * i] | (v->bytes[2 * i + 1] << 8));
        if (c == 0) break;
        text.push_back(c);
    }
    if (width == 0) width = 1;
    if (text.size() > width - 1) text.resize(width - 1);
    *value = text;
    return true;
}

bool RegWriteDword(RegKey key, const wchar_t* name, uint32_t value) {
    if (!Find(key)) return false;
    std::vector<uint8_t> b(4);
    std::memcpy(b.data(), &value, 4);
    Put(key, name, kRegDword, b);
    return true;
}

bool RegWriteText(RegKey key, const wchar_t* name, const std::wstring& value) {
    if (!Find(key)) return false;
    std::vector<uint8_t> b;
    for (wchar_t c : value) {
        b.push_back(static_cast<uint8_t>(c & 0xFF));
        b.push_back(static_cast<uint8_t>((c >> 8) & 0xFF));
    }
    b.push_back(0);
    b.push_back(0);
    Put(key, name, kRegSz, b);
    return true;
}

bool RegRemoveValue(RegKey key, const wchar_t* name) {
    KeyData* k = Find(key);
    return k && k->values.erase(Fold(name ? name : L"")) > 0;
}

bool RegDeleteKeyPath(const std::wstring& path) {
    std::wstring p = NormalPath(path);
    auto it = Keys().find(p);
    if (it == Keys().end()) return false;
    auto next = std::next(it);
    if (next != Keys().end() && next->first.compare(0, p.size() + 1, p + L"\\") == 0) return false;
    Keys().erase(it);
    return true;
}

bool RegReadRaw(const std::wstring& path, const wchar_t* name, uint32_t* type,
                std::vector<uint8_t>* bytes) {
    RegKey k;
    if (!RegOpen(path, &k)) return false;
    const Value* v = FindValue(k, name);
    if (v) {
        *type = v->type;
        *bytes = v->bytes;
    }
    RegClose(k);
    return v != nullptr;
}

bool RegWriteRaw(const std::wstring& path, const wchar_t* name, uint32_t type,
                 const std::vector<uint8_t>& bytes) {
    RegKey k;
    if (!RegCreate(path, &k)) return false;
    Put(k, name, type, bytes);
    RegClose(k);
    return true;
}

bool RegKeyExists(const std::wstring& path) { return Keys().count(NormalPath(path)) > 0; }

void RegClearAll() { Keys().clear(); }

}  // namespace velkaro
