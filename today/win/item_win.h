// The item window's process-wide state and the Win32 half of its work.
#pragma once
#include <windows.h>

#include "today/item.h"

namespace velkaro {

extern HINSTANCE g_module;
extern Item g_item;
extern HWND g_itemWindow;

extern const wchar_t kItemClass[];  // "VelkaroClass"

LRESULT CALLBACK ItemWindowProc(HWND w, UINT msg, WPARAM wp, LPARAM lp);

// Width of the Today screen's client area, which the item spans.
int ParentClientWidth(HWND w);

// Surfaces and pictures, made at creation and released at destruction.
void CreateItemSurfaces(HWND w);
void ReleaseItemSurfaces();
// Recomputes the events and draws the whole item into dc.
void PaintItem(HWND w, HDC dc);

// Runs an action and whatever window work it asks for; true when the item
// should be redrawn.
bool RunAction(HWND w, int action, int x, int y);
// Date dialog (template 507) opened on `start`: true with the day taken by OK
// in *chosen (time of day as in start); false for Cancel, Escape or closing.
bool RunDateDialog(HWND owner, const DateTime& start, DateTime* chosen);

// Caption of the message that names a program the "edit" action cannot start.
extern const wchar_t kStartFailureCaption[];  // "error"

}  // namespace velkaro
