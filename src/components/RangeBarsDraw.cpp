// How the arrow bars look: the border, and the buttons, track parts and handle in the
// classic style (this platform has no visual themes) or in the Mac style.
#include "components/BarPainting.h"
#include "components/RangeBars32.h"

using namespace barpaint;

void TArrowBar::PaintBorder(platform::Canvas& Canvas)
{
    // A sunken outer edge around the client area.
    if (borderStyle_ == bsSingle)
        Bevel(Canvas, ClientRect(), CanvasColorOf(clBtnShadow), CanvasColorOf(clBtnHighlight));
}

void TArrowBar::DoDrawButton(platform::Canvas& Canvas, platform::Rect R, TRBDirection Direction, bool Pressed,
                             bool Enabled, bool Hot)
{
    (void)Hot; // only themed drawing shows the hover
    if (R.IsEmpty())
        return;
    if (style_ == rbsMac) {
        const Rect inner = OpenFrame(Canvas, R, Direction, CanvasColorOf(Enabled ? borderColor_ : shadowColor_));
        if (inner.IsEmpty())
            return;
        if (!Enabled) {
            Canvas.FillRect(inner, CanvasColorOf(buttonColor_));
            FillArrow(Canvas, inner, Direction, CanvasColorOf(highLightColor_), 1, 1);
            FillArrow(Canvas, inner, Direction, CanvasColorOf(shadowColor_));
        } else if (Pressed) {
            Canvas.FillRect(inner, CanvasColorOf(buttonColor_));
            FillArrow(Canvas, inner, Direction, CanvasColorOf(borderColor_), 1, 1);
        } else {
            Bevel(Canvas, inner, CanvasColorOf(highLightColor_), CanvasColorOf(shadowColor_));
            const Rect face = Inset(inner, 1);
            if (!face.IsEmpty())
                Canvas.FillRect(face, CanvasColorOf(buttonColor_));
            FillArrow(Canvas, inner, Direction, CanvasColorOf(borderColor_));
        }
        return;
    }
    if (Pressed) {
        // Pushed and flat: a plain frame, the arrow one pixel down and right.
        Canvas.FrameRect(R, CanvasColorOf(clBtnShadow));
        const Rect face = Inset(R, 1);
        if (!face.IsEmpty())
            Canvas.FillRect(face, CanvasColorOf(clBtnFace));
        FillArrow(Canvas, R, Direction, CanvasColorOf(clBtnText), 1, 1);
        return;
    }
    RaisedFace(Canvas, R);
    if (Enabled) {
        FillArrow(Canvas, R, Direction, CanvasColorOf(clBtnText));
    } else {
        FillArrow(Canvas, R, Direction, CanvasColorOf(clBtnHighlight), 1, 1);
        FillArrow(Canvas, R, Direction, CanvasColorOf(clBtnShadow));
    }
}

void TArrowBar::DoDrawTrack(platform::Canvas& Canvas, platform::Rect R, TRBDirection Direction, bool Pressed,
                            bool Enabled, bool Hot)
{
    (void)Hot;
    if (R.IsEmpty())
        return;
    if (style_ != rbsMac) {
        if (Pressed)
            Canvas.FillRect(R, CanvasColorOf(clWindowFrame));
        else
            FillChecker(Canvas, R, CanvasColorOf(clBtnHighlight), Color());
        return;
    }
    Rect inner = OpenFrame(Canvas, R, Direction, CanvasColorOf(Enabled ? borderColor_ : shadowColor_));
    if (inner.IsEmpty())
        return;
    if (Pressed) {
        Canvas.FillRect(inner, CanvasColorOf(borderColor_));
    } else if (Enabled) {
        // A shadow along the leading edges, as if the track lay below the frame.
        const CanvasColor shade = Blend(Blend(CanvasColorOf(highLightColor_), Color(), 127), CanvasColorOf(borderColor_), 32);
        Canvas.Line(inner.Left, inner.Top, inner.Right - 1, inner.Top, shade);
        Canvas.Line(inner.Left, inner.Top, inner.Left, inner.Bottom - 1, shade);
        ++inner.Left;
        ++inner.Top;
        if (inner.IsEmpty())
            return;
        if (backgnd_ == bgPattern)
            FillChecker(Canvas, inner, CanvasColorOf(highLightColor_), Color());
        else
            Canvas.FillRect(inner, Color());
    } else {
        Canvas.FillRect(inner, CanvasColorOf(buttonColor_));
    }
}

void TArrowBar::DoDrawHandle(platform::Canvas& Canvas, platform::Rect R, bool Horz, bool Pressed, bool Hot)
{
    (void)Hot;
    if (R.IsEmpty())
        return;
    if (style_ != rbsMac) {
        RaisedFace(Canvas, R);
        return;
    }
    const CanvasColor handle = CanvasColorOf(handleColor_);
    const CanvasColor light = Pressed ? Lighten(handle, -24) : Lighten(handle, 24);
    const CanvasColor dark = Pressed ? handle : Blend(CanvasColorOf(borderColor_), handle, 96);
    Canvas.FrameRect(R, CanvasColorOf(borderColor_));
    const Rect inner = Inset(R, 1);
    Bevel(Canvas, inner, light, dark);
    const Rect face = Inset(inner, 1);
    if (face.IsEmpty())
        return;
    Canvas.FillRect(face, handle);
    if (!showHandleGrip_)
        return;
    // Two-pixel ridges across the handle around its centre: light then dark along it.
    const int32_t length = Horz ? R.Width() : R.Height();
    const int32_t centre = (Horz ? R.Left + R.Right : R.Top + R.Bottom) / 2 + (Pressed ? 1 : 0);
    const int32_t acrossStart = (Horz ? R.Top : R.Left) + 3 + (Pressed ? 1 : 0);
    const int32_t acrossEnd = (Horz ? R.Bottom : R.Right) - 4 + (Pressed ? 1 : 0);
    if (acrossEnd < acrossStart)
        return;
    auto ridge = [&](int32_t at) {
        for (int32_t k = 0; k < 2; ++k) {
            const CanvasColor color = k == 0 ? light : dark;
            if (Horz)
                Canvas.Line(at + k, acrossStart, at + k, acrossEnd, color);
            else
                Canvas.Line(acrossStart, at + k, acrossEnd, at + k, color);
        }
    };
    ridge(centre - 2);
    ridge(centre + 1);
    if (length > 10) {
        ridge(centre - 5);
        ridge(centre + 4);
    }
}
