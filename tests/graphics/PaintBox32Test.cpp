// Paint stages and the buffered paint box: the stage list, the buffer's size, and
// when the buffer is painted again.
#include "graphics/PaintBox32.h"
#include "ControlTestHelpers.h"
#include "graphics/GraphicsTestHelpers.h"

using namespace graphicstest;

TEST(PaintStages, AddInsertDeleteKeepOrderAndDefaults)
{
    TPaintStages stages;
    TPaintStage* first = stages.Add();
    EXPECT_EQ((std::tuple{first->DsgnTime, first->RunTime, first->Stage, first->Parameter}), (std::tuple{false, true, 0u, 0u}));
    first->Stage = psDrawBitmap;
    stages.Add()->Stage = psDrawLayers;
    stages.Insert(-4)->Stage = psClearBackground;        // limited to 0
    stages.Insert(stages.Count() + 5)->Stage = psCustom; // appended
    stages.Insert(2)->Stage = psClearBuffer;
    auto order = [&] {
        std::vector<uint32_t> kinds;
        for (int32_t i = 0; i < stages.Count(); ++i)
            kinds.push_back(stages.Items(i)->Stage);
        return kinds;
    };
    EXPECT_EQ(order(), (std::vector<uint32_t>{psClearBackground, psDrawBitmap, psClearBuffer, psDrawLayers, psCustom}));
    stages.Delete(2);
    EXPECT_THROW(stages.Delete(4), EListError);
    EXPECT_EQ(MessageOf([&] { stages.Delete(-1); }), "Invalid stage index");
    EXPECT_EQ(order(), (std::vector<uint32_t>{psClearBackground, psDrawBitmap, psDrawLayers, psCustom}));
}

TEST(PaintBox32, BufferGrowsWithSlackAndShrinksOnlyPastIt)
{
    TPaintBox32 box;
    EXPECT_EQ(box.ClientRect(), (platform::Rect{0, 0, 192, 192}));
    EXPECT_EQ(box.Buffer()->Width(), 1); // nothing is on screen yet
    FakeHost host(box);
    box.ResizeBuffer();
    EXPECT_EQ(box.Buffer()->BoundsRect(), (TRect{0, 0, 232, 232})); // 192 and the slack of 40
    // Each step: the control's new width, then the buffer width that must follow.
    const int32_t steps[][2] = {
        {0, 1},                 // never below one pixel
        {100, 140},             // growth takes the slack
        {200, 240}, {100, 100}, // more than the slack too large: shrunk to fit
        {101, 141}, {100, 100}, // 100 < 141 - 40
        {101, 141}, {105, 141}, // within the slack: kept
        {60, 60},
    };
    for (const auto& [width, buffer] : steps) {
        box.SetBounds(0, 0, width, 10);
        EXPECT_EQ(box.Buffer()->Width(), buffer) << "control width " << width;
    }
    box.SetBufferOversize(-3);
    EXPECT_EQ(box.BufferOversize(), 0);
    box.SetBufferOversize(INT32_MAX); // a slack no bitmap can hold is not taken
    box.SetBounds(0, 0, 70, 10);
    EXPECT_EQ(box.Buffer()->Width(), 70);
}

TEST(PaintBox32, PaintBoxAsksItsOwnerBeforeEveryScreenUpdateAndFlushShowsTheBufferAsItIs)
{
    TPaintBox32 box;
    box.SetBounds(0, 0, 4, 4);
    FakeHost host(box, {0, 0, 4, 4});
    PictureCanvas canvas(4, 4);
    host.canvas = &canvas;
    int asked = 0;
    box.OnPaintBuffer = [&](TObject* sender) {
        ++asked;
        static_cast<TPaintBox32*>(sender)->Buffer()->Clear(0xFF000000 | uint32_t(asked));
    };
    box.HostPaint(canvas);
    box.HostPaint(canvas);
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(canvas.At(0, 0), 2u);
    EXPECT_FALSE(box.BufferValid());
    box.Flush();
    box.Flush(TRect{1, 1, 3, 3});
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(canvas.blits, 4);
}
