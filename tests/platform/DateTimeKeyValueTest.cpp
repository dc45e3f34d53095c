// Dates as days since 1899-12-30 with the time of day as the fraction; the key-value store
// kept by the registry, its text form and the configuration folder its files live in.
#include "platform/DateTime.h"
#include "platform/Exception.h"
#include "platform/FileSystem.h"
#include "platform/KeyValueStore.h"
#include "platform/Registry.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>

using namespace platform;

TEST(DateTime, DaysCountFromTheEpochAndWeeksRunSundayOneToSaturdaySeven)
{
    const struct {
        int32_t year, month, day;
        double serial;
        int32_t weekday;
    } cases[] = {{1899, 12, 30, 0, 7},     {1899, 12, 29, -1, 6},    {1899, 12, 24, -6, 1},   {1900, 1, 1, 2, 2},
                 {2000, 1, 1, 36526, 7}, {2023, 10, 1, 45200, 1}, {2024, 2, 29, 45351, 5}};
    for (const auto& c : cases) {
        EXPECT_EQ(EncodeDate(c.year, c.month, c.day), c.serial) << c.year << "-" << c.month << "-" << c.day;
        // A time of day moves a date away from the epoch and keeps its weekday.
        EXPECT_EQ(DayOfWeek(c.serial + (c.serial < 0 ? -0.9 : 0.9)), c.weekday) << c.serial;
    }
    EXPECT_THROW(EncodeDate(1900, 2, 29), EConvertError); // not a leap year
    EXPECT_THROW(EncodeDate(0, 1, 1), EConvertError);
    EXPECT_THROW(EncodeDate(2000, 13, 1), EConvertError);
    EXPECT_EQ((std::array{DaysInMonth(2024, 2), DaysInMonth(2023, 2), DaysInMonth(2000, 2)}), (std::array{29, 28, 29}));
}

TEST(DateTime, FormatDateByPattern)
{
    const TDateTime date = EncodeDate(2024, 3, 5); // a Tuesday
    const std::pair<const char*, const char*> cases[] = {
        {"mm/dd/yyyy", "03/05/2024"}, {"d.m.yy", "5.3.24"},         {"dddd, MMMM D, YYYY", "Tuesday, March 5, 2024"},
        {"ddd mmm", "Tue Mar"},       {"yyyy 'open", "2024 open"}, {"'day' d \"of\" m", "day 5 of 3"}, {"", ""}};
    for (const auto& [pattern, text] : cases)
        EXPECT_EQ(FormatDate(pattern, date), text) << pattern;
    EXPECT_EQ(FormatDate("yyyy/yy", EncodeDate(987, 6, 5)), "0987/87");
}

TEST(DateTime, EveryDayOfSomeYearsAndTimesOfDayRoundTrip)
{
    for (int32_t year : {1, 1600, 1899, 1900, 2000, 2024, 9999})
        for (int32_t month = 1; month <= 12; ++month)
            for (int32_t day = 1; day <= DaysInMonth(year, month); ++day) {
                int32_t y, m, d;
                // A time of day moves a date away from the epoch: earlier dates are negative.
                const TDateTime date = EncodeDate(year, month, day);
                DecodeDate(date + (date < 0 ? -0.75 : 0.75), y, m, d);
                ASSERT_EQ(y * 10000 + m * 100 + d, year * 10000 + month * 100 + day);
            }
    int32_t h, m, s, ms;
    DecodeTime(EncodeDate(2020, 5, 5) + EncodeTime(23, 59, 59, 999), h, m, s, ms);
    EXPECT_EQ((std::array{h, m, s, ms}), (std::array{23, 59, 59, 999}));
    DecodeTime(0.5, h, m, s, ms);
    EXPECT_EQ((std::array{h, m, s, ms}), (std::array{12, 0, 0, 0}));
    EXPECT_THROW(EncodeTime(24, 0, 0, 0), EConvertError);
    EXPECT_THROW(EncodeTime(0, 0, 0, 1000), EConvertError);
}

// "k\k...", `depth` sections deep.
static std::string KeyPath(int depth)
{
    std::string path = "k";
    while (--depth > 0)
        path += "\\k";
    return path;
}

TEST(KeyValueStore, TextKeepsEveryByteAndReadsTheHandWrittenLayout)
{
    KeyValueStore store, again;
    const std::string awkward("a=b%[c]\n\r\x01\x7F\xE9", 12);
    store.WriteString("Soft\\Names", awkward, awkward);
    store.WriteInteger("Soft", "Min", INT32_MIN);
    store.CreateKey("Empty\\Leaf");
    int changes = 0;
    again.OnChange = [&] { ++changes; };
    std::string error, text;
    ASSERT_TRUE(KeyValueStore::FromText(store.ToText(), again, error)) << error;
    EXPECT_EQ(again.ToText(), store.ToText());
    EXPECT_TRUE(again.ReadString("soft\\names", awkward, text) && text == awkward);
    EXPECT_TRUE(again.KeyExists("empty\\leaf") && again.KeyExists("EMPTY") && !again.KeyExists("empt") &&
                !again.KeyExists("empty\\le"));

    // The deepest key a file may hold is kept once, not once for every key above
    // it: the text written back is the text read.
    const std::string deep = "Valdrune key-value store 1\n[" + KeyPath(KeyValueStore::kMaxKeyDepth) + "]\ni n=1\n";
    ASSERT_TRUE(KeyValueStore::FromText(deep, again, error)) << error;
    EXPECT_EQ(again.ToText(), deep);

    // Written by hand: "%3D" is "=", "%0A" a line break.
    const std::string_view hand = "Valdrune key-value store 1\n[a\\b]\ns x%3Dy=one%0Atwo\ni n=-7\n";
    ASSERT_TRUE(KeyValueStore::FromText(hand, again, error)) << error;
    int32_t n = 0;
    EXPECT_TRUE(again.ReadString("A\\B", "x=y", text) && text == "one\ntwo" && again.ReadInteger("a\\b", "N", n) &&
                n == -7);
    EXPECT_FALSE(again.KeyExists("soft")); // the old content is gone
    EXPECT_EQ(changes, 0);                 // reading text is no change
    again.WriteInteger("a\\b", "n", -7);  // nor is the same value again
    EXPECT_EQ(changes, 0);
    again.WriteInteger("a\\b", "n", 8);
    EXPECT_EQ(changes, 1);
}

TEST(KeyValueStore, BadTextsAreRefusedWithTheLineAndLeaveTheStore)
{
    const std::string head = "Valdrune key-value store 1\n";
    const std::pair<std::string, std::string> cases[] = {
        {"", "the file is empty"},
        {"Valdrune key-value store 2\n", "line 1: this is not a store file"},
        {head + "[a]", "line 2: the file ends without a line break"},
        {head + "s x=1\n", "line 2: a value before the first"},
        {head + "[a]\nx x=1\n", "line 3: expected"},
        {head + "[a]\ns x\n", "line 3: expected"},
        {head + "[a]\ni x=2147483648\n", "line 3: \"2147483648\" is not a 32-bit integer"},
        {head + "[a]\ni x=+1\n", "line 3: \"+1\" is not a 32-bit integer"},
        {head + "[a]\ns x=%4\n", "line 3: \"%\" is not followed by two hex digits"},
        {head + "[a]\ns x=a\tb\n", "line 3: byte 9 must be written as"},
        {head + "[a]b]\n", "line 2: byte 93 must be written as"},
        {head + "[a]\n[" + KeyPath(513) + "]\n", "line 3: the key is nested 513 levels deep; at most 512"},
        {head + std::string(KeyValueStore::kMaxTextBytes, 'a'), "the store is larger than 16777216 bytes"},
    };
    for (const auto& [text, message] : cases) {
        KeyValueStore store;
        store.WriteString("kept", "v", "1");
        std::string error;
        EXPECT_FALSE(KeyValueStore::FromText(text, store, error)) << text;
        EXPECT_EQ(error.rfind(message, 0), 0u) << error;
        EXPECT_TRUE(store.ValueExists("kept", "v")) << text;
    }
}

// What the store takes its file gives back: a key too deep, or a value past the
// size of the file, is refused and changes nothing; a deleted value stays deleted.
TEST(KeyValueStore, WritesItsFileCouldNotGiveBackAreRefusedAndTheRestKept)
{
    TemporaryFolder folder;
    const std::filesystem::path file = folder.Path() / "current-user.store";
    size_t room = 0; // the bytes a value "big" may take in the full store's text
    {
        KeyValueStoreFile opened(file, {});
        KeyValueStore& store = opened.Store();
        store.WriteString("Soft", "kept", "1");
        store.CreateKey(KeyPath(KeyValueStore::kMaxKeyDepth));
        EXPECT_THAT([&] { store.WriteInteger(KeyPath(513), "n", 1); },
                    testing::ThrowsMessage<ERegistryException>(testing::HasSubstr("513 levels deep, and at most 512")));
        EXPECT_THROW(store.CreateKey(KeyPath(513)), ERegistryException);
        room = KeyValueStore::kMaxTextBytes - store.ToText().size() - std::string_view("s big=\n").size();
        // "%" is written as three bytes.
        EXPECT_THROW(store.WriteString("soft", "big", std::string(room - 2, 'x') + "%"), ERegistryException);
        store.WriteString("soft", "big", std::string(room - 3, 'x') + "%");
        EXPECT_THROW(store.WriteInteger("soft", "n", 1), ERegistryException); // the store is full
    }
    for (const bool deleted : {false, true}) { // and the file was not set aside
        KeyValueStoreFile opened(file, {});
        std::string big;
        EXPECT_TRUE(opened.Store().ValueExists("soft", "kept") && opened.Store().KeyExists(KeyPath(512)));
        EXPECT_TRUE(opened.Store().ReadString("soft", "big", big) != deleted && big.size() == (deleted ? 0 : room - 2));
        opened.Store().DeleteValue("soft", "big");
    }
}

TEST(Registry, ConfigFolderFollowsTheFreedesktopRule)
{
    const std::string oldXdg = std::getenv("XDG_CONFIG_HOME") ? std::getenv("XDG_CONFIG_HOME") : "";
    const std::string oldHome = std::getenv("HOME") ? std::getenv("HOME") : "";
    const std::array<const char*, 3> cases[] = {
        {"/cfg", "/home/u", "/cfg/valdrune-mission-editor"},
        {"relative", "/home/u", "/home/u/.config/valdrune-mission-editor"},
        {"", "/home/u", "/home/u/.config/valdrune-mission-editor"},
        {"", "", ""},
    };
    for (const auto& [xdg, home, folder] : cases) {
        setenv("XDG_CONFIG_HOME", xdg, 1);
        setenv("HOME", home, 1);
        EXPECT_EQ(UserConfigFolder(), std::filesystem::path(folder)) << xdg << " " << home;
    }
    setenv("XDG_CONFIG_HOME", oldXdg.c_str(), 1);
    setenv("HOME", oldHome.c_str(), 1);
    if (oldXdg.empty())
        unsetenv("XDG_CONFIG_HOME");
}
