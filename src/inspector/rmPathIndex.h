#pragma once
// The path index of the trees of named nodes: a list of entries sorted by the CRC-32 of
// each node's path, searched by halving, with the paths themselves compared only among
// entries of equal CRC. A tree asks it for the node filed under a path instead of walking.
//
// Invariants: the entries are sorted by Hash read as a signed 32-bit number; a node has at
// most one entry; no two entries stand for the same path (the node entered first keeps
// it). A node refused for its path waits, in the order refused, and the first waiting
// node of that path is filed when the keeper's entry is removed, so a path stays findable
// while any node has it. The index does not own the nodes: a tree removes a node's entry
// before the node dies or its path changes. A node's path is asked of the function given
// at construction, so an entry is found again only while its node's path still hashes to
// the entry's Hash.
//
// Also here: the path text routines the trees share.
#include "inspector/rmCrc32.h"

#include <algorithm>
#include <cassert>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// One entry of the index.
template <class TNode>
struct TrmHashData {
    uint32_t Hash;      // CRC-32 of the path the node was entered under
    int32_t PathLength; // that path's length in characters
    TNode* Node;
};

template <class TNode>
class TrmPathIndex {
public:
    using PathFunction = std::function<std::string(const TNode& Node)>;

    explicit TrmPathIndex(PathFunction PathOf) : FPathOf(std::move(PathOf)) {}

    static uint32_t HashValue(std::string_view Path) { return GetStrCRC32(Path); }

    int32_t Count() const { return int32_t(FEntries.size()); }
    const TrmHashData<TNode>& Entry(int32_t Index) const
    {
        assert(Index >= 0 && Index < Count());
        return FEntries[size_t(Index)];
    }
    bool Contains(const TNode* Node) const { return FKeys.count(Node) != 0; }

    // The position of the entry filed under Path, or -1. An entry whose CRC matches but
    // whose node has another path is not an answer.
    int32_t LocateHashIndex(std::string_view Path) const
    {
        const uint32_t hash = HashValue(Path);
        bool found = false;
        for (size_t i = FindHashRun(hash, found); found && i < FEntries.size() && FEntries[i].Hash == hash; ++i) {
            const TrmHashData<TNode>& entry = FEntries[i];
            if (entry.PathLength == int32_t(Path.size()) && FPathOf(*entry.Node) == Path)
                return int32_t(i);
        }
        return -1;
    }

    TNode* LocateNode(std::string_view Path) const
    {
        const int32_t index = LocateHashIndex(Path);
        return index < 0 ? nullptr : FEntries[size_t(index)].Node;
    }

    // Files Node under Path (its current path), dropping an entry it had. When another
    // node holds Path already, Node waits for it and false is returned.
    bool BinaryInsert(std::string_view Path, TNode* Node)
    {
        const uint32_t hash = HashValue(Path);
        if (const auto key = FKeys.find(Node); key != FKeys.end() && key->second == hash)
            return true; // filed under its path already
        Remove(Node);
        if (LocateHashIndex(Path) >= 0) {
            FWaiting.push_back({hash, Node});
            return false;
        }
        File(hash, Path.size(), Node);
        return true;
    }

    // Drops Node's entry or its waiting place (found by the node, not by its path: another
    // node of the same path keeps its entry). The first node waiting for the path it held
    // is filed in its place.
    void Remove(const TNode* Node)
    {
        const auto waiting = std::find_if(FWaiting.begin(), FWaiting.end(),
                                          [Node](const Waiting& w) { return w.Node == Node; });
        if (waiting != FWaiting.end())
            FWaiting.erase(waiting);
        const auto key = FKeys.find(Node);
        if (key == FKeys.end())
            return;
        const uint32_t hash = key->second;
        bool found = false;
        for (size_t i = FindHashRun(hash, found); found && i < FEntries.size(); ++i) {
            assert(FEntries[i].Hash == hash);
            if (FEntries[i].Node == Node) {
                FEntries.erase(FEntries.begin() + std::ptrdiff_t(i));
                break;
            }
        }
        FKeys.erase(key);
        FileFirstWaiting(hash);
    }

    void Clear()
    {
        FEntries.clear();
        FKeys.clear();
        FWaiting.clear();
    }

private:
    // The position of the first entry of Hash's run, or where Hash would go; Found says
    // which. The middle is rounded half to even, as the index has always been searched.
    size_t FindHashRun(uint32_t Hash, bool& Found) const
    {
        const auto key = int32_t(Hash);
        int64_t low = 0, high = int64_t(FEntries.size()) - 1;
        Found = false;
        while (low <= high) {
            const int64_t sum = low + high;
            int64_t middle = sum / 2;
            if (sum % 2 != 0 && middle % 2 != 0)
                ++middle;
            const auto entryKey = int32_t(FEntries[size_t(middle)].Hash);
            if (entryKey < key) {
                low = middle + 1;
            } else if (entryKey > key) {
                high = middle - 1;
            } else {
                Found = true;
                while (middle > 0 && FEntries[size_t(middle - 1)].Hash == Hash)
                    --middle;
                return size_t(middle);
            }
        }
        return size_t(low);
    }

    void File(uint32_t Hash, size_t PathLength, TNode* Node)
    {
        bool found = false;
        const size_t position = FindHashRun(Hash, found);
        FEntries.insert(FEntries.begin() + std::ptrdiff_t(position), TrmHashData<TNode>{Hash, int32_t(PathLength), Node});
        FKeys[Node] = Hash;
    }

    // Files the first waiting node of Hash whose path no entry holds now.
    void FileFirstWaiting(uint32_t Hash)
    {
        for (auto it = FWaiting.begin(); it != FWaiting.end(); ++it) {
            if (it->Hash != Hash)
                continue;
            const std::string path = FPathOf(*it->Node);
            if (HashValue(path) == Hash && LocateHashIndex(path) < 0) {
                TNode* node = it->Node;
                FWaiting.erase(it);
                File(Hash, path.size(), node);
                return;
            }
        }
    }

    struct Waiting {
        uint32_t Hash; // of the path the node was refused for
        TNode* Node;
    };

    PathFunction FPathOf;
    std::vector<TrmHashData<TNode>> FEntries;
    std::unordered_map<const TNode*, uint32_t> FKeys; // each filed node and its entry's Hash
    std::vector<Waiting> FWaiting;                     // nodes refused for a path filed already
};

// Path "/A/B" or "/A/B/" less its last component: "/A"; "/A" gives "".
std::string PathParentName(std::string_view Path, char SepChar);
// The last component of "/A/B" or "/A/B/": "B"; a path without separator is returned whole.
std::string PathChildName(std::string_view Path, char SepChar);

// The node filed under Path, created with every missing ancestor when absent. Path is a
// full path; a missing leading separator is put in front and one trailing separator
// dropped, so "a/b", "/a/b" and "/a/b/" name one node. Locate(path) finds a filed node;
// AddChild(parent, text) adds and files a last child (a root for a null parent). Null
// for a path that names no node ("", or the separator alone while no root has an empty text).
template <class TNode, class LocateFn, class AddChildFn>
TNode* AddNodeAlongPath(std::string Path, char SepChar, const LocateFn& Locate, const AddChildFn& AddChild)
{
    if (Path.empty())
        return nullptr;
    if (Path.front() != SepChar)
        Path.insert(Path.begin(), SepChar);
    if (Path.size() > 1 && Path.back() == SepChar)
        Path.pop_back();
    if (TNode* found = Locate(Path))
        return found;
    const std::string parentPath = PathParentName(Path, SepChar);
    const std::string childName = PathChildName(Path, SepChar);
    if (parentPath.empty() && childName.empty())
        return nullptr;
    TNode* parent = parentPath.empty() ? nullptr
                                       : AddNodeAlongPath<TNode>(parentPath, SepChar, Locate, AddChild);
    return AddChild(parent, childName);
}
