#include "graphics/RubberbandLayer32.h"

#include "graphics/LowLevel32.h"

#include <algorithm>
#include <cstdlib>

namespace {

platform::CursorId CursorOf(TDragState State)
{
    switch (State) {
    case dsSizeL:
    case dsSizeR:
        return platform::cursor::SizeWE;
    case dsSizeT:
    case dsSizeB:
        return platform::cursor::SizeNS;
    case dsSizeTL:
    case dsSizeBR:
        return platform::cursor::SizeNWSE;
    case dsSizeTR:
    case dsSizeBL:
        return platform::cursor::SizeNESW;
    case dsNone:
    case dsMove:
        break;
    }
    return platform::cursor::Default;
}

bool MovesLeft(TDragState s) { return s == dsSizeL || s == dsSizeTL || s == dsSizeBL; }
bool MovesRight(TDragState s) { return s == dsSizeR || s == dsSizeTR || s == dsSizeBR; }
bool MovesTop(TDragState s) { return s == dsSizeT || s == dsSizeTL || s == dsSizeTR; }
bool MovesBottom(TDragState s) { return s == dsSizeB || s == dsSizeBL || s == dsSizeBR; }

// The span from the fixed edge to the moved one kept within Min..Max (Max < Min: no
// maximum); returns the moved edge. Sign is +1 when the moved edge is the far one.
float LimitedEdge(float Fixed, float Moved, float Sign, float Min, float Max)
{
    if ((Moved - Fixed) * Sign < Min)
        Moved = Fixed + Sign * Min;
    if (Max >= Min && (Moved - Fixed) * Sign > Max)
        Moved = Fixed + Sign * Max;
    return Moved;
}

} // namespace

TRubberbandLayer::TRubberbandLayer(TLayerCollection* LayerCollection) : TPositionedLayer(LayerCollection)
{
    SetLayerOptions(loVisible | loMouseEvents);
}

TCustomLayer* TRubberbandLayer::CreateAnother(TLayerCollection* LayerCollection) const
{
    return new TRubberbandLayer(LayerCollection);
}

void TRubberbandLayer::Assign(const TPersistent* Source)
{
    TPositionedLayer::Assign(Source);
    if (auto* source = dynamic_cast<const TRubberbandLayer*>(Source)) {
        SetHandleFill(source->handleFill_);
        SetHandleFrame(source->handleFrame_);
        SetHandles(source->handles_);
        SetHandleSize(source->handleSize_);
        MinWidth = source->MinWidth;
        MaxHeight = source->MaxHeight;
        MinHeight = source->MinHeight;
        MaxWidth = source->MaxWidth;
    }
}

void TRubberbandLayer::SetChildLayer(TPositionedLayer* Value)
{
    // A child that leads back to this layer (itself, or a rubber band following it) would
    // move it round without end: refused, the link stays as it was.
    for (TPositionedLayer* layer = Value; layer;) {
        if (layer == this)
            return;
        const auto* band = dynamic_cast<const TRubberbandLayer*>(layer);
        layer = band ? band->childLayer_ : nullptr;
    }
    if (childLayer_)
        childLayer_->RemoveNotification(this);
    childLayer_ = Value;
    if (childLayer_) {
        SetLocation(childLayer_->Location());
        SetScaled(childLayer_->Scaled());
        childLayer_->AddNotification(this);
    }
    UpdateNoUpdateBit();
}

void TRubberbandLayer::Notification(TCustomLayer* Layer)
{
    TPositionedLayer::Notification(Layer);
    if (Layer == childLayer_) {
        childLayer_ = nullptr;
        UpdateNoUpdateBit();
    }
}

void TRubberbandLayer::UpdateNoUpdateBit()
{
    SetLayerOptions(childLayer_ ? LayerOptions() | loNoUpdate : LayerOptions() & ~loNoUpdate);
}

void TRubberbandLayer::DoSetLocation(const TFloatRect& NewLocation)
{
    TPositionedLayer::DoSetLocation(NewLocation);
    if (childLayer_)
        childLayer_->SetLocation(NewLocation);
}

template <class T>
void TRubberbandLayer::StoreAndRepaint(T& Field, T Value)
{
    if (Field == Value)
        return;
    TLayerCollection* collection = Visible() ? LayerCollection() : nullptr;
    if (collection)
        collection->Changing();
    Field = Value;
    if (collection)
        collection->Changed();
}

void TRubberbandLayer::SetHandleFill(TColor32 Value)
{
    StoreAndRepaint(handleFill_, Value);
}

void TRubberbandLayer::SetHandleFrame(TColor32 Value)
{
    StoreAndRepaint(handleFrame_, Value);
}

void TRubberbandLayer::SetHandles(TRBHandles Value)
{
    StoreAndRepaint(handles_, Value);
}

void TRubberbandLayer::SetHandleSize(int32_t Value)
{
    StoreAndRepaint(handleSize_, std::max(Value, 1));
}

TRect TRubberbandLayer::HandleRect() const
{
    TRect r = MakeRect(GetAdjustedLocation(), rrClosest);
    r.Right = Saturated(int64_t(r.Right) - 1);
    r.Bottom = Saturated(int64_t(r.Bottom) - 1);
    return r;
}

TDragState TRubberbandLayer::GetDragState(int32_t X, int32_t Y)
{
    const int64_t d = int64_t(handleSize_) + 1;
    const TRect r = HandleRect();
    const auto near = [d](int64_t a, int64_t b) { return std::abs(a - b) <= d; };
    const bool nearLeft = near(X, r.Left), nearRight = near(X, r.Right);
    const bool nearTop = near(Y, r.Top), nearBottom = near(Y, r.Bottom);
    // Halving truncates toward zero.
    const bool nearCentreX = near(X, (int64_t(r.Left) + r.Right) / 2);
    const bool nearCentreY = near(Y, (int64_t(r.Top) + r.Bottom) / 2);

    if (handles_ & rhCorners) {
        if (nearRight && nearBottom)
            return dsSizeBR;
        if (nearLeft && nearBottom)
            return dsSizeBL;
        if (nearRight && nearTop)
            return dsSizeTR;
        if (nearLeft && nearTop)
            return dsSizeTL;
    }
    if (handles_ & rhSides) {
        if (nearRight && nearCentreY)
            return dsSizeR;
        if (nearBottom && nearCentreX)
            return dsSizeB;
        if (nearLeft && nearCentreY)
            return dsSizeL;
        if (nearTop && nearCentreX)
            return dsSizeT;
    }
    if ((handles_ & rhCenter) && X >= r.Left && X <= r.Right && Y >= r.Top && Y <= r.Bottom)
        return dsMove;
    return dsNone;
}

bool TRubberbandLayer::DoHitTest(int32_t X, int32_t Y)
{
    return GetDragState(X, Y) != dsNone;
}

void TRubberbandLayer::DoResizing(const TFloatRect& OldLocation, TFloatRect& NewLocation, TDragState DragState,
                                  platform::ShiftState Shift)
{
    if (OnResizing)
        OnResizing(this, OldLocation, NewLocation, DragState, Shift);
}

void TRubberbandLayer::MouseDown(platform::MouseButton Button, platform::ShiftState Shift, int32_t X, int32_t Y)
{
    if (!isDragging_) {
        dragState_ = GetDragState(X, Y);
        isDragging_ = dragState_ != dsNone;
        if (isDragging_) {
            oldLocation_ = Location();
            const TFloatRect a = GetAdjustedLocation();
            mouseShift_ = dragState_ == dsMove ? TFloatPoint{float(X) - a.Left, float(Y) - a.Top} : TFloatPoint{};
        }
    }
    TPositionedLayer::MouseDown(Button, Shift, X, Y);
}

TFloatRect TRubberbandLayer::DraggedRect(float Mx, float My) const
{
    TFloatRect r = oldLocation_;
    if (dragState_ == dsMove) {
        r = {Mx, My, Mx + (oldLocation_.Right - oldLocation_.Left), My + (oldLocation_.Bottom - oldLocation_.Top)};
        return r;
    }
    if (MovesLeft(dragState_))
        r.Left = LimitedEdge(r.Right, Mx, -1, MinWidth, MaxWidth);
    if (MovesRight(dragState_))
        r.Right = LimitedEdge(r.Left, Mx, +1, MinWidth, MaxWidth);
    if (MovesTop(dragState_))
        r.Top = LimitedEdge(r.Bottom, My, -1, MinHeight, MaxHeight);
    if (MovesBottom(dragState_))
        r.Bottom = LimitedEdge(r.Top, My, +1, MinHeight, MaxHeight);
    return r;
}

void TRubberbandLayer::MouseMove(platform::ShiftState Shift, int32_t X, int32_t Y)
{
    if (!isDragging_) {
        const TDragState state = GetDragState(X, Y);
        if (LayerCollection())
            LayerCollection()->ShowCursor(state == dsMove ? Cursor() : CursorOf(state));
    } else {
        float mx = float(X) - mouseShift_.X, my = float(Y) - mouseShift_.Y;
        if (Scaled()) {
            // From control pixels into Location units.
            const TFloatRect a = GetAdjustedLocation();
            if (IsRectEmptyF(a))
                return;
            const TFloatRect& l = Location();
            mx = (mx - a.Left) / (a.Right - a.Left) * (l.Right - l.Left) + l.Left;
            my = (my - a.Top) / (a.Bottom - a.Top) * (l.Bottom - l.Top) + l.Top;
        }
        TFloatRect next = DraggedRect(mx, my);
        DoResizing(oldLocation_, next, dragState_, Shift);
        if (next != Location()) {
            SetLocation(next);
            if (OnUserChange)
                OnUserChange(this);
        }
    }
    if (OnMouseMove)
        OnMouseMove(this, Shift, X, Y);
}

void TRubberbandLayer::MouseUp(platform::MouseButton Button, platform::ShiftState Shift, int32_t X, int32_t Y)
{
    isDragging_ = false;
    TPositionedLayer::MouseUp(Button, Shift, X, Y);
}

void TRubberbandLayer::Paint(TBitmap32* Buffer)
{
    TLayerView* view = LayerCollection() ? LayerCollection()->View() : nullptr;
    const TPoint origin = view ? view->LayerPaintOrigin() : TPoint{0, 0};
    TRect r = MakeRect(GetAdjustedLocation(), rrClosest);
    OffsetRect(r, -origin.X, -origin.Y);

    if (handles_ & rhFrame) {
        Buffer->SetStipple({clWhite32, clWhite32, clBlack32, clBlack32});
        Buffer->SetStippleCounter(0);
        Buffer->SetStippleStep(1.0f);
        Buffer->FrameRectTSP(r.Left, r.Top, r.Right, r.Bottom);
    }
    // The handles sit on the frame's lines, where GetDragState looks for them.
    const int64_t left = r.Left, top = r.Top, right = int64_t(r.Right) - 1, bottom = int64_t(r.Bottom) - 1;
    const auto handle = [&](int64_t x, int64_t y) {
        const TRect box{Saturated(x - handleSize_), Saturated(y - handleSize_), Saturated(x + handleSize_),
                        Saturated(y + handleSize_)};
        Buffer->FillRectS(box, handleFill_);
        Buffer->FrameRectS(box, handleFrame_);
    };
    if (handles_ & rhCorners) {
        handle(left, top);
        handle(right, top);
        handle(right, bottom);
        handle(left, bottom);
    }
    if (handles_ & rhSides) {
        const int64_t centreX = (left + right) / 2, centreY = (top + bottom) / 2;
        handle(centreX, top);
        handle(right, centreY);
        handle(centreX, bottom);
        handle(left, centreY);
    }
}
