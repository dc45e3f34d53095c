#pragma once
// The nodes of the path tree view: each node is one item of the view, linked to its
// parent and siblings as the items of a tree control are; the collection owns them all,
// keeps the path index in step with every structural change, and streams them.
//
// Ownership: the collection owns every node (FNodes); the links between nodes are
// borrowed pointers. Invariants: the links form a forest whose roots are FFirst..FLast;
// FCount is the number of nodes; a node's FChildCount is the length of its child chain;
// every node with non-empty text has an index entry under its current path unless a node
// entered earlier holds that path.
#include "inspector/rmPathIndex.h"
#include "inspector/rmTreeNonView.h" // TAddMode, TNodeAttachMode
#include "platform/Exception.h"
#include "platform/Geometry.h"
#include "platform/Persistent.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

class TStream;
class TrmTreeNodes;
class TrmCustomPathTreeView;

class ETreeViewError : public Exception {
public:
    using Exception::Exception;
};

// Negative when Node1 sorts before Node2.
using TTVCompare = std::function<int32_t(const class TrmTreeNode* Node1, const TrmTreeNode* Node2, int32_t Data)>;

class TrmTreeNode : public TPersistent {
public:
    explicit TrmTreeNode(TrmTreeNodes& Owner);
    ~TrmTreeNode() override;
    TrmTreeNode(const TrmTreeNode&) = delete;
    TrmTreeNode& operator=(const TrmTreeNode&) = delete;
    const char* ClassName() const override { return "TrmTreeNode"; }

    TrmTreeNodes& Owner() const { return FOwner; }
    TrmCustomPathTreeView& TreeView() const;
    const std::string& Text() const { return FText; }
    // Files the node and its subtree under their new paths; re-sorts the siblings when
    // the view sorts by text.
    void SetText(const std::string& Value);
    void* Data() const { return FData; }
    void SetData(void* Value);
    int32_t ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int32_t Value);
    int32_t SelectedIndex() const { return FSelectedIndex; }
    void SetSelectedIndex(int32_t Value);
    int32_t OverlayIndex() const { return FOverlayIndex; }
    void SetOverlayIndex(int32_t Value);
    int32_t StateIndex() const { return FStateIndex; }
    void SetStateIndex(int32_t Value);
    bool Deleting() const { return FDeleting; }

    // Navigation. Siblings of a root are the other roots.
    TrmTreeNode* GetParent() const { return FParent; }
    TrmTreeNode* getFirstChild() const { return FFirstChild; }
    TrmTreeNode* GetLastChild() const { return FLastChild; }
    TrmTreeNode* getNextSibling() const { return FNext; }
    TrmTreeNode* getPrevSibling() const { return FPrev; }
    // Depth first over the whole forest.
    TrmTreeNode* GetNext() const;
    TrmTreeNode* GetPrev() const;
    // The next / previous node shown: every ancestor expanded.
    TrmTreeNode* GetNextVisible() const;
    TrmTreeNode* GetPrevVisible() const;
    TrmTreeNode* GetNextChild(const TrmTreeNode* Value) const { return Value ? Value->FNext : nullptr; }
    TrmTreeNode* GetPrevChild(const TrmTreeNode* Value) const { return Value ? Value->FPrev : nullptr; }
    // Child Index; raises ETreeViewError "List index out of bounds (%d)" outside the children.
    TrmTreeNode* GetItem(int32_t Index) const;
    // Assigns Value into child Index.
    void SetItem(int32_t Index, const TrmTreeNode* Value);
    int32_t IndexOf(const TrmTreeNode* Value) const;
    // Position among the siblings.
    int32_t GetIndex() const;
    // Position in the depth-first order of the whole forest.
    int32_t GetAbsoluteIndex() const;
    int32_t GetLevel() const;
    int32_t GetCount() const { return FChildCount; }
    // True when Value is an ancestor (false for null).
    bool HasAsParent(const TrmTreeNode* Value) const;

    // States.
    bool Expanded() const { return FExpanded; }
    void SetExpanded(bool Value);
    bool Selected() const;
    void SetSelected(bool Value);
    bool Focused() const;
    void SetFocused(bool Value);
    bool Cut() const { return FCut; }
    void SetCut(bool Value);
    bool DropTarget() const;
    void SetDropTarget(bool Value);
    // The has-children mark, which shows the expand button; set when a child is added.
    bool GetChildren() const { return FHasChildren; }
    void SetChildren(bool Value);
    // Opens a node that has children or the mark, once CanExpand (OnExpanding, which may
    // add the children) allows; a node still without children stays closed.
    void Expand(bool Recurse);
    void Collapse(bool Recurse);
    // Expands every ancestor and scrolls the node into view.
    void MakeVisible();
    // Every ancestor expanded and the row inside the client area.
    bool IsNodeVisible() const;
    // The row, or only the text, in client coordinates; empty when the node is not shown.
    platform::Rect DisplayRect(bool TextOnly) const;

    // Label editing in place: EditText starts it (false when the view refuses: read-only,
    // OnEditing, a drag); EndEdit ends an edit of this node, keeping the typed text
    // (through OnEdited) or dropping it.
    bool EditText();
    void EndEdit(bool Cancel);

    // Moves the node with its subtree; nothing happens when Destination lies inside it.
    // Raises ETreeViewError for a Destination of another tree, which owns its own nodes.
    void MoveTo(TrmTreeNode* Destination, TNodeAttachMode Mode);
    bool AlphaSort();
    bool CustomSort(const TTVCompare& SortProc, int32_t Data);
    // Destroys the node and its subtree: do not use it afterwards.
    void Delete();
    void DeleteChildren();
    // From another node: text, data, the four indices and the focused, drop-target, cut
    // and has-children states.
    void Assign(const TPersistent* Source) override;
    // Same text and data.
    bool IsEqual(const TrmTreeNode* Node) const;

    // Take the node's and its subtree's entries out of the path index / file them under
    // their current paths.
    void RemoveHash();
    void RenewHash();

private:
    friend class TrmTreeNodes;
    friend class TrmCustomPathTreeView;

    // The last node of the subtree, depth first (the node itself without children).
    const TrmTreeNode* LastInSubtree() const;
    // Children, or the mark that promises them.
    bool MayOpen() const { return FFirstChild || FHasChildren; }
    void Unlink();
    void LinkAsChild(TrmTreeNode* Parent, TrmTreeNode* Before);

    TrmTreeNodes& FOwner;
    std::string FText;
    void* FData = nullptr;
    int32_t FImageIndex = 0;
    int32_t FSelectedIndex = 0;
    int32_t FOverlayIndex = -1;
    int32_t FStateIndex = -1;
    bool FDeleting = false;
    bool FExpanded = false;
    bool FCut = false;
    bool FHasChildren = false;
    TrmTreeNode* FParent = nullptr;
    TrmTreeNode* FFirstChild = nullptr;
    TrmTreeNode* FLastChild = nullptr;
    TrmTreeNode* FNext = nullptr;
    TrmTreeNode* FPrev = nullptr;
    int32_t FChildCount = 0;
};

// One node's published values held apart from the node, as a property editor keeps
// them; it has no operations of its own.
class TrmNodeInfo : public TPersistent {
public:
    const char* ClassName() const override { return "TrmNodeInfo"; }

    int32_t ImageIndex = 0;
    int32_t SelectedIndex = 0;
    int32_t StateIndex = -1;
    int32_t OverlayIndex = -1;
    void* Data = nullptr;
    std::string Path;
};

class TrmTreeNodes : public TPersistent {
public:
    explicit TrmTreeNodes(TrmCustomPathTreeView& Owner);
    ~TrmTreeNodes() override;
    TrmTreeNodes(const TrmTreeNodes&) = delete;
    TrmTreeNodes& operator=(const TrmTreeNodes&) = delete;
    const char* ClassName() const override { return "TrmTreeNodes"; }

    TrmCustomPathTreeView& Owner() const { return FOwner; }
    int32_t Count() const { return FCount; }
    TrmTreeNode* GetFirstNode() const { return FFirst; }
    // The Index-th node depth first; raises ETreeViewError "Invalid index" outside.
    TrmTreeNode* GetNodeFromIndex(int32_t Index) const;
    TrmTreeNode* Item(int32_t Index) const { return GetNodeFromIndex(Index); }

    // Adding; each returns the new node. Sibling forms act among Sibling's siblings (the
    // roots for null), child forms among Parent's children (the roots for null); Insert
    // puts the node just before Sibling.
    TrmTreeNode* Add(TrmTreeNode* Sibling, const std::string& S);
    TrmTreeNode* AddObject(TrmTreeNode* Sibling, const std::string& S, void* Ptr);
    TrmTreeNode* AddFirst(TrmTreeNode* Sibling, const std::string& S);
    TrmTreeNode* AddObjectFirst(TrmTreeNode* Sibling, const std::string& S, void* Ptr);
    TrmTreeNode* AddChild(TrmTreeNode* Parent, const std::string& S);
    TrmTreeNode* AddChildObject(TrmTreeNode* Parent, const std::string& S, void* Ptr);
    TrmTreeNode* AddChildFirst(TrmTreeNode* Parent, const std::string& S);
    TrmTreeNode* AddChildObjectFirst(TrmTreeNode* Parent, const std::string& S, void* Ptr);
    TrmTreeNode* Insert(TrmTreeNode* Sibling, const std::string& S);
    TrmTreeNode* InsertObject(TrmTreeNode* Sibling, const std::string& S, void* Ptr);

    // Adds Text as the node after Previous in an indented listing, where Previous stood
    // PreviousLevel deep: Previous's sibling at the same level, its child one level
    // deeper, the sibling of its ancestor at a shallower level (a top-level node at
    // most), a top-level node without Previous. Null, adding nothing, for a Level more
    // than one below PreviousLevel.
    TrmTreeNode* AddAtLevel(TrmTreeNode* Previous, int32_t PreviousLevel, int32_t Level, const std::string& Text,
                            void* Data);

    void Delete(TrmTreeNode* Node);
    void Clear();
    // The view repaints only when the outermost EndUpdate is reached.
    void BeginUpdate();
    void EndUpdate();
    int32_t UpdateCount() const { return FUpdateCount; }
    // From other nodes: the same forest, through the item stream, freshly indexed.
    void Assign(const TPersistent* Source) override;

    // The path index.
    static uint32_t HashValue(std::string_view Path) { return TrmPathIndex<TrmTreeNode>::HashValue(Path); }
    int32_t LocateHashIndex(std::string_view Path) const { return FIndex.LocateHashIndex(Path); }
    TrmTreeNode* LocateNode(std::string_view Path) const { return FIndex.LocateNode(Path); }
    void BinaryInsert(std::string_view Path, TrmTreeNode* Node) { FIndex.BinaryInsert(Path, Node); }
    void RemoveHash(TrmTreeNode* Node) { FIndex.Remove(Node); }
    const TrmPathIndex<TrmTreeNode>& Index() const { return FIndex; }
    // Every entry's path, one line each, into the file.
    void DumpHash(const std::filesystem::path& FileName) const;

    // The binary property "Data", the item stream.
    void DefineProperties(TFiler& Filer) override;
    // Replaces the forest with the one in Stream. Raises EStreamError for a short or
    // malformed stream and leaves the collection empty.
    void ReadData(TStream& Stream);
    void WriteData(TStream& Stream) const;
    // One byte per node, depth first: 1 for expanded.
    void WriteExpandedState(TStream& Stream) const;
    // Does nothing at the end of the stream; applies the bytes until they or the nodes run out.
    void ReadExpandedState(TStream& Stream);

private:
    friend class TrmTreeNode;
    friend class TrmCustomPathTreeView;

    // Path, when given, is the new node's path, which is then not built from the top.
    TrmTreeNode* InternalAddObject(TrmTreeNode* Parent, TrmTreeNode* Before, const std::string& S, void* Ptr,
                                   const std::string_view* Path = nullptr);
    // Drops the node (its subtree already gone) from the collection, which destroys it.
    void Release(TrmTreeNode* Node);
    void ClearCache() const { FCacheNode = nullptr; }
    // Re-files every node under its current path.
    void RebuildIndex();

    TrmCustomPathTreeView& FOwner;
    std::unordered_map<const TrmTreeNode*, std::unique_ptr<TrmTreeNode>> FNodes;
    TrmTreeNode* FFirst = nullptr;
    TrmTreeNode* FLast = nullptr;
    int32_t FCount = 0;
    int32_t FUpdateCount = 0;
    bool FIndexSuspended = false; // while reading a stream: filed once at the end
    mutable const TrmTreeNode* FCacheNode = nullptr;
    mutable int32_t FCacheIndex = 0;
    TrmPathIndex<TrmTreeNode> FIndex;
};
