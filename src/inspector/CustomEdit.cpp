#include "inspector/CustomEdit.h"

#include "graphics/SystemColorNames.h"
#include "inspector/rmFrames.h"
#include "platform/TextRasterizer.h"
#include "platform/Utf8.h"
#include "platform/WindowSystem.h"

#include <algorithm>
#include <cstdlib>

namespace {

constexpr int32_t kTextMargin = 1; // between the formatting rectangle's left edge and the text

bool HasOnly(platform::ShiftState Shift, platform::ShiftState Key)
{
    return (Shift & platform::shift::Keys) == Key;
}

} // namespace

TCustomEdit::TCustomEdit()
{
    SetBounds(0, 0, 121, 21);
    SetColor(CanvasColorOf(clWindow));
    SetTabStop(true);
    SetCursor(platform::cursor::IBeam);
    SetEditRect();
}

void TCustomEdit::SetText(std::string_view Value)
{
    const std::string old = FLine.Text();
    FLine.SetText(Value);
    if (FLine.Text() != old)
        TextChanged(false);
    else
        Invalidate();
}

void TCustomEdit::SetBorderStyle(TBorderStyle Value)
{
    if (Value == FBorderStyle)
        return;
    FBorderStyle = Value;
    Ctl3DChanged();
}

void TCustomEdit::Ctl3DChanged()
{
    SetEditRect();
    AdjustSize();
    Invalidate();
}

void TCustomEdit::FontChanged()
{
    AdjustSize();
    Invalidate();
}

bool TCustomEdit::CanAutoSize(int32_t&, int32_t& NewHeight)
{
    // Controls aligned to the left, the right or the whole area get their height from it.
    if (Align() == alLeft || Align() == alRight || Align() == alClient)
        return false;
    NewHeight = platform::CurrentTextRasterizer().TextExtent("Wg", Font()).Height + 2 * BorderWidth() + 4;
    return true;
}

void TCustomEdit::SetReadOnly(bool Value)
{
    StoreAndRepaint(FReadOnly, Value);
    UpdateInputMethod();
}

void TCustomEdit::SetCharCase(TEditCharCase Value)
{
    if (FLine.SetCharCase(Value)) {
        Invalidate();
        Change();
    }
    UpdateInputMethod();
}

void TCustomEdit::SetImeMode(TImeMode Value)
{
    FImeMode = Value;
    UpdateInputMethod();
}

platform::InputMethodHints TCustomEdit::InputMethod() const
{
    if (FReadOnly || FImeMode == imDisable)
        return 0;
    platform::InputMethodHints hints = platform::ime::Enabled;
    if (FImeMode == imClose || FImeMode == imSAlpha || FImeMode == imAlpha)
        hints |= platform::ime::PreferLatin;
    if (CharCase() != ecNormal)
        hints |= CharCase() == ecUpperCase ? platform::ime::PreferUppercase : platform::ime::PreferLowercase;
    return hints;
}

void TCustomEdit::SetPasswordChar(char32_t Value)
{
    StoreAndRepaint(FPasswordChar, Value);
}

void TCustomEdit::SetSelStart(int32_t Value)
{
    FLine.SetSelection(Value, Value);
    Invalidate();
}

void TCustomEdit::SetSelLength(int32_t Value)
{
    FLine.SetSelection(FLine.SelStart(), FLine.SelStart() + std::max(0, Value));
    Invalidate();
}

void TCustomEdit::SelectAll()
{
    FLine.SelectAll();
    Invalidate();
}

void TCustomEdit::SetSelText(std::string_view Value)
{
    if (FLine.ReplaceSelection(Value))
        TextChanged();
}

void TCustomEdit::CopyToClipboard()
{
    if (FPasswordChar == 0 && FLine.SelLength() > 0)
        platform::SetClipboardText(FLine.SelText());
}

void TCustomEdit::CutToClipboard()
{
    if (FReadOnly || FPasswordChar != 0 || FLine.SelLength() == 0)
        return;
    CopyToClipboard();
    ClearSelection();
}

void TCustomEdit::PasteFromClipboard()
{
    if (FReadOnly)
        return;
    // Only the first line of a text with line breaks.
    std::string text = platform::ClipboardText();
    const size_t lineEnd = text.find_first_of("\r\n");
    if (lineEnd != std::string::npos)
        text.resize(lineEnd);
    SetSelText(text);
}

int32_t TCustomEdit::BorderWidth() const
{
    return FBorderStyle == bsNone ? 0 : Ctl3D() ? 2 : 1;
}

void TCustomEdit::Change()
{
    if (OnChange)
        OnChange(this);
}

void TCustomEdit::SetEditRect()
{
    ApplyEditRect({0, 0, ClientWidth(), ClientHeight()});
}

void TCustomEdit::ApplyEditRect(const platform::Rect& Rect)
{
    FEditRect = Rect;
    Invalidate();
}

platform::Point TCustomEdit::ToClientArea(platform::Point P) const
{
    return {P.X - BorderWidth(), P.Y - BorderWidth()};
}

void TCustomEdit::TextChanged(bool UserEdit)
{
    FModified = UserEdit;
    Invalidate();
    Change();
}

std::u32string TCustomEdit::ShownChars() const
{
    return FPasswordChar ? std::u32string(FLine.Chars().size(), FPasswordChar) : FLine.Chars();
}

void TCustomEdit::Paint(platform::Canvas& Canvas)
{
    platform::Rect inside = ClientRect();
    if (FBorderStyle == bsSingle) {
        if (Ctl3D())
            DrawSunkenBorder(Canvas, inside);
        else
            Frame3D(Canvas, inside, CanvasColorOf(clWindowText), CanvasColorOf(clWindowText));
    }
    if (inside.IsEmpty())
        return;
    Canvas.FillRect(inside, Color());

    const int32_t border = BorderWidth();
    const platform::Rect area = FEditRect.Offset(border, border).Intersect(inside);
    if (area.IsEmpty())
        return;
    const std::u32string shown = ShownChars();
    const int32_t room = std::max(area.Width() - 2 * kTextMargin, 1);
    MeasureShownRun(Canvas, shown, room);
    const int32_t first = FFirstShown;
    const int32_t last = first + int32_t(FCharX.size()) - 1;
    const auto xOf = [&](int32_t position) { return FCharX[size_t(std::clamp(position, first, last) - first)]; };
    const int32_t lineHeight = std::max(Canvas.TextExtent("Wg", Font()).Height, 1);

    Canvas.SetClipRect(area);
    const bool rightToLeft = UseRightToLeftReading();
    // Aligned right, a text that fits ends at the right edge.
    const bool wholeTextFits = first == 0 && last == int32_t(shown.size()) && FCharX.back() < room;
    const int32_t x0 = UseRightToLeftAlignment() && wholeTextFits ? area.Right - kTextMargin - FCharX.back()
                                                                  : area.Left + kTextMargin;
    FTextLeft = x0;
    const int32_t y = area.Top + std::clamp(area.Height() - lineHeight, 0, 1);
    const bool showSelection = (Focused() || !FHideSelection) && FLine.SelLength() > 0;
    const int32_t selStart = showSelection ? std::clamp(FLine.SelStart(), first, last) : first;
    const int32_t selEnd = showSelection ? std::clamp(FLine.SelStart() + FLine.SelLength(), first, last) : first;
    platform::FontSpec font = Font();
    if (!Enabled())
        font.Color = CanvasColorOf(clGrayText);
    const auto drawRun = [&](int32_t from, int32_t to, const platform::FontSpec& runFont) {
        if (from >= to)
            return;
        const std::string run =
            platform::CodePointsToUtf8(std::u32string_view(shown).substr(size_t(from), size_t(to - from)));
        if (rightToLeft)
            Canvas.TextOutRightToLeft(x0 + xOf(to), y, run, runFont);
        else
            Canvas.TextOut(x0 + xOf(from), y, run, runFont);
    };
    drawRun(first, selStart, font);
    if (showSelection) {
        Canvas.FillRect({x0 + xOf(selStart), y, x0 + xOf(selEnd), y + lineHeight}, CanvasColorOf(clHighlight));
        platform::FontSpec selected = font;
        selected.Color = CanvasColorOf(clHighlightText);
        drawRun(selStart, selEnd, selected);
    }
    drawRun(selEnd, last, font);
    if (Focused() && Enabled()) {
        const int32_t caretX = x0 + xOf(FLine.Caret());
        Canvas.Line(caretX, y, caretX, y + lineHeight - 1, font.Color);
    }
    Canvas.RemoveClip();
}

void TCustomEdit::MeasureShownRun(platform::Canvas& Canvas, std::u32string_view Shown, int32_t Room)
{
    const int32_t length = int32_t(Shown.size());
    const auto width = [&](int32_t from, int32_t to) {
        return Canvas.TextExtent(platform::CodePointsToUtf8(Shown.substr(size_t(from), size_t(to - from))), Font())
            .Width;
    };
    // The positions from `from` on, up to the first one past the right edge.
    const auto measureFrom = [&](int32_t from) {
        FFirstShown = from;
        FCharX.assign(1, 0);
        for (int32_t position = from + 1; position <= length && FCharX.back() <= Room; ++position)
            FCharX.push_back(width(from, position));
    };
    // The first position, from `from` back, from which the text up to `to` still fits.
    const auto fittingFrom = [&](int32_t from, int32_t to) {
        while (from > 0 && width(from - 1, to) <= Room)
            --from;
        return from;
    };
    const int32_t caret = FLine.Caret();
    measureFrom(std::min(std::clamp(FFirstShown, 0, length), caret));
    const int32_t caretAt = caret - FFirstShown;
    if (caretAt >= int32_t(FCharX.size()) || FCharX[size_t(caretAt)] > Room) {
        // The caret went past the right edge: the text scrolls until it stands there.
        measureFrom(fittingFrom(caret, caret));
    } else if (FFirstShown > 0 && FFirstShown + int32_t(FCharX.size()) - 1 == length && FCharX.back() < Room) {
        // The end of the text left room at the right: scroll back to fill it.
        if (const int32_t from = fittingFrom(FFirstShown, length); from != FFirstShown)
            measureFrom(from);
    }
    FPaintedLength = length;
}

int32_t TCustomEdit::PositionAt(int32_t X) const
{
    if (FPaintedLength != FLine.Length())
        return FLine.Length(); // not painted since the text changed
    const int32_t local = X - FTextLeft;
    if (local < 0 && FFirstShown > 0)
        return FFirstShown - 1; // left of the text scrolled off: one more of it comes in
    int32_t best = 0;
    for (int32_t i = 1; i < int32_t(FCharX.size()); ++i)
        if (std::abs(FCharX[size_t(i)] - local) < std::abs(FCharX[size_t(best)] - local))
            best = i;
    return FFirstShown + best;
}

void TCustomEdit::MouseDown(platform::MouseButton Button, platform::ShiftState Shift, int32_t X, int32_t Y)
{
    if (Button == platform::MouseButton::Left) {
        FSelecting = true;
        if (!Focused())
            SetFocus();
        if ((Shift & platform::shift::Double) == 0)
            FLine.MoveCaret(PositionAt(X), (Shift & platform::shift::Shift) != 0);
        SetMouseCapture(true);
        Invalidate();
    }
    Control::MouseDown(Button, Shift, X, Y);
}

void TCustomEdit::MouseMove(platform::ShiftState Shift, int32_t X, int32_t Y)
{
    if (FSelecting) {
        FLine.MoveCaret(PositionAt(X), true);
        Invalidate();
    }
    Control::MouseMove(Shift, X, Y);
}

void TCustomEdit::MouseUp(platform::MouseButton Button, platform::ShiftState Shift, int32_t X, int32_t Y)
{
    if (Button == platform::MouseButton::Left && FSelecting) {
        FSelecting = false;
        SetMouseCapture(false);
    }
    Control::MouseUp(Button, Shift, X, Y);
}

void TCustomEdit::DblClick()
{
    FLine.SelectWordAt(FLine.Caret());
    FSelecting = false;
    Invalidate();
    Control::DblClick();
}

void TCustomEdit::KeyDown(platform::KeyCode& Key, platform::ShiftState Shift)
{
    Control::KeyDown(Key, Shift);
    using namespace platform;
    const bool extend = (Shift & shift::Shift) != 0;
    const bool word = (Shift & shift::Ctrl) != 0;
    const int32_t caret = FLine.Caret();
    switch (Key) {
    case key::Left:
        if (!extend && FLine.SelLength() > 0 && !word)
            FLine.MoveCaret(FLine.SelStart(), false);
        else
            FLine.MoveCaret(word ? FLine.WordLeft(caret) : caret - 1, extend);
        break;
    case key::Right:
        if (!extend && FLine.SelLength() > 0 && !word)
            FLine.MoveCaret(FLine.SelStart() + FLine.SelLength(), false);
        else
            FLine.MoveCaret(word ? FLine.WordRight(caret) : caret + 1, extend);
        break;
    case key::Home: FLine.MoveCaret(0, extend); break;
    case key::End: FLine.MoveCaret(FLine.Length(), extend); break;
    case key::Delete:
        if (HasOnly(Shift, shift::Shift))
            CutToClipboard();
        else if (!FReadOnly && FLine.DeleteForward())
            TextChanged();
        break;
    case key::Insert:
        if (HasOnly(Shift, shift::Ctrl))
            CopyToClipboard();
        else if (HasOnly(Shift, shift::Shift))
            PasteFromClipboard();
        break;
    default: return;
    }
    Invalidate();
}

void TCustomEdit::KeyPress(char32_t& Key)
{
    Control::KeyPress(Key);
    switch (Key) {
    case 0: return;
    case 0x01: SelectAll(); return;
    case 0x03: CopyToClipboard(); return;
    case 0x16: PasteFromClipboard(); return;
    case 0x18: CutToClipboard(); return;
    case 0x08:
        if (FReadOnly)
            platform::Beep();
        else if (FLine.DeleteBackward())
            TextChanged();
        return;
    default: break;
    }
    if (Key < 0x20 || Key == 0x7F)
        return;
    if (FReadOnly) {
        platform::Beep();
        return;
    }
    if (FLine.ReplaceSelection(std::u32string_view(&Key, 1)))
        TextChanged();
    else
        platform::Beep(); // full
}

void TCustomEdit::DoEnter()
{
    if (FAutoSelect && !FSelecting && !platform::LeftButtonDown())
        FLine.SelectAll();
    Invalidate();
    Control::DoEnter();
}

void TCustomEdit::DoExit()
{
    FSelecting = false;
    Invalidate();
    Control::DoExit();
}

void TCustomEdit::Resize()
{
    SetEditRect();
    Control::Resize();
}
