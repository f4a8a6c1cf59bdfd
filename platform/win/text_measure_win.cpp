#include <windows.h>

#include <cwchar>

#include "platform/text_measure.h"
#include "platform/win/gdi_font.h"

namespace velkaro {

HFONT CreateItemFont(const FontSpec& font) {
    LOGFONTW lf{};
    HGDIOBJ base = GetStockObject(DEFAULT_GUI_FONT);
    if (!base || GetObjectW(base, sizeof(lf), &lf) == 0) {
        lf = LOGFONTW{};
        lf.lfWeight = FW_NORMAL;
    }
    if (!font.FaceName.empty()) {
        // lfFaceName holds 31 characters and the terminator.
        size_t n = font.FaceName.size();
        if (n >= LF_FACESIZE) n = LF_FACESIZE - 1;
        wmemcpy(lf.lfFaceName, font.FaceName.c_str(), n);
        lf.lfFaceName[n] = L'\0';
    }
    lf.lfCharSet = static_cast<BYTE>(font.CharSet);
    if (font.Height > 0) {
        lf.lfHeight = font.Height;
        lf.lfWidth = 0;
    }
    lf.lfQuality = 5;  // CLEARTYPE_QUALITY, as the item draws
    return CreateFontIndirectW(&lf);
}

namespace {

// One memory context for the process, with the last font kept selected:
// a paint measures many strings in a handful of fonts.
struct Measurer {
    HDC dc = nullptr;
    HFONT font = nullptr;
    HGDIOBJ original = nullptr;
    FontSpec spec;
    bool haveFont = false;

    bool Select(const FontSpec& want) {
        if (!dc) {
            dc = CreateCompatibleDC(nullptr);
            if (!dc) return false;
        }
        if (haveFont && spec == want) return true;
        HFONT f = CreateItemFont(want);
        if (!f) return false;
        HGDIOBJ old = SelectObject(dc, f);
        if (!original) original = old;
        if (font) DeleteObject(font);
        font = f;
        spec = want;
        haveFont = true;
        return true;
    }
};

Measurer& TheMeasurer() {
    static Measurer m;
    return m;
}

}  // namespace

TextExtent MeasureText(const std::wstring& text, const FontSpec& font) {
    TextExtent e;
    Measurer& m = TheMeasurer();
    if (!m.Select(font)) return e;
    SIZE size{};
    const int n = text.size() > 0x7FFFFFF ? 0x7FFFFFF : static_cast<int>(text.size());
    if (n == 0) {
        TEXTMETRICW tm{};
        if (GetTextMetricsW(m.dc, &tm)) e.Height = tm.tmHeight;
        return e;
    }
    if (GetTextExtentPoint32W(m.dc, text.c_str(), n, &size)) {
        e.Width = size.cx;
        e.Height = size.cy;
    }
    return e;
}

}  // namespace velkaro
