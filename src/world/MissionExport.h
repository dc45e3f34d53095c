#pragma once
// The mission export driver (CMapProject::ExportMission) and its naming rule.
#include <filesystem>
#include <string>

// The mission's name from the output path (the path the user chose, a final
// ".pdb" already cut): its file name without its last extension, from the last
// "." on ("D:/out/My.Map" gives "My"). The database, the mission's folder and
// both packages are named after it. Empty when nothing usable is left.
std::string MissionNameOf(const std::filesystem::path& outputPath);
