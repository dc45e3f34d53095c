#include "inspector/rmInspectorEditors.h"

#include "graphics/SystemColorNames.h"
#include "inspector/rmInspector.h"
#include "inspector/rmLibraryText.h"

bool PassRowKeyToInspector(TrmInspector& Inspector, platform::Control& Editor, platform::KeyCode& Key,
                           platform::ShiftState Shift)
{
    if ((Key != platform::key::Up && Key != platform::key::Down) || (Shift & platform::shift::Keys) != 0)
        return false;
    Inspector.EditorKeyDown(&Editor, Key, Shift);
    return true;
}

void SetupPlainEditor(TrmInspector& Inspector, TrmCustomEdit& Edit)
{
    Edit.SetFont(Inspector.Font());
    Edit.SetBorderStyle(bsNone);
    Edit.SetColor(CanvasColorOf(Inspector.SelectedItemBgColor()));
    Edit.SetWantTabs(true);
}

void ShowTextInEditor(TCustomEdit& Edit, const std::string& Text)
{
    if (Edit.Text() != Text)
        Edit.SetText(Text);
}

TNotifyEvent* EditorChangeEventOf(platform::Control& Editor)
{
    if (auto* edit = dynamic_cast<TCustomEdit*>(&Editor))
        return &edit->OnChange;
    if (auto* box = dynamic_cast<TrmCustomCheckBox*>(&Editor))
        return &box->OnChange;
    return nullptr;
}

void TrmInspectorEdit::KeyPress(char32_t& Key)
{
    if (Key == U'\t')
        Key = 0;
    TrmCustomEdit::KeyPress(Key);
}

void TrmInspectorBtnCombo::KeyDown(platform::KeyCode& Key, platform::ShiftState Shift)
{
    if (DroppedDown() || !PassRowKeyToInspector(FOwner, *this, Key, Shift))
        TrmComboBox::KeyDown(Key, Shift);
}

namespace {

// The number the text holds; `otherwise` for an empty or half-typed one ("-").
int32_t NumberOr(const std::string& text, int32_t otherwise)
{
    try {
        return text.empty() ? otherwise : StrToInt(text);
    } catch (const EConvertError&) {
        return otherwise;
    }
}

} // namespace

void TrmSafeSpinEdit::DecValue()
{
    SetValue(Stepped(NumberOr(Text(), MaxValue()), Increment(), -1));
}

void TrmSafeSpinEdit::IncValue()
{
    SetValue(Stepped(NumberOr(Text(), MinValue()), Increment(), +1));
}

void SetupInspectorCheckBox(TrmInspector& Inspector, TrmCustomCheckBox& Box)
{
    Box.SetFont(Inspector.Font());
    Box.SetCBXAlignment(cbxLeft);
    Box.SetWantsArrowKeys(true);
    Box.SetWantsTabKey(true);
    Box.SetFlat(false);
    Box.SetShowFocusRect(false);
    Box.SetFillBackground(true);
    Box.SetBackgroundColor(Inspector.SelectedItemBgColor());
}

void TrmInspectorCheckBox::KeyDown(platform::KeyCode& Key, platform::ShiftState Shift)
{
    if (!PassRowKeyToInspector(FOwner, *this, Key, Shift))
        TrmCheckBox::KeyDown(Key, Shift);
}

void TrmInspectorCheckBox::KeyPress(char32_t& Key)
{
    if (Key == U'\t')
        Key = 0;
    TrmCheckBox::KeyPress(Key);
}

void TrmInspectorCheckBoxEx::KeyDown(platform::KeyCode& Key, platform::ShiftState Shift)
{
    if (!PassRowKeyToInspector(FOwner, *this, Key, Shift))
        TrmCheckBoxEx::KeyDown(Key, Shift);
}

void TrmInspectorCheckBoxEx::KeyPress(char32_t& Key)
{
    if (Key == U'\t')
        Key = 0;
    TrmCheckBoxEx::KeyPress(Key);
}
