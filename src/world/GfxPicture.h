#pragma once
// The handheld's picture format (".img"): 8-bit indexed pixels, run-coded row by
// row, with a per-row size table so that a reader (or the database writer, which
// cuts large pictures between rows) can find any row without decoding the others.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

// Base of the handheld graphics objects.
class CGfxCommon {
public:
    virtual ~CGfxCommon() = default;
    virtual void Reset() {}
};

// Encodes one picture, or an animation of several frames of the same size, in
// memory. Typical use: construct from a pixel buffer, check Error(), then
// GetSize() and Write() into a buffer of that size.
class CGfxPicture : public CGfxCommon {
public:
    // The several-frame header stores the frame count in one byte.
    static constexpr uint32_t kMaxFrames = 255;
    // Width, height and the box fields are 16-bit in the stored form.
    static constexpr uint32_t kMaxSide = 0xFFFF;

    CGfxPicture() = default;
    // One frame of width x height bytes (row-major) copied from `pixels` and encoded
    // at once; Encode codes the copy again after a change of the settings.
    CGfxPicture(uint32_t width, uint32_t height, const uint8_t* pixels, bool transparent);
    ~CGfxPicture() override = default;

    void Reset() override;

    // Records the frame size and count and allocates a zeroed pixel buffer for all
    // frames. Refuses (returning false with Error() set) sizes and counts that do
    // not fit the stored form.
    bool SetFrameSize(uint32_t width, uint32_t height, uint32_t frames, uint8_t headerByte = 0);

    // The pixel buffer of SetFrameSize: frame after frame, each width x height
    // bytes row-major.
    std::span<uint8_t> Pixels() { return pixels_; }

    void SetTransparency(bool on) { transparent_ = on; }
    void SetTransparentIndex(uint8_t index) { transparentIndex_ = index; }
    // Frames after the first store only the pixels that changed (others become 0).
    void SetDelta(bool on) { delta_ = on; }

    // Encodes every frame of the pixel buffer; returns the total size of the
    // frames' data.
    // When a frame cannot be stored (a row or the data too large for its field)
    // it returns 0 and Error() says why.
    uint32_t Encode();

    // Byte size of the stored form.
    uint32_t GetSize() const;
    // Fills `buffer` (at least GetSize() bytes) with the stored form and returns
    // its size; with an empty buffer it only returns the size.
    uint32_t Write(std::span<uint8_t> buffer) const;
    // The stored form as a new byte vector.
    std::vector<uint8_t> ToBytes() const;

    const std::string& Error() const { return error_; }
    bool WideRows() const { return wideRows_; }
    uint32_t Width() const { return width_; }
    uint32_t Height() const { return height_; }
    uint32_t FrameCount() const { return frameCount_; }

private:
    struct Frame {
        uint32_t left = 0, top = 0, width = 0, height = 0;
        std::vector<uint16_t> rowSizes;
        std::vector<uint8_t> rows;  // the coded rows, top to bottom
    };

    bool SetSizes(uint32_t width, uint32_t height, uint32_t frames, uint8_t headerByte);
    void TrimFrame(const uint8_t* pixels, Frame& frame) const;
    bool CodeRows(const uint8_t* pixels, Frame& frame);
    void PackRows();
    uint64_t DataSize(const Frame& frame) const;
    uint8_t* WriteFrameData(const Frame& frame, uint8_t* out) const;
    bool Fail(std::string message);

    uint32_t width_ = 0;
    uint32_t height_ = 0;
    bool transparent_ = false;
    uint8_t transparentIndex_ = 0;
    bool wideRows_ = false;
    std::vector<Frame> frames_;
    uint32_t frameCount_ = 0;
    uint8_t headerByte_ = 0;
    bool delta_ = false;
    std::vector<uint8_t> pixels_;
    uint64_t totalSize_ = 0;
    std::string error_;
};
