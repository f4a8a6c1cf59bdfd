// Loads the settings store as the item does at its first start (writing the
// defaults and the cities when there is none) and lists the location menu.
#include <windows.h>

#include <cstdio>
#include <string>

#include "platform/screen_scale.h"
#include "today/now.h"
#include "settings/store.h"

using namespace velkaro;

namespace {

void Print(const std::wstring& text) {
    int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0,
                                nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), out.data(), n,
                        nullptr, nullptr);
    std::fwrite(out.data(), 1, out.size(), stdout);
}

}  // namespace

int wmain() {
    const int hiRes = ScreenScale(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    SettingsStore store;
    const bool loaded = LoadOrInitialiseStore(&store, hiRes);
    const int pos = SelectFirstValidLocation(&store.Locations);
    Print(loaded ? L"settings loaded from the registry\n"
                 : L"no complete settings in the registry: defaults and cities written\n");
    for (const MenuEntry& e : BuildLocationMenu(store.Locations, pos, true, store.General.DST != 0, ReadClock()))
        Print((e.Checked ? L"  * " : L"    ") + e.Text + L"\n");
    return 0;
}
