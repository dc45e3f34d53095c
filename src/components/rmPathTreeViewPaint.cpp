// The path tree view's painting: the border, the rows with their lines, buttons, images
// and labels, the custom-draw events, the drag image, the label edit and the bars.
#include "components/rmPathTreeView.h"

#include "graphics/Blend32.h"
#include "graphics/SystemColorNames.h"

#include <algorithm>
#include <vector>

namespace {

constexpr int32_t kButtonSize = 9;

} // namespace

void TrmCustomPathTreeView::Paint(platform::Canvas& Canvas)
{
    FCanvas = &Canvas;
    PaintWindowBorder(Canvas, ClientRect(), FBorderStyle, Ctl3D());
    const int32_t border = WindowBorderWidth(FBorderStyle, Ctl3D());
    Canvas.FillRect({border, border, Width() - border, Height() - border}, Color()); // the margin too
    Canvas.SetClipRect(FClientArea);
    bool defaultDraw = true;
    if (OnCustomDraw)
        OnCustomDraw(this, FClientArea, defaultDraw);
    if (defaultDraw && OnAdvancedCustomDraw)
        OnAdvancedCustomDraw(this, FClientArea, cdPrePaint, defaultDraw);
    if (defaultDraw) {
        int32_t row = FTopRow;
        for (TrmTreeNode* node = NodeAtRow(row); node && LayoutOf(node, row).Row.Top < FClientArea.Bottom;
             node = node->GetNextVisible(), ++row)
            PaintRow(Canvas, *node, row);
        if (OnAdvancedCustomDraw)
            OnAdvancedCustomDraw(this, FClientArea, cdPostPaint, defaultDraw);
    }
    if (FDragNode)
        PaintImage(Canvas, &FDragImages, 0, FDragImage); // where the mouse holds it
    Canvas.RemoveClip();
    if (IsEditing())
        FEditChildren->Paint(Canvas);
    FScrollBars.Paint(Canvas, CanvasColorOf(clBtnFace));
    FCanvas = nullptr;
}

void TrmCustomPathTreeView::PaintRow(platform::Canvas& Canvas, TrmTreeNode& Node, int32_t Row)
{
    const RowLayout layout = LayoutOf(&Node, Row);
    TCustomDrawState state = 0;
    if (&Node == FSelected)
        state |= cds::cdsSelected;
    if (Focused() && &Node == FFocusedNode)
        state |= cds::cdsFocused;
    if (&Node == FHotNode)
        state |= cds::cdsHot;
    if (!Enabled())
        state |= cds::cdsDisabled;
    bool defaultDraw = true, paintImages = true;
    if (OnCustomDrawItem)
        OnCustomDrawItem(this, &Node, state, defaultDraw);
    if (defaultDraw && OnAdvancedCustomDrawItem)
        OnAdvancedCustomDrawItem(this, &Node, state, cdPrePaint, paintImages, defaultDraw);
    if (!defaultDraw)
        return;
    PaintRowItem(Canvas, Node, layout, state, paintImages);
    if (OnAdvancedCustomDrawItem)
        OnAdvancedCustomDrawItem(this, &Node, state, cdPostPaint, paintImages, defaultDraw);
}

void TrmCustomPathTreeView::PaintImage(platform::Canvas& Canvas, const TBitmap32List* List, int32_t Index,
                                       const platform::Rect& At, int32_t Overlay)
{
    const auto has = [List](int32_t I) { return List && I >= 0 && I < List->Bitmaps()->Count(); };
    if (!has(Index) || At.IsEmpty())
        return;
    const TBitmap32* image = List->Bitmap(Index);
    const int32_t width = std::min(image->Width(), At.Width());
    const int32_t height = std::min(image->Height(), At.Height());
    if (width <= 0 || height <= 0)
        return;
    if (!has(Overlay)) {
        Canvas.BlitOpaque(At.Left, At.Top, image->Bits(), width, height, image->Width());
        return;
    }
    // Row by row: the image's row with the overlay's blended over it.
    const TBitmap32* overlay = List->Bitmap(Overlay);
    std::vector<TColor32> row(size_t(width), 0);
    for (int32_t y = 0; y < height; ++y) {
        std::copy_n(image->ScanLine(y), width, row.begin());
        if (y < overlay->Height())
            BlendLine(overlay->ScanLine(y), row.data(), std::min(width, overlay->Width()));
        Canvas.BlitOpaque(At.Left, At.Top + y, row.data(), width, 1, width);
    }
    EMMS();
}

void TrmCustomPathTreeView::PaintRowItem(platform::Canvas& Canvas, TrmTreeNode& Node, const RowLayout& Layout,
                                         TCustomDrawState State, bool PaintImages)
{
    if (FShowLines)
        PaintLines(Canvas, Node, Layout);
    if (FShowButtons && Node.GetChildren() && !Layout.Button.IsEmpty()) {
        const int32_t cx = (Layout.Button.Left + Layout.Button.Right) / 2;
        const int32_t cy = (Layout.Button.Top + Layout.Button.Bottom) / 2;
        const platform::Rect box{cx - kButtonSize / 2, cy - kButtonSize / 2, cx + kButtonSize / 2 + 1,
                                 cy + kButtonSize / 2 + 1};
        Canvas.FillRect(box, Color());
        Canvas.FrameRect(box, CanvasColorOf(clBtnShadow));
        Canvas.Line(cx - 2, cy, cx + 2, cy, CanvasColorOf(clWindowText));
        if (!Node.FExpanded)
            Canvas.Line(cx, cy - 2, cx, cy + 2, CanvasColorOf(clWindowText));
    }
    if (PaintImages) {
        PaintImage(Canvas, StateImages(), Node.FStateIndex, Layout.State);
        // The image indices are asked for as the node is drawn.
        const bool selected = (State & cds::cdsSelected) != 0;
        if (Images()) {
            if (selected)
                GetSelectedIndex(&Node);
            else
                GetImageIndex(&Node);
        }
        PaintImage(Canvas, Images(), selected ? Node.FSelectedIndex : Node.FImageIndex, Layout.Image,
                   Node.FOverlayIndex);
    }

    platform::FontSpec font = Font();
    if (Node.FCut)
        font.Color = CanvasColorOf(clGrayText);
    if (State & cds::cdsHot) {
        font.Color = CanvasColorOf(clHighlight);
        font.Underline = true;
    }
    // The label, or with RowSelect the label and the row beyond it (away from the indent).
    platform::Rect markArea = Layout.Label;
    if (FRowSelect && UseRightToLeftReading())
        markArea.Left = Layout.Row.Left;
    else if (FRowSelect)
        markArea.Right = Layout.Row.Right;
    const bool marked = FDropTarget ? &Node == FDropTarget : &Node == FSelected;
    if (marked && (Focused() || !FHideSelection || &Node == FDropTarget)) {
        const bool active = Focused() || &Node == FDropTarget;
        Canvas.FillRect(markArea, CanvasColorOf(active ? clHighlight : clBtnFace));
        font.Color = CanvasColorOf(active ? clHighlightText : clWindowText);
    }
    if (&Node != FEditNode) {
        if (UseRightToLeftReading())
            Canvas.TextOutRightToLeft(Layout.Label.Right - 2, Layout.Label.Top + 1, Node.FText, font);
        else
            Canvas.TextOut(Layout.Label.Left + 2, Layout.Label.Top + 1, Node.FText, font);
    }
    if (Focused() && &Node == FFocusedNode && !IsEditing())
        Canvas.DrawFocusRect(markArea);
}

void TrmCustomPathTreeView::PaintLines(platform::Canvas& Canvas, const TrmTreeNode& Node, const RowLayout& Layout)
{
    if (Layout.Button.IsEmpty())
        return;
    const platform::CanvasColor color = CanvasColorOf(clBtnShadow);
    const int32_t indent = EffectiveIndent();
    const int32_t top = Layout.Row.Top, bottom = Layout.Row.Bottom - 1;
    const int32_t mid = (top + bottom) / 2;
    // Read right to left, the columns run from the right edge.
    const bool rightToLeft = UseRightToLeftReading();
    const int32_t outward = rightToLeft ? indent : -indent; // towards the ancestors' columns
    const int32_t cx = rightToLeft ? Layout.Button.Right - 1 - indent / 2 : Layout.Button.Left + indent / 2;
    // The node's own column: up to its previous sibling or parent, on to its next sibling.
    const bool above = Node.FPrev || Node.FParent;
    Canvas.Line(cx, above ? top : mid, cx, Node.FNext ? bottom : mid, color);
    Canvas.Line(cx, mid, rightToLeft ? Layout.Label.Right : Layout.Label.Left - 1, mid, color);
    // The columns of the ancestors that have siblings still to come.
    int32_t x = cx;
    for (const TrmTreeNode* ancestor = Node.FParent; ancestor; ancestor = ancestor->FParent) {
        x += outward;
        if (x < FClientArea.Left || x >= FClientArea.Right)
            break;
        if (ancestor->FNext)
            Canvas.Line(x, top, x, bottom, color);
    }
}

