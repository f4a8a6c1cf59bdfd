#include "today/compose.h"

#include <algorithm>

#include "today/meters.h"

namespace velkaro {

void ComposeBackground(const Item& item, PixelBuffer background, PixelBuffer comp) {
    if (comp.Empty()) return;
    const GeneralSettings& g = item.Store.General;
    const int itemWidth = item.State.ItemWidth;
    const int surfaceHeight = item.State.SurfaceHeight;
    // The band's colour goes in whether or not the band has text.
    const int titleHeight =
        std::max(HeightOf(static_cast<long long>(g.TextSize) + g.TMarginTop + g.TMarginBottom), TitleBandHeight(g));
    const uint32_t back = PixelFromColorref(g.CrBack);
    const uint32_t titleBack = PixelFromColorref(g.CrTitleBack);
    const uint8_t alpha = g.TransToday && surfaceHeight > 0 ? g.AlphaToday : 0;

    // Filling the item, the band and the rows in that order and then blending
    // is done row by row in one pass: each row is at most three runs.
    int rows = std::max(surfaceHeight, titleHeight);
    const BodyList list = ListedBodies(item);
    auto rowTop = [&](int b) { return item.State.RowTop[b]; };
    auto rowBottom = [&](int b) { return item.State.RowTop[b] + item.Pictures.Bodies[b].RowHeight; };
    for (int i = 0; i < list.Count; ++i) rows = std::max(rows, rowBottom(list.Body[i]));
    rows = std::min(rows, comp.Height);
    if (rows <= 0) return;
    std::vector<int> rowBody(static_cast<size_t>(rows), -1);  // later rows paint over earlier ones
    for (int i = 0; i < list.Count; ++i) {
        const int b = list.Body[i];
        for (int y = std::max(rowTop(b), 0); y < std::min(rowBottom(b), rows); ++y) rowBody[y] = b;
    }
    // Row backgrounds reach the last column inside the right margin, where
    // meters and pictures end too.
    const int innerRight = static_cast<int>(std::clamp<long long>(static_cast<long long>(itemWidth) - g.MarginRight, 0, itemWidth));
    const int marginLeft = std::clamp(g.MarginLeft, 0, std::max(itemWidth, 0));
    for (int y = 0; y < rows; ++y) {
        const uint8_t a = y < surfaceHeight ? alpha : 0;
        const uint32_t base = y < titleHeight ? titleBack : back;
        if (rowBody[y] < 0) {
            FillRowBlended(comp, background, y, 0, itemWidth, base, a);
            continue;
        }
        const uint32_t body = PixelFromColorref(item.Store.Bodies[rowBody[y]].CrBack);
        FillRowBlended(comp, background, y, 0, marginLeft, base, a);
        FillRowBlended(comp, background, y, marginLeft, innerRight, body, a);
        FillRowBlended(comp, background, y, std::max(innerRight, marginLeft), itemWidth, base, a);
    }
}

RowPlacements ComposeMeters(Item& item, PixelBuffer comp) {
    return item.State.AzimuthMode ? DrawAzimuthMeters(item, comp) : DrawTimeMeters(item, comp);
}

std::vector<TextDraw> LayoutItemText(const Item& item, const RowPlacements& rows) {
    std::vector<TextDraw> texts;
    LayoutTitleBand(item, &texts);
    if (item.State.InfoMode) {
        const BodyList list = ListedBodies(item);
        for (int i = 0; i < list.Count; ++i) LayoutBodyInfo(item, list.Body[i], rows[list.Body[i]], &texts);
    }
    return texts;
}

std::vector<TextDraw> ComposeItem(Item& item, PixelBuffer background, PixelBuffer composition) {
    ComposeBackground(item, background, composition);
    return LayoutItemText(item, ComposeMeters(item, composition));
}

}  // namespace velkaro
