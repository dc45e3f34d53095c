#include "graphics/Bitmap32.h"
#include "platform/FileSystem.h"
#include "platform/ImageTestFiles.h"

#include <gtest/gtest.h>

#include "graphics/GraphicsTestHelpers.h"

#include <string>
#include <vector>

using namespace graphicstest;

namespace {

// Records the events of a bitmap in order.
struct EventLog {
    std::vector<std::string> events;
    void Watch(TBitmap32& bitmap)
    {
        bitmap.OnChange = [this](TObject*) { events.push_back("change"); };
        bitmap.OnResize = [this](TObject*) { events.push_back("resize"); };
        bitmap.OnHandleChanged = [this](TObject*) { events.push_back("handle"); };
    }
};

void FillNumbered(TBitmap32& bitmap)
{
    for (int32_t y = 0; y < bitmap.Height(); ++y)
        for (int32_t x = 0; x < bitmap.Width(); ++x)
            bitmap.SetPixel(x, y, 0x80000000u | uint32_t(y << 8 | x));
}

} // namespace

TEST(ThreadPersistent, UpdatesSuppressChangesLocksNestAndUnpairedEndUpdateRaises)
{
    TBitmap32 bitmap;
    int changes = 0;
    bitmap.OnChange = [&](TObject* sender) {
        EXPECT_EQ(sender, &bitmap);
        ++changes;
    };
    bitmap.BeginUpdate();
    bitmap.Changed();
    EXPECT_EQ(changes, 0);
    bitmap.EndUpdate();
    EXPECT_EQ(changes, 0); // closing the update does not report by itself
    bitmap.Changed();
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(MessageOf([&] { bitmap.EndUpdate(); }), "Unpaired TThreadPersistent.EndUpdate");
    EXPECT_EQ(bitmap.UpdateCount(), 0);
    bitmap.Lock(); // re-entrant: a second lock from the same thread does not wait
    bitmap.Lock();
    EXPECT_EQ(bitmap.LockCount(), 2);
    bitmap.Unlock();
    bitmap.Unlock();
    EXPECT_EQ(bitmap.LockCount(), 0);
}

TEST(Bitmap32, SetSizeEventsAndEmptiness)
{
    TBitmap32 bitmap;
    EventLog log;
    log.Watch(bitmap);
    EXPECT_TRUE(bitmap.Empty());
    EXPECT_TRUE(bitmap.SetSize(4, 3));
    EXPECT_EQ(log.events, (std::vector<std::string>{"handle", "change", "resize"}));
    EXPECT_FALSE(bitmap.Empty());
    EXPECT_EQ(bitmap.BoundsRect(), (TRect{0, 0, 4, 3}));

    log.events.clear();
    EXPECT_FALSE(bitmap.SetSize(4, 3));
    EXPECT_TRUE(log.events.empty());

    EXPECT_TRUE(bitmap.SetSize(-5, 10));
    EXPECT_EQ(bitmap.Width(), 0);
    EXPECT_EQ(bitmap.Height(), 10);
    EXPECT_TRUE(bitmap.Empty());
    EXPECT_EQ(bitmap.Bits(), nullptr);
    log.events.clear();
    bitmap.Clear();
    EXPECT_TRUE(log.events.empty());

    bitmap.SetWidth(2);
    EXPECT_EQ(bitmap.Width(), 2);
    EXPECT_EQ(bitmap.Height(), 10);
    bitmap.SetHeight(1);
    EXPECT_EQ(bitmap.Height(), 1);
    bitmap.Delete();
    EXPECT_TRUE(bitmap.Empty());
    EXPECT_EQ(bitmap.Width(), 0);
}

TEST(Bitmap32, NewPixelsAreZeroAndAbsurdSizesFailCleanly)
{
    TBitmap32 bitmap;
    bitmap.SetSize(3, 2);
    EXPECT_EQ(PixelsOf(bitmap), std::vector<TColor32>(6, 0));
    EXPECT_EQ(MessageOf([&] { bitmap.SetSize(INT32_MAX, INT32_MAX); }), "Can't allocate the DIB handle");
    EXPECT_EQ(bitmap.Width(), 0);
    EXPECT_EQ(bitmap.Height(), 0);
    EXPECT_TRUE(bitmap.Empty());
}

TEST(Bitmap32, DestructorReportsNothing)
{
    EventLog log;
    {
        TBitmap32 bitmap;
        bitmap.SetSize(2, 2);
        log.Watch(bitmap);
    }
    EXPECT_TRUE(log.events.empty());
}

TEST(Bitmap32, SafePixelAccess)
{
    TBitmap32 bitmap;
    bitmap.SetSize(3, 2);
    bitmap.Clear(0xFF112233);
    bitmap.SetOuterColor(0x12345678);
    EXPECT_EQ(bitmap.GetPixelS(-1, 0), 0x12345678u);
    EXPECT_EQ(bitmap.GetPixelS(3, 0), 0x12345678u);
    EXPECT_EQ(bitmap.GetPixelS(0, 2), 0x12345678u);
    EXPECT_EQ(bitmap.GetPixelS(2, 1), 0xFF112233u);
    for (auto [x, y] : {std::pair{-1, 0}, {3, 0}, {0, 2}, {0, -1}})
        bitmap.SetPixelS(x, y, 0xDEADBEEF);
    EXPECT_EQ(PixelsOf(bitmap), std::vector<TColor32>(6, 0xFF112233u));
    bitmap.SetPixelS(1, 1, 0xDEADBEEF);
    EXPECT_EQ(bitmap.GetPixel(1, 1), 0xDEADBEEFu);
    EXPECT_EQ(*bitmap.PixelPtr(1, 1), 0xDEADBEEFu);
    EXPECT_EQ(bitmap.ScanLine(1) + 1, bitmap.PixelPtr(1, 1));
    EXPECT_EQ(bitmap.ScanLine(1), bitmap.Bits() + 3);
    TBitmap32 empty;
    EXPECT_EQ(empty.GetPixelS(0, 0), 0u);
}

TEST(Bitmap32, ClearFillAndResetAlpha)
{
    TBitmap32 bitmap;
    bitmap.SetSize(10, 10);
    bitmap.Clear(0);
    bitmap.Clear();
    EXPECT_EQ(PixelsOf(bitmap), std::vector<TColor32>(100, 0xFF000000u));

    bitmap.Clear(0);
    bitmap.FillRectS(-10, -10, 5, 5, 7);
    for (int32_t y = 0; y < 10; ++y)
        for (int32_t x = 0; x < 10; ++x)
            ASSERT_EQ(bitmap.GetPixel(x, y), (x < 5 && y < 5) ? 7u : 0u) << x << "," << y;
    bitmap.Clear(0);
    bitmap.FillRectS(5, 5, 5, 9, 7);  // zero width
    bitmap.FillRectS(10, 0, 12, 3, 7); // right of the bitmap
    bitmap.FillRectS(-3, 0, 0, 3, 7);  // left of it
    bitmap.FillRectS(TRect{8, 8, 20, 20}, 9);
    for (int32_t y = 0; y < 10; ++y)
        for (int32_t x = 0; x < 10; ++x)
            ASSERT_EQ(bitmap.GetPixel(x, y), (x >= 8 && y >= 8) ? 9u : 0u) << x << "," << y;

    bitmap.FillRect(1, 2, 3, 3, 0x00ABCDEF);
    EXPECT_EQ(bitmap.GetPixel(1, 2), 0x00ABCDEFu);
    EXPECT_EQ(bitmap.GetPixel(3, 2), 0u);
    bitmap.ResetAlpha();
    EXPECT_EQ(bitmap.GetPixel(1, 2), 0xFFABCDEFu);
    EXPECT_EQ(bitmap.GetPixel(0, 0), 0xFF000000u);
}

TEST(Bitmap32, PropertySettersReportOnlyChanges)
{
    TBitmap32 bitmap;
    int changes = 0;
    bitmap.OnChange = [&](TObject*) { ++changes; };
    EXPECT_EQ(bitmap.DrawMode(), dmOpaque);
    EXPECT_EQ(bitmap.MasterAlpha(), 255u);
    EXPECT_EQ(bitmap.StretchFilter(), sfNearest);
    EXPECT_EQ(bitmap.OuterColor(), 0u);
    EXPECT_EQ(bitmap.PenColor(), 0xFFFFFFFFu);
    bitmap.SetDrawMode(dmOpaque);
    bitmap.SetMasterAlpha(255);
    bitmap.SetStretchFilter(sfNearest);
    EXPECT_EQ(changes, 0);
    bitmap.SetDrawMode(dmBlend);
    bitmap.SetMasterAlpha(100);
    bitmap.SetStretchFilter(sfLanczos);
    EXPECT_EQ(changes, 3);
    bitmap.SetOuterColor(5);
    bitmap.SetPenColor(6);
    EXPECT_EQ(changes, 3);
}

TEST(Bitmap32, AssignCopiesPixelsAndDrawingProperties)
{
    TBitmap32 source;
    source.SetSize(3, 2);
    FillNumbered(source);
    source.SetDrawMode(dmBlend);
    source.SetMasterAlpha(77);
    source.SetOuterColor(0x11);
    source.SetStretchFilter(sfMitchell);
    source.SetPenColor(0x22);

    TBitmap32 copy;
    int changes = 0;
    copy.OnChange = [&](TObject*) { ++changes; };
    copy.Assign(&source);
    EXPECT_EQ(changes, 1);
    EXPECT_TRUE(copy.Equal(source));
    EXPECT_EQ(PixelsOf(copy), PixelsOf(source));
    EXPECT_EQ(copy.DrawMode(), dmBlend);
    EXPECT_EQ(copy.MasterAlpha(), 77u);
    EXPECT_EQ(copy.OuterColor(), 0x11u);
    EXPECT_EQ(copy.StretchFilter(), sfMitchell);
    EXPECT_EQ(copy.PenColor(), 0xFFFFFFFFu); // the pen is not copied

    copy.Assign(nullptr);
    EXPECT_TRUE(copy.Empty());
    EXPECT_EQ(copy.Width(), 0);
}

TEST(Bitmap32, AssignAndSetSizeFromRefuseForeignClasses)
{
    struct TForeign : TPersistent {
        const char* ClassName() const override { return "TForeign"; }
    } foreign;
    TBitmap32 bitmap;
    EXPECT_EQ(MessageOf([&] { bitmap.Assign(&foreign); }), "Cannot assign a TForeign to a TBitmap32");
    EXPECT_EQ(MessageOf([&] { bitmap.SetSizeFrom(&foreign); }), "Can't set size from 'TForeign'");
    TBitmap32 other;
    other.SetSize(4, 5);
    bitmap.SetSizeFrom(&other);
    EXPECT_EQ(bitmap.Width(), 4);
    EXPECT_EQ(bitmap.Height(), 5);
    bitmap.SetSizeFrom(nullptr);
    EXPECT_TRUE(bitmap.Empty());
}

TEST(Bitmap32, Equality)
{
    TBitmap32 a, b;
    EXPECT_TRUE(a.Equal(b));
    a.SetSize(2, 2);
    EXPECT_FALSE(a.Equal(b));
    b.SetSize(2, 2);
    EXPECT_TRUE(a.Equal(b));
    b.SetPixel(1, 1, 1);
    EXPECT_FALSE(a.Equal(b));
    b.SetSize(4, 1);
    b.Clear(0);
    a.Clear(0);
    EXPECT_FALSE(a.Equal(b)); // same pixel count, other shape
}

TEST(Bitmap32, DataStreamLayoutAndRoundTrip)
{
    TBitmap32 bitmap;
    bitmap.SetSize(3, 2);
    FillNumbered(bitmap);
    TMemoryStream stream;
    bitmap.WriteData(stream);
    const std::vector<uint8_t>& bytes = stream.Bytes();
    ASSERT_EQ(bytes.size(), 8u + 24u);
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.begin() + 8), (std::vector<uint8_t>{3, 0, 0, 0, 2, 0, 0, 0}));
    // Pixel (1, 1) = 0x80000101 is the fifth word, bytes B G R A.
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + 24, bytes.begin() + 28), (std::vector<uint8_t>{1, 1, 0, 0x80}));

    TMemoryStream input(bytes);
    TBitmap32 copy;
    copy.ReadData(input);
    EXPECT_TRUE(copy.Equal(bitmap));

    TMemoryStream emptyStream;
    TBitmap32().WriteData(emptyStream);
    EXPECT_EQ(emptyStream.Bytes(), std::vector<uint8_t>(8, 0));
}

TEST(Bitmap32, DataStreamWhoseHeaderDoesNotMatchItsLengthIsRefused)
{
    TBitmap32 bitmap;
    bitmap.SetSize(2, 2);
    FillNumbered(bitmap);
    const std::vector<TColor32> before = PixelsOf(bitmap);
    auto stream = [](int32_t w, int32_t h, size_t pixelBytes) {
        std::vector<uint8_t> bytes(8 + pixelBytes, 0);
        testfiles::Put32(bytes, 0, uint32_t(w));
        testfiles::Put32(bytes, 4, uint32_t(h));
        return TMemoryStream(bytes);
    };
    for (auto [w, h, n] : {std::tuple{3, 2, size_t(23)}, {65536, 65536, size_t(16)}, {INT32_MAX, INT32_MAX, size_t(0)}}) {
        TMemoryStream s = stream(w, h, n);
        EXPECT_NE(MessageOf([&] { bitmap.ReadData(s); }).find("only"), std::string::npos);
        EXPECT_EQ(PixelsOf(bitmap), before);
    }
    TMemoryStream shortHeader(std::vector<uint8_t>{1, 0, 0});
    EXPECT_NE(MessageOf([&] { bitmap.ReadData(shortHeader); }).find("truncated"), std::string::npos);
    EXPECT_EQ(PixelsOf(bitmap), before);
    // Negative sizes mean 0 and need no pixels.
    TMemoryStream negative = stream(-3, 5, 0);
    bitmap.ReadData(negative);
    EXPECT_TRUE(bitmap.Empty());
}

namespace {

struct RecordingFiler : TFiler {
    const TPersistent* ancestor = nullptr;
    std::string name;
    bool hasData = false;
    TStreamProc read, write;
    const TPersistent* Ancestor() const override { return ancestor; }
    void DefineBinaryProperty(const std::string& Name, TStreamProc ReadData, TStreamProc WriteData, bool HasData) override
    {
        name = Name;
        read = ReadData;
        write = WriteData;
        hasData = HasData;
    }
};

} // namespace

TEST(Bitmap32, DataPropertyIsWrittenWhenItDiffersFromTheAncestor)
{
    TBitmap32 bitmap;
    RecordingFiler filer;
    bitmap.DefineProperties(filer);
    EXPECT_EQ(filer.name, "Data");
    EXPECT_FALSE(filer.hasData); // empty, no ancestor

    bitmap.SetSize(2, 1);
    bitmap.DefineProperties(filer);
    EXPECT_TRUE(filer.hasData);

    TBitmap32 ancestor;
    ancestor.Assign(&bitmap);
    filer.ancestor = &ancestor;
    bitmap.DefineProperties(filer);
    EXPECT_FALSE(filer.hasData); // equal to its ancestor
    ancestor.SetPixel(0, 0, 5);
    bitmap.DefineProperties(filer);
    EXPECT_TRUE(filer.hasData);

    TMemoryStream stream;
    filer.write(stream);
    stream.SetPosition(0);
    TBitmap32 target;
    target.DefineProperties(filer);
    filer.read(stream);
    EXPECT_TRUE(target.Equal(bitmap));
}

TEST(Bitmap32, SaveAndLoadKeepEveryAlphaByte)
{
    TBitmap32 bitmap;
    bitmap.SetSize(3, 2);
    FillNumbered(bitmap);
    bitmap.SetPixel(2, 1, 0x00FFFFFF);
    TMemoryStream stream;
    bitmap.SaveToStream(stream);
    stream.SetPosition(0);
    TBitmap32 copy;
    copy.LoadFromStream(stream);
    EXPECT_TRUE(copy.Equal(bitmap));

    platform::TemporaryFolder folder;
    ASSERT_TRUE(folder.Valid()) << folder.Error();
    const auto file = folder.Path() / "picture.bmp";
    bitmap.SaveToFile(file);
    TBitmap32 loaded;
    loaded.LoadFromFile(file);
    EXPECT_TRUE(loaded.Equal(bitmap));

    // Pictures saved one after another into a stream load one after another; what loading
    // would refuse is refused on saving.
    TBitmap32 other, first, second, wide;
    other.SetSize(2, 5);
    FillNumbered(other);
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
    const auto jpeg = write("photo.jpg", testfiles::BuildJpeg(16, 16, std::vector<uint32_t>(256, 0x808080)));
    TBitmap32 bitmap;
    bitmap.LoadFromFile(jpeg);
    EXPECT_EQ(bitmap.Width(), 16);
    EXPECT_EQ(bitmap.GetPixel(5, 5) >> 24, 255u);

    // The JPEG is read by its bytes, whatever its name says.
    bitmap.SetSize(1, 1);
    bitmap.LoadFromFile(write("photo.bmp", testfiles::BuildJpeg(8, 8, std::vector<uint32_t>(64, 0))));
    EXPECT_EQ(bitmap.Width(), 8);

    FillNumbered(bitmap);
    const std::vector<TColor32> before = PixelsOf(bitmap);
    int changes = 0;
    bitmap.OnChange = [&](TObject*) { ++changes; };
    const std::string missing = MessageOf([&] { bitmap.LoadFromFile(folder.Path() / "none.bmp"); });
    EXPECT_NE(missing.find("none.bmp"), std::string::npos) << missing;
    const std::string empty = MessageOf([&] { bitmap.LoadFromFile(write("empty.bmp", {})); });
    EXPECT_NE(empty.find("empty"), std::string::npos) << empty;
    const std::string text = MessageOf([&] { bitmap.LoadFromFile(write("notes.bmp", {'h', 'e', 'l', 'l', 'o'})); });
    EXPECT_NE(text.find("only BMP and JPEG"), std::string::npos) << text;
    std::vector<uint8_t> cmyk = testfiles::BuildJpeg(8, 8, std::vector<uint32_t>(64, 0), true);
    EXPECT_NE(MessageOf([&] { bitmap.LoadFromFile(write("cmyk.jpg", cmyk)); }).find("CMYK"), std::string::npos);
    EXPECT_EQ(PixelsOf(bitmap), before);
    EXPECT_EQ(changes, 0);

    TMemoryStream notBmp(testfiles::BuildJpeg(8, 8, std::vector<uint32_t>(64, 0)));
    EXPECT_NE(MessageOf([&] { bitmap.LoadFromStream(notBmp); }).find("BMP"), std::string::npos);
    EXPECT_EQ(PixelsOf(bitmap), before);
}
