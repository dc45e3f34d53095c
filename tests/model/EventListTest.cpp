#include "model/EventList.h"

#include "ProjectFixture.h"

#include <gtest/gtest.h>

namespace {

using EventListTest = SetUpProjectTest;

} // namespace

TEST_F(EventListTest, AddingStopsWhenTheIdsOrTheListRunOut)
{
    CEventList& events = project.GetEvents();
    for (int i = 0; i < 140; ++i)
        ASSERT_NE(events.AddEvent(), nullptr) << "event " << i;
    EXPECT_EQ(events.GetEvent(139)->id, 139);
    EXPECT_EQ(events.AddEvent(), nullptr); // all 140 ids taken, below the list limit
    EXPECT_EQ(events.GetCount(), 140);
    EXPECT_EQ(Table().GetEventTitle(140), "");

    ASSERT_TRUE(events.Resize(CEventList::kMaxEvents)); // loaded events, the new ones holding id 0
    events.DeleteEvent(events.GetEvent(5));             // id 5 free, the list still full
    ASSERT_TRUE(events.Resize(CEventList::kMaxEvents));
    EXPECT_EQ(events.AddEvent(), nullptr);
    EXPECT_FALSE(events.Resize(CEventList::kMaxEvents + 1));
    EXPECT_EQ(events.GetCount(), CEventList::kMaxEvents);
}

TEST_F(EventListTest, DeletedIdIsReusedWithFreshTextsInEveryTableButAnEmptiedTitleKeepsIt)
{
    CStringTable& second = AddTable();
    CEventList& events = project.GetEvents();
    for (int i = 0; i < 8; ++i)
        events.AddEvent();
    Table().SetEventTitle(0, "");
    Table().SetEventText(0, "Keep me");
    Table().SetEventTitle(5, "Plague");
    EXPECT_EQ(events.DeleteEvent(events.GetEvent(5)), 1);
    EXPECT_EQ(Table().GetEventTitle(5), "");
    EXPECT_EQ(Table().GetEventText(5), "");
    EXPECT_EQ(events.GetCount(), 7);
    CEvent* added = events.AddEvent();
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(added->id, 5);
    EXPECT_EQ(added->players.GetSize(), 6);
    EXPECT_EQ(added->resData.decrease.GetSize(), 2);
    EXPECT_EQ(Table().GetEventTitle(5), "Message #6");
    EXPECT_EQ(second.GetEventText(5), "Message #6 Info");
    EXPECT_EQ(Table().GetEventText(0), "Keep me");
}

TEST_F(EventListTest, LookupsOutOfRangeGiveNothingAndDisabledEventsAreNotActive)
{
    CEventList& events = project.GetEvents();
    CEvent* event = events.AddEvent();
    events.AddEvent();
    events.AddEvent();
    events.GetEvent(0)->enabled = 0;
    CEvent stranger;
    EXPECT_EQ((std::vector<int>{events.GetActiveCount(), events.HoldsId(2), events.HoldsId(3), events.IndexOf(event),
                                events.IndexOf(nullptr), events.IndexOf(&stranger), events.DeleteEvent(&stranger),
                                events.DeleteEvent(nullptr), events.GetCount()}),
              (std::vector<int>{2, 1, 0, 0, -1, -1, 0, 0, 3}));
    EXPECT_EQ((std::vector<CEvent*>{events.GetEvent(3), events.GetEvent(-1)}), (std::vector<CEvent*>(2)));
}
