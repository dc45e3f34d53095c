#include "components/rmPathTreeNodes.h"

#include "components/rmPathTreeView.h"
#include "platform/FileSystem.h"

#include <cassert>
#include <vector>

namespace {

// A node of one tree cannot be linked into another: each tree owns its nodes.
constexpr const char* kOtherTreeError = "Unable to insert an item: the given node belongs to another tree";

// The node after Node, depth first, without leaving Root's subtree; null at its end.
TrmTreeNode* NextWithin(const TrmTreeNode* Node, const TrmTreeNode* Root)
{
    if (TrmTreeNode* child = Node->getFirstChild())
        return child;
    for (; Node && Node != Root; Node = Node->GetParent())
        if (TrmTreeNode* sibling = Node->getNextSibling())
            return sibling;
    return nullptr;
}

// The nodes of Root's subtree, Root first, depth first.
std::vector<TrmTreeNode*> Subtree(TrmTreeNode* Root)
{
    std::vector<TrmTreeNode*> nodes;
    for (TrmTreeNode* node = Root; node; node = NextWithin(node, Root))
        nodes.push_back(node);
    return nodes;
}

} // namespace

// ---- TrmTreeNode ----------------------------------------------------------------------

TrmTreeNode::TrmTreeNode(TrmTreeNodes& Owner) : FOwner(Owner) {}

TrmTreeNode::~TrmTreeNode()
{
    FDeleting = true;
}

TrmCustomPathTreeView& TrmTreeNode::TreeView() const
{
    return FOwner.Owner();
}

void TrmTreeNode::SetText(const std::string& Value)
{
    if (Value == FText)
        return;
    RemoveHash();
    FText = Value;
    // Also for an empty text: the descendants' paths change with it.
    RenewHash();
    TreeView().SiblingsChanged(FParent, true);
}

void TrmTreeNode::SetData(void* Value)
{
    if (Value == FData)
        return;
    FData = Value;
    TreeView().SiblingsChanged(FParent, false);
}

void TrmTreeNode::SetImageIndex(int32_t Value)
{
    FImageIndex = Value;
    TreeView().Invalidate();
}

void TrmTreeNode::SetSelectedIndex(int32_t Value)
{
    FSelectedIndex = Value;
    TreeView().Invalidate();
}

void TrmTreeNode::SetOverlayIndex(int32_t Value)
{
    FOverlayIndex = Value;
    TreeView().Invalidate();
}

void TrmTreeNode::SetStateIndex(int32_t Value)
{
    FStateIndex = Value;
    TreeView().Invalidate();
}

TrmTreeNode* TrmTreeNode::GetNext() const
{
    return NextWithin(this, nullptr);
}

const TrmTreeNode* TrmTreeNode::LastInSubtree() const
{
    const TrmTreeNode* node = this;
    while (node->FLastChild)
        node = node->FLastChild;
    return node;
}

TrmTreeNode* TrmTreeNode::GetPrev() const
{
    if (!FPrev)
        return FParent;
    return const_cast<TrmTreeNode*>(FPrev->LastInSubtree());
}

TrmTreeNode* TrmTreeNode::GetNextVisible() const
{
    if (FExpanded && FFirstChild)
        return FFirstChild;
    for (const TrmTreeNode* node = this; node; node = node->FParent)
        if (node->FNext)
            return node->FNext;
    return nullptr;
}

TrmTreeNode* TrmTreeNode::GetPrevVisible() const
{
    if (!FPrev)
        return FParent;
    TrmTreeNode* node = FPrev;
    while (node->FExpanded && node->FLastChild)
        node = node->FLastChild;
    return node;
}

TrmTreeNode* TrmTreeNode::GetItem(int32_t Index) const
{
    if (Index < 0 || Index >= FChildCount)
        throw ETreeViewError("List index out of bounds (" + std::to_string(Index) + ")");
    TrmTreeNode* child = FFirstChild;
    for (int32_t i = 0; i < Index; ++i)
        child = child->FNext;
    return child;
}

void TrmTreeNode::SetItem(int32_t Index, const TrmTreeNode* Value)
{
    GetItem(Index)->Assign(Value);
}

int32_t TrmTreeNode::IndexOf(const TrmTreeNode* Value) const
{
    int32_t index = 0;
    for (const TrmTreeNode* child = FFirstChild; child; child = child->FNext, ++index)
        if (child == Value)
            return index;
    return -1;
}

int32_t TrmTreeNode::GetIndex() const
{
    int32_t index = 0;
    for (const TrmTreeNode* node = FPrev; node; node = node->FPrev)
        ++index;
    return index;
}

int32_t TrmTreeNode::GetAbsoluteIndex() const
{
    if (FOwner.FCacheNode == this)
        return FOwner.FCacheIndex;
    int32_t index = -1;
    for (const TrmTreeNode* node = this; node; node = node->GetPrev())
        ++index;
    return index;
}

int32_t TrmTreeNode::GetLevel() const
{
    int32_t level = 0;
    for (const TrmTreeNode* node = FParent; node; node = node->FParent)
        ++level;
    return level;
}

bool TrmTreeNode::HasAsParent(const TrmTreeNode* Value) const
{
    if (!Value)
        return false;
    for (const TrmTreeNode* node = FParent; node; node = node->FParent)
        if (node == Value)
            return true;
    return false;
}

void TrmTreeNode::SetExpanded(bool Value)
{
    if (Value)
        Expand(false);
    else
        Collapse(false);
}

bool TrmTreeNode::Selected() const
{
    return TreeView().FSelected == this;
}

void TrmTreeNode::SetSelected(bool Value)
{
    if (Value)
        TreeView().SetSelected(this);
    else if (Selected())
        TreeView().SetSelected(nullptr);
}

bool TrmTreeNode::Focused() const
{
    return TreeView().FFocusedNode == this;
}

void TrmTreeNode::SetFocused(bool Value)
{
    TrmCustomPathTreeView& view = TreeView();
    if (Value)
        view.FFocusedNode = this;
    else if (view.FFocusedNode == this)
        view.FFocusedNode = nullptr;
    view.Invalidate();
}

void TrmTreeNode::SetCut(bool Value)
{
    FCut = Value;
    TreeView().Invalidate();
}

bool TrmTreeNode::DropTarget() const
{
    return TreeView().FDropTarget == this;
}

void TrmTreeNode::SetDropTarget(bool Value)
{
    if (Value)
        TreeView().SetDropTarget(this);
    else if (DropTarget())
        TreeView().SetDropTarget(nullptr);
}

void TrmTreeNode::SetChildren(bool Value)
{
    FHasChildren = Value;
    TreeView().Invalidate();
}

void TrmTreeNode::Expand(bool Recurse)
{
    TrmCustomPathTreeView& view = TreeView();
    // Walked as it opens: the children OnExpanding adds to a node marked as having some
    // (a tree filled on demand) are opened in turn.
    for (TrmTreeNode* node = this; node; node = Recurse ? NextWithin(node, this) : nullptr) {
        if (node->FExpanded || !node->MayOpen() || !view.CanExpand(node) || !node->FFirstChild)
            continue;
        node->FExpanded = true;
        view.CountRows(node, +1, TrmCustomPathTreeView::RowsBelow);
        view.Expand(node);
    }
    view.StructureChanged();
}

void TrmTreeNode::Collapse(bool Recurse)
{
    TrmCustomPathTreeView& view = TreeView();
    for (TrmTreeNode* node : Recurse ? Subtree(this) : std::vector<TrmTreeNode*>{this}) {
        if (!node->FExpanded || !view.CanCollapse(node))
            continue;
        view.CountRows(node, -1, TrmCustomPathTreeView::RowsBelow);
        node->FExpanded = false;
        view.Collapse(node);
    }
    // A selection hidden below the node moves up to it.
    if (view.FSelected && view.FSelected->HasAsParent(this) && !FExpanded)
        view.SetSelected(this);
    view.StructureChanged();
}

void TrmTreeNode::MakeVisible()
{
    for (TrmTreeNode* node = FParent; node; node = node->FParent)
        if (!node->FExpanded)
            node->Expand(false);
    TreeView().ScrollToRow(TreeView().RowOf(this));
}

bool TrmTreeNode::IsNodeVisible() const
{
    const TrmCustomPathTreeView& view = TreeView();
    const int32_t row = view.RowOf(this);
    return row >= view.FTopRow && row < view.FTopRow + view.RowsThatFit();
}

platform::Rect TrmTreeNode::DisplayRect(bool TextOnly) const
{
    const TrmCustomPathTreeView& view = TreeView();
    const int32_t row = view.RowOf(this);
    if (row < 0)
        return {};
    const auto layout = view.LayoutOf(this, row);
    return TextOnly ? layout.Label : layout.Row;
}

void TrmTreeNode::Unlink()
{
    TrmTreeNode*& first = FParent ? FParent->FFirstChild : FOwner.FFirst;
    TrmTreeNode*& last = FParent ? FParent->FLastChild : FOwner.FLast;
    (FPrev ? FPrev->FNext : first) = FNext;
    (FNext ? FNext->FPrev : last) = FPrev;
    if (FParent)
        --FParent->FChildCount;
    FParent = FPrev = FNext = nullptr;
}

void TrmTreeNode::LinkAsChild(TrmTreeNode* Parent, TrmTreeNode* Before)
{
    assert(!Before || Before->FParent == Parent);
    TrmTreeNode*& first = Parent ? Parent->FFirstChild : FOwner.FFirst;
    TrmTreeNode*& last = Parent ? Parent->FLastChild : FOwner.FLast;
    FParent = Parent;
    FNext = Before;
    FPrev = Before ? Before->FPrev : last;
    (FPrev ? FPrev->FNext : first) = this;
    (FNext ? FNext->FPrev : last) = this;
    if (Parent)
        ++Parent->FChildCount;
}

void TrmTreeNode::MoveTo(TrmTreeNode* Destination, TNodeAttachMode Mode)
{
    if (Destination && &Destination->FOwner != &FOwner)
        throw ETreeViewError(kOtherTreeError);
    if (Destination == this || (Destination && Destination->HasAsParent(this)))
        return;
    TrmCustomPathTreeView& view = TreeView();
    TrmTreeNode* parent = nullptr;
    TrmTreeNode* before = nullptr;
    switch (Mode) {
    case naAdd:
        parent = Destination ? Destination->FParent : nullptr;
        break;
    case naAddFirst:
        parent = Destination ? Destination->FParent : nullptr;
        before = parent ? parent->FFirstChild : FOwner.FFirst;
        break;
    case naAddChild:
        parent = Destination;
        break;
    case naAddChildFirst:
        parent = Destination;
        before = parent ? parent->FFirstChild : FOwner.FFirst;
        break;
    case naInsert:
        parent = Destination ? Destination->FParent : nullptr;
        before = Destination;
        break;
    }
    if (before == this)
        before = FNext;

    // The move is one step for the change events: none fire while it runs.
    const TrmCustomPathTreeView::TrmTVChangingEvent changing = std::move(view.OnChanging);
    const TrmCustomPathTreeView::TrmTVChangedEvent changed = std::move(view.OnChange);
    view.OnChanging = nullptr;
    view.OnChange = nullptr;
    RemoveHash();
    TrmTreeNode* oldParent = FParent;
    view.CountRows(this, -1, TrmCustomPathTreeView::RowAndBelow);
    Unlink();
    LinkAsChild(parent, before);
    view.CountRows(this, +1, TrmCustomPathTreeView::RowAndBelow); // before the new parent expands
    if (oldParent && oldParent->FChildCount == 0) {
        oldParent->FExpanded = false;
        oldParent->FHasChildren = false;
    }
    if (parent) {
        parent->FHasChildren = true;
        parent->Expand(false);
    }
    RenewHash();
    view.OnChanging = changing;
    view.OnChange = changed;
    FOwner.ClearCache();
    view.StructureChanged();
}

bool TrmTreeNode::EditText()
{
    return TreeView().BeginEdit(this);
}

void TrmTreeNode::EndEdit(bool Cancel)
{
    if (TreeView().FEditNode == this)
        TreeView().FinishEdit(Cancel);
}

bool TrmTreeNode::AlphaSort()
{
    return CustomSort(nullptr, 0);
}

bool TrmTreeNode::CustomSort(const TTVCompare& SortProc, int32_t Data)
{
    TreeView().SortChildren(this, SortProc, Data);
    return true;
}

void TrmTreeNode::Delete()
{
    FOwner.Delete(this);
}

void TrmTreeNode::DeleteChildren()
{
    const std::vector<TrmTreeNode*> nodes = Subtree(this);
    // Children before their parents, the last first.
    for (auto it = nodes.rbegin(); it + 1 != nodes.rend(); ++it)
        FOwner.Release(*it);
    TreeView().StructureChanged();
}

void TrmTreeNode::Assign(const TPersistent* Source)
{
    const auto* node = dynamic_cast<const TrmTreeNode*>(Source);
    if (!node) {
        TPersistent::Assign(Source);
        return;
    }
    SetText(node->FText);
    SetData(node->FData);
    FImageIndex = node->FImageIndex;
    FSelectedIndex = node->FSelectedIndex;
    FOverlayIndex = node->FOverlayIndex;
    FStateIndex = node->FStateIndex;
    SetFocused(node->Focused());
    SetDropTarget(node->DropTarget());
    FCut = node->FCut;
    FHasChildren = node->FHasChildren;
    TreeView().Invalidate();
}

bool TrmTreeNode::IsEqual(const TrmTreeNode* Node) const
{
    return Node && FText == Node->FText && FData == Node->FData;
}

void TrmTreeNode::RemoveHash()
{
    for (TrmTreeNode* node : Subtree(this))
        FOwner.FIndex.Remove(node);
}

void TrmTreeNode::RenewHash()
{
    // One walk down the subtree, each node's path grown from its parent's and cut back on
    // the way up: the paths of a deep subtree are not each built again from the top.
    const char sep = TreeView().SepChar();
    std::string path = TreeView().NodePath(FParent);
    std::vector<size_t> ends; // the path's length before each open node's text
    TrmTreeNode* node = this;
    while (node) {
        ends.push_back(path.size());
        path += sep;
        path += node->FText;
        // An empty text is a level of its descendants' paths but is not filed itself.
        if (node->FText.empty())
            FOwner.FIndex.Remove(node);
        else
            FOwner.FIndex.BinaryInsert(path, node);
        if (node->FFirstChild) {
            node = node->FFirstChild;
            continue;
        }
        for (; node != this && !node->FNext; node = node->FParent) {
            path.resize(ends.back());
            ends.pop_back();
        }
        path.resize(ends.back());
        ends.pop_back();
        node = node == this ? nullptr : node->FNext;
    }
}

// ---- TrmTreeNodes ---------------------------------------------------------------------

TrmTreeNodes::TrmTreeNodes(TrmCustomPathTreeView& Owner)
    : FOwner(Owner), FIndex([&Owner](const TrmTreeNode& Node) { return Owner.NodePath(&Node); })
{
}

TrmTreeNodes::~TrmTreeNodes() = default;

TrmTreeNode* TrmTreeNodes::GetNodeFromIndex(int32_t Index) const
{
    if (Index < 0 || Index >= FCount)
        throw ETreeViewError("Invalid index");
    const TrmTreeNode* node = nullptr;
    if (FCacheNode && Index == FCacheIndex)
        node = FCacheNode;
    else if (FCacheNode && Index == FCacheIndex + 1)
        node = FCacheNode->GetNext();
    else if (FCacheNode && Index == FCacheIndex - 1)
        node = FCacheNode->GetPrev();
    else {
        node = FFirst;
        for (int32_t i = 0; i < Index; ++i)
            node = node->GetNext();
    }
    assert(node);
    FCacheNode = node;
    FCacheIndex = Index;
    return const_cast<TrmTreeNode*>(node);
}

TrmTreeNode* TrmTreeNodes::Add(TrmTreeNode* Sibling, const std::string& S)
{
    return AddObject(Sibling, S, nullptr);
}

TrmTreeNode* TrmTreeNodes::AddObject(TrmTreeNode* Sibling, const std::string& S, void* Ptr)
{
    return InternalAddObject(Sibling ? Sibling->FParent : nullptr, nullptr, S, Ptr);
}

TrmTreeNode* TrmTreeNodes::AddFirst(TrmTreeNode* Sibling, const std::string& S)
{
    return AddObjectFirst(Sibling, S, nullptr);
}

TrmTreeNode* TrmTreeNodes::AddObjectFirst(TrmTreeNode* Sibling, const std::string& S, void* Ptr)
{
    return AddChildObjectFirst(Sibling ? Sibling->FParent : nullptr, S, Ptr);
}

TrmTreeNode* TrmTreeNodes::AddChild(TrmTreeNode* Parent, const std::string& S)
{
    return AddChildObject(Parent, S, nullptr);
}

TrmTreeNode* TrmTreeNodes::AddChildObject(TrmTreeNode* Parent, const std::string& S, void* Ptr)
{
    return InternalAddObject(Parent, nullptr, S, Ptr);
}

TrmTreeNode* TrmTreeNodes::AddChildFirst(TrmTreeNode* Parent, const std::string& S)
{
    return AddChildObjectFirst(Parent, S, nullptr);
}

TrmTreeNode* TrmTreeNodes::AddChildObjectFirst(TrmTreeNode* Parent, const std::string& S, void* Ptr)
{
    return InternalAddObject(Parent, Parent ? Parent->FFirstChild : FFirst, S, Ptr);
}

TrmTreeNode* TrmTreeNodes::Insert(TrmTreeNode* Sibling, const std::string& S)
{
    return InsertObject(Sibling, S, nullptr);
}

TrmTreeNode* TrmTreeNodes::InsertObject(TrmTreeNode* Sibling, const std::string& S, void* Ptr)
{
    return InternalAddObject(Sibling ? Sibling->FParent : nullptr, Sibling, S, Ptr);
}

TrmTreeNode* TrmTreeNodes::InternalAddObject(TrmTreeNode* Parent, TrmTreeNode* Before, const std::string& S,
                                             void* Ptr, const std::string_view* Path)
{
    if ((Parent && &Parent->FOwner != this) || (Before && &Before->FOwner != this))
        throw ETreeViewError(kOtherTreeError);
    std::unique_ptr<TrmTreeNode> created = FOwner.CreateNode();
    TrmTreeNode* node = created.get();
    FNodes.emplace(node, std::move(created));
    ++FCount;
    ClearCache();
    node->FText = S;
    node->FData = Ptr;
    node->LinkAsChild(Parent, Before);
    FOwner.CountRows(node, +1, TrmCustomPathTreeView::RowAlone);
    if (Parent)
        Parent->FHasChildren = true;
    if (!S.empty() && !FIndexSuspended)
        FIndex.BinaryInsert(Path ? *Path : std::string_view(FOwner.NodePath(node)), node);
    FOwner.NodeInserted();
    return node;
}

TrmTreeNode* TrmTreeNodes::AddAtLevel(TrmTreeNode* Previous, int32_t PreviousLevel, int32_t Level,
                                      const std::string& Text, void* Data)
{
    if (!Previous)
        return AddChildObject(nullptr, Text, Data);
    if (Level > PreviousLevel + 1)
        return nullptr;
    if (Level == PreviousLevel + 1)
        return AddChildObject(Previous, Text, Data);
    // Up to the ancestor at that level (the top at most), then beside it.
    TrmTreeNode* ancestor = Previous;
    for (int32_t i = Level; i < PreviousLevel && ancestor->FParent; ++i)
        ancestor = ancestor->FParent;
    return AddChildObject(ancestor->FParent, Text, Data);
}

void TrmTreeNodes::Release(TrmTreeNode* Node)
{
    assert(!Node->FFirstChild);
    Node->FDeleting = true;
    FOwner.Delete(Node);
    FOwner.NodeDeleting(Node);
    FIndex.Remove(Node);
    FOwner.CountRows(Node, -1, TrmCustomPathTreeView::RowAlone);
    TrmTreeNode* parent = Node->FParent;
    Node->Unlink();
    if (parent && parent->FChildCount == 0) {
        parent->FExpanded = false;
        parent->FHasChildren = false;
    }
    FNodes.erase(Node);
    --FCount;
    ClearCache();
}

void TrmTreeNodes::Delete(TrmTreeNode* Node)
{
    if (!Node)
        return;
    const std::vector<TrmTreeNode*> nodes = Subtree(Node);
    for (auto it = nodes.rbegin(); it != nodes.rend(); ++it)
        Release(*it);
    FOwner.StructureChanged();
}

void TrmTreeNodes::Clear()
{
    BeginUpdate();
    while (FLast)
        Delete(FLast);
    FIndex.Clear();
    EndUpdate();
}

void TrmTreeNodes::BeginUpdate()
{
    ++FUpdateCount;
}

void TrmTreeNodes::EndUpdate()
{
    assert(FUpdateCount > 0);
    if (--FUpdateCount == 0)
        FOwner.StructureChanged();
}

void TrmTreeNodes::Assign(const TPersistent* Source)
{
    const auto* nodes = dynamic_cast<const TrmTreeNodes*>(Source);
    if (!nodes) {
        TPersistent::Assign(Source);
        return;
    }
    if (nodes == this)
        return;
    BeginUpdate();
    Clear();
    // Copied node by node, parents before children: the copy of each source node's
    // parent is known when the node comes.
    std::unordered_map<const TrmTreeNode*, TrmTreeNode*> copyOf;
    FIndexSuspended = true;
    for (const TrmTreeNode* source = nodes->FFirst; source; source = source->GetNext()) {
        TrmTreeNode* parent = source->FParent ? copyOf.at(source->FParent) : nullptr;
        TrmTreeNode* copy = InternalAddObject(parent, nullptr, source->FText, source->FData);
        copy->FImageIndex = source->FImageIndex;
        copy->FSelectedIndex = source->FSelectedIndex;
        copy->FOverlayIndex = source->FOverlayIndex;
        copy->FStateIndex = source->FStateIndex;
        copy->FHasChildren = source->FHasChildren;
        copyOf[source] = copy;
    }
    FIndexSuspended = false;
    RebuildIndex();
    EndUpdate();
}

void TrmTreeNodes::RebuildIndex()
{
    FIndex.Clear();
    for (TrmTreeNode* root = FFirst; root; root = root->FNext)
        root->RenewHash();
}

void TrmTreeNodes::DumpHash(const std::filesystem::path& FileName) const
{
    std::string text;
    for (int32_t i = 0; i < FIndex.Count(); ++i)
        text += FOwner.NodePath(FIndex.Entry(i).Node) + "\r\n";
    std::string error;
    if (!platform::WriteFileAtomically(FileName, std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()),
                                       error))
        throw Exception(error);
}

void TrmTreeNodes::DefineProperties(TFiler& Filer)
{
    DefineNodeStreamProperty(*this, Filer);
}
