#include "inspector/rmScreenListBox.h"

#include "graphics/SystemColorNames.h"
#include "platform/AsciiText.h"

#include <algorithm>

namespace {

constexpr int32_t kBorder = 1;

char32_t LowerAscii(char32_t c)
{
    return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c;
}

} // namespace

TrmCustomScreenListBox::TrmCustomScreenListBox() : FChildren(*this)
{
    SetColor(CanvasColorOf(clWindow));
    FScrollBar.SetVisible(false);
    FScrollBar.OnScroll = [this](TrmScrollCode Code, int32_t Position) { Scroll(Code, Position); };
    FChildren.Add(FScrollBar);
}

TrmCustomScreenListBox::~TrmCustomScreenListBox() = default;

platform::Rect TrmCustomScreenListBox::RowsArea() const
{
    const int32_t right = Width() - kBorder - (FScrollBar.Visible() ? TrmScrollBar::kWidth : 0);
    return {kBorder, kBorder, std::max(kBorder, right), std::max(kBorder, Height() - kBorder)};
}

int32_t TrmCustomScreenListBox::RowsRoom() const
{
    return Height() - 2 * kBorder;
}

int32_t TrmCustomScreenListBox::RowHeight(int32_t Index) const
{
    return FStyle == lbOwnerDrawVariable && Index >= 0 && size_t(Index) < FHeights.size() ? FHeights[size_t(Index)]
                                                                                          : ItemHeight();
}

int32_t TrmCustomScreenListBox::RowsFitting(int32_t First) const
{
    const int32_t count = int32_t(FItems.size());
    int32_t rows = 0, used = 0, i = First;
    for (; i < count && used + RowHeight(i) <= RowsRoom(); ++i, ++rows)
        used += RowHeight(i);
    if (i >= count) // the items end before the room does
        rows += std::max(0, RowsRoom() - used) / ItemHeight();
    return rows;
}

int32_t TrmCustomScreenListBox::LastTopIndex() const
{
    int32_t top = int32_t(FItems.size()), used = 0;
    while (top > 0 && used + RowHeight(top - 1) <= RowsRoom())
        used += RowHeight(--top);
    return std::min(top, std::max(0, int32_t(FItems.size()) - 1));
}

void TrmCustomScreenListBox::MeasureItems()
{
    FHeights.clear();
    if (FStyle == lbOwnerDrawVariable) {
        for (int32_t i = 0; i < int32_t(FItems.size()); ++i) {
            int32_t height = ItemHeight();
            if (OnMeasureItem)
                OnMeasureItem(this, i, height);
            FHeights.push_back(std::max(height, 1));
        }
    }
    SetTopIndex(FTopIndex);
    UpdateScrollBar();
    Invalidate();
}

void TrmCustomScreenListBox::SetStyle(TListBoxStyle Value)
{
    FStyle = Value;
    MeasureItems();
}

void TrmCustomScreenListBox::UpdateScrollBar()
{
    const int32_t last = LastTopIndex();
    FScrollBar.SetVisible(last > 0);
    FScrollBar.SetBounds(Width() - kBorder - TrmScrollBar::kWidth, kBorder, TrmScrollBar::kWidth,
                         Height() - 2 * kBorder);
    FScrollBar.SetScrollInfo(last, VisibleRows(), FTopIndex);
}

void TrmCustomScreenListBox::Scroll(TrmScrollCode Code, int32_t Position)
{
    SetTopIndex(ScrolledTopIndex(Code, Position, FTopIndex, VisibleRows(), int32_t(FItems.size())));
}

void TrmCustomScreenListBox::Resize()
{
    SetTopIndex(FTopIndex);
    UpdateScrollBar();
    TrmScreenPopup::Resize();
}

void TrmCustomScreenListBox::SetItems(const std::vector<std::string>& Value)
{
    FItems = Value;
    if (FSorted)
        std::stable_sort(FItems.begin(), FItems.end(), [](const std::string& a, const std::string& b) {
            return platform::CompareTextIgnoringAsciiCase(a, b) < 0;
        });
    FItemIndex = std::min(FItemIndex, int32_t(FItems.size()) - 1);
    MeasureItems();
}

void TrmCustomScreenListBox::SetItemIndex(int32_t Value)
{
    Value = FItems.empty() || Value < 0 ? -1 : std::min(Value, int32_t(FItems.size()) - 1);
    if (Value == FItemIndex)
        return;
    FItemIndex = Value;
    if (Value >= 0)
        MakeVisible(Value);
    Invalidate();
}

void TrmCustomScreenListBox::SetTopIndex(int32_t Value)
{
    Value = std::clamp(Value, 0, LastTopIndex());
    if (Value == FTopIndex)
        return;
    FTopIndex = Value;
    UpdateScrollBar();
    Invalidate();
}

int32_t TrmCustomScreenListBox::ItemHeight() const
{
    return FItemHeight > 0 ? FItemHeight : platform::FontPixelSize(Font().PointSize) + 2;
}

void TrmCustomScreenListBox::SetItemHeight(int32_t Value)
{
    FItemHeight = std::max(Value, 0);
    MeasureItems();
}

void TrmCustomScreenListBox::FontChanged()
{
    SetTopIndex(FTopIndex);
    UpdateScrollBar();
    Invalidate();
}

int32_t TrmCustomScreenListBox::VisibleRows() const
{
    return std::max(1, RowsFitting(FTopIndex));
}

int32_t TrmCustomScreenListBox::HeightForRows(int32_t MaxRows) const
{
    return std::clamp(int32_t(FItems.size()), 1, std::max(MaxRows, 1)) * ItemHeight() + 2 * kBorder;
}

void TrmCustomScreenListBox::SetSorted(bool Value)
{
    if (Value == FSorted)
        return;
    FSorted = Value;
    if (FSorted)
        SetItems(std::vector<std::string>(FItems));
    Invalidate();
}

int32_t TrmCustomScreenListBox::ItemAt(int32_t Y) const
{
    if (Y < kBorder || Y >= Height() - kBorder)
        return -1;
    for (int32_t i = FTopIndex, bottom = kBorder; i < int32_t(FItems.size()); ++i)
        if (Y < (bottom += RowHeight(i)))
            return i;
    return -1;
}

std::string TrmCustomScreenListBox::ItemText(int32_t Index) const
{
    return Index >= 0 && Index < int32_t(FItems.size()) ? FItems[size_t(Index)] : std::string();
}

void TrmCustomScreenListBox::MakeVisible(int32_t Index)
{
    if (Index < FTopIndex) {
        SetTopIndex(Index);
    } else if (Index >= FTopIndex + VisibleRows()) {
        // The first row from which the rows down to Index fit.
        int32_t top = Index, used = RowHeight(Index);
        while (top > 0 && used + RowHeight(top - 1) <= RowsRoom())
            used += RowHeight(--top);
        SetTopIndex(top);
    }
}

void TrmCustomScreenListBox::Show(const platform::Rect& Bounds)
{
    MeasureItems();
    TrmScreenPopup::Show(Bounds);
    if (FItemIndex >= 0)
        MakeVisible(FItemIndex);
}

void TrmCustomScreenListBox::DefaultDrawItem(int32_t Index, const platform::Rect& Rect, TOwnerDrawState State)
{
    if (!FCanvas)
        return;
    platform::FontSpec font = Font();
    if (State & odSelected) {
        FCanvas->FillRect(Rect, CanvasColorOf(clHighlight));
        font.Color = CanvasColorOf(clHighlightText);
    }
    const std::string text = ItemText(Index);
    const int32_t textHeight = FCanvas->TextExtent(text, font).Height;
    FCanvas->TextOut(Rect.Left + 2, Rect.Top + (Rect.Height() - textHeight) / 2, text, font);
    if (State & odFocused)
        FCanvas->DrawFocusRect(Rect);
}

void TrmCustomScreenListBox::Paint(platform::Canvas& Canvas)
{
    Canvas.FrameRect(ClientRect(), CanvasColorOf(clWindowText));
    FChildren.Paint(Canvas);
    const platform::Rect inside = RowsArea();
    if (inside.IsEmpty())
        return;
    Canvas.FillRect(inside, Color());
    FCanvas = &Canvas;
    const bool ownerDraws = FStyle != lbStandard && OnDrawItem;
    for (int32_t i = FTopIndex, y = inside.Top; i < int32_t(FItems.size()) && y < inside.Bottom; y += RowHeight(i++)) {
        const platform::Rect row{inside.Left, y, inside.Right, y + RowHeight(i)};
        TOwnerDrawState state = Enabled() ? 0 : odDisabled;
        if (i == FItemIndex)
            state |= odSelected | odFocused;
        Canvas.SetClipRect(row.Intersect(inside));
        if (ownerDraws)
            OnDrawItem(this, i, row, state);
        else
            DefaultDrawItem(i, row, state);
    }
    FCanvas = nullptr;
    Canvas.RemoveClip();
}

void TrmCustomScreenListBox::MouseDown(platform::MouseButton Button, platform::ShiftState Shift, int32_t X, int32_t Y)
{
    if (FChildren.MouseDown(Button, Shift, X, Y))
        return;
    if (Button == platform::MouseButton::Left && ClientRect().Contains(X, Y) && ItemAt(Y) >= 0)
        SetItemIndex(ItemAt(Y));
    TrmScreenPopup::MouseDown(Button, Shift, X, Y);
}

void TrmCustomScreenListBox::MouseMove(platform::ShiftState Shift, int32_t X, int32_t Y)
{
    // Over the bar as over the rows, the pop-up gives up the mouse capture.
    FChildren.MouseMove(Shift, X, Y);
    TrmScreenPopup::MouseMove(Shift, X, Y);
}

void TrmCustomScreenListBox::MouseUp(platform::MouseButton Button, platform::ShiftState Shift, int32_t X, int32_t Y)
{
    if (!FChildren.MouseUp(Button, Shift, X, Y))
        TrmScreenPopup::MouseUp(Button, Shift, X, Y);
}

void TrmCustomScreenListBox::MouseLeave()
{
    FChildren.MouseLeave();
    TrmScreenPopup::MouseLeave();
}

bool TrmCustomScreenListBox::DoMouseWheel(platform::ShiftState Shift, int32_t WheelDelta, platform::Point MousePos)
{
    if (TrmScreenPopup::DoMouseWheel(Shift, WheelDelta, MousePos))
        return true;
    SetTopIndex(FTopIndex + (WheelDelta < 0 ? 3 : -3));
    return true;
}

void TrmCustomScreenListBox::KeyDown(platform::KeyCode& Key, platform::ShiftState Shift)
{
    using namespace platform;
    const int32_t last = int32_t(FItems.size()) - 1;
    const int32_t page = std::max(1, VisibleRows() - 1);
    const int32_t current = FItemIndex;
    switch (Key) {
    case key::Up: SetItemIndex(std::max(0, current - 1)); break;
    case key::Down: SetItemIndex(current + 1); break;
    case key::PageUp: SetItemIndex(std::max(0, current - page)); break;
    case key::PageDown: SetItemIndex(current + page); break;
    case key::Home: SetItemIndex(0); break;
    case key::End: SetItemIndex(last); break;
    default: break;
    }
    TrmScreenPopup::KeyDown(Key, Shift);
}

void TrmCustomScreenListBox::KeyPress(char32_t& Key)
{
    TrmScreenPopup::KeyPress(Key);
    if (Key < 0x20 || FItems.empty())
        return;
    const int32_t count = int32_t(FItems.size());
    for (int32_t step = 1; step <= count; ++step) {
        const int32_t i = (std::max(FItemIndex, -1) + step) % count;
        const std::string& item = FItems[size_t(i)];
        if (!item.empty() && LowerAscii(char32_t(uint8_t(item[0]))) == LowerAscii(Key)) {
            SetItemIndex(i);
            break;
        }
    }
}
