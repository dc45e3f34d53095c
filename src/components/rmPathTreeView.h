#pragma once
// A tree control whose nodes can also be found and created by a path ("/a/b/c": the
// separator before each node's text from the top down), drawn by the control itself:
// rows of the shown nodes with indentation, lines, expand buttons, state images and
// images with overlays, one selected node, scroll bars both ways, keyboard and mouse
// navigation, a context popup on the right button, label editing in place, nodes dragged
// within the view or onto other controls, hot tracking, a hint with the whole name of a node the client area
// cuts off, custom-draw events, a delayed change notification, the indented text form
// and the item stream.
//
// Text is measured with the process-wide text rasteriser, which must be installed
// before the control is sized or shown. Coordinates of GetNodeAt, GetHitTestInfoAt and
// DisplayRect are the control's own.
#include "components/rmPathTreeNodes.h"
#include "components/rmWindowScrollBars.h"
#include "graphics/Bitmap32List.h"
#include "inspector/CustomEdit.h"
#include "platform/PopupMenu.h"
#include "inspector/rmHintWindow.h"
#include "platform/ChildControls.h"
#include "platform/Control.h"
#include "platform/WindowSystem.h"
#include "platform/FontSpec.h"
#include "platform/Timer.h"

#include <filesystem>
#include <memory>

enum TSortType : uint8_t { stNone = 0, stData = 1, stText = 2, stBoth = 3 };

// Where a point lies relative to the items: a set of bits.
using THitTests = uint16_t;
namespace hit {
constexpr THitTests htAbove = 1u << 0;
constexpr THitTests htBelow = 1u << 1;
constexpr THitTests htNowhere = 1u << 2;
constexpr THitTests htOnItem = 1u << 3; // the button, the label or the indent of a row
constexpr THitTests htOnButton = 1u << 4;
constexpr THitTests htOnIcon = 1u << 5;
constexpr THitTests htOnIndent = 1u << 6;
constexpr THitTests htOnLabel = 1u << 7;
constexpr THitTests htOnRight = 1u << 8;
constexpr THitTests htOnStateIcon = 1u << 9;
constexpr THitTests htToLeft = 1u << 10;
constexpr THitTests htToRight = 1u << 11;
} // namespace hit

enum TCustomDrawStage : uint8_t { cdPrePaint = 0, cdPostPaint = 1, cdPreErase = 2, cdPostErase = 3 };
// How an item is drawn: a set of bits.
using TCustomDrawState = uint16_t;
namespace cds {
constexpr TCustomDrawState cdsSelected = 1u << 0;
constexpr TCustomDrawState cdsDisabled = 1u << 2;
constexpr TCustomDrawState cdsFocused = 1u << 4;
constexpr TCustomDrawState cdsHot = 1u << 6;
} // namespace cds

class TrmCustomPathTreeView : public platform::Control {
public:
    using TrmTVChangingEvent = std::function<void(TObject* Sender, TrmTreeNode* Node, bool& AllowChange)>;
    using TrmTVChangedEvent = std::function<void(TObject* Sender, TrmTreeNode* Node)>;
    using TrmTVExpandingEvent = std::function<void(TObject* Sender, TrmTreeNode* Node, bool& AllowExpansion)>;
    using TrmTVCollapsingEvent = std::function<void(TObject* Sender, TrmTreeNode* Node, bool& AllowCollapse)>;
    using TrmTVExpandedEvent = std::function<void(TObject* Sender, TrmTreeNode* Node)>;
    using TrmTVCompareEvent =
        std::function<void(TObject* Sender, TrmTreeNode* Node1, TrmTreeNode* Node2, int32_t Data, int32_t& Compare)>;
    using TrmTVEditingEvent = std::function<void(TObject* Sender, TrmTreeNode* Node, bool& AllowEdit)>;
    using TrmTVEditedEvent = std::function<void(TObject* Sender, TrmTreeNode* Node, std::string& S)>;
    using TrmTVCustomDrawEvent = std::function<void(TObject* Sender, const platform::Rect& ARect, bool& DefaultDraw)>;
    using TrmTVCustomDrawItemEvent =
        std::function<void(TObject* Sender, TrmTreeNode* Node, TCustomDrawState State, bool& DefaultDraw)>;
    using TrmTVAdvancedCustomDrawEvent = std::function<void(TObject* Sender, const platform::Rect& ARect,
                                                            TCustomDrawStage Stage, bool& DefaultDraw)>;
    using TrmTVAdvancedCustomDrawItemEvent =
        std::function<void(TObject* Sender, TrmTreeNode* Node, TCustomDrawState State, TCustomDrawStage Stage,
                           bool& PaintImages, bool& DefaultDraw)>;

    // The indent used while none is set.
    static constexpr int32_t kDefaultIndent = 19;

    TrmCustomPathTreeView();
    ~TrmCustomPathTreeView() override;
    const char* ClassName() const override { return "TrmCustomPathTreeView"; }

    TrmTreeNodes& Items() { return *FTreeNodes; }
    const TrmTreeNodes& Items() const { return *FTreeNodes; }
    void SetItems(const TrmTreeNodes& Value) { FTreeNodes->Assign(&Value); }

    bool ShowButtons() const { return FShowButtons; }
    void SetShowButtons(bool Value) { SetLook(FShowButtons, Value); }
    bool ShowLines() const { return FShowLines; }
    void SetShowLines(bool Value) { SetLook(FShowLines, Value); }
    bool ShowRoot() const { return FShowRoot; }
    void SetShowRoot(bool Value) { SetLook(FShowRoot, Value); }
    // When on, the selection is not shown while the control has no focus.
    bool HideSelection() const { return FHideSelection; }
    void SetHideSelection(bool Value) { SetLook(FHideSelection, Value); }
    // When on, the selection is shown across the whole row.
    bool RowSelect() const { return FRowSelect; }
    void SetRowSelect(bool Value) { SetLook(FRowSelect, Value); }
    // When on, a right press selects the node under the mouse, and while the context popup
    // it raises is handled, Selected reports that node even when the selection refused it.
    bool RightClickSelect() const { return FRightClickSelect; }
    void SetRightClickSelect(bool Value) { FRightClickSelect = Value; }
    // -1: not set, kDefaultIndent applies.
    int32_t Indent() const { return FIndent; }
    void SetIndent(int32_t Value);
    TSortType SortType() const { return FSortType; }
    // A sort type that involves text, or data with OnCompare set, sorts the whole tree.
    void SetSortType(TSortType Value);
    // Milliseconds between a selection change and OnChange; 0 or less: at once.
    int32_t ChangeDelay() const { return FChangeDelay; }
    void SetChangeDelay(int32_t Value) { FChangeDelay = Value; }
    char SepChar() const { return FSepChar; }
    // Every path changes with the separator, so every node is filed again.
    void SetSepChar(char Value);
    TFormBorderStyle BorderStyle() const { return FBorderStyle; }
    // Both re-create the window (see RecreateWnd).
    void SetBorderStyle(TFormBorderStyle Value);
    // A margin in the view's colour between the border and what lies inside it (negative
    // values count as 0).
    int32_t BorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(int32_t Value);
    // When on, labels cannot be edited.
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool Value) { SetLook(FReadOnly, Value); }
    // When on, the label under the mouse is drawn hot: in the highlight colour, underlined.
    bool HotTrack() const { return FHotTrack; }
    void SetHotTrack(bool Value);
    TrmTreeNode* HotNode() const { return FHotNode; }
    // When on, selecting a node opens it and closes the node selected before, unless that
    // is one of its ancestors.
    bool AutoExpand() const { return FAutoExpand; }
    void SetAutoExpand(bool Value) { FAutoExpand = Value; }
    // When on, resting the mouse on a name the client area cuts off shows it whole in a hint.
    bool ToolTips() const { return FToolTips; }
    void SetToolTips(bool Value);
    // The hint window all path tree views share.
    const TrmHintWindow& NameHint() const { return FHint->Window(); }
    // Typed letters select the next shown node whose text starts with them (ignoring the
    // case of ASCII letters); a pause this long starts the text again.
    static constexpr uint32_t kTypeAheadPauseMs = 1000;
    // The image lists (borrowed; the view follows their changes, and a list that goes
    // away leaves the view without it). Images draws each node's ImageIndex (SelectedIndex while selected) before
    // its label, with the image at its OverlayIndex (when not -1) blended over it by its
    // alpha; StateImages draws its StateIndex before that; all images of a list are as
    // large as its first.
    TBitmap32List* Images() const { return FImages.List(); }
    void SetImages(TBitmap32List* Value);
    TBitmap32List* StateImages() const { return FStateImages.List(); }
    void SetStateImages(TBitmap32List* Value);
    // The canvas while the view paints (null otherwise), for the custom-draw events.
    platform::Canvas* Canvas() const { return FCanvas; }

    // Label editing in place, with the program's edit control over the node's label.
    bool IsEditing() const { return FEditNode != nullptr; }
    TrmTreeNode* EditingNode() const { return FEditNode; }
    TCustomEdit* EditControl() const { return FEditNode ? FEdit.get() : nullptr; }

    // Dragging (the control base's drag, DragMode automatic starting it from a press on a
    // node): the node dragged (null when no drag runs) and the rectangle of its drag
    // image, a picture of its label that follows the mouse within the view. A control
    // that takes the drop finds the node through the source's DraggedNode. Over the view
    // itself, a node under the mouse that OnDragOver accepts is the DropTarget.
    TrmTreeNode* DraggedNode() const { return FDragNode; }
    platform::Rect DragImageRect() const { return FDragImage; }
    // The drag image list: while a drag runs it holds the drag image, as the view draws
    // it at DragImageRect; empty otherwise.
    const TBitmap32List* GetDragImages() const { return &FDragImages; }

    // The window is made anew (after a change of the border style or its 3-D look): what
    // lived in it goes (an open label edit, the name hint) and the top row is set again
    // from the top node's absolute index. The nodes, their open states, the selection, the
    // indent and the image lists are the view's, not the window's, and stay as they are.
    void RecreateWnd();

    void FullExpand();
    void FullCollapse();
    bool AlphaSort() { return CustomSort(nullptr, 0); }
    // Sorts the roots and the children of every node; SortProc null: DefaultCompare.
    bool CustomSort(const TTVCompare& SortProc, int32_t Data);
    TrmTreeNode* GetNodeAt(int32_t X, int32_t Y) const;
    THitTests GetHitTestInfoAt(int32_t X, int32_t Y) const;
    TrmTreeNode* TopItem() const;
    void SetTopItem(TrmTreeNode* Value);
    // The horizontal scroll offset in pixels.
    int32_t LeftPixel() const { return FLeftPixel; }
    // A scroll request of a bar (line, page, thumb); the rows or pixels are clamped.
    void Scroll(TScrollBarKind Bar, TScrollCode Code, int32_t Position);
    const TrmWindowScrollBars& WindowScrollBars() const { return FScrollBars; }
    TrmTreeNode* Selected() const { return FRightClickNode ? FRightClickNode : FSelected; }
    // Asks CanChange first; null clears the selection.
    void SetSelected(TrmTreeNode* Value);
    TrmTreeNode* DropTarget() const { return FDropTarget; }
    void SetDropTarget(TrmTreeNode* Value);

    // The indented text form: one line per node, depth first, one tab per level below
    // the top, the text and CR LF. Loading accepts tabs or spaces for the levels and
    // raises ETreeViewError for a line more than one level deeper than the one before,
    // leaving the tree empty.
    void LoadFromFile(const std::filesystem::path& FileName);
    void LoadFromStream(TStream& Stream);
    void SaveToFile(const std::filesystem::path& FileName) const;
    void SaveToStream(TStream& Stream) const;

    // Paths. A node's path is the separator before each text from the top down, an empty
    // text too: c under a's child with an empty text is "/a//c". NodePath(null) is "".
    std::string NodePath(const TrmTreeNode* Node) const;
    // "/a/b" and "/a/b/" give "/a"; "/a" gives "".
    std::string ParentName(std::string_view Path) const { return PathParentName(Path, FSepChar); }
    // "/a/b" and "/a/b/" give "b".
    std::string ChildName(std::string_view Path) const { return PathChildName(Path, FSepChar); }
    // The node filed under Path as it stands; nodes with an empty text are not filed.
    TrmTreeNode* FindPathNode(std::string_view Path) const;
    // The node for Path, created with every missing level (empty levels too, which are
    // found among their parents' children); nothing is made twice. A missing leading
    // separator is put in front, and one separator at the end names the node before it.
    // Null for "" and the separator alone.
    TrmTreeNode* AddPathNode(const std::string& Path);

    // Geometry, in the control's coordinates.
    platform::Rect ClientArea() const { return FClientArea; }
    int32_t RowHeight() const;
    int32_t EffectiveIndent() const { return FIndent < 0 ? kDefaultIndent : FIndent; }
    // The number of shown nodes (kept up to date as nodes come, go, open and close) and
    // the number of whole rows that fit.
    int32_t ShownRowCount() const { return FShownRows; }
    int32_t RowsThatFit() const;
    // Diagnostic: the nodes stepped over by the walks along rows and up to the top since
    // construction, so that one can check that the work of a change does not grow with
    // the size or depth of the tree.
    int64_t WalkSteps() const { return FWalkSteps; }

    bool WantsArrowKeys() const override { return true; }

    TrmTVChangedEvent OnChange;
    TrmTVChangingEvent OnChanging;
    TrmTVExpandedEvent OnCollapsed;
    TrmTVCollapsingEvent OnCollapsing;
    TrmTVCompareEvent OnCompare;
    TrmTVExpandedEvent OnDeletion;
    TrmTVExpandingEvent OnExpanding;
    TrmTVExpandedEvent OnExpanded;
    TrmTVExpandedEvent OnGetImageIndex;
    TrmTVExpandedEvent OnGetSelectedIndex;
    TrmTVEditingEvent OnEditing;
    TrmTVEditedEvent OnEdited;
    TrmTVCustomDrawEvent OnCustomDraw;
    TrmTVCustomDrawItemEvent OnCustomDrawItem;
    TrmTVAdvancedCustomDrawEvent OnAdvancedCustomDraw;
    TrmTVAdvancedCustomDrawItemEvent OnAdvancedCustomDrawItem;

    // Each calls the matching event when it is set.
    virtual bool CanChange(TrmTreeNode* Node);
    virtual void Change(TrmTreeNode* Node);
    virtual void Delete(TrmTreeNode* Node);
    virtual bool CanExpand(TrmTreeNode* Node);
    virtual void Expand(TrmTreeNode* Node);
    virtual bool CanCollapse(TrmTreeNode* Node);
    virtual void Collapse(TrmTreeNode* Node);
    virtual void GetImageIndex(TrmTreeNode* Node);
    virtual void GetSelectedIndex(TrmTreeNode* Node);
    virtual bool CanEdit(TrmTreeNode* Node);
    // The label edit ended with S: OnEdited may change it.
    virtual void Edit(TrmTreeNode* Node, std::string& S);
    virtual std::unique_ptr<TrmTreeNode> CreateNode();
    // OnCompare when set, else the texts as the user's locale sorts them.
    virtual int32_t DefaultCompare(TrmTreeNode* Node1, TrmTreeNode* Node2, int32_t Data);

protected:
    // The font sets the rows' height; with a single border Ctl3D draws it as a sunken 3-D
    // edge two pixels wide, else as one line (the window is re-created, see RecreateWnd).
    void FontChanged() override;
    void Ctl3DChanged() override { RecreateWnd(); }
    // The context popup of a right click sees the node it was on as Selected.
    void ContextPopup(platform::Point MousePos, bool& Handled) override;
    void Paint(platform::Canvas& Canvas) override;
    void Resize() override;
    void MouseDown(platform::MouseButton Button, platform::ShiftState Shift, int32_t X, int32_t Y) override;
    void MouseMove(platform::ShiftState Shift, int32_t X, int32_t Y) override;
    void MouseUp(platform::MouseButton Button, platform::ShiftState Shift, int32_t X, int32_t Y) override;
    void MouseLeave() override;
    void KeyDown(platform::KeyCode& Key, platform::ShiftState Shift) override;
    void KeyPress(char32_t& Key) override;
    bool DoMouseWheel(platform::ShiftState Shift, int32_t WheelDelta, platform::Point MousePos) override;
    void DoEnter() override;
    void DoExit() override;
    void BeginAutoDrag() override {} // only a press on a node starts a drag
    void DoStartDrag() override;
    void DragOver(TObject* Source, int32_t X, int32_t Y, TDragOverState State, bool& Accept) override;
    void DoEndDrag(Control* Target, int32_t X, int32_t Y) override;
    void DragMoved(int32_t X, int32_t Y) override;

private:
    friend class TrmTreeNode;
    friend class TrmTreeNodes;

    struct RowLayout {
        platform::Rect Row;    // the whole row
        platform::Rect Button; // the expand button's column
        platform::Rect State;  // the state image (empty without one)
        platform::Rect Image;  // the image (empty without one)
        platform::Rect Label;  // the text with its margins
    };

    template <class T>
    void SetLook(T& Field, T Value)
    {
        if (Field == Value)
            return;
        Field = Value;
        FWidestRow = -1;
        UpdateScrollRange();
        Invalidate();
    }

    // What CountRows counts of a node: its own row, the shown rows below it, or both.
    enum RowSpan : uint8_t { RowAlone, RowsBelow, RowAndBelow };

    // Called by the nodes.
    // Adds Sign times the rows Span names to the shown row count, when Node's place
    // shows (every ancestor expanded).
    void CountRows(const TrmTreeNode* Node, int32_t Sign, RowSpan Span);
    bool PlaceShows(const TrmTreeNode* Node) const;
    // The rows below an expanded Node.
    int32_t RowsBelowOf(const TrmTreeNode* Node) const;
    void StructureChanged();
    void NodeInserted();
    void NodeDeleting(const TrmTreeNode* Node);
    void SiblingsChanged(TrmTreeNode* Parent, bool TextChanged);
    void SortChildren(TrmTreeNode* Parent, const TTVCompare& SortProc, int32_t Data);

    // Rows: the shown nodes in order from the first root.
    int32_t RowOf(const TrmTreeNode* Node) const; // -1 when not shown
    TrmTreeNode* NodeAtRow(int32_t Row) const;
    // Laid out from the client area's right edge when the view reads right to left.
    RowLayout LayoutOf(const TrmTreeNode* Node, int32_t Row) const;
    RowLayout LeftToRightLayoutOf(const TrmTreeNode* Node, int32_t Row) const;
    void ScrollToRow(int32_t Row);
    void UpdateScrollRange();
    void Relayout();
    platform::Rect InsideBorder() const;
    // Text in the view's font.
    platform::Size Measure(std::string_view Text) const;
    // The width a row needs from the client's left edge, unscrolled; the widest shown row
    // (kept while rows are added, measured again after other changes).
    int32_t RowWidth(const TrmTreeNode* Node) const;
    int32_t WidestRow() const;
    platform::Size ImageSize(const TBitmap32List* List) const;
    // A list was set, changed or went away: the rows follow a new size of its images.
    void ImagesChanged();
    // Overlay: an index of List whose image is blended over the one drawn (-1: none).
    void PaintImage(platform::Canvas& Canvas, const TBitmap32List* List, int32_t Index, const platform::Rect& At,
                    int32_t Overlay = -1);

    // Editing, dragging, hot tracking and the name hint.
    bool BeginEdit(TrmTreeNode* Node);
    void FinishEdit(bool Cancel);
    void MakeDragImage(const TrmTreeNode& Node);
    void UpdateHotNode(int32_t X, int32_t Y);
    void UpdateNameHint(int32_t X, int32_t Y);
    void HideNameHint();
    void SetHotNode(TrmTreeNode* Node);
    // Keys: type-ahead selects the next shown node whose text starts with what was typed.
    void TypeAhead(char32_t Key);
    void EndTypeAhead();
    TrmTreeNode* NextNodeStartingWith(TrmTreeNode* From, std::string_view Prefix) const;
    void SelectionMoved(TrmTreeNode* Node);
    void ChangeTimerFired();
    void PaintRow(platform::Canvas& Canvas, TrmTreeNode& Node, int32_t Row);
    void PaintRowItem(platform::Canvas& Canvas, TrmTreeNode& Node, const RowLayout& Layout, TCustomDrawState State,
                      bool PaintImages);
    void PaintLines(platform::Canvas& Canvas, const TrmTreeNode& Node, const RowLayout& Layout);

    std::unique_ptr<TrmTreeNodes> FTreeNodes;
    bool FShowButtons = true;
    bool FShowLines = true;
    bool FShowRoot = true;
    bool FHideSelection = true;
    bool FRowSelect = false;
    bool FRightClickSelect = false;
    int32_t FIndent = -1;
    TSortType FSortType = stNone;
    int32_t FChangeDelay = 0;
    char FSepChar = '/';
    TFormBorderStyle FBorderStyle = bsSingle;
    TrmTreeNode* FSelected = nullptr;
    TrmTreeNode* FFocusedNode = nullptr;
    TrmTreeNode* FDropTarget = nullptr;
    TrmTreeNode* FPendingChange = nullptr; // the node the change timer will report
    int32_t FTopRow = 0;
    int32_t FShownRows = 0;
    mutable int64_t FWalkSteps = 0;
    platform::Rect FClientArea;
    TrmWindowScrollBars FScrollBars;
    platform::Timer FChangeTimer;
    bool FDestroying = false;
    int32_t FLeftPixel = 0;
    mutable int32_t FWidestRow = 0; // -1: to be measured again
    int32_t FBorderWidth = 0;
    bool FReadOnly = false;
    bool FHotTrack = false;
    bool FAutoExpand = false;
    bool FToolTips = true;
    // Rows are laid out for these sizes of the images and the state images.
    std::pair<platform::Size, platform::Size> FImageSizes;
    TBitmap32ListLink FImages{[this] { ImagesChanged(); }};
    TBitmap32ListLink FStateImages{[this] { ImagesChanged(); }};
    TrmTreeNode* FRightClickNode = nullptr; // while a right click's context popup is handled
    platform::Canvas* FCanvas = nullptr;
    TrmTreeNode* FHotNode = nullptr;
    // Label editing: the edit lives while the view does; FEditNode says whether it shows.
    std::unique_ptr<TCustomEdit> FEdit;
    std::unique_ptr<platform::ChildControls> FEditChildren; // destroyed before the edit
    TrmTreeNode* FEditNode = nullptr;
    TrmTreeNode* FPressedNode = nullptr; // the node a left press fell on, for a drag or an edit
    bool FPressWasOnSelectedLabel = false;
    platform::Point FPressPoint;
    TrmTreeNode* FDragNode = nullptr;
    platform::Point FDragPoint; // the mouse during a drag
    platform::Rect FDragImage;
    TBitmap32List FDragImages;
    std::shared_ptr<TrmSharedHint> FHint = SharedHintWindow();
    // Type-ahead: the letters typed since the last pause, and the timer of the pause.
    std::string FTypedPrefix;
    platform::Timer FTypeAheadTimer{[this] { EndTypeAhead(); }};
    bool FSkipKeyPress = false; // the character of a key the view has taken as a command
};

class TrmPathTreeView : public TrmCustomPathTreeView {
public:
    const char* ClassName() const override { return "TrmPathTreeView"; }
};
