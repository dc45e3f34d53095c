#include "inspector/rmBtnCombo.h"

#include <algorithm>

TrmCustomBtnCombo::TrmCustomBtnCombo()
{
    SetBtn2Visible(true);

    FListBox.SetBounds(0, 0, Width(), Height() * kDropDownRows);
    FListBox.OnKeyDown = [this](TObject*, platform::KeyCode& Key, platform::ShiftState) { ListKeyDown(Key); };
    FListBox.OnMouseDown = [this](TObject*, platform::MouseButton Button, platform::ShiftState, int32_t X, int32_t Y) {
        if (Button == platform::MouseButton::Left)
            ListMouseDown(X, Y);
    };
    FListBox.OnExit = [this](TObject*) { CloseList(); };
}

TrmCustomBtnCombo::~TrmCustomBtnCombo() = default;

void TrmCustomBtnCombo::DropDown()
{
    if (OnDropDown)
        OnDropDown(this);
}

void TrmCustomBtnCombo::ToggleListBox()
{
    if (DroppedDown()) {
        CloseList();
        return;
    }
    DropDown();
    FocusAndSelectAll();
    FListBox.SetFont(Font());
    FListBox.SetItemIndex(ItemIndex());
    FListBox.DropDown(*this, ListWidth(), ListHeight(), TDropAbove::WhenPassingBottom);
}

int32_t TrmCustomBtnCombo::ListHeight() const
{
    return FDropDownHeight > 0 ? FDropDownHeight : Height() * kDropDownRows;
}

void TrmCustomBtnCombo::CloseList()
{
    if (!DroppedDown())
        return;
    FListBox.Hide();
    SelectAll();
    ListClosed(false);
}

void TrmCustomBtnCombo::TakeListSelection()
{
    FListBox.Hide();
    const int32_t index = FListBox.ItemIndex();
    if (index >= 0)
        SetItemIndex(index);
    FocusAndSelectAll();
    ListClosed(true);
}

void TrmCustomBtnCombo::ListClosed(bool Taken)
{
    if (Taken && OnCloseUp)
        OnCloseUp(this);
}

void TrmCustomBtnCombo::ListKeyDown(platform::KeyCode& Key)
{
    if (Key == platform::key::Return) {
        TakeListSelection();
    } else if (Key == platform::key::Escape) {
        FListBox.Hide();
        FocusAndSelectAll();
        ListClosed(false);
    }
}

void TrmCustomBtnCombo::ListMouseDown(int32_t X, int32_t Y)
{
    // A press outside has already hidden the list; the text stays.
    if (FListBox.ClientRect().Contains(X, Y) && FListBox.ItemAt(Y) >= 0)
        TakeListSelection();
    else if (!DroppedDown())
        ListClosed(false);
}

void TrmCustomBtnCombo::BtnClick(TrmSpeedButton& Sender)
{
    if (&Sender == &Button1()) {
        ToggleListBox();
    } else if (OnBtnClick) {
        SetFocus();
        OnBtnClick(this);
    }
}

void TrmCustomBtnCombo::StepItems(platform::KeyCode Key)
{
    using namespace platform;
    const int32_t count = int32_t(Items().size());
    if (count == 0)
        return;
    // A page is the rows the open list would show, less one.
    const int32_t page = std::max(1, ListHeight() / FListBox.ItemHeight() - 1);
    const int32_t current = ItemIndex();
    int32_t next = current;
    switch (Key) {
    case key::PageUp: next = current - page; break;
    case key::PageDown: next = current + page; break;
    case key::End: next = count - 1; break;
    case key::Home: next = 0; break;
    case key::Left:
    case key::Up: next = current - 1; break;
    default: next = current + 1; break; // Right, Down
    }
    SetItemIndex(std::clamp(next, 0, count - 1));
    SelectAll();
}

void TrmCustomBtnCombo::KeyDown(platform::KeyCode& Key, platform::ShiftState Shift)
{
    using namespace platform;
    if (FListBox.TakeKeyDown(Key, Shift))
        return;
    const ShiftState keys = Shift & shift::Keys;
    if (!EditorEnabled() && Key == key::Delete) {
        Key = 0;
        return;
    }
    const bool toggle = ((Key == key::Down || Key == key::Up) && keys == shift::Alt) || (Key == platform::key::F4 && keys == 0);
    if (toggle) {
        ToggleListBox();
        Key = 0;
        return;
    }
    switch (Key) {
    case key::PageUp:
    case key::PageDown:
    case key::End:
    case key::Home:
    case key::Left:
    case key::Up:
    case key::Right:
    case key::Down:
        if (keys != 0)
            break;
        if (DroppedDown())
            FocusAndSelectAll();
        else
            StepItems(Key);
        Key = 0;
        return;
    case key::Return:
        if (keys == shift::Ctrl && !DroppedDown()) {
            if (OnBtnClick)
                OnBtnClick(this);
            Key = 0;
            return;
        }
        break;
    default: break;
    }
    TrmDropDownEdit::KeyDown(Key, Shift);
}

void TrmCustomBtnCombo::DoExit()
{
    CloseList();
    TrmDropDownEdit::DoExit();
}
