#include "ui/InspectorIndexedKeys.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <tuple>

using ::testing::ElementsAre;

namespace {

TEST(InspectorIndexedKeys, FormatsAndReadsBackTheIndex) {
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
}

TEST(InspectorIndexedKeys, RefusesKeysOfOtherRows) {
  const std::pair<IndexedKey, const char*> Cases[] = {
      {IndexedKey::EventResource, "Res_3"}, {IndexedKey::ProvinceResource, "Res3"},
      {IndexedKey::EventPlayer, "PlRes_1"}, {IndexedKey::Army, "Army"},
      {IndexedKey::Army, "Army_"},          {IndexedKey::Army, "Army_-1"},
      {IndexedKey::Army, "Army_+1"},        {IndexedKey::Army, "Army_1x"},
      {IndexedKey::Army, "army_1"},         {IndexedKey::Army, "Army_99999999999"},
  };
  for (const auto& [Kind, Key] : Cases) EXPECT_EQ(ParseIndexedKey(Kind, Key), std::nullopt) << Key;
}

TEST(InspectorIndexedKeys, UnitCaptionCountsFromOneAndCatapultChoices) {
  EXPECT_EQ(DefaultUnitCaption(0), "Unit 1");
  EXPECT_EQ(DefaultUnitCaption(9), "Unit 10");
  EXPECT_THAT(CatapultChoices(), ElementsAre("none", "1", "2", "3", "4"));
}

}  // namespace
