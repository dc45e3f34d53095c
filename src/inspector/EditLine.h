#pragma once
// One line of editable text with a caret and a selection: the model under the edit
// controls. Positions count characters (code points), 0 before the first; the selection
// runs between the anchor and the caret.
#include <cstdint>
#include <string>
#include <string_view>

// What case the text takes: as typed, or every letter made a capital or a small one.
enum TEditCharCase : uint8_t { ecNormal, ecUpperCase, ecLowerCase };

class EditLine {
public:
    // UTF-8 in and out; malformed bytes come in as U+FFFD.
    std::string Text() const;
    // Replaces everything, whatever MaxLength; the caret goes to the start.
    void SetText(std::string_view Utf8);
    const std::u32string& Chars() const { return FChars; }
    int32_t Length() const { return int32_t(FChars.size()); }

    // Text set and typed from now on takes this case, and so does the text already there
    // (true when that changed it). Letters change by the Windows-1252 code page's rule.
    TEditCharCase CharCase() const { return FCharCase; }
    bool SetCharCase(TEditCharCase Value);
    // Utf8 as it reads in this case.
    std::string Cased(std::string_view Utf8) const;

    // 0 = no limit. Text already longer stays; only typing and pasting are refused.
    int32_t MaxLength() const { return FMaxLength; }
    void SetMaxLength(int32_t Value) { FMaxLength = Value < 0 ? 0 : Value; }

    int32_t Caret() const { return FCaret; }
    int32_t SelStart() const { return FCaret < FAnchor ? FCaret : FAnchor; }
    int32_t SelLength() const { return FCaret < FAnchor ? FAnchor - FCaret : FCaret - FAnchor; }
    std::string SelText() const;
    // Both clamped to the text.
    void SetSelection(int32_t Anchor, int32_t Caret);
    void SelectAll() { SetSelection(0, Length()); }
    // Moves the caret; with Extend the anchor stays, so the selection grows or shrinks.
    void MoveCaret(int32_t Position, bool Extend);

    // Selects the word (or the run of blanks) at Position.
    void SelectWordAt(int32_t Position);
    // Where Ctrl+Left and Ctrl+Right go: the start of the word before, after the caret.
    int32_t WordLeft(int32_t From) const;
    int32_t WordRight(int32_t From) const;

    // The selection becomes Utf8 (as much of it as MaxLength lets in; control characters
    // are dropped); the caret follows it. True when the text changed.
    bool ReplaceSelection(std::string_view Utf8);
    bool ReplaceSelection(std::u32string_view Chars);
    // Backspace and Delete: the selection, else the character before / after the caret.
    bool DeleteBackward();
    bool DeleteForward();

private:
    void ApplyCase(std::u32string& Chars) const;

    std::u32string FChars;
    TEditCharCase FCharCase = ecNormal;
    int32_t FMaxLength = 0;
    int32_t FAnchor = 0;
    int32_t FCaret = 0;
};
