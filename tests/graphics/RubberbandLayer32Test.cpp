// The rubber-band layer: which drag a press starts, moving and resizing with the size
// limits, scaled locations, the child layer that follows, and what it paints.
#include "graphics/RubberbandLayer32.h"

#include <gtest/gtest.h>

#include <optional>

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

TEST(RubberbandLayer, PressesStartTheDragOfTheHandleUnderThem)
{
    Band b;
    EXPECT_EQ(dsSizeBR, b.PressAt(52, 43)); // within HandleSize + 1 of the corner
    EXPECT_EQ(dsSizeBR, b.PressAt(53, 39));
    EXPECT_EQ(dsSizeTL, b.PressAt(10, 10));
    EXPECT_EQ(dsSizeTR, b.PressAt(49, 6));
    EXPECT_EQ(dsSizeBL, b.PressAt(7, 40));
    EXPECT_EQ(dsSizeL, b.PressAt(10, 24));
    EXPECT_EQ(dsSizeR, b.PressAt(47, 28));
    EXPECT_EQ(dsSizeT, b.PressAt(25, 10));
    EXPECT_EQ(dsSizeB, b.PressAt(29, 39));
    EXPECT_EQ(dsMove, b.PressAt(20, 20));
    EXPECT_EQ(dsMove, b.PressAt(10, 18)); // on the left edge but away from its handles
    // Outside: the layer is not hit, so it gets no press.
    EXPECT_EQ(nullptr, b.c.FindLayerAtPos(54, 39, loMouseEvents));
    EXPECT_EQ(dsNone, b.PressAt(54, 39));
    EXPECT_EQ(dsNone, b.PressAt(70, 70));
}

TEST(RubberbandLayer, HandlesSelectWhatReacts)
{
    Band b;
    b.layer->SetHandles(rhCenter);
    EXPECT_EQ(dsMove, b.PressAt(10, 10));
    EXPECT_EQ(dsNone, b.PressAt(52, 43));
    b.layer->SetHandles(rhSides);
    EXPECT_EQ(dsNone, b.PressAt(20, 20));
    EXPECT_EQ(dsNone, b.PressAt(10, 10));
    EXPECT_EQ(dsSizeL, b.PressAt(10, 24));
    b.layer->SetHandles(rhCorners | rhCenter);
    EXPECT_EQ(dsMove, b.PressAt(10, 24));
    b.layer->SetHandleSize(1); // presses count within 2 pixels now
    EXPECT_EQ(dsNone, b.PressAt(52, 42));
    EXPECT_EQ(dsSizeBR, b.PressAt(51, 41));
}

TEST(RubberbandLayer, HoverShowsTheCursorOfTheHandle)
{
    Band b;
    b.owner.SetCursor(platform::cursor::HandPoint);
    b.layer->SetCursor(platform::cursor::SizeAll);
    const std::pair<TPoint, platform::CursorId> cases[] = {
        {{10, 24}, platform::cursor::SizeWE},   {{49, 24}, platform::cursor::SizeWE},
        {{29, 10}, platform::cursor::SizeNS},   {{29, 39}, platform::cursor::SizeNS},
        {{10, 10}, platform::cursor::SizeNWSE}, {{49, 39}, platform::cursor::SizeNWSE},
        {{49, 10}, platform::cursor::SizeNESW}, {{10, 39}, platform::cursor::SizeNESW},
        {{20, 20}, platform::cursor::SizeAll}, // the layer's own cursor
    };
    for (const auto& [p, cursor] : cases) {
        b.c.MouseMove(0, p.X, p.Y);
        EXPECT_EQ(cursor, b.owner.ShownCursor()) << p.X << "," << p.Y;
    }
}

TEST(RubberbandLayer, MovingKeepsTheSizeAndReportsOnlyRealChanges)
{
    Band b;
    std::vector<TDragState> resizing;
    b.layer->OnResizing = [&](TObject*, const TFloatRect& old, TFloatRect&, TDragState state, platform::ShiftState) {
        EXPECT_EQ(FloatRect(10, 10, 50, 40), old);
        resizing.push_back(state);
    };
    b.c.MouseDown(MouseButton::Left, shift::Left, 20, 20); // 10 right and below the corner
    b.c.MouseMove(shift::Left, 35, 45);
    EXPECT_EQ(FloatRect(25, 35, 65, 65), b.layer->Location());
    EXPECT_EQ(1, b.userChanges);
    b.c.MouseMove(shift::Left, 35, 45); // no change: no event
    EXPECT_EQ(1, b.userChanges);
    b.c.MouseUp(MouseButton::Left, 0, 35, 45);
    EXPECT_FALSE(b.layer->IsDragging());
    EXPECT_EQ((std::vector<TDragState>{dsMove, dsMove}), resizing);
}

TEST(RubberbandLayer, ResizingRespectsTheLimits)
{
    Band b;
    b.Drag(10, 24, 100, 24); // the left edge past the right one
    EXPECT_EQ(FloatRect(40, 10, 50, 40), b.layer->Location());

    b.layer->SetLocation(FloatRect(10, 10, 50, 40));
    b.Drag(49, 24, 300, 24); // no maximum: as far as the mouse goes
    EXPECT_EQ(FloatRect(10, 10, 300, 40), b.layer->Location());

    b.layer->SetLocation(FloatRect(10, 10, 50, 40));
    b.layer->MaxWidth = 50;
    b.Drag(49, 24, 300, 24);
    EXPECT_EQ(FloatRect(10, 10, 60, 40), b.layer->Location());
    b.layer->MaxWidth = 5; // below the minimum: no maximum
    b.Drag(59, 24, 300, 24);
    EXPECT_EQ(FloatRect(10, 10, 300, 40), b.layer->Location());

    b.layer->SetLocation(FloatRect(10, 10, 50, 40));
    b.layer->MaxHeight = 20;
    b.Drag(29, 10, 29, -100); // the top edge up: stops at height 20
    EXPECT_EQ(FloatRect(10, 20, 50, 40), b.layer->Location());
    b.Drag(29, 39, 29, 0); // the bottom edge above the top: stops at height 10
    EXPECT_EQ(FloatRect(10, 20, 50, 30), b.layer->Location());

    b.layer->SetLocation(FloatRect(10, 10, 50, 40));
    b.layer->MaxHeight = 0;
    b.Drag(10, 10, 0, 5); // the top-left corner moves both edges
    EXPECT_EQ(FloatRect(0, 5, 50, 40), b.layer->Location());
}

TEST(RubberbandLayer, OnResizingMayChangeTheResult)
{
    Band b;
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

    // The rubber band destroyed before its child.
    auto* survivor = b.c.Add<TPositionedLayer>();
    b.layer->SetChildLayer(survivor);
    delete b.layer;
    delete survivor;
    EXPECT_EQ(0, b.c.Count());
}

// Setting the default handle colours, handles and size changes nothing.
TEST(RubberbandLayer, HandleSettersAskForAGDIUpdateOnlyOnChange)
{
    TLayerCollection c;
    int updates = 0;
    c.OnGDIUpdate = [&](TObject*) { ++updates; };
    auto* layer = c.Add<TRubberbandLayer>();
    layer->SetHandleFill(0x00FFFFFF);
    layer->SetHandleFrame(0);
    layer->SetHandles(rhAll);
    layer->SetHandleSize(3);
    EXPECT_EQ(0, updates);
    layer->SetHandleFill(0xFF00FF00);
    layer->SetHandleFrame(0xFFFF0000);
    layer->SetHandles(rhFrame);
    layer->SetHandleSize(0);
    EXPECT_EQ(4, updates);
    EXPECT_EQ(1, layer->HandleSize());
    layer->SetHandleSize(-5); // still 1: no change
    EXPECT_EQ(4, updates);
}

namespace {

constexpr TColor32 kGround = 0xFF808080, kFill = 0xFF00FF00, kFrame = 0xFFFF0000;

struct Painted {
    explicit Painted(TRBHandles handles, TPoint origin = {0, 0}) : view(1)
    {
        view.origin = origin;
        c.SetView(&view);
        layer = c.Add<TRubberbandLayer>();
        layer->SetLocation(FloatRect(10, 10, 30, 25));
        layer->SetHandleSize(2);
        layer->SetHandleFill(kFill);
        layer->SetHandleFrame(kFrame);
        layer->SetHandles(handles);
        buffer.SetSize(40, 35);
        buffer.Clear(kGround);
        layer->DoPaint(&buffer);
    }
    ScaledView view;
    TLayerCollection c;
    TRubberbandLayer* layer;
    TBitmap32 buffer;
};

} // namespace

TEST(RubberbandLayer, PaintsAStippledFrameAndHandlesOnItsLines)
{
    Painted p(rhAll);
    const TBitmap32& b = p.buffer;
    // The frame runs clockwise from the top-left corner: white, white, black, black.
    // Pixel (x, 10) has counter x - 10; the corner handle covers up to x = 11.
    EXPECT_EQ(clBlack32, b.GetPixel(12, 10));
    EXPECT_EQ(clBlack32, b.GetPixel(13, 10));
    EXPECT_EQ(clWhite32, b.GetPixel(14, 10));
    EXPECT_EQ(clWhite32, b.GetPixel(15, 10));
    EXPECT_EQ(clBlack32, b.GetPixel(16, 10));
    EXPECT_EQ(clWhite32, b.GetPixel(29, 12)); // down the right side: counter 21
    EXPECT_EQ(clBlack32, b.GetPixel(29, 13));
    EXPECT_EQ(kGround, b.GetPixel(20, 20)); // inside
    EXPECT_EQ(kGround, b.GetPixel(30, 20)); // right of the frame's last column
    // Corner handle at (10, 10): box (8, 8)-(12, 12), its outline in the frame colour.
    EXPECT_EQ(kFrame, b.GetPixel(8, 8));
    EXPECT_EQ(kFrame, b.GetPixel(11, 11));
    EXPECT_EQ(kFill, b.GetPixel(9, 10));
    EXPECT_EQ(kGround, b.GetPixel(12, 12));
    // Corner handle at (29, 24) and side handles at the midpoints (19, 10) and (29, 17).
    EXPECT_EQ(kFill, b.GetPixel(28, 23));
    EXPECT_EQ(kFill, b.GetPixel(19, 10));
    EXPECT_EQ(kFrame, b.GetPixel(17, 8));
    EXPECT_EQ(kFill, b.GetPixel(28, 16));
    EXPECT_EQ(kFill, b.GetPixel(9, 16)); // left side handle at (10, 17)
}

TEST(RubberbandLayer, PaintsOnlyTheChosenPartsRelativeToTheBufferOrigin)
{
    Painted frameOnly(rhFrame);
    EXPECT_EQ(clWhite32, frameOnly.buffer.GetPixel(10, 10));
    EXPECT_EQ(kGround, frameOnly.buffer.GetPixel(9, 9));
    EXPECT_EQ(kGround, frameOnly.buffer.GetPixel(19, 9));

    Painted sides(rhSides);
    EXPECT_EQ(kGround, sides.buffer.GetPixel(14, 10)); // no frame
    EXPECT_EQ(kGround, sides.buffer.GetPixel(9, 10));  // no corner handle
    EXPECT_EQ(kFill, sides.buffer.GetPixel(19, 10));

    Painted nothing(rhCenter);
    TBitmap32 ground;
    ground.SetSize(40, 35);
    ground.Clear(kGround);
    EXPECT_TRUE(nothing.buffer.Equal(ground));

    Painted moved(rhCorners, TPoint{5, 5}); // the buffer starts at control point (5, 5)
    EXPECT_EQ(kFill, moved.buffer.GetPixel(4, 5));
    EXPECT_EQ(kGround, moved.buffer.GetPixel(9, 10));
}
