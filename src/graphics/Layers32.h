#pragma once
// Layers: overlays that an image control paints over its bitmap, in a collection
// ordered bottom (index 0) to top. Layers can be hit-tested, receive the mouse and
// hold it. Plain C++: a collection works without a control or a window.
#include "graphics/Bitmap32.h"
#include "platform/Canvas.h"
#include "platform/Control.h"
#include "platform/FreeNotifyLinks.h"
#include "platform/Input.h"
#include "platform/Persistent.h"

#include <cstdint>
#include <functional>
#include <new>
#include <optional>
#include <vector>

// Layer option bits (LayerOptions).
constexpr uint32_t loVisible = 0x80000000;     // painted by the default layer stage; changes repaint
constexpr uint32_t loGDIOverlay = 0x40000000; // draws on the window after each paint
constexpr uint32_t loMouseEvents = 0x20000000; // can be found under the mouse
constexpr uint32_t loNoUpdate = 0x10000000;   // changes notify nobody
constexpr uint32_t loNoCapture = 0x08000000;  // a left press does not make it hold the mouse

// The mouse buttons held on the layer that holds the mouse, as bits.
using TLayerStates = uint8_t;
constexpr TLayerStates lsMouseLeft = 1;
constexpr TLayerStates lsMouseRight = 2;
constexpr TLayerStates lsMouseMiddle = 4;

// Bitmap to control: control = bitmap * Scale / 65536 + Shift; control to bitmap:
// bitmap = (control - Shift) * RevScale / 65536. Scales are 16.16 fixed point.
struct TCoordTransform {
    int32_t ScaleX = 65536;
    int32_t ScaleY = 65536;
    int32_t ShiftX = 0;
    int32_t ShiftY = 0;
    int32_t RevScaleX = 65536;
    int32_t RevScaleY = 65536;
    friend bool operator==(const TCoordTransform&, const TCoordTransform&) = default;
};

// What the layers need from the control that shows them (the image control).
class TLayerView {
public:
    virtual ~TLayerView() = default;
    // The current bitmap-to-control transform (brought up to date first).
    virtual const TCoordTransform& LayerCoordTransform() = 0;
    // The control point that lands on the paint buffer's (0, 0) while layers paint.
    virtual TPoint LayerPaintOrigin() const = 0;
    // The bitmap's rectangle in buffer coordinates, to which cropped layers are clipped;
    // none while the picture is rendered elsewhere.
    virtual std::optional<TRect> LayerCropRect() = 0;
};

class TCustomLayer;

using TLayerMouseEvent =
    std::function<void(TObject* Sender, platform::MouseButton Button, platform::ShiftState Shift, int32_t X, int32_t Y)>;
using TLayerMouseMoveEvent = std::function<void(TObject* Sender, platform::ShiftState Shift, int32_t X, int32_t Y)>;
using THitTestEvent = std::function<void(TObject* Sender, int32_t X, int32_t Y, bool& Passed)>;
using TPaintLayerEvent = std::function<void(TObject* Sender, TBitmap32* Buffer)>;

class TLayerCollection : public TPersistent {
public:
    // Owner is the control that shows the layers (its cursor is shown when no layer
    // is under the mouse); it may be null.
    explicit TLayerCollection(platform::Control* Owner = nullptr);
    ~TLayerCollection() override;
    TLayerCollection(const TLayerCollection&) = delete;
    TLayerCollection& operator=(const TLayerCollection&) = delete;
    const char* ClassName() const override { return "TLayerCollection"; }

    // A new layer of class T on top; the collection owns it.
    template <class T, class... Args>
    T* Add(Args&&... args)
    {
        return new T(this, std::forward<Args>(args)...);
    }
    // A new layer of class T moved to Index.
    template <class T>
    T* Insert(int32_t Index)
    {
        BeginUpdate();
        T* layer = Add<T>();
        layer->SetIndex(Index);
        EndUpdate();
        return layer;
    }
    void Delete(int32_t Index);
    void Clear();
    int32_t Count() const { return int32_t(items_.size()); }
    // Raises EListError for an index outside the collection.
    TCustomLayer* Items(int32_t Index) const;
    // Copies Value's properties into the layer at Index.
    void SetItem(int32_t Index, const TCustomLayer* Value);
    // From another collection: all layers replaced by copies of the source's.
    void Assign(const TPersistent* Source) override;

    void BeginUpdate();
    // Raises EAssertionFailed "Unpaired EndUpdate" without a matching BeginUpdate.
    void EndUpdate();
    void Changed();
    void Changing();
    void GDIUpdate();

    // The topmost layer sharing a bit with OptionsMask whose hit test passes at (X, Y).
    TCustomLayer* FindLayerAtPos(int32_t X, int32_t Y, uint32_t OptionsMask) const;
    // Mouse events in control coordinates; each returns the layer concerned or null.
    TCustomLayer* MouseDown(platform::MouseButton Button, platform::ShiftState Shift, int32_t X, int32_t Y);
    TCustomLayer* MouseMove(platform::ShiftState Shift, int32_t X, int32_t Y);
    TCustomLayer* MouseUp(platform::MouseButton Button, platform::ShiftState Shift, int32_t X, int32_t Y);

    bool MouseEvents() const { return mouseEvents_; }
    void SetMouseEvents(bool Value);
    TCustomLayer* MouseListener() const { return mouseListener_; }
    void SetMouseListener(TCustomLayer* Value);

    platform::Control* Owner() const { return owner_; }
    TLayerView* View() const { return view_; }
    void SetView(TLayerView* View) { view_ = View; }
    // Shows Cursor over the owner; cursor::Default shows the owner's own.
    void ShowCursor(platform::CursorId Cursor) const;

    TNotifyEvent OnChanging;
    TNotifyEvent OnChange;
    TNotifyEvent OnGDIUpdate;

private:
    friend class TCustomLayer;
    void InsertItem(TCustomLayer* Item);
    void RemoveItem(TCustomLayer* Item);
    void MoveItem(int32_t From, int32_t To);

    TLayerView* view_ = nullptr;
    std::vector<TCustomLayer*> items_; // owned: deleted by Delete, Clear and the destructor
    bool mouseEvents_ = true;
    TCustomLayer* mouseListener_ = nullptr;
    int32_t updateCount_ = 0;
    platform::Control* owner_;
};

// The base of all layers. A layer made with a collection belongs to it and leaves it
// when destroyed; create layers with new (or Add) and destroy them with delete (or Delete).
class TCustomLayer : public TPersistent {
public:
    explicit TCustomLayer(TLayerCollection* LayerCollection);
    ~TCustomLayer() override;
    // Every delete of a layer (Delete, Clear and a collection's end included) comes here:
    // OnDestroy fires while the whole layer is still there, then the layer is destroyed.
    static void operator delete(TCustomLayer* Layer, std::destroying_delete_t);
    TCustomLayer(const TCustomLayer&) = delete;
    TCustomLayer& operator=(const TCustomLayer&) = delete;
    const char* ClassName() const override { return "TCustomLayer"; }

    // A new layer of this one's class in LayerCollection (the virtual constructor).
    virtual TCustomLayer* CreateAnother(TLayerCollection* LayerCollection) const;
    // Copies Cursor, LayerOptions and Tag (and, in subclasses, their own properties).
    void Assign(const TPersistent* Source) override;

    platform::CursorId Cursor() const { return cursor_; }
    void SetCursor(platform::CursorId Value);
    TLayerCollection* LayerCollection() const { return layerCollection_; }
    void SetLayerCollection(TLayerCollection* Value);
    TLayerStates LayerStates() const { return layerStates_; }
    uint32_t LayerOptions() const { return layerOptions_; }
    void SetLayerOptions(uint32_t Value);
    bool Visible() const { return (layerOptions_ & loVisible) != 0; }
    void SetVisible(bool Value);
    bool MouseEvents() const { return (layerOptions_ & loMouseEvents) != 0; }
    void SetMouseEvents(bool Value);
    // Position in the collection, -1 without one.
    int32_t Index() const;
    // Moves the layer to Value, limited to 0..Count - 1.
    virtual void SetIndex(int32_t Value);
    void BringToFront();
    void SendToBack();
    void SetAsMouseListener();

    // Layer will be told (Notification) when this layer is destroyed.
    void AddNotification(TCustomLayer* Layer);
    void RemoveNotification(TCustomLayer* Layer);

    bool HitTest(int32_t X, int32_t Y);
    void DoPaint(TBitmap32* Buffer);
    virtual void PaintGDI(platform::Canvas& Canvas);

    virtual void MouseDown(platform::MouseButton Button, platform::ShiftState Shift, int32_t X, int32_t Y);
    virtual void MouseMove(platform::ShiftState Shift, int32_t X, int32_t Y);
    virtual void MouseUp(platform::MouseButton Button, platform::ShiftState Shift, int32_t X, int32_t Y);

    // Free for the user; wide enough for a pointer.
    intptr_t Tag = 0;

    THitTestEvent OnHitTest;
    TLayerMouseEvent OnMouseDown;
    TLayerMouseMoveEvent OnMouseMove;
    TLayerMouseEvent OnMouseUp;
    TPaintLayerEvent OnPaint;
    // Fires before any part of the layer is destroyed (for a layer that is deleted; one
    // that goes otherwise, as a member or on the stack, fires it first thing in the
    // TCustomLayer destructor, when only that part is left).
    TNotifyEvent OnDestroy;

protected:
    void Changing();
    void Changed();
    virtual bool DoHitTest(int32_t X, int32_t Y);
    // A layer this one registered with (AddNotification) is being destroyed.
    virtual void Notification(TCustomLayer* Layer);
    virtual void Paint(TBitmap32* Buffer);

private:
    friend class TLayerCollection;
    // Fires OnDestroy, once.
    void BeforeDestruction();

    bool destroying_ = false; // OnDestroy has fired
    platform::CursorId cursor_ = platform::cursor::Default;
    platform::FreeNotifyLinks<TCustomLayer> freeNotify_{*this};
    TLayerCollection* layerCollection_ = nullptr;
    TLayerStates layerStates_ = 0;
    uint32_t layerOptions_ = loVisible;
};

// A layer with a rectangle: in control pixels, or, when Scaled, in bitmap pixels that
// follow the image control's scale and position.
class TPositionedLayer : public TCustomLayer {
public:
    explicit TPositionedLayer(TLayerCollection* LayerCollection);
    const char* ClassName() const override { return "TPositionedLayer"; }
    TCustomLayer* CreateAnother(TLayerCollection* LayerCollection) const override;
    void Assign(const TPersistent* Source) override;

    const TFloatRect& Location() const { return location_; }
    void SetLocation(const TFloatRect& Value);
    bool Scaled() const { return scaled_; }
    void SetScaled(bool Value);
    // Location in control coordinates.
    TFloatRect GetAdjustedLocation() const;

protected:
    bool DoHitTest(int32_t X, int32_t Y) override;
    virtual void DoSetLocation(const TFloatRect& NewLocation);

private:
    TFloatRect location_{0, 0, 64, 64};
    bool scaled_ = false;
};

// A positioned layer that draws its own bitmap stretched into its location.
class TBitmapLayer : public TPositionedLayer {
public:
    explicit TBitmapLayer(TLayerCollection* LayerCollection);
    ~TBitmapLayer() override;
    const char* ClassName() const override { return "TBitmapLayer"; }
    TCustomLayer* CreateAnother(TLayerCollection* LayerCollection) const override;
    void Assign(const TPersistent* Source) override;

    TBitmap32* Bitmap() const { return bitmap_.get(); }
    // Copies Value into the layer's own bitmap.
    void SetBitmap(const TBitmap32* Value);
    // Only pixels with a non-zero alpha count as hits.
    bool AlphaHit = false;
    bool Cropped() const { return cropped_; }
    void SetCropped(bool Value);

protected:
    bool DoHitTest(int32_t X, int32_t Y) override;
    void Paint(TBitmap32* Buffer) override;

private:
    std::unique_ptr<TBitmap32> bitmap_;
    bool cropped_ = false;
};
