// The control library's routines: ranges, CRC-32, list sorting, the copying stream, text
// conversions, Soundex, registry values and window places, system queries, shortcut files
// and drawing (grey text, colours, gradients, rotation).
#include "inspector/rmCrc32.h"
#include "inspector/rmDrawText.h"
#include "inspector/rmLibraryDraw.h"
#include "inspector/rmLibraryRanges.h"
#include "inspector/rmLibraryShell.h"
#include "inspector/rmLibrarySystem.h"
#include "inspector/rmLibraryText.h"
#include "inspector/rmListSort.h"
#include "inspector/rmStream.h"

#include "ExpectMessage.h"
#include "RecordingCanvas.h"
#include "graphics/SystemColorNames.h"
#include "platform/Exception.h"
#include "platform/FileSystem.h"
#include "platform/KeyValueStoreFile.h"
#include "platform/ManualTimerService.h"
#include "platform/Registry.h"
#include "platform/ShellLink.h"
#include "support/HexFixture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <set>
#include <sstream>
#include <vector>

namespace {

// A copying stream over memory.
class MemoryRmStream : public TrmStream {
public:
    explicit MemoryRmStream(std::vector<uint8_t> bytes) : memory_(std::move(bytes)) {}
    size_t Read(void* Buffer, size_t Count) override { return memory_.Read(Buffer, Count); }
    size_t Write(const void* Buffer, size_t Count) override { return memory_.Write(Buffer, Count); }
    uint64_t Size() const override { return memory_.Size(); }
    uint64_t Position() const override { return memory_.Position(); }
    void SetPosition(uint64_t Position) override { memory_.SetPosition(Position); }
private:
    TMemoryStream memory_;
};

using TextCases = std::vector<std::pair<std::string, std::string>>;

void ExpectEach(const TextCases& cases)
{
    for (size_t i = 0; i < cases.size(); ++i)
        EXPECT_EQ(cases[i].first, cases[i].second) << "case " << i;
}

// A window that keeps its place and state in fields and records what it was told.
class FakeWindow : public platform::PlacedWindow {
public:
    std::string Name() const override { return "DlgOptions"; }
    platform::Rect BoundsRect() const override
    {
        return state == platform::WindowState::Minimized ? platform::Rect{-32000, -32000, -31840, -31970} : bounds;
    }
    void SetBoundsRect(const platform::Rect& newBounds) override
    {
        bounds = newBounds;
        ++boundsChanges;
    }
    platform::WindowState State() const override { return state; }
    void SetState(platform::WindowState newState) override { state = newState; }
    void LockUpdates(bool locked) override { this->locked = locked; }
    void ShowWarning(const std::string& text) override { warnings.push_back(text); }
    platform::Rect bounds{10, 20, 310, 220};
    platform::WindowState state = platform::WindowState::Normal;
    bool locked = false;
    int boundsChanges = 0;
    std::vector<std::string> warnings;
};

// The bytes of a fixture file of hexadecimal pairs; "#" starts a comment.
std::vector<uint8_t> HexFixture(const std::string& name)
{
    std::ifstream file(VALDRUNE_SOURCE_DIR "/tests/inspector/fixtures/" + name);
    std::vector<uint8_t> bytes;
    for (std::string line; std::getline(file, line);) {
        std::istringstream words(line.substr(0, line.find('#')));
        for (std::string word; words >> word;)
            bytes.push_back(uint8_t(std::stoul(word, nullptr, 16)));
    }
    return bytes;
}

const std::vector<uint8_t> kHandMadeLink = HexFixture("handmade.lnk.hex");

std::filesystem::path WriteBytes(const platform::TemporaryFolder& folder, const std::vector<uint8_t>& bytes)
{
    const std::filesystem::path path = folder.Path() / "made.lnk";
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return path;
}

constexpr TColor kRed = 0x0000FF, kBlue = 0xFF0000;

// Each pixel listed, then its colour after the fill.
void ExpectPixels(const TBitmap32& bitmap, std::initializer_list<std::tuple<int32_t, int32_t, TColor32>> pixels)
{
    for (const auto& [x, y, colour] : pixels)
        EXPECT_EQ(bitmap.GetPixel(x, y), colour) << x << "," << y;
}

} // namespace

TEST(Ranges, ClampsComparesAndMeasures)
{
    EXPECT_EQ((std::vector<int32_t>{SetInRange(-3, 0, 255), SetInRange(300, 0, 255), SetInRange(7, 7, 7)}),
              (std::vector<int32_t>{0, 255, 7}));
    ExpectThrowWithMessage<ERangeError>([&] { SetInRange(5, 10, 1); }, "10 is not less than or equal to 1");
    EXPECT_TRUE(IntInRange(5, 5, 6) && !IntInRange(7, 5, 6));
    EXPECT_TRUE(CompInRange(int64_t(1) << 40, 0, int64_t(1) << 41));
    EXPECT_EQ(std::pair(GreaterThanInt(-1, 3), LessThanInt(-1, 3)), std::pair(3, -1));
    EXPECT_EQ(std::pair(GreaterThanFloat(2.5, 1.0), LessThanFloat(2.5, 1.0)), std::pair(2.5, 1.0));
    const platform::Rect r{10, 20, 13, 24};
    // A flat box divides by no zero sine.
    EXPECT_EQ((std::vector<int32_t>{RectWidth(r), RectHeight(r), RectDiameter(r), RectDiameter(10, 0),
                                    RectDiameter(0, 10), RectDiameter(0, 0)}),
              (std::vector<int32_t>{3, 4, 7, 12, 12, 2}));
}

TEST(Crc32, PublishedCheckValues)
{
    EXPECT_EQ(GetStrCRC32(""), 0u);
    EXPECT_EQ(GetStrCRC32("123456789"), 0xCBF43926u);
    EXPECT_EQ(GetStrCRC32("The quick brown fox jumps over the lazy dog"), 0x414FA339u);
    // A known pair of eight-letter words with one checksum.
    EXPECT_EQ(GetStrCRC32("plumless"), GetStrCRC32("buckeroo"));
}

TEST(Crc32, StreamsAndFilesGiveTheChecksumOfTheirBytes)
{
    // More than one 2048-byte block, from a fixed seed.
    const uint32_t seed = 20240501;
    std::mt19937 random(seed);
    std::string bytes(5000, '\0');
    for (char& c : bytes)
        c = char(random());
    const uint32_t expected = GetStrCRC32(bytes);
    TMemoryStream stream(std::vector<uint8_t>(bytes.begin(), bytes.end()));
    stream.SetPosition(1234);
    EXPECT_EQ(GetStrmCRC32(stream), expected) << "seed " << seed;
    TMemoryStream empty;
    EXPECT_EQ(GetStrmCRC32(empty), 0u);
    platform::TemporaryFolder folder;
    ASSERT_TRUE(folder.Valid()) << folder.Error();
    const auto file = folder.Path() / "bytes.bin";
    std::string error;
    ASSERT_TRUE(platform::WriteFileAtomically(
        file, std::span(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()), error))
        << error;
    EXPECT_EQ(GetFileCRC32(file), expected) << "seed " << seed;
    EXPECT_THROW(GetFileCRC32(folder.Path() / "missing.bin"), Exception);
}

TEST(ListSort, ComparisonsByKindAndDirection)
{
    EXPECT_EQ(std::pair(EncodeSortData(true, 3), EncodeSortData(false, 3)), std::pair(7, 6));
    const TListItemTexts a{"apple", {"x", "10", "2.5", "2024-01-02"}};
    const TListItemTexts b{"Banana", {"Y", "9", "abc", "2023-12-31"}};
    const TListItemTexts c{"cherry", {"x", "ten", "", "soon"}};
    EXPECT_EQ(CaptionStringSortProc(a, b, true), -1);
    EXPECT_EQ(CaptionStringSortProc(a, b, false), 1);
    EXPECT_EQ(StringSortProc(a, b, EncodeSortData(true, 0)), -1);
    EXPECT_EQ(StringSortProc(a, c, EncodeSortData(true, 0)), 0);
    EXPECT_EQ(IntegerSortProc(a, b, EncodeSortData(true, 1)), 1); // by value, not as text
    EXPECT_EQ(IntegerSortProc(a, b, EncodeSortData(false, 1)), -1);
    EXPECT_EQ(IntegerSortProc(c, a, EncodeSortData(true, 1)), -1); // only the first does not convert
    EXPECT_EQ(IntegerSortProc(a, c, EncodeSortData(true, 1)), 1);
    EXPECT_EQ(FloatSortProc(b, c, EncodeSortData(true, 2)), 0); // neither converts
    EXPECT_EQ(FloatSortProc(a, b, EncodeSortData(true, 2)), 1);
    EXPECT_EQ(DateSortProc(a, b, EncodeSortData(true, 3)), 1);
    EXPECT_EQ(DateSortProc(a, c, EncodeSortData(true, 3)), 1);
    const TListItemTexts written{"", {"", "", "", "01/02/2020"}}, earlier{"", {"", "", "", "12/31/2019"}};
    EXPECT_EQ(DateSortProc(written, earlier, EncodeSortData(true, 3)), 1); // the program's own date texts
    EXPECT_EQ(DateSortProc(written, a, EncodeSortData(true, 3)), -1);
    EXPECT_EQ(StringSortProc(a, b, EncodeSortData(true, 9)), 0); // a column neither row has
}

TEST(CopyingStream, CopiesRunsAndWholeStreamsAcrossBlocks)
{
    std::vector<uint8_t> bytes(150000);
    for (size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = uint8_t(i * 7 + i / 256);
    MemoryRmStream source(bytes);
    source.SetPosition(100);
    TMemoryStream part;
    EXPECT_EQ(source.CopyTo(part, 70000), 70000u);
    EXPECT_EQ(part.Bytes(), std::vector<uint8_t>(bytes.begin() + 100, bytes.begin() + 70100));
    TMemoryStream whole;
    EXPECT_EQ(source.CopyTo(whole, 0), bytes.size());
    EXPECT_EQ(whole.Bytes(), bytes);
    source.SetPosition(bytes.size() - 10);
    TMemoryStream tooMuch;
    EXPECT_THROW(source.CopyTo(tooMuch, 11), EStreamError);
}

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

TEST(Registry, StoreFilesKeepValuesAndWindowPlacesForTheNextRun)
{
    platform::TemporaryFolder config;
    const std::filesystem::path file = config.Path() / "sub" / "current-user.store";
    FakeWindow window;
    {
        ManualTimerService timers;
        platform::KeyValueStoreFile first(file, {});
        EXPECT_EQ(ReadRegString(first.Store(), "Software\\Valdrune", "Last", "none"), "none");
        WriteRegString(first.Store(), "Software\\Valdrune", "Last", "map.fw");
        EXPECT_EQ(ReadRegString(first.Store(), "software\\VALDRUNE\\", "last", "none"), "map.fw");
        SaveDialogPosition(window, "Software\\Valdrune", first.Store());
        EXPECT_FALSE(std::filesystem::exists(file)); // the changes are written together on the next tick
        timers.Advance(1);
        EXPECT_TRUE(std::filesystem::exists(file));
        WriteRegString(first.Store(), "Software\\Valdrune", "Last", "later.fw"); // written on the way out
    }
    platform::KeyValueStoreFile next(file, {});
    EXPECT_EQ(ReadRegString(next.Store(), "Software\\Valdrune", "Last", "none"), "later.fw");
    FakeWindow moved;
    moved.bounds = {};
    EXPECT_TRUE(LoadDialogPosition(moved, "Software\\Valdrune", next.Store()));
    EXPECT_EQ(moved.bounds, window.bounds);
    EXPECT_EQ(moved.boundsChanges, 1);
    platform::KeyValueStore partial; // a place without all four values is not used
    partial.WriteInteger("K\\Dialog\\DlgOptions", "Top", 5);
    EXPECT_FALSE(LoadDialogPosition(window, "K", partial));
    EXPECT_EQ(window.boundsChanges, 0);
}

TEST(Registry, AnUnreadableStoreFileIsSetAsideAndAFreshOneWritten)
{
    platform::TemporaryFolder config;
    const std::filesystem::path file = config.Path() / "current-user.store";
    std::ofstream(file) << "not a store\n";
    std::vector<std::string> reports;
    const auto report = [&](const std::string& message) { reports.push_back(message); };
    platform::Registry registry(config.Path(), report);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_NE(reports[0].find("could not be read: line 1: this is not a store file"), std::string::npos) << reports[0];
    EXPECT_NE(reports[0].find("set aside as"), std::string::npos) << reports[0];
    EXPECT_TRUE(std::filesystem::exists(file.string() + ".bad"));
    registry.Root(platform::RegistryRootKey::CurrentUser).WriteString("Soft", "v", "new");
    platform::KeyValueStoreFile reread(file, report);
    EXPECT_EQ(reports.size(), 1u);
    EXPECT_TRUE(reread.Store().ValueExists("soft", "v"));
}

TEST(WindowPlace, FormStateKeepsTheNormalPlaceMaximisedOnlyItsStateAndBadStatesWarn)
{
    platform::KeyValueStore root;
    FakeWindow minimised, maximised, loaded, loadedMax, fresh, stateless;
    minimised.state = platform::WindowState::Minimized;
    SaveFormState(minimised, "App", root);
    EXPECT_EQ(minimised.state, platform::WindowState::Minimized);
    EXPECT_FALSE(minimised.locked);
    loaded.bounds = {};
    LoadFormState(loaded, "App", false, true, root);
    EXPECT_EQ(loaded.bounds, (platform::Rect{10, 20, 310, 220}));
    EXPECT_EQ(loaded.state, platform::WindowState::Minimized);
    EXPECT_TRUE(loaded.warnings.empty());
    LoadFormState(stateless, "App", false, false, root);
    EXPECT_EQ(stateless.state, platform::WindowState::Normal);
    maximised.state = platform::WindowState::Maximized;
    maximised.bounds = {1, 2, 3, 4};
    SaveFormState(maximised, "Max", root);
    EXPECT_FALSE(root.ValueExists("Max\\Form\\DlgOptions", "Left"));
    LoadFormState(loadedMax, "Max", false, true, root);
    EXPECT_EQ(loadedMax.state, platform::WindowState::Maximized);
    EXPECT_EQ(loadedMax.bounds, (platform::Rect{10, 20, 310, 220}));
    LoadFormState(fresh, "Elsewhere", true, true, root); // new windows follow the flag
    EXPECT_EQ(fresh.state, platform::WindowState::Maximized);
    LoadFormState(fresh, "Elsewhere", false, true, root);
    EXPECT_EQ(fresh.state, platform::WindowState::Normal);
    root.WriteInteger("App\\Form\\DlgOptions", "WinState", 7);
    LoadFormState(fresh, "App", false, true, root);
    EXPECT_EQ(fresh.warnings, std::vector<std::string>{"Error occured while restoring window state."});
    EXPECT_EQ(fresh.state, platform::WindowState::Normal);
}

TEST(SystemQueries, FileTypesTemporaryFilesAndTheVolumeOfTheCurrentFolder)
{
    EXPECT_EQ(GetFileType("notes.Txt"), "TXT File");
    EXPECT_EQ(GetFileType("/x/archive.tar.gz"), "GZ File");
    EXPECT_EQ(GetFileType("README"), " File");
    ExpectThrowWithMessage<Exception>([&] { GetFileType(""); }, "No file specified");
    const std::filesystem::path first = GetTempFile("rmt", true), second = GetTempFile("rmt", true);
    EXPECT_NE(first, second);
    EXPECT_TRUE(std::filesystem::exists(first));
    EXPECT_EQ(first.parent_path(), GetTempDir());
    EXPECT_EQ(first.filename().string().rfind("rmt", 0), 0u);
    std::filesystem::remove(first);
    std::filesystem::remove(second);
    EXPECT_GT(GetMediaInfo(0, 4), 0);
    EXPECT_EQ(GetMediaInfo(0, 5), GetMediaInfo(0, 8) * GetMediaInfo(0, 4));
    EXPECT_LE(GetMediaInfo(0, 6), GetMediaInfo(0, 5));
    EXPECT_GE(GetMediaInfo(0, 9), 0);
    EXPECT_EQ(GetMediaInfo(0, 12), -1);
    EXPECT_EQ(GetMediaInfo(3, 4), -1); // no drive letters here
    EXPECT_EQ(WinOSVersion(), 7);
}

TEST(ShortCutFile, HandMadeFileReadsFieldForField)
{
    ASSERT_EQ(kHandMadeLink.size(), 181u);
    platform::TemporaryFolder folder;
    const TShortcutDetails read = ReadShortCutFile(WriteBytes(folder, kHandMadeLink));
    const TShortcutDetails expected{"C:\\Games\\fw.exe", "-x \xC3\xA9", "C:\\Games", "Editor", "i.ico", -2,
                                    TShortCut('K' | scCtrl | scAlt), platform::WindowState::Maximized};
    EXPECT_EQ(read, expected);
    // Without LinkInfo (flag 2 cleared, its 62 bytes at 84 taken out) the target comes from
    // an environment block (size 0x314, signature 0xA0000001, 260 single-byte characters,
    // then 260 UTF-16 ones) put before the closing block.
    std::vector<uint8_t> expanding = kHandMadeLink;
    expanding[20] = 0x75;
    expanding.erase(expanding.begin() + 84, expanding.begin() + 84 + 62);
    std::vector<uint8_t> block = {0x14, 0x03, 0x00, 0x00, 0x01, 0x00, 0x00, 0xA0};
    const std::string path = "%windir%\\x.exe";
    block.resize(8 + 260 + 520);
    for (size_t i = 0; i < path.size(); ++i)
        block[8 + i] = block[268 + 2 * i] = uint8_t(path[i]);
    expanding.insert(expanding.end() - 4, block.begin(), block.end());
    EXPECT_EQ(ReadShortCutFile(WriteBytes(folder, expanding)).Target, path);
    // Show commands: 3 and 10 maximised; 2, 6 and 7 minimised; anything else normal.
    using enum platform::WindowState;
    const std::pair<uint8_t, platform::WindowState> shows[] = {{0, Normal},    {1, Normal},    {2, Minimized},
                                                               {3, Maximized}, {6, Minimized}, {7, Minimized},
                                                               {10, Maximized}, {11, Normal}};
    for (const auto& [command, state] : shows) {
        std::vector<uint8_t> bytes = kHandMadeLink;
        bytes[60] = command;
        EXPECT_EQ(ReadShortCutFile(WriteBytes(folder, bytes)).ShowCommand, state) << int(command);
    }
}

TEST(ShortCutFile, ItemIdListAloneGivesTheTargetOfFileSystemItems)
{
    const std::vector<uint8_t> made = test::ReadHex(VALDRUNE_SOURCE_DIR "/tests/inspector/fixtures/itemids.lnk.hex").bytes;
    ASSERT_EQ(made.size(), 239u);
    // One byte changed (offset 0 keeps its value), then the target read.
    const std::tuple<size_t, uint8_t, const char*> cases[] = {
        {0, 0x4C, "C:\\My Maps\\isle.fw"},
        {151, 0x05, "C:\\MYMAPS~1\\isle.fw"}, // no long-name block: the short name
        {149, 0x03, "C:\\MYMAPS~1\\isle.fw"}, // version 3's long name, at 20, is empty here
        {82, 0xE1, ""},  // a root folder other than the computer's
        {100, 0x70, ""}, // the drive an item of another kind
        {211, 0x17, ""}, // the file's item runs past the list
    };
    for (const auto& [at, value, target] : cases) {
        std::vector<uint8_t> bytes = made;
        bytes[at] = value;
        platform::ShellLink link;
        std::string error;
        EXPECT_TRUE(platform::ReadShellLink(bytes, link, error)) << error;
        EXPECT_EQ(link.Target, target) << at;
    }
}

TEST(ShortCutFile, WrittenFileReadsBackAndDamagedFilesAreRefused)
{
    platform::TemporaryFolder folder;
    const std::filesystem::path path = folder.Path() / "written.lnk";
    const TShortcutDetails cases[] = {
        {"C:\\Program Files\\\xE2\x82\xAC\\run.exe", "--open \"a b\"", "C:\\Work", "\xF0\x9F\x8F\xB0 castle", "C:\\i.ico",
         7, TShortCut(0x70 | scShift), platform::WindowState::Minimized},
        {"\\\\server\\share\\maps\\isle.fw", "", "", "", "", 0, 0, platform::WindowState::Normal},
        {"", "only arguments", "", "", "", -1, TShortCut('A' | scShift | scCtrl | scAlt), platform::WindowState::Maximized},
    };
    for (const TShortcutDetails& details : cases) {
        WriteShortCutFile(path, details);
        EXPECT_EQ(ReadShortCutFile(path), details) << details.Target;
    }
    ASSERT_EQ(kHandMadeLink.size(), 181u);
    for (size_t length = 0; length + 4 < kHandMadeLink.size(); ++length) {
        const std::vector<uint8_t> cut(kHandMadeLink.begin(), kHandMadeLink.begin() + std::ptrdiff_t(length));
        ExpectThrowWithMessage<Exception>([&] { ReadShortCutFile(WriteBytes(folder, cut)); }, "Error opening Shortcut.");
    }
    // LinkInfo fields that would read the target out of its header or its volume block.
    platform::ShellLink local;
    local.Target = "C:\\x.exe";
    const std::vector<uint8_t> written = platform::WriteShellLink(local);
    const std::tuple<const std::vector<uint8_t>*, size_t, uint32_t, const char*> damaged[] = {
        {&kHandMadeLink, 88, 0xFFFFFFFF, "the LinkInfo header size 4294967295 runs past the LinkInfo's 62 bytes (at byte 88)"},
        {&kHandMadeLink, 88, 0x24, "the volume offset 28 points into the LinkInfo header (at byte 96)"},
        {&kHandMadeLink, 100, 0x20, "the local base path offset 32 points into the volume block (at byte 100)"},
        {&written, 104, 40, "the UTF-16 local base path offset 40 points into the volume block (at byte 104)"},
    };
    for (const auto& [source, at, value, message] : damaged) {
        std::vector<uint8_t> bytes = *source;
        for (size_t i = 0; i < 4; ++i)
            bytes[at + i] = uint8_t(value >> (8 * i));
        platform::ShellLink link;
        std::string error;
        EXPECT_FALSE(platform::ReadShellLink(bytes, link, error));
        EXPECT_EQ(error, std::string("the shortcut file is damaged: ") + message);
    }
    std::vector<uint8_t> wrongClass = kHandMadeLink;
    wrongClass[19] = 0x47;
    for (const auto& file : {WriteBytes(folder, wrongClass), folder.Path() / "missing.lnk"})
        ExpectThrowWithMessage<Exception>([&] { ReadShortCutFile(file); }, "Error opening Shortcut.");
    ExpectThrowWithMessage<Exception>([&] { WriteShortCutFile(folder.Path() / "no" / "such.lnk", cases[0]); },
                                      "Error creating Shortcut.");
}

TEST(GrayText, HighlightOffsetThenShadowAndRectGrows)
{
    RecordingCanvas canvas;
    platform::Rect rect{4, 8, 100, 30};
    DrawGrayText(canvas, "Off", rect, dt::SingleLine, {});
    ASSERT_EQ(canvas.texts.size(), 2u);
    EXPECT_EQ(std::tuple(canvas.texts[0].X, canvas.texts[0].Y, canvas.texts[0].Color, canvas.texts[1].X,
                         canvas.texts[1].Color),
              std::tuple(5, 9, CanvasColorOf(clBtnHighlight), 4, CanvasColorOf(clBtnShadow)));
    EXPECT_EQ(rect, (platform::Rect{4, 8, 101, 31}));
    canvas.Clear();
    platform::Rect measure{0, 0, 0, 0};
    DrawGrayText(canvas, "Off", measure, dt::SingleLine | dt::CalcRect, {});
    EXPECT_TRUE(canvas.texts.empty());
    EXPECT_EQ(measure, (platform::Rect{0, 0, 19, 14}));
}

TEST(ColourArithmetic, DarkenLightenAndColourArrays)
{
    EXPECT_EQ(DarkenColor(0x00C86432, 100), 0x00643219);      // halves: 200, 100, 50 -> 100, 50, 25
    EXPECT_EQ(DarkenColor(0x00030303, 100), 0x00020202);      // 1.5 to the nearest even
    EXPECT_EQ(LightenColor(0x00643219, 100), 0x00C86432);
    EXPECT_EQ(LightenColor(0x00000000, 50), 0x00000000);
    EXPECT_THROW(LightenColor(0x00000081, 100), ERangeError); // 129 * 2 > 255
    EXPECT_EQ(DarkenColor(clWindow, 0), 0x00FFFFFF);          // system colours resolve first
    const std::vector<TColor> colors = CreateColorArray(0x00000000, 0x00FF6402, 5);
    ASSERT_EQ(colors.size(), 5u);
    // 2/4 -> 0, 100/4 -> 25, 255/4 -> 63
    EXPECT_EQ(std::tuple(colors[0], colors[1], colors[4]), std::tuple(0x00000000, 0x003F1900, 0x00FF6402));
    EXPECT_EQ(CreateColorArray(kRed, kBlue, 1), std::vector<TColor>{kRed}); // no division by zero
    EXPECT_TRUE(CreateColorArray(kRed, kBlue, 0).empty());
}

TEST(Gradients, BandsOutlinesAndShapesCoverWhatTheyShould)
{
    TBitmap32 bitmap;
    bitmap.SetSize(10, 3);
    bitmap.Clear(0xFF123456);
    GradientFillColors(bitmap, {kRed, 0x00FF00, kBlue}, MakeRect(1, 1, 10, 3));
    ExpectPixels(bitmap, {{0, 1, 0xFF123456u}, {1, 1, 0xFFFF0000u}, {3, 2, 0xFFFF0000u}, {4, 1, 0xFF00FF00u},
                          {7, 1, 0xFF0000FFu}, {9, 2, 0xFF0000FFu}, {5, 0, 0xFF123456u}});
    bitmap.SetSize(255, 1);
    GradientFill(bitmap, 0x00000000, 0x00FEFEFE, MakeRect(0, 0, 255, 1), gfLinear);
    for (int32_t x = 0; x < 255; ++x)
        ASSERT_EQ(bitmap.GetPixel(x, 0), Gray32(uint8_t(x))) << "x " << x;
    // Three nested outlines: from, halfway, to.
    bitmap.SetSize(8, 6);
    bitmap.Clear(0);
    GradientFill(bitmap, 0x00000000, 0x00C8C8C8, MakeRect(0, 0, 8, 6), gfRectangle);
    ExpectPixels(bitmap, {{0, 0, Gray32(0)}, {7, 5, Gray32(0)}, {1, 1, Gray32(100)}, {6, 4, Gray32(100)},
                          {2, 2, Gray32(200)}, {5, 3, Gray32(200)}});
    // One step: the lone outline takes the first colour instead of dividing by zero.
    bitmap.SetSize(3, 3);
    bitmap.Clear(0);
    GradientFill(bitmap, kRed, kBlue, MakeRect(0, 0, 3, 3), gfOval);
    const std::set<TColor32> seen(bitmap.Bits(), bitmap.Bits() + 9);
    EXPECT_TRUE(seen.count(0xFFFF0000u) && !seen.count(0xFF0000FFu));
    for (const TGradientFill style : {gfOval, gfRoundRect}) { // the corners are left alone
        SCOPED_TRACE(int(style));
        bitmap.SetSize(40, 40);
        bitmap.Clear(0xFF000000);
        GradientFill(bitmap, kRed, kBlue, MakeRect(0, 0, 40, 40), style);
        ExpectPixels(bitmap, {{0, 0, 0xFF000000u}, {20, 0, 0xFFFF0000u}, {0, 20, 0xFFFF0000u}});
        EXPECT_NE(bitmap.GetPixel(20, 19), 0xFF000000u); // filled to the middle
    }
}

TEST(Gradients, RadialRisesToTheFarSideAndBack)
{
    TBitmap32 bitmap;
    bitmap.SetSize(100, 61); // row 30 lies on the horizontal axis
    bitmap.Clear(0xFF000000);
    GradientFill(bitmap, 0x00000000, 0x00FFFFFF, MakeRect(0, 0, 100, 61), gfRadial);
    // Outside the ellipse; angle 0 at the left end; two degrees up (the second wedge); half a
    // turn, (359 - 180) / 180 of the way; two degrees short of a whole turn; a quarter turn,
    // 90 / 179 of the way.
    ExpectPixels(bitmap, {{0, 0, 0xFF000000u}, {2, 30, Gray32(0)}, {2, 29, Gray32(1)}, {97, 30, Gray32(253)},
                          {2, 31, Gray32(1)}, {50, 2, Gray32(128)}});
}

TEST(Rotation, QuarterTurnsAndSilverOutside)
{
    TBitmap32 source;
    source.SetSize(4, 4);
    for (int32_t y = 0; y < 4; ++y)
        for (int32_t x = 0; x < 4; ++x)
            source.SetPixel(x, y, Color32(uint8_t(x * 16), uint8_t(y * 16), 0, 0x40));
    TBitmap32 turned;
    // A quarter turn reads the source at (3 - y, x) for a square of even side.
    for (const int32_t angle : {0, 90}) {
        RotateImage(turned, source, angle);
        for (int32_t y = 0; y < 4; ++y)
            for (int32_t x = 0; x < 4; ++x)
                ASSERT_EQ(turned.GetPixel(x, y), source.GetPixel(angle ? 3 - y : x, angle ? x : y) | 0xFF000000u)
                    << angle << ": " << x << "," << y;
    }
    TBitmap32 wide;
    wide.SetSize(6, 2);
    wide.Clear(0xFF112233);
    RotateImage(wide, wide, 90); // in place
    ExpectPixels(wide, {{0, 0, 0xFFC0C0C0u}, {3, 1, 0xFF112233u}});
}
