#include "inspector/rmScrollBar.h"

#include "graphics/SystemColorNames.h"
#include "inspector/rmFrames.h"
#include "inspector/rmMarlett.h"

#include <algorithm>
#include <string>

namespace {

constexpr int32_t kMinThumb = 8;

// An arrow button: a Marlett arrow that repeats its click while held.
void SetupArrowButton(TrmTimerSpeedButton& Button, const char* Arrow)
{
    Button.SetTimeBtnState(tbAllowTimer);
    Button.SetStyle(sbsComboButton);
    platform::FontSpec font;
    font.Family = std::string(kMarlettFamily);
    font.PointSize = 8;
    font.Color = CanvasColorOf(clBtnText);
    Button.SetFont(font);
    Button.SetCaption(Arrow);
}

// A * B / C rounded to the nearest whole number, for C above 0.
int32_t MulDivRound(int64_t A, int64_t B, int64_t C)
{
    return int32_t((2 * A * B + C) / (2 * C));
}

} // namespace

int32_t ScrolledTopIndex(TrmScrollCode Code, int32_t Position, int32_t Top, int32_t Page, int32_t Bottom)
{
    switch (Code) {
    case TrmScrollCode::scLineUp: return Top - 1;
    case TrmScrollCode::scLineDown: return Top + 1;
    case TrmScrollCode::scPageUp: return Top - Page;
    case TrmScrollCode::scPageDown: return Top + Page;
    case TrmScrollCode::scThumbPosition:
    case TrmScrollCode::scThumbTrack: return Position;
    case TrmScrollCode::scTop: return 0;
    case TrmScrollCode::scBottom: return Bottom;
    }
    return Top;
}

TrmScrollBar::TrmScrollBar() : FPageTimer([this] {
    FPageTimer.SetInterval(TrmTimerSpeedButton::kRepeatMs);
    PageTowardsHeldPoint();
}), FChildren(*this)
{
    SetupArrowButton(FUp, "5");
    SetupArrowButton(FDown, "6");
    FUp.OnClick = [this](TObject*) { Scroll(TrmScrollCode::scLineUp, FPosition); };
    FDown.OnClick = [this](TObject*) { Scroll(TrmScrollCode::scLineDown, FPosition); };
    FChildren.Add(FUp);
    FChildren.Add(FDown);
    SetColor(CanvasColorOf(clScrollBar));
    SetBounds(0, 0, kWidth, 100);
    ApplyEnabled();
}

TrmScrollBar::~TrmScrollBar() = default;

void TrmScrollBar::SetScrollInfo(int32_t Max, int32_t Page, int32_t Position)
{
    FMax = std::max(Max, 0);
    FPage = std::max(Page, 0);
    FPosition = std::clamp(Position, 0, FMax);
    ApplyEnabled();
    Invalidate();
}

void TrmScrollBar::PageTowardsHeldPoint()
{
    const platform::Rect track = TrackRect(), thumb = ThumbRect();
    if (!FPaging || FMax <= 0 || !Enabled() || !track.Contains(FPagePoint.X, FPagePoint.Y))
        return;
    const int32_t split = thumb.IsEmpty() ? (track.Top + track.Bottom) / 2 : thumb.Top;
    const bool up = FPagePoint.Y < split;
    const bool onThumb = !thumb.IsEmpty() && FPagePoint.Y >= thumb.Top && FPagePoint.Y < thumb.Bottom;
    if (!onThumb && up == (FPageCode == TrmScrollCode::scPageUp))
        Scroll(FPageCode, FPosition);
}

void TrmScrollBar::StopPaging()
{
    FPaging = false;
    FPageTimer.SetEnabled(false);
}

void TrmScrollBar::ApplyEnabled()
{
    const bool scrolls = Enabled() && FMax > 0;
    FUp.SetEnabled(scrolls);
    FDown.SetEnabled(scrolls);
}

void TrmScrollBar::EnabledChanged()
{
    ApplyEnabled();
    Invalidate();
}

void TrmScrollBar::Resize()
{
    const int32_t button = std::min(Width(), Height() / 2);
    FUp.SetBounds(0, 0, Width(), button);
    FDown.SetBounds(0, Height() - button, Width(), button);
    Control::Resize();
}

platform::Rect TrmScrollBar::TrackRect() const
{
    return {0, FUp.Height(), Width(), Height() - FDown.Height()};
}

platform::Rect TrmScrollBar::ThumbRect() const
{
    const platform::Rect track = TrackRect();
    if (FMax <= 0 || !Enabled() || track.IsEmpty())
        return {};
    const int32_t length = std::max(MulDivRound(track.Height(), FPage, int64_t(FMax) + FPage), kMinThumb);
    if (length >= track.Height())
        return {};
    const int32_t top = track.Top + MulDivRound(track.Height() - length, FPosition, FMax);
    return {0, top, Width(), top + length};
}

int32_t TrmScrollBar::PositionAt(int32_t ThumbTop) const
{
    const platform::Rect track = TrackRect(), thumb = ThumbRect();
    const int32_t room = track.Height() - thumb.Height();
    if (thumb.IsEmpty() || room <= 0)
        return FPosition;
    return std::clamp(MulDivRound(ThumbTop - track.Top, FMax, room), 0, FMax);
}

void TrmScrollBar::Scroll(TrmScrollCode Code, int32_t Position)
{
    if (OnScroll)
        OnScroll(Code, Position);
}

void TrmScrollBar::Paint(platform::Canvas& Canvas)
{
    const platform::Rect track = TrackRect();
    if (!track.IsEmpty())
        FillDithered(Canvas, track, CanvasColorOf(clBtnHighlight), Color());
    platform::Rect thumb = ThumbRect();
    if (!thumb.IsEmpty())
        DrawPushButtonFrame(Canvas, thumb, false);
    FChildren.Paint(Canvas);
}

void TrmScrollBar::MouseDown(platform::MouseButton Button, platform::ShiftState Shift, int32_t X, int32_t Y)
{
    if (FChildren.MouseDown(Button, Shift, X, Y))
        return;
    const platform::Rect track = TrackRect(), thumb = ThumbRect();
    if (Button == platform::MouseButton::Left && FMax > 0 && Enabled() && track.Contains(X, Y)) {
        if (!thumb.IsEmpty() && Y >= thumb.Top && Y < thumb.Bottom) {
            FDragging = true;
            FDragOffset = Y - thumb.Top;
            FDragPosition = FPosition;
        } else {
            const int32_t split = thumb.IsEmpty() ? (track.Top + track.Bottom) / 2 : thumb.Top;
            FPaging = true;
            FPageCode = Y < split ? TrmScrollCode::scPageUp : TrmScrollCode::scPageDown;
            FPagePoint = {X, Y};
            FPageTimer.SetEnabled(false);
            FPageTimer.SetInterval(TrmTimerSpeedButton::kFirstDelayMs);
            FPageTimer.SetEnabled(true);
            PageTowardsHeldPoint();
        }
    }
    Control::MouseDown(Button, Shift, X, Y);
}

void TrmScrollBar::MouseMove(platform::ShiftState Shift, int32_t X, int32_t Y)
{
    if (FPaging)
        FPagePoint = {X, Y};
    if (FDragging) {
        if (const int32_t position = PositionAt(Y - FDragOffset); position != FDragPosition) {
            FDragPosition = position;
            Scroll(TrmScrollCode::scThumbTrack, position);
        }
        return;
    }
    if (!FChildren.MouseMove(Shift, X, Y))
        Control::MouseMove(Shift, X, Y);
}

void TrmScrollBar::MouseUp(platform::MouseButton Button, platform::ShiftState Shift, int32_t X, int32_t Y)
{
    if (FPaging && Button == platform::MouseButton::Left)
        StopPaging();
    if (FDragging) {
        FDragging = false;
        Scroll(TrmScrollCode::scThumbPosition, FDragPosition);
        return;
    }
    if (!FChildren.MouseUp(Button, Shift, X, Y))
        Control::MouseUp(Button, Shift, X, Y);
}

void TrmScrollBar::MouseLeave()
{
    FChildren.MouseLeave();
    Control::MouseLeave();
}
