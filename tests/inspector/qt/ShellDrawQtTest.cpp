// File-type icons through the Qt window system.
#include "inspector/rmLibraryDraw.h"
#include "inspector/rmLibraryShell.h"
#include "platform/FileSystem.h"

#include <gtest/gtest.h>

#include "inspector/ExpectMessage.h"


TEST(FileIcons, OneIndexPerPictureAndShortcutsShowTheirTarget)
{
    platform::TemporaryFolder folder;
    const int32_t text = GetFileImageIndex("notes.txt", true);
    ASSERT_GE(text, 0);
    EXPECT_EQ(GetFileImageIndex("other.txt", true), text);
    const int32_t dir = GetFileImageIndex(folder.Path().string(), true);
    EXPECT_NE(dir, text);
    const std::string link = (folder.Path() / "folder.lnk").string();
    TShortcutDetails toFolder;
    toFolder.Target = folder.Path().string();
    WriteShortCutFile(link, toFolder);
    EXPECT_EQ(GetFileImageIndex(link, true), dir);
    TBitmap32 icon;
    GetFileIcon("notes.txt", true, icon);
    EXPECT_EQ((std::pair{icon.Width(), icon.Height()}), (std::pair{16, 16}));
    TBitmap32List images;
    GetFileImages(images, true);
    ASSERT_GT(images.Bitmaps()->Count(), std::max(text, dir));
    EXPECT_TRUE(images.Bitmaps()->Items(text)->Bitmap()->Equal(icon));
    GetFileIcon("notes.txt", false, icon);
    EXPECT_EQ(icon.Width(), 32);
    ExpectThrowWithMessage<Exception>([] { GetFileImageIndex("", true); }, "No file specified");
}
