// The bitmap list: items made and copied, and indexes checked.
#include "graphics/Bitmap32List.h"

#include <gtest/gtest.h>

#include "graphics/GraphicsTestHelpers.h"

TEST(Bitmap32List, EmptyListRaisesForAnyIndex)
{
    TBitmap32List list;
    EXPECT_EQ(list.Bitmaps()->Count(), 0);
    EXPECT_EQ(list.Bitmaps()->GetOwner(), &list);
    EXPECT_EQ(graphicstest::MessageOf([&] { list.Bitmap(0); }), "List index out of bounds (0)");
    EXPECT_THROW(list.Bitmap(0), EListError);
    TBitmap32 source;
    EXPECT_THROW(list.SetBitmap(-1, &source), EListError);
}

TEST(Bitmap32List, SettingABitmapCopiesPixelsAndDrawingProperties)
{
    TBitmap32List list;
    list.Bitmaps()->Add();
    TBitmap32 source;
    source.SetSize(3, 2);
    source.Clear(0x80102030);
    source.SetMasterAlpha(77);
    list.SetBitmap(0, &source);
    source.Clear(0xFFFFFFFF); // later changes of the source stay out of the list
    source.SetMasterAlpha(1);
    const TBitmap32* stored = list.Bitmap(0);
    ASSERT_NE(stored, &source);
    EXPECT_EQ(stored->Width(), 3);
    EXPECT_EQ(stored->GetPixel(2, 1), 0x80102030u);
    EXPECT_EQ(stored->MasterAlpha(), 77u);
}

TEST(Bitmap32List, SettingTheCollectionCopiesItsItems)
{
    TBitmap32List first, second;
    first.Bitmaps()->Add()->Bitmap()->SetSize(4, 4);
    first.Bitmaps()->Add()->Bitmap()->SetSize(5, 1);
    second.Bitmaps()->Add();
    second.SetBitmaps(first.Bitmaps());
    ASSERT_EQ(second.Bitmaps()->Count(), 2);
    EXPECT_EQ(second.Bitmaps()->GetOwner(), &second);
    EXPECT_EQ(second.Bitmap(1)->Width(), 5);
    EXPECT_NE(second.Bitmap(1), first.Bitmap(1));
    // The item setter copies into the existing item.
    TBitmap32Item* kept = second.Bitmaps()->Items(0);
    second.Bitmaps()->SetItems(0, first.Bitmaps()->Items(1));
    EXPECT_EQ(second.Bitmaps()->Items(0), kept);
    EXPECT_EQ(kept->Bitmap()->Width(), 5);
}
