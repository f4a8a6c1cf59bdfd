// A soft-key bar set up as every window of both programs sets one up, over
// the handheld shell's SHCreateMenuBar (the stand-in here).
#pragma once
#include <windows.h>

namespace velkaro {

// A bar over owner with the keys of the menu resource menuId in instance; a
// menuId of 0 gives an empty bar. Returns the bar, or null when there is none.
HWND CreateSoftKeyBar(HWND owner, UINT menuId, HINSTANCE instance);
// Takes down owner's bar and its keys, when it has one.
void DestroySoftKeyBar(HWND owner);

}  // namespace velkaro
