// What the item and the editor share across processes: the registry keys, the
// "HWND" value by which each finds the other's window, and the numbers of the
// messages posted to it. Both programs include this header and nothing else
// repeats these facts.
#pragma once
#include <cstdint>
#include <string>

#include "platform/today_window.h"  // kTodayWindowClass, the Today screen's window

namespace velkaro {

constexpr unsigned kAppMessage = 0x8000;                          // WM_APP
constexpr unsigned kMsgLocationsChanged = kAppMessage + 2;        // slots rewritten: reload them
constexpr unsigned kMsgEditorSettingsChanged = kAppMessage + 3;   // "MenuTime", "Title", "Clock"
constexpr unsigned kMsgActionBase = kAppMessage + 10;             // + action number
constexpr int kPostedActionCount = 16;                            // actions 0 to 15

inline unsigned ActionMessage(int action) { return kMsgActionBase + static_cast<unsigned>(action); }
// The action a posted message asks for, or -1 when it is none.
inline int ActionOfMessage(unsigned msg) {
    return msg >= kMsgActionBase && msg < kMsgActionBase + kPostedActionCount
               ? static_cast<int>(msg - kMsgActionBase) : -1;
}

extern const wchar_t kSettingsKey[];        // "\Software\quorrin\Velkaro"
extern const wchar_t kDayruneKey[];         // "\Software\quorrin\Dayrune"
extern const wchar_t kWindowHandleValue[];  // "HWND"

// Lower-case hexadecimal without prefix, as "%x" writes it.
std::wstring FormatWindowHandle(uint64_t handle);
// The handle a "HWND" text names; 0 when the text is empty, holds anything but
// hexadecimal digits (blanks around them aside) or does not fit 64 bits.
uint64_t ParseWindowHandle(const std::wstring& text);

// Writes "HWND" under the key, creating it; false when the key cannot be made.
bool WriteWindowHandle(const std::wstring& key, uint64_t handle);
// The window named by "HWND" under the key; 0 when the key or value is missing
// or unreadable. Whether the window still exists is the caller's to check.
uint64_t ReadWindowHandle(const std::wstring& key);

}  // namespace velkaro
