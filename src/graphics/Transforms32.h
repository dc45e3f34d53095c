#pragma once
// Copying a rectangle of one bitmap into a rectangle of another: at the same size
// (BlockTransfer) or scaled with resampling (StretchTransfer). Each result pixel is
// combined into the destination by the draw mode. Drawing through geometric
// transformations (rotation, skew, perspective) is in Transformations32.h.
#include "graphics/Bitmap32.h"
#include "platform/Exception.h"

class ETransformError : public Exception {
public:
    using Exception::Exception;
};

// How destination pixels map onto source pixels when stretching. False: the first and
// last destination pixels sit on the first and last source pixels (scale (SW-1)/(DW-1)).
// True: the edges of the rectangles meet (scale SW/DW, pixel centres at +0.5).
extern bool FullEdge;

// Copies SrcRect of Src (clipped to Src) to (DstX, DstY) of Dst, clipped to DstClip and
// Dst's bounds. Nothing happens when Src is Empty, or in dmBlend when Src's master alpha
// is 0. Raises ETransformError when Dst is null or Empty, or Src is null.
void BlockTransfer(TBitmap32* Dst, int32_t DstX, int32_t DstY, const TRect& DstClip, const TBitmap32* Src,
                   TRect SrcRect, TDrawMode CombineOp, const TPixelCombineEvent& CombineCallBack = {});

// Scales SrcRect of Src into DstRect of Dst, drawing only inside DstClip and Dst's bounds;
// the sampling positions depend on DstRect alone, not on the clipping. Raises
// ETransformError as BlockTransfer does, and when SrcRect leaves Src's bounds.
void StretchTransfer(TBitmap32* Dst, const TRect& DstRect, const TRect& DstClip, const TBitmap32* Src,
                     const TRect& SrcRect, TStretchFilter StretchFilter, TDrawMode CombineOp,
                     const TPixelCombineEvent& CombineCallBack = {});
