#pragma once
// The editor's main window: the action table with its menus and tool bars, the
// world view in its scroll box with zoom and mouse editing, the players and
// provinces tabs with their lists and summary labels, the status bar, and the
// blinking of a province. It is the model's door to the user interface: it
// implements the project's view hooks and answers its prompts through the
// IPrompts it was given.
//
// Every child object carries its form name as its Qt object name
// ("ActZoomIn", "LVProvinces", "ImgVWorld", ...), so that tests and later
// windows find them with findChild.
#include <QMainWindow>

#include <array>
#include <cstdint>
#include <ctime>
#include <filesystem>
#include <memory>
#include <string>

#include "graphics/Image32.h"
#include "model/EditorHooks.h"
#include "platform/XmlDocument.h"
#include "ui/EditorServices.h"
#include "ui/SettingsFile.h"
#include "world/WorldView.h"

class CMapProject;
class CPlayerData;
class TEventFrame;
class TMissFrame;
class TrmInspector;
class QAction;
class QFrame;
class QLabel;
class QMenu;
class QSplitter;
class QTabWidget;
class QTimer;
class QToolBar;
class QTreeWidget;
class QTreeWidgetItem;
class TWorldScrollBox;
namespace platform::qt {
class ControlWidget;
}

// The file a project chosen as `chosen` is saved to: the name with ".fw", added
// unless the name already ends in it.
std::filesystem::path ProjectFileNameFor(const std::filesystem::path& chosen);
// The path a mission chosen as `chosen` is exported to: without a final ".pdb" (in
// any case) when the file name is longer than that; the export names the mission
// and its packages after what is left.
std::filesystem::path MissionOutputPathFor(const std::filesystem::path& chosen);

class TMainForm : public QMainWindow,
                  private IProjectViews,
                  private ISelectionView,
                  private IWorldView {
public:
    static constexpr uint8_t kNoRow = 255;
    static constexpr int kPlayersTab = 0;
    static constexpr int kProvincesTab = 1;
    // The columns of the players list (the number carries the active tick) and of the
    // provinces list.
    enum PlayerColumn : int { kNumberColumn, kNameColumn, kSkillsColumn, kPlayabilityColumn };
    enum ProvinceColumn : int { kProvinceColumn, kOwnerColumn };
    // The status bar's panels, left to right.
    enum StatusPanel : int { kCoordsPanel, kZoomPanel, kHelpPanel, kSizePanel };

    // Builds the window and runs the start-up: textures, catalogue and settings
    // documents, action states; the window opens without a project.
    explicit TMainForm(TMainFormSetup setup = {}, QWidget* parent = nullptr);
    ~TMainForm() override;

    // A plain message box through the prompts.
    void Error(const std::string& text);
    // Switches between the no-project and the project-open state. Returns 1.
    int EnableProjectUI(bool on);
    // The six summary labels for the players-list row `row` (kNoRow: no player).
    void UpdateInfo(uint8_t row);

    // ---- The world view ----
    // Nothing outside 1..8.
    void SetZoom(float scale);
    void UpdateWorldViewSize();
    // Scrolls so that world point (x, y) is in the middle of the view.
    void CenterWorldViewOn(int x, int y);
    TImage32& WorldImage() { return *ImgVWorld; }

    // ---- Blinking of one province's piece ----
    void StartBlink(CProvince* province);
    void StopBlink();
    CProvince* BlinkingProvince() const { return blinkProvince_; }

    // The actions' handlers. The file actions tell whether they went through,
    // so that an action that must save first can stop when the save did not.
    void ActNewProjectExecute();
    void ActLoadProjectExecute();
    bool ActSaveProjectExecute();
    bool ActSaveAsProjectExecute();
    void ActReloadMapExecute();
    void ActSavePDAExecute();
    void ActRecalcIconPlacesExecute();
    void ActGenerateIncomeExecute();

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    // ---- Start-up and closing (Main.cpp) ----
    void CreateActions();
    void CreateMenusAndToolBars();
    void CreateStatusBar();
    QWidget* CreatePlayersTab();
    QWidget* CreateProvincesTab();
    void CreateWorldView();
    void FormCreate();
    // The window layout of the settings file onto the window, and back.
    void ApplyLayout();
    void StoreLayout();
    // True when the window may close: the save question was answered and any save succeeded.
    bool FormCloseQuery();
    void FormClose();
    void DetachFromProject();
    // The window is in its project-open state.
    bool HasProject() const { return ImgVWorld->Visible(); }
    void SetStatusText(int panel, const QString& text);
    // The no-project state, with nothing in the status panels of the project that was there.
    void ShowNoProject();
    void ShowWorldSize();
    // Runs the save question: false when the action must stop (Cancel, or a failed save).
    bool SaveChangesFirst();
    void ShowTab(int index);
    void PgCMissionPropertiesChange();
    // Lets pending paint events through; no input reaches any window meanwhile.
    void ProcessPaintEvents();

    // ---- View actions and the world view (MainView.cpp) ----
    void ActZoomInExecute();
    void ActZoomOutExecute();
    void ActZoomFillExecute();
    void ActShowIconsExecute();
    void ActShowNamesExecute();
    void ActShowCastlesExecute();
    void ActShowArmiesExecute();
    void ActShowOwnerColorExecute();
    void ActShowNeighboursExecute();
    void ActShowPanelExecute();
    void ActAddProvinceExecute();
    void ActDelProvinceExecute();
    void FlipProvincesMode();
    // Castles or armies mode: provinces mode off, the selection cleared, the mode toggled, the layers placed.
    void FlipIconMode(uint32_t& mode, QAction& action, void (CMapProject::*placeLayers)());
    // Places the view control in the scroll box: centred when smaller, else at the scroll position.
    void PlaceWorldView();
    TPoint BitmapPoint(int x, int y) const;
    // The province of the piece under world point `point`, or null.
    CProvince* ProvinceAt(TPoint point) const;
    void ImgVWorldMouseDown(platform::MouseButton button, platform::ShiftState shift, int x, int y,
                            TCustomLayer* layer);
    void ImgVWorldMouseMove(platform::ShiftState shift, int x, int y);
    void ImgVWorldMouseUp();
    // The warnings window shows the warnings list as it now stands.
    void RefillWarnings();
    void PlayersTabMouseDown(platform::ShiftState shift, TPoint point);
    void ProvincesTabMouseDown(platform::ShiftState shift, TPoint point, TCustomLayer* layer);
    void DragMarker(CProvince& province, TPoint point);
    void DragIcon(CProvince& province, TPoint point);

    // ---- Lists and the model's view hooks (MainLists.cpp) ----
    void RebuildPlayersList();
    void FillPlayerRow(QTreeWidgetItem& row, const CPlayerData& player, int index);
    void LVPlayersSelectItem();
    void LVPlayersChange(QTreeWidgetItem* row);
    void LVProvincesSelectionChanged();
    QTreeWidgetItem* ProvinceRow(const CProvince& province) const;
    void SetProvinceRowSelected(const CProvince& province, bool selected);
    void SelectOwner(int player);
    void SelectPlayerRow(int player);

    // IProjectViews
    void ProvincesDeleted() override;
    void CastlePicturesChanged() override;
    void AddProvinceRow(CProvince& province, const std::string& name, const std::string& ownerName) override;
    void SetProvinceRowOwner(CProvince& province, const std::string& ownerName) override;
    int SelectedPlayer() const override;
    void StopBlinking() override { StopBlink(); }
    void DeselectInspectors() override;
    void ClearProjectLists() override;
    void ClearInspectors() override;
    // ISelectionView
    void ProvinceSelected(CProvince& province) override;
    void ProvinceDeselected(CProvince& province) override;
    void ProvinceRefused(CProvince& province) override;
    void SelectionChanged() override;
    // IWorldView
    void DrawPiece(int pieceIndex) override;
    void RebuildPiecePicture(int pieceIndex) override;
    void CenterView(int x, int y) override { CenterWorldViewOn(x, y); }
    void ForgetProvince(CProvince& province) override;

    // ---- Inspectors and tool windows (MainInspectors.cpp) ----
    // The mission and events windows and the text dialog they share.
    void CreateToolWindows();
    void ConnectInspectors();
    void ApplyToolWindowLayout();
    void StoreToolWindowLayout();
    // The tool windows whose actions are checked, shown above the main window.
    void ShowToolWindows();
    // The mission and events windows show the project that was just opened.
    void RefillProjectWindows();
    // The player inspector built and filled for `player`; emptied for -1.
    void ShowPlayerInspector(int player);
    // The player inspector's values again, when it shows `player`.
    void RefreshPlayerInspector(int player);
    // The capital choices of the player shown, as the provinces now stand (after a
    // province was added, deleted, detached or given to another owner).
    void RefreshCapitalChoices();
    // Owners or active players changed: the mission window's conditions follow.
    void MissionConditionsChanged();
    void RMIPlayerItemChange();
    void RMIProvinceItemChange();
    // Says that `name` (Windows-1252) is another player's or province's (`holder`): once the
    // typing is committed only, as a name being typed may pass through a taken one.
    void ReportTakenName(const TrmInspector& inspector, const std::string& name, const char* holder);
    // The players-list row of `player` shows its data again.
    void RefreshPlayerRow(int player);

    // ---- Blinking (ProvinceBlink.cpp) ----
    void TimerTimer();

    CMapProject& project_;
    TMainFormSetup setup_;
    // The window layout read from the settings file and written back at close;
    // what no window of the editor shows yet is kept as it was read.
    CEditorLayout layout_;
    platform::XmlDocument XMLData; // the game catalogue
    std::unique_ptr<IPrompts> ownPrompts_;
    std::unique_ptr<IFileChooser> ownFiles_;
    // Declared after the layout, whose warnings-window record the dialogs keep up to date.
    std::unique_ptr<IEditorDialogs> ownDialogs_;
    IPrompts* prompts_ = nullptr;
    IFileChooser* files_ = nullptr;
    IEditorDialogs* dialogs_ = nullptr;

    QAction* ActNewProject = nullptr;
    QAction* ActLoadProject = nullptr;
    QAction* ActSaveProject = nullptr;
    QAction* ActSaveAsProject = nullptr;
    QAction* ActReloadMap = nullptr;
    QAction* ActZoomIn = nullptr;
    QAction* ActZoomOut = nullptr;
    QAction* ActZoomFill = nullptr;
    QAction* ActFilePanel = nullptr;
    QAction* ActZoomPanel = nullptr;
    QAction* ActShowPanel = nullptr;
    QAction* ActShowIcons = nullptr;
    QAction* ActShowNames = nullptr;
    QAction* ActShowCastles = nullptr;
    QAction* ActShowArmies = nullptr;
    QAction* ActShowOwnerColor = nullptr;
    QAction* ActShowNeighbours = nullptr;
    QAction* ActShowMissRMI = nullptr;
    QAction* ActShowEventRMI = nullptr;
    QAction* ActShowErrors = nullptr;
    QAction* ActShowOptions = nullptr;
    QAction* ActShowPreferences = nullptr;
    QAction* ActExit = nullptr;
    QAction* ActSavePDA = nullptr;
    QAction* ActAddProvince = nullptr;
    QAction* ActDelProvince = nullptr;
    QAction* ActAbout = nullptr;
    QAction* ActRecalcIconPlaces = nullptr;
    QAction* ActGenerateIncome = nullptr;
    QAction* ActResetMapIcons = nullptr;

    QToolBar* TBrShow = nullptr;
    std::array<QLabel*, 4> statusPanels_{};
    QSplitter* Splitter = nullptr;
    QTabWidget* PgCMissionProperties = nullptr;
    QWidget* TabSheetPlayers = nullptr;
    QWidget* TabSheetProvinces = nullptr;
    TWorldScrollBox* ScrBWorld = nullptr;
    QLabel* LblNoProject = nullptr;
    TImage32* ImgVWorld = nullptr;                       // owned by imgVWorldWidget_
    platform::qt::ControlWidget* imgVWorldWidget_ = nullptr;
    QTreeWidget* LVPlayers = nullptr;
    QTreeWidget* LVProvinces = nullptr;
    QWidget* PlProvince = nullptr;
    QSplitter* provincesSplitter_ = nullptr; // the provinces list above, the inspector below
    // The provinces list has been on the screen: its height is one the designer saw.
    bool provincesListShown_ = false;
    // The player and province inspectors in their hosts.
    platform::qt::ControlWidget* RMIPlayer = nullptr;
    platform::qt::ControlWidget* RMIProvince = nullptr;
    TrmInspector* rmiPlayer_ = nullptr;
    TrmInspector* rmiProvince_ = nullptr;
    // The player the player inspector shows (the players list's tag), -1 for none.
    int shownPlayer_ = -1;
    TMissFrame* MissFrame = nullptr;
    TEventFrame* EventFrame = nullptr;
    QLabel* LblDomainSummary = nullptr;
    QLabel* LblDomainIncome = nullptr;
    QLabel* LblDomainArmy = nullptr;
    QLabel* LblSelProvSummary = nullptr;
    QLabel* LblSelProvIncome = nullptr;
    QLabel* LblSelProvArmy = nullptr;
    QTimer* Timer = nullptr;

    // Blink state: the province whose piece blinks (null: none) and the phase 0..4.
    CProvince* blinkProvince_ = nullptr;
    uint8_t blinkPhase_ = 0;
    // Set by a Ctrl+click on the provinces tab, zeroed by every mouse-up.
    std::time_t selectionStamp_ = 0;
    // The control point under the mouse when the middle button went down.
    TPoint dragScrollAnchor_{0, 0};
    // The layer a left-button drag moves, by its tag (kind 0: none).
    CLayerTag draggedLayer_;
    // Set while the window itself changes list selections, so that the lists'
    // own selection handlers leave the model alone.
    bool changingRows_ = false;
};
