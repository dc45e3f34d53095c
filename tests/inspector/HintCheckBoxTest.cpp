#include "inspector/rmCheckBox.h"
#include "inspector/rmHintWindow.h"

#include "RecordingCanvas.h"
#include "graphics/ControlTestHelpers.h"
#include "graphics/SystemColorNames.h"

#include <gtest/gtest.h>

namespace {

void ClickAt(platform::Control& control, int32_t x, int32_t y, int32_t releaseX, int32_t releaseY)
{
    control.HostMouseDown(platform::MouseButton::Left, platform::shift::Left, x, y);
    control.HostMouseMove(platform::shift::Left, releaseX, releaseY);
    control.HostMouseUp(platform::MouseButton::Left, platform::shift::None, releaseX, releaseY);
}

void PressSpace(platform::Control& control)
{
    platform::KeyCode key = platform::key::Space;
    control.HostKeyDown(key, platform::shift::None);
    key = platform::key::Space;
    control.HostKeyUp(key, platform::shift::None);
}

} // namespace

TEST(HintWindow, StaysOnTheDesktop)
{
    TrmHintWindow hint;
    FakeHost host(hint);
    host.desktop = {0, 0, 800, 600};
    EXPECT_FALSE(hint.Visible());
    hint.ActivateHint({700, 590, 900, 610}, "cut off");
    EXPECT_TRUE(hint.Visible());
    EXPECT_FALSE(hint.Activating());
    EXPECT_EQ(hint.Caption(), "cut off");
    EXPECT_EQ(hint.BoundsRect(), (platform::Rect{600, 580, 800, 600})); // moved up and left, size kept
    hint.ActivateHintData({-30, -10, 70, 10}, "above", nullptr);
    EXPECT_EQ(hint.BoundsRect(), (platform::Rect{0, 0, 100, 20}));
    hint.ActivateHint({100, 100, 200, 120}, "inside");
    EXPECT_EQ(hint.BoundsRect(), (platform::Rect{100, 100, 200, 120}));
    hint.ReleaseHandle();
    EXPECT_FALSE(hint.Visible());
}

TEST(HintWindow, PaintsEdgeInfoColourAndWrappedText)
{
    TrmHintWindow hint;
    hint.ActivateHint({0, 0, 50, 40}, "one two three");
    RecordingCanvas canvas;
    hint.HostPaint(canvas);
    ASSERT_EQ(canvas.fills.size(), 1u);
    EXPECT_EQ(canvas.fills[0].Area, (platform::Rect{1, 1, 49, 39}));
    EXPECT_EQ(canvas.fills[0].Color, CanvasColorOf(clInfoBk));
    ASSERT_EQ(canvas.texts.size(), 2u); // 47 pixels hold seven characters a line
    EXPECT_EQ(canvas.texts[0].X, 2);
    EXPECT_EQ(canvas.texts[0].Chars, "one two");
    EXPECT_EQ(canvas.texts[1].Chars, "three");
    EXPECT_EQ(canvas.texts[0].Color, CanvasColorOf(clInfoText));

    const platform::Rect measured = hint.CalcHintRect(canvas, 300, "&abc", nullptr);
    EXPECT_EQ(measured, (platform::Rect{0, 0, 24, 13})); // no prefix processing, no margins
}

TEST(CheckBox, DefaultsAndGeometry)
{
    TrmCheckBox box;
    EXPECT_EQ(box.Width(), 90);
    EXPECT_EQ(box.Height(), 17);
    EXPECT_TRUE(box.TabStop());
    EXPECT_EQ(box.Color(), CanvasColorOf(clBtnFace));
    EXPECT_EQ(box.CBXRect(), (platform::Rect{3, 2, 16, 15}));
    box.SetCBXAlignment(cbxRight);
    EXPECT_EQ(box.CBXRect(), (platform::Rect{74, 2, 87, 15}));
    box.SetCBXAlignment(cbxCentered);
    EXPECT_EQ(box.CBXRect(), (platform::Rect{39, 2, 52, 15}));
    EXPECT_EQ(box.CaptionRect(), box.CBXRect());

    box.SetCBXAlignment(cbxLeft);
    box.SetCaption("Moat");
    RecordingCanvas canvas;
    box.HostPaint(canvas);
    EXPECT_EQ(box.CaptionRect(), (platform::Rect{23, 2, 47, 15}));
    box.SetCBXAlignment(cbxRight);
    EXPECT_EQ(box.CaptionRect(), (platform::Rect{46, 2, 70, 15}));
}

TEST(CheckBox, ClicksToggleOnlyOverBoxOrCaption)
{
    TrmCheckBox box;
    FakeHost host(box);
    box.SetCaption("Moat");
    RecordingCanvas canvas;
    box.HostPaint(canvas);
    int changes = 0, clicks = 0;
    box.OnChange = [&](TObject*) { ++changes; };
    box.OnClick = [&](TObject*) { ++clicks; };

    ClickAt(box, 8, 8, 8, 8); // on the box
    EXPECT_TRUE(box.Checked());
    EXPECT_TRUE(box.Focused());
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(clicks, 1);

    ClickAt(box, 80, 8, 80, 8); // right of the caption
    EXPECT_TRUE(box.Checked());
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(clicks, 1);

    ClickAt(box, 30, 8, 80, 8); // pressed on the caption, released beside it
    EXPECT_TRUE(box.Checked());
    EXPECT_EQ(changes, 1);

    ClickAt(box, 30, 8, 40, 9); // on the caption
    EXPECT_FALSE(box.Checked());
    EXPECT_EQ(changes, 2);

    box.SetEnabled(false);
    ClickAt(box, 8, 8, 8, 8);
    EXPECT_FALSE(box.Checked());
}

TEST(CheckBox, SpaceAcceleratorAndSetters)
{
    TrmCheckBox box;
    FakeHost host(box);
    int changes = 0;
    box.OnChange = [&](TObject*) { ++changes; };
    PressSpace(box);
    EXPECT_TRUE(box.Checked());
    EXPECT_EQ(changes, 1);

    platform::KeyCode key = platform::key::Space;
    box.HostKeyDown(key, platform::shift::Ctrl); // not with a shift key
    key = platform::key::Space;
    box.HostKeyUp(key, platform::shift::Ctrl);
    EXPECT_TRUE(box.Checked());

    box.SetChecked(false); // quietly
    EXPECT_EQ(changes, 1);
    box.SetCheckedEx(false);
    EXPECT_EQ(changes, 1);
    box.SetCheckedEx(true);
    EXPECT_EQ(changes, 2);

    box.SetCaption("&Walls");
    EXPECT_FALSE(box.HandleAccelerator(U'x'));
    EXPECT_TRUE(box.HandleAccelerator(U'W'));
    EXPECT_FALSE(box.Checked());
    EXPECT_EQ(changes, 3);
}

TEST(CheckBox, CaptionTrueFalseFollowsTheState)
{
    TrmCheckBox box;
    FakeHost host(box);
    box.SetCaption("ignored");
    box.SetCaptionTrueFalse(true);
    RecordingCanvas canvas;
    box.HostPaint(canvas);
    ASSERT_FALSE(canvas.texts.empty());
    EXPECT_EQ(canvas.texts.back().Chars, "False");
    EXPECT_TRUE(canvas.focusRects.empty());
    box.SetFocus();
    PressSpace(box);
    canvas.Clear();
    box.HostPaint(canvas);
    EXPECT_EQ(canvas.texts.back().Chars, "True");
    EXPECT_EQ(canvas.texts.back().X, 23);
    ASSERT_EQ(canvas.focusRects.size(), 1u);
    EXPECT_EQ(canvas.focusRects[0], (platform::Rect{21, 0, 49, 17}));
}

TEST(CheckBox, BackgroundAndCentredFocus)
{
    TrmCheckBox box;
    FakeHost host(box);
    box.SetFillBackground(true);
    box.SetBackgroundColor(0x00112233);
    box.SetCBXAlignment(cbxCentered);
    box.SetCaption("Hidden");
    box.SetFocus();
    RecordingCanvas canvas;
    box.HostPaint(canvas);
    ASSERT_FALSE(canvas.fills.empty());
    EXPECT_EQ(canvas.fills[0].Color, 0x00332211u);
    EXPECT_TRUE(canvas.texts.empty());
    ASSERT_EQ(canvas.focusRects.size(), 1u);
    EXPECT_EQ(canvas.focusRects[0], (platform::Rect{37, 0, 54, 17}));
    box.SetShowFocusRect(false);
    canvas.Clear();
    box.HostPaint(canvas);
    EXPECT_TRUE(canvas.focusRects.empty());
}

TEST(CheckBoxEx, ValueCyclesAndShowsItsText)
{
    TrmCheckBoxEx box;
    FakeHost host(box);
    std::vector<TCBExState> seen;
    box.OnChange = [&](TObject*) { seen.push_back(box.Value()); };
    EXPECT_EQ(box.Value(), cbxUndefined);
    box.SetValue(cbxUndefined);
    EXPECT_EQ(box.Value(), cbxUndefined);

    PressSpace(box);
    EXPECT_EQ(box.Value(), cbxTrue);
    EXPECT_EQ(seen.back(), cbxTrue); // the last change event sees the new value
    PressSpace(box);
    EXPECT_EQ(box.Value(), cbxFalse);
    PressSpace(box);
    EXPECT_EQ(box.Value(), cbxTrue); // without FullMode the undefined state is skipped
    box.SetFullMode(true);
    PressSpace(box);
    PressSpace(box);
    EXPECT_EQ(box.Value(), cbxUndefined);

    box.SetFullMode(false);
    box.SetValue(cbxFalse);
    box.SetValue(cbxUndefined);
    EXPECT_EQ(box.Value(), cbxTrue);

    TrmCheckBoxExStrings texts;
    texts.SetTrueState("present");
    texts.SetFalseState("not present");
    texts.SetUndefined("");
    box.SetStrings(texts);
    EXPECT_EQ(box.Strings().TrueState(), "present");
    RecordingCanvas canvas;
    box.HostPaint(canvas);
    EXPECT_EQ(canvas.texts.back().Chars, "present");
}

TEST(CheckBoxEx, UndefinedAndDisabledBoxesAreGreyed)
{
    TrmCheckBoxEx box;
    RecordingCanvas canvas;
    const platform::Rect inside{5, 4, 14, 13};
    auto interior = [&] {
        for (const auto& fill : canvas.fills)
            if (fill.Area == inside)
                return fill.Color;
        return platform::CanvasColor(0x12345678);
    };
    box.HostPaint(canvas);
    EXPECT_EQ(interior(), CanvasColorOf(clBtnFace)); // undefined
    box.SetValue(cbxTrue);
    canvas.Clear();
    box.HostPaint(canvas);
    EXPECT_EQ(interior(), CanvasColorOf(clWindow));
    box.SetEnabled(false);
    canvas.Clear();
    box.HostPaint(canvas);
    EXPECT_EQ(interior(), CanvasColorOf(clBtnFace));
    box.SetAlwaysLight(true);
    canvas.Clear();
    box.HostPaint(canvas);
    EXPECT_EQ(interior(), CanvasColorOf(clWindow));
}
