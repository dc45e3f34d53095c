#pragma once
// The frame of a control's window: its border, a vertical scroll bar along the right edge
// and a horizontal one along the bottom, each shown as the control's scroll style asks.
// A bar runs over 0..Max showing Page of Max + Page at a time, so that its thumb is as
// long as the page is against the whole; with nothing to scroll (Max 0) it stays shown and
// draws disabled. The bar does not move itself: its arrow buttons ask the control for a
// line, its track for a page, its thumb for a position, and the control answers by
// setting where the bar stands.
#include "components/RangeBars32.h"
#include "inspector/rmFrames.h"
#include "platform/ChildControls.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

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

// Where Code moves a bar's Value: a Line or a Page either way, to the thumb's Position, to
// 0 or to End; nothing for a code that does not move it. The caller clamps the result.
std::optional<int32_t> ScrolledValue(TScrollCode Code, int32_t Position, int32_t Value, int32_t Line, int32_t Page,
                                     int32_t End);

class TrmWindowScrollBar : public TCustomRangeBar {
public:
    // A request of the user's: Position is the thumb's place for scTrack.
    using RequestHandler = std::function<void(TScrollCode Code, int32_t Position)>;

    explicit TrmWindowScrollBar(RequestHandler OnRequest);
    const char* ClassName() const override { return "TrmWindowScrollBar"; }

    // Range 0..Max (a negative Max counts as 0) seen Page at a time (at least 1), at
    // Position clamped to the range; returns that position.
    int32_t SetScrollInfo(int32_t Max, int32_t Page, int32_t Position);
    int32_t ScrollPos() const;

protected:
    // A line from the arrow buttons, a page from the track; true when the owner moved the bar.
    bool Step(bool Page, int32_t Sign) override;
    void DragHandle(int32_t Delta) override;

private:
    RequestHandler FOnRequest;
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

    // See TrmWindowScrollBar::SetScrollInfo.
    int32_t SetScrollInfo(TScrollBarKind Bar, int32_t Max, int32_t Page, int32_t Position);

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

    TrmWindowScrollBar& Bar(TScrollBarKind Kind) const { return Kind == sbVertical ? *FVert : *FHorz; }

private:
    TScrollStyle FStyle = ssNone;
    std::unique_ptr<TrmWindowScrollBar> FHorz;
    std::unique_ptr<TrmWindowScrollBar> FVert;
    std::unique_ptr<platform::ChildControls> FChildren; // destroyed before the bars
    platform::Rect FCorner;
};
