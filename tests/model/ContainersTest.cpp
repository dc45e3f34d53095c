#include "model/List.h"
#include "model/MapMap.h"
#include "model/SimpleArray.h"
#include "model/VKString.h"

#include <gtest/gtest.h>

#include <string>

// ---- VK::CSimpleArray ------------------------------------------------------

TEST(SimpleArray, AutomaticGrowthStepFollowsTheCount)
{
    struct Case {
        int count, newCount;
        uint16_t growBy;
        int capacity;
    };
    // From exactly `count` held: a step of count / 8 clamped to 4 .. 1024, or a fixed step.
    for (const Case& c : {Case{0, 1, 0, 4}, {100, 101, 0, 112}, {9000, 9001, 0, 10024}, {9000, 9001, 1, 9001}}) {
        CDwordArray array;
        array.SetSize(c.count, uint16_t(c.count));
        array.SetSize(c.newCount, c.growBy);
        EXPECT_EQ(array.GetCapacity(), c.capacity) << c.count << " + " << c.growBy;
    }
    CByteArray moreThanAStep(4);
    moreThanAStep.SetSize(50);
    EXPECT_EQ(moreThanAStep.GetCapacity(), 50);
    EXPECT_EQ(moreThanAStep.GetGrowBy(), 4);
}

TEST(SimpleArray, ShrinkKeepsCapacityRegrowthIsZeroedAndSizeZeroFrees)
{
    CDwordArray array;
    array.SetSize(10);
    for (int i = 0; i < 10; ++i)
        array[i] = 100u + i;
    const uint32_t* block = array.GetData();
    const int capacity = array.GetCapacity();
    array.SetSize(3);
    array.SetSize(6);
    EXPECT_EQ(array.GetData(), block);
    EXPECT_EQ(array.GetCapacity(), capacity);
    EXPECT_EQ(array[2], 102u);
    for (int i = 3; i < 6; ++i)
        EXPECT_EQ(array[i], 0u) << "element " << i;
    ASSERT_EQ(array.SetSize(0), 1);
    EXPECT_EQ(array.GetCapacity(), 0);
    EXPECT_EQ(array.GetData(), nullptr);
}

TEST(SimpleArray, SizeBeyondSixteenBitsIsRefusedAndChangesNothing)
{
    CByteArray array;
    array.SetSize(5);
    array[4] = 9;
    EXPECT_EQ(array.SetSize(CByteArray::kMaxSize + 1), 0);
    EXPECT_EQ(array.SetSize(-1), 0);
    EXPECT_EQ(array.GetSize(), 5);
    EXPECT_EQ(array[4], 9);
    EXPECT_EQ(array.SetSize(CByteArray::kMaxSize), 1);
    EXPECT_EQ(array.GetCapacity(), CByteArray::kMaxSize);

    const uint8_t one = 1;
    EXPECT_EQ(array.Append(&one, 1), -1);
    EXPECT_EQ(array.GetSize(), CByteArray::kMaxSize);
}

TEST(SimpleArray, AppendReturnsFirstNewIndexAndMayCopyFromItself)
{
    CWordArray array;
    const uint16_t first[] = {1, 2, 3};
    EXPECT_EQ(array.Append(first, 3), 0);
    EXPECT_EQ(array.Append(array.GetData(), 3), 3); // reallocates while copying from the old block
    ASSERT_EQ(array.GetSize(), 6);
    EXPECT_EQ(array[3], 1);
    EXPECT_EQ(array[5], 3);
}

TEST(SimpleArray, StringElementsAreConstructedCopiedAndDestroyed)
{
    // Run under AddressSanitizer: a leak or double free of a string fails here.
    VK::CSimpleArray<VK::CString> names;
    names.SetSize(2);
    EXPECT_TRUE(names[1].IsEmpty());
    names[0].Assign("Knight");
    names[1].Assign("Archer");
    names.SetSize(40); // moves the strings to a new block
    EXPECT_STREQ(names[1].c_str(), "Archer");

    VK::CSimpleArray<VK::CString> copy(names);
    copy[0].Assign("Changed");
    EXPECT_STREQ(names[0].c_str(), "Knight");

    names.SetSize(1); // destroys "Archer" and the 38 empty ones
    names.SetSize(2);
    EXPECT_TRUE(names[1].IsEmpty());
    EXPECT_EQ(copy.GetSize(), 40);
}

// ---- CList -----------------------------------------------------------------

TEST(List, BadIndexesThrowTheirOwnExceptions)
{
    CList<int> list;
    list.AddTail(10);
    list.AddTail(20);
    EXPECT_EQ(list.GetAt(1), 20);
    EXPECT_THROW(list.GetAt(2), CList<int>::BadSize);
    EXPECT_THROW(list.RemoveAt(2), CList<int>::NotExist);
    EXPECT_EQ(list.Lookup(2), nullptr);
    EXPECT_EQ(list.GetCount(), 2u);
}

TEST(List, RemoveKeepsOrderAndLinksDownToEmpty)
{
    CList<std::string> list;
    for (const char* name : {"a", "b", "c", "d"})
        list.AddTail(name);
    list.RemoveAt(0);      // head moves on
    list.RemoveAt(1);      // middle: "c"
    list.RemoveAt(1);      // the tail: "d"
    list.AddTail("e");     // the tail link is still right
    ASSERT_EQ(list.GetCount(), 2u);
    EXPECT_EQ(list.GetAt(0), "b");
    EXPECT_EQ(list.GetAt(1), "e");
    EXPECT_EQ(list.Find("e"), 1);
    EXPECT_EQ(list.Find("a"), -1);

    list.RemoveTail();
    list.RemoveTail();
    list.RemoveTail(); // on an empty list: nothing
    EXPECT_EQ(list.GetCount(), 0u);
    list.AddTail("f");
    EXPECT_EQ(list.GetAt(0), "f");
}

TEST(List, ResizeTrimsFromTheTailAndFillsWithTheGivenValue)
{
    CList<int> list;
    list.Resize(3, 7);
    list.GetAt(0) = 1;
    list.Resize(5);
    EXPECT_EQ(list.GetAt(0), 1);
    EXPECT_EQ(list.GetAt(2), 7);
    EXPECT_EQ(list.GetAt(4), 0);
    list.Resize(1);
    EXPECT_EQ(list.GetCount(), 1u);
    EXPECT_EQ(list.GetAt(0), 1);
}

// ---- VK::CString -----------------------------------------------------------

TEST(CString, InsertAndAssignAnywhereEvenFromItsOwnBuffer)
{
    VK::CString text;
    EXPECT_EQ(text.Insert(0, "ad"), 1);
    text.Insert(1, "bc");
    EXPECT_STREQ(text.c_str(), "abcd");
    text.Insert(100, "!"); // past the end appends
    EXPECT_STREQ(text.c_str(), "abcd!");
    EXPECT_EQ(text.GetLength(), 5);
    text.Insert(2, nullptr);
    EXPECT_STREQ(text.c_str(), "abcd!");

    text.Assign("Valdrune"); // from its own buffer or a part of it
    text.Assign(text.c_str());
    EXPECT_STREQ(text.c_str(), "Valdrune");
    text.Assign(text.c_str() + 4); // a suffix of the buffer it replaces
    EXPECT_STREQ(text.c_str(), "rune");
    text.Insert(0, text.c_str());
    EXPECT_STREQ(text.c_str(), "runerune");
}

TEST(CString, EmptyHoldsNoBufferAndTooLongIsRefused)
{
    VK::CString text;
    text.Assign("");
    EXPECT_TRUE(text.IsEmpty());
    EXPECT_STREQ(text.c_str(), "");

    const std::string longest(VK::CString::kMaxLength, 'x');
    ASSERT_EQ(text.Assign(longest.c_str()), 1);
    EXPECT_EQ(text.GetLength(), VK::CString::kMaxLength);
    EXPECT_EQ(text.Insert(0, "y"), 0); // would wrap the 16-bit length
    EXPECT_EQ(text.GetLength(), VK::CString::kMaxLength);
    const std::string tooLong(VK::CString::kMaxLength + 1, 'z');
    EXPECT_EQ(text.Assign(tooLong.c_str()), 0);
    EXPECT_EQ(text.c_str()[0], 'x');
}

// ---- CMapMap ---------------------------------------------------------------

TEST(MapMap, OutsideReadsGiveTheDefaultAndOutsideWritesAreIgnored)
{
    CMapMap map(0xFFFFFFFFu);
    EXPECT_EQ(map.GetAt(0, 0), 0xFFFFFFFFu); // never sized
    map.SetAt(0, 0, 5);

    ASSERT_TRUE(map.SetSize(3, 2));
    map.SetAt(2, 1, 42);
    map.SetAt(3, 1, 7);  // right of the grid
    map.SetAt(0, 2, 7);  // below
    map.SetAt(-1, 0, 7); // left
    EXPECT_EQ(map.GetAt(2, 1), 42u);
    EXPECT_EQ(map.GetAt(0, 0), 0xFFFFFFFFu);
    EXPECT_EQ(map.GetAt(3, 1), 0xFFFFFFFFu);
    EXPECT_EQ(map.GetAt(0, -1), 0xFFFFFFFFu);
    EXPECT_EQ(map.GetData()[1 * 3 + 2], 42u); // row by row

    int nonDefault = 0;
    for (int i = 0; i < 6; ++i)
        nonDefault += map.GetData()[i] != 0xFFFFFFFFu;
    EXPECT_EQ(nonDefault, 1);

    ASSERT_TRUE(map.SetSize(2, 2)); // reallocation resets every cell
    EXPECT_EQ(map.GetAt(1, 1), 0xFFFFFFFFu);
    EXPECT_FALSE(map.SetSize(-1, 4));
    EXPECT_EQ(map.GetWidth(), 0);
}
