#pragma once
// The mission export driver (CMapProject::ExportMission) and its naming rule.
#include <filesystem>
#include <string>

// The mission's name from the path the user chose: its file name with a final
// ".pdb" (in any case) removed and nothing else ("my.map.pdb" gives "my.map").
// Empty when nothing usable is left.
std::string MissionNameOf(const std::filesystem::path& outputPath);
