#include "components/rmScrollableControl.h"

#include "graphics/SystemColorNames.h"
#include "platform/OffsetCanvas.h"

#include <algorithm>

namespace {

// Clamps without the cost of an exception for an empty range: Hi below Lo gives Lo.
int32_t InRange(int32_t Value, int32_t Lo, int32_t Hi)
{
    return std::max(Lo, std::min(Value, Hi));
}

} // namespace

std::pair<int32_t, int32_t> ExtendSelection(int32_t Old, int32_t SelStart, int32_t SelEnd, int32_t New)
{
    // Moving forward pushes the end that Old was at; moving back pulls the start.
    if (Old < New) {
        if (Old == SelEnd)
            return {SelStart, New};
        if (New > SelEnd)
            return {SelStart == SelEnd ? SelStart : SelEnd, New};
        return {New, SelEnd};
    }
    if (Old == SelStart)
        return {New, SelEnd};
    if (New >= SelStart)
        return {SelStart, New};
    return {New, SelEnd == SelStart ? SelEnd : SelStart};
}

TrmCustomScrollableControl::TrmCustomScrollableControl()
    : FScrollBars(*this, [this](TScrollBarKind Bar, TScrollCode Code, int32_t Position) {
          Scroll(Bar, Code, Position);
      })
{
    SetTabStop(true);
    SetBounds(0, 0, 400, 200);
    Relayout();
}

TrmCustomScrollableControl::~TrmCustomScrollableControl() = default;

int32_t TrmCustomScrollableControl::VisibleItems() const
{
    const int32_t height = MaxItemHeight();
    return height > 0 ? ClientHeight() / height : 0;
}

int32_t TrmCustomScrollableControl::HScrollSize() const
{
    return std::max(0, MaxItemLength() - ClientWidth());
}

int32_t TrmCustomScrollableControl::VScrollSize() const
{
    return std::max(0, MaxItemCount() - VisibleItems());
}

int32_t TrmCustomScrollableControl::ClampedToBar(TScrollBarKind Bar, int32_t Value)
{
    const int32_t size = Bar == sbVertical ? VScrollSize() : HScrollSize();
    Value = InRange(Value, 0, size);
    const int32_t page = Bar == sbVertical ? VisibleItems() : ClientWidth();
    return FScrollBars.Shows(Bar) ? FScrollBars.SetScrollInfo(Bar, size, page, Value) : Value;
}

void TrmCustomScrollableControl::SetHScrollPos(int32_t Value)
{
    FHorzPos = ClampedToBar(sbHorizontal, Value);
    Invalidate();
}

void TrmCustomScrollableControl::SetVScrollPos(int32_t Value)
{
    FTopIndex = ClampedToBar(sbVertical, Value);
    Invalidate();
}

void TrmCustomScrollableControl::SetTopIndex(int32_t Value)
{
    const int32_t lastTop = MaxItemCount() - VisibleItems();
    FTopIndex = lastTop - 1 >= 0 ? InRange(Value, 0, lastTop) : 0;
    UpdateVScrollBar();
    Invalidate();
}

void TrmCustomScrollableControl::SetItemIndex(int32_t Value)
{
    const int32_t count = MaxItemCount();
    if (count < 1)
        return;
    FItemIndex = InRange(Value, 0, count - 1);
    FSelStart = FSelEnd = FItemIndex;
    ScrollToView();
    UpdateVScrollBar();
    Invalidate();
    DoItemIndexChange();
}

void TrmCustomScrollableControl::ItemsChanged()
{
    // The widest item may have changed with the items. The horizontal bar follows when it
    // is next shown or used, not at each change: a derived class may measure its widest
    // item once, when first asked, and items added one by one must all count then.
    FHorzBarStale = true;
    if (MaxItemCount() > 0) {
        SetItemIndex(0);
        return;
    }
    FItemIndex = FSelStart = FSelEnd = -1;
    UpdateVScrollBar();
    Invalidate();
    DoItemIndexChange();
}

void TrmCustomScrollableControl::SetSelStart(int32_t Value)
{
    FSelStart = FSelEnd = FItemIndex = Value;
    DoItemIndexChange();
    Invalidate();
}

void TrmCustomScrollableControl::SetSelCount(int32_t Value)
{
    FSelEnd = FSelStart + (FMultiSelect ? Value : 0);
    FItemIndex = FSelEnd;
    DoItemIndexChange();
    Invalidate();
}

void TrmCustomScrollableControl::SetShowFocusRect(bool Value)
{
    FShowFocusRect = Value;
    Invalidate();
}

void TrmCustomScrollableControl::SetHideSelection(bool Value)
{
    FHideSelection = Value;
    Invalidate();
}

void TrmCustomScrollableControl::SetMultiSelect(bool Value)
{
    FMultiSelect = Value;
    if (!Value)
        FSelStart = FSelEnd = FItemIndex;
    Invalidate();
}

void TrmCustomScrollableControl::SetScrollBars(TScrollStyle Value)
{
    if (Value == FScrollBars.Style())
        return;
    FScrollBars.SetStyle(Value);
    Relayout();
}

void TrmCustomScrollableControl::SetBorderStyle(TFormBorderStyle Value)
{
    if (Value == FBorderStyle)
        return;
    FBorderStyle = Value;
    Relayout();
}

void TrmCustomScrollableControl::Relayout()
{
    const int32_t border = WindowBorderWidth(FBorderStyle, Ctl3D());
    const platform::Rect inner{border, border, std::max(border, Width() - border), std::max(border, Height() - border)};
    FClientArea = FScrollBars.Layout(inner);
    UpdateVScrollBar();
    UpdateHScrollBar();
    Invalidate();
}

void TrmCustomScrollableControl::UpdateVScrollBar()
{
    FTopIndex = ClampedToBar(sbVertical, FTopIndex);
    VerticalScrollChange();
    if (OnScrollBarChanged)
        OnScrollBarChanged(this, 1);
}

void TrmCustomScrollableControl::UpdateHScrollBar()
{
    FHorzBarStale = false;
    FHorzPos = ClampedToBar(sbHorizontal, FHorzPos);
    HorizontalScrollChange();
    if (OnScrollBarChanged)
        OnScrollBarChanged(this, 0);
}

void TrmCustomScrollableControl::ScrollToView()
{
    const int32_t visible = VisibleItems();
    if (FItemIndex < FTopIndex)
        FTopIndex = FItemIndex;
    else if (FItemIndex > FTopIndex + visible - 1)
        FTopIndex = InRange(FItemIndex - (visible - 1), 0, MaxItemCount());
}

void TrmCustomScrollableControl::Scroll(TScrollBarKind Bar, TScrollCode Code, int32_t Position)
{
    const bool vertical = Bar == sbVertical;
    const int32_t line = vertical ? 1 : MaxItemWidth();
    // A page across is half of what does not fit, rounded toward zero.
    const int32_t page = vertical ? VisibleItems() : (MaxItemLength() - ClientWidth()) / 2;
    const int32_t end = vertical ? MaxItemCount() - VisibleItems() : MaxItemLength() - ClientWidth();
    int32_t& value = vertical ? FTopIndex : FHorzPos;
    const std::optional<int32_t> moved = ScrolledValue(Code, Position, value, line, page, end);
    if (!moved)
        return;
    value = *moved;
    if (vertical)
        UpdateVScrollBar();
    else
        UpdateHScrollBar();
    Invalidate();
}

int32_t TrmCustomScrollableControl::ClampedIndex(int32_t Index) const
{
    const int32_t count = MaxItemCount();
    return count > 0 ? InRange(Index, 0, count - 1) : -1;
}

void TrmCustomScrollableControl::MoveSelection(int32_t Index, bool Extend)
{
    const int32_t old = FItemIndex;
    FItemIndex = Index;
    if (Extend)
        std::tie(FSelStart, FSelEnd) = ExtendSelection(old, FSelStart, FSelEnd, FItemIndex);
    else
        FSelStart = FSelEnd = FItemIndex;
}

void TrmCustomScrollableControl::KeyDown(platform::KeyCode& Key, platform::ShiftState Shift)
{
    Control::KeyDown(Key, Shift);
    const platform::ShiftState keys = Shift & platform::shift::Keys;
    int32_t index = FItemIndex;
    switch (Key) {
    case platform::key::PageUp: index -= VisibleItems() - 1; break;
    case platform::key::PageDown: index += VisibleItems() - 1; break;
    case platform::key::End: index = MaxItemCount() - 1; break;
    case platform::key::Home: index = 0; break;
    case platform::key::Up: --index; break;
    case platform::key::Down: ++index; break;
    case platform::key::Left:
        if (keys == platform::shift::None)
            --FHorzPos;
        else if (keys == platform::shift::Ctrl)
            FHorzPos = 0;
        break;
    case platform::key::Right:
        if (keys == platform::shift::None)
            ++FHorzPos;
        else if (keys == platform::shift::Ctrl)
            FHorzPos = MaxItemLength() - ClientWidth();
        break;
    default: return;
    }
    MoveSelection(ClampedIndex(index), keys == platform::shift::Shift && FMultiSelect);
    DoItemIndexChange();
    ScrollToView();
    UpdateVScrollBar();
    UpdateHScrollBar();
    Invalidate();
}

int32_t TrmCustomScrollableControl::IndexAtRow(int32_t Y) const
{
    const int32_t height = MaxItemHeight();
    return ClampedIndex(height > 0 ? Y / height + FTopIndex : FTopIndex);
}

void TrmCustomScrollableControl::MouseDown(platform::MouseButton Button, platform::ShiftState Shift, int32_t X,
                                           int32_t Y)
{
    if (FHorzBarStale)
        UpdateHScrollBar(); // a press on the bar acts on the bar as it shows
    FPressOnBar = FScrollBars.MouseDown(Button, Shift, X, Y);
    if (FPressOnBar)
        return;
    Control::MouseDown(Button, Shift, X, Y);
    if (Button != platform::MouseButton::Left)
        return;
    if (CanFocus())
        SetFocus();
    int32_t y = Y - FClientArea.Top;
    // Above or below the rows: one row beyond, so that the index steps out of view.
    if (y < 0)
        y = -MaxItemHeight();
    else if (y > ClientHeight())
        y = ClientHeight() + MaxItemHeight();
    const int32_t old = FItemIndex;
    MoveSelection(IndexAtRow(y), (Shift & platform::shift::Shift) != 0 && FMultiSelect);
    if (FItemIndex != old) {
        DoItemIndexChange();
        ScrollToView();
        UpdateVScrollBar();
        UpdateHScrollBar();
    }
    Invalidate();
}

void TrmCustomScrollableControl::MouseMove(platform::ShiftState Shift, int32_t X, int32_t Y)
{
    if (FScrollBars.MouseMove(Shift, X, Y))
        return;
    Control::MouseMove(Shift, X, Y);
    if ((Shift & platform::shift::Left) == 0 || !Focused() || FPressOnBar)
        return;
    const int32_t old = FItemIndex;
    MoveSelection(IndexAtRow(Y - FClientArea.Top), FMultiSelect);
    if (FItemIndex != old) {
        DoItemIndexChange();
        ScrollToView();
        UpdateVScrollBar();
        UpdateHScrollBar();
        RepaintNow(ClientRect());
    } else {
        Invalidate();
    }
}

void TrmCustomScrollableControl::MouseUp(platform::MouseButton Button, platform::ShiftState Shift, int32_t X,
                                         int32_t Y)
{
    const bool onBar = FScrollBars.MouseUp(Button, Shift, X, Y);
    if (Button == platform::MouseButton::Left)
        FPressOnBar = false;
    if (!onBar)
        Control::MouseUp(Button, Shift, X, Y);
}

void TrmCustomScrollableControl::MouseLeave()
{
    FScrollBars.MouseLeave();
    Control::MouseLeave();
}

bool TrmCustomScrollableControl::DoMouseWheel(platform::ShiftState Shift, int32_t WheelDelta, platform::Point MousePos)
{
    Control::DoMouseWheel(Shift, WheelDelta, MousePos);
    FTopIndex = InRange(VScrollPos() - WheelDelta / 120, 0, VScrollSize());
    UpdateVScrollBar();
    Invalidate();
    return true;
}

void TrmCustomScrollableControl::Resize()
{
    Relayout();
    Control::Resize();
}

void TrmCustomScrollableControl::Paint(platform::Canvas& Canvas)
{
    if (FHorzBarStale)
        UpdateHScrollBar();
    PaintWindowBorder(Canvas, ClientRect(), FBorderStyle, Ctl3D());
    {
        platform::OffsetCanvas client(Canvas, {FClientArea.Left, FClientArea.Top}, FClientArea);
        PaintClient(client);
    }
    FScrollBars.Paint(Canvas, CanvasColorOf(clBtnFace));
}
