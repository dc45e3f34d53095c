// Components in real widgets driven by simulated mouse and keys: the image view scrolled by
// dragging its bar's handle, and the path tree view expanded, selected and edited in place;
// in a window, a client-aligned view filling it with its size grip, and a node dragged from
// the path tree view onto the controls beside it; the path tree view sorted by the locale.
#include "components/ImgView32.h"
#include "components/rmPathTreeView.h"
#include "components/rmTreeStrings.h"
#include "graphics/Image32.h"
#include "platform/qt/ControlWidget.h"
#include "platform/qt/QtWindowSystem.h"

#include <QApplication>
#include <QImage>
#include <QTest>

#include <gtest/gtest.h>

using platform::qt::ControlWidget;

namespace {

QPoint CentreOf(const platform::Rect& rect)
{
    return QPoint((rect.Left + rect.Right) / 2, (rect.Top + rect.Bottom) / 2);
}

// The bitmap column a pixel of the image view shows, with column x drawn red x mod 256
// and green x div 256.
int32_t ShownColumn(const QImage& shot, int32_t x, int32_t y)
{
    const QRgb pixel = shot.pixel(x, y);
    return qRed(pixel) + 256 * qGreen(pixel);
}

} // namespace

TEST(ImgViewWidget, DraggingTheScrollBarHandleMovesThePicture)
{
    ControlWidget widget(std::make_unique<TImgView32>());
    auto& view = widget.HostedAs<TImgView32>();
    view.SetBounds(0, 0, 300, 200);
    view.Bitmap()->SetSize(600, 400);
    for (int32_t y = 0; y < 400; ++y)
        for (int32_t x = 0; x < 600; ++x)
            view.Bitmap()->SetPixel(x, y, 0xFF000000u | uint32_t(x & 0xFF) << 16 | uint32_t(x >> 8) << 8 | 0x40);
    int scrolls = 0;
    view.OnScroll = [&](TObject*) { ++scrolls; };
    widget.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&widget));
    // Opened at the centre: offset -158.5 draws bitmap column 158 (halves to even) at x 0.
    QImage shot = widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(ShownColumn(shot, 10, 10), 168);
    // The bar: 283 long, 17-pixel buttons, track 249; handle round(249 x 283 / 600) = 117 long
    // at round(249 x 158.5 / 600) = 66 into the track: x 83..200 of the bottom bar (y 183..200).
    // Drag it 50 pixels right.
    EXPECT_EQ(view.HorzScroll().GetHandleRect(), (platform::Rect{83, 0, 200, 17}));
    QTest::mousePress(&widget, Qt::LeftButton, Qt::NoModifier, QPoint(141, 191));
    QTest::mouseMove(&widget, QPoint(166, 191));
    QTest::mouseMove(&widget, QPoint(191, 191));
    QTest::mouseRelease(&widget, Qt::LeftButton, Qt::NoModifier, QPoint(191, 191));
    // 50 pixels of a 249-pixel track over a range of 600: 120.48 further.
    EXPECT_NEAR(view.HorzScroll().Position(), 158.5 + 600.0 * 50 / 249, 1e-3);
    EXPECT_NEAR(view.OffsetHorz(), -(158.5 + 600.0 * 50 / 249), 1e-3);
    EXPECT_FLOAT_EQ(view.OffsetVert(), -108.5f);
    EXPECT_EQ(std::tuple(scrolls, view.MouseCapture()), std::tuple(2, false));
    shot = widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(ShownColumn(shot, 10, 10), 289); // offset rounds to -279
    EXPECT_EQ(ShownColumn(shot, 282, 182), 279 + 282);
    // The bar shows its handle moved: the track left of the old handle is now track.
    EXPECT_NE(shot.pixel(120, 191) & 0xFFFFFF, shot.pixel(141, 191) & 0xFFFFFF);
}

TEST(PathTreeViewWidget, ClickingExpandsANodeAndSelectsItsChild)
{
    ControlWidget widget(std::make_unique<TrmPathTreeView>());
    auto& tree = widget.HostedAs<TrmPathTreeView>();
    tree.SetBounds(0, 0, 200, 150);
    TrmTreeNode* child = tree.AddPathNode("/maps/north");
    TrmTreeNode* top = child->GetParent();
    std::vector<TrmTreeNode*> changes;
    tree.OnChange = [&](TObject*, TrmTreeNode* node) { changes.push_back(node); };
    widget.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&widget));
    const platform::Rect topRow = top->DisplayRect(false);
    // The button's column lies left of the label.
    QTest::mouseClick(&widget, Qt::LeftButton, Qt::NoModifier,
                      QPoint(top->DisplayRect(true).Left - tree.EffectiveIndent() / 2, CentreOf(topRow).y()));
    EXPECT_EQ(std::tuple(top->Expanded(), changes.empty()), std::tuple(true, true));
    const platform::Rect childLabel = child->DisplayRect(true);
    ASSERT_FALSE(childLabel.IsEmpty());
    EXPECT_GT(childLabel.Top, topRow.Top);
    QTest::mouseClick(&widget, Qt::LeftButton, Qt::NoModifier, CentreOf(childLabel));
    EXPECT_EQ(std::tuple(tree.Selected(), changes), std::tuple(child, (std::vector<TrmTreeNode*>{child})));
    EXPECT_TRUE(widget.hasFocus());
    // F2 edits the label in place from typed keys.
    QTest::keyClick(&widget, Qt::Key_F2);
    ASSERT_TRUE(tree.IsEditing());
    QTest::keyClicks(&widget, "south");
    QTest::keyClick(&widget, Qt::Key_Return);
    EXPECT_FALSE(tree.IsEditing());
    EXPECT_EQ(tree.FindPathNode("/maps/south"), child);
}

TEST(ControlsInAWindow, AClientAlignedViewFillsTheWindowAndOnlyThenShowsItsGrip)
{
    QWidget window;
    window.resize(400, 300);
    auto& view = (new ControlWidget(std::make_unique<TImgView32>(), &window))->HostedAs<TImgView32>();
    view.SetBounds(10, 10, 200, 150);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    // Its corner is not the window's: a grip there would size the window from mid-air.
    EXPECT_FALSE(view.IsSizeGripVisible());
    view.SetAlign(alClient);
    EXPECT_EQ(std::pair(view.BoundsRect(), view.IsSizeGripVisible()), std::pair(platform::Rect{0, 0, 400, 300}, true));
    window.resize(500, 350);
    QApplication::processEvents();
    EXPECT_EQ(view.BoundsRect(), (platform::Rect{0, 0, 500, 350}));
}

TEST(ControlsInAWindow, ANodeDraggedFromThePathTreeViewDropsOnAControlThatTakesIt)
{
    QWidget window;
    window.resize(400, 300);
    auto* treeWidget = new ControlWidget(std::make_unique<TrmPathTreeView>(), &window);
    auto& tree = treeWidget->HostedAs<TrmPathTreeView>();
    auto& taker = (new ControlWidget(std::make_unique<TImage32>(), &window))->HostedAs<TImage32>();
    auto& refuser = (new ControlWidget(std::make_unique<TImgView32>(), &window))->HostedAs<TImgView32>();
    tree.SetBounds(0, 0, 150, 300);
    taker.SetBounds(200, 0, 200, 150);
    refuser.SetBounds(200, 150, 200, 150);
    tree.SetDragMode(dmAutomatic);
    TrmTreeNode* node = tree.AddPathNode("/maps");
    std::vector<std::string> drops;
    taker.OnDragOver = [&](TObject*, TObject* source, int32_t, int32_t, TDragOverState, bool& accept) {
        accept = source == &tree && tree.DraggedNode() != nullptr;
    };
    taker.OnDragDrop = [&](TObject*, TObject*, int32_t x, int32_t y) {
        drops.push_back(tree.NodePath(tree.DraggedNode()) + " " + std::to_string(x) + "," + std::to_string(y));
    };
    refuser.OnDragOver = [](TObject*, TObject*, int32_t, int32_t, TDragOverState, bool& accept) { accept = false; };
    std::vector<TObject*> ends;
    tree.OnEndDrag = [&](TObject*, TObject* target, int32_t, int32_t) { ends.push_back(target); };
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const QPoint from = CentreOf(node->DisplayRect(true));
    // The tree holds the mouse while the button is down, so the moves come to it, in its
    // coordinates (here the window's too): over the taker, then over the refusing view.
    for (const auto& [over, target, shown] : {std::tuple{QPoint(250, 50), static_cast<platform::Control*>(&taker),
                                                         platform::cursor::Drag},
                                              {QPoint(250, 200), &refuser, platform::cursor::NoDrop}}) {
        QTest::mousePress(treeWidget, Qt::LeftButton, Qt::NoModifier, from);
        QTest::mouseMove(treeWidget, from + QPoint(10, 0)); // past the threshold
        EXPECT_EQ(tree.DraggedNode(), node);
        QTest::mouseMove(treeWidget, over);
        EXPECT_EQ(std::tuple(tree.DragTarget(), tree.ShownCursor()), std::tuple(target, shown));
        QTest::mouseRelease(treeWidget, Qt::LeftButton, Qt::NoModifier, over);
    }
    EXPECT_EQ(drops, std::vector<std::string>{"/maps 50,50"});
    EXPECT_EQ(ends, (std::vector<TObject*>{&taker, nullptr}));
}

TEST(PathTreeViewWidget, LettersBackspaceAndTheKeypadMoveAndOpen)
{
    ControlWidget widget(std::make_unique<TrmPathTreeView>());
    auto& tree = widget.HostedAs<TrmPathTreeView>();
    tree.SetBounds(0, 0, 200, 150);
    TrmTreeNode* isle = tree.AddPathNode("/maps/north/isle");
    TrmTreeNode* north = isle->GetParent();
    TrmTreeNode* maps = north->GetParent();
    TrmTreeNode* mines = tree.AddPathNode("/mines");
    widget.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&widget));
    QTest::keyClicks(&widget, "mi");
    EXPECT_EQ(tree.Selected(), mines);
    QTest::keyClick(&widget, Qt::Key_Home);
    QTest::keyClick(&widget, Qt::Key_Asterisk, Qt::KeypadModifier); // the whole subtree
    EXPECT_TRUE(maps->Expanded() && north->Expanded());
    QTest::keyClick(&widget, Qt::Key_Minus, Qt::KeypadModifier);
    EXPECT_FALSE(maps->Expanded());
    QTest::keyClick(&widget, Qt::Key_Plus, Qt::KeypadModifier);
    EXPECT_EQ(std::tuple(maps->Expanded(), tree.Selected()), std::tuple(true, maps));
    tree.SetSelected(isle);
    QTest::keyClick(&widget, Qt::Key_Backspace); // to the parent
    EXPECT_EQ(tree.Selected(), north);
}

TEST(PathTreeViewWidget, WithoutOnCompareTheNodesSortAsTheLocaleDoes)
{
    platform::qt::QtWindowSystem windowSystem;
    platform::SetWindowSystem(&windowSystem);
    TrmPathTreeView tree;
    for (const char* text : {"Zebra", "\u00E9clair", "apple", "\u00C4pfel", "eagle"})
        tree.Items().AddChild(nullptr, text);
    for (const auto& [locale, order] :
         {std::pair{QLocale::English, "\u00C4pfel\r\napple\r\neagle\r\n\u00E9clair\r\nZebra\r\n"},
          {QLocale::Swedish, "apple\r\neagle\r\n\u00E9clair\r\nZebra\r\n\u00C4pfel\r\n"}}) {
        QLocale::setDefault(QLocale(locale));
        tree.AlphaSort();
        EXPECT_EQ(TTreeStrings(tree.Items()).Text(), order);
    }
    QLocale::setDefault(QLocale::system());
    platform::SetWindowSystem(nullptr);
}
