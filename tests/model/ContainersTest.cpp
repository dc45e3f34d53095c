#include "model/List.h"
#include "model/SimpleArray.h"
#include "model/VKString.h"

#include <gtest/gtest.h>


// ---- VK::CSimpleArray ------------------------------------------------------

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
    list.RemoveAt(1); // the tail, then the last one
    list.RemoveAt(0);
    list.RemoveTail(); // on an empty list: nothing
    EXPECT_THROW(list.GetAt(0), CList<int>::BadSize);
}

// ---- VK::CString -----------------------------------------------------------

TEST(CString, InsertAnywhereAndAssignEvenFromItsOwnBuffer)
{
    VK::CString text("ad");
    text.Insert(1, "bc");
    text.Insert(100, "!"); // past the end appends
    EXPECT_STREQ(text.c_str(), "abcd!");
    text.Assign(text.c_str());
    text.Assign(text.c_str() + 2); // a suffix of the buffer it replaces
    text.Insert(0, text.c_str());
    EXPECT_STREQ(text.c_str(), "cd!cd!");
    EXPECT_EQ(text.GetLength(), 6);
    text.Assign("");
    EXPECT_STREQ(text.c_str(), "");
}
