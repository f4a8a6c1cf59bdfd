#include "platform/win/screen.h"

namespace velkaro {

ScreenSize ItemScreenSize(HWND todayWindow) {
    RECT rc = {};
    if (todayWindow && GetClientRect(todayWindow, &rc) && rc.right > 0 && rc.bottom > 0)
        return ScreenSize{rc.right, rc.bottom};
    return ScreenSize{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

}  // namespace velkaro
