#pragma once
// Scroll bars the program draws itself: TArrowBar (two arrow buttons, a track and a
// handle, mouse tracking, auto-repeat on a timer), the range bar (a floating-point
// position over a range with a visible window, as a document's scroll bar) and the
// gauge bar (an integer position between Min and Max), and TArrowBarAccess, which sets
// the look of one or two bars at once.
//
// Geometry is worked in client coordinates: the client area is the control less its
// border, with (0, 0) at its top-left corner. "Length" runs along the bar, "thickness"
// across it; a vertical bar's length is its height.
#include "graphics/SystemColorNames.h"
#include "inspector/BorderStyle.h"
#include "platform/Control.h"
#include "platform/Persistent.h"
#include "platform/Timer.h"

#include <cstdint>
#include <functional>

enum TRBDirection : uint8_t { drLeft = 0, drUp = 1, drRight = 2, drDown = 3 };
using TRBDirections = uint8_t; // a set: bit 1 << TRBDirection
enum TRBZone : uint8_t { zNone = 0, zBtnPrev = 1, zTrackPrev = 2, zHandle = 3, zTrackNext = 4, zBtnNext = 5 };
enum TRBStyle : uint8_t { rbsDefault = 0, rbsMac = 1 };
enum TRBBackgnd : uint8_t { bgPattern = 0, bgSolid = 1 };
enum TScrollBarKind : uint8_t { sbHorizontal = 0, sbVertical = 1 };
using TRBIncrement = uint16_t;
using TRBGetSizeEvent = std::function<void(TObject* Sender, int32_t& Size)>;

class TArrowBar : public platform::Control {
public:
    TArrowBar();
    ~TArrowBar() override;
    const char* ClassName() const override { return "TArrowBar"; }

    TRBBackgnd Backgnd() const { return backgnd_; }
    void SetBackgnd(TRBBackgnd Value);
    TFormBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TFormBorderStyle Value);
    // 0: as thick as the bar, at most 32.
    int32_t ButtonSize() const { return buttonSize_; }
    void SetButtonSize(int32_t Value);
    TColor HandleColor() const { return handleColor_; }
    void SetHandleColor(TColor Value);
    TColor ButtonColor() const { return buttonColor_; }
    void SetButtonColor(TColor Value);
    TColor HighLightColor() const { return highLightColor_; }
    void SetHighLightColor(TColor Value);
    TColor ShadowColor() const { return shadowColor_; }
    void SetShadowColor(TColor Value);
    TColor BorderColor() const { return borderColor_; }
    void SetBorderColor(TColor Value);
    TScrollBarKind Kind() const { return kind_; }
    void SetKind(TScrollBarKind Value);
    bool ShowArrows() const { return showArrows_; }
    void SetShowArrows(bool Value);
    bool ShowHandleGrip() const { return showHandleGrip_; }
    void SetShowHandleGrip(bool Value);
    TRBStyle Style() const { return style_; }
    void SetStyle(TRBStyle Value);

    // Any change of the position.
    TNotifyEvent OnChange;
    // A change that came from the mouse, the wheel or the auto-repeat, after OnChange.
    TNotifyEvent OnUserChange;

    // Geometry.
    int32_t BorderWidth() const { return borderStyle_ == bsSingle ? 1 : 0; }
    platform::Rect ClientArea() const; // (0, 0, client width, client height)
    int32_t GetButtonSize() const;
    // The client area less one button at each end.
    platform::Rect GetTrackBoundary() const;
    virtual platform::Rect GetHandleRect() const = 0;
    TRBZone GetZone(int32_t X, int32_t Y) const; // X, Y in client coordinates
    platform::Rect GetZoneRect(TRBZone Zone) const;
    virtual bool DrawEnabled() const { return Enabled(); }

    // Mouse state: the zone the left button went down in (zNone when not pressed) and
    // the zone under the mouse.
    TRBZone DragZone() const { return dragZone_; }
    TRBZone HotZone() const { return hotZone_; }
    const platform::Timer& RepeatTimer() const { return timer_; }

protected:
    bool Horizontal() const { return kind_ == sbHorizontal; }
    // Along the bar: the client length and a client point's coordinate.
    int32_t ClientLength() const;
    int32_t AlongBar(int32_t X, int32_t Y) const { return Horizontal() ? X : Y; }

    virtual void DoChange();
    virtual void DoDrawButton(platform::Canvas& Canvas, platform::Rect R, TRBDirection Direction, bool Pressed,
                              bool Enabled, bool Hot);
    virtual void DoDrawHandle(platform::Canvas& Canvas, platform::Rect R, bool Horz, bool Pressed, bool Hot);
    virtual void DoDrawTrack(platform::Canvas& Canvas, platform::Rect R, TRBDirection Direction, bool Pressed,
                             bool Enabled, bool Hot);
    // The mouse left the bar: hot tracking stops.
    virtual void MouseLeft();
    virtual void TimerHandler();

    // What the kinds of bar add to the shared mouse handling.
    // Whether a left press starts tracking (it only clears the drag zone otherwise).
    virtual bool AcceptsPress() const { return true; }
    // Moves by one small step (an arrow button) or one page (the track) back (Sign -1) or
    // forward (+1); true when the position changed.
    virtual bool Step(bool Page, int32_t Sign) = 0;
    // The handle was pressed, and has since been dragged Delta pixels along the bar.
    virtual void BeginHandleDrag() = 0;
    virtual void DragHandle(int32_t Delta) = 0;

    // Kind has changed: the bar's length is now the other side.
    virtual void KindChanged() {}
    // Calls `change` with the user-change flag set, so that DoChange reports it.
    void AsUserChange(const std::function<void()>& change);

    void Paint(platform::Canvas& Canvas) override;
    void MouseDown(platform::MouseButton Button, platform::ShiftState Shift, int32_t X, int32_t Y) override;
    void MouseMove(platform::ShiftState Shift, int32_t X, int32_t Y) override;
    void MouseUp(platform::MouseButton Button, platform::ShiftState Shift, int32_t X, int32_t Y) override;
    void MouseLeave() override;

private:
    enum class TimerMode : uint8_t { Off, FirstDelay, Repeating, HotTracking };

    void PaintBorder(platform::Canvas& Canvas);
    void StartHotTracking();
    void StopHotTracking();
    void StepByDragZone();
    // Whether the mouse, held inside the client area, is over `track` or its button.
    bool CursorOverTrackPart(TRBZone track) const;
    template <class T>
    void SetLook(T& Field, T Value);

    TRBBackgnd backgnd_ = bgPattern;
    TFormBorderStyle borderStyle_ = bsSingle;
    int32_t buttonSize_ = 0;
    TColor handleColor_ = clBtnShadow;
    TColor buttonColor_ = clBtnFace;
    TColor highLightColor_ = clBtnHighlight;
    TColor shadowColor_ = clBtnShadow;
    TColor borderColor_ = clWindowFrame;
    TScrollBarKind kind_ = sbHorizontal;
    bool showArrows_ = true;
    bool showHandleGrip_ = true;
    TRBStyle style_ = rbsDefault;
    bool userChange_ = false;
    TRBZone dragZone_ = zNone;
    TRBZone hotZone_ = zNone;
    platform::Timer timer_;
    TimerMode timerMode_ = TimerMode::Off;
    platform::Point downPoint_;  // client point of the left press
    platform::Point mousePoint_; // client point of the last mouse event
};

class TCustomRangeBar : public TArrowBar {
public:
    TCustomRangeBar();
    const char* ClassName() const override { return "TCustomRangeBar"; }

    // When on, a change of range or length keeps the window's centre at the same place.
    bool Centered() const { return centered_; }
    void SetCentered(bool Value) { centered_ = Value; }
    TRBIncrement Increment() const { return increment_; }
    void SetIncrement(TRBIncrement Value) { increment_ = Value; }
    float Position() const { return position_; }
    void SetPosition(float Value);
    int32_t Range() const { return range_; }
    void SetRange(int32_t Value) { SetParams(Value, window_); }
    int32_t Window() const { return window_; }
    void SetWindow(int32_t Value) { SetParams(range_, Value); }
    // The visible part: Window when above 0, else the bar's own length.
    int32_t EffectiveWindow() const { return effectiveWindow_; }
    // Negative values become 0. Keeps the centre when Centered; fires no change event.
    void SetParams(int32_t NewRange, int32_t NewWindow);

    platform::Rect GetHandleRect() const override;
    bool DrawEnabled() const override;

protected:
    bool AcceptsPress() const override { return range_ > effectiveWindow_; }
    bool Step(bool Page, int32_t Sign) override;
    void BeginHandleDrag() override { dragStartPosition_ = position_; }
    void DragHandle(int32_t Delta) override;
    void Resize() override;
    void KindChanged() override { FollowLength(); }
    bool DoMouseWheel(platform::ShiftState Shift, int32_t WheelDelta, platform::Point MousePos) override;

private:
    // The effective window follows a new length of the bar, keeping the centre when Centered.
    void FollowLength();
    int32_t LengthOfControl() const { return Horizontal() ? Width() : Height(); }
    void UpdateEffectiveWindow() { effectiveWindow_ = window_ > 0 ? window_ : LengthOfControl(); }
    // Moves the position so that the relative centre it had over (oldRange, oldWindow)
    // holds over the current range and effective window.
    void KeepCentre(int32_t OldRange, int32_t OldWindow);
    void ApplyBounds();

    bool centered_ = false;
    int32_t effectiveWindow_ = 0;
    TRBIncrement increment_ = 8;
    float position_ = 0;
    int32_t range_ = 0;
    int32_t window_ = 0;
    float dragStartPosition_ = 0;
};

class TRangeBar : public TCustomRangeBar {
public:
    const char* ClassName() const override { return "TRangeBar"; }
};

class TCustomGaugeBar : public TArrowBar {
public:
    TCustomGaugeBar() = default;
    const char* ClassName() const override { return "TCustomGaugeBar"; }

    // 0: a square handle, as long as the bar is thick.
    int32_t HandleSize() const { return handleSize_; }
    void SetHandleSize(int32_t Value);
    int32_t LargeChange() const { return largeChange_; }
    void SetLargeChange(int32_t Value) { largeChange_ = Value < 1 ? 1 : Value; }
    int32_t Max() const { return max_; }
    void SetMax(int32_t Value);
    int32_t Min() const { return min_; }
    void SetMin(int32_t Value);
    int32_t Position() const { return position_; }
    void SetPosition(int32_t Value);
    int32_t SmallChange() const { return smallChange_; }
    void SetSmallChange(int32_t Value) { smallChange_ = Value < 1 ? 1 : Value; }

    platform::Rect GetHandleRect() const override;

protected:
    bool Step(bool Page, int32_t Sign) override;
    void BeginHandleDrag() override { dragStartPosition_ = position_; }
    void DragHandle(int32_t Delta) override;
    bool DoMouseWheel(platform::ShiftState Shift, int32_t WheelDelta, platform::Point MousePos) override;

private:
    int32_t HandleLength(int32_t TrackLength) const;
    // Brings the position back into Min..Max after a change of either.
    void ClampPosition();

    int32_t handleSize_ = 0;
    int32_t largeChange_ = 1;
    int32_t max_ = 100;
    int32_t min_ = 0;
    int32_t position_ = 0;
    int32_t smallChange_ = 1;
    int32_t dragStartPosition_ = 0;
};

class TGaugeBar : public TCustomGaugeBar {
public:
    const char* ClassName() const override { return "TGaugeBar"; }
};

// The look of a master bar and an optional slave bar as one property object: reading
// gives the master's value, writing sets the master and then the slave.
class TArrowBarAccess : public TPersistent {
public:
    TArrowBarAccess(TArrowBar* Master, TArrowBar* Slave) : master_(Master), slave_(Slave) {}
    const char* ClassName() const override { return "TArrowBarAccess"; }

    TArrowBar* Master() const { return master_; }
    TArrowBar* Slave() const { return slave_; }

    platform::CanvasColor Color() const { return master_->Color(); }
    void SetColor(platform::CanvasColor Value) { ForBoth(&TArrowBar::SetColor, Value); }
    TRBBackgnd Backgnd() const { return master_->Backgnd(); }
    void SetBackgnd(TRBBackgnd Value) { ForBoth(&TArrowBar::SetBackgnd, Value); }
    int32_t ButtonSize() const { return master_->ButtonSize(); }
    void SetButtonSize(int32_t Value) { ForBoth(&TArrowBar::SetButtonSize, Value); }
    TColor HandleColor() const { return master_->HandleColor(); }
    void SetHandleColor(TColor Value) { ForBoth(&TArrowBar::SetHandleColor, Value); }
    TColor ButtonColor() const { return master_->ButtonColor(); }
    void SetButtonColor(TColor Value) { ForBoth(&TArrowBar::SetButtonColor, Value); }
    TColor HighLightColor() const { return master_->HighLightColor(); }
    void SetHighLightColor(TColor Value) { ForBoth(&TArrowBar::SetHighLightColor, Value); }
    TColor ShadowColor() const { return master_->ShadowColor(); }
    void SetShadowColor(TColor Value) { ForBoth(&TArrowBar::SetShadowColor, Value); }
    TColor BorderColor() const { return master_->BorderColor(); }
    void SetBorderColor(TColor Value) { ForBoth(&TArrowBar::SetBorderColor, Value); }
    bool ShowArrows() const { return master_->ShowArrows(); }
    void SetShowArrows(bool Value) { ForBoth(&TArrowBar::SetShowArrows, Value); }
    bool ShowHandleGrip() const { return master_->ShowHandleGrip(); }
    void SetShowHandleGrip(bool Value) { ForBoth(&TArrowBar::SetShowHandleGrip, Value); }
    TRBStyle Style() const { return master_->Style(); }
    void SetStyle(TRBStyle Value) { ForBoth(&TArrowBar::SetStyle, Value); }

protected:
    // Copies the look into another TArrowBarAccess.
    void AssignTo(TPersistent* Dest) const override;

private:
    template <class Bar, class T>
    void ForBoth(void (Bar::*Setter)(T), T Value)
    {
        (master_->*Setter)(Value);
        if (slave_)
            (slave_->*Setter)(Value);
    }

    TArrowBar* master_;
    TArrowBar* slave_;
};
