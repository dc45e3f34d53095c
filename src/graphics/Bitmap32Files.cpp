// Assigning, comparing, loading and saving bitmaps, and the "Data" stream.
#include "graphics/Bitmap32.h"

#include "platform/FileSystem.h"
#include "platform/LargePages.h"
#include "platform/ImageDecoder.h"

#include <bit>
#include <cstring>
#include <optional>
#include <typeinfo>

static_assert(std::endian::native == std::endian::little, "pixels are stored and streamed as little-endian words");

namespace {

// Closes an update opened by Assign and reports the change, also when Assign fails.
class AssignScope {
public:
    explicit AssignScope(TBitmap32& bitmap) : bitmap_(bitmap) { bitmap_.BeginUpdate(); }
    ~AssignScope()
    {
        bitmap_.EndUpdate();
        bitmap_.Changed();
    }
    AssignScope(const AssignScope&) = delete;
    AssignScope& operator=(const AssignScope&) = delete;

private:
    TBitmap32& bitmap_;
};

// The largest file read as a picture: a 2^28-pixel BMP at 32 bits with its headers.
constexpr uint64_t kMaxPictureFileBytes = (uint64_t(1) << 30) + 4096;

// Hands a decoder the bitmap's own pixels, sized to the picture, inside an update that
// ends with the sink.
class BitmapSink final : public platform::PixelSink {
public:
    explicit BitmapSink(TBitmap32& bitmap) : bitmap_(bitmap) {}
    uint32_t* Take(int32_t width, int32_t height) override
    {
        scope_.emplace(bitmap_);
        try {
            bitmap_.SetSize(width, height);
        } catch (const Exception&) {
            return nullptr;
        }
        platform::AdviseLargePages(bitmap_.Bits(), size_t(width) * size_t(height) * sizeof(TColor32));
        return bitmap_.Bits();
    }
    bool Taken() const { return scope_.has_value(); }

private:
    TBitmap32& bitmap_;
    std::optional<AssignScope> scope_;
};

} // namespace

void TBitmap32::AssignPixels(int32_t NewWidth, int32_t NewHeight, const TColor32* Pixels)
{
    SetSize(NewWidth, NewHeight);
    if (Empty())
        return;
    platform::AdviseLargePages(FBits.get(), PixelCount() * sizeof(TColor32));
    std::memcpy(FBits.get(), Pixels, PixelCount() * sizeof(TColor32));
}

void TBitmap32::Assign(const TPersistent* Source)
{
    if (Source == this)
        return;
    const auto* bitmap = dynamic_cast<const TBitmap32*>(Source);
    if (Source != nullptr && bitmap == nullptr && AssignFromPlatform(Source))
        return;
    if (Source != nullptr && bitmap == nullptr) {
        TCustomMap::Assign(Source);
        return;
    }
    AssignScope scope(*this);
    if (bitmap == nullptr) {
        SetSize(0, 0);
        return;
    }
    AssignPixels(bitmap->Width(), bitmap->Height(), bitmap->Bits());
    if (!Empty()) {
        FDrawMode = bitmap->FDrawMode;
        FMasterAlpha = bitmap->FMasterAlpha;
        FOuterColor = bitmap->FOuterColor;
        FStretchFilter = bitmap->FStretchFilter;
    }
}

// Comparing the pixels directly gives the answer comparing the saved files would: the
// saved file is a function of the size and the pixels alone.
bool TBitmap32::Equal(const TBitmap32& Other) const
{
    if (Empty() && Other.Empty())
        return true;
    if (Empty() || Other.Empty() || typeid(*this) != typeid(Other))
        return false;
    return Width() == Other.Width() && Height() == Other.Height() &&
           std::memcmp(Bits(), Other.Bits(), PixelCount() * sizeof(TColor32)) == 0;
}

void TBitmap32::LoadDecoded(const platform::DecodedImage& Image)
{
    AssignScope scope(*this);
    AssignPixels(Image.width, Image.height, Image.pixels.data());
}

void TBitmap32::LoadPicture(const std::function<bool(platform::PixelSink&, std::string&)>& Decode,
                            const std::string& Failure)
{
    BitmapSink sink(*this);
    std::string error;
    if (!Decode(sink, error)) {
        if (sink.Taken())
            SetSize(0, 0);
        throw Exception(Failure + ": " + error);
    }
}

void TBitmap32::LoadFromFile(const std::filesystem::path& FileName)
{
    const std::string failure = "Cannot load picture \"" + FileName.string() + "\"";
    std::vector<uint8_t> bytes;
    std::string error;
    if (!platform::ReadFileBytes(FileName, bytes, error, kMaxPictureFileBytes))
        throw Exception(failure + ": " + error);
    LoadPicture([&](platform::PixelSink& sink, std::string& why) { return platform::DecodeImage(bytes, sink, why); },
                failure);
}

// The picture's bytes from the stream's position: as many as its file header's size
// field gives, so that a picture followed by more data (another picture) leaves the
// stream at that data. A size field too small for the headers, or beyond the stream's
// end, is not trusted: the rest of the stream is read.
void TBitmap32::LoadFromStream(TStream& Stream)
{
    constexpr uint64_t kSmallestBmp = 14 + 12; // file header and the oldest info header
    const uint64_t remaining = Stream.Remaining();
    uint8_t header[6] = {};
    const uint64_t position = Stream.Position();
    if (remaining >= sizeof(header)) {
        Stream.ReadBuffer(header, sizeof(header));
        Stream.SetPosition(position);
    }
    const uint64_t declared = uint64_t(header[2]) | uint64_t(header[3]) << 8 | uint64_t(header[4]) << 16 |
                              uint64_t(header[5]) << 24;
    const uint64_t length = declared >= kSmallestBmp && declared <= remaining ? declared : remaining;
    if (length > kMaxPictureFileBytes)
        throw Exception("Cannot load picture from stream: it holds " + std::to_string(length) +
                        " bytes, more than any picture this program can load");
    std::vector<uint8_t> bytes(size_t(length), 0);
    Stream.ReadBuffer(bytes.data(), bytes.size());
    LoadPicture(
        [&](platform::PixelSink& sink, std::string& error) {
            if (bytes.empty())
                error = "The stream is empty";
            else if (bytes.size() < 2 || bytes[0] != 'B' || bytes[1] != 'M')
                error = "The stream does not hold a BMP picture";
            return error.empty() && platform::DecodeBmp(bytes, sink, error);
        },
        "Cannot load picture from stream");
}

namespace {

// The picture file of a bitmap, refused when loading would refuse it.
std::vector<uint8_t> PictureFileOf(const TBitmap32& Bitmap, const std::string& Target)
{
    std::string error;
    if (!platform::CheckImageSize(Bitmap.Width(), Bitmap.Height(), "BMP", error))
        throw Exception("Cannot save picture " + Target + ": it could not be loaded again (" + error + ")");
    return platform::EncodeBmp32(Bitmap.Width(), Bitmap.Height(), Bitmap.Bits());
}

} // namespace

void TBitmap32::SaveToFile(const std::filesystem::path& FileName) const
{
    const std::string target = "\"" + FileName.string() + "\"";
    const std::vector<uint8_t> bytes = PictureFileOf(*this, target);
    std::string error;
    if (!platform::WriteFileAtomically(FileName, bytes, error))
        throw Exception("Cannot save picture " + target + ": " + error);
}

void TBitmap32::SaveToStream(TStream& Stream) const
{
    const std::vector<uint8_t> bytes = PictureFileOf(*this, "to stream");
    Stream.WriteBuffer(bytes.data(), bytes.size());
}

void TBitmap32::DefineProperties(TFiler& Filer)
{
    bool hasData;
    if (Filer.Ancestor() != nullptr) {
        const auto* ancestor = dynamic_cast<const TBitmap32*>(Filer.Ancestor());
        hasData = ancestor == nullptr || !Equal(*ancestor);
    } else {
        hasData = !Empty();
    }
    Filer.DefineBinaryProperty(
        "Data", [this](TStream& Stream) { ReadData(Stream); }, [this](TStream& Stream) { WriteData(Stream); },
        hasData);
}

// The "Data" stream, little-endian:
// | offset | size                 | field                                             |
// |--------|----------------------|---------------------------------------------------|
// | 0      | 4                    | Width, signed 32-bit                              |
// | 4      | 4                    | Height, signed 32-bit                             |
// | 8      | Width * Height * 4   | pixels, TColor32 each, top row first, left to right |
void TBitmap32::ReadData(TStream& Stream)
{
    int32_t size[2];
    if (Stream.Remaining() < sizeof(size))
        throw Exception("Bitmap \"Data\" is truncated: its 8-byte size header is incomplete");
    Stream.ReadBuffer(size, sizeof(size));
    const uint64_t width = size[0] > 0 ? uint64_t(size[0]) : 0;
    const uint64_t height = size[1] > 0 ? uint64_t(size[1]) : 0;
    const uint64_t needed = width * height * sizeof(TColor32);
    if (needed > Stream.Remaining())
        throw Exception("Bitmap \"Data\" says " + std::to_string(size[0]) + " x " + std::to_string(size[1]) +
                        " pixels (" + std::to_string(needed) + " bytes) but only " +
                        std::to_string(Stream.Remaining()) + " bytes follow");
    SetSize(size[0], size[1]);
    if (!Empty())
        Stream.ReadBuffer(FBits.get(), PixelCount() * sizeof(TColor32));
    Changed();
}

void TBitmap32::WriteData(TStream& Stream) const
{
    const int32_t size[2] = {Width(), Height()};
    Stream.WriteBuffer(size, sizeof(size));
    if (!Empty())
        Stream.WriteBuffer(Bits(), PixelCount() * sizeof(TColor32));
}
