#include "components/rmPathTreeView.h"

#include "components/rmTreeStrings.h"
#include "graphics/SystemColorNames.h"
#include "platform/FileSystem.h"
#include "platform/Stream.h"
#include "platform/TextRasterizer.h"

#include <algorithm>
#include <limits>

namespace {

// Pixels a horizontal line step scrolls.
constexpr int32_t kHorizontalLine = 8;

} // namespace

TrmCustomPathTreeView::TrmCustomPathTreeView()
    : FTreeNodes(std::make_unique<TrmTreeNodes>(*this)),
      FScrollBars(*this,
                  [this](TScrollBarKind Bar, TScrollCode Code, int32_t Position) { Scroll(Bar, Code, Position); }),
      FChangeTimer([this] { ChangeTimerFired(); })
{
    FEdit = std::make_unique<TCustomEdit>();
    FEditChildren = std::make_unique<platform::ChildControls>(*this);
    FEdit->SetVisible(false);
    FEditChildren->Add(*FEdit);
    SetTabStop(true);
    SetColor(CanvasColorOf(clWindow));
    FChangeTimer.SetInterval(0);
    SetBounds(0, 0, 121, 97);
    Relayout();
}

TrmCustomPathTreeView::~TrmCustomPathTreeView()
{
    // The handlers may belong to an owner that is already half destroyed.
    FDestroying = true;
    HideNameHint();
    OnDeletion = nullptr;
    OnChange = nullptr;
    OnChanging = nullptr;
    FTreeNodes->Clear();
}

void TrmCustomPathTreeView::SetIndent(int32_t Value)
{
    SetLook(FIndent, Value);
}

void TrmCustomPathTreeView::SetSortType(TSortType Value)
{
    if (Value == FSortType)
        return;
    FSortType = Value;
    if (Value == stText || Value == stBoth || (Value == stData && OnCompare))
        AlphaSort();
}

void TrmCustomPathTreeView::SetSepChar(char Value)
{
    if (Value == FSepChar)
        return;
    FSepChar = Value;
    FTreeNodes->RebuildIndex();
}

void TrmCustomPathTreeView::FontChanged()
{
    UpdateScrollRange();
    Invalidate();
}

void TrmCustomPathTreeView::SetBorderStyle(TFormBorderStyle Value)
{
    if (Value == FBorderStyle)
        return;
    FBorderStyle = Value;
    RecreateWnd();
}

void TrmCustomPathTreeView::SetBorderWidth(int32_t Value)
{
    FBorderWidth = std::max(Value, 0);
    Relayout();
}

void TrmCustomPathTreeView::RecreateWnd()
{
    const TrmTreeNode* top = TopItem();
    const int32_t topIndex = top ? top->GetAbsoluteIndex() : -1;
    // What lives in the window goes with it: an open label edit and the hint. The indent,
    // the image lists and the selection are the view's and stay.
    FinishEdit(true);
    HideNameHint();
    Relayout();
    if (topIndex >= 0)
        SetTopItem(FTreeNodes->GetNodeFromIndex(topIndex));
    Invalidate();
}

void TrmCustomPathTreeView::SetHotTrack(bool Value)
{
    FHotTrack = Value;
    if (!Value && FHotNode) {
        FHotNode = nullptr;
        Invalidate();
    }
}

void TrmCustomPathTreeView::SetToolTips(bool Value)
{
    FToolTips = Value;
    HideNameHint();
}

void TrmCustomPathTreeView::SetImages(TBitmap32List* Value)
{
    FImages.SetList(Value);
    ImagesChanged();
}

void TrmCustomPathTreeView::SetStateImages(TBitmap32List* Value)
{
    FStateImages.SetList(Value);
    ImagesChanged();
}

void TrmCustomPathTreeView::ImagesChanged()
{
    // New pixels are only repainted; new sizes move the rows.
    const std::pair sizes{ImageSize(Images()), ImageSize(StateImages())};
    if (sizes != FImageSizes) {
        FImageSizes = sizes;
        FWidestRow = -1;
        UpdateScrollRange();
    }
    Invalidate();
}

// ---- Hooks ----------------------------------------------------------------------------

bool TrmCustomPathTreeView::CanChange(TrmTreeNode* Node)
{
    bool allow = true;
    if (OnChanging)
        OnChanging(this, Node, allow);
    return allow;
}

void TrmCustomPathTreeView::Change(TrmTreeNode* Node)
{
    if (OnChange)
        OnChange(this, Node);
}

void TrmCustomPathTreeView::Delete(TrmTreeNode* Node)
{
    if (OnDeletion)
        OnDeletion(this, Node);
}

bool TrmCustomPathTreeView::CanExpand(TrmTreeNode* Node)
{
    bool allow = true;
    if (OnExpanding)
        OnExpanding(this, Node, allow);
    return allow;
}

void TrmCustomPathTreeView::Expand(TrmTreeNode* Node)
{
    if (OnExpanded)
        OnExpanded(this, Node);
}

bool TrmCustomPathTreeView::CanCollapse(TrmTreeNode* Node)
{
    bool allow = true;
    if (OnCollapsing)
        OnCollapsing(this, Node, allow);
    return allow;
}

void TrmCustomPathTreeView::Collapse(TrmTreeNode* Node)
{
    if (OnCollapsed)
        OnCollapsed(this, Node);
}

void TrmCustomPathTreeView::GetImageIndex(TrmTreeNode* Node)
{
    if (OnGetImageIndex)
        OnGetImageIndex(this, Node);
}

void TrmCustomPathTreeView::GetSelectedIndex(TrmTreeNode* Node)
{
    if (OnGetSelectedIndex)
        OnGetSelectedIndex(this, Node);
}

bool TrmCustomPathTreeView::CanEdit(TrmTreeNode* Node)
{
    bool allow = true;
    if (OnEditing)
        OnEditing(this, Node, allow);
    return allow;
}

void TrmCustomPathTreeView::Edit(TrmTreeNode* Node, std::string& S)
{
    if (OnEdited)
        OnEdited(this, Node, S);
}

std::unique_ptr<TrmTreeNode> TrmCustomPathTreeView::CreateNode()
{
    return std::make_unique<TrmTreeNode>(*FTreeNodes);
}

int32_t TrmCustomPathTreeView::DefaultCompare(TrmTreeNode* Node1, TrmTreeNode* Node2, int32_t Data)
{
    if (OnCompare) {
        int32_t compare = 0;
        OnCompare(this, Node1, Node2, Data, compare);
        return compare;
    }
    return platform::CompareText(Node1->Text(), Node2->Text());
}

// ---- Called by the nodes ---------------------------------------------------------------

void TrmCustomPathTreeView::StructureChanged()
{
    if (FDestroying || FTreeNodes->UpdateCount() > 0)
        return;
    UpdateScrollRange();
    Invalidate();
}

void TrmCustomPathTreeView::NodeInserted()
{
    // A pending change notification is dropped: the node it names may no longer be
    // where the user picked it.
    FChangeTimer.SetEnabled(false);
    FPendingChange = nullptr;
    StructureChanged();
}

void TrmCustomPathTreeView::NodeDeleting(const TrmTreeNode* Node)
{
    if (FEditNode == Node || (FEditNode && FEditNode->HasAsParent(Node)))
        FinishEdit(true);
    if (FDragNode == Node)
        EndDrag(false);
    if (FHotNode == Node)
        FHotNode = nullptr;
    if (FPressedNode == Node)
        FPressedNode = nullptr;
    if (FSelected == Node)
        FSelected = nullptr;
    if (FFocusedNode == Node)
        FFocusedNode = nullptr;
    if (FDropTarget == Node)
        FDropTarget = nullptr;
    if (FRightClickNode == Node)
        FRightClickNode = nullptr;
    if (FPendingChange == Node) {
        FChangeTimer.SetEnabled(false);
        FPendingChange = nullptr;
    }
}

void TrmCustomPathTreeView::SiblingsChanged(TrmTreeNode* Parent, bool TextChanged)
{
    const bool byText = FSortType == stText || FSortType == stBoth;
    const bool byData = (FSortType == stData || FSortType == stBoth) && OnCompare;
    if (TextChanged ? byText : byData)
        SortChildren(Parent, nullptr, 0);
    if (TextChanged) {
        FWidestRow = -1;
        StructureChanged();
    }
    Invalidate();
}

void TrmCustomPathTreeView::SortChildren(TrmTreeNode* Parent, const TTVCompare& SortProc, int32_t Data)
{
    std::vector<TrmTreeNode*> children;
    for (TrmTreeNode* child = Parent ? Parent->FFirstChild : FTreeNodes->FFirst; child; child = child->FNext)
        children.push_back(child);
    std::stable_sort(children.begin(), children.end(), [&](TrmTreeNode* a, TrmTreeNode* b) {
        return (SortProc ? SortProc(a, b, Data) : DefaultCompare(a, b, Data)) < 0;
    });
    for (TrmTreeNode* child : children)
        child->Unlink();
    for (TrmTreeNode* child : children)
        child->LinkAsChild(Parent, nullptr);
    FTreeNodes->ClearCache();
    StructureChanged();
}

bool TrmCustomPathTreeView::CustomSort(const TTVCompare& SortProc, int32_t Data)
{
    std::vector<TrmTreeNode*> parents{nullptr};
    for (TrmTreeNode* node = FTreeNodes->FFirst; node; node = node->GetNext())
        if (node->FFirstChild)
            parents.push_back(node);
    for (TrmTreeNode* parent : parents)
        SortChildren(parent, SortProc, Data);
    return true;
}

void TrmCustomPathTreeView::FullExpand()
{
    for (TrmTreeNode* root = FTreeNodes->FFirst; root; root = root->FNext)
        root->Expand(true);
}

void TrmCustomPathTreeView::FullCollapse()
{
    for (TrmTreeNode* root = FTreeNodes->FFirst; root; root = root->FNext)
        root->Collapse(true);
}

// ---- Selection and the change notification ---------------------------------------------

void TrmCustomPathTreeView::SetSelected(TrmTreeNode* Value)
{
    if (Value == FSelected || !CanChange(Value))
        return;
    TrmTreeNode* old = FSelected;
    FSelected = Value;
    FFocusedNode = Value;
    if (FAutoExpand) {
        if (old && Value && !Value->HasAsParent(old))
            old->Collapse(false);
        if (Value)
            Value->Expand(false);
    }
    if (Value)
        Value->MakeVisible();
    Invalidate();
    SelectionMoved(Value);
}

void TrmCustomPathTreeView::SetDropTarget(TrmTreeNode* Value)
{
    FDropTarget = Value;
    Invalidate();
}

void TrmCustomPathTreeView::SelectionMoved(TrmTreeNode* Node)
{
    if (FChangeDelay <= 0) {
        Change(Node);
        return;
    }
    FChangeTimer.SetEnabled(false);
    FPendingChange = Node;
    FChangeTimer.SetInterval(uint32_t(FChangeDelay));
    FChangeTimer.SetEnabled(true);
}

void TrmCustomPathTreeView::ChangeTimerFired()
{
    FChangeTimer.SetEnabled(false);
    TrmTreeNode* node = FPendingChange;
    FPendingChange = nullptr;
    Change(node);
}

// ---- Paths ----------------------------------------------------------------------------

std::string TrmCustomPathTreeView::NodePath(const TrmTreeNode* Node) const
{
    size_t length = 0;
    for (const TrmTreeNode* node = Node; node; node = node->FParent, ++FWalkSteps)
        length += 1 + node->FText.size();
    std::string path(length, FSepChar);
    for (const TrmTreeNode* node = Node; node; node = node->FParent, ++FWalkSteps) {
        length -= node->FText.size();
        path.replace(length, node->FText.size(), node->FText);
        --length; // the separator before it
    }
    return path;
}

TrmTreeNode* TrmCustomPathTreeView::FindPathNode(std::string_view Path) const
{
    return FTreeNodes->LocateNode(Path);
}

namespace {

// The first child of Parent (a root for null) with an empty text: an empty level has no
// entry in the index.
TrmTreeNode* EmptyChildOf(TrmTreeNode* Parent, TrmTreeNode* FirstRoot)
{
    for (TrmTreeNode* child = Parent ? Parent->getFirstChild() : FirstRoot; child; child = child->getNextSibling())
        if (child->Text().empty())
            return child;
    return nullptr;
}

// How many of Count levels are filed, where FiledAt(i) gives level i's node or null and
// the ancestors of a filed level are filed too (or share their paths with filed nodes):
// the last two are tried first, as the path or its parent is filed as a rule, then the
// rest halved. Deepest gets the node of the last filed level.
template <class NodeOfLevel>
size_t CountFiledLevels(size_t Count, const NodeOfLevel& FiledAt, TrmTreeNode*& Deepest)
{
    size_t low = 0, high = Count; // [0, low) are filed, [high, Count) are not
    if (high > 0 && (Deepest = FiledAt(high - 1)) != nullptr)
        return high;
    if (high > 1 && (Deepest = FiledAt(high - 2)) != nullptr)
        return high - 1;
    high = high > 1 ? high - 2 : 0;
    while (low < high) {
        const size_t middle = low + (high - low) / 2;
        if (TrmTreeNode* found = FiledAt(middle)) {
            Deepest = found;
            low = middle + 1;
        } else {
            high = middle;
        }
    }
    return low;
}

} // namespace

TrmTreeNode* TrmCustomPathTreeView::AddPathNode(const std::string& Path)
{
    if (Path.empty())
        return nullptr;
    std::string path = Path.front() == FSepChar ? Path : FSepChar + Path;
    if (TrmTreeNode* node = FTreeNodes->LocateNode(path))
        return node;
    // One separator at the end names the node before it ("/a/b/" is "/a/b"), so the
    // separator alone names none; every other level counts, empty ones too ("/a//b" is b
    // under a's child with an empty text).
    if (path.back() == FSepChar)
        path.pop_back();
    if (path.empty())
        return nullptr;
    // The ends of the paths of the levels: level k's path is path[0, ends[k]).
    std::vector<size_t> ends;
    for (size_t i = 1; i < path.size(); ++i)
        if (path[i] == FSepChar)
            ends.push_back(i);
    ends.push_back(path.size());
    const std::string_view whole(path);
    const auto textOf = [&](size_t level) {
        const size_t start = level == 0 ? 1 : ends[level - 1] + 1;
        return whole.substr(start, ends[level] - start);
    };
    // The deepest level with a text that is filed already, among the levels with a text
    // (an empty one is not filed).
    std::vector<size_t> named;
    for (size_t level = 0; level < ends.size(); ++level)
        if (!textOf(level).empty())
            named.push_back(level);
    TrmTreeNode* node = nullptr;
    const size_t filed = CountFiledLevels(
        named.size(), [&](size_t i) { return FTreeNodes->LocateNode(whole.substr(0, ends[named[i]])); }, node);
    // Below it, empty levels that are there are found among the children (a node just
    // added has none); the rest are added in one walk down, each filed under its part of
    // the one path.
    for (size_t level = filed > 0 ? named[filed - 1] + 1 : 0; level < ends.size(); ++level) {
        const std::string_view text = textOf(level);
        if (TrmTreeNode* there = text.empty() ? EmptyChildOf(node, FTreeNodes->FFirst) : nullptr) {
            node = there;
            continue;
        }
        const std::string_view levelPath = whole.substr(0, ends[level]);
        node = FTreeNodes->InternalAddObject(node, nullptr, std::string(text), nullptr, &levelPath);
        GetImageIndex(node);
    }
    return node;
}

platform::Size TrmCustomPathTreeView::Measure(std::string_view Text) const
{
    return platform::CurrentTextRasterizer().TextExtent(Text, Font());
}

// ---- Rows and geometry -----------------------------------------------------------------

int32_t TrmCustomPathTreeView::RowHeight() const
{
    return std::max({Measure("X").Height + 2, ImageSize(Images()).Height, ImageSize(StateImages()).Height});
}

platform::Size TrmCustomPathTreeView::ImageSize(const TBitmap32List* List) const
{
    return List ? List->ImageSize() : platform::Size{};
}

int32_t TrmCustomPathTreeView::RowWidth(const TrmTreeNode* Node) const
{
    const int32_t rootColumns = FShowRoot && (FShowLines || FShowButtons) ? 1 : 0;
    return (Node->GetLevel() + rootColumns) * EffectiveIndent() + ImageSize(StateImages()).Width +
           ImageSize(Images()).Width + Measure(Node->FText).Width + 4;
}

int32_t TrmCustomPathTreeView::RowsThatFit() const
{
    return FClientArea.Height() / std::max(RowHeight(), 1);
}

bool TrmCustomPathTreeView::PlaceShows(const TrmTreeNode* Node) const
{
    // Up to the first closed ancestor: a new node under a closed parent costs one step.
    for (const TrmTreeNode* ancestor = Node->FParent; ancestor; ancestor = ancestor->FParent, ++FWalkSteps)
        if (!ancestor->FExpanded)
            return false;
    return true;
}

int32_t TrmCustomPathTreeView::RowsBelowOf(const TrmTreeNode* Node) const
{
    int32_t rows = 0;
    const TrmTreeNode* node = Node->FFirstChild;
    while (node) {
        ++rows;
        ++FWalkSteps;
        if (node->FExpanded && node->FFirstChild) {
            node = node->FFirstChild;
            continue;
        }
        while (node != Node && !node->FNext)
            node = node->FParent;
        node = node == Node ? nullptr : node->FNext;
    }
    return rows;
}

void TrmCustomPathTreeView::CountRows(const TrmTreeNode* Node, int32_t Sign, RowSpan Span)
{
    if (!PlaceShows(Node))
        return;
    // A row added widens the widest row at most to its own width; other changes may
    // narrow it, and it is measured again when asked.
    if (Sign > 0 && Span == RowAlone && FWidestRow >= 0)
        FWidestRow = std::max(FWidestRow, RowWidth(Node));
    else
        FWidestRow = -1;
    const bool below = Span != RowAlone && Node->FExpanded;
    FShownRows += Sign * ((Span != RowsBelow ? 1 : 0) + (below ? RowsBelowOf(Node) : 0));
}

int32_t TrmCustomPathTreeView::RowOf(const TrmTreeNode* Node) const
{
    if (!Node)
        return -1;
    for (const TrmTreeNode* ancestor = Node->FParent; ancestor; ancestor = ancestor->FParent)
        if (!ancestor->FExpanded)
            return -1;
    int32_t row = 0;
    for (const TrmTreeNode* node = FTreeNodes->FFirst; node && node != Node; node = node->GetNextVisible())
        ++row;
    FWalkSteps += row;
    return row;
}

TrmTreeNode* TrmCustomPathTreeView::NodeAtRow(int32_t Row) const
{
    if (Row < 0)
        return nullptr;
    TrmTreeNode* node = FTreeNodes->FFirst;
    for (int32_t i = 0; node && i < Row; ++i, ++FWalkSteps)
        node = node->GetNextVisible();
    return node;
}

TrmCustomPathTreeView::RowLayout TrmCustomPathTreeView::LayoutOf(const TrmTreeNode* Node, int32_t Row) const
{
    RowLayout layout = LeftToRightLayoutOf(Node, Row);
    if (!UseRightToLeftReading())
        return layout;
    // Right to left: every column mirrored across the client area.
    const int32_t edges = FClientArea.Left + FClientArea.Right;
    for (platform::Rect* part : {&layout.Button, &layout.State, &layout.Image, &layout.Label})
        if (!part->IsEmpty())
            *part = {edges - part->Right, part->Top, edges - part->Left, part->Bottom};
    return layout;
}

TrmCustomPathTreeView::RowLayout TrmCustomPathTreeView::LeftToRightLayoutOf(const TrmTreeNode* Node,
                                                                            int32_t Row) const
{
    const int32_t height = RowHeight();
    const int32_t indent = EffectiveIndent();
    // With lines or buttons at the top level, the top-level nodes get a column of their own.
    const int32_t rootColumns = FShowRoot && (FShowLines || FShowButtons) ? 1 : 0;
    const int32_t columns = Node->GetLevel() + rootColumns;
    const int32_t top = FClientArea.Top + (Row - FTopRow) * height;
    int32_t left = FClientArea.Left - FLeftPixel + columns * indent;
    RowLayout layout;
    layout.Row = {FClientArea.Left, top, FClientArea.Right, top + height};
    if (columns > 0)
        layout.Button = {left - indent, top, left, top + height};
    // Each image list keeps its column on every row, images or not.
    for (const auto& [list, place] : {std::pair{StateImages(), &layout.State}, std::pair{Images(), &layout.Image}}) {
        const platform::Size size = ImageSize(list);
        if (size.Width > 0) {
            const int32_t imageTop = top + (height - size.Height) / 2;
            *place = {left, imageTop, left + size.Width, imageTop + size.Height};
            left += size.Width;
        }
    }
    layout.Label = {left, top, left + Measure(Node->FText).Width + 4, top + height};
    return layout;
}

platform::Rect TrmCustomPathTreeView::InsideBorder() const
{
    const int32_t border = WindowBorderWidth(FBorderStyle, Ctl3D()) + FBorderWidth;
    return {border, border, std::max(border, Width() - border), std::max(border, Height() - border)};
}

void TrmCustomPathTreeView::Relayout()
{
    FClientArea = FScrollBars.Layout(InsideBorder());
    UpdateScrollRange();
    Invalidate();
}

int32_t TrmCustomPathTreeView::WidestRow() const
{
    if (FWidestRow < 0) {
        FWidestRow = 0;
        for (const TrmTreeNode* node = FTreeNodes->FFirst; node; node = node->GetNextVisible(), ++FWalkSteps)
            FWidestRow = std::max(FWidestRow, RowWidth(node));
    }
    return FWidestRow;
}

void TrmCustomPathTreeView::UpdateScrollRange()
{
    const int32_t rows = ShownRowCount();
    const int32_t height = std::max(RowHeight(), 1);
    const int32_t widest = WidestRow();
    // A bar shows only while the rows do not fit without it; each bar takes room from
    // the other direction.
    const platform::Rect inner = InsideBorder();
    bool vertical = false, horizontal = false;
    for (int pass = 0; pass < 2; ++pass) {
        vertical = int64_t(rows) * height > inner.Height() - (horizontal ? TrmWindowScrollBars::kThickness : 0);
        horizontal = widest > inner.Width() - (vertical ? TrmWindowScrollBars::kThickness : 0);
    }
    const auto style = TScrollStyle((vertical ? ssVertical : ssNone) | (horizontal ? ssHorizontal : ssNone));
    if (style != FScrollBars.Style()) {
        FScrollBars.SetStyle(style);
        FClientArea = FScrollBars.Layout(inner);
    }
    const int32_t fit = RowsThatFit();
    const int32_t lastTop = std::max(0, rows - fit);
    FTopRow = std::clamp(FTopRow, 0, lastTop);
    FScrollBars.SetScrollInfo(sbVertical, lastTop, fit, FTopRow);
    const int32_t lastLeft = std::max(0, widest - FClientArea.Width());
    FLeftPixel = std::clamp(FLeftPixel, 0, lastLeft);
    FScrollBars.SetScrollInfo(sbHorizontal, lastLeft, FClientArea.Width(), FLeftPixel);
}

void TrmCustomPathTreeView::Scroll(TScrollBarKind Bar, TScrollCode Code, int32_t Position)
{
    const bool vertical = Bar == sbVertical;
    const int32_t line = vertical ? 1 : kHorizontalLine;
    const int32_t page = vertical ? std::max(RowsThatFit(), 1) : std::max(FClientArea.Width(), 1);
    int32_t& value = vertical ? FTopRow : FLeftPixel;
    const std::optional<int32_t> moved =
        ScrolledValue(Code, Position, value, line, page, std::numeric_limits<int32_t>::max());
    if (!moved)
        return;
    value = *moved;
    UpdateScrollRange(); // clamps
    Invalidate();
}

void TrmCustomPathTreeView::ScrollToRow(int32_t Row)
{
    if (Row < 0)
        return;
    const int32_t fit = std::max(RowsThatFit(), 1);
    if (Row < FTopRow)
        FTopRow = Row;
    else if (Row >= FTopRow + fit)
        FTopRow = Row - fit + 1;
    UpdateScrollRange();
    Invalidate();
}

TrmTreeNode* TrmCustomPathTreeView::TopItem() const
{
    return NodeAtRow(FTopRow);
}

void TrmCustomPathTreeView::SetTopItem(TrmTreeNode* Value)
{
    const int32_t row = RowOf(Value);
    if (row < 0)
        return;
    FTopRow = row;
    UpdateScrollRange();
    Invalidate();
}

TrmTreeNode* TrmCustomPathTreeView::GetNodeAt(int32_t X, int32_t Y) const
{
    if (!FClientArea.Contains(X, Y))
        return nullptr;
    return NodeAtRow((Y - FClientArea.Top) / std::max(RowHeight(), 1) + FTopRow);
}

THitTests TrmCustomPathTreeView::GetHitTestInfoAt(int32_t X, int32_t Y) const
{
    THitTests outside = 0;
    if (X < FClientArea.Left)
        outside |= hit::htToLeft;
    if (X >= FClientArea.Right)
        outside |= hit::htToRight;
    if (Y < FClientArea.Top)
        outside |= hit::htAbove;
    if (Y >= FClientArea.Bottom)
        outside |= hit::htBelow;
    if (outside)
        return outside;
    const TrmTreeNode* node = GetNodeAt(X, Y);
    if (!node)
        return hit::htNowhere;
    const RowLayout layout = LeftToRightLayoutOf(node, RowOf(node));
    if (UseRightToLeftReading())
        X = FClientArea.Left + FClientArea.Right - 1 - X; // the column's place left to right
    if (layout.Button.Contains(X, Y))
        return FShowButtons && node->GetChildren() ? hit::htOnButton : hit::htOnIndent;
    if (layout.State.Contains(X, Y))
        return hit::htOnItem | hit::htOnStateIcon;
    if (layout.Image.Contains(X, Y))
        return hit::htOnItem | hit::htOnIcon;
    if (X < layout.Label.Left)
        return hit::htOnIndent;
    if (X < layout.Label.Right)
        return hit::htOnItem | hit::htOnLabel;
    return hit::htOnRight;
}

// ---- The indented text form -------------------------------------------------------------

void TrmCustomPathTreeView::SaveToStream(TStream& Stream) const
{
    const std::string text = TTreeStrings(*FTreeNodes).Text();
    Stream.WriteBuffer(text.data(), text.size());
}

void TrmCustomPathTreeView::SaveToFile(const std::filesystem::path& FileName) const
{
    TMemoryStream stream;
    SaveToStream(stream);
    std::string error;
    if (!platform::WriteFileAtomically(FileName, stream.Bytes(), error))
        throw Exception(error);
}

void TrmCustomPathTreeView::LoadFromFile(const std::filesystem::path& FileName)
{
    std::vector<uint8_t> bytes;
    std::string error;
    if (!platform::ReadFileBytes(FileName, bytes, error))
        throw Exception(error);
    TMemoryStream stream(std::move(bytes));
    LoadFromStream(stream);
}

void TrmCustomPathTreeView::LoadFromStream(TStream& Stream)
{
    std::string text(size_t(Stream.Remaining()), '\0');
    Stream.ReadBuffer(text.data(), text.size());
    TrmTreeNodes& nodes = *FTreeNodes;
    nodes.BeginUpdate();
    nodes.Clear();
    try {
        TrmTreeNode* previous = nullptr;
        int32_t previousLevel = 0;
        size_t start = 0;
        while (start < text.size()) {
            size_t end = text.find_first_of("\r\n", start);
            if (end == std::string::npos)
                end = text.size();
            const std::string_view line(text.data() + start, end - start);
            start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);

            const int32_t level = TTreeStrings::LevelOf(line);
            const std::string nodeText(line.substr(size_t(level)));
            TrmTreeNode* added = nodes.AddAtLevel(previous, previousLevel, level, nodeText, nullptr);
            if (!added)
                throw ETreeViewError("Invalid level (" + std::to_string(level) + ") for item \"" + nodeText + "\"");
            previous = added;
            previousLevel = level;
        }
    } catch (...) {
        nodes.Clear();
        nodes.EndUpdate();
        throw;
    }
    nodes.EndUpdate();
}
