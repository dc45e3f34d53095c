#include "inspector/rmLibraryText.h"

#include "platform/Exception.h"

#include "ExpectMessage.h"

#include <gtest/gtest.h>

#include <vector>

TEST(BoolText, StrToBoolAcceptsOnlyTrueInAnyCaseAndBlanks)
{
    EXPECT_TRUE(StrToBool("  TRUE \t"));
    EXPECT_TRUE(StrToBool("true"));
    EXPECT_FALSE(StrToBool(""));
    EXPECT_FALSE(StrToBool("yes"));
    EXPECT_FALSE(StrToBool("1"));
    EXPECT_FALSE(StrToBool("truex"));
    EXPECT_EQ(BoolToStr(true), "True");
    EXPECT_EQ(BoolToStr(false), "False");
    EXPECT_TRUE(StrToBool(BoolToStr(true)));
    EXPECT_FALSE(StrToBool(BoolToStr(false)));
}

TEST(CharText, CodesBelow33AreWrittenAsNumbers)
{
    EXPECT_EQ(chartostr(' '), "#32");
    EXPECT_EQ(chartostr('\0'), "#0");
    EXPECT_EQ(chartostr('!'), "!");
    EXPECT_EQ(chartostr(char(0xE9)), std::string(1, char(0xE9)));
    for (int code = 0; code < 256; ++code)
        EXPECT_EQ(strtochar(chartostr(char(code))), char(code)) << "code " << code;
}

TEST(CharText, StrToCharRefusesBadTexts)
{
    EXPECT_EQ(strtochar("#65"), 'A');
    EXPECT_EQ(strtochar(" x "), 'x');
    ExpectThrowWithMessage<EConvertError>([&] { strtochar("#300"); }, "Value must be between 0 and 255");
    EXPECT_THROW(strtochar("#-1"), EConvertError);
    EXPECT_EQ(strtochar("#"), '#'); // as chartostr writes it
    EXPECT_THROW(strtochar("#6x"), EConvertError);
    ExpectThrowWithMessage<EConvertError>([&] { strtochar("ab"); }, "Invalid property value");
    EXPECT_THROW(strtochar(""), EConvertError);
}

TEST(SizeText, EachRangeHasItsUnitAndDecimals)
{
    EXPECT_EQ(SizeInt(0), "0");
    EXPECT_EQ(SizeInt(1023), "1023");
    EXPECT_EQ(SizeInt(1024), "1 K");
    EXPECT_EQ(SizeInt(1536), "2 K"); // 1.5 to the nearest even
    EXPECT_EQ(SizeInt(1048575), "1024 K");
    EXPECT_EQ(SizeInt(1048576), "1.0 M");
    EXPECT_EQ(SizeInt(3 * 1048576 + 524288), "3.5 M");
    EXPECT_EQ(SizeInt(1073741824), "1.00 G");
    EXPECT_EQ(SizeInt(1073741824LL * 5 / 4), "1.25 G");
    EXPECT_EQ(SizeInt(1073741824LL * 12345), "12345.00 G");
    EXPECT_EQ(SizeInt(-1234567), "-1,234,567");
    EXPECT_EQ(SizeInt(-12), "-12");
}

TEST(DateText, IntegerDatesRoundTrip)
{
    const TDateTime date = platform::EncodeDate(2024, 2, 29);
    EXPECT_EQ(DateToInt(date), 20240229);
    EXPECT_EQ(IntToDate(20240229), date);
    EXPECT_EQ(IntToDate(18991230), 0.0);
    EXPECT_THROW(IntToDate(20230229), EConvertError);
    EXPECT_THROW(IntToDate(2024011), EConvertError);
    EXPECT_THROW(IntToDate(-2024011), EConvertError);
    EXPECT_EQ(rmDateTimeToStr(platform::EncodeDate(2005, 3, 7) + platform::EncodeTime(4, 0, 9, 15)), "20053740915");
}

TEST(Padding, WidensButNeverShortens)
{
    EXPECT_EQ(LeadingZero(7, 3), "007");
    EXPECT_EQ(LeadingZero(1234, 2), "1234");
    EXPECT_EQ(PadLeft("ab", 4), "  ab");
    EXPECT_EQ(PadRight("ab", 4), "ab  ");
    EXPECT_EQ(PadRight("abcdef", 4), "abcdef");
    EXPECT_EQ(PadLeft("ab", -3), "ab");
    EXPECT_EQ(StripString("a-b_c", "-_", ' '), "a b c");
}

TEST(Sections, CountAndParse)
{
    EXPECT_EQ(CountSections("", ','), 0);
    EXPECT_EQ(CountSections("a", ','), 1);
    EXPECT_EQ(CountSections("a,b", ','), 2);
    EXPECT_EQ(CountSections("a,b,", ','), 2);
    EXPECT_EQ(CountSections(",", ','), 1);
    EXPECT_EQ(ParseSection("a,bc,d", 1, ','), "a");
    EXPECT_EQ(ParseSection("a,bc,d", 2, ','), "bc");
    EXPECT_EQ(ParseSection("a,bc,d", 3, ','), "d");
    EXPECT_EQ(ParseSection("a,bc,d", 4, ','), "");
    EXPECT_EQ(ParseSection("a,bc,d", 0, ','), "");
    EXPECT_EQ(ParseSection("a,,d", 2, ','), "");
}

TEST(Mask, WildcardsWithoutBacktracking)
{
    struct Case {
        const char* mask;
        const char* text;
        bool match;
    };
    const std::vector<Case> cases = {
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
    EXPECT_EQ(Soundex("Robert", true, 4), "R163");
    EXPECT_EQ(Soundex("  rob-ert ", true, 4), "R163");
    EXPECT_EQ(Soundex("Tymczak", true, 4), "T5222"); // Length counts the digits
    EXPECT_EQ(Soundex("Phillips", true, 4), Soundex("Fallips", true, 4));
    EXPECT_EQ(Soundex("Phillips", true, 4), "F412");
    EXPECT_EQ(Soundex("Lee", true, 4), "L000");
    EXPECT_EQ(Soundex("Robert", false, 4), "6163");
    EXPECT_EQ(Soundex("123", true, 4), "");
    EXPECT_EQ(Soundex("Washington", true, 2), "W25");
}

TEST(Ellipsis, KeepsDriveFirstFolderAndName)
{
    EXPECT_EQ(PathEllipsis("C:\\Folder1\\Folder2\\file.txt", 25, true), "C:\\Folder1\\...\\file.txt");
    EXPECT_EQ(PathEllipsis("C:\\Folder1\\Folder2\\file.txt", 25, false), "C:\\Folder1\\Folder2\\...");
    EXPECT_EQ(PathEllipsis("C:\\Folder1\\Folder2\\file.txt", 5, true), "...\\file.txt");
    EXPECT_EQ(PathEllipsis("/home/user/docs/file.txt", 20, true), "/home/.../file.txt");
}

TEST(CommandLine, SwitchWithParameter)
{
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
