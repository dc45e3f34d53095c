#pragma once
// The property inspector: a tree of name/value rows in two columns divided by a split
// bar. Each row is a node of an internal tree of named nodes (separator #1) whose data
// holds the row's item; the inspector owns the items. Selecting an editable row opens the
// item's in-place editor over the value cell; every change in the editor is committed to
// the item at once and reported through OnItemChange, and the button of a long-text row
// reports OnComplexEdit.
//
// Geometry (client pixels, H = ItemHeight()): the client area lies inside the border (a
// two-pixel sunken edge for bsSingle) and left of the vertical scroll bar, which shows
// while there is something to scroll. Row r lies at y = (r - TopIndex) * H; its name
// cell spans x 0 .. SplitPos - 2, its value cell SplitPos + 1 .. the client width; a node
// is indented 14 px per ancestor. The visible rows are the nodes in tree order, entering
// a node's children only while it is expanded.
#include "inspector/CustomEdit.h"
#include "inspector/rmHintWindow.h"
#include "inspector/rmFrames.h"
#include "inspector/rmInspectorItems.h"
#include "inspector/rmScrollBar.h"
#include "inspector/rmTreeNonView.h"
#include "platform/ChildControls.h"
#include "platform/Control.h"
#include "platform/WindowSystem.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

// Hears one input the inspector received (Msg.Event says which).
using TmsgEvent = std::function<void(const platform::InputMessage& Msg)>;

class TrmInspector : public platform::Control {
public:
    using TrmInspectorIndexChangingEvent =
        std::function<void(TrmCustomInspectorItem* CurrentItem, TrmCustomInspectorItem* NewItem, bool& AllowChange)>;

    TrmInspector();
    ~TrmInspector() override;
    const char* ClassName() const override { return "TrmInspector"; }

    // ---- Properties
    TColor SelectedItemBgColor() const { return FSelectedItemBgColor; }
    void SetSelectedItemBgColor(TColor Value);
    // The row height in use: the one set, or (when -1 is set) the font's text height + 7.
    int32_t ItemHeight();
    // -1 or a positive height; 0 and other negatives are ignored.
    void SetItemHeight(int32_t Value);
    bool SplitResize() const { return FSplitResize; }
    void SetSplitResize(bool Value) { FSplitResize = Value; }
    TrmTreeNonView& Items() { return FItems; }
    const TrmTreeNonView& Items() const { return FItems; }
    int32_t TopIndex() const { return FTopIndex; }
    // The in-place editor of the current row, null when none.
    platform::Control* Editor() const { return FEditor.get(); }
    bool ShowFocusRect() const { return FShowFocusRect; }
    void SetShowFocusRect(bool Value);
    // Whether the vertical scroll bar shows while there is something to scroll.
    bool ShowVScrollBars() const { return FShowVScrollBars; }
    void SetShowVScrollBars(bool Value);
    const TrmScrollBar& VScrollBar() const { return FVScrollBar; }
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle Value);
    bool Readonly() const { return FReadonly; }
    void SetReadonly(bool Value);
    bool ToolTip() const { return FToolTip; }
    void SetToolTip(bool Value);
    int32_t SplitPos() const { return FSplitPos; }
    // The split the user or the program set last: SplitPos is it clamped to
    // 15 .. client width - 15, again at every resize, so a narrow moment does not
    // shrink it for good.
    int32_t WantedSplitPos() const { return FSplitWanted; }
    void setSplit(int32_t Value);
    char GetSepChar() const { return FItems.SepChar(); }
    void SetSepChar(char Value) { FItems.SetSepChar(Value); }

    // ---- Selection
    // The selected visible row, -1 for none (or while the selected row is folded away).
    // The selection is a row, not a number: rows added, removed or folded above it move
    // the number, and the selection goes when its row goes.
    int32_t ItemIndex() const;
    // Selects row Index (clamped to -1 .. VisibleItemCount - 1). The editor of the row
    // left behind commits its value and goes; an editable row gets a new editor.
    void SetItemIndex(int32_t Index);
    // The current node's item: null unless the selected row is editable.
    TrmCustomInspectorItem* GetCurrentInspectorItem() const;
    std::string CurrentPath() const;
    // Raises Exception "Unable to find Inspector Item" for an unknown path.
    void SetCurrentPath(const std::string& Value);

    // ---- Building the rows
    // A new row "New Item<n>" under ParentNode (a root for null) with the class's default
    // value; the item is named after its class ("rmStringInspectorItem1" and so on).
    TrmCustomInspectorItem* AddItem(TrmTreeNonViewNode* ParentNode, const TrmInspectorItemClass& ItemClass);
    // Under the item named ParentName; null when there is none.
    TrmCustomInspectorItem* AddItem(const std::string& ParentName, const TrmInspectorItemClass& ItemClass);
    template <class T>
    T* AddItem(TrmTreeNonViewNode* ParentNode)
    {
        return static_cast<T*>(AddItem(ParentNode, T::Class));
    }
    // The row at Path (with any missing ancestor rows) holding a new item of ItemClass set
    // to Value. Raises EAbort "The specified path item already exists" for a used path.
    TrmCustomInspectorItem* AddInspectorItem(const std::string& Path, const std::string& Value,
                                             const TrmInspectorItemClass& ItemClass);
    TrmCustomInspectorItem* FindInspectorItem(const std::string& Path) const;
    // The first item in tree order with that name (case-sensitive).
    TrmCustomInspectorItem* GetItemByName(const std::string& Name) const;
    // Deselects, then makes this inspector's rows a copy of Source's: the same rows with
    // copies of their items (class, name, settings and value) and the same folding.
    void AssignItems(const TrmInspector& Source);
    TrmTreeNonViewNode* GetNodeByItem(const TrmCustomInspectorItem* Item) const;
    std::string NodePath(const TrmTreeNonViewNode* Node) const { return FItems.NodePath(Node); }

    // ---- Removing. A selected row that goes takes the selection with it, and its editor
    // without committing: deselect first (SetItemIndex(-1)) to keep what was typed.
    void ClearItems();
    void ClearNode(TrmTreeNonViewNode* Node);
    void ClearNode(const std::string& Name);
    // Deselects first when the current row is Node or lies beneath it.
    void RemoveNode(TrmTreeNonViewNode* Node);
    void RemoveItem(const std::string& Name);
    void DeleteItem(const std::string& Path);

    // ---- Reordering
    // Moves the root at FromPath to just after the root at ToPath.
    void MoveItem(const std::string& FromPath, const std::string& ToPath);
    void MoveItem(TrmTreeNonViewNode* FromNode, TrmTreeNonViewNode* ToNode);
    void MoveItem(int32_t FromIndex, int32_t ToIndex);
    // Moves child A of ParentNode to just after child B.
    void MoveItem(TrmTreeNonViewNode* ParentNode, TrmTreeNonViewNode* A, TrmTreeNonViewNode* B);

    // ---- Visible rows
    int32_t VisibleItemCount() const;
    // Null for -1 and past the end.
    TrmTreeNonViewNode* GetVisibleItem(int32_t Index) const;
    int32_t VisibileNodeIndex(const TrmTreeNonViewNode* Node) const;
    int32_t VisibileItemIndex(const TrmCustomInspectorItem* Item) const;
    bool IsNodeVisible(const TrmTreeNonViewNode* Node) const;
    bool IsItemVisible(const TrmCustomInspectorItem* Item) const;
    // Rows that fit the client height, a partly shown last row included.
    int32_t VisibleLines();
    // The largest TopIndex: VisibleItemCount - VisibleLines + 1, at least 0.
    int32_t VScrollSize();

    // An item's value changed (every value setter reports it): the open editor of its
    // row shows the new value, so that leaving the row cannot write the old one back.
    // Not while the change the user typed is being reported: what the handler writes
    // back then stays in the row until the typing is committed.
    void ItemValueChanged(TrmCustomInspectorItem& Item);
    // True while OnItemChange reports text the user is typing into the open editor.
    // A value refused as a whole (a name already taken) is best judged when the typing
    // is committed: Enter, another row, or the focus leaving the inspector take the
    // editor's text once more and report it again when the row did not keep it.
    bool EditorBeingTyped() const { return FTypedChange; }

    // The summary text of the node rows from Node up: "(5, abc)" from its children's
    // values, "(...)" in place of a nested node row.
    void UpdateText(TrmTreeNonViewNode* Node);

    // Every key of the editor comes here first: Up and Down move the selection, Tab
    // returns the keys to the inspector, Enter commits, Escape undoes the typing.
    void EditorKeyDown(TObject* Sender, platform::KeyCode& Key, platform::ShiftState Shift);
    // The button of a long-text row's editor: fires OnComplexEdit with the editor.
    void ComplexEditClick(TObject* Sender);
    // A command of the vertical scroll bar (Position for the thumb commands).
    void VScroll(TrmScrollCode Code, int32_t Position);

    // Refreshes the parent summaries and the editor's value, then repaints.
    void Invalidate() override;
    void Loaded() override;
    bool WantsArrowKeys() const override { return true; }
    bool WantsTabKey() const override { return true; }

    // The hint window the inspector shows cut-off names and values in: one for all the
    // inspectors (and path tree views), made with the first and freed with the last.
    const TrmHintWindow& HintWindow() const { return FHint->Window(); }
    const std::shared_ptr<TrmSharedHint>& SharedHint() const { return FHint; }

    TNotifyEvent OnItemIndexChanged;
    TrmInspectorIndexChangingEvent OnItemIndexChanging;
    TNotifyEvent OnEditorCreated;
    KeyEvent OnItemKeyDown;
    // Sender is the editor.
    TNotifyEvent OnItemChange;
    TNotifyEvent OnComplexEdit;
    // The open editor's focus and keys, heard before the editor's own handlers (Sender is
    // the editor); a key they set to none goes no further.
    TNotifyEvent OnEditorEnter;
    TNotifyEvent OnEditorExit;
    KeyEvent OnEditorKeyDown;
    KeyEvent OnEditorKeyUp;
    KeyPressEvent OnEditorKeyPress;
    // The message hook: every input the inspector receives (mouse, keys, also those it
    // hands to its editor, focus, its window's activation), after the inspector handled it.
    TmsgEvent OnMessage;

protected:
    // With a single border Ctl3D draws it as a sunken 3-D edge two pixels wide, else as
    // one flat line.
    void Ctl3DChanged() override { BorderChanged(); }
    // A row height taken from the font follows it.
    void FontChanged() override;
    void Paint(platform::Canvas& Canvas) override;
    void MouseDown(platform::MouseButton Button, platform::ShiftState Shift, int32_t X, int32_t Y) override;
    void MouseMove(platform::ShiftState Shift, int32_t X, int32_t Y) override;
    void MouseUp(platform::MouseButton Button, platform::ShiftState Shift, int32_t X, int32_t Y) override;
    void MouseLeave() override;
    bool DoMouseWheel(platform::ShiftState Shift, int32_t WheelDelta, platform::Point MousePos) override;
    void KeyDown(platform::KeyCode& Key, platform::ShiftState Shift) override;
    void KeyUp(platform::KeyCode& Key, platform::ShiftState Shift) override;
    void KeyPress(char32_t& Key) override;
    void DoEnter() override;
    void DoExit() override;
    void Resize() override;
    void InputHandled(const platform::InputMessage& Msg) override
    {
        if (OnMessage)
            OnMessage(Msg);
    }
    // The tree's OnDeletion: the node's item goes with it.
    virtual void DoNodeDelete(TObject* Sender, TrmTreeNonViewNode* Node);

private:
    struct RowCells {
        platform::Rect Name;
        platform::Rect Value;
    };

    static constexpr int32_t kIndentPerLevel = 14;

    static TrmCustomInspectorItem* ItemOf(const TrmTreeNonViewNode* Node);
    // The row after Node in the visible order: its first child when it is expanded, else
    // the next sibling of the node or of its nearest ancestor that has one.
    static TrmTreeNonViewNode* NextVisibleNode(const TrmTreeNonViewNode* Node);
    RowCells CellsOfRow(int32_t Row);
    int32_t BorderWidth() const { return WindowBorderWidth(FBorderStyle, Ctl3D()); }
    // Inside the border, left of a shown scroll bar; in the control's coordinates.
    platform::Rect ClientArea() const;
    int32_t ClientWidth() const { return ClientArea().Width(); }
    int32_t ClientHeight() const { return ClientArea().Height(); }
    void PlaceScrollBar();
    void BorderChanged();
    // The rows drawn from TopIndex on: VisibleLines, fewer at the end of the list.
    int32_t RowsInView();
    bool IsNameUsed(const std::string& Name) const;
    std::string UniqueItemName(const TrmInspectorItemClass& ItemClass) const;
    std::string NewRowPath(const TrmTreeNonViewNode* ParentNode) const;
    void SetCurrentNode(TrmTreeNonViewNode* Node);

    // The editor's life cycle.
    void CreateEditor(TrmCustomInspectorItem& Item, TrmTreeNonViewNode* Node, int32_t Row);
    // Unhooks the editor and retires it: it may be running the handler that asked for
    // this, so it is destroyed later, once control is back in the inspector.
    void FreeEditor();
    void DropRetiredEditors() { FRetiredEditors.clear(); }
    void PlaceEditor(int32_t Row);
    // Every scroll takes the editor along with its row: over the row's value cell while
    // the row is shown, below the client area while it is scrolled out of view.
    void KeepEditorWithRow();
    void EditorChange(TObject* Sender);
    // The edit holds typing that no commit has taken yet.
    bool EditorHoldsTyping() const;
    // The current item takes the editor's value, OnItemChange reports it when the row
    // did not hold it yet, and the editor then shows what the row kept. True when reported.
    bool CommitEditor();
    // The current item while it may take the editor's value, else null.
    TrmCustomInspectorItem* CommittingItem() const;
    void PutValueIntoEditor(TrmCustomInspectorItem& Item);
    // The inspector's own focus, the keys no longer going to the editor.
    void FocusInspector();

    void ScrollToVisible();
    void UpdateVScrollBar();

    // Painting.
    void PaintRow(platform::Canvas& Canvas, const TrmTreeNonViewNode& Node, int32_t Row, bool Selected);

    // Hints.
    void HideHint();
    void ShowHintAt(int32_t X, int32_t Y);
    void SetNewHint(TrmTreeNonViewNode* Node, const platform::Rect& Rect, bool IsValue);
    int32_t TextWidth(const std::string& Text) const;
    int32_t RowAt(int32_t Y);

    TColor FSelectedItemBgColor;
    int32_t FItemHeightSet = -1;
    int32_t FItemHeight = -1;
    bool FSplitResize = false;
    TrmTreeNonView FItems;
    int32_t FTopIndex = 0;
    bool FFocusEditor = false; // the next editor takes the focus
    std::unique_ptr<platform::Control> FEditor;
    std::vector<std::unique_ptr<platform::Control>> FRetiredEditors;
    bool FShowFocusRect = true;
    bool FShowVScrollBars = true;
    TBorderStyle FBorderStyle = bsNone;
    TrmTreeNonViewNode* FSelectedNode = nullptr; // the selected row, editable or not
    TrmTreeNonViewNode* FCurrentNode = nullptr;  // the selected row while it has an editor
    int32_t FSplitPos = 100;
    int32_t FSplitWanted = 100;
    bool FSplitDragging = false;
    bool FToolTip = true;
    KeyEvent FEditorOwnKeyDown;
    // Puts the OnEditor... events ahead of the editor's own focus, key-up and character
    // handlers.
    void HearEditorFirst(platform::Control& Editor);
    TNotifyEvent FEditorOwnChange;
    bool FReadonly = false;
    bool FPuttingValue = false; // the inspector is writing an item's value into the editor
    bool FTypedChange = false;  // OnItemChange is reporting the user's typing
    TrmScrollBar FVScrollBar;
    std::vector<std::unique_ptr<TrmCustomInspectorItem>> FOwnedItems;
    std::shared_ptr<TrmSharedHint> FHint = SharedHintWindow();
    platform::ChildControls FChildren; // the editor; declared last so that it goes first
};
