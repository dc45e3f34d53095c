#pragma once
// The packing driver of the mission export: writes the mission's Palm database
// and flat package from the temporary mission tree, then removes the tree.
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "world/PackConsole.h"

#include <filesystem>
#include <memory>
#include <string>

// Why a mission name without a Windows-1252 form is refused.
inline constexpr const char* kMissionNameCharacters =
    "the handheld stores the mission's name in Windows-1252, which cannot hold all of its characters; "
    "choose a name of Western European letters";

// Packs `tree` into outputFolder/missionName.pdb and outputFolder/missionName.pak
// (database name: missionName in Windows-1252; signature and creator "TORV",
// type "RSRC", table scrambled) and removes the tree on every way out. Both
// packages are replaced together or not at all. Stops at the first failure,
// whose reason is console.Error().
bool PackMission(std::unique_ptr<platform::TemporaryFolder> tree, const std::filesystem::path& outputFolder,
                 const std::string& missionName, PackConsole& console,
                 const platform::SecondsClock& clock = platform::SystemSeconds);
