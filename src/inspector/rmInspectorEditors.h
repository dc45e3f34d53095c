#pragma once
// The in-place editors the inspector's items make for themselves, where an item needs
// more than the plain control: they hand the row-moving keys (Up, Down, Tab) to the
// inspector that owns them. Also the set-up the items share and the one change event of
// each editor kind the inspector listens to.
#include "inspector/rmBtnEdit.h"
#include "inspector/rmCheckBox.h"
#include "inspector/rmComboBox.h"
#include "inspector/rmComboCalendar.h"
#include "inspector/rmSpinEdit.h"

class TrmInspector;

// Up or Down without a shift key goes to the inspector's EditorKeyDown (true), any other
// key stays with the editor (false).
bool PassRowKeyToInspector(TrmInspector& Inspector, platform::Control& Editor, platform::KeyCode& Key,
                           platform::ShiftState Shift);

// The edit of text and number rows: the Tab character is not typed (the inspector's
// EditorKeyDown handles the Tab key).
class TrmInspectorEdit : public TrmCustomEdit {
public:
    explicit TrmInspectorEdit(TrmInspector& Owner) : FOwner(Owner) {}
    const char* ClassName() const override { return "TrmInspectorEdit"; }
    TrmInspector& Owner() const { return FOwner; }

protected:
    void KeyPress(char32_t& Key) override;

private:
    TrmInspector& FOwner;
};

// The spin edit of rows whose number may be empty: spinning from an empty text starts at
// MaxValue (down) or MinValue (up), and leaving keeps any text as it is.
class TrmSafeSpinEdit : public TrmSpinEdit {
public:
    const char* ClassName() const override { return "TrmSafeSpinEdit"; }

protected:
    void DecValue() override;
    void IncValue() override;
    void ExitCheck() override {}
};

// The combo of choice rows: with its list closed, Up and Down without a shift key move
// the inspector's selection instead of stepping through the choices.
class TrmInspectorBtnCombo : public TrmComboBox {
public:
    explicit TrmInspectorBtnCombo(TrmInspector& Owner) : FOwner(Owner) {}
    const char* ClassName() const override { return "TrmInspectorBtnCombo"; }

protected:
    void KeyDown(platform::KeyCode& Key, platform::ShiftState Shift) override;

private:
    TrmInspector& FOwner;
};

// Up and Down without a shift key move the inspector's selection; the Tab character is
// not the box's.
class TrmInspectorCheckBox : public TrmCheckBox {
public:
    explicit TrmInspectorCheckBox(TrmInspector& Owner) : FOwner(Owner) {}
    const char* ClassName() const override { return "TrmInspectorCheckBox"; }

protected:
    void KeyDown(platform::KeyCode& Key, platform::ShiftState Shift) override;
    void KeyPress(char32_t& Key) override;

private:
    TrmInspector& FOwner;
};

class TrmInspectorCheckBoxEx : public TrmCheckBoxEx {
public:
    explicit TrmInspectorCheckBoxEx(TrmInspector& Owner) : FOwner(Owner) {}
    const char* ClassName() const override { return "TrmInspectorCheckBoxEx"; }

protected:
    void KeyDown(platform::KeyCode& Key, platform::ShiftState Shift) override;
    void KeyPress(char32_t& Key) override;

private:
    TrmInspector& FOwner;
};

// The plain set-up of an edit editor: the inspector's font, no border, the selected-row
// colour, and the Tab key wanted.
void SetupPlainEditor(TrmInspector& Inspector, TrmCustomEdit& Edit);
// Text set only when it differs, so that refreshing an edit from its item keeps the
// caret and selection of the user's typing.
void ShowTextInEditor(TCustomEdit& Edit, const std::string& Text);
// The set-up both check-box items give their editor: the inspector's font, the box on
// the left, arrow keys and Tab wanted, not flat, no focus rectangle, the background
// filled in the inspector's selected-row colour.
void SetupInspectorCheckBox(TrmInspector& Inspector, TrmCustomCheckBox& Box);

// The event that reports each change of the editor's value; null for a control that has
// none.
TNotifyEvent* EditorChangeEventOf(platform::Control& Editor);
