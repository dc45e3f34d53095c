#pragma once
// A grid of cells that its owner paints: fixed column and row counts, a width per column
// and a height per row, optional one-pixel lines between cells, and one current cell that
// the mouse and the arrow keys move (each move asked of SelectCell first). Cells lie from
// the top-left corner; whatever the cells leave free is filled with the grid's colour.
#include "platform/Control.h"

#include <cstdint>
#include <functional>
#include <vector>

// The state a cell is drawn in, as bit flags.
using TGridDrawState = uint8_t;
namespace gridstate {
constexpr TGridDrawState Selected = 1u << 0; // the current cell
constexpr TGridDrawState Focused = 1u << 1;  // the current cell while the grid has the focus
constexpr TGridDrawState Fixed = 1u << 2;    // a fixed (title) cell; this grid has none
} // namespace gridstate

class TDrawGrid : public platform::Control {
public:
    using TDrawCellEvent = std::function<void(TObject* Sender, int32_t ACol, int32_t ARow, const platform::Rect& Rect,
                                              TGridDrawState State)>;
    using TSelectCellEvent = std::function<void(TObject* Sender, int32_t ACol, int32_t ARow, bool& CanSelect)>;

    // Every column 64 and every row 24 pixels, no lines, the current cell (0, 0).
    TDrawGrid(int32_t ColCount, int32_t RowCount);
    const char* ClassName() const override { return "TDrawGrid"; }

    int32_t ColCount() const { return int32_t(FColWidths.size()); }
    int32_t RowCount() const { return int32_t(FRowHeights.size()); }
    int32_t ColWidth(int32_t ACol) const;
    void SetColWidth(int32_t ACol, int32_t Width);
    int32_t RowHeight(int32_t ARow) const;
    void SetRowHeight(int32_t ARow, int32_t Height);
    // One-pixel lines after every column and row.
    bool GridLines() const { return FGridLines; }
    void SetGridLines(bool Value);
    int32_t GridLineWidth() const { return FGridLines ? 1 : 0; }

    int32_t Col() const { return FCol; }
    int32_t Row() const { return FRow; }
    // Makes (ACol, ARow) current without asking SelectCell, and repaints.
    void SetCurrentCell(int32_t ACol, int32_t ARow);

    platform::Rect CellRect(int32_t ACol, int32_t ARow) const;
    // The cell at (X, Y), a line counting with the cell before it; false outside every cell.
    bool MouseToCell(int32_t X, int32_t Y, int32_t& ACol, int32_t& ARow) const;
    // The canvas a cell is being drawn on: set only while OnDrawCell runs.
    platform::Canvas* CellCanvas() const { return FCellCanvas; }

    bool WantsArrowKeys() const override { return true; }

    TDrawCellEvent OnDrawCell;
    TSelectCellEvent OnSelectCell;

protected:
    // Whether (ACol, ARow) may become current; the base asks OnSelectCell.
    virtual bool SelectCell(int32_t ACol, int32_t ARow);
    virtual void DrawCell(int32_t ACol, int32_t ARow, const platform::Rect& Rect, TGridDrawState State);
    // Moves the current cell when SelectCell allows it; true when it moved.
    bool MoveCurrent(int32_t ACol, int32_t ARow);

    void Paint(platform::Canvas& Canvas) override;
    // A left press takes the focus and moves to the cell under the mouse.
    void MouseDown(platform::MouseButton Button, platform::ShiftState Shift, int32_t X, int32_t Y) override;
    // OnKeyDown first; a key it leaves moves the current cell one step (arrow keys).
    void KeyDown(platform::KeyCode& Key, platform::ShiftState Shift) override;
    void DoEnter() override;
    void DoExit() override;

private:
    std::vector<int32_t> FColWidths;
    std::vector<int32_t> FRowHeights;
    bool FGridLines = false;
    int32_t FCol = 0;
    int32_t FRow = 0;
    platform::Canvas* FCellCanvas = nullptr;
};
