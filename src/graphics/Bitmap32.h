#pragma once
// TBitmap32: a rectangle of 32-bit ARGB pixels (TColor32), stored top-down without row
// padding: pixel (X, Y) is Bits()[Y * Width + X], row 0 is the top row.
//
// The class is declared here in sections; each section's operations live in their own
// source file:
//   size, pixel access, filling, properties       Bitmap32.cpp
//   drawing onto other bitmaps (DrawTo, Draw)      Bitmap32Transfer.cpp
//   assigning, comparing, loading and saving       Bitmap32Files.cpp
// The drawing primitives and text get sections and files of their own.
#include "graphics/Color32.h"
#include "graphics/Geometry32.h"
#include "graphics/ThreadPersistent.h"
#include "platform/Stream.h"

#include <cassert>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>

namespace platform {
struct DecodedImage;
}

// How a bitmap's pixels are combined into the destination when it is drawn.
enum TDrawMode : uint8_t { dmOpaque = 0, dmBlend = 1, dmCustom = 2 };

// The resampling filter of stretched drawing.
enum TStretchFilter : uint8_t { sfNearest = 0, sfLinear = 1, sfSpline = 2, sfLanczos = 3, sfMitchell = 4 };

// dmCustom's combine step: F the source pixel, B the destination pixel, M the master alpha.
using TPixelCombineEvent = std::function<void(TColor32 F, TColor32& B, TColor32 M)>;

class TBitmap32 : public TCustomMap {
public:
    TBitmap32();
    // Frees the pixels without reporting OnChange or OnResize: whoever listens may be
    // going away too.
    ~TBitmap32() override;
    const char* ClassName() const override { return "TBitmap32"; }

    // ---- Size and pixel store ------------------------------------------------------
    // Empty: no pixel store, or Width or Height 0. Operations on pixels do nothing then.
    bool Empty() const override;
    void Delete() override { SetSize(0, 0); }
    TRect BoundsRect() const { return {0, 0, Width(), Height()}; }
    TColor32* Bits() { return FBits.get(); }
    const TColor32* Bits() const { return FBits.get(); }

    // ---- Pixel access --------------------------------------------------------------
    // The plain forms do no bounds test (asserted in debug builds); the S forms read
    // OuterColor outside the bitmap and ignore writes there. None blends or reports.
    TColor32 GetPixel(int32_t X, int32_t Y) const { return *PixelPtr(X, Y); }
    void SetPixel(int32_t X, int32_t Y, TColor32 Value) { *PixelPtr(X, Y) = Value; }
    TColor32 GetPixelS(int32_t X, int32_t Y) const;
    void SetPixelS(int32_t X, int32_t Y, TColor32 Value);
    TColor32* PixelPtr(int32_t X, int32_t Y) { return FBits.get() + PixelIndex(X, Y); }
    const TColor32* PixelPtr(int32_t X, int32_t Y) const { return FBits.get() + PixelIndex(X, Y); }
    TColor32* ScanLine(int32_t Y) { return PixelPtr(0, Y); }
    const TColor32* ScanLine(int32_t Y) const { return PixelPtr(0, Y); }

    // ---- Clearing and filling ------------------------------------------------------
    void Clear() { Clear(clBlack32); }
    void Clear(TColor32 FillColor);
    // Columns X1..X2-1 of rows Y1..Y2-1, no blending and no clipping: the caller keeps the
    // rectangle inside.
    void FillRect(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2, TColor32 Value);
    // Clipped to the bitmap; nothing when the rectangle is empty or wholly outside.
    void FillRectS(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2, TColor32 Value);
    void FillRectS(const TRect& ARect, TColor32 Value) { FillRectS(ARect.Left, ARect.Top, ARect.Right, ARect.Bottom, Value); }
    // Every alpha byte becomes 255.
    void ResetAlpha();

    // ---- Drawing properties --------------------------------------------------------
    // The setters store a changed value and report it; OuterColor and PenColor are plain.
    TDrawMode DrawMode() const { return FDrawMode; }
    void SetDrawMode(TDrawMode Value);
    // 0..255, the overall opacity of dmBlend drawing.
    uint32_t MasterAlpha() const { return FMasterAlpha; }
    void SetMasterAlpha(uint32_t Value);
    TStretchFilter StretchFilter() const { return FStretchFilter; }
    void SetStretchFilter(TStretchFilter Value);
    // What the safe reads return outside the bitmap.
    TColor32 OuterColor() const { return FOuterColor; }
    void SetOuterColor(TColor32 Value) { FOuterColor = Value; }
    // The colour of the pen-position line operations.
    TColor32 PenColor() const { return FPenColor; }
    void SetPenColor(TColor32 Value) { FPenColor = Value; }

    // ---- Drawing onto another bitmap (Bitmap32Transfer.cpp) --------------------------
    // Each form passes this bitmap's DrawMode and OnPixelCombine (and MasterAlpha in
    // dmBlend) to the block or stretch transfer, returns at once when either bitmap is
    // Empty, and ends with the destination's Changed.
    void DrawTo(TBitmap32& Dst) const;
    void DrawTo(TBitmap32& Dst, int32_t DstX, int32_t DstY) const;
    void DrawTo(TBitmap32& Dst, int32_t DstX, int32_t DstY, const TRect& SrcRect) const;
    // Stretched with this bitmap's StretchFilter.
    void DrawTo(TBitmap32& Dst, const TRect& DstRect) const;
    void DrawTo(TBitmap32& Dst, const TRect& DstRect, const TRect& SrcRect) const;
    // The same, called on the destination; nothing when Src is null.
    void Draw(int32_t DstX, int32_t DstY, const TBitmap32* Src);
    void Draw(int32_t DstX, int32_t DstY, const TRect& SrcRect, const TBitmap32* Src);
    void Draw(const TRect& DstRect, const TRect& SrcRect, const TBitmap32* Src);

    // ---- Assigning, comparing, loading and saving (Bitmap32Files.cpp) -----------------
    // Null empties this bitmap; a TBitmap32 gives its size, pixels, DrawMode,
    // MasterAlpha, OuterColor and StretchFilter. Reports one change at the end.
    void Assign(const TPersistent* Source) override;
    // Both Empty, or both of one class with the same size and pixels.
    bool Equal(const TBitmap32& Other) const;
    // A BMP or JPEG picture, chosen by the file's first bytes. On any failure raises
    // Exception with a message naming the file and the fault; the bitmap is unchanged.
    void LoadFromFile(const std::filesystem::path& FileName);
    // A BMP picture from the stream's position to its end; raises as LoadFromFile.
    void LoadFromStream(TStream& Stream);
    // A 32-bit BMP that keeps the alpha bytes.
    void SaveToFile(const std::filesystem::path& FileName) const;
    void SaveToStream(TStream& Stream) const;

    // The streamed property "Data" (see ReadData).
    void DefineProperties(TFiler& Filer) override;
    virtual void ReadData(TStream& Stream);
    virtual void WriteData(TStream& Stream) const;

    // ---- Events --------------------------------------------------------------------
    // Fired when the pixel store is replaced (every real size change).
    TNotifyEvent OnHandleChanged;
    // The combine step of dmCustom.
    TPixelCombineEvent OnPixelCombine;

protected:
    void ChangeSize(int32_t& Width, int32_t& Height, int32_t NewWidth, int32_t NewHeight) override;
    virtual void HandleChanged();

private:
    struct FreePixels {
        void operator()(TColor32* p) const { std::free(p); }
    };

    size_t PixelIndex(int32_t X, int32_t Y) const
    {
        assert(X >= 0 && X < Width() && Y >= 0 && Y < Height());
        return size_t(Y) * size_t(Width()) + size_t(X);
    }
    size_t PixelCount() const { return FBits ? size_t(Width()) * size_t(Height()) : 0; }
    void AssignPixels(int32_t NewWidth, int32_t NewHeight, const TColor32* Pixels);
    void LoadDecoded(const platform::DecodedImage& Image);

    std::unique_ptr<TColor32[], FreePixels> FBits;
    TDrawMode FDrawMode = dmOpaque;
    uint32_t FMasterAlpha = 255;
    TColor32 FOuterColor = 0;
    TStretchFilter FStretchFilter = sfNearest;

    // Pen and stipple state of the drawing primitives.
    TColor32 FPenColor = clWhite32;
    float FStippleCounter = 0;
    TArrayOfColor32 FStipplePattern;
    float FStippleStep = 1.0f;
    int32_t RasterX = 0, RasterY = 0;   // integer pen position
    TFixed RasterXF = 0, RasterYF = 0;  // fixed pen position
};
