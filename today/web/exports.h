// What the page calls: the item's entry on the web, as the window procedure
// is on Win32. Each function turns one event of the page into calls of the
// portable item and answers with what the page draws or shows; answers that
// are text are JSON (UTF-8), valid until the next call. Pixel sizes are the
// item's pixels.
#pragma once
#include <cstdint>

extern "C" {

// Before vk_start: a picture file the browser decoded (top-down RGBA), by its
// file name ("velkaro_sun.png"), and the starter library's category file.
void vk_picture(const char* name, int width, int height, const uint8_t* rgba);
void vk_library(const char* bytes, int length);

// Start-up: the stored settings and places (the defaults and the built-in
// cities on a first visit, written back), the screen's size and the item's width.
void vk_start(int screenWidth, int screenHeight, int width);
// A paint at the width: {width, height, texts: [{x, y, w, h, text, color,
// face, size, fill?: [x0, y0, x1, y1, color]}], place, shifted, date, time,
// rows: [{body, name, text, next, nextTime, rise, culmination, set, events}]}.
// The picture is then at vk_pixels: width x height, top-down RGBA.
const char* vk_paint(int width);
const uint8_t* vk_pixels();
// The Today screen's refresh query, every two seconds: bit 0 redraw, bit 1
// the height changed.
int vk_refresh();

// The pen and the actions answer bit 0 redraw, bits 1.. what to open:
// 1 the place editor, 2 the place menu, 3 the time menu, 4 the date field.
int vk_pen_down();
int vk_pen_hold(int x);
int vk_pen_up(int x);
int vk_action(int action);
// A menu choice (40020 + slot, or a time menu command); the date field's date.
int vk_command(int command);
const char* vk_menu(const char* which);  // "place" or "time": [{command, label, checked}]
void vk_date(const char* isoDate);

// Settings: {Start, InfoStart, Tap, SortP0, SortP1, TapL ... HoldR, actions, bodies}.
const char* vk_settings();
int vk_set(const char* name, const char* value);  // 0 when refused
void vk_reset();

// Places: the slots, the library search, the library place of a time zone
// (-1 for none), putting a place into a slot and emptying one (0 when refused).
const char* vk_slots();
const char* vk_search(const char* text, int limit);
int vk_zone(const char* zone, int januaryMinutes, int julyMinutes);
int vk_put_place(int slot, int zoneIndex, const char* name, double lat, double lng, int height);
int vk_clear_slot(int slot);
// 0 when the browser refused the last write to its storage.
int vk_storage_works();
}
