// Library entry, the item's creation by the Today screen, and the options entry.
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

extern "C" __declspec(dllexport) BOOL APIENTRY CustomItemOptionsDlgProc(HWND dlg, UINT msg, WPARAM wp,
                                                                        LPARAM) {
    switch (msg) {
        case WM_INITDIALOG:
            LoadSettingsStore(&g_item.Store);
            SaveSettingsStore(g_item.Store);
            g_item.State.LastClockKey = 0;  // the next refresh query redraws
            EndDialog(dlg, IDOK);
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wp) == IDOK || LOWORD(wp) == IDCANCEL) {
                EndDialog(dlg, LOWORD(wp));
                return TRUE;
            }
            return FALSE;
        default:
            return FALSE;
    }
}
