#include "components/rmListControl.h"

#include "graphics/SystemColorNames.h"
#include "platform/TextRasterizer.h"

#include <algorithm>

namespace {

platform::Size Measure(std::string_view text, const platform::FontSpec& font)
{
    return platform::CurrentTextRasterizer().TextExtent(text, font);
}

} // namespace

// ---- TrmListItems -------------------------------------------------------------------

void TrmListItems::CheckIndex(int32_t Index, int32_t Last) const
{
    if (Index < 0 || Index > Last)
        throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
}

const std::string& TrmListItems::Strings(int32_t Index) const
{
    CheckIndex(Index, Count() - 1);
    return FLines[size_t(Index)];
}

void TrmListItems::SetStrings(int32_t Index, const std::string& S)
{
    CheckIndex(Index, Count() - 1);
    FLines[size_t(Index)] = S;
    Changed();
}

void TrmListItems::Add(const std::string& S)
{
    FLines.push_back(S);
    Changed();
}

void TrmListItems::Insert(int32_t Index, const std::string& S)
{
    CheckIndex(Index, Count());
    FLines.insert(FLines.begin() + Index, S);
    Changed();
}

void TrmListItems::Delete(int32_t Index)
{
    CheckIndex(Index, Count() - 1);
    FLines.erase(FLines.begin() + Index);
    Changed();
}

void TrmListItems::Clear()
{
    FLines.clear();
    Changed();
}

void TrmListItems::Assign(const std::vector<std::string>& Lines)
{
    FLines = Lines;
    Changed();
}

void TrmListItems::Changed()
{
    if (OnChange)
        OnChange(nullptr);
}

// ---- TrmListControl -----------------------------------------------------------------

TrmListControl::TrmListControl()
{
    SetColor(CanvasColorOf(clWindow));
    FItems.OnChange = [this](TObject*) { ItemsChanged(); };
}

void TrmListControl::SetLongestLineLength(int32_t Value)
{
    FLongestLineLength = Value;
}

int32_t TrmListControl::MaxItemLength() const
{
    if (FLongestLineLength == -1)
        for (const std::string& line : FItems.Lines())
            FLongestLineLength = std::max(FLongestLineLength, Measure(line, Font()).Width);
    return FLongestLineLength;
}

int32_t TrmListControl::MaxItemHeight() const
{
    return Measure("X", Font()).Height;
}

void TrmListControl::DoEnter()
{
    TrmCustomScrollableControl::DoEnter();
    Invalidate();
}

void TrmListControl::DoExit()
{
    TrmCustomScrollableControl::DoExit();
    Invalidate();
}

void TrmListControl::PaintClient(platform::Canvas& Canvas)
{
    const int32_t height = MaxItemHeight();
    const int32_t width = ClientWidth();
    platform::Rect row{0, 0, width, height};
    if (height > 0 && FItems.Count() > 0) {
        const int32_t last = std::min(FItems.Count(), TopIndex() + VisibleItems());
        for (int32_t i = TopIndex(); i < last; ++i) {
            const bool inRange = SelStart() <= i && i <= SelStart() + SelCount();
            const bool selected = inRange && !HideSelection();
            TrmRowCanvas style{Canvas, Color(), Font()};
            if (selected && Focused()) {
                style.Brush = CanvasColorOf(clHighlight);
                style.Font.Color = CanvasColorOf(clHighlightText);
            }
            std::string text = FItems.Strings(i);
            if (OnFormatDrawing)
                OnFormatDrawing(this, style, selected, text);
            Canvas.FillRect(row, style.Brush);
            Canvas.SetClipRect(row);
            Canvas.TextOut(2 - HScrollPos(), row.Top, text, style.Font);
            Canvas.RemoveClip();
            if (Focused() && ShowFocusRect() && i == ItemIndex())
                Canvas.DrawFocusRect(row);
            row = row.Offset(0, height);
        }
    }
    if (row.Top < ClientHeight())
        Canvas.FillRect({0, row.Top, width, ClientHeight()}, Color());
}
