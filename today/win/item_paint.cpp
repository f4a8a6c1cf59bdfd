// Surfaces of the item (32-bit DIB sections shared with the portable drawing
// code) and one paint: compose off-screen, copy once, then the text.
#include <windows.h>

#include <algorithm>

#include <map>
#include <utility>

#include "platform/win/gdi_font.h"
#include "platform/win/todaycmn.h"
#include "settings/protocol.h"
#include "today/compose.h"
#include "today/pixels.h"
#include "today/win/item_win.h"

namespace velkaro {
namespace {

struct Surface {
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ old = nullptr;
    PixelBuffer pixels;
};

Surface g_background, g_composition;
HWND g_todayWindow = nullptr;
// Fonts of the texts, made once per face and size and kept until destruction.
std::map<std::pair<std::wstring, std::pair<int, int>>, HFONT> g_fonts;

HFONT FontFor(const FontSpec& spec) {
    auto key = std::make_pair(spec.FaceName, std::make_pair(spec.CharSet, spec.Height));
    auto it = g_fonts.find(key);
    if (it != g_fonts.end()) return it->second;
    HFONT f = CreateItemFont(spec);
    g_fonts[key] = f;
    return f;
}

void DrawTexts(HDC dc, const std::vector<TextDraw>& texts) {
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    const COLORREF oldColor = GetTextColor(dc);
    HGDIOBJ oldFont = nullptr;
    for (const TextDraw& t : texts) {
        if (t.Fill && !t.FillArea.Empty()) {
            HBRUSH brush = CreateSolidBrush(t.FillColor);
            RECT r = {t.FillArea.x0, t.FillArea.y0, t.FillArea.x1, t.FillArea.y1};
            ::FillRect(dc, &r, brush);
            DeleteObject(brush);
        }
        if (t.Text.empty()) continue;
        HGDIOBJ prev = SelectObject(dc, FontFor(t.Font));
        if (!oldFont) oldFont = prev;
        SetTextColor(dc, t.Color);
        TextOutW(dc, t.X, t.Y, t.Text.c_str(), static_cast<int>(t.Text.size()));
    }
    if (oldFont) SelectObject(dc, oldFont);
    SetTextColor(dc, oldColor);
    SetBkMode(dc, oldMode);
}

bool MakeSurface(Surface* s, HDC ref, int width, int height) {
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = 40;
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = height;  // bottom-up, as the portable buffers expect
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    s->bitmap = CreateDIBSection(ref, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!s->bitmap || !bits) return false;
    s->dc = CreateCompatibleDC(ref);
    s->old = SelectObject(s->dc, s->bitmap);
    s->pixels = PixelBuffer{width, height, static_cast<uint32_t*>(bits)};
    return true;
}

void FreeSurface(Surface* s) {
    if (s->dc) {
        SelectObject(s->dc, s->old);
        DeleteDC(s->dc);
    }
    if (s->bitmap) DeleteObject(s->bitmap);
    *s = Surface();
}

// The Today screen paints its wallpaper under the item into the background
// surface; without one, whatever the screen shows there is copied.
void FetchBackground(HWND w) {
    const ItemState& s = g_item.State;
    const int width = std::min(s.ItemWidth, g_background.pixels.Width);
    const int height = std::min(s.ItemHeight, g_background.pixels.Height);
    if (width <= 0 || height <= 0) return;
    TODAYDRAWWATERMARKINFO info = {};
    info.hdc = g_background.dc;
    info.rc = RECT{0, 0, width, height};
    info.hwnd = w;
    if (GetParent(w) &&
        SendMessageW(GetParent(w), TODAYM_DRAWWATERMARK, 0, reinterpret_cast<LPARAM>(&info)))
        return;
    HWND source = g_todayWindow;
    HDC dc = GetDC(source);
    RECT r;
    GetWindowRect(w, &r);
    BitBlt(g_background.dc, 0, 0, width, height, dc, 0, r.top, SRCCOPY);
    ReleaseDC(source, dc);
}

}  // namespace

int ParentClientWidth(HWND w) {
    RECT rc = {};
    if (GetParent(w)) GetClientRect(GetParent(w), &rc);
    return rc.right - rc.left;
}

void CreateItemSurfaces(HWND w) {
    g_todayWindow = FindWindowW(kTodayWindowClass, nullptr);
    ItemState& s = g_item.State;
    HDC dc = GetDC(w);
    const int height = std::max(s.SurfaceHeight, 1);
    MakeSurface(&g_background, dc, s.SurfaceWidth, height);
    MakeSurface(&g_composition, dc, s.SurfaceWidth, height);
    ReleaseDC(w, dc);
}

void ReleaseItemSurfaces() {
    FreeSurface(&g_background);
    FreeSurface(&g_composition);
    g_item.Pictures = ItemPictures();
    for (auto& f : g_fonts) DeleteObject(f.second);
    g_fonts.clear();
}

void PaintItem(HWND w, HDC dc) {
    ItemState& s = g_item.State;
    RecomputeEvents(&g_item);
    s.ItemWidth = ParentClientWidth(w);
    ComputeItemHeight(&g_item);
    if (g_composition.pixels.Empty()) return;
    FetchBackground(w);

    const std::vector<TextDraw> texts = ComposeItem(g_item, g_background.pixels, g_composition.pixels);
    const PixelBuffer comp = g_composition.pixels;
    BitBlt(dc, 0, 0, std::min(s.ItemWidth, comp.Width), std::min(s.ItemHeight, comp.Height),
           g_composition.dc, 0, 0, SRCCOPY);
    DrawTexts(dc, texts);
}

}  // namespace velkaro
