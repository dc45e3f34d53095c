// Speed buttons: the style rules, glyph and caption placement, groups, the repeating
// button's timing and the spin button's halves.
#include "inspector/rmSpeedBtns.h"
#include "inspector/rmSpinButton.h"
#include "platform/ManualTimerService.h"

#include <gtest/gtest.h>

using platform::MouseButton;
using platform::Rect;

namespace {

void Press(platform::Control& c, int32_t x = 5, int32_t y = 5)
{
    c.HostMouseDown(MouseButton::Left, platform::shift::Left, x, y);
}
void Release(platform::Control& c, int32_t x = 5, int32_t y = 5)
{
    c.HostMouseUp(MouseButton::Left, 0, x, y);
}

} // namespace

TEST(SpeedButton, StyleRulesRefuseWhatTheStyleCannotShow)
{
    TrmSpeedButton menu;
    menu.SetStyle(sbsMenu);
    menu.SetGroupIndex(3);
    menu.SetDown(true);
    EXPECT_EQ(menu.GroupIndex(), 0);
    EXPECT_FALSE(menu.Down());

    TrmSpeedButton combo;
    combo.SetFlat(true);
    combo.SetStyle(sbsComboButton);
    EXPECT_FALSE(combo.Flat());
    combo.SetFlat(true);
    combo.SetTransparent(true);
    EXPECT_FALSE(combo.Flat());
    EXPECT_FALSE(combo.Transparent());

    TrmSpeedButton plain;
    plain.SetNumGlyphs(6);
    EXPECT_EQ(plain.NumGlyphs(), 4);
    plain.SetMargin(-2);
    EXPECT_EQ(plain.Margin(), -1);
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
    EXPECT_EQ(p.GlyphPos.X, 100 - 18 - 16);
    EXPECT_EQ(p.TextBounds.Left, 66 - 18 - 30);
    // Right to left swaps the sides; no caption means no spacing.
    p = CalcButtonLayout({0, 0, 40, 20}, {0, 0}, {16, 16}, {0, 0}, blGlyphRight, 2, 4, true);
    EXPECT_EQ(p.GlyphPos.X, 2);
    EXPECT_EQ(p.TextBounds.Left, 18);
}

TEST(SpeedButton, ClickCountsOnlyForAReleaseInside)
{
    TrmSpeedButton b;
    int clicks = 0;
    b.OnClick = [&](TObject*) { ++clicks; };
    Press(b);
    EXPECT_EQ(b.State(), bsDown);
    b.HostMouseMove(platform::shift::Left, 50, 5);
    EXPECT_EQ(b.State(), bsUp);
    Release(b, 50, 5);
    EXPECT_EQ(clicks, 0);
    Press(b);
    Release(b);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(b.State(), bsUp);
}

TEST(SpeedButton, GroupKeepsOneButtonDown)
{
    TrmSpeedButton a, b;
    TrmSpeedButtonSiblings siblings{&a, &b};
    for (TrmSpeedButton* x : {&a, &b}) {
        x->SetSiblings(&siblings);
        x->SetGroupIndex(1);
    }
    a.SetDown(true);
    b.SetDown(true);
    EXPECT_FALSE(a.Down());
    EXPECT_TRUE(b.Down());
    // Without AllowAllUp a click on the down button leaves it down.
    Press(b);
    Release(b);
    EXPECT_TRUE(b.Down());
    EXPECT_EQ(b.State(), bsExclusive);
}

TEST(SpeedButton, MenuPartPressPopsTheMenuAndIsNoClick)
{
    struct Menu : TPopupMenu {
        void Popup(int32_t X, int32_t Y) override { at = {X, Y}; ++shown; }
        platform::Point at;
        int shown = 0;
    } menu;
    TrmSpeedButton b;
    b.SetStyle(sbsMenu);
    b.SetDropDownMenu(&menu);
    int clicks = 0;
    b.OnClick = [&](TObject*) { ++clicks; };
    Press(b, 20, 5); // the menu part is the rightmost 11 pixels of 23
    EXPECT_EQ(b.State(), bsMenu);
    b.HostMouseMove(platform::shift::Left, 3, 5); // over the main part: shown up
    EXPECT_EQ(b.State(), bsUp);
    b.HostMouseMove(platform::shift::Left, 20, 5);
    Release(b, 20, 5);
    EXPECT_EQ(menu.shown, 1);
    EXPECT_EQ(menu.at, (platform::Point{0, 22}));
    EXPECT_EQ(clicks, 0);
    Press(b, 3, 5);
    Release(b, 3, 5);
    EXPECT_EQ(clicks, 1);
}

TEST(TimerSpeedButton, RepeatsAfter400ThenEvery100WhileShownPressed)
{
    ManualTimerService timers;
    TrmTimerSpeedButton b;
    b.SetTimeBtnState(tbAllowTimer);
    int clicks = 0;
    b.OnClick = [&](TObject*) { ++clicks; };

    Press(b);
    Release(b);
    EXPECT_EQ(clicks, 1);
    timers.Advance(1000);
    EXPECT_EQ(clicks, 1);

    clicks = 0;
    Press(b);
    timers.Advance(399);
    EXPECT_EQ(clicks, 0);
    timers.Advance(1);
    EXPECT_EQ(clicks, 1);
    timers.Advance(300);
    EXPECT_EQ(clicks, 4);
    // Off the button: no repeats, but the timer runs on.
    b.HostMouseMove(platform::shift::Left, 50, 5);
    timers.Advance(300);
    EXPECT_EQ(clicks, 4);
    b.HostMouseMove(platform::shift::Left, 5, 5);
    timers.Advance(100);
    EXPECT_EQ(clicks, 5);
    Release(b);
    EXPECT_EQ(clicks, 6); // the release inside counts too
    timers.Advance(1000);
    EXPECT_EQ(clicks, 6);
}

TEST(SpinButton, HalvesFollowTheHeightAndWidthIsAtLeast15)
{
    TrmSpinButton s;
    s.SetBounds(0, 0, 10, 25);
    EXPECT_EQ(s.Width(), 15);
    EXPECT_EQ(s.UpButton().BoundsRect(), (Rect{0, 0, 15, 12}));
    EXPECT_EQ(s.DownButton().BoundsRect(), (Rect{0, 12, 15, 25}));
}

TEST(SpinButton, ClicksKeysAndEnabledHalves)
{
    TrmSpinButton s;
    s.SetBounds(0, 0, 15, 20);
    int up = 0, down = 0;
    s.OnUpClick = [&](TObject*) { ++up; };
    s.OnDownClick = [&](TObject*) { ++down; };
    Press(s, 5, 3);
    Release(s, 5, 3);
    Press(s, 5, 15);
    Release(s, 5, 15);
    platform::KeyCode key = platform::key::Up;
    s.HostKeyDown(key, 0);
    EXPECT_EQ(up, 2);
    EXPECT_EQ(down, 1);

    s.SetUpEnabled(false);
    EXPECT_FALSE(s.UpButton().Enabled());
    s.SetEnabled(false);
    EXPECT_FALSE(s.DownButton().Enabled());
    s.SetEnabled(true);
    EXPECT_FALSE(s.UpButton().Enabled());
    EXPECT_TRUE(s.DownButton().Enabled());
}
