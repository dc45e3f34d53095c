// The edits and their buttons, the speed, repeating and spin buttons, the hint window,
// the check boxes, the button combo's list and the combo box's history and completion.
#include "inspector/EditLine.h"
#include "inspector/rmBtnCombo.h"
#include "inspector/rmBtnEdit.h"
#include "inspector/rmCheckBox.h"
#include "inspector/rmComboBox.h"
#include "inspector/rmComboCalendar.h"
#include "inspector/rmHintWindow.h"
#include "inspector/rmInspectorEditors.h"
#include "inspector/rmLibraryRanges.h"
#include "inspector/rmSpeedBtns.h"
#include "inspector/rmSpinButton.h"
#include "inspector/rmSpinEdit.h"

#include "ControlInput.h"
#include "ExpectMessage.h"
#include "FakeWindowSystem.h"
#include "RecordingCanvas.h"
#include "graphics/Bitmap32List.h"
#include "graphics/ControlTestHelpers.h"
#include "graphics/SystemColorNames.h"
#include "platform/FileSystem.h"
#include "platform/ManualTimerService.h"
#include "platform/Registry.h"
#include "support/CellRasterizer.h"

#include <gtest/gtest.h>

using platform::MouseButton;
using platform::Rect;
namespace key = platform::key;
namespace shift = platform::shift;
using namespace std::string_literals;

namespace {

void Press(platform::Control& c, int32_t x = 5, int32_t y = 5)
{
    c.HostMouseDown(MouseButton::Left, shift::Left, x, y);
}

void Release(platform::Control& c, int32_t x = 5, int32_t y = 5)
{
    c.HostMouseUp(MouseButton::Left, 0, x, y);
}

// What the control paints now.
const RecordingCanvas& Painted(platform::Control& control, RecordingCanvas& canvas)
{
    canvas.Clear();
    control.HostPaint(canvas);
    return canvas;
}

// A combo box keeping its history under "Soft\Names" of the current user's root `store`.
void KeepHistoryIn(TrmComboBox& combo, platform::KeyValueStore* store, const char* path = "Soft")
{
    combo.SetRegistryRoots({nullptr, store, nullptr, nullptr});
    combo.SetRegKey(rkHKEY_CURRENT_USER);
    combo.SetRegName("Names"); // a name before its path: the path gets the separator between them
    combo.SetRegPath(path);
}

} // namespace

TEST(EditLine, TypingRespectsMaxLengthAndCharacterBoundaries)
{
    EditLine line;
    line.SetText("h\xC3\xA9llo"); // 5 characters, 6 bytes
    EXPECT_EQ(line.Length(), 5);
    line.SetSelection(1, 2);
    EXPECT_EQ(line.SelText(), "\xC3\xA9");
    line.SetMaxLength(6);
    EXPECT_TRUE(line.ReplaceSelection("ab\tcd"));  // the tab is dropped, then 2 of 4 fit
    EXPECT_EQ(line.Text(), "hab" "llo");
    EXPECT_FALSE(line.ReplaceSelection("x"));
    EXPECT_TRUE(line.DeleteBackward());
    EXPECT_EQ(line.Text(), "hallo");
    line.SetText("\xFF\x41"); // a stray byte comes in as U+FFFD
    EXPECT_EQ(line.Text(), "\xEF\xBF\xBD" "A");
    line.SetMaxLength(0);
    line.SetText("one two  three");
    EXPECT_EQ(line.WordRight(0), 4);
    EXPECT_EQ(line.WordLeft(14), 9);
    line.SelectWordAt(5);
    EXPECT_EQ(line.SelText(), "two");
}

TEST(CustomEdit, TypingClipboardReadOnlyAndClicksByMeasuredText)
{
    FakeWindowSystem ws;
    TrmCustomEdit edit;
    int changes = 0;
    edit.OnChange = [&](TObject*) { ++changes; };
    Type(edit, U"abc\b");
    EXPECT_EQ(std::tuple(edit.Text(), changes), std::tuple("ab", 4));
    Type(edit, U"\x01\x03"); // Ctrl+A, Ctrl+C
    EXPECT_EQ(ws.clipboard, "ab");
    PressKey(edit, key::End);
    Type(edit, U"\x16");
    EXPECT_EQ(edit.Text(), "abab");
    edit.SetReadOnly(true);
    Type(edit, U"x\b\x16");
    EXPECT_EQ(std::tuple(edit.Text(), ws.beeps), std::tuple("abab", 2));
    edit.SetReadOnly(false);
    edit.SetPasswordChar(U'*');
    ws.clipboard.clear();
    edit.SelectAll();
    Type(edit, U"\x03");
    EXPECT_EQ(ws.clipboard, "") << "hidden text must not reach the clipboard";
    edit.SetPasswordChar(0);
    edit.SetText("abcdef");
    RecordingCanvas canvas; // 6 pixels a character
    edit.HostPaint(canvas);
    // Border 2, margin 1: the boundary after "ab" lies at x = 2 + 1 + 12.
    ClickAt(edit, 15, 5, 27, 5);
    EXPECT_EQ(std::tuple(edit.SelStart(), edit.SelText()), std::tuple(2, "cd"));
    // Read right to left (so too the button edits and combo boxes built on it), the text ends
    // 1 pixel in from the right border, its runs read so, and the mouse finds its positions.
    edit.SetBiDiMode(bdRightToLeft); // "ab", "cd" (selected) and "ef" from x 82 to 121 - 3
    EXPECT_EQ(Painted(edit, canvas).rightToLeftTexts.at(2).X, edit.Width() - 3);
    ClickAt(edit, 82 + 18, 5, 82 + 30, 5);
    EXPECT_EQ(edit.SelText(), "de");
    edit.SetBiDiMode(bdLeftToRight); // a long text ended: only what shows is drawn, and clicks find places in it
    edit.SetText(std::string(5000, 'a') + "xyz");
    PressKey(edit, key::End);
    EXPECT_EQ(Painted(edit, canvas).texts.back().Chars, std::string(16, 'a') + "xyz");
    ClickAt(edit, 3 + 6 * 17, 5);
    EXPECT_EQ(edit.SelStart(), 5001);
}

TEST(BtnEdit, ButtonClickFiresItsEventAndNoClickOfTheEdit)
{
    FakeWindowSystem ws;
    TrmBtnEdit edit;
    edit.SetBounds(0, 0, 100, 21);
    edit.SetReadOnly(true);
    int btn1 = 0, editClicks = 0;
    edit.OnBtn1Click = [&](TObject* sender) {
        EXPECT_EQ(sender, &edit);
        ++btn1;
    };
    edit.OnClick = [&](TObject*) { ++editClicks; };
    ClickAt(edit, 85, 10);
    EXPECT_EQ(std::pair(btn1, editClicks), std::pair(1, 0));
    ClickAt(edit, 20, 10);
    EXPECT_EQ(std::pair(btn1, editClicks), std::pair(1, 1));
    PressKey(edit, key::Return, shift::Ctrl);
    EXPECT_EQ(btn1, 2);
    ws.clipboard = "pasted"; // read-only: paste is ignored
    Type(edit, U"\x16");
    EXPECT_EQ(edit.Text(), "");
    edit.SetBtn1Enabled(false); // a disabled button cannot be clicked from the keyboard
    PressKey(edit, key::Return, shift::Ctrl);
    EXPECT_EQ(btn1, 2);
}

TEST(BtnEdit, WithAutoSizeTheHeightIsTheFontsLineWithBorderAndMarginsAndFollowsTheParentsFont)
{
    CellRasterizer cells; // lines of 13 pixels at 8 points, one more a point
    TrmBtnEdit btnEdit;
    TrmSpinEdit spinEdit;
    TrmComboCalendar calendar;
    for (TCustomEdit* edit : std::initializer_list<TCustomEdit*>{&btnEdit, &spinEdit, &calendar}) {
        platform::Control parent;
        platform::ChildControls children(parent);
        children.Add(*edit);
        edit->SetAutoSize(true);
        const int32_t sunken = edit->Height();
        parent.SetFont(platform::FontSpec{"", 12});
        const int32_t followed = edit->Height();
        edit->SetCtl3D(false);
        const int32_t flat = edit->Height();
        edit->SetFont(platform::FontSpec{"", 8}); // its own font from now on
        parent.SetFont(platform::FontSpec{"", 20});
        EXPECT_EQ(std::tuple(sunken, followed, flat, edit->Height()), std::tuple(21, 25, 23, 19)) << edit->ClassName();
    }
}

TEST(SpinEdit, RangeClampsAndDisablesTheEndHalves)
{
    TrmSpinEdit spin;
    spin.SetMaxValue(10);
    spin.SetUseRanges(true);
    spin.SetText("10");
    spin.SetMaxValue(10); // refreshes the halves
    EXPECT_FALSE(spin.Button().UpEnabled());
    PressKey(spin, key::Up);
    EXPECT_EQ(spin.Text(), "10");
    PressKey(spin, key::Down);
    EXPECT_EQ(std::tuple(spin.Text(), spin.Button().UpEnabled()), std::tuple("9", true));
    spin.SetMaxValue(-1); // below MinValue 0: ignored
    spin.SetMinValue(11);
    EXPECT_EQ(std::pair(spin.MaxValue(), spin.MinValue()), std::pair(10, 0));
    spin.SetFocus();
    spin.SetText("99");
    spin.HostFocusChanged(false);
    EXPECT_EQ(spin.Text(), "10");
    spin.SetFocus();
    spin.SetText("abc");
    ExpectThrowWithMessage<EConvertError>([&] { spin.HostFocusChanged(false); }, "'abc' is not a valid integer value");
    TrmSafeSpinEdit safe; // stops at the 32-bit limits too, and steps a half-typed text as an empty one
    const std::tuple<const char*, platform::KeyCode, const char*> steps[] = {
        {"2147483647", key::Up, "2147483647"}, {"-2147483648", key::Down, "-2147483648"}, {"-", key::Up, "1"}};
    for (const auto& [text, pressed, stepped] : steps) {
        safe.SetText(text);
        PressKey(safe, pressed);
        EXPECT_EQ(safe.Text(), stepped) << text;
    }
}

TEST(SpinEdit, OnlyDigitsAndMinusAreTyped)
{
    FakeWindowSystem ws;
    TrmSpinEdit spin;
    spin.SetText("");
    Type(spin, U"1a-2\r");
    EXPECT_EQ(std::tuple(spin.Text(), ws.beeps), std::tuple("1-2", 2));
    spin.SetEditorEnabled(false);
    Type(spin, U"3\b");
    EXPECT_EQ(spin.Text(), "1-2");
    spin.SetReadOnly(true);
    PressKey(spin, key::Up);
    EXPECT_EQ(ws.beeps, 5);
}

TEST(SpeedButton, StyleRulesRefuseWhatTheStyleCannotShow)
{
    TrmSpeedButton menu, combo, plain;
    menu.SetStyle(sbsMenu);
    menu.SetGroupIndex(3);
    menu.SetDown(true);
    EXPECT_EQ(std::tuple(menu.GroupIndex(), menu.Down()), std::tuple(0, false));
    combo.SetFlat(true);
    combo.SetStyle(sbsComboButton);
    EXPECT_FALSE(combo.Flat());
    combo.SetFlat(true);
    combo.SetTransparent(true);
    EXPECT_FALSE(combo.Flat() || combo.Transparent());
    plain.SetNumGlyphs(6);
    plain.SetMargin(-2);
    EXPECT_EQ(std::pair(plain.NumGlyphs(), plain.Margin()), std::pair(4, -1));
}

TEST(SpeedButton, LayoutPlacesGlyphAndCaption)
{
    // 23 x 22 client, 16 x 16 glyph, 30 x 13 caption, glyph left, centred, spacing 4:
    // total 50, margin (23 - 50 + 1) / 2 = -13.
    TButtonPlacement p = CalcButtonLayout({0, 0, 23, 22}, {1, 1}, {16, 16}, {30, 13}, blGlyphLeft, -1, 4, false);
    EXPECT_EQ(p.GlyphPos, (platform::Point{-13 + 1, 3 + 1}));
    EXPECT_EQ(p.TextBounds, (Rect{7 + 1, 5 + 1, 37 + 1, 18 + 1}));
    // Spacing -1 shares the free space in three: (100 - 46) / 3 = 18.
    p = CalcButtonLayout({0, 0, 100, 20}, {0, 0}, {16, 16}, {30, 13}, blGlyphRight, -1, -1, false);
    EXPECT_EQ(std::tuple(p.GlyphPos.X, p.TextBounds.Left), std::tuple(100 - 18 - 16, 66 - 18 - 30));
    // Right to left swaps the sides; no caption means no spacing.
    p = CalcButtonLayout({0, 0, 40, 20}, {0, 0}, {16, 16}, {0, 0}, blGlyphRight, 2, 4, true);
    EXPECT_EQ(std::tuple(p.GlyphPos.X, p.TextBounds.Left), std::tuple(2, 18));
    // A button reads as its parent does, or by its own BiDiMode: right to left, the caption
    // is read so in the mirror image of its place.
    platform::Control parent;
    TrmSpeedButton button;
    platform::ChildControls children(parent);
    TBitmap32 glyph;
    glyph.SetSize(16, 16);
    button.SetGlyph(&glyph);
    button.SetCaption("Go");
    children.Add(button);
    RecordingCanvas canvas;
    const int32_t left = Painted(button, canvas).texts.at(0).X;
    parent.SetBiDiMode(bdRightToLeft);
    EXPECT_EQ(Painted(button, canvas).rightToLeftTexts.at(0).X, button.Width() - left);
    button.SetBiDiMode(bdLeftToRight);
    EXPECT_EQ(Painted(button, canvas).texts.at(0).X, left);
}

TEST(SpeedButton, AClickIsAReleaseInsideAndAGroupKeepsOneButtonDown)
{
    TrmSpeedButton a, b;
    int clicks = 0;
    b.OnClick = [&](TObject*) { ++clicks; };
    Press(b);
    EXPECT_EQ(b.State(), bsDown);
    b.HostMouseMove(shift::Left, 50, 5);
    EXPECT_EQ(b.State(), bsUp);
    Release(b, 50, 5);
    EXPECT_EQ(clicks, 0);
    platform::Control parent; // the group: the buttons of one parent with one GroupIndex
    TrmSpeedButton other;
    platform::ChildControls children(parent);
    for (TrmSpeedButton* x : {&a, &b, &other}) {
        children.Add(*x);
        x->SetGroupIndex(x == &other ? 2 : 1);
    }
    other.SetDown(true);
    a.SetDown(true);
    b.SetDown(true);
    EXPECT_EQ(std::tuple(a.Down(), other.Down()), std::tuple(false, true));
    b.SetAllowAllUp(true);
    EXPECT_EQ(std::tuple(a.AllowAllUp(), other.AllowAllUp()), std::tuple(true, false));
    b.SetAllowAllUp(false);
    ClickAt(b, 5, 5); // without AllowAllUp a click on the down button leaves it down
    EXPECT_EQ(std::tuple(clicks, b.Down()), std::tuple(1, true));
    EXPECT_EQ(b.State(), bsExclusive);
}

TEST(SpeedButton, FollowsItsActionAndAClickExecutesIt)
{
    ManualTimerService timers;
    platform::Action action;
    int runs = 0;
    action.OnExecute = [&](TObject*) { ++runs; };
    action.SetCaption("Go");
    action.SetHint("Runs it");
    action.SetChecked(true);
    TBitmap32List images; // two images 2 x 1: see-through, then one opaque pixel
    for (TColor32 ink : {0xFF102030u, 0xFF405060u}) {
        TBitmap32* image = images.Bitmaps()->Add()->Bitmap();
        image->SetSize(2, 1);
        image->Clear(0);
        image->SetPixel(1, 0, ink);
    }
    action.SetImages(&images);
    action.SetImageIndex(1);
    TrmSpeedButton button;
    button.SetGroupIndex(1);
    button.SetAllowAllUp(true);
    button.SetNumGlyphs(2);
    button.SetAction(&action);
    const auto shown = [&] {
        const TColor32* glyph = button.Glyph().Bits();
        return std::tuple(button.Caption(), button.Hint(), button.Down(), button.Enabled(), button.Visible(),
                          std::vector(glyph, glyph + button.Glyph().Width() * button.Glyph().Height()));
    };
    const TColor32 fuchsia = 0xFFFF00FF;
    EXPECT_EQ(shown(), std::tuple("Go"s, "Runs it"s, true, true, true, std::vector{fuchsia, 0xFF405060u}));
    EXPECT_EQ(button.NumGlyphs(), 1);
    FakeHost host(button);
    button.SetShowHint(true); // the action's hint shows when the mouse rests
    button.HostMouseMove(0, 2, 3);
    timers.Advance(500);
    EXPECT_EQ(host.hint, "Runs it");
    ClickAt(button, 5, 5);
    EXPECT_EQ(runs, 1);
    action.SetCaption("Stop");
    action.SetChecked(false);
    action.SetChecked(true);
    action.SetEnabled(false);
    action.SetVisible(false);
    action.SetImageIndex(0);
    EXPECT_EQ(shown(), std::tuple("Stop"s, "Runs it"s, true, false, false, std::vector{fuchsia, 0xFF102030u}));
    action.SetImageIndex(-1); // the image taken from the action goes with it
    EXPECT_TRUE(button.Glyph().Empty());
    EXPECT_FALSE(action.Execute());
    {
        platform::Action gone;
        button.SetAction(&gone);
    }
    EXPECT_EQ(button.Action(), nullptr);
}

TEST(SpeedButton, MenuPartPressPopsTheMenuAndIsNoClick)
{
    struct Menu : TPopupMenu {
        void Popup(int32_t X, int32_t Y) override { at.push_back({X, Y}); }
        std::vector<platform::Point> at;
    } menu;
    TrmSpeedButton b;
    b.SetStyle(sbsMenu);
    b.SetDropDownMenu(&menu);
    int clicks = 0;
    b.OnClick = [&](TObject*) { ++clicks; };
    Press(b, 20, 5); // the menu part is the rightmost 11 pixels of 23
    EXPECT_EQ(b.State(), bsMenu);
    b.HostMouseMove(shift::Left, 3, 5); // over the main part: shown up
    EXPECT_EQ(b.State(), bsUp);
    b.HostMouseMove(shift::Left, 20, 5);
    Release(b, 20, 5);
    EXPECT_EQ(std::tuple(menu.at, clicks), std::tuple(std::vector<platform::Point>{(platform::Point{0, 22})}, 0));
    ClickAt(b, 3, 5);
    EXPECT_EQ(clicks, 1);
}

TEST(TimerSpeedButton, RepeatsAfter400ThenEvery100WhileShownPressed)
{
    ManualTimerService timers;
    TrmTimerSpeedButton b;
    b.SetTimeBtnState(tbAllowTimer);
    int clicks = 0;
    b.OnClick = [&](TObject*) { ++clicks; };
    ClickAt(b, 5, 5);
    timers.Advance(1000);
    EXPECT_EQ(clicks, 1);
    clicks = 0;
    Press(b);
    // Clicks after each step of time; off the button no repeats, but the timer runs on.
    const std::tuple<int32_t, int32_t, int> steps[] = {{5, 399, 0}, {5, 1, 1}, {5, 300, 4}, {50, 300, 4}, {5, 100, 5}};
    for (const auto& [x, ms, expected] : steps) {
        b.HostMouseMove(shift::Left, x, 5);
        timers.Advance(ms);
        EXPECT_EQ(clicks, expected) << x << " after " << ms;
    }
    Release(b);
    EXPECT_EQ(clicks, 6); // the release inside counts too
    timers.Advance(1000);
    EXPECT_EQ(clicks, 6);
}

TEST(SpinButton, HalvesFollowTheHeightAndTakeClicksAndKeys)
{
    TrmSpinButton s;
    s.SetBounds(0, 0, 10, 25);
    EXPECT_EQ(s.Width(), 15); // at least 15 wide
    EXPECT_EQ(s.UpButton().BoundsRect(), (Rect{0, 0, 15, 12}));
    EXPECT_EQ(s.DownButton().BoundsRect(), (Rect{0, 12, 15, 25}));
    s.SetBounds(0, 0, 15, 20);
    int up = 0, down = 0;
    s.OnUpClick = [&](TObject*) { ++up; };
    s.OnDownClick = [&](TObject*) { ++down; };
    ClickAt(s, 5, 3);
    ClickAt(s, 5, 15);
    platform::KeyCode k = key::Up;
    s.HostKeyDown(k, 0);
    EXPECT_EQ(std::pair(up, down), std::pair(2, 1));
    auto focusControl = std::make_unique<platform::Control>();
    s.SetFocusControl(focusControl.get());
    focusControl.reset();
    EXPECT_EQ(s.FocusControl(), nullptr); // cleared as it goes: a press touches nothing freed
    ClickAt(s, 5, 3);
    EXPECT_EQ(up, 3);
    s.SetUpEnabled(false);
    EXPECT_FALSE(s.UpButton().Enabled());
    s.SetEnabled(false);
    EXPECT_FALSE(s.DownButton().Enabled());
    s.SetEnabled(true);
    EXPECT_EQ(std::tuple(s.UpButton().Enabled(), s.DownButton().Enabled()), std::tuple(false, true));
}

TEST(HintWindow, StaysOnTheDesktopAndPaintsWrappedTextOnInfoColour)
{
    TrmHintWindow hint;
    FakeHost host(hint);
    host.desktop = {0, 0, 800, 600};
    hint.ActivateHint({700, 590, 900, 610}, "cut off");
    EXPECT_EQ(std::tuple(hint.Visible(), hint.Activating()), std::tuple(true, false));
    EXPECT_EQ(hint.Caption(), "cut off");
    EXPECT_EQ(hint.BoundsRect(), (Rect{600, 580, 800, 600})); // moved up and left, size kept
    hint.ActivateHintData({-30, -10, 70, 10}, "above", nullptr);
    EXPECT_EQ(hint.BoundsRect(), (Rect{0, 0, 100, 20}));
    hint.ReleaseHandle();
    EXPECT_FALSE(hint.Visible());
    hint.ActivateHint({0, 0, 50, 40}, "one two three");
    platform::FontSpec red; // the text keeps the info colour whatever font it is given
    red.Color = 0xFF0000;
    hint.SetFont(red);
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
    host.origin = {100, 50};
    EXPECT_EQ(ClientRectToScreenRect(hint, {1, 2, 30, 40}), (Rect{101, 52, 130, 90}));
    EXPECT_EQ(ScreenRectToClientRect(hint, {0, 0, 130, 90}), (Rect{-100, -50, 30, 40}));
    // Paint, mouse down, double click, move, up, enter, leave, wheel, key down, up, press, focus in, out.
    std::string ending;
    for (int kind = 0; kind <= int(platform::InputEvent::AppDeactivate); ++kind)
        ending += TrmHintWindow::IsHintMsg(platform::InputEvent(kind)) ? '1' : '0';
    EXPECT_EQ(ending, "011010011110011"); // ... and the application activated, deactivated
    hint.SetBiDiMode(bdRightToLeft); // mirrored: each line read from one pixel in from the right
    const auto& mirrored = Painted(hint, canvas).rightToLeftTexts;
    EXPECT_EQ(std::pair(mirrored.at(0).X, mirrored.at(1).X), std::pair(50 - 2, 50 - 2));
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
    EXPECT_EQ(std::tuple(box.Checked(), changes), std::tuple(false, 2));
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
    EXPECT_EQ(std::tuple(box.Checked(), changes), std::tuple(true, 1));
    box.SetChecked(false); // quietly
    box.SetCheckedEx(false);
    EXPECT_EQ(changes, 1);
    box.SetCheckedEx(true);
    EXPECT_EQ(changes, 2);
    box.SetCaption("&Walls");
    EXPECT_FALSE(box.HandleAccelerator(U'x'));
    EXPECT_TRUE(box.HandleAccelerator(U'W'));
    EXPECT_EQ(std::tuple(box.Checked(), changes), std::tuple(false, 3));
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

TEST(BtnCombo, ListOpensTakesKeysAndClosesOnEnterOrOutsideClick)
{
    TrmBtnCombo combo;
    combo.SetBounds(0, 0, 100, 20);
    combo.SetComboItems({"a", "b", "c"});
    combo.SetText("a");
    int closeUps = 0, ellipsis = 0;
    combo.OnCloseUp = [&](TObject*) { ++closeUps; };
    combo.OnBtnClick = [&](TObject*) { ++ellipsis; };
    PressKey(combo, key::Down, shift::Alt);
    ASSERT_TRUE(combo.DroppedDown());
    EXPECT_EQ(combo.ListBox().BoundsRect(), (platform::Rect{0, 20, 100, 180}));
    EXPECT_EQ(std::tuple(combo.ListBox().ItemIndex(), combo.ListBox().MouseCapture()), std::tuple(0, true));
    PressKey(combo, key::Down); // goes to the list
    EXPECT_EQ(std::tuple(combo.Text(), combo.ListBox().ItemIndex()), std::tuple("a", 1));
    PressKey(combo, key::Return);
    EXPECT_FALSE(combo.DroppedDown() || combo.ListBox().MouseCapture());
    EXPECT_EQ(std::tuple(combo.Text(), closeUps), std::tuple("b", 1));
    combo.ToggleListBox();
    PressKey(combo, key::Down);
    combo.ListBox().HostMouseDown(platform::MouseButton::Left, shift::Left, -10, 300); // outside the list
    EXPECT_EQ(std::tuple(combo.DroppedDown(), combo.Text()), std::tuple(false, "b"));
    EXPECT_EQ(closeUps, 1);
    PressKey(combo, key::Return, shift::Ctrl);
    EXPECT_EQ(ellipsis, 1);
}

TEST(BtnCombo, ALongListScrollsWithItsBarAndAPressOnTheBarTakesNoItem)
{
    TrmBtnCombo combo;
    combo.SetBounds(0, 0, 100, 20);
    std::vector<std::string> items;
    for (int i = 0; i < 20; ++i)
        items.push_back("i" + std::to_string(i));
    combo.SetComboItems(items);
    combo.SetText("i0");
    combo.ToggleListBox();
    TrmCustomScreenListBox& list = combo.ListBox();
    const TrmScrollBar& bar = list.ScrollBar();
    ASSERT_TRUE(bar.Visible());
    EXPECT_EQ(bar.Max(), 20 - list.VisibleRows());
    const int32_t x = bar.Left() + bar.Width() / 2, y = bar.BoundsRect().Bottom - 4; // the down arrow
    list.HostMouseDown(platform::MouseButton::Left, shift::Left, x, y);
    list.HostMouseUp(platform::MouseButton::Left, shift::None, x, y);
    EXPECT_EQ(std::tuple(list.TopIndex(), bar.Position()), std::tuple(1, 1));
    EXPECT_EQ(std::tuple(combo.DroppedDown(), combo.Text()), std::tuple(true, "i0"));
    combo.SetComboItems({"a", "b"});
    EXPECT_FALSE(bar.Visible());
}

TEST(BtnCombo, ListOpensAboveOnlyWhenItWouldPassTheDesktopBottom)
{
    TrmBtnCombo combo;
    combo.SetBounds(0, 0, 100, 20);
    FakeHost host(combo);
    // Below the edit the list spans 20..180.
    for (const auto& [desktopBottom, listTop] : {std::pair{179, -160}, {180, 20}, {181, 20}}) {
        host.desktop = {0, 0, 800, desktopBottom};
        combo.ToggleListBox();
        EXPECT_EQ(combo.ListBox().BoundsRect(), (platform::Rect{0, listTop, 100, listTop + 160})) << desktopBottom;
        combo.ToggleListBox();
    }
}

TEST(ComboBox, OwnerDrawnStylesMeasureAndDrawEachItemAndTheChosenOne)
{
    using Drawn = std::tuple<int32_t, Rect, TOwnerDrawState>;
    constexpr TOwnerDrawState chosen = odSelected | odFocused;
    // The list is three rows of 12 high: the variable rows pass that, and its bar takes 17 pixels.
    for (const auto& [style, measured, rows, right] :
         {std::tuple{csOwnerDrawFixed, std::vector<int32_t>{}, std::vector<int32_t>{1, 13, 25, 37}, 99},
          {csOwnerDrawVariable, std::vector<int32_t>{0, 1, 2}, std::vector<int32_t>{1, 11, 26, 46}, 82}}) {
        TrmComboBox combo;
        combo.SetBounds(0, 0, 100, 20);
        combo.SetComboItems({"a", "b", "c"});
        combo.ListBox().SetItemHeight(12);
        combo.SetStyle(style);
        combo.SetItemIndex(1);
        std::vector<int32_t> asked;
        std::vector<Drawn> drawn;
        combo.OnMeasureItem = [&](TObject* Control, int32_t Index, int32_t& Height) {
            EXPECT_TRUE(Control == &combo && Height == 12);
            asked.push_back(Index);
            Height = 10 + 5 * Index;
        };
        combo.OnDrawItem = [&](TObject*, int32_t Index, const Rect& Rect, TOwnerDrawState State) {
            EXPECT_NE(combo.Canvas(), nullptr);
            drawn.emplace_back(Index, Rect, State);
        };
        combo.ToggleListBox(); // measured as the list opens
        EXPECT_EQ(asked, measured);
        RecordingCanvas canvas;
        combo.ListBox().HostPaint(canvas);
        EXPECT_EQ(drawn, (std::vector<Drawn>{{0, {1, rows[0], right, rows[1]}, 0},
                                             {1, {1, rows[1], right, rows[2]}, chosen},
                                             {2, {1, rows[2], right, rows[3]}, 0}}));
        EXPECT_EQ(combo.ListBox().ItemAt(rows[2] - 1), 1);
        drawn.clear();
        combo.HostPaint(canvas); // the chosen item in the text field, left of the button
        EXPECT_EQ(drawn, (std::vector<Drawn>{{1, {2, 2, 81, 18}, odComboBoxEdit | chosen}}));
        EXPECT_EQ(combo.Canvas(), nullptr);
    }
}

TEST(ComboBox, HistoryMovesCommittedTextsToTheTopAndSavesMaxHistoryLines)
{
    platform::KeyValueStore store;
    TrmComboBox combo, reader;
    KeepHistoryIn(combo, &store, "Soft\\");
    combo.SetMRUCombo(true);
    for (int i = 0; i < 25; ++i)
        combo.InsertText("t" + std::to_string(i));
    combo.InsertText("t3");
    ASSERT_EQ(combo.History().size(), 25u);
    EXPECT_EQ(combo.History()[0], "t3");
    EXPECT_EQ(combo.History()[1], "t24");
    EXPECT_TRUE(store.ValueExists("Soft\\Names", "Item_19"));
    EXPECT_FALSE(store.ValueExists("Soft\\Names", "Item_20"));
    KeepHistoryIn(reader, &store);
    reader.SetMRUCombo(true);
    reader.Loaded();
    ASSERT_EQ(reader.Items().size(), 20u);
    EXPECT_EQ(reader.Items()[0], "t3");
}

TEST(ComboBox, SortedItemsInDropDownCountRowsAndNonEmptyCommitsShownAsItemsAndCleared)
{
    platform::KeyValueStore store;
    TrmComboBox combo;
    combo.SetRegistryRoots({&store, nullptr, nullptr, nullptr});
    combo.SetRegPath("Soft");
    combo.SetRegName("Names");
    combo.SetComboItems({"b", "C", "a"});
    combo.SetSorted(true);
    EXPECT_EQ(combo.Items(), (std::vector<std::string>{"a", "b", "C"}));
    TrmCustomScreenListBox& list = combo.ListBox();
    for (const auto& [count, rows] : {std::pair{2, 2}, {8, 3}}) { // rows for the items, at most DropDownCount
        combo.SetDropDownCount(count);
        combo.ToggleListBox();
        EXPECT_EQ(list.Height(), rows * list.ItemHeight() + 2) << count;
        combo.ToggleListBox();
    }
    combo.SetMRUCombo(true);
    for (const char* text : {"typed", "", "zed"})
        combo.InsertText(text);
    EXPECT_EQ(combo.History(), (std::vector<std::string>{"zed", "typed"}));
    EXPECT_EQ(combo.Items(), (std::vector<std::string>{"typed", "zed"})); // the history, sorted
    combo.ClearHistory();
    combo.ToggleListBox(); // dropping down loads what was saved
    EXPECT_TRUE(combo.History().empty());
    EXPECT_FALSE(store.ValueExists("Soft\\Names", "Item_0"));
}

// With no store of its own the combo box keeps its history in the registry of the run,
// whose store files outlive it: the next run's combo box loads what this one committed.
TEST(ComboBox, HistoryOutlivesTheRunInTheRegistrysStoreFile)
{
    platform::TemporaryFolder config;
    ASSERT_TRUE(config.Valid()) << config.Error();
    std::vector<std::string> reports;
    for (const bool firstRun : {true, false}) {
        platform::Registry registry(config.Path(), [&](const std::string& message) { reports.push_back(message); });
        platform::SetRegistry(&registry);
        TrmComboBox combo;
        KeepHistoryIn(combo, nullptr);
        combo.SetMRUCombo(true);
        if (firstRun) {
            for (const char* text : {"alpha", "beta", "alpha"})
                combo.InsertText(text);
        } else {
            combo.Loaded();
            EXPECT_EQ(combo.Items(), (std::vector<std::string>{"alpha", "beta"}));
        }
        platform::SetRegistry(nullptr);
    }
    EXPECT_TRUE(reports.empty());
}

TEST(ComboBox, EscapeGoesBackEnterCommitsAndCompletionFillsInTheFirstMatch)
{
    TrmComboBox combo;
    combo.SetMRUCombo(true);
    combo.SetText("first");
    combo.SetFocus();
    Type(combo, U"x\x1B", true);
    EXPECT_EQ(combo.Text(), "first");
    Type(combo, U"y\r", true);
    EXPECT_EQ(combo.History().front(), "y");
    TrmComboBox completing;
    completing.SetTextCompletion(true);
    completing.SetComboItems({"Green", "Grey", "Blue"});
    Type(completing, U"gr", true);
    EXPECT_EQ(std::tuple(completing.Text(), completing.SelText()), std::tuple("Green", "een"));
    PressKey(completing, key::Down); // the next match of the typed part
    EXPECT_EQ(std::tuple(completing.Text(), completing.SelText()), std::tuple("Grey", "ey"));
    PressKey(completing, key::Right);
    EXPECT_EQ(std::tuple(completing.SelLength(), completing.SelStart()), std::tuple(0, 4));
}
