// The main window's construction and start-up, its two states (no project,
// project open), the summary labels, the tab switch and closing.
#include "ui/Main.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <vector>

#include "model/ErrorList.h"
#include "model/MapProject.h"
#include "model/Settings.h"
#include "platform/qt/ControlWidget.h"
#include "platform/qt/QtFont.h"
#include "ui/EditorDialogs.h"
#include "ui/EventFrame.h"
#include "ui/InspectorWidget.h"
#include "ui/MissFrame.h"
#include "ui/QtPrompts.h"
#include "ui/WindowLayout.h"
#include "ui/WorldScrollBox.h"
#include "world/Textures.h"

using platform::qt::Windows1252ToQString;

namespace {

constexpr int kMinFormHeight = 580;
constexpr int kMinPageControlWidth = 215;
// First-run layout, until the settings file keeps the user's own.
constexpr int kDefaultFormWidth = 1280;
constexpr int kDefaultFormHeight = 900;
constexpr int kDefaultPageControlWidth = 300;
constexpr int kStatusPanelWidths[4] = {50, 50, 470, 50};
constexpr const char* kStatusPanelTexts[4] = {"Coords", "Mode", "Help", "Size"};
constexpr int kBlinkInterval = 150; // ms
constexpr int kInspectorSplitPos = 100;
// A castle adds to the income of resource 0, a bank with it adds more.
constexpr int kCastleBonus = 5;
constexpr int kBankBonus = 3;
// The dynamic property that tells whether an action is placed in the menus and tool bars.
constexpr const char* kInMenusProperty = "inMenus";

QLabel* NamedLabel(const char* name, const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setWordWrap(true);
    return label;
}

// "Summary Info:", "Total Resources Income:", "Total Army:" with their value labels.
QGroupBox* SummaryBox(const QString& title, QLabel* summary, QLabel* income, QLabel* army, QWidget* parent)
{
    auto* box = new QGroupBox(title, parent);
    auto* layout = new QVBoxLayout(box);
    layout->addWidget(new QLabel("Summary Info:", box));
    layout->addWidget(summary);
    layout->addWidget(new QLabel("Total Resources Income:", box));
    layout->addWidget(income);
    layout->addWidget(new QLabel("Total Army:", box));
    layout->addWidget(army);
    return box;
}

QGroupBox* InspectorBox(const QString& title, QWidget* inspector, QWidget* parent)
{
    auto* box = new QGroupBox(title, parent);
    auto* layout = new QVBoxLayout(box);
    layout->addWidget(inspector);
    return box;
}

// "gold[12], metal[3]": each name with its sum in brackets.
QString SumsText(const std::vector<uint64_t>& sums, const std::function<std::string(int)>& name)
{
    QString text;
    for (size_t i = 0; i < sums.size(); ++i) {
        if (i > 0)
            text += ", ";
        text += Windows1252ToQString(name(int(i))) + "[" + QString::number(sums[i]) + "]";
    }
    return text;
}

} // namespace

TMainForm::TMainForm(TMainFormSetup setup, QWidget* parent)
    : QMainWindow(parent), project_(TheMapProject()), setup_(std::move(setup))
{
    setObjectName("MainForm");
    setWindowTitle("Valdrune Map Editor");
    setMinimumHeight(kMinFormHeight);
    setMouseTracking(true); // a plain move over the form's own area empties the panels too
    if (!setup_.prompts)
        ownPrompts_ = std::make_unique<TQtPrompts>(this);
    if (!setup_.files)
        ownFiles_ = std::make_unique<TQtFileChooser>(this);
    prompts_ = setup_.prompts ? setup_.prompts : ownPrompts_.get();
    files_ = setup_.files ? setup_.files : ownFiles_.get();
    resize(kDefaultFormWidth, kDefaultFormHeight);

    CreateActions();
    CreateWorldView();
    Splitter = new QSplitter(Qt::Horizontal, this);
    Splitter->setObjectName("Splitter");
    PgCMissionProperties = new QTabWidget(Splitter);
    PgCMissionProperties->setObjectName("PgCMissionProperties");
    PgCMissionProperties->setMinimumWidth(kMinPageControlWidth);
    TabSheetPlayers = CreatePlayersTab();
    TabSheetProvinces = CreateProvincesTab();
    PgCMissionProperties->addTab(TabSheetPlayers, "Players and Domains");
    PgCMissionProperties->addTab(TabSheetProvinces, "Provinces");
    Splitter->addWidget(PgCMissionProperties);
    Splitter->addWidget(ScrBWorld);
    Splitter->setStretchFactor(1, 1);
    Splitter->setSizes({kDefaultPageControlWidth, kDefaultFormWidth - kDefaultPageControlWidth});
    setCentralWidget(Splitter);
    connect(PgCMissionProperties, &QTabWidget::currentChanged, this, [this] { PgCMissionPropertiesChange(); });
    connect(Splitter, &QSplitter::splitterMoved, this, [this] { UpdateWorldViewSize(); });
    CreateMenusAndToolBars();
    CreateStatusBar();

    Timer = new QTimer(this);
    Timer->setObjectName("Timer");
    Timer->setInterval(kBlinkInterval);
    connect(Timer, &QTimer::timeout, this, [this] { TimerTimer(); });

    project_.SetPrompts(prompts_);
    project_.SetWorldView(this);
    project_.SetProjectViews(this);
    project_.GetSelection().SetView(this);
    project_.SetWarnings(&TheErrorList());
    project_.SetWorldImage(ImgVWorld);
    project_.SetCatalogueDocument(&XMLData);
    project_.SetResourceFolder(setup_.dataFolder / "res");
    ConnectInspectors();
    FormCreate();
}

TMainForm::~TMainForm()
{
    // The tool windows go with the window; their hiding must not reach the actions.
    MissFrame->OnHide = nullptr;
    EventFrame->OnHide = nullptr;
    DetachInspectorHandlers(*rmiPlayer_);
    DetachInspectorHandlers(*rmiProvince_);
    DetachFromProject();
    ownDialogs_.reset();
}

void TMainForm::DetachFromProject()
{
    Timer->stop();
    blinkProvince_ = nullptr;
    project_.SetWorldImage(nullptr);
    project_.SetCatalogueDocument(nullptr);
    project_.GetSelection().SetView(nullptr);
    project_.SetProjectViews(nullptr);
    project_.SetWorldView(nullptr);
    project_.SetProgressDisplay(nullptr);
    project_.SetPrompts(nullptr);
}

void TMainForm::CreateActions()
{
    struct Spec {
        QAction** action;
        const char* name;
        const char* caption;
        const char* hint; // null: the caption
        QKeySequence key;
        void (TMainForm::*handler)();
        bool checkable;
        bool inMenus; // false: kept out of the menus and tool bars, its shortcut still live
    };
    // Handlers that report success are wrapped: an action's trigger ignores the result.
    const Spec specs[] = {
        {&ActNewProject, "ActNewProject", "&New project", "Import new bitmap and make new world",
         QKeySequence("Ctrl+N"), &TMainForm::ActNewProjectExecute, false, true},
        {&ActLoadProject, "ActLoadProject", "&Open project...", "Load Project", QKeySequence("Ctrl+O"),
         &TMainForm::ActLoadProjectExecute, false, true},
        {&ActSaveProject, "ActSaveProject", "&Save project", "Save Project", QKeySequence("Ctrl+S"), nullptr, false,
         true},
        {&ActSaveAsProject, "ActSaveAsProject", "Save project as...", "Save Project as new file",
         QKeySequence("Ctrl+Alt+S"), nullptr, false, true},
        {&ActReloadMap, "ActReloadMap", "&Reload World Image", nullptr, {}, &TMainForm::ActReloadMapExecute, false,
         true},
        {&ActZoomIn, "ActZoomIn", "Zoom In", nullptr, {}, &TMainForm::ActZoomInExecute, false, true},
        {&ActZoomOut, "ActZoomOut", "Zoom Out", nullptr, {}, &TMainForm::ActZoomOutExecute, false, true},
        {&ActZoomFill, "ActZoomFill", "Zoom Fill", "Zoom 100%", {}, &TMainForm::ActZoomFillExecute, false, true},
        {&ActFilePanel, "ActFilePanel", "File Panel", nullptr, {}, nullptr, true, false},
        {&ActZoomPanel, "ActZoomPanel", "Zoom Panel", nullptr, {}, nullptr, true, false},
        {&ActShowPanel, "ActShowPanel", "Show Panel", nullptr, {}, &TMainForm::ActShowPanelExecute, true, false},
        {&ActShowIcons, "ActShowIcons", "Provinces Mode", nullptr, QKeySequence(Qt::Key_F10),
         &TMainForm::ActShowIconsExecute, true, true},
        {&ActShowNames, "ActShowNames", "Show Provinces' Names", nullptr, QKeySequence(Qt::Key_F8),
         &TMainForm::ActShowNamesExecute, true, true},
        {&ActShowCastles, "ActShowCastles", "Castles Positions Mode", nullptr, QKeySequence(Qt::Key_F11),
         &TMainForm::ActShowCastlesExecute, true, true},
        {&ActShowArmies, "ActShowArmies", "Armies Positions Mode", nullptr, QKeySequence(Qt::Key_F12),
         &TMainForm::ActShowArmiesExecute, true, true},
        {&ActShowOwnerColor, "ActShowOwnerColor", "Show Owners Colors", nullptr, {},
         &TMainForm::ActShowOwnerColorExecute, true, false},
        {&ActShowNeighbours, "ActShowNeighbours", "Show Walking Paths", "Show campaign army walking paths",
         QKeySequence(Qt::Key_F7), &TMainForm::ActShowNeighboursExecute, true, true},
        {&ActShowMissRMI, "ActShowMissRMI", "Mission Properties", nullptr, QKeySequence(Qt::Key_F3), nullptr, true,
         true},
        {&ActShowEventRMI, "ActShowEventRMI", "Events List", nullptr, QKeySequence(Qt::Key_F4), nullptr, true, false},
        {&ActShowErrors, "ActShowErrors", "World image warnings", "Show world image warnings", {}, nullptr, false,
         true},
        {&ActShowOptions, "ActShowOptions", "Preferences...", nullptr, {}, nullptr, false, true},
        {&ActShowPreferences, "ActShowPreferences", "Preferences", nullptr, {}, nullptr, false, false},
        {&ActExit, "ActExit", "E&xit", nullptr, {}, nullptr, false, true},
        {&ActSavePDA, "ActSavePDA", "Compile Mission for &PDA...", "Save file in format for PDA", {},
         &TMainForm::ActSavePDAExecute, false, true},
        {&ActAddProvince, "ActAddProvince", "Add New Province", nullptr, {}, &TMainForm::ActAddProvinceExecute, false,
         true},
        {&ActDelProvince, "ActDelProvince", "Delete Selected Province(s)", nullptr, {},
         &TMainForm::ActDelProvinceExecute, false, true},
        {&ActAbout, "ActAbout", "About", nullptr, {}, nullptr, false, true},
        {&ActRecalcIconPlaces, "ActRecalcIconPlaces", "Recalculate Icons Positions",
         "Recalculate Castle And Army Places", {}, &TMainForm::ActRecalcIconPlacesExecute, false, true},
        {&ActGenerateIncome, "ActGenerateIncome", "Generate Income", "Generate Income for selected provinces", {},
         &TMainForm::ActGenerateIncomeExecute, false, true},
        {&ActResetMapIcons, "ActResetMapIcons", "ActResetMapIcons", nullptr, QKeySequence("Ctrl+R"), nullptr, false,
         true},
    };
    for (const Spec& spec : specs) {
        auto* action = new QAction(spec.caption, this);
        action->setObjectName(spec.name);
        const QString hint = spec.hint ? spec.hint : QString(spec.caption).remove('&');
        action->setToolTip(hint);
        action->setStatusTip(hint);
        action->setShortcut(spec.key);
        action->setCheckable(spec.checkable);
        // A hidden QAction is also a disabled one: an action kept out of the menus stays
        // visible to Qt and is just not placed in them, so that it keeps its shortcut.
        action->setProperty(kInMenusProperty, spec.inMenus);
        if (spec.handler)
            connect(action, &QAction::triggered, this, [this, handler = spec.handler] { (this->*handler)(); });
        addAction(action); // shortcuts work for actions that no menu shows
        *spec.action = action;
    }
    connect(ActSaveProject, &QAction::triggered, this, [this] { ActSaveProjectExecute(); });
    connect(ActSaveAsProject, &QAction::triggered, this, [this] { ActSaveAsProjectExecute(); });
    connect(ActShowErrors, &QAction::triggered, this, [this] { dialogs_->ShowWarnings(); });
    connect(ActShowOptions, &QAction::triggered, this, [this] { dialogs_->ShowOptions(); });
    connect(ActAbout, &QAction::triggered, this, [this] { dialogs_->ShowAbout(); });
    connect(ActExit, &QAction::triggered, this, &QWidget::close);
    // Only with a project: the file and zoom panel switches just follow their check marks.
    for (QAction* panel : {ActFilePanel, ActZoomPanel})
        connect(panel, &QAction::triggered, this, [this] {
            if (HasProject())
                project_.PlaceProvinceMarkers();
        });
}

void TMainForm::CreateMenusAndToolBars()
{
    // The same actions, without those that the menus and tool bars leave out.
    const auto shown = [](const std::vector<QAction*>& actions) {
        QList<QAction*> placed;
        for (QAction* action : actions)
            if (action->property(kInMenusProperty).toBool())
                placed.append(action);
        return placed;
    };
    QMenu* file = menuBar()->addMenu("&File");
    file->addActions(shown({ActNewProject, ActLoadProject, ActSaveProject, ActSaveAsProject}));
    file->addSeparator();
    file->addActions(shown({ActReloadMap, ActSavePDA}));
    file->addSeparator();
    file->addAction(ActExit);
    QMenu* view = menuBar()->addMenu("&View");
    view->addActions(shown({ActZoomIn, ActZoomFill, ActZoomOut}));
    view->addSeparator();
    view->addActions(shown({ActFilePanel, ActZoomPanel, ActShowPanel}));
    view->addSeparator();
    view->addActions(shown({ActShowMissRMI, ActShowEventRMI}));
    view->addSeparator();
    view->addActions(shown({ActShowOwnerColor, ActShowNeighbours, ActShowNames}));
    view->addSeparator();
    view->addActions(shown({ActShowIcons, ActShowCastles, ActShowArmies, ActRecalcIconPlaces}));
    QMenu* tools = menuBar()->addMenu("&Tools");
    tools->addSeparator();
    tools->addActions(shown({ActShowPreferences, ActShowErrors, ActShowOptions}));
    menuBar()->addMenu("&Help")->addAction(ActAbout);

    TBrShow = addToolBar("Show Panel");
    TBrShow->setObjectName("TBrShow");
    const std::vector<std::vector<QAction*>> groups = {
        {ActNewProject, ActLoadProject, ActSaveProject},
        {ActZoomOut, ActZoomIn, ActZoomFill},
        {ActShowMissRMI, ActShowEventRMI},
        {ActShowOwnerColor, ActShowNeighbours, ActShowNames},
        {ActShowIcons, ActShowCastles, ActShowArmies, ActRecalcIconPlaces},
        {ActShowErrors, ActShowOptions},
    };
    for (size_t i = 0; i < groups.size(); ++i) {
        if (i > 0)
            TBrShow->addSeparator();
        TBrShow->addActions(shown(groups[i]));
    }
    ActShowPanel->setChecked(true);
}

void TMainForm::CreateStatusBar()
{
    for (int i = 0; i < 4; ++i) {
        auto* panel = new QLabel(kStatusPanelTexts[i], this);
        panel->setObjectName(QString("StatusPanel%1").arg(i));
        panel->setMinimumWidth(kStatusPanelWidths[i]);
        statusPanels_[size_t(i)] = panel;
    }
    // The help panel takes what the others leave; they grow to show their whole text.
    statusPanels_[kHelpPanel]->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    for (int i = 0; i < 4; ++i)
        statusBar()->addWidget(statusPanels_[size_t(i)], i == kHelpPanel ? 1 : 0);
    statusBar()->setObjectName("StatusBar");
}

QWidget* TMainForm::CreatePlayersTab()
{
    auto* tab = new QWidget;
    tab->setObjectName("TabSheetPlayers");
    LVPlayers = new QTreeWidget(tab);
    LVPlayers->setObjectName("LVPlayers");
    LVPlayers->setColumnCount(4);
    LVPlayers->setHeaderLabels({"Pl Number", "Name", "Skills", "Ability"});
    LVPlayers->setHeaderHidden(true);
    // With no header to drag, the columns fit the list's width: the name takes what the
    // number, skills and playability leave, so that no row reaches past the list.
    QHeaderView* columns = LVPlayers->header();
    columns->setStretchLastSection(false);
    columns->setMinimumSectionSize(0);
    columns->setSectionResizeMode(kNumberColumn, QHeaderView::Fixed);
    columns->setSectionResizeMode(kNameColumn, QHeaderView::Stretch);
    columns->setSectionResizeMode(kSkillsColumn, QHeaderView::ResizeToContents);
    columns->setSectionResizeMode(kPlayabilityColumn, QHeaderView::ResizeToContents);
    LVPlayers->setColumnWidth(kNumberColumn, 30);
    LVPlayers->setRootIsDecorated(false);
    LVPlayers->setSelectionBehavior(QAbstractItemView::SelectRows);
    LVPlayers->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Six rows need little room: the player inspector below takes what is left.
    LVPlayers->setMaximumHeight(CMapProject::kPlayerCount * (LVPlayers->fontMetrics().height() + 4) +
                                2 * LVPlayers->frameWidth() + 4);
    connect(LVPlayers, &QTreeWidget::itemSelectionChanged, this, [this] { LVPlayersSelectItem(); });
    connect(LVPlayers, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* row) { LVPlayersChange(row); });

    RMIPlayer = NewInspectorWidget("RMIPlayer", kInspectorSplitPos, tab);
    LblDomainSummary = NamedLabel("LblDomainSummary", QString(), tab);
    LblDomainIncome = NamedLabel("LblDomainIncome", QString(), tab);
    LblDomainArmy = NamedLabel("LblDomainArmy", QString(), tab);
    auto* layout = new QVBoxLayout(tab);
    layout->addWidget(LVPlayers);
    layout->addWidget(InspectorBox("Selected Player Properties", RMIPlayer, tab), 1);
    layout->addWidget(SummaryBox("Domain Info", LblDomainSummary, LblDomainIncome, LblDomainArmy, tab));
    return tab;
}

QWidget* TMainForm::CreateProvincesTab()
{
    auto* tab = new QWidget;
    tab->setObjectName("TabSheetProvinces");
    auto* editBar = new QToolBar(tab);
    // Short captions on the buttons, so that both show at the tab's default width.
    ActAddProvince->setIconText("Add");
    ActDelProvince->setIconText("Delete");
    editBar->addAction(ActAddProvince);
    editBar->addAction(ActDelProvince);

    PlProvince = new QWidget(tab);
    PlProvince->setObjectName("PlProvince");
    PlProvince->installEventFilter(this);
    LVProvinces = new QTreeWidget(PlProvince);
    LVProvinces->setObjectName("LVProvinces");
    LVProvinces->setColumnCount(2);
    LVProvinces->setHeaderLabels({"Province", "Owner"});
    LVProvinces->setRootIsDecorated(false);
    LVProvinces->setSelectionMode(QAbstractItemView::ExtendedSelection);
    LVProvinces->setSelectionBehavior(QAbstractItemView::SelectRows);
    LVProvinces->setEditTriggers(QAbstractItemView::NoEditTriggers);
    connect(LVProvinces, &QTreeWidget::itemSelectionChanged, this, [this] { LVProvincesSelectionChanged(); });
    auto* listLayout = new QVBoxLayout(PlProvince);
    listLayout->setContentsMargins(0, 0, 0, 0);
    listLayout->addWidget(LVProvinces);

    auto* incomeBar = new QToolBar;
    incomeBar->addAction(ActGenerateIncome);
    RMIProvince = NewInspectorWidget("RMIProvince", kInspectorSplitPos, nullptr);
    LblSelProvSummary = NamedLabel("LblSelProvSummary", QString(), nullptr);
    LblSelProvIncome = NamedLabel("LblSelProvIncome", QString(), nullptr);
    LblSelProvArmy = NamedLabel("LblSelProvArmy", QString(), nullptr);

    provincesSplitter_ = new QSplitter(Qt::Vertical, tab);
    provincesSplitter_->addWidget(PlProvince);
    auto* lower = new QWidget(provincesSplitter_);
    auto* lowerLayout = new QVBoxLayout(lower);
    lowerLayout->setContentsMargins(0, 0, 0, 0);
    lowerLayout->addWidget(incomeBar);
    lowerLayout->addWidget(InspectorBox("Selected Province(s) Properties", RMIProvince, lower), 1);
    lowerLayout->addWidget(
        SummaryBox("Selected Provinces Info", LblSelProvSummary, LblSelProvIncome, LblSelProvArmy, lower));
    provincesSplitter_->addWidget(lower);
    provincesSplitter_->setStretchFactor(1, 1); // the inspector gets the room, not the list

    auto* layout = new QVBoxLayout(tab);
    layout->addWidget(editBar);
    layout->addWidget(provincesSplitter_, 1);
    return tab;
}

void TMainForm::CreateWorldView()
{
    ScrBWorld = new TWorldScrollBox(this);
    ScrBWorld->setObjectName("ScrBWorld");
    LblNoProject = new QLabel("Please, create a new project (by clicking the \"File->New project\") or load it (by "
                              "clicking the \"File->Open project...\") from a file",
                              ScrBWorld->viewport());
    LblNoProject->setObjectName("LblNoProject");
    LblNoProject->setWordWrap(true);
    LblNoProject->setGeometry(16, 16, 400, 60);

    auto image = std::make_unique<TImage32>();
    ImgVWorld = image.get();
    ImgVWorld->SetBitmapAlign(baTopLeft);
    ImgVWorld->SetScaleMode(smScale);
    ImgVWorld->OnMouseDown = [this](TObject*, platform::MouseButton button, platform::ShiftState shift, int32_t x,
                                    int32_t y, TCustomLayer* layer) { ImgVWorldMouseDown(button, shift, x, y, layer); };
    ImgVWorld->OnMouseMove = [this](TObject*, platform::ShiftState shift, int32_t x, int32_t y, TCustomLayer*) {
        ImgVWorldMouseMove(shift, x, y);
    };
    ImgVWorld->OnMouseUp = [this](TObject*, platform::MouseButton, platform::ShiftState, int32_t, int32_t,
                                  TCustomLayer*) { ImgVWorldMouseUp(); };
    imgVWorldWidget_ = new platform::qt::ControlWidget(std::move(image), ScrBWorld->viewport());
    imgVWorldWidget_->setObjectName("ImgVWorld");
    ScrBWorld->OnScroll = [this] { PlaceWorldView(); };
    ScrBWorld->OnResize = [this] { UpdateWorldViewSize(); };
}

void TMainForm::FormCreate()
{
    std::string problem;
    if (!ReadSettingsFile(setup_.settingsFolder / "ini.xml", TheSettings(), layout_, problem))
        Error(problem);
    if (!setup_.dialogs)
        ownDialogs_ = std::make_unique<TEditorDialogs>(*this, TheSettings(), project_, TheErrorList(),
                                                       layout_.errorsForm, setup_.dataFolder);
    dialogs_ = setup_.dialogs ? setup_.dialogs : ownDialogs_.get();
    project_.SetProgressDisplay(dialogs_->Progress());
    CreateToolWindows(); // after the dialogs: they share the text editor
    ClearInspectors();

    for (const std::string& missing : LoadTextures(setup_.dataFolder))
        Error(missing);
    // The province marker picture; magenta pixels are see-through.
    try {
        project_.GetMarkerPicture().LoadFromFile(setup_.dataFolder / "res" / "marker.bmp");
    } catch (const std::exception&) {
        Error("Cannot find res/marker.bmp");
    }
    // The catalogue is read again whenever a project is set up; a fault shows then.
    XMLData.SetFileName(setup_.dataFolder / "fw.xml");
    XMLData.Load(problem);

    ApplyLayout();
    const CSettings& settings = TheSettings();
    ActShowNames->setChecked(settings.ShNames != 0);
    ActShowIcons->setChecked(settings.ShIcons != 0);
    ActShowCastles->setChecked(settings.ShCastles != 0);
    ActShowArmies->setChecked(settings.ShArmies != 0);
    ActShowOwnerColor->setChecked(settings.OwnerColors != 0);
    ActShowNeighbours->setChecked(settings.ShPaths != 0);
    EnableProjectUI(false);
    UpdateInfo(kNoRow);
}

void TMainForm::ApplyLayout()
{
    const CMainFormLayout& layout = layout_.mainForm;
    // The first time, the window opens in the middle of the primary screen.
    QRect firstPlace(QPoint(0, 0), size());
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        firstPlace.moveCenter(screen->availableGeometry().center());
    ApplyWindowBounds(*this, layout, firstPlace);
    if (layout.Splitter > 0)
        Splitter->setSizes({layout.Splitter, std::max(1, width() - layout.Splitter)});
    ActFilePanel->setChecked(layout.FilePanel);
    ActShowPanel->setChecked(layout.ShowPanel);
    TBrShow->setVisible(layout.ShowPanel);
    ActZoomPanel->setChecked(layout.ZoomPanel);
    ApplyWindowState(*this, layout.State);
    if (layout.ProvHeight > 0)
        provincesSplitter_->setSizes({layout.ProvHeight, std::max(1, provincesSplitter_->height() - layout.ProvHeight)});
    if (layout.ProvWidName > 0)
        LVProvinces->setColumnWidth(0, layout.ProvWidName);
    if (layout.ProvWidOwner > 0)
        LVProvinces->setColumnWidth(1, layout.ProvWidOwner);
    ApplyToolWindowLayout();
}

void TMainForm::StoreLayout()
{
    CMainFormLayout& layout = layout_.mainForm;
    static_cast<CWindowBounds&>(layout) = WindowBoundsOf(*this);
    layout.State = WindowStateOf(*this);
    layout.Splitter = PgCMissionProperties->width();
    layout.FilePanel = ActFilePanel->isChecked();
    layout.ShowPanel = ActShowPanel->isChecked();
    layout.ZoomPanel = ActZoomPanel->isChecked();
    if (provincesListShown_) // else it never was laid out: the height read stays
        layout.ProvHeight = PlProvince->height();
    layout.ProvWidName = LVProvinces->columnWidth(0);
    layout.ProvWidOwner = LVProvinces->columnWidth(1);
    StoreToolWindowLayout();
}

int TMainForm::EnableProjectUI(bool on)
{
    LblNoProject->setVisible(!on);
    PgCMissionProperties->setTabVisible(kPlayersTab, on);
    PgCMissionProperties->setTabVisible(kProvincesTab, on);
    for (QAction* action : {ActSaveProject, ActSaveAsProject, ActSavePDA, ActReloadMap, ActZoomIn, ActZoomFill,
                            ActZoomOut, ActShowMissRMI, ActShowEventRMI, ActShowOwnerColor, ActShowNeighbours,
                            ActShowNames, ActShowIcons, ActShowCastles, ActShowArmies, ActShowErrors,
                            ActShowPreferences, ActRecalcIconPlaces, ActAddProvince, ActDelProvince})
        action->setEnabled(on);
    LVProvinces->setEnabled(on);
    LVPlayers->setEnabled(on);
    EventFrame->EnableToolBar(on);
    ImgVWorld->SetVisible(on);
    return 1;
}

void TMainForm::UpdateInfo(uint8_t row)
{
    const CPlayerData* player = row < kNoRow && row < project_.GetPlayers().GetCount()
                                    ? &project_.GetPlayers().GetAt(row)
                                    : nullptr;
    const int resources = project_.resources;
    const int units = project_.GetUnitTypeCount();
    std::vector<uint64_t> income(size_t(resources), 0);
    std::vector<uint64_t> army(size_t(units), 0);
    if (player)
        for (int i = 0; i < units && i < player->army.GetSize(); ++i)
            army[size_t(i)] = player->army[i];

    unsigned provinces = 0, castles = 0;
    const CSelect& selection = project_.GetSelection();
    for (int p = 0; p < project_.GetProvinces().GetSize(); ++p) {
        const CProvince& province = *project_.GetProvinces().GetAt(p);
        if (!selection.Contains(&province))
            continue;
        ++provinces;
        if (province.castle.flags & CCastleDataB::kCastle) {
            ++castles;
            if (resources > 0) {
                income[0] += kCastleBonus;
                if (province.castle.buildings & CCastleDataB::kBank)
                    income[0] += kBankBonus;
            }
        }
        for (int i = 0; i < resources && i < province.resources.GetSize(); ++i)
            income[size_t(i)] += province.resources[i];
        for (int i = 0; i < units && i < province.army.GetSize(); ++i)
            army[size_t(i)] += province.army[i];
    }

    const CStringTable* table = project_.GetStringTables().GetAt(project_.GetCurrentStringTable());
    auto resourceName = [table](int i) { return table ? table->GetResourceName(i) : std::string(); };
    auto unitName = [table](int i) { return table ? table->GetUnitName(i) : std::string(); };
    const QString summary = QString("%1 Provinces, %2 Castles").arg(provinces).arg(castles);
    const QString incomeText = SumsText(income, resourceName);
    const QString armyText = SumsText(army, unitName);
    for (QLabel* label : {LblDomainSummary, LblSelProvSummary})
        label->setText(summary);
    for (QLabel* label : {LblDomainIncome, LblSelProvIncome})
        label->setText(incomeText);
    for (QLabel* label : {LblDomainArmy, LblSelProvArmy})
        label->setText(armyText);
}

void TMainForm::Error(const std::string& text)
{
    prompts_->Message(text);
}

void TMainForm::SetStatusText(int panel, const QString& text)
{
    statusPanels_[size_t(panel)]->setText(text);
}

void TMainForm::ShowNoProject()
{
    EnableProjectUI(false);
    ScrBWorld->SetContentSize(0, 0); // nothing to scroll to in the empty view
    for (int panel : {kCoordsPanel, kZoomPanel, kSizePanel})
        SetStatusText(panel, QString());
}

void TMainForm::ShowWorldSize()
{
    SetStatusText(kSizePanel, QString("[%1:%2]").arg(project_.GetWidth()).arg(project_.GetHeight()));
}

void TMainForm::ProcessPaintEvents()
{
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TMainForm::ShowTab(int index)
{
    {
        const QSignalBlocker quiet(PgCMissionProperties);
        PgCMissionProperties->setCurrentIndex(index);
    }
    PgCMissionPropertiesChange();
}

void TMainForm::PgCMissionPropertiesChange()
{
    CSelect& selection = project_.GetSelection();
    selection.Clear();
    DeselectInspectors();
    UpdateInfo(kNoRow);
    if (PgCMissionProperties->currentIndex() == kProvincesTab) {
        selection.provincesTab = 1;
        StopBlink();
        return;
    }
    selection.provincesTab = 0;
    RefreshCapitalChoices(); // the provinces may have changed meanwhile
    const int player = SelectedPlayer();
    if (player < 0)
        return;
    SelectOwner(player);
    StartBlink(project_.GetPlayers().GetAt(uint32_t(player)).capital);
    UpdateInfo(uint8_t(player));
}

bool TMainForm::SaveChangesFirst()
{
    switch (project_.QuerySaveChanges()) {
    case 1:
        return ActSaveProjectExecute();
    case 2:
        return false;
    default:
        return true;
    }
}

bool TMainForm::FormCloseQuery()
{
    return project_.GetProvinces().GetSize() == 0 || SaveChangesFirst();
}

void TMainForm::FormClose()
{
    project_.Clear();
    StoreLayout();
    std::string problem;
    if (!WriteSettingsFile(setup_.settingsFolder / "ini.xml", TheSettings(), layout_, problem))
        Error(problem);
    DetachFromProject();
}

void TMainForm::closeEvent(QCloseEvent* event)
{
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    FormClose();
    event->accept();
}

void TMainForm::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    // After the window system has mapped this window, so that the tool windows come above it.
    if (!event->spontaneous())
        QTimer::singleShot(0, this, [this] { ShowToolWindows(); });
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == PlProvince && event->type() == QEvent::Show)
        provincesListShown_ = true;
    return QMainWindow::eventFilter(watched, event);
}

void TMainForm::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    UpdateWorldViewSize();
}

bool TMainForm::event(QEvent* event)
{
    // The long part of a hint goes to the help panel, not over the whole status bar.
    if (event->type() == QEvent::StatusTip) {
        SetStatusText(kHelpPanel, static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

void TMainForm::mouseMoveEvent(QMouseEvent* event)
{
    SetStatusText(kCoordsPanel, QString());
    SetStatusText(kHelpPanel, QString());
    QMainWindow::mouseMoveEvent(event);
}
