#include "inspector/rmButtonGlyph.h"

#include "graphics/SystemColorNames.h"
#include "inspector/rmDrawText.h"
#include "inspector/rmLibraryDraw.h"

#include <algorithm>

namespace {

constexpr TColor32 kRgbMask = 0x00FFFFFF;
constexpr TColor32 kOpaque = 0xFF000000;

TColor32 Opaque(TColor SystemColor)
{
    return kOpaque | CanvasColorOf(SystemColor);
}

// A see-through pixel: clBtnFace with alpha 0.
TColor32 SeeThrough()
{
    return CanvasColorOf(clBtnFace);
}

} // namespace

TButtonPlacement CalcButtonLayout(const platform::Rect& Client, platform::Point Offset, platform::Size GlyphSize,
                                  platform::Size TextSize, TButtonLayout Layout, int32_t Margin, int32_t Spacing,
                                  bool RightToLeft)
{
    if (RightToLeft) {
        if (Layout == blGlyphLeft)
            Layout = blGlyphRight;
        else if (Layout == blGlyphRight)
            Layout = blGlyphLeft;
    }
    const platform::Size client{Client.Width(), Client.Height()};
    const bool horizontal = Layout == blGlyphLeft || Layout == blGlyphRight;
    platform::Point glyph, text;
    // Across the layout axis both are centred.
    if (horizontal) {
        glyph.Y = (client.Height - GlyphSize.Height + 1) / 2;
        text.Y = (client.Height - TextSize.Height + 1) / 2;
    } else {
        glyph.X = (client.Width - GlyphSize.Width + 1) / 2;
        text.X = (client.Width - TextSize.Width + 1) / 2;
    }
    if (TextSize.Width == 0 || GlyphSize.Width == 0)
        Spacing = 0;
    // Along the axis.
    const int32_t clientAlong = horizontal ? client.Width : client.Height;
    const int32_t glyphAlong = horizontal ? GlyphSize.Width : GlyphSize.Height;
    const int32_t textAlong = horizontal ? TextSize.Width : TextSize.Height;
    if (Margin == -1) {
        if (Spacing == -1) {
            Margin = (clientAlong - (glyphAlong + textAlong)) / 3;
            Spacing = Margin;
        } else {
            Margin = (clientAlong - (glyphAlong + Spacing + textAlong) + 1) / 2;
        }
    } else if (Spacing == -1) {
        Spacing = (clientAlong - (Margin + glyphAlong) - textAlong) / 2;
    }
    int32_t glyphAt = 0, textAt = 0;
    if (Layout == blGlyphLeft || Layout == blGlyphTop) {
        glyphAt = Margin;
        textAt = glyphAt + glyphAlong + Spacing;
    } else {
        glyphAt = clientAlong - Margin - glyphAlong;
        textAt = glyphAt - Spacing - textAlong;
    }
    (horizontal ? glyph.X : glyph.Y) = glyphAt;
    (horizontal ? text.X : text.Y) = textAt;
    const int32_t dx = Client.Left + Offset.X, dy = Client.Top + Offset.Y;
    TButtonPlacement placement;
    placement.GlyphPos = {glyph.X + dx, glyph.Y + dy};
    placement.TextBounds = {text.X + dx, text.Y + dy, text.X + dx + TextSize.Width, text.Y + dy + TextSize.Height};
    return placement;
}

void TButtonGlyph::SetGlyph(const TBitmap32* Value)
{
    if (Value)
        FOriginal.Assign(Value);
    else
        FOriginal.SetSize(0, 0);
    Changed();
}

void TButtonGlyph::SetNumGlyphs(int32_t Value)
{
    Value = std::clamp(Value, 1, kMaxGlyphs);
    if (Value == FNumGlyphs)
        return;
    FNumGlyphs = Value;
    Changed();
}

platform::Size TButtonGlyph::GlyphSize() const
{
    if (FOriginal.Empty())
        return {};
    return {FOriginal.Width() / FNumGlyphs, FOriginal.Height()};
}

int32_t TButtonGlyph::ImageIndex(TrmButtonState State) const
{
    int32_t index = 0;
    switch (State) {
    case bsDisabled: index = 1; break;
    case bsDown: index = FNumGlyphs < 3 ? 0 : 2; break;
    case bsExclusive: index = 3; break;
    default: index = 0; break;
    }
    return index < FNumGlyphs ? index : 0;
}

void TButtonGlyph::Invalidate()
{
    for (auto& image : FImages)
        image.reset();
}

void TButtonGlyph::Changed()
{
    Invalidate();
    if (OnChange)
        OnChange(nullptr);
}

const TBitmap32& TButtonGlyph::StateImage(TrmButtonState State)
{
    auto& image = FImages[State];
    if (!image)
        image = BuildImage(State);
    return *image;
}

std::unique_ptr<TBitmap32> TButtonGlyph::BuildImage(TrmButtonState State) const
{
    auto image = std::make_unique<TBitmap32>();
    const platform::Size size = GlyphSize();
    image->SetSize(size.Width, size.Height);
    if (size.Width == 0 || size.Height == 0)
        return image;
    image->Clear(SeeThrough());
    // The glyph's own see-through colour is that of its bottom-left pixel.
    const TColor32 transparent = FOriginal.GetPixel(0, FOriginal.Height() - 1) & kRgbMask;
    const int32_t index = ImageIndex(State);
    const int32_t left = index * size.Width;
    const auto source = [&](int32_t x, int32_t y) { return FOriginal.GetPixel(left + x, y) & kRgbMask; };

    if (State == bsDisabled && FNumGlyphs == 1) {
        // Embossed: every pixel that is not white marks the shape, drawn once one pixel
        // down-right in the highlight colour and then in place in the shadow colour.
        for (int pass = 0; pass < 2; ++pass) {
            const int32_t shift = pass == 0 ? 1 : 0;
            const TColor32 ink = Opaque(pass == 0 ? clBtnHighlight : clBtnShadow);
            for (int32_t y = 0; y + shift < size.Height; ++y)
                for (int32_t x = 0; x + shift < size.Width; ++x)
                    if (source(x, y) != 0xFFFFFF)
                        image->SetPixel(x + shift, y + shift, ink);
        }
        return image;
    }
    for (int32_t y = 0; y < size.Height; ++y)
        for (int32_t x = 0; x < size.Width; ++x) {
            const TColor32 pixel = source(x, y);
            if (pixel == transparent)
                continue;
            if (State == bsDisabled)
                // The glyph's own disabled image, recoloured to the system colours.
                image->SetPixel(x, y, pixel == 0xFFFFFF ? Opaque(clBtnHighlight)
                                      : pixel == 0x808080 ? Opaque(clBtnShadow)
                                                          : kOpaque | pixel);
            else
                image->SetPixel(x, y, kOpaque | pixel);
        }
    return image;
}

platform::Rect TButtonGlyph::Draw(platform::Canvas& Canvas, const platform::Rect& Client, platform::Point Offset,
                                  const std::string& Caption, TButtonLayout Layout, int32_t Margin, int32_t Spacing,
                                  TrmButtonState State, bool Transparent, bool RightToLeft,
                                  const platform::FontSpec& Font)
{
    platform::Rect textSize{0, 0, Client.Width(), 0};
    if (!Caption.empty())
        DrawTextInRect(Canvas, Caption, textSize, dt::CalcRect, Font);
    const TButtonPlacement placement =
        CalcButtonLayout(Client, Offset, GlyphSize(), Caption.empty() ? platform::Size{} : platform::Size{textSize.Width(), textSize.Height()},
                         Layout, Margin, Spacing, RightToLeft);

    const platform::Size size = GlyphSize();
    if (size.Width > 0) {
        const TBitmap32& image = StateImage(State);
        const platform::Point at = placement.GlyphPos;
        if (!Transparent) {
            Canvas.BlitOpaque(at.X, at.Y, image.Bits(), size.Width, size.Height, size.Width);
        } else {
            // Only the opaque runs of each row.
            for (int32_t y = 0; y < size.Height; ++y) {
                const TColor32* row = image.ScanLine(y);
                for (int32_t x = 0; x < size.Width;) {
                    if ((row[x] >> 24) == 0) {
                        ++x;
                        continue;
                    }
                    int32_t end = x;
                    while (end < size.Width && (row[end] >> 24) != 0)
                        ++end;
                    Canvas.BlitOpaque(at.X + x, at.Y + y, row + x, end - x, 1, size.Width);
                    x = end;
                }
            }
        }
    }
    platform::Rect textBounds = placement.TextBounds;
    if (!Caption.empty()) {
        const uint32_t flags = dt::Center | dt::VCenter | dt::SingleLine | (RightToLeft ? dt::RtlReading : 0);
        if (State == bsDisabled) {
            platform::Rect grey = textBounds;
            DrawGrayText(Canvas, Caption, grey, flags, Font);
        } else {
            platform::Rect shown = textBounds;
            DrawTextInRect(Canvas, Caption, shown, flags, Font);
        }
    }
    return textBounds;
}
