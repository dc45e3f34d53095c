#include "world/MissionExport.h"

#include <memory>

#include "platform/FileSystem.h"
#include "platform/Windows1252.h"
#include "world/BlockImages.h"
#include "world/MissionRecord.h"
#include "world/PackMission.h"
#include "world/PdaSerialize.h"
#include "world/PreviewImage.h"
#include "world/WorldCodes.h"

namespace {

// Writes every file of the mission into `folder`: the record, the texts, the
// world and domain blocks with their maps, the preview.
bool WriteMissionFolder(CMapProject& project, CProgressScope& progress, const std::filesystem::path& folder,
                        std::string& error)
{
    CMapProjectB record;
    if (!BuildMissionRecord(project, record, error))
        return false;
    progress.Step(2);
    const std::vector<uint8_t> missionData = PdaBytes(record);
    progress.Step(3);
    progress.Restart("Writing mission data...", 2);
    progress.Step(1);
    if (!platform::WriteScratchFile(folder / "mission.dat", missionData, error))
        return false;
    progress.Step(2);

    // BuildMissionRecord has checked that the current string table exists.
    const CStringTable& texts = *project.GetStringTables().GetAt(project.GetCurrentStringTable());
    if (!texts.ExportTexts(folder, error))
        return false;

    CWorldCodes codes;
    if (!codes.Build(project, error) || !WriteWorldBlocks(project, codes, folder, error) ||
        !WriteDomainBlocks(project, codes, folder, error))
        return false;
    // The preview is made from the codes the land and water pass left.
    const int pieces = project.GetPieces().GetCount();
    progress.Restart("Compress land and water...", pieces);
    if (!WritePreview(codes, folder / "Preview.img", kPreviewSide, kPreviewSide, error))
        return false;
    progress.Step(pieces);
    return true;
}

} // namespace

std::string MissionNameOf(const std::filesystem::path& outputPath)
{
    std::string name = outputPath.filename().string();
    if (const size_t dot = name.rfind('.'); dot != std::string::npos)
        name.resize(dot);
    // "." and ".." would name the folders around the mission's own.
    return name == "." || name == ".." ? std::string() : name;
}

int CMapProject::ExportMission(const std::filesystem::path& outputPath, std::string& error,
                               const CMissionExportOptions& options)
{
    CProgressScope progress(*this, "Preparing data for compress", 3);
    progress.Step(1);
    const std::string missionName = MissionNameOf(outputPath);
    if (missionName.empty()) {
        error = "The mission needs a file name: \"" + outputPath.filename().string() + "\" leaves none";
        return 0;
    }
    if (!platform::ExactWindows1252(missionName)) {
        error = "Cannot export the mission \"" + missionName + "\": " + kMissionNameCharacters;
        return 0;
    }

    // A fresh tree per export, so no file of an earlier export is ever packed; it
    // is removed however the export ends (by PackMission once handed over).
    auto tree = std::make_unique<platform::TemporaryFolder>(options.temporaryParent, "valdrune-mission");
    if (!tree->Valid()) {
        error = "Cannot make a folder for the mission's files: " + tree->Error();
        return 0;
    }
    const std::filesystem::path folder = tree->Path() / "Scenarios" / missionName / "Mission001";
    std::error_code failure;
    std::filesystem::create_directories(folder, failure);
    if (failure) {
        error = "Cannot create the mission folder " + folder.string() + ": " + failure.message();
        return 0;
    }
    if (!WriteMissionFolder(*this, progress, folder, error))
        return 0;

    progress.Restart("Execute compressor...", 2);
    progress.Step(1);
    PackConsole console(*options.packerReport);
    if (!PackMission(std::move(tree), outputPath.parent_path(), missionName, console, options.clock)) {
        error = console.Error();
        return 0;
    }
    progress.Step(2);
    return 1;
}
