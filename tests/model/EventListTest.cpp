#include "model/EventList.h"

#include "ProjectFixture.h"

#include <gtest/gtest.h>

namespace {

using EventListTest = SetUpProjectTest;

} // namespace

TEST_F(EventListTest, NewEventHoldsItsDefaultsAndTexts)
{
    CEventList& events = project.GetEvents();
    CEvent* event = events.AddEvent();
    ASSERT_NE(event, nullptr);
    EXPECT_EQ(event->id, 0);
    EXPECT_EQ(event->turn, 1);
    EXPECT_EQ(event->effect, CEventB::kTreasuryIncrease);
    EXPECT_EQ(event->enabled, 1u);
    EXPECT_EQ(event->affectsPlayers, 1);
    ASSERT_EQ(event->players.GetSize(), 6);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(event->players[i], 0);
    EXPECT_EQ(event->resData.increase.GetSize(), 2);
    EXPECT_EQ(event->resData.decrease.GetSize(), 2);
    EXPECT_EQ(Table().GetEventTitle(0), "Message #1");
    EXPECT_EQ(Table().GetEventText(0), "Message #1 Info");
    EXPECT_TRUE(project.IsModified());
    EXPECT_EQ(events.GetCount(), 1);
    EXPECT_EQ(events.GetActiveCount(), 1);
}

TEST_F(EventListTest, IdsAreWrittenIntoEveryTable)
{
    CStringTable& second = AddTable();
    project.GetEvents().AddEvent();
    CEvent* event = project.GetEvents().AddEvent();
    ASSERT_NE(event, nullptr);
    EXPECT_EQ(event->id, 1);
    EXPECT_EQ(second.GetEventTitle(1), "Message #2");
    EXPECT_EQ(second.GetEventText(1), "Message #2 Info");
}

TEST_F(EventListTest, AllHundredFortyIdsTakenRefusesBelowTheListLimit)
{
    CEventList& events = project.GetEvents();
    for (int i = 0; i < 140; ++i)
        ASSERT_NE(events.AddEvent(), nullptr) << "event " << i;
    EXPECT_EQ(events.GetEvent(139)->id, 139);
    EXPECT_EQ(events.AddEvent(), nullptr);
    EXPECT_EQ(events.GetCount(), 140);
    EXPECT_EQ(Table().GetEventTitle(140), "");
}

TEST_F(EventListTest, AFullListRefusesEvenWithFreeIds)
{
    CEventList& events = project.GetEvents();
    ASSERT_TRUE(events.Resize(CEventList::kMaxEvents)); // loaded events, all holding id 0
    EXPECT_EQ(events.AddEvent(), nullptr);
    EXPECT_FALSE(events.Resize(CEventList::kMaxEvents + 1));
    EXPECT_EQ(events.GetCount(), CEventList::kMaxEvents);
}

TEST_F(EventListTest, DeletedIdIsReusedWithFreshTexts)
{
    CEventList& events = project.GetEvents();
    for (int i = 0; i < 8; ++i)
        events.AddEvent();
    CEvent* fifth = events.GetEvent(5);
    Table().SetEventTitle(5, "Plague");
    EXPECT_EQ(events.DeleteEvent(fifth), 1);
    EXPECT_EQ(Table().GetEventTitle(5), "");
    EXPECT_EQ(Table().GetEventText(5), "");
    EXPECT_EQ(events.GetCount(), 7);
    CEvent* added = events.AddEvent();
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(added->id, 5);
    EXPECT_EQ(Table().GetEventTitle(5), "Message #6");
}

TEST_F(EventListTest, EmptiedTitleKeepsTheIdWithItsEvent)
{
    CEventList& events = project.GetEvents();
    CEvent* first = events.AddEvent();
    Table().SetEventTitle(first->id, "");
    Table().SetEventText(first->id, "Keep me");
    CEvent* second = events.AddEvent();
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->id, 1);
    EXPECT_EQ(Table().GetEventTitle(0), "");
    EXPECT_EQ(Table().GetEventText(0), "Keep me");
}

TEST_F(EventListTest, LookupsOutOfRangeGiveNothing)
{
    CEventList& events = project.GetEvents();
    CEvent* event = events.AddEvent();
    EXPECT_EQ(events.GetEvent(1), nullptr);
    EXPECT_EQ(events.GetEvent(-1), nullptr);
    EXPECT_EQ(events.IndexOf(event), 0);
    EXPECT_EQ(events.IndexOf(nullptr), -1);
    CEvent stranger;
    EXPECT_EQ(events.IndexOf(&stranger), -1);
    EXPECT_EQ(events.DeleteEvent(&stranger), 0);
    EXPECT_EQ(events.DeleteEvent(nullptr), 0);
    EXPECT_EQ(events.GetCount(), 1);
}

TEST_F(EventListTest, ActiveCountSkipsDisabledEvents)
{
    CEventList& events = project.GetEvents();
    for (int i = 0; i < 3; ++i)
        events.AddEvent();
    events.GetEvent(0)->enabled = 0;
    EXPECT_EQ(events.GetActiveCount(), 2);
    EXPECT_TRUE(events.HoldsId(2));
    EXPECT_FALSE(events.HoldsId(3));
}

TEST(EventListWithoutTables, IdsAreStillAllocated)
{
    CMapProject project;
    CEvent* event = project.GetEvents().AddEvent();
    ASSERT_NE(event, nullptr);
    EXPECT_EQ(event->id, 0);
    EXPECT_EQ(event->resData.increase.GetSize(), 0);
}
