// The inspector as the user meets it: selection and the in-place editor's life cycle,
// keys, mouse, scrolling, painting and hints.
#include "inspector/rmInspector.h"

#include "graphics/SystemColorNames.h"
#include "inspector/rmFrames.h"
#include "inspector/rmInspectorEditors.h"
#include "inspector/rmLibraryRanges.h"
#include "platform/Exception.h"
#include "platform/OffsetCanvas.h"
#include "platform/ScopedFlag.h"
#include "platform/TextRasterizer.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <utility>

namespace {

constexpr int32_t kGlyphSize = 9;

using platform::CanvasColor;
using platform::Rect;

bool NoShiftKeys(platform::ShiftState Shift)
{
    return (Shift & platform::shift::Keys) == 0;
}

// Whether an event's key (its first value) was set to none; false for focus events.
bool KeyCleared()
{
    return false;
}
template <class Key, class... Rest>
bool KeyCleared(const Key& key, const Rest&...)
{
    return key == Key(0);
}

// The value as the user chose it: its text, and for a choice its place in the list too,
// since two choices may read alike.
std::pair<std::string, int32_t> ChosenValue(const TrmCustomInspectorItem& Item)
{
    const auto* choice = dynamic_cast<const TrmComboInspectorItem*>(&Item);
    return {Item.AsString(), choice ? choice->ItemIndex() : -1};
}

// The expand / collapse box: a framed square with a minus, and a plus while collapsed.
void PaintFoldGlyph(platform::Canvas& Canvas, int32_t X, int32_t Top, bool Expanded)
{
    const CanvasColor frame = CanvasColorOf(clBtnShadow), sign = CanvasColorOf(clBtnText);
    Canvas.FillRect({X, Top, X + kGlyphSize, Top + kGlyphSize}, CanvasColorOf(clWindow));
    Canvas.FrameRect({X, Top, X + kGlyphSize, Top + kGlyphSize}, frame);
    const int32_t middle = kGlyphSize / 2;
    Canvas.Line(X + 2, Top + middle, X + kGlyphSize - 3, Top + middle, sign);
    if (!Expanded)
        Canvas.Line(X + middle, Top + 2, X + middle, Top + kGlyphSize - 3, sign);
}

// The selected-row arrow: a small triangle pointing right.
void PaintIndicatorGlyph(platform::Canvas& Canvas, int32_t X, int32_t Top)
{
    const CanvasColor color = CanvasColorOf(clBtnText);
    for (int32_t i = 0; i < 4; ++i)
        Canvas.Line(X + 2 + i, Top + i, X + 2 + i, Top + kGlyphSize - 1 - i, color);
}

// The start of Text that reaches past Width pixels, whole characters (all of Text when
// it is narrower): the rest lies beyond a cell that wide, so a long value costs no more
// to draw than a short one.
std::string_view LeadingText(platform::Canvas& Canvas, std::string_view Text, const platform::FontSpec& Font,
                             int32_t Width)
{
    for (size_t length = 64; length < Text.size(); length *= 2) {
        size_t cut = length;
        while (cut < Text.size() && (uint8_t(Text[cut]) & 0xC0) == 0x80)
            ++cut; // not inside a character's UTF-8 bytes
        if (Canvas.TextExtent(Text.substr(0, cut), Font).Width > Width)
            return Text.substr(0, cut);
    }
    return Text;
}

} // namespace

// ---- Selection and the editor

TrmCustomInspectorItem* TrmInspector::CommittingItem() const
{
    TrmCustomInspectorItem* item = ItemOf(FCurrentNode);
    return item && !FReadonly && item->Editabled() && FEditor ? item : nullptr;
}

int32_t TrmInspector::ItemIndex() const
{
    return VisibileNodeIndex(FSelectedNode);
}

void TrmInspector::SetItemIndex(int32_t Index)
{
    Index = SetInRange(Index, -1, VisibleItemCount() - 1);
    if (GetVisibleItem(Index) == FSelectedNode)
        return;
    if (OnItemIndexChanging) {
        bool allowChange = true;
        OnItemIndexChanging(ItemOf(FCurrentNode), ItemOf(GetVisibleItem(Index)), allowChange);
        if (!allowChange)
            return;
        // The handler may have rebuilt the rows: the row is looked up afresh.
        Index = SetInRange(Index, -1, VisibleItemCount() - 1);
    }
    // Committed before anything changes: a refused value leaves the selection as it was.
    // Reporting the commit may rebuild the rows, so the row is looked up after it.
    CommitEditor();
    Index = SetInRange(Index, -1, VisibleItemCount() - 1);
    TrmTreeNonViewNode* node = GetVisibleItem(Index);
    if (node == FSelectedNode)
        return;
    if (TrmTreeNonViewNode* old = FCurrentNode) {
        FCurrentNode = nullptr;
        FreeEditor();
        UpdateText(old->Parent());
    }
    FSelectedNode = node;
    if (TrmCustomInspectorItem* item = ItemOf(node); item && item->Editabled())
        CreateEditor(*item, node, Index);
    if (OnItemIndexChanged)
        OnItemIndexChanged(this);
    Invalidate();
}

void TrmInspector::CreateEditor(TrmCustomInspectorItem& Item, TrmTreeNonViewNode* Node, int32_t Row)
{
    const TrmCustomInspectorItem::TEditorClass editorClass = Item.EditorClass();
    if (!editorClass)
        return;
    FEditor = editorClass(*this);
    FEditor->SetVisible(false);
    FChildren.Add(*FEditor);
    if (OnEditorCreated)
        OnEditorCreated(this);
    FEditorOwnKeyDown = std::move(FEditor->OnKeyDown);
    FEditor->OnKeyDown = [this](TObject* Sender, platform::KeyCode& Key, platform::ShiftState Shift) {
        EditorKeyDown(Sender, Key, Shift);
    };
    HearEditorFirst(*FEditor);
    Item.SetupEditor(*this, *FEditor);
    PutValueIntoEditor(Item);
    FCurrentNode = Node;
    PlaceEditor(Row);
    if (FReadonly)
        FFocusEditor = false;
    else
        FEditor->SetVisible(true);
    if (TNotifyEvent* change = EditorChangeEventOf(*FEditor)) {
        FEditorOwnChange = std::move(*change);
        *change = [this](TObject* Sender) { EditorChange(Sender); };
    }
    if (FFocusEditor && FEditor->CanFocus())
        FEditor->SetFocus();
}

void TrmInspector::HearEditorFirst(platform::Control& Editor)
{
    auto first = [this](auto& editorEvent, const auto& inspectorEvent) {
        editorEvent = [this, &inspectorEvent, own = std::move(editorEvent)](TObject* Sender, auto&&... args) {
            // A retired editor no longer speaks for the inspector.
            if (inspectorEvent && Sender == FEditor.get())
                inspectorEvent(Sender, args...);
            if (own && !KeyCleared(args...))
                own(Sender, args...);
        };
    };
    first(Editor.OnEnter, OnEditorEnter);
    first(Editor.OnExit, OnEditorExit);
    first(Editor.OnKeyUp, OnEditorKeyUp);
    first(Editor.OnKeyPress, OnEditorKeyPress);
}

void TrmInspector::FreeEditor()
{
    if (!FEditor)
        return;
    FEditor->OnKeyDown = std::move(FEditorOwnKeyDown);
    FEditorOwnKeyDown = nullptr;
    if (TNotifyEvent* change = EditorChangeEventOf(*FEditor)) {
        *change = std::move(FEditorOwnChange);
        FEditorOwnChange = nullptr;
    }
    FChildren.Remove(*FEditor);
    FEditor->SetVisible(false);
    FRetiredEditors.push_back(std::move(FEditor));
}

void TrmInspector::PlaceEditor(int32_t Row)
{
    if (!FEditor)
        return;
    const Rect client = ClientArea();
    Rect bounds = CellsOfRow(Row).Value.Offset(client.Left, client.Top);
    bounds.Top += 5;
    bounds.Bottom -= 2;
    FEditor->SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
}

void TrmInspector::KeepEditorWithRow()
{
    if (!FEditor)
        return;
    const int32_t row = ItemIndex();
    if (row >= FTopIndex && row < FTopIndex + RowsInView())
        PlaceEditor(row);
    else
        FEditor->SetTop(Height() + 1); // out of reach of the clicks meant for the rows shown
}

void TrmInspector::PutValueIntoEditor(TrmCustomInspectorItem& Item)
{
    // The editor reports the value it is given as a change; that is not the user's.
    platform::ScopedFlag putting(FPuttingValue);
    Item.SetValueIntoEditor(*FEditor);
}

bool TrmInspector::EditorHoldsTyping() const
{
    const auto* edit = dynamic_cast<const TCustomEdit*>(FEditor.get());
    return edit && edit->Modified();
}

bool TrmInspector::CommitEditor()
{
    TrmCustomInspectorItem* item = CommittingItem();
    if (!item)
        return false;
    const auto before = ChosenValue(*item);
    item->GetValueFromEditor(*FEditor);
    if (auto* edit = dynamic_cast<TCustomEdit*>(FEditor.get()))
        edit->SetModified(false);
    const bool changed = ChosenValue(*item) != before;
    if (changed && OnItemChange)
        OnItemChange(FEditor.get());
    // The editor shows what the row kept: a refused value leaves it now.
    if (TrmCustomInspectorItem* current = CommittingItem())
        PutValueIntoEditor(*current);
    return changed;
}

void TrmInspector::EditorChange(TObject* Sender)
{
    // What the handlers make of typed text does not go back under the caret.
    const platform::ScopedFlag typed(FTypedChange, !FPuttingValue && EditorHoldsTyping());
    bool changed = false, halfTyped = false;
    if (TrmCustomInspectorItem* item = FPuttingValue ? nullptr : CommittingItem()) {
        const auto before = ChosenValue(*item);
        try {
            item->GetValueFromEditor(*FEditor);
        } catch (const EConvertError&) {
            // A number still being typed ("-") is no value yet: the row keeps its
            // own, and the editor its text, until the edit is committed.
            halfTyped = true;
        }
        changed = ChosenValue(*item) != before;
    }
    if (FEditorOwnChange)
        FEditorOwnChange(Sender);
    if (FPuttingValue)
        return;
    if (changed && OnItemChange)
        OnItemChange(Sender);
    if (FCurrentNode)
        UpdateText(FCurrentNode->Parent());
    if (halfTyped)
        RequestRepaint();
    else
        Invalidate();
}

void TrmInspector::FocusInspector()
{
    FChildren.FocusChild(nullptr);
    SetFocus();
}

void TrmInspector::EditorKeyDown(TObject* Sender, platform::KeyCode& Key, platform::ShiftState Shift)
{
    // Moving the selection retires the editor, handlers and all: keep what is still to run.
    const KeyEvent ownKeyDown = FEditorOwnKeyDown;
    if (OnEditorKeyDown) {
        OnEditorKeyDown(Sender, Key, Shift);
        if (Key == platform::key::None)
            return;
    }
    if (NoShiftKeys(Shift)) {
        const int32_t index = ItemIndex();
        switch (Key) {
        case platform::key::Up:
        case platform::key::Down:
            if (Key == platform::key::Down || index - 1 >= 0)
                SetItemIndex(Key == platform::key::Down ? index + 1 : index - 1);
            Key = platform::key::None;
            // The new row stays in view, as with the inspector's own keys.
            ScrollToVisible();
            UpdateVScrollBar();
            Invalidate();
            break;
        case platform::key::Tab:
            Key = platform::key::None;
            FFocusEditor = false;
            FocusInspector();
            Invalidate();
            break;
        case platform::key::Return:
            if (FEditor && FEditor->Visible())
                CommitEditor();
            RequestRepaint();
            break;
        case platform::key::Escape:
            if (FEditor && FEditor->Visible())
                if (TrmCustomInspectorItem* item = ItemOf(FCurrentNode))
                    PutValueIntoEditor(*item);
            break;
        default:
            break;
        }
    }
    if (ownKeyDown)
        ownKeyDown(Sender, Key, Shift);
    if (OnItemKeyDown)
        OnItemKeyDown(Sender, Key, Shift);
}

void TrmInspector::ComplexEditClick(TObject* Sender)
{
    if (OnComplexEdit)
        OnComplexEdit(Sender);
}

// ---- Scrolling

void TrmInspector::ScrollToVisible()
{
    const int32_t lines = VisibleLines();
    const int32_t index = ItemIndex();
    if (index < FTopIndex)
        FTopIndex = index;
    else if (index > FTopIndex + lines - 2)
        FTopIndex = index - (lines - 2);
    if (FTopIndex < 0) {
        FTopIndex = 0;
        SetItemIndex(0);
    }
    KeepEditorWithRow();
}

void TrmInspector::UpdateVScrollBar()
{
    const int32_t range = VScrollSize();
    FTopIndex = std::clamp(FTopIndex, 0, range);
    const bool shown = FShowVScrollBars && range > 0;
    PlaceScrollBar();
    if (shown)
        FVScrollBar.SetScrollInfo(range, VisibleLines(), FTopIndex);
    if (shown != FVScrollBar.Visible()) {
        FVScrollBar.SetVisible(shown);
        setSplit(FSplitWanted); // the client area changed; comes back here
        return;
    }
    KeepEditorWithRow();
}

void TrmInspector::VScroll(TrmScrollCode Code, int32_t Position)
{
    FTopIndex = ScrolledTopIndex(Code, Position, FTopIndex, VisibleLines(), VisibleItemCount() - VisibleLines());
    UpdateVScrollBar();
    Invalidate();
}

void TrmInspector::Resize()
{
    UpdateVScrollBar();
    setSplit(FSplitWanted);
    Control::Resize();
}

// ---- Keys

void TrmInspector::KeyDown(platform::KeyCode& Key, platform::ShiftState Shift)
{
    if (FChildren.KeyDown(Key, Shift)) {
        DropRetiredEditors();
        return;
    }
    HideHint();
    if (!NoShiftKeys(Shift)) {
        Control::KeyDown(Key, Shift);
        return;
    }
    const int32_t index = ItemIndex();
    TrmTreeNonViewNode* selected = GetVisibleItem(index);
    switch (Key) {
    case platform::key::Tab:
        if (!FReadonly && FEditor) {
            FFocusEditor = true;
            FEditor->SetFocus();
        }
        break;
    case platform::key::PageUp:
        SetItemIndex(std::max(index - (VisibleLines() - 1), 0));
        break;
    case platform::key::PageDown:
        SetItemIndex(index + (VisibleLines() - 1));
        break;
    case platform::key::Left:
    case platform::key::Right:
        if (selected && selected->GetChildren())
            selected->SetExpanded(Key == platform::key::Right);
        break;
    case platform::key::Up:
        if (index - 1 >= 0)
            SetItemIndex(index - 1);
        break;
    case platform::key::Down:
        SetItemIndex(index + 1);
        break;
    default:
        Control::KeyDown(Key, Shift);
        return;
    }
    Key = platform::key::None;
    ScrollToVisible();
    UpdateVScrollBar();
    Invalidate();
    DropRetiredEditors();
}

void TrmInspector::KeyUp(platform::KeyCode& Key, platform::ShiftState Shift)
{
    if (FChildren.KeyUp(Key, Shift))
        DropRetiredEditors();
    else
        Control::KeyUp(Key, Shift);
}

void TrmInspector::KeyPress(char32_t& Key)
{
    if (FChildren.KeyPress(Key))
        DropRetiredEditors();
    else
        Control::KeyPress(Key);
}

void TrmInspector::DoEnter()
{
    FChildren.ParentFocusChanged(true);
    // The keys go back to the editor that had them when the focus left (for a dialog).
    if (FFocusEditor && FEditor && FEditor->Visible() && !FEditor->Focused() && FEditor->CanFocus())
        FEditor->SetFocus();
    Control::DoEnter();
}

void TrmInspector::DoExit()
{
    HideHint();
    if (FEditor && FEditor->Visible())
        CommitEditor();
    FChildren.ParentFocusChanged(false);
    Control::DoExit();
}

// ---- Mouse

int32_t TrmInspector::RowAt(int32_t Y)
{
    return Y / ItemHeight() + FTopIndex;
}

void TrmInspector::MouseDown(platform::MouseButton Button, platform::ShiftState Shift, int32_t X, int32_t Y)
{
    if (!FSplitDragging && FChildren.MouseDown(Button, Shift, X, Y)) {
        DropRetiredEditors();
        return;
    }
    const Rect client = ClientArea();
    if (Button != platform::MouseButton::Left || !client.Contains(X, Y)) {
        Control::MouseDown(Button, Shift, X, Y);
        return;
    }
    HideHint();
    if (CanFocus())
        FocusInspector();
    X -= client.Left;
    Y -= client.Top;
    if (FSplitResize && std::abs(X - FSplitPos) <= 1) {
        FSplitDragging = true;
        return;
    }
    const int32_t row = (Y - 1) / ItemHeight() + FTopIndex;
    if (TrmTreeNonViewNode* node = GetVisibleItem(row)) {
        const int32_t oldIndex = ItemIndex();
        FFocusEditor = X > FSplitPos && !FReadonly;
        SetItemIndex(row);
        bool folded = false;
        if (X < FSplitPos && node->GetChildren()) {
            node->SetExpanded(!node->Expanded());
            folded = true;
        } else if (FFocusEditor && ItemIndex() == oldIndex && FEditor && FEditor->CanFocus()) {
            // A click beside the open editor of the selected row goes into the editor too.
            FEditor->SetFocus();
        }
        ScrollToVisible();
        UpdateVScrollBar();
        if (folded || ItemIndex() != oldIndex)
            Invalidate();
    }
    Control::MouseDown(Button, Shift, X + client.Left, Y + client.Top);
    DropRetiredEditors();
}

void TrmInspector::MouseMove(platform::ShiftState Shift, int32_t X, int32_t Y)
{
    const Rect client = ClientArea();
    X -= client.Left;
    Y -= client.Top;
    if (FSplitDragging) {
        if (X != FSplitPos) {
            setSplit(X);
            KeepEditorWithRow();
            RequestRepaint();
        }
        return;
    }
    if (FChildren.MouseMove(Shift, X + client.Left, Y + client.Top))
        return;
    ShowCursor(FSplitResize && std::abs(X - FSplitPos) <= 1 ? platform::cursor::HSplit : platform::cursor::Default);
    const int32_t row = RowAt(Y);
    const bool leftOnly = (Shift & (platform::shift::Left | platform::shift::Right | platform::shift::Middle)) ==
                          platform::shift::Left;
    if (leftOnly && Focused()) {
        if (row != ItemIndex() && row >= 0 && row < VisibleItemCount()) {
            SetItemIndex(row);
            ScrollToVisible();
            Invalidate();
            DropRetiredEditors();
        }
    } else if ((Shift & (platform::shift::Left | platform::shift::Right | platform::shift::Middle)) == 0) {
        ShowHintAt(X, Y);
    }
    Control::MouseMove(Shift, X + client.Left, Y + client.Top);
}

void TrmInspector::MouseUp(platform::MouseButton Button, platform::ShiftState Shift, int32_t X, int32_t Y)
{
    if (FSplitDragging) {
        FSplitDragging = false;
        return;
    }
    if (FChildren.MouseUp(Button, Shift, X, Y)) {
        DropRetiredEditors();
        return;
    }
    Control::MouseUp(Button, Shift, X, Y);
}

void TrmInspector::MouseLeave()
{
    HideHint();
    FChildren.MouseLeave();
    Control::MouseLeave();
}

bool TrmInspector::DoMouseWheel(platform::ShiftState /*Shift*/, int32_t WheelDelta, platform::Point /*MousePos*/)
{
    // Turning the wheel away from the user shows earlier rows.
    const int32_t position = FShowVScrollBars ? FTopIndex : 0;
    FTopIndex = std::clamp(position - WheelDelta / ItemHeight(), 0, VScrollSize());
    UpdateVScrollBar();
    Invalidate();
    return true;
}

// ---- Painting

void TrmInspector::Paint(platform::Canvas& Canvas)
{
    DropRetiredEditors();
    PaintWindowBorder(Canvas, ClientRect(), FBorderStyle, Ctl3D());
    const Rect client = ClientArea();
    {
        platform::OffsetCanvas rows(Canvas, {client.Left, client.Top}, client);
        rows.FillRect({0, 0, client.Width(), client.Height()}, CanvasColorOf(clBtnFace));
        const int32_t count = RowsInView();
        const TrmTreeNonViewNode* node = GetVisibleItem(FTopIndex);
        for (int32_t r = 0; r < count && node; ++r) {
            PaintRow(rows, *node, FTopIndex + r, node == FSelectedNode);
            node = NextVisibleNode(node);
        }
    }
    KeepEditorWithRow();
    FChildren.Paint(Canvas);
}

void TrmInspector::PaintRow(platform::Canvas& Canvas, const TrmTreeNonViewNode& Node, int32_t Row, bool Selected)
{
    const RowCells cells = CellsOfRow(Row);
    const int32_t height = cells.Name.Height();
    const int32_t indent = Node.Level() * kIndentPerLevel;
    const TrmCustomInspectorItem* item = ItemOf(&Node);
    const int32_t textHeight = Canvas.TextExtent("Wg", Font()).Height;
    const int32_t textTop = (height - textHeight) / 2;

    platform::FontSpec font = Font();
    font.Color = CanvasColorOf(clBtnText);
    Canvas.FillRect(cells.Name, CanvasColorOf(clBtnFace));
    Canvas.SetClipRect(cells.Name);
    Canvas.TextOut(indent + kIndentPerLevel, cells.Name.Top + textTop, Node.Text(), font);
    Canvas.RemoveClip();

    if (Selected && item)
        font.Color = CanvasColorOf(clWindowText);
    Canvas.FillRect(cells.Value, CanvasColorOf(Selected ? FSelectedItemBgColor : clBtnFace));
    Canvas.SetClipRect(cells.Value);
    const std::string value = item ? item->AsString() : std::string();
    Canvas.TextOut(cells.Value.Left + 2, cells.Value.Top + textTop,
                   LeadingText(Canvas, value, font, cells.Value.Width()), font);
    Canvas.RemoveClip();

    const int32_t glyphTop = cells.Name.Top + (height - kGlyphSize) / 2;
    if (Node.GetChildren())
        PaintFoldGlyph(Canvas, indent + 1, glyphTop, Node.Expanded());
    if (Selected && !FFocusEditor)
        PaintIndicatorGlyph(Canvas, 0, glyphTop);

    const int32_t bottom = cells.Name.Bottom;
    const int32_t right = ClientWidth() - 1;
    Canvas.Line(0, bottom - 1, right, bottom - 1, CanvasColorOf(Selected ? clBtnHighlight : clBtnShadow));
    Canvas.Line(0, bottom - 2, right, bottom - 2, CanvasColorOf(clBtnFace));
    Canvas.Line(FSplitPos - 1, cells.Name.Top - 1, FSplitPos - 1, bottom - 1, CanvasColorOf(clBtnShadow));
    Canvas.Line(FSplitPos, cells.Name.Top - 1, FSplitPos, bottom - 1, CanvasColorOf(clBtnHighlight));
}

// ---- Hints

int32_t TrmInspector::TextWidth(const std::string& Text) const
{
    return platform::CurrentTextRasterizer().TextExtent(Text, Font()).Width;
}

void TrmInspector::HideHint()
{
    FHint->Hide(*this);
}

void TrmInspector::ShowHintAt(int32_t X, int32_t Y)
{
    const int32_t row = RowAt(Y);
    TrmTreeNonViewNode* node = GetVisibleItem(row);
    if (!node) {
        HideHint();
        return;
    }
    const int32_t top = (row - FTopIndex) * ItemHeight();
    const int32_t height = ItemHeight();
    if (X > FSplitPos) {
        const TrmCustomInspectorItem* item = ItemOf(node);
        const int32_t width = item && node != FCurrentNode ? TextWidth(item->AsString()) : 0;
        if (item && node != FCurrentNode && width > ClientWidth() - FSplitPos)
            SetNewHint(node, {FSplitPos - 1, top, FSplitPos - 1 + width + 3, top + height}, true);
        else
            HideHint();
        return;
    }
    const int32_t indent = node->Level() * kIndentPerLevel;
    const int32_t width = TextWidth(node->Text());
    if (indent + kIndentPerLevel + width > FSplitPos)
        SetNewHint(node, {indent + 12, top, indent + 12 + width + 3, top + height}, false);
    else
        HideHint();
}

void TrmInspector::SetNewHint(TrmTreeNonViewNode* Node, const Rect& Rect, bool IsValue)
{
    if (!FToolTip || !Node) {
        HideHint();
        return;
    }
    const TrmCustomInspectorItem* item = ItemOf(Node);
    const std::string text = IsValue && item ? item->AsString() : Node->Text();
    if (FHint->Owner() == this && FHint->Window().Visible() && FHint->Window().Caption() == text)
        return;
    const platform::Point topLeft = ClientToScreen({Rect.Left + ClientArea().Left, Rect.Top + ClientArea().Top});
    FHint->Show(*this, Rect.Offset(topLeft.X - Rect.Left, topLeft.Y - Rect.Top), text, Font());
}
