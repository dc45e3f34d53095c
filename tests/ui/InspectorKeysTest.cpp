// The inspector key catalogue (general texts, every row's key, caption and fixed choices,
// rows found by key within their inspector) and the row keys made at run time.
#include "ui/InspectorIndexedKeys.h"
#include "ui/InspectorKeys.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <string>
#include <tuple>
#include <vector>

namespace {

std::vector<std::string> Strings(auto Range) { return {Range.begin(), Range.end()}; }

// Every row against tests/ui/fixtures/inspector-rows.txt, and the texts in catalogue order:
// the general texts, then per row its key, its caption (when it has one) and its choices.
TEST(InspectorKeys, EveryRowShowsItsCaptionAndChoicesAndTheTextsStandInCatalogueOrder) {
  const InspectorKeyCatalogue Keys;
  std::ifstream File(VALDRUNE_SOURCE_DIR "/tests/ui/fixtures/inspector-rows.txt");
  ASSERT_TRUE(File) << "fixture file missing";
  std::vector<std::string> Order = {"True", "False", "present", "not present", ""};
  size_t I = 0;
  for (std::string Line; std::getline(File, Line);) {
    if (Line.starts_with("#")) continue;
    std::vector<std::string> Fields;  // key, caption, choices
    for (size_t At = 0, Bar = 0; Bar < Line.size(); At = Bar + 1) {
      Bar = std::min(Line.find('|', At), Line.size());
      std::string Field = Line.substr(At, Bar - At);
      Field.erase(0, Field.find_first_not_of(' '));
      Fields.push_back(Field.erase(Field.find_last_not_of(' ') + 1));
    }
    ASSERT_GE(Fields.size(), 2u) << Line;
    ASSERT_LT(I, InspectorRowCount) << Line;
    const auto Row = InspectorRow(I++);
    EXPECT_EQ(Keys.Key(Row), Fields[0]);
    EXPECT_EQ(Keys.Caption(Row), Fields[1]) << Fields[0];
    EXPECT_EQ(Strings(Keys.Choices(Row)), std::vector(Fields.begin() + 2, Fields.end())) << Fields[0];
    Order.push_back(Fields[0]);
    if (!Fields[1].empty()) Order.push_back(Fields[1]);
    Order.insert(Order.end(), Fields.begin() + 2, Fields.end());
  }
  EXPECT_EQ(I, InspectorRowCount);
  EXPECT_EQ(Order.size(), 139u);
  EXPECT_EQ(Strings(Keys.Texts()), Order);
  EXPECT_EQ(Keys.Text(GeneralText::NotPresent), "not present");
  EXPECT_EQ(Keys.Text(GeneralText::Undefined), "");
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

  EXPECT_EQ(Keys.Find(InspectorSection::Province, "Name"), std::nullopt);
  EXPECT_EQ(Keys.Find(InspectorSection::Event, "Army"), std::nullopt);
  EXPECT_EQ(&InspectorKeys(), &InspectorKeys());  // the process-wide catalogue is built once
}

TEST(InspectorIndexedKeys, FormatsAndReadsBackTheIndexRefusesOtherKeysAndGivesTheDefaultTexts) {
  const std::tuple<IndexedKey, int, const char*> Cases[] = {
      {IndexedKey::Skill, 2, "Skill_2"},           {IndexedKey::PlayerResource, 0, "PlRes_0"},
      {IndexedKey::Unit, 39, "Unit_39"},           {IndexedKey::Army, 7, "Army_7"},
      {IndexedKey::ProvinceResource, 11, "Res_11"}, {IndexedKey::EventPlayer, 5, "Pl5"},
      {IndexedKey::EventResource, 3, "Res3"},
  };
  for (const auto& [Kind, Index, Key] : Cases) {
    EXPECT_EQ(FormatIndexedKey(Kind, Index), Key);
    EXPECT_EQ(ParseIndexedKey(Kind, Key), Index) << Key;
  }
  const std::pair<IndexedKey, const char*> Refused[] = {
      {IndexedKey::EventResource, "Res_3"}, {IndexedKey::ProvinceResource, "Res3"},
      {IndexedKey::EventPlayer, "PlRes_1"}, {IndexedKey::Army, "Army"},
      {IndexedKey::Army, "Army_"},          {IndexedKey::Army, "Army_-1"},
      {IndexedKey::Army, "Army_+1"},        {IndexedKey::Army, "Army_1x"},
      {IndexedKey::Army, "army_1"},         {IndexedKey::Army, "Army_99999999999"},
  };
  for (const auto& [Kind, Key] : Refused) EXPECT_EQ(ParseIndexedKey(Kind, Key), std::nullopt) << Key;
  // Default unit captions count from one; the catapult row offers none to four.
  EXPECT_EQ(DefaultUnitCaption(0), "Unit 1");
  EXPECT_EQ(DefaultUnitCaption(9), "Unit 10");
  EXPECT_THAT(CatapultChoices(), ::testing::ElementsAre("none", "1", "2", "3", "4"));
}

}  // namespace
