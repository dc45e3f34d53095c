// Feeds outside bytes to the path tree view's readers: the item stream followed by an
// expanded-state stream, and, separately, the indented text form. Whatever is read must
// be a sound tree: every node with a text findable by its path (or sharing it with the
// node filed under it), and written back into streams (and text) that read back to the
// same tree. Each line, taken as a path, must also name one node, empty levels kept: found
// by its path afterwards and not added again.
#include "components/rmPathTreeView.h"
#include "platform/Stream.h"
#include "platform/TextRasterizer.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace {

constexpr size_t kMaxInput = 64 * 1024;

// The view measures its rows; any fixed measure does here.
class FixedRasterizer : public platform::TextRasterizer {
public:
    platform::Size TextExtent(std::string_view text, const platform::FontSpec&) override
    {
        return {int32_t(text.size()) * 6, 13};
    }
    void TextOut(const platform::PixelView&, int32_t, int32_t, const platform::Rect&, std::string_view,
                 const platform::FontSpec&) override
    {
    }
    void DrawText(const platform::PixelView&, const platform::Rect&, uint32_t, std::string_view,
                  const platform::FontSpec&) override
    {
    }
};

void CheckSound(const TrmCustomPathTreeView& tree)
{
    int32_t count = 0;
    for (const TrmTreeNode* node = tree.Items().GetFirstNode(); node; node = node->GetNext(), ++count) {
        if (node->Text().empty())
            continue; // filed only once something enters it again
        const std::string path = tree.NodePath(node);
        const TrmTreeNode* found = tree.FindPathNode(path);
        if (found == nullptr || tree.NodePath(found) != path)
            std::abort();
    }
    if (count != tree.Items().Count() || tree.Items().Index().Count() > count)
        std::abort();
}

std::vector<uint8_t> Written(const TrmCustomPathTreeView& tree)
{
    TMemoryStream stream;
    tree.Items().WriteData(stream);
    return stream.Bytes();
}

void ReadItemStream(const uint8_t* data, size_t size)
{
    TrmPathTreeView tree;
    TMemoryStream input(std::vector<uint8_t>(data, data + size));
    try {
        tree.Items().ReadData(input);
        tree.Items().ReadExpandedState(input);
    } catch (const EStreamError&) {
    }
    CheckSound(tree);
    const std::vector<uint8_t> bytes = Written(tree);
    TrmPathTreeView again;
    TMemoryStream written(bytes);
    again.Items().ReadData(written); // what was read must always write back readably
    CheckSound(again);
    if (Written(again) != bytes)
        std::abort();
}

void ReadTextForm(const uint8_t* data, size_t size)
{
    TrmPathTreeView tree;
    TMemoryStream input(std::vector<uint8_t>(data, data + size));
    try {
        tree.LoadFromStream(input);
    } catch (const ETreeViewError&) {
        if (tree.Items().Count() != 0)
            std::abort();
    }
    CheckSound(tree);
    TMemoryStream text;
    tree.SaveToStream(text);
    text.SetPosition(0);
    TrmPathTreeView again;
    again.LoadFromStream(text); // what was read must always write back readably
    if (Written(again) != Written(tree))
        std::abort();
}

void AddLinesAsPaths(const uint8_t* data, size_t size)
{
    TrmPathTreeView tree;
    const std::string text(reinterpret_cast<const char*>(data), size);
    size_t start = 0;
    for (int lines = 0; start <= text.size() && lines < 64; ++lines) {
        const size_t end = std::min(text.find('\n', start), text.size());
        const std::string path = text.substr(start, end - start);
        start = end + 1;
        TrmTreeNode* node = tree.AddPathNode(path);
        const std::string full = path.empty() || path.front() == tree.SepChar() ? path : tree.SepChar() + path;
        if ((node != nullptr) != (full.size() > 1)) // only "" and the separator alone name none
            std::abort();
        if (!node)
            continue;
        // The node's path is the one asked for, or that less one separator at its end.
        const int32_t count = tree.Items().Count();
        const std::string named = tree.NodePath(node);
        if ((named != full && named + tree.SepChar() != full) ||
            (!node->Text().empty() && tree.FindPathNode(named) != node) || tree.AddPathNode(path) != node ||
            tree.Items().Count() != count)
            std::abort();
    }
    CheckSound(tree);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > kMaxInput)
        return 0;
    static FixedRasterizer rasterizer;
    platform::SetTextRasterizer(&rasterizer);
    ReadItemStream(data, size);
    ReadTextForm(data, size);
    AddLinesAsPaths(data, size);
    return 0;
}
