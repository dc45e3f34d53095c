#include "ui/InspectorKeys.h"

#include <array>
#include <cassert>
#include <vector>

namespace {

struct RowSpec {
  InspectorRow Row;
  std::string_view Key;
  std::optional<std::string_view> Caption;
  std::vector<std::string_view> Choices;
};

constexpr std::array<std::string_view, 5> GeneralTexts = {"True", "False", "present", "not present", ""};

// Catalogue order; a condition key carries no caption, its first sub-row does.
const RowSpec RowSpecs[] = {
    {InspectorRow::MisAuthor, "MisAuthor", "Mission Author", {}},
    {InspectorRow::MisAuthorNotes, "MisAuthorNotes", "Author Notes", {}},
    {InspectorRow::MisName, "MisName", "Mission Name", {}},
    {InspectorRow::SDesc, "SDesc", "Short Description", {}},
    {InspectorRow::FDesc, "FDesc", "Full Description", {}},
    {InspectorRow::Diff, "Diff", "Mission Difficulty", {}},
    {InspectorRow::MaxExp, "MaxExp", "Max Experience", {}},
    {InspectorRow::VictMsg, "VictMsg", "Victory message", {}},
    {InspectorRow::DefeatMsg, "DefeatMsg", "Defeat message", {}},
    {InspectorRow::VConds,
     "VConds",
     "Victory Conditions",
     {"Defeat opponents", "Defeat a specific player", "Accumulate army", "Accumulate resources",
      "Capture a specific province"}},
    {InspectorRow::VCond01, "VCond01", std::nullopt, {}},
    {InspectorRow::VCond01_01, "VCond01_01", "Defeat Ally", {}},
    {InspectorRow::VCond02, "VCond02", std::nullopt, {}},
    {InspectorRow::VCond02_01, "VCond02_01", "Player", {}},
    {InspectorRow::VCond03, "VCond03", std::nullopt, {}},
    {InspectorRow::VCond03_01, "VCond03_01", "Army", {}},
    {InspectorRow::VCond03_02, "VCond03_02", "\"Defeat opponents\" Victory", {}},
    {InspectorRow::VCond03_03, "VCond03_03", "Applies To Comp. Players", {}},
    {InspectorRow::VCond04, "VCond04", std::nullopt, {}},
    {InspectorRow::VCond04_01, "VCond04_01", "Resources", {}},
    {InspectorRow::VCond04_02, "VCond04_02", "Allow \"Defeat All\" Victory", {}},
    {InspectorRow::VCond04_03, "VCond04_03", "Applies To Comp. Players", {}},
    {InspectorRow::VCond05, "VCond05", std::nullopt, {}},
    {InspectorRow::VCond05_01, "VCond05_01", "Province", {}},
    {InspectorRow::LConds, "LConds", "Additional Lose Conditions", {"None", "Lose Province", "Time Expires"}},
    {InspectorRow::LCond01, "LCond01", std::nullopt, {}},
    {InspectorRow::LCond01_01, "LCond01_01", "Province", {}},
    {InspectorRow::LCond02, "LCond02", std::nullopt, {}},
    {InspectorRow::LCond02_01, "LCond02_01", "Max Turns To Win", {}},

    {InspectorRow::Active, "Active", "Active Player", {}},
    {InspectorRow::Name, "Name", "Name", {}},
    {InspectorRow::Skills, "Skills", "Skills", {}},
    {InspectorRow::Capital, "Capital", "Capital", {}},
    {InspectorRow::Playab, "Playab", "Playability", {"Human", "Computer", "Human & Computer"}},
    {InspectorRow::PlType, "PlType", "AI Type", {}},
    {InspectorRow::ResT, "ResT", "Treasury", {}},
    {InspectorRow::UnitT, "UnitT", "Unit Types", {}},
    {InspectorRow::CampaignArmy, "Army", "Campaign Army", {}},
    {InspectorRow::Abil, "Abil", "Ability", {}},

    {InspectorRow::ProvName, "ProvName", "Name", {}},
    {InspectorRow::Owner, "Owner", "Owner", {}},
    {InspectorRow::Resour, "Resour", "Resources", {}},
    {InspectorRow::Popul, "Popul", "Population", {}},
    {InspectorRow::MaxPop, "MaxPop", "Max Population", {}},
    {InspectorRow::GuardianArmy, "Army", "Guardian Army", {}},
    {InspectorRow::Castle, "Castle", "Castle", {}},
    {InspectorRow::CastHP, "CastHP", "Hit Points", {"0%", "25%", "50%", "75%", "100%"}},
    {InspectorRow::CastMoat, "CastMoat", "Moat", {}},
    {InspectorRow::CastWalls, "CastWalls", "Fortified walls", {}},
    {InspectorRow::CastCat, "CastCat", "Catapults", {}},
    {InspectorRow::CastMar, "CastMar", "Market", {}},
    {InspectorRow::CastBan, "CastBan", "Bank", {}},
    {InspectorRow::CastTav, "CastTav", "Tavern", {}},
    {InspectorRow::CastMetlMine, "CastMetlMine", "Metal Mine", {}},
    {InspectorRow::CastStonMine, "CastStonMine", "Stone Mine", {}},

    {InspectorRow::ETitle, "ETitle", "Event Title", {}},
    {InspectorRow::EDecr, "EDecr", "Event Description", {}},
    {InspectorRow::EAffects, "EAffects", "Affects", {"Players", "Provinces"}},
    {InspectorRow::ETurn, "ETurn", "Occurrence Turn, No.", {}},
    {InspectorRow::EEffect,
     "EEffect",
     "Effect",
     {"Treasury Resources Increase", "Treasury Resources Decrease", "Custom"}},
};
static_assert(std::size(RowSpecs) == InspectorRowCount, "one entry per row");

// The first row of each inspector, in section order.
constexpr InspectorRow FirstRowOf[] = {InspectorRow::MisAuthor, InspectorRow::Active, InspectorRow::ProvName,
                                       InspectorRow::ETitle};

const std::string EmptyText;

}  // namespace

InspectorKeyCatalogue::InspectorKeyCatalogue() {
  Texts_.reserve(TextCount);
  Texts_.assign(GeneralTexts.begin(), GeneralTexts.end());
  Rows_.reserve(InspectorRowCount);
  auto Add = [this](std::string_view Text) {
    Texts_.emplace_back(Text);
    return uint8_t(Texts_.size() - 1);
  };
  for (const RowSpec& Spec : RowSpecs) {
    assert(size_t(Spec.Row) == Rows_.size() && "rows listed out of order");
    RowTexts Row{};
    Row.Key = Add(Spec.Key);
    Row.Caption = Spec.Caption ? Add(*Spec.Caption) : NoCaption;
    Row.FirstChoice = uint8_t(Texts_.size());
    Row.ChoiceCount = uint8_t(Spec.Choices.size());
    for (std::string_view Choice : Spec.Choices) Add(Choice);
    Rows_.push_back(Row);
  }
  assert(Texts_.size() == TextCount);
}

const std::string& InspectorKeyCatalogue::Text(GeneralText Which) const {
  assert(size_t(Which) < GeneralTexts.size());
  return Texts_[size_t(Which)];
}

const std::string& InspectorKeyCatalogue::Key(InspectorRow Row) const {
  assert(size_t(Row) < Rows_.size());
  return Texts_[Rows_[size_t(Row)].Key];
}

const std::string& InspectorKeyCatalogue::Caption(InspectorRow Row) const {
  assert(size_t(Row) < Rows_.size());
  const uint8_t Index = Rows_[size_t(Row)].Caption;
  return Index == NoCaption ? EmptyText : Texts_[Index];
}

std::span<const std::string> InspectorKeyCatalogue::Choices(InspectorRow Row) const {
  assert(size_t(Row) < Rows_.size());
  const RowTexts& Texts = Rows_[size_t(Row)];
  return std::span<const std::string>(Texts_).subspan(Texts.FirstChoice, Texts.ChoiceCount);
}

InspectorSection InspectorKeyCatalogue::Section(InspectorRow Row) const {
  size_t Section = std::size(FirstRowOf) - 1;
  while (Row < FirstRowOf[Section]) --Section;
  return InspectorSection(Section);
}

std::optional<InspectorRow> InspectorKeyCatalogue::Find(InspectorSection Owner, std::string_view Key) const {
  const size_t Section = size_t(Owner);
  assert(Section < std::size(FirstRowOf));
  const size_t First = size_t(FirstRowOf[Section]);
  const size_t End = Section + 1 < std::size(FirstRowOf) ? size_t(FirstRowOf[Section + 1]) : Rows_.size();
  for (size_t Row = First; Row < End; ++Row) {
    if (Texts_[Rows_[Row].Key] == Key) return InspectorRow(Row);
  }
  return std::nullopt;
}

const InspectorKeyCatalogue& InspectorKeys() {
  static const InspectorKeyCatalogue Catalogue;
  return Catalogue;
}
