#pragma once
// World-image warnings: problems the analysis of a world image met and
// repaired, kept for the "World image warnings" dialog. Selecting a warning
// shows it on the map; showing another one hides the previous one first.
#include <memory>
#include <string>
#include <vector>

#include "graphics/Geometry32.h"
#include "model/MapMap.h"

class CMapProject;
class CProvinceMap;
class IWarningsView;

class CErrorList {
public:
    class CErrorBase {
    public:
        virtual ~CErrorBase() = default;
        virtual void Hide() = 0;
        virtual void Show() = 0;
        virtual std::string GetText() const = 0;
        virtual int GetImageIndex() const = 0;

    protected:
        // Hides the list's current warning and makes this one current.
        void BecomeCurrent();

    private:
        friend class CErrorList;
        CErrorList* list_ = nullptr;
    };

    // A warning about one piece of the project.
    class CErrorInformal : public CErrorBase {
    public:
        static constexpr int kImageIndex = 22;

        // Removes the piece's highlight and rebuilds its picture.
        void Hide() override;
        int GetImageIndex() const override { return kImageIndex; }

    protected:
        CErrorInformal(CMapProject& project, CProvinceMap* piece) : project_(&project), piece_(piece) {}
        // The piece's index, -1 once it is no longer in the project's list.
        int PieceIndex() const;

        CMapProject* project_;
        CProvinceMap* piece_;
    };

    CErrorList() = default;
    CErrorList(const CErrorList&) = delete;
    CErrorList& operator=(const CErrorList&) = delete;
    ~CErrorList();

    // Hides the current warning, empties the dialog's list and destroys every warning.
    void Clear();
    void Add(std::unique_ptr<CErrorBase> warning);
    // Appends the warnings of `other`, which is left empty with none current.
    void TakeOver(CErrorList& other);
    // One dialog row per warning: its text, the warning itself, its image index.
    void FillListView();
    // Hides the current warning when there is one, then makes `warning` current.
    void SetCurrent(CErrorBase* warning);

    CErrorBase* GetCurrent() const { return current_; }
    int GetCount() const { return int(items_.size()); }
    // Null when `i` is out of range.
    CErrorBase* GetAt(int i) const { return i >= 0 && i < GetCount() ? items_[size_t(i)].get() : nullptr; }

    // The dialog's list (null: none).
    void SetView(IWarningsView* view) { view_ = view; }

private:
    std::vector<std::unique_ptr<CErrorBase>> items_;
    CErrorBase* current_ = nullptr;
    IWarningsView* view_ = nullptr;
};

// The rows of the warnings dialog.
class IWarningsView {
public:
    virtual ~IWarningsView() = default;
    virtual void ClearRows() {}
    virtual void AddRow(const std::string& /*text*/, CErrorList::CErrorBase* /*warning*/, int /*imageIndex*/) {}
};

// A small piece that was connected to a neighbouring province piece.
class CErrorConnect : public CErrorList::CErrorInformal {
public:
    static constexpr uint32_t kSmallPixel = 0xFFFF0000; // opaque red
    static constexpr uint32_t kNothing = 0xFFFFFFFF;

    // Records the small piece's pixels and bounds; `target` is the piece it joins.
    CErrorConnect(CMapProject& project, const CProvinceMap& small, CProvinceMap* target);

    // Becomes current, clears the province selection, highlights the target and
    // paints the small piece's pixels red into it, then centres the view on them.
    void Show() override;
    // "Piece was connected to " and the target's province name.
    std::string GetText() const override;

    const CMapMap& GetMask() const { return mask_; }
    const TRect& GetRect() const { return rect_; }

private:
    CMapMap mask_{kNothing};
    TRect rect_; // the small piece's bounds, right and bottom exclusive
};

// A piece that the analysis converted (to green land, for example).
class CErrorConverted : public CErrorList::CErrorInformal {
public:
    CErrorConverted(CMapProject& project, CProvinceMap* piece, std::string text)
        : CErrorInformal(project, piece), text_(std::move(text)) {}

    // Becomes current, paints the piece red and centres the view on it.
    void Show() override;
    std::string GetText() const override { return text_; }

private:
    std::string text_;
};

// Regions of the picture that got no piece because the piece list was full.
class CErrorRegionsLeftOut : public CErrorList::CErrorInformal {
public:
    CErrorRegionsLeftOut(CMapProject& project, int regions) : CErrorInformal(project, nullptr), regions_(regions) {}

    // Nothing to show on the map: the regions have no piece.
    void Show() override { BecomeCurrent(); }
    std::string GetText() const override;

private:
    int regions_;
};

// The one warnings list of the running editor, created on first use.
CErrorList& TheErrorList();
