#include "ui/InspectorKeys.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

TEST(InspectorKeys, HoldsEveryTextInCatalogueOrder) {
  const InspectorKeyCatalogue Keys;
  const auto Texts = Keys.Texts();
  ASSERT_EQ(Texts.size(), 139u);
  EXPECT_THAT(Texts.first(5), ElementsAre("True", "False", "present", "not present", ""));
  // Hand-counted positions: the first and last text of each inspector's block, and the
  // condition keys, which carry no caption of their own.
  const std::pair<size_t, const char*> Anchors[] = {
      {5, "MisAuthor"},           {6, "Mission Author"},  {23, "VConds"},       {29, "Capture a specific province"},
      {30, "VCond01"},            {31, "VCond01_01"},     {32, "Defeat Ally"},  {61, "LCond02"},
      {63, "Max Turns To Win"},   {64, "Active"},         {86, "Ability"},      {87, "ProvName"},
      {123, "Stone Mine"},        {124, "ETitle"},        {138, "Custom"},
  };
  for (const auto& [Index, Text] : Anchors) EXPECT_EQ(Texts[Index], Text) << "text " << Index;
}

TEST(InspectorKeys, RowsShowTheirCaptionsAndChoices) {
  const InspectorKeyCatalogue Keys;
  struct Expected {
    InspectorRow Row;
    const char* Key;
    const char* Caption;
    std::vector<std::string> Choices;
  };
  const Expected Cases[] = {
      {InspectorRow::MisAuthorNotes, "MisAuthorNotes", "Author Notes", {}},
      {InspectorRow::VConds,
       "VConds",
       "Victory Conditions",
       {"Defeat opponents", "Defeat a specific player", "Accumulate army", "Accumulate resources",
        "Capture a specific province"}},
      {InspectorRow::VCond03, "VCond03", "", {}},
      {InspectorRow::VCond03_02, "VCond03_02", "\"Defeat opponents\" Victory", {}},
      {InspectorRow::VCond04_02, "VCond04_02", "Allow \"Defeat All\" Victory", {}},
      {InspectorRow::LConds, "LConds", "Additional Lose Conditions", {"None", "Lose Province", "Time Expires"}},
      {InspectorRow::Playab, "Playab", "Playability", {"Human", "Computer", "Human & Computer"}},
      {InspectorRow::CampaignArmy, "Army", "Campaign Army", {}},
      {InspectorRow::GuardianArmy, "Army", "Guardian Army", {}},
      {InspectorRow::CastHP, "CastHP", "Hit Points", {"0%", "25%", "50%", "75%", "100%"}},
      {InspectorRow::CastWalls, "CastWalls", "Fortified walls", {}},
      {InspectorRow::EAffects, "EAffects", "Affects", {"Players", "Provinces"}},
      {InspectorRow::ETurn, "ETurn", "Occurrence Turn, No.", {}},
      {InspectorRow::EEffect,
       "EEffect",
       "Effect",
       {"Treasury Resources Increase", "Treasury Resources Decrease", "Custom"}},
  };
  for (const Expected& Case : Cases) {
    SCOPED_TRACE(Case.Key);
    EXPECT_EQ(Keys.Key(Case.Row), Case.Key);
    EXPECT_EQ(Keys.Caption(Case.Row), Case.Caption);
    EXPECT_EQ(std::vector<std::string>(Keys.Choices(Case.Row).begin(), Keys.Choices(Case.Row).end()), Case.Choices);
  }
  EXPECT_EQ(Keys.Text(GeneralText::NotPresent), "not present");
  EXPECT_THAT(Keys.Text(GeneralText::Undefined), IsEmpty());
}

// Each inspector finds every one of its rows by key; only "Army" stands in two inspectors.
TEST(InspectorKeys, KeysAreUniqueWithinEachInspector) {
  const InspectorKeyCatalogue Keys;
  std::map<std::string, int> Sections;
  for (size_t I = 0; I < InspectorRowCount; ++I) {
    const auto Row = InspectorRow(I);
    EXPECT_EQ(Keys.Find(Keys.Section(Row), Keys.Key(Row)), Row) << Keys.Key(Row);
    ++Sections[Keys.Key(Row)];
  }
  for (const auto& [Key, Count] : Sections) EXPECT_EQ(Count, Key == "Army" ? 2 : 1) << Key;

  EXPECT_EQ(Keys.Find(InspectorSection::Player, "Army"), InspectorRow::CampaignArmy);
  EXPECT_EQ(Keys.Find(InspectorSection::Province, "Army"), InspectorRow::GuardianArmy);
  EXPECT_EQ(Keys.Section(InspectorRow::LCond02_01), InspectorSection::Mission);
  EXPECT_EQ(Keys.Section(InspectorRow::CastStonMine), InspectorSection::Province);
  EXPECT_EQ(Keys.Find(InspectorSection::Province, "Name"), std::nullopt);
  EXPECT_EQ(Keys.Find(InspectorSection::Event, "Army"), std::nullopt);
  EXPECT_EQ(Keys.Find(InspectorSection::Player, "Army_0"), std::nullopt);
}

TEST(InspectorKeys, ProcessWideCatalogueIsBuiltOnce) {
  EXPECT_EQ(&InspectorKeys(), &InspectorKeys());
  EXPECT_EQ(InspectorKeys().Key(InspectorRow::EDecr), "EDecr");
}

}  // namespace
