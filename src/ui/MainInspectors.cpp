// The main window's inspectors and tool windows: the player inspector under
// the players list, the province inspector over the selection, the mission and
// events windows, and how their changes reach the lists and the world view.
#include "ui/Main.h"

#include <QAction>
#include <QSignalBlocker>
#include <QSplitter>
#include <QTreeWidget>

#include "inspector/rmLibraryText.h"
#include "model/MapProject.h"
#include "platform/qt/ControlWidget.h"
#include "platform/qt/QtFont.h"
#include "ui/DlgComplex.h"
#include "ui/EventFrame.h"
#include "ui/InspectorFill.h"
#include "ui/InspectorRows.h"
#include "ui/InspectorWidget.h"
#include "ui/MissFrame.h"
#include "ui/PlayerInspector.h"
#include "ui/ProvinceInspector.h"
#include "ui/WindowLayout.h"

using platform::qt::Windows1252ToQString;

namespace {

// The gap between a tool window placed for the first time and the main window's edges.
constexpr int kToolWindowGap = 40;

// A tool window that has no place yet goes to the right edge of `main`, at `top`.
void ApplyToolLayout(QWidget& window, TrmInspector& inspector, const CToolFormLayout& layout, QAction& show,
                     const QRect& main, int top)
{
    ApplyWindowBounds(window, layout,
                      QRect(main.right() + 1 - kToolWindowGap - window.width(), top, window.width(), window.height()));
    if (layout.SplitPos > 0)
        inspector.setSplit(layout.SplitPos);
    // Shown once the main window is (ShowToolWindows): a window shown before its owner
    // would stay beneath it.
    const QSignalBlocker quiet(show);
    show.setChecked(layout.Visible);
}

void StoreToolLayout(const QWidget& window, const TrmInspector& inspector, CToolFormLayout& layout)
{
    static_cast<CWindowBounds&>(layout) = WindowBoundsOf(window);
    layout.Visible = window.isVisible();
    layout.SplitPos = inspector.WantedSplitPos(); // not as a narrow window clamps it
}

} // namespace

void TMainForm::CreateToolWindows()
{
    TDlgComplex* textDialog = dialogs_->DlgComplex();
    if (!textDialog)
        textDialog = new TDlgComplex(this);
    MissFrame = new TMissFrame(project_, textDialog, this);
    EventFrame = new TEventFrame(project_, textDialog, this);
    MissFrame->OnHide = [this] { ActShowMissRMI->setChecked(false); };
    EventFrame->OnHide = [this] { ActShowEventRMI->setChecked(false); };
    connect(ActShowMissRMI, &QAction::toggled, MissFrame, &QWidget::setVisible);
    connect(ActShowEventRMI, &QAction::toggled, EventFrame, &QWidget::setVisible);
}

void TMainForm::ConnectInspectors()
{
    rmiPlayer_ = &InspectorOf(*RMIPlayer);
    rmiProvince_ = &InspectorOf(*RMIProvince);
    rmiPlayer_->OnItemChange = [this](TObject*) { RunGuarded(this, [this] { RMIPlayerItemChange(); }); };
    rmiProvince_->OnItemChange = [this](TObject*) { RunGuarded(this, [this] { RMIProvinceItemChange(); }); };
}

void TMainForm::ShowToolWindows()
{
    const std::pair<QWidget*, QAction*> tools[] = {{MissFrame, ActShowMissRMI}, {EventFrame, ActShowEventRMI}};
    for (auto [window, show] : tools)
        if (show->isChecked() && !window->isVisible())
            window->show();
}

void TMainForm::ApplyToolWindowLayout()
{
    const QRect main = geometry();
    ApplyToolLayout(*MissFrame, MissFrame->RMIMission(), layout_.missForm, *ActShowMissRMI, main,
                    main.top() + kToolWindowGap);
    ApplyToolLayout(*EventFrame, EventFrame->RMIEvent(), layout_.eventsForm, *ActShowEventRMI, main,
                    MissFrame->geometry().bottom() + kToolWindowGap);
    const CMainFormLayout& layout = layout_.mainForm;
    if (layout.SplitPlPos > 0)
        rmiPlayer_->setSplit(layout.SplitPlPos);
    if (layout.SplitPrPos > 0)
        rmiProvince_->setSplit(layout.SplitPrPos);
}

void TMainForm::StoreToolWindowLayout()
{
    StoreToolLayout(*MissFrame, MissFrame->RMIMission(), layout_.missForm);
    StoreToolLayout(*EventFrame, EventFrame->RMIEvent(), layout_.eventsForm);
    if (auto* splitter = EventFrame->findChild<QSplitter*>("Splitter"); splitter && !splitter->sizes().isEmpty())
        layout_.eventsForm.Splitter = splitter->sizes().front();
    layout_.mainForm.SplitPlPos = rmiPlayer_->WantedSplitPos();
    layout_.mainForm.SplitPrPos = rmiProvince_->WantedSplitPos();
}

void TMainForm::RefillProjectWindows()
{
    MissFrame->Refill();
    EventFrame->FillEventList();
}

// ---- The inspectors' hooks ---------------------------------------------------------

void TMainForm::DeselectInspectors()
{
    for (TrmInspector* inspector : {&MissFrame->RMIMission(), &EventFrame->RMIEvent(), rmiProvince_, rmiPlayer_})
        inspector->SetItemIndex(-1);
}

void TMainForm::ClearInspectors()
{
    shownPlayer_ = -1;
    for (TrmInspector* inspector : {rmiProvince_, rmiPlayer_, &EventFrame->RMIEvent(), &MissFrame->RMIMission()})
        ClearInspector(*inspector);
}

void TMainForm::MissionConditionsChanged()
{
    MissFrame->RMIMission().SetItemIndex(-1);
    MissFrame->UpdateVictoryItems();
    MissFrame->UpdateLoseItems();
}

// ---- The player inspector ------------------------------------------------------------

void TMainForm::ShowPlayerInspector(int player)
{
    if (player < 0 || uint32_t(player) >= project_.GetPlayers().GetCount()) {
        shownPlayer_ = -1;
        ClearInspector(*rmiPlayer_);
        return;
    }
    BuildPlayerRows(project_, *rmiPlayer_);
    rmiPlayer_->SetItemIndex(-1);
    shownPlayer_ = player;
    FillPlayerInspector(project_, *rmiPlayer_, player);
}

void TMainForm::RefreshPlayerInspector(int player)
{
    if (player == shownPlayer_)
        FillPlayerInspector(project_, *rmiPlayer_, player);
}

void TMainForm::RefreshCapitalChoices()
{
    if (shownPlayer_ >= 0)
        FillCapitalRow(project_, *rmiPlayer_, shownPlayer_);
}

void TMainForm::RefreshPlayerRow(int player)
{
    if (QTreeWidgetItem* row = LVPlayers->topLevelItem(player)) {
        const QSignalBlocker quiet(LVPlayers);
        FillPlayerRow(*row, project_.GetPlayers().GetAt(uint32_t(player)), player);
    }
}

void TMainForm::RMIPlayerItemChange()
{
    TrmCustomInspectorItem* item = rmiPlayer_->GetCurrentInspectorItem();
    const int player = shownPlayer_;
    if (player < 0 || !item || item->Name().empty())
        return;
    const std::string typed = ModelText(item->AsString());
    const bool lost = LosesCharacters(*rmiPlayer_, *item);
    switch (ApplyPlayerRow(project_, *rmiPlayer_, player, *item)) {
    case PlayerRowChange::Name: {
        RefreshPlayerRow(player);
        const std::string& name = CurrentTable(project_)->GetPlayerName(player);
        for (int i = 0; i < project_.GetProvinces().GetSize(); ++i)
            if (CProvince* province = project_.GetProvinces().GetAt(i); province->owner == player)
                SetProvinceRowOwner(*province, name);
        break;
    }
    case PlayerRowChange::NameTaken:
        ReportTakenName(*rmiPlayer_, typed, "player");
        break;
    case PlayerRowChange::Active:
        // The list's tick stores the flag (and releases an inactive player's provinces).
        if (QTreeWidgetItem* row = LVPlayers->topLevelItem(player))
            row->setCheckState(kNumberColumn, StrToBool(item->AsString()) ? Qt::Checked : Qt::Unchecked);
        MissFrame->RMIMission().SetItemIndex(-1);
        break;
    case PlayerRowChange::Skills:
    case PlayerRowChange::Playability:
        RefreshPlayerRow(player);
        break;
    case PlayerRowChange::Capital:
        StopBlink();
        StartBlink(project_.GetPlayers().GetAt(uint32_t(player)).capital);
        break;
    case PlayerRowChange::Other:
    case PlayerRowChange::None:
        break;
    }
    UpdateInfo(uint8_t(player));
    if (lost)
        Error(CharactersLostNote());
}

void TMainForm::ReportTakenName(const TrmInspector& inspector, const std::string& name, const char* holder)
{
    if (!inspector.EditorBeingTyped())
        Error("The name \"" + name + "\" is already taken by another " + holder + ".\nChoose another name.");
}

// ---- The province inspector ------------------------------------------------------------

void TMainForm::RMIProvinceItemChange()
{
    TrmCustomInspectorItem* item = rmiProvince_->GetCurrentInspectorItem();
    CSelect& selection = project_.GetSelection();
    if (!item)
        return;
    const std::string typed = ModelText(item->AsString());
    const bool lost = LosesCharacters(*rmiProvince_, *item);
    switch (ApplyProvinceRow(project_, selection, *item)) {
    case ProvinceRowChange::Name:
        if (QTreeWidgetItem* row = ProvinceRow(*selection.GetAt(0))) {
            const QSignalBlocker quiet(LVProvinces);
            row->setText(kProvinceColumn, Windows1252ToQString(project_.GetProvinceName(selection.GetAt(0))));
        }
        break;
    case ProvinceRowChange::NameTaken:
        ReportTakenName(*rmiProvince_, typed, "province");
        break;
    case ProvinceRowChange::Owner:
        if (shownPlayer_ >= 0)
            RefreshPlayerInspector(shownPlayer_);
        MissionConditionsChanged();
        RefillWarnings();
        break;
    default:
        break;
    }
    project_.RefreshAllProvinces();
    UpdateInfo(kNoRow);
    FillProvinceInspector(project_, selection, *rmiProvince_);
    if (lost)
        Error(CharactersLostNote());
}
