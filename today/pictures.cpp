#include "today/pictures.h"

#include <algorithm>
#include <cstring>

#include "platform/picture.h"
#include "platform/text_measure.h"

namespace velkaro {

std::wstring MaskPath(const std::wstring& iconPath) {
    const size_t dot = iconPath.rfind(L'.');
    if (dot == std::wstring::npos) return std::wstring();
    return iconPath.substr(0, dot) + L".msk";
}

int HeightOf(long long sum) { return static_cast<int>(std::clamp<long long>(sum, 0, kMaxItemHeight)); }

int TitleBandHeight(const GeneralSettings& g) {
    if (g.Title == 0 && g.Clock == 0) return 0;
    // A title font of no size is the default font: the band holds its line.
    const int text = g.TextSize > 0 ? g.TextSize : MeasureText(L"", FontSpec{g.FaceName, g.CharSet, 0}).Height;
    return HeightOf(static_cast<long long>(text) + g.TMarginTop + g.TMarginBottom);
}

namespace {

void LoadBody(int body, const BodyStyle& style, BodyPicture* pic) {
    *pic = BodyPicture();
    pic->Size = HeightOf(style.TextSize);

    DecodedPicture picture;
    // A picture narrower than it is high holds no whole frame.
    if (style.IconMode != 0 && LoadPicture(style.Icon, &picture) &&
        picture.Height <= kMaxImageSize && picture.Width >= picture.Height) {
        const int s = picture.Height;
        pic->State = kImageOpaque;
        pic->Size = s;
        pic->Frames = picture.Width / s;
        pic->Width = picture.Width;
        pic->Height = picture.Height;
        pic->Pixels.swap(picture.Pixels);

        DecodedPicture mask;
        const std::wstring maskPath = MaskPath(style.Icon);
        if (!maskPath.empty() && LoadPicture(maskPath, &mask) && mask.Height == s &&
            mask.Width >= s) {
            pic->State = kImageMasked;
            pic->MaskFrames = mask.Width / s;
            if (body == kMoon) {
                if (pic->Frames == 28 && pic->MaskFrames == 28)
                    pic->State = kImageMoonFrames;
                else if (pic->MaskFrames == 14)
                    pic->State = kImageEarthShine;
            }
            pic->MaskWidth = mask.Width;
            pic->MaskHeight = mask.Height;
            pic->Mask.swap(mask.Pixels);
        }
        pic->Colour.assign(static_cast<size_t>(s) * s, 0);
        pic->Alpha.assign(static_cast<size_t>(s) * s, 0);
        PrepareBodyFrame(pic, 0, 0);
    }
    // Negative image margins may eat more than the image; a row is never
    // less than empty.
    pic->RowHeight = HeightOf(static_cast<long long>(style.MarginTop) + pic->Size + style.MarginBottom);
}

// Copies frame `frame` (s x s) of a strip into dst.
void CopyFrame(const std::vector<uint32_t>& strip, int stripWidth, int s, int frame,
               std::vector<uint32_t>* dst) {
    const size_t bytes = static_cast<size_t>(s) * sizeof(uint32_t);
    for (int j = 0; j < s; ++j)
        std::memcpy(dst->data() + static_cast<size_t>(j) * s,
                    strip.data() + static_cast<size_t>(j) * stripWidth + static_cast<size_t>(frame) * s,
                    bytes);
}

int ClampFrame(int frame, int frames) {
    if (frames <= 0) return 0;
    return std::min(std::max(frame, 0), frames - 1);
}

}  // namespace

int LoadItemPictures(const SettingsStore& store, ItemPictures* pictures) {
    const GeneralSettings& g = store.General;
    // Each term is held as the item's height holds it (ComputeItemHeight).
    long long height = static_cast<long long>(HeightOf(g.MarginTop)) + TitleBandHeight(g) + HeightOf(g.MarginBottom);
    for (int b = 0; b < kBodyCount; ++b) {
        const BodyStyle& style = store.Bodies[b];
        LoadBody(b, style, &pictures->Bodies[b]);
        height += static_cast<long long>(HeightOf(style.SpaceTop)) + pictures->Bodies[b].RowHeight +
                  HeightOf(style.SpaceBottom);
    }
    return HeightOf(height);
}

int SelectFrame(const BodyPicture& picture, int body, int phaseIndex) {
    if (body != kMoon) return 0;
    if (picture.State != kImageEarthShine && picture.State != kImageMoonFrames) return 0;
    return (phaseIndex >= 0 && phaseIndex < 28) ? phaseIndex : 0;
}

void PrepareBodyFrame(BodyPicture* pic, int frame, uint8_t alphaEarthShine) {
    const int s = pic->Size;
    if (pic->State == kImageNone || s <= 0 || pic->Pixels.empty()) return;
    const size_t n = static_cast<size_t>(s) * s;
    pic->Colour.resize(n);
    pic->Alpha.resize(n);
    const int framesInPicture = pic->Width / s;
    const int framesInMask = pic->Mask.empty() ? 0 : pic->MaskWidth / s;

    switch (pic->State) {
        case kImageOpaque:
            CopyFrame(pic->Pixels, pic->Width, s, 0, &pic->Colour);
            std::fill(pic->Alpha.begin(), pic->Alpha.end(), 0xFFFFFFu);
            return;
        case kImageMasked:
            CopyFrame(pic->Pixels, pic->Width, s, 0, &pic->Colour);
            CopyFrame(pic->Mask, pic->MaskWidth, s, 0, &pic->Alpha);
            return;
        case kImageMoonFrames:
            CopyFrame(pic->Pixels, pic->Width, s, ClampFrame(frame, framesInPicture), &pic->Colour);
            CopyFrame(pic->Mask, pic->MaskWidth, s, ClampFrame(frame, framesInMask), &pic->Alpha);
            return;
        case kImageEarthShine:
            break;
        default:
            return;
    }

    // Earth-shine: the whole disc faintly, then the lit part of the phase on top.
    CopyFrame(pic->Pixels, pic->Width, s, 0, &pic->Colour);
    CopyFrame(pic->Mask, pic->MaskWidth, s, 0, &pic->Alpha);
    for (uint32_t& m : pic->Alpha) {
        if (m == 0) continue;
        const uint32_t g = (static_cast<uint32_t>(alphaEarthShine) * (m & 0xFFu)) >> 8;
        m = g * 0x010101u;
    }
    const int a = (frame >= 0 && frame < 28) ? frame : 0;
    if (a == 0) return;
    const int phase = ClampFrame(a > 14 ? a - 14 : 14 - a, framesInMask);
    // Frames 1..13 are the waxing half, drawn as the mirror of the waning one.
    const bool mirror = a <= 13;
    for (int j = 0; j < s; ++j) {
        const uint32_t* src = pic->Mask.data() + static_cast<size_t>(j) * pic->MaskWidth +
                              static_cast<size_t>(phase) * s;
        uint32_t* dst = pic->Alpha.data() + static_cast<size_t>(j) * s;
        for (int i = 0; i < s; ++i) {
            const uint32_t f = src[i];
            if (f == 0) continue;
            uint32_t& t = dst[mirror ? s - 1 - i : i];
            if (f == 0xFFFFFFu) {
                t = 0xFFFFFFu;
                continue;
            }
            const int h = static_cast<int>(t & 0xFFu);
            const int fl = static_cast<int>(f & 0xFFu);
            // Raises h toward 255 by the weight fl; (fl * (h - 255) + 255) is
            // never above 255, so the shift floors a non-positive value.
            const int raised = h - ((fl * (h - 255) + 255) >> 8);
            t = static_cast<uint32_t>(raised & 0xFF) * 0x010101u;
        }
    }
}

bool DrawBodyImage(PixelBuffer comp, const BodyStyle& style, const BodyPicture& pic,
                   const BodyDraw& d) {
    const int s = pic.Size;
    if (pic.State == kImageNone || s <= 0 ||
        pic.Colour.size() != static_cast<size_t>(s) * s || pic.Alpha.size() != pic.Colour.size())
        return false;
    if (comp.Empty()) return true;

    const long long top = static_cast<long long>(d.RowTop) + style.MarginTop;
    const long long rowTop = std::max<long long>(d.RowTop, 0);
    const long long rowBottom =
        std::min<long long>(static_cast<long long>(d.RowTop) + pic.RowHeight, comp.Height);
    const long long j0 = std::max<long long>(0, rowTop - top);
    const long long j1 = std::min<long long>(s, rowBottom - top);
    const long long clipLeft = std::max(0, d.ClipLeft);
    const long long clipRight = std::min(comp.Width, d.ClipRight);
    const long long i0 = std::max<long long>(0, clipLeft - d.X);
    const long long i1 = std::min<long long>(s, clipRight - d.X);
    if (j0 >= j1 || i0 >= i1) return true;

    const bool fade = !d.Up && style.AlphaS != 255;
    const uint32_t alphaS = style.AlphaS;
    // Without branches: weight 0 leaves b as it is (also after the fade), and
    // an opaque pixel of a body that is up takes weight 256, an exact copy.
    const uint32_t opaque = d.Up ? 256u : 255u;
    for (long long j = j0; j < j1; ++j) {
        uint32_t* row = comp.Row(static_cast<int>(top + j)) + (d.X + i0);
        const long long srcRow = d.Rotate ? s - 1 - j : j;
        const uint32_t* colour = pic.Colour.data() + srcRow * s;
        const uint32_t* alpha = pic.Alpha.data() + srcRow * s;
        const int n = static_cast<int>(i1 - i0);
        if (d.Rotate) {
            colour += s - 1 - i0;
            alpha += s - 1 - i0;
            for (int i = 0; i < n; ++i) {
                const uint32_t w = alpha[-i];
                const uint32_t b1 = MixPixel(row[i], colour[-i], w == 0xFFFFFFu ? opaque : (w & 0xFFu));
                row[i] = fade ? MixPixel(row[i], b1, alphaS) : b1;
            }
        } else {
            colour += i0;
            alpha += i0;
            for (int i = 0; i < n; ++i) {
                const uint32_t w = alpha[i];
                const uint32_t b1 = MixPixel(row[i], colour[i], w == 0xFFFFFFu ? opaque : (w & 0xFFu));
                row[i] = fade ? MixPixel(row[i], b1, alphaS) : b1;
            }
        }
    }
    return true;
}

}  // namespace velkaro
