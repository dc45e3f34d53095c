#pragma once
// A forest of named nodes without a view. Every node has a text and a data pointer it does
// not own; a node's path is the separator character followed by the text of each node from
// the root down ("/A/B"). A path index, the CRC-32 of each path kept sorted, finds a node by
// path without walking the tree. The property inspector keeps its rows in one.
//
// Ownership: the root list owns the roots, each node owns its children. Index invariant:
// every entry names a live node, each node has at most one entry (Hashed), and the entries
// are sorted by their CRC taken as a signed 32-bit number.
#include "inspector/rmPathIndex.h"
#include "platform/Exception.h"
#include "platform/Persistent.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class TStream;
class TrmCustomTreeNonView;
class TrmTreeNonViewNodes;

class ErmTreeNonViewError : public Exception {
public:
    using Exception::Exception;
};

enum TAddMode : uint8_t { taAddFirst = 0, taAdd = 1, taInsert = 2 };
enum TNodeAttachMode : uint8_t { naAdd = 0, naAddFirst = 1, naAddChild = 2, naAddChildFirst = 3, naInsert = 4 };

class TrmTreeNonViewNode : public TPersistent {
public:
    explicit TrmTreeNonViewNode(TrmTreeNonViewNodes& Owner);
    ~TrmTreeNonViewNode() override;
    TrmTreeNonViewNode(const TrmTreeNonViewNode&) = delete;
    TrmTreeNonViewNode& operator=(const TrmTreeNonViewNode&) = delete;
    const char* ClassName() const override { return "TrmTreeNonViewNode"; }

    TrmTreeNonViewNodes& Owner() const { return FOwner; }
    const std::string& Text() const { return FText; }
    // Moves the index entries of the node and its subtree to the new paths; a node whose
    // text was empty keeps its entry until RenewHash. Fires OnNodeTextChanged.
    void SetText(const std::string& S);
    void* Data() const { return FData; }
    void SetData(void* Value) { FData = Value; }
    TrmTreeNonViewNode* Parent() const { return FParent; }
    bool Expanded() const { return FExpanded; }
    void SetExpanded(bool Value) { FExpanded = Value; }
    bool Deleting() const { return FDeleting; }
    // Whether the node has an entry in the path index.
    bool Hashed() const;

    bool GetChildren() const { return !FChildren.empty(); }
    int32_t Count() const { return int32_t(FChildren.size()); }
    // Raises ErmTreeNonViewError "List Index Out of Bounds" outside 0..Count-1.
    TrmTreeNonViewNode* Item(int32_t Index) const;
    // Assigns Value to child Index.
    void SetItem(int32_t Index, const TrmTreeNonViewNode* Value);
    // Position among the parent's children; -1 for a root.
    int32_t Index() const;
    int32_t Level() const;
    // All descendants.
    int32_t GetItemCount() const;

    TrmTreeNonViewNode* GetFirstChild() const;
    TrmTreeNonViewNode* GetLastChild() const;
    // Among the parent's children, or among the roots for a root; null at the ends.
    TrmTreeNonViewNode* GetNextSibling() const;
    TrmTreeNonViewNode* getPrevSibling() const;
    TrmTreeNonViewNode* GetNextChild(const TrmTreeNonViewNode* Node) const;
    TrmTreeNonViewNode* GetPrevChild(const TrmTreeNonViewNode* Node) const;
    // Pre-order successor and predecessor over the whole forest.
    TrmTreeNonViewNode* GetNext() const;
    TrmTreeNonViewNode* GetPrev() const;

    // True for null, and when Node is this node's parent or an ancestor of it.
    bool HasAsParent(const TrmTreeNonViewNode* Node) const;
    int32_t IndexOf(const TrmTreeNonViewNode* Child) const;
    // Moves child A to just after child B (to the front when B is null or not a child).
    void MoveItem(TrmTreeNonViewNode* A, TrmTreeNonViewNode* B);
    // This node or the first node of its subtree, depth first, whose data is Data.
    TrmTreeNonViewNode* GetNodeByItem(const void* Data);

    // From another node: its text (through SetText) and its data pointer.
    void Assign(const TPersistent* Source) override;
    bool IsEqual(const TrmTreeNonViewNode* Node) const;
    std::string GetNodePath() const;

    // Deletes the children (last first), then this node; OnDeletion fires for each.
    // The node is destroyed: do not use it afterwards.
    void Delete();
    void DeleteChildren();
    // A new node with this node's text and data at the place Mode names relative to
    // Destination; this node and its subtree are deleted. Null, and nothing changes, when
    // Destination lies in this node's subtree or is the node itself with a child mode;
    // onto itself with another mode the node stays where it is and is returned.
    TrmTreeNonViewNode* MoveTo(TrmTreeNonViewNode* Destination, TNodeAttachMode Mode);
    // Takes the node's and its descendants' entries out of the index / puts them back
    // under their current paths.
    void RemoveHash();
    void RenewHash();

private:
    friend class TrmTreeNonViewNodes;
    friend class TrmCustomTreeNonView;
    using NodeList = std::vector<std::unique_ptr<TrmTreeNonViewNode>>;

    NodeList& SiblingList() const;

    TrmTreeNonViewNodes& FOwner;
    std::string FText;
    void* FData = nullptr;
    NodeList FChildren;
    bool FDeleting = false;
    TrmTreeNonViewNode* FParent = nullptr;
    bool FExpanded = false;
};

class TrmTreeNonViewNodes : public TPersistent {
public:
    explicit TrmTreeNonViewNodes(TrmCustomTreeNonView& Owner);
    ~TrmTreeNonViewNodes() override;
    TrmTreeNonViewNodes(const TrmTreeNonViewNodes&) = delete;
    TrmTreeNonViewNodes& operator=(const TrmTreeNonViewNodes&) = delete;
    const char* ClassName() const override { return "TrmTreeNonViewNodes"; }

    TrmCustomTreeNonView& Owner() const { return FOwner; }
    // Every node of the forest.
    int32_t Count() const;
    // The Index-th node in pre-order; raises ErmTreeNonViewError "Index out of range" past the end.
    TrmTreeNonViewNode* Item(int32_t Index) const;
    void SetItem(int32_t Index, const TrmTreeNonViewNode* Value);
    TrmTreeNonViewNode* GetFirstNode() const;
    // Position in the root list; -1 when Node is not a root.
    int32_t GetIndex(const TrmTreeNonViewNode* Node) const;
    int32_t RootCount() const { return int32_t(FRootNodeList.size()); }

    // A null Parent means the root list; Sibling-based adds take the sibling's list (the
    // root list for a null Sibling). Insert puts the node just before Sibling.
    TrmTreeNonViewNode* AddChildFirst(TrmTreeNonViewNode* Parent, const std::string& S);
    TrmTreeNonViewNode* AddChildObjectFirst(TrmTreeNonViewNode* Parent, const std::string& S, void* Ptr);
    TrmTreeNonViewNode* AddChild(TrmTreeNonViewNode* Parent, const std::string& S);
    TrmTreeNonViewNode* AddChildObject(TrmTreeNonViewNode* Parent, const std::string& S, void* Ptr);
    TrmTreeNonViewNode* AddFirst(TrmTreeNonViewNode* Sibling, const std::string& S);
    TrmTreeNonViewNode* AddObjectFirst(TrmTreeNonViewNode* Sibling, const std::string& S, void* Ptr);
    TrmTreeNonViewNode* Add(TrmTreeNonViewNode* Sibling, const std::string& S);
    TrmTreeNonViewNode* AddObject(TrmTreeNonViewNode* Sibling, const std::string& S, void* Ptr);
    TrmTreeNonViewNode* Insert(TrmTreeNonViewNode* Sibling, const std::string& S);
    TrmTreeNonViewNode* InsertObject(TrmTreeNonViewNode* Sibling, const std::string& S, void* Ptr);

    void Delete(TrmTreeNonViewNode* Node);
    void Clear();
    // Moves the root at From to position To of the root list.
    void Move(int32_t From, int32_t To);
    // The first root (roots only) whose data is Data.
    TrmTreeNonViewNode* GetNodeByItem(const void* Data) const;
    // The node filed under Path, null when none.
    TrmTreeNonViewNode* LocateNode(std::string_view Path) const;
    int32_t IndexCount() const { return FIndex.Count(); }

    // From other nodes: the same forest, through the node stream, freshly indexed.
    void Assign(const TPersistent* Source) override;
    // The binary property "Data", the node stream.
    void DefineProperties(TFiler& Filer) override;
    // Replaces the forest with the one in Stream. Raises EStreamError for a short or
    // malformed stream; the nodes read until then stay, indexed.
    void ReadData(TStream& Stream);
    // Raises EStreamError, writing nothing, for a forest deeper than ReadData takes.
    void WriteData(TStream& Stream) const;

private:
    friend class TrmTreeNonViewNode;
    friend class TrmCustomTreeNonView;
    using NodeList = TrmTreeNonViewNode::NodeList;

    TrmTreeNonViewNode* InternalAddObject(TrmTreeNonViewNode* Parent, TrmTreeNonViewNode* Sibling,
                                          const std::string& S, void* Ptr, TAddMode AddMode);
    void RebuildIndex();
    void ReadNodes(TStream& Stream);
    size_t Depth() const;

    TrmCustomTreeNonView& FOwner;
    NodeList FRootNodeList;
    TrmPathIndex<TrmTreeNonViewNode> FIndex;
    bool FIndexSuspended = false; // while reading a stream: indexed once at the end
};

class TrmCustomTreeNonView : public TPersistent {
public:
    using TrmTreeNonViewEvent = std::function<void(TObject* Sender, TrmTreeNonViewNode* Node)>;

    TrmCustomTreeNonView();
    // Deletes the nodes without firing the events.
    ~TrmCustomTreeNonView() override;
    TrmCustomTreeNonView(const TrmCustomTreeNonView&) = delete;
    TrmCustomTreeNonView& operator=(const TrmCustomTreeNonView&) = delete;
    const char* ClassName() const override { return "TrmCustomTreeNonView"; }

    TrmTreeNonViewNodes& Items() { return *FItems; }
    const TrmTreeNonViewNodes& Items() const { return *FItems; }
    void SetItems(const TrmTreeNonViewNodes& Value) { FItems->Assign(&Value); }
    char SepChar() const { return FSepChar; }
    // Every path changes with the separator, so the index is rebuilt.
    void SetSepChar(char Value);

    virtual std::unique_ptr<TrmTreeNonViewNode> CreateNode();
    // Sorts the children of Node (the roots for null) by text, case-sensitively.
    virtual void TextSort(TrmTreeNonViewNode* Node, bool Recursive);
    // Called for every node as it is deleted; fires OnDeletion.
    virtual void Delete(TrmTreeNonViewNode* Node);

    std::string NodePath(const TrmTreeNonViewNode* Node) const;
    TrmTreeNonViewNode* FindPathNode(std::string_view Path) const { return FItems->LocateNode(Path); }
    // The node at Path below Node (from the roots for null), created with every missing
    // ancestor; null for an empty path.
    TrmTreeNonViewNode* AddPathNode(TrmTreeNonViewNode* Node, const std::string& Path);
    // "/A/B" and "/A/B/" give "/A"; "/A" gives "".
    std::string ParentName(std::string_view Path) const;
    // "/A/B" and "/A/B/" give "B".
    std::string ChildName(std::string_view Path) const;
    TrmTreeNonViewNode* GetNodeByItem(const void* Data) const { return FItems->GetNodeByItem(Data); }

    // One line per node in pre-order holding its path, lines ending in CR LF.
    void SaveToFile(const std::filesystem::path& Name) const;
    void SaveToStream(TStream& Stream) const;
    // Checks that the file can be read; nothing is loaded from it.
    void LoadFromFile(const std::filesystem::path& Name);
    void LoadFromStream(TStream& Stream);

    TrmTreeNonViewEvent OnDeletion;
    TrmTreeNonViewEvent OnNodeTextChanged;

private:
    std::string SaveText() const;

    std::unique_ptr<TrmTreeNonViewNodes> FItems;
    char FSepChar = '/';
};

// Defines the binary property "Data" of a node collection, its node stream. It is written
// when there are nodes, or, against the filer's ancestor, when the counts differ or a pair
// of nodes at the same place in depth-first order is not IsEqual.
template <class TNodes>
void DefineNodeStreamProperty(TNodes& Nodes, TFiler& Filer)
{
    bool hasData = Nodes.Count() > 0;
    if (Filer.Ancestor() != nullptr) {
        const auto* ancestor = dynamic_cast<const TNodes*>(Filer.Ancestor());
        hasData = ancestor == nullptr || ancestor->Count() != Nodes.Count();
        for (auto *mine = Nodes.GetFirstNode(), *theirs = ancestor ? ancestor->GetFirstNode() : nullptr;
             !hasData && mine && theirs; mine = mine->GetNext(), theirs = theirs->GetNext())
            hasData = !mine->IsEqual(theirs);
    }
    Filer.DefineBinaryProperty(
        "Data", [&Nodes](TStream& Stream) { Nodes.ReadData(Stream); },
        [&Nodes](TStream& Stream) { Nodes.WriteData(Stream); }, hasData);
}

class TrmTreeNonView : public TrmCustomTreeNonView {
public:
    const char* ClassName() const override { return "TrmTreeNonView"; }
};
