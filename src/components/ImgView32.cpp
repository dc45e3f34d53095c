#include "components/ImgView32.h"

#include "components/BarPainting.h"
#include "graphics/LowLevel32.h"
#include "platform/ScopedFlag.h"

#include <algorithm>
#include <limits>

namespace {

// The desktop's horizontal scroll-bar height. This platform has no desktop metrics to
// ask, so the classic value at 96 pixels per inch serves, as with the system colours.
constexpr int32_t kDesktopScrollBarSize = 17;

} // namespace

// ---- TIVScrollProperties ------------------------------------------------------------

TIVScrollProperties::TIVScrollProperties(TCustomImgView32& View)
    : TArrowBarAccess(&View.HorzScroll(), &View.VertScroll()), view_(View)
{
}

int32_t TIVScrollProperties::Increment() const
{
    return view_.HorzScroll().Increment();
}

void TIVScrollProperties::SetIncrement(int32_t Value)
{
    const auto increment = TRBIncrement(std::clamp<int32_t>(Value, 0, std::numeric_limits<TRBIncrement>::max()));
    view_.HorzScroll().SetIncrement(increment);
    view_.VertScroll().SetIncrement(increment);
}

int32_t TIVScrollProperties::Size() const
{
    return view_.scrollBarSize_;
}

void TIVScrollProperties::SetSize(int32_t Value)
{
    view_.SetScrollBarSize(Value);
}

void TIVScrollProperties::AssignTo(TPersistent* Dest) const
{
    TArrowBarAccess::AssignTo(Dest);
    if (auto* properties = dynamic_cast<TIVScrollProperties*>(Dest)) {
        properties->SetIncrement(Increment());
        properties->SetSize(Size());
    }
}

// ---- TCustomImgView32 ---------------------------------------------------------------

TCustomImgView32::TCustomImgView32()
    : hScroll_(std::make_unique<TCustomRangeBar>()), vScroll_(std::make_unique<TCustomRangeBar>()),
      children_(std::make_unique<platform::ChildControls>(*this))
{
    for (TCustomRangeBar* bar : {hScroll_.get(), vScroll_.get()}) {
        bar->SetBorderStyle(bsNone);
        bar->SetCentered(true);
        bar->OnUserChange = [this](TObject* Sender) { ScrollHandler(Sender); };
        children_->Add(*bar);
    }
    vScroll_->SetKind(sbVertical);
    SetScaleMode(smScale);
    SetBitmapAlign(baCustom);
    scrollBars_ = std::make_unique<TIVScrollProperties>(*this);
    AlignAll();
}

TCustomImgView32::~TCustomImgView32() = default;

int32_t TCustomImgView32::ScrollBarSize() const
{
    return scrollBarSize_ != 0 ? scrollBarSize_ : kDesktopScrollBarSize;
}

void TCustomImgView32::SetScrollBarSize(int32_t Value)
{
    Value = std::max(Value, 0);
    if (Value == scrollBarSize_)
        return;
    scrollBarSize_ = Value;
    Relayout();
}

platform::Rect TCustomImgView32::GetViewportRect() const
{
    const int32_t s = ScrollBarSize();
    return platform::Rect{0, 0, std::max(Width() - s, 0), std::max(Height() - s, 0)};
}

void TCustomImgView32::AlignAll()
{
    const platform::Rect viewport = GetViewportRect();
    hScroll_->SetBounds(viewport.Left, viewport.Bottom, viewport.Width(), Height() - viewport.Bottom);
    vScroll_->SetBounds(viewport.Right, viewport.Top, Width() - viewport.Right, viewport.Height());
    hScroll_->RequestRepaint();
    vScroll_->RequestRepaint();
}

platform::Rect TCustomImgView32::GetSizeGripRect() const
{
    const int32_t s = ScrollBarSize();
    return platform::Rect{Width() - s, Height() - s, Width(), Height()};
}

bool TCustomImgView32::IsSizeGripVisible() const
{
    // sgAuto: only a view that fills its window sizes the window from its corner.
    switch (sizeGrip_) {
    case sgAlways: return true;
    case sgAuto: return FillsWindow();
    default: return false;
    }
}

void TCustomImgView32::SetCentered(bool Value)
{
    InvalidateCache();
    centered_ = Value;
    hScroll_->SetCentered(Value);
    vScroll_->SetCentered(Value);
    UpdateScrollBars();
    UpdateImage();
    if (Value)
        ScrollToBitmapCentre();
    else
        ScrollToCenter(0, 0);
}

void TCustomImgView32::SetOverSize(int32_t Value)
{
    if (Value == overSize_)
        return;
    overSize_ = Value;
    // The scroll room changes with it.
    UpdateScrollBars();
    UpdateImage();
    Invalidate();
}

void TCustomImgView32::SetSizeGrip(TSizeGripStyle Value)
{
    if (Value == sizeGrip_)
        return;
    sizeGrip_ = Value;
    Invalidate();
}

void TCustomImgView32::Scroll(int32_t Dx, int32_t Dy)
{
    {
        platform::ScopedFlag scrolling(scrolling_);
        hScroll_->SetPosition(hScroll_->Position() + float(Dx));
        vScroll_->SetPosition(vScroll_->Position() + float(Dy));
    }
    UpdateImage();
}

void TCustomImgView32::ScrollToCenter(int32_t X, int32_t Y)
{
    {
        platform::ScopedFlag scrolling(scrolling_);
        AlignAll();
        const platform::Rect viewport = GetViewportRect();
        hScroll_->SetPosition(float(X * double(Scale()) - viewport.Width() / 2.0));
        vScroll_->SetPosition(float(Y * double(Scale()) - viewport.Height() / 2.0));
    }
    UpdateImage();
}

void TCustomImgView32::ScrollToBitmapCentre()
{
    ScrollToCenter(Bitmap()->Width() / 2, Bitmap()->Height() / 2);
}

void TCustomImgView32::DoScroll()
{
    if (OnScroll)
        OnScroll(this);
}

void TCustomImgView32::ScrollHandler(TObject* Sender)
{
    if (scrolling_)
        return;
    if (auto* bar = dynamic_cast<platform::Control*>(Sender))
        bar->RequestRepaint();
    UpdateImage();
    DoScroll();
    RequestRepaint();
}

void TCustomImgView32::UpdateScrollBars()
{
    const platform::Size size = GetBitmapSize();
    // In 64 bits: a large over-size saturates the range instead of wrapping it round.
    const int64_t extra = RoundSaturated(2.0 * overSize_ * Scale());
    const auto range = [extra](int32_t side) {
        return int32_t(std::clamp<int64_t>(side + extra, 0, std::numeric_limits<int32_t>::max()));
    };
    hScroll_->SetRange(range(size.Width));
    vScroll_->SetRange(range(size.Height));
}

void TCustomImgView32::UpdateImage()
{
    const platform::Size size = GetBitmapSize();
    const int64_t over = RoundSaturated(double(overSize_) * Scale());
    const platform::Rect viewport = GetViewportRect();
    // A bitmap that fits, with its over-size, is centred when Centered; otherwise the
    // bars' positions scroll it.
    auto offset = [this, over](int32_t bitmapSize, int32_t viewportSize, float position) {
        if (centered_ && 2 * over + bitmapSize < int64_t(viewportSize))
            return float(viewportSize - bitmapSize) / 2;
        return float(over) - position;
    };
    BeginUpdate();
    SetOffsetHorz(offset(size.Width, viewport.Width(), hScroll_->Position()));
    SetOffsetVert(offset(size.Height, viewport.Height(), vScroll_->Position()));
    EndUpdate();
    InvalidateCache();
    Changed();
}

void TCustomImgView32::Relayout()
{
    AlignAll();
    InvalidateCache();
    UpdateScrollBars();
    UpdateImage();
    Invalidate();
}

void TCustomImgView32::BitmapResized()
{
    TCustomImage32::BitmapResized();
    UpdateScrollBars();
    if (centered_) {
        ScrollToBitmapCentre();
        return;
    }
    {
        platform::ScopedFlag scrolling(scrolling_);
        hScroll_->SetPosition(0);
        vScroll_->SetPosition(0);
    }
    UpdateImage();
}

void TCustomImgView32::DoScaleChange()
{
    InvalidateCache();
    UpdateScrollBars();
    UpdateImage();
    Invalidate();
}

void TCustomImgView32::Loaded()
{
    AlignAll();
    Invalidate();
    UpdateScrollBars();
    if (centered_)
        ScrollToBitmapCentre();
    TCustomImage32::Loaded();
}

void TCustomImgView32::Resize()
{
    Relayout();
    TCustomImage32::Resize();
}

void TCustomImgView32::PaintCorner(platform::Canvas& Canvas)
{
    const platform::Rect corner = GetSizeGripRect();
    if (IsSizeGripVisible())
        barpaint::SizeGrip(Canvas, corner);
    else if (!corner.IsEmpty())
        Canvas.FillRect(corner, CanvasColorOf(clBtnFace));
}

void TCustomImgView32::Paint(platform::Canvas& Canvas)
{
    PaintCorner(Canvas);
    TCustomImage32::Paint(Canvas);
    children_->Paint(Canvas);
}

void TCustomImgView32::MouseDown(platform::MouseButton Button, platform::ShiftState Shift, int32_t X, int32_t Y)
{
    pressOnChild_ = children_->MouseDown(Button, Shift, X, Y);
    if (pressOnChild_)
        return;
    if (Button == platform::MouseButton::Left && IsSizeGripVisible() && GetSizeGripRect().Contains(X, Y)) {
        // The window system sizes the window from here on, until the button is up.
        SetMouseCapture(false);
        if (Host())
            Host()->BeginWindowSizing();
        return;
    }
    TCustomImage32::MouseDown(Button, Shift, X, Y);
}

void TCustomImgView32::MouseMove(platform::ShiftState Shift, int32_t X, int32_t Y)
{
    const bool overGrip = IsSizeGripVisible() && GetSizeGripRect().Contains(X, Y);
    if (gripCursorShown_ && !overGrip)
        ShowCursor(platform::cursor::Default);
    gripCursorShown_ = overGrip;
    if (children_->MouseMove(Shift, X, Y))
        return;
    TCustomImage32::MouseMove(Shift, X, Y);
    // After the image's own handling, which shows the cursor of the layer under the mouse.
    if (overGrip)
        ShowCursor(platform::cursor::SizeNWSE);
}

void TCustomImgView32::MouseUp(platform::MouseButton Button, platform::ShiftState Shift, int32_t X, int32_t Y)
{
    if (children_->MouseUp(Button, Shift, X, Y))
        return;
    TCustomImage32::MouseUp(Button, Shift, X, Y);
}

void TCustomImgView32::MouseLeave()
{
    children_->MouseLeave();
    TCustomImage32::MouseLeave();
}

void TCustomImgView32::Click()
{
    // A click on a scroll bar is the bar's, not the view's.
    if (!pressOnChild_)
        TCustomImage32::Click();
}

void TCustomImgView32::DblClick()
{
    if (!pressOnChild_)
        TCustomImage32::DblClick();
}
