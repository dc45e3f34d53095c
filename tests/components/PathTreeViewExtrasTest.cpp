// The path tree view's overlay images, drag image list and context popup.
#include "support/CellRasterizer.h"
#include "components/rmPathTreeView.h"
#include "platform/PixelCanvas.h"

#include <gtest/gtest.h>

using platform::MouseButton;
namespace shift = platform::shift;

namespace {

// Marks where each text starts, so that one can see where a label was drawn.
struct MarkingRasterizer : CellRasterizer {
    static constexpr uint32_t kMark = 0xABCDEF;
    void TextOut(const platform::PixelView& view, int32_t x, int32_t y, const platform::Rect& clip, std::string_view,
                 const platform::FontSpec&) override
    {
        if (clip.Contains(x, y) && x < view.Width && y < view.Height)
            view.Row(y)[x] = 0xFF000000u | kMark;
    }
};

struct TreeExtras : ::testing::Test {
    TreeExtras()
    {
        a = tree.Items().AddChild(nullptr, "a");
        b = tree.Items().AddChild(nullptr, "b");
    }
    platform::Point LabelMiddle(const TrmTreeNode* node) const
    {
        const platform::Rect label = node->DisplayRect(true);
        return {(label.Left + label.Right) / 2, (label.Top + label.Bottom) / 2};
    }
    MarkingRasterizer rasterizer;
    TrmPathTreeView tree;
    TrmTreeNode *a = nullptr, *b = nullptr;
};

} // namespace

TEST_F(TreeExtras, TheOverlayIsBlendedOverTheNodesImageByItsAlpha)
{
    TBitmap32List images;
    for (int i = 0; i < 2; ++i)
        images.Bitmaps()->Add()->Bitmap()->SetSize(16, 16);
    images.Bitmap(0)->Clear(0xFF0000FFu);
    images.Bitmap(1)->Clear(0x00FFFFFFu);               // see-through but for
    images.Bitmap(1)->FillRect(0, 8, 8, 16, 0xFFFF0000u); // an opaque red bottom-left quarter
    tree.SetImages(&images);
    const int32_t left = a->DisplayRect(true).Left - 16, top = a->DisplayRect(true).Top;
    // The image's top-left and bottom-left pixels.
    for (const auto& [overlay, bottom] : {std::pair{-1, 0x0000FFu}, {1, 0xFF0000u}, {2, 0x0000FFu}}) {
        a->SetOverlayIndex(overlay);
        PixelCanvas canvas(121, 97);
        tree.HostPaint(canvas);
        EXPECT_EQ(canvas.At(left, top), 0x0000FFu) << overlay;
        EXPECT_EQ(canvas.At(left, top + 15), bottom) << overlay;
    }
    tree.SetImages(nullptr);
}

TEST_F(TreeExtras, TheDragImageListHoldsWhatTheViewDrawsWhileDragging)
{
    tree.SetDragMode(dmAutomatic);
    const platform::Point from = LabelMiddle(a);
    tree.HostMouseDown(MouseButton::Left, shift::Left, from.X, from.Y);
    tree.HostMouseMove(shift::Left, from.X + 8, from.Y + 12);
    ASSERT_EQ(tree.GetDragImages()->Bitmaps()->Count(), 1);
    const TBitmap32& image = *tree.GetDragImages()->Bitmap(0);
    const platform::Rect at = tree.DragImageRect();
    ASSERT_EQ(image.Width(), at.Width());
    ASSERT_EQ(image.Height(), at.Height());
    PixelCanvas canvas(121, 97);
    tree.HostPaint(canvas);
    for (int32_t y = 0; y < image.Height(); ++y)
        for (int32_t x = 0; x < image.Width(); ++x)
            ASSERT_EQ(canvas.At(at.Left + x, at.Top + y), image.GetPixel(x, y) & 0xFFFFFFu) << x << "," << y;
    EXPECT_EQ(image.GetPixel(2, 1) & 0xFFFFFFu, MarkingRasterizer::kMark); // the label is in it
    tree.HostMouseUp(MouseButton::Left, shift::None, from.X + 8, from.Y + 12);
    EXPECT_EQ(tree.GetDragImages()->Bitmaps()->Count(), 0);
}

TEST_F(TreeExtras, ARightClickRaisesTheContextPopupWithTheNodeItSelects)
{
    struct Menu : TPopupMenu {
        void Popup(int32_t X, int32_t Y) override { at.push_back({X, Y}); }
        std::vector<platform::Point> at;
    } menu;
    tree.SetPopupMenu(&menu);
    bool refuse = false, handle = false;
    tree.OnChanging = [&](TObject*, TrmTreeNode*, bool& allow) { allow = !refuse; };
    TrmTreeNode* seen = nullptr;
    tree.OnContextPopup = [&](TObject*, platform::Point, bool& handled) {
        seen = tree.Selected();
        handled = handle;
    };
    struct Case {
        bool select, refuse, handle;
        TrmTreeNode *during, *after;
    } const cases[] = {{false, false, false, a, a},
                       {true, false, false, b, b},
                       {true, true, true, b, a}}; // refused: shown only while the popup is handled
    for (const Case& c : cases) {
        refuse = false;
        tree.SetSelected(a);
        tree.SetRightClickSelect(c.select);
        refuse = c.refuse;
        handle = c.handle;
        menu.at.clear();
        const platform::Point at = LabelMiddle(b);
        tree.HostMouseDown(MouseButton::Right, shift::Right, at.X, at.Y);
        tree.HostMouseUp(MouseButton::Right, shift::None, at.X, at.Y);
        EXPECT_EQ(seen, c.during) << c.select << c.refuse;
        EXPECT_EQ(tree.Selected(), c.after) << c.select << c.refuse;
        // No host: the screen is the view's own coordinates.
        EXPECT_EQ(menu.at, c.handle ? std::vector<platform::Point>{} : std::vector<platform::Point>{at});
    }
}

TEST_F(TreeExtras, ABorderWidthIsAMarginInTheViewsColourInsideTheBorder)
{
    for (const auto& [width, inside] : {std::pair{3, 5}, {-4, 2}}) {
        tree.SetBorderWidth(width);
        EXPECT_EQ(tree.ClientArea(), (platform::Rect{inside, inside, 121 - inside, 97 - inside})) << width;
        EXPECT_EQ(a->DisplayRect(true).Top, inside) << width;
    }
    tree.SetBorderWidth(3);
    PixelCanvas canvas(121, 97);
    tree.HostPaint(canvas);
    EXPECT_EQ(canvas.At(2, 2), tree.Color());
}
