// The world view: piece pictures drawn into the world bitmap, and the four
// layers of every province (marker, name, castle icon, army icon) created,
// found, drawn and placed. Province layers are not scaled with the view: their
// locations are view pixels, world coordinates times the view scale.
#include "world/WorldView.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "graphics/Image32.h"
#include "model/MapProject.h"
#include "model/PieceShading.h"
#include "model/Settings.h"

namespace {

// Pieces beyond this index are never drawn.
constexpr int kMaxDrawnPiece = 2000;
constexpr TColor32 kMagenta = 0xFFFF00FF;
constexpr TColor32 kNewMarkerColor = 0xFFFF0000;

int32_t Truncated(float value)
{
    return int32_t(std::trunc(value));
}

// The player owning the province when its capital is the province, else null.
bool IsOwnersCapital(const CMapProject& project, const CProvince& province)
{
    if (province.owner >= project.GetPlayers().GetCount())
        return false;
    return project.GetPlayers().GetAt(province.owner).capital == &province;
}

// A new province layer with its tag record, which dies with the layer.
TBitmapLayer* AddTaggedLayer(TLayerCollection& layers, CLayerTag::Kind kind, CProvince* province)
{
    TBitmapLayer* layer = layers.Add<TBitmapLayer>();
    auto* tag = new CLayerTag{kind, province};
    layer->Tag = reinterpret_cast<intptr_t>(tag);
    layer->OnDestroy = [tag](TObject*) { delete tag; };
    layer->Bitmap()->SetDrawMode(dmBlend);
    layer->SetScaled(false);
    layer->AlphaHit = true;
    return layer;
}

} // namespace

void SwitchLayer(TCustomLayer& layer, bool on)
{
    if (on) {
        layer.SetLayerOptions(layer.LayerOptions() | loMouseEvents);
        layer.SetVisible(true);
    } else {
        layer.SetLayerOptions(layer.LayerOptions() & ~loMouseEvents);
        layer.SetVisible(false);
    }
}

const CLayerTag* GetLayerTag(const TCustomLayer* layer)
{
    return layer ? reinterpret_cast<const CLayerTag*>(layer->Tag) : nullptr;
}

TFloatRect PlaceIconRect(TPoint point, TPoint base, TPoint pivot, TPoint iconSize, float scale)
{
    const float left = float(point.X + base.X - pivot.X);
    const float top = float(point.Y + base.Y - pivot.Y);
    return {left * scale, top * scale, (left + float(iconSize.X)) * scale,
            (top + float(iconSize.Y)) * scale + scale - 1};
}

void CMapProject::SetWorldImage(TCustomImage32* image)
{
    worldImage_ = image;
    layers_ = image ? image->Layers() : nullptr;
}

// ---- Pieces -----------------------------------------------------------------

void CMapProject::DrawPiece(int pieceIndex)
{
    if (!worldImage_ || pieceIndex < 0 || pieceIndex > kMaxDrawnPiece)
        return;
    CProvinceMap* piece = pieces_.GetAt(pieceIndex);
    if (!piece || piece->IsEmpty())
        return;
    piece->mask.SetDrawMode(dmBlend);
    piece->mask.DrawTo(*worldImage_->Bitmap(), piece->left, piece->top);
}

void CMapProject::DrawAllPieces()
{
    for (int i = 0; i < pieces_.GetCount(); ++i)
        DrawPiece(i);
}

void CMapProject::HighlightPiece(int pieceIndex)
{
    CProvinceMap* piece = pieces_.GetAt(pieceIndex);
    if (!piece || piece->highlight || !piece->IsProvince())
        return;
    piece->highlight = 1;
    UpdateProvinceMapPicture(pieceIndex);
}

void CMapProject::UnhighlightPiece(int pieceIndex)
{
    CProvinceMap* piece = pieces_.GetAt(pieceIndex);
    if (!piece || !piece->highlight)
        return;
    piece->highlight = 0;
    UpdateProvinceMapPicture(pieceIndex);
}

bool CMapProject::IsCastlePointInPiece(const CProvince* province, int x, int y) const
{
    if (!province || !province->linked)
        return false;
    const CProvinceMap* piece = pieces_.GetAt(province->pieceIndex);
    return piece && x >= 0 && y >= 0 && x < piece->mask.Width() && y < piece->mask.Height() &&
           piece->mask.GetPixel(x, y) != 0;
}

bool CMapProject::IsArmyPointInPiece(const CProvince* province, int x, int y) const
{
    return IsCastlePointInPiece(province, x, y);
}

// ---- Finding layers ---------------------------------------------------------

namespace {

int FindTaggedLayerIndex(const TLayerCollection* layers, uint16_t kind, const CProvince* province)
{
    if (!layers || !province)
        return -1;
    for (int32_t i = 0; i < layers->Count(); ++i) {
        const CLayerTag* tag = GetLayerTag(layers->Items(i));
        if (tag && tag->kind == kind && tag->object == province)
            return i;
    }
    return -1;
}

TBitmapLayer* FindTaggedLayer(const TLayerCollection* layers, uint16_t kind, const CProvince* province)
{
    const int index = FindTaggedLayerIndex(layers, kind, province);
    // Tagged layers are all bitmap layers: only AddTaggedLayer makes them.
    return index < 0 ? nullptr : static_cast<TBitmapLayer*>(layers->Items(index));
}

} // namespace

int CMapProject::FindMarkerLayerIndex(const CProvince* p) const { return FindTaggedLayerIndex(layers_, CLayerTag::kMarker, p); }
int CMapProject::FindNameLayerIndex(const CProvince* p) const { return FindTaggedLayerIndex(layers_, CLayerTag::kName, p); }
int CMapProject::FindCastleLayerIndex(const CProvince* p) const { return FindTaggedLayerIndex(layers_, CLayerTag::kCastle, p); }
int CMapProject::FindArmyLayerIndex(const CProvince* p) const { return FindTaggedLayerIndex(layers_, CLayerTag::kArmy, p); }
TBitmapLayer* CMapProject::FindMarkerLayer(const CProvince* p) const { return FindTaggedLayer(layers_, CLayerTag::kMarker, p); }
TBitmapLayer* CMapProject::FindNameLayer(const CProvince* p) const { return FindTaggedLayer(layers_, CLayerTag::kName, p); }
TBitmapLayer* CMapProject::FindCastleLayer(const CProvince* p) const { return FindTaggedLayer(layers_, CLayerTag::kCastle, p); }
TBitmapLayer* CMapProject::FindArmyLayer(const CProvince* p) const { return FindTaggedLayer(layers_, CLayerTag::kArmy, p); }

// ---- Creating a province's layers -------------------------------------------

int CMapProject::CreateProvinceLayers(CProvince* province)
{
    if (!province || !layers_)
        return 0;
    const CStringTable* table = stringTables_.GetAt(currentStringTable_);
    projectViews_->AddProvinceRow(*province, GetProvinceName(province),
                                  table ? table->GetPlayerName(province->owner) : std::string("none"));

    layers_->BeginUpdate();
    TBitmapLayer* marker = AddTaggedLayer(*layers_, CLayerTag::kMarker, province);
    marker->Bitmap()->SetSize(markerPicture_.Width(), markerPicture_.Height());
    marker->Bitmap()->Clear(kNewMarkerColor);
    marker->SetVisible(true);
    TBitmapLayer* name = AddTaggedLayer(*layers_, CLayerTag::kName, province); // DrawProvinceName sets its font
    TBitmapLayer* castle = AddTaggedLayer(*layers_, CLayerTag::kCastle, province);
    castle->Bitmap()->SetStretchFilter(sfNearest);
    TBitmapLayer* army = AddTaggedLayer(*layers_, CLayerTag::kArmy, province);
    army->SetVisible(true);
    for (TBitmapLayer* layer : {name, castle, army})
        layer->SetIndex(1);
    layers_->EndUpdate();

    DrawProvinceMarker(province);
    PlaceProvinceMarker(marker);
    DrawProvinceName(province);
    const int icon = !(province->castle.flags & CCastleDataB::kCastle) ? 0 : IsOwnersCapital(*this, *province) ? 2 : 1;
    SetCastleIcon(province, icon);
    SetArmyIcon(province, 0);
    return 1;
}

// ---- Markers ----------------------------------------------------------------

int CMapProject::DrawProvinceMarker(const CProvince* province)
{
    TBitmapLayer* layer = FindMarkerLayer(province);
    if (!layer)
        return 0;
    TBitmap32& bitmap = *layer->Bitmap();
    bitmap.Draw(0, 0, &markerPicture_);
    ReplaceColor(bitmap, kMagenta, 0);
    bitmap.Changed();
    return 1;
}

int CMapProject::PlaceProvinceMarker(TBitmapLayer* layer)
{
    const CLayerTag* tag = GetLayerTag(layer);
    if (!tag || tag->kind != CLayerTag::kMarker || !worldImage_)
        return 0;
    const float scale = worldImage_->Scale();
    const int w = markerPicture_.Width(), h = markerPicture_.Height();
    const int x = Truncated(float(tag->object->markerX) * scale);
    const int y = Truncated(float(tag->object->markerY) * scale);
    const float left = float(x - w / 2), top = float(y - h / 2);
    layer->SetLocation({left, top, left + float(w), top + float(h)});
    SwitchLayer(*layer, TheSettings().ShIcons != 0);
    DrawProvinceName(tag->object);
    return 1;
}

void CMapProject::PlaceProvinceMarkers()
{
    if (!layers_)
        return;
    for (int32_t i = 0; i < layers_->Count(); ++i) {
        const CLayerTag* tag = GetLayerTag(layers_->Items(i));
        if (tag && tag->kind == CLayerTag::kMarker)
            PlaceProvinceMarker(static_cast<TBitmapLayer*>(layers_->Items(i)));
    }
}

// ---- Castle and army icons --------------------------------------------------

namespace {

// Places an icon layer by its point and pivot; `shown` is the view preference
// that shows every such icon, `translucent` the one that shows it faded.
void PlaceIconLayer(TBitmapLayer& layer, const CMapProject& project, const CProvince& province, TPoint point,
                    int pivotIndex, bool shown, bool translucent)
{
    TPoint base;
    if (const CProvinceMap* piece = project.GetPieces().GetAt(province.pieceIndex))
        base = {piece->left, piece->top};
    const VK::CSimpleArray<TPoint>& pivots = project.GetIconPivots();
    const TPoint pivot = pivotIndex >= 0 && pivotIndex < pivots.GetSize() ? pivots[pivotIndex] : TPoint{};
    TBitmap32& bitmap = *layer.Bitmap();
    const float scale = project.GetWorldImage()->Scale();
    layer.SetLocation(PlaceIconRect(point, base, pivot, {bitmap.Width(), bitmap.Height()}, scale));
    if (shown) {
        SwitchLayer(layer, true);
        bitmap.SetMasterAlpha(255);
    } else {
        layer.SetLayerOptions(layer.LayerOptions() & ~loMouseEvents);
        layer.SetVisible(translucent);
        bitmap.SetMasterAlpha(TheSettings().TransValue);
    }
}

// Picture `index` of the icon list copied into the layer's bitmap; false when there is none.
bool ShowIconPicture(TBitmapLayer& layer, const TBitmap32List& pictures, int index)
{
    if (index < 0 || index >= pictures.Bitmaps()->Count())
        return false;
    const TBitmap32& picture = *pictures.Bitmap(index);
    TBitmap32& bitmap = *layer.Bitmap();
    bitmap.SetSize(picture.Width(), picture.Height());
    bitmap.Clear(0);
    // A copy, not a blend: translucent icon pixels keep their own alpha.
    if (!picture.Empty())
        std::copy_n(picture.Bits(), size_t(picture.Width()) * size_t(picture.Height()), bitmap.Bits());
    bitmap.Changed();
    return true;
}

} // namespace

int CMapProject::SetCastleIcon(CProvince* province, int icon)
{
    constexpr int kIconLimit = 17;
    if (!province || icon < 0 || icon >= kIconLimit)
        return 0;
    if (icon != 0 && IsOwnersCapital(*this, *province))
        icon = 2;
    province->castleIcon = uint8_t(icon);
    TBitmapLayer* layer = FindCastleLayer(province);
    if (!layer || !ShowIconPicture(*layer, iconPictures_, icon))
        return 0;
    return PlaceCastleLayer(province);
}

int CMapProject::PlaceCastleLayer(const CProvince* province)
{
    TBitmapLayer* layer = FindCastleLayer(province);
    if (!layer || !worldImage_)
        return 0;
    const CSettings& settings = TheSettings();
    const bool hasCastle = (province->castle.flags & CCastleDataB::kCastle) != 0;
    PlaceIconLayer(*layer, *this, *province, {province->castleX, province->castleY}, province->castleIcon,
                   settings.ShCastles != 0, settings.TransCastles && hasCastle);
    return 1;
}

void CMapProject::PlaceAllCastleLayers()
{
    for (int i = 0; i < provinces_.GetSize(); ++i)
        PlaceCastleLayer(provinces_.GetAt(i));
}

int CMapProject::SetArmyIcon(const CProvince* province, int icon)
{
    constexpr int kIconLimit = 7;
    if (!province || icon < 0 || icon >= kIconLimit)
        return 0;
    TBitmapLayer* layer = FindArmyLayer(province);
    // Every province shows the first army picture, whatever the icon asked.
    if (!layer || !ShowIconPicture(*layer, iconPictures_, castleTypes))
        return 0;
    return PlaceArmyLayer(province);
}

int CMapProject::PlaceArmyLayer(const CProvince* province)
{
    TBitmapLayer* layer = FindArmyLayer(province);
    if (!layer || !worldImage_)
        return 0;
    const CSettings& settings = TheSettings();
    PlaceIconLayer(*layer, *this, *province, {province->armyX, province->armyY}, castleTypes,
                   settings.ShArmies != 0, settings.TransArmies != 0);
    return 1;
}

void CMapProject::PlaceAllArmyLayers()
{
    for (int i = 0; i < provinces_.GetSize(); ++i)
        PlaceArmyLayer(provinces_.GetAt(i));
}

void CMapProject::ReorderCastleAndArmyLayers()
{
    if (!layers_)
        return;
    // Collect first: moving a layer shifts the indexes of the others.
    std::vector<TCustomLayer*> icons;
    for (int32_t i = 0; i < layers_->Count(); ++i) {
        const CLayerTag* tag = GetLayerTag(layers_->Items(i));
        if (tag && (tag->kind == CLayerTag::kCastle || tag->kind == CLayerTag::kArmy))
            icons.push_back(layers_->Items(i));
    }
    for (TCustomLayer* layer : icons)
        layer->SetIndex(1);
}

std::string CMapProject::GetProvinceName(const CProvince* province) const
{
    const CStringTable* table = stringTables_.GetAt(currentStringTable_);
    return table ? table->GetProvinceName(province) : std::string(province ? "" : "none");
}
