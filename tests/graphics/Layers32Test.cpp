// Layers and their collection without a window: order, notifications, hit tests,
// dropping the mouse listener, and clean-up.
#include "graphics/Image32.h"
#include "graphics/Layers32.h"
#include "graphics/GraphicsTestHelpers.h"

using namespace graphicstest;

using platform::MouseButton;
namespace shift = platform::shift;

namespace {

// Records the collection's notifications as a string: '<' changing, '>' changed,
// 'g' asking for the buffer to be shown again.
struct CollectionLog {
    explicit CollectionLog(TLayerCollection& c)
    {
        c.OnChanging = [this](TObject*) { text += "<"; };
        c.OnChange = [this](TObject*) { text += ">"; };
        c.OnGDIUpdate = [this](TObject*) { text += "g"; };
    }
    std::string Take() { return std::exchange(text, {}); }
    std::string text;
};

TPositionedLayer* AddAt(TLayerCollection& c, float l, float t, float r, float b)
{
    auto* layer = c.Add<TPositionedLayer>();
    layer->SetLocation(TFloatRect{l, t, r, b});
    return layer;
}

std::vector<int32_t> Indexes(std::initializer_list<TCustomLayer*> layers)
{
    std::vector<int32_t> indexes;
    for (TCustomLayer* layer : layers)
        indexes.push_back(layer->Index());
    return indexes;
}

} // namespace

TEST(LayerCollection, OrderChangesNotifyOnlyWhenAVisibleLayerMoves)
{
    TLayerCollection c;
    auto* a = c.Add<TPositionedLayer>();
    auto* b = c.Add<TPositionedLayer>();
    auto* top = c.Add<TPositionedLayer>();
    CollectionLog log(c);
    top->BringToFront();
    EXPECT_EQ(log.Take(), "");
    a->BringToFront();
    EXPECT_EQ(Indexes({b, top, a}), (std::vector<int32_t>{0, 1, 2}));
    EXPECT_EQ(log.Take(), "<>");
    b->SetVisible(false); // an invisible layer's move changes no picture
    log.Take();
    b->BringToFront();
    EXPECT_EQ(b->Index(), 2);
    EXPECT_EQ(log.Take(), "");
    // SetIndex is limited to the list.
    b->SetIndex(-7);
    EXPECT_EQ(b->Index(), 0);
    b->SetIndex(c.Count() + 3);
    EXPECT_EQ(b->Index(), 2);
    a->SendToBack();
    log.Take();
    a->SendToBack(); // already there: no change
    EXPECT_EQ(Indexes({a, top, b}), (std::vector<int32_t>{0, 1, 2}));
    EXPECT_EQ(log.Take(), "");
    TPositionedLayer loose(nullptr);
    loose.SetIndex(3); // nothing to move in
    EXPECT_EQ(loose.Index(), -1);
    // Insert puts the new layer at the index with one notification, its own option change inside.
    auto* inserted = c.Insert<TBitmapLayer>(1);
    EXPECT_EQ(Indexes({a, inserted, top, b}), (std::vector<int32_t>{0, 1, 2, 3}));
    EXPECT_EQ(log.Take(), "<<>>");
    c.Delete(1);
    EXPECT_EQ(c.Count(), 3);
    EXPECT_EQ(log.Take(), "<>");
    EXPECT_EQ(MessageOf([&] { c.Items(3); }), "List index out of bounds (3)");
    EXPECT_THROW(c.Items(-1), EListError);
}

TEST(LayerCollection, FindLayerAtPosTakesTheUppermostMatchingLayer)
{
    TLayerCollection c;
    auto* lower = AddAt(c, 0, 0, 20, 20);
    auto* upper = AddAt(c, 10, 10, 30, 30);
    auto found = [&](int32_t x, int32_t y, uint32_t options = loMouseEvents) { return c.FindLayerAtPos(x, y, options); };
    EXPECT_EQ((std::vector<TCustomLayer*>{found(15, 15), found(5, 5), found(30, 30)}),
              (std::vector<TCustomLayer*>{upper, lower, nullptr})); // right and bottom edges are outside
    upper->SetMouseEvents(false);
    EXPECT_EQ(found(15, 15), lower);
    EXPECT_EQ(found(15, 15, loVisible), upper);
    // OnHitTest has the last word.
    lower->OnHitTest = [](TObject*, int32_t x, int32_t, bool& passed) { passed = passed && x < 12; };
    EXPECT_EQ(found(15, 15), nullptr);
    EXPECT_EQ(found(11, 15), lower);
    // With AlphaHit transparent pixels miss, and the point maps to the bitmap with floor.
    TLayerCollection d;
    auto* below = AddAt(d, 0, 0, 4, 2);
    auto* bitmapLayer = d.Add<TBitmapLayer>();
    bitmapLayer->SetLocation(TFloatRect{0, 0, 4, 2});
    bitmapLayer->Bitmap()->SetSize(2, 1);
    bitmapLayer->Bitmap()->SetPixel(0, 0, 0x00FFFFFF); // transparent
    bitmapLayer->Bitmap()->SetPixel(1, 0, 0x01000000); // barely opaque
    EXPECT_EQ(d.FindLayerAtPos(1, 0, loMouseEvents), bitmapLayer); // without AlphaHit any pixel hits
    bitmapLayer->AlphaHit = true;
    // Point 3 lies in bitmap pixel 1 (3 * 2 / 4 = 1.5); rounding would leave the bitmap.
    EXPECT_EQ((std::vector<TCustomLayer*>{d.FindLayerAtPos(1, 0, loMouseEvents), d.FindLayerAtPos(2, 1, loMouseEvents),
                                          d.FindLayerAtPos(3, 1, loMouseEvents)}),
              (std::vector<TCustomLayer*>{below, bitmapLayer, bitmapLayer}));
    bitmapLayer->SetLocation(TFloatRect{0, 0, 0.4f, 2}); // rounds to nothing: hits nothing
    EXPECT_EQ(d.FindLayerAtPos(0, 0, loMouseEvents), below);
}

TEST(LayerCollection, ListenerIsDroppedWhenItLeavesOrMouseEventsChange)
{
    TLayerCollection c, other;
    auto* layer = AddAt(c, 0, 0, 10, 10);
    layer->SetAsMouseListener();
    EXPECT_EQ(c.MouseListener(), layer);
    c.SetMouseEvents(true);
    EXPECT_EQ(c.MouseListener(), nullptr);
    c.MouseDown(MouseButton::Left, shift::Left, 1, 1);
    ASSERT_EQ(c.MouseListener(), layer);
    layer->SetLayerCollection(&other);
    EXPECT_EQ(c.MouseListener(), nullptr);
    EXPECT_EQ((std::vector<int32_t>{c.Count(), other.Count(), int32_t(layer->LayerStates())}),
              (std::vector<int32_t>{0, 1, 0}));
    other.MouseDown(MouseButton::Left, shift::Left, 1, 1);
    delete layer;
    EXPECT_EQ(other.MouseListener(), nullptr);
    EXPECT_EQ(other.MouseMove(0, 1, 1), nullptr);
}

TEST(LayerCollection, DestroyedLayersTellTheirWatchersAndLeaveEveryList)
{
    struct Watcher : TPositionedLayer {
        using TPositionedLayer::TPositionedLayer;
        std::vector<TCustomLayer*> told;
        void Notification(TCustomLayer* layer) override { told.push_back(layer); }
    };
    int destroyed = 0;
    {
        TLayerCollection c;
        auto* watcher = c.Add<Watcher>();
        auto* watched = c.Add<TPositionedLayer>();
        watched->OnDestroy = [&](TObject* sender) {
            EXPECT_EQ(sender, watched);
            ++destroyed;
        };
        watched->AddNotification(watcher);
        watched->AddNotification(watcher); // once only
        delete watched;
        EXPECT_EQ(destroyed, 1);
        EXPECT_EQ(watcher->told, (std::vector<TCustomLayer*>{watched}));
        // The watcher goes first: the watched layer must not tell it later.
        auto* second = c.Add<TPositionedLayer>();
        second->AddNotification(watcher);
        delete watcher;
        delete second; // would touch the freed watcher if it still listed it
        EXPECT_EQ(c.Count(), 0);
        // Clear frees every layer with one change; the collection's destruction frees the
        // rest. Each layer is still whole when its OnDestroy fires.
        for (int i = 0; i < 3; ++i) {
            auto* layer = c.Add<TBitmapLayer>();
            layer->Bitmap()->SetSize(2, 1);
            layer->OnDestroy = [&](TObject* sender) {
                const auto* whole = dynamic_cast<TBitmapLayer*>(sender);
                destroyed += whole && whole->Bitmap()->Width() == 2;
            };
        }
        CollectionLog log(c);
        c.Clear();
        EXPECT_EQ(log.Take(), "<>");
        EXPECT_EQ(destroyed, 4);
        c.Add<TPositionedLayer>()->OnDestroy = [&](TObject*) { ++destroyed; };
    }
    EXPECT_EQ(destroyed, 5);
}

TEST(LayerCollection, AssignCopiesLayersOfTheSameClass)
{
    TLayerCollection source, copy;
    auto* bitmapLayer = source.Add<TBitmapLayer>();
    bitmapLayer->SetLocation(TFloatRect{1, 2, 3, 4});
    bitmapLayer->Tag = 77;
    bitmapLayer->AlphaHit = true;
    bitmapLayer->Bitmap()->SetSize(3, 2);
    bitmapLayer->Bitmap()->Clear(0x80112233);
    source.Add<TPositionedLayer>()->SetScaled(true);
    copy.Add<TPositionedLayer>();
    copy.Assign(&source);
    ASSERT_EQ(copy.Count(), 2);
    auto* copied = dynamic_cast<TBitmapLayer*>(copy.Items(0));
    ASSERT_NE(copied, nullptr);
    EXPECT_EQ((std::tuple{copied->Location().Right, copied->Tag, copied->AlphaHit, copied->Bitmap()->Width(),
                          copied->Bitmap()->GetPixel(2, 1)}),
              (std::tuple{3.0f, 77, true, 3, 0x80112233u}));
    EXPECT_STREQ(copy.Items(1)->ClassName(), "TPositionedLayer");
    EXPECT_TRUE(dynamic_cast<TPositionedLayer*>(copy.Items(1))->Scaled());
    copy.SetItem(1, bitmapLayer); // Items' setter copies into the existing layer
    EXPECT_EQ(copy.Items(1)->Tag, 77);
}

// A layer at a far, infinite or NaN location paints what a stretch to its rectangle
// saturated to 32 bits paints (nothing for NaN), and is hit where it lies.
TEST(BitmapLayer, FarAndNaNLocationsPaintTheirSaturatedRectangle)
{
    TLayerCollection c;
    auto* layer = c.Add<TBitmapLayer>();
    layer->Bitmap()->SetSize(3, 2);
    graphicstest::FillRandom(*layer->Bitmap(), 5);
    layer->Bitmap()->ResetAlpha();
    layer->AlphaHit = true;
    const struct {
        TFloatRect location;
        TRect saturated;
        bool hit;
    } cases[] = {
        {{-INFINITY, -1e20f, INFINITY, 3e9f}, {INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}, true},
        {{-3e9f, 2, 4, 5}, {INT32_MIN, 2, 4, 5}, true},
        {{NAN, 0, 8, 8}, {}, false},
        {{0, 0, 8, NAN}, {}, false},
    };
    for (const TStretchFilter filter : {sfNearest, sfLinear, sfSpline})
        for (const auto& k : cases) {
            layer->Bitmap()->SetStretchFilter(filter);
            layer->SetLocation(k.location);
            graphicstest::Paper painted(8, 6, 0xFF102030), expected(8, 6, 0xFF102030);
            layer->DoPaint(&painted);
            if (!IsRectEmpty(k.saturated))
                StretchTransfer(&expected, k.saturated, expected.BoundsRect(), layer->Bitmap(),
                                layer->Bitmap()->BoundsRect(), filter, dmOpaque);
            EXPECT_EQ(graphicstest::PixelsOf(painted), graphicstest::PixelsOf(expected)) << k.location.Left;
            EXPECT_EQ(layer->HitTest(3, 3), k.hit) << k.location.Left;
        }
}
