#include "graphics/PaintBox32.h"

#include "graphics/LowLevel32.h"

#include <algorithm>
#include <limits>

TPaintStage* TPaintStages::Add()
{
    stages_.emplace_back();
    return &stages_.back();
}

TPaintStage* TPaintStages::Insert(int32_t Index)
{
    Index = std::clamp(Index, 0, Count());
    return &*stages_.emplace(stages_.begin() + Index);
}

void TPaintStages::Delete(int32_t Index)
{
    if (Index < 0 || Index >= Count())
        throw EListError("Invalid stage index");
    stages_.erase(stages_.begin() + Index);
}

TCustomPaintBox32::TCustomPaintBox32() : buffer_(std::make_unique<TBitmap32>())
{
    // Opened once and never closed: the buffer's own change notifications never fire.
    buffer_->BeginUpdate();
    SetBounds(Left(), Top(), 192, 192);
}

TCustomPaintBox32::~TCustomPaintBox32() = default;

platform::Rect TCustomPaintBox32::GetViewportRect() const
{
    return VisibleRect();
}

void TCustomPaintBox32::Invalidate()
{
    bufferValid_ = false;
    platform::Control::Invalidate();
}

void TCustomPaintBox32::Loaded()
{
    bufferValid_ = false;
    platform::Control::Loaded();
}

void TCustomPaintBox32::SetBounds(int32_t Left, int32_t Top, int32_t Width, int32_t Height)
{
    bufferValid_ = false;
    platform::Control::SetBounds(Left, Top, Width, Height);
}

void TCustomPaintBox32::Resize()
{
    ResizeBuffer();
    bufferValid_ = false;
    platform::Control::Resize();
}

void TCustomPaintBox32::MouseDown(platform::MouseButton Button, platform::ShiftState Shift, int32_t X, int32_t Y)
{
    if ((options_ & pboAutoFocus) && CanFocus())
        SetFocus();
    platform::Control::MouseDown(Button, Shift, X, Y);
}

void TCustomPaintBox32::ResizeBuffer()
{
    const platform::Rect viewport = GetViewportRect();
    // Grows with slack; shrinks only when the buffer is more than the slack too large.
    auto target = [](int32_t wanted, int32_t current, int32_t slack) {
        wanted = std::max(wanted, 0);
        int32_t size = current;
        if (wanted > current)
            size = Saturated(int64_t(wanted) + slack);
        else if (wanted < int64_t(current) - slack)
            size = wanted;
        return std::max(size, 1);
    };
    int32_t newWidth = target(viewport.Width(), buffer_->Width(), bufferOversize_);
    int32_t newHeight = target(viewport.Height(), buffer_->Height(), bufferOversize_);
    // A slack too large for any bitmap to hold is not taken.
    if (int64_t(newWidth) * newHeight > std::numeric_limits<int32_t>::max()) {
        newWidth = target(viewport.Width(), buffer_->Width(), 0);
        newHeight = target(viewport.Height(), buffer_->Height(), 0);
    }
    if (newWidth == buffer_->Width() && newHeight == buffer_->Height())
        return;
    buffer_->Lock();
    buffer_->SetSize(newWidth, newHeight);
    buffer_->Unlock();
    bufferValid_ = false;
}

void TCustomPaintBox32::Paint(platform::Canvas& Canvas)
{
    const platform::Rect viewport = GetViewportRect();
    if (!flushing_) {
        ResizeBuffer();
        // The buffer holds the pixels of one viewport position; a scrolled view repaints it.
        const TPoint origin{viewport.Left, viewport.Top};
        if (origin.X != bufferOrigin_.X || origin.Y != bufferOrigin_.Y) {
            bufferOrigin_ = origin;
            bufferValid_ = false;
        }
        if (!bufferValid_)
            DoPaintBuffer();
    }
    const int32_t width = std::min(viewport.Width(), buffer_->Width());
    const int32_t height = std::min(viewport.Height(), buffer_->Height());
    if (width > 0 && height > 0 && !buffer_->Empty()) {
        buffer_->Lock();
        Canvas.BlitOpaque(bufferOrigin_.X, bufferOrigin_.Y, buffer_->Bits(), width, height, buffer_->Width());
        buffer_->Unlock();
    }
    DoPaintGDIOverlay(Canvas);
}

void TCustomPaintBox32::DoPaintBuffer()
{
    bufferValid_ = true;
}

void TCustomPaintBox32::DoPaintGDIOverlay(platform::Canvas&)
{
    if (OnGDIOverlay)
        OnGDIOverlay(this);
}

void TCustomPaintBox32::Flush()
{
    flushing_ = true;
    RepaintNow(GetViewportRect());
    flushing_ = false;
}

void TCustomPaintBox32::Flush(const TRect& SrcRect)
{
    flushing_ = true;
    RepaintNow(platform::Rect{SrcRect.Left, SrcRect.Top, SrcRect.Right, SrcRect.Bottom}.Offset(bufferOrigin_.X,
                                                                                              bufferOrigin_.Y));
    flushing_ = false;
}

void TPaintBox32::DoPaintBuffer()
{
    if (OnPaintBuffer)
        OnPaintBuffer(this);
}
