// The screen the item lives on: on the handheld the device's screen, which the
// Today screen fills; here the client area of the stand-in Today screen, so
// that a small host window is a small screen.
#pragma once
#include <windows.h>

namespace velkaro {

struct ScreenSize {
    int Width = 0, Height = 0;
};

// The client size of todayWindow; the desktop's size when there is no such
// window or it has no area.
ScreenSize ItemScreenSize(HWND todayWindow);

}  // namespace velkaro
