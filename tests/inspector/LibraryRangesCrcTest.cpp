#include "inspector/rmCrc32.h"
#include "inspector/rmLibraryRanges.h"
#include "inspector/rmListSort.h"
#include "inspector/rmStream.h"

#include "platform/Exception.h"
#include "platform/FileSystem.h"
#include "platform/Geometry.h"

#include "ExpectMessage.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

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
    EXPECT_EQ(GetStrCRC32("a"), 0xE8B7BE43u);
    EXPECT_EQ(GetStrCRC32("The quick brown fox jumps over the lazy dog"), 0x414FA339u);
    EXPECT_NE(GetStrCRC32("/A"), GetStrCRC32("/a"));
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
    EXPECT_EQ(StringSortProc(a, b, EncodeSortData(true, 9)), 0); // a column neither row has
}

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

} // namespace

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
