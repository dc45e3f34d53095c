// The hint window's place and painting, and the two- and three-state check boxes: where
// they take clicks, their keys, captions, focus rectangles and greyed states.
#include "inspector/rmCheckBox.h"
#include "inspector/rmHintWindow.h"

#include "ControlInput.h"
#include "RecordingCanvas.h"
#include "graphics/ControlTestHelpers.h"
#include "graphics/SystemColorNames.h"

#include <gtest/gtest.h>

using platform::Rect;

namespace {

// What the control paints now.
const RecordingCanvas& Painted(platform::Control& control, RecordingCanvas& canvas)
{
    canvas.Clear();
    control.HostPaint(canvas);
    return canvas;
}

} // namespace

TEST(HintWindow, StaysOnTheDesktopAndPaintsWrappedTextOnInfoColour)
{
    TrmHintWindow hint;
    FakeHost host(hint);
    host.desktop = {0, 0, 800, 600};
    hint.ActivateHint({700, 590, 900, 610}, "cut off");
    EXPECT_TRUE(hint.Visible());
    EXPECT_FALSE(hint.Activating());
    EXPECT_EQ(hint.Caption(), "cut off");
    EXPECT_EQ(hint.BoundsRect(), (Rect{600, 580, 800, 600})); // moved up and left, size kept
    hint.ActivateHintData({-30, -10, 70, 10}, "above", nullptr);
    EXPECT_EQ(hint.BoundsRect(), (Rect{0, 0, 100, 20}));
    hint.ActivateHint({100, 100, 200, 120}, "inside");
    EXPECT_EQ(hint.BoundsRect(), (Rect{100, 100, 200, 120}));
    hint.ReleaseHandle();
    EXPECT_FALSE(hint.Visible());
    hint.ActivateHint({0, 0, 50, 40}, "one two three");
    RecordingCanvas canvas;
    Painted(hint, canvas);
    ASSERT_EQ(canvas.fills.size(), 1u);
    EXPECT_EQ(canvas.fills[0].Area, (Rect{1, 1, 49, 39}));
    EXPECT_EQ(canvas.fills[0].Color, CanvasColorOf(clInfoBk));
    ASSERT_EQ(canvas.texts.size(), 2u); // 47 pixels hold seven characters a line
    EXPECT_EQ(canvas.texts[0].X, 2);
    EXPECT_EQ(canvas.texts[0].Chars + "|" + canvas.texts[1].Chars, "one two|three");
    EXPECT_EQ(canvas.texts[0].Color, CanvasColorOf(clInfoText));
    EXPECT_EQ(hint.CalcHintRect(canvas, 300, "&abc", nullptr), (Rect{0, 0, 24, 13})); // no prefix, no margins
}

TEST(CheckBox, ClicksToggleOnlyOverBoxOrCaption)
{
    TrmCheckBox box;
    FakeHost host(box);
    box.SetCaption("Moat");
    RecordingCanvas canvas;
    Painted(box, canvas);
    int changes = 0, clicks = 0;
    box.OnChange = [&](TObject*) { ++changes; };
    box.OnClick = [&](TObject*) { ++clicks; };
    ClickAt(box, 8, 8, 8, 8); // on the box
    EXPECT_TRUE(box.Checked() && box.Focused());
    EXPECT_EQ(changes + clicks, 2);
    ClickAt(box, 80, 8, 80, 8); // right of the caption
    ClickAt(box, 30, 8, 80, 8); // pressed on the caption, released beside it
    EXPECT_TRUE(box.Checked());
    EXPECT_EQ(changes + clicks, 2);
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
    PressKey(box, platform::key::Space, 0, true);
    EXPECT_TRUE(box.Checked());
    PressKey(box, platform::key::Space, platform::shift::Ctrl, true); // not with a shift key
    EXPECT_TRUE(box.Checked());
    EXPECT_EQ(changes, 1);
    box.SetChecked(false); // quietly
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

TEST(CheckBoxEx, ValueCyclesAndShowsItsText)
{
    TrmCheckBoxEx box;
    FakeHost host(box);
    std::vector<TCBExState> seen, values;
    box.OnChange = [&](TObject*) { seen.push_back(box.Value()); };
    box.SetValue(cbxUndefined);
    for (const bool fullMode : {false, false, false, true, true}) { // without FullMode undefined is skipped
        box.SetFullMode(fullMode);
        PressKey(box, platform::key::Space, 0, true);
        values.push_back(box.Value());
        EXPECT_EQ(seen.back(), values.back()); // the last change event sees the new value
    }
    EXPECT_EQ(values, (std::vector<TCBExState>{cbxTrue, cbxFalse, cbxTrue, cbxFalse, cbxUndefined}));
    box.SetFullMode(false);
    box.SetValue(cbxFalse);
    box.SetValue(cbxUndefined);
    EXPECT_EQ(box.Value(), cbxTrue);
    TrmCheckBoxExStrings texts;
    texts.SetTrueState("present");
    box.SetStrings(texts);
    RecordingCanvas canvas;
    EXPECT_EQ(Painted(box, canvas).texts.back().Chars, "present");
}
