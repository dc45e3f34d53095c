// The path index shared by the trees: lookups among equal checksums, one entry per
// node and per path, and the signed order of the entries.
#include "inspector/rmPathIndex.h"

#include <gtest/gtest.h>

namespace {

struct PathNode {
    std::string path;
};

TrmPathIndex<PathNode> MakeIndex()
{
    return TrmPathIndex<PathNode>([](const PathNode& node) { return node.path; });
}

} // namespace

TEST(PathIndex, EqualChecksumsAreToldApartByPath)
{
    // Two texts of one CRC-32.
    ASSERT_EQ(GetStrCRC32("plumless"), GetStrCRC32("buckeroo"));
    auto index = MakeIndex();
    PathNode plumless{"plumless"}, buckeroo{"buckeroo"};
    EXPECT_TRUE(index.BinaryInsert(plumless.path, &plumless));
    EXPECT_EQ(index.LocateNode("buckeroo"), nullptr); // same checksum, another path
    EXPECT_TRUE(index.BinaryInsert(buckeroo.path, &buckeroo));
    EXPECT_EQ(index.LocateNode("plumless"), &plumless);
    EXPECT_EQ(index.LocateNode("buckeroo"), &buckeroo);

    index.Remove(&plumless);
    EXPECT_EQ(index.LocateNode("plumless"), nullptr);
    EXPECT_EQ(index.LocateNode("buckeroo"), &buckeroo);
    EXPECT_EQ(index.Count(), 1);
}

TEST(PathIndex, OnePathOneNodeAndSignedOrder)
{
    auto index = MakeIndex();
    std::vector<PathNode> nodes;
    for (int i = 0; i < 64; ++i)
        nodes.push_back({"/n" + std::to_string(i)});
    for (PathNode& node : nodes)
        EXPECT_TRUE(index.BinaryInsert(node.path, &node));
    PathNode twin{"/n7"};
    EXPECT_FALSE(index.BinaryInsert(twin.path, &twin)); // the first keeps the path
    EXPECT_FALSE(index.Contains(&twin));

    // A node filed again under a new path loses its old entry.
    nodes[3].path = "/renamed";
    EXPECT_TRUE(index.BinaryInsert(nodes[3].path, &nodes[3]));
    EXPECT_EQ(index.Count(), 64);
    EXPECT_EQ(index.LocateNode("/renamed"), &nodes[3]);
    for (int32_t i = 1; i < index.Count(); ++i)
        EXPECT_LE(int32_t(index.Entry(i - 1).Hash), int32_t(index.Entry(i).Hash));
    for (const PathNode& node : nodes)
        EXPECT_EQ(index.LocateNode(node.path), &node);
}
