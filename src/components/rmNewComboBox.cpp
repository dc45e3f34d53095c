#include "components/rmNewComboBox.h"

#include <algorithm>

TrmCustomComboBox::TrmCustomComboBox()
{
    SetUseDefaultGlyphs(false);
    FListBox.SetFont(Font());
    FListBox.SetBounds(0, 0, Width(), Height() * FDropDownCount);
    FListBox.OnKeyDown = [this](TObject*, platform::KeyCode& Key, platform::ShiftState) { DoLBKeyDown(Key); };
    FListBox.OnMouseDown = [this](TObject*, platform::MouseButton Button, platform::ShiftState, int32_t X, int32_t Y) {
        if (Button == platform::MouseButton::Left)
            DoLBMouseDown(X, Y);
    };
    FListBox.OnExit = [this](TObject*) { FListBox.Hide(); };
}

TrmCustomComboBox::~TrmCustomComboBox() = default;

void TrmCustomComboBox::SetDropDownCount(int32_t Value)
{
    FDropDownCount = std::max(Value, 1);
}

int32_t TrmCustomComboBox::ListHeight() const
{
    return FListBox.HeightForRows(FDropDownCount);
}

void TrmCustomComboBox::ToggleListBox()
{
    if (DroppedDown()) {
        CloseUp();
        return;
    }
    if (OnDropDown)
        OnDropDown(this);
    FocusAndSelectAll();
    // The list keeps its own selection, whatever the text is now.
    FSavedIndex = FListBox.ItemIndex();
    // Within the monitor that shows the edit (its middle), else the desktop.
    platform::Rect screen = platform::MonitorRect(ClientToScreen({Width() / 2, Height() / 2}));
    if (screen.IsEmpty())
        screen = DesktopRect();
    FListBox.DropDown(*this, ListWidth(), ListHeight(), TDropAbove::WhenReachingBottom, screen);
}

void TrmCustomComboBox::FontChanged()
{
    TrmDropDownEdit::FontChanged();
    FListBox.SetFont(Font()); // the rows follow the font
}

void TrmCustomComboBox::CloseUp()
{
    if (OnCloseUp)
        OnCloseUp(this);
    FListBox.Hide();
}

void TrmCustomComboBox::InternalChanged()
{
    SetModified(true);
    if (OnChanged)
        OnChanged(this);
}

void TrmCustomComboBox::BtnClick(TrmSpeedButton& Sender)
{
    if (&Sender == &Button1())
        ToggleListBox();
    else
        TrmDropDownEdit::BtnClick(Sender);
}

void TrmCustomComboBox::DoLBMouseDown(int32_t X, int32_t Y)
{
    // A press outside has already hidden the list, and closes it up as a cancel does; the
    // text stays.
    if (!FListBox.ClientRect().Contains(X, Y)) {
        if (OnCloseUp)
            OnCloseUp(this);
        return;
    }
    if (FListBox.ItemAt(Y) < 0)
        return;
    FListBox.Hide();
    const int32_t index = FListBox.ItemIndex();
    SetText(FListBox.ItemText(index));
    FocusAndSelectAll();
    if (index != FSavedIndex)
        InternalChanged();
}

void TrmCustomComboBox::DoLBKeyDown(platform::KeyCode& Key)
{
    if (Key == platform::key::Return) {
        Key = 0;
        FListBox.Hide();
        const int32_t index = FListBox.ItemIndex();
        if (index != FSavedIndex && index >= 0)
            SetText(FListBox.ItemText(index));
        FocusAndSelectAll();
        InternalChanged();
    } else if (Key == platform::key::Escape) {
        Key = 0;
        FListBox.Hide();
        FocusAndSelectAll();
    }
}

void TrmCustomComboBox::StepItem(int32_t Direction)
{
    const int32_t index = FListBox.ItemIndex();
    const int32_t next = index + Direction;
    if (next < 0 || next >= int32_t(Items().size()))
        return;
    FListBox.SetItemIndex(next);
    SetText(FListBox.ItemText(next));
    InternalChanged();
    SelectAll();
}

void TrmCustomComboBox::KeyDown(platform::KeyCode& Key, platform::ShiftState Shift)
{
    using namespace platform;
    const bool stepKey = Key == key::Up || Key == key::Down;
    if (FListBox.TakeKeyDown(Key, Shift)) {
        // Up and Down are the list's now; they never reach the edit.
        return;
    }
    const ShiftState keys = Shift & shift::Keys;
    if ((Key == key::F4 && keys == 0) || (stepKey && keys == shift::Alt)) {
        ToggleListBox();
        Key = 0;
        return;
    }
    if (stepKey && keys == 0) {
        StepItem(Key == key::Up ? -1 : +1);
        Key = 0;
        return;
    }
    if (Key == key::Delete && !EditorEnabled()) {
        Key = 0;
        return;
    }
    TrmDropDownEdit::KeyDown(Key, Shift);
}

void TrmCustomComboBox::DoExit()
{
    if (DroppedDown())
        CloseUp();
    TrmDropDownEdit::DoExit();
}
