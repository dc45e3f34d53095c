#include "inspector/rmLibraryDraw.h"

#include "graphics/SystemColorNames.h"
#include "inspector/rmDrawText.h"
#include "inspector/rmLibraryRanges.h"
#include "platform/Exception.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>

namespace {

constexpr TColor32 kSilver32 = 0xFFC0C0C0;

// A platform colour with the system colours resolved: 0x00BBGGRR.
uint32_t PlainColor(TColor color)
{
    return uint32_t(WinColor(Color32(color)));
}

// Channel k (0 red, 1 green, 2 blue) of a plain 0x00BBGGRR colour.
int32_t Channel(uint32_t color, int k)
{
    return int32_t((color >> (8 * k)) & 0xFF);
}

TColor FromChannels(const int32_t channels[3])
{
    return TColor(uint32_t(channels[0]) | uint32_t(channels[1]) << 8 | uint32_t(channels[2]) << 16);
}

// From + (To - From) * Num / Den per channel, truncated toward zero; Den 0 gives From.
TColor Interpolate(TColor from, TColor to, int32_t num, int32_t den)
{
    const uint32_t a = PlainColor(from), b = PlainColor(to);
    int32_t channels[3];
    for (int k = 0; k < 3; ++k)
        channels[k] = Channel(a, k) + (den == 0 ? 0 : (Channel(b, k) - Channel(a, k)) * num / den);
    return FromChannels(channels);
}

TColor ScaleColor(TColor color, double factor)
{
    const uint32_t plain = PlainColor(color);
    int32_t channels[3];
    for (int k = 0; k < 3; ++k) {
        const double scaled = std::nearbyint(Channel(plain, k) * factor);
        if (!(scaled >= 0 && scaled <= 255))
            throw ERangeError("Colour channel " + std::to_string(Channel(plain, k)) + " scaled by " +
                              std::to_string(factor) + " leaves the range 0 to 255");
        channels[k] = int32_t(scaled);
    }
    return FromChannels(channels);
}

// A one-pixel outline of a rectangle with elliptic corners of radii rx, ry (0: square
// corners; half the size: an ellipse). Rect is half-open, as the fills take it.
void OutlineRounded(TBitmap32& bitmap, const TRect& rect, double rx, double ry, TColor32 color)
{
    const int32_t left = rect.Left, top = rect.Top, right = rect.Right - 1, bottom = rect.Bottom - 1;
    if (right < left || bottom < top)
        return;
    // The offset of the outline from the straight edge at distance `d` into a corner.
    auto cornerInset = [](double d, double r, double otherR) {
        if (d <= 0 || r <= 0)
            return 0.0;
        const double t = std::min(1.0, d / r);
        return otherR - otherR * std::sqrt(std::max(0.0, 1 - t * t));
    };
    auto plot = [&](int32_t x, int32_t y) { bitmap.SetPixelS(x, y, color); };
    for (int32_t x = left; x <= right; ++x) {
        const double d = std::max(left + rx - x, x - (right - rx));
        const auto inset = int32_t(std::lround(cornerInset(d, rx, ry)));
        plot(x, top + inset);
        plot(x, bottom - inset);
    }
    for (int32_t y = top; y <= bottom; ++y) {
        const double d = std::max(top + ry - y, y - (bottom - ry));
        const auto inset = int32_t(std::lround(cornerInset(d, ry, rx)));
        plot(left + inset, y);
        plot(right - inset, y);
    }
}

void FillLinear(TBitmap32& bitmap, TColor from, TColor to, const TRect& rect)
{
    constexpr int32_t kSteps = 255;
    int32_t bandLeft = rect.Left;
    for (int32_t i = 0; i < kSteps; ++i) {
        const int32_t bandRight = rect.Left + int32_t(int64_t(rect.Right - rect.Left) * (i + 1) / kSteps);
        bitmap.FillRectS(bandLeft, rect.Top, bandRight, rect.Bottom, Color32(Interpolate(from, to, i, kSteps - 1)));
        bandLeft = bandRight;
    }
}

void FillNested(TBitmap32& bitmap, TColor from, TColor to, TRect rect, TGradientFill style)
{
    const int32_t steps = std::min((rect.Right - rect.Left) / 2, (rect.Bottom - rect.Top) / 2);
    for (int32_t i = 0; i < steps; ++i) {
        const TColor32 color = Color32(Interpolate(from, to, i, steps - 1));
        const double halfWidth = (rect.Right - rect.Left - 1) / 2.0, halfHeight = (rect.Bottom - rect.Top - 1) / 2.0;
        switch (style) {
        case gfRoundRect:
            OutlineRounded(bitmap, rect, std::min(15.0, halfWidth), std::min(15.0, halfHeight), color);
            break;
        case gfOval:
            OutlineRounded(bitmap, rect, halfWidth, halfHeight, color);
            break;
        default:
            OutlineRounded(bitmap, rect, 0, 0, color);
            break;
        }
        rect = {rect.Left + 1, rect.Top + 1, rect.Right - 1, rect.Bottom - 1};
    }
}

// The ellipse inscribed in Rect in 360 wedges. Wedge i spans the angles i to i + 1 of 360
// parts of a turn, measured from the left end of the horizontal axis, upward first;
// its colour rises from From to To over the first half and falls back over the second.
void FillRadial(TBitmap32& bitmap, TColor from, TColor to, const TRect& rect)
{
    constexpr int32_t kSteps = 360, kHalf = kSteps / 2;
    TColor32 wedgeColors[kSteps];
    for (int32_t i = 0; i < kSteps; ++i)
        wedgeColors[i] = Color32(i < kHalf - 1 ? Interpolate(from, to, i, kHalf - 1)
                                               : Interpolate(from, to, kSteps - 1 - i, kHalf));
    const double rx = (rect.Right - rect.Left) / 2.0, ry = (rect.Bottom - rect.Top) / 2.0;
    if (rx <= 0 || ry <= 0)
        return;
    const TRect visible = {std::max(rect.Left, 0), std::max(rect.Top, 0), std::min(rect.Right, bitmap.Width()),
                           std::min(rect.Bottom, bitmap.Height())};
    constexpr double kTurn = 2 * std::numbers::pi;
    for (int32_t y = visible.Top; y < visible.Bottom; ++y) {
        TColor32* row = bitmap.ScanLine(y);
        const double ny = (y + 0.5 - rect.Top - ry) / ry;
        for (int32_t x = visible.Left; x < visible.Right; ++x) {
            const double nx = (x + 0.5 - rect.Left - rx) / rx;
            if (nx * nx + ny * ny > 1)
                continue;
            double angle = std::atan2(-ny, -nx);
            if (angle < 0)
                angle += kTurn;
            row[x] = wedgeColors[std::min(kSteps - 1, int32_t(angle / kTurn * kSteps))];
        }
    }
}

} // namespace

void ReplaceColors(TBitmap32& Bitmap, TColor FaceColor, TColor TextColor)
{
    const TColor32 face = Color32(FaceColor), text = Color32(TextColor);
    TColor32* pixel = Bitmap.Bits();
    for (const TColor32* end = pixel + size_t(Bitmap.Width()) * size_t(Bitmap.Height()); pixel != end; ++pixel)
        *pixel = (*pixel & 0x00FFFFFFu) == 0 ? text : face;
    Bitmap.Changed();
}

void DrawGrayText(platform::Canvas& Canvas, std::string_view Text, platform::Rect& Rect, uint32_t Flags,
                  const platform::FontSpec& Font)
{
    platform::FontSpec font = Font;
    if (Flags & dt::CalcRect) {
        DrawTextInRect(Canvas, Text, Rect, Flags, font);
    } else {
        platform::Rect raised = Rect.Offset(1, 1);
        font.Color = CanvasColorOf(clBtnHighlight);
        DrawTextInRect(Canvas, Text, raised, Flags, font);
        font.Color = CanvasColorOf(clBtnShadow);
        DrawTextInRect(Canvas, Text, Rect, Flags, font);
    }
    Rect.Right += 1;
    Rect.Bottom += 1;
}

TColor DarkenColor(TColor Color, int32_t Percent)
{
    return ScaleColor(Color, 1.0 / (Percent / 100.0 + 1));
}

TColor LightenColor(TColor Color, int32_t Percent)
{
    return ScaleColor(Color, Percent / 100.0 + 1);
}

std::vector<TColor> CreateColorArray(TColor From, TColor To, int32_t Count)
{
    std::vector<TColor> colors;
    colors.reserve(size_t(std::max(Count, 0)));
    for (int32_t i = 0; i < Count; ++i)
        colors.push_back(Interpolate(From, To, i, Count - 1));
    return colors;
}

void GradientFillColors(TBitmap32& Bitmap, const std::vector<TColor>& Colors, const TRect& Rect)
{
    const auto count = int64_t(Colors.size());
    int32_t bandLeft = Rect.Left;
    for (int64_t i = 0; i < count; ++i) {
        const int32_t bandRight = Rect.Left + int32_t(int64_t(Rect.Right - Rect.Left) * (i + 1) / count);
        Bitmap.FillRectS(bandLeft, Rect.Top, bandRight, Rect.Bottom, Color32(Colors[size_t(i)]));
        bandLeft = bandRight;
    }
}

void GradientFill(TBitmap32& Bitmap, TColor From, TColor To, const TRect& Rect, TGradientFill Style)
{
    switch (Style) {
    case gfLinear:
        FillLinear(Bitmap, From, To, Rect);
        break;
    case gfRectangle:
    case gfRoundRect:
    case gfOval:
        FillNested(Bitmap, From, To, Rect, Style);
        break;
    case gfRadial:
        FillRadial(Bitmap, From, To, Rect);
        break;
    }
    Bitmap.Changed();
}

void RotateImage(TBitmap32& Dest, const TBitmap32& Source, double Angle)
{
    const int32_t width = Source.Width(), height = Source.Height();
    // A copy of the source, so that turning a bitmap in place reads unchanged pixels.
    const std::vector<TColor32> source(Source.Bits(), Source.Bits() + size_t(width) * size_t(height));
    Dest.SetSize(width, height);
    const double theta = Angle * std::numbers::pi / 180;
    const double cosT = std::cos(theta), sinT = std::sin(theta);
    const int32_t cx = width / 2, cy = height / 2;
    for (int32_t y = height - 1; y >= 0; --y) {
        TColor32* row = Dest.ScanLine(y);
        const int32_t dy = 2 * (y - cy) + 1;
        for (int32_t x = width - 1; x >= 0; --x) {
            const int32_t dx = 2 * (x - cx) + 1;
            const auto sx = int32_t(std::nearbyint(dx * cosT - dy * sinT));
            const auto sy = int32_t(std::nearbyint(dx * sinT + dy * cosT));
            const int32_t fromX = (sx - 1) / 2 + cx, fromY = (sy - 1) / 2 + cy;
            row[x] = fromX >= 0 && fromX < width && fromY >= 0 && fromY < height
                         ? source[size_t(fromY) * size_t(width) + size_t(fromX)] | 0xFF000000u
                         : kSilver32;
        }
    }
    Dest.Changed();
}

void RotateText(platform::Canvas& Canvas, std::string_view Text, const platform::Rect& Rect, double Angle,
                const platform::FontSpec& Font)
{
    const platform::Size extent = Canvas.TextExtent(Text, Font);
    const int32_t half = RectDiameter(extent.Width, extent.Height) / 2;
    Canvas.TextOutRotated(Rect.Left + half, Rect.Top + half, Text, Font, Angle);
}
