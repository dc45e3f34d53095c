#pragma once
// The base of owner-painted list controls: an item index, a top index, a horizontal
// pixel offset and a selection range, the window's scroll bars driven from the sizes a
// derived class reports, and keys, clicks, drags and the wheel turned into index and
// scroll changes. It paints its border and scroll bars; a derived class paints the
// client area and reports the item count and sizes.
//
// Coordinates given to PaintClient and taken by the index arithmetic are client
// coordinates: (0, 0) is the client area's top-left corner, inside the border and left
// of and above the scroll bars.
#include "components/rmWindowScrollBars.h"
#include "platform/Control.h"

#include <cstdint>
#include <functional>
#include <utility>

using TScrollEvent = std::function<void(TObject* Sender, int32_t ScrollBar)>;

// The selected range after the item index moved from Old to New with the range
// extended (Shift held), given the range SelStart..SelEnd before the move.
std::pair<int32_t, int32_t> ExtendSelection(int32_t Old, int32_t SelStart, int32_t SelEnd, int32_t New);

class TrmCustomScrollableControl : public platform::Control {
public:
    TrmCustomScrollableControl();
    ~TrmCustomScrollableControl() override;
    const char* ClassName() const override { return "TrmCustomScrollableControl"; }

    // -1 when no item is current.
    int32_t ItemIndex() const { return FItemIndex; }
    // Nothing without items; otherwise clamps, selects the item alone and scrolls it into view.
    void SetItemIndex(int32_t Value);
    int32_t TopIndex() const { return FTopIndex; }
    void SetTopIndex(int32_t Value);

    int32_t HScrollSize() const;
    int32_t VScrollSize() const;
    int32_t HScrollPos() const { return FHorzPos; }
    void SetHScrollPos(int32_t Value);
    int32_t VScrollPos() const { return FTopIndex; }
    void SetVScrollPos(int32_t Value);

    int32_t SelStart() const { return FSelStart; }
    void SetSelStart(int32_t Value);
    int32_t SelEnd() const { return FSelEnd; }
    int32_t SelCount() const { return FSelEnd - FSelStart; }
    void SetSelCount(int32_t Value);

    bool ShowFocusRect() const { return FShowFocusRect; }
    void SetShowFocusRect(bool Value);
    // When on, the selection is not drawn at all.
    bool HideSelection() const { return FHideSelection; }
    void SetHideSelection(bool Value);
    bool MultiSelect() const { return FMultiSelect; }
    void SetMultiSelect(bool Value);
    TScrollStyle ScrollBars() const { return FScrollBars.Style(); }
    void SetScrollBars(TScrollStyle Value);
    TFormBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TFormBorderStyle Value);

    // The area the items show in, in the control's coordinates.
    platform::Rect ClientArea() const { return FClientArea; }
    int32_t ClientWidth() const { return FClientArea.Width(); }
    int32_t ClientHeight() const { return FClientArea.Height(); }

    // The window's scroll bars, shown as ScrollBars says.
    const TrmWindowScrollBars& WindowScrollBars() const { return FScrollBars; }

    // A scroll request, as a bar sends it: Position is read by scPosition and scTrack.
    void Scroll(TScrollBarKind Bar, TScrollCode Code, int32_t Position);

    bool WantsArrowKeys() const override { return true; }

    // Called after each scroll-bar update: 1 for the vertical bar, 0 for the horizontal one.
    TScrollEvent OnScrollBarChanged;

    // The sizes a derived class reports. Rows are MaxItemHeight pixels high (it must be
    // positive for rows to show); MaxItemWidth is the horizontal line step.
    virtual int32_t MaxItemLength() const { return 0; }
    virtual int32_t MaxItemCount() const { return 0; }
    virtual int32_t VisibleItems() const;
    virtual int32_t MaxItemHeight() const { return 0; }
    virtual int32_t MaxItemWidth() const { return 0; }

protected:
    // With a single border Ctl3D draws it as a sunken 3-D edge two pixels wide, else as
    // one line: the border's width follows the 3-D look.
    void Ctl3DChanged() override { Relayout(); }
    // Called after the item index changed.
    virtual void DoItemIndexChange() {}
    // Called after a bar update.
    virtual void VerticalScrollChange() {}
    virtual void HorizontalScrollChange() {}
    // Paints the client area, in client coordinates.
    virtual void PaintClient(platform::Canvas& Canvas) { (void)Canvas; }

    // Clamp the stored positions to their ranges, write them to the shown bars and
    // report the change.
    void UpdateVScrollBar();
    void UpdateHScrollBar();
    // Moves TopIndex so that the current item shows.
    void ScrollToView();
    // The items changed: the first becomes current, or, with none left, no item is
    // current and nothing is selected. The horizontal bar follows when the control is
    // next painted, pressed, scrolled or sized.
    void ItemsChanged();

    void Paint(platform::Canvas& Canvas) override;
    void Resize() override;
    void KeyDown(platform::KeyCode& Key, platform::ShiftState Shift) override;
    void MouseDown(platform::MouseButton Button, platform::ShiftState Shift, int32_t X, int32_t Y) override;
    void MouseMove(platform::ShiftState Shift, int32_t X, int32_t Y) override;
    void MouseUp(platform::MouseButton Button, platform::ShiftState Shift, int32_t X, int32_t Y) override;
    void MouseLeave() override;
    bool DoMouseWheel(platform::ShiftState Shift, int32_t WheelDelta, platform::Point MousePos) override;

private:
    // The index a client row position Y stands for, clamped to the items (-1 without any).
    int32_t IndexAtRow(int32_t Y) const;
    int32_t ClampedIndex(int32_t Index) const;
    // Value clamped to the bar's range, and written to the bar when it shows.
    int32_t ClampedToBar(TScrollBarKind Bar, int32_t Value);
    // Makes Index current, selecting it alone or extending the range to it.
    void MoveSelection(int32_t Index, bool Extend);
    void Relayout();

    int32_t FItemIndex = -1;
    int32_t FTopIndex = 0;
    int32_t FHorzPos = 0;
    bool FShowFocusRect = true;
    bool FHideSelection = false;
    bool FMultiSelect = false;
    int32_t FSelStart = -1;
    int32_t FSelEnd = -1;
    TFormBorderStyle FBorderStyle = bsNone;
    TrmWindowScrollBars FScrollBars;
    platform::Rect FClientArea;
    bool FPressOnBar = false; // the left press in progress went to a scroll bar
    bool FHorzBarStale = false; // the items changed since the horizontal bar was updated
};
