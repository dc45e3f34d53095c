// The events window driven by mouse and keys: events added, edited in the
// inspector, moved in the list only, deleted; the list and the project agree.
#include <QToolBar>
#include <QToolButton>

#include "ui/EventFrame.h"

#include "InspectorDriver.h"

namespace {

using namespace std::string_literals;

class EventFrameTest : public CatalogueProjectTest {
protected:
    EventFrameTest() : frame(project), host(HostOf(frame, "RMIEvent")), list(frame.EventList())
    {
        frame.FillEventList();
        frame.EnableToolBar(true);
        ShowWindow(frame);
    }

    void Click(const char* tool, int times = 1)
    {
        auto* bar = frame.findChild<QToolBar*>("TBEvent");
        auto* action = frame.findChild<QAction*>(tool);
        ASSERT_TRUE(bar && action) << tool;
        for (int i = 0; i < times; ++i)
            QTest::mouseClick(bar->widgetForAction(action), Qt::LeftButton);
    }
    void ClickListRow(int index) { ::ClickListRow(list, index); }
    int ChildCount(InspectorRow row) { return frame.RMIEvent().GetItemByName(Key(row))->Node()->Count(); }

    TEventFrame frame;
    platform::qt::ControlWidget& host;
    QTreeWidget& list;
};

TEST_F(EventFrameTest, AddedEventsAreListedAndEditedInTheInspector)
{
    Click("TBAdd", 2);
    ASSERT_EQ(std::tuple(project.GetEvents().GetCount(), list.topLevelItemCount()), std::tuple(2, 2));
    EXPECT_EQ(std::tuple(list.topLevelItem(1)->text(1), list.topLevelItem(1)->checkState(0), project.IsModified()),
              std::tuple(QString("Message #2"), Qt::Checked, true));

    ClickListRow(1);
    CEvent& event = *project.GetEvents().GetEvent(1);
    EXPECT_EQ(std::tuple(RowText(host, Key(InspectorRow::ETitle)), ChildCount(InspectorRow::EAffects),
                         ChildCount(InspectorRow::EEffect)),
              std::tuple("Message #2", 6, int(project.resources)));

    ClickRow(host, Key(InspectorRow::ETitle));
    TypeOver(host, "Raid");
    EXPECT_EQ(std::tuple(Table().GetEventTitle(event.id), list.topLevelItem(1)->text(1)), std::tuple("Raid"s, QString("Raid")));

    ClickRow(host, Key(InspectorRow::ETurn));
    TypeOver(host, "999");
    EXPECT_EQ(std::tuple(int(event.turn), list.topLevelItem(1)->text(0)), std::tuple(999, QString("999")));
    const int width = list.columnWidth(0);
    list.resizeColumnToContents(0);
    EXPECT_GE(width, list.columnWidth(0)) << "the tick and three digits do not fit";
    TypeOver(host, "");
    EXPECT_EQ(std::tuple(int(event.turn), RowText(host, Key(InspectorRow::ETurn))), std::tuple(999, "999"s));

    ClickRow(host, FormatIndexedKey(IndexedKey::EventPlayer, 2));
    QTest::keyClick(&host, Qt::Key_Space);
    EXPECT_EQ(event.players[2], 1);
    QTest::keyClick(&host, Qt::Key_Space);
    EXPECT_EQ(event.players[2], 0);

    ClickRow(host, FormatIndexedKey(IndexedKey::EventResource, 1));
    TypeOver(host, "9");
    EXPECT_EQ(event.resData.increase[1], 9);

    // Unticking a row disables its event.
    project.SetModified(false);
    list.topLevelItem(0)->setCheckState(0, Qt::Unchecked);
    EXPECT_EQ(std::tuple(project.GetEvents().GetEvent(0)->enabled, project.IsModified()), std::tuple(0u, true));
}

TEST_F(EventFrameTest, APickedEventShowsAtOnceInItsRowsAndOpenEditor)
{
    Click("TBAdd", 2);
    ClickListRow(0);
    ClickRow(host, Key(InspectorRow::ETitle));
    ClickListRow(1);
    EXPECT_EQ(EditorText(host), "Message #2");
    ExpectScreenShowsItsState(host);
}

TEST_F(EventFrameTest, TheEffectDecidesWhichAmountsTheResourceRowsShow)
{
    Click("TBAdd");
    ClickListRow(0);
    CEvent& event = *project.GetEvents().GetEvent(0);
    event.resData.decrease[0] = 4;
    ClickRow(host, Key(InspectorRow::EEffect));
    ChooseByKeys(host, "Custom");
    EXPECT_EQ(std::tuple(int(event.effect), ChildCount(InspectorRow::EEffect)), std::tuple(int(CEventB::kCustom), 0));
    ChooseByKeys(host, "Treasury Resources Decrease");
    ASSERT_EQ(std::tuple(int(event.effect), ChildCount(InspectorRow::EEffect)),
              std::tuple(int(CEventB::kTreasuryDecrease), int(project.resources)));
    EXPECT_EQ(RowText(host, FormatIndexedKey(IndexedKey::EventResource, 0)), "4");
}

TEST_F(EventFrameTest, MovingRowsLeavesTheProjectOrderAndDeletingSelectsTheNextRow)
{
    Click("TBAdd", 3);
    CEvent* first = project.GetEvents().GetEvent(0);
    CEvent* third = project.GetEvents().GetEvent(2);
    ClickListRow(0);
    Click("TBUp"); // already at the top
    EXPECT_EQ(list.topLevelItem(0)->text(1), "Message #1");
    Click("TBDown");
    EXPECT_EQ(std::tuple(list.topLevelItem(1)->text(1), frame.SelectedEvent(), project.GetEvents().GetEvent(0)),
              std::tuple(QString("Message #1"), first, first));

    ClickListRow(2);
    Click("TBDelete");
    EXPECT_EQ(std::tuple(project.GetEvents().GetCount(), project.GetEvents().IndexOf(third), list.topLevelItemCount()),
              std::tuple(2, -1, 2));
    // The last row, now that row 2 is gone.
    EXPECT_EQ(std::tuple(frame.SelectedEvent(), RowText(host, Key(InspectorRow::ETitle))), std::tuple(first, "Message #1"s));
}

TEST_F(EventFrameTest, NoEventIsAddedPastTheLimit)
{
    while (project.GetEvents().AddEvent()) {
    }
    frame.FillEventList();
    const int count = list.topLevelItemCount();
    Click("TBAdd");
    EXPECT_EQ(std::tuple(list.topLevelItemCount(), project.GetEvents().GetCount()), std::tuple(count, count));
}

} // namespace
