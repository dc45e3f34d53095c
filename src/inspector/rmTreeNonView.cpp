#include "inspector/rmTreeNonView.h"

#include "inspector/rmCrc32.h"
#include "inspector/rmStream.h"
#include "platform/FileSystem.h"
#include "platform/Stream.h"

#include <algorithm>
#include <cassert>
#include <fstream>

namespace {

using NodeList = std::vector<std::unique_ptr<TrmTreeNonViewNode>>;

size_t PositionIn(const NodeList& list, const TrmTreeNonViewNode* node)
{
    const auto it = std::find_if(list.begin(), list.end(), [node](const auto& entry) { return entry.get() == node; });
    return it == list.end() ? size_t(-1) : size_t(it - list.begin());
}

std::unique_ptr<TrmTreeNonViewNode> TakeOut(NodeList& list, const TrmTreeNonViewNode* node)
{
    const size_t position = PositionIn(list, node);
    assert(position != size_t(-1));
    std::unique_ptr<TrmTreeNonViewNode> owned = std::move(list[position]);
    list.erase(list.begin() + std::ptrdiff_t(position));
    return owned;
}

[[noreturn]] void OutOfBounds()
{
    throw ErmTreeNonViewError("List Index Out of Bounds");
}

} // namespace

// ---- TrmTreeNonViewNode --------------------------------------------------------------

TrmTreeNonViewNode::TrmTreeNonViewNode(TrmTreeNonViewNodes& Owner) : FOwner(Owner) {}

TrmTreeNonViewNode::~TrmTreeNonViewNode()
{
    FDeleting = true;
    FData = nullptr;
    FChildren.clear();
}

bool TrmTreeNonViewNode::Hashed() const
{
    return FOwner.FIndex.Contains(this);
}

TrmTreeNonViewNode::NodeList& TrmTreeNonViewNode::SiblingList() const
{
    return FParent ? FParent->FChildren : FOwner.FRootNodeList;
}

void TrmTreeNonViewNode::SetText(const std::string& S)
{
    const bool reindex = !FText.empty() && FText != S;
    if (reindex)
        RemoveHash();
    FText = S;
    if (reindex && !S.empty())
        RenewHash();
    TrmCustomTreeNonView& tree = FOwner.Owner();
    if (tree.OnNodeTextChanged)
        tree.OnNodeTextChanged(&tree, this);
}

TrmTreeNonViewNode* TrmTreeNonViewNode::Item(int32_t Index) const
{
    if (Index < 0 || Index >= Count())
        OutOfBounds();
    return FChildren[size_t(Index)].get();
}

void TrmTreeNonViewNode::SetItem(int32_t Index, const TrmTreeNonViewNode* Value)
{
    Item(Index)->Assign(Value);
}

int32_t TrmTreeNonViewNode::Index() const
{
    return FParent ? FParent->IndexOf(this) : -1;
}

int32_t TrmTreeNonViewNode::Level() const
{
    int32_t level = 0;
    for (const TrmTreeNonViewNode* node = FParent; node; node = node->FParent)
        ++level;
    return level;
}

int32_t TrmTreeNonViewNode::GetItemCount() const
{
    int32_t count = 0;
    for (const auto& child : FChildren)
        count += 1 + child->GetItemCount();
    return count;
}

TrmTreeNonViewNode* TrmTreeNonViewNode::GetFirstChild() const
{
    return FChildren.empty() ? nullptr : FChildren.front().get();
}

TrmTreeNonViewNode* TrmTreeNonViewNode::GetLastChild() const
{
    return FChildren.empty() ? nullptr : FChildren.back().get();
}

TrmTreeNonViewNode* TrmTreeNonViewNode::GetNextSibling() const
{
    const NodeList& list = SiblingList();
    const size_t position = PositionIn(list, this);
    return position + 1 < list.size() ? list[position + 1].get() : nullptr;
}

TrmTreeNonViewNode* TrmTreeNonViewNode::getPrevSibling() const
{
    const NodeList& list = SiblingList();
    const size_t position = PositionIn(list, this);
    return position > 0 && position < list.size() ? list[position - 1].get() : nullptr;
}

TrmTreeNonViewNode* TrmTreeNonViewNode::GetNextChild(const TrmTreeNonViewNode* Node) const
{
    return Node ? Node->GetNextSibling() : nullptr;
}

TrmTreeNonViewNode* TrmTreeNonViewNode::GetPrevChild(const TrmTreeNonViewNode* Node) const
{
    return Node ? Node->getPrevSibling() : nullptr;
}

TrmTreeNonViewNode* TrmTreeNonViewNode::GetNext() const
{
    if (TrmTreeNonViewNode* child = GetFirstChild())
        return child;
    for (const TrmTreeNonViewNode* node = this; node; node = node->FParent)
        if (TrmTreeNonViewNode* sibling = node->GetNextSibling())
            return sibling;
    return nullptr;
}

TrmTreeNonViewNode* TrmTreeNonViewNode::GetPrev() const
{
    TrmTreeNonViewNode* node = getPrevSibling();
    if (!node)
        return FParent;
    while (TrmTreeNonViewNode* last = node->GetLastChild())
        node = last;
    return node;
}

bool TrmTreeNonViewNode::HasAsParent(const TrmTreeNonViewNode* Node) const
{
    if (!Node)
        return true;
    for (const TrmTreeNonViewNode* ancestor = FParent; ancestor; ancestor = ancestor->FParent)
        if (ancestor == Node)
            return true;
    return false;
}

int32_t TrmTreeNonViewNode::IndexOf(const TrmTreeNonViewNode* Child) const
{
    const size_t position = PositionIn(FChildren, Child);
    return position == size_t(-1) ? -1 : int32_t(position);
}

void TrmTreeNonViewNode::MoveItem(TrmTreeNonViewNode* A, TrmTreeNonViewNode* B)
{
    if (IndexOf(A) < 0)
        OutOfBounds();
    std::unique_ptr<TrmTreeNonViewNode> moved = TakeOut(FChildren, A);
    // B's place is taken after A left, so that A lands right after B wherever it came from.
    const int32_t target = IndexOf(B) + 1;
    FChildren.insert(FChildren.begin() + target, std::move(moved));
}

TrmTreeNonViewNode* TrmTreeNonViewNode::GetNodeByItem(const void* Data)
{
    if (FData == Data)
        return this;
    for (const auto& child : FChildren)
        if (TrmTreeNonViewNode* found = child->GetNodeByItem(Data))
            return found;
    return nullptr;
}

void TrmTreeNonViewNode::Assign(const TPersistent* Source)
{
    if (const auto* node = dynamic_cast<const TrmTreeNonViewNode*>(Source)) {
        SetText(node->FText);
        FData = node->FData;
        return;
    }
    TPersistent::Assign(Source);
}

bool TrmTreeNonViewNode::IsEqual(const TrmTreeNonViewNode* Node) const
{
    return Node && FText == Node->FText && FData == Node->FData;
}

std::string TrmTreeNonViewNode::GetNodePath() const
{
    return FOwner.Owner().NodePath(this);
}

void TrmTreeNonViewNode::Delete()
{
    DeleteChildren();
    FOwner.FIndex.Remove(this);
    TrmTreeNonViewNode* parent = FParent;
    // Held here until the deletion event has run.
    const std::unique_ptr<TrmTreeNonViewNode> self = TakeOut(SiblingList(), this);
    if (parent && parent->FChildren.empty())
        parent->FExpanded = false;
    FOwner.Owner().Delete(this);
}

void TrmTreeNonViewNode::DeleteChildren()
{
    while (!FChildren.empty())
        FChildren.back()->Delete();
}

TrmTreeNonViewNode* TrmTreeNonViewNode::MoveTo(TrmTreeNonViewNode* Destination, TNodeAttachMode Mode)
{
    // Onto itself among its siblings the node is where it goes already; under itself, or
    // anywhere in its own subtree, it cannot go.
    if (Destination == this)
        return Mode == naAddChild || Mode == naAddChildFirst ? nullptr : this;
    if (Destination && Destination->HasAsParent(this))
        return nullptr;
    const std::string text = FText;
    void* data = FData;
    TrmTreeNonViewNode* siblingsParent = Destination ? Destination->FParent : nullptr;
    TrmTreeNonViewNode* moved = nullptr;
    switch (Mode) {
    case naAdd:
        moved = FOwner.InternalAddObject(siblingsParent, nullptr, text, data, taAdd);
        break;
    case naAddFirst:
        moved = FOwner.InternalAddObject(siblingsParent, nullptr, text, data, taAddFirst);
        break;
    case naAddChild:
        moved = FOwner.InternalAddObject(Destination, nullptr, text, data, taAdd);
        break;
    case naAddChildFirst:
        moved = FOwner.InternalAddObject(Destination, nullptr, text, data, taAddFirst);
        break;
    case naInsert:
        moved = FOwner.InternalAddObject(siblingsParent, Destination, text, data, taInsert);
        break;
    }
    Delete();
    // The new node may share the old one's path, which kept it out of the index until now.
    if (!moved->Hashed())
        moved->RenewHash();
    return moved;
}

void TrmTreeNonViewNode::RemoveHash()
{
    FOwner.FIndex.Remove(this);
    for (const auto& child : FChildren)
        child->RemoveHash();
}

void TrmTreeNonViewNode::RenewHash()
{
    FOwner.FIndex.BinaryInsert(GetNodePath(), this);
    for (const auto& child : FChildren)
        child->RenewHash();
}

// ---- TrmTreeNonViewNodes --------------------------------------------------------------

TrmTreeNonViewNodes::TrmTreeNonViewNodes(TrmCustomTreeNonView& Owner)
    : FOwner(Owner), FIndex([](const TrmTreeNonViewNode& Node) { return Node.GetNodePath(); })
{
}

TrmTreeNonViewNodes::~TrmTreeNonViewNodes()
{
    Clear();
}

int32_t TrmTreeNonViewNodes::Count() const
{
    int32_t count = 0;
    for (const auto& root : FRootNodeList)
        count += 1 + root->GetItemCount();
    return count;
}

TrmTreeNonViewNode* TrmTreeNonViewNodes::Item(int32_t Index) const
{
    TrmTreeNonViewNode* node = Index >= 0 ? GetFirstNode() : nullptr;
    for (int32_t i = 0; node && i < Index; ++i)
        node = node->GetNext();
    if (!node)
        throw ErmTreeNonViewError("Index out of range");
    return node;
}

void TrmTreeNonViewNodes::SetItem(int32_t Index, const TrmTreeNonViewNode* Value)
{
    Item(Index)->Assign(Value);
}

TrmTreeNonViewNode* TrmTreeNonViewNodes::GetFirstNode() const
{
    return FRootNodeList.empty() ? nullptr : FRootNodeList.front().get();
}

int32_t TrmTreeNonViewNodes::GetIndex(const TrmTreeNonViewNode* Node) const
{
    const size_t position = PositionIn(FRootNodeList, Node);
    return position == size_t(-1) ? -1 : int32_t(position);
}

TrmTreeNonViewNode* TrmTreeNonViewNodes::AddChildFirst(TrmTreeNonViewNode* Parent, const std::string& S)
{
    return InternalAddObject(Parent, nullptr, S, nullptr, taAddFirst);
}

TrmTreeNonViewNode* TrmTreeNonViewNodes::AddChildObjectFirst(TrmTreeNonViewNode* Parent, const std::string& S,
                                                             void* Ptr)
{
    return InternalAddObject(Parent, nullptr, S, Ptr, taAddFirst);
}

TrmTreeNonViewNode* TrmTreeNonViewNodes::AddChild(TrmTreeNonViewNode* Parent, const std::string& S)
{
    return InternalAddObject(Parent, nullptr, S, nullptr, taAdd);
}

TrmTreeNonViewNode* TrmTreeNonViewNodes::AddChildObject(TrmTreeNonViewNode* Parent, const std::string& S, void* Ptr)
{
    return InternalAddObject(Parent, nullptr, S, Ptr, taAdd);
}

TrmTreeNonViewNode* TrmTreeNonViewNodes::AddFirst(TrmTreeNonViewNode* Sibling, const std::string& S)
{
    return InternalAddObject(Sibling ? Sibling->Parent() : nullptr, nullptr, S, nullptr, taAddFirst);
}

TrmTreeNonViewNode* TrmTreeNonViewNodes::AddObjectFirst(TrmTreeNonViewNode* Sibling, const std::string& S, void* Ptr)
{
    return InternalAddObject(Sibling ? Sibling->Parent() : nullptr, nullptr, S, Ptr, taAddFirst);
}

TrmTreeNonViewNode* TrmTreeNonViewNodes::Add(TrmTreeNonViewNode* Sibling, const std::string& S)
{
    return InternalAddObject(Sibling ? Sibling->Parent() : nullptr, nullptr, S, nullptr, taAdd);
}

TrmTreeNonViewNode* TrmTreeNonViewNodes::AddObject(TrmTreeNonViewNode* Sibling, const std::string& S, void* Ptr)
{
    return InternalAddObject(Sibling ? Sibling->Parent() : nullptr, nullptr, S, Ptr, taAdd);
}

TrmTreeNonViewNode* TrmTreeNonViewNodes::Insert(TrmTreeNonViewNode* Sibling, const std::string& S)
{
    return InternalAddObject(Sibling ? Sibling->Parent() : nullptr, Sibling, S, nullptr, taInsert);
}

TrmTreeNonViewNode* TrmTreeNonViewNodes::InsertObject(TrmTreeNonViewNode* Sibling, const std::string& S, void* Ptr)
{
    return InternalAddObject(Sibling ? Sibling->Parent() : nullptr, Sibling, S, Ptr, taInsert);
}

TrmTreeNonViewNode* TrmTreeNonViewNodes::InternalAddObject(TrmTreeNonViewNode* Parent, TrmTreeNonViewNode* Sibling,
                                                           const std::string& S, void* Ptr, TAddMode AddMode)
{
    if ((Parent && &Parent->FOwner != this) || (Sibling && &Sibling->FOwner != this))
        throw ErmTreeNonViewError("Unable to find Node reference");
    NodeList& list = Parent ? Parent->FChildren : FRootNodeList;
    size_t position = AddMode == taAddFirst ? 0 : list.size();
    if (AddMode == taInsert) {
        position = Sibling ? PositionIn(list, Sibling) : 0;
        if (position == size_t(-1))
            throw ErmTreeNonViewError("Unable to find Node reference");
    }
    std::unique_ptr<TrmTreeNonViewNode> created = FOwner.CreateNode();
    TrmTreeNonViewNode* node = created.get();
    list.insert(list.begin() + std::ptrdiff_t(position), std::move(created));
    node->FParent = Parent;
    node->FData = Ptr;
    node->SetText(S);
    if (!FIndexSuspended)
        FIndex.BinaryInsert(node->GetNodePath(), node);
    return node;
}

void TrmTreeNonViewNodes::Delete(TrmTreeNonViewNode* Node)
{
    if (!Node)
        return;
    FIndex.Remove(Node);
    Node->Delete();
}

void TrmTreeNonViewNodes::Clear()
{
    while (!FRootNodeList.empty())
        FRootNodeList.front()->Delete();
    FIndex.Clear();
}

void TrmTreeNonViewNodes::Move(int32_t From, int32_t To)
{
    const auto count = int32_t(FRootNodeList.size());
    if (From < 0 || From >= count || To < 0 || To >= count)
        OutOfBounds();
    std::unique_ptr<TrmTreeNonViewNode> moved = std::move(FRootNodeList[size_t(From)]);
    FRootNodeList.erase(FRootNodeList.begin() + From);
    FRootNodeList.insert(FRootNodeList.begin() + To, std::move(moved));
}

TrmTreeNonViewNode* TrmTreeNonViewNodes::GetNodeByItem(const void* Data) const
{
    for (const auto& root : FRootNodeList)
        if (root->Data() == Data)
            return root.get();
    return nullptr;
}

TrmTreeNonViewNode* TrmTreeNonViewNodes::LocateNode(std::string_view Path) const
{
    return FIndex.LocateNode(Path);
}

void TrmTreeNonViewNodes::RebuildIndex()
{
    FIndex.Clear();
    for (TrmTreeNonViewNode* node = GetFirstNode(); node; node = node->GetNext())
        FIndex.BinaryInsert(node->GetNodePath(), node);
}

void TrmTreeNonViewNodes::Assign(const TPersistent* Source)
{
    const auto* nodes = dynamic_cast<const TrmTreeNonViewNodes*>(Source);
    if (!nodes) {
        TPersistent::Assign(Source);
        return;
    }
    if (nodes == this)
        return;
    TMemoryStream stream;
    nodes->WriteData(stream);
    stream.SetPosition(0);
    ReadData(stream);
}

void TrmTreeNonViewNodes::DefineProperties(TFiler& Filer)
{
    DefineNodeStreamProperty(*this, Filer);
}

// The node stream, all integers little-endian:
// | size   | field                                                                |
// |--------|----------------------------------------------------------------------|
// | 4      | number of root nodes, signed                                         |
// | ...    | each root's node record, in order                                    |
// A node record:
// | 4      | Size = L + 5, signed                                                 |
// | 4      | number of child nodes, signed          \                             |
// | 1      | L, the text's length (at most 255)      > the Size bytes             |
// | L      | the text                               /                             |
// | 4      | Flag: 1 when a component stream follows, else 0                      |
// | ...    | the node records of the children, in order                           |
// This program writes no component streams (a node's data is an untyped pointer), and
// reads none: no component classes are registered with it.
namespace {

constexpr int32_t kMaxText = 255;
constexpr uint64_t kSmallestRecord = 4 + 5 + 4;
// Deeper streams are refused: nothing this program stores comes near, and the tree's
// recursive walks must not run out of stack on a hostile stream.
constexpr size_t kMaxDepth = 256;

int32_t CheckedNodeCount(int32_t count, const TStream& stream, const char* what)
{
    return CheckedRecordCount(count, kSmallestRecord, stream, "Node stream", what);
}

} // namespace

// The number of levels of the forest (0 when empty), walked without recursion.
size_t TrmTreeNonViewNodes::Depth() const
{
    size_t deepest = 0;
    std::vector<std::pair<const TrmTreeNonViewNode*, size_t>> open;
    for (const auto& root : FRootNodeList)
        open.emplace_back(root.get(), 1);
    while (!open.empty()) {
        const auto [node, level] = open.back();
        open.pop_back();
        deepest = std::max(deepest, level);
        for (const auto& child : node->FChildren)
            open.emplace_back(child.get(), level + 1);
    }
    return deepest;
}

// A forest deeper than the reader takes is refused before anything is written.
void TrmTreeNonViewNodes::WriteData(TStream& Stream) const
{
    if (const size_t depth = Depth(); depth > kMaxDepth)
        throw EStreamError("Node stream: the tree is " + std::to_string(depth) + " levels deep, and only " +
                           std::to_string(kMaxDepth) + " levels can be stored and read back");
    WriteInt32LE(Stream, int32_t(FRootNodeList.size()));
    for (const TrmTreeNonViewNode* node = GetFirstNode(); node; node = node->GetNext()) {
        const auto length = uint8_t(std::min<size_t>(node->Text().size(), kMaxText));
        WriteInt32LE(Stream, length + 5);
        WriteInt32LE(Stream, node->Count());
        Stream.WriteBuffer(&length, 1);
        Stream.WriteBuffer(node->Text().data(), length);
        WriteInt32LE(Stream, 0);
    }
}

void TrmTreeNonViewNodes::ReadData(TStream& Stream)
{
    Clear();
    FIndexSuspended = true;
    try {
        ReadNodes(Stream);
    } catch (...) {
        FIndexSuspended = false;
        RebuildIndex();
        throw;
    }
    FIndexSuspended = false;
    RebuildIndex();
}

void TrmTreeNonViewNodes::ReadNodes(TStream& Stream)
{
    // Records come in pre-order; the stack holds each open parent and how many of its
    // children are still to come, so that depth costs no recursion.
    struct OpenParent {
        TrmTreeNonViewNode* Node;
        int32_t ChildrenLeft;
    };
    std::vector<OpenParent> open{{nullptr, CheckedNodeCount(ReadInt32LE(Stream), Stream, "root count")}};
    while (!open.empty()) {
        if (open.back().ChildrenLeft == 0) {
            open.pop_back();
            continue;
        }
        if (open.size() > kMaxDepth)
            throw EStreamError("Node stream: nodes nested deeper than " + std::to_string(kMaxDepth) +
                               " levels are not supported");
        --open.back().ChildrenLeft;
        TrmTreeNonViewNode* parent = open.back().Node;
        TrmTreeNonViewNode* node = parent ? AddChild(parent, {}) : Add(nullptr, {});

        const int32_t size = ReadInt32LE(Stream);
        if (size < 5 || size > kMaxText + 5 || uint64_t(size) > Stream.Remaining())
            throw EStreamError("Node stream: a node record of " + std::to_string(size) +
                               " bytes is not between 5 and 260 bytes, or is longer than the stream");
        uint8_t record[kMaxText + 5];
        Stream.ReadBuffer(record, size_t(size));
        const int32_t length = record[4];
        if (length + 5 > size)
            throw EStreamError("Node stream: a text of " + std::to_string(length) + " bytes does not fit its " +
                               std::to_string(size) + "-byte record");
        node->SetText(std::string(reinterpret_cast<const char*>(record + 5), size_t(length)));

        const int32_t flag = ReadInt32LE(Stream);
        if (flag == 1)
            throw EStreamError("Node stream: node \"" + node->Text() +
                               "\" carries a component, and no component classes are registered to read it");
        if (flag != 0)
            throw EStreamError("Node stream: node \"" + node->Text() + "\" has the unknown flag " +
                               std::to_string(flag));
        open.push_back({node, CheckedNodeCount(LoadInt32LE(record), Stream, "child count")});
    }
}

// ---- TrmCustomTreeNonView --------------------------------------------------------------

TrmCustomTreeNonView::TrmCustomTreeNonView() : FItems(std::make_unique<TrmTreeNonViewNodes>(*this)) {}

TrmCustomTreeNonView::~TrmCustomTreeNonView()
{
    // The handlers may belong to an owner that is already half destroyed.
    OnDeletion = nullptr;
    OnNodeTextChanged = nullptr;
    FItems->Clear();
}

void TrmCustomTreeNonView::SetSepChar(char Value)
{
    if (Value == FSepChar)
        return;
    FSepChar = Value;
    FItems->RebuildIndex();
}

std::unique_ptr<TrmTreeNonViewNode> TrmCustomTreeNonView::CreateNode()
{
    return std::make_unique<TrmTreeNonViewNode>(*FItems);
}

void TrmCustomTreeNonView::TextSort(TrmTreeNonViewNode* Node, bool Recursive)
{
    NodeList& list = Node ? Node->FChildren : FItems->FRootNodeList;
    NodeList unsorted = std::move(list);
    list.clear();
    for (auto& entry : unsorted) {
        if (Recursive)
            TextSort(entry.get(), true);
        const auto before = std::find_if(list.begin(), list.end(),
                                         [&entry](const auto& placed) { return placed->Text() >= entry->Text(); });
        list.insert(before, std::move(entry));
    }
}

void TrmCustomTreeNonView::Delete(TrmTreeNonViewNode* Node)
{
    if (OnDeletion)
        OnDeletion(this, Node);
}

std::string TrmCustomTreeNonView::NodePath(const TrmTreeNonViewNode* Node) const
{
    std::vector<const TrmTreeNonViewNode*> chain;
    for (; Node; Node = Node->Parent())
        chain.push_back(Node);
    std::string path;
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
        path += FSepChar;
        path += (*it)->Text();
    }
    return path;
}

TrmTreeNonViewNode* TrmCustomTreeNonView::AddPathNode(TrmTreeNonViewNode* Node, const std::string& Path)
{
    if (Path.empty())
        return nullptr;
    std::string fullPath = NodePath(Node);
    if (Path.front() != FSepChar)
        fullPath += FSepChar;
    fullPath += Path;
    return AddNodeAlongPath<TrmTreeNonViewNode>(
        std::move(fullPath), FSepChar, [this](const std::string& P) { return FItems->LocateNode(P); },
        [this](TrmTreeNonViewNode* Parent, const std::string& Text) { return FItems->AddChild(Parent, Text); });
}

std::string TrmCustomTreeNonView::ParentName(std::string_view Path) const
{
    return PathParentName(Path, FSepChar);
}

std::string TrmCustomTreeNonView::ChildName(std::string_view Path) const
{
    return PathChildName(Path, FSepChar);
}

std::string TrmCustomTreeNonView::SaveText() const
{
    std::string text;
    for (const TrmTreeNonViewNode* node = FItems->GetFirstNode(); node; node = node->GetNext())
        text += NodePath(node) + "\r\n";
    return text;
}

void TrmCustomTreeNonView::SaveToFile(const std::filesystem::path& Name) const
{
    const std::string text = SaveText();
    std::string error;
    if (!platform::WriteFileAtomically(Name, std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()),
                                       error))
        throw Exception(error);
}

void TrmCustomTreeNonView::SaveToStream(TStream& Stream) const
{
    const std::string text = SaveText();
    Stream.WriteBuffer(text.data(), text.size());
}

void TrmCustomTreeNonView::LoadFromFile(const std::filesystem::path& Name)
{
    std::ifstream file(Name, std::ios::binary);
    if (!file)
        throw Exception("Cannot open \"" + Name.string() + "\" for reading");
    TMemoryStream nothing;
    LoadFromStream(nothing);
}

void TrmCustomTreeNonView::LoadFromStream(TStream&) {}
