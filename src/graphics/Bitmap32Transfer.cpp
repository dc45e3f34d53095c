// Drawing one bitmap onto another through the block and stretch transfers.
#include "graphics/Bitmap32.h"

#include "graphics/Transforms32.h"

void TBitmap32::DrawTo(TBitmap32& Dst) const
{
    DrawTo(Dst, 0, 0);
}

void TBitmap32::DrawTo(TBitmap32& Dst, int32_t DstX, int32_t DstY) const
{
    DrawTo(Dst, DstX, DstY, BoundsRect());
}

void TBitmap32::DrawTo(TBitmap32& Dst, int32_t DstX, int32_t DstY, const TRect& SrcRect) const
{
    if (Empty() || Dst.Empty())
        return;
    BlockTransfer(&Dst, DstX, DstY, Dst.BoundsRect(), this, SrcRect, FDrawMode, OnPixelCombine);
    Dst.Changed();
}

void TBitmap32::DrawTo(TBitmap32& Dst, const TRect& DstRect) const
{
    DrawTo(Dst, DstRect, BoundsRect());
}

void TBitmap32::DrawTo(TBitmap32& Dst, const TRect& DstRect, const TRect& SrcRect) const
{
    if (Empty() || Dst.Empty())
        return;
    StretchTransfer(&Dst, DstRect, Dst.BoundsRect(), this, SrcRect, FStretchFilter, FDrawMode, OnPixelCombine);
    Dst.Changed();
}

void TBitmap32::Draw(int32_t DstX, int32_t DstY, const TBitmap32* Src)
{
    if (Src != nullptr)
        Src->DrawTo(*this, DstX, DstY);
}

void TBitmap32::Draw(int32_t DstX, int32_t DstY, const TRect& SrcRect, const TBitmap32* Src)
{
    if (Src != nullptr)
        Src->DrawTo(*this, DstX, DstY, SrcRect);
}

void TBitmap32::Draw(const TRect& DstRect, const TRect& SrcRect, const TBitmap32* Src)
{
    if (Src != nullptr)
        Src->DrawTo(*this, DstRect, SrcRect);
}
