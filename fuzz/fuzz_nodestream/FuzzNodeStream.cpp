// Feeds outside bytes to the node stream reader of the tree of named nodes. Whatever
// is read must be a sound forest: indexed, findable by path also after its first node
// is renamed and deleted, and written back into a stream that reads back to the same
// forest.
#include "inspector/rmTreeNonView.h"
#include "platform/Stream.h"

#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr size_t kMaxInput = 64 * 1024;

std::vector<std::string> Paths(const TrmCustomTreeNonView& tree)
{
    std::vector<std::string> paths;
    for (const TrmTreeNonViewNode* node = tree.Items().GetFirstNode(); node; node = node->GetNext())
        paths.push_back(node->GetNodePath());
    return paths;
}

void CheckSound(const TrmCustomTreeNonView& tree)
{
    for (const TrmTreeNonViewNode* node = tree.Items().GetFirstNode(); node; node = node->GetNext()) {
        // Twins share a path; the one filed under it must carry that path.
        const TrmTreeNonViewNode* found = tree.FindPathNode(node->GetNodePath());
        if (found == nullptr || found->GetNodePath() != node->GetNodePath())
            std::abort();
    }
    if (tree.Items().IndexCount() > tree.Items().Count())
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > kMaxInput)
        return 0;
    TrmTreeNonView tree;
    TMemoryStream input(std::vector<uint8_t>(data, data + size));
    bool complete = true;
    try {
        tree.Items().ReadData(input);
    } catch (const EStreamError&) {
        complete = false;
    }
    CheckSound(tree);
    // Paths stay findable while a node has them: renaming and deleting the first node
    // hands its path to a twin. (A node without text is not re-indexed by a new one.)
    if (TrmTreeNonViewNode* first = tree.Items().GetFirstNode()) {
        if (const std::string text = first->Text(); !text.empty()) {
            first->SetText(text + "'");
            CheckSound(tree);
            first->SetText(text);
        }
        tree.Items().Delete(first);
        CheckSound(tree);
    }

    TMemoryStream written;
    tree.Items().WriteData(written);
    written.SetPosition(0);
    TrmTreeNonView again;
    again.Items().ReadData(written); // what was read must always write back readably
    CheckSound(again);
    if (complete && Paths(again) != Paths(tree))
        std::abort();
    return 0;
}
