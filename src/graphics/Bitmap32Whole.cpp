// Operations on the whole bitmap: tiling onto a canvas, copying from a pixel surface,
// rolling, flipping and turning.
#include "graphics/Bitmap32.h"

#include "graphics/LowLevel32.h"
#include "graphics/Transforms32.h"
#include "platform/Canvas.h"

#include <algorithm>
#include <cstdlib>

namespace {

// Work bitmaps of TileTo are at most this many pixels on a side.
constexpr int32_t kTileSize = 1024;

} // namespace

void TBitmap32::TileTo(platform::Canvas& Dst, const TRect& DstRect, const TRect& SrcRect) const
{
    if (Empty() || IsRectEmpty(DstRect))
        return;
    for (int32_t top = DstRect.Top; top < DstRect.Bottom; top += kTileSize) {
        const int32_t bottom = std::min(top + kTileSize, DstRect.Bottom);
        for (int32_t left = DstRect.Left; left < DstRect.Right; left += kTileSize) {
            const int32_t right = std::min(left + kTileSize, DstRect.Right);
            TBitmap32 tile;
            tile.SetSize(right - left, bottom - top);
            TRect stretched = DstRect;
            OffsetRect(stretched, -left, -top);
            StretchTransfer(&tile, stretched, tile.BoundsRect(), this, SrcRect, FStretchFilter, FDrawMode,
                            OnPixelCombine);
            Dst.BlitOpaque(left, top, tile.Bits(), tile.Width(), tile.Height(), tile.Width());
        }
    }
}

// The source pixel of a destination pixel is the one under its top-left corner when
// the rectangles are laid over each other.
void TBitmap32::Draw(const TRect& DstRect, const TRect& SrcRect, const platform::ConstPixelView& Src)
{
    if (Empty() || Src.IsEmpty() || IsRectEmpty(DstRect) || IsRectEmpty(SrcRect))
        return;
    TRect clip;
    if (!IntersectRect(clip, DstRect, BoundsRect()) || IsRectEmpty(clip))
        return;
    const int64_t dstW = DstRect.Width(), dstH = DstRect.Height();
    const int64_t srcW = SrcRect.Width(), srcH = SrcRect.Height();
    for (int32_t y = clip.Top; y < clip.Bottom; ++y) {
        const int64_t sy = SrcRect.Top + (y - DstRect.Top) * srcH / dstH;
        if (sy < 0 || sy >= Src.Height)
            continue;
        const uint32_t* srcRow = Src.Row(int32_t(sy));
        TColor32* dst = PixelPtr(clip.Left, y);
        for (int32_t x = clip.Left; x < clip.Right; ++x, ++dst) {
            const int64_t sx = SrcRect.Left + (x - DstRect.Left) * srcW / dstW;
            if (sx >= 0 && sx < Src.Width)
                *dst = srcRow[sx];
        }
    }
    Changed();
}

void TBitmap32::Roll(int32_t Dx, int32_t Dy, bool FillBack, TColor32 FillColor)
{
    if (Empty() || (Dx == 0 && Dy == 0))
        return;
    if (std::abs(int64_t(Dx)) >= Width() || std::abs(int64_t(Dy)) >= Height()) {
        if (FillBack)
            Clear(FillColor);
        return;
    }
    const int64_t shift = int64_t(Dx) + int64_t(Dy) * Width();
    const int64_t kept = int64_t(Width()) * Height() - std::abs(shift);
    TColor32* bits = Bits();
    if (shift > 0)
        MoveLongword(bits, bits + shift, int32_t(kept));
    else
        MoveLongword(bits - shift, bits, int32_t(kept));
    if (FillBack) {
        // The band the move uncovered: whole rows above or below the moved picture, then
        // the columns beside it in its rows.
        TRect moved = BoundsRect();
        OffsetRect(moved, Dx, Dy);
        IntersectRect(moved, moved, BoundsRect());
        if (moved.Top > 0)
            FillRectS(0, 0, Width(), moved.Top, FillColor);
        else
            FillRectS(0, moved.Bottom, Width(), Height(), FillColor);
        if (moved.Left > 0)
            FillRectS(0, moved.Top, moved.Left, moved.Bottom, FillColor);
        else
            FillRectS(moved.Right, moved.Top, Width(), moved.Bottom, FillColor);
    }
    Changed();
}

namespace {

// Where a turn puts the source pixels: source pixel (x, y) of a W x H bitmap goes to
// destination index Start + x * StepX + y * StepRow.
struct TTurn {
    bool quarter; // width and height exchange
    int64_t Start, StepX, StepRow;
};

TTurn FlipHorzTurn(int64_t W, int64_t) { return {false, W - 1, -1, W}; }
TTurn FlipVertTurn(int64_t W, int64_t H) { return {false, (H - 1) * W, 1, -W}; }
TTurn Rotate90Turn(int64_t, int64_t H) { return {true, H - 1, H, -1}; }
TTurn Rotate180Turn(int64_t W, int64_t H) { return {false, W * H - 1, -1, -W}; }
TTurn Rotate270Turn(int64_t W, int64_t H) { return {true, (W - 1) * H, -H, 1}; }

void CopyTurned(const TColor32* Src, int32_t W, int32_t H, TColor32* Dst, const TTurn& Turn)
{
    for (int32_t y = 0; y < H; ++y) {
        TColor32* dst = Dst + Turn.Start + y * Turn.StepRow;
        const TColor32* src = Src + int64_t(y) * W;
        for (int32_t x = 0; x < W; ++x, dst += Turn.StepX)
            *dst = src[x];
    }
}

} // namespace

// Into another bitmap: sized to the result and filled in one update. Onto this bitmap:
// the result is built in a work bitmap with this bitmap's drawing properties and then
// assigned (a quarter turn of a non-square bitmap changes its size).
template <typename Turn>
void TBitmap32::TurnInto(TBitmap32* Dst, Turn&& MakeTurn)
{
    const TTurn turn = MakeTurn(Width(), Height());
    const int32_t newWidth = turn.quarter ? Height() : Width();
    const int32_t newHeight = turn.quarter ? Width() : Height();
    if (Dst != nullptr && Dst != this) {
        Dst->BeginUpdate();
        Dst->SetSize(newWidth, newHeight);
        if (!Empty() && !Dst->Empty())
            CopyTurned(Bits(), Width(), Height(), Dst->Bits(), turn);
        Dst->EndUpdate();
        Dst->Changed();
        return;
    }
    if (Empty())
        return;
    TBitmap32 work;
    work.SetDrawMode(FDrawMode);
    work.SetStretchFilter(FStretchFilter);
    work.SetMasterAlpha(FMasterAlpha);
    work.SetOuterColor(FOuterColor);
    work.SetSize(newWidth, newHeight);
    CopyTurned(Bits(), Width(), Height(), work.Bits(), turn);
    Assign(&work);
}

void TBitmap32::FlipHorz(TBitmap32* Dst)
{
    if (Dst == nullptr || Dst == this) {
        if (Empty())
            return;
        for (int32_t y = 0; y < Height(); ++y)
            std::reverse(ScanLine(y), ScanLine(y) + Width());
        Changed();
        return;
    }
    TurnInto(Dst, FlipHorzTurn);
}

void TBitmap32::FlipVert(TBitmap32* Dst)
{
    if (Dst == nullptr || Dst == this) {
        if (Empty())
            return;
        for (int32_t top = 0, bottom = Height() - 1; top < bottom; ++top, --bottom)
            std::swap_ranges(ScanLine(top), ScanLine(top) + Width(), ScanLine(bottom));
        Changed();
        return;
    }
    TurnInto(Dst, FlipVertTurn);
}

void TBitmap32::Rotate90(TBitmap32* Dst)
{
    TurnInto(Dst, Rotate90Turn);
}

void TBitmap32::Rotate180(TBitmap32* Dst)
{
    TurnInto(Dst, Rotate180Turn);
}

void TBitmap32::Rotate270(TBitmap32* Dst)
{
    TurnInto(Dst, Rotate270Turn);
}
