#pragma once
// TBitmap32: a rectangle of 32-bit ARGB pixels (TColor32), stored top-down without row
// padding: pixel (X, Y) is Bits()[Y * Width + X], row 0 is the top row.
//
// The class is declared here in sections; each section's operations live in their own
// source file:
//   size, pixel access, filling, properties       Bitmap32.cpp
//   drawing onto other bitmaps (DrawTo, Draw)      Bitmap32Transfer.cpp
//   assigning, comparing, loading and saving       Bitmap32Files.cpp
//   pixels, stipple, straight lines, rectangles    Bitmap32Draw.cpp
//   general lines and the pen position             Bitmap32Lines.cpp
//   rolls, flips, turns, tiling to a canvas        Bitmap32Whole.cpp
//   text                                           Bitmap32Text.cpp
//   canvas, platform pictures, clipboard, resources  Bitmap32Platform.cpp
#include "graphics/Color32.h"
#include "graphics/Geometry32.h"
#include "graphics/ThreadPersistent.h"
#include "platform/FontSpec.h"
#include "platform/Geometry.h"
#include "platform/PixelView.h"
#include "platform/Stream.h"

#include <cassert>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>

namespace platform {
class Canvas;
struct DecodedImage;
class PixelSink;
} // namespace platform

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
    // 0..255, the overall opacity of dmBlend drawing; a larger value is stored as 255.
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

    // ---- Drawing primitives (Bitmap32Draw.cpp, Bitmap32Lines.cpp) ----------------------
    // Suffixes: S clipped to the bitmap (the forms without it assert their bounds in debug
    // builds: coordinates from files or the user go to the S forms); T blended by the
    // colour's alpha; X 16.16 fixed-point and F float coordinates, drawn anti-aliased by
    // sub-pixel pixels; P colours from the stipple pattern; A anti-aliased integer line.
    // Sub-pixel positions of the "256" forms are 24.8 fixed point.

    // Pixels.
    void SetPixelT(int32_t X, int32_t Y, TColor32 Value);
    // Blends at Ptr, then moves Ptr on by one pixel.
    void SetPixelT(TColor32*& Ptr, TColor32 Value);
    void SetPixelTS(int32_t X, int32_t Y, TColor32 Value);
    // X and Y limited to the bitmap first: the border pixels extend outward.
    TColor32 GetPixelB(int32_t X, int32_t Y) const;
    // The colour spread over the four pixels under the 24.8 position by gamma weights.
    void SET_T256(int32_t X, int32_t Y, TColor32 Color);
    void SET_TS256(int32_t X, int32_t Y, TColor32 Color);
    void SetPixelF(float X, float Y, TColor32 Value);
    void SetPixelFS(float X, float Y, TColor32 Value);
    void SetPixelX(TFixed X, TFixed Y, TColor32 Value);
    void SetPixelXS(TFixed X, TFixed Y, TColor32 Value);

    // Stipple: a repeating colour pattern along the P forms. The counter is a position in
    // the pattern that moves on by the step with every pixel; between two entries the
    // colour is their mix.
    void SetStipple(const TArrayOfColor32& NewStipple);
    void SetStipple(std::initializer_list<TColor32> NewStipple) { SetStipple(TArrayOfColor32(NewStipple)); }
    float StippleStep() const { return FStippleStep; }
    void SetStippleStep(float Value) { FStippleStep = Value; }
    float StippleCounter() const { return FStippleCounter; }
    void SetStippleCounter(float Value) { FStippleCounter = Value; }
    void AdvanceStippleCounter(float LengthPixels);
    // Opaque black when there is no pattern.
    TColor32 GetStippleColor();

    // Horizontal runs X1..X2 of row Y and vertical runs Y1..Y2 of column X, both ends
    // included, in either direction. They do not report the change; their callers do.
    void HorzLine(int32_t X1, int32_t Y, int32_t X2, TColor32 Value);
    void HorzLineS(int32_t X1, int32_t Y, int32_t X2, TColor32 Value);
    void HorzLineT(int32_t X1, int32_t Y, int32_t X2, TColor32 Value);
    void HorzLineTS(int32_t X1, int32_t Y, int32_t X2, TColor32 Value);
    // From X1 towards X2; the parts off the bitmap move the stipple counter on as if drawn.
    void HorzLineTSP(int32_t X1, int32_t Y, int32_t X2);
    void VertLine(int32_t X, int32_t Y1, int32_t Y2, TColor32 Value);
    void VertLineS(int32_t X, int32_t Y1, int32_t Y2, TColor32 Value);
    void VertLineT(int32_t X, int32_t Y1, int32_t Y2, TColor32 Value);
    void VertLineTS(int32_t X, int32_t Y1, int32_t Y2, TColor32 Value);
    void VertLineTSP(int32_t X, int32_t Y1, int32_t Y2);

    // General lines from (X1, Y1) to (X2, Y2); the end point is drawn only when L.
    void Line(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2, TColor32 Value, bool L = false);
    void LineS(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2, TColor32 Value, bool L = false);
    void LineT(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2, TColor32 Value, bool L = false);
    void LineTS(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2, TColor32 Value, bool L = false);
    void LineX(TFixed X1, TFixed Y1, TFixed X2, TFixed Y2, TColor32 Value, bool L = false);
    void LineF(float X1, float Y1, float X2, float Y2, TColor32 Value, bool L = false);
    void LineXS(TFixed X1, TFixed Y1, TFixed X2, TFixed Y2, TColor32 Value, bool L = false);
    void LineFS(float X1, float Y1, float X2, float Y2, TColor32 Value, bool L = false);
    void LineXP(TFixed X1, TFixed Y1, TFixed X2, TFixed Y2, bool L = false);
    void LineFP(float X1, float Y1, float X2, float Y2, bool L = false);
    void LineXSP(TFixed X1, TFixed Y1, TFixed X2, TFixed Y2, bool L = false);
    void LineFSP(float X1, float Y1, float X2, float Y2, bool L = false);
    void LineA(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2, TColor32 Value, bool L = false);
    void LineAS(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2, TColor32 Value, bool L = false);

    // Pen position: the LineTo forms draw in PenColor from the pen to (X, Y) without the
    // end point, then move the pen there.
    void MoveTo(int32_t X, int32_t Y);
    void LineToS(int32_t X, int32_t Y);
    void LineToTS(int32_t X, int32_t Y);
    void LineToAS(int32_t X, int32_t Y);
    void MoveToX(TFixed X, TFixed Y);
    void MoveToF(float X, float Y);
    void LineToXS(TFixed X, TFixed Y);
    void LineToFS(float X, float Y);
    void LineToXSP(TFixed X, TFixed Y);
    void LineToFSP(float X, float Y);

    // Rectangles: columns X1..X2-1 of rows Y1..Y2-1. The blended fill combines by the
    // colour's alpha; the frames draw the outline, each corner once.
    void FillRectT(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2, TColor32 Value);
    void FillRectTS(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2, TColor32 Value);
    void FillRectTS(const TRect& ARect, TColor32 Value) { FillRectTS(ARect.Left, ARect.Top, ARect.Right, ARect.Bottom, Value); }
    void FrameRectS(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2, TColor32 Value);
    void FrameRectS(const TRect& ARect, TColor32 Value) { FrameRectS(ARect.Left, ARect.Top, ARect.Right, ARect.Bottom, Value); }
    void FrameRectTS(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2, TColor32 Value);
    void FrameRectTS(const TRect& ARect, TColor32 Value) { FrameRectTS(ARect.Left, ARect.Top, ARect.Right, ARect.Bottom, Value); }
    // Clockwise from the top-left corner, in stipple colours.
    void FrameRectTSP(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2);
    // A 3-D frame: Contrast > 0 raised (light top and left, dark bottom and right),
    // < 0 sunken; the alphas grow with |Contrast| (percent); 0 draws nothing.
    void RaiseRectTS(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2, int32_t Contrast);
    void RaiseRectTS(const TRect& ARect, int32_t Contrast) { RaiseRectTS(ARect.Left, ARect.Top, ARect.Right, ARect.Bottom, Contrast); }

    // ---- Whole-bitmap operations (Bitmap32Whole.cpp) ---------------------------------
    // SrcRect of this bitmap stretched into DstRect of the canvas, through work bitmaps
    // of at most 1024 x 1024 pixels with this bitmap's StretchFilter, DrawMode and
    // OnPixelCombine, each copied to the canvas opaque.
    void TileTo(platform::Canvas& Dst, const TRect& DstRect, const TRect& SrcRect) const;
    // SrcRect of Src copied into DstRect of this bitmap, nearest pixel when the sizes
    // differ; all four bytes of each pixel are copied. Sampled pixels outside Src are
    // skipped.
    void Draw(const TRect& DstRect, const TRect& SrcRect, const platform::ConstPixelView& Src);
    // Moves the pixels by (Dx, Dy) as one run of Width * Height - |Dx + Dy * Width|
    // pixels, so a horizontal move carries pixels into the next row. With FillBack the
    // uncovered band gets FillColor. A move of a whole width or height clears (FillBack)
    // or leaves the bitmap.
    void Roll(int32_t Dx, int32_t Dy, bool FillBack, TColor32 FillColor);
    // Mirrors and turns (the quarter turn clockwise takes the top-left pixel to the
    // top-right corner). With a Dst other than this bitmap the result goes there, sized
    // to fit; without one it replaces this bitmap's pixels.
    void FlipHorz(TBitmap32* Dst = nullptr);
    void FlipVert(TBitmap32* Dst = nullptr);
    void Rotate90(TBitmap32* Dst = nullptr);
    void Rotate180(TBitmap32* Dst = nullptr);
    void Rotate270(TBitmap32* Dst = nullptr);

    // ---- Text (Bitmap32Text.cpp) ------------------------------------------------------
    // Text goes through the process-wide text rasteriser (platform/TextRasterizer.h);
    // texts are Windows-1252 bytes. Font.Color is 0x00RRGGBB.
    const platform::FontSpec& Font() const { return FFont; }
    void SetFont(const platform::FontSpec& Value) { FFont = Value; }
    // Opaque glyphs in Font.Color with their cell's top-left at (X, Y); the alpha bytes
    // of touched pixels become 255. Nothing on an Empty bitmap.
    void Textout(int32_t X, int32_t Y, std::string_view Text);
    void Textout(int32_t X, int32_t Y, const TRect& ClipRect, std::string_view Text);
    // Laid out in DstRect by Flags (platform::TextFormat bits). With kTextCalcRect nothing
    // is drawn: DstRect's right and bottom move to bound the laid-out text.
    void Textout(TRect& DstRect, uint32_t Flags, std::string_view Text);
    // Measured in Font; an Empty bitmap measures the same.
    platform::Size TextExtent(std::string_view Text) const;
    int32_t TextWidth(std::string_view Text) const { return TextExtent(Text).Width; }
    int32_t TextHeight(std::string_view Text) const { return TextExtent(Text).Height; }
    // Text blended in Color, whose alpha scales the whole text, with the glyph coverage
    // as per-pixel alpha; AALevel 1..4 renders at 2^AALevel times the size and averages
    // blocks of 2^AALevel x 2^AALevel pixels (limited to 0..4). Raises Exception when the
    // work bitmap would exceed kMaxRenderTextPixels.
    void RenderText(int32_t X, int32_t Y, std::string_view Text, int32_t AALevel, TColor32 Color);
    static constexpr int64_t kMaxRenderTextPixels = int64_t(1) << 24;

    // ---- The platform side (Bitmap32Platform.cpp) ------------------------------------
    // A platform canvas that draws straight into the pixels (drawing leaves alpha 255
    // where it touches); each drawing through it reports the change. Made on first use,
    // dropped whenever the size changes; an Empty bitmap's canvas draws nothing. Raises
    // Exception when the window system cannot draw into memory.
    platform::Canvas& Canvas();
    bool CanvasAllocated() const { return FCanvas != nullptr; }
    void DeleteCanvas();
    // The whole bitmap copied to (DstX, DstY) of a platform canvas, opaque; SrcRect
    // (clipped to the bitmap) stretched into DstRect, nearest pixel. Nothing when Empty.
    void DrawTo(platform::Canvas& Dst, int32_t DstX, int32_t DstY) const;
    void DrawTo(platform::Canvas& Dst, const TRect& DstRect, const TRect& SrcRect) const;
    // A BMP picture among the program's embedded resources: by name ("bitmaps/<Name>.bmp")
    // or by number ("bitmaps/<ResID>.bmp"). Raises Exception naming the resource when there
    // is none or it is not a picture; the bitmap is then unchanged.
    void LoadFromResourceName(std::string_view Name);
    void LoadFromResourceID(int32_t ResID);

    // ---- Events --------------------------------------------------------------------
    // Fired when the pixel store is replaced (every real size change).
    TNotifyEvent OnHandleChanged;
    // The combine step of dmCustom.
    TPixelCombineEvent OnPixelCombine;

protected:
    // To a platform picture (which keeps the alpha bytes) or the clipboard; anything
    // else raises as the base does.
    void AssignTo(TPersistent* Dest) const override;
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
    // Decodes a picture with Decode straight into this bitmap's pixels, taken when the
    // decoder asks, so that they are held once; on failure raises Exception with
    // "<Failure>: <why>", leaving the bitmap as it was unless the picture broke after its
    // pixels were taken (then it is empty).
    void LoadPicture(const std::function<bool(platform::PixelSink&, std::string&)>& Decode, const std::string& Failure);
    // A platform picture (alpha reset to 255 unless it has its own) or the clipboard's
    // picture; false for any other source.
    bool AssignFromPlatform(const TPersistent* Source);
    void LoadFromResource(const std::string& Name);
    platform::PixelView PixelsView();
    template <typename ColorOf>
    void StippleRun(int32_t A1, int32_t A2, int32_t Size, ColorOf&& PlotAt);
    template <bool Clipped, typename ColorOf>
    void WalkLineX(int64_t X1, int64_t Y1, int64_t X2, int64_t Y2, bool L, ColorOf&& NextColor);
    template <typename ColorOf>
    void ClippedLineX(int64_t X1, int64_t Y1, int64_t X2, int64_t Y2, bool L, bool Stippled, ColorOf&& NextColor);
    template <typename ColorOf>
    void ClippedLineF(float X1, float Y1, float X2, float Y2, bool L, bool Stippled, ColorOf&& NextColor);
    template <typename Turn>
    void TurnInto(TBitmap32* Dst, Turn&& MakeTurn);

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

    platform::FontSpec FFont;
    std::unique_ptr<platform::Canvas> FCanvas;
};
