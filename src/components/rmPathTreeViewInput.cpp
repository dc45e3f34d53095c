// The path tree view's mouse and keys: selection and opening, the context popup, label
// editing in place, dragging nodes, hot tracking and the hint of cut-off names.
#include "components/rmPathTreeView.h"

#include "graphics/SystemColorNames.h"
#include "platform/AsciiText.h"
#include "platform/Utf8.h"

#include <algorithm>
#include <utility>

namespace {

// Rows a wheel notch (120 units) scrolls, as the desktop's default.
constexpr int32_t kWheelRows = 3;
constexpr platform::KeyCode kEditKey = platform::key::F1 + 1; // F2

bool StartsWithIgnoringCase(std::string_view Text, std::string_view Prefix)
{
    return Text.size() >= Prefix.size() && platform::LowerAscii(Text.substr(0, Prefix.size())) == Prefix;
}

} // namespace

void TrmCustomPathTreeView::MouseDown(platform::MouseButton Button, platform::ShiftState Shift, int32_t X, int32_t Y)
{
    HideNameHint();
    if (FScrollBars.MouseDown(Button, Shift, X, Y))
        return;
    if (IsEditing()) {
        if (FEditChildren->MouseDown(Button, Shift, X, Y))
            return;
        FinishEdit(false); // a press elsewhere ends the edit, keeping the text
    }
    Control::MouseDown(Button, Shift, X, Y);
    TrmTreeNode* node = GetNodeAt(X, Y);
    const THitTests where = GetHitTestInfoAt(X, Y);
    FPressedNode = nullptr;
    if (Button == platform::MouseButton::Left) {
        const bool wasFocused = Focused();
        if (CanFocus())
            SetFocus();
        if (where & hit::htOnButton) {
            node->SetExpanded(!node->Expanded());
        } else if (node && ((where & (hit::htOnLabel | hit::htOnIcon | hit::htOnStateIcon)) || FRowSelect)) {
            // A press on the label of the node already selected in the focused view edits
            // it once the button comes up without a drag.
            FPressWasOnSelectedLabel = wasFocused && node == FSelected && (where & hit::htOnLabel) &&
                                       !(Shift & platform::shift::Double);
            SetSelected(node);
            FPressedNode = node;
            FPressPoint = {X, Y};
            if (DragMode() == dmAutomatic)
                BeginDrag(false);
            // The second press of a double click on a label opens or closes the node.
            if ((Shift & platform::shift::Double) && (where & hit::htOnLabel))
                node->SetExpanded(!node->Expanded());
        }
    } else if (Button == platform::MouseButton::Right) {
        // The context popup follows when the button comes up (ContextPopup).
        if (FRightClickSelect && node) {
            SetSelected(node);
            FRightClickNode = node;
        }
    }
}

void TrmCustomPathTreeView::ContextPopup(platform::Point MousePos, bool& Handled)
{
    Control::ContextPopup(MousePos, Handled);
    FRightClickNode = nullptr;
}

void TrmCustomPathTreeView::MouseMove(platform::ShiftState Shift, int32_t X, int32_t Y)
{
    if (FScrollBars.MouseMove(Shift, X, Y)) {
        // Over its own scroll bars the mouse is over no node.
        SetHotNode(nullptr);
        HideNameHint();
        return;
    }
    if (IsEditing() && FEditChildren->MouseMove(Shift, X, Y))
        return;
    Control::MouseMove(Shift, X, Y);
    if ((Shift & (platform::shift::Left | platform::shift::Right | platform::shift::Middle)) == 0) {
        UpdateHotNode(X, Y);
        UpdateNameHint(X, Y);
    }
}

void TrmCustomPathTreeView::MouseUp(platform::MouseButton Button, platform::ShiftState Shift, int32_t X, int32_t Y)
{
    if (FScrollBars.MouseUp(Button, Shift, X, Y))
        return;
    if (IsEditing() && FEditChildren->MouseUp(Button, Shift, X, Y))
        return;
    if (Button == platform::MouseButton::Left) {
        if (FPressedNode && FPressWasOnSelectedLabel && GetNodeAt(X, Y) == FPressedNode) {
            BeginEdit(FPressedNode);
        }
        FPressedNode = nullptr;
        FPressWasOnSelectedLabel = false;
    } else if (Button == platform::MouseButton::Right && !ClientRect().Contains(X, Y)) {
        FRightClickNode = nullptr; // released elsewhere: no context popup comes
    }
    Control::MouseUp(Button, Shift, X, Y);
}

void TrmCustomPathTreeView::MouseLeave()
{
    FScrollBars.MouseLeave();
    if (IsEditing())
        FEditChildren->MouseLeave();
    HideNameHint();
    SetHotNode(nullptr);
    Control::MouseLeave();
}

void TrmCustomPathTreeView::KeyPress(char32_t& Key)
{
    if (IsEditing() && FEditChildren->KeyPress(Key))
        return;
    Control::KeyPress(Key);
    if (std::exchange(FSkipKeyPress, false))
        return;
    if (Key >= 0x20 && Key != 0x7F && !IsEditing())
        TypeAhead(Key);
}

void TrmCustomPathTreeView::TypeAhead(char32_t Key)
{
    std::string letter;
    platform::AppendUtf8(letter, Key);
    letter = platform::LowerAscii(letter);
    FTypedPrefix += letter;
    FTypeAheadTimer.SetEnabled(false);
    FTypeAheadTimer.SetInterval(kTypeAheadPauseMs);
    FTypeAheadTimer.SetEnabled(true);
    // One letter typed again and again steps through the nodes starting with it; a longer
    // text keeps the selected node while it still starts with it.
    bool oneLetter = true;
    for (size_t at = 0; oneLetter && at < FTypedPrefix.size(); at += letter.size())
        oneLetter = FTypedPrefix.compare(at, letter.size(), letter) == 0;
    TrmTreeNode* from = FSelected && oneLetter ? FSelected->GetNextVisible() : FSelected;
    if (TrmTreeNode* found = NextNodeStartingWith(from, oneLetter ? letter : FTypedPrefix))
        SetSelected(found);
}

void TrmCustomPathTreeView::EndTypeAhead()
{
    FTypeAheadTimer.SetEnabled(false);
    FTypedPrefix.clear();
}

TrmTreeNode* TrmCustomPathTreeView::NextNodeStartingWith(TrmTreeNode* From, std::string_view Prefix) const
{
    // The shown nodes from From on, then from the first one round to From.
    TrmTreeNode* start = From ? From : FTreeNodes->FFirst;
    for (TrmTreeNode* node = start; node; node = node->GetNextVisible())
        if (StartsWithIgnoringCase(node->FText, Prefix))
            return node;
    for (TrmTreeNode* node = FTreeNodes->FFirst; node && node != start; node = node->GetNextVisible())
        if (StartsWithIgnoringCase(node->FText, Prefix))
            return node;
    return nullptr;
}

// ---- Label editing, dragging, hot tracking, the name hint --------------------------------

bool TrmCustomPathTreeView::BeginEdit(TrmTreeNode* Node)
{
    if (!Node || FReadOnly || FDragNode || !CanEdit(Node))
        return false;
    FinishEdit(false);
    HideNameHint();
    Node->MakeVisible();
    const RowLayout layout = LayoutOf(Node, RowOf(Node));
    // A little wider than the text, to type on; no wider than the client area.
    const int32_t width = std::max(layout.Label.Width() + Measure("W").Width * 2, EffectiveIndent() * 2);
    // Read right to left, the edit grows leftwards from the label's right edge.
    const int32_t left = UseRightToLeftReading() ? std::max(layout.Label.Right - width, FClientArea.Left)
                                                 : layout.Label.Left;
    const int32_t right = UseRightToLeftReading() ? layout.Label.Right
                                                  : std::min(layout.Label.Left + width, FClientArea.Right);
    FEditNode = Node;
    FEdit->SetFont(Font());
    FEdit->SetBounds(left, layout.Label.Top, std::max(right - left, 1), layout.Label.Height());
    FEdit->SetText(Node->FText);
    FEdit->SetVisible(true);
    FEditChildren->FocusChild(FEdit.get());
    FEdit->SelectAll();
    Invalidate();
    return true;
}

void TrmCustomPathTreeView::FinishEdit(bool Cancel)
{
    if (!FEditNode)
        return;
    TrmTreeNode* node = FEditNode;
    FEditNode = nullptr;
    std::string text = FEdit->Text();
    FEditChildren->FocusChild(nullptr);
    FEdit->SetVisible(false);
    if (!Cancel && !FDestroying) {
        Edit(node, text);
        node->SetText(text);
    }
    Invalidate();
}

void TrmCustomPathTreeView::DoStartDrag()
{
    // A drag of a node: the pressed one, or the selected one when the drag was begun
    // otherwise. A dock drag moves the view, not a node.
    TrmTreeNode* node = FPressedNode ? FPressedNode : FSelected;
    FPressedNode = nullptr;
    FPressWasOnSelectedLabel = false;
    if (DragKind() == dkDrag && node) {
        FDragNode = node;
        FHotNode = nullptr;
        HideNameHint();
        // The drag image is the node's label, held where the mouse took it.
        FDragImage = LayoutOf(node, RowOf(node)).Label;
        FDragPoint = FPressPoint;
        MakeDragImage(*node);
    }
    Control::DoStartDrag();
}

void TrmCustomPathTreeView::MakeDragImage(const TrmTreeNode& Node)
{
    // The dragged label, framed, on the view's colour.
    FDragImages.Bitmaps()->Clear();
    constexpr TColor32 kOpaque = 0xFF000000u;
    TBitmap32& image = *FDragImages.Bitmaps()->Add()->Bitmap();
    image.SetSize(FDragImage.Width(), FDragImage.Height());
    image.Clear(kOpaque | Color());
    image.FrameRectS(0, 0, image.Width(), image.Height(), kOpaque | CanvasColorOf(clBtnShadow));
    image.SetFont(Font());
    image.Textout(2, 1, Node.FText);
}

void TrmCustomPathTreeView::DragMoved(int32_t X, int32_t Y)
{
    if (!FDragNode)
        return;
    FDragImage = FDragImage.Offset(X - FDragPoint.X, Y - FDragPoint.Y);
    FDragPoint = {X, Y};
    Invalidate();
}

void TrmCustomPathTreeView::DragOver(TObject* Source, int32_t X, int32_t Y, TDragOverState State, bool& Accept)
{
    Control::DragOver(Source, X, Y, State, Accept);
    // What is dragged over the view lands on the node under the mouse.
    SetDropTarget(Accept && State != dsDragLeave ? GetNodeAt(X, Y) : nullptr);
}

void TrmCustomPathTreeView::DoEndDrag(Control* Target, int32_t X, int32_t Y)
{
    FDragNode = nullptr;
    FDragImage = {};
    FDragImages.Bitmaps()->Clear();
    SetDropTarget(nullptr);
    Invalidate();
    Control::DoEndDrag(Target, X, Y);
}

void TrmCustomPathTreeView::UpdateHotNode(int32_t X, int32_t Y)
{
    if (FHotTrack)
        SetHotNode((GetHitTestInfoAt(X, Y) & hit::htOnItem) ? GetNodeAt(X, Y) : nullptr);
}

void TrmCustomPathTreeView::SetHotNode(TrmTreeNode* Node)
{
    if (Node == FHotNode)
        return;
    FHotNode = Node;
    Invalidate();
}

void TrmCustomPathTreeView::UpdateNameHint(int32_t X, int32_t Y)
{
    if (!FToolTips || IsEditing())
        return;
    const TrmTreeNode* node = (GetHitTestInfoAt(X, Y) & hit::htOnItem) ? GetNodeAt(X, Y) : nullptr;
    const platform::Rect label = node ? LayoutOf(node, RowOf(node)).Label : platform::Rect{};
    const bool cutOff = UseRightToLeftReading() ? label.Left < FClientArea.Left : label.Right > FClientArea.Right;
    if (!node || !cutOff) {
        HideNameHint();
        return;
    }
    if (FHint->Owner() == this && FHint->Window().Visible() && FHint->Window().Caption() == node->FText)
        return;
    const platform::Point topLeft = ClientToScreen({label.Left, label.Top});
    FHint->Show(*this, label.Offset(topLeft.X - label.Left, topLeft.Y - label.Top), node->FText, Font());
}

void TrmCustomPathTreeView::HideNameHint()
{
    FHint->Hide(*this);
}

void TrmCustomPathTreeView::KeyDown(platform::KeyCode& Key, platform::ShiftState Shift)
{
    FSkipKeyPress = false;
    if (IsEditing()) {
        // Enter keeps the typed text, Escape drops it; the rest is the edit's.
        if (Key == platform::key::Return || Key == platform::key::Escape) {
            FinishEdit(Key == platform::key::Escape);
            Key = 0;
        } else {
            FEditChildren->KeyDown(Key, Shift);
        }
        return;
    }
    Control::KeyDown(Key, Shift);
    if (Key == kEditKey && FSelected) {
        BeginEdit(FSelected);
        return;
    }
    TrmTreeNode* selected = FSelected;
    const int32_t row = RowOf(selected);
    const int32_t page = std::max(RowsThatFit() - 1, 1);
    TrmTreeNode* target = nullptr;
    switch (Key) {
    case platform::key::Up: target = selected ? selected->GetPrevVisible() : FTreeNodes->FFirst; break;
    case platform::key::Down: target = selected ? selected->GetNextVisible() : FTreeNodes->FFirst; break;
    case platform::key::Home: target = FTreeNodes->FFirst; break;
    case platform::key::End: target = NodeAtRow(ShownRowCount() - 1); break;
    case platform::key::PageUp: target = NodeAtRow(std::max(row - page, 0)); break;
    case platform::key::PageDown: target = NodeAtRow(std::min(row + page, ShownRowCount() - 1)); break;
    case platform::key::Left:
        if (selected && selected->Expanded())
            selected->Collapse(false);
        else if (selected)
            target = selected->FParent;
        break;
    case platform::key::Right:
        if (selected && !selected->Expanded() && selected->MayOpen())
            selected->Expand(false);
        else if (selected)
            target = selected->FFirstChild;
        break;
    case platform::key::Back: target = selected ? selected->FParent : nullptr; break;
    case platform::key::Add:
        if (selected)
            selected->Expand(false);
        break;
    case platform::key::Subtract:
        if (selected)
            selected->Collapse(false);
        break;
    case platform::key::Multiply:
        if (selected)
            selected->Expand(true);
        break;
    default: return;
    }
    // The key's character, if one follows, is no type-ahead.
    FSkipKeyPress = true;
    if (target)
        SetSelected(target);
}

bool TrmCustomPathTreeView::DoMouseWheel(platform::ShiftState Shift, int32_t WheelDelta, platform::Point MousePos)
{
    Control::DoMouseWheel(Shift, WheelDelta, MousePos);
    FTopRow -= WheelDelta / 120 * kWheelRows;
    UpdateScrollRange();
    Invalidate();
    return true;
}

void TrmCustomPathTreeView::Resize()
{
    Relayout();
    Control::Resize();
}

void TrmCustomPathTreeView::DoEnter()
{
    Control::DoEnter();
    FEditChildren->ParentFocusChanged(true);
    Invalidate();
}

void TrmCustomPathTreeView::DoExit()
{
    // Leaving the view ends an edit with the text typed.
    FinishEdit(false);
    FEditChildren->ParentFocusChanged(false);
    Control::DoExit();
    Invalidate();
}

