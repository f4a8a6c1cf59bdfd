#include "platform/win/soft_key_bar.h"

#include "platform/win/shell_standin.h"

namespace velkaro {

HWND CreateSoftKeyBar(HWND owner, UINT menuId, HINSTANCE instance) {
    SHMENUBARINFO bar = {};
    bar.cbSize = sizeof bar;
    bar.hwndParent = owner;
    bar.dwFlags = menuId ? 0 : SHCMBF_EMPTYBAR;
    bar.nToolBarId = menuId;
    bar.hInstRes = instance;
    return SHCreateMenuBar(&bar) ? bar.hwndMB : nullptr;
}

void DestroySoftKeyBar(HWND owner) {
    if (HWND bar = SHFindMenuBar(owner)) DestroyWindow(bar);
}

}  // namespace velkaro
