#include "inspector/rmDrawText.h"

#include "platform/Control.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

// "&x" shows x (underlined by the platform, plainly here), "&&" shows "&", a last "&" nothing.
std::string WithoutPrefixes(std::string_view text)
{
    std::string result;
    result.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '&')
            result += text[i];
        else if (i + 1 < text.size())
            result += text[++i];
    }
    return result;
}

// Splits one paragraph (no line breaks) into lines no wider than `width`, breaking after
// blanks; a word wider than the width stands on a line of its own.
void WrapParagraph(platform::Canvas& canvas, std::string_view paragraph, int32_t width, const platform::FontSpec& font,
                   std::vector<std::string>& lines)
{
    // A paragraph that fits is one line, measured once rather than word by word (a long
    // hint is as wide as its text).
    if (canvas.TextExtent(paragraph, font).Width <= width) {
        lines.emplace_back(paragraph.substr(0, paragraph.size() - (paragraph.back() == ' '))); // as word by word
        return;
    }
    while (!paragraph.empty()) {
        size_t fit = 0; // length of the longest prefix ending at a word end that fits
        size_t pos = 0;
        while (pos < paragraph.size()) {
            size_t wordEnd = paragraph.find(' ', pos);
            if (wordEnd == std::string_view::npos)
                wordEnd = paragraph.size();
            if (fit > 0 && canvas.TextExtent(paragraph.substr(0, wordEnd), font).Width > width)
                break;
            fit = wordEnd;
            pos = wordEnd + 1;
        }
        lines.emplace_back(paragraph.substr(0, fit));
        paragraph.remove_prefix(std::min(paragraph.size(), fit));
        while (!paragraph.empty() && paragraph.front() == ' ')
            paragraph.remove_prefix(1);
    }
}

std::vector<std::string> SplitLines(platform::Canvas& canvas, const std::string& text, uint32_t flags, int32_t width,
                                    const platform::FontSpec& font)
{
    std::vector<std::string> lines;
    if (flags & dt::SingleLine) {
        std::string line = text;
        std::replace(line.begin(), line.end(), '\n', ' ');
        line.erase(std::remove(line.begin(), line.end(), '\r'), line.end());
        lines.push_back(line);
        return lines;
    }
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string_view paragraph(text.data() + start, end - start);
        if (!paragraph.empty() && paragraph.back() == '\r')
            paragraph.remove_suffix(1);
        if ((flags & dt::WordBreak) && !paragraph.empty())
            WrapParagraph(canvas, paragraph, width, font, lines);
        else
            lines.emplace_back(paragraph);
        start = end + 1;
    }
    return lines;
}

} // namespace

int32_t DrawTextInRect(platform::Canvas& Canvas, std::string_view Text, platform::Rect& Rect, uint32_t Flags,
                       const platform::FontSpec& Font)
{
    const std::string text = (Flags & dt::NoPrefix) ? std::string(Text) : WithoutPrefixes(Text);
    const std::vector<std::string> lines = SplitLines(Canvas, text, Flags, Rect.Width(), Font);
    const int32_t lineHeight = Canvas.TextExtent(" ", Font).Height;
    const int32_t textHeight = lineHeight * int32_t(lines.size());

    if (Flags & dt::CalcRect) {
        int32_t widest = 0;
        for (const std::string& line : lines)
            widest = std::max(widest, Canvas.TextExtent(line, Font).Width);
        Rect.Right = Rect.Left + widest;
        Rect.Bottom = Rect.Top + textHeight;
        return textHeight;
    }

    int32_t y = Rect.Top;
    if (Flags & dt::SingleLine) {
        if (Flags & dt::VCenter)
            y = Rect.Top + (Rect.Height() - lineHeight) / 2;
        else if (Flags & dt::Bottom)
            y = Rect.Bottom - lineHeight;
    }
    for (const std::string& line : lines) {
        int32_t x = Rect.Left;
        const bool measured = (Flags & (dt::Center | dt::Right | dt::RtlReading)) != 0;
        const int32_t width = measured ? Canvas.TextExtent(line, Font).Width : 0;
        if (Flags & (dt::Center | dt::Right))
            x = (Flags & dt::Center) ? Rect.Left + (Rect.Width() - width) / 2 : Rect.Right - width;
        if (Flags & dt::RtlReading)
            Canvas.TextOutRightToLeft(x + width, y, line, Font);
        else
            Canvas.TextOut(x, y, line, Font);
        y += lineHeight;
    }
    return textHeight;
}

uint32_t DrawTextBiDiModeFlags(const platform::Control& Control, uint32_t Flags)
{
    if (Control.UseRightToLeftAlignment() && !(Flags & dt::Center))
        Flags ^= dt::Right;
    return Control.UseRightToLeftReading() ? Flags | dt::RtlReading : Flags;
}

bool IsAccel(char32_t Key, std::string_view Caption)
{
    const auto lower = [](char32_t c) { return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c; };
    for (size_t i = 0; i + 1 < Caption.size(); ++i) {
        if (Caption[i] != '&')
            continue;
        if (Caption[i + 1] != '&')
            return lower(Key) == lower(char32_t(uint8_t(Caption[i + 1])));
        ++i;
    }
    return false;
}
