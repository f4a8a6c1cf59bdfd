// In-memory registry for native builds: a flat map of key paths, each holding
// typed raw values, with the case-insensitive names of the real one.
#include <cstring>
#include <cwctype>
#include <map>
#include <memory>

#include "platform/codepage.h"
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

long g_changesLeft = -1;  // RegStopAfter's budget; negative: no limit

// Whether the next change lands; counts it.
bool Lands() {
    if (g_changesLeft < 0) return true;
    if (g_changesLeft == 0) return false;
    --g_changesLeft;
    return true;
}

struct Handle {
    std::wstring path;
    bool wrote = false;  // something changed through this handle
};

void (*g_changeHook)() = nullptr;

void Changed() {
    if (g_changeHook) g_changeHook();
}

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
    if (!k || !Lands()) return;
    static_cast<Handle*>(key)->wrote = true;
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
    if (Keys().find(p) == Keys().end() && !Lands()) {
        *key = new Handle{p};  // the key was never made: the handle finds nothing
        return true;
    }
    for (size_t pos = p.find(L'\\'); pos != std::wstring::npos; pos = p.find(L'\\', pos + 1))
        Keys()[p.substr(0, pos)];
    const bool made = Keys().find(p) == Keys().end();
    Keys()[p];
    *key = new Handle{p, made};
    return true;
}

void RegClose(RegKey key) {
    Handle* h = static_cast<Handle*>(key);
    const bool wrote = h && h->wrote;
    delete h;
    if (wrote) Changed();
}

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
    if (!k || !k->values.count(Fold(name ? name : L""))) return false;
    if (Lands()) {
        k->values.erase(Fold(name ? name : L""));
        static_cast<Handle*>(key)->wrote = true;
    }
    return true;
}

bool RegDeleteKeyPath(const std::wstring& path) {
    std::wstring p = NormalPath(path);
    auto it = Keys().find(p);
    if (it == Keys().end()) return false;
    auto next = std::next(it);
    if (next != Keys().end() && next->first.compare(0, p.size() + 1, p + L"\\") == 0) return false;
    if (Lands()) {
        Keys().erase(it);
        Changed();
    }
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

void RegStopAfter(long changes) { g_changesLeft = changes; }

bool RegStopped() { return g_changesLeft == 0; }

namespace {

const char kHex[] = "0123456789abcdef";

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Names and paths travel as UTF-8; a tab or line break in one would break
// the line, so such names are escaped as "\t" "\n" "\r" and "\\".
std::string Escape(const std::wstring& text) {
    std::string out;
    for (char c : ToUtf8(text)) {
        switch (c) {
            case '\t': out += "\\t"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\\': out += "\\\\"; break;
            default: out.push_back(c);
        }
    }
    return out;
}

std::wstring Unescape(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out.push_back(text[i]);
            continue;
        }
        const char c = text[++i];
        out.push_back(c == 't' ? '\t' : c == 'n' ? '\n' : c == 'r' ? '\r' : c);
    }
    return FromUtf8(out);
}

std::vector<std::string> SplitTabs(const std::string& line) {
    std::vector<std::string> parts(1);
    for (char c : line) {
        if (c == '\t')
            parts.emplace_back();
        else
            parts.back().push_back(c);
    }
    return parts;
}

bool ParseHex(const std::string& text, std::vector<uint8_t>* bytes) {
    if (text.size() % 2) return false;
    bytes->clear();
    for (size_t i = 0; i < text.size(); i += 2) {
        const int hi = HexDigit(text[i]), lo = HexDigit(text[i + 1]);
        if (hi < 0 || lo < 0) return false;
        bytes->push_back(static_cast<uint8_t>(hi << 4 | lo));
    }
    return true;
}

bool ParseType(const std::string& text, uint32_t* type) {
    if (text.empty() || text.size() > 9) return false;
    uint32_t v = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        v = v * 10 + static_cast<uint32_t>(c - '0');
    }
    *type = v;
    return true;
}

}  // namespace

std::string RegExportTree() {
    std::string out;
    for (const auto& key : Keys()) {
        out += "K\t" + Escape(key.first) + "\n";
        for (const auto& value : key.second.values) {
            out += "V\t" + Escape(value.first) + "\t" + std::to_string(value.second.type) + "\t";
            for (uint8_t b : value.second.bytes) {
                out.push_back(kHex[b >> 4]);
                out.push_back(kHex[b & 15]);
            }
            out.push_back('\n');
        }
    }
    return out;
}

void RegImportTree(const std::string& text) {
    Keys().clear();
    KeyData* current = nullptr;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        const std::vector<std::string> parts = SplitTabs(text.substr(start, end - start));
        start = end + 1;
        if (parts.size() == 2 && parts[0] == "K") {
            const std::wstring path = NormalPath(Unescape(parts[1]));
            current = path.empty() ? nullptr : &Keys()[path];
            continue;
        }
        Value v;
        if (!current || parts.size() != 4 || parts[0] != "V" || !ParseType(parts[2], &v.type) ||
            !ParseHex(parts[3], &v.bytes))
            continue;
        current->values[Fold(Unescape(parts[1]))] = std::move(v);
    }
}

void SetRegChangeHook(void (*hook)()) { g_changeHook = hook; }

}  // namespace velkaro
