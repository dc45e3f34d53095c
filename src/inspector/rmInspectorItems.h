#pragma once
// The values of the inspector's rows. An item belongs to one inspector, sits in the data
// of its row's node, shows its value as text (AsString) and decides which control edits
// it in place, how that control is set up and how the value moves between the two.
// Items are made by class: every class is registered under its name (FindInspectorItemClass).
//
// Common rule: every value setter stores the value and then brings the summaries of the
// parent rows up to date (the inspector's UpdateText on the node's parent); the row and
// its open editor show the new value.
#include "inspector/rmCheckBox.h"
#include "platform/Control.h"
#include "platform/DateTime.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class TrmInspector;
class TrmTreeNonViewNode;
class TrmCustomInspectorItem;

// A class of item: its name, a maker of new items and the test whether an item is one of
// its instances (or of a class derived from it).
struct TrmInspectorItemClass {
    std::string_view Name;
    std::unique_ptr<TrmCustomInspectorItem> (*Create)();
    bool (*IsInstance)(const TrmCustomInspectorItem& Item);
};

// The registered class of that name, null when there is none.
const TrmInspectorItemClass* FindInspectorItemClass(std::string_view Name);
// Every registered class.
std::span<const TrmInspectorItemClass* const> RegisteredInspectorItemClasses();

class TrmCustomInspectorItem : public TPersistent {
public:
    // Makes the in-place editor of an item for the inspector that will own it.
    using TEditorClass = std::unique_ptr<platform::Control> (*)(TrmInspector& Owner);

    TrmCustomInspectorItem() = default;
    TrmCustomInspectorItem(const TrmCustomInspectorItem&) = delete;
    TrmCustomInspectorItem& operator=(const TrmCustomInspectorItem&) = delete;
    const char* ClassName() const override { return "TrmCustomInspectorItem"; }
    virtual const TrmInspectorItemClass& ItemClass() const = 0;

    // The item's name among the inspector's items; GetItemByName finds the item by it.
    const std::string& Name() const { return FName; }
    void SetName(const std::string& Value) { FName = Value; }
    const std::string& Hint() const { return FHint; }
    void SetHint(const std::string& Value) { FHint = Value; }
    TrmInspector* Inspector() const { return FInspector; }
    void SetInspector(TrmInspector* Value) { FInspector = Value; }
    // Only an editable item gets an in-place editor.
    bool Editabled() const { return FEditabled; }
    void SetEditabled(bool Value) { FEditabled = Value; }
    TrmTreeNonViewNode* Node() const { return FNode; }
    void SetNode(TrmTreeNonViewNode* Value) { FNode = Value; }

    std::string AsString() const { return GetStringValue(); }
    void SetAsString(const std::string& Value) { SetStringValue(Value); }

    // From an item of the same class: its name, hint, editability, settings and value.
    // Other sources raise the platform's assign error.
    void Assign(const TPersistent* Source) override;

    // The first of String, Complex, Combo, ComboEx, Integer, Date, CheckBox, Node,
    // SafeInteger, Blank, CheckBoxEx whose instance this item is; String when none.
    const TrmInspectorItemClass& GetItemClass() const;

    virtual std::string GetStringValue() const = 0;
    // May raise EConvertError or Exception for text the item cannot take; the value is
    // then unchanged.
    virtual void SetStringValue(const std::string& Value) = 0;

    // The editor operations do nothing unless the editor is of the item's editor class.
    // Null: the item is never edited in place.
    virtual TEditorClass EditorClass() const { return nullptr; }
    // Takes the value from the editor; the base only updates the parent summaries.
    virtual void GetValueFromEditor(platform::Control& Editor);
    virtual void SetValueIntoEditor(platform::Control& /*Editor*/) {}
    virtual void SetupEditor(TrmInspector& /*Inspector*/, platform::Control& /*Editor*/) {}

protected:
    // The settings of the class (ranges, choices, texts) and the value, as Source, an item
    // of the same class, holds them: a value its range would refuse now is kept too.
    virtual void AssignValue(const TrmCustomInspectorItem& Source) { SetAsString(Source.AsString()); }
    // The common rule of the value setters: the parent summaries follow the new value,
    // and so does the row (ShowValue).
    void UpdateParentText();
    // The row and its open editor show the new value.
    void ShowValue();

    template <class T>
    static TrmInspectorItemClass MakeClass(std::string_view Name)
    {
        return {Name, [] { return std::unique_ptr<TrmCustomInspectorItem>(new T); },
                [](const TrmCustomInspectorItem& Item) { return dynamic_cast<const T*>(&Item) != nullptr; }};
    }

    bool FEditabled = true;

private:
    std::string FName;
    std::string FHint;
    TrmInspector* FInspector = nullptr;
    TrmTreeNonViewNode* FNode = nullptr;
};

// An item whose value is one text shown as it is.
class TrmTextValueInspectorItem : public TrmCustomInspectorItem {
public:
    const std::string& Value() const { return FValue; }
    void SetValue(const std::string& Value);
    std::string GetStringValue() const override { return FValue; }
    void SetStringValue(const std::string& Value) override { SetValue(Value); }

protected:
    // Stores without touching the parent summaries.
    void StoreValue(const std::string& Value) { FValue = Value; }

private:
    std::string FValue;
};

class TrmStringInspectorItem : public TrmTextValueInspectorItem {
public:
    static const TrmInspectorItemClass Class;
    const char* ClassName() const override { return "TrmStringInspectorItem"; }
    const TrmInspectorItemClass& ItemClass() const override { return Class; }
    TEditorClass EditorClass() const override;
    void GetValueFromEditor(platform::Control& Editor) override;
    void SetValueIntoEditor(platform::Control& Editor) override;
    void SetupEditor(TrmInspector& Inspector, platform::Control& Editor) override;

    // Passed to the editor: the longest text it takes (0: no limit) and the character it
    // shows in place of each typed one (0: the text itself).
    int32_t MaxLength() const { return FMaxLength; }
    void SetMaxLength(int32_t Value) { FMaxLength = Value; }
    char PasswordChar() const { return FPasswordChar; }
    void SetPasswordChar(char Value) { FPasswordChar = Value; }

protected:
    void AssignValue(const TrmCustomInspectorItem& Source) override;

private:
    int32_t FMaxLength = 0;
    char FPasswordChar = 0;
};

// A long text edited elsewhere: its row shows a read-only edit whose button fires the
// inspector's OnComplexEdit. Not editable until the caller makes it so.
class TrmComplexInspectorItem : public TrmTextValueInspectorItem {
public:
    static const TrmInspectorItemClass Class;
    TrmComplexInspectorItem() { FEditabled = false; }
    const char* ClassName() const override { return "TrmComplexInspectorItem"; }
    const TrmInspectorItemClass& ItemClass() const override { return Class; }
    TEditorClass EditorClass() const override;
    // The read-only text is not taken back: only the parent summaries are updated.
    void SetValueIntoEditor(platform::Control& Editor) override;
    void SetupEditor(TrmInspector& Inspector, platform::Control& Editor) override;
};

// A text chosen from a list of choices; its editor offers only those. Two choices may
// read alike (a province named like the list's "none" entry): ItemIndex tells them apart.
class TrmComboInspectorItem : public TrmTextValueInspectorItem {
public:
    static const TrmInspectorItemClass Class;
    const char* ClassName() const override { return "TrmComboInspectorItem"; }
    const TrmInspectorItemClass& ItemClass() const override { return Class; }

    std::vector<std::string>& Items() { return FItems; }
    const std::vector<std::string>& Items() const { return FItems; }
    void SetItems(const std::vector<std::string>& Value) { FItems = Value; }
    // The position of the value among the choices: the choice last made by position while
    // the value is still its text, else the first choice with the value's text; -1 when
    // there is none.
    int32_t ItemIndex() const;
    // The value becomes the choice at Value (the empty text outside the choices).
    void SetItemIndex(int32_t Value);

    TEditorClass EditorClass() const override;
    // Both take any button combo, the Ex item's editor included.
    void GetValueFromEditor(platform::Control& Editor) override;
    // Selects the choice equal to the value; none (an empty text) when there is no such choice.
    void SetValueIntoEditor(platform::Control& Editor) override;
    void SetupEditor(TrmInspector& Inspector, platform::Control& Editor) override;

protected:
    void AssignValue(const TrmCustomInspectorItem& Source) override;

private:
    std::vector<std::string> FItems;
    int32_t FItemIndex = -1;
};

class TrmComboInspectorItemEx : public TrmComboInspectorItem {
public:
    static const TrmInspectorItemClass Class;
    const char* ClassName() const override { return "TrmComboInspectorItemEx"; }
    const TrmInspectorItemClass& ItemClass() const override { return Class; }
    // A read-only button combo whose ellipsis button fires the inspector's OnComplexEdit.
    TEditorClass EditorClass() const override;
    void SetupEditor(TrmInspector& Inspector, platform::Control& Editor) override;
};

// A whole number, shown in decimal. With UseRange a value outside MinValue..MaxValue is
// refused with "Value must be between <min> and <max>".
class TrmIntegerInspectorItem : public TrmCustomInspectorItem {
public:
    static const TrmInspectorItemClass Class;
    const char* ClassName() const override { return "TrmIntegerInspectorItem"; }
    const TrmInspectorItemClass& ItemClass() const override { return Class; }

    int32_t Value() const { return FValue; }
    virtual void SetValue(int32_t Value);
    int32_t MinValue() const { return FMinValue; }
    int32_t MaxValue() const { return FMaxValue; }
    // Accepted only above MinValue; with UseRange a larger value comes down to it.
    virtual void SetMaxValue(int32_t Value);
    // Accepted only below MaxValue; with UseRange a smaller value comes up to it.
    virtual void SetMinValue(int32_t Value);
    bool UseRange() const { return FUseRange; }
    void SetUseRange(bool Value) { FUseRange = Value; }

    std::string GetStringValue() const override;
    void SetStringValue(const std::string& Value) override;
    TEditorClass EditorClass() const override;
    // May raise the range or conversion error of SetStringValue.
    void GetValueFromEditor(platform::Control& Editor) override;
    void SetValueIntoEditor(platform::Control& Editor) override;
    void SetupEditor(TrmInspector& Inspector, platform::Control& Editor) override;

protected:
    void AssignValue(const TrmCustomInspectorItem& Source) override;
    bool InRange(int32_t Value) const { return FMinValue <= Value && Value <= FMaxValue; }
    void StoreMaxValue(int32_t Value) { FMaxValue = Value; }
    void StoreMinValue(int32_t Value) { FMinValue = Value; }

private:
    void CheckRange(int32_t Value) const;
    void StoreValue(int32_t Value);

    int32_t FValue = 0;
    int32_t FMinValue = 0;
    int32_t FMaxValue = 1;
    bool FUseRange = false;
};

// A whole number kept as text, so that it may be empty (several provinces with different
// values). With UseRange (the default, 0..255) a number outside the range is dropped
// without a message. Read it through AsString: Value is the integer item's own field,
// which this item leaves alone.
class TrmSafeIntegerInspectorItem : public TrmIntegerInspectorItem {
public:
    static const TrmInspectorItemClass Class;
    TrmSafeIntegerInspectorItem();
    const char* ClassName() const override { return "TrmSafeIntegerInspectorItem"; }
    const TrmInspectorItemClass& ItemClass() const override { return Class; }

    void SetValue(int32_t Value) override;
    void SetMaxValue(int32_t Value) override;
    void SetMinValue(int32_t Value) override;

    std::string GetStringValue() const override { return FText; }
    void SetStringValue(const std::string& Value) override;
    TEditorClass EditorClass() const override;
    void GetValueFromEditor(platform::Control& Editor) override;
    void SetValueIntoEditor(platform::Control& Editor) override;
    void SetupEditor(TrmInspector& Inspector, platform::Control& Editor) override;

protected:
    void AssignValue(const TrmCustomInspectorItem& Source) override;

private:
    void StoreText(const std::string& Value);

    std::string FText;
};

class TrmDateInspectorItem : public TrmCustomInspectorItem {
public:
    static const TrmInspectorItemClass Class;
    const char* ClassName() const override { return "TrmDateInspectorItem"; }
    const TrmInspectorItemClass& ItemClass() const override { return Class; }

    TDateTime Value() const { return FValue; }
    void SetValue(TDateTime Value);
    // The format the editor shows the date in.
    const std::string& DateFormat() const { return FDateFormat; }
    void SetDateFormat(const std::string& Value) { FDateFormat = Value; }

    std::string GetStringValue() const override;
    void SetStringValue(const std::string& Value) override;
    TEditorClass EditorClass() const override;
    void GetValueFromEditor(platform::Control& Editor) override;
    void SetValueIntoEditor(platform::Control& Editor) override;
    void SetupEditor(TrmInspector& Inspector, platform::Control& Editor) override;

protected:
    void AssignValue(const TrmCustomInspectorItem& Source) override;

private:
    TDateTime FValue = 0;
    std::string FDateFormat;
};

// Yes or no, shown as "True" or "False".
class TrmCheckBoxInspectorItem : public TrmCustomInspectorItem {
public:
    static const TrmInspectorItemClass Class;
    const char* ClassName() const override { return "TrmCheckBoxInspectorItem"; }
    const TrmInspectorItemClass& ItemClass() const override { return Class; }

    bool Value() const { return FValue; }
    void SetValue(bool Value);

    std::string GetStringValue() const override;
    void SetStringValue(const std::string& Value) override;
    TEditorClass EditorClass() const override;
    void GetValueFromEditor(platform::Control& Editor) override;
    void SetValueIntoEditor(platform::Control& Editor) override;
    void SetupEditor(TrmInspector& Inspector, platform::Control& Editor) override;

private:
    bool FValue = false;
};

// Undefined, true or false, each shown with a text of its own (Strings).
class TrmCheckBoxExInspectorItem : public TrmCustomInspectorItem {
public:
    static const TrmInspectorItemClass Class;
    const char* ClassName() const override { return "TrmCheckBoxExInspectorItem"; }
    const TrmInspectorItemClass& ItemClass() const override { return Class; }

    TCBExState State() const { return FState; }
    void SetState(TCBExState Value);
    const TrmCheckBoxExStrings& Strings() const { return FStrings; }
    TrmCheckBoxExStrings& Strings() { return FStrings; }
    // Copies the texts: the item keeps its own.
    void SetStrings(const TrmCheckBoxExStrings& Value) { FStrings.Assign(&Value); }
    // Whether the editor's clicks pass through the undefined state.
    bool UndefinedEnable() const { return FUndefinedEnable; }
    void SetUndefinedEnable(bool Value) { FUndefinedEnable = Value; }

    std::string GetStringValue() const override { return FStrings.Text(FState); }
    // TrueState gives true, FalseState false (the latter wins when both texts are equal),
    // any other text undefined. The parent summaries are left as they are.
    void SetStringValue(const std::string& Value) override;
    TEditorClass EditorClass() const override;
    void GetValueFromEditor(platform::Control& Editor) override;
    void SetValueIntoEditor(platform::Control& Editor) override;
    void SetupEditor(TrmInspector& Inspector, platform::Control& Editor) override;

protected:
    void AssignValue(const TrmCustomInspectorItem& Source) override;

private:
    TCBExState FState = cbxUndefined;
    TrmCheckBoxExStrings FStrings;
    bool FUndefinedEnable = false;
};

// A parent row: its text is the summary of its children, "(5, abc)".
class TrmNodeInspectorItem : public TrmTextValueInspectorItem {
public:
    static const TrmInspectorItemClass Class;
    TrmNodeInspectorItem() { FEditabled = false; }
    const char* ClassName() const override { return "TrmNodeInspectorItem"; }
    const TrmInspectorItemClass& ItemClass() const override { return Class; }
    // The inspector's summary, stored without the common rule: the inspector brings the
    // rows above up to date itself.
    void SetSummary(const std::string& Value) { StoreValue(Value); }
};

// A row that shows a text and cannot be edited.
class TrmBlankInspectorItem : public TrmTextValueInspectorItem {
public:
    static const TrmInspectorItemClass Class;
    TrmBlankInspectorItem() { FEditabled = false; }
    const char* ClassName() const override { return "TrmBlankInspectorItem"; }
    const TrmInspectorItemClass& ItemClass() const override { return Class; }
};
