#include "inspector/DrawGrid.h"

#include "graphics/SystemColorNames.h"

#include <algorithm>
#include <cassert>

using namespace platform;

TDrawGrid::TDrawGrid(int32_t ColCount, int32_t RowCount)
    : FColWidths(size_t(std::max(ColCount, 1)), 64), FRowHeights(size_t(std::max(RowCount, 1)), 24)
{
    SetColor(CanvasColorOf(clWindow));
    SetTabStop(true);
}

int32_t TDrawGrid::ColWidth(int32_t ACol) const
{
    assert(ACol >= 0 && ACol < ColCount());
    return FColWidths[size_t(ACol)];
}

void TDrawGrid::SetColWidth(int32_t ACol, int32_t Width)
{
    assert(ACol >= 0 && ACol < ColCount());
    Width = std::max(Width, 0);
    if (FColWidths[size_t(ACol)] == Width)
        return;
    FColWidths[size_t(ACol)] = Width;
    Invalidate();
}

int32_t TDrawGrid::RowHeight(int32_t ARow) const
{
    assert(ARow >= 0 && ARow < RowCount());
    return FRowHeights[size_t(ARow)];
}

void TDrawGrid::SetRowHeight(int32_t ARow, int32_t Height)
{
    assert(ARow >= 0 && ARow < RowCount());
    Height = std::max(Height, 0);
    if (FRowHeights[size_t(ARow)] == Height)
        return;
    FRowHeights[size_t(ARow)] = Height;
    Invalidate();
}

void TDrawGrid::SetGridLines(bool Value)
{
    if (FGridLines == Value)
        return;
    FGridLines = Value;
    Invalidate();
}

void TDrawGrid::SetCurrentCell(int32_t ACol, int32_t ARow)
{
    assert(ACol >= 0 && ACol < ColCount() && ARow >= 0 && ARow < RowCount());
    FCol = ACol;
    FRow = ARow;
    Invalidate();
}

Rect TDrawGrid::CellRect(int32_t ACol, int32_t ARow) const
{
    assert(ACol >= 0 && ACol < ColCount() && ARow >= 0 && ARow < RowCount());
    int32_t left = 0, top = 0;
    for (int32_t c = 0; c < ACol; ++c)
        left += FColWidths[size_t(c)] + GridLineWidth();
    for (int32_t r = 0; r < ARow; ++r)
        top += FRowHeights[size_t(r)] + GridLineWidth();
    return {left, top, left + FColWidths[size_t(ACol)], top + FRowHeights[size_t(ARow)]};
}

namespace {

// The index of the span holding Pos when spans of the given sizes, each followed by
// LineWidth pixels, are laid end to end from 0; -1 outside them all.
int32_t SpanAt(const std::vector<int32_t>& Sizes, int32_t LineWidth, int32_t Pos)
{
    if (Pos < 0)
        return -1;
    for (size_t i = 0; i < Sizes.size(); ++i) {
        Pos -= Sizes[i] + LineWidth;
        if (Pos < 0)
            return int32_t(i);
    }
    return -1;
}

} // namespace

bool TDrawGrid::MouseToCell(int32_t X, int32_t Y, int32_t& ACol, int32_t& ARow) const
{
    ACol = SpanAt(FColWidths, GridLineWidth(), X);
    ARow = SpanAt(FRowHeights, GridLineWidth(), Y);
    return ACol >= 0 && ARow >= 0;
}

bool TDrawGrid::SelectCell(int32_t ACol, int32_t ARow)
{
    bool canSelect = true;
    if (OnSelectCell)
        OnSelectCell(this, ACol, ARow, canSelect);
    return canSelect;
}

void TDrawGrid::DrawCell(int32_t ACol, int32_t ARow, const Rect& Rect, TGridDrawState State)
{
    if (OnDrawCell)
        OnDrawCell(this, ACol, ARow, Rect, State);
}

bool TDrawGrid::MoveCurrent(int32_t ACol, int32_t ARow)
{
    if (ACol < 0 || ACol >= ColCount() || ARow < 0 || ARow >= RowCount())
        return false;
    if ((ACol == FCol && ARow == FRow) || !SelectCell(ACol, ARow))
        return false;
    SetCurrentCell(ACol, ARow);
    return true;
}

void TDrawGrid::Paint(Canvas& Canvas)
{
    Canvas.FillRect(ClientRect(), Color());
    const CanvasColor lineColor = CanvasColorOf(clBtnFace);
    for (int32_t r = 0; r < RowCount(); ++r)
        for (int32_t c = 0; c < ColCount(); ++c) {
            const Rect cell = CellRect(c, r);
            if (FGridLines) {
                Canvas.Line(cell.Right, cell.Top, cell.Right, cell.Bottom, lineColor);
                Canvas.Line(cell.Left, cell.Bottom, cell.Right, cell.Bottom, lineColor);
            }
            if (cell.IsEmpty())
                continue;
            TGridDrawState state = 0;
            if (c == FCol && r == FRow)
                state |= gridstate::Selected | (Focused() ? gridstate::Focused : 0);
            Canvas.SetClipRect(cell);
            FCellCanvas = &Canvas;
            DrawCell(c, r, cell, state);
            FCellCanvas = nullptr;
            if (state & gridstate::Focused)
                Canvas.DrawFocusRect(cell);
        }
    Canvas.RemoveClip();
}

void TDrawGrid::MouseDown(MouseButton Button, ShiftState Shift, int32_t X, int32_t Y)
{
    if (Button == MouseButton::Left) {
        SetFocus();
        int32_t col, row;
        if (MouseToCell(X, Y, col, row))
            MoveCurrent(col, row);
    }
    Control::MouseDown(Button, Shift, X, Y);
}

void TDrawGrid::KeyDown(KeyCode& Key, ShiftState Shift)
{
    Control::KeyDown(Key, Shift);
    switch (Key) {
    case key::Left:
        MoveCurrent(FCol - 1, FRow);
        break;
    case key::Right:
        MoveCurrent(FCol + 1, FRow);
        break;
    case key::Up:
        MoveCurrent(FCol, FRow - 1);
        break;
    case key::Down:
        MoveCurrent(FCol, FRow + 1);
        break;
    default:
        break;
    }
}

void TDrawGrid::DoEnter()
{
    Invalidate();
    Control::DoEnter();
}

void TDrawGrid::DoExit()
{
    Invalidate();
    Control::DoExit();
}
