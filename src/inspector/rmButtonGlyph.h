#pragma once
// The glyph of a speed button: a bitmap of one to four images side by side (up,
// disabled, down, exclusive), the images each state shows, built on first use, and the
// placement of glyph and caption inside the button.
#include "graphics/Bitmap32.h"
#include "platform/Canvas.h"
#include "platform/Persistent.h"

#include <array>
#include <memory>
#include <string>

enum TButtonLayout : uint8_t { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
enum TrmButtonState : uint8_t { bsUp, bsDisabled, bsDown, bsExclusive, bsMenu };

struct TButtonPlacement {
    platform::Point GlyphPos;
    platform::Rect TextBounds;
};

// Where glyph and caption go inside Client (moved by Offset). Margin -1 centres the pair;
// Spacing -1 spreads the free space evenly. All halving truncates toward zero.
TButtonPlacement CalcButtonLayout(const platform::Rect& Client, platform::Point Offset, platform::Size GlyphSize,
                                  platform::Size TextSize, TButtonLayout Layout, int32_t Margin, int32_t Spacing,
                                  bool RightToLeft);

class TButtonGlyph {
public:
    static constexpr int32_t kMaxGlyphs = 4;

    const TBitmap32& Glyph() const { return FOriginal; }
    // Null clears the glyph. Either way the state images are built again.
    void SetGlyph(const TBitmap32* Value);
    int32_t NumGlyphs() const { return FNumGlyphs; }
    // Values below 1 give 1, above 4 give 4.
    void SetNumGlyphs(int32_t Value);
    // One image's size; 0 x 0 without a glyph.
    platform::Size GlyphSize() const;

    // Which of the images a state shows (the disabled state of a one-image glyph shows an
    // embossed copy of image 0).
    int32_t ImageIndex(TrmButtonState State) const;
    // The state's picture, built on first use. Pixels with alpha 0 are see-through (they
    // hold clBtnFace for buttons that are not transparent); the rest are opaque.
    const TBitmap32& StateImage(TrmButtonState State);
    // Forgets the built pictures (after a change of the system colours or of enabling).
    void Invalidate();

    // Draws glyph and caption in Client and returns where the caption went. Transparent
    // glyphs leave their see-through pixels alone.
    platform::Rect Draw(platform::Canvas& Canvas, const platform::Rect& Client, platform::Point Offset,
                        const std::string& Caption, TButtonLayout Layout, int32_t Margin, int32_t Spacing,
                        TrmButtonState State, bool Transparent, bool RightToLeft, const platform::FontSpec& Font);

    // Called after each change of the bitmap or of NumGlyphs.
    TNotifyEvent OnChange;

private:
    void Changed();
    std::unique_ptr<TBitmap32> BuildImage(TrmButtonState State) const;

    TBitmap32 FOriginal;
    int32_t FNumGlyphs = 1;
    std::array<std::unique_ptr<TBitmap32>, 5> FImages; // by TrmButtonState
};
