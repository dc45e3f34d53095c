#include "inspector/rmFrames.h"

#include "graphics/SystemColorNames.h"

#include <vector>

void Frame3D(platform::Canvas& Canvas, platform::Rect& Rect, platform::CanvasColor TopLeft,
             platform::CanvasColor BottomRight)
{
    if (Rect.IsEmpty())
        return;
    const int32_t l = Rect.Left, t = Rect.Top, r = Rect.Right - 1, b = Rect.Bottom - 1;
    Canvas.Line(l, t, r, t, TopLeft);
    Canvas.Line(l, t, l, b, TopLeft);
    Canvas.Line(l, b, r, b, BottomRight);
    Canvas.Line(r, t, r, b, BottomRight);
    Rect = {Rect.Left + 1, Rect.Top + 1, Rect.Right - 1, Rect.Bottom - 1};
}

void DrawBevel(platform::Canvas& Canvas, platform::Rect& Rect, TBevelCut Cut, platform::CanvasColor Face)
{
    const platform::CanvasColor light = CanvasColorOf(clBtnHighlight), dark = CanvasColorOf(clBtnShadow);
    switch (Cut) {
    case bvNone: break;
    case bvLowered: Frame3D(Canvas, Rect, dark, light); break;
    case bvRaised: Frame3D(Canvas, Rect, light, dark); break;
    case bvSpace: Frame3D(Canvas, Rect, Face, Face); break;
    }
}

void DrawPushButtonFrame(platform::Canvas& Canvas, platform::Rect& Rect, bool Pushed)
{
    if (Pushed) {
        Frame3D(Canvas, Rect, CanvasColorOf(cl3DDkShadow), CanvasColorOf(clBtnHighlight));
        Frame3D(Canvas, Rect, CanvasColorOf(clBtnShadow), CanvasColorOf(cl3DLight));
    } else {
        Frame3D(Canvas, Rect, CanvasColorOf(cl3DLight), CanvasColorOf(cl3DDkShadow));
        Frame3D(Canvas, Rect, CanvasColorOf(clBtnHighlight), CanvasColorOf(clBtnShadow));
    }
    if (!Rect.IsEmpty())
        Canvas.FillRect(Rect, CanvasColorOf(clBtnFace));
}

void DrawFlatEdge(platform::Canvas& Canvas, const platform::Rect& Rect, bool Sunken)
{
    platform::Rect edge = Rect;
    const platform::CanvasColor light = CanvasColorOf(clBtnHighlight), dark = CanvasColorOf(clBtnShadow);
    Frame3D(Canvas, edge, Sunken ? dark : light, Sunken ? light : dark);
}

void DrawSunkenBorder(platform::Canvas& Canvas, platform::Rect& Rect)
{
    Frame3D(Canvas, Rect, CanvasColorOf(clBtnShadow), CanvasColorOf(clBtnHighlight));
    Frame3D(Canvas, Rect, CanvasColorOf(cl3DDkShadow), CanvasColorOf(cl3DLight));
}

int32_t WindowBorderWidth(TBorderStyle Style, bool Ctl3D)
{
    if (Style != bsSingle)
        return 0;
    return Ctl3D ? 2 : 1;
}

void PaintWindowBorder(platform::Canvas& Canvas, const platform::Rect& Bounds, TBorderStyle Style, bool Ctl3D)
{
    if (Style != bsSingle)
        return;
    if (!Ctl3D) {
        Canvas.FrameRect(Bounds, CanvasColorOf(clWindowFrame));
        return;
    }
    platform::Rect inside = Bounds;
    DrawSunkenBorder(Canvas, inside);
}

void FillDithered(platform::Canvas& Canvas, const platform::Rect& Rect, platform::CanvasColor Even,
                  platform::CanvasColor Odd)
{
    if (Rect.IsEmpty())
        return;
    // Two rows of pattern, offset by one pixel, blitted alternately.
    const int32_t width = Rect.Width();
    std::vector<uint32_t> rows(size_t(width) * 2);
    for (int32_t x = 0; x < width; ++x) {
        rows[size_t(x)] = ((Rect.Left + x + Rect.Top) & 1) ? Odd : Even;
        rows[size_t(width + x)] = ((Rect.Left + x + Rect.Top + 1) & 1) ? Odd : Even;
    }
    for (int32_t y = Rect.Top; y < Rect.Bottom; ++y)
        Canvas.BlitOpaque(Rect.Left, y, rows.data() + ((y - Rect.Top) & 1) * width, width, 1, width);
}
