// Library entry and the item's creation by the Today screen.
#include <windows.h>

#include "platform/win/todaycmn.h"
#include "resources/resource.h"
#include "today/win/item_win.h"

namespace velkaro {

HINSTANCE g_module = nullptr;
Item g_item;
HWND g_itemWindow = nullptr;
const wchar_t kItemClass[] = L"VelkaroClass";

}  // namespace velkaro

using namespace velkaro;

BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        g_module = module;
        WNDCLASSW wc = {};
        wc.style = 0;
        wc.lpfnWndProc = ItemWindowProc;
        wc.hInstance = module;
        wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        wc.lpszClassName = kItemClass;
        RegisterClassW(&wc);
    } else if (reason == DLL_PROCESS_DETACH) {
        UnregisterClassW(kItemClass, module);
    }
    return TRUE;
}

extern "C" __declspec(dllexport) HWND APIENTRY InitializeCustomItem(TODAYLISTITEM*, HWND parent) {
    HWND w = CreateWindowExW(0, kItemClass, L"", WS_CHILD, 0, 0, 0, 0, parent, nullptr, g_module, nullptr);
    if (w) ShowWindow(w, SW_SHOWNORMAL);
    return w;
}

// The options entry, CustomItemOptionsDlgProc, is the options sheet's (settings/win).
