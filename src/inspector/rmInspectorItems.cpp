#include "inspector/rmInspectorItems.h"

#include "inspector/rmInspector.h"
#include "inspector/rmInspectorEditors.h"
#include "inspector/rmLibraryText.h"
#include "platform/DateText.h"

#include "graphics/SystemColorNames.h"

#include <algorithm>
#include <array>
#include <cstdlib>

const TrmInspectorItemClass TrmStringInspectorItem::Class = MakeClass<TrmStringInspectorItem>("TrmStringInspectorItem");
const TrmInspectorItemClass TrmComplexInspectorItem::Class =
    MakeClass<TrmComplexInspectorItem>("TrmComplexInspectorItem");
const TrmInspectorItemClass TrmComboInspectorItem::Class = MakeClass<TrmComboInspectorItem>("TrmComboInspectorItem");
const TrmInspectorItemClass TrmComboInspectorItemEx::Class =
    MakeClass<TrmComboInspectorItemEx>("TrmComboInspectorItemEx");
const TrmInspectorItemClass TrmIntegerInspectorItem::Class =
    MakeClass<TrmIntegerInspectorItem>("TrmIntegerInspectorItem");
const TrmInspectorItemClass TrmSafeIntegerInspectorItem::Class =
    MakeClass<TrmSafeIntegerInspectorItem>("TrmSafeIntegerInspectorItem");
const TrmInspectorItemClass TrmDateInspectorItem::Class = MakeClass<TrmDateInspectorItem>("TrmDateInspectorItem");
const TrmInspectorItemClass TrmCheckBoxInspectorItem::Class =
    MakeClass<TrmCheckBoxInspectorItem>("TrmCheckBoxInspectorItem");
const TrmInspectorItemClass TrmCheckBoxExInspectorItem::Class =
    MakeClass<TrmCheckBoxExInspectorItem>("TrmCheckBoxExInspectorItem");
const TrmInspectorItemClass TrmNodeInspectorItem::Class = MakeClass<TrmNodeInspectorItem>("TrmNodeInspectorItem");
const TrmInspectorItemClass TrmBlankInspectorItem::Class = MakeClass<TrmBlankInspectorItem>("TrmBlankInspectorItem");

namespace {

const std::array<const TrmInspectorItemClass*, 11> kRegisteredClasses = {
    &TrmStringInspectorItem::Class,      &TrmComplexInspectorItem::Class,  &TrmComboInspectorItem::Class,
    &TrmComboInspectorItemEx::Class,     &TrmIntegerInspectorItem::Class,  &TrmSafeIntegerInspectorItem::Class,
    &TrmDateInspectorItem::Class,        &TrmCheckBoxInspectorItem::Class, &TrmCheckBoxExInspectorItem::Class,
    &TrmNodeInspectorItem::Class,        &TrmBlankInspectorItem::Class,
};

// The order in which GetItemClass tries the classes: a derived class answers with the
// first of its ancestors listed here.
const std::array<const TrmInspectorItemClass*, 11> kItemClassOrder = {
    &TrmStringInspectorItem::Class,      &TrmComplexInspectorItem::Class, &TrmComboInspectorItem::Class,
    &TrmComboInspectorItemEx::Class,     &TrmIntegerInspectorItem::Class, &TrmDateInspectorItem::Class,
    &TrmCheckBoxInspectorItem::Class,    &TrmNodeInspectorItem::Class,    &TrmSafeIntegerInspectorItem::Class,
    &TrmBlankInspectorItem::Class,       &TrmCheckBoxExInspectorItem::Class,
};

} // namespace

const TrmInspectorItemClass* FindInspectorItemClass(std::string_view Name)
{
    for (const TrmInspectorItemClass* itemClass : kRegisteredClasses)
        if (itemClass->Name == Name)
            return itemClass;
    return nullptr;
}

std::span<const TrmInspectorItemClass* const> RegisteredInspectorItemClasses()
{
    return kRegisteredClasses;
}

// ---- Base

const TrmInspectorItemClass& TrmCustomInspectorItem::GetItemClass() const
{
    for (const TrmInspectorItemClass* itemClass : kItemClassOrder)
        if (itemClass->IsInstance(*this))
            return *itemClass;
    return TrmStringInspectorItem::Class;
}

void TrmCustomInspectorItem::Assign(const TPersistent* Source)
{
    const auto* item = dynamic_cast<const TrmCustomInspectorItem*>(Source);
    if (!item || &item->ItemClass() != &ItemClass()) {
        TPersistent::Assign(Source);
        return;
    }
    FName = item->FName;
    FHint = item->FHint;
    FEditabled = item->FEditabled;
    AssignValue(*item);
}

void TrmCustomInspectorItem::GetValueFromEditor(platform::Control& /*Editor*/)
{
    UpdateParentText();
}

void TrmCustomInspectorItem::UpdateParentText()
{
    if (FNode && FInspector)
        FInspector->UpdateText(FNode->Parent());
    ShowValue();
}

void TrmCustomInspectorItem::ShowValue()
{
    if (FNode && FInspector)
        FInspector->ItemValueChanged(*this);
}

void TrmTextValueInspectorItem::SetValue(const std::string& Value)
{
    FValue = Value;
    UpdateParentText();
}

// ---- String and long text

void TrmStringInspectorItem::AssignValue(const TrmCustomInspectorItem& Source)
{
    const auto& item = static_cast<const TrmStringInspectorItem&>(Source);
    FMaxLength = item.FMaxLength;
    FPasswordChar = item.FPasswordChar;
    SetValue(item.Value());
}

TrmCustomInspectorItem::TEditorClass TrmStringInspectorItem::EditorClass() const
{
    return [](TrmInspector& Owner) -> std::unique_ptr<platform::Control> {
        return std::make_unique<TrmInspectorEdit>(Owner);
    };
}

void TrmStringInspectorItem::SetupEditor(TrmInspector& Inspector, platform::Control& Editor)
{
    if (auto* edit = dynamic_cast<TrmInspectorEdit*>(&Editor)) {
        SetupPlainEditor(Inspector, *edit);
        edit->SetMaxLength(FMaxLength);
        edit->SetPasswordChar(static_cast<unsigned char>(FPasswordChar));
    }
}

void TrmStringInspectorItem::SetValueIntoEditor(platform::Control& Editor)
{
    if (auto* edit = dynamic_cast<TrmInspectorEdit*>(&Editor))
        ShowTextInEditor(*edit, Value());
}

void TrmStringInspectorItem::GetValueFromEditor(platform::Control& Editor)
{
    if (auto* edit = dynamic_cast<TrmInspectorEdit*>(&Editor)) {
        SetValue(edit->Text());
        TrmCustomInspectorItem::GetValueFromEditor(Editor);
    }
}

TrmCustomInspectorItem::TEditorClass TrmComplexInspectorItem::EditorClass() const
{
    return [](TrmInspector&) -> std::unique_ptr<platform::Control> { return std::make_unique<TrmBtnEdit>(); };
}

void TrmComplexInspectorItem::SetupEditor(TrmInspector& Inspector, platform::Control& Editor)
{
    if (auto* edit = dynamic_cast<TrmBtnEdit*>(&Editor)) {
        SetupPlainEditor(Inspector, *edit);
        edit->SetReadOnly(true);
        edit->OnBtn1Click = [&Inspector](TObject* Sender) { Inspector.ComplexEditClick(Sender); };
    }
}

void TrmComplexInspectorItem::SetValueIntoEditor(platform::Control& Editor)
{
    if (auto* edit = dynamic_cast<TrmBtnEdit*>(&Editor))
        ShowTextInEditor(*edit, Value());
}

// ---- Choices

TrmCustomInspectorItem::TEditorClass TrmComboInspectorItem::EditorClass() const
{
    return [](TrmInspector& Owner) -> std::unique_ptr<platform::Control> {
        return std::make_unique<TrmInspectorBtnCombo>(Owner);
    };
}

void TrmComboInspectorItem::SetupEditor(TrmInspector& Inspector, platform::Control& Editor)
{
    if (auto* combo = dynamic_cast<TrmInspectorBtnCombo*>(&Editor)) {
        combo->SetBorderStyle(bsNone);
        combo->SetCtl3D(false);
        combo->SetColor(CanvasColorOf(Inspector.SelectedItemBgColor()));
        combo->SetFont(Inspector.Font());
        combo->SetComboItems(FItems);
        combo->SetItemIndex(0);
        combo->ListBox().SetItemHeight(std::abs(Inspector.ItemHeight() - 7));
        combo->SetStyle(csOwnerDrawFixed);
    }
}

void TrmComboInspectorItem::AssignValue(const TrmCustomInspectorItem& Source)
{
    const auto& item = static_cast<const TrmComboInspectorItem&>(Source);
    FItems = item.FItems;
    FItemIndex = item.FItemIndex;
    SetValue(item.Value());
}

int32_t TrmComboInspectorItem::ItemIndex() const
{
    if (FItemIndex >= 0 && FItemIndex < int32_t(FItems.size()) && FItems[size_t(FItemIndex)] == Value())
        return FItemIndex;
    const auto found = std::find(FItems.begin(), FItems.end(), Value());
    return found == FItems.end() ? -1 : int32_t(found - FItems.begin());
}

void TrmComboInspectorItem::SetItemIndex(int32_t Value)
{
    FItemIndex = Value >= 0 && Value < int32_t(FItems.size()) ? Value : -1;
    SetValue(FItemIndex >= 0 ? FItems[size_t(FItemIndex)] : std::string());
}

void TrmComboInspectorItem::SetValueIntoEditor(platform::Control& Editor)
{
    if (auto* combo = dynamic_cast<TrmCustomBtnCombo*>(&Editor); combo && combo->ItemIndex() != ItemIndex())
        combo->SetItemIndex(ItemIndex());
}

void TrmComboInspectorItem::GetValueFromEditor(platform::Control& Editor)
{
    if (auto* combo = dynamic_cast<TrmCustomBtnCombo*>(&Editor)) {
        FItemIndex = combo->ItemIndex();
        SetValue(combo->Text());
        TrmCustomInspectorItem::GetValueFromEditor(Editor);
    }
}

TrmCustomInspectorItem::TEditorClass TrmComboInspectorItemEx::EditorClass() const
{
    return [](TrmInspector&) -> std::unique_ptr<platform::Control> { return std::make_unique<TrmBtnCombo>(); };
}

void TrmComboInspectorItemEx::SetupEditor(TrmInspector& Inspector, platform::Control& Editor)
{
    if (auto* combo = dynamic_cast<TrmBtnCombo*>(&Editor)) {
        combo->SetBorderStyle(bsNone);
        combo->SetReadOnly(true);
        combo->SetFont(Inspector.Font());
        combo->SetComboItems(Items());
        combo->SetItemIndex(0);
        combo->SetEditorEnabled(false);
        combo->OnBtnClick = [&Inspector](TObject* Sender) { Inspector.ComplexEditClick(Sender); };
    }
}

// ---- Integer

std::string TrmIntegerInspectorItem::GetStringValue() const
{
    return std::to_string(FValue);
}

void TrmIntegerInspectorItem::SetStringValue(const std::string& Value)
{
    SetValue(StrToInt(Value));
}

void TrmIntegerInspectorItem::SetValue(int32_t Value)
{
    CheckRange(Value);
    StoreValue(Value);
}

void TrmIntegerInspectorItem::AssignValue(const TrmCustomInspectorItem& Source)
{
    const auto& item = static_cast<const TrmIntegerInspectorItem&>(Source);
    FMinValue = item.FMinValue;
    FMaxValue = item.FMaxValue;
    FUseRange = item.FUseRange;
    StoreValue(item.FValue);
}

void TrmIntegerInspectorItem::CheckRange(int32_t Value) const
{
    if (FUseRange && !InRange(Value))
        throw Exception("Value must be between " + std::to_string(FMinValue) + " and " + std::to_string(FMaxValue));
}

void TrmIntegerInspectorItem::StoreValue(int32_t Value)
{
    FValue = Value;
    UpdateParentText();
}

TrmCustomInspectorItem::TEditorClass TrmIntegerInspectorItem::EditorClass() const
{
    return [](TrmInspector& Owner) -> std::unique_ptr<platform::Control> {
        return std::make_unique<TrmInspectorEdit>(Owner);
    };
}

void TrmIntegerInspectorItem::SetupEditor(TrmInspector& Inspector, platform::Control& Editor)
{
    if (auto* edit = dynamic_cast<TrmInspectorEdit*>(&Editor))
        SetupPlainEditor(Inspector, *edit);
}

void TrmIntegerInspectorItem::SetValueIntoEditor(platform::Control& Editor)
{
    if (auto* edit = dynamic_cast<TrmInspectorEdit*>(&Editor))
        ShowTextInEditor(*edit, AsString());
}

void TrmIntegerInspectorItem::GetValueFromEditor(platform::Control& Editor)
{
    if (auto* edit = dynamic_cast<TrmInspectorEdit*>(&Editor)) {
        SetAsString(edit->Text());
        TrmCustomInspectorItem::GetValueFromEditor(Editor);
    }
}

void TrmIntegerInspectorItem::SetMaxValue(int32_t Value)
{
    if (Value <= FMinValue)
        return;
    FMaxValue = Value;
    if (FUseRange && FValue > FMaxValue)
        StoreValue(FMaxValue);
}

void TrmIntegerInspectorItem::SetMinValue(int32_t Value)
{
    if (Value >= FMaxValue)
        return;
    FMinValue = Value;
    if (FUseRange && FValue < FMinValue)
        StoreValue(FMinValue);
}

// ---- Safe integer

TrmSafeIntegerInspectorItem::TrmSafeIntegerInspectorItem()
{
    StoreMaxValue(255);
    SetUseRange(true);
}

void TrmSafeIntegerInspectorItem::StoreText(const std::string& Value)
{
    FText = Value;
    UpdateParentText();
}

void TrmSafeIntegerInspectorItem::AssignValue(const TrmCustomInspectorItem& Source)
{
    TrmIntegerInspectorItem::AssignValue(Source);
    StoreText(static_cast<const TrmSafeIntegerInspectorItem&>(Source).FText);
}

void TrmSafeIntegerInspectorItem::SetStringValue(const std::string& Value)
{
    if (Value.empty()) {
        StoreText(Value);
        return;
    }
    const int32_t number = StrToInt(Value);
    if (!UseRange())
        StoreText(Value);
    else if (InRange(number))
        StoreText(std::to_string(number));
}

TrmCustomInspectorItem::TEditorClass TrmSafeIntegerInspectorItem::EditorClass() const
{
    return [](TrmInspector&) -> std::unique_ptr<platform::Control> { return std::make_unique<TrmSafeSpinEdit>(); };
}

void TrmSafeIntegerInspectorItem::SetValueIntoEditor(platform::Control& Editor)
{
    if (auto* edit = dynamic_cast<TrmSafeSpinEdit*>(&Editor)) {
        ShowTextInEditor(*edit, FText);
        edit->Invalidate();
    }
}

void TrmSafeIntegerInspectorItem::GetValueFromEditor(platform::Control& Editor)
{
    if (auto* edit = dynamic_cast<TrmSafeSpinEdit*>(&Editor)) {
        SetAsString(edit->Text());
        TrmCustomInspectorItem::GetValueFromEditor(Editor);
    }
}

void TrmSafeIntegerInspectorItem::SetupEditor(TrmInspector& Inspector, platform::Control& Editor)
{
    if (auto* edit = dynamic_cast<TrmSafeSpinEdit*>(&Editor))
        SetupPlainEditor(Inspector, *edit);
}

void TrmSafeIntegerInspectorItem::SetValue(int32_t Value)
{
    if (!UseRange() || InRange(Value))
        StoreText(std::to_string(Value));
}

void TrmSafeIntegerInspectorItem::SetMaxValue(int32_t Value)
{
    if (Value <= MinValue())
        return;
    StoreMaxValue(Value);
    if (UseRange() && !FText.empty() && StrToInt(FText) > Value)
        StoreText(std::to_string(Value));
}

void TrmSafeIntegerInspectorItem::SetMinValue(int32_t Value)
{
    if (Value >= MaxValue())
        return;
    StoreMinValue(Value);
    if (UseRange() && !FText.empty() && StrToInt(FText) < Value)
        StoreText(std::to_string(Value));
}

// ---- Date

void TrmDateInspectorItem::SetValue(TDateTime Value)
{
    FValue = Value;
    UpdateParentText();
}

void TrmDateInspectorItem::AssignValue(const TrmCustomInspectorItem& Source)
{
    const auto& item = static_cast<const TrmDateInspectorItem&>(Source);
    FDateFormat = item.FDateFormat;
    SetValue(item.FValue);
}

std::string TrmDateInspectorItem::GetStringValue() const
{
    return platform::DateToStr(FValue);
}

void TrmDateInspectorItem::SetStringValue(const std::string& Value)
{
    SetValue(platform::StrToDate(Value));
}

TrmCustomInspectorItem::TEditorClass TrmDateInspectorItem::EditorClass() const
{
    return [](TrmInspector&) -> std::unique_ptr<platform::Control> { return std::make_unique<TrmComboCalendar>(); };
}

void TrmDateInspectorItem::SetupEditor(TrmInspector& Inspector, platform::Control& Editor)
{
    if (auto* calendar = dynamic_cast<TrmComboCalendar*>(&Editor)) {
        SetupPlainEditor(Inspector, *calendar);
        calendar->SetDateFormat(FDateFormat);
    }
}

void TrmDateInspectorItem::SetValueIntoEditor(platform::Control& Editor)
{
    if (auto* calendar = dynamic_cast<TrmComboCalendar*>(&Editor); calendar && calendar->GetDate() != FValue)
        calendar->SetDate(FValue);
}

void TrmDateInspectorItem::GetValueFromEditor(platform::Control& Editor)
{
    if (auto* calendar = dynamic_cast<TrmComboCalendar*>(&Editor)) {
        SetValue(calendar->GetDate());
        TrmCustomInspectorItem::GetValueFromEditor(Editor);
    }
}

// ---- Check box

void TrmCheckBoxInspectorItem::SetValue(bool Value)
{
    FValue = Value;
    UpdateParentText();
}

std::string TrmCheckBoxInspectorItem::GetStringValue() const
{
    return BoolToStr(FValue);
}

void TrmCheckBoxInspectorItem::SetStringValue(const std::string& Value)
{
    SetValue(StrToBool(Value));
}

TrmCustomInspectorItem::TEditorClass TrmCheckBoxInspectorItem::EditorClass() const
{
    return [](TrmInspector& Owner) -> std::unique_ptr<platform::Control> {
        return std::make_unique<TrmInspectorCheckBox>(Owner);
    };
}

void TrmCheckBoxInspectorItem::SetupEditor(TrmInspector& Inspector, platform::Control& Editor)
{
    if (auto* box = dynamic_cast<TrmInspectorCheckBox*>(&Editor)) {
        SetupInspectorCheckBox(Inspector, *box);
        box->SetCaptionTrueFalse(true);
    }
}

void TrmCheckBoxInspectorItem::SetValueIntoEditor(platform::Control& Editor)
{
    if (auto* box = dynamic_cast<TrmInspectorCheckBox*>(&Editor))
        box->SetCheckedEx(StrToBool(AsString()));
}

void TrmCheckBoxInspectorItem::GetValueFromEditor(platform::Control& Editor)
{
    if (auto* box = dynamic_cast<TrmInspectorCheckBox*>(&Editor))
        SetAsString(BoolToStr(box->Checked()));
}

// ---- Three-state check box

void TrmCheckBoxExInspectorItem::SetState(TCBExState Value)
{
    FState = Value;
    UpdateParentText();
}

void TrmCheckBoxExInspectorItem::AssignValue(const TrmCustomInspectorItem& Source)
{
    const auto& item = static_cast<const TrmCheckBoxExInspectorItem&>(Source);
    FStrings.Assign(&item.FStrings);
    FUndefinedEnable = item.FUndefinedEnable;
    SetState(item.FState);
}

void TrmCheckBoxExInspectorItem::SetStringValue(const std::string& Value)
{
    TCBExState state = cbxUndefined;
    if (Value == FStrings.TrueState())
        state = cbxTrue;
    if (Value == FStrings.FalseState())
        state = cbxFalse;
    FState = state;
    ShowValue();
}

TrmCustomInspectorItem::TEditorClass TrmCheckBoxExInspectorItem::EditorClass() const
{
    return [](TrmInspector& Owner) -> std::unique_ptr<platform::Control> {
        return std::make_unique<TrmInspectorCheckBoxEx>(Owner);
    };
}

void TrmCheckBoxExInspectorItem::SetupEditor(TrmInspector& Inspector, platform::Control& Editor)
{
    if (auto* box = dynamic_cast<TrmInspectorCheckBoxEx*>(&Editor)) {
        SetupInspectorCheckBox(Inspector, *box);
        box->SetCaptionTrueFalse(false);
        box->SetAlwaysLight(false);
        box->SetStrings(FStrings);
        box->SetFullMode(FUndefinedEnable);
    }
}

void TrmCheckBoxExInspectorItem::SetValueIntoEditor(platform::Control& Editor)
{
    if (auto* box = dynamic_cast<TrmInspectorCheckBoxEx*>(&Editor))
        box->SetValue(FState);
}

void TrmCheckBoxExInspectorItem::GetValueFromEditor(platform::Control& Editor)
{
    if (auto* box = dynamic_cast<TrmInspectorCheckBoxEx*>(&Editor))
        SetState(box->Value());
}
