#include "components/rmWindowScrollBars.h"

#include "graphics/LowLevel32.h"
#include "graphics/SystemColorNames.h"

#include <algorithm>
#include <cmath>
#include <limits>

std::optional<int32_t> ScrolledValue(TScrollCode Code, int32_t Position, int32_t Value, int32_t Line, int32_t Page,
                                     int32_t End)
{
    switch (Code) {
    case scLineUp: return Saturated(int64_t(Value) - Line);
    case scLineDown: return Saturated(int64_t(Value) + Line);
    case scPageUp: return Saturated(int64_t(Value) - Page);
    case scPageDown: return Saturated(int64_t(Value) + Page);
    case scPosition:
    case scTrack: return Position;
    case scTop: return 0;
    case scBottom: return End;
    default: return std::nullopt;
    }
}

// ---- TrmWindowScrollBar --------------------------------------------------------------

TrmWindowScrollBar::TrmWindowScrollBar(RequestHandler OnRequest) : FOnRequest(std::move(OnRequest))
{
    SetBorderStyle(bsNone);
    SetScrollInfo(0, 1, 0);
}

int32_t TrmWindowScrollBar::ScrollPos() const
{
    return int32_t(std::lround(Position()));
}

int32_t TrmWindowScrollBar::SetScrollInfo(int32_t Max, int32_t Page, int32_t Position)
{
    Max = std::max(Max, 0);
    Page = std::max(Page, 1);
    Position = std::clamp(Position, 0, Max);
    SetParams(int32_t(std::min<int64_t>(int64_t(Max) + Page, std::numeric_limits<int32_t>::max())), Page);
    SetPosition(float(Position));
    return Position;
}

bool TrmWindowScrollBar::Step(bool Page, int32_t Sign)
{
    const float before = Position();
    if (FOnRequest)
        FOnRequest(Page ? (Sign < 0 ? scPageUp : scPageDown) : (Sign < 0 ? scLineUp : scLineDown), ScrollPos());
    return Position() != before;
}

void TrmWindowScrollBar::DragHandle(int32_t Delta)
{
    TCustomRangeBar::DragHandle(Delta);
    if (FOnRequest)
        FOnRequest(scTrack, ScrollPos());
}

// ---- TrmWindowScrollBars -------------------------------------------------------------

TrmWindowScrollBars::TrmWindowScrollBars(platform::Control& Owner, ScrollHandler OnScroll)
    : FChildren(std::make_unique<platform::ChildControls>(Owner))
{
    const auto requests = [OnScroll](TScrollBarKind Kind) {
        return [OnScroll, Kind](TScrollCode Code, int32_t Position) {
            if (OnScroll)
                OnScroll(Kind, Code, Position);
        };
    };
    FHorz = std::make_unique<TrmWindowScrollBar>(requests(sbHorizontal));
    FVert = std::make_unique<TrmWindowScrollBar>(requests(sbVertical));
    FVert->SetKind(sbVertical);
    for (TrmWindowScrollBar* bar : {FHorz.get(), FVert.get()}) {
        bar->SetVisible(false);
        FChildren->Add(*bar);
    }
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

int32_t TrmWindowScrollBars::SetScrollInfo(TScrollBarKind Bar, int32_t Max, int32_t Page, int32_t Position)
{
    return this->Bar(Bar).SetScrollInfo(Max, Page, Position);
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
