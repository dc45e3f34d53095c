#include "components/RangeBars32.h"

#include "graphics/LowLevel32.h"
#include "platform/ScopedFlag.h"
#include "platform/OffsetCanvas.h"

#include <algorithm>
#include <cmath>
#include <cassert>
#include <cstdint>

namespace {

// Delays of the auto-repeat and of hover tracking, in milliseconds.
constexpr uint32_t kFirstRepeatDelay = 600;
constexpr uint32_t kRepeatInterval = 100;
constexpr uint32_t kHotTrackingInterval = 150;
// The shortest handle a range bar draws, and the shortest track that has one.
constexpr int32_t kMinRangeHandle = 17;
constexpr int32_t kMinHandleTrack = 18;


// A rectangle along a bar: from `start` to `end` along it, the full client thickness across.
platform::Rect AlongRect(bool horizontal, const platform::Rect& client, int32_t start, int32_t end)
{
    return horizontal ? platform::Rect{start, client.Top, end, client.Bottom}
                      : platform::Rect{client.Left, start, client.Right, end};
}

int32_t StartAlong(bool horizontal, const platform::Rect& r)
{
    return horizontal ? r.Left : r.Top;
}

int32_t EndAlong(bool horizontal, const platform::Rect& r)
{
    return horizontal ? r.Right : r.Bottom;
}

} // namespace

// ---- TArrowBar ----------------------------------------------------------------------

TArrowBar::TArrowBar() : timer_([this] { TimerHandler(); })
{
    SetBounds(Left(), Top(), 100, 16);
    SetColor(CanvasColorOf(clScrollBar));
}

TArrowBar::~TArrowBar() = default;

template <class T>
void TArrowBar::SetLook(T& Field, T Value)
{
    if (Value == Field)
        return;
    Field = Value;
    Invalidate();
}

void TArrowBar::SetBackgnd(TRBBackgnd Value) { SetLook(backgnd_, Value); }
void TArrowBar::SetBorderStyle(TFormBorderStyle Value) { SetLook(borderStyle_, Value); }
void TArrowBar::SetButtonSize(int32_t Value) { SetLook(buttonSize_, Value); }
void TArrowBar::SetHandleColor(TColor Value) { SetLook(handleColor_, Value); }
void TArrowBar::SetButtonColor(TColor Value) { SetLook(buttonColor_, Value); }
void TArrowBar::SetHighLightColor(TColor Value) { SetLook(highLightColor_, Value); }
void TArrowBar::SetShadowColor(TColor Value) { SetLook(shadowColor_, Value); }
void TArrowBar::SetBorderColor(TColor Value) { SetLook(borderColor_, Value); }
void TArrowBar::SetShowArrows(bool Value) { SetLook(showArrows_, Value); }
void TArrowBar::SetShowHandleGrip(bool Value) { SetLook(showHandleGrip_, Value); }

void TArrowBar::SetStyle(TRBStyle Value)
{
    style_ = Value;
    Invalidate();
}

void TArrowBar::SetKind(TScrollBarKind Value)
{
    if (Value == kind_)
        return;
    kind_ = Value;
    KindChanged();
    Invalidate();
}

platform::Rect TArrowBar::ClientArea() const
{
    const int32_t b = BorderWidth();
    return platform::Rect{0, 0, std::max(Width() - 2 * b, 0), std::max(Height() - 2 * b, 0)};
}

int32_t TArrowBar::ClientLength() const
{
    const platform::Rect client = ClientArea();
    return Horizontal() ? client.Width() : client.Height();
}

int32_t TArrowBar::GetButtonSize() const
{
    if (!showArrows_)
        return 0;
    const platform::Rect client = ClientArea();
    const int32_t length = ClientLength();
    const int32_t thickness = Horizontal() ? client.Height() : client.Width();
    int32_t size = buttonSize_ != 0 ? buttonSize_ : std::min(thickness, 32);
    if (2 * size >= length)
        size = length / 2;
    if (style_ == rbsMac)
        --size;
    return size < 2 ? 0 : size;
}

platform::Rect TArrowBar::GetTrackBoundary() const
{
    const platform::Rect client = ClientArea();
    const int32_t button = GetButtonSize();
    return AlongRect(Horizontal(), client, button, ClientLength() - button);
}

TRBZone TArrowBar::GetZone(int32_t X, int32_t Y) const
{
    const platform::Rect client = ClientArea();
    if (!client.Contains(X, Y))
        return zNone;
    if (GetZoneRect(zBtnPrev).Contains(X, Y))
        return zBtnPrev;
    if (GetZoneRect(zBtnNext).Contains(X, Y))
        return zBtnNext;
    if (GetHandleRect().Contains(X, Y))
        return zHandle;
    // The track parts meet where GetZoneRect puts them: at the handle, or at the track's
    // centre when there is no handle to show.
    const int32_t p = AlongBar(X, Y);
    const int32_t handleStart = EndAlong(Horizontal(), GetZoneRect(zTrackPrev));
    const int32_t handleEnd = StartAlong(Horizontal(), GetZoneRect(zTrackNext));
    if (p > 0 && p < handleStart)
        return zTrackPrev;
    if (p >= handleEnd && p < ClientLength() - 1)
        return zTrackNext;
    return zNone;
}

platform::Rect TArrowBar::GetZoneRect(TRBZone Zone) const
{
    const platform::Rect client = ClientArea();
    const bool horizontal = Horizontal();
    const int32_t button = GetButtonSize();
    const int32_t length = ClientLength();
    switch (Zone) {
    case zNone:
        return platform::Rect{};
    case zBtnPrev:
        return button > 0 ? AlongRect(horizontal, client, 0, button) : platform::Rect{};
    case zBtnNext:
        return button > 0 ? AlongRect(horizontal, client, length - button, length) : platform::Rect{};
    case zHandle:
        return GetHandleRect();
    case zTrackPrev:
    case zTrackNext: {
        const platform::Rect track = GetTrackBoundary();
        platform::Rect handle = DrawEnabled() ? GetHandleRect() : platform::Rect{};
        if (handle.IsEmpty()) {
            const int32_t centre = (StartAlong(horizontal, track) + EndAlong(horizontal, track)) / 2;
            handle = AlongRect(horizontal, client, centre, centre);
        }
        return Zone == zTrackPrev
                   ? AlongRect(horizontal, client, StartAlong(horizontal, track), StartAlong(horizontal, handle))
                   : AlongRect(horizontal, client, EndAlong(horizontal, handle), EndAlong(horizontal, track));
    }
    }
    return platform::Rect{};
}

void TArrowBar::DoChange()
{
    if (OnChange)
        OnChange(this);
    if (userChange_ && OnUserChange)
        OnUserChange(this);
}

void TArrowBar::AsUserChange(const std::function<void()>& change)
{
    platform::ScopedFlag userChange(userChange_);
    change();
}

void TArrowBar::StartHotTracking()
{
    timer_.SetInterval(kHotTrackingInterval);
    timerMode_ = TimerMode::HotTracking;
    timer_.SetEnabled(true);
}

void TArrowBar::StopHotTracking()
{
    timer_.SetEnabled(false);
    timerMode_ = TimerMode::Off;
    hotZone_ = zNone;
    Invalidate();
}

void TArrowBar::MouseLeft()
{
    // A held button or track goes on repeating: only the hover tracking stops.
    if (timerMode_ == TimerMode::HotTracking)
        timer_.SetEnabled(false);
    hotZone_ = zNone;
    Invalidate();
}

bool TArrowBar::CursorOverTrackPart(TRBZone track) const
{
    const platform::Rect client = ClientArea();
    if (client.IsEmpty())
        return false;
    const int32_t x = std::clamp(mousePoint_.X, client.Left, client.Right - 1);
    const int32_t y = std::clamp(mousePoint_.Y, client.Top, client.Bottom - 1);
    const TRBZone zone = GetZone(x, y);
    return zone == track || zone == (track == zTrackPrev ? zBtnPrev : zBtnNext);
}

void TArrowBar::StepByDragZone()
{
    AsUserChange([this] {
        switch (dragZone_) {
        case zBtnPrev:
        case zBtnNext:
            // At the end of the range the repetition has nothing left to do.
            if (!Step(false, dragZone_ == zBtnPrev ? -1 : 1))
                StartHotTracking();
            break;
        case zTrackPrev:
        case zTrackNext:
            // Paging stops once the handle has reached the mouse.
            if (CursorOverTrackPart(dragZone_))
                Step(true, dragZone_ == zTrackPrev ? -1 : 1);
            break;
        default:
            break;
        }
    });
}

void TArrowBar::TimerHandler()
{
    switch (timerMode_) {
    case TimerMode::FirstDelay:
        timer_.SetInterval(kRepeatInterval);
        timerMode_ = TimerMode::Repeating;
        break;
    case TimerMode::HotTracking:
        if (!ClientArea().Contains(mousePoint_.X, mousePoint_.Y)) {
            StopHotTracking();
            return;
        }
        break;
    default:
        break;
    }
    StepByDragZone();
}

void TArrowBar::MouseDown(platform::MouseButton Button, platform::ShiftState Shift, int32_t X, int32_t Y)
{
    if (Button == platform::MouseButton::Left) {
        const int32_t b = BorderWidth();
        mousePoint_ = platform::Point{X - b, Y - b};
        if (!AcceptsPress()) {
            dragZone_ = zNone;
        } else {
            SetMouseCapture(true);
            dragZone_ = GetZone(mousePoint_.X, mousePoint_.Y);
            Invalidate();
            downPoint_ = mousePoint_;
            if (dragZone_ == zHandle) {
                StartHotTracking();
                BeginHandleDrag();
            } else {
                timer_.SetInterval(kFirstRepeatDelay);
                timerMode_ = TimerMode::Repeating;
                StepByDragZone();
                timerMode_ = TimerMode::FirstDelay;
                timer_.SetEnabled(true);
            }
        }
    }
    platform::Control::MouseDown(Button, Shift, X, Y);
}

void TArrowBar::MouseMove(platform::ShiftState Shift, int32_t X, int32_t Y)
{
    const int32_t b = BorderWidth();
    mousePoint_ = platform::Point{X - b, Y - b};
    if (dragZone_ == zNone && DrawEnabled()) {
        const TRBZone zone = GetZone(mousePoint_.X, mousePoint_.Y);
        if (zone != hotZone_) {
            hotZone_ = zone;
            if (zone != zNone)
                StartHotTracking();
            Invalidate();
        }
    } else if (dragZone_ == zHandle) {
        const int32_t delta = AlongBar(mousePoint_.X, mousePoint_.Y) - AlongBar(downPoint_.X, downPoint_.Y);
        AsUserChange([this, delta] { DragHandle(delta); });
    }
    platform::Control::MouseMove(Shift, X, Y);
}

void TArrowBar::MouseUp(platform::MouseButton Button, platform::ShiftState Shift, int32_t X, int32_t Y)
{
    if (Button == platform::MouseButton::Left) {
        SetMouseCapture(false);
        dragZone_ = zNone;
        Invalidate();
        StartHotTracking();
    }
    platform::Control::MouseUp(Button, Shift, X, Y);
}

void TArrowBar::MouseLeave()
{
    MouseLeft();
    platform::Control::MouseLeave();
}

void TArrowBar::Paint(platform::Canvas& Canvas)
{
    PaintBorder(Canvas);
    const int32_t b = BorderWidth();
    const platform::Rect client = ClientArea();
    platform::OffsetCanvas clientCanvas(Canvas, platform::Point{b, b}, client.Offset(b, b));
    const bool enabled = DrawEnabled();
    const bool horizontal = Horizontal();
    if (showArrows_) {
        DoDrawButton(clientCanvas, GetZoneRect(zBtnPrev), horizontal ? drLeft : drUp, dragZone_ == zBtnPrev,
                     enabled, hotZone_ == zBtnPrev);
        DoDrawButton(clientCanvas, GetZoneRect(zBtnNext), horizontal ? drRight : drDown, dragZone_ == zBtnNext,
                     enabled, hotZone_ == zBtnNext);
    }
    const platform::Rect handle = enabled ? GetHandleRect() : platform::Rect{};
    DoDrawTrack(clientCanvas, GetZoneRect(zTrackPrev), horizontal ? drLeft : drUp, dragZone_ == zTrackPrev, enabled,
                hotZone_ == zTrackPrev);
    DoDrawTrack(clientCanvas, GetZoneRect(zTrackNext), horizontal ? drRight : drDown, dragZone_ == zTrackNext,
                enabled, hotZone_ == zTrackNext);
    if (!handle.IsEmpty())
        DoDrawHandle(clientCanvas, handle, horizontal, dragZone_ == zHandle, hotZone_ == zHandle);
}

// ---- TCustomRangeBar ----------------------------------------------------------------

TCustomRangeBar::TCustomRangeBar()
{
    UpdateEffectiveWindow();
}

bool TCustomRangeBar::DrawEnabled() const
{
    return Enabled() && range_ > effectiveWindow_;
}

platform::Rect TCustomRangeBar::GetHandleRect() const
{
    const platform::Rect track = GetTrackBoundary();
    const bool horizontal = Horizontal();
    const int32_t start = StartAlong(horizontal, track);
    const int32_t length = EndAlong(horizontal, track) - start;
    if (length < kMinHandleTrack)
        return platform::Rect{};
    if (range_ <= effectiveWindow_)
        return track;
    int32_t size = RoundSaturated(double(length) * effectiveWindow_ / range_);
    int32_t offset;
    if (size < kMinRangeHandle) {
        size = kMinRangeHandle;
        offset = RoundSaturated(double(length - kMinRangeHandle) * position_ / (range_ - effectiveWindow_));
    } else {
        offset = RoundSaturated(double(length) * position_ / range_);
    }
    return AlongRect(horizontal, ClientArea(), start + offset, start + offset + size);
}

void TCustomRangeBar::ApplyBounds()
{
    if (position_ > float(range_ - effectiveWindow_))
        position_ = float(range_ - effectiveWindow_);
    if (position_ < 0)
        position_ = 0;
}

void TCustomRangeBar::SetPosition(float Value)
{
    // NaN lies in no range; the bounds below take care of the infinities.
    if (Value == position_ || std::isnan(Value))
        return;
    const float old = position_;
    position_ = Value;
    ApplyBounds();
    if (position_ != old) {
        Invalidate();
        DoChange();
    }
}

void TCustomRangeBar::KeepCentre(int32_t OldRange, int32_t OldWindow)
{
    const double centre = OldRange > OldWindow && OldRange != 0 ? (OldWindow * 0.5 + position_) / OldRange : 0.5;
    position_ = float(range_ * centre - effectiveWindow_ * 0.5);
}

void TCustomRangeBar::SetParams(int32_t NewRange, int32_t NewWindow)
{
    NewRange = std::max(NewRange, 0);
    NewWindow = std::max(NewWindow, 0);
    if (NewRange == range_ && NewWindow == effectiveWindow_)
        return;
    const int32_t oldRange = range_, oldWindow = effectiveWindow_;
    range_ = NewRange;
    window_ = NewWindow;
    UpdateEffectiveWindow();
    if (centered_ && range_ > effectiveWindow_)
        KeepCentre(oldRange, oldWindow);
    ApplyBounds();
    Invalidate();
}

void TCustomRangeBar::FollowLength()
{
    const int32_t oldWindow = effectiveWindow_;
    UpdateEffectiveWindow();
    if (centered_ && range_ > effectiveWindow_)
        KeepCentre(range_, oldWindow);
    ApplyBounds();
}

void TCustomRangeBar::Resize()
{
    FollowLength();
    TArrowBar::Resize();
}

bool TCustomRangeBar::Step(bool Page, int32_t Sign)
{
    const float old = position_;
    SetPosition(position_ + float(Sign * (Page ? effectiveWindow_ : int32_t(increment_))));
    return position_ != old;
}

void TCustomRangeBar::DragHandle(int32_t Delta)
{
    // The inverse of GetHandleRect's placement over the same track, so that the handle
    // stays under the mouse.
    const platform::Rect track = GetTrackBoundary();
    const int32_t length = EndAlong(Horizontal(), track) - StartAlong(Horizontal(), track);
    if (length < kMinHandleTrack || range_ <= 0)
        return;
    double change;
    if (RoundSaturated(double(length) * effectiveWindow_ / range_) < kMinRangeHandle)
        change = RoundSaturated(double(range_ - effectiveWindow_) * Delta / (length - kMinRangeHandle));
    else
        change = double(range_) * Delta / length;
    SetPosition(float(dragStartPosition_ + change));
}

bool TCustomRangeBar::DoMouseWheel(platform::ShiftState Shift, int32_t WheelDelta, platform::Point MousePos)
{
    if (!TArrowBar::DoMouseWheel(Shift, WheelDelta, MousePos))
        AsUserChange([this, WheelDelta] { SetPosition(position_ + float(increment_) * float(WheelDelta) / 120.0f); });
    return true;
}

// ---- TCustomGaugeBar ----------------------------------------------------------------

int32_t TCustomGaugeBar::HandleLength(int32_t TrackLength) const
{
    const platform::Rect client = ClientArea();
    const int32_t thickness = Horizontal() ? client.Height() : client.Width();
    const int32_t size = handleSize_ != 0 ? handleSize_ : thickness;
    return std::max(std::min(size, TrackLength - 1), 0);
}

platform::Rect TCustomGaugeBar::GetHandleRect() const
{
    const platform::Rect track = GetTrackBoundary();
    const bool horizontal = Horizontal();
    const int32_t start = StartAlong(horizontal, track);
    const int32_t length = EndAlong(horizontal, track) - start;
    const int32_t size = HandleLength(length);
    assert(max_ > min_);
    const int32_t offset = RoundSaturated(double(length - size) * (double(position_) - min_) / (double(max_) - min_));
    return AlongRect(horizontal, ClientArea(), start + offset, start + offset + size);
}

void TCustomGaugeBar::SetHandleSize(int32_t Value)
{
    Value = std::max(Value, 0);
    if (Value == handleSize_)
        return;
    handleSize_ = Value;
    Invalidate();
}

void TCustomGaugeBar::SetPosition(int32_t Value)
{
    Value = std::clamp(Value, min_, max_);
    if (Value == position_)
        return;
    position_ = Value;
    Invalidate();
    DoChange();
}

void TCustomGaugeBar::ClampPosition()
{
    const int32_t clamped = std::clamp(position_, min_, max_);
    if (clamped != position_) {
        position_ = clamped;
        DoChange();
    }
    Invalidate();
}

void TCustomGaugeBar::SetMax(int32_t Value)
{
    // Min < Max always holds, so Min + 1 and Max - 1 stay inside int32.
    if (Value <= min_)
        Value = min_ + 1;
    max_ = Value;
    ClampPosition();
}

void TCustomGaugeBar::SetMin(int32_t Value)
{
    if (Value >= max_)
        Value = max_ - 1;
    min_ = Value;
    ClampPosition();
}

bool TCustomGaugeBar::Step(bool Page, int32_t Sign)
{
    const int32_t old = position_;
    const int64_t target = int64_t(position_) + int64_t(Sign) * (Page ? largeChange_ : smallChange_);
    SetPosition(int32_t(std::clamp<int64_t>(target, min_, max_)));
    return position_ != old;
}

void TCustomGaugeBar::DragHandle(int32_t Delta)
{
    const platform::Rect track = GetTrackBoundary();
    const int32_t length = EndAlong(Horizontal(), track) - StartAlong(Horizontal(), track);
    const int32_t free = length - HandleLength(length);
    if (free <= 0)
        return; // the handle fills the track: nothing to drag
    const double change = (double(max_) - min_) * Delta / free;
    SetPosition(RoundSaturated(dragStartPosition_ + change));
}

bool TCustomGaugeBar::DoMouseWheel(platform::ShiftState Shift, int32_t WheelDelta, platform::Point MousePos)
{
    if (!TArrowBar::DoMouseWheel(Shift, WheelDelta, MousePos)) {
        const int64_t target = int64_t(position_) + int64_t(smallChange_) * WheelDelta / 120;
        AsUserChange([this, target] { SetPosition(int32_t(std::clamp<int64_t>(target, min_, max_))); });
    }
    return true;
}

// ---- TArrowBarAccess ----------------------------------------------------------------

void TArrowBarAccess::AssignTo(TPersistent* Dest) const
{
    auto* access = dynamic_cast<TArrowBarAccess*>(Dest);
    if (access == nullptr)
        return TPersistent::AssignTo(Dest);
    access->SetColor(Color());
    access->SetBackgnd(Backgnd());
    access->SetButtonSize(ButtonSize());
    access->SetHandleColor(HandleColor());
    access->SetButtonColor(ButtonColor());
    access->SetHighLightColor(HighLightColor());
    access->SetShadowColor(ShadowColor());
    access->SetBorderColor(BorderColor());
    access->SetShowArrows(ShowArrows());
    access->SetShowHandleGrip(ShowHandleGrip());
    access->SetStyle(Style());
}
