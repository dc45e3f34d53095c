// Loading a project file together with its world view: the model reads the
// file and takes it over (model/ProjectFile.cpp); everything the view shows is
// then built again from the loaded project.
#include <string>

#include "graphics/Image32.h"
#include "graphics/Layers32.h"
#include "model/Catalogue.h"
#include "model/MapProject.h"
#include "world/WorldView.h"

namespace {

// Every province layer of the collection; the links overlay and untagged layers stay.
void RemoveProvinceLayers(TLayerCollection& layers)
{
    layers.BeginUpdate();
    for (int32_t i = layers.Count() - 1; i >= 0; --i)
        if (GetLayerTag(layers.Items(i)))
            layers.Delete(i);
    layers.EndUpdate();
}

} // namespace

int CMapProject::LoadAndShow(const std::filesystem::path& fileName, std::string& error)
{
    CProgressScope progress(*this, kLoadingCaption, kLoadingStages);
    if (!ReadAndTakeOver(fileName, error, progress))
        return 0;
    RebuildWorldView(progress);
    return 1;
}

void CMapProject::RebuildWorldView(CProgressScope& progress)
{
    // The file names its own castle and army types; a catalogue fault keeps the
    // pictures and lists of the set-up and is told, the project stays loaded.
    auto fromCatalogue = [this](auto read) {
        try {
            read();
        } catch (const ECatalogueError& fault) {
            prompts_->Message(fault.what());
        }
    };
    fromCatalogue([this] { ReadCastlesAndArmies(false); });

    progress.Restart("Redraw world...", 2);
    progress.Step(1);
    ResizeWorldView();
    if (worldImage_)
        worldImage_->Bitmap()->Clear(clWhite32); // nothing of an earlier world shows between the pieces
    // Each piece's picture from its kind and owner: the file keeps only the masks.
    RedrawPieces(true);
    DrawAllPieces();
    RedrawLinksLayer();
    fromCatalogue([this] { ReadAbilitiesAndAITypes(); });

    // The province layers of an earlier project name provinces that are gone.
    if (layers_)
        RemoveProvinceLayers(*layers_);
    AddProvinceLayers();
}

void CMapProject::AddProvinceLayers()
{
    CProgressScope progress(*this, "Add provinces...", provinces_.GetSize());
    for (int i = 0; i < provinces_.GetSize(); ++i) {
        progress.Step(i + 1);
        CreateProvinceLayers(provinces_.GetAt(i));
    }
}
