// The tree of named nodes: shape and navigation, its CRC-32 path index, sorting and the
// node stream against hand-worked bytes.
#include "inspector/rmTreeNonView.h"

#include "platform/FileSystem.h"
#include "platform/Stream.h"

#include "ExpectMessage.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace {

using Node = TrmTreeNonViewNode;
using Bytes = std::vector<uint8_t>;

Bytes Concat(std::initializer_list<Bytes> parts)
{
    Bytes all;
    for (const auto& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

Bytes Int32Bytes(int32_t value)
{
    const auto bits = uint32_t(value);
    return {uint8_t(bits), uint8_t(bits >> 8), uint8_t(bits >> 16), uint8_t(bits >> 24)};
}

// A node record as the stream holds it: size, child count, text with its length byte, flag.
Bytes Record(const std::string& text, int32_t children, int32_t flag = 0)
{
    return Concat({Int32Bytes(int32_t(text.size()) + 5), Int32Bytes(children), {uint8_t(text.size())},
                   Bytes(text.begin(), text.end()), Int32Bytes(flag)});
}

Bytes Written(const TrmTreeNonViewNodes& nodes)
{
    TMemoryStream stream;
    nodes.WriteData(stream);
    return stream.Bytes();
}

std::vector<std::string> PreOrderPaths(const TrmCustomTreeNonView& tree)
{
    std::vector<std::string> paths;
    for (const Node* node = tree.Items().GetFirstNode(); node; node = node->GetNext())
        paths.push_back(node->GetNodePath());
    return paths;
}

// /A with children B (child D) and C; /M.
struct SmallTree {
    SmallTree()
    {
        a = tree.Items().AddChild(nullptr, "A");
        b = tree.Items().AddChild(a, "B");
        d = tree.Items().AddChild(b, "D");
        c = tree.Items().AddChild(a, "C");
        m = tree.Items().Add(nullptr, "M");
    }
    TrmTreeNonView tree;
    Node *a, *b, *c, *d, *m;
};

struct RecordingFiler : TFiler {
    explicit RecordingFiler(const TPersistent* ancestor) : ancestor(ancestor) {}
    const TPersistent* Ancestor() const override { return ancestor; }
    void DefineBinaryProperty(const std::string& Name, TStreamProc, TStreamProc, bool HasData) override
    {
        name = Name;
        hasData = HasData;
    }
    const TPersistent* ancestor;
    std::string name;
    bool hasData = false;
};

} // namespace

TEST(TreeNodes, ShapeCountsNavigationAndLookups)
{
    TrmTreeNonView empty;
    EXPECT_EQ(empty.Items().GetFirstNode(), nullptr);
    EXPECT_EQ(Written(empty.Items()), Bytes(4, 0));
    EXPECT_EQ(empty.NodePath(nullptr), "");
    EXPECT_THROW(empty.Items().Item(0), ErmTreeNonViewError);
    SmallTree t;
    // Counts, the level, indexes among siblings and among the roots.
    EXPECT_EQ((std::vector<int32_t>{t.tree.Items().Count(), t.a->GetItemCount(), t.a->Count(), t.d->Level(),
                                    t.c->Index(), t.m->Index(), t.tree.Items().GetIndex(t.m),
                                    t.tree.Items().GetIndex(t.b)}),
              (std::vector<int32_t>{5, 3, 2, 2, 1, -1, 1, -1}));
    EXPECT_EQ(PreOrderPaths(t.tree), (std::vector<std::string>{"/A", "/A/B", "/A/B/D", "/A/C", "/M"}));
    ExpectThrowWithMessage<ErmTreeNonViewError>([&] { t.tree.Items().Item(5); }, "Index out of range");
    ExpectThrowWithMessage<ErmTreeNonViewError>([&] { t.a->Item(2); }, "List Index Out of Bounds");
    EXPECT_THROW(t.a->Item(-1), ErmTreeNonViewError);
    const std::pair<const Node*, const Node*> links[] = {
        {t.tree.Items().Item(2), t.d}, {t.tree.Items().Item(4), t.m}, {t.a->Item(1), t.c},
        {t.a->getPrevSibling(), nullptr}, {t.m->getPrevSibling(), t.a}, {t.a->GetNextSibling(), t.m},
        {t.m->GetNextSibling(), nullptr}, {t.a->GetFirstChild(), t.b}, {t.a->GetLastChild(), t.c},
        {t.m->GetFirstChild(), nullptr}, {t.a->GetNextChild(t.b), t.c}, {t.a->GetPrevChild(t.c), t.b},
        {t.a->GetNextChild(nullptr), nullptr}, {t.m->GetPrev(), t.c}, {t.c->GetPrev(), t.d},
        {t.b->GetPrev(), t.a}, {t.a->GetPrev(), nullptr}};
    for (size_t i = 0; i < std::size(links); ++i)
        EXPECT_EQ(links[i].first, links[i].second) << "link " << i;
    EXPECT_TRUE(t.d->HasAsParent(t.a) && t.d->HasAsParent(nullptr));
    EXPECT_FALSE(t.d->HasAsParent(t.d) || t.a->HasAsParent(t.d));
    int x = 0, y = 0;
    t.a->SetData(&x);
    t.d->SetData(&y);
    EXPECT_EQ(t.tree.GetNodeByItem(&x), t.a);
    EXPECT_EQ(t.tree.Items().GetNodeByItem(&y), nullptr); // roots only
    EXPECT_EQ(t.a->GetNodeByItem(&y), t.d);               // the whole subtree
    EXPECT_EQ(t.b->GetNodeByItem(&x), nullptr);
    EXPECT_FALSE(t.a->IsEqual(t.m));
    t.m->Assign(t.a);
    EXPECT_EQ(t.m->Text(), "A");
    EXPECT_EQ(t.m->Data(), &x);
    EXPECT_TRUE(t.a->IsEqual(t.m));
}

TEST(TreePaths, ParentChildNamesAndAddPathNode)
{
    TrmTreeNonView tree;
    const std::tuple<const char*, const char*, const char*> names[] = {
        {"/A/B", "/A", "B"}, {"/A/B/", "/A", "B"}, {"/A", "", "A"}, {"A", "", "A"}};
    for (const auto& [path, parent, child] : names) {
        EXPECT_EQ(tree.ParentName(path), parent) << path;
        EXPECT_EQ(tree.ChildName(path), child) << path;
    }
    // Every missing ancestor is made once.
    Node* d = tree.AddPathNode(nullptr, "/A/B/D");
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->Text(), "D");
    EXPECT_EQ(tree.Items().Count(), 3);
    for (const char* same : {"/A/B/D", "/A/B/D/", "A/B/D"})
        EXPECT_EQ(tree.AddPathNode(nullptr, same), d) << same;
    EXPECT_EQ(tree.AddPathNode(tree.FindPathNode("/A"), "B/E")->GetNodePath(), "/A/B/E");
    EXPECT_EQ(tree.AddPathNode(nullptr, ""), nullptr);
    EXPECT_EQ(tree.Items().Count(), 4);
    EXPECT_EQ(tree.Items().IndexCount(), 4);
}

TEST(TreeIndex, TwinsShareOneEntryAndTheSurvivorTakesIt)
{
    // /b with two children b, each with a child x: renamed or deleted, the first leaves
    // /b/b and /b/b/x to the second, and AddPathNode finds them instead of adding more.
    for (const bool rename : {true, false}) {
        TrmTreeNonView tree;
        Node* root = tree.Items().AddChild(nullptr, "b");
        Node* first = tree.Items().AddChild(root, "b");
        tree.Items().AddChild(first, "x");
        Node* second = tree.Items().AddChild(root, "b");
        Node* secondX = tree.Items().AddChild(second, "x");
        EXPECT_FALSE(second->Hashed());
        if (rename)
            first->SetText("c");
        else
            tree.Items().Delete(first);
        EXPECT_EQ(tree.FindPathNode("/b/b"), second) << rename;
        EXPECT_EQ(tree.AddPathNode(nullptr, "/b/b/x"), secondX) << rename;
        EXPECT_EQ(tree.Items().Count(), rename ? 5 : 3);
    }
    // A twin taken out of the index on purpose stays out.
    TrmTreeNonView tree;
    Node* first = tree.Items().AddChild(nullptr, "X");
    Node* second = tree.Items().AddChild(nullptr, "X");
    second->RemoveHash(); // must not take the first one's entry
    EXPECT_EQ(tree.FindPathNode("/X"), first);
    tree.Items().Delete(first);
    EXPECT_EQ(tree.FindPathNode("/X"), nullptr);
    second->RenewHash();
    EXPECT_EQ(tree.FindPathNode("/X"), second);
}

TEST(TreeAdd, PlacesAmongSiblingsAndSortsByText)
{
    TrmTreeNonView tree;
    TrmTreeNonViewNodes& items = tree.Items();
    Node* b = items.AddChild(nullptr, "b");
    items.AddChildFirst(nullptr, "a");
    Node* c = items.Add(b, "c");
    items.AddFirst(c, "0");
    items.Insert(b, "ab");
    int data = 0;
    EXPECT_EQ(items.AddChildObjectFirst(b, "k", &data)->Data(), &data);
    items.AddChild(c, "z");
    items.AddChild(c, "Y");
    items.AddChild(nullptr, "B");
    EXPECT_EQ(PreOrderPaths(tree),
              (std::vector<std::string>{"/0", "/a", "/ab", "/b", "/b/k", "/c", "/c/z", "/c/Y", "/B"}));
    TrmTreeNonView other;
    Node* stranger = other.Items().AddChild(nullptr, "s");
    ExpectThrowWithMessage<ErmTreeNonViewError>([&] { items.Insert(stranger, "x"); }, "Unable to find Node reference");
    tree.TextSort(nullptr, false);
    EXPECT_EQ(PreOrderPaths(tree),
              (std::vector<std::string>{"/0", "/B", "/a", "/ab", "/b", "/b/k", "/c", "/c/z", "/c/Y"}));
    tree.TextSort(nullptr, true);
    EXPECT_EQ(PreOrderPaths(tree).back(), "/c/z");
    EXPECT_EQ(tree.FindPathNode("/c/z")->Text(), "z");
    // Onto itself: among its siblings it stays where it is; under itself it cannot go.
    Node* k = tree.FindPathNode("/b/k");
    for (TNodeAttachMode mode : {naAdd, naAddFirst, naInsert})
        EXPECT_EQ(k->MoveTo(k, mode), k) << int(mode);
    EXPECT_EQ(k->MoveTo(k, naAddChild), nullptr);
    EXPECT_EQ(tree.FindPathNode("/b/k"), k);
    // Equal texts: each one goes before those already placed.
    int first = 1, second = 2;
    other.Items().AddChildObject(nullptr, "s", &first);
    other.Items().AddChildObject(nullptr, "s", &second);
    other.TextSort(nullptr, false);
    EXPECT_EQ(other.Items().Item(0)->Data(), &second);
}

TEST(NodeStream, HandWorkedBytesRoundTrip)
{
    SmallTree t;
    const Bytes expected =
        Concat({Int32Bytes(2), Record("A", 2), Record("B", 1), Record("D", 0), Record("C", 0), Record("M", 0)});
    EXPECT_EQ(Written(t.tree.Items()), expected);
    TrmTreeNonView copy;
    TMemoryStream stream(expected);
    copy.Items().ReadData(stream);
    EXPECT_EQ(PreOrderPaths(copy), PreOrderPaths(t.tree));
    EXPECT_EQ(copy.FindPathNode("/A/B/D")->Text(), "D");
    EXPECT_EQ(copy.Items().IndexCount(), 5);
    TrmTreeNonView assigned;
    assigned.Items().AddChild(nullptr, "old");
    assigned.SetItems(t.tree.Items());
    EXPECT_EQ(PreOrderPaths(assigned), PreOrderPaths(t.tree));
    EXPECT_EQ(assigned.FindPathNode("/A/C")->Text(), "C");
    EXPECT_EQ(assigned.FindPathNode("/old"), nullptr);
    // Texts are cut to 255 bytes.
    TrmTreeNonView longText;
    longText.Items().AddChild(nullptr, std::string(300, 'x'));
    EXPECT_EQ(Written(longText.Items()), Concat({Int32Bytes(1), Record(std::string(255, 'x'), 0)}));
}

TEST(NodeStream, BadStreamsFailAndKeepWhatWasRead)
{
    struct Case {
        const char* what;
        Bytes bytes;
        int32_t nodesLeft;
    };
    Bytes shortRecord = Record("A", 0);
    shortRecord[0] = 4;
    Bytes textTooLong = Record("AB", 0);
    textTooLong[8] = 9;
    Bytes truncated = Concat({Int32Bytes(2), Record("A", 0), Record("B", 0)});
    truncated.pop_back();
    Bytes deep = Int32Bytes(1);
    for (int level = 0; level < 300; ++level)
        deep = Concat({deep, Record("d", 1)});
    const std::vector<Case> cases = {
        {"empty", {}, 0},
        {"negative root count", Int32Bytes(-1), 0},
        {"root count beyond the bytes", Concat({Int32Bytes(1000), Record("A", 0)}), 0},
        {"record size below 5", Concat({Int32Bytes(1), shortRecord}), 1},
        {"text longer than its record", Concat({Int32Bytes(1), textTooLong}), 1},
        {"component data", Concat({Int32Bytes(2), Record("A", 0), Record("B", 0, 1)}), 2},
        {"unknown flag", Concat({Int32Bytes(1), Record("A", 0, 7)}), 1},
        {"child count beyond the bytes", Concat({Int32Bytes(1), Record("A", 5)}), 1},
        {"truncated", truncated, 2},
        {"too deep", deep, 256},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TrmTreeNonView tree;
        tree.Items().AddChild(nullptr, "previous");
        TMemoryStream stream(c.bytes);
        EXPECT_THROW(tree.Items().ReadData(stream), EStreamError);
        EXPECT_EQ(tree.Items().Count(), c.nodesLeft);
        EXPECT_EQ(tree.FindPathNode("/previous"), nullptr);
        const Node* first = tree.Items().GetFirstNode(); // what was read stays findable
        EXPECT_TRUE(!first || first->Text().empty() || tree.FindPathNode("/" + first->Text()) == first);
    }
}

TEST(NodeStream, WritesNoDeeperTreeThanItReads)
{
    for (const int levels : {256, 257}) {
        TrmTreeNonView deep, copy;
        for (Node* node = nullptr; deep.Items().Count() < levels;)
            node = deep.Items().AddChild(node, "d");
        copy.Items().AddChild(nullptr, "kept");
        if (levels == 256) {
            copy.Items().Assign(&deep.Items());
            EXPECT_EQ(PreOrderPaths(copy), PreOrderPaths(deep));
        } else {
            ExpectThrowWithMessage<EStreamError>(
                [&] { copy.Items().Assign(&deep.Items()); },
                "Node stream: the tree is 257 levels deep, and only 256 levels can be stored and read back");
            EXPECT_EQ(PreOrderPaths(copy), std::vector<std::string>{"/kept"});
        }
    }
}

TEST(NodeStream, WrittenOnlyWhenItDiffersFromTheAncestor)
{
    SmallTree t;
    TrmTreeNonView same;
    RecordingFiler plain(nullptr), inherited(&same.Items());
    same.Items().DefineProperties(plain);
    EXPECT_EQ(plain.name, "Data");
    EXPECT_FALSE(plain.hasData); // nothing to write
    same.SetItems(t.tree.Items());
    t.tree.Items().DefineProperties(inherited);
    EXPECT_FALSE(inherited.hasData);
    for (const auto& change : std::vector<std::function<void()>>{
             [&] { same.FindPathNode("/A/C")->SetText("Q"); }, [&] { same.Items().AddChild(nullptr, "extra"); }}) {
        same.SetItems(t.tree.Items());
        change();
        t.tree.Items().DefineProperties(inherited);
        EXPECT_TRUE(inherited.hasData);
    }
}

TEST(NodeStream, PathListOnePerLine)
{
    SmallTree t;
    platform::TemporaryFolder folder;
    t.tree.SaveToFile(folder.Path() / "paths.txt");
    Bytes saved;
    std::string error;
    ASSERT_TRUE(platform::ReadFileBytes(folder.Path() / "paths.txt", saved, error)) << error;
    EXPECT_EQ(std::string(saved.begin(), saved.end()), "/A\r\n/A/B\r\n/A/B/D\r\n/A/C\r\n/M\r\n");
    TMemoryStream stream;
    t.tree.SaveToStream(stream);
    EXPECT_EQ(stream.Bytes(), saved);
    EXPECT_NO_THROW(t.tree.LoadFromFile(folder.Path() / "paths.txt"));
    EXPECT_EQ(t.tree.Items().Count(), 5); // loading reads nothing
    EXPECT_THROW(t.tree.LoadFromFile(folder.Path() / "missing.txt"), Exception);
}

TEST(TreeIndex, RandomEditsKeepEveryNodeFindable)
{
    const uint32_t seed = 1234567;
    std::mt19937 random(seed);
    TrmTreeNonView tree;
    // Few names, so that twins (nodes of one path) come and go.
    auto fresh = [&random] { return "n" + std::to_string(random() % 4); };
    auto anyNode = [&]() -> Node* {
        const int32_t count = tree.Items().Count();
        return count == 0 ? nullptr : tree.Items().Item(int32_t(random() % uint32_t(count)));
    };
    for (int step = 0; step < 600; ++step) {
        Node* target = anyNode();
        switch (random() % 6) {
        case 0:
        case 1:
            tree.Items().AddChild(target, fresh());
            break;
        case 2:
            tree.Items().Insert(target, fresh());
            break;
        case 3:
            if (target)
                target->SetText(fresh());
            break;
        case 4:
            if (target && random() % 3 == 0)
                tree.Items().Delete(target);
            break;
        case 5:
            if (Node* destination = anyNode(); target && destination)
                target->MoveTo(destination, TNodeAttachMode(random() % 5));
            break;
        }
        // Every path is filed once, under a node of that path.
        std::set<std::string> paths;
        for (Node* node = tree.Items().GetFirstNode(); node; node = node->GetNext()) {
            const Node* found = tree.FindPathNode(node->GetNodePath());
            ASSERT_TRUE(found && found->GetNodePath() == node->GetNodePath()) << "seed " << seed << " step " << step;
            paths.insert(node->GetNodePath());
        }
        ASSERT_EQ(size_t(tree.Items().IndexCount()), paths.size()) << "seed " << seed << " step " << step;
    }
}
