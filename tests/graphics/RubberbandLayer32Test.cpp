// The rubber-band layer: which drag a press starts, moving and resizing with the size
// limits, scaled locations, the child layer that follows, and what it paints.
#include "graphics/RubberbandLayer32.h"
#include "graphics/GraphicsTestHelpers.h"

using namespace graphicstest;
using platform::MouseButton;
namespace shift = platform::shift;

namespace {

// Shows the bitmap at a fixed scale from (0, 0).
class ScaledView : public TLayerView {
public:
    explicit ScaledView(int32_t scale) { transform_.ScaleX = transform_.ScaleY = scale * 65536; }
    const TCoordTransform& LayerCoordTransform() override { return transform_; }
    TPoint LayerPaintOrigin() const override { return origin; }
    std::optional<TRect> LayerCropRect() override { return std::nullopt; }
    TPoint origin{0, 0};

private:
    TCoordTransform transform_;
};

// A rubber band at (10, 10, 50, 40) with the default handles: its handle lines are
// x = 10 and 49, y = 10 and 39, the midpoints x = 29 and y = 24, and a press counts as
// on a handle within 4 pixels.
struct Band {
    Band()
    {
        layer = c.Add<TRubberbandLayer>();
        layer->SetLocation(FloatRect(10, 10, 50, 40));
        layer->OnUserChange = [this](TObject*) { ++userChanges; };
    }
    // The drag a left press at (x, y) starts (none when the press misses the layer); the
    // press is released again.
    TDragState PressAt(int32_t x, int32_t y)
    {
        const bool hit = c.MouseDown(MouseButton::Left, shift::Left, x, y) == layer;
        const TDragState state = hit ? layer->DragState() : dsNone;
        const bool dragging = layer->IsDragging();
        c.MouseUp(MouseButton::Left, 0, x, y);
        EXPECT_EQ(dragging, state != dsNone);
        EXPECT_FALSE(layer->IsDragging());
        return state;
    }
    // A left drag from one point to the other.
    void Drag(int32_t x0, int32_t y0, int32_t x1, int32_t y1)
    {
        c.MouseDown(MouseButton::Left, shift::Left, x0, y0);
        c.MouseMove(shift::Left, x1, y1);
        c.MouseUp(MouseButton::Left, 0, x1, y1);
    }

    platform::Control owner;
    TLayerCollection c{&owner};
    TRubberbandLayer* layer;
    int userChanges = 0;
};

} // namespace

TEST(RubberbandLayer, PressesStartAndHoversShowTheDragOfTheHandleUnderThem)
{
    Band b;
    const std::pair<TPoint, TDragState> presses[] = {
        {{52, 43}, dsSizeBR}, // within HandleSize + 1 of the corner
        {{53, 39}, dsSizeBR}, {{10, 10}, dsSizeTL}, {{49, 6}, dsSizeTR}, {{7, 40}, dsSizeBL},
        {{10, 24}, dsSizeL},  {{47, 28}, dsSizeR},  {{25, 10}, dsSizeT}, {{29, 39}, dsSizeB},
        {{20, 20}, dsMove},   {{10, 18}, dsMove}, // on the left edge but away from its handles
        {{54, 39}, dsNone},   {{70, 70}, dsNone}, // outside: the layer is not hit, so it gets no press
    };
    for (const auto& [p, state] : presses)
        EXPECT_EQ(state, b.PressAt(p.X, p.Y)) << p.X << "," << p.Y;
    // Hovering shows the cursor of the handle, or the layer's own.
    b.owner.SetCursor(platform::cursor::HandPoint);
    b.layer->SetCursor(platform::cursor::SizeAll);
    const std::pair<TPoint, platform::CursorId> hovers[] = {
        {{10, 24}, platform::cursor::SizeWE},   {{49, 24}, platform::cursor::SizeWE},
        {{29, 10}, platform::cursor::SizeNS},   {{29, 39}, platform::cursor::SizeNS},
        {{10, 10}, platform::cursor::SizeNWSE}, {{49, 39}, platform::cursor::SizeNWSE},
        {{49, 10}, platform::cursor::SizeNESW}, {{10, 39}, platform::cursor::SizeNESW},
        {{20, 20}, platform::cursor::SizeAll},
    };
    for (const auto& [p, cursor] : hovers) {
        b.c.MouseMove(0, p.X, p.Y);
        EXPECT_EQ(cursor, b.owner.ShownCursor()) << p.X << "," << p.Y;
    }
    // The handles chosen select what reacts.
    b.layer->SetHandles(rhCenter);
    EXPECT_EQ((std::vector{b.PressAt(10, 10), b.PressAt(52, 43)}), (std::vector{dsMove, dsNone}));
    b.layer->SetHandles(rhSides);
    EXPECT_EQ((std::vector{b.PressAt(20, 20), b.PressAt(10, 10), b.PressAt(10, 24)}), (std::vector{dsNone, dsNone, dsSizeL}));
    b.layer->SetHandles(rhCorners | rhCenter);
    EXPECT_EQ(dsMove, b.PressAt(10, 24));
    b.layer->SetHandleSize(1); // presses count within 2 pixels now
    EXPECT_EQ((std::vector{b.PressAt(52, 42), b.PressAt(51, 41)}), (std::vector{dsNone, dsSizeBR}));
    b.layer->SetLocation(FloatRect(3e9f, 3e9f, 4e9f, 4e9f)); // saturated edges, and their midpoints
    EXPECT_EQ(dsNone, b.PressAt(10, 10));
}

TEST(RubberbandLayer, ResizingRespectsTheLimits)
{
    // Each step: the limits, then a drag from the band at (10, 10, 50, 40) unless it
    // continues from the last, and where the band ends.
    const struct {
        float maxWidth, maxHeight;
        bool fresh;
        TPoint from, to;
        TFloatRect want;
    } steps[] = {
        {0, 0, true, {10, 24}, {100, 24}, {40, 10, 50, 40}},  // the left edge past the right one
        {0, 0, true, {49, 24}, {300, 24}, {10, 10, 300, 40}}, // no maximum: as far as the mouse goes
        {50, 0, true, {49, 24}, {300, 24}, {10, 10, 60, 40}},
        {5, 0, false, {59, 24}, {300, 24}, {10, 10, 300, 40}}, // below the minimum: no maximum
        {0, 20, true, {29, 10}, {29, -100}, {10, 20, 50, 40}}, // the top edge up: stops at height 20
        {0, 20, false, {29, 39}, {29, 0}, {10, 20, 50, 30}},   // the bottom edge above the top: height 10
        {0, 0, true, {10, 10}, {0, 5}, {0, 5, 50, 40}},        // the top-left corner moves both edges
    };
    Band b;
    for (const auto& s : steps) {
        b.layer->MaxWidth = s.maxWidth;
        b.layer->MaxHeight = s.maxHeight;
        if (s.fresh)
            b.layer->SetLocation(FloatRect(10, 10, 50, 40));
        b.Drag(s.from.X, s.from.Y, s.to.X, s.to.Y);
        EXPECT_EQ(s.want, b.layer->Location()) << s.from.X << "," << s.from.Y << " to " << s.to.X << "," << s.to.Y;
    }
    // OnResizing may change the result.
    b.layer->SetLocation(FloatRect(10, 10, 50, 40));
    b.layer->OnResizing = [](TObject*, const TFloatRect&, TFloatRect& next, TDragState, platform::ShiftState) {
        next.Right = 77;
    };
    b.Drag(49, 24, 60, 24);
    EXPECT_EQ(FloatRect(10, 10, 77, 40), b.layer->Location());
}

TEST(RubberbandLayer, ScaledLocationsDragInBitmapUnits)
{
    ScaledView view(2);
    Band b;
    b.c.SetView(&view);
    b.layer->SetScaled(true);
    b.layer->SetLocation(FloatRect(10, 10, 20, 20)); // (20, 20, 40, 40) on the control
    EXPECT_EQ(dsMove, b.PressAt(30, 30));
    b.Drag(30, 30, 50, 30); // 20 control pixels right: 10 bitmap pixels
    EXPECT_EQ(FloatRect(20, 10, 30, 20), b.layer->Location());
    b.Drag(59, 39, 79, 59); // the bottom-right corner to control (79, 59)
    EXPECT_EQ(FloatRect(20, 10, 39.5f, 29.5f), b.layer->Location());

    b.layer->SetLocation(FloatRect(10, 10, 10, 20)); // no width: a drag changes nothing
    b.c.MouseDown(MouseButton::Left, shift::Left, 20, 30);
    ASSERT_TRUE(b.layer->IsDragging());
    b.c.MouseMove(shift::Left, 40, 40);
    EXPECT_EQ(FloatRect(10, 10, 10, 20), b.layer->Location());
    b.c.MouseUp(MouseButton::Left, 0, 40, 40);
}

TEST(RubberbandLayer, TheChildFollowsAndItsDestructionClearsTheLink)
{
    Band b;
    auto* child = b.c.Add<TPositionedLayer>();
    child->SetScaled(true);
    child->SetLocation(FloatRect(5, 6, 25, 30));
    b.layer->SetChildLayer(child);
    b.layer->BringToFront(); // the band above its child catches the mouse
    EXPECT_EQ(child, b.layer->ChildLayer());
    EXPECT_EQ(FloatRect(5, 6, 25, 30), b.layer->Location());
    EXPECT_TRUE(b.layer->Scaled());
    EXPECT_TRUE(b.layer->LayerOptions() & loNoUpdate);
    // A change of the handles repaints the band (with a child too), an unchanged value not.
    int repaints = 0;
    b.c.OnChange = [&](TObject*) { ++repaints; };
    b.layer->SetHandleFill(0xFF0000FF);
    b.layer->SetHandleFrame(0xFF00FF00);
    b.layer->SetHandles(rhCorners);
    for (int32_t size : {5, 5})
        b.layer->SetHandleSize(size);
    EXPECT_EQ(repaints, 4);
    b.c.OnChange = nullptr;
    b.layer->SetHandles(rhAll);
    b.layer->SetHandleSize(3);

    b.layer->SetScaled(false);
    b.layer->SetLocation(FloatRect(10, 10, 50, 40));
    EXPECT_EQ(FloatRect(10, 10, 50, 40), child->Location());
    b.Drag(20, 20, 30, 25);
    EXPECT_EQ(FloatRect(20, 15, 60, 45), child->Location());

    delete child;
    EXPECT_EQ(nullptr, b.layer->ChildLayer());
    EXPECT_FALSE(b.layer->LayerOptions() & loNoUpdate);
    b.Drag(30, 30, 40, 40); // touches no freed layer
    EXPECT_EQ(FloatRect(30, 25, 70, 55), b.layer->Location());
    // Letting go of a child unregisters: destroying it later tells nobody.
    auto* other = b.c.Add<TPositionedLayer>();
    b.layer->SetChildLayer(other);
    b.layer->SetChildLayer(nullptr);
    EXPECT_FALSE(b.layer->LayerOptions() & loNoUpdate);
    b.layer->SetLocation(FloatRect(1, 2, 3, 4));
    EXPECT_EQ(FloatRect(0, 0, 64, 64), other->Location());
    delete other;
    auto* outer = b.c.Add<TRubberbandLayer>();
    outer->SetChildLayer(b.layer);
    b.layer->SetChildLayer(outer); // a child leading back to the band is refused
    EXPECT_EQ(nullptr, b.layer->ChildLayer());
    delete outer;
    // The rubber band destroyed before its child.
    auto* survivor = b.c.Add<TPositionedLayer>();
    b.layer->SetChildLayer(survivor);
    delete b.layer;
    delete survivor;
    EXPECT_EQ(0, b.c.Count());
}

namespace {

constexpr TColor32 kGround = 0xFF808080, kFill = 0xFF00FF00, kFrame = 0xFFFF0000;

struct Painted {
    explicit Painted(TRBHandles handles, TPoint origin = {0, 0}, TFloatRect location = FloatRect(10, 10, 30, 25))
        : view(1), buffer(40, 35, kGround)
    {
        view.origin = origin;
        c.SetView(&view);
        layer = c.Add<TRubberbandLayer>();
        layer->SetLocation(location);
        layer->SetHandleSize(2);
        layer->SetHandleFill(kFill);
        layer->SetHandleFrame(kFrame);
        layer->SetHandles(handles);
        layer->DoPaint(&buffer);
    }
    ScaledView view;
    TLayerCollection c;
    TRubberbandLayer* layer;
    Paper buffer;
};

} // namespace

TEST(RubberbandLayer, PaintsOnlyTheChosenPartsRelativeToTheBufferOrigin)
{
    Painted frameOnly(rhFrame), sides(rhSides), nothing(rhCenter);
    EXPECT_EQ(PixelsAt(frameOnly.buffer, {{10, 10}, {9, 9}, {19, 9}}), (std::vector<TColor32>{clWhite32, kGround, kGround}));
    // No frame, no corner handle.
    EXPECT_EQ(PixelsAt(sides.buffer, {{14, 10}, {9, 10}, {19, 10}}), (std::vector<TColor32>{kGround, kGround, kFill}));
    EXPECT_TRUE(nothing.buffer.Equal(Paper(40, 35, kGround)));
    Painted moved(rhCorners, TPoint{5, 5}); // the buffer starts at control point (5, 5)
    EXPECT_EQ(PixelsAt(moved.buffer, {{4, 5}, {9, 10}}), (std::vector<TColor32>{kFill, kGround}));
    Painted far(rhFrame | rhSides, {0, 0}, FloatRect(-3e9f, 10, 3e9f, 25)); // saturated: top row, side handle at -1
    EXPECT_EQ(PixelsAt(far.buffer, {{0, 9}, {0, 11}, {1, 10}, {5, 10}, {7, 10}, {5, 9}}),
              (std::vector<TColor32>{kFrame, kFrame, clWhite32, clWhite32, clBlack32, kGround}));
}
