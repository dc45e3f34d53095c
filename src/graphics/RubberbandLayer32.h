#pragma once
// A positioned layer that the user moves and resizes with the mouse: a stippled frame
// with square handles at its corners and side midpoints. It may carry a child layer
// (not owned) whose location follows its own.
#include "graphics/Layers32.h"

#include <cstdint>
#include <functional>

// What a press started: nothing, a move, or the edge or corner being resized.
enum TDragState : uint8_t {
    dsNone = 0,
    dsMove = 1,
    dsSizeL = 2,
    dsSizeT = 3,
    dsSizeR = 4,
    dsSizeB = 5,
    dsSizeTL = 6,
    dsSizeTR = 7,
    dsSizeBL = 8,
    dsSizeBR = 9
};

// Which parts of the rubber band react and show, as bits.
using TRBHandles = uint8_t;
constexpr TRBHandles rhCenter = 1;  // a press inside moves it
constexpr TRBHandles rhSides = 2;   // handles at the side midpoints
constexpr TRBHandles rhCorners = 4; // handles at the corners
constexpr TRBHandles rhFrame = 8;   // the stippled outline is drawn
constexpr TRBHandles rhAll = rhCenter | rhSides | rhCorners | rhFrame;

// Called before a drag step is applied; the handler may change NewLocation.
using TRBResizingEvent = std::function<void(TObject* Sender, const TFloatRect& OldLocation, TFloatRect& NewLocation,
                                            TDragState DragState, platform::ShiftState Shift)>;

class TRubberbandLayer : public TPositionedLayer {
public:
    explicit TRubberbandLayer(TLayerCollection* LayerCollection);
    const char* ClassName() const override { return "TRubberbandLayer"; }
    TCustomLayer* CreateAnother(TLayerCollection* LayerCollection) const override;
    // Copies the handle look and the size limits as well; the child link is not copied.
    void Assign(const TPersistent* Source) override;

    // The layer that follows this one's location, or null. Taking a child takes its
    // Location and Scaled; while there is a child this layer's own changes notify nobody
    // (the child's do).
    TPositionedLayer* ChildLayer() const { return childLayer_; }
    void SetChildLayer(TPositionedLayer* Value);

    // Handle colours are written into the buffer as they are, alpha included.
    TColor32 HandleFill() const { return handleFill_; }
    void SetHandleFill(TColor32 Value);
    TColor32 HandleFrame() const { return handleFrame_; }
    void SetHandleFrame(TColor32 Value);
    TRBHandles Handles() const { return handles_; }
    void SetHandles(TRBHandles Value);
    // Half the handle's side in pixels; at least 1.
    int32_t HandleSize() const { return handleSize_; }
    void SetHandleSize(int32_t Value);

    // Size limits of a resize, in Location units. A maximum below its minimum means
    // there is no maximum.
    float MinWidth = 10;
    float MaxHeight = 0;
    float MinHeight = 10;
    float MaxWidth = 0;

    bool IsDragging() const { return isDragging_; }
    TDragState DragState() const { return dragState_; }

    void MouseDown(platform::MouseButton Button, platform::ShiftState Shift, int32_t X, int32_t Y) override;
    void MouseMove(platform::ShiftState Shift, int32_t X, int32_t Y) override;
    void MouseUp(platform::MouseButton Button, platform::ShiftState Shift, int32_t X, int32_t Y) override;

    // Fired after a drag step changed Location.
    TNotifyEvent OnUserChange;
    TRBResizingEvent OnResizing;

protected:
    virtual void DoResizing(const TFloatRect& OldLocation, TFloatRect& NewLocation, TDragState DragState,
                            platform::ShiftState Shift);
    // What a press at control point (X, Y) would start.
    virtual TDragState GetDragState(int32_t X, int32_t Y);

    bool DoHitTest(int32_t X, int32_t Y) override;
    void Notification(TCustomLayer* Layer) override;
    void Paint(TBitmap32* Buffer) override;
    void DoSetLocation(const TFloatRect& NewLocation) override;

private:
    // The adjusted location as whole pixels with the right and bottom edges on the last
    // pixel inside: the lines that the handles sit on.
    TRect HandleRect() const;
    // The rectangle a drag to (Mx, My), in Location units, makes of the old location.
    TFloatRect DraggedRect(float Mx, float My) const;
    void UpdateNoUpdateBit();
    // Stores a changed handle setting and repaints the band: the handles are drawn into
    // the control's buffer, so showing the buffer again would still show the old ones. A
    // band with a child repaints too, although its own changes otherwise notify nobody.
    template <class T>
    void StoreAndRepaint(T& Field, T Value);

    TPositionedLayer* childLayer_ = nullptr;
    TColor32 handleFrame_ = 0x00000000;
    TColor32 handleFill_ = 0x00FFFFFF;
    TRBHandles handles_ = rhAll;
    int32_t handleSize_ = 3;

    bool isDragging_ = false;
    TDragState dragState_ = dsNone;
    TFloatRect oldLocation_{};
    TFloatPoint mouseShift_{};
};
