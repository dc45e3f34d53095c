#include "model/Serializer.h"
#include "model/SimpleArray.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A small record tree that uses every value width, with a stored count that
// drives a loop, as the project's records do.
struct Child {
    uint16_t id = 0;
    VK::CString name;
};

struct Record {
    uint32_t dword = 0;
    uint16_t word = 0;
    uint8_t byte = 0;
    uint32_t flag = 0;
    VK::CString title;
    std::string note;
    VK::CSimpleArray<Child> children;

    void Serialize(VK::ISerializer* s)
    {
        s->SerializeDword(&dword);
        s->SerializeWord(&word);
        s->SerializeByte(&byte);
        s->SerializeFlag(&flag);
        s->SerializeCString(&title);
        s->SerializeAnsiString(&note);
        uint16_t count = uint16_t(children.GetSize());
        s->SerializeWord(&count);
        if (!s->IsStoring() && !children.SetSize(count))
            return;
        for (int i = 0; i < count && !s->HasError(); ++i) {
            s->SerializeWord(&children[i].id);
            s->SerializeCString(&children[i].name);
        }
    }
};

Record SampleRecord()
{
    Record r;
    r.dword = 0x11223344;
    r.word = 0xABCD;
    r.byte = 0x7E;
    r.flag = 1;
    r.title.Assign("abc");
    r.note = "";
    r.children.SetSize(2);
    r.children[0].id = 1;
    r.children[0].name.Assign("Gold");
    r.children[1].id = 0x0102;
    return r;
}

std::vector<uint8_t> Saved(Record& record)
{
    VK::CSerialSizer sizer;
    record.Serialize(&sizer);
    std::vector<uint8_t> bytes(sizer.GetSize());
    VK::CSerialSaver saver(bytes.data(), bytes.size());
    record.Serialize(&saver);
    EXPECT_FALSE(saver.HasError());
    EXPECT_EQ(saver.GetPosition(), bytes.size());
    return bytes;
}

} // namespace

TEST(Serializer, StoredBytesMatchTheLayoutByHand)
{
    Record record = SampleRecord();
    const std::vector<uint8_t> expected = {
        0x44, 0x33, 0x22, 0x11,  // dword, little-endian
        0xCD, 0xAB,              // word
        0x7E,                    // byte
        0x01,                    // flag
        'a', 'b', 'c', 0x00,     // CString
        0x00,                    // empty AnsiString: its NUL only
        0x02, 0x00,              // child count
        0x01, 0x00, 'G', 'o', 'l', 'd', 0x00,
        0x02, 0x01, 0x00,        // empty CString: one zero byte
    };
    EXPECT_EQ(Saved(record), expected);
}

TEST(Serializer, SizeEqualsBytesWrittenEqualsBytesRead)
{
    Record record = SampleRecord();
    std::vector<uint8_t> bytes = Saved(record);

    Record loaded;
    VK::CSerialLoader loader(bytes.data(), bytes.size());
    loaded.Serialize(&loader);
    EXPECT_FALSE(loader.HasError());
    EXPECT_EQ(loader.GetPosition(), bytes.size());
    EXPECT_EQ(Saved(loaded), bytes); // every field read back, the count driving the loop
}

TEST(Serializer, FlagWritesTheLowByteAndReadsZeroExtended)
{
    uint32_t flag = 0x1FF, target = 0xFFFFFFFF;
    uint8_t byte = 0;
    VK::CSerialSaver(&byte, 1).SerializeFlag(&flag);
    EXPECT_EQ(byte, 0xFF);
    VK::CSerialLoader(&byte, 1).SerializeFlag(&target);
    EXPECT_EQ(target, 255u);
}

TEST(Serializer, SaverOneByteShortWritesUpToTheValueThatDoesNotFit)
{
    Record record = SampleRecord();
    const std::vector<uint8_t> full = Saved(record);
    std::vector<uint8_t> bytes(full.size() - 1, 0xEE);
    VK::CSerialSaver saver(bytes.data(), bytes.size());
    record.Serialize(&saver);
    EXPECT_TRUE(saver.HasError());
    // The last value (the empty name's NUL) did not fit; everything before it is written.
    EXPECT_EQ(saver.GetPosition(), full.size() - 1);
    EXPECT_TRUE(std::equal(bytes.begin(), bytes.end(), full.begin()));

    // Once failed, nothing more is written even where it would fit.
    uint8_t small = 1;
    std::vector<uint8_t> tiny(2, 0xEE);
    VK::CSerialSaver failed(tiny.data(), tiny.size());
    uint32_t dword = 0;
    failed.SerializeDword(&dword);
    failed.SerializeByte(&small);
    EXPECT_EQ(tiny, std::vector<uint8_t>(2, 0xEE));
}

TEST(Serializer, TruncatedInputSetsTheErrorAndKeepsTheRemainingTargets)
{
    Record record = SampleRecord();
    const std::vector<uint8_t> full = Saved(record);
    for (size_t cut = 0; cut < full.size(); ++cut) {
        Record loaded;
        loaded.title.Assign("before");
        loaded.note = "kept";
        VK::CSerialLoader loader(full.data(), cut);
        loaded.Serialize(&loader);
        EXPECT_TRUE(loader.HasError()) << "cut at " << cut;
        EXPECT_LE(loader.GetPosition(), cut);
        if (cut < 12) {
            EXPECT_STREQ(loaded.title.c_str(), "before") << "cut at " << cut;
        }
        if (cut < 13) {
            EXPECT_EQ(loaded.note, "kept") << "cut at " << cut;
        }
    }
}

TEST(Serializer, EmbeddedNulIsStoredAsTheLoaderWillReadIt)
{
    std::string text("ab\0cd", 5), after = "next", loadedText, loadedAfter;
    VK::CSerialSizer sizer;
    sizer.SerializeAnsiString(&text);
    sizer.SerializeAnsiString(&after);
    EXPECT_EQ(sizer.GetSize(), 3u + 5u);
    std::vector<uint8_t> bytes(sizer.GetSize());
    VK::CSerialSaver saver(bytes.data(), bytes.size());
    saver.SerializeAnsiString(&text);
    saver.SerializeAnsiString(&after);
    EXPECT_EQ(saver.GetPosition(), bytes.size());

    VK::CSerialLoader loader(bytes.data(), bytes.size());
    loader.SerializeAnsiString(&loadedText);
    loader.SerializeAnsiString(&loadedAfter);
    EXPECT_FALSE(saver.HasError() || loader.HasError());
    EXPECT_EQ(loadedText + "|" + loadedAfter, "ab|next");
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
        loader.SerializeAnsiString(&ansi);
        EXPECT_EQ(ansi, "kept");
    }
    // Once failed, a value that would fit is not read either.
    const uint8_t bytes[] = {'a', 'b', 'c'};
    VK::CSerialLoader loader(bytes, sizeof bytes);
    VK::CString text;
    loader.SerializeCString(&text);
    uint8_t byte = 9;
    loader.SerializeByte(&byte);
    EXPECT_EQ(byte, 9);
    EXPECT_EQ(loader.GetPosition(), 0u);
}
