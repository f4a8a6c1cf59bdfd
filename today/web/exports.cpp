#include "today/web/exports.h"

#include <emscripten.h>

#include <clocale>
#include <string>

#include "today/now.h"
#include "platform/codepage.h"
#include "platform/picture.h"
#include "platform/web/storage.h"
#include "today/web/page.h"

using namespace velkaro;

namespace {

Page g_page;
std::string g_answer;

const char* Answer(std::string text) {
    g_answer = std::move(text);
    return g_answer.c_str();
}

std::string Text(const char* s) { return s ? std::string(s) : std::string(); }

}  // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE void vk_picture(const char* name, int width, int height, const uint8_t* rgba) {
    if (!name || !rgba || width <= 0 || height <= 0) return;
    DecodedPicture p;
    p.Width = width;
    p.Height = height;
    p.Pixels.resize(static_cast<size_t>(width) * height);
    for (size_t i = 0; i < p.Pixels.size(); ++i)
        p.Pixels[i] = static_cast<uint32_t>(rgba[4 * i]) << 16 | static_cast<uint32_t>(rgba[4 * i + 1]) << 8 |
                      rgba[4 * i + 2];
    RegisterNativePicture(FromUtf8(name), p);
}

EMSCRIPTEN_KEEPALIVE void vk_library(const char* bytes, int length) {
    LoadLibrary(&g_page, bytes && length > 0 ? std::string(bytes, static_cast<size_t>(length)) : std::string());
}

EMSCRIPTEN_KEEPALIVE void vk_start(int screenWidth, int screenHeight, int width) {
    // The C library's plain "C" character type cannot format a wide degree
    // sign or a place's name into the item's texts; numbers stay in the C
    // locale.
    std::setlocale(LC_CTYPE, "C.UTF-8");
    OpenPageStorage();
    StartPage(&g_page, screenWidth, screenHeight, width);
}

EMSCRIPTEN_KEEPALIVE const char* vk_paint(int width) { return Answer(PaintPage(&g_page, width)); }
EMSCRIPTEN_KEEPALIVE const uint8_t* vk_pixels() { return g_page.Rgba.data(); }

EMSCRIPTEN_KEEPALIVE int vk_refresh() {
    uint32_t height = static_cast<uint32_t>(g_page.item.State.ItemHeight);
    const RefreshResult r = RefreshQuery(&g_page.item, ClockLocalNow(), &height);
    return (r.Invalidate ? 1 : 0) | (r.HeightChanged ? 2 : 0);
}

EMSCRIPTEN_KEEPALIVE int vk_pen_down() {
    PenDown(&g_page.item);
    return 0;
}
EMSCRIPTEN_KEEPALIVE int vk_pen_hold(int x) { return EncodeAction(PenHold(&g_page.item, x)); }
EMSCRIPTEN_KEEPALIVE int vk_pen_up(int x) { return EncodeAction(PenUp(&g_page.item, x)); }
EMSCRIPTEN_KEEPALIVE int vk_action(int action) { return EncodeAction(RunItemAction(&g_page.item, action)); }
EMSCRIPTEN_KEEPALIVE int vk_command(int command) { return RunCommand(&g_page, command); }
EMSCRIPTEN_KEEPALIVE const char* vk_menu(const char* which) { return Answer(MenuEntries(g_page, Text(which))); }
EMSCRIPTEN_KEEPALIVE void vk_date(const char* isoDate) { ChooseDate(&g_page, Text(isoDate)); }

EMSCRIPTEN_KEEPALIVE const char* vk_settings() { return Answer(SettingsText(g_page)); }
EMSCRIPTEN_KEEPALIVE int vk_set(const char* name, const char* value) {
    return SetSetting(&g_page, Text(name), Text(value)) ? 1 : 0;
}
EMSCRIPTEN_KEEPALIVE void vk_reset() { ResetPage(&g_page); }

EMSCRIPTEN_KEEPALIVE const char* vk_slots() { return Answer(SlotsText(g_page)); }
EMSCRIPTEN_KEEPALIVE const char* vk_search(const char* text, int limit) {
    return Answer(SearchLibrary(g_page, Text(text), limit));
}
EMSCRIPTEN_KEEPALIVE int vk_zone(const char* zone, int januaryMinutes, int julyMinutes) {
    return MatchZone(g_page, Text(zone), januaryMinutes, julyMinutes);
}
EMSCRIPTEN_KEEPALIVE int vk_put_place(int slot, int zoneIndex, const char* name, double lat, double lng, int height) {
    return PutPlace(&g_page, slot, zoneIndex, Text(name), lat, lng, height) ? 1 : 0;
}
EMSCRIPTEN_KEEPALIVE int vk_clear_slot(int slot) { return ClearSlot(&g_page, slot) ? 1 : 0; }
EMSCRIPTEN_KEEPALIVE int vk_storage_works() { return PageStorageWorks() ? 1 : 0; }

}  // extern "C"
