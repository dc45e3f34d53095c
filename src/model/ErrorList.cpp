#include "model/ErrorList.h"

#include <algorithm>

#include "model/MapProject.h"

namespace {

constexpr TColor32 kWarningRed = 0xFFFF0000;

} // namespace

// ---- CErrorList -------------------------------------------------------------

CErrorList::~CErrorList()
{
    // Destroyed without hiding: at exit the views may already be gone.
    current_ = nullptr;
}

void CErrorList::Clear()
{
    SetCurrent(nullptr);
    HookOrDefault(view_).ClearRows();
    items_.clear();
}

void CErrorList::Add(std::unique_ptr<CErrorBase> warning)
{
    if (!warning)
        return;
    warning->list_ = this;
    items_.push_back(std::move(warning));
}

void CErrorList::TakeOver(CErrorList& other)
{
    other.current_ = nullptr;
    for (std::unique_ptr<CErrorBase>& warning : other.items_)
        Add(std::move(warning));
    other.items_.clear();
}

void CErrorList::FillListView()
{
    IWarningsView& view = HookOrDefault(view_);
    view.ClearRows();
    for (const auto& warning : items_)
        view.AddRow(warning->GetText(), warning.get(), warning->GetImageIndex());
}

void CErrorList::SetCurrent(CErrorBase* warning)
{
    if (current_)
        current_->Hide();
    current_ = warning;
}

void CErrorList::CErrorBase::BecomeCurrent()
{
    if (list_)
        list_->SetCurrent(this);
}

// ---- CErrorInformal ---------------------------------------------------------

int CErrorList::CErrorInformal::PieceIndex() const
{
    return project_->GetPieces().IndexOf(piece_);
}

void CErrorList::CErrorInformal::Hide()
{
    const int index = PieceIndex();
    if (index < 0)
        return;
    piece_->highlight = 0;
    project_->WorldView().RebuildPiecePicture(index);
}

// ---- CErrorConnect ----------------------------------------------------------

CErrorConnect::CErrorConnect(CMapProject& project, const CProvinceMap& small, CProvinceMap* target)
    : CErrorInformal(project, target), rect_{small.left, small.top, small.right + 1, small.bottom + 1}
{
    const TBitmap32& pixels = small.mask;
    mask_.SetSize(pixels.Width(), pixels.Height());
    for (int y = 0; y < pixels.Height(); ++y)
        for (int x = 0; x < pixels.Width(); ++x)
            if (pixels.GetPixel(x, y))
                mask_.SetAt(x, y, kSmallPixel);
}

void CErrorConnect::Show()
{
    BecomeCurrent();
    project_->GetSelection().Clear();
    const int index = PieceIndex();
    if (index < 0)
        return;
    piece_->highlight = 1;
    project_->WorldView().RebuildPiecePicture(index); // the target shown highlighted
    // The small piece lies outside the target's old bounds where the merge grew
    // them; whatever falls outside the target's mask is left out.
    TBitmap32& target = piece_->mask;
    const int dx = rect_.Left - piece_->left, dy = rect_.Top - piece_->top;
    const int x0 = std::max(0, -dx), x1 = std::min(mask_.GetWidth(), target.Width() - dx);
    const int y0 = std::max(0, -dy), y1 = std::min(mask_.GetHeight(), target.Height() - dy);
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            if (mask_.GetAt(x, y) == kSmallPixel)
                target.SetPixel(x + dx, y + dy, kSmallPixel);
    project_->WorldView().DrawPiece(index);
    project_->WorldView().CenterView((rect_.Left + rect_.Right) / 2, (rect_.Top + rect_.Bottom) / 2);
}

std::string CErrorConnect::GetText() const
{
    const CProvince* province = project_->FindProvinceByPiece(PieceIndex());
    const CStringTable* table = project_->GetStringTables().GetAt(project_->GetCurrentStringTable());
    const std::string name = province && table ? table->GetProvinceName(province) : "<unhandled map>";
    return "Piece was connected to " + name;
}

// ---- CErrorConverted --------------------------------------------------------

void CErrorConverted::Show()
{
    BecomeCurrent();
    const int index = PieceIndex();
    if (index < 0)
        return;
    TBitmap32& mask = piece_->mask;
    TColor32* pixel = mask.Bits();
    TColor32* const end = pixel + size_t(mask.Width()) * size_t(mask.Height());
    for (; pixel != end; ++pixel)
        if (*pixel)
            *pixel = kWarningRed;
    project_->WorldView().DrawPiece(index);
    project_->WorldView().CenterView((piece_->left + piece_->right) / 2, (piece_->top + piece_->bottom) / 2);
}

// ---- CErrorRegionsLeftOut ---------------------------------------------------

std::string CErrorRegionsLeftOut::GetText() const
{
    return std::to_string(regions_) + " regions of the picture were left out: a world image holds at most " +
           std::to_string(CMapProject::kMaxPieces) + " pieces";
}

CErrorList& TheErrorList()
{
    static CErrorList list;
    return list;
}
