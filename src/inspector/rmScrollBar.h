#pragma once
// The vertical scroll bar of the inspector and of its drop-down lists, drawn by the
// program as the desktop draws a window's bar: an arrow button at each end that repeats
// while held, a checkered track and a raised thumb whose length shows how much of the
// whole is in view. The bar runs over 0..Max, Page units being in view; the user's moves
// come back as the commands of a window scroll bar, and the owner answers with the
// position it settled on (SetScrollInfo).
#include "inspector/rmSpeedBtns.h"
#include "platform/ChildControls.h"
#include "platform/Timer.h"

#include <cstdint>
#include <functional>

// The vertical scroll commands of a window scroll bar (scoped: the spare components'
// window scroll bars have commands of the same names).
enum class TrmScrollCode : uint8_t {
    scLineUp = 0,
    scLineDown = 1,
    scPageUp = 2,
    scPageDown = 3,
    scThumbPosition = 4,
    scThumbTrack = 5,
    scTop = 6,
    scBottom = 7,
};

// The first row to show after Code, from Top (the first row shown now), Page (the rows in
// view), Bottom (the first row of the last page) and, for the thumb, Position; the
// caller clamps it.
int32_t ScrolledTopIndex(TrmScrollCode Code, int32_t Position, int32_t Top, int32_t Page, int32_t Bottom);

class TrmScrollBar : public platform::Control {
public:
    // The bar's width, as the desktop draws its scroll bars.
    static constexpr int32_t kWidth = 17;

    TrmScrollBar();
    ~TrmScrollBar() override;
    const char* ClassName() const override { return "TrmScrollBar"; }

    int32_t Max() const { return FMax; }
    int32_t Page() const { return FPage; }
    int32_t Position() const { return FPosition; }
    // Max and Page below 0 count as 0, Position is clamped to 0..Max; with nothing to
    // scroll (Max 0) the bar shows disabled, without a thumb.
    void SetScrollInfo(int32_t Max, int32_t Page, int32_t Position);

    // The thumb in the bar's coordinates (empty without one).
    platform::Rect ThumbRect() const;
    TrmTimerSpeedButton& UpButton() { return FUp; }
    TrmTimerSpeedButton& DownButton() { return FDown; }

    // Code, and the thumb's position for scThumbTrack and scThumbPosition.
    std::function<void(TrmScrollCode Code, int32_t Position)> OnScroll;

protected:
    void Paint(platform::Canvas& Canvas) override;
    // On an arrow button: a line, repeated while held; on the track: a page, repeated as
    // the arrow buttons repeat while the mouse holds the track on that side of the thumb;
    // on the thumb: dragging starts, reported as scThumbTrack and, on release,
    // scThumbPosition.
    void MouseDown(platform::MouseButton Button, platform::ShiftState Shift, int32_t X, int32_t Y) override;
    void MouseMove(platform::ShiftState Shift, int32_t X, int32_t Y) override;
    void MouseUp(platform::MouseButton Button, platform::ShiftState Shift, int32_t X, int32_t Y) override;
    void MouseLeave() override;
    void Resize() override;
    void EnabledChanged() override;

private:
    // The track between the buttons.
    platform::Rect TrackRect() const;
    // The thumb position for a thumb top at Y.
    int32_t PositionAt(int32_t ThumbTop) const;
    void Scroll(TrmScrollCode Code, int32_t Position);
    void ApplyEnabled();
    // The page towards the held point, when the point still lies on the track beyond the
    // thumb on the side the press began.
    void PageTowardsHeldPoint();
    void StopPaging();

    int32_t FMax = 0;
    int32_t FPage = 0;
    int32_t FPosition = 0;
    bool FDragging = false;
    int32_t FDragOffset = 0; // from the thumb's top to the point that took it
    int32_t FDragPosition = 0;
    // Paging while the track is held: the direction and the mouse's place.
    bool FPaging = false;
    TrmScrollCode FPageCode = TrmScrollCode::scPageDown;
    platform::Point FPagePoint;
    platform::Timer FPageTimer;
    TrmTimerSpeedButton FUp;
    TrmTimerSpeedButton FDown;
    platform::ChildControls FChildren; // declared last: detaches the buttons first
};
