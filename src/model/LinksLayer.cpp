// The world view's overlay of lines between neighbouring provinces: the paths
// campaign armies can walk ("Show Walking Paths").
#include "model/MapProject.h"

#include <algorithm>

#include "graphics/Layers32.h"
#include "model/Settings.h"

namespace {

constexpr TColor32 kPathColor = 0xFF00FF00;
// All options but mouse events: the overlay never takes the mouse. Visibility then
// follows "Show Walking Paths".
constexpr uint32_t kLinksLayerOptions = 0xDFFFFFFF;

} // namespace

void CMapProject::ForgetLinksLayer()
{
    if (linksLayer_)
        linksLayer_->OnDestroy = nullptr;
    linksLayer_ = nullptr;
}

TBitmapLayer* CMapProject::CreateLinksLayer()
{
    if (!layers_)
        return nullptr;
    if (TBitmapLayer* old = linksLayer_) {
        ForgetLinksLayer();
        delete old;
    }
    TBitmapLayer* layer = layers_->Add<TBitmapLayer>();
    TBitmap32& bitmap = *layer->Bitmap();
    // A new bitmap is all 0 and takes no memory until drawn on: the layer is
    // mostly hidden, and then never drawn.
    bitmap.SetSize(std::max(0, width_ - 1), std::max(0, height_ - 1));
    bitmap.SetDrawMode(dmBlend);
    bitmap.SetStretchFilter(sfNearest);
    layer->SetLocation({0, 0, float(width_), float(height_)});
    layer->SetIndex(0);
    layer->SetScaled(true);
    layer->SetLayerOptions(kLinksLayerOptions);
    layer->SetVisible(TheSettings().ShPaths != 0);
    // Whoever deletes the layer (clearing the world view, say) leaves no dangling handle.
    layer->OnDestroy = [this](TObject*) { linksLayer_ = nullptr; };
    linksLayer_ = layer;
    return layer;
}

void CMapProject::RedrawLinksLayer()
{
    if (!linksLayer_ || !linksLayer_->Visible())
        return;
    TBitmap32& bitmap = *linksLayer_->Bitmap();
    bitmap.Clear(0);
    auto armyPoint = [](const CProvinceMap& piece, const CProvince& province) {
        return TPoint{piece.left + province.armyX, piece.top + province.armyY};
    };
    for (int i = 0; i < pieces_.GetCount(); ++i) {
        const CProvinceMap& piece = *pieces_.GetAt(i);
        const CProvince* province = piece.IsProvince() ? FindProvinceByPiece(i) : nullptr;
        if (!province)
            continue;
        const TPoint start = armyPoint(piece, *province);
        for (int k = 0; k < piece.neighbours.GetSize(); ++k) {
            const int n = piece.neighbours[k];
            const CProvinceMap* other = pieces_.GetAt(n);
            const CProvince* otherProvince = n > i && other ? FindProvinceByPiece(n) : nullptr;
            if (!otherProvince)
                continue;
            const TPoint end = armyPoint(*other, *otherProvince);
            bitmap.LineS(start.X, start.Y, end.X, end.Y, kPathColor, true);
        }
    }
    linksLayer_->LayerCollection()->Changed();
}
