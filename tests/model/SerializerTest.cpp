#include "model/Serializer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// The project file's tests check the stored widths byte by byte; here the
// short strings the project file does not use, and the streams that run out.
TEST(Serializer, ShortStringsStoreTheirNulAndAFullSaverWritesNoMore)
{
    VK::CString name("Gold");
    VK::CSerialSizer sizer;
    sizer.SerializeCString(&name);
    ASSERT_EQ(sizer.GetSize(), 5u);
    std::vector<uint8_t> bytes(5, 0xEE);
    VK::CSerialSaver saver(bytes.data(), 4);
    saver.SerializeCString(&name); // one byte short: nothing written
    EXPECT_TRUE(saver.HasError());
    EXPECT_EQ(bytes, std::vector<uint8_t>(5, 0xEE));
    uint16_t word = 1;
    saver.SerializeWord(&word); // once failed, not even what would fit
    EXPECT_EQ(saver.GetPosition(), 0u);

    VK::CSerialSaver(bytes.data(), 5).SerializeCString(&name);
    VK::CString loaded;
    VK::CSerialLoader loader(bytes.data(), bytes.size());
    loader.SerializeCString(&loaded);
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), std::string("Gold", 5));
    EXPECT_STREQ(loaded.c_str(), "Gold");
    EXPECT_EQ(loader.GetPosition(), 5u);
}

TEST(Serializer, StringsThatCannotBeReadAreErrorsAndLeaveTheTarget)
{
    std::vector<uint8_t> tooLong(VK::CString::kMaxLength + 2, 'x');
    tooLong.back() = 0;
    const std::vector<uint8_t> inputs[] = {{}, {'a', 'b', 'c'}, tooLong}; // empty, no NUL, too long
    for (const std::vector<uint8_t>& bytes : inputs) {
        SCOPED_TRACE(std::to_string(bytes.size()) + " bytes");
        VK::CString text("old");
        std::string ansi = "kept";
        VK::CSerialLoader loader(bytes.empty() ? nullptr : bytes.data(), bytes.size());
        loader.SerializeCString(&text);
        EXPECT_TRUE(loader.HasError());
        EXPECT_STREQ(text.c_str(), "old");
        EXPECT_EQ(loader.GetPosition(), 0u);
        loader.SerializeAnsiString(&ansi);
        EXPECT_EQ(ansi, "kept");
        uint8_t byte = 9;
        loader.SerializeByte(&byte); // once failed, a value that would fit is not read either
        EXPECT_EQ(byte, 9);
    }
}
