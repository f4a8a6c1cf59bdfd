#include "today/compose.h"

#include "today/meters.h"

namespace velkaro {

void ComposeBackground(const Item& item, PixelBuffer background, PixelBuffer comp) {
    const GeneralSettings& g = item.Store.General;
    const int itemWidth = item.State.ItemWidth;
    const int surfaceHeight = item.State.SurfaceHeight;
    FillRect(comp, Rect{0, 0, itemWidth, surfaceHeight}, PixelFromColorref(g.CrBack));
    // The band's colour goes in whether or not the band has text.
    FillRect(comp, Rect{0, 0, itemWidth, g.TextSize + g.TMarginTop + g.TMarginBottom},
             PixelFromColorref(g.CrTitleBack));
    const BodyList list = ListedBodies(item);
    for (int i = 0; i < list.Count; ++i) {
        const BodyStyle& style = item.Store.Bodies[list.Body[i]];
        const int top = style.Layout.RowTop;
        // Up to the last column inside the right margin, where meters and
        // pictures end too.
        FillRect(comp, Rect{g.MarginLeft, top, itemWidth - g.MarginRight, top + style.Layout.RowHeight},
                 PixelFromColorref(style.CrBack));
    }
    if (g.TransToday && surfaceHeight > 0)
        BlendToward(comp, background, itemWidth, surfaceHeight, g.AlphaToday);
}

void ComposeMeters(Item& item, ItemPictures& pictures, PixelBuffer comp) {
    if (item.State.AzimuthMode)
        DrawAzimuthMeters(item, pictures, comp);
    else
        DrawTimeMeters(item, pictures, comp);
}

std::vector<TextDraw> LayoutItemText(const Item& item) {
    std::vector<TextDraw> texts;
    LayoutTitleBand(item, &texts);
    if (item.State.InfoMode) {
        const BodyList list = ListedBodies(item);
        for (int i = 0; i < list.Count; ++i) LayoutBodyInfo(item, list.Body[i], &texts);
    }
    return texts;
}

std::vector<TextDraw> ComposeItem(Item& item, ItemPictures& pictures, PixelBuffer background,
                                  PixelBuffer composition) {
    ComposeBackground(item, background, composition);
    ComposeMeters(item, pictures, composition);
    return LayoutItemText(item);
}

}  // namespace velkaro
