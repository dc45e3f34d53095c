#include "world/PackMission.h"

#include "world/PakWriter.h"
#include "world/PdbWriter.h"

#include <cassert>

bool PackMission(std::unique_ptr<platform::TemporaryFolder> tree, const std::filesystem::path& outputFolder,
                 const std::string& missionName, PackConsole& console, const platform::SecondsClock& clock)
{
    assert(tree);
    if (missionName.empty())
        return console.Fail("Cannot save the mission: its file name is empty");
    if (!tree->Valid())
        return console.Fail("Cannot save the mission: " + tree->Error());
    const std::filesystem::path& source = tree->Path();
    return PackPdb(true, missionName, "TORV", "RSRC", source, outputFolder / (missionName + ".pdb"), console, clock) &&
           PackPak(true, "TORV", "RSRC", source, outputFolder / (missionName + ".pak"), console, clock);
}
