#pragma once
// A list of text lines painted by the control itself, one row per string, with a
// selection range, a focus rectangle, horizontal scrolling by pixels and a hook that may
// restyle each row before it is drawn. Text is measured with the process-wide text
// rasteriser, which must be installed before the control is sized or shown.
#include "components/rmScrollableControl.h"
#include "platform/FontSpec.h"

#include <string>
#include <vector>

// The control's lines: a list of strings that reports every change.
class TrmListItems {
public:
    int32_t Count() const { return int32_t(FLines.size()); }
    const std::vector<std::string>& Lines() const { return FLines; }
    // Both raise EListError for an index outside the list.
    const std::string& Strings(int32_t Index) const;
    void SetStrings(int32_t Index, const std::string& S);
    void Add(const std::string& S);
    void Insert(int32_t Index, const std::string& S);
    void Delete(int32_t Index);
    void Clear();
    void Assign(const std::vector<std::string>& Lines);

    TNotifyEvent OnChange;

private:
    void CheckIndex(int32_t Index, int32_t Last) const;
    void Changed();

    std::vector<std::string> FLines;
};

// What a row is painted with: the canvas and the brush and font in effect for the row,
// which the formatting hook may change.
struct TrmRowCanvas {
    platform::Canvas& Canvas;
    platform::CanvasColor Brush;
    platform::FontSpec Font;
};

using TFormatDrawingEvent = std::function<void(TObject* Sender, TrmRowCanvas& Canvas, bool Selected, std::string& Str)>;

class TrmListControl : public TrmCustomScrollableControl {
public:
    TrmListControl();
    const char* ClassName() const override { return "TrmListControl"; }

    // A change of the lines makes the first line current (none when the list is empty).
    TrmListItems& Items() { return FItems; }
    const TrmListItems& Items() const { return FItems; }
    void SetItems(const std::vector<std::string>& Lines) { FItems.Assign(Lines); }

    // The widest line in pixels, measured once when it is -1 and kept until it is set
    // again (also when the lines change).
    void SetLongestLineLength(int32_t Value);

    int32_t MaxItemLength() const override;
    int32_t MaxItemCount() const override { return FItems.Count(); }
    // The text height of "X".
    int32_t MaxItemHeight() const override;
    int32_t MaxItemWidth() const override { return 1; }

    // Called for each painted row before its text is drawn; it may change the row's
    // brush, font and text.
    TFormatDrawingEvent OnFormatDrawing;

protected:
    void PaintClient(platform::Canvas& Canvas) override;
    void DoEnter() override;
    void DoExit() override;

private:
    TrmListItems FItems;
    mutable int32_t FLongestLineLength = -1;
};
