#include "world/GfxPicture.h"

#include "world/ByteOrder.h"

#include <algorithm>
#include <bit>
#include <cassert>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// Row code: a sequence of items, each a control byte n and its pixels.
//   n = 1 .. 127      literal: n pixel bytes follow
//   n = 0x80 .. 0xFF  run: one pixel byte follows, repeated 256 - n times (1 .. 128)
// A literal stops before any run of four or more equal pixels, before any run of
// transparent pixels (when transparency is on) and before the row's final run,
// which is always written as a run, even of one pixel. A transparent run that
// reaches the end of the row is not written at all.
constexpr uint32_t kMaxLiteral = 127;
constexpr uint32_t kMaxRun = 128;
constexpr uint32_t kMinRunInLiteral = 4;

// Short literals (map borders give many) are copied as one fixed block of this
// size, which may write past the literal: the coder keeps that much room spare.
constexpr uint32_t kShortCopy = 16;

// Upper bound of the bytes one row of `pixels` pixels codes to, plus the room for
// a short copy: with transparency, literals of one pixel between transparent
// pixels cost two bytes per pixel.
size_t MaxRowCode(size_t pixels)
{
    return 2 * pixels + 2 + kShortCopy;
}

// One row's runs of equal pixels as bit masks, a bit per pixel, built for the
// whole row at once (16 pixels per compare where SSE2 is available) so that the
// coder finds run and literal ends by bit scans instead of pixel by pixel:
//   ends:  bit i set when pixel i differs from pixel i + 1, and for the last pixel;
//   alone: bit r set when a run starts at r and stands alone, that is it is four or
//          more pixels long, it is the row's final run, or (with transparency) its
//          pixels are the transparent index. A literal ends at the next such start.
class RowRuns {
public:
    void Mark(const uint8_t* row, uint32_t width, bool transparent, uint8_t transparentIndex)
    {
        const size_t words = (size_t(width) + 63) / 64;
        ends_.resize(words);  // every word is stored below
        alone_.resize(words);
        if (width == 0)
            return;
        MarkEnds(row, width);
        for (size_t w = 0; w < words; ++w) {
            const uint64_t ends = ends_[w];
            const uint64_t next = w + 1 < words ? ends_[w + 1] : 0;
            const uint64_t starts = ends << 1 | (w > 0 ? ends_[w - 1] >> 63 : 1);
            const uint64_t long4 = ~(ends | (ends >> 1 | next << 63) | (ends >> 2 | next << 62));
            const uint64_t clear = transparent ? TransparentPixels(row, width, w, transparentIndex) : 0;
            alone_[w] = starts & (long4 | clear);
        }
        const uint32_t finalStart = FinalRunStart(width);
        alone_[finalStart >> 6] |= uint64_t(1) << (finalStart & 63);
    }

    // Number of pixels equal to pixel x from x on.
    uint32_t RunLength(uint32_t x) const { return NextSetBit(ends_, x) - x + 1; }

    // The first run start from `from` on that stands alone, or `limit` when it lies
    // beyond. `from` must be a run start not after the final run's start.
    uint32_t NextAloneStart(uint32_t from, uint32_t limit) const
    {
        size_t word = from >> 6;
        uint64_t bits = alone_[word] & (~uint64_t(0) << (from & 63));
        while (bits == 0) {
            if (++word * 64 >= limit)
                return limit;
            bits = alone_[word];
        }
        return std::min(uint32_t(word * 64 + size_t(std::countr_zero(bits))), limit);
    }

private:
    static uint32_t NextSetBit(const std::vector<uint64_t>& mask, uint32_t from)
    {
        size_t word = from >> 6;
        uint64_t bits = mask[word] & (~uint64_t(0) << (from & 63));
        while (bits == 0)
            bits = mask[++word];
        return uint32_t(word * 64 + size_t(std::countr_zero(bits)));
    }

    // Start of the row's final run: one past the last run end before the last pixel.
    uint32_t FinalRunStart(uint32_t width) const
    {
        const uint32_t last = width - 1;
        for (size_t w = last >> 6;; --w) {
            uint64_t bits = ends_[w];
            if (w == last >> 6)
                bits &= (uint64_t(1) << (last & 63)) - 1;
            if (bits != 0)
                return uint32_t(w * 64 + 63 - size_t(std::countl_zero(bits))) + 1;
            if (w == 0)
                return 0;
        }
    }

    void MarkEnds(const uint8_t* row, uint32_t width)
    {
        uint32_t i = 0;
        uint64_t word = 0;
#if defined(__SSE2__)
        if (width >= 17) {
            // Blocks of 16 positions; a block's bits never straddle two words.
            for (; i + 17 <= width; i += 16) {
                word |= uint64_t(DifferingPairs(row + i)) << (i & 63);
                if ((i & 63) == 48) {
                    ends_[i >> 6] = word;
                    word = 0;
                }
            }
            if (i + 1 < width) {
                // The last positions i .. width-2, from the block that ends with the row.
                const uint32_t last = width - 17;
                word |= uint64_t(DifferingPairs(row + last) >> (i - last)) << (i & 63);
            }
            i = width - 1;
        }
#endif
        for (; i + 1 < width; ++i) {
            word |= uint64_t(row[i] != row[i + 1]) << (i & 63);
            if ((i & 63) == 63) {
                ends_[i >> 6] = word;
                word = 0;
            }
        }
        // The word holding the last pixel is still open in `word`.
        ends_[(width - 1) >> 6] = word | uint64_t(1) << ((width - 1) & 63);
    }

    // Bit i of word w set when pixel w * 64 + i is the transparent index.
    static uint64_t TransparentPixels(const uint8_t* row, uint32_t width, size_t w, uint8_t transparentIndex)
    {
        const uint32_t base = uint32_t(w * 64);
        const uint32_t limit = std::min(base + 64, width);
        uint64_t bits = 0;
        for (uint32_t i = base; i < limit; ++i)
            bits |= uint64_t(row[i] == transparentIndex) << (i - base);
        return bits;
    }

#if defined(__SSE2__)
    // Bit k set when p[k] differs from p[k + 1], for k = 0 .. 15.
    static uint32_t DifferingPairs(const uint8_t* p)
    {
        const __m128i here = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const __m128i next = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 1));
        return ~uint32_t(_mm_movemask_epi8(_mm_cmpeq_epi8(here, next))) & 0xFFFF;
    }
#endif

    std::vector<uint64_t> ends_;
    std::vector<uint64_t> alone_;
};

struct RowCoder {
    bool transparent;
    uint8_t transparentIndex;
    RowRuns runs;

    // Codes row[0 .. end) into `out`; returns the number of bytes written.
    size_t Code(const uint8_t* row, uint32_t end, uint8_t* out)
    {
        return transparent ? Code<true>(row, end, out) : Code<false>(row, end, out);
    }

    template <bool Transparent>
    size_t Code(const uint8_t* row, uint32_t end, uint8_t* out)
    {
        runs.Mark(row, end, Transparent, transparentIndex);
        uint8_t* const start = out;
        uint32_t x = 0;
        while (x < end) {
            // An item may start inside a run (after a capped run or literal), so
            // the run from x is judged here rather than read from the alone mask.
            const uint32_t run = runs.RunLength(x);
            const bool transparentRun = Transparent && row[x] == transparentIndex;
            if (run >= kMinRunInLiteral || x + run == end || transparentRun) {
                if (transparentRun && x + run == end)
                    break;
                const uint32_t n = std::min(run, kMaxRun);
                *out++ = uint8_t(256 - n);
                *out++ = row[x];
                x += n;
                continue;
            }
            const uint32_t n = runs.NextAloneStart(x + run, x + kMaxLiteral) - x;
            *out++ = uint8_t(n);
            if (n <= kShortCopy && x + kShortCopy <= end)
                std::memcpy(out, row + x, kShortCopy);  // one fixed-size move; the rest is overwritten later
            else
                std::memcpy(out, row + x, n);
            out += n;
            x += n;
        }
        return size_t(out - start);
    }
};

} // namespace

CGfxPicture::CGfxPicture(uint32_t width, uint32_t height, const uint8_t* pixels, bool transparent)
{
    if (!SetSizes(width, height, 1, 0))
        return;
    pixels_.assign(pixels, pixels + size_t(width) * height); // copied once, not zeroed first
    transparent_ = transparent;
    Encode();
}

void CGfxPicture::Reset()
{
    *this = CGfxPicture();
}

bool CGfxPicture::Fail(std::string message)
{
    error_ = std::move(message);
    frames_.clear();
    totalSize_ = 0;
    return false;
}

bool CGfxPicture::SetFrameSize(uint32_t width, uint32_t height, uint32_t frames, uint8_t headerByte)
{
    if (!SetSizes(width, height, frames, headerByte))
        return false;
    pixels_.assign(size_t(width) * height * frames, 0);
    return true;
}

bool CGfxPicture::SetSizes(uint32_t width, uint32_t height, uint32_t frames, uint8_t headerByte)
{
    error_.clear();
    frames_.clear();
    totalSize_ = 0;
    pixels_.clear();
    width_ = height_ = frameCount_ = 0;
    if (width > kMaxSide || height > kMaxSide)
        return Fail("Picture of " + std::to_string(width) + " x " + std::to_string(height) +
                    " pixels is too large: width and height must be at most 65535");
    if (frames == 0 || frames > kMaxFrames)
        return Fail("A picture holds 1 to 255 frames, not " + std::to_string(frames));
    width_ = width;
    height_ = height;
    frameCount_ = frames;
    headerByte_ = headerByte;
    return true;
}

void CGfxPicture::TrimFrame(const uint8_t* pixels, Frame& frame) const
{
    frame.left = 0;
    frame.top = 0;
    frame.width = width_;
    frame.height = height_;
    if (!transparent_)
        return;
    uint32_t left = width_, right = 0, top = height_, bottom = 0;
    bool visible = false;
    for (uint32_t y = 0; y < height_; ++y) {
        const uint8_t* row = pixels + size_t(y) * width_;
        for (uint32_t x = 0; x < width_; ++x) {
            if (row[x] == transparentIndex_)
                continue;
            visible = true;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = y;
        }
    }
    if (!visible)
        return;  // nothing but transparent pixels: keep the whole picture
    frame.left = left;
    frame.top = top;
    frame.width = right - left + 1;
    frame.height = bottom - top + 1;
}

bool CGfxPicture::CodeRows(const uint8_t* pixels, Frame& frame)
{
    RowCoder coder{transparent_, transparentIndex_, {}};
    const size_t maxRow = MaxRowCode(frame.width);
    frame.rowSizes.assign(frame.height, 0);
    frame.rows.clear();
    size_t used = 0;
    for (uint32_t y = 0; y < frame.height; ++y) {
        if (frame.rows.size() - used < maxRow)
            frame.rows.resize(std::max(frame.rows.size() * 2, used + maxRow));
        const uint8_t* row = pixels + size_t(frame.top + y) * width_ + frame.left;
        size_t size = coder.Code(row, frame.width, frame.rows.data() + used);
        if (size > 0xFFFF)
            return Fail("Row " + std::to_string(frame.top + y) + " of the picture codes to " + std::to_string(size) +
                        " bytes, more than the 65535 a row-size entry can hold");
        frame.rowSizes[y] = uint16_t(size);
        used += size;
    }
    frame.rows.resize(used);
    return true;
}

void CGfxPicture::PackRows()
{
    // One flag describes every frame's table, so the tables are wide as soon as
    // any frame has a row above 255 bytes.
    wideRows_ = false;
    for (const Frame& frame : frames_)
        for (uint16_t size : frame.rowSizes)
            wideRows_ = wideRows_ || size > 0xFF;
}

uint64_t CGfxPicture::DataSize(const Frame& frame) const
{
    return uint64_t(frame.rowSizes.size()) * (wideRows_ ? 2 : 1) + frame.rows.size();
}

uint32_t CGfxPicture::Encode()
{
    if (frameCount_ == 0) {
        Fail("The picture has no frames to encode");
        return 0;
    }
    const uint8_t* allFrames = pixels_.data();
    error_.clear();
    totalSize_ = 0;
    frames_.assign(frameCount_, Frame{});
    const size_t frameBytes = size_t(width_) * height_;
    std::vector<uint8_t> delta;
    for (uint32_t f = 0; f < frameCount_; ++f) {
        const uint8_t* pixels = allFrames + f * frameBytes;
        if (f > 0 && delta_ && frameBytes > 0) {
            const uint8_t* previous = pixels - frameBytes;
            delta.resize(frameBytes);
            for (size_t i = 0; i < frameBytes; ++i)
                delta[i] = pixels[i] == previous[i] ? 0 : pixels[i];
            pixels = delta.data();
        }
        TrimFrame(pixels, frames_[f]);
        if (!CodeRows(pixels, frames_[f]))
            return 0;
    }
    PackRows();
    uint64_t total = 0;
    for (const Frame& frame : frames_)
        total += DataSize(frame);
    const uint64_t header = frameCount_ == 1 ? 22 : 14 + 12 * uint64_t(frameCount_);
    if (total + header > 0xFFFFFFFFu) {
        Fail("The coded picture needs " + std::to_string(total + header) + " bytes, more than a 32-bit size holds");
        return 0;
    }
    totalSize_ = total;
    return uint32_t(total);
}

uint32_t CGfxPicture::GetSize() const
{
    if (frames_.empty())
        return 0;
    if (frameCount_ == 1)
        return uint32_t(22 + totalSize_);
    return uint32_t(14 + 12 * uint64_t(frameCount_) + totalSize_);
}

uint8_t* CGfxPicture::WriteFrameData(const Frame& frame, uint8_t* out) const
{
    for (uint16_t size : frame.rowSizes) {
        if (wideRows_) {
            StoreLE16(out, size);
            out += 2;
        } else {
            *out++ = uint8_t(size);
        }
    }
    if (!frame.rows.empty())
        std::memcpy(out, frame.rows.data(), frame.rows.size());
    return out + frame.rows.size();
}

// One frame, little-endian:
//   offset size field
//   0      1    0xFE
//   1      1    flags: bit 0 transparency on, bit 1 row-size entries are 16-bit
//   2      2    width
//   4      2    height
//   6      2    0
//   8      2    0
//   10     2    box left
//   12     2    box top
//   14     2    box width
//   16     2    box height (number of coded rows)
//   18     4    data size: row-size table plus row codes
//   22     ...  row-size table (box height entries of 1 or 2 bytes), then the coded rows
//
// Several frames (F >= 2), little-endian:
//   0      1    0xFE
//   1      1    flags: bit 0 transparency on, bit 1 16-bit row-size entries, bit 2 delta frames
//   2      1    0
//   3      2    width
//   5      2    height
//   7      2    0
//   9      2    0
//   11     1    F
//   12     1    header byte
//   13     1    0
//   14     4F   per frame, the end offset of its block, counted from the end of this table
//   14+4F  ...  per frame: box left, top, width, height (2 bytes each), then its data
uint32_t CGfxPicture::Write(std::span<uint8_t> buffer) const
{
    const uint32_t size = GetSize();
    if (buffer.empty() || size == 0)
        return size;
    assert(buffer.size() >= size);
    uint8_t* out = buffer.data();
    const uint8_t flags = uint8_t((transparent_ ? 1 : 0) | (wideRows_ ? 2 : 0));
    out[0] = 0xFE;
    if (frameCount_ == 1) {
        const Frame& frame = frames_[0];
        out[1] = flags;
        StoreLE16(out + 2, width_);
        StoreLE16(out + 4, height_);
        StoreLE16(out + 6, 0);
        StoreLE16(out + 8, 0);
        StoreLE16(out + 10, frame.left);
        StoreLE16(out + 12, frame.top);
        StoreLE16(out + 14, frame.width);
        StoreLE16(out + 16, frame.height);
        StoreLE32(out + 18, uint32_t(DataSize(frame)));
        WriteFrameData(frame, out + 22);
        return size;
    }
    out[1] = uint8_t(flags | (delta_ ? 4 : 0));
    out[2] = 0;
    StoreLE16(out + 3, width_);
    StoreLE16(out + 5, height_);
    StoreLE16(out + 7, 0);
    StoreLE16(out + 9, 0);
    out[11] = uint8_t(frameCount_);
    out[12] = headerByte_;
    out[13] = 0;
    uint8_t* offsets = out + 14;
    uint8_t* blocks = offsets + 4 * frameCount_;
    uint8_t* block = blocks;
    for (const Frame& frame : frames_) {
        StoreLE16(block, frame.left);
        StoreLE16(block + 2, frame.top);
        StoreLE16(block + 4, frame.width);
        StoreLE16(block + 6, frame.height);
        block = WriteFrameData(frame, block + 8);
        StoreLE32(offsets, uint32_t(block - blocks));
        offsets += 4;
    }
    return size;
}

std::vector<uint8_t> CGfxPicture::ToBytes() const
{
    std::vector<uint8_t> bytes(GetSize());
    Write(bytes);
    return bytes;
}
