// The bitmap's platform side: its canvas, drawing onto platform canvases, platform
// pictures, the clipboard and the program's resources.
#include "graphics/Bitmap32.h"

#include "platform/Canvas.h"
#include "platform/Picture.h"
#include "platform/WindowSystem.h"

namespace {

// Passes every call to the window system's canvas over the pixels and reports each
// drawing to the bitmap.
class ReportingCanvas final : public platform::Canvas {
public:
    ReportingCanvas(std::unique_ptr<platform::Canvas> target, TBitmap32& bitmap)
        : target_(std::move(target)), bitmap_(bitmap)
    {
    }

    void BlitOpaque(int32_t x, int32_t y, const uint32_t* pixels, int32_t width, int32_t height,
                    int32_t rowPixels) override
    {
        target_->BlitOpaque(x, y, pixels, width, height, rowPixels);
        bitmap_.Changed();
    }
    void StretchBlitOpaque(const platform::Rect& dest, const uint32_t* pixels, int32_t rowPixels,
                           const platform::Rect& source) override
    {
        target_->StretchBlitOpaque(dest, pixels, rowPixels, source);
        bitmap_.Changed();
    }
    void FillRect(const platform::Rect& rect, platform::CanvasColor color) override
    {
        target_->FillRect(rect, color);
        bitmap_.Changed();
    }
    void FrameRect(const platform::Rect& rect, platform::CanvasColor color) override
    {
        target_->FrameRect(rect, color);
        bitmap_.Changed();
    }
    void DrawFocusRect(const platform::Rect& rect) override
    {
        target_->DrawFocusRect(rect);
        bitmap_.Changed();
    }
    void Line(int32_t x1, int32_t y1, int32_t x2, int32_t y2, platform::CanvasColor color) override
    {
        target_->Line(x1, y1, x2, y2, color);
        bitmap_.Changed();
    }
    void TextOut(int32_t x, int32_t y, std::string_view text, const platform::FontSpec& font) override
    {
        target_->TextOut(x, y, text, font);
        bitmap_.Changed();
    }
    platform::Size TextExtent(std::string_view text, const platform::FontSpec& font) override
    {
        return target_->TextExtent(text, font);
    }
    void TextOutRotated(int32_t x, int32_t y, std::string_view text, const platform::FontSpec& font,
                        double angle) override
    {
        target_->TextOutRotated(x, y, text, font, angle);
        bitmap_.Changed();
    }
    void SetClipRect(const platform::Rect& rect) override { target_->SetClipRect(rect); }
    void RemoveClip() override { target_->RemoveClip(); }

private:
    std::unique_ptr<platform::Canvas> target_;
    TBitmap32& bitmap_;
};

platform::Rect ToPlatformRect(const TRect& R)
{
    return {R.Left, R.Top, R.Right, R.Bottom};
}

} // namespace

platform::Canvas& TBitmap32::Canvas()
{
    if (!FCanvas) {
        if (Empty())
            FCanvas = std::make_unique<platform::NullCanvas>();
        else
            FCanvas = std::make_unique<ReportingCanvas>(platform::CreatePixelCanvas(PixelsView()), *this);
    }
    return *FCanvas;
}

void TBitmap32::DeleteCanvas()
{
    FCanvas.reset();
}

void TBitmap32::DrawTo(platform::Canvas& Dst, int32_t DstX, int32_t DstY) const
{
    if (!Empty())
        Dst.BlitOpaque(DstX, DstY, Bits(), Width(), Height(), Width());
}

void TBitmap32::DrawTo(platform::Canvas& Dst, const TRect& DstRect, const TRect& SrcRect) const
{
    const platform::Rect source = ToPlatformRect(SrcRect).Intersect(ToPlatformRect(BoundsRect()));
    if (!Empty() && !source.IsEmpty())
        Dst.StretchBlitOpaque(ToPlatformRect(DstRect), Bits(), Width(), source);
}

bool TBitmap32::AssignFromPlatform(const TPersistent* Source)
{
    const auto* picture = dynamic_cast<const platform::TPicture*>(Source);
    platform::TPicture fromClipboard;
    if (picture == nullptr && dynamic_cast<const platform::TClipboard*>(Source) != nullptr) {
        fromClipboard.Assign(Source);
        picture = &fromClipboard;
    }
    if (picture == nullptr)
        return false;
    if (picture->HasAlpha()) {
        LoadDecoded(picture->Image());
    } else {
        platform::DecodedImage opaque = picture->Image();
        for (uint32_t& pixel : opaque.pixels)
            pixel |= 0xFF000000u;
        LoadDecoded(opaque);
    }
    return true;
}

void TBitmap32::AssignTo(TPersistent* Dest) const
{
    platform::DecodedImage image;
    image.width = Empty() ? 0 : Width();
    image.height = Empty() ? 0 : Height();
    image.pixels.assign(Bits(), Bits() + PixelCount());
    if (auto* picture = dynamic_cast<platform::TPicture*>(Dest))
        picture->SetImage(std::move(image), true);
    else if (dynamic_cast<platform::TClipboard*>(Dest) != nullptr)
        platform::SetClipboardPicture(image);
    else
        TCustomMap::AssignTo(Dest);
}

void TBitmap32::LoadFromResource(const std::string& Name)
{
    std::vector<uint8_t> bytes;
    LoadPicture(
        [&](platform::PixelSink& sink, std::string& error) {
            return platform::ReadResource(Name, bytes, error) && platform::DecodeBmp(bytes, sink, error);
        },
        "Cannot load the bitmap resource \"" + Name + "\"");
}

void TBitmap32::LoadFromResourceName(std::string_view Name)
{
    LoadFromResource("bitmaps/" + std::string(Name) + ".bmp");
}

void TBitmap32::LoadFromResourceID(int32_t ResID)
{
    LoadFromResource("bitmaps/" + std::to_string(ResID) + ".bmp");
}
