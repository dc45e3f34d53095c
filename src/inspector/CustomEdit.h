#pragma once
// The single-line edit box the edit controls build on, drawn by the program itself: a
// border, the text with its selection and caret inside a formatting rectangle that
// derived controls narrow to make room for buttons, typing, caret keys, mouse selection
// and the clipboard. Text is UTF-8. Read right to left, the text reads so, and with
// right-to-left alignment a text that fits ends at the rectangle's right edge.
#include "inspector/BorderStyle.h"
#include "inspector/EditLine.h"
#include "platform/Control.h"

#include <string>
#include <string_view>
#include <vector>

// How the window system's input method editors take part in typing: switched off,
// closed (direct entry until the user opens one), open, left alone, or asked for a
// conversion mode (half- or full-width Latin, Hiragana, Katakana, Chinese, Hangul).
enum TImeMode : uint8_t {
    imDisable, imClose, imOpen, imDontCare, imSAlpha, imAlpha, imHira, imSKata, imKata, imChinese, imSHanguel,
    imHanguel
};

class TCustomEdit : public platform::Control {
public:
    TCustomEdit();
    const char* ClassName() const override { return "TCustomEdit"; }

    std::string Text() const { return FLine.Text(); }
    // A different text is stored whole (MaxLength limits typing only), the caret goes to
    // the start, the text counts as unmodified, and Change runs.
    void SetText(std::string_view Value);
    // Whether the user changed the text since it was last set.
    bool Modified() const { return FModified; }
    void SetModified(bool Value) { FModified = Value; }
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle Value);
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool Value);
    int32_t MaxLength() const { return FLine.MaxLength(); }
    void SetMaxLength(int32_t Value) { FLine.SetMaxLength(Value); }
    // Shown in place of every character when not 0; such text cannot be copied.
    char32_t PasswordChar() const { return FPasswordChar; }
    void SetPasswordChar(char32_t Value);
    bool AutoSelect() const { return FAutoSelect; }
    void SetAutoSelect(bool Value) { FAutoSelect = Value; }
    // The case of the text set, typed and pasted; changing it changes the text there.
    TEditCharCase CharCase() const { return FLine.CharCase(); }
    void SetCharCase(TEditCharCase Value);
    // Whether the selection shows only while the edit has the focus.
    bool HideSelection() const { return FHideSelection; }
    void SetHideSelection(bool Value) { StoreAndRepaint(FHideSelection, Value); }
    // Input methods: off with imDisable (and while read-only), else on, starting in Latin
    // entry for imClose, imSAlpha and imAlpha, and preferring the CharCase's letters. The
    // other conversion modes, and ImeName (which input method), have nothing to ask of the
    // window system here and are only kept.
    TImeMode ImeMode() const { return FImeMode; }
    void SetImeMode(TImeMode Value);
    const std::string& ImeName() const { return FImeName; }
    void SetImeName(const std::string& Value) { FImeName = Value; }
    // Kept only: there is no OEM code page to pass typed text through and back.
    bool OEMConvert() const { return FOEMConvert; }
    void SetOEMConvert(bool Value) { FOEMConvert = Value; }
    platform::InputMethodHints InputMethod() const override;

    int32_t SelStart() const { return FLine.SelStart(); }
    int32_t SelLength() const { return FLine.SelLength(); }
    std::string SelText() const { return FLine.SelText(); }
    void SetSelStart(int32_t Value);
    void SetSelLength(int32_t Value);
    void SelectAll();
    // Replaces the selection as typing would (MaxLength applies); ignores ReadOnly.
    void SetSelText(std::string_view Value);
    void ClearSelection() { SetSelText({}); }
    const EditLine& Line() const { return FLine; }

    void CopyToClipboard();
    virtual void CutToClipboard();
    virtual void PasteFromClipboard();

    // The area inside the border, and the formatting rectangle inside it (in the
    // coordinates of that area, as the text sees them).
    int32_t BorderWidth() const;
    int32_t ClientWidth() const { return Width() - 2 * BorderWidth(); }
    int32_t ClientHeight() const { return Height() - 2 * BorderWidth(); }
    platform::Rect EditRect() const { return FEditRect; }

    bool WantsArrowKeys() const override { return true; }

    TNotifyEvent OnChange;

protected:
    // Fires OnChange.
    virtual void Change();
    // Sets the formatting rectangle; the base takes the whole area inside the border.
    virtual void SetEditRect();
    void ApplyEditRect(const platform::Rect& Rect);
    // A point of the control in the coordinates of the area inside the border.
    platform::Point ToClientArea(platform::Point P) const;

    void Paint(platform::Canvas& Canvas) override;
    void MouseDown(platform::MouseButton Button, platform::ShiftState Shift, int32_t X, int32_t Y) override;
    void MouseMove(platform::ShiftState Shift, int32_t X, int32_t Y) override;
    void MouseUp(platform::MouseButton Button, platform::ShiftState Shift, int32_t X, int32_t Y) override;
    void DblClick() override;
    // OnKeyDown, then, unless the key was used up, the caret keys and the clipboard keys
    // (Ctrl+Insert, Shift+Insert, Shift+Delete) and Delete.
    void KeyDown(platform::KeyCode& Key, platform::ShiftState Shift) override;
    // OnKeyPress, then, unless the character was used up: Backspace, Ctrl+A (select all),
    // Ctrl+C, Ctrl+V, Ctrl+X, and printable characters typed over the selection.
    void KeyPress(char32_t& Key) override;
    void DoEnter() override;
    void DoExit() override;
    void Resize() override;
    // With AutoSize the height follows the font: its line height, the border and two
    // pixels above and below the text.
    bool CanAutoSize(int32_t& NewWidth, int32_t& NewHeight) override;
    void FontChanged() override;
    // The sunken two-pixel border and the button placement of the 3-D look.
    void Ctl3DChanged() override;

private:
    // UserEdit marks the text modified; a text set whole clears the mark.
    void TextChanged(bool UserEdit = true);
    // The text position nearest to control point X, from the widths of the last paint.
    int32_t PositionAt(int32_t X) const;
    // Places the shown run of Shown in a formatting rectangle Room pixels wide: from the
    // first character shown on, scrolled so that the caret is in view, and measures the x
    // of each of its positions. Only what shows is measured, so a paint costs the same
    // for a text of any length.
    void MeasureShownRun(platform::Canvas& Canvas, std::u32string_view Shown, int32_t Room);
    std::u32string ShownChars() const;

    EditLine FLine;
    TBorderStyle FBorderStyle = bsSingle;
    bool FReadOnly = false;
    char32_t FPasswordChar = 0;
    bool FAutoSelect = true;
    bool FHideSelection = true;
    TImeMode FImeMode = imDontCare;
    std::string FImeName;
    bool FOEMConvert = false;
    bool FModified = false;
    bool FSelecting = false;           // a left press is selecting with the mouse
    platform::Rect FEditRect;          // in the area inside the border
    int32_t FFirstShown = 0;           // the characters before it are scrolled off to the left
    int32_t FTextLeft = 0;             // x of the first character shown at the last paint
    std::vector<int32_t> FCharX;       // x of each shown position at the last paint, from FTextLeft
    int32_t FPaintedLength = -1;       // the text's length at the last paint
};
