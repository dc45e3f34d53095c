// The players and provinces lists of the main window, and the model's view
// hooks that the window answers: province rows, selection highlights, piece
// drawing and the forgetting of deleted provinces.
#include "ui/Main.h"

#include <QSignalBlocker>
#include <QTreeWidget>

#include "graphics/Layers32.h"
#include "model/MapProject.h"
#include "platform/qt/QtFont.h"
#include "ui/EventFrame.h"
#include "ui/ProvinceInspector.h"

using platform::qt::Windows1252ToQString;

namespace {

QString PlayabilityText(uint8_t control)
{
    if (control == CPlayerDataB::kHuman)
        return "Human";
    return control < CPlayerDataB::kHumanAndComputer ? "Computer" : "H/C";
}

CProvince* RowProvince(const QTreeWidgetItem& row)
{
    return reinterpret_cast<CProvince*>(row.data(TMainForm::kProvinceColumn, Qt::UserRole).value<quintptr>());
}

// Deletes every layer that `find` finds for the province, one by one, since
// each deletion moves the layers above it.
template <typename Find>
void DeleteLayers(TLayerCollection& layers, const CProvince& province, Find find)
{
    for (int index = find(&province); index >= 0; index = find(&province))
        layers.Delete(index);
}

} // namespace

// ---- Players list ----------------------------------------------------------------

void TMainForm::RebuildPlayersList()
{
    const QSignalBlocker quiet(LVPlayers);
    LVPlayers->clear();
    const CList<CPlayerData>& players = project_.GetPlayers();
    for (uint32_t i = 0; i < players.GetCount() && i < uint32_t(CMapProject::kPlayerCount); ++i)
        FillPlayerRow(*new QTreeWidgetItem(LVPlayers), players.GetAt(i), int(i));
}

void TMainForm::FillPlayerRow(QTreeWidgetItem& row, const CPlayerData& player, int index)
{
    const CStringTable* table = project_.GetStringTables().GetAt(project_.GetCurrentStringTable());
    row.setText(kNumberColumn, QString::number(index + 1));
    row.setText(kNameColumn, table ? Windows1252ToQString(table->GetPlayerName(index)) : QString());
    row.setText(kSkillsColumn,
                QString("(%1,%2,%3)").arg(player.skills[0]).arg(player.skills[1]).arg(player.skills[2]));
    row.setText(kPlayabilityColumn, PlayabilityText(player.control));
    row.setTextAlignment(kSkillsColumn, Qt::AlignRight | Qt::AlignVCenter);
    row.setTextAlignment(kPlayabilityColumn, Qt::AlignRight | Qt::AlignVCenter);
    row.setCheckState(kNumberColumn, player.active ? Qt::Checked : Qt::Unchecked);
}

int TMainForm::SelectedPlayer() const
{
    const QList<QTreeWidgetItem*> rows = LVPlayers->selectedItems();
    return rows.isEmpty() ? -1 : LVPlayers->indexOfTopLevelItem(rows.front());
}

void TMainForm::SelectPlayerRow(int player)
{
    if (QTreeWidgetItem* row = LVPlayers->topLevelItem(player))
        LVPlayers->setCurrentItem(row);
}

void TMainForm::LVPlayersSelectItem()
{
    StopBlink();
    const int player = SelectedPlayer();
    ShowPlayerInspector(player);
    if (player < 0)
        return;
    SelectOwner(player);
    StartBlink(project_.GetPlayers().GetAt(uint32_t(player)).capital);
    UpdateInfo(uint8_t(player));
}

void TMainForm::LVPlayersChange(QTreeWidgetItem* row)
{
    const int player = LVPlayers->indexOfTopLevelItem(row);
    if (player < 0 || uint32_t(player) >= project_.GetPlayers().GetCount())
        return;
    CPlayerData& data = project_.GetPlayers().GetAt(uint32_t(player));
    const bool checked = row->checkState(kNumberColumn) == Qt::Checked;
    if (checked == (data.active != 0))
        return;
    data.SetActive(checked ? 1 : 0);
    if (!checked)
        project_.ReleasePlayerProvinces(player);
    RefreshPlayerInspector(player);
    MissionConditionsChanged();
    UpdateInfo(uint8_t(player));
}

// ---- Provinces list and the selection ---------------------------------------------

void TMainForm::SelectOwner(int player)
{
    CSelect& selection = project_.GetSelection();
    selection.Clear();
    for (int i = 0; i < project_.GetProvinces().GetSize(); ++i)
        if (CProvince* province = project_.GetProvinces().GetAt(i); province->owner == player)
            selection.Add(province);
}

QTreeWidgetItem* TMainForm::ProvinceRow(const CProvince& province) const
{
    for (int i = 0; i < LVProvinces->topLevelItemCount(); ++i)
        if (RowProvince(*LVProvinces->topLevelItem(i)) == &province)
            return LVProvinces->topLevelItem(i);
    return nullptr;
}

void TMainForm::SetProvinceRowSelected(const CProvince& province, bool selected)
{
    if (QTreeWidgetItem* row = ProvinceRow(province)) {
        const QSignalBlocker quiet(LVProvinces);
        row->setSelected(selected);
    }
}

void TMainForm::LVProvincesSelectionChanged()
{
    CSelect& selection = project_.GetSelection();
    for (int i = 0; i < LVProvinces->topLevelItemCount(); ++i) {
        QTreeWidgetItem* row = LVProvinces->topLevelItem(i);
        if (!row->isSelected())
            selection.Remove(RowProvince(*row));
    }
    for (int i = 0; i < LVProvinces->topLevelItemCount(); ++i) {
        QTreeWidgetItem* row = LVProvinces->topLevelItem(i);
        if (row->isSelected())
            selection.Add(RowProvince(*row));
    }
    UpdateInfo(kNoRow);
}

// ---- IProjectViews ------------------------------------------------------------------

void TMainForm::ProvincesDeleted()
{
    RefreshCapitalChoices();
    UpdateInfo(kNoRow);
}

void TMainForm::CastlePicturesChanged()
{
    dialogs_->FillCastleImages();
}

void TMainForm::AddProvinceRow(CProvince& province, const std::string& name, const std::string& ownerName)
{
    const QSignalBlocker quiet(LVProvinces);
    auto* row = new QTreeWidgetItem(LVProvinces);
    row->setText(kProvinceColumn, Windows1252ToQString(name));
    row->setText(kOwnerColumn, Windows1252ToQString(ownerName));
    row->setData(kProvinceColumn, Qt::UserRole, QVariant::fromValue(reinterpret_cast<quintptr>(&province)));
}

void TMainForm::SetProvinceRowOwner(CProvince& province, const std::string& ownerName)
{
    if (QTreeWidgetItem* row = ProvinceRow(province))
        row->setText(kOwnerColumn, Windows1252ToQString(ownerName));
}

void TMainForm::ClearProjectLists()
{
    draggedLayer_ = CLayerTag();
    const QSignalBlocker quietProvinces(LVProvinces);
    const QSignalBlocker quietPlayers(LVPlayers);
    LVProvinces->clear();
    LVPlayers->clear();
    EventFrame->Clear();
}

// ---- ISelectionView -----------------------------------------------------------------

void TMainForm::ProvinceSelected(CProvince& province)
{
    if (province.linked)
        project_.HighlightPiece(province.pieceIndex);
    SetProvinceRowSelected(province, true);
}

void TMainForm::ProvinceDeselected(CProvince& province)
{
    if (province.linked)
        project_.UnhighlightPiece(province.pieceIndex);
    SetProvinceRowSelected(province, false);
}

void TMainForm::ProvinceRefused(CProvince& province)
{
    SetProvinceRowSelected(province, false);
}

// The inspector shows the selection on the provinces tab only, and not while
// the selection is being cleared province by province.
void TMainForm::SelectionChanged()
{
    const CSelect& selection = project_.GetSelection();
    if (selection.busy)
        return;
    if (selection.provincesTab)
        FillProvinceInspector(project_, selection, *rmiProvince_);
    // The summary labels add up what the selection holds now (on the players tab
    // with the chosen player's campaign army).
    UpdateInfo(selection.provincesTab ? kNoRow : uint8_t(SelectedPlayer()));
}

// ---- IWorldView ---------------------------------------------------------------------

void TMainForm::DrawPiece(int pieceIndex)
{
    project_.DrawPiece(pieceIndex);
}

void TMainForm::RebuildPiecePicture(int pieceIndex)
{
    project_.UpdateProvinceMapPicture(pieceIndex);
}

void TMainForm::ForgetProvince(CProvince& province)
{
    if (blinkProvince_ == &province)
        StopBlink();
    if (draggedLayer_.object == &province)
        draggedLayer_ = CLayerTag();
    if (province.linked) {
        const int piece = province.pieceIndex;
        project_.DetachProvinceFromMap(&province);
        project_.UpdateProvinceMapPicture(piece); // the piece shows no province now
    }
    TLayerCollection& layers = *ImgVWorld->Layers();
    DeleteLayers(layers, province, [this](const CProvince* p) { return project_.FindMarkerLayerIndex(p); });
    DeleteLayers(layers, province, [this](const CProvince* p) { return project_.FindNameLayerIndex(p); });
    DeleteLayers(layers, province, [this](const CProvince* p) { return project_.FindCastleLayerIndex(p); });
    DeleteLayers(layers, province, [this](const CProvince* p) { return project_.FindArmyLayerIndex(p); });
    const QSignalBlocker quiet(LVProvinces);
    delete ProvinceRow(province);
}
