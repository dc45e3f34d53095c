// The image control without a window: bitmap size and placement, the cached
// transform and both conversions, the paint stages by their pixels, painting only
// the visible part, PaintTo, and the mouse with layers.
#include "graphics/Image32.h"
#include "ControlTestHelpers.h"
#include "graphics/GraphicsTestHelpers.h"

using namespace graphicstest;

using platform::MouseButton;
namespace shift = platform::shift;

namespace {

constexpr uint32_t kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlue = 0x000000FF;

// An image control of the given size showing a red bitmap of the given size.
struct Image {
    Image(int32_t controlW, int32_t controlH, int32_t bitmapW, int32_t bitmapH)
    {
        image.SetBounds(0, 0, controlW, controlH);
        image.Bitmap()->SetSize(bitmapW, bitmapH);
        image.Bitmap()->Clear(kRed);
    }
    TImage32 image;
};

TBitmapLayer* AddBitmapLayer(TImage32& image, TFloatRect location, int32_t w, int32_t h, TColor32 color)
{
    auto* layer = image.Layers()->Add<TBitmapLayer>();
    layer->Bitmap()->SetSize(w, h);
    layer->Bitmap()->Clear(color);
    layer->SetLocation(location);
    return layer;
}

// What the window shows at the points, each 0x00RRGGBB.
std::vector<uint32_t> Shown(const PictureCanvas& canvas, std::initializer_list<TPoint> points)
{
    std::vector<uint32_t> colours;
    for (const TPoint& p : points)
        colours.push_back(canvas.At(p.X, p.Y));
    return colours;
}

} // namespace

TEST(Image32, BitmapSizePerScaleMode)
{
    const struct {
        TScaleMode mode;
        float scale;
        int32_t controlW, controlH, bitmapW, bitmapH, wantW, wantH;
    } cases[] = {
        {smNormal, 1, 300, 200, 100, 50, 100, 50},
        {smStretch, 1, 300, 200, 100, 50, 300, 200},
        {smResize, 1, 300, 200, 100, 50, 300, 150}, // width limits: 3 < 4
        {smResize, 1, 300, 100, 100, 50, 200, 100}, // height limits: 3 >= 2
        {smScale, 1.5f, 10, 10, 100, 50, 150, 75},
        {smScale, 2.5f, 10, 10, 3, 1, 8, 2},      // 7.5 and 2.5 round to even
        {smScale, 0.004f, 10, 10, 100, 50, 0, 0}, // below one pixel becomes 0
        {smScale, 2, 0, 10, 100, 50, 0, 0},       // no width: nothing shown
    };
    for (const auto& c : cases) {
        Image t(c.controlW, c.controlH, c.bitmapW, c.bitmapH);
        t.image.SetScaleMode(c.mode);
        t.image.SetScale(c.scale);
        EXPECT_EQ(t.image.GetBitmapSize(), (platform::Size{c.wantW, c.wantH})) << int(c.mode) << " " << c.scale;
    }
    TImage32 empty;
    EXPECT_EQ(empty.GetBitmapSize(), (platform::Size{0, 0}));
    EXPECT_EQ(empty.GetBitmapRect(), (TRect{0, 0, 0, 0}));
}

TEST(Image32, ConversionsAtScales1238AndAfterTheAlignmentShift)
{
    const struct {
        float scale;
        int32_t bitmapSize;
        TPoint bitmap, control;   // BitmapToControl(bitmap) == control
        TPoint fromControl, back; // ControlToBitmap(fromControl) == back
    } cases[] = {
        {1, 100, {7, 9}, {7, 9}, {7, 9}, {7, 9}},
        {2, 100, {10, 10}, {20, 20}, {21, 21}, {10, 10}},
        {2, 100, {0, 0}, {0, 0}, {-5, -5}, {-2, -2}}, // truncation toward zero
        // At scale 3 the reverse scale is 21845 (1/3 rounded down), so an exact
        // multiple of 3 maps one pixel short.
        {3, 100, {1, 1}, {3, 3}, {3, 6}, {0, 1}},
        {3, 100, {99, 99}, {297, 297}, {300, 300}, {99, 99}},
        // A 4096 world at scale 8: the products need 64 bits.
        {8, 4096, {4095, 4095}, {32760, 32760}, {32767, 32767}, {4095, 4095}},
    };
    for (const auto& c : cases) {
        Image t(c.bitmapSize * 8, c.bitmapSize * 8, c.bitmapSize, c.bitmapSize);
        t.image.SetScaleMode(smScale);
        t.image.SetScale(c.scale);
        EXPECT_EQ(t.image.BitmapToControl(c.bitmap), c.control) << "scale " << c.scale;
        EXPECT_EQ(t.image.ControlToBitmap(c.fromControl), c.back) << "scale " << c.scale;
    }
    Image t(300, 300, 100, 50);
    t.image.SetScaleMode(smScale);
    t.image.SetScale(2);
    t.image.SetBitmapAlign(baCenter); // rectangle (50, 100, 250, 200)
    EXPECT_EQ(t.image.BitmapToControl({0, 0}), (TPoint{50, 100}));
    EXPECT_EQ(t.image.ControlToBitmap({249, 199}), (TPoint{99, 49}));
}

TEST(Image32, BitmapShownAtNoSizeTakesItsScaledLayersAlong)
{
    Image t(300, 300, 100, 50);
    t.image.SetScaleMode(smScale);
    t.image.SetScale(0); // 0.001: the rectangle rounds to nothing
    AddBitmapLayer(t.image, {10, 10, 20, 20}, 2, 2, kGreen)->SetScaled(true);
    EXPECT_EQ(t.image.BitmapToControl({10, 10}), (TPoint{0, 0}));
    EXPECT_EQ(t.image.Layers()->FindLayerAtPos(15, 15, loVisible), nullptr);
    PictureCanvas canvas(300, 300);
    EXPECT_NO_THROW(PaintWhole(t.image, canvas));
    EXPECT_EQ(canvas.At(15, 15), 0xF0F0F0u); // only the background
}

TEST(Image32, OnlyRealChangesNotifyAndUpdatesHoldThemBack)
{
    TImage32 image;
    int changes = 0;
    image.OnChange = [&](TObject* sender) {
        EXPECT_EQ(sender, &image);
        ++changes;
    };
    image.SetScale(0); // limited to 0.001
    image.SetScale(-2);
    EXPECT_EQ(image.Scale(), 0.001f);
    EXPECT_EQ(changes, 1);
    image.SetScale(3);
    image.SetScale(3);
    image.SetScaleMode(smScale);
    image.SetScaleMode(smScale);
    image.SetBitmapAlign(baTopLeft); // the alignment setter always notifies
    EXPECT_EQ(changes, 4);

    image.BeginUpdate();
    image.SetScale(2);
    image.Bitmap()->SetSize(4, 4);
    image.EndUpdate();
    EXPECT_EQ(changes, 4); // closing the update does not report by itself
    image.Bitmap()->Changed(); // a pixel change reaches the control
    EXPECT_EQ(changes, 5);
    EXPECT_EQ(graphicstest::MessageOf([&] { image.EndUpdate(); }), "Unpaired EndUpdate call");
    EXPECT_THROW(image.EndUpdate(), EAssertionFailed);
}

TEST(Image32, StagesPaintBackgroundThenBitmapThenVisibleLayers)
{
    Image t(6, 4, 2, 2);
    t.image.SetColor(kBlue);
    AddBitmapLayer(t.image, {1, 1, 2, 2}, 1, 1, kGreen);
    AddBitmapLayer(t.image, {4, 0, 5, 1}, 1, 1, kGreen)->SetVisible(false);
    std::vector<uint32_t> customStages;
    t.image.OnPaintStage = [&](TObject*, TBitmap32* buffer, uint32_t stage) {
        EXPECT_EQ(buffer, t.image.Buffer());
        customStages.push_back(stage);
    };
    t.image.PaintStages()->Add()->Stage = psCustom;
    PictureCanvas canvas(6, 4);
    PaintWhole(t.image, canvas);
    // Bitmap, layer over it, background where the hidden layer is not drawn.
    EXPECT_EQ(Shown(canvas, {{0, 0}, {1, 1}, {4, 0}, {5, 3}}),
              (std::vector<uint32_t>{0xFF0000, 0x00FF00, 0x0000FF, 0x0000FF}));
    EXPECT_EQ(customStages, (std::vector<uint32_t>{5}));
    // A stage that clears the buffer after the others leaves only the colour.
    t.image.PaintStages()->Add()->Stage = psClearBuffer;
    t.image.Invalidate();
    PaintWhole(t.image, canvas);
    EXPECT_EQ(canvas.At(1, 1), 0x0000FFu);
}

TEST(Image32, TiledBitmapRepeatsOverTheControl)
{
    Image t(5, 3, 2, 2);
    t.image.Bitmap()->SetPixel(0, 0, kGreen);
    t.image.SetBitmapAlign(baTile);
    PictureCanvas canvas(5, 3);
    PaintWhole(t.image, canvas);
    // PaintTo tiles from the corner of the rectangle given, also of one ending at 0.
    Paper endingAt0(5, 3, 0), shifted(5, 3, 0);
    t.image.PaintTo(&endingAt0, TRect{-2, -2, 0, 0});
    t.image.PaintTo(&shifted, TRect{-1, -1, 1, 1});
    for (int32_t y = 0; y < 3; ++y)
        for (int32_t x = 0; x < 5; ++x) {
            EXPECT_EQ(canvas.At(x, y), (x % 2 == 0 && y % 2 == 0) ? 0x00FF00u : 0xFF0000u) << x << "," << y;
            EXPECT_EQ(endingAt0.GetPixel(x, y), (x % 2 == 0 && y % 2 == 0) ? kGreen : kRed) << x << "," << y;
            EXPECT_EQ(shifted.GetPixel(x, y), (x % 2 == 1 && y % 2 == 1) ? kGreen : kRed) << x << "," << y;
        }
}

TEST(Image32, FrameStagesMarkTheControlAndTheBitmap)
{
    Image t(8, 8, 4, 4);
    t.image.SetBitmapAlign(baCenter); // (2, 2, 6, 6)
    t.image.SetColor(0x000000);
    t.image.Bitmap()->Clear(0xFF000000);
    t.image.PaintStages()->Items(1)->RunTime = true;
    t.image.PaintStages()->Items(3)->RunTime = true;
    PictureCanvas canvas(8, 8);
    PaintWhole(t.image, canvas);
    // The control frame, every other pixel, and the bitmap frame.
    EXPECT_EQ(Shown(canvas, {{0, 0}, {1, 0}, {2, 2}, {3, 3}}), (std::vector<uint32_t>{0xFFFFFF, 0, 0xFFFFFF, 0}));
}

TEST(Image32, PaintingOnlyTheVisiblePartShowsTheSamePixels)
{
    // A scaled, offset bitmap with a blended, scaled layer, painted whole and through a
    // small window into the middle.
    auto build = [](TImage32& image) {
        image.SetBounds(0, 0, 400, 300);
        image.SetScaleMode(smScale);
        image.SetScale(3);
        image.SetBitmapAlign(baCustom);
        image.SetOffsetHorz(7);
        image.SetOffsetVert(-5);
        image.Bitmap()->SetSize(100, 80);
        graphicstest::FillRandom(*image.Bitmap(), 1234);
        image.Bitmap()->ResetAlpha();
        auto* scaled = AddBitmapLayer(image, {10, 10, 30, 25}, 5, 5, 0x80FFFF00);
        scaled->SetScaled(true);
        scaled->Bitmap()->SetDrawMode(dmBlend);
        scaled->Bitmap()->SetPixel(2, 2, 0xFF00FFFF);
    };
    TImage32 whole, windowed;
    build(whole);
    build(windowed);
    PictureCanvas wholeCanvas(400, 300), windowCanvas(400, 300);
    PaintWhole(whole, wholeCanvas);
    const platform::Rect window{37, 53, 237, 153};
    FakeHost host(windowed, window);
    windowed.HostPaint(windowCanvas);
    EXPECT_EQ(windowed.Buffer()->Width(), 240); // the window's size with slack, not the control's
    EXPECT_EQ(windowCanvas.lastBlit, window);
    for (int32_t y = window.Top; y < window.Bottom; ++y)
        for (int32_t x = window.Left; x < window.Right; ++x)
            ASSERT_EQ(windowCanvas.At(x, y), wholeCanvas.At(x, y)) << x << "," << y;
}

TEST(Image32, PaintToRendersIntoAnotherBitmapWithoutCropping)
{
    Image t(10, 10, 2, 2);
    AddBitmapLayer(t.image, {1, 1, 2, 2}, 1, 1, kGreen)->SetScaled(true);
    AddBitmapLayer(t.image, {0, 4, 1, 5}, 1, 1, kGreen)->SetCropped(true); // outside the bitmap's rectangle
    Paper dest(8, 8, 0);
    t.image.PaintTo(&dest, TRect{0, 0, 8, 8}); // the 2 x 2 bitmap at scale 4
    // The scaled layer follows the destination's scale; no cropping while rendering elsewhere.
    EXPECT_EQ(graphicstest::PixelsAt(dest, {{3, 3}, {4, 4}, {7, 7}, {0, 4}}),
              (std::vector<TColor32>{kRed, kGreen, kGreen, kGreen}));
    // On screen the cropped layer is clipped to the bitmap.
    PictureCanvas canvas(10, 10);
    PaintWhole(t.image, canvas);
    EXPECT_EQ(Shown(canvas, {{0, 4}, {1, 1}}), (std::vector<uint32_t>{0xF0F0F0, 0x00FF00}));
}

TEST(Image32, MouseEventsCarryTheLayerAndLeftPressCaptures)
{
    Image t(100, 100, 100, 100);
    auto* layer = AddBitmapLayer(t.image, {10, 10, 20, 20}, 2, 2, kGreen);
    std::vector<std::string> events;
    auto log = [&](std::string what, TCustomLayer* l) {
        events.push_back(what + (l == layer ? "layer" : l ? "other" : "none"));
    };
    t.image.OnMouseDown = [&](TObject*, MouseButton b, platform::ShiftState, int32_t x, int32_t, TCustomLayer* l) {
        log("down " + std::to_string(int(b)) + " " + std::to_string(x) + " ", l);
    };
    t.image.OnMouseMove = [&](TObject*, platform::ShiftState, int32_t x, int32_t, TCustomLayer* l) {
        log("move " + std::to_string(x) + " ", l);
    };
    t.image.OnMouseUp = [&](TObject*, MouseButton b, platform::ShiftState, int32_t, int32_t, TCustomLayer* l) {
        log("up " + std::to_string(int(b)) + " ", l);
    };
    t.image.HostMouseDown(MouseButton::Right, shift::Right, 50, 50);
    EXPECT_FALSE(t.image.MouseCapture()); // a right press over no layer
    t.image.HostMouseUp(MouseButton::Right, 0, 50, 50);
    t.image.HostMouseDown(MouseButton::Left, shift::Left, 50, 50);
    EXPECT_TRUE(t.image.MouseCapture()); // a left press always
    t.image.HostMouseUp(MouseButton::Left, 0, 50, 50);
    EXPECT_FALSE(t.image.MouseCapture());
    t.image.HostMouseDown(MouseButton::Left, shift::Left, 15, 15);
    t.image.HostMouseMove(shift::Left, 90, 90); // the layer holds the mouse
    t.image.HostMouseUp(MouseButton::Left, 0, 90, 90);
    t.image.HostMouseMove(0, 90, 90);
    t.image.Layers()->SetMouseEvents(false); // then no layer is reported
    t.image.HostMouseDown(MouseButton::Left, shift::Left, 15, 15);
    EXPECT_EQ(events, (std::vector<std::string>{"down 1 50 none", "up 1 none", "down 0 50 none", "up 0 none",
                                                "down 0 15 layer", "move 90 layer", "up 0 layer", "move 90 none",
                                                "down 0 15 none"}));
    EXPECT_FALSE(t.image.Focused()); // no tab stop: a press takes no focus
    t.image.SetTabStop(true);
    t.image.HostMouseDown(MouseButton::Left, shift::Left, 1, 1);
    EXPECT_TRUE(t.image.Focused());
}

TEST(Image32, LeavingTheControlRestoresItsCursorUnlessALayerHoldsTheMouse)
{
    Image t(50, 50, 50, 50);
    t.image.SetCursor(platform::cursor::HandPoint);
    AddBitmapLayer(t.image, {0, 0, 10, 10}, 1, 1, kGreen)->SetCursor(platform::cursor::SizeAll);
    int leaves = 0;
    t.image.OnMouseLeave = [&](TObject*) { ++leaves; };
    std::vector<platform::CursorId> shown;
    t.image.HostMouseMove(0, 5, 5);
    shown.push_back(t.image.ShownCursor());
    t.image.HostMouseLeave();
    shown.push_back(t.image.ShownCursor());
    t.image.HostMouseDown(MouseButton::Left, shift::Left, 5, 5);
    t.image.HostMouseMove(shift::Left, 5, 5);
    t.image.HostMouseLeave();
    shown.push_back(t.image.ShownCursor());
    EXPECT_EQ(shown, (std::vector{platform::cursor::SizeAll, platform::cursor::HandPoint, platform::cursor::SizeAll}));
    EXPECT_EQ(leaves, 2);
}

TEST(Image32, OverlayLayersDrawOnTheWindowOnlyAfterEachPaint)
{
    class OverlayLayer : public TPositionedLayer {
    public:
        using TPositionedLayer::TPositionedLayer;
        int windowPaints = 0, bufferPaints = 0;
        void PaintGDI(platform::Canvas&) override { ++windowPaints; }

    protected:
        void Paint(TBitmap32*) override { ++bufferPaints; }
    };
    Image t(10, 10, 10, 10);
    auto* overlay = t.image.Layers()->Add<OverlayLayer>();
    overlay->SetLayerOptions(loGDIOverlay);
    int overlayEvents = 0;
    t.image.OnGDIOverlay = [&](TObject*) { ++overlayEvents; };
    PictureCanvas canvas(10, 10);
    PaintWhole(t.image, canvas);
    PaintWhole(t.image, canvas);
    EXPECT_EQ((std::vector<int>{overlay->windowPaints, overlay->bufferPaints, overlayEvents}),
              (std::vector<int>{2, 0, 2}));
    // Its changes ask only for the buffer to be shown again.
    FakeHost host(t.image, {0, 0, 10, 10});
    overlay->SetLocation({1, 1, 2, 2});
    EXPECT_EQ(host.repaintRequests, 1);
    EXPECT_TRUE(t.image.BufferValid());
}

TEST(Image32, AutoSizeAndSetupBitmapFitTheControlAndTheBitmapToEachOther)
{
    TImage32 image;
    image.SetScaleMode(smScale);
    image.SetScale(2);
    image.SetAutoSize(true);
    EXPECT_EQ(image.Width(), 0); // an empty bitmap asks for no size
    int resized = 0, changes = 0;
    image.OnBitmapResize = [&](TObject*) { ++resized; };
    image.Bitmap()->SetSize(30, 20);
    EXPECT_EQ(image.ClientRect(), (platform::Rect{0, 0, 60, 40}));
    EXPECT_EQ(resized, 1);

    TImage32 fitted;
    fitted.SetBounds(0, 0, 7, 5);
    fitted.OnChange = [&](TObject*) { ++changes; };
    fitted.SetupBitmap(true, kGreen);
    EXPECT_EQ(fitted.Bitmap()->BoundsRect(), (TRect{0, 0, 7, 5}));
    EXPECT_EQ(fitted.Bitmap()->GetPixel(6, 4), kGreen);
    EXPECT_EQ(changes, 1);
    Paper other(3, 3, kRed);
    fitted.SetBitmap(&other);
    EXPECT_NE(fitted.Bitmap(), &other); // copied, not taken
    EXPECT_EQ(fitted.Bitmap()->GetPixel(2, 2), kRed);
}
