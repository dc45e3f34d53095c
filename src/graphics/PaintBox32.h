#pragma once
// Paint stages and the buffered paint box: a control that draws through an
// off-screen TBitmap32 and only repaints that buffer when it has been marked invalid.
#include "graphics/Bitmap32.h"
#include "platform/Control.h"
#include "platform/Persistent.h"

#include <cstdint>
#include <memory>
#include <vector>

// The kinds of paint stage.
constexpr uint32_t psCustom = 1;          // fires OnPaintStage
constexpr uint32_t psClearBuffer = 2;    // the whole buffer in the control's colour
constexpr uint32_t psClearBackground = 3;   // what the bitmap leaves uncovered
constexpr uint32_t psDrawBitmap = 4;
constexpr uint32_t psDrawLayers = 5;     // Parameter: the layer option bits a layer must share
constexpr uint32_t psControlFrame = 6;
constexpr uint32_t psBitmapFrame = 7;

struct TPaintStage {
    bool DsgnTime = false; // run while the form is being designed
    bool RunTime = true;   // run in the running program
    uint32_t Stage = 0;    // one of the ps kinds; other values do nothing
    uint32_t Parameter = 0;
};

// The ordered painting steps of an image control.
class TPaintStages : public TObject {
public:
    const char* ClassName() const override { return "TPaintStages"; }

    // Appends a stage with the defaults; the pointer holds until the list next changes.
    TPaintStage* Add();
    // Index is limited to 0..Count; the stages from Index on move up.
    TPaintStage* Insert(int32_t Index);
    // Raises EListError "Invalid stage index" outside 0..Count - 1.
    void Delete(int32_t Index);
    void Clear() { stages_.clear(); }
    int32_t Count() const { return int32_t(stages_.size()); }
    TPaintStage* Items(int32_t Index) { return &stages_[size_t(Index)]; }
    const TPaintStage* Items(int32_t Index) const { return &stages_[size_t(Index)]; }

private:
    std::vector<TPaintStage> stages_;
};

enum TPaintBoxOption : uint8_t { pboWantArrowKeys = 1, pboAutoFocus = 2 };
using TPaintBoxOptions = uint8_t; // a set of TPaintBoxOption bits

class TCustomPaintBox32 : public platform::Control {
public:
    TCustomPaintBox32();
    ~TCustomPaintBox32() override;
    const char* ClassName() const override { return "TCustomPaintBox32"; }

    TBitmap32* Buffer() const { return buffer_.get(); }
    int32_t BufferOversize() const { return bufferOversize_; }
    void SetBufferOversize(int32_t Value) { bufferOversize_ = Value < 0 ? 0 : Value; }
    bool BufferValid() const { return bufferValid_; }
    TPaintBoxOptions Options() const { return options_; }
    void SetOptions(TPaintBoxOptions Value) { options_ = Value; }

    // The part of the control the buffer covers: the part that is on screen. A control
    // much larger than its window (a zoomed world) keeps a buffer of the window's size.
    virtual platform::Rect GetViewportRect() const;
    // The control point shown at the buffer's top-left pixel: what a handler drawing into
    // the buffer (a custom paint stage, a layer's OnPaint) subtracts from control points.
    TPoint BufferOrigin() const { return bufferOrigin_; }

    void Invalidate() override;
    void Loaded() override;
    void SetBounds(int32_t Left, int32_t Top, int32_t Width, int32_t Height) override;
    bool WantsArrowKeys() const override { return (options_ & pboWantArrowKeys) != 0; }

    // Shows the buffer again at once, without repainting it; all of the viewport, or
    // SrcRect of the buffer.
    void Flush();
    void Flush(const TRect& SrcRect);

    // Sizes the buffer to the viewport, with BufferOversize pixels of slack each way.
    void ResizeBuffer();

    platform::Control::NotifyEvent OnGDIOverlay;

protected:
    void Paint(platform::Canvas& Canvas) override;
    void Resize() override;
    void MouseDown(platform::MouseButton Button, platform::ShiftState Shift, int32_t X, int32_t Y) override;
    // Repaints the buffer; the base only marks it valid.
    virtual void DoPaintBuffer();
    virtual void DoPaintGDIOverlay(platform::Canvas& Canvas);

private:
    std::unique_ptr<TBitmap32> buffer_;
    int32_t bufferOversize_ = 40;
    bool bufferValid_ = false;
    bool flushing_ = false;
    TPaintBoxOptions options_ = 0;
    TPoint bufferOrigin_{0, 0};
};

// A paint box whose owner paints the buffer in OnPaintBuffer before every screen update.
class TPaintBox32 : public TCustomPaintBox32 {
public:
    const char* ClassName() const override { return "TPaintBox32"; }
    platform::Control::NotifyEvent OnPaintBuffer;

protected:
    // Fires OnPaintBuffer only: the buffer stays invalid, so it is painted again each time.
    void DoPaintBuffer() override;
};
