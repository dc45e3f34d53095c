#include "graphics/Layers32.h"

#include "graphics/LowLevel32.h"
#include "graphics/Transforms32.h"
#include "platform/Exception.h"

#include <algorithm>
#include <cmath>

namespace {

TLayerStates LayerStateOf(platform::MouseButton Button)
{
    switch (Button) {
    case platform::MouseButton::Left:
        return lsMouseLeft;
    case platform::MouseButton::Right:
        return lsMouseRight;
    case platform::MouseButton::Middle:
        return lsMouseMiddle;
    }
    return 0;
}

constexpr uint32_t MOUSE_ROUTING_MASK = loMouseEvents;

void EraseOnce(std::vector<TCustomLayer*>& list, const TCustomLayer* layer)
{
    auto it = std::find(list.begin(), list.end(), layer);
    if (it != list.end())
        list.erase(it);
}

} // namespace

// ---- TLayerCollection ----

TLayerCollection::TLayerCollection(platform::Control* Owner) : owner_(Owner) {}

TLayerCollection::~TLayerCollection()
{
    updateCount_ = 1; // nobody is told about the layers going away
    Clear();
}

void TLayerCollection::Delete(int32_t Index)
{
    delete Items(Index);
}

void TLayerCollection::Clear()
{
    BeginUpdate();
    while (!items_.empty())
        delete items_.back();
    EndUpdate();
}

TCustomLayer* TLayerCollection::Items(int32_t Index) const
{
    if (Index < 0 || Index >= Count())
        throw EListError::IndexOutOfBounds(Index);
    return items_[size_t(Index)];
}

void TLayerCollection::SetItem(int32_t Index, const TCustomLayer* Value)
{
    Items(Index)->Assign(Value);
}

void TLayerCollection::Assign(const TPersistent* Source)
{
    auto* source = dynamic_cast<const TLayerCollection*>(Source);
    if (!source)
        return TPersistent::Assign(Source);
    if (source == this)
        return;
    BeginUpdate();
    while (!items_.empty())
        delete items_.back();
    for (const TCustomLayer* layer : source->items_)
        layer->CreateAnother(this)->Assign(layer);
    EndUpdate();
}

void TLayerCollection::BeginUpdate()
{
    if (updateCount_ == 0)
        Changing();
    ++updateCount_;
}

void TLayerCollection::EndUpdate()
{
    if (updateCount_ <= 0)
        throw EAssertionFailed("Unpaired EndUpdate");
    if (--updateCount_ == 0)
        Changed();
}

void TLayerCollection::Changed()
{
    if (OnChange)
        OnChange(this);
}

void TLayerCollection::Changing()
{
    if (OnChanging)
        OnChanging(this);
}

void TLayerCollection::GDIUpdate()
{
    if (updateCount_ == 0 && OnGDIUpdate)
        OnGDIUpdate(this);
}

TCustomLayer* TLayerCollection::FindLayerAtPos(int32_t X, int32_t Y, uint32_t OptionsMask) const
{
    for (auto it = items_.rbegin(); it != items_.rend(); ++it)
        if (((*it)->LayerOptions() & OptionsMask) && (*it)->HitTest(X, Y))
            return *it;
    return nullptr;
}

TCustomLayer* TLayerCollection::MouseDown(platform::MouseButton Button, platform::ShiftState Shift, int32_t X,
                                          int32_t Y)
{
    TCustomLayer* layer = mouseListener_ ? mouseListener_ : FindLayerAtPos(X, Y, MOUSE_ROUTING_MASK);
    if (Button == platform::MouseButton::Left && layer != mouseListener_ &&
        (!layer || !(layer->LayerOptions() & loNoCapture)))
        SetMouseListener(layer);
    if (mouseListener_) {
        mouseListener_->layerStates_ |= LayerStateOf(Button);
        mouseListener_->MouseDown(Button, Shift, X, Y);
    }
    return layer;
}

TCustomLayer* TLayerCollection::MouseMove(platform::ShiftState Shift, int32_t X, int32_t Y)
{
    TCustomLayer* layer = mouseListener_ ? mouseListener_ : FindLayerAtPos(X, Y, MOUSE_ROUTING_MASK);
    if (layer)
        layer->MouseMove(Shift, X, Y);
    else
        ShowCursor(platform::cursor::Default);
    return layer;
}

TCustomLayer* TLayerCollection::MouseUp(platform::MouseButton Button, platform::ShiftState Shift, int32_t X,
                                        int32_t Y)
{
    TCustomLayer* layer = mouseListener_ ? mouseListener_ : FindLayerAtPos(X, Y, MOUSE_ROUTING_MASK);
    if (layer) {
        layer->layerStates_ &= TLayerStates(~LayerStateOf(Button));
        layer->MouseUp(Button, Shift, X, Y);
    }
    // The handler may have dropped or destroyed the listener; look again.
    if (mouseListener_ && (mouseListener_->layerStates_ & (lsMouseLeft | lsMouseRight | lsMouseMiddle)) == 0)
        SetMouseListener(nullptr);
    return layer;
}

void TLayerCollection::SetMouseEvents(bool Value)
{
    mouseEvents_ = Value;
    SetMouseListener(nullptr);
}

void TLayerCollection::SetMouseListener(TCustomLayer* Value)
{
    if (Value == mouseListener_)
        return;
    if (mouseListener_)
        mouseListener_->layerStates_ &= TLayerStates(~(lsMouseLeft | lsMouseRight | lsMouseMiddle));
    mouseListener_ = Value;
}

void TLayerCollection::ShowCursor(platform::CursorId Cursor) const
{
    if (owner_)
        owner_->ShowCursor(Cursor);
}

void TLayerCollection::InsertItem(TCustomLayer* Item)
{
    BeginUpdate();
    items_.push_back(Item);
    Item->layerCollection_ = this;
    EndUpdate();
}

void TLayerCollection::RemoveItem(TCustomLayer* Item)
{
    BeginUpdate();
    // A layer that leaves no longer holds the mouse here.
    if (mouseListener_ == Item)
        SetMouseListener(nullptr);
    EraseOnce(items_, Item);
    Item->layerCollection_ = nullptr;
    EndUpdate();
}

void TLayerCollection::MoveItem(int32_t From, int32_t To)
{
    TCustomLayer* item = items_[size_t(From)];
    items_.erase(items_.begin() + From);
    items_.insert(items_.begin() + To, item);
}

// ---- TCustomLayer ----

TCustomLayer::TCustomLayer(TLayerCollection* LayerCollection)
{
    SetLayerCollection(LayerCollection);
}

void TCustomLayer::operator delete(TCustomLayer* Layer, std::destroying_delete_t)
{
    Layer->BeforeDestruction();
    void* whole = dynamic_cast<void*>(Layer); // the start of the most derived object
    Layer->~TCustomLayer();
    ::operator delete(whole);
}

void TCustomLayer::BeforeDestruction()
{
    if (destroying_)
        return;
    destroying_ = true;
    if (OnDestroy)
        OnDestroy(this);
}

TCustomLayer::~TCustomLayer()
{
    BeforeDestruction();
    freeNotify_.OwnerGoing([this](TCustomLayer& layer) { layer.Notification(this); });
    SetLayerCollection(nullptr);
}

TCustomLayer* TCustomLayer::CreateAnother(TLayerCollection* LayerCollection) const
{
    return new TCustomLayer(LayerCollection);
}

void TCustomLayer::Assign(const TPersistent* Source)
{
    auto* source = dynamic_cast<const TCustomLayer*>(Source);
    if (!source)
        return TPersistent::Assign(Source);
    Changing();
    cursor_ = source->cursor_;
    layerOptions_ = source->layerOptions_;
    Tag = source->Tag;
    Changed();
}

void TCustomLayer::SetCursor(platform::CursorId Value)
{
    cursor_ = Value;
    if (layerCollection_ && layerCollection_->MouseListener() == this)
        layerCollection_->ShowCursor(Value);
}

void TCustomLayer::SetLayerCollection(TLayerCollection* Value)
{
    if (Value == layerCollection_)
        return;
    if (layerCollection_)
        layerCollection_->RemoveItem(this); // also drops it as the mouse listener
    if (Value)
        Value->InsertItem(this);
}

void TCustomLayer::SetLayerOptions(uint32_t Value)
{
    const bool wasVisible = Visible();
    Changing();
    layerOptions_ = Value;
    // A layer that has just been hidden must still disappear from the picture.
    if (wasVisible && !Visible() && layerCollection_ && !(layerOptions_ & loNoUpdate))
        layerCollection_->Changed();
    else
        Changed();
}

void TCustomLayer::SetVisible(bool Value)
{
    SetLayerOptions(Value ? layerOptions_ | loVisible : layerOptions_ & ~loVisible);
}

void TCustomLayer::SetMouseEvents(bool Value)
{
    SetLayerOptions(Value ? layerOptions_ | loMouseEvents : layerOptions_ & ~loMouseEvents);
}

int32_t TCustomLayer::Index() const
{
    if (!layerCollection_)
        return -1;
    const auto& items = layerCollection_->items_;
    return int32_t(std::find(items.begin(), items.end(), this) - items.begin());
}

void TCustomLayer::SetIndex(int32_t Value)
{
    if (!layerCollection_)
        return;
    const int32_t current = Index();
    if (Value == current)
        return;
    Value = std::clamp(Value, 0, layerCollection_->Count() - 1);
    if (Value == current)
        return;
    // Only a visible layer's move changes the picture.
    const bool visible = Visible();
    if (visible)
        layerCollection_->BeginUpdate();
    layerCollection_->MoveItem(current, Value);
    if (visible)
        layerCollection_->EndUpdate();
}

void TCustomLayer::BringToFront()
{
    if (layerCollection_)
        SetIndex(layerCollection_->Count());
}

void TCustomLayer::SendToBack()
{
    SetIndex(0);
}

void TCustomLayer::SetAsMouseListener()
{
    if (!layerCollection_)
        return;
    layerCollection_->SetMouseListener(this);
    layerCollection_->ShowCursor(cursor_);
}

void TCustomLayer::AddNotification(TCustomLayer* Layer)
{
    freeNotify_.Add(Layer->freeNotify_);
}

void TCustomLayer::RemoveNotification(TCustomLayer* Layer)
{
    freeNotify_.Remove(Layer->freeNotify_);
}

void TCustomLayer::Notification(TCustomLayer*) {}

bool TCustomLayer::HitTest(int32_t X, int32_t Y)
{
    bool passed = DoHitTest(X, Y);
    if (OnHitTest)
        OnHitTest(this, X, Y, passed);
    return passed;
}

bool TCustomLayer::DoHitTest(int32_t, int32_t)
{
    return true;
}

void TCustomLayer::DoPaint(TBitmap32* Buffer)
{
    Paint(Buffer);
    if (OnPaint)
        OnPaint(this, Buffer);
}

void TCustomLayer::Paint(TBitmap32*) {}

void TCustomLayer::PaintGDI(platform::Canvas&) {}

void TCustomLayer::MouseDown(platform::MouseButton Button, platform::ShiftState Shift, int32_t X, int32_t Y)
{
    if (OnMouseDown)
        OnMouseDown(this, Button, Shift, X, Y);
}

void TCustomLayer::MouseMove(platform::ShiftState Shift, int32_t X, int32_t Y)
{
    if (layerCollection_)
        layerCollection_->ShowCursor(cursor_);
    if (OnMouseMove)
        OnMouseMove(this, Shift, X, Y);
}

void TCustomLayer::MouseUp(platform::MouseButton Button, platform::ShiftState Shift, int32_t X, int32_t Y)
{
    if (layerCollection_)
        layerCollection_->ShowCursor(platform::cursor::Default);
    if (OnMouseUp)
        OnMouseUp(this, Button, Shift, X, Y);
}

void TCustomLayer::Changing()
{
    if (Visible() && layerCollection_ && !(layerOptions_ & loNoUpdate))
        layerCollection_->Changing();
}

void TCustomLayer::Changed()
{
    if (!layerCollection_ || (layerOptions_ & loNoUpdate))
        return;
    if (Visible())
        layerCollection_->Changed();
    else if (layerOptions_ & loGDIOverlay)
        layerCollection_->GDIUpdate();
}

// ---- TPositionedLayer ----

TPositionedLayer::TPositionedLayer(TLayerCollection* LayerCollection) : TCustomLayer(LayerCollection)
{
    SetLayerOptions(loVisible | loMouseEvents);
}

TCustomLayer* TPositionedLayer::CreateAnother(TLayerCollection* LayerCollection) const
{
    return new TPositionedLayer(LayerCollection);
}

void TPositionedLayer::Assign(const TPersistent* Source)
{
    TCustomLayer::Assign(Source);
    if (auto* source = dynamic_cast<const TPositionedLayer*>(Source)) {
        SetScaled(source->scaled_);
        SetLocation(source->location_);
    }
}

void TPositionedLayer::SetLocation(const TFloatRect& Value)
{
    Changing();
    DoSetLocation(Value);
    Changed();
}

void TPositionedLayer::DoSetLocation(const TFloatRect& NewLocation)
{
    location_ = NewLocation;
}

void TPositionedLayer::SetScaled(bool Value)
{
    if (Value == scaled_)
        return;
    Changing();
    scaled_ = Value;
    Changed();
}

TFloatRect TPositionedLayer::GetAdjustedLocation() const
{
    TLayerView* view = LayerCollection() ? LayerCollection()->View() : nullptr;
    if (!scaled_ || !view)
        return location_;
    const TCoordTransform& t = view->LayerCoordTransform();
    const float sx = float(t.ScaleX) / 65536.0f, sy = float(t.ScaleY) / 65536.0f;
    return TFloatRect{location_.Left * sx + float(t.ShiftX), location_.Top * sy + float(t.ShiftY),
                      location_.Right * sx + float(t.ShiftX), location_.Bottom * sy + float(t.ShiftY)};
}

bool TPositionedLayer::DoHitTest(int32_t X, int32_t Y)
{
    const TFloatRect r = GetAdjustedLocation();
    return r.Left <= float(X) && float(X) < r.Right && r.Top <= float(Y) && float(Y) < r.Bottom;
}

// ---- TBitmapLayer ----

TBitmapLayer::TBitmapLayer(TLayerCollection* LayerCollection)
    : TPositionedLayer(LayerCollection), bitmap_(std::make_unique<TBitmap32>())
{
    bitmap_->OnChange = [this](TObject*) { Changed(); };
}

TBitmapLayer::~TBitmapLayer()
{
    bitmap_->OnChange = nullptr;
}

TCustomLayer* TBitmapLayer::CreateAnother(TLayerCollection* LayerCollection) const
{
    return new TBitmapLayer(LayerCollection);
}

void TBitmapLayer::Assign(const TPersistent* Source)
{
    TPositionedLayer::Assign(Source);
    if (auto* source = dynamic_cast<const TBitmapLayer*>(Source)) {
        AlphaHit = source->AlphaHit;
        SetCropped(source->cropped_);
        SetBitmap(source->bitmap_.get());
    }
}

void TBitmapLayer::SetBitmap(const TBitmap32* Value)
{
    bitmap_->Assign(Value);
}

void TBitmapLayer::SetCropped(bool Value)
{
    if (Value == cropped_)
        return;
    cropped_ = Value;
    Changed();
}

bool TBitmapLayer::DoHitTest(int32_t X, int32_t Y)
{
    if (!TPositionedLayer::DoHitTest(X, Y))
        return false;
    if (!AlphaHit)
        return true;
    const TFloatRect r = GetAdjustedLocation();
    // In double precision, so that a layer reaching far away still finds its pixels.
    const double w = std::nearbyint(double(r.Right) - r.Left), h = std::nearbyint(double(r.Bottom) - r.Top);
    if (!(w >= 1 && h >= 1))
        return false;
    // Floor keeps the pixel under the mouse: rounding would pick the next one from its middle on.
    const int32_t bx = RoundSaturated(std::floor((double(X) - r.Left) * bitmap_->Width() / w));
    const int32_t by = RoundSaturated(std::floor((double(Y) - r.Top) * bitmap_->Height() / h));
    return (bitmap_->GetPixelS(bx, by) >> 24) != 0;
}

void TBitmapLayer::Paint(TBitmap32* Buffer)
{
    if (bitmap_->Empty())
        return;
    TLayerView* view = LayerCollection() ? LayerCollection()->View() : nullptr;
    const TPoint origin = view ? view->LayerPaintOrigin() : TPoint{0, 0};
    // Moved in 64 bits, so that a far location saturates instead of wrapping.
    const TRect r = MakeRect(GetAdjustedLocation(), rrClosest);
    auto moved = [](int32_t edge, int32_t by) { return RoundSaturated(double(edge) - by); };
    const TRect dstRect{moved(r.Left, origin.X), moved(r.Top, origin.Y), moved(r.Right, origin.X),
                        moved(r.Bottom, origin.Y)};
    const TRect srcRect{0, 0, bitmap_->Width(), bitmap_->Height()};
    TRect clipRect{0, 0, Buffer->Width(), Buffer->Height()};
    if (cropped_ && view) {
        if (std::optional<TRect> crop = view->LayerCropRect()) {
            if (IsRectEmpty(dstRect))
                return;
            IntersectRect(clipRect, clipRect, *crop);
        }
    }
    StretchTransfer(Buffer, dstRect, clipRect, bitmap_.get(), srcRect, bitmap_->StretchFilter(), bitmap_->DrawMode(),
                    bitmap_->OnPixelCombine);
}
