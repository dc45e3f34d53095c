// The bitmap as an object: size and events, pixel access, copying and comparing, the
// Data stream and the picture files; and the bitmap list.
#include "graphics/Bitmap32List.h"
#include "platform/FileSystem.h"
#include "platform/ImageTestFiles.h"
#include "graphics/GraphicsTestHelpers.h"
#include "support/HeapMeter.h"

using namespace graphicstest;

namespace {

// Sizes the bitmap and numbers its pixels: (x, y) holds 0x80000000 | y << 8 | x.
void FillNumbered(TBitmap32& bitmap, int32_t width, int32_t height)
{
    bitmap.SetSize(width, height);
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x)
            bitmap.SetPixel(x, y, 0x80000000u | uint32_t(y << 8 | x));
}

} // namespace

TEST(Bitmap32, SizeEventsAndEmptiness)
{
    TBitmap32 bitmap;
    std::string log; // the events in order: Handle changed, Changed, Resized
    bitmap.OnChange = [&](TObject*) { log += 'C'; };
    bitmap.OnResize = [&](TObject*) { log += 'R'; };
    bitmap.OnHandleChanged = [&](TObject*) { log += 'H'; };
    EXPECT_TRUE(bitmap.Empty());
    EXPECT_TRUE(bitmap.SetSize(3, 2));
    EXPECT_EQ(std::exchange(log, {}), "HCR");
    EXPECT_EQ(bitmap.BoundsRect(), (TRect{0, 0, 3, 2}));
    EXPECT_EQ(PixelsOf(bitmap), std::vector<TColor32>(6, 0)); // new pixels are zero
    EXPECT_FALSE(bitmap.SetSize(3, 2));
    EXPECT_EQ(log, "");
    EXPECT_TRUE(bitmap.SetSize(-5, 10));
    EXPECT_EQ((std::tuple{bitmap.Width(), bitmap.Height(), bitmap.Empty(), bitmap.Bits()}),
              (std::tuple{0, 10, true, static_cast<TColor32*>(nullptr)}));
    log.clear();
    bitmap.Clear();
    EXPECT_EQ(log, "");
    // Absurd sizes fail cleanly and leave the bitmap empty.
    bitmap.SetSize(3, 2);
    EXPECT_EQ(MessageOf([&] { bitmap.SetSize(INT32_MAX, INT32_MAX); }), "Can't allocate the DIB handle");
    EXPECT_EQ(bitmap.BoundsRect(), (TRect{0, 0, 0, 0}));
    EXPECT_TRUE(bitmap.Empty());
}

TEST(Bitmap32, PixelAccessFillsAndAlpha)
{
    Paper bitmap(3, 2, 0xFF112233);
    bitmap.SetOuterColor(0x12345678);
    EXPECT_EQ((std::vector<TColor32>{bitmap.GetPixelS(-1, 0), bitmap.GetPixelS(3, 0), bitmap.GetPixelS(0, 2),
                                     bitmap.GetPixelS(2, 1), TBitmap32().GetPixelS(0, 0)}),
              (std::vector<TColor32>{0x12345678, 0x12345678, 0x12345678, 0xFF112233, 0}));
    for (auto [x, y] : {std::pair{-1, 0}, {3, 0}, {0, 2}, {0, -1}})
        bitmap.SetPixelS(x, y, 0xDEADBEEF);
    EXPECT_EQ(PixelsOf(bitmap), std::vector<TColor32>(6, 0xFF112233u));
    bitmap.SetPixelS(1, 1, 0xDEADBEEF);
    EXPECT_EQ((std::vector<TColor32>{bitmap.GetPixel(1, 1), *bitmap.PixelPtr(1, 1)}),
              (std::vector<TColor32>{0xDEADBEEF, 0xDEADBEEF}));

    Paper big(10, 10, 0);
    big.Clear();
    EXPECT_EQ(PixelsOf(big), std::vector<TColor32>(100, 0xFF000000u));
    auto filled = [&](TColor32 mark) { return RowPicture(big, [mark](TColor32 p) { return p == mark ? '#' : p == 0 ? '.' : '?'; }); };
    big.Clear(0);
    big.FillRectS(-10, -10, 5, 5, 7);
    EXPECT_EQ(filled(7), "#####...../#####...../#####...../#####...../#####...../........../........../........../"
                         "........../..........");
    big.Clear(0);
    big.FillRectS(5, 5, 5, 9, 7);  // zero width
    big.FillRectS(10, 0, 12, 3, 7); // right of the bitmap
    big.FillRectS(-3, 0, 0, 3, 7);  // left of it
    big.FillRectS(TRect{8, 8, 20, 20}, 9);
    EXPECT_EQ(filled(9), "........../........../........../........../........../........../........../........../"
                         "........##/........##");
    big.FillRect(1, 2, 3, 3, 0x00ABCDEF);
    EXPECT_EQ(PixelsAt(big, {{1, 2}, {3, 2}}), (std::vector<TColor32>{0x00ABCDEF, 0}));
    big.ResetAlpha();
    EXPECT_EQ(PixelsAt(big, {{1, 2}, {0, 0}}), (std::vector<TColor32>{0xFFABCDEF, 0xFF000000}));
}

TEST(Bitmap32, AssignCopiesPixelsAndDrawingPropertiesEqualComparesAndOnlyRealChangesReport)
{
    TBitmap32 source;
    FillNumbered(source, 3, 2);
    int changes = 0;
    source.OnChange = [&](TObject*) { ++changes; };
    source.SetDrawMode(dmOpaque); // the defaults again: no change
    source.SetMasterAlpha(255);
    source.SetStretchFilter(sfNearest);
    EXPECT_EQ(changes, 0);
    source.SetDrawMode(dmBlend);
    source.SetMasterAlpha(77);
    source.SetStretchFilter(sfMitchell);
    EXPECT_EQ(changes, 3);
    source.SetOuterColor(0x11); // these two are no change of the picture
    source.SetPenColor(0x22);
    EXPECT_EQ(changes, 3);

    TBitmap32 copy;
    copy.OnChange = [&](TObject*) { ++changes; };
    copy.Assign(&source);
    EXPECT_EQ(changes, 4);
    EXPECT_TRUE(copy.Equal(source));
    EXPECT_EQ(PixelsOf(copy), PixelsOf(source));
    EXPECT_EQ((std::tuple{copy.DrawMode(), copy.MasterAlpha(), copy.OuterColor(), copy.StretchFilter(), copy.PenColor()}),
              (std::tuple{dmBlend, 77u, 0x11u, sfMitchell, 0xFFFFFFFFu})); // the pen is not copied
    copy.Assign(nullptr);
    EXPECT_TRUE(copy.Empty() && copy.Width() == 0);

    struct TForeign : TPersistent {
        const char* ClassName() const override { return "TForeign"; }
    } foreign;
    EXPECT_EQ(MessageOf([&] { copy.Assign(&foreign); }), "Cannot assign a TForeign to a TBitmap32");
    EXPECT_EQ(MessageOf([&] { copy.SetSizeFrom(&foreign); }), "Can't set size from 'TForeign'");
    copy.SetSizeFrom(&source);
    EXPECT_EQ(copy.BoundsRect(), (TRect{0, 0, 3, 2}));
    copy.SetSizeFrom(nullptr);
    EXPECT_TRUE(copy.Empty());
    // Equal compares the shapes and the pixels; empty bitmaps are equal.
    TBitmap32 a, b;
    a.SetSize(2, 2);
    b.SetSize(2, 2);
    b.SetPixel(1, 1, 1);
    EXPECT_FALSE(a.Equal(b) || a.Equal(TBitmap32()) || TBitmap32().Equal(a));
    EXPECT_TRUE(TBitmap32().Equal(TBitmap32()));
    b.SetSize(4, 1);
    b.Clear(0);
    EXPECT_FALSE(a.Equal(b)); // same pixel count, other shape
}

TEST(Bitmap32, DataStreamLayoutRoundTripAndRefusals)
{
    TBitmap32 bitmap;
    FillNumbered(bitmap, 3, 2);
    TMemoryStream stream, emptyStream;
    bitmap.WriteData(stream);
    // Width and height as 32-bit little-endian words, then the pixels as B G R A; pixel
    // (1, 1) = 0x80000101 is the fifth.
    const std::vector<uint8_t>& bytes = stream.Bytes();
    ASSERT_EQ(bytes.size(), 8u + 24u);
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.begin() + 8), (std::vector<uint8_t>{3, 0, 0, 0, 2, 0, 0, 0}));
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + 24, bytes.begin() + 28), (std::vector<uint8_t>{1, 1, 0, 0x80}));
    TMemoryStream input(bytes);
    TBitmap32 copy;
    copy.ReadData(input);
    EXPECT_TRUE(copy.Equal(bitmap));
    TBitmap32().WriteData(emptyStream);
    EXPECT_EQ(emptyStream.Bytes(), std::vector<uint8_t>(8, 0));
    // A header that does not match the length is refused and changes nothing.
    auto streamOf = [](int32_t w, int32_t h, size_t pixelBytes) {
        std::vector<uint8_t> header(8 + pixelBytes, 0);
        testfiles::Put32(header, 0, uint32_t(w));
        testfiles::Put32(header, 4, uint32_t(h));
        return TMemoryStream(header);
    };
    for (auto [w, h, n] : {std::tuple{3, 2, size_t(23)}, {65536, 65536, size_t(16)}, {INT32_MAX, INT32_MAX, size_t(0)}}) {
        TMemoryStream s = streamOf(w, h, n);
        EXPECT_NE(MessageOf([&] { copy.ReadData(s); }).find("only"), std::string::npos);
        EXPECT_TRUE(copy.Equal(bitmap));
    }
    TMemoryStream shortHeader(std::vector<uint8_t>{1, 0, 0});
    EXPECT_NE(MessageOf([&] { copy.ReadData(shortHeader); }).find("truncated"), std::string::npos);
    EXPECT_TRUE(copy.Equal(bitmap));
    TMemoryStream negative = streamOf(-3, 5, 0); // negative sizes mean 0 and need no pixels
    copy.ReadData(negative);
    EXPECT_TRUE(copy.Empty());
}

TEST(Bitmap32, DataPropertyIsWrittenWhenItDiffersFromTheAncestor)
{
    struct RecordingFiler : TFiler {
        const TPersistent* ancestor = nullptr;
        std::string name;
        bool hasData = false;
        TStreamProc read, write;
        const TPersistent* Ancestor() const override { return ancestor; }
        void DefineBinaryProperty(const std::string& Name, TStreamProc Read, TStreamProc Write, bool HasData) override
        {
            name = Name, read = Read, write = Write, hasData = HasData;
        }
    } filer;
    TBitmap32 bitmap, ancestor, target;
    auto written = [&] {
        bitmap.DefineProperties(filer);
        return filer.hasData;
    };
    EXPECT_FALSE(written()); // empty, no ancestor
    EXPECT_EQ(filer.name, "Data");
    bitmap.SetSize(2, 1);
    EXPECT_TRUE(written());
    ancestor.Assign(&bitmap);
    filer.ancestor = &ancestor;
    EXPECT_FALSE(written()); // equal to its ancestor
    ancestor.SetPixel(0, 0, 5);
    EXPECT_TRUE(written());
    TMemoryStream stream;
    filer.write(stream);
    stream.SetPosition(0);
    target.DefineProperties(filer);
    filer.read(stream);
    EXPECT_TRUE(target.Equal(bitmap));
}

TEST(Bitmap32, SaveAndLoadKeepEveryAlphaByte)
{
    TBitmap32 bitmap, other;
    FillNumbered(bitmap, 3, 2);
    FillNumbered(other, 2, 5);
    bitmap.SetPixel(2, 1, 0x00FFFFFF);
    TMemoryStream stream;
    bitmap.SaveToStream(stream);
    stream.SetPosition(0);
    TBitmap32 copy, loaded, first, second, wide;
    copy.LoadFromStream(stream);
    EXPECT_TRUE(copy.Equal(bitmap));

    platform::TemporaryFolder folder;
    ASSERT_TRUE(folder.Valid()) << folder.Error();
    bitmap.SaveToFile(folder.Path() / "picture.bmp");
    loaded.LoadFromFile(folder.Path() / "picture.bmp");
    EXPECT_TRUE(loaded.Equal(bitmap));
    // Pictures saved one after another into a stream load one after another; what loading
    // would refuse is refused on saving.
    TMemoryStream both;
    bitmap.SaveToStream(both);
    other.SaveToStream(both);
    both.SetPosition(0);
    first.LoadFromStream(both);
    second.LoadFromStream(both);
    EXPECT_TRUE(first.Equal(bitmap) && second.Equal(other));
    wide.SetSize(32768, 1);
    EXPECT_NE(MessageOf([&] { wide.SaveToFile(folder.Path() / "wide.bmp"); }).find("could not be loaded again"),
              std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(folder.Path() / "wide.bmp"));
    // A fully transparent bitmap survives too: the saved file carries an alpha mask.
    bitmap.Clear(0);
    TMemoryStream transparent;
    bitmap.SaveToStream(transparent);
    transparent.SetPosition(0);
    copy.LoadFromStream(transparent);
    EXPECT_EQ(copy.GetPixel(0, 0), 0u);
}

TEST(Bitmap32, LoadFromFileReadsBmpAndJpegAndRefusesTheRest)
{
    platform::TemporaryFolder folder;
    ASSERT_TRUE(folder.Valid()) << folder.Error();
    auto write = [&](const char* name, const std::vector<uint8_t>& bytes) {
        std::string error;
        EXPECT_TRUE(platform::WriteFileAtomically(folder.Path() / name, bytes, error)) << error;
        return folder.Path() / name;
    };
    const std::vector<uint8_t> black = testfiles::BuildJpeg(8, 8, std::vector<uint32_t>(64, 0));
    const std::vector<uint8_t> photo = testfiles::BuildJpeg(2048, 2048, std::vector<uint32_t>(2048 * 2048, 0x808080));
    TBitmap32 bitmap;
    {
        HeapMeter meter; // the pixels are decoded straight into the bitmap's: held once
        bitmap.LoadFromFile(write("photo.jpg", photo));
        EXPECT_LT(meter.Peak(), 2048 * 2048 * sizeof(TColor32) + 2 * photo.size() + (size_t(1) << 20));
    }
    EXPECT_EQ(bitmap.Width(), 2048);
    EXPECT_EQ(bitmap.GetPixel(5, 2000), 0xFF808080u);
    bitmap.LoadFromFile(write("photo.bmp", black)); // read by its bytes, whatever its name says
    EXPECT_EQ(bitmap.Width(), 8);

    TBitmap32 before;
    FillNumbered(before, 8, 8);
    bitmap.Assign(&before);
    int changes = 0;
    bitmap.OnChange = [&](TObject*) { ++changes; };
    const std::pair<std::function<void()>, const char*> refused[] = {
        {[&] { bitmap.LoadFromFile(folder.Path() / "none.bmp"); }, "none.bmp"},
        {[&] { bitmap.LoadFromFile(write("empty.bmp", {})); }, "empty"},
        {[&] { bitmap.LoadFromFile(write("notes.bmp", {'h', 'e', 'l', 'l', 'o'})); }, "only BMP and JPEG"},
        {[&] { bitmap.LoadFromFile(write("cmyk.jpg", testfiles::BuildJpeg(8, 8, std::vector<uint32_t>(64, 0), {.cmyk = true}))); }, "CMYK"},
        {[&] { TMemoryStream notBmp(black); bitmap.LoadFromStream(notBmp); }, "BMP"},
    };
    for (const auto& [load, said] : refused) {
        const std::string message = MessageOf(load);
        EXPECT_NE(message.find(said), std::string::npos) << message;
    }
    EXPECT_TRUE(bitmap.Equal(before));
    EXPECT_EQ(changes, 0);
}

TEST(Bitmap32List, ItemsCopyTheirBitmapsAndIndexesAreChecked)
{
    TBitmap32List list, second;
    EXPECT_EQ(list.Bitmaps()->GetOwner(), &list);
    EXPECT_EQ(MessageOf([&] { list.Bitmap(0); }), "List index out of bounds (0)");
    EXPECT_THROW(list.Bitmap(0), EListError);
    TBitmap32 source;
    EXPECT_THROW(list.SetBitmap(-1, &source), EListError);

    list.Bitmaps()->Add();
    source.SetSize(3, 2);
    source.Clear(0x80102030);
    source.SetMasterAlpha(77);
    list.SetBitmap(0, &source);
    source.Clear(0xFFFFFFFF); // later changes of the source stay out of the list
    source.SetMasterAlpha(1);
    const TBitmap32* stored = list.Bitmap(0);
    ASSERT_NE(stored, &source);
    EXPECT_EQ((std::tuple{stored->Width(), stored->GetPixel(2, 1), stored->MasterAlpha()}), (std::tuple{3, 0x80102030u, 77u}));
    // Setting the collection copies its items; the item setter copies into the existing item.
    list.Bitmaps()->Add()->Bitmap()->SetSize(5, 1);
    second.Bitmaps()->Add();
    second.SetBitmaps(list.Bitmaps());
    ASSERT_EQ(second.Bitmaps()->Count(), 2);
    EXPECT_EQ(second.Bitmaps()->GetOwner(), &second);
    EXPECT_EQ(second.Bitmap(1)->Width(), 5);
    EXPECT_NE(second.Bitmap(1), list.Bitmap(1));
    TBitmap32Item* kept = second.Bitmaps()->Items(0);
    second.Bitmaps()->SetItems(0, list.Bitmaps()->Items(1));
    EXPECT_EQ(second.Bitmaps()->Items(0), kept);
    EXPECT_EQ(kept->Bitmap()->Width(), 5);
}
