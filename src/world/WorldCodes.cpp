#include "world/WorldCodes.h"

#include <algorithm>
#include <cassert>

#include "world/PdaSerialize.h"
#include "world/PieceShades.h"

namespace {

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
    preview_.assign(size_t(width_) * size_t(height_), kPreviewLand);

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
        PaintProvincePiece(*pieces.GetAt(placed.piece), placed, provinceOfPiece[size_t(placed.piece)]);

    progress.Restart("Compress land and water...", pieces.GetCount());
    for (int i = 0; i < pieces.GetCount(); ++i) {
        if (!pieces.GetAt(i)->IsProvince())
            PaintLandPiece(*pieces.GetAt(i));
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

    // Per block: the smallest local x met so far and the first row it was met in.
    constexpr int kUnmet = kBlockSide;
    std::vector<int> firstX(blockCount, kUnmet), firstY(blockCount, 0);
    for (int y = clip.y0; y < clip.y1; ++y) {
        const TColor32* row = piece.mask.ScanLine(y - piece.top);
        const int blockRow = y / kBlockSide;
        for (int column = placed.firstColumn; column <= placed.lastColumn; ++column) {
            const size_t block = size_t(column - placed.firstColumn) * size_t(blockRows) + size_t(blockRow - placed.firstRow);
            const int blockLeft = column * kBlockSide;
            // A later row only matters when it reaches further left.
            const int end = std::min(clip.x1, blockLeft + firstX[block]);
            for (int x = std::max(clip.x0, blockLeft); x < end; ++x) {
                if (row[x - piece.left] != 0) {
                    firstX[block] = x - blockLeft;
                    firstY[block] = y % kBlockSide;
                    break;
                }
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
            std::sort(entries.begin(), entries.end(),
                      [](const BlockEntry& a, const BlockEntry& b) { return a.firstPixel < b.firstPixel; });
            auto cell = std::make_unique<CProvinceMapIDData>();
            cell->entries.SetSize(int(entries.size()));
            for (size_t k = 0; k < entries.size(); ++k) {
                PieceBlocks& placed = pieceBlocks_[entries[k].pieceBlocks];
                placed.LocalNumber(column, row) = uint8_t(k);
                cell->entries[int(k)] = {uint8_t(k), provinceOfPiece[size_t(placed.piece)]};
            }
            cells->cells.Add(std::move(cell));
            project.ProgressStep(column * rows_ + row + 1);
        }
        map_.columns.Add(std::move(cells));
    }
    return true;
}

void CWorldCodes::PaintProvincePiece(const CProvinceMap& piece, PieceBlocks& placed, uint8_t province)
{
    const Clip clip = ClipPiece(piece);
    CPieceShades shades(piece.mask);
    const bool owned = province != CProvincesMapID::kNoProvince;
    for (int y = clip.y0; y < clip.y1; ++y) {
        const uint8_t* rowShades = shades.Row(y - piece.top);
        for (int column = placed.firstColumn; column <= placed.lastColumn; ++column) {
            const Span span = StripSpan(clip, column, y, piece.left);
            const uint8_t k = placed.LocalNumber(column, y / kBlockSide);
            const uint8_t* shade = rowShades + span.maskOffset;
            for (int i = 0; i < span.length; ++i)
                span.codes[i] = shade[i] != kShadeOutside ? uint8_t(shade[i] << 5 | k) : span.codes[i];
        }
        const uint8_t* shade = rowShades + (clip.x0 - piece.left);
        uint8_t* preview = PreviewRow(y) + clip.x0;
        for (int i = 0; i < clip.x1 - clip.x0; ++i) {
            const uint8_t value = !owned ? kPreviewOther : shade[i] >= kShadeDarkOnce ? kPreviewBorder : province;
            preview[i] = shade[i] == kShadeOutside ? preview[i] : value;
        }
    }
}

void CWorldCodes::PaintLandPiece(const CProvinceMap& piece)
{
    const Clip clip = ClipPiece(piece);
    if (clip.Empty())
        return;
    const uint8_t code = piece.IsOcean() ? kOcean : kLand;
    const uint8_t previewValue = piece.IsOcean() ? kPreviewOcean : piece.IsGreenLand() ? kPreviewLand : kPreviewOther;
    for (int y = clip.y0; y < clip.y1; ++y) {
        const TColor32* maskRow = piece.mask.ScanLine(y - piece.top);
        for (int column = clip.x0 / kBlockSide; column <= (clip.x1 - 1) / kBlockSide; ++column) {
            const Span span = StripSpan(clip, column, y, piece.left);
            const TColor32* mask = maskRow + span.maskOffset;
            for (int i = 0; i < span.length; ++i)
                span.codes[i] = mask[i] != 0 ? code : span.codes[i];
        }
        const TColor32* mask = maskRow + (clip.x0 - piece.left);
        uint8_t* preview = PreviewRow(y) + clip.x0;
        for (int i = 0; i < clip.x1 - clip.x0; ++i)
            preview[i] = mask[i] != 0 ? previewValue : preview[i];
    }
}

CWorldCodes::Span CWorldCodes::StripSpan(const Clip& clip, int column, int y, int maskLeft)
{
    const int blockLeft = column * kBlockSide;
    const int x0 = std::max(clip.x0, blockLeft), x1 = std::min(clip.x1, blockLeft + kBlockSide);
    uint8_t* codes = strips_[size_t(column)].data() + size_t(y) * size_t(StripWidth(column)) + size_t(x0 - blockLeft);
    return {codes, x0 - maskLeft, std::max(0, x1 - x0)};
}
