// Layers and their collection without a window: order, notifications, hit tests,
// the mouse-listener state machine and clean-up.
#include "graphics/Image32.h"
#include "graphics/Layers32.h"
#include "graphics/Transforms32.h"

#include <gtest/gtest.h>

#include "graphics/GraphicsTestHelpers.h"

#include <cmath>
#include <string>
#include <vector>

using platform::MouseButton;
namespace shift = platform::shift;

namespace {

// Records the collection's notifications as a string of letters.
struct CollectionLog {
    explicit CollectionLog(TLayerCollection& c)
    {
        c.OnChanging = [this](TObject*) { text += "<"; };
        c.OnChange = [this](TObject*) { text += ">"; };
        c.OnGDIUpdate = [this](TObject*) { text += "g"; };
    }
    std::string Take()
    {
        std::string t = text;
        text.clear();
        return t;
    }
    std::string text;
};

TPositionedLayer* AddAt(TLayerCollection& c, float l, float t, float r, float b)
{
    auto* layer = c.Add<TPositionedLayer>();
    layer->SetLocation(TFloatRect{l, t, r, b});
    return layer;
}

// A layer that records the mouse calls it gets.
class RecordingLayer : public TPositionedLayer {
public:
    using TPositionedLayer::TPositionedLayer;
    std::vector<std::string> calls;
    void MouseDown(MouseButton b, platform::ShiftState s, int32_t x, int32_t y) override
    {
        calls.push_back("down " + std::to_string(int(b)) + " " + std::to_string(x) + "," + std::to_string(y));
        TPositionedLayer::MouseDown(b, s, x, y);
    }
    void MouseMove(platform::ShiftState s, int32_t x, int32_t y) override
    {
        calls.push_back("move " + std::to_string(x) + "," + std::to_string(y));
        TPositionedLayer::MouseMove(s, x, y);
    }
    void MouseUp(MouseButton b, platform::ShiftState s, int32_t x, int32_t y) override
    {
        calls.push_back("up " + std::to_string(int(b)));
        TPositionedLayer::MouseUp(b, s, x, y);
    }
};

RecordingLayer* AddRecording(TLayerCollection& c)
{
    auto* layer = c.Add<RecordingLayer>();
    layer->SetLocation(TFloatRect{0, 0, 10, 10});
    return layer;
}

} // namespace

TEST(LayerCollection, BringToFrontNotifiesOnlyWhenAVisibleLayerMoves)
{
    TLayerCollection c;
    auto* a = c.Add<TPositionedLayer>();
    auto* b = c.Add<TPositionedLayer>();
    auto* top = c.Add<TPositionedLayer>();
    CollectionLog log(c);
    top->BringToFront();
    EXPECT_EQ(log.Take(), "");
    a->BringToFront();
    EXPECT_EQ(a->Index(), 2);
    EXPECT_EQ(log.Take(), "<>");
    EXPECT_EQ(c.Items(0), b);
    EXPECT_EQ(c.Items(1), top);
    // An invisible layer's move changes no picture.
    b->SetVisible(false);
    log.Take();
    b->BringToFront();
    EXPECT_EQ(b->Index(), 2);
    EXPECT_EQ(log.Take(), "");
}

TEST(LayerCollection, SetIndexIsLimitedToTheList)
{
    TLayerCollection c;
    auto* a = c.Add<TPositionedLayer>();
    auto* b = c.Add<TPositionedLayer>();
    auto* d = c.Add<TPositionedLayer>();
    d->SetIndex(-7);
    EXPECT_EQ(d->Index(), 0);
    d->SetIndex(c.Count() + 3);
    EXPECT_EQ(d->Index(), 2);
    a->SendToBack();
    EXPECT_EQ(a->Index(), 0);
    EXPECT_EQ(b->Index(), 1);
    TPositionedLayer loose(nullptr);
    EXPECT_EQ(loose.Index(), -1);
    loose.SetIndex(3); // nothing to move in
    EXPECT_EQ(loose.Index(), -1);
}

TEST(LayerCollection, InsertPutsTheNewLayerAtTheIndexWithOneNotification)
{
    TLayerCollection c;
    auto* a = c.Add<TPositionedLayer>();
    auto* b = c.Add<TPositionedLayer>();
    CollectionLog log(c);
    auto* inserted = c.Insert<TBitmapLayer>(1);
    EXPECT_EQ(inserted->Index(), 1);
    EXPECT_EQ(a->Index(), 0);
    EXPECT_EQ(b->Index(), 2);
    // The new layer's own option change reports inside the update.
    EXPECT_EQ(log.Take(), "<<>>");
    c.Delete(1);
    EXPECT_EQ(c.Count(), 2);
    EXPECT_EQ(log.Take(), "<>");
}

TEST(LayerCollection, InvisibleLayerChangesStaySilentUnlessItIsAnOverlay)
{
    TLayerCollection c;
    auto* layer = c.Add<TPositionedLayer>();
    CollectionLog log(c);
    layer->SetVisible(false); // hiding and showing repaint
    EXPECT_EQ(log.Take(), "<>");
    layer->SetVisible(true);
    EXPECT_EQ(log.Take(), ">");
    layer->SetVisible(false);
    log.Take();
    layer->SetLocation(TFloatRect{1, 2, 3, 4});
    EXPECT_EQ(log.Take(), "");
    layer->SetLayerOptions(loGDIOverlay);
    log.Take();
    layer->SetLocation(TFloatRect{5, 6, 7, 8});
    EXPECT_EQ(log.Take(), "g"); // only asks for the buffer to be shown again
    layer->SetLayerOptions(loVisible | loNoUpdate);
    log.Take();
    layer->SetLocation(TFloatRect{0, 0, 1, 1});
    EXPECT_EQ(log.Take(), "");

    EXPECT_EQ(graphicstest::MessageOf([&] { c.EndUpdate(); }), "Unpaired EndUpdate");
    EXPECT_THROW(c.EndUpdate(), EAssertionFailed);
    c.BeginUpdate();
    EXPECT_NO_THROW(c.EndUpdate());
}

TEST(LayerCollection, FindLayerAtPosTakesTheUppermostMatchingLayer)
{
    TLayerCollection c;
    auto* lower = AddAt(c, 0, 0, 20, 20);
    auto* upper = AddAt(c, 10, 10, 30, 30);
    EXPECT_EQ(c.FindLayerAtPos(15, 15, loMouseEvents), upper);
    EXPECT_EQ(c.FindLayerAtPos(5, 5, loMouseEvents), lower);
    EXPECT_EQ(c.FindLayerAtPos(30, 30, loMouseEvents), nullptr); // right and bottom edges are outside
    upper->SetMouseEvents(false);
    EXPECT_EQ(c.FindLayerAtPos(15, 15, loMouseEvents), lower);
    EXPECT_EQ(c.FindLayerAtPos(15, 15, loVisible), upper);
    // OnHitTest has the last word.
    lower->OnHitTest = [](TObject*, int32_t x, int32_t, bool& passed) { passed = passed && x < 12; };
    EXPECT_EQ(c.FindLayerAtPos(15, 15, loMouseEvents), nullptr);
    EXPECT_EQ(c.FindLayerAtPos(11, 15, loMouseEvents), lower);
}

TEST(LayerCollection, AlphaHitSkipsTransparentPixelsAndMapsWithFloor)
{
    TLayerCollection c;
    auto* lower = AddAt(c, 0, 0, 4, 2);
    auto* upper = c.Add<TBitmapLayer>();
    upper->SetLocation(TFloatRect{0, 0, 4, 2});
    upper->Bitmap()->SetSize(2, 1);
    upper->Bitmap()->SetPixel(0, 0, 0x00FFFFFF); // transparent
    upper->Bitmap()->SetPixel(1, 0, 0x01000000); // barely opaque
    EXPECT_EQ(c.FindLayerAtPos(1, 0, loMouseEvents), upper); // without AlphaHit any pixel hits
    upper->AlphaHit = true;
    EXPECT_EQ(c.FindLayerAtPos(1, 0, loMouseEvents), lower);
    EXPECT_EQ(c.FindLayerAtPos(2, 1, loMouseEvents), upper);
    // Point 3 lies in bitmap pixel 1 (3 * 2 / 4 = 1.5); rounding would leave the bitmap.
    EXPECT_EQ(c.FindLayerAtPos(3, 1, loMouseEvents), upper);
    // A location that rounds to nothing hits nothing.
    upper->SetLocation(TFloatRect{0, 0, 0.4f, 2});
    EXPECT_EQ(c.FindLayerAtPos(0, 0, loMouseEvents), lower);
}

TEST(LayerCollection, ScaledLayerFollowsTheImageScale)
{
    TImage32 image;
    image.SetBounds(0, 0, 300, 300);
    image.Bitmap()->SetSize(100, 100);
    image.SetScaleMode(smScale);
    image.SetScale(2);
    auto* layer = image.Layers()->Add<TPositionedLayer>();
    layer->SetLocation(TFloatRect{10, 10, 20, 20});
    layer->SetScaled(true);
    EXPECT_EQ(image.Layers()->FindLayerAtPos(25, 25, loMouseEvents), layer);
    EXPECT_EQ(image.Layers()->FindLayerAtPos(41, 41, loMouseEvents), nullptr);
    const TFloatRect r = layer->GetAdjustedLocation();
    EXPECT_FLOAT_EQ(r.Left, 20);
    EXPECT_FLOAT_EQ(r.Bottom, 40);
    // The scale changed since the last paint: the hit test sees the new one.
    image.SetScale(4);
    EXPECT_EQ(image.Layers()->FindLayerAtPos(41, 41, loMouseEvents), layer);
    layer->SetScaled(false);
    EXPECT_EQ(image.Layers()->FindLayerAtPos(15, 15, loMouseEvents), layer);
}

TEST(LayerCollection, LeftPressMakesTheListenerUntilItsLastButtonIsReleased)
{
    TLayerCollection c;
    auto* layer = AddRecording(c);
    EXPECT_EQ(c.MouseDown(MouseButton::Left, shift::Left, 5, 5), layer);
    EXPECT_EQ(c.MouseListener(), layer);
    EXPECT_EQ(layer->LayerStates(), lsMouseLeft);
    // The listener gets everything, also outside its rectangle.
    EXPECT_EQ(c.MouseDown(MouseButton::Right, shift::Left | shift::Right, 50, 50), layer);
    EXPECT_EQ(layer->LayerStates(), lsMouseLeft | lsMouseRight);
    EXPECT_EQ(c.MouseMove(shift::Left, 60, 60), layer);
    EXPECT_EQ(c.MouseUp(MouseButton::Left, shift::Right, 60, 60), layer);
    EXPECT_EQ(c.MouseListener(), layer);
    EXPECT_EQ(c.MouseUp(MouseButton::Right, 0, 60, 60), layer);
    EXPECT_EQ(c.MouseListener(), nullptr);
    EXPECT_EQ(c.MouseMove(0, 60, 60), nullptr);
    const std::vector<std::string> expected{"down 0 5,5", "down 1 50,50", "move 60,60", "up 0", "up 1"};
    EXPECT_EQ(layer->calls, expected);
}

TEST(LayerCollection, RightPressesAndNoCaptureLayersMakeNoListener)
{
    TLayerCollection c;
    auto* layer = AddRecording(c);
    EXPECT_EQ(c.MouseDown(MouseButton::Right, shift::Right, 5, 5), layer);
    EXPECT_EQ(c.MouseListener(), nullptr);
    EXPECT_TRUE(layer->calls.empty()); // no listener: nobody is called
    EXPECT_EQ(c.MouseUp(MouseButton::Right, 0, 5, 5), layer);
    EXPECT_EQ(layer->calls, (std::vector<std::string>{"up 1"}));

    layer->calls.clear();
    layer->SetLayerOptions(layer->LayerOptions() | loNoCapture); // reported but not called
    EXPECT_EQ(c.MouseDown(MouseButton::Left, shift::Left, 5, 5), layer);
    EXPECT_EQ(c.MouseListener(), nullptr);
    EXPECT_TRUE(layer->calls.empty());
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
    EXPECT_EQ(c.Count(), 0);
    EXPECT_EQ(other.Count(), 1);
    EXPECT_EQ(layer->LayerStates(), 0);

    other.MouseDown(MouseButton::Left, shift::Left, 1, 1);
    delete layer;
    EXPECT_EQ(other.MouseListener(), nullptr);
    EXPECT_EQ(other.MouseMove(0, 1, 1), nullptr);
}

TEST(LayerCollection, LayerCursorIsShownOverTheOwner)
{
    platform::Control owner;
    owner.SetCursor(platform::cursor::HandPoint);
    TLayerCollection c(&owner);
    auto* layer = AddAt(c, 0, 0, 10, 10);
    layer->SetCursor(platform::cursor::SizeAll);
    c.MouseMove(0, 5, 5);
    EXPECT_EQ(owner.ShownCursor(), platform::cursor::SizeAll);
    c.MouseMove(0, 50, 50); // over nothing: the owner's own cursor
    EXPECT_EQ(owner.ShownCursor(), platform::cursor::HandPoint);
    c.MouseDown(MouseButton::Left, shift::Left, 5, 5);
    layer->SetCursor(platform::cursor::Cross); // the listener's new cursor shows at once
    EXPECT_EQ(owner.ShownCursor(), platform::cursor::Cross);
    c.MouseUp(MouseButton::Left, 0, 5, 5);
    EXPECT_EQ(owner.ShownCursor(), platform::cursor::HandPoint);
}

TEST(LayerCollection, DestroyedLayersTellTheirWatchersAndLeaveEveryList)
{
    class Watcher : public TPositionedLayer {
    public:
        using TPositionedLayer::TPositionedLayer;
        std::vector<TCustomLayer*> told;

    protected:
        void Notification(TCustomLayer* layer) override { told.push_back(layer); }
    };
    TLayerCollection c;
    auto* watcher = c.Add<Watcher>();
    auto* watched = c.Add<TPositionedLayer>();
    int destroyed = 0;
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
}

TEST(LayerCollection, ClearAndDestructionFreeEveryLayer)
{
    int destroyed = 0;
    {
        TLayerCollection c;
        for (int i = 0; i < 3; ++i)
            c.Add<TBitmapLayer>()->OnDestroy = [&](TObject*) { ++destroyed; };
        CollectionLog log(c);
        c.Clear();
        EXPECT_EQ(log.Take(), "<>"); // one change for the whole clear
        EXPECT_EQ(destroyed, 3);
        c.Add<TPositionedLayer>()->OnDestroy = [&](TObject*) { ++destroyed; };
        log.Take();
    }
    EXPECT_EQ(destroyed, 4);
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
    auto* plain = source.Add<TPositionedLayer>();
    plain->SetScaled(true);
    copy.Add<TPositionedLayer>();
    copy.Assign(&source);
    ASSERT_EQ(copy.Count(), 2);
    auto* copied = dynamic_cast<TBitmapLayer*>(copy.Items(0));
    ASSERT_NE(copied, nullptr);
    EXPECT_NE(copied, bitmapLayer);
    EXPECT_EQ(copied->Location().Right, 3);
    EXPECT_EQ(copied->Tag, 77);
    EXPECT_TRUE(copied->AlphaHit);
    EXPECT_EQ(copied->Bitmap()->Width(), 3);
    EXPECT_EQ(copied->Bitmap()->GetPixel(2, 1), 0x80112233u);
    EXPECT_STREQ(copy.Items(1)->ClassName(), "TPositionedLayer");
    EXPECT_TRUE(dynamic_cast<TPositionedLayer*>(copy.Items(1))->Scaled());
    // Items' setter copies into the existing layer.
    copy.SetItem(1, bitmapLayer);
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
            TBitmap32 painted, expected;
            for (TBitmap32* b : {&painted, &expected}) {
                b->SetSize(8, 6);
                b->Clear(0xFF102030);
            }
            layer->DoPaint(&painted);
            if (!IsRectEmpty(k.saturated))
                StretchTransfer(&expected, k.saturated, expected.BoundsRect(), layer->Bitmap(),
                                layer->Bitmap()->BoundsRect(), filter, dmOpaque);
            EXPECT_EQ(graphicstest::PixelsOf(painted), graphicstest::PixelsOf(expected)) << k.location.Left;
            EXPECT_EQ(layer->HitTest(3, 3), k.hit) << k.location.Left;
        }
}
