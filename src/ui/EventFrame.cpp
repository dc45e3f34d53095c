#include "ui/EventFrame.h"

#include <QHeaderView>
#include <QLabel>
#include <QGroupBox>
#include <QSignalBlocker>
#include <QSplitter>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <optional>
#include <string>

#include "inspector/rmLibraryText.h"
#include "model/MapProject.h"
#include "platform/qt/QtFont.h"
#include "ui/DlgComplex.h"
#include "ui/InspectorFill.h"
#include "ui/InspectorIndexedKeys.h"
#include "ui/InspectorRows.h"
#include "ui/InspectorWidget.h"

using platform::qt::Windows1252ToQString;

namespace {

constexpr int kSplitPos = 105;
constexpr int kTitleLength = 25;
constexpr int kDescriptionLength = 20000;
constexpr int kMaxTurn = 0xFFFF;
enum Column { kTurnColumn, kTitleColumn };
constexpr int kTurnColumnWidth = 40;

// The turn column's width: at least its designed one, with room for its caption, and
// for the tick and three digits.
int TurnColumnWidth(const QTreeWidget& list)
{
    QStyleOptionViewItem option;
    option.initFrom(&list);
    option.font = list.font();
    option.features = QStyleOptionViewItem::HasCheckIndicator | QStyleOptionViewItem::HasDisplay;
    option.text = "000";
    const QSize needed = list.style()->sizeFromContents(QStyle::CT_ItemViewItem, &option, QSize(), &list);
    return std::max({kTurnColumnWidth, needed.width(), list.header()->sectionSizeHint(kTurnColumn)});
}

CEvent* RowEvent(const QTreeWidgetItem& row)
{
    return reinterpret_cast<CEvent*>(row.data(kTurnColumn, Qt::UserRole).value<quintptr>());
}

const std::string& Key(InspectorRow row)
{
    return InspectorKeys().Key(row);
}

// The amounts a kind of effect changes; null for a custom effect.
template <class Event>
auto* AmountsOf(Event& event)
{
    using Amounts = decltype(&event.resData.increase);
    switch (event.effect) {
    case CEventB::kTreasuryIncrease:
        return Amounts(&event.resData.increase);
    case CEventB::kTreasuryDecrease:
        return Amounts(&event.resData.decrease);
    default:
        return Amounts(nullptr);
    }
}

} // namespace

TEventFrame::TEventFrame(CMapProject& project, TDlgComplex* textDialog, QWidget* parent)
    : TToolWindow(parent), project_(project)
{
    setObjectName("EventFrame");
    setWindowTitle("Events List");
    setMinimumSize(100, 100);

    auto* upper = new QWidget;
    auto* label = new QLabel("Game Events", upper);
    LVEvents = new QTreeWidget(upper);
    LVEvents->setObjectName("LVEvents");
    LVEvents->setColumnCount(2);
    LVEvents->setHeaderLabels({"Turn", "Event Titles"});
    LVEvents->setColumnWidth(kTurnColumn, TurnColumnWidth(*LVEvents));
    LVEvents->setRootIsDecorated(false);
    LVEvents->setSelectionMode(QAbstractItemView::SingleSelection);
    LVEvents->setSelectionBehavior(QAbstractItemView::SelectRows);
    LVEvents->setEditTriggers(QAbstractItemView::NoEditTriggers);
    TBEvent = new QToolBar(upper);
    TBEvent->setObjectName("TBEvent");
    auto addTool = [this](const char* name, const char* text, void (TEventFrame::*click)()) {
        QAction* action = TBEvent->addAction(text);
        action->setObjectName(name);
        connect(action, &QAction::triggered, this, [this, click] { RunGuarded(this, [this, click] { (this->*click)(); }); });
        return action;
    };
    TBAdd = addTool("TBAdd", "Add", &TEventFrame::TBAddClick);
    TBDelete = addTool("TBDelete", "Delete", &TEventFrame::TBDeleteClick);
    TBUp = addTool("TBUp", "Up", &TEventFrame::TBUpClick);
    TBDown = addTool("TBDown", "Down", &TEventFrame::TBDownClick);
    auto* upperLayout = new QVBoxLayout(upper);
    upperLayout->setContentsMargins(0, 0, 0, 0);
    upperLayout->addWidget(label);
    upperLayout->addWidget(TBEvent);
    upperLayout->addWidget(LVEvents);

    auto* lower = new QGroupBox("Selected Event Properties");
    RMIEventWidget = NewInspectorWidget("RMIEvent", kSplitPos, lower);
    inspector_ = &InspectorOf(*RMIEventWidget);
    auto* lowerLayout = new QVBoxLayout(lower);
    lowerLayout->addWidget(RMIEventWidget);

    auto* splitter = new QSplitter(Qt::Vertical, this);
    splitter->setObjectName("Splitter");
    splitter->addWidget(upper);
    splitter->addWidget(lower);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(splitter);
    resize(320, 420);

    textDialog_ = textDialog ? textDialog : new TDlgComplex(this);
    connect(LVEvents, &QTreeWidget::itemSelectionChanged, this,
            [this] { RunGuarded(this, [this] { LVEventsSelectItem(); }); });
    connect(LVEvents, &QTreeWidget::itemChanged, this,
            [this](QTreeWidgetItem* row) { RunGuarded(this, [this, row] { LVEventsChange(row); }); });
    HandleInspector(*inspector_, [this] { RMIEventItemChange(); }, [this] { RMIEventComplexEdit(); });
    FormCreate();
}

void TEventFrame::FormCreate()
{
    Clear();
    EnableToolBar(false);
}

void TEventFrame::EnableToolBar(bool on)
{
    TBEvent->setEnabled(on);
}

void TEventFrame::Clear()
{
    ClearInspector(*inspector_);
    const QSignalBlocker quiet(LVEvents);
    LVEvents->clear();
}

void TEventFrame::FillEventList()
{
    Clear();
    const CEventList& events = project_.GetEvents();
    for (int i = 0; i < events.GetCount(); ++i)
        AddRow(*events.GetEvent(i));
}

QTreeWidgetItem* TEventFrame::AddRow(CEvent& event, int at)
{
    const QSignalBlocker quiet(LVEvents);
    auto* row = new QTreeWidgetItem;
    row->setData(kTurnColumn, Qt::UserRole, QVariant::fromValue(reinterpret_cast<quintptr>(&event)));
    row->setFlags(row->flags() | Qt::ItemIsUserCheckable);
    ShowRow(*row, event);
    LVEvents->insertTopLevelItem(at < 0 ? LVEvents->topLevelItemCount() : at, row);
    return row;
}

void TEventFrame::ShowRow(QTreeWidgetItem& row, const CEvent& event)
{
    const QSignalBlocker quiet(LVEvents);
    const CStringTable* table = CurrentTable(project_);
    row.setText(kTurnColumn, QString::number(event.turn));
    row.setText(kTitleColumn, table ? Windows1252ToQString(table->GetEventTitle(event.id)) : QString());
    row.setCheckState(kTurnColumn, event.enabled ? Qt::Checked : Qt::Unchecked);
}

CEvent* TEventFrame::SelectedEvent() const
{
    const QList<QTreeWidgetItem*> rows = LVEvents->selectedItems();
    return rows.isEmpty() ? nullptr : RowEvent(*rows.front());
}

void TEventFrame::SelectRow(int index)
{
    if (QTreeWidgetItem* row = LVEvents->topLevelItem(index)) {
        LVEvents->setCurrentItem(row);
        row->setSelected(true);
    }
}

void TEventFrame::LVEventsSelectItem()
{
    if (const CEvent* event = SelectedEvent()) {
        FillItems(*event);
        inspector_->Invalidate(); // an open editor shows the picked event's value too
    } else
        ClearInspector(*inspector_);
}

// The tick is the event's enabled flag: only enabled events are exported.
void TEventFrame::LVEventsChange(QTreeWidgetItem* row)
{
    if (CEvent* event = row ? RowEvent(*row) : nullptr)
        project_.StoreChange(event->enabled, uint32_t(row->checkState(kTurnColumn) == Qt::Checked ? 1 : 0));
}

void TEventFrame::TBAddClick()
{
    if (CEvent* event = project_.GetEvents().AddEvent())
        AddRow(*event);
}

void TEventFrame::TBDeleteClick()
{
    QTreeWidgetItem* row = LVEvents->currentItem();
    if (!row || !row->isSelected())
        return;
    const int index = LVEvents->indexOfTopLevelItem(row);
    CEvent* event = RowEvent(*row);
    ClearInspector(*inspector_);
    {
        const QSignalBlocker quiet(LVEvents);
        delete row;
    }
    project_.GetEvents().DeleteEvent(event);
    const int count = LVEvents->topLevelItemCount();
    LVEvents->clearSelection();
    SelectRow(count > index ? index : count - 1);
}

void TEventFrame::MoveSelectedRow(int step)
{
    QTreeWidgetItem* row = LVEvents->currentItem();
    if (!row || !row->isSelected())
        return;
    const int from = LVEvents->indexOfTopLevelItem(row);
    const int to = from + step;
    if (to < 0 || to >= LVEvents->topLevelItemCount())
        return;
    {
        const QSignalBlocker quiet(LVEvents);
        LVEvents->takeTopLevelItem(from);
        LVEvents->insertTopLevelItem(to, row);
    }
    LVEvents->clearSelection();
    SelectRow(to);
}

void TEventFrame::FillItems(const CEvent& event)
{
    const CStringTable* table = CurrentTable(project_);
    if (!table)
        return;
    auto& title = EnsureRow<TrmStringInspectorItem>(*inspector_, nullptr, InspectorRow::ETitle);
    title.SetMaxLength(kTitleLength);
    SetRowText(&title, InspectorText(table->GetEventTitle(event.id)));
    auto& description = EnsureRow<TrmComplexInspectorItem>(*inspector_, nullptr, InspectorRow::EDecr);
    description.SetEditabled(true);
    SetRowText(&description, InspectorText(table->GetEventText(event.id)));
    auto& affects = EnsureRow<TrmBlankInspectorItem>(*inspector_, nullptr, InspectorRow::EAffects);
    SetRowText(&affects, event.affectsPlayers == 1 ? ChoiceAt(InspectorKeys().Choices(InspectorRow::EAffects), 0)
                                                   : std::string());
    ShowPlayerRows(event);
    auto& turn = EnsureRow<TrmSafeIntegerInspectorItem>(*inspector_, nullptr, InspectorRow::ETurn);
    turn.SetMaxValue(kMaxTurn);
    turn.SetMinValue(1);
    SetRowText(&turn, std::to_string(event.turn));
    auto& effect = EnsureRow<TrmComboInspectorItem>(*inspector_, nullptr, InspectorRow::EEffect);
    SetRowChoices(effect, CatalogueChoices(InspectorRow::EEffect));
    SetRowText(&effect, ChoiceAt(effect.Items(), event.effect));
    ShowResourceRows(event);
}

void TEventFrame::ShowPlayerRows(const CEvent& event)
{
    TrmCustomInspectorItem* affects = FindRow(*inspector_, InspectorRow::EAffects);
    if (!affects)
        return;
    if (event.affectsPlayers != 1) {
        RemoveChildRows(*inspector_, *affects);
        return;
    }
    if (affects->Node()->Count() != CMapProject::kPlayerCount) {
        RemoveChildRows(*inspector_, *affects);
        for (int n = 0; n < CMapProject::kPlayerCount; ++n)
            EnsureRow<TrmCheckBoxInspectorItem>(*inspector_, affects->Node(), FormatIndexedKey(IndexedKey::EventPlayer, n),
                                                "");
        affects->Node()->SetExpanded(true);
    }
    const CStringTable* table = CurrentTable(project_);
    for (int n = 0; n < CMapProject::kPlayerCount; ++n) {
        TrmCustomInspectorItem* row = FindRow(*inspector_, FormatIndexedKey(IndexedKey::EventPlayer, n));
        if (!row)
            continue;
        SetRowCaption(*row, table ? InspectorText(table->GetPlayerName(n)) : std::string());
        SetRowText(row, BoolToStr(n < event.players.GetSize() && event.players[n] != 0));
    }
}

void TEventFrame::ShowResourceRows(const CEvent& event)
{
    TrmCustomInspectorItem* effect = FindRow(*inspector_, InspectorRow::EEffect);
    if (!effect)
        return;
    const CEventB::Res* amounts = AmountsOf(event);
    if (!amounts) {
        RemoveChildRows(*inspector_, *effect);
        return;
    }
    const CStringTable* table = CurrentTable(project_);
    if (effect->Node()->Count() != project_.resources) {
        RemoveChildRows(*inspector_, *effect);
        for (int r = 0; r < project_.resources; ++r)
            EnsureRow<TrmSafeIntegerInspectorItem>(*inspector_, effect->Node(),
                                                   FormatIndexedKey(IndexedKey::EventResource, r),
                                                   table ? InspectorText(table->GetResourceName(r)) : std::string())
                .SetMinValue(0);
        effect->Node()->SetExpanded(true);
    }
    for (int r = 0; r < project_.resources; ++r)
        SetRowText(*inspector_, FormatIndexedKey(IndexedKey::EventResource, r),
                   r < amounts->GetSize() ? std::to_string((*amounts)[r]) : std::string());
}

void TEventFrame::RMIEventItemChange()
{
    TrmCustomInspectorItem* item = inspector_->GetCurrentInspectorItem();
    CEvent* event = SelectedEvent();
    CStringTable* table = CurrentTable(project_);
    if (!item || item->Name().empty() || !event || !table)
        return;
    const std::string& key = item->Name();
    const std::string text = ModelText(item->AsString());
    const bool lost = LosesCharacters(*inspector_, *item);
    QTreeWidgetItem* row = LVEvents->currentItem();
    if (key == Key(InspectorRow::ETitle)) {
        table->SetEventTitle(event->id, text);
    } else if (key == Key(InspectorRow::ETurn)) {
        if (int64_t turn = 0; RowInteger(*item, turn))
            project_.StoreChange(event->turn, uint16_t(turn));
    } else if (key == Key(InspectorRow::EEffect)) {
        const auto choices = InspectorKeys().Choices(InspectorRow::EEffect);
        if (const int kind = ChoicePosition(*item); kind >= 0)
            project_.StoreChange(event->effect, uint8_t(kind));
        SetRowText(item, ChoiceAt(choices, event->effect));
        ShowResourceRows(*event);
    } else if (const std::optional<int> r = ParseIndexedKey(IndexedKey::EventResource, key)) {
        int64_t amount = 0;
        CEventB::Res* amounts = AmountsOf(*event);
        if (amounts && *r < amounts->GetSize() && RowInteger(*item, amount))
            project_.StoreChange((*amounts)[*r], uint8_t(amount));
    } else if (const std::optional<int> n = ParseIndexedKey(IndexedKey::EventPlayer, key)) {
        if (*n < event->players.GetSize() && !text.empty())
            project_.StoreChange(event->players[*n], uint8_t(StrToBool(item->AsString()) ? 1 : 0));
    }
    if (row && RowEvent(*row) == event)
        ShowRow(*row, *event);
    FillItems(*event); // the rows show what the event took: the old value when it took none
    if (lost)
        TellCharactersLost();
}

void TEventFrame::RMIEventComplexEdit()
{
    TrmCustomInspectorItem* item = inspector_->GetCurrentInspectorItem();
    CEvent* event = SelectedEvent();
    CStringTable* table = CurrentTable(project_);
    if (!item || item->Name() != Key(InspectorRow::EDecr) || !event || !table)
        return;
    const std::optional<std::string> text =
        textDialog_->Execute(InspectorKeys().Caption(InspectorRow::EDecr), kDescriptionLength, table->GetEventText(event->id));
    if (!text)
        return;
    table->SetEventText(event->id, *text);
    SetRowText(item, InspectorText(table->GetEventText(event->id)));
    inspector_->Invalidate(); // the row's open editor shows the new text too
}
