#include "components/rmWindowScrollBars.h"

#include <algorithm>

TrmWindowScrollBars::TrmWindowScrollBars(platform::Control& Owner, ScrollHandler OnScroll)
    : FHorz(std::make_unique<TGaugeBar>()), FVert(std::make_unique<TGaugeBar>()),
      FChildren(std::make_unique<platform::ChildControls>(Owner))
{
    for (TGaugeBar* bar : {FHorz.get(), FVert.get()}) {
        bar->SetBorderStyle(bsNone);
        bar->SetMax(1);
        bar->SetEnabled(false);
        bar->SetVisible(false);
        bar->OnUserChange = [bar, OnScroll](TObject*) {
            if (OnScroll)
                OnScroll(bar->Kind(), scPosition, bar->Position());
        };
        FChildren->Add(*bar);
    }
    FVert->SetKind(sbVertical);
}

TrmWindowScrollBars::~TrmWindowScrollBars() = default;

void TrmWindowScrollBars::SetStyle(TScrollStyle Value)
{
    FStyle = Value;
    FHorz->SetVisible(Shows(sbHorizontal));
    FVert->SetVisible(Shows(sbVertical));
}

bool TrmWindowScrollBars::Shows(TScrollBarKind Bar) const
{
    return Bar == sbVertical ? (FStyle == ssVertical || FStyle == ssBoth)
                             : (FStyle == ssHorizontal || FStyle == ssBoth);
}

int32_t TrmWindowScrollBars::SetScrollInfo(TScrollBarKind Bar, int32_t Max, int32_t Position)
{
    Max = std::max(Max, 0);
    Position = std::clamp(Position, 0, Max);
    TGaugeBar& bar = this->Bar(Bar);
    // The gauge needs Min < Max: an empty range shows as 0..1, disabled.
    bar.SetMax(std::max(Max, 1));
    bar.SetPosition(Position);
    bar.SetEnabled(Max > 0);
    return Position;
}

platform::Rect TrmWindowScrollBars::Layout(const platform::Rect& Inner)
{
    platform::Rect client = Inner;
    const bool vert = Shows(sbVertical), horz = Shows(sbHorizontal);
    if (vert)
        client.Right = std::max(client.Left, client.Right - kThickness);
    if (horz)
        client.Bottom = std::max(client.Top, client.Bottom - kThickness);
    if (vert)
        FVert->SetBounds(client.Right, Inner.Top, Inner.Right - client.Right, client.Height());
    if (horz)
        FHorz->SetBounds(Inner.Left, client.Bottom, client.Width(), Inner.Bottom - client.Bottom);
    FCorner = vert && horz ? platform::Rect{client.Right, client.Bottom, Inner.Right, Inner.Bottom} : platform::Rect{};
    return client;
}

void TrmWindowScrollBars::Paint(platform::Canvas& Canvas, platform::CanvasColor CornerColor)
{
    if (!FCorner.IsEmpty())
        Canvas.FillRect(FCorner, CornerColor);
    FChildren->Paint(Canvas);
}

bool TrmWindowScrollBars::MouseDown(platform::MouseButton Button, platform::ShiftState Shift, int32_t X, int32_t Y)
{
    return FChildren->MouseDown(Button, Shift, X, Y);
}

bool TrmWindowScrollBars::MouseMove(platform::ShiftState Shift, int32_t X, int32_t Y)
{
    return FChildren->MouseMove(Shift, X, Y);
}

bool TrmWindowScrollBars::MouseUp(platform::MouseButton Button, platform::ShiftState Shift, int32_t X, int32_t Y)
{
    return FChildren->MouseUp(Button, Shift, X, Y);
}

void TrmWindowScrollBars::MouseLeave()
{
    FChildren->MouseLeave();
}
