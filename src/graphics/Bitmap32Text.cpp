// Text on bitmaps through the process-wide text rasteriser.
#include "graphics/Bitmap32.h"

#include "graphics/LowLevel32.h"
#include "platform/Exception.h"
#include "platform/TextRasterizer.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace {

platform::Rect ToPlatformRect(const TRect& R)
{
    return {R.Left, R.Top, R.Right, R.Bottom};
}

constexpr uint32_t kWhiteText = 0xFFFFFF;

} // namespace

platform::PixelView TBitmap32::PixelsView()
{
    return {Bits(), Width(), Height(), Width()};
}

void TBitmap32::Textout(int32_t X, int32_t Y, std::string_view Text)
{
    Textout(X, Y, BoundsRect(), Text);
}

void TBitmap32::Textout(int32_t X, int32_t Y, const TRect& ClipRect, std::string_view Text)
{
    if (Empty())
        return;
    platform::CurrentTextRasterizer().TextOut(PixelsView(), X, Y, ToPlatformRect(ClipRect), Text, FFont);
    Changed();
}

void TBitmap32::Textout(TRect& DstRect, uint32_t Flags, std::string_view Text)
{
    if (Flags & platform::kTextCalcRect) {
        const platform::Rect bounds =
            platform::CurrentTextRasterizer().TextRect(ToPlatformRect(DstRect), Flags, Text, FFont);
        DstRect.Right = bounds.Right;
        DstRect.Bottom = bounds.Bottom;
        return;
    }
    if (Empty())
        return;
    platform::CurrentTextRasterizer().DrawText(PixelsView(), ToPlatformRect(DstRect), Flags, Text, FFont);
    Changed();
}

platform::Size TBitmap32::TextExtent(std::string_view Text) const
{
    return platform::CurrentTextRasterizer().TextExtent(Text, FFont);
}

namespace {

void CheckRenderTextWork(int64_t Width, int64_t Height)
{
    if (Width * Height > TBitmap32::kMaxRenderTextPixels)
        throw Exception("Cannot render the text: it needs a work bitmap of " + std::to_string(Width) + " x " +
                        std::to_string(Height) + " pixels, more than the limit of " +
                        std::to_string(TBitmap32::kMaxRenderTextPixels) +
                        "; use a smaller font, a lower anti-aliasing level or a shorter text");
}

// The mask of level 0: each pixel's blue byte (the grey of white text on black) becomes
// its alpha over Color; untouched pixels stay 0.
void CoverageToAlpha(TBitmap32& Mask, TColor32 Color)
{
    TColor32* p = Mask.Bits();
    const size_t count = size_t(Mask.Width()) * size_t(Mask.Height());
    for (size_t i = 0; i < count; ++i)
        if (p[i] != 0)
            p[i] = (p[i] << 24) + Color;
}

// Each pixel of Mask gets, as its alpha over Color, the mean blue byte of the block of
// 2^Level x 2^Level pixels of Large at the same place scaled up.
void AverageBlocks(const TBitmap32& Large, int32_t Level, TBitmap32& Mask, TColor32 Color)
{
    const int32_t side = 1 << Level;
    std::vector<uint32_t> sums(size_t(Mask.Width()));
    for (int32_t j = 0; j < Mask.Height(); ++j) {
        std::fill(sums.begin(), sums.end(), 0u);
        for (int32_t row = j << Level; row < (j + 1) << Level; ++row) {
            const TColor32* src = Large.ScanLine(row);
            for (int32_t i = 0; i < Mask.Width(); ++i, src += side) {
                uint32_t sum = 0;
                for (int32_t k = 0; k < side; ++k)
                    sum += src[k] & 0xFF;
                sums[size_t(i)] += sum;
            }
        }
        TColor32* dst = Mask.ScanLine(j);
        for (int32_t i = 0; i < Mask.Width(); ++i)
            dst[i] = ((sums[size_t(i)] >> Level) >> Level) << 24 | Color;
    }
}

} // namespace

namespace {

// The part [First, Last) of a mask Size long, placed at At, that lands on 0..Extent.
std::pair<int32_t, int32_t> LandingSpan(int32_t At, int32_t Size, int32_t Extent)
{
    const int64_t first = std::clamp<int64_t>(-int64_t(At), 0, Size);
    const int64_t last = std::clamp<int64_t>(int64_t(Extent) - At, first, Size);
    return {int32_t(first), int32_t(last)};
}

} // namespace

// The text is drawn white on black into a mask whose grey levels become alpha over
// Color; the mask is then blended onto this bitmap with Color's alpha as master alpha.
// Levels above 0 draw at 2^Level times the font size and average the blocks. The text
// is measured with one blank after it, and a level's width is rounded up past a whole
// block, so the last glyph's overhang is kept. Only the part of the mask that lands on
// this bitmap is rendered: the text is drawn moved by the part cut off.
void TBitmap32::RenderText(int32_t X, int32_t Y, std::string_view Text, int32_t AALevel, TColor32 Color)
{
    if (Empty())
        return;
    const TColor32 alpha = Color >> 24;
    Color &= 0x00FFFFFF;
    const int32_t level = Constrain(AALevel, 0, 4);
    platform::TextRasterizer& rasterizer = platform::CurrentTextRasterizer();
    const std::string measured = std::string(Text) + ' ';

    platform::FontSpec font = FFont;
    font.Color = kWhiteText;
    // One em square of the enlarged font must fit before the rasteriser is asked.
    const int64_t emPixels = int64_t(platform::FontPixelSize(FFont.PointSize)) << level;
    CheckRenderTextWork(emPixels, emPixels);
    font.PointSize <<= level;
    const platform::Size extent = rasterizer.TextExtent(measured, font);

    // The whole mask, its part on this bitmap, and that part in work pixels (the enlarged
    // text's own edge where the part reaches the mask's edge).
    const int32_t workWidth = level == 0 ? extent.Width : ((extent.Width >> level) + 1) << level;
    const auto [left, right] = LandingSpan(X, workWidth >> level, Width());
    const auto [top, bottom] = LandingSpan(Y, extent.Height >> level, Height());
    if (right <= left || bottom <= top)
        return;
    const int32_t workLeft = left << level, workTop = top << level;
    const int32_t workRight = right == (workWidth >> level) ? workWidth : right << level;
    const int32_t workBottom = bottom == (extent.Height >> level) ? extent.Height : bottom << level;
    CheckRenderTextWork(int64_t(workRight) - workLeft, int64_t(workBottom) - workTop);

    TBitmap32 mask;
    if (level == 0) {
        mask.SetSize(right - left, bottom - top);
        mask.Clear(0);
        mask.SetFont(font);
        mask.Textout(-left, -top, Text);
        CoverageToAlpha(mask, Color);
    } else {
        TBitmap32 large;
        large.SetSize(workRight - workLeft, workBottom - workTop);
        large.Clear(0);
        large.SetFont(font);
        large.Textout(-workLeft, -workTop, Text);
        mask.SetSize(right - left, bottom - top);
        AverageBlocks(large, level, mask, Color);
    }
    mask.SetDrawMode(dmBlend);
    mask.SetMasterAlpha(alpha);
    mask.DrawTo(*this, X + left, Y + top);
}
