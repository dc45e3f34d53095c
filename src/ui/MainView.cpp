// The world view of the main window: zoom and sizing, scrolling, the view
// switches and modes, and the mouse editing of provinces, markers and icons.
#include "ui/Main.h"

#include <QAction>
#include <QTabWidget>
#include <QToolBar>

#include <algorithm>
#include <cmath>

#include "graphics/Layers32.h"
#include "inspector/rmInspector.h"
#include "model/ErrorList.h"
#include "model/MapProject.h"
#include "model/Settings.h"
#include "ui/WorldScrollBox.h"

namespace {

constexpr float kMinScale = 1.0f;
constexpr float kMaxScale = 8.0f;
// A view narrower than this is not placed in the scroll box.
constexpr int kMinPlacedWidth = 10;
// How close a dragged marker may come to the world's edges.
constexpr int kMarkerMarginX = 12;
constexpr int kMarkerMarginY = 5;
// A drag over the provinces tab adds provinces only this long after a Ctrl+click.
constexpr std::time_t kDragSelectDelay = 200; // seconds

bool Held(platform::ShiftState shift, platform::ShiftState flag)
{
    return (shift & flag) != 0;
}

// Toggles a settings switch and the check mark of its action; returns the new state.
bool FlipSwitch(uint32_t& field, QAction& action)
{
    field = field ? 0 : 1;
    action.setChecked(field != 0);
    return field != 0;
}

uint16_t ClampedCoordinate(int value, int margin, int size)
{
    return uint16_t(std::clamp(value, margin, std::max(margin, size - margin)));
}

} // namespace

// ---- Zoom, size and scrolling ------------------------------------------------

void TMainForm::SetZoom(float scale)
{
    if (scale > kMaxScale || scale < kMinScale)
        return;
    ActZoomIn->setEnabled(scale != kMaxScale);
    ActZoomOut->setEnabled(scale != kMinScale);
    ScrBWorld->SetIncrement(scale == kMinScale ? 1 : int(2.0f * scale));
    ImgVWorld->SetScale(scale);
    UpdateWorldViewSize();
    project_.PlaceProvinceMarkers();
    project_.PlaceAllCastleLayers();
    project_.PlaceAllArmyLayers();
    SetStatusText(kZoomPanel, QString("%1%").arg(int(100.0f * scale)));
}

void TMainForm::ActZoomInExecute()
{
    if (ImgVWorld->Scale() < kMaxScale)
        SetZoom(ImgVWorld->Scale() + 1.0f);
}

void TMainForm::ActZoomOutExecute()
{
    if (ImgVWorld->Scale() > kMinScale)
        SetZoom(ImgVWorld->Scale() - 1.0f);
}

void TMainForm::ActZoomFillExecute()
{
    SetZoom(kMinScale);
}

void TMainForm::UpdateWorldViewSize()
{
    const float scale = ImgVWorld->Scale();
    const int width = int(float(ImgVWorld->Bitmap()->Width()) * scale);
    const int height = int(float(ImgVWorld->Bitmap()->Height()) * scale);
    ImgVWorld->SetBounds(ImgVWorld->Left(), ImgVWorld->Top(), width, height);
    ScrBWorld->SetContentSize(width, height);
    PlaceWorldView();
    if (HasProject())
        project_.PlaceProvinceMarkers();
}

void TMainForm::PlaceWorldView()
{
    const int width = ImgVWorld->Width(), height = ImgVWorld->Height();
    if (width <= kMinPlacedWidth)
        return;
    const int clientWidth = ScrBWorld->ClientWidth(), clientHeight = ScrBWorld->ClientHeight();
    const int left = clientWidth > width ? (clientWidth - width) / 2 : -ScrBWorld->HorzPosition();
    const int top = clientHeight > height ? (clientHeight - height) / 2 : -ScrBWorld->VertPosition();
    ImgVWorld->SetBounds(left, top, width, height);
}

void TMainForm::CenterWorldViewOn(int x, int y)
{
    const int worldWidth = ImgVWorld->Bitmap()->Width(), worldHeight = ImgVWorld->Bitmap()->Height();
    if (worldWidth <= 0 || worldHeight <= 0)
        return;
    ScrBWorld->SetHorzPosition(int(int64_t(ScrBWorld->HorzRange()) * x / worldWidth) - ScrBWorld->ClientWidth() / 2);
    ScrBWorld->SetVertPosition(int(int64_t(ScrBWorld->VertRange()) * y / worldHeight) -
                               ScrBWorld->ClientHeight() / 2);
}

// ---- View switches and modes ---------------------------------------------------

void TMainForm::FlipProvincesMode()
{
    FlipSwitch(TheSettings().ShIcons, *ActShowIcons);
    project_.PlaceProvinceMarkers();
    project_.ReorderCastleAndArmyLayers();
}

void TMainForm::FlipIconMode(uint32_t& mode, QAction& action, void (CMapProject::*placeLayers)())
{
    // Provinces mode is switched off directly: going through its action would
    // switch this mode off again before it is toggled.
    if (TheSettings().ShIcons)
        FlipProvincesMode();
    project_.GetSelection().Clear();
    FlipSwitch(mode, action);
    (project_.*placeLayers)();
}

void TMainForm::ActShowIconsExecute()
{
    if (TheSettings().ShCastles)
        ActShowCastlesExecute();
    if (TheSettings().ShArmies)
        ActShowArmiesExecute();
    FlipProvincesMode();
}

void TMainForm::ActShowCastlesExecute()
{
    FlipIconMode(TheSettings().ShCastles, *ActShowCastles, &CMapProject::PlaceAllCastleLayers);
}

void TMainForm::ActShowArmiesExecute()
{
    FlipIconMode(TheSettings().ShArmies, *ActShowArmies, &CMapProject::PlaceAllArmyLayers);
}

void TMainForm::ActShowNamesExecute()
{
    FlipSwitch(TheSettings().ShNames, *ActShowNames);
    project_.RefreshAllProvinces();
    project_.ReorderCastleAndArmyLayers();
}

void TMainForm::ActShowOwnerColorExecute()
{
    if (!HasProject()) {
        ActShowOwnerColor->setChecked(TheSettings().OwnerColors != 0);
        return;
    }
    FlipSwitch(TheSettings().OwnerColors, *ActShowOwnerColor);
    project_.RedrawPieces(true);
    project_.DrawAllPieces();
}

void TMainForm::ActShowNeighboursExecute()
{
    const bool shown = FlipSwitch(TheSettings().ShPaths, *ActShowNeighbours);
    TLayerCollection& layers = *ImgVWorld->Layers();
    if (layers.Count() > 0) {
        layers.Items(0)->SetVisible(shown);
        project_.RedrawLinksLayer();
    }
    ImgVWorld->Invalidate();
}

void TMainForm::ActShowPanelExecute()
{
    TBrShow->setVisible(ActShowPanel->isChecked());
    if (HasProject())
        project_.PlaceProvinceMarkers();
}

void TMainForm::ActAddProvinceExecute()
{
    project_.AddProvinceAtViewCenter();
    RefreshCapitalChoices();
    MissionConditionsChanged();
}

void TMainForm::ActDelProvinceExecute()
{
    project_.DeleteSelectedProvinces(); // the views follow through ProvincesDeleted
    MissionConditionsChanged();
}

// ---- Mouse editing ---------------------------------------------------------------

TPoint TMainForm::BitmapPoint(int x, int y) const
{
    const float scale = ImgVWorld->Scale();
    return {int(float(x) / scale), int(float(y) / scale)};
}

CProvince* TMainForm::ProvinceAt(TPoint point) const
{
    const uint32_t piece = project_.GetPieceAt(point.X, point.Y) & 0xFFFF;
    return piece == CProvinceMap::kNoIndex ? nullptr : project_.FindProvinceByPiece(int(piece));
}

void TMainForm::ImgVWorldMouseDown(platform::MouseButton button, platform::ShiftState shift, int x, int y,
                                   TCustomLayer* layer)
{
    if (button == platform::MouseButton::Middle)
        dragScrollAnchor_ = {x, y};
    if (CErrorList* warnings = project_.GetWarnings())
        warnings->SetCurrent(nullptr);
    if (button != platform::MouseButton::Left)
        return;
    const TPoint point = BitmapPoint(x, y);
    if (PgCMissionProperties->currentIndex() == kPlayersTab)
        PlayersTabMouseDown(shift, point);
    else if (PgCMissionProperties->currentIndex() == kProvincesTab)
        ProvincesTabMouseDown(shift, point, layer);
}

void TMainForm::PlayersTabMouseDown(platform::ShiftState shift, TPoint point)
{
    CProvince* province = ProvinceAt(point);
    if (!province || province->owner >= CMapProject::kPlayerCount)
        return;
    if (!Held(shift, platform::shift::Ctrl)) {
        SelectPlayerRow(province->owner);
        UpdateInfo(province->owner);
        return;
    }
    // Ctrl+click on a province of the chosen player makes it the capital.
    if (SelectedPlayer() == province->owner && project_.SetPlayerCapital(province->owner, province)) {
        RefreshPlayerInspector(province->owner);
        rmiPlayer_->Invalidate(); // the Capital row repaints, and its editor follows when open
        StopBlink();
        StartBlink(province);
    }
}

void TMainForm::ProvincesTabMouseDown(platform::ShiftState shift, TPoint point, TCustomLayer* layer)
{
    const CLayerTag* tag = GetLayerTag(layer);
    const CLayerTag clicked = tag ? *tag : CLayerTag();
    CProvince* province = ProvinceAt(point);
    if (!province && clicked.kind == CLayerTag::kMarker)
        province = clicked.object;
    CSelect& selection = project_.GetSelection();
    const CSettings& settings = TheSettings();
    if (!settings.ShCastles && !settings.ShArmies) {
        if (Held(shift, platform::shift::Ctrl) && province) {
            selection.Toggle(province);
            selectionStamp_ = std::time(nullptr);
            UpdateInfo(kNoRow);
            return;
        }
        selection.Clear();
        if (settings.ShIcons && clicked.kind == CLayerTag::kMarker) {
            province = clicked.object;
            draggedLayer_ = clicked;
            layer->BringToFront();
        }
        selection.Add(province);
    } else if (clicked.kind == CLayerTag::kCastle || clicked.kind == CLayerTag::kArmy) {
        selection.Clear();
        layer->BringToFront();
        draggedLayer_ = clicked;
        selection.Add(clicked.object);
    }
    UpdateInfo(kNoRow);
}

void TMainForm::ImgVWorldMouseMove(platform::ShiftState shift, int x, int y)
{
    // While the province inspector edits a row, the mouse neither selects nor drags.
    if (rmiProvince_->ItemIndex() != -1)
        return;
    const TPoint point = BitmapPoint(x, y);
    if (!ImgVWorld->Bitmap()->Empty())
        SetStatusText(kCoordsPanel, QString("(%1;%2)").arg(point.X).arg(point.Y));
    if (Held(shift, platform::shift::Middle)) {
        // The world point grabbed at the press stays under the mouse.
        ScrBWorld->SetHorzPosition(ScrBWorld->HorzPosition() + dragScrollAnchor_.X - x);
        ScrBWorld->SetVertPosition(ScrBWorld->VertPosition() + dragScrollAnchor_.Y - y);
        return;
    }
    if (PgCMissionProperties->currentIndex() != kProvincesTab)
        return;
    const CSettings& settings = TheSettings();
    const bool iconModes = settings.ShCastles || settings.ShArmies;
    const bool left = Held(shift, platform::shift::Left);
    if (!draggedLayer_.object) {
        if (!iconModes && left && std::time(nullptr) - selectionStamp_ > kDragSelectDelay)
            project_.GetSelection().Add(ProvinceAt(point));
        UpdateInfo(kNoRow);
        return;
    }
    if (left && settings.ShIcons && draggedLayer_.kind == CLayerTag::kMarker)
        DragMarker(*draggedLayer_.object, point);
    else if (left && iconModes && (draggedLayer_.kind == CLayerTag::kCastle || draggedLayer_.kind == CLayerTag::kArmy))
        DragIcon(*draggedLayer_.object, point);
    UpdateInfo(kNoRow);
}

void TMainForm::DragMarker(CProvince& province, TPoint point)
{
    project_.SetModified();
    const int newPiece = int(project_.GetPieceAt(point.X, point.Y) & 0xFFFF);
    const int oldPiece = int(project_.GetPieceAt(province.markerX, province.markerY) & 0xFFFF);
    province.markerX = ClampedCoordinate(point.X, kMarkerMarginX, project_.GetWidth());
    province.markerY = ClampedCoordinate(point.Y, kMarkerMarginY, project_.GetHeight());
    bool changed = true;
    if (province.linked) {
        changed = newPiece != province.pieceIndex;
        if (changed)
            project_.DetachProvinceFromMap(&province);
    } else if (!project_.IsPieceTaken(newPiece)) {
        project_.AttachProvinceToMap(&province, newPiece);
    }
    project_.PlaceProvinceMarker(project_.FindMarkerLayer(&province));
    project_.RelinkProvinces();
    if (changed) {
        project_.RedrawLinksLayer();
        RefreshCapitalChoices(); // a detached province can be no capital
    }
    if (newPiece != oldPiece)
        project_.UnhighlightPiece(oldPiece);
    project_.HighlightPiece(newPiece);
}

void TMainForm::DragIcon(CProvince& province, TPoint point)
{
    project_.SetModified();
    const CProvinceMap* piece = province.linked ? project_.GetPieces().GetAt(province.pieceIndex) : nullptr;
    if (!piece)
        return;
    const int x = point.X - piece->left, y = point.Y - piece->top;
    if (draggedLayer_.kind == CLayerTag::kCastle) {
        if (project_.IsCastlePointInPiece(&province, x, y)) {
            province.SetCastleX(uint16_t(x));
            province.SetCastleY(uint16_t(y));
            project_.RedrawLinksLayer();
        }
        project_.PlaceCastleLayer(&province);
    } else {
        if (project_.IsArmyPointInPiece(&province, x, y)) {
            province.SetArmyX(uint16_t(x));
            province.SetArmyY(uint16_t(y));
            project_.RedrawLinksLayer();
        }
        project_.PlaceArmyLayer(&province);
    }
}

void TMainForm::ImgVWorldMouseUp()
{
    draggedLayer_ = CLayerTag();
    selectionStamp_ = 0;
    RefillWarnings();
}

void TMainForm::RefillWarnings()
{
    if (CErrorList* warnings = project_.GetWarnings())
        warnings->FillListView();
}
