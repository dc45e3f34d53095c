#include "graphics/Image32.h"

#include "graphics/LowLevel32.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

namespace {

// The dotted focus mark: every other pixel of the outline inverted (alpha kept), clipped to Dest.
void DrawFocusRect(TBitmap32* Dest, const TRect& R)
{
    if (R.Right <= R.Left || R.Bottom <= R.Top)
        return;
    auto invert = [Dest](int32_t x, int32_t y) {
        if (x >= 0 && y >= 0 && x < Dest->Width() && y < Dest->Height())
            *Dest->PixelPtr(x, y) ^= 0x00FFFFFF;
    };
    for (int32_t x = R.Left; x < R.Right; x += 2) {
        invert(x, R.Top);
        if (R.Bottom - 1 > R.Top)
            invert(x, R.Bottom - 1);
    }
    for (int32_t y = R.Top + 2; y < R.Bottom - 1; y += 2) {
        invert(R.Left, y);
        if (R.Right - 1 > R.Left)
            invert(R.Right - 1, y);
    }
}

TRect Offset(TRect r, int32_t dx, int32_t dy)
{
    OffsetRect(r, dx, dy);
    return r;
}

} // namespace

TCustomImage32::TCustomImage32()
    : bitmap_(std::make_unique<TBitmap32>()), layers_(std::make_unique<TLayerCollection>(this)),
      paintStages_(std::make_unique<TPaintStages>())
{
    bitmap_->OnChange = [this](TObject*) { Changed(); };
    bitmap_->OnResize = [this](TObject*) { BitmapResized(); };
    layers_->OnChange = [this](TObject*) { Changed(); };
    // A GDI-overlay layer changed: show the buffer again, it needs no repainting.
    layers_->OnGDIUpdate = [this](TObject*) { RequestRepaint(); };
    layers_->SetView(this);
    InitDefaultStages();
}

TCustomImage32::~TCustomImage32()
{
    BeginUpdate();
    paintStages_.reset();
    layers_.reset();
    bitmap_.reset();
}

void TCustomImage32::SetBitmap(const TBitmap32* Value)
{
    InvalidateCache();
    bitmap_->Assign(Value);
}

template <class T>
void TCustomImage32::ChangeLayout(T& Field, T Value)
{
    if (Value == Field)
        return;
    InvalidateCache();
    Field = Value;
    Changed();
}

void TCustomImage32::SetBitmapAlign(TBitmapAlign Value)
{
    InvalidateCache();
    bitmapAlign_ = Value;
    Changed();
}

void TCustomImage32::SetOffsetHorz(float Value)
{
    ChangeLayout(offsetHorz_, Value);
}

void TCustomImage32::SetOffsetVert(float Value)
{
    ChangeLayout(offsetVert_, Value);
}

void TCustomImage32::SetScale(float Value)
{
    if (Value < 0.001f)
        Value = 0.001f;
    if (Value == scale_)
        return;
    InvalidateCache();
    scale_ = Value;
    DoScaleChange();
    Changed();
}

void TCustomImage32::SetScaleMode(TScaleMode Value)
{
    ChangeLayout(scaleMode_, Value);
}

void TCustomImage32::SetOnPixelCombine(TPixelCombineEvent Value)
{
    bitmap_->OnPixelCombine = std::move(Value);
    Changed();
}

void TCustomImage32::BeginUpdate()
{
    ++updateCount_;
}

void TCustomImage32::EndUpdate()
{
    if (updateCount_ <= 0)
        throw EAssertionFailed("Unpaired EndUpdate call");
    --updateCount_;
}

void TCustomImage32::Changed()
{
    if (updateCount_ != 0)
        return;
    Invalidate();
    if (OnChange)
        OnChange(this);
}

void TCustomImage32::Invalidate()
{
    InvalidateCache();
    TCustomPaintBox32::Invalidate();
}

void TCustomImage32::Loaded()
{
    TCustomPaintBox32::Loaded();
    DoInitStages();
}

void TCustomImage32::DoInitStages()
{
    if (OnInitStages)
        OnInitStages(this);
}

void TCustomImage32::Resize()
{
    InvalidateCache();
    TCustomPaintBox32::Resize();
}

// Both conversions multiply in 64 bits: a 4096-pixel world at scale 8 overflows 32.
TPoint TCustomImage32::BitmapToControl(const TPoint& P)
{
    UpdateCache();
    const TCoordTransform& t = cachedTransform_;
    return TPoint{int32_t(int64_t(P.X) * t.ScaleX / 65536) + t.ShiftX,
                  int32_t(int64_t(P.Y) * t.ScaleY / 65536) + t.ShiftY};
}

TPoint TCustomImage32::ControlToBitmap(const TPoint& P)
{
    UpdateCache();
    const TCoordTransform& t = cachedTransform_;
    return TPoint{int32_t((int64_t(P.X) - t.ShiftX) * t.RevScaleX / 65536),
                  int32_t((int64_t(P.Y) - t.ShiftY) * t.RevScaleY / 65536)};
}

platform::Size TCustomImage32::GetBitmapSize() const
{
    const int32_t w = Width(), h = Height();
    if (bitmap_->Empty() || w == 0 || h == 0)
        return platform::Size{0, 0};
    const int32_t bw = bitmap_->Width(), bh = bitmap_->Height();
    platform::Size size{bw, bh};
    switch (scaleMode_) {
    case smNormal:
        break;
    case smStretch:
        size = platform::Size{w, h};
        break;
    case smResize: {
        const double mx = double(w) / bw, my = double(h) / bh;
        size = mx >= my ? platform::Size{RoundSaturated(bw * my), h} : platform::Size{w, RoundSaturated(bh * mx)};
        break;
    }
    case smScale:
        size = platform::Size{RoundSaturated(bw * double(scale_)), RoundSaturated(bh * double(scale_))};
        break;
    }
    if (size.Width < 1)
        size.Width = 0;
    if (size.Height < 1)
        size.Height = 0;
    return size;
}

TRect TCustomImage32::GetBitmapRect() const
{
    if (bitmap_->Empty())
        return TRect{0, 0, 0, 0};
    const platform::Size size = GetBitmapSize();
    TRect r{0, 0, size.Width, size.Height};
    if (bitmapAlign_ == baCenter)
        OffsetRect(r, (Width() - size.Width) / 2, (Height() - size.Height) / 2);
    else if (bitmapAlign_ == baCustom)
        OffsetRect(r, RoundSaturated(offsetHorz_), RoundSaturated(offsetVert_));
    return r;
}

namespace {

// To / From in 16.16 as MulDiv rounds it, limited to the positive 32-bit range.
int32_t ScaleFactor(int64_t To, int64_t From)
{
    const int64_t product = To * 65536;
    return int32_t(std::min<int64_t>((product + From / 2) / From, std::numeric_limits<int32_t>::max()));
}

} // namespace

// A dimension shown at no size (a tiny scale, a zero-sized control) has scale 0 that way:
// scaled layers shrink with the bitmap instead of jumping back to 1:1. Its reverse scale
// is that of one pixel.
void TCustomImage32::SetCache(const TRect& BitmapRect)
{
    cachedBitmapRect_ = BitmapRect;
    if (bitmap_->Empty()) {
        cachedTransform_ = TCoordTransform{};
        return;
    }
    const int64_t rw = std::max<int64_t>(0, int64_t(BitmapRect.Right) - BitmapRect.Left);
    const int64_t rh = std::max<int64_t>(0, int64_t(BitmapRect.Bottom) - BitmapRect.Top);
    const int32_t bw = bitmap_->Width(), bh = bitmap_->Height();
    cachedTransform_ = TCoordTransform{ScaleFactor(rw, bw),
                                       ScaleFactor(rh, bh),
                                       BitmapRect.Left,
                                       BitmapRect.Top,
                                       ScaleFactor(bw, std::max<int64_t>(rw, 1)),
                                       ScaleFactor(bh, std::max<int64_t>(rh, 1))};
}

void TCustomImage32::UpdateCache()
{
    if (cacheValid_)
        return;
    SetCache(GetBitmapRect());
    cacheValid_ = true;
}

void TCustomImage32::SetupBitmap(bool DoClear, TColor32 ClearColor)
{
    bitmap_->BeginUpdate();
    bitmap_->SetSize(Width(), Height());
    if (DoClear)
        bitmap_->Clear(ClearColor);
    bitmap_->EndUpdate();
    InvalidateCache();
    Changed();
}

void TCustomImage32::PaintTo(TBitmap32* Dest, const TRect& DestRect)
{
    SetCache(DestRect);
    cacheValid_ = true;
    renderingElsewhere_ = true;
    paintOrigin_ = TPoint{0, 0};
    for (int32_t i = 0; i < paintStages_->Count(); ++i)
        if (paintStages_->Items(i)->RunTime)
            ExecuteStage(Dest, uint32_t(i));
    renderingElsewhere_ = false;
    cacheValid_ = false;
}

void TCustomImage32::DoPaintBuffer()
{
    UpdateCache();
    paintOrigin_ = BufferOrigin();
    // No form designer exists here: the run-time stages are the ones that run.
    for (int32_t i = 0; i < paintStages_->Count(); ++i)
        if (paintStages_->Items(i)->RunTime)
            ExecuteStage(Buffer(), uint32_t(i));
    TCustomPaintBox32::DoPaintBuffer();
}

void TCustomImage32::ExecuteStage(TBitmap32* Dest, uint32_t StageNum)
{
    switch (paintStages_->Items(int32_t(StageNum))->Stage) {
    case psCustom:
        return ExecCustom(Dest, StageNum);
    case psClearBuffer:
        return ExecClearBuffer(Dest, StageNum);
    case psClearBackground:
        return ExecClearBackgnd(Dest, StageNum);
    case psDrawBitmap:
        return ExecDrawBitmap(Dest, StageNum);
    case psDrawLayers:
        return ExecDrawLayers(Dest, StageNum);
    case psControlFrame:
        return ExecControlFrame(Dest, StageNum);
    case psBitmapFrame:
        return ExecBitmapFrame(Dest, StageNum);
    default:
        return;
    }
}

void TCustomImage32::DoPaintGDIOverlay(platform::Canvas& Canvas)
{
    for (int32_t i = 0; i < layers_->Count(); ++i)
        if (layers_->Items(i)->LayerOptions() & loGDIOverlay)
            layers_->Items(i)->PaintGDI(Canvas);
    TCustomPaintBox32::DoPaintGDIOverlay(Canvas);
}

void TCustomImage32::InitDefaultStages()
{
    // Design-time only: the two frames. At run time: background, bitmap, visible layers.
    const struct {
        bool dsgnTime, runTime;
        uint32_t stage, parameter;
    } defaults[] = {
        {true, true, psClearBackground, 0}, {true, false, psControlFrame, 0}, {true, true, psDrawBitmap, 0},
        {true, false, psBitmapFrame, 0},    {true, true, psDrawLayers, loVisible},
    };
    for (const auto& d : defaults) {
        TPaintStage* stage = paintStages_->Add();
        stage->DsgnTime = d.dsgnTime;
        stage->RunTime = d.runTime;
        stage->Stage = d.stage;
        stage->Parameter = d.parameter;
    }
}

void TCustomImage32::ExecCustom(TBitmap32* Dest, uint32_t StageNum)
{
    if (OnPaintStage)
        OnPaintStage(this, Dest, StageNum);
}

void TCustomImage32::ExecClearBuffer(TBitmap32* Dest, uint32_t)
{
    Dest->Clear(0xFF000000 | Color());
}

void TCustomImage32::ExecClearBackgnd(TBitmap32* Dest, uint32_t)
{
    const TColor32 color = 0xFF000000 | Color();
    if (bitmap_->Empty() || bitmap_->DrawMode() != dmOpaque) {
        Dest->Clear(color);
        return;
    }
    // Only the bands the opaque bitmap leaves uncovered.
    const TRect& r = cachedBitmapRect_;
    const int32_t w = Width(), h = Height();
    if (r.Left > 0 || r.Right < w || r.Top > 0 || (r.Bottom < h && bitmapAlign_ != baTile)) {
        const int32_t dx = -paintOrigin_.X, dy = -paintOrigin_.Y;
        Dest->FillRectS(Offset(TRect{0, 0, w, r.Top}, dx, dy), color);
        Dest->FillRectS(Offset(TRect{0, r.Bottom, w, h}, dx, dy), color);
        Dest->FillRectS(Offset(TRect{0, r.Top, r.Left, r.Bottom}, dx, dy), color);
        Dest->FillRectS(Offset(TRect{r.Right, r.Top, w, r.Bottom}, dx, dy), color);
    }
}

void TCustomImage32::ExecDrawBitmap(TBitmap32* Dest, uint32_t)
{
    const TRect& r = cachedBitmapRect_;
    if (bitmap_->Empty() || r.Right <= r.Left || r.Bottom <= r.Top)
        return;
    const TPoint o = paintOrigin_;
    bitmap_->Lock();
    if (bitmapAlign_ == baTile) {
        // Tiles of the rectangle's size, laid right and down from its corner (the control's
        // origin on screen, any rectangle in PaintTo); only those over the destination, which
        // starts at o, are drawn. Tile i of an axis starts at start + i * step.
        auto tiles = [](int64_t start, int64_t step, int64_t origin, int64_t extent) {
            return std::pair(std::max<int64_t>(0, (origin - start) / step), (origin + extent - start) / step);
        };
        const int64_t stepX = r.Width(), stepY = r.Height();
        const auto [firstI, lastI] = tiles(r.Left, stepX, o.X, Dest->Width());
        const auto [firstJ, lastJ] = tiles(r.Top, stepY, o.Y, Dest->Height());
        for (int64_t j = firstJ; j <= lastJ; ++j)
            for (int64_t i = firstI; i <= lastI; ++i)
                bitmap_->DrawTo(*Dest, Offset(r, int32_t(stepX * i - o.X), int32_t(stepY * j - o.Y)));
    } else {
        bitmap_->DrawTo(*Dest, Offset(r, -o.X, -o.Y));
    }
    bitmap_->Unlock();
}

void TCustomImage32::ExecDrawLayers(TBitmap32* Dest, uint32_t StageNum)
{
    const uint32_t mask = paintStages_->Items(int32_t(StageNum))->Parameter;
    for (int32_t i = 0; i < layers_->Count(); ++i)
        if (layers_->Items(i)->LayerOptions() & mask)
            layers_->Items(i)->DoPaint(Dest);
}

void TCustomImage32::ExecControlFrame(TBitmap32* Dest, uint32_t)
{
    DrawFocusRect(Dest, TRect{-paintOrigin_.X, -paintOrigin_.Y, Width() - paintOrigin_.X, Height() - paintOrigin_.Y});
}

void TCustomImage32::ExecBitmapFrame(TBitmap32* Dest, uint32_t)
{
    DrawFocusRect(Dest, Offset(cachedBitmapRect_, -paintOrigin_.X, -paintOrigin_.Y));
}

void TCustomImage32::MouseDown(platform::MouseButton Button, platform::ShiftState Shift, int32_t X, int32_t Y)
{
    TCustomPaintBox32::MouseDown(Button, Shift, X, Y);
    if (TabStop() && CanFocus())
        SetFocus();
    TCustomLayer* layer = layers_->MouseEvents() ? layers_->MouseDown(Button, Shift, X, Y) : nullptr;
    // The left button, or a layer holding the mouse, keeps the mouse here until released.
    if (Button == platform::MouseButton::Left || layers_->MouseListener())
        SetMouseCapture(true);
    MouseDown(Button, Shift, X, Y, layer);
}

void TCustomImage32::MouseMove(platform::ShiftState Shift, int32_t X, int32_t Y)
{
    TCustomPaintBox32::MouseMove(Shift, X, Y);
    TCustomLayer* layer = layers_->MouseEvents() ? layers_->MouseMove(Shift, X, Y) : nullptr;
    MouseMove(Shift, X, Y, layer);
}

void TCustomImage32::MouseUp(platform::MouseButton Button, platform::ShiftState Shift, int32_t X, int32_t Y)
{
    TCustomLayer* layer = layers_->MouseEvents() ? layers_->MouseUp(Button, Shift, X, Y) : nullptr;
    if (Button == platform::MouseButton::Left && !layers_->MouseListener())
        SetMouseCapture(false);
    MouseUp(Button, Shift, X, Y, layer);
}

void TCustomImage32::MouseDown(platform::MouseButton Button, platform::ShiftState Shift, int32_t X, int32_t Y,
                               TCustomLayer* Layer)
{
    if (OnMouseDown)
        OnMouseDown(this, Button, Shift, X, Y, Layer);
}

void TCustomImage32::MouseMove(platform::ShiftState Shift, int32_t X, int32_t Y, TCustomLayer* Layer)
{
    if (OnMouseMove)
        OnMouseMove(this, Shift, X, Y, Layer);
}

void TCustomImage32::MouseUp(platform::MouseButton Button, platform::ShiftState Shift, int32_t X, int32_t Y,
                             TCustomLayer* Layer)
{
    if (OnMouseUp)
        OnMouseUp(this, Button, Shift, X, Y, Layer);
}

void TCustomImage32::MouseEnter()
{
    if (OnMouseEnter)
        OnMouseEnter(this);
}

void TCustomImage32::MouseLeave()
{
    if (layers_->MouseEvents() && !layers_->MouseListener())
        ShowCursor(platform::cursor::Default);
    if (OnMouseLeave)
        OnMouseLeave(this);
    TCustomPaintBox32::MouseLeave();
}

platform::Size TCustomImage32::ScaledBitmapSize() const
{
    if (scaleMode_ == smScale)
        return platform::Size{RoundSaturated(bitmap_->Width() * double(scale_)), RoundSaturated(bitmap_->Height() * double(scale_))};
    return platform::Size{bitmap_->Width(), bitmap_->Height()};
}

bool TCustomImage32::CanAutoSize(int32_t& NewWidth, int32_t& NewHeight)
{
    InvalidateCache();
    const platform::Size wanted = ScaledBitmapSize();
    // An aligned control keeps the dimensions its alignment gives it.
    const TAlign align = Align();
    if (align == alNone || align == alLeft || align == alRight)
        NewWidth = wanted.Width;
    if (align == alNone || align == alTop || align == alBottom)
        NewHeight = wanted.Height;
    return true;
}

void TCustomImage32::BitmapResized()
{
    if (AutoSize()) {
        const platform::Size wanted = ScaledBitmapSize();
        if (wanted.Width >= 1 && wanted.Height >= 1)
            SetBounds(Left(), Top(), wanted.Width, wanted.Height);
    }
    if (updateCount_ == 0 && OnBitmapResize)
        OnBitmapResize(this);
    InvalidateCache();
    Invalidate();
}

const TCoordTransform& TCustomImage32::LayerCoordTransform()
{
    UpdateCache();
    return cachedTransform_;
}

std::optional<TRect> TCustomImage32::LayerCropRect()
{
    if (renderingElsewhere_)
        return std::nullopt;
    UpdateCache();
    return Offset(cachedBitmapRect_, -paintOrigin_.X, -paintOrigin_.Y);
}
