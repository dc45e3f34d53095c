// The library's text routines: conversions, sizes, padding, sections, masks and Soundex.
#include "inspector/rmLibraryText.h"

#include "platform/Exception.h"

#include "ExpectMessage.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using TextCases = std::vector<std::pair<std::string, std::string>>;

void ExpectEach(const TextCases& cases)
{
    for (size_t i = 0; i < cases.size(); ++i)
        EXPECT_EQ(cases[i].first, cases[i].second) << "case " << i;
}

} // namespace

TEST(BoolAndCharText, OnlyTrueIsTrueAndCodesBelow33AreNumbers)
{
    for (const char* text : {"  TRUE \t", "true", "True"})
        EXPECT_TRUE(StrToBool(text)) << text;
    for (const char* text : {"", "yes", "1", "truex", "False"})
        EXPECT_FALSE(StrToBool(text)) << text;
    EXPECT_EQ(BoolToStr(true) + BoolToStr(false), "TrueFalse");
    ExpectEach({{chartostr(' '), "#32"}, {chartostr('\0'), "#0"}, {chartostr('!'), "!"},
                {chartostr(char(0xE9)), std::string(1, char(0xE9))}});
    for (int code = 0; code < 256; ++code)
        EXPECT_EQ(strtochar(chartostr(char(code))), char(code)) << "code " << code;
    EXPECT_EQ(strtochar("#65"), 'A');
    EXPECT_EQ(strtochar(" x "), 'x');
    EXPECT_EQ(strtochar("#"), '#'); // as chartostr writes it
    ExpectThrowWithMessage<EConvertError>([&] { strtochar("#300"); }, "Value must be between 0 and 255");
    ExpectThrowWithMessage<EConvertError>([&] { strtochar("ab"); }, "Invalid property value");
    for (const char* bad : {"#-1", "#6x", ""})
        EXPECT_THROW(strtochar(bad), EConvertError) << bad;
}

TEST(SizeText, EachRangeHasItsUnitAndDecimals)
{
    const std::pair<int64_t, const char*> cases[] = {
        {0, "0"}, {1023, "1023"}, {1024, "1 K"}, {1536, "2 K"} /* 1.5 to the nearest even */,
        {1048575, "1024 K"}, {1048576, "1.0 M"}, {3 * 1048576 + 524288, "3.5 M"}, {1073741824, "1.00 G"},
        {1073741824LL * 5 / 4, "1.25 G"}, {1073741824LL * 12345, "12345.00 G"}, {-1234567, "-1,234,567"}, {-12, "-12"}};
    for (const auto& [size, text] : cases)
        EXPECT_EQ(SizeInt(size), text) << size;
}

TEST(DateText, IntegerDatesRoundTrip)
{
    const TDateTime date = platform::EncodeDate(2024, 2, 29);
    EXPECT_EQ(DateToInt(date), 20240229);
    EXPECT_EQ(IntToDate(20240229), date);
    EXPECT_EQ(IntToDate(18991230), 0.0);
    for (const int32_t bad : {20230229, 2024011, -2024011})
        EXPECT_THROW(IntToDate(bad), EConvertError) << bad;
    EXPECT_EQ(rmDateTimeToStr(platform::EncodeDate(2005, 3, 7) + platform::EncodeTime(4, 0, 9, 15)), "20053740915");
}

TEST(TextRoutines, PaddingSectionsEllipsesAndSwitches)
{
    ExpectEach({{LeadingZero(7, 3), "007"}, {LeadingZero(1234, 2), "1234"}, {PadLeft("ab", 4), "  ab"},
                {PadRight("ab", 4), "ab  "}, {PadRight("abcdef", 4), "abcdef"}, {PadLeft("ab", -3), "ab"},
                {StripString("a-b_c", "-_", ' '), "a b c"}});
    const std::pair<const char*, int32_t> counts[] = {{"", 0}, {"a", 1}, {"a,b", 2}, {"a,b,", 2}, {",", 1}};
    for (const auto& [text, count] : counts)
        EXPECT_EQ(CountSections(text, ','), count) << text;
    ExpectEach({{ParseSection("a,bc,d", 1, ','), "a"}, {ParseSection("a,bc,d", 2, ','), "bc"},
                {ParseSection("a,bc,d", 3, ','), "d"}, {ParseSection("a,bc,d", 4, ','), ""},
                {ParseSection("a,bc,d", 0, ','), ""}, {ParseSection("a,,d", 2, ','), ""}});
    // Paths keep the drive, the first folder and the name.
    ExpectEach({{PathEllipsis("C:\\Folder1\\Folder2\\file.txt", 25, true), "C:\\Folder1\\...\\file.txt"},
                {PathEllipsis("C:\\Folder1\\Folder2\\file.txt", 25, false), "C:\\Folder1\\Folder2\\..."},
                {PathEllipsis("C:\\Folder1\\Folder2\\file.txt", 5, true), "...\\file.txt"},
                {PathEllipsis("/home/user/docs/file.txt", 20, true), "/home/.../file.txt"}});
    const std::vector<std::string> args = {"prog", "-Size=10", "/Mode:fast", "plain"};
    std::string param = "stale";
    EXPECT_TRUE(FindCmdLineSwitchWithParam(args, "size", "-/", true, param));
    EXPECT_EQ(param, "=10");
    EXPECT_FALSE(FindCmdLineSwitchWithParam(args, "size", "-/", false, param));
    EXPECT_EQ(param, "");
    EXPECT_TRUE(FindCmdLineSwitchWithParam(args, "Mode", "", false, param));
    EXPECT_EQ(param, ":fast");
    EXPECT_FALSE(FindCmdLineSwitchWithParam(args, "Mode", "-", false, param));
    EXPECT_FALSE(FindCmdLineSwitchWithParam(args, "plainer", "", false, param));
}

TEST(Mask, WildcardsWithoutBacktracking)
{
    struct Case {
        const char *mask, *text;
        bool match;
    };
    const Case cases[] = {
        {"abc", "abc", true},   {"abc", "abd", false},   {"abc", "ab", false},     {"ab", "abc", false},
        {"a?c", "abc", true},   {"a?c", "ac", false},    {"a*", "a", true},        {"a*", "abcdef", true},
        {"*", "", true},        {"a**c", "abbbc", true}, {"*.txt", "x.txt", true}, {"*.txt", "x.doc", false},
        {"ABC", "abc", false},
        // No backtracking: "*" stops at the first "b", so the "c" that follows it must come next.
        {"*bc", "abbc", false}, {"", "", true},          {"", "a", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MaskStrCmp(c.mask, c.text), c.match) << c.mask << " against " << c.text;
}

TEST(SoundexCode, ClassicExamples)
{
    ExpectEach({{Soundex("Robert", true, 4), "R163"}, {Soundex("  rob-ert ", true, 4), "R163"},
                {Soundex("Tymczak", true, 4), "T5222"} /* Length counts the digits */,
                {Soundex("Phillips", true, 4), "F412"}, {Soundex("Fallips", true, 4), "F412"},
                {Soundex("Lee", true, 4), "L000"}, {Soundex("Robert", false, 4), "6163"}, {Soundex("123", true, 4), ""},
                {Soundex("Washington", true, 2), "W25"}});
}
