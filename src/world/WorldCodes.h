#pragma once
// The world as the handheld's images describe it, worked out once per export
// and shared by the world blocks, the domain blocks and the preview.
//
// Block code of a world pixel (one byte):
//   bits 7..5  shade code: 0 base, 1 lightened twice, 2 lightened once,
//              3 darkened once, 4 darkened twice (PieceShade)
//   bits 4..0  local number k (0..30) of the province piece within its 128 x 128
//              block; the block's cell of the index map says which province it is
//   31   land that is no province (green land, small and unclassified pieces,
//        and pixels that no piece covers)
//   255  ocean
//
// Preview source value of a world pixel (one byte), worked out from the codes
// where the preview needs it rather than kept for the whole world:
//   0..98  inside of the province with that index in the province list
//   0xFA   darkened edge (border) of a province
//   0xFE   ocean;  0xFF  green land, and pixels that no piece covers
//   0      small and unclassified pieces, and province pieces no province owns
//
// A province piece's pixels are those whose mask pixel is not 0 (icon-place
// marks included); where pieces overlap, the later piece in the piece list wins,
// and land and ocean pieces are laid over province pieces.
#include <cstdint>
#include <string>
#include <vector>

#include "model/MapProject.h"
#include "world/MapDta.h"
#include "world/MaskBits.h"

class CWorldCodes {
public:
    static constexpr int kBlockSide = 128;
    // k = 31 would read as land: a block can name 31 province pieces.
    static constexpr int kMaxPiecesPerBlock = 31;
    // Block columns and rows are counted in a byte of the index map.
    static constexpr int kMaxBlocksAcross = 255;
    static constexpr uint8_t kLand = 31;
    static constexpr uint8_t kOcean = 255;
    static constexpr uint8_t kLocalNumberBits = 31;
    static constexpr uint8_t kPreviewBorder = 0xFA;
    static constexpr uint8_t kPreviewOcean = 0xFE;
    static constexpr uint8_t kPreviewLand = 0xFF;
    static constexpr uint8_t kPreviewOther = 0;

    // Works the codes and the index map out of the project's pieces and provinces, with progress on the project's display. Returns false
    // with `error` for a world without pixels or too large for the index map, and
    // for a block with more than 31 province pieces.
    bool Build(CMapProject& project, std::string& error);

    int Width() const { return width_; }
    int Height() const { return height_; }
    // Block columns and rows; the last of each may be narrower than 128.
    int Columns() const { return columns_; }
    int Rows() const { return rows_; }
    int StripWidth(int column) const;

    // The codes of block column `column`: StripWidth(column) x Height() bytes, row-major.
    const std::vector<uint8_t>& Strip(int column) const { return strips_[size_t(column)]; }
    uint8_t CodeAt(int x, int y) const;
    const CMapDta& Map() const { return map_; }
    // The stored index map, giving the image size it describes.
    std::vector<uint8_t> MapBytes(uint16_t width, uint16_t height);

    // The preview source value of world pixel (x, y), worked out from its code,
    // the index map and, for land, the land pieces over it.
    uint8_t PreviewValue(int x, int y) const;
    // PreviewValue of every pixel: Width() x Height() bytes, row-major.
    std::vector<uint8_t> PreviewSource() const;
    // Adds to counts[x] (Width() entries) the province border pixels (preview
    // source value kPreviewBorder) of world column x in rows y0 .. y1 - 1, at most
    // 65535 rows.
    void AddBorders(int y0, int y1, uint16_t* counts) const;

private:
    // Where a province piece lies in the blocks, its local number in each and its mask bits.
    struct PieceBlocks {
        int piece = -1;
        int firstColumn = 0, firstRow = 0, lastColumn = -1, lastRow = -1;
        std::vector<uint8_t> localNumbers; // per block of the rectangle, column-major
        CMaskBits bits;
        uint8_t& LocalNumber(int column, int row)
        {
            return localNumbers[size_t(column - firstColumn) * size_t(lastRow - firstRow + 1) + size_t(row - firstRow)];
        }
    };
    // A piece met in a block, with where the block's scan first meets it.
    struct BlockEntry {
        uint32_t firstPixel; // local x * 128 + local y: columns are scanned first
        size_t pieceBlocks;  // index in pieceBlocks_
    };
    // A mask clipped to the world: world rectangle [x0, x1) x [y0, y1).
    struct Clip {
        int x0, y0, x1, y1;
        bool Empty() const { return x0 >= x1 || y0 >= y1; }
        // The bits of word i of `bits`' rows that lie in the clip's columns.
        uint64_t Columns(const CMaskBits& bits, int i) const;
    };

    Clip ClipPiece(const CProvinceMap& piece) const;
    // The codes of world row y from the start of the block column holding world column x.
    uint8_t* StripRow(int x, int y)
    {
        const int column = x / kBlockSide;
        return strips_[size_t(column)].data() + size_t(y) * size_t(StripWidth(column));
    }
    void FindPieceInBlocks(const CProvinceMap& piece, int pieceIndex, std::vector<std::vector<BlockEntry>>& blocks);
    bool NumberBlockPieces(CMapProject& project, std::vector<std::vector<BlockEntry>>& blocks,
                           const std::vector<uint8_t>& provinceOfPiece, std::string& error);
    void PaintProvincePiece(const CProvinceMap& piece, PieceBlocks& blocks);
    void PaintLandPiece(const CProvinceMap& piece);

    int width_ = 0;
    int height_ = 0;
    int columns_ = 0;
    int rows_ = 0;
    std::vector<std::vector<uint8_t>> strips_;
    // Per block (column-major), as bits 1 << k of its local numbers: the pieces,
    // and those with a province, whose darkened pixels are borders in the preview.
    struct BlockBorders {
        uint32_t pieces = 0, owned = 0;
        bool IsBorder(uint8_t code) const;
    };
    std::vector<BlockBorders> blockBorders_;
    // The land and ocean pieces in list order; the project's, valid while it is unchanged.
    std::vector<const CProvinceMap*> landPieces_;
    std::vector<PieceBlocks> pieceBlocks_;
    CMaskBits landBits_; // the land or ocean piece being painted
    CMapDta map_;
};
