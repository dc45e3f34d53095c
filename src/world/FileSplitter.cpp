#include "world/FileSplitter.h"

#include "platform/FileSystem.h"
#include "world/ByteOrder.h"

namespace {

// Extension fields (the four bytes after the first "." of the name).
constexpr uint8_t kImgBytes[4] = {'i', 'm', 'g', 0};
constexpr uint8_t kAniBytes[4] = {'a', 'n', 'i', 0};
constexpr uint8_t kWavBytes[4] = {'w', 'a', 'v', 0};
const uint32_t kImgExtension = LoadLE32(kImgBytes);
const uint32_t kAniExtension = LoadLE32(kAniBytes);
const uint32_t kWavExtension = LoadLE32(kWavBytes);

// Collects units (byte ranges that must not be cut) into pieces: a piece is
// closed when the next unit would take it past 64000 bytes; a unit larger than
// that becomes a piece of its own.
class PieceCutter {
public:
    explicit PieceCutter(std::vector<uint32_t>& pieces) : pieces_(pieces) { pieces_.clear(); }

    bool Fits(uint64_t unit) const { return current_ + unit <= kMaxResourceSize; }

    void Add(uint64_t unit)
    {
        if (current_ > 0 && !Fits(unit))
            Close();
        current_ += unit;
        total_ += unit;
    }

    uint64_t Total() const { return total_; }

    void Finish()
    {
        if (current_ > 0 || pieces_.empty())
            Close();
    }

private:
    void Close()
    {
        pieces_.push_back(uint32_t(current_));
        current_ = 0;
    }

    std::vector<uint32_t>& pieces_;
    uint64_t current_ = 0;
    uint64_t total_ = 0;
};

bool Refuse(std::string& error, std::string why)
{
    error = std::move(why);
    return false;
}

// Adds one unit per row of the row-size table at `table` (`rows` entries of one
// byte, or two when `wide`); returns the rows' total size.
uint64_t AddRows(PieceCutter& cutter, const uint8_t* table, uint32_t rows, bool wide)
{
    uint64_t sum = 0;
    for (uint32_t r = 0; r < rows; ++r) {
        uint32_t size = wide ? LoadLE16(table + 2 * r) : table[r];
        cutter.Add(size);
        sum += size;
    }
    return sum;
}

// A one-frame picture: the 22-byte header (flags at 1, row count at 16) and its
// row-size table form the first unit, then every row is a unit.
bool SplitImg(std::span<const uint8_t> file, PieceCutter& cutter, std::string& error)
{
    if (file.size() < 22 || file[0] != 0xFE)
        return Refuse(error, "it is not a picture (no 22-byte picture header)");
    const bool wide = (file[1] & 2) != 0;
    const uint32_t rows = LoadLE16(file.data() + 16);
    const uint64_t head = 22 + uint64_t(rows) * (wide ? 2 : 1);
    if (head > file.size())
        return Refuse(error, "its row-size table runs past the end of the file");
    cutter.Add(head);
    AddRows(cutter, file.data() + 22, rows, wide);
    return true;
}

// An animation, as the picture encoder writes several frames: a 14-byte header
// (flags at 1, frame count F at 11), F 32-bit end offsets counted from the end
// of that table, then the frame blocks, each an 8-byte head (row count at 6),
// its row-size table and its rows. A frame that fits the current piece is one
// unit; a larger one is cut between its rows.
bool SplitAni(std::span<const uint8_t> file, PieceCutter& cutter, std::string& error)
{
    constexpr size_t kHeaderSize = 14, kFrameCountAt = 11;
    if (file.size() < kHeaderSize)
        return Refuse(error, "it is too short for an animation header");
    const bool wide = (file[1] & 2) != 0;
    const uint32_t frames = file[kFrameCountAt];
    const uint64_t header = kHeaderSize + 4 * uint64_t(frames);
    if (header > file.size())
        return Refuse(error, "its frame table runs past the end of the file");
    cutter.Add(header);
    uint64_t previousEnd = 0;
    for (uint32_t f = 0; f < frames; ++f) {
        const uint64_t end = LoadLE32(file.data() + kHeaderSize + 4 * f);
        if (end < previousEnd || header + end > file.size())
            return Refuse(error, "frame " + std::to_string(f) + " lies outside the file");
        const uint64_t frameSize = end - previousEnd;
        const uint8_t* block = file.data() + header + previousEnd;
        previousEnd = end;
        if (cutter.Fits(frameSize)) {
            cutter.Add(frameSize);
            continue;
        }
        if (frameSize < 8)
            return Refuse(error, "frame " + std::to_string(f) + " is shorter than its head");
        const uint32_t rows = LoadLE16(block + 6);
        const uint64_t head = 8 + uint64_t(rows) * (wide ? 2 : 1);
        if (head > frameSize)
            return Refuse(error, "the row-size table of frame " + std::to_string(f) + " runs past the frame");
        cutter.Add(head);
        if (head + AddRows(cutter, block + 8, rows, wide) != frameSize)
            return Refuse(error, "the rows of frame " + std::to_string(f) + " do not fill the frame");
    }
    return true;
}

void SplitWav(uint64_t size, std::vector<uint32_t>& pieces)
{
    pieces.clear();
    for (; size > kMaxResourceSize; size -= kMaxResourceSize)
        pieces.push_back(kMaxResourceSize);
    pieces.push_back(uint32_t(size));
}

bool CheckPieceCount(const std::vector<uint32_t>& pieces, std::string& error)
{
    if (pieces.size() <= kMaxPieces)
        return true;
    return Refuse(error, "it would need " + std::to_string(pieces.size()) + " resources, at most " +
                             std::to_string(kMaxPieces) + " fit");
}

enum class SizeCut { Done, NeedsLayout, Refused };

// Whatever can be decided from the size and the extension alone.
SizeCut SplitBySize(uint64_t size, uint32_t extension, std::vector<uint32_t>& pieces, std::string& error)
{
    pieces.clear();
    if (size <= kMaxResourceSize) {
        pieces.push_back(uint32_t(size));
        return SizeCut::Done;
    }
    if (extension == kWavExtension) {
        SplitWav(size, pieces);
        return CheckPieceCount(pieces, error) ? SizeCut::Done : SizeCut::Refused;
    }
    if (extension == kImgExtension || extension == kAniExtension)
        return SizeCut::NeedsLayout;
    Refuse(error, "only .img, .ani and .wav files larger than 64000 bytes can be cut into resources");
    return SizeCut::Refused;
}

bool SplitByLayout(std::span<const uint8_t> bytes, uint32_t extension, std::vector<uint32_t>& pieces,
                   std::string& error)
{
    PieceCutter cutter(pieces);
    if (!(extension == kImgExtension ? SplitImg(bytes, cutter, error) : SplitAni(bytes, cutter, error)))
        return false;
    if (cutter.Total() != bytes.size())
        return Refuse(error, "its layout covers " + std::to_string(cutter.Total()) + " of its " +
                                 std::to_string(bytes.size()) + " bytes");
    cutter.Finish();
    return CheckPieceCount(pieces, error);
}

} // namespace

bool SplitFileBytes(std::span<const uint8_t> bytes, uint32_t extension, std::vector<uint32_t>& pieces,
                    std::string& error)
{
    SizeCut cut = SplitBySize(bytes.size(), extension, pieces, error);
    return cut == SizeCut::NeedsLayout ? SplitByLayout(bytes, extension, pieces, error) : cut == SizeCut::Done;
}

bool SplitFile(const std::filesystem::path& path, uint32_t extension, uint32_t size, std::vector<uint32_t>& pieces,
               std::string& error)
{
    SizeCut cut = SplitBySize(size, extension, pieces, error);
    if (cut != SizeCut::NeedsLayout)
        return cut == SizeCut::Done;
    std::vector<uint8_t> bytes;
    if (!platform::ReadFileBytes(path, bytes, error))
        return false;
    if (bytes.size() != size)
        return Refuse(error, "it changed while it was being packed");
    return SplitByLayout(bytes, extension, pieces, error);
}
