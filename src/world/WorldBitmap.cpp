#include "world/WorldBitmap.h"

#include <algorithm>
#include <cassert>

#include "graphics/Transforms32.h"

int ResizeBitmap(TBitmap32& bitmap, int width, int height)
{
    TBitmap32 copy;
    copy.Assign(&bitmap);
    bitmap.SetSize(width, height);
    if (!copy.Empty() && !bitmap.Empty())
        StretchTransfer(&bitmap, bitmap.BoundsRect(), bitmap.BoundsRect(), &copy, copy.BoundsRect(), sfNearest,
                        dmOpaque);
    return 1;
}

void CropBitmap(TBitmap32& bitmap, int left, int top, int right, int bottom)
{
    assert(left >= 0 && top >= 0 && left <= right && top <= bottom && right < bitmap.Width() &&
           bottom < bitmap.Height());
    TBitmap32 part;
    part.SetSize(right - left + 1, bottom - top + 1);
    for (int y = 0; y < part.Height(); ++y)
        std::copy_n(bitmap.PixelPtr(left, top + y), part.Width(), part.ScanLine(y));
    bitmap.SetSize(part.Width(), part.Height());
    std::copy_n(part.Bits(), size_t(part.Width()) * size_t(part.Height()), bitmap.Bits());
}
