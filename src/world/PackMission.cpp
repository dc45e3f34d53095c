#include "world/PackMission.h"

#include "platform/ReplaceFiles.h"
#include "platform/Windows1252.h"
#include "world/PakWriter.h"
#include "world/PdbWriter.h"

#include <cassert>
#include <vector>

bool PackMission(std::unique_ptr<platform::TemporaryFolder> tree, const std::filesystem::path& outputFolder,
                 const std::string& missionName, PackConsole& console, const platform::SecondsClock& clock)
{
    assert(tree);
    if (missionName.empty())
        return console.Fail("Cannot save the mission: its file name is empty");
    const std::optional<std::string> databaseName = platform::ExactWindows1252(missionName);
    if (!databaseName)
        return console.Fail("Cannot save the mission \"" + missionName + "\": " + kMissionNameCharacters);
    if (!tree->Valid())
        return console.Fail("Cannot save the mission: " + tree->Error());
    const std::filesystem::path& source = tree->Path();
    const std::filesystem::path pdbPath = outputFolder / (missionName + ".pdb");
    const std::filesystem::path pakPath = outputFolder / (missionName + ".pak");
    // Both packages are built whole before either replaces its old file, and
    // they replace them together: the game only reads a matching pair.
    std::vector<uint8_t> pdb, pak;
    if (!BuildPdb(true, *databaseName, "TORV", "RSRC", source, pdbPath, console, clock, pdb) ||
        !BuildPak(true, "TORV", "RSRC", source, pakPath, console, clock, pak))
        return false;
    const platform::FileReplacement packages[] = {{pdbPath, pdb}, {pakPath, pak}};
    std::string error;
    if (!platform::ReplaceFilesTogether(packages, error))
        return console.Fail("Cannot save the mission's packages (old ones are left as they were): " + error);
    console.Print("\nAll done\n\n");
    return true;
}
