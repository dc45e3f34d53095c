#pragma once
// The fixed texts of the editor's inspectors: the general texts the check boxes show, and
// for every row its key (the item's name, by which the inspector finds the row), its caption
// and its fixed choices. Windows address inspector rows only through these texts.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The inspector a row belongs to. Keys are unique within one inspector; the key "Army"
// names the player's campaign army and the province's guardian army, which never meet.
enum class InspectorSection : uint8_t { Mission, Player, Province, Event };

enum class GeneralText : uint8_t {
  True,
  False,
  Present,
  NotPresent,
  Undefined,  // the third state of a three-state check box: the empty text
};

// Every row of the catalogue, in catalogue order. A victory or lose condition (VCond01 ..
// VCond05, LCond01, LCond02) has a key but no caption of its own: the caption belongs to its
// first sub-row, which directly follows it.
enum class InspectorRow : uint8_t {
  // Mission
  MisAuthor,
  MisAuthorNotes,
  MisName,
  SDesc,
  FDesc,
  Diff,
  MaxExp,
  VictMsg,
  DefeatMsg,
  VConds,
  VCond01,
  VCond01_01,
  VCond02,
  VCond02_01,
  VCond03,
  VCond03_01,
  VCond03_02,
  VCond03_03,
  VCond04,
  VCond04_01,
  VCond04_02,
  VCond04_03,
  VCond05,
  VCond05_01,
  LConds,
  LCond01,
  LCond01_01,
  LCond02,
  LCond02_01,
  // Player
  Active,
  Name,
  Skills,
  Capital,
  Playab,
  PlType,
  ResT,
  UnitT,
  CampaignArmy,  // key "Army"
  Abil,
  // Province
  ProvName,
  Owner,
  Resour,
  Popul,
  MaxPop,
  GuardianArmy,  // key "Army"
  Castle,
  CastHP,
  CastMoat,
  CastWalls,
  CastCat,
  CastMar,
  CastBan,
  CastTav,
  CastMetlMine,
  CastStonMine,
  // Event
  ETitle,
  EDecr,
  EAffects,
  ETurn,
  EEffect,
};
inline constexpr size_t InspectorRowCount = size_t(InspectorRow::EEffect) + 1;

class InspectorKeyCatalogue {
public:
  // The number of texts: the general texts, then per row its key, its caption (when it has
  // one) and its choices.
  static constexpr size_t TextCount = 139;

  // Builds every text in catalogue order.
  InspectorKeyCatalogue();

  // All texts in catalogue order.
  std::span<const std::string> Texts() const { return Texts_; }

  const std::string& Text(GeneralText Which) const;
  const std::string& Key(InspectorRow Row) const;
  // The empty text for a condition key, which has no caption of its own.
  const std::string& Caption(InspectorRow Row) const;
  // Empty for a row without fixed choices.
  std::span<const std::string> Choices(InspectorRow Row) const;
  InspectorSection Section(InspectorRow Row) const;

  // The row of that inspector whose key is Key; nothing for a key the inspector does not own
  // (a run-time key such as "Army_3" included).
  std::optional<InspectorRow> Find(InspectorSection Owner, std::string_view Key) const;

private:
  // Where a row's texts stand in Texts_; its choices are contiguous.
  struct RowTexts {
    uint8_t Key;
    uint8_t Caption;  // NoCaption for a condition key
    uint8_t FirstChoice;
    uint8_t ChoiceCount;
  };
  static constexpr uint8_t NoCaption = 0xFF;

  std::vector<std::string> Texts_;
  std::vector<RowTexts> Rows_;
};

// The process-wide catalogue, built on first use (the editor asks at start-up) and released
// at exit.
const InspectorKeyCatalogue& InspectorKeys();
