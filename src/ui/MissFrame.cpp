#include "ui/MissFrame.h"

#include <QVBoxLayout>

#include <optional>
#include <string>

#include "model/MapProject.h"
#include "ui/DlgComplex.h"
#include "ui/InspectorFill.h"
#include "ui/InspectorRows.h"
#include "ui/InspectorWidget.h"

namespace {

constexpr int kSplitPos = 150;
// The longest one-line text: what the change handler takes from a row.
constexpr int kLineLength = 100;

// A row of the window: how it is edited and where its text lives.
struct MissionRow {
    InspectorRow row;
    bool longText;               // edited in the text dialog
    int maxLength;               // the longest text, in the text dialog or typed in place
    std::string CStringTable::*text;
    int (CStringTable::*set)(std::string_view);
};

constexpr MissionRow kRows[] = {
    {InspectorRow::MisName, false, kLineLength, &CStringTable::missionName, &CStringTable::SetMissionName},
    {InspectorRow::MisAuthor, false, kLineLength, &CStringTable::author, &CStringTable::SetAuthor},
    {InspectorRow::MisAuthorNotes, true, 150, &CStringTable::authorNotes, &CStringTable::SetAuthorNotes},
    {InspectorRow::SDesc, true, 1000, &CStringTable::shortDescription, &CStringTable::SetShortDescription},
    {InspectorRow::VictMsg, true, 20000, &CStringTable::victoryText, &CStringTable::SetVictoryText},
    {InspectorRow::DefeatMsg, true, 20000, &CStringTable::defeatText, &CStringTable::SetDefeatText},
};

const MissionRow* RowOf(const TrmCustomInspectorItem* item)
{
    if (!item)
        return nullptr;
    for (const MissionRow& row : kRows)
        if (item->Name() == InspectorKeys().Key(row.row))
            return &row;
    return nullptr;
}

} // namespace

TMissFrame::TMissFrame(CMapProject& project, TDlgComplex* textDialog, QWidget* parent)
    : TToolWindow(parent), project_(project)
{
    setObjectName("MissFrame");
    setWindowTitle("Mission Properties");
    RMIMissionWidget = NewInspectorWidget("RMIMission", kSplitPos, this);
    inspector_ = &InspectorOf(*RMIMissionWidget);
    textDialog_ = textDialog ? textDialog : new TDlgComplex(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(RMIMissionWidget);
    resize(300, 200);
    HandleInspector(*inspector_, [this] { RMIMissionItemChange(); }, [this] { RMIMissionComplexEdit(); });
    FormCreate();
}

void TMissFrame::FormCreate()
{
    ClearInspector(*inspector_);
}

void TMissFrame::FillItems()
{
    for (const MissionRow& row : kRows) {
        if (row.longText)
            EnsureRow<TrmComplexInspectorItem>(*inspector_, nullptr, row.row).SetEditabled(true);
        else
            EnsureRow<TrmStringInspectorItem>(*inspector_, nullptr, row.row).SetMaxLength(row.maxLength);
    }
}

void TMissFrame::Refill()
{
    FillItems();
    FillMissionInspector(project_, *inspector_);
}

void TMissFrame::RMIMissionItemChange()
{
    TrmCustomInspectorItem* item = inspector_->GetCurrentInspectorItem();
    const MissionRow* row = RowOf(item);
    CStringTable* table = CurrentTable(project_);
    if (!row || row->longText || !table)
        return;
    const std::string text = ModelText(item->AsString(), size_t(row->maxLength));
    const bool lost = LosesCharacters(*inspector_, *item);
    if (!text.empty())
        (table->*row->set)(text);
    // The row shows what the table took: the old text when it took none, the cut one.
    SetRowText(item, InspectorText(table->*row->text));
    if (lost)
        TellCharactersLost();
}

void TMissFrame::RMIMissionComplexEdit()
{
    TrmCustomInspectorItem* item = inspector_->GetCurrentInspectorItem();
    const MissionRow* row = RowOf(item);
    CStringTable* table = CurrentTable(project_);
    if (!row || !row->longText || !table)
        return;
    const std::string caption = ModelText(item->Node()->Text(), std::string::npos);
    const std::optional<std::string> text = textDialog_->Execute(caption, row->maxLength, table->*row->text);
    if (!text)
        return;
    (table->*row->set)(*text);
    SetRowText(item, InspectorText(table->*row->text));
    inspector_->Invalidate(); // the row's open editor shows the new text too
}
