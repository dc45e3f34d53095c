#include "platform/DateTime.h"
#include "platform/Exception.h"
#include "platform/KeyValueStore.h"

#include <gtest/gtest.h>

#include <array>

TEST(DateTime, DaysCountFromTheEpoch)
{
    EXPECT_EQ(platform::EncodeDate(1899, 12, 30), 0.0);
    EXPECT_EQ(platform::EncodeDate(1900, 1, 1), 2.0);
    EXPECT_EQ(platform::EncodeDate(2000, 1, 1), 36526.0);
    EXPECT_EQ(platform::EncodeDate(1899, 12, 29), -1.0);
    EXPECT_THROW(platform::EncodeDate(1900, 2, 29), EConvertError); // not a leap year
    EXPECT_NO_THROW(platform::EncodeDate(2000, 2, 29));
    EXPECT_THROW(platform::EncodeDate(0, 1, 1), EConvertError);
    EXPECT_THROW(platform::EncodeDate(2000, 13, 1), EConvertError);
    EXPECT_EQ(platform::DaysInMonth(2024, 2), 29);
    EXPECT_EQ(platform::DaysInMonth(2023, 2), 28);
}

TEST(DateTime, FormatDateByPattern)
{
    const TDateTime date = platform::EncodeDate(2024, 3, 5); // a Tuesday
    EXPECT_EQ(platform::FormatDate("mm/dd/yyyy", date), "03/05/2024");
    EXPECT_EQ(platform::FormatDate("d.m.yy", date), "5.3.24");
    EXPECT_EQ(platform::FormatDate("dddd, MMMM D, YYYY", date), "Tuesday, March 5, 2024");
    EXPECT_EQ(platform::FormatDate("ddd mmm", date), "Tue Mar");
    EXPECT_EQ(platform::FormatDate("'day' d \"of\" m", date), "day 5 of 3");
    EXPECT_EQ(platform::FormatDate("yyyy 'open", date), "2024 open");
    EXPECT_EQ(platform::FormatDate("", date), "");
    EXPECT_EQ(platform::FormatDate("yyyy/yy", platform::EncodeDate(987, 6, 5)), "0987/87");
}

TEST(DateTime, DayOfWeekRunsSundayOneToSaturdaySeven)
{
    EXPECT_EQ(platform::DayOfWeek(platform::EncodeDate(1899, 12, 30)), 7);
    EXPECT_EQ(platform::DayOfWeek(platform::EncodeDate(1899, 12, 24)), 1); // before the epoch
    EXPECT_EQ(platform::DayOfWeek(platform::EncodeDate(2000, 1, 1)), 7);
    EXPECT_EQ(platform::DayOfWeek(platform::EncodeDate(2023, 10, 1) + 0.9), 1);
    EXPECT_EQ(platform::DayOfWeek(platform::EncodeDate(2024, 2, 29)), 5);
}

TEST(DateTime, EveryDayOfSomeYearsRoundTrips)
{
    for (int32_t year : {1, 1600, 1899, 1900, 2000, 2024, 9999})
        for (int32_t month = 1; month <= 12; ++month)
            for (int32_t day = 1; day <= platform::DaysInMonth(year, month); ++day) {
                int32_t y, m, d;
                // A time of day moves a date away from the epoch: earlier dates are negative.
                const TDateTime date = platform::EncodeDate(year, month, day);
                platform::DecodeDate(date + (date < 0 ? -0.75 : 0.75), y, m, d);
                ASSERT_EQ(y * 10000 + m * 100 + d, year * 10000 + month * 100 + day);
            }
}

TEST(DateTime, TimesOfDay)
{
    int32_t h, m, s, ms;
    platform::DecodeTime(platform::EncodeDate(2020, 5, 5) + platform::EncodeTime(23, 59, 59, 999), h, m, s, ms);
    EXPECT_EQ((std::array{h, m, s, ms}), (std::array{23, 59, 59, 999}));
    platform::DecodeTime(0.5, h, m, s, ms);
    EXPECT_EQ((std::array{h, m, s, ms}), (std::array{12, 0, 0, 0}));
    EXPECT_THROW(platform::EncodeTime(24, 0, 0, 0), EConvertError);
    EXPECT_THROW(platform::EncodeTime(0, 0, 0, 1000), EConvertError);
}

TEST(KeyValueStore, KeysAndNamesIgnoreCaseAndKindsStayApart)
{
    platform::KeyValueStore store;
    EXPECT_FALSE(store.KeyExists("A"));
    store.WriteInteger("A\\B\\C", "Width", 640);
    EXPECT_TRUE(store.KeyExists("a"));
    EXPECT_TRUE(store.KeyExists("a\\b"));
    EXPECT_TRUE(store.KeyExists("\\A\\\\B\\c\\"));
    EXPECT_FALSE(store.KeyExists("A\\C"));
    int32_t width = 0;
    EXPECT_TRUE(store.ReadInteger("a\\b\\c", "WIDTH", width));
    EXPECT_EQ(width, 640);
    std::string text;
    EXPECT_FALSE(store.ReadString("A\\B\\C", "Width", text)); // an integer is not a string
    store.WriteString("A\\B\\C", "width", "wide");
    EXPECT_TRUE(store.ReadString("A\\B\\C", "Width", text));
    EXPECT_EQ(text, "wide");
    EXPECT_FALSE(store.ReadInteger("A\\B\\C", "Width", width));
    EXPECT_FALSE(store.ValueExists("A\\B", "Width"));
    store.CreateKey("Empty");
    EXPECT_TRUE(store.KeyExists("empty"));
}
