#include "ui/InspectorIndexedKeys.h"

#include <array>
#include <cassert>
#include <charconv>

namespace {

constexpr std::array<std::string_view, 7> Prefixes = {"Skill_", "PlRes_", "Unit_", "Army_", "Res_", "Pl", "Res"};

constexpr std::array<std::string_view, 5> Catapults = {"none", "1", "2", "3", "4"};

std::string_view PrefixOf(IndexedKey Kind) {
  assert(size_t(Kind) < Prefixes.size());
  return Prefixes[size_t(Kind)];
}

}  // namespace

std::string FormatIndexedKey(IndexedKey Kind, int Index) {
  assert(Index >= 0);
  return std::string(PrefixOf(Kind)) + std::to_string(Index);
}

std::optional<int> ParseIndexedKey(IndexedKey Kind, std::string_view Key) {
  const std::string_view Prefix = PrefixOf(Kind);
  if (!Key.starts_with(Prefix)) return std::nullopt;
  const std::string_view Digits = Key.substr(Prefix.size());
  // from_chars would take a leading minus sign; an index is digits only.
  if (Digits.empty() || Digits.front() < '0' || Digits.front() > '9') return std::nullopt;
  int Index = 0;
  const auto [End, Error] = std::from_chars(Digits.data(), Digits.data() + Digits.size(), Index);
  if (Error != std::errc() || End != Digits.data() + Digits.size()) return std::nullopt;
  return Index;
}

std::string DefaultUnitCaption(int Index) {
  assert(Index >= 0);
  return "Unit " + std::to_string(Index + 1);
}

std::span<const std::string_view> CatapultChoices() { return Catapults; }
