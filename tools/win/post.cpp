// Posts WM_APP + n to the running item, found through the "HWND" value, as the
// location editor does: `velkaro-post 2` reloads the places, `velkaro-post 3`
// the editor's settings, `velkaro-post 10+a X Y` runs action a at (X, Y).
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>

#include "platform/registry.h"
#include "settings/location.h"

using namespace velkaro;

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: velkaro-post N [X Y]   (posts WM_APP + N to the item)\n");
        return 2;
    }
    const int n = _wtoi(argv[1]);
    const int x = argc > 2 ? _wtoi(argv[2]) : 0, y = argc > 3 ? _wtoi(argv[3]) : 0;
    RegKey key;
    std::wstring text;
    if (!RegOpen(kSettingsKey, &key)) {
        std::fprintf(stderr, "no settings key\n");
        return 1;
    }
    const bool found = RegReadText(key, L"HWND", &text, 32);
    RegClose(key);
    if (!found) {
        std::fprintf(stderr, "no HWND value\n");
        return 1;
    }
    HWND item = reinterpret_cast<HWND>(static_cast<uintptr_t>(std::wcstoull(text.c_str(), nullptr, 16)));
    if (!IsWindow(item) || !PostMessageW(item, WM_APP + n, 0, MAKELPARAM(x, y))) {
        std::fprintf(stderr, "the item window %ls is not there\n", text.c_str());
        return 1;
    }
    return 0;
}
