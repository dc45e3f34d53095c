#include "inspector/rmComboBox.h"

#include "platform/AsciiText.h"
#include "platform/Utf8.h"

#include <algorithm>

namespace {

bool StartsWithIgnoringCase(std::string_view Text, std::string_view Prefix)
{
    if (Prefix.size() > Text.size())
        return false;
    for (size_t i = 0; i < Prefix.size(); ++i)
        if (platform::LowerAscii(Text[i]) != platform::LowerAscii(Prefix[i]))
            return false;
    return true;
}

} // namespace

// ---- TCustomComboBox --------------------------------------------------------------------

TCustomComboBox::TCustomComboBox()
{
    SetEllipsisBtnVisible(false);
    FListBox.OnDrawItem = [this](TObject*, int32_t Index, const platform::Rect& Rect, TOwnerDrawState State) {
        if (OnDrawItem)
            OnDrawItem(this, Index, Rect, State);
        else
            FListBox.DefaultDrawItem(Index, Rect, State);
    };
    FListBox.OnMeasureItem = [this](TObject*, int32_t Index, int32_t& Height) {
        if (OnMeasureItem)
            OnMeasureItem(this, Index, Height);
    };
}

int32_t TCustomComboBox::FindString(std::string_view Prefix, int32_t StartAfter) const
{
    const auto& items = Items();
    const int32_t count = int32_t(items.size());
    if (count == 0)
        return -1;
    const int32_t first = StartAfter < 0 || StartAfter >= count ? 0 : StartAfter + 1;
    for (int32_t step = 0; step < count; ++step) {
        const int32_t i = (first + step) % count;
        if (StartsWithIgnoringCase(items[size_t(i)], Prefix))
            return i;
    }
    return -1;
}

void TCustomComboBox::SetStyle(TComboBoxStyle Value)
{
    FStyle = Value;
    SetEditorEnabled(Value == csDropDown);
    constexpr TListBoxStyle kListStyles[] = {lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable};
    FListBox.SetStyle(kListStyles[Value]);
    Invalidate();
}

void TCustomComboBox::Paint(platform::Canvas& Canvas)
{
    TrmCustomBtnCombo::Paint(Canvas);
    if (!OwnerDrawn() || !OnDrawItem)
        return;
    const platform::Rect field = EditRect().Offset(BorderWidth(), BorderWidth()).Intersect(ClientRect());
    TOwnerDrawState state = odComboBoxEdit | (Enabled() ? 0 : odDisabled);
    if (Focused())
        state |= odSelected | odFocused;
    Canvas.FillRect(field, Color());
    Canvas.SetClipRect(field);
    FFieldCanvas = &Canvas;
    OnDrawItem(this, ItemIndex(), field, state);
    FFieldCanvas = nullptr;
    Canvas.RemoveClip();
}

void TCustomComboBox::KeyPress(char32_t& Key)
{
    if (OwnerDrawn() && !DroppedDown() && Key >= 0x20) {
        const int32_t found = FindString(platform::CodePointsToUtf8(std::u32string(1, Key)), ItemIndex());
        if (found >= 0)
            SetItemIndex(found);
        Key = 0;
        return;
    }
    TrmCustomBtnCombo::KeyPress(Key);
}

void TCustomComboBox::Change()
{
    if (OwnerDrawn())
        SaveText();
    TrmCustomBtnCombo::Change();
}

void TCustomComboBox::SetDroppedDown(bool Value)
{
    if (Value != DroppedDown())
        ToggleListBox();
}

void TCustomComboBox::CloseUp()
{
    if (OnCloseUp)
        OnCloseUp(this);
}

void TCustomComboBox::ListClosed(bool)
{
    CloseUp();
}

// ---- TrmComboBox ------------------------------------------------------------------------

void TrmComboBox::SetRegPath(const std::string& Value)
{
    FRegPath = Value;
    SetRegName(FRegName);
}

void TrmComboBox::SetRegName(const std::string& Value)
{
    FRegName = Value;
    const bool endsInBackslash = !FRegPath.empty() && FRegPath.back() == '\\';
    if (!FRegName.empty() && !endsInBackslash)
        FRegPath += '\\';
    else if (FRegName.empty() && endsInBackslash)
        FRegPath.pop_back();
}

void TrmComboBox::SetText(std::string_view Value)
{
    TCustomEdit::SetText(Value);
    UpdateHistory();
}

void TrmComboBox::UpdateHistory()
{
    const std::string text = Text();
    FEnterText = text;
    if (FMRUCombo && !text.empty()) {
        const auto found = std::find(FHistory.begin(), FHistory.end(), text);
        if (found != FHistory.end())
            FHistory.erase(found);
        FHistory.insert(FHistory.begin(), text);
        SaveHistory();
        SetComboItems(FHistory);
    }
    SelectAll();
}

void TrmComboBox::ClearHistory()
{
    FHistory.clear();
    if (FMRUCombo)
        RemoveSavedEntries(0);
}

void TrmComboBox::RemoveSavedEntries(int32_t First)
{
    platform::KeyValueStore* root = Root();
    if (root == nullptr || !HasRegistryKey())
        return;
    const std::string key = HistoryKey();
    // Entries past MaxHistory may be left from a larger one.
    for (int32_t i = First; i < FMaxHistory || root->ValueExists(key, "Item_" + std::to_string(i)); ++i)
        root->DeleteValue(key, "Item_" + std::to_string(i));
}

void TrmComboBox::SaveHistory()
{
    // Without a key the values would land in the root itself.
    platform::KeyValueStore* root = Root();
    if (root == nullptr || !HasRegistryKey())
        return;
    const std::string key = HistoryKey();
    root->CreateKey(key);
    const int32_t count = std::min(FMaxHistory, int32_t(FHistory.size()));
    for (int32_t i = 0; i < count; ++i)
        root->WriteString(key, "Item_" + std::to_string(i), FHistory[size_t(i)]);
    RemoveSavedEntries(count);
}

void TrmComboBox::LoadHistory()
{
    platform::KeyValueStore* root = Root();
    if (FHistory.empty() && root != nullptr && HasRegistryKey()) {
        const std::string key = HistoryKey();
        for (int32_t i = 0; i < FMaxHistory; ++i) {
            std::string value;
            if (root->ReadString(key, "Item_" + std::to_string(i), value) && !value.empty() &&
                std::find(FHistory.begin(), FHistory.end(), value) == FHistory.end())
                FHistory.push_back(value);
        }
    }
    SetComboItems(FHistory);
}

void TrmComboBox::Loaded()
{
    TCustomComboBox::Loaded();
    if (FMRUCombo)
        LoadHistory();
}

void TrmComboBox::DoEnter()
{
    FEnterText = Text();
    TCustomComboBox::DoEnter();
}

void TrmComboBox::DoExit()
{
    TCustomComboBox::DoExit();
    if (FAutoUpdateHistory && Text() != FEnterText)
        UpdateHistory();
}

void TrmComboBox::KeyPress(char32_t& Key)
{
    const char32_t typed = Key;
    TCustomComboBox::KeyPress(Key);
    FLastChar = typed;
    if ((typed == U'\r' || typed == 0x1B) && Text() != FEnterText)
        Change();
}

void TrmComboBox::Change()
{
    if (OwnerDrawn()) {
        FEnterText = Text(); // a choice is final
    } else if (!FCompleting) {
        if (FLastChar == U'\r' && FAutoUpdateHistory) {
            FLastChar = 0;
            UpdateHistory();
        } else if (FLastChar == 0x1B) {
            FLastChar = 0; // restoring the text changes it again
            TCustomEdit::SetText(FEnterText);
            SelectAll();
        }
    }
    TCustomComboBox::Change();
}

void TrmComboBox::Complete(int32_t Index, int32_t Typed)
{
    FCompleting = true;
    TCustomEdit::SetText(Items()[size_t(Index)]);
    FCompleting = false;
    SetSelStart(Typed);
    SetSelLength(Line().Length() - Typed);
    FLastFound = Index;
    FSelStart = Typed;
}

void TrmComboBox::KeyUp(platform::KeyCode& Key, platform::ShiftState Shift)
{
    TCustomComboBox::KeyUp(Key, Shift);
    if (!FTextCompletion || Key == platform::key::Delete || Key == platform::key::Back || Key == 0)
        return;
    // Only while typing at the end of the text.
    if (SelStart() + SelLength() != Line().Length() || Line().Length() == 0 || SelLength() != 0)
        return;
    const int32_t found = FindString(Text(), -1);
    if (found >= 0)
        Complete(found, Line().Length());
}

void TrmComboBox::KeyDown(platform::KeyCode& Key, platform::ShiftState Shift)
{
    using namespace platform;
    if (FTextCompletion) {
        const bool alt = (Shift & shift::Alt) != 0;
        switch (Key) {
        case key::Left:
            SetSelStart(FSelStart);
            Key = 0;
            return;
        case key::Right:
            SetSelStart(Line().Length());
            Key = 0;
            return;
        case key::Down:
            if (alt || DroppedDown())
                break;
            {
                // The typed part is what precedes the completed, selected remainder.
                const int32_t typedLength = SelStart();
                const std::string typed =
                    platform::CodePointsToUtf8(std::u32string_view(Line().Chars()).substr(0, size_t(typedLength)));
                const int32_t found = FindString(typed, FLastFound);
                if (found >= 0)
                    Complete(found, typedLength);
            }
            Key = 0;
            return;
        default: break;
        }
    }
    TCustomComboBox::KeyDown(Key, Shift);
}

void TrmComboBox::DropDown()
{
    if (FMRUCombo)
        LoadHistory();
    FDroppedDown = true;
    TCustomComboBox::DropDown();
}

void TrmComboBox::CloseUp()
{
    FDroppedDown = false;
    TCustomComboBox::CloseUp();
}
