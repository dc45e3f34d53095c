#pragma once
// The scrollable image view: the image control with two range bars of its own as scroll
// bars along the bottom and right edges and a corner between them, which can hold a size
// grip. The bitmap is shown scaled at an offset that the bars' positions set; a bitmap
// smaller than the viewport can be kept centred.
#include "components/RangeBars32.h"
#include "graphics/Image32.h"
#include "platform/ChildControls.h"

#include <cstdint>
#include <memory>

enum TSizeGripStyle : uint8_t { sgAuto = 0, sgNone = 1, sgAlways = 2 };

class TCustomImgView32;

// The look of both scroll bars (the horizontal one is the master), their increment and
// their thickness.
class TIVScrollProperties : public TArrowBarAccess {
public:
    explicit TIVScrollProperties(TCustomImgView32& View);
    const char* ClassName() const override { return "TIVScrollProperties"; }

    int32_t Increment() const;
    void SetIncrement(int32_t Value);
    // The bars' thickness; 0 takes the desktop's scroll-bar height.
    int32_t Size() const;
    void SetSize(int32_t Value);

protected:
    void AssignTo(TPersistent* Dest) const override;

private:
    TCustomImgView32& view_;
};

class TCustomImgView32 : public TCustomImage32 {
public:
    TCustomImgView32();
    ~TCustomImgView32() override;
    const char* ClassName() const override { return "TCustomImgView32"; }

    bool Centered() const { return centered_; }
    void SetCentered(bool Value);
    // Extra room to scroll, in bitmap pixels, on every side of the bitmap.
    int32_t OverSize() const { return overSize_; }
    void SetOverSize(int32_t Value);
    TIVScrollProperties* ScrollBars() const { return scrollBars_.get(); }
    void SetScrollBars(const TIVScrollProperties* Value) { scrollBars_->Assign(Value); }
    TSizeGripStyle SizeGrip() const { return sizeGrip_; }
    void SetSizeGrip(TSizeGripStyle Value);

    TCustomRangeBar& HorzScroll() const { return *hScroll_; }
    TCustomRangeBar& VertScroll() const { return *vScroll_; }
    // The thickness of the scroll bars in use (the desktop's when ScrollBars->Size is 0).
    int32_t ScrollBarSize() const;

    // The part of the control the bitmap shows in: all of it but the scroll bars.
    platform::Rect GetViewportRect() const override;
    void AlignAll();
    platform::Rect GetSizeGripRect() const;
    // sgAlways: shown; sgNone: hidden; sgAuto: shown while both bars show.
    bool IsSizeGripVisible() const;

    // Moves both bars by (Dx, Dy) scaled pixels.
    void Scroll(int32_t Dx, int32_t Dy);
    // Scrolls so that bitmap point (X, Y) lies at the centre of the viewport, as far as
    // the bars allow.
    void ScrollToCenter(int32_t X, int32_t Y);

    void Loaded() override;

    TNotifyEvent OnScroll;

protected:
    friend class TIVScrollProperties;

    virtual void DoScroll();
    // A bar's position changed by the user's hand.
    virtual void ScrollHandler(TObject* Sender);
    // Puts the bitmap where the bars' positions say.
    virtual void UpdateImage();
    // Sets the bars' ranges to the scaled bitmap with its over-size.
    virtual void UpdateScrollBars();

    void Paint(platform::Canvas& Canvas) override;
    void BitmapResized() override;
    void DoScaleChange() override;
    void Resize() override;
    using TCustomImage32::MouseDown;
    using TCustomImage32::MouseMove;
    using TCustomImage32::MouseUp;
    void MouseDown(platform::MouseButton Button, platform::ShiftState Shift, int32_t X, int32_t Y) override;
    void MouseMove(platform::ShiftState Shift, int32_t X, int32_t Y) override;
    void MouseUp(platform::MouseButton Button, platform::ShiftState Shift, int32_t X, int32_t Y) override;
    void MouseLeave() override;
    void Click() override;
    void DblClick() override;

private:
    void SetScrollBarSize(int32_t Value);
    // Lays the bars out again and puts the bitmap where they say, after the viewport changed.
    void Relayout();
    void ScrollToBitmapCentre();
    void PaintCorner(platform::Canvas& Canvas);

    bool centered_ = true;
    int32_t scrollBarSize_ = 0;
    std::unique_ptr<TIVScrollProperties> scrollBars_;
    TSizeGripStyle sizeGrip_ = sgAuto;
    int32_t overSize_ = 0;
    bool scrolling_ = false; // set while the view moves the bars itself
    std::unique_ptr<TCustomRangeBar> hScroll_;
    std::unique_ptr<TCustomRangeBar> vScroll_;
    std::unique_ptr<platform::ChildControls> children_; // destroyed before the bars
    bool pressOnChild_ = false;      // the last press went to a bar
    bool gripCursorShown_ = false;   // the sizing cursor shows over the grip
};

class TImgView32 : public TCustomImgView32 {
public:
    const char* ClassName() const override { return "TImgView32"; }
};
