#include "world/WorldCodes.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cassert>
#include <cstring>

#include "world/PdaSerialize.h"
#include "world/PieceShades.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// Pixels are painted eight at a time: bytes of a uint64_t, byte j standing for
// the pixel at bit j of an 8-bit group of a mask word.
static_assert(std::endian::native == std::endian::little);
constexpr uint64_t kEveryByte = 0x0101010101010101;

// Spread of an 8-bit group: bit j becomes byte j (0 or 1).
constexpr std::array<uint64_t, 256> kSpread = [] {
    std::array<uint64_t, 256> spread{};
    for (uint32_t bits = 0; bits < 256; ++bits)
        for (int j = 0; j < 8; ++j)
            spread[bits] |= uint64_t(bits >> j & 1) << (8 * j);
    return spread;
}();

uint64_t Spread(uint64_t word, int group)
{
    return kSpread[(word >> (8 * group)) & 0xFF];
}

// Writes the bytes of `value` where `mask` has 0xFF into out[0 .. count - 1] (count <= 8).
void Blend(uint8_t* out, int count, uint64_t value, uint64_t mask)
{
    if (count == 8) {
        uint64_t old;
        std::memcpy(&old, out, 8);
        old = (old & ~mask) | (value & mask);
        std::memcpy(out, &old, 8);
        return;
    }
    for (int j = 0; j < count; ++j)
        if (mask >> (8 * j) & 1)
            out[j] = uint8_t(value >> (8 * j));
}

// Writes the 8 bytes of `value` over 64 bytes.
void FillWord(uint8_t* out, uint64_t value)
{
    for (int group = 0; group < 8; ++group)
        std::memcpy(out + 8 * group, &value, 8);
}

// Paints the pixels of `inside` (bit j: pixel j) onto the first `count` bytes
// of `codes`: code(g) gives the code bytes of group g.
template <class Code>
void PaintWord(uint8_t* codes, int count, uint64_t inside, Code code)
{
    for (int group = 0; group < 8 && 8 * group < count; ++group) {
        const uint64_t in = Spread(inside, group);
        if (in != 0)
            Blend(codes + 8 * group, std::min(8, count - 8 * group), code(group), in * 0xFF);
    }
}

std::string BlockName(int column, int row)
{
    const int side = CWorldCodes::kBlockSide;
    return "block (" + std::to_string(column) + ", " + std::to_string(row) + ") at world pixels " +
           std::to_string(column * side) + ", " + std::to_string(row * side);
}

} // namespace

int CWorldCodes::StripWidth(int column) const
{
    assert(column >= 0 && column < columns_);
    return std::min(kBlockSide, width_ - column * kBlockSide);
}

uint8_t CWorldCodes::CodeAt(int x, int y) const
{
    assert(x >= 0 && x < width_ && y >= 0 && y < height_);
    const int column = x / kBlockSide;
    return strips_[size_t(column)][size_t(y) * size_t(StripWidth(column)) + size_t(x % kBlockSide)];
}

std::vector<uint8_t> CWorldCodes::MapBytes(uint16_t width, uint16_t height)
{
    map_.width = width;
    map_.height = height;
    return PdaBytes(map_);
}

uint64_t CWorldCodes::Clip::Columns(const CMaskBits& bits, int i) const
{
    const int x = bits.X0() + 64 * i;
    const int from = x0 - x, to = x1 - x; // the clip's columns as bits of the word
    if (from >= 64 || to <= 0)
        return 0;
    const uint64_t low = from <= 0 ? ~uint64_t(0) : ~uint64_t(0) << from;
    const uint64_t high = to >= 64 ? ~uint64_t(0) : (uint64_t(1) << to) - 1;
    return low & high;
}

namespace {

uint8_t LandPreview(const CProvinceMap& piece)
{
    return piece.IsOcean()       ? CWorldCodes::kPreviewOcean
           : piece.IsGreenLand() ? CWorldCodes::kPreviewLand
                                 : CWorldCodes::kPreviewOther;
}

bool Covers(const CProvinceMap& piece, int x, int y)
{
    const int maskX = x - piece.left, maskY = y - piece.top;
    return maskX >= 0 && maskY >= 0 && maskX < piece.mask.Width() && maskY < piece.mask.Height() &&
           piece.mask.ScanLine(maskY)[maskX] != 0;
}

} // namespace

uint8_t CWorldCodes::PreviewValue(int x, int y) const
{
    const uint8_t code = CodeAt(x, y);
    if (code == kOcean)
        return kPreviewOcean;
    if (code == kLand) {
        // The last land piece over the pixel painted it; no piece at all leaves land.
        for (auto piece = landPieces_.rbegin(); piece != landPieces_.rend(); ++piece)
            if (Covers(**piece, x, y))
                return LandPreview(**piece);
        return kPreviewLand;
    }
    const uint8_t province =
        map_.columns.GetAt(x / kBlockSide)->cells.GetAt(y / kBlockSide)->entries[code & kLocalNumberBits].province;
    if (province == CProvincesMapID::kNoProvince)
        return kPreviewOther;
    return code >> 5 >= kShadeDarkOnce ? kPreviewBorder : province;
}

std::vector<uint8_t> CWorldCodes::PreviewSource() const
{
    std::vector<uint8_t> source(size_t(width_) * size_t(height_));
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x)
            source[size_t(y) * size_t(width_) + size_t(x)] = PreviewValue(x, y);
    return source;
}

bool CWorldCodes::BlockBorders::IsBorder(uint8_t code) const
{
    // Land and ocean have local number 31, which no piece has.
    return code >> 5 >= kShadeDarkOnce && (owned >> (code & kLocalNumberBits) & 1) != 0;
}

void CWorldCodes::AddBorders(int y0, int y1, uint16_t* counts) const
{
    assert(y0 >= 0 && y0 <= y1 && y1 <= height_ && y1 - y0 <= UINT16_MAX);
    for (int column = 0; column < columns_; ++column) {
        const int stripWidth = StripWidth(column);
        uint16_t* columnCounts = counts + column * kBlockSide;
        for (int y = y0; y < y1; ++y) {
            const uint8_t* codes = strips_[size_t(column)].data() + size_t(y) * size_t(stripWidth);
            const BlockBorders& borders = blockBorders_[size_t(column) * size_t(rows_) + size_t(y / kBlockSide)];
            int x = 0;
#if defined(__SSE2__)
            // Where every piece of the block has a province, the borders are the
            // dark codes 0x60 .. 0x9F.
            if (borders.owned == borders.pieces) {
                const __m128i darkFirst = _mm_set1_epi8(char(kShadeDarkOnce << 5)), darkSpan = _mm_set1_epi8(0x3F);
                for (; x + 16 <= stripWidth; x += 16) {
                    const __m128i code = _mm_loadu_si128(reinterpret_cast<const __m128i*>(codes + x));
                    const __m128i offset = _mm_sub_epi8(code, darkFirst);
                    const __m128i border = _mm_cmpeq_epi8(_mm_min_epu8(offset, darkSpan), offset); // 0xFF or 0
                    auto* out = reinterpret_cast<__m128i*>(columnCounts + x);
                    // A border byte unpacked with itself is -1 as a 16-bit count.
                    _mm_storeu_si128(out, _mm_sub_epi16(_mm_loadu_si128(out), _mm_unpacklo_epi8(border, border)));
                    _mm_storeu_si128(out + 1, _mm_sub_epi16(_mm_loadu_si128(out + 1), _mm_unpackhi_epi8(border, border)));
                }
            }
#endif
            for (; x < stripWidth; ++x)
                columnCounts[x] = uint16_t(columnCounts[x] + borders.IsBorder(codes[x]));
        }
    }
}

CWorldCodes::Clip CWorldCodes::ClipPiece(const CProvinceMap& piece) const
{
    return {std::max(0, int(piece.left)), std::max(0, int(piece.top)),
            std::min(width_, piece.left + piece.mask.Width()), std::min(height_, piece.top + piece.mask.Height())};
}

bool CWorldCodes::Build(CMapProject& project, std::string& error)
{
    width_ = project.GetWidth();
    height_ = project.GetHeight();
    if (width_ == 0 || height_ == 0) {
        error = "The project has no world image to export";
        return false;
    }
    columns_ = (width_ + kBlockSide - 1) / kBlockSide;
    rows_ = (height_ + kBlockSide - 1) / kBlockSide;
    if (columns_ > kMaxBlocksAcross || rows_ > kMaxBlocksAcross) {
        error = "The world is " + std::to_string(width_) + " x " + std::to_string(height_) +
                " pixels; the handheld takes at most " + std::to_string(kMaxBlocksAcross * kBlockSide) +
                " pixels in each direction";
        return false;
    }
    strips_.resize(size_t(columns_));
    for (int column = 0; column < columns_; ++column)
        strips_[size_t(column)].assign(size_t(StripWidth(column)) * size_t(height_), kLand);

    const CProvinceMapList& pieces = project.GetPieces();
    // The province of each piece: the first in the list that is linked to it.
    std::vector<uint8_t> provinceOfPiece(size_t(pieces.GetCount()), CProvincesMapID::kNoProvince);
    const CProvinceList& provinces = project.GetProvinces();
    for (int i = provinces.GetSize() - 1; i >= 0; --i) {
        const int piece = provinces.GetAt(i)->pieceIndex;
        if (piece >= 0 && piece < pieces.GetCount())
            provinceOfPiece[size_t(piece)] = uint8_t(i);
    }

    CProgressScope progress(project, "Compressing world image...", columns_ * rows_);
    std::vector<std::vector<BlockEntry>> blocks(size_t(columns_) * size_t(rows_));
    pieceBlocks_.clear();
    for (int i = 0; i < pieces.GetCount(); ++i)
        if (pieces.GetAt(i)->IsProvince())
            FindPieceInBlocks(*pieces.GetAt(i), i, blocks);
    if (!NumberBlockPieces(project, blocks, provinceOfPiece, error))
        return false;
    for (PieceBlocks& placed : pieceBlocks_)
        PaintProvincePiece(*pieces.GetAt(placed.piece), placed);

    progress.Restart("Compress land and water...", pieces.GetCount());
    landPieces_.clear();
    for (int i = 0; i < pieces.GetCount(); ++i) {
        if (!pieces.GetAt(i)->IsProvince()) {
            PaintLandPiece(*pieces.GetAt(i));
            landPieces_.push_back(pieces.GetAt(i));
        }
        progress.Step(i + 1);
    }
    return true;
}

// Records, for every block the piece reaches, the first of its pixels that a
// scan of the block meets (columns left to right, each top to bottom).
void CWorldCodes::FindPieceInBlocks(const CProvinceMap& piece, int pieceIndex,
                                    std::vector<std::vector<BlockEntry>>& blocks)
{
    const Clip clip = ClipPiece(piece);
    if (clip.Empty())
        return;
    PieceBlocks placed;
    placed.piece = pieceIndex;
    placed.firstColumn = clip.x0 / kBlockSide;
    placed.lastColumn = (clip.x1 - 1) / kBlockSide;
    placed.firstRow = clip.y0 / kBlockSide;
    placed.lastRow = (clip.y1 - 1) / kBlockSide;
    const int blockRows = placed.lastRow - placed.firstRow + 1;
    const size_t blockCount = size_t(placed.lastColumn - placed.firstColumn + 1) * size_t(blockRows);
    placed.localNumbers.assign(blockCount, 0);
    placed.bits.Load(piece.mask, piece.left);
    const CMaskBits& bits = placed.bits;

    // Per block: the smallest local x met so far and the first row it was met in.
    constexpr int kUnmet = kBlockSide;
    std::vector<int> firstX(blockCount, kUnmet), firstY(blockCount, 0);
    for (int y = clip.y0; y < clip.y1; ++y) {
        const uint64_t* row = bits.Row(y - piece.top);
        const size_t blockRow = size_t(y / kBlockSide - placed.firstRow);
        for (int column = placed.firstColumn; column <= placed.lastColumn; ++column) {
            // Words i and i + 1 hold the block's columns (i + 1 may be the padding).
            const int i = (column * kBlockSide - bits.X0()) / 64;
            const uint64_t left = row[i] & clip.Columns(bits, i), right = row[i + 1] & clip.Columns(bits, i + 1);
            if ((left | right) == 0)
                continue;
            const int x = left != 0 ? std::countr_zero(left) : 64 + std::countr_zero(right);
            const size_t block = size_t(column - placed.firstColumn) * size_t(blockRows) + blockRow;
            if (x < firstX[block]) {
                firstX[block] = x;
                firstY[block] = y % kBlockSide;
            }
        }
    }
    const size_t placedIndex = pieceBlocks_.size();
    for (int column = placed.firstColumn; column <= placed.lastColumn; ++column) {
        for (int row = placed.firstRow; row <= placed.lastRow; ++row) {
            const size_t block = size_t(column - placed.firstColumn) * size_t(blockRows) + size_t(row - placed.firstRow);
            if (firstX[block] != kUnmet)
                blocks[size_t(column) * size_t(rows_) + size_t(row)].push_back(
                    {uint32_t(firstX[block] * kBlockSide + firstY[block]), placedIndex});
        }
    }
    pieceBlocks_.push_back(std::move(placed));
}

// Numbers each block's pieces in the order the block's scan meets them and
// fills the index map, block column by block column.
bool CWorldCodes::NumberBlockPieces(CMapProject& project, std::vector<std::vector<BlockEntry>>& blocks,
                                    const std::vector<uint8_t>& provinceOfPiece, std::string& error)
{
    map_.columns.DeleteAll();
    blockBorders_.assign(size_t(columns_) * size_t(rows_), {});
    for (int column = 0; column < columns_; ++column) {
        auto cells = std::make_unique<CBlockCellsData>();
        for (int row = 0; row < rows_; ++row) {
            std::vector<BlockEntry>& entries = blocks[size_t(column) * size_t(rows_) + size_t(row)];
            if (entries.size() > size_t(kMaxPiecesPerBlock)) {
                error = "The world's " + BlockName(column, row) + " holds " + std::to_string(entries.size()) +
                        " province pieces; the handheld can tell at most " + std::to_string(kMaxPiecesPerBlock) +
                        " apart in one block of " + std::to_string(kBlockSide) + " x " + std::to_string(kBlockSide) +
                        " pixels. Merge small provinces there.";
                return false;
            }
            // Pieces first met at the same pixel keep the order of the piece list.
            std::stable_sort(entries.begin(), entries.end(),
                      [](const BlockEntry& a, const BlockEntry& b) { return a.firstPixel < b.firstPixel; });
            auto cell = std::make_unique<CProvinceMapIDData>();
            cell->entries.SetSize(int(entries.size()));
            BlockBorders& borders = blockBorders_[size_t(column) * size_t(rows_) + size_t(row)];
            for (size_t k = 0; k < entries.size(); ++k) {
                PieceBlocks& placed = pieceBlocks_[entries[k].pieceBlocks];
                placed.LocalNumber(column, row) = uint8_t(k);
                const uint8_t province = provinceOfPiece[size_t(placed.piece)];
                cell->entries[int(k)] = {uint8_t(k), province};
                borders.pieces |= 1u << k;
                borders.owned |= province != CProvincesMapID::kNoProvince ? 1u << k : 0;
            }
            cells->cells.Add(std::move(cell));
            project.ProgressStep(column * rows_ + row + 1);
        }
        map_.columns.Add(std::move(cells));
    }
    return true;
}

void CWorldCodes::PaintProvincePiece(const CProvinceMap& piece, PieceBlocks& placed)
{
    const Clip clip = ClipPiece(piece);
    const CMaskBits& bits = placed.bits;
    const int firstWord = (clip.x0 - bits.X0()) / 64, lastWord = (clip.x1 - 1 - bits.X0()) / 64;
    for (int y = clip.y0; y < clip.y1; ++y) {
        const int maskY = y - piece.top;
        const uint64_t* row = bits.Row(maskY);
        for (int i = firstWord; i <= lastWord; ++i) {
            const uint64_t inside = row[i] & clip.Columns(bits, i);
            if (inside == 0)
                continue;
            const ShadeWord shade = ShadeWordAt(bits, maskY, i);
            const int x = bits.X0() + 64 * i;
            const uint64_t localBytes = placed.LocalNumber(x / kBlockSide, y / kBlockSide) * kEveryByte;
            if (inside == ~uint64_t(0) && (shade.code[0] | shade.code[1] | shade.code[2]) == 0 &&
                x + 64 <= width_) {
                // The inside of the piece: 64 pixels of base shade.
                FillWord(StripRow(x, y) + x % kBlockSide, localBytes);
                continue;
            }
            PaintWord(StripRow(x, y) + x % kBlockSide, std::min(64, width_ - x), inside, [&](int group) {
                return Spread(shade.code[0], group) << 5 | Spread(shade.code[1], group) << 6 |
                       Spread(shade.code[2], group) << 7 | localBytes;
            });
        }
    }
}

void CWorldCodes::PaintLandPiece(const CProvinceMap& piece)
{
    const Clip clip = ClipPiece(piece);
    if (clip.Empty())
        return;
    const uint8_t code = piece.IsOcean() ? kOcean : kLand;
    const auto codeBytes = [bytes = code * kEveryByte](int) { return bytes; };
    landBits_.Load(piece.mask, piece.left);
    const CMaskBits& bits = landBits_;
    const int firstWord = (clip.x0 - bits.X0()) / 64, lastWord = (clip.x1 - 1 - bits.X0()) / 64;
    for (int y = clip.y0; y < clip.y1; ++y) {
        const uint64_t* row = bits.Row(y - piece.top);
        for (int i = firstWord; i <= lastWord; ++i) {
            const uint64_t inside = row[i] & clip.Columns(bits, i);
            const int x = bits.X0() + 64 * i;
            const int count = std::min(64, width_ - x);
            if (inside == ~uint64_t(0) && count == 64) {
                std::memset(StripRow(x, y) + x % kBlockSide, code, 64);
            } else if (inside != 0) {
                PaintWord(StripRow(x, y) + x % kBlockSide, count, inside, codeBytes);
            }
        }
    }
}
