#include "inspector/rmBtnCombo.h"

#include "graphics/SystemColorNames.h"
#include "inspector/rmMarlett.h"

#include <algorithm>

namespace {

constexpr platform::KeyCode kF4 = platform::key::F1 + 3;

} // namespace

TrmCustomBtnCombo::TrmCustomBtnCombo()
{
    // The first button shows a down arrow instead of a glyph.
    SetUseDefaultGlyphs(false);
    SetBtn1Glyph(nullptr);
    SetUseDefaultGlyphs(true);
    platform::FontSpec arrowFont;
    arrowFont.Family = std::string(kMarlettFamily);
    arrowFont.PointSize = 10;
    arrowFont.Color = CanvasColorOf(clBtnText);
    Button1().SetFont(arrowFont);
    Button1().SetCaption("6");
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

int32_t TrmCustomBtnCombo::ItemIndex() const
{
    const std::string text = Text();
    const auto& items = Items();
    const auto it = std::find(items.begin(), items.end(), text);
    return it == items.end() ? -1 : int32_t(it - items.begin());
}

void TrmCustomBtnCombo::SetItemIndex(int32_t Value)
{
    const auto& items = Items();
    SetText(Value >= 0 && Value < int32_t(items.size()) ? items[size_t(Value)] : std::string());
}

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
    const int32_t width = FDropDownWidth > 0 ? FDropDownWidth : Width();
    const int32_t height = ListHeight();
    FListBox.SetBounds(FListBox.Left(), FListBox.Top(), width, height);
    FListBox.SetItemIndex(ItemIndex());
    platform::Point at = ClientToScreen(platform::Point{0, Height()});
    const platform::Rect desktop = DesktopRect();
    if (!desktop.IsEmpty() && at.Y + height > desktop.Bottom)
        at.Y = ClientToScreen(platform::Point{0, 0}).Y - height;
    FListBox.Show({at.X, at.Y, at.X + width, at.Y + height});
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

void TrmCustomBtnCombo::FocusAndSelectAll()
{
    SetFocus();
    SelectAll();
}

void TrmCustomBtnCombo::TakeListSelection()
{
    FListBox.Hide();
    const int32_t index = FListBox.ItemIndex();
    if (index >= 0)
        SetText(Items()[size_t(index)]);
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

bool TrmCustomBtnCombo::ListTakesKey(platform::KeyCode Key, platform::ShiftState Shift) const
{
    return DroppedDown() && (Shift & platform::shift::Alt) == 0 && Key != kF4;
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
    if (ListTakesKey(Key, Shift)) {
        FListBox.ForwardKeyDown(Key, Shift);
        Key = 0;
        return;
    }
    const ShiftState keys = Shift & shift::Keys;
    if (!EditorEnabled() && Key == key::Delete) {
        Key = 0;
        return;
    }
    const bool toggle = ((Key == key::Down || Key == key::Up) && keys == shift::Alt) || (Key == kF4 && keys == 0);
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
    TrmCustomBtnEdit::KeyDown(Key, Shift);
}

void TrmCustomBtnCombo::KeyUp(platform::KeyCode& Key, platform::ShiftState Shift)
{
    if (ListTakesKey(Key, Shift)) {
        FListBox.ForwardKeyUp(Key, Shift);
        Key = 0;
        return;
    }
    TrmCustomBtnEdit::KeyUp(Key, Shift);
}

void TrmCustomBtnCombo::KeyPress(char32_t& Key)
{
    if (DroppedDown() && Key != 0) {
        FListBox.ForwardKeyPress(Key);
        Key = 0;
        return;
    }
    if (Key == U'\r' || !EditorEnabled()) {
        Key = 0;
        return;
    }
    TrmCustomBtnEdit::KeyPress(Key);
}

void TrmCustomBtnCombo::DoExit()
{
    CloseList();
    TrmCustomBtnEdit::DoExit();
}
