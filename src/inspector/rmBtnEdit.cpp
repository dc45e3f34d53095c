#include "inspector/rmBtnEdit.h"

#include "graphics/SystemColorNames.h"
#include "inspector/rmDefaultGlyphs.h"
#include "inspector/rmMarlett.h"

// ---- TrmCustomEdit ----------------------------------------------------------------------

TrmCustomEdit::TrmCustomEdit() : FChildren(*this) {}

TrmCustomEdit::~TrmCustomEdit() = default;

void TrmCustomEdit::Paint(platform::Canvas& Canvas)
{
    TCustomEdit::Paint(Canvas);
    FChildren.Paint(Canvas);
}

void TrmCustomEdit::MouseDown(platform::MouseButton Button, platform::ShiftState Shift, int32_t X, int32_t Y)
{
    FPressOnButton = FChildren.MouseDown(Button, Shift, X, Y);
    if (!FPressOnButton)
        TCustomEdit::MouseDown(Button, Shift, X, Y);
}

void TrmCustomEdit::MouseMove(platform::ShiftState Shift, int32_t X, int32_t Y)
{
    // A selection begun in the text goes on over the buttons.
    const bool selecting = (Shift & platform::shift::Left) != 0 && !FPressOnButton;
    if (selecting || !FChildren.MouseMove(Shift, X, Y))
        TCustomEdit::MouseMove(Shift, X, Y);
}

void TrmCustomEdit::MouseUp(platform::MouseButton Button, platform::ShiftState Shift, int32_t X, int32_t Y)
{
    if (!FPressOnButton || !FChildren.MouseUp(Button, Shift, X, Y))
        TCustomEdit::MouseUp(Button, Shift, X, Y);
}

void TrmCustomEdit::MouseLeave()
{
    FChildren.MouseLeave();
    TCustomEdit::MouseLeave();
}

void TrmCustomEdit::Click()
{
    if (!FPressOnButton)
        TCustomEdit::Click();
}

// ---- TrmCustomBtnEdit -------------------------------------------------------------------

TrmCustomBtnEdit::TrmCustomBtnEdit() : FBtn1(CreateButton()), FBtn2(CreateButton())
{
    FBtn2->SetVisible(false);
    AddButton(*FBtn1);
    AddButton(*FBtn2);
    SetBtn1Glyph(nullptr);
    SetBtn2Glyph(nullptr);
    PlaceButtons();
    SetEditRect();
}

TrmCustomBtnEdit::~TrmCustomBtnEdit()
{
    RemoveButton(*FBtn1);
    RemoveButton(*FBtn2);
}

std::unique_ptr<TrmSpeedButton> TrmCustomBtnEdit::CreateButton()
{
    auto button = std::make_unique<TrmSpeedButton>();
    TrmSpeedButton& self = *button;
    self.SetFlat(true);
    self.SetCursor(platform::cursor::Arrow);
    self.SetLayout(blGlyphTop);
    self.SetWidth(FBtnWidth);
    self.OnClick = [this, &self](TObject*) { BtnClick(self); };
    return button;
}

void TrmCustomBtnEdit::SetFocus()
{
    FSavedText = Text();
    Control::SetFocus();
}

void TrmCustomBtnEdit::SetBtnWidth(int32_t Value)
{
    if (Value == FBtnWidth)
        return;
    FBtnWidth = Value;
    PlaceButtons();
    SetEditRect();
}

void TrmCustomBtnEdit::SetBtn1Visible(bool Value)
{
    FBtn1->SetVisible(Value);
    FBtn2->SetVisible(FBtn2Visible && Value);
    PlaceButtons();
    SetEditRect();
}

void TrmCustomBtnEdit::SetBtn2Visible(bool Value)
{
    FBtn2Visible = Value;
    FBtn2->SetVisible(Value && FBtn1->Visible());
    PlaceButtons();
    SetEditRect();
}

void TrmCustomBtnEdit::SetBtn1Enabled(bool Value)
{
    FBtn1Enabled = Value;
    FBtn1->SetEnabled(Value && Enabled());
}

void TrmCustomBtnEdit::SetBtn2Enabled(bool Value)
{
    FBtn2Enabled = Value;
    FBtn2->SetEnabled(Value && Enabled());
}

void TrmCustomBtnEdit::EnabledChanged()
{
    FBtn1->SetEnabled(FBtn1Enabled && Enabled());
    FBtn2->SetEnabled(FBtn2Enabled && Enabled());
}

void TrmCustomBtnEdit::SetButtonGlyph(TrmSpeedButton& Button, bool& DefaultFlag, const TBitmap32* Value)
{
    DefaultFlag = false;
    if (Value || !FUseDefaultGlyphs) {
        Button.SetGlyph(Value);
        return;
    }
    TBitmap32 ellipsis;
    LoadEllipsisGlyph(ellipsis);
    Button.SetGlyph(&ellipsis);
    DefaultFlag = true;
}

void TrmCustomBtnEdit::SetBtn1Glyph(const TBitmap32* Value)
{
    SetButtonGlyph(*FBtn1, FBtn1DefaultGlyph, Value);
}

void TrmCustomBtnEdit::SetBtn2Glyph(const TBitmap32* Value)
{
    SetButtonGlyph(*FBtn2, FBtn2DefaultGlyph, Value);
}

void TrmCustomBtnEdit::SetUseDefaultGlyphs(bool Value)
{
    FUseDefaultGlyphs = Value;
    ResetDefaultGlyphs();
}

void TrmCustomBtnEdit::ResetDefaultGlyphs()
{
    if (FBtn1DefaultGlyph)
        SetBtn1Glyph(nullptr);
    if (FBtn2DefaultGlyph)
        SetBtn2Glyph(nullptr);
}

TrmSpeedButton* TrmCustomBtnEdit::GetButton(int32_t Index)
{
    return Index == 1 ? FBtn1.get() : Index == 2 ? FBtn2.get() : nullptr;
}

void TrmCustomBtnEdit::CutToClipboard()
{
    if (FEditorEnabled && !ReadOnly())
        TrmCustomEdit::CutToClipboard();
}

void TrmCustomBtnEdit::PasteFromClipboard()
{
    if (FEditorEnabled && !ReadOnly())
        TrmCustomEdit::PasteFromClipboard();
}

void TrmCustomBtnEdit::SetEditRect()
{
    if (!FBtn1)
        return TrmCustomEdit::SetEditRect(); // while the base constructs
    int32_t right = ClientWidth();
    if (FBtn1->Visible())
        right -= FBtnWidth + 1;
    if (FBtn2->Visible())
        right -= FBtnWidth;
    ApplyEditRect({0, 0, right, ClientHeight()});
}

void TrmCustomBtnEdit::PlaceButtons()
{
    // Button positions are worked out in the area inside the border, from the whole
    // width, as the edit's own window would place them.
    const int32_t border = BorderWidth();
    const bool look3D = Ctl3D();
    const int32_t top = look3D ? 0 : 1;
    const int32_t height = Height() - (look3D ? 4 : 2);
    const int32_t rightmost = Width() - FBtnWidth - (look3D ? 4 : 0);
    const bool both = FBtn2->Visible();
    FBtn1->SetBounds(border + (both ? rightmost - FBtnWidth : rightmost), border + top, FBtnWidth, height);
    FBtn2->SetBounds(border + rightmost, border + top, FBtnWidth, height);
}

void TrmCustomBtnEdit::Resize()
{
    if (FBtn1)
        PlaceButtons();
    TrmCustomEdit::Resize(); // SetEditRect
}

void TrmCustomBtnEdit::BtnClick(TrmSpeedButton& Sender)
{
    Control::SetFocus();
    if (&Sender == FBtn1.get()) {
        if (OnBtn1Click)
            OnBtn1Click(this);
    } else if (OnBtn2Click) {
        OnBtn2Click(this);
    }
}

void TrmCustomBtnEdit::KeyDown(platform::KeyCode& Key, platform::ShiftState Shift)
{
    using namespace platform;
    const ShiftState keys = Shift & shift::Keys;
    if (Key == key::Return && (keys == shift::Ctrl || keys == (shift::Ctrl | shift::Shift))) {
        // A hidden or disabled button cannot be clicked from the keyboard either.
        TrmSpeedButton& button = keys == shift::Ctrl ? *FBtn1 : *FBtn2;
        if (button.Visible() && button.Enabled())
            BtnClick(button);
        Key = 0;
        return;
    }
    if (Key == key::Return && keys == 0) {
        SetFocus();
    } else if (Key == key::Escape && keys == 0) {
        if (Text() != FSavedText) {
            SetText(FSavedText);
            SelectAll();
        }
        Key = 0;
        return;
    }
    TrmCustomEdit::KeyDown(Key, Shift);
}

void TrmCustomBtnEdit::KeyPress(char32_t& Key)
{
    if (Key == U'\r' || Key == U'\n') {
        Key = 0;
        return;
    }
    TrmCustomEdit::KeyPress(Key);
}

void TrmCustomBtnEdit::DoEnter()
{
    FSavedText = Text();
    TrmCustomEdit::DoEnter();
}

void TrmCustomBtnEdit::ShowDropDownArrow()
{
    const bool useDefaultGlyphs = FUseDefaultGlyphs;
    FUseDefaultGlyphs = false;
    SetBtn1Glyph(nullptr);
    FUseDefaultGlyphs = useDefaultGlyphs;
    platform::FontSpec arrowFont;
    arrowFont.Family = std::string(kMarlettFamily);
    arrowFont.PointSize = 10;
    arrowFont.Color = CanvasColorOf(clBtnText);
    Button1().SetFont(arrowFont);
    Button1().SetCaption("6");
}
