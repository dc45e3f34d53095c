#pragma once
// The scroll bars of a control's window: a vertical bar along the right edge and a
// horizontal one along the bottom, each shown as the control's scroll style asks. A bar
// runs over the integer range 0..Max at a position the control sets; with nothing to
// scroll (Max 0) it stays shown and disabled. The user's moves of a bar come back to the
// control as the bar's new position, which the control may clamp further.
#include "components/RangeBars32.h"
#include "platform/ChildControls.h"

#include <cstdint>
#include <functional>
#include <memory>

enum TScrollStyle : uint8_t { ssNone = 0, ssHorizontal = 1, ssVertical = 2, ssBoth = 3 };
enum TScrollCode : uint8_t {
    scLineUp = 0,
    scLineDown = 1,
    scPageUp = 2,
    scPageDown = 3,
    scPosition = 4,
    scTrack = 5,
    scTop = 6,
    scBottom = 7,
    scEndScroll = 8,
};

class TrmWindowScrollBars {
public:
    // The thickness of a bar, as the desktop draws its scroll bars.
    static constexpr int32_t kThickness = 17;

    using ScrollHandler = std::function<void(TScrollBarKind Bar, TScrollCode Code, int32_t Position)>;

    TrmWindowScrollBars(platform::Control& Owner, ScrollHandler OnScroll);
    ~TrmWindowScrollBars();
    TrmWindowScrollBars(const TrmWindowScrollBars&) = delete;
    TrmWindowScrollBars& operator=(const TrmWindowScrollBars&) = delete;

    TScrollStyle Style() const { return FStyle; }
    void SetStyle(TScrollStyle Value);
    bool Shows(TScrollBarKind Bar) const;

    // Sets the bar's range to 0..Max (a negative Max counts as 0) and its position, and
    // returns the position the bar took: Position clamped to the range.
    int32_t SetScrollInfo(TScrollBarKind Bar, int32_t Max, int32_t Position);

    // Places the shown bars inside Inner (the owner's area within its border) and
    // returns the part of Inner they leave: the owner's client area.
    platform::Rect Layout(const platform::Rect& Inner);

    // The bars and the corner between two bars, in the owner's coordinates.
    void Paint(platform::Canvas& Canvas, platform::CanvasColor CornerColor);

    // Each returns true when the event went to a bar and the owner should ignore it.
    bool MouseDown(platform::MouseButton Button, platform::ShiftState Shift, int32_t X, int32_t Y);
    bool MouseMove(platform::ShiftState Shift, int32_t X, int32_t Y);
    bool MouseUp(platform::MouseButton Button, platform::ShiftState Shift, int32_t X, int32_t Y);
    void MouseLeave();

    TGaugeBar& Bar(TScrollBarKind Kind) const { return Kind == sbVertical ? *FVert : *FHorz; }

private:
    TScrollStyle FStyle = ssNone;
    std::unique_ptr<TGaugeBar> FHorz;
    std::unique_ptr<TGaugeBar> FVert;
    std::unique_ptr<platform::ChildControls> FChildren; // destroyed before the bars
    platform::Rect FCorner;
};
