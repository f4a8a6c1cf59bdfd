// The registry on the page: the in-memory tree of the native build, read from
// the browser's local storage at start and written back whole after every
// change, so that a reload or a new visit finds the places and settings.
#include <emscripten.h>

#include <cstdlib>
#include <string>

#include "platform/registry.h"
#include "platform/web/storage.h"

namespace velkaro {
namespace {

// clang-format off
// Storage may be missing or refuse (private windows, a full quota): the page
// then keeps its settings in memory for the visit.
EM_JS(char*, velkaro_storage_read, (), {
    let v = null;
    try { v = self.localStorage.getItem('velkaro.registry'); } catch (e) { return 0; }
    if (v === null) return 0;
    const n = lengthBytesUTF8(v) + 1;
    const p = _malloc(n);
    stringToUTF8(v, p, n);
    return p;
});
EM_JS(int, velkaro_storage_write, (const char* text), {
    try { self.localStorage.setItem('velkaro.registry', UTF8ToString(text)); return 1; } catch (e) { return 0; }
});
// clang-format on

bool g_stored = true;

void Store() { g_stored = velkaro_storage_write(RegExportTree().c_str()) != 0; }

}  // namespace

void OpenPageStorage() {
    SetRegChangeHook(nullptr);
    char* text = velkaro_storage_read();
    RegImportTree(text ? std::string(text) : std::string());
    std::free(text);
    SetRegChangeHook(Store);
}

bool PageStorageWorks() { return g_stored; }

}  // namespace velkaro
