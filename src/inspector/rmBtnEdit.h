#pragma once
// The edit every in-place editor of the inspector derives from (TrmCustomEdit: it may ask
// for the Tab key), and the edit with up to two small buttons inside its right edge
// (TrmCustomBtnEdit, published as TrmBtnEdit).
#include "inspector/CustomEdit.h"
#include "inspector/rmSpeedBtns.h"
#include "platform/ChildControls.h"

#include <memory>

class TrmCustomEdit : public TCustomEdit {
public:
    TrmCustomEdit();
    ~TrmCustomEdit() override;
    const char* ClassName() const override { return "TrmCustomEdit"; }
    bool WantTabs() const { return FWantTabs; }
    void SetWantTabs(bool Value) { FWantTabs = Value; }
    bool WantsTabKey() const override { return FWantTabs; }

protected:
    // Button is shown inside the edit, above the text, and takes the mouse over it.
    // Borrowed: the derived control owns it and keeps it alive as long as itself.
    void AddButton(platform::Control& Button) { FChildren.Add(Button); }
    // The derived control's destructor takes its buttons out before they go.
    void RemoveButton(platform::Control& Button) { FChildren.Remove(Button); }

    void Paint(platform::Canvas& Canvas) override;
    void MouseDown(platform::MouseButton Button, platform::ShiftState Shift, int32_t X, int32_t Y) override;
    void MouseMove(platform::ShiftState Shift, int32_t X, int32_t Y) override;
    void MouseUp(platform::MouseButton Button, platform::ShiftState Shift, int32_t X, int32_t Y) override;
    void MouseLeave() override;
    // Not for a release after a press on a button.
    void Click() override;

private:
    bool FWantTabs = false;
    bool FPressOnButton = false; // the last press went to a button
    platform::ChildControls FChildren;
};

class TrmCustomBtnEdit : public TrmCustomEdit {
public:
    TrmCustomBtnEdit();
    ~TrmCustomBtnEdit() override;
    const char* ClassName() const override { return "TrmCustomBtnEdit"; }

    // Saves the text (Escape goes back to it), then takes the focus.
    void SetFocus();

    // When false, nothing can be typed over, pasted or cut.
    bool EditorEnabled() const { return FEditorEnabled; }
    void SetEditorEnabled(bool Value) { FEditorEnabled = Value; }
    int32_t BtnWidth() const { return FBtnWidth; }
    void SetBtnWidth(int32_t Value);
    bool Btn1Visible() const { return FBtn1->Visible(); }
    void SetBtn1Visible(bool Value);
    // The second button shows only while the first does.
    bool Btn2Visible() const { return FBtn2Visible; }
    void SetBtn2Visible(bool Value);
    bool Btn1Enabled() const { return FBtn1Enabled; }
    void SetBtn1Enabled(bool Value);
    bool Btn2Enabled() const { return FBtn2Enabled; }
    void SetBtn2Enabled(bool Value);
    // Null gives the default glyph (three dots) while UseDefaultGlyphs is on.
    const TBitmap32& Btn1Glyph() const { return FBtn1->Glyph(); }
    void SetBtn1Glyph(const TBitmap32* Value);
    const TBitmap32& Btn2Glyph() const { return FBtn2->Glyph(); }
    void SetBtn2Glyph(const TBitmap32* Value);
    int32_t Btn1NumGlyphs() const { return FBtn1->NumGlyphs(); }
    void SetBtn1NumGlyphs(int32_t Value) { FBtn1->SetNumGlyphs(Value); }
    int32_t Btn2NumGlyphs() const { return FBtn2->NumGlyphs(); }
    void SetBtn2NumGlyphs(int32_t Value) { FBtn2->SetNumGlyphs(Value); }
    bool UseDefaultGlyphs() const { return FUseDefaultGlyphs; }
    void SetUseDefaultGlyphs(bool Value);
    // Button 1 or 2; null for other numbers.
    TrmSpeedButton* GetButton(int32_t Index);
    // The default glyphs are loaded again.
    void SysColorChange() { ResetDefaultGlyphs(); }

    void CutToClipboard() override;
    void PasteFromClipboard() override;

    // Sender is the edit.
    TNotifyEvent OnBtn1Click;
    TNotifyEvent OnBtn2Click;

protected:
    // The formatting rectangle leaves room for the visible buttons.
    void SetEditRect() override;
    // The buttons go against the right edge, then SetEditRect.
    void Resize() override;
    void EnabledChanged() override;
    virtual void BtnClick(TrmSpeedButton& Sender);
    void ResetDefaultGlyphs();
    // Places the buttons without resizing.
    void PlaceButtons();
    // The first button shows a down arrow (a "Marlett" character) in place of a glyph.
    void ShowDropDownArrow();

    // Ctrl+Enter clicks the first button, Shift+Ctrl+Enter the second; Enter saves the
    // text; Escape goes back to the saved text.
    void KeyDown(platform::KeyCode& Key, platform::ShiftState Shift) override;
    // Line breaks are never typed.
    void KeyPress(char32_t& Key) override;
    void DoEnter() override;

    const std::string& SavedText() const { return FSavedText; }
    // The text becomes the one Escape goes back to.
    void SaveText() { FSavedText = Text(); }
    TrmSpeedButton& Button1() { return *FBtn1; }
    TrmSpeedButton& Button2() { return *FBtn2; }

private:
    std::unique_ptr<TrmSpeedButton> CreateButton();
    void SetButtonGlyph(TrmSpeedButton& Button, bool& DefaultFlag, const TBitmap32* Value);

    std::string FSavedText;
    std::unique_ptr<TrmSpeedButton> FBtn1;
    std::unique_ptr<TrmSpeedButton> FBtn2;
    bool FEditorEnabled = true;
    int32_t FBtnWidth = 16;
    bool FBtn2Visible = false;
    bool FBtn1Enabled = true;
    bool FBtn2Enabled = true;
    bool FBtn1DefaultGlyph = false;
    bool FBtn2DefaultGlyph = false;
    bool FUseDefaultGlyphs = true;
};

class TrmBtnEdit : public TrmCustomBtnEdit {
public:
    const char* ClassName() const override { return "TrmBtnEdit"; }
};
