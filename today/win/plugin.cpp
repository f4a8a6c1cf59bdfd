// Library entry and the item's creation by the Today screen.
#include <windows.h>

#include "platform/win/todaycmn.h"
#include "resources/resource.h"
#include "settings/win/options_sheet.h"
#include "today/win/item_win.h"

namespace velkaro {

HINSTANCE g_module = nullptr;
Item g_item;
HWND g_itemWindow = nullptr;
const wchar_t kItemClass[] = L"VelkaroClass";

namespace {

// The sheet may have changed pictures and image sizes, which the item loads
// once: load them again, with surfaces of the height they give, and redraw.
void OptionsChanged(OptionsContext*) {
    if (g_itemWindow) {
        ReleaseItemSurfaces();
        g_item.State.SurfaceHeight = LoadItemPictures(g_item.Store, &g_item.Pictures);
        CreateItemSurfaces(g_itemWindow);
    }
    RequestRepaint(&g_item.State);
}

OptionsContext ItemOptions() {
    OptionsContext c;
    c.Module = g_module;
    c.Store = &g_item.Store;
    c.ShownSlot = g_item.State.PosIndex;
    c.HiResFactor = g_item.State.HiResFactor;
    c.SettingsChanged = OptionsChanged;
    return c;
}

}  // namespace

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

// The options entry: the sheet over the item's settings.
extern "C" __declspec(dllexport) BOOL APIENTRY CustomItemOptionsDlgProc(HWND dlg, UINT msg, WPARAM wp, LPARAM) {
    OptionsContext context = ItemOptions();
    return OptionsDialogMessage(&context, dlg, msg, wp) ? TRUE : FALSE;
}
