#include "inspector/rmTreeNonView.h"

#include "platform/FileSystem.h"
#include "platform/Stream.h"

#include "ExpectMessage.h"

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string>
#include <vector>

namespace {

using Node = TrmTreeNonViewNode;

std::vector<uint8_t> Int32Bytes(int32_t value)
{
    const auto bits = uint32_t(value);
    return {uint8_t(bits), uint8_t(bits >> 8), uint8_t(bits >> 16), uint8_t(bits >> 24)};
}

// A node record as the stream holds it, children to follow.
std::vector<uint8_t> Record(const std::string& text, int32_t children, int32_t flag = 0)
{
    std::vector<uint8_t> bytes = Int32Bytes(int32_t(text.size()) + 5);
    const std::vector<uint8_t> count = Int32Bytes(children);
    bytes.insert(bytes.end(), count.begin(), count.end());
    bytes.push_back(uint8_t(text.size()));
    bytes.insert(bytes.end(), text.begin(), text.end());
    const std::vector<uint8_t> flagBytes = Int32Bytes(flag);
    bytes.insert(bytes.end(), flagBytes.begin(), flagBytes.end());
    return bytes;
}

std::vector<uint8_t> Concat(std::initializer_list<std::vector<uint8_t>> parts)
{
    std::vector<uint8_t> all;
    for (const auto& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

std::vector<uint8_t> Written(const TrmTreeNonViewNodes& nodes)
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

class RecordingFiler : public TFiler {
public:
    explicit RecordingFiler(const TPersistent* ancestor) : ancestor_(ancestor) {}
    const TPersistent* Ancestor() const override { return ancestor_; }
    void DefineBinaryProperty(const std::string& Name, TStreamProc, TStreamProc, bool HasData) override
    {
        name = Name;
        hasData = HasData;
    }
    std::string name;
    bool hasData = false;

private:
    const TPersistent* ancestor_;
};

} // namespace

TEST(TreeNodes, EmptyForest)
{
    TrmTreeNonView tree;
    EXPECT_EQ(tree.Items().Count(), 0);
    EXPECT_EQ(tree.Items().GetFirstNode(), nullptr);
    EXPECT_EQ(Written(tree.Items()), std::vector<uint8_t>(4, 0));
    EXPECT_EQ(tree.NodePath(nullptr), "");
    EXPECT_THROW(tree.Items().Item(0), ErmTreeNonViewError);
}

TEST(TreeNodes, ShapeCountsAndPreOrder)
{
    SmallTree t;
    EXPECT_EQ(t.tree.Items().Count(), 5);
    EXPECT_EQ(t.a->GetItemCount(), 3);
    EXPECT_EQ(t.a->Count(), 2);
    EXPECT_EQ(t.d->Level(), 2);
    EXPECT_EQ(t.c->Index(), 1);
    EXPECT_EQ(t.m->Index(), -1);
    EXPECT_EQ(t.tree.Items().GetIndex(t.m), 1);
    EXPECT_EQ(t.tree.Items().GetIndex(t.b), -1);
    EXPECT_EQ(t.d->GetNodePath(), "/A/B/D");
    EXPECT_EQ(PreOrderPaths(t.tree), (std::vector<std::string>{"/A", "/A/B", "/A/B/D", "/A/C", "/M"}));
    EXPECT_EQ(t.tree.Items().Item(2), t.d);
    EXPECT_EQ(t.tree.Items().Item(4), t.m);
    ExpectThrowWithMessage<ErmTreeNonViewError>([&] { t.tree.Items().Item(5); }, "Index out of range");
    EXPECT_EQ(t.a->Item(1), t.c);
    ExpectThrowWithMessage<ErmTreeNonViewError>([&] { t.a->Item(2); }, "List Index Out of Bounds");
    EXPECT_THROW(t.a->Item(-1), ErmTreeNonViewError);
}

TEST(TreeNodes, Navigation)
{
    SmallTree t;
    EXPECT_EQ(t.a->getPrevSibling(), nullptr);
    EXPECT_EQ(t.m->getPrevSibling(), t.a);
    EXPECT_EQ(t.a->GetNextSibling(), t.m);
    EXPECT_EQ(t.m->GetNextSibling(), nullptr);
    EXPECT_EQ(t.a->GetFirstChild(), t.b);
    EXPECT_EQ(t.a->GetLastChild(), t.c);
    EXPECT_EQ(t.m->GetFirstChild(), nullptr);
    EXPECT_EQ(t.a->GetNextChild(t.b), t.c);
    EXPECT_EQ(t.a->GetPrevChild(t.c), t.b);
    EXPECT_EQ(t.a->GetNextChild(nullptr), nullptr);
    // Pre-order both ways.
    EXPECT_EQ(t.d->GetNext(), t.c);
    EXPECT_EQ(t.c->GetNext(), t.m);
    EXPECT_EQ(t.m->GetNext(), nullptr);
    EXPECT_EQ(t.m->GetPrev(), t.c);
    EXPECT_EQ(t.c->GetPrev(), t.d);
    EXPECT_EQ(t.b->GetPrev(), t.a);
    EXPECT_EQ(t.a->GetPrev(), nullptr);
    EXPECT_TRUE(t.d->HasAsParent(t.a));
    EXPECT_TRUE(t.d->HasAsParent(nullptr));
    EXPECT_FALSE(t.d->HasAsParent(t.d));
    EXPECT_FALSE(t.a->HasAsParent(t.d));
}

TEST(TreeNodes, DataLookups)
{
    SmallTree t;
    int x = 0, y = 0;
    t.a->SetData(&x);
    t.d->SetData(&y);
    EXPECT_EQ(t.tree.GetNodeByItem(&x), t.a);
    EXPECT_EQ(t.tree.Items().GetNodeByItem(&y), nullptr); // roots only
    EXPECT_EQ(t.a->GetNodeByItem(&y), t.d);               // the whole subtree
    EXPECT_EQ(t.b->GetNodeByItem(&x), nullptr);
    EXPECT_TRUE(t.a->IsEqual(t.a));
    EXPECT_FALSE(t.a->IsEqual(t.m));
    t.m->Assign(t.a);
    EXPECT_EQ(t.m->Text(), "A");
    EXPECT_EQ(t.m->Data(), &x);
    EXPECT_TRUE(t.a->IsEqual(t.m));
}

TEST(TreePaths, ParentAndChildNames)
{
    TrmTreeNonView tree;
    EXPECT_EQ(tree.ParentName("/A/B"), "/A");
    EXPECT_EQ(tree.ParentName("/A/B/"), "/A");
    EXPECT_EQ(tree.ParentName("/A"), "");
    EXPECT_EQ(tree.ChildName("/A/B"), "B");
    EXPECT_EQ(tree.ChildName("/A/B/"), "B");
    EXPECT_EQ(tree.ChildName("/A"), "A");
    EXPECT_EQ(tree.ChildName("A"), "A");
    EXPECT_EQ(tree.ParentName("A"), "");
}

TEST(TreePaths, AddPathNodeCreatesEveryMissingAncestorOnce)
{
    TrmTreeNonView tree;
    Node* d = tree.AddPathNode(nullptr, "/A/B/D");
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->Text(), "D");
    EXPECT_EQ(tree.Items().Count(), 3);
    EXPECT_EQ(tree.AddPathNode(nullptr, "/A/B/D"), d);
    EXPECT_EQ(tree.AddPathNode(nullptr, "/A/B/D/"), d);
    EXPECT_EQ(tree.AddPathNode(nullptr, "A/B/D"), d);
    Node* a = tree.FindPathNode("/A");
    Node* e = tree.AddPathNode(a, "B/E");
    EXPECT_EQ(e->GetNodePath(), "/A/B/E");
    EXPECT_EQ(tree.Items().Count(), 4);
    EXPECT_EQ(tree.AddPathNode(nullptr, ""), nullptr);
    EXPECT_EQ(tree.Items().IndexCount(), 4);
}

TEST(TreeIndex, RenamingMovesTheWholeSubtree)
{
    SmallTree t;
    t.a->SetText("Z");
    EXPECT_EQ(t.tree.FindPathNode("/A"), nullptr);
    EXPECT_EQ(t.tree.FindPathNode("/A/B/D"), nullptr);
    EXPECT_EQ(t.tree.FindPathNode("/Z"), t.a);
    EXPECT_EQ(t.tree.FindPathNode("/Z/B/D"), t.d);
    EXPECT_EQ(t.tree.FindPathNode("/Z/C"), t.c);
    EXPECT_EQ(t.tree.Items().IndexCount(), 5);

    std::vector<Node*> changed;
    t.tree.OnNodeTextChanged = [&](TObject* sender, Node* node) {
        EXPECT_EQ(sender, &t.tree);
        changed.push_back(node);
    };
    t.m->SetText("M");
    t.d->SetText("E");
    EXPECT_EQ(changed, (std::vector<Node*>{t.m, t.d}));
}

TEST(TreeIndex, ANodeNamedAfterItWasAddedStaysUnderItsOldKeyUntilRenewed)
{
    TrmTreeNonView tree;
    Node* node = tree.Items().AddChild(nullptr, "");
    node->SetText("A");
    EXPECT_EQ(tree.FindPathNode("/A"), nullptr);
    EXPECT_EQ(tree.FindPathNode("/"), nullptr); // the old key no longer names its node
    node->RenewHash();
    EXPECT_EQ(tree.FindPathNode("/A"), node);
    EXPECT_EQ(tree.Items().IndexCount(), 1);
    tree.Items().Delete(node);
    EXPECT_EQ(tree.Items().IndexCount(), 0);
    EXPECT_EQ(tree.FindPathNode("/A"), nullptr);
}

TEST(TreeIndex, EqualChecksumsOfDifferentPaths)
{
    TrmTreeNonView tree;
    // "/plumless" and "/buckeroo" share one CRC-32; others fall before and after it.
    Node* plumless = tree.Items().AddChild(nullptr, "plumless");
    EXPECT_EQ(tree.FindPathNode("/buckeroo"), nullptr);
    for (int i = 0; i < 40; ++i)
        tree.Items().AddChild(nullptr, "n" + std::to_string(i));
    Node* buckeroo = tree.Items().AddChild(nullptr, "buckeroo");
    EXPECT_EQ(tree.FindPathNode("/plumless"), plumless);
    EXPECT_EQ(tree.FindPathNode("/buckeroo"), buckeroo);
    for (int i = 0; i < 40; ++i)
        EXPECT_NE(tree.FindPathNode("/n" + std::to_string(i)), nullptr) << i;
    tree.Items().Delete(plumless);
    EXPECT_EQ(tree.FindPathNode("/plumless"), nullptr);
    EXPECT_EQ(tree.FindPathNode("/buckeroo"), buckeroo);
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

TEST(TreeIndex, SeparatorChangeReindexes)
{
    SmallTree t;
    t.tree.SetSepChar('\x01');
    EXPECT_EQ(t.tree.FindPathNode("\x01" "A\x01" "B\x01" "D"), t.d);
    EXPECT_EQ(t.tree.FindPathNode("/A/B/D"), nullptr);
}

TEST(TreeDelete, EventsComeLastChildFirstThenTheNode)
{
    SmallTree t;
    t.a->SetExpanded(true);
    t.b->SetExpanded(true);
    std::vector<std::string> deleted;
    t.tree.OnDeletion = [&](TObject*, Node* node) { deleted.push_back(node->GetNodePath()); };
    t.d->Delete();
    EXPECT_FALSE(t.b->Expanded()); // its last child went
    EXPECT_TRUE(t.a->Expanded());
    t.tree.Items().AddChild(t.a, "E");
    deleted.clear();
    t.a->Delete();
    EXPECT_EQ(deleted, (std::vector<std::string>{"/A/E", "/A/C", "/A/B", "/A"}));
    EXPECT_EQ(t.tree.Items().Count(), 1);
    EXPECT_EQ(t.tree.Items().IndexCount(), 1);
    EXPECT_EQ(t.tree.FindPathNode("/A/C"), nullptr);
    t.tree.Items().Clear();
    EXPECT_EQ(t.tree.Items().Count(), 0);
    EXPECT_EQ(t.tree.Items().IndexCount(), 0);
}

TEST(TreeMove, MoveToPlacesACopyAndDropsTheSubtree)
{
    SmallTree t;
    int payload = 0;
    t.b->SetData(&payload);
    Node* moved = t.b->MoveTo(t.m, naAddChild);
    ASSERT_NE(moved, nullptr);
    EXPECT_EQ(moved->GetNodePath(), "/M/B");
    EXPECT_EQ(moved->Data(), &payload);
    EXPECT_EQ(moved->Count(), 0); // the children are not carried over
    EXPECT_EQ(t.tree.FindPathNode("/A/B/D"), nullptr);
    EXPECT_EQ(t.tree.FindPathNode("/M/B"), moved);

    // Within the same parent the path stays, and so must the entry.
    Node* e = t.tree.Items().AddChild(t.a, "E");
    Node* again = t.c->MoveTo(e, naAddFirst);
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(t.tree.FindPathNode("/A/C"), again);
    EXPECT_EQ(t.a->GetFirstChild(), again);
    EXPECT_EQ(t.a->Count(), 2);

    EXPECT_EQ(t.a->MoveTo(again, naAdd), nullptr); // into its own subtree
    EXPECT_EQ(t.a->MoveTo(t.a, naAddChild), nullptr);
    EXPECT_EQ(t.tree.FindPathNode("/A"), t.a);

    Node* before = t.m->MoveTo(t.a, naInsert);
    EXPECT_EQ(t.tree.Items().GetFirstNode(), before);
}

TEST(TreeMove, MoveItemLandsRightAfterItsMark)
{
    TrmTreeNonView tree;
    Node* p = tree.Items().AddChild(nullptr, "P");
    for (const char* name : {"a", "b", "c", "d"})
        tree.Items().AddChild(p, name);
    auto order = [p] {
        std::string s;
        for (int32_t i = 0; i < p->Count(); ++i)
            s += p->Item(i)->Text();
        return s;
    };
    p->MoveItem(p->Item(0), p->Item(2)); // a after c
    EXPECT_EQ(order(), "bcad");
    p->MoveItem(p->Item(0), p->Item(3)); // b after the last one
    EXPECT_EQ(order(), "cadb");
    p->MoveItem(p->Item(3), p->Item(0)); // b after c, moving forward
    EXPECT_EQ(order(), "cbad");
    p->MoveItem(p->Item(2), nullptr); // to the front
    EXPECT_EQ(order(), "acbd");
    EXPECT_THROW(p->MoveItem(p, p->Item(0)), ErmTreeNonViewError);

    Node* q = tree.Items().AddChild(nullptr, "Q");
    tree.Items().Move(1, 0);
    EXPECT_EQ(tree.Items().GetFirstNode(), q);
    EXPECT_THROW(tree.Items().Move(0, 2), ErmTreeNonViewError);
}

TEST(TreeAdd, PlacesAmongSiblings)
{
    TrmTreeNonView tree;
    TrmTreeNonViewNodes& items = tree.Items();
    Node* b = items.AddChild(nullptr, "b");
    Node* a = items.AddChildFirst(nullptr, "a");
    Node* c = items.Add(b, "c");
    Node* first = items.AddFirst(c, "0");
    Node* between = items.Insert(b, "ab");
    int data = 0;
    Node* kid = items.AddChildObjectFirst(b, "k", &data);
    EXPECT_EQ(PreOrderPaths(tree), (std::vector<std::string>{"/0", "/a", "/ab", "/b", "/b/k", "/c"}));
    EXPECT_EQ(kid->Data(), &data);
    EXPECT_EQ(items.GetIndex(a), 1);
    EXPECT_EQ(items.GetIndex(between), 2);
    EXPECT_EQ(items.GetIndex(first), 0);

    TrmTreeNonView other;
    Node* stranger = other.Items().AddChild(nullptr, "s");
    ExpectThrowWithMessage<ErmTreeNonViewError>([&] { items.Insert(stranger, "x"); }, "Unable to find Node reference");
}

TEST(TreeSort, InsertionSortByTextOptionallyRecursive)
{
    TrmTreeNonView tree;
    TrmTreeNonViewNodes& items = tree.Items();
    Node* c = items.AddChild(nullptr, "c");
    items.AddChild(nullptr, "B");
    items.AddChild(nullptr, "a");
    items.AddChild(c, "z");
    items.AddChild(c, "y");
    tree.TextSort(nullptr, false);
    EXPECT_EQ(PreOrderPaths(tree), (std::vector<std::string>{"/B", "/a", "/c", "/c/z", "/c/y"}));
    tree.TextSort(nullptr, true);
    EXPECT_EQ(PreOrderPaths(tree), (std::vector<std::string>{"/B", "/a", "/c", "/c/y", "/c/z"}));
    EXPECT_EQ(tree.FindPathNode("/c/z")->Text(), "z");

    // Equal texts: each one goes before those already placed.
    TrmTreeNonView twins;
    int first = 1, second = 2;
    twins.Items().AddChildObject(nullptr, "t", &first);
    twins.Items().AddChildObject(nullptr, "t", &second);
    twins.TextSort(nullptr, false);
    EXPECT_EQ(twins.Items().GetFirstNode()->Data(), &second);
}

TEST(NodeStream, HandWorkedBytesRoundTrip)
{
    SmallTree t;
    const std::vector<uint8_t> expected = Concat({Int32Bytes(2), Record("A", 2), Record("B", 1), Record("D", 0),
                                                  Record("C", 0), Record("M", 0)});
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
}

TEST(NodeStream, LongTextsAreCutTo255)
{
    TrmTreeNonView tree;
    tree.Items().AddChild(nullptr, std::string(300, 'x'));
    const std::vector<uint8_t> bytes = Written(tree.Items());
    ASSERT_EQ(bytes.size(), 4u + 4 + 4 + 1 + 255 + 4);
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + 4, bytes.begin() + 8), Int32Bytes(260));
    EXPECT_EQ(bytes[12], 255);
    EXPECT_EQ(std::vector<uint8_t>(bytes.end() - 4, bytes.end()), Int32Bytes(0)); // no data: flag 0
}

TEST(NodeStream, BadStreamsFailAndKeepWhatWasRead)
{
    struct Case {
        const char* what;
        std::vector<uint8_t> bytes;
        int32_t nodesLeft;
    };
    std::vector<uint8_t> shortRecord = Record("A", 0);
    shortRecord[0] = 4;
    std::vector<uint8_t> textTooLong = Record("AB", 0);
    textTooLong[8] = 9;
    std::vector<uint8_t> truncated = Concat({Int32Bytes(2), Record("A", 0), Record("B", 0)});
    truncated.resize(truncated.size() - 1);
    std::vector<uint8_t> deep = Int32Bytes(1);
    for (int level = 0; level < 300; ++level) {
        const std::vector<uint8_t> record = Record("d", 1);
        deep.insert(deep.end(), record.begin(), record.end());
    }
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
        TrmTreeNonView tree;
        tree.Items().AddChild(nullptr, "previous");
        TMemoryStream stream(c.bytes);
        EXPECT_THROW(tree.Items().ReadData(stream), EStreamError) << c.what;
        EXPECT_EQ(tree.Items().Count(), c.nodesLeft) << c.what;
        EXPECT_EQ(tree.FindPathNode("/previous"), nullptr) << c.what;
        if (c.nodesLeft > 0 && !tree.Items().GetFirstNode()->Text().empty()) {
            EXPECT_EQ(tree.FindPathNode("/" + tree.Items().GetFirstNode()->Text()), tree.Items().GetFirstNode())
                << c.what;
        }
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
    TrmTreeNonView empty;
    RecordingFiler plain(nullptr);
    empty.Items().DefineProperties(plain);
    EXPECT_EQ(plain.name, "Data");
    EXPECT_FALSE(plain.hasData);
    t.tree.Items().DefineProperties(plain);
    EXPECT_TRUE(plain.hasData);

    TrmTreeNonView same;
    same.SetItems(t.tree.Items());
    RecordingFiler inherited(&same.Items());
    t.tree.Items().DefineProperties(inherited);
    EXPECT_FALSE(inherited.hasData);
    same.FindPathNode("/A/C")->SetText("Q");
    t.tree.Items().DefineProperties(inherited);
    EXPECT_TRUE(inherited.hasData);
    same.Items().AddChild(nullptr, "extra");
    t.tree.Items().DefineProperties(inherited);
    EXPECT_TRUE(inherited.hasData);
}

TEST(NodeStream, PathListOnePerLine)
{
    SmallTree t;
    TMemoryStream stream;
    t.tree.SaveToStream(stream);
    const std::string text(stream.Bytes().begin(), stream.Bytes().end());
    EXPECT_EQ(text, "/A\r\n/A/B\r\n/A/B/D\r\n/A/C\r\n/M\r\n");

    platform::TemporaryFolder folder;
    ASSERT_TRUE(folder.Valid()) << folder.Error();
    t.tree.SaveToFile(folder.Path() / "paths.txt");
    std::vector<uint8_t> saved;
    std::string error;
    ASSERT_TRUE(platform::ReadFileBytes(folder.Path() / "paths.txt", saved, error)) << error;
    EXPECT_EQ(std::string(saved.begin(), saved.end()), text);
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
