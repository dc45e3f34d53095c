#include "inspector/EditLine.h"

#include "platform/Utf8.h"
#include "platform/Windows1252.h"

#include <algorithm>

namespace {

bool IsWordChar(char32_t c)
{
    return c != U' ' && c != U'\t';
}

bool IsControlChar(char32_t c)
{
    return c < 0x20 || c == 0x7F;
}

} // namespace

std::string EditLine::Text() const
{
    return platform::CodePointsToUtf8(FChars);
}

void EditLine::ApplyCase(std::u32string& Chars) const
{
    if (FCharCase == ecNormal)
        return;
    const auto change = FCharCase == ecUpperCase ? platform::UpperCodePageChar : platform::LowerCodePageChar;
    for (char32_t& c : Chars)
        c = change(c);
}

bool EditLine::SetCharCase(TEditCharCase Value)
{
    FCharCase = Value;
    const std::u32string old = FChars;
    ApplyCase(FChars);
    return FChars != old;
}

std::string EditLine::Cased(std::string_view Utf8) const
{
    if (FCharCase == ecNormal)
        return std::string(Utf8);
    std::u32string chars = platform::Utf8ToCodePoints(Utf8);
    ApplyCase(chars);
    return platform::CodePointsToUtf8(chars);
}

void EditLine::SetText(std::string_view Utf8)
{
    FChars = platform::Utf8ToCodePoints(Utf8);
    ApplyCase(FChars);
    FAnchor = FCaret = 0;
}

std::string EditLine::SelText() const
{
    return platform::CodePointsToUtf8(std::u32string_view(FChars).substr(size_t(SelStart()), size_t(SelLength())));
}

void EditLine::SetSelection(int32_t Anchor, int32_t Caret)
{
    FAnchor = std::clamp(Anchor, 0, Length());
    FCaret = std::clamp(Caret, 0, Length());
}

void EditLine::MoveCaret(int32_t Position, bool Extend)
{
    SetSelection(Extend ? FAnchor : Position, Position);
}

void EditLine::SelectWordAt(int32_t Position)
{
    int32_t start = std::clamp(Position, 0, Length()), end = start;
    const bool word = start < Length() ? IsWordChar(FChars[size_t(start)]) : start > 0 && IsWordChar(FChars[size_t(start - 1)]);
    while (start > 0 && IsWordChar(FChars[size_t(start - 1)]) == word)
        --start;
    while (end < Length() && IsWordChar(FChars[size_t(end)]) == word)
        ++end;
    SetSelection(start, end);
}

int32_t EditLine::WordLeft(int32_t From) const
{
    int32_t i = std::clamp(From, 0, Length());
    while (i > 0 && !IsWordChar(FChars[size_t(i - 1)]))
        --i;
    while (i > 0 && IsWordChar(FChars[size_t(i - 1)]))
        --i;
    return i;
}

int32_t EditLine::WordRight(int32_t From) const
{
    int32_t i = std::clamp(From, 0, Length());
    while (i < Length() && IsWordChar(FChars[size_t(i)]))
        ++i;
    while (i < Length() && !IsWordChar(FChars[size_t(i)]))
        ++i;
    return i;
}

bool EditLine::ReplaceSelection(std::string_view Utf8)
{
    return ReplaceSelection(platform::Utf8ToCodePoints(Utf8));
}

bool EditLine::ReplaceSelection(std::u32string_view Chars)
{
    std::u32string insert;
    insert.reserve(Chars.size());
    for (char32_t c : Chars)
        if (!IsControlChar(c))
            insert += c;
    ApplyCase(insert);
    const int32_t start = SelStart(), length = SelLength();
    if (FMaxLength > 0) {
        const int32_t room = std::max(0, FMaxLength - (Length() - length));
        if (int32_t(insert.size()) > room)
            insert.resize(size_t(room));
    }
    if (length == 0 && insert.empty())
        return false;
    FChars.replace(size_t(start), size_t(length), insert);
    FAnchor = FCaret = start + int32_t(insert.size());
    return true;
}

bool EditLine::DeleteBackward()
{
    if (SelLength() == 0) {
        if (FCaret == 0)
            return false;
        FAnchor = FCaret - 1;
    }
    return ReplaceSelection(std::u32string_view());
}

bool EditLine::DeleteForward()
{
    if (SelLength() == 0) {
        if (FCaret == Length())
            return false;
        FAnchor = FCaret + 1;
    }
    return ReplaceSelection(std::u32string_view());
}
