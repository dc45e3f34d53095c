// The two streams of the path tree view's nodes: the item stream (the "Data" property)
// and the expanded-state stream.
#include "components/rmPathTreeNodes.h"

#include "components/rmPathTreeView.h"
#include "inspector/rmStream.h"

#include <algorithm>
#include <vector>

// The item stream, all integers little-endian:
// | size | field                                                                    |
// |------|--------------------------------------------------------------------------|
// | 4    | number of top-level nodes, signed                                        |
// | ...  | each top-level node's record, in order                                   |
// A node record:
// | 4    | Size = 25 + L, signed                                                    |
// | 4    | image index, signed                   \                                  |
// | 4    | selected index, signed                 |                                 |
// | 4    | state index, signed                    |                                 |
// | 4    | overlay index, signed                   > the Size bytes                 |
// | 4    | data value, signed                     |                                 |
// | 4    | number of child nodes, signed          |                                 |
// | 1    | L, the text's length (at most 255)     |                                 |
// | L    | the text                              /                                  |
// | ...  | the records of the child nodes, in order                                 |
// A node's data is a pointer of this process, which means nothing in another: it is
// written as 0, and a data value read is not turned into a pointer.
namespace {

constexpr int32_t kFixedRecord = 25;
constexpr int32_t kMaxText = 255;
constexpr uint64_t kSmallestNode = 4 + kFixedRecord;

int32_t CheckedNodeCount(int32_t count, const TStream& stream, const char* what)
{
    return CheckedRecordCount(count, kSmallestNode, stream, "Tree item stream", what);
}

} // namespace

void TrmTreeNodes::WriteData(TStream& Stream) const
{
    int32_t roots = 0;
    for (const TrmTreeNode* root = FFirst; root; root = root->FNext)
        ++roots;
    WriteInt32LE(Stream, roots);
    for (const TrmTreeNode* node = FFirst; node; node = node->GetNext()) {
        const auto length = uint8_t(std::min<size_t>(node->FText.size(), kMaxText));
        WriteInt32LE(Stream, kFixedRecord + length);
        for (int32_t value : {node->FImageIndex, node->FSelectedIndex, node->FStateIndex, node->FOverlayIndex, 0,
                              node->FChildCount})
            WriteInt32LE(Stream, value);
        Stream.WriteBuffer(&length, 1);
        Stream.WriteBuffer(node->FText.data(), length);
    }
}

void TrmTreeNodes::ReadData(TStream& Stream)
{
    BeginUpdate();
    Clear();
    FIndexSuspended = true;
    try {
        // Records come depth first; the stack holds each open parent and how many of its
        // children are still to come, so that depth costs no recursion.
        struct OpenParent {
            TrmTreeNode* Node;
            int32_t ChildrenLeft;
        };
        std::vector<OpenParent> open{{nullptr, CheckedNodeCount(ReadInt32LE(Stream), Stream, "top-level count")}};
        while (!open.empty()) {
            if (open.back().ChildrenLeft == 0) {
                open.pop_back();
                continue;
            }
            --open.back().ChildrenLeft;
            const int32_t size = ReadInt32LE(Stream);
            if (size < kFixedRecord || size > kFixedRecord + kMaxText || uint64_t(size) > Stream.Remaining())
                throw EStreamError("Tree item stream: a node record of " + std::to_string(size) +
                                   " bytes is not between 25 and 280 bytes, or is longer than the stream");
            uint8_t record[kFixedRecord + kMaxText];
            Stream.ReadBuffer(record, size_t(size));
            const int32_t length = record[24];
            if (kFixedRecord + length > size)
                throw EStreamError("Tree item stream: a text of " + std::to_string(length) +
                                   " bytes does not fit its " + std::to_string(size) + "-byte record");
            TrmTreeNode* node = InternalAddObject(
                open.back().Node, nullptr, std::string(reinterpret_cast<const char*>(record + 25), size_t(length)),
                nullptr);
            node->FImageIndex = LoadInt32LE(record);
            node->FSelectedIndex = LoadInt32LE(record + 4);
            node->FStateIndex = LoadInt32LE(record + 8);
            node->FOverlayIndex = LoadInt32LE(record + 12);
            open.push_back({node, CheckedNodeCount(LoadInt32LE(record + 20), Stream, "child count")});
        }
    } catch (...) {
        // Nothing is left half-read.
        FIndexSuspended = false;
        Clear();
        EndUpdate();
        throw;
    }
    FIndexSuspended = false;
    RebuildIndex();
    EndUpdate();
}

// The expanded-state stream:
// | 4    | N, the number of nodes, signed                                           |
// | N    | one byte per node, depth first: 1 when expanded, else 0                  |
void TrmTreeNodes::WriteExpandedState(TStream& Stream) const
{
    WriteInt32LE(Stream, FCount);
    for (const TrmTreeNode* node = FFirst; node; node = node->GetNext()) {
        const uint8_t expanded = node->FExpanded ? 1 : 0;
        Stream.WriteBuffer(&expanded, 1);
    }
}

void TrmTreeNodes::ReadExpandedState(TStream& Stream)
{
    if (Stream.Remaining() == 0)
        return;
    const int32_t count = ReadInt32LE(Stream);
    TrmTreeNode* node = FFirst;
    for (int32_t i = 0; i < count && node; ++i, node = node->GetNext()) {
        uint8_t expanded = 0;
        Stream.ReadBuffer(&expanded, 1);
        node->SetExpanded(expanded != 0);
    }
}
