#pragma once
// The base of every control the program draws itself: bounds, visibility,
// enabled state, focus, cursor, colour, mouse capture, painting onto a Canvas and
// the mouse, wheel and key handlers. Plain C++: a ControlHost shows it in a
// window; without a host a control still keeps its state, so controls can be
// driven and tested without a display.
//
// Input arrives through the Host... entry points (the host's window events, or a
// test); they call the protected virtual handlers, whose base versions fire the
// matching On... event when it is set.
//
// A parent lays out its aligned and anchored children when it is sized (Align, Anchors).
// A drag runs from a source control to whichever control of the window lies under the
// mouse: each is asked whether it takes what is dragged (OnDragOver), the one that takes
// it gets the drop (OnDragDrop), and the source learns how the drag ended (OnEndDrag).
#include "platform/Canvas.h"
#include "platform/ControlHint.h"
#include "platform/ControlLayout.h"
#include "platform/FontSpec.h"
#include "platform/FreeNotifyLinks.h"
#include "platform/Geometry.h"
#include "platform/Input.h"
#include "platform/Persistent.h"
#include "platform/PopupMenu.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

class ChildControls;
class Control;

// One input a control received from its host, as the control hears it once it handled it
// (Control::InputHandled).
struct InputMessage {
    InputEvent Event = InputEvent::Paint;
    ShiftState Shift = shift::None;
    MouseButton Button = MouseButton::Left; // mouse presses and releases
    Point Pos{};                            // the mouse, in the control's coordinates
    int32_t WheelDelta = 0;
    KeyCode Key = key::None; // key down and up, as it came in
    char32_t Char = 0;       // a character typed
};

// What a control asks of the window that shows it. Coordinates are the control's own.
class ControlHost {
public:
    virtual ~ControlHost() = default;
    virtual void RequestRepaint() = 0;              // repaint soon, from the event loop
    virtual void RepaintNow(const Rect& area) = 0;  // repaint `area` before returning
    virtual void ApplyBounds(const Rect& bounds) = 0; // bounds in the parent's coordinates
    virtual void ApplyVisible(bool visible) = 0;
    virtual void ApplyEnabled(bool enabled) = 0;
    virtual void ApplyTabStop(bool tabStop) = 0;
    virtual void ApplyCursor(CursorId cursor) = 0;
    virtual void ApplyMouseCapture(bool capture) = 0;
    // While on, every key goes to the control, wherever the keyboard focus is (a drag
    // hears Escape so).
    virtual void ApplyKeyCapture(bool /*capture*/) {}
    virtual void TakeFocus() = 0;
    // The part of the control that can be seen on screen now (empty when hidden).
    virtual Rect VisibleRect() const = 0;
    // The desktop in the coordinates of a top-level window; empty when not known.
    virtual Rect DesktopRect() const { return {}; }
    // A point of the control in the desktop's coordinates; unchanged when not known.
    virtual Point ClientToScreen(Point point) const { return point; }
    // Lets the user size the top-level window by dragging its bottom-right corner from
    // the mouse position, as a size grip does; false when the window system cannot.
    virtual bool BeginWindowSizing() { return false; }
    // A desktop point in the control's coordinates; unchanged when not known.
    virtual Point ScreenToClient(Point point) const { return point; }
    // The control of the same window that lies under a desktop point (null: none), in
    // `found`; false when the host cannot tell.
    virtual bool ControlAtScreen(Point /*screen*/, Control*& /*found*/) const { return false; }
    // The control's alignment or place changed: its parent lays out its children again.
    virtual void RequestAlign() {}
    // Whether the parent, and each of its parents up to the first top-level window, fills
    // the whole client area of its own parent (true when the parent is that window).
    virtual bool ParentFillsWindow() const { return false; }
    // The reading order of the parent, for a control that takes its parent's.
    virtual TBiDiMode InheritedBiDiMode() const { return bdLeftToRight; }
    // What the control with the keys asks of the input methods.
    virtual void ApplyInputMethod(InputMethodHints /*hints*/) {}

    // The control whose client area holds this one; null for none (a window that shows no
    // control holds it, or nothing does).
    virtual Control* ParentControl() const { return nullptr; }
    // The controls shown in windows of their own inside this control's window.
    virtual std::vector<Control*> HostedChildren() const { return {}; }
    // The controls that share this control's parent, this one among them, in the order
    // they were placed there; empty when not known.
    virtual std::vector<Control*> Siblings() const { return {}; }
    // The tab order among the siblings changed.
    virtual void ApplyTabOrder() {}
    // The control's size limits changed (the bounds are applied after).
    virtual void ApplyConstraints(const TSizeConstraints& /*constraints*/) {}
    // Shows `text` as the control's hint by the desktop point `screen`; hides it again.
    virtual void ShowHint(Point /*screen*/, std::string_view /*text*/) {}
    virtual void HideHint() {}
};

class Control : public TPersistent {
public:
    using NotifyEvent = TNotifyEvent;
    using MouseEvent = std::function<void(TObject* sender, MouseButton button, ShiftState shift, int32_t x, int32_t y)>;
    using MouseMoveEvent = std::function<void(TObject* sender, ShiftState shift, int32_t x, int32_t y)>;
    using MouseWheelEvent =
        std::function<void(TObject* sender, ShiftState shift, int32_t wheelDelta, Point mousePos, bool& handled)>;
    using MouseWheelUpDownEvent = std::function<void(TObject* sender, ShiftState shift, Point mousePos, bool& handled)>;
    using KeyEvent = std::function<void(TObject* sender, KeyCode& key, ShiftState shift)>;
    using KeyPressEvent = std::function<void(TObject* sender, char32_t& key)>;
    // Source is the control the drag started from; X and Y are the Sender's coordinates.
    using TDragOverEvent = std::function<void(TObject* Sender, TObject* Source, int32_t X, int32_t Y,
                                              TDragOverState State, bool& Accept)>;
    using TDragDropEvent = std::function<void(TObject* Sender, TObject* Source, int32_t X, int32_t Y)>;
    // Target is the control that took the drop, null when the drag was cancelled or no
    // control took it; X and Y are then the target's coordinates, else the source's.
    using TEndDragEvent = std::function<void(TObject* Sender, TObject* Target, int32_t X, int32_t Y)>;

    // The distance the mouse moves with the button held before an automatic drag begins.
    static constexpr int32_t kDragThreshold = 5;

    Control();
    ~Control() override;
    const char* ClassName() const override { return "Control"; }
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    // Bounds, in the parent's coordinates.
    int32_t Left() const { return bounds_.Left; }
    int32_t Top() const { return bounds_.Top; }
    int32_t Width() const { return bounds_.Width(); }
    int32_t Height() const { return bounds_.Height(); }
    Rect BoundsRect() const { return bounds_; }
    Rect ClientRect() const { return {0, 0, Width(), Height()}; }
    // Stores the bounds (negative sizes become 0); a change of size calls Resize.
    virtual void SetBounds(int32_t left, int32_t top, int32_t width, int32_t height);
    void SetLeft(int32_t left) { SetBounds(left, Top(), Width(), Height()); }
    void SetTop(int32_t top) { SetBounds(Left(), top, Width(), Height()); }
    void SetWidth(int32_t width) { SetBounds(Left(), Top(), width, Height()); }
    void SetHeight(int32_t height) { SetBounds(Left(), Top(), Width(), height); }

    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool tabStop);
    // The parent's colour while ParentColor is on (see below).
    CanvasColor Color() const;
    void SetColor(CanvasColor color);
    // When on, the control takes the size CanAutoSize proposes.
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool autoSize);

    // The control's own cursor, shown while the mouse is over it.
    CursorId Cursor() const { return cursor_; }
    void SetCursor(CursorId cursor);
    // Shows `cursor` over the control for now; cursor::Default goes back to Cursor().
    void ShowCursor(CursorId cursor);
    CursorId ShownCursor() const { return shownCursor_ == cursor::Default ? cursor_ : shownCursor_; }

    bool Focused() const { return focused_; }
    bool CanFocus() const { return visible_ && enabled_; }
    void SetFocus();

    // While captured, every mouse event goes to this control, wherever the mouse is.
    bool MouseCapture() const { return mouseCapture_; }
    void SetMouseCapture(bool capture);

    // Marks the control for repainting; controls with buffers also drop them.
    virtual void Invalidate();
    // Repaints soon without dropping anything.
    void RequestRepaint();
    // Repaints `area` before returning (nothing without a host).
    void RepaintNow(const Rect& area);
    // The part of the control on screen; nothing without a host.
    Rect VisibleRect() const;
    // The desktop as the host knows it; empty without a host.
    Rect DesktopRect() const { return host_ ? host_->DesktopRect() : Rect{}; }
    // A point of the control in the desktop's coordinates (unchanged without a host).
    Point ClientToScreen(Point point) const { return host_ ? host_->ClientToScreen(point) : point; }

    // Alignment in the parent's client area; a change lays the parent's children out again.
    TAlign Align() const { return align_; }
    void SetAlign(TAlign align);
    TAnchors Anchors() const { return anchors_; }
    void SetAnchors(TAnchors anchors);
    // The parent's layout places the control: stores the bounds without asking for
    // another layout and keeps the place the anchors count from.
    void SetAlignedBounds(const Rect& bounds);
    // Whether the control is client-aligned and so is every parent up to its window.
    bool FillsWindow() const { return align_ == alClient && host_ && host_->ParentFillsWindow(); }

    // Dragging. A drag of this control shows DragCursor while the control under the mouse
    // would take the drop, the no-drop cursor elsewhere. A control that leaves its parent,
    // is disabled or is destroyed takes itself out of a drag: one it runs is cancelled,
    // one over it goes on over nothing.
    TDragMode DragMode() const { return dragMode_; }
    void SetDragMode(TDragMode mode) { dragMode_ = mode; }
    TDragKind DragKind() const { return dragKind_; }
    void SetDragKind(TDragKind kind) { dragKind_ = kind; }
    CursorId DragCursor() const { return dragCursor_; }
    void SetDragCursor(CursorId cursor) { dragCursor_ = cursor; }
    // Starts a drag of this control, at once or once the mouse has moved `threshold`
    // pixels (the default when negative) with the left button held; the press in
    // progress is where it starts.
    void BeginDrag(bool immediate, int32_t threshold = -1);
    // Ends a drag: with Drop the control under the mouse that takes it gets the drop;
    // otherwise (and when none takes it) the drag is cancelled. Nothing without a drag.
    void EndDrag(bool drop);
    // A drag that has begun (not one still waiting for the mouse to move).
    bool Dragging() const { return drag_ && drag_->active; }
    // The control whose drag has the mouse: this one, or the child that took the press
    // in progress, or one of its own children; null when none drags.
    Control* DragSourceWithin();
    // During a drag: the control under the mouse, and whether it takes the drop.
    Control* DragTarget() const { return drag_ ? drag_->target : nullptr; }
    bool DragAccepted() const { return drag_ && drag_->accepted; }

    // A desktop point in the control's coordinates (unchanged without a host).
    Point ScreenToClient(Point point) const { return host_ ? host_->ScreenToClient(point) : point; }
    // The control that lies under a point of this one: the topmost child there, or this.
    Control* ControlAt(Point point);
    // The control of this one's window under a desktop point, or null.
    Control* ControlAtScreen(Point screen);

    // Reading order. With ParentBiDiMode on (the default) the control reads as its parent
    // does; setting BiDiMode switches it off.
    TBiDiMode BiDiMode() const;
    void SetBiDiMode(TBiDiMode mode);
    bool ParentBiDiMode() const { return parentBiDiMode_; }
    void SetParentBiDiMode(bool parentBiDiMode);
    bool UseRightToLeftReading() const { return BiDiMode() != bdLeftToRight; }
    bool UseRightToLeftAlignment() const { return BiDiMode() == bdRightToLeft; }

    // ---- What a control takes from its parent control ----
    // While ParentColor (ParentFont, ParentCtl3D, ParentShowHint) is on, the control shows
    // its parent control's colour (font, 3-D look, hint switch) and follows its changes;
    // setting the control's own value switches the flag off. A control without a parent
    // control uses its own value.
    bool ParentColor() const { return parentColor_; }
    void SetParentColor(bool parentColor);
    const FontSpec& Font() const;
    void SetFont(const FontSpec& font);
    bool ParentFont() const { return parentFont_; }
    void SetParentFont(bool parentFont);
    // The sunken two-pixel borders of the 3-D look (a single line without it).
    bool Ctl3D() const;
    void SetCtl3D(bool ctl3D);
    bool ParentCtl3D() const { return parentCtl3D_; }
    void SetParentCtl3D(bool parentCtl3D);
    Control* ParentControl() const { return host_ ? host_->ParentControl() : nullptr; }
    // The controls shown inside this one: those of its child sets, then those in windows
    // of their own.
    std::vector<Control*> Children() const;
    // The control was placed in another parent: it takes that parent's values now.
    void HostParentChanged();

    // ---- Hints ----
    // Hint is shown by the mouse once it has rested on the control for a while (only the
    // part before a "|"), when ShowHint is on; it goes when the mouse leaves or a key or
    // a mouse button is pressed.
    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& hint) { hint_ = hint; }
    bool ShowHint() const;
    void SetShowHint(bool showHint);
    bool ParentShowHint() const { return parentShowHint_; }
    void SetParentShowHint(bool parentShowHint);
    bool HintShown() const { return hintState_.Shown(); }

    // ---- Size limits ----
    // Every size the control takes keeps within its constraints (a maximum below the
    // minimum is raised to it); OnCanResize is asked before each change of size and may
    // change the new size or refuse it, which leaves the bounds as they are.
    const TSizeConstraints& Constraints() const { return constraints_; }
    void SetConstraints(const TSizeConstraints& constraints);
    using TCanResizeEvent = std::function<void(TObject* Sender, int32_t& NewWidth, int32_t& NewHeight, bool& Resize)>;
    TCanResizeEvent OnCanResize;
    // Takes the size CanAutoSize proposes when AutoSize is on.
    void AdjustSize();

    // ---- Tab order ----
    // The place among its siblings at which Tab reaches the control (0 first). Setting it
    // moves the control there and renumbers the siblings; a place out of range is the
    // last. Controls never placed follow the placed ones in the order they were added.
    int32_t TabOrder() const;
    void SetTabOrder(int32_t tabOrder);
    // `controls` sorted by tab order.
    static std::vector<Control*> InTabOrder(std::vector<Control*> controls);
    // Whether Tab stops at the control or at one of its own child controls.
    bool TakesTabFocus() const;
    // Tab within the control: the focus moves from the control itself through its child
    // controls that are tab stops, in tab order; false when it would leave the control.
    bool FocusNextChild(bool forward);
    // Tab entered the control: its first stop (forward) or its last takes the focus.
    void EnterByTab(bool forward);

    // ---- Context menu ----
    // A right click or the menu key (Shift+F10) fires OnContextPopup, with the mouse in
    // the control's coordinates ((-1, -1) from the keyboard); unless that sets Handled,
    // PopupMenu (borrowed) pops up at the mouse (at the control's top-left corner from
    // the keyboard). When neither handles it, the parent control is asked.
    using TContextPopupEvent = std::function<void(TObject* Sender, Point MousePos, bool& Handled)>;
    static constexpr Point kKeyboardPopup{-1, -1};
    TPopupMenu* PopupMenu() const { return popupMenu_; }
    void SetPopupMenu(TPopupMenu* menu) { popupMenu_ = menu; }
    TContextPopupEvent OnContextPopup;
    // True when some control handled it.
    bool HostContextPopup(Point mousePos);

    // ---- Controls that go ----
    // `watcher` is told (Notification) when this control is destroyed, once however often
    // it asks; a watcher that goes first is forgotten. A drag source hears so of the
    // control it drags over.
    void FreeNotification(Control& watcher) { freeNotify_.Add(watcher.freeNotify_); }
    void RemoveFreeNotification(Control& watcher) { freeNotify_.Remove(watcher.freeNotify_); }

    // Called once the control's properties are all set up.
    virtual void Loaded() {}

    // Whether the mouse passes through the control to whatever lies below it (a hint).
    virtual bool TransparentToMouse() const { return false; }

    // A dialog character (a letter typed with Alt): the control acts on it when it is its
    // accelerator (a control's caption marks it with "&"); true when it was used up.
    virtual bool DialogChar(char32_t /*key*/) { return false; }
    // A dialog character typed in the control's window: the control and then its children
    // that are visible, in order, are offered it until one uses it; true when one did. A
    // hidden control and its children are not offered it.
    bool HostDialogChar(char32_t key);

    // Whether the arrow keys and Tab reach KeyDown instead of moving the focus (Shift+Tab
    // moves it back whatever the control wants).
    virtual bool WantsArrowKeys() const { return false; }
    virtual bool WantsTabKey() const { return false; }

    // What the control asks of the window system's input methods; none by default.
    virtual InputMethodHints InputMethod() const { return 0; }
    // Tells the host what InputMethod answers now (after a change, or on taking the keys).
    void UpdateInputMethod()
    {
        if (host_)
            host_->ApplyInputMethod(InputMethod());
    }

    // Entry points for the host (or a test standing in for it).
    void AttachHost(ControlHost* host);
    ControlHost* Host() const { return host_; }
    void HostPaint(Canvas& canvas);
    void HostMouseDown(MouseButton button, ShiftState shift, int32_t x, int32_t y);
    void HostDoubleClick(MouseButton button, ShiftState shift, int32_t x, int32_t y);
    void HostMouseMove(ShiftState shift, int32_t x, int32_t y);
    void HostMouseUp(MouseButton button, ShiftState shift, int32_t x, int32_t y);
    void HostMouseEnter();
    void HostMouseLeave();
    bool HostMouseWheel(ShiftState shift, int32_t wheelDelta, Point mousePos);
    void HostKeyDown(KeyCode& key, ShiftState shift);
    void HostKeyUp(KeyCode& key, ShiftState shift);
    void HostKeyPress(char32_t& key);
    void HostFocusChanged(bool focused);
    // The window the control lies in became the active one, or stopped being it.
    void HostActivationChanged(bool active);
    // The window lost the mouse: a drag in progress is cancelled.
    void HostCaptureLost()
    {
        mouseCapture_ = false;
        EndDrag(false);
    }

    MouseEvent OnMouseDown;
    MouseMoveEvent OnMouseMove;
    MouseEvent OnMouseUp;
    NotifyEvent OnMouseEnter;
    NotifyEvent OnMouseLeave;
    MouseWheelEvent OnMouseWheel;
    MouseWheelUpDownEvent OnMouseWheelDown;
    MouseWheelUpDownEvent OnMouseWheelUp;
    NotifyEvent OnClick;
    NotifyEvent OnDblClick;
    KeyEvent OnKeyDown;
    KeyEvent OnKeyUp;
    KeyPressEvent OnKeyPress;
    NotifyEvent OnEnter;
    NotifyEvent OnExit;
    NotifyEvent OnResize;
    // OnStartDrag and OnEndDrag for a drag, OnStartDock and OnEndDock for a dock drag.
    NotifyEvent OnStartDrag;
    TDragOverEvent OnDragOver;
    TDragDropEvent OnDragDrop;
    TEndDragEvent OnEndDrag;
    NotifyEvent OnStartDock;
    TEndDragEvent OnEndDock;

protected:
    // Default: fills the control with its colour.
    virtual void Paint(Canvas& canvas);
    virtual void MouseDown(MouseButton button, ShiftState shift, int32_t x, int32_t y);
    virtual void MouseMove(ShiftState shift, int32_t x, int32_t y);
    virtual void MouseUp(MouseButton button, ShiftState shift, int32_t x, int32_t y);
    virtual void MouseEnter();
    virtual void MouseLeave();
    // OnMouseWheel first; when that leaves it unhandled, OnMouseWheelDown or OnMouseWheelUp.
    virtual bool DoMouseWheel(ShiftState shift, int32_t wheelDelta, Point mousePos);
    virtual void Click();
    virtual void DblClick();
    virtual void KeyDown(KeyCode& key, ShiftState shift);
    virtual void KeyUp(KeyCode& key, ShiftState shift);
    virtual void KeyPress(char32_t& key);
    virtual void DoEnter();
    virtual void DoExit();
    virtual void Resize();
    // After SetEnabled stored a change.
    virtual void EnabledChanged() {}
    // The size the control wants when AutoSize is on; false leaves the size alone. The
    // base fits the control around its children that are placed by hand and anchored to
    // its left and top edges; without such children it leaves the size alone.
    virtual bool CanAutoSize(int32_t& newWidth, int32_t& newHeight);
    // A left press with DragMode automatic: a drag that begins once the mouse moves.
    virtual void BeginAutoDrag();
    // The drag began: OnStartDrag, or OnStartDock for a dock drag.
    virtual void DoStartDrag();
    // Whether the control takes what Source drags: false without OnDragOver, else what
    // OnDragOver leaves in Accept, which starts true.
    virtual void DragOver(TObject* source, int32_t x, int32_t y, TDragOverState state, bool& accept);
    // Fires OnDragDrop.
    virtual void DragDrop(TObject* source, int32_t x, int32_t y);
    // The drag ended: OnEndDrag, or OnEndDock for a dock drag.
    virtual void DoEndDrag(Control* target, int32_t x, int32_t y);
    // The source's view of the mouse during its drag, in its own coordinates, after the
    // control under it has been asked.
    virtual void DragMoved(int32_t /*x*/, int32_t /*y*/) {}
    // After the reading order changed; repaints.
    virtual void BiDiModeChanged() { Invalidate(); }
    // After the colour, font or 3-D look in use changed (the control's own, or its parent's
    // while it takes that); each repaints.
    virtual void ColorChanged() { Invalidate(); }
    virtual void FontChanged() { Invalidate(); }
    virtual void Ctl3DChanged() { Invalidate(); }
    // Whether the control may take the new size: fires OnCanResize.
    virtual bool CanResize(int32_t& newWidth, int32_t& newHeight);
    // OnContextPopup, then PopupMenu unless handled; Handled is true when either acted.
    virtual void ContextPopup(Point mousePos, bool& handled);
    // After the control handled an input its host delivered (none arrives while it is
    // disabled, nor what a running drag takes), and after the focus or its window's
    // activation changed.
    virtual void InputHandled(const InputMessage& /*message*/) {}
    // `gone`, which this control asked to hear of (FreeNotification), is being destroyed:
    // only its Control part is left.
    virtual void Notification(Control& /*gone*/) {}
    // The setters' rule: a changed value is stored and repainted.
    template <class T>
    void StoreAndRepaint(T& field, const T& value)
    {
        if (field == value)
            return;
        field = value;
        Invalidate();
    }

private:
    friend class ChildControls;
    friend void AlignControls(std::span<Control* const>, const Rect&, const Rect&, const Control*);

    struct DragState {
        DragState() {} // declared, so that the optional below can make one in every compiler
        bool active = false; // false: waiting for the mouse to pass the threshold
        int32_t threshold = 0;
        Point start;           // where the press was, the control's coordinates
        Point mouse;           // the mouse now, the control's coordinates
        Control* target = nullptr;
        Point targetPoint;     // the mouse in the target's coordinates
        bool accepted = false;
    };
    void StartDragNow();
    void DragMouseTo(Point point);
    // Takes the control out of the drags it is part of; a drag it runs is cancelled, and
    // quietly (no event, no host asked) while the control is being destroyed.
    void LeaveDrags(bool quietly);
    // The control this one drags over goes, or leaves its window: the drag goes on over nothing.
    void LoseDragTarget(const Control& target);
    // The drag has no target any more, nor hears of the one it had.
    void ForgetDragTarget();

    ControlHost* host_ = nullptr;
    Rect bounds_;
    CanvasColor color_ = 0xF0F0F0; // the usual face colour of buttons and panels
    CursorId cursor_ = cursor::Default;
    CursorId shownCursor_ = cursor::Default;
    bool visible_ = true;
    bool enabled_ = true;
    bool tabStop_ = false;
    bool autoSize_ = false;
    bool focused_ = false;
    bool mouseCapture_ = false;
    bool leftPressedInside_ = false; // a left press that a release inside turns into a click
    Point pressPoint_;               // where the last left press was
    TAlign align_ = alNone;
    TAnchors anchors_ = akLeft | akTop;
    bool aligning_ = false;      // the parent's layout is placing the control
    bool anchorKnown_ = false;   // the place the anchors count from is known
    Rect anchorOrigin_;          // the bounds the control was given...
    Rect anchorParent_;          // ...in this client area of the parent
    std::vector<ChildControls*> childSets_; // the sets of children shown inside this control
    TDragMode dragMode_ = dmManual;
    TDragKind dragKind_ = dkDrag;
    CursorId dragCursor_ = cursor::Drag;
    std::optional<DragState> drag_;
    FreeNotifyLinks<Control> freeNotify_{*this};
    TBiDiMode biDiMode_ = bdLeftToRight;
    bool parentBiDiMode_ = true;

    // ---- Taken from the parent, hints, size limits, tab order, context menu ----
    enum Inherited : uint8_t { kColor = 1, kFont = 2, kCtl3D = 4, kAllInherited = kColor | kFont | kCtl3D };
    // Runs the change hooks for the values in `changed` the control takes from its parent,
    // and passes them on to its children.
    void InheritedChanged(uint8_t changed);
    // Stores an own value or a Parent... flag through `store`; when what `read` gives
    // changes, the change hooks run and the children hear of it.
    template <class Read, class Store>
    void UpdateInherited(Read read, Store store, Inherited kind)
    {
        const auto before = read();
        store();
        if (read() != before)
            InheritedChanged(kind);
    }
    void TellChildren(uint8_t changed);
    // The values in Inherited that the control takes from its parent now.
    uint8_t TakenFromParent() const;
    // OnCanResize and the constraints; false when the resize is refused.
    bool CheckNewSize(int32_t& width, int32_t& height);
    std::vector<Control*> TabStops() const; // the control itself when a tab stop, then its children
    void FocusTabStop(Control* stop);
    void EndHints(); // a key or button was pressed: no hint here nor in the children

    bool parentColor_ = false;
    FontSpec font_;
    bool parentFont_ = true;
    bool ctl3D_ = true;
    bool parentCtl3D_ = true;
    std::string hint_;
    bool showHint_ = false;
    bool parentShowHint_ = true;
    TSizeConstraints constraints_;
    int32_t tabOrder_ = -1; // -1: never placed
    TPopupMenu* popupMenu_ = nullptr;
    ControlHint hintState_{*this}; // declared last: goes first, while the host is still known
};

} // namespace platform
