#include "components/BarPainting.h"

#include <algorithm>
#include <vector>

namespace barpaint {
namespace {

int32_t Channel(CanvasColor c, int32_t shift)
{
    return int32_t((c >> shift) & 0xFF);
}

CanvasColor FromChannels(int32_t r, int32_t g, int32_t b)
{
    return CanvasColor(r) << 16 | CanvasColor(g) << 8 | CanvasColor(b);
}

} // namespace

CanvasColor Lighten(CanvasColor Color, int32_t N)
{
    auto lift = [N](int32_t v) { return std::clamp(v + N, 0, 255); };
    return FromChannels(lift(Channel(Color, 16)), lift(Channel(Color, 8)), lift(Channel(Color, 0)));
}

CanvasColor Blend(CanvasColor A, CanvasColor B, int32_t W)
{
    auto mix = [W](int32_t a, int32_t b) { return (a * W + b * (255 - W)) >> 8; };
    return FromChannels(mix(Channel(A, 16), Channel(B, 16)), mix(Channel(A, 8), Channel(B, 8)),
                        mix(Channel(A, 0), Channel(B, 0)));
}

Rect Inset(const Rect& R, int32_t By)
{
    return Rect{R.Left + By, R.Top + By, R.Right - By, R.Bottom - By};
}

void Bevel(platform::Canvas& Canvas, const Rect& R, CanvasColor TopLeft, CanvasColor BottomRight)
{
    if (R.IsEmpty())
        return;
    Canvas.Line(R.Left, R.Top, R.Right - 1, R.Top, TopLeft);
    Canvas.Line(R.Left, R.Top, R.Left, R.Bottom - 1, TopLeft);
    Canvas.Line(R.Right - 1, R.Top, R.Right - 1, R.Bottom - 1, BottomRight);
    Canvas.Line(R.Left, R.Bottom - 1, R.Right - 1, R.Bottom - 1, BottomRight);
}

void RaisedFace(platform::Canvas& Canvas, const Rect& R)
{
    Bevel(Canvas, R, CanvasColorOf(cl3DLight), CanvasColorOf(cl3DDkShadow));
    Bevel(Canvas, Inset(R, 1), CanvasColorOf(clBtnHighlight), CanvasColorOf(clBtnShadow));
    const Rect face = Inset(R, 2);
    if (!face.IsEmpty())
        Canvas.FillRect(face, CanvasColorOf(clBtnFace));
}

Rect OpenFrame(platform::Canvas& Canvas, const Rect& R, TRBDirection Direction, CanvasColor Color)
{
    if (R.IsEmpty())
        return R;
    const bool openLeft = Direction == drRight, openRight = Direction == drLeft;
    const bool openTop = Direction == drDown, openBottom = Direction == drUp;
    Rect inner = R;
    if (!openTop) {
        Canvas.Line(R.Left, R.Top, R.Right - 1, R.Top, Color);
        ++inner.Top;
    }
    if (!openBottom) {
        Canvas.Line(R.Left, R.Bottom - 1, R.Right - 1, R.Bottom - 1, Color);
        --inner.Bottom;
    }
    if (!openLeft) {
        Canvas.Line(R.Left, R.Top, R.Left, R.Bottom - 1, Color);
        ++inner.Left;
    }
    if (!openRight) {
        Canvas.Line(R.Right - 1, R.Top, R.Right - 1, R.Bottom - 1, Color);
        --inner.Right;
    }
    return inner;
}

void FillChecker(platform::Canvas& Canvas, const Rect& R, CanvasColor A, CanvasColor B)
{
    if (R.IsEmpty())
        return;
    // The two rows of the pattern: one for even y, one for odd.
    const int32_t width = R.Width();
    std::vector<uint32_t> rows(size_t(width) * 2);
    for (int32_t x = 0; x < width; ++x) {
        const bool even = ((R.Left + x) & 1) == 0;
        rows[size_t(x)] = even ? A : B;
        rows[size_t(width + x)] = even ? B : A;
    }
    for (int32_t y = R.Top; y < R.Bottom; ++y)
        Canvas.BlitOpaque(R.Left, y, rows.data() + ((y & 1) == 0 ? 0 : width), width, 1, width);
}

void FillArrow(platform::Canvas& Canvas, const Rect& R, TRBDirection Direction, CanvasColor Color, int32_t Dx,
               int32_t Dy)
{
    int32_t cx = (R.Left + R.Right - 1) / 2;
    int32_t cy = (R.Top + R.Bottom - 1) / 2;
    const int32_t s = std::max(std::min(cx - R.Left, cy - R.Top) * 3 / 4 - 1, 1);
    // The centre moves toward the tail, so that the triangle sits in the middle.
    switch (Direction) {
    case drLeft: cx += (s + 1) / 3; break;
    case drUp: cy += (s + 1) / 3; break;
    case drRight: cx -= s / 3; break;
    case drDown: cy -= s / 3; break;
    }
    cx += Dx;
    cy += Dy;
    // Lines across the direction, from the base through the centre (2s + 1 long) to the tip.
    for (int32_t i = 0; i <= s; ++i) {
        const int32_t half = s - i;
        switch (Direction) {
        case drLeft: Canvas.Line(cx - i, cy - half, cx - i, cy + half, Color); break;
        case drRight: Canvas.Line(cx + i, cy - half, cx + i, cy + half, Color); break;
        case drUp: Canvas.Line(cx - half, cy - i, cx + half, cy - i, Color); break;
        case drDown: Canvas.Line(cx - half, cy + i, cx + half, cy + i, Color); break;
        }
    }
}

void SizeGrip(platform::Canvas& Canvas, const Rect& R)
{
    if (R.IsEmpty())
        return;
    Canvas.FillRect(R, CanvasColorOf(clBtnFace));
    const CanvasColor light = CanvasColorOf(clBtnHighlight), dark = CanvasColorOf(clBtnShadow);
    const int32_t size = std::min(R.Width(), R.Height());
    // Ridges of a light line and two dark ones, every four pixels from the corner.
    for (int32_t d = 3; d < size; d += 4) {
        const int32_t x = R.Right - 1, y = R.Bottom - 1;
        Canvas.Line(x - d, y, x, y - d, light);
        Canvas.Line(x - d + 1, y, x, y - d + 1, dark);
        Canvas.Line(x - d + 2, y, x, y - d + 2, dark);
    }
}

} // namespace barpaint
