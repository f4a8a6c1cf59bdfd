// The item on a web page: what the page's entry does for each event, in
// portable code so that a native tool can run the same paint and the same
// answers. Every answer to the page is JSON text (UTF-8).
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "editor/record.h"
#include "today/compose.h"
#include "today/item.h"

namespace velkaro {

// What lies under the item where the Today screen's wallpaper would be; the
// item blends toward it while TransToday is on. 0x00RRGGBB.
constexpr uint32_t kPageBackground = 0x0E1A30;

struct LibraryPlace {
    std::wstring Category;
    EditorRecord Record;
};

struct Page {
    Item item;
    int ScreenWidth = 0, ScreenHeight = 0;  // the item's pixels
    PixelStore Background, Composition;
    std::vector<uint8_t> Rgba;  // the visible composition, top-down RGBA, for the canvas
    std::vector<LibraryPlace> Library;
};

// Start-up: the store (written with the defaults on a first start), the first
// valid place, the pictures registered so far, and surfaces for the screen.
// Screen and width are in the item's pixels.
void StartPage(Page* page, int screenWidth, int screenHeight, int width);

// One paint at the given width: events, layout, composition into Rgba. Reads
// the clock. Answers the size, the texts to draw, the facts of every row for
// screen readers and what the page's controls show.
std::string PaintPage(Page* page, int width);

// Action results for the page: bit 0 redraw, bits 1.. the UiRequest.
int EncodeAction(const ActionResult& r);

// A menu choice: a place (40020 + slot) or a command of the time menu.
// Answers as an action does; the item is always redrawn.
int RunCommand(Page* page, int command);

// The menus: the place menu ("place") or the time menu ("time"), as entries
// with their command numbers.
std::string MenuEntries(const Page& page, const std::string& which);

// A date chosen in the date field ("YYYY-MM-DD"); reads the clock. A text that
// is no date changes no shift.
void ChooseDate(Page* page, const std::string& date);

// The settings the page edits, with the labels of the actions.
std::string SettingsText(const Page& page);
// Sets one of them from its text and saves the store. False, with nothing
// changed, for an unknown name or a value out of range.
bool SetSetting(Page* page, const std::string& name, const std::string& value);
// Back to the built-in defaults and the built-in cities, saved.
void ResetPage(Page* page);

// The twenty slots.
std::string SlotsText(const Page& page);
// The starter library from the bytes of its category file.
void LoadLibrary(Page* page, const std::string& bytes);
// Library places whose name or memo holds the text, whatever its case; at
// most `limit` of them, in the library's order.
std::string SearchLibrary(const Page& page, const std::string& text, int limit);
// The library place of a time zone ("Europe/Berlin"): the place of that zone,
// else one with the same standard offset and the same daylight-saving months
// (januaryMinutes and julyMinutes: the zone's offsets from UTC then). -1 when
// none fits.
int MatchZone(const Page& page, const std::string& zone, int januaryMinutes, int julyMinutes);
// Puts a place into a slot, saves the slots and shows the place as a pick
// from the place menu does. The zone (offset and rule) is the library place
// `zoneIndex`; name and coordinates are the library's when `name` is empty.
// False, with nothing changed, for a bad slot or library index or
// coordinates off the globe.
bool PutPlace(Page* page, int slot, int zoneIndex, const std::string& name, double lat, double lng,
              int height);
// Empties a slot (not the last valid one). False when nothing changed.
bool ClearSlot(Page* page, int slot);

}  // namespace velkaro
