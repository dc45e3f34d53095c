#pragma once
// The image control: one TBitmap32 shown scaled and aligned, with a collection of
// layers on top, painted through the buffered paint box by an ordered list of
// paint stages. Mouse events carry the layer under the mouse.
#include "graphics/Bitmap32.h"
#include "graphics/Layers32.h"
#include "graphics/PaintBox32.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

enum TBitmapAlign : uint8_t { baTopLeft = 0, baCenter = 1, baTile = 2, baCustom = 3 };
enum TScaleMode : uint8_t { smNormal = 0, smStretch = 1, smScale = 2, smResize = 3 };

using TImgMouseEvent = std::function<void(TObject* Sender, platform::MouseButton Button, platform::ShiftState Shift,
                                          int32_t X, int32_t Y, TCustomLayer* Layer)>;
using TImgMouseMoveEvent =
    std::function<void(TObject* Sender, platform::ShiftState Shift, int32_t X, int32_t Y, TCustomLayer* Layer)>;
using TPaintStageEvent = std::function<void(TObject* Sender, TBitmap32* Buffer, uint32_t StageNum)>;

class TCustomImage32 : public TCustomPaintBox32, private TLayerView {
public:
    TCustomImage32();
    ~TCustomImage32() override;
    const char* ClassName() const override { return "TCustomImage32"; }

    TBitmap32* Bitmap() const { return bitmap_.get(); }
    // Copies Value into the control's own bitmap.
    void SetBitmap(const TBitmap32* Value);
    TBitmapAlign BitmapAlign() const { return bitmapAlign_; }
    void SetBitmapAlign(TBitmapAlign Value);
    TLayerCollection* Layers() const { return layers_.get(); }
    void SetLayers(const TLayerCollection* Value) { layers_->Assign(Value); }
    float OffsetHorz() const { return offsetHorz_; }
    void SetOffsetHorz(float Value);
    float OffsetVert() const { return offsetVert_; }
    void SetOffsetVert(float Value);
    TPaintStages* PaintStages() const { return paintStages_.get(); }
    float Scale() const { return scale_; }
    // Values below 0.001 become 0.001. The control's own size does not follow.
    void SetScale(float Value);
    TScaleMode ScaleMode() const { return scaleMode_; }
    void SetScaleMode(TScaleMode Value);
    const TPixelCombineEvent& OnPixelCombine() const { return bitmap_->OnPixelCombine; }
    void SetOnPixelCombine(TPixelCombineEvent Value);

    virtual void BeginUpdate();
    // Raises EAssertionFailed "Unpaired EndUpdate call" without a matching BeginUpdate.
    virtual void EndUpdate();
    // Repaints and fires OnChange, unless an update is open.
    virtual void Changed();
    void Invalidate() override;
    void InvalidateCache() { cacheValid_ = false; }
    void Loaded() override;

    TPoint BitmapToControl(const TPoint& P);
    TPoint ControlToBitmap(const TPoint& P);
    virtual platform::Size GetBitmapSize() const;
    virtual TRect GetBitmapRect() const;
    // Sizes the bitmap to the control, cleared to ClearColor when DoClear.
    void SetupBitmap(bool DoClear = false, TColor32 ClearColor = 0xFF000000);
    // Renders the picture (every run-time stage) into DestRect of Dest.
    void PaintTo(TBitmap32* Dest, const TRect& DestRect);

    TNotifyEvent OnBitmapResize;
    TNotifyEvent OnChange;
    TNotifyEvent OnInitStages;
    // These replace the plain control's mouse events: they carry the layer concerned.
    TImgMouseEvent OnMouseDown;
    TImgMouseMoveEvent OnMouseMove;
    TImgMouseEvent OnMouseUp;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    TPaintStageEvent OnPaintStage;

protected:
    virtual void BitmapResized();
    virtual void DoInitStages();
    virtual void DoScaleChange() {}
    virtual void InitDefaultStages();
    void MouseDown(platform::MouseButton Button, platform::ShiftState Shift, int32_t X, int32_t Y) override;
    void MouseMove(platform::ShiftState Shift, int32_t X, int32_t Y) override;
    void MouseUp(platform::MouseButton Button, platform::ShiftState Shift, int32_t X, int32_t Y) override;
    virtual void MouseDown(platform::MouseButton Button, platform::ShiftState Shift, int32_t X, int32_t Y,
                           TCustomLayer* Layer);
    virtual void MouseMove(platform::ShiftState Shift, int32_t X, int32_t Y, TCustomLayer* Layer);
    virtual void MouseUp(platform::MouseButton Button, platform::ShiftState Shift, int32_t X, int32_t Y,
                         TCustomLayer* Layer);
    void MouseEnter() override;
    void MouseLeave() override;
    void Resize() override;
    bool CanAutoSize(int32_t& NewWidth, int32_t& NewHeight) override;

    virtual void ExecBitmapFrame(TBitmap32* Dest, uint32_t StageNum);
    virtual void ExecClearBuffer(TBitmap32* Dest, uint32_t StageNum);
    virtual void ExecClearBackgnd(TBitmap32* Dest, uint32_t StageNum);
    virtual void ExecControlFrame(TBitmap32* Dest, uint32_t StageNum);
    virtual void ExecCustom(TBitmap32* Dest, uint32_t StageNum);
    virtual void ExecDrawBitmap(TBitmap32* Dest, uint32_t StageNum);
    virtual void ExecDrawLayers(TBitmap32* Dest, uint32_t StageNum);
    void DoPaintBuffer() override;
    void DoPaintGDIOverlay(platform::Canvas& Canvas) override;

    // Brings the cached bitmap rectangle and transform up to date.
    void UpdateCache();
    const TRect& CachedBitmapRect() const { return cachedBitmapRect_; }
    const TCoordTransform& CachedTransform() const { return cachedTransform_; }

private:
    // TLayerView
    const TCoordTransform& LayerCoordTransform() override;
    TPoint LayerPaintOrigin() const override { return paintOrigin_; }
    std::optional<TRect> LayerCropRect() override;

    void SetCache(const TRect& BitmapRect);
    void ExecuteStage(TBitmap32* Dest, uint32_t StageNum);
    platform::Size ScaledBitmapSize() const;

    std::unique_ptr<TBitmap32> bitmap_;
    TBitmapAlign bitmapAlign_ = baTopLeft;
    std::unique_ptr<TLayerCollection> layers_;
    float offsetHorz_ = 0;
    float offsetVert_ = 0;
    std::unique_ptr<TPaintStages> paintStages_;
    float scale_ = 1.0f;
    TScaleMode scaleMode_ = smNormal;
    int32_t updateCount_ = 0;
    TRect cachedBitmapRect_{0, 0, 0, 0};
    TCoordTransform cachedTransform_;
    bool cacheValid_ = false;
    bool renderingElsewhere_ = false; // set during PaintTo
    TPoint paintOrigin_{0, 0};        // the control point at the destination's (0, 0) while painting
};

class TImage32 : public TCustomImage32 {
public:
    const char* ClassName() const override { return "TImage32"; }
};
