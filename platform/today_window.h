// The Today screen's window class, by which the item, its options and the
// soft keys find the Today screen (and the stand-in host registers it).
#pragma once

namespace velkaro {

inline constexpr wchar_t kTodayWindowClass[] = L"DesktopExplorerWindow";

}  // namespace velkaro
