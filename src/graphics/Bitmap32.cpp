#include "graphics/Bitmap32.h"

#include "graphics/LowLevel32.h"
#include "platform/Canvas.h"
#include "platform/LargePages.h"

#include <algorithm>
#include <cstdint>
#include <limits>

TBitmap32::TBitmap32() = default;

TBitmap32::~TBitmap32()
{
    Lock();
    DeleteCanvas();
    FBits.reset();
    Unlock();
}

bool TBitmap32::Empty() const
{
    return !FBits || TCustomMap::Empty();
}

// The old pixels go first; new ones are zero (calloc hands out zeroed pages without
// touching them, so a large bitmap costs nothing until drawn: only what writes every
// pixel asks for large pages). On failure the bitmap is
// left with no pixels and size 0 x 0.
void TBitmap32::ChangeSize(int32_t& Width, int32_t& Height, int32_t NewWidth, int32_t NewHeight)
{
    DeleteCanvas();
    FBits.reset();
    Width = 0;
    Height = 0;
    if (NewWidth >= 1 && NewHeight >= 1) {
        // Width * Height stays within a signed 32-bit count, so pixel arithmetic in int32
        // never overflows.
        const uint64_t count = uint64_t(NewWidth) * uint64_t(NewHeight);
        if (count > uint64_t(std::numeric_limits<int32_t>::max()))
            throw Exception("Can't allocate the DIB handle");
        FBits.reset(static_cast<TColor32*>(std::calloc(size_t(count), sizeof(TColor32))));
        if (!FBits)
            throw Exception("Can't allocate the DIB handle");
    }
    Width = NewWidth;
    Height = NewHeight;
    HandleChanged();
}

void TBitmap32::HandleChanged()
{
    if (OnHandleChanged)
        OnHandleChanged(this);
}

TColor32 TBitmap32::GetPixelS(int32_t X, int32_t Y) const
{
    if (X < 0 || X >= Width() || Y < 0 || Y >= Height() || Empty())
        return FOuterColor;
    return GetPixel(X, Y);
}

void TBitmap32::SetPixelS(int32_t X, int32_t Y, TColor32 Value)
{
    if (X >= 0 && X < Width() && Y >= 0 && Y < Height() && !Empty())
        SetPixel(X, Y, Value);
}

void TBitmap32::Clear(TColor32 FillColor)
{
    if (Empty())
        return;
    platform::AdviseLargePages(FBits.get(), PixelCount() * sizeof(TColor32));
    std::fill_n(FBits.get(), PixelCount(), FillColor);
    Changed();
}

void TBitmap32::FillRect(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2, TColor32 Value)
{
    assert(X1 >= 0 && Y1 >= 0 && X2 <= Width() && Y2 <= Height());
    for (int32_t y = Y1; y < Y2; ++y)
        FillLongword(PixelPtr(X1, y), X2 - X1, Value);
    Changed();
}

void TBitmap32::FillRectS(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2, TColor32 Value)
{
    if (X2 <= X1 || Y2 <= Y1 || X1 >= Width() || Y1 >= Height() || X2 < 1 || Y2 < 1 || Empty())
        return;
    FillRect(X1 < 0 ? 0 : X1, Y1 < 0 ? 0 : Y1, X2 > Width() ? Width() : X2, Y2 > Height() ? Height() : Y2, Value);
}

void TBitmap32::ResetAlpha()
{
    if (!Empty()) {
        TColor32* p = FBits.get();
        const size_t count = PixelCount();
        for (size_t i = 0; i < count; ++i)
            p[i] |= 0xFF000000u;
    }
    Changed();
}

void TBitmap32::SetDrawMode(TDrawMode Value)
{
    if (FDrawMode != Value) {
        FDrawMode = Value;
        Changed();
    }
}

void TBitmap32::SetMasterAlpha(uint32_t Value)
{
    // The blenders index 256-entry weight tables with it.
    Value = std::min<uint32_t>(Value, 255);
    if (FMasterAlpha != Value) {
        FMasterAlpha = Value;
        Changed();
    }
}

void TBitmap32::SetStretchFilter(TStretchFilter Value)
{
    if (FStretchFilter != Value) {
        FStretchFilter = Value;
        Changed();
    }
}
