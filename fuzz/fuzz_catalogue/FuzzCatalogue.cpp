// Feeds arbitrary bytes to the game catalogue readers as the text of "fw.xml":
// the XML layer, the checked parse of every section, and the section readers
// that fill a project and its string table. Each must refuse bad input with a
// catalogue error, never crash, and never store more than the tables hold.
// Pictures are not loaded: their paths could name any file of the machine.
#include "model/Catalogue.h"
#include "model/MapProject.h"
#include "platform/XmlDocument.h"

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string_view>

namespace {

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    platform::XmlDocument document("fw.xml");
    std::string error;
    if (!document.LoadFromText(std::string_view(reinterpret_cast<const char*>(data), size), error, "fw.xml")) {
        Check(!error.empty());
        return 0;
    }
    try {
        const CCatalogue catalogue = ParseCatalogue(document);
        Check(catalogue.unitNames.size() <= size_t(CCatalogue::kMaxUnitTypes));
        Check(catalogue.standardUnitTypes + catalogue.nonStandardUnitTypes <= CCatalogue::kMaxUnitTypes);
        Check(catalogue.castles.size() >= size_t(CCatalogue::kMinCastleTypes));
        Check(catalogue.castles.size() <= size_t(CCatalogue::kMaxCastleTypes));
        Check(!catalogue.armies.empty() && catalogue.armies.size() <= size_t(CCatalogue::kMaxArmyTypes));
        Check(catalogue.resources.size() <= size_t(CCatalogue::kMaxResources));
        Check(catalogue.skills.size() <= size_t(CCatalogue::kMaxSkills));
    } catch (const ECatalogueError& refused) {
        Check(std::string_view(refused.what()).find("fw.xml") != std::string_view::npos);
    }

    CMapProject project;
    project.SetCatalogueDocument(&document);
    project.GetStringTables().Add(std::make_unique<CStringTable>(project));
    project.ReadCreatorId();
    for (void (CMapProject::*read)() : {&CMapProject::ReadUnitTypes, &CMapProject::ReadResources,
                                        &CMapProject::ReadSkills, &CMapProject::ReadAbilitiesAndAITypes}) {
        try {
            (project.*read)();
        } catch (const ECatalogueError&) {
        }
    }
    Check(project.GetUnitTypeCount() <= CCatalogue::kMaxUnitTypes);
    Check(project.resources <= CCatalogue::kMaxResources);
    return 0;
}
