// Filling the project, its current string table and its icon pictures from the
// game catalogue. Each reader checks the catalogue and loads the pictures it
// needs before it stores anything, so a faulty catalogue leaves the project as
// it was.
#include <memory>
#include <vector>

#include "model/Catalogue.h"
#include "model/MapProject.h"
#include "platform/XmlDocument.h"

namespace {

constexpr TColor32 kIconBackground = 0xFFFF00FF; // opaque magenta

using PictureList = std::vector<std::unique_ptr<TBitmap32>>;

// One icon picture, blending, its magenta background made fully transparent.
std::unique_ptr<TBitmap32> LoadIconPicture(const std::filesystem::path& fileName, const std::string& what)
{
    auto picture = std::make_unique<TBitmap32>();
    try {
        picture->LoadFromFile(fileName);
    } catch (const Exception& error) {
        throw ECatalogueError("The picture of " + what + " cannot be used: " + error.what());
    }
    picture->SetDrawMode(dmBlend);
    TColor32* pixel = picture->Bits();
    for (size_t i = 0, n = size_t(picture->Width()) * size_t(picture->Height()); i < n; ++i)
        if (pixel[i] == kIconBackground)
            pixel[i] = 0;
    return picture;
}

PictureList LoadCataloguePictures(const CCatalogue& catalogue, const std::filesystem::path& folder,
                                  const std::string& source)
{
    PictureList pictures;
    auto load = [&](const std::vector<CCatalogue::Icon>& icons, const char* kind) {
        for (size_t i = 0; i < icons.size(); ++i)
            pictures.push_back(LoadIconPicture(folder / icons[i].path,
                                               std::string(kind) + " " + std::to_string(i + 1) + " of " + source));
    };
    load(catalogue.castles, "Castle");
    load(catalogue.armies, "Army");
    return pictures;
}

const platform::XmlDocument& RequireDocument(const platform::XmlDocument* document)
{
    if (!document)
        throw ECatalogueError("The game catalogue was not loaded.");
    return *document;
}

// Reads one part of the catalogue document with `parse`.
template <typename Parse>
CCatalogue ParsePart(const platform::XmlDocument* document, Parse parse)
{
    const platform::XmlDocument& loaded = RequireDocument(document);
    CCatalogue catalogue;
    parse(CatalogueRoot(loaded), CatalogueSource(loaded), catalogue);
    return catalogue;
}

} // namespace

CStringTable& CMapProject::CatalogueTable() const
{
    CStringTable* table = stringTables_.GetAt(currentStringTable_);
    if (!table)
        throw ECatalogueError("The project has no string table to take the catalogue's names.");
    return *table;
}

void CMapProject::ReadCatalogue()
{
    const platform::XmlDocument& document = RequireDocument(catalogue_);
    const CCatalogue catalogue = ParseCatalogue(document);
    PictureList pictures = LoadCataloguePictures(catalogue, resourceFolder_, CatalogueSource(document));

    currentStringTable_ = 0;
    stringTables_.Add(std::make_unique<CStringTable>(*this));
    CStringTable& table = CatalogueTable();
    StoreCastlesAndArmies(catalogue, table);
    StoreIconPictures(std::move(pictures));
    StoreUnitTypes(catalogue, table);
    StoreResources(catalogue, table);
    StoreSkills(catalogue, table);
}

void CMapProject::ReadCastlesAndArmies(bool full)
{
    if (full) {
        const CCatalogue catalogue = ParsePart(catalogue_, ParseCastlesAndArmies);
        CStringTable& table = CatalogueTable();
        PictureList pictures = LoadCataloguePictures(catalogue, resourceFolder_, CatalogueSource(*catalogue_));
        StoreCastlesAndArmies(catalogue, table);
        StoreIconPictures(std::move(pictures));
        return;
    }
    // The catalogue's paths are kept in the first table, whichever table is shown.
    const CStringTable* first = stringTables_.GetAt(0);
    if (!first)
        throw ECatalogueError("The project has no string table that keeps the picture paths.");
    const CStringTable& table = *first;
    if (castleTypes > CStringTable::kCastleTypes || armyTypes > CStringTable::kArmyTypes)
        throw ECatalogueError("The project holds " + std::to_string(castleTypes) + " castle types and " +
                              std::to_string(armyTypes) + " army types; at most " +
                              std::to_string(CStringTable::kCastleTypes) + " of each are possible.");
    PictureList pictures;
    for (int k = 0; k < castleTypes; ++k)
        pictures.push_back(LoadIconPicture(resourceFolder_ / table.GetCastlePicturePath(k),
                                           "castle type " + std::to_string(k + 1)));
    for (int m = 0; m < armyTypes; ++m)
        pictures.push_back(
            LoadIconPicture(resourceFolder_ / table.GetArmyPicturePath(m), "army type " + std::to_string(m + 1)));
    StoreIconPictures(std::move(pictures));
}

void CMapProject::ReadUnitTypes()
{
    const CCatalogue catalogue = ParsePart(catalogue_, ParseUnitTypes);
    StoreUnitTypes(catalogue, CatalogueTable());
}

void CMapProject::ReadResources()
{
    const CCatalogue catalogue = ParsePart(catalogue_, ParseResources);
    StoreResources(catalogue, CatalogueTable());
}

void CMapProject::ReadSkills()
{
    const CCatalogue catalogue = ParsePart(catalogue_, ParseSkills);
    StoreSkills(catalogue, CatalogueTable());
}

void CMapProject::ReadAbilitiesAndAITypes()
{
    StoreAbilitiesAndAITypes(ParsePart(catalogue_, ParseAbilitiesAndAITypes));
}

void CMapProject::StoreCastlesAndArmies(const CCatalogue& catalogue, CStringTable& table)
{
    for (size_t k = 0; k < catalogue.castles.size(); ++k) {
        table.SetCastleTypeName(int(k), catalogue.castles[k].name);
        table.SetCastlePicturePath(int(k), catalogue.castles[k].path);
        iconPivots_.Append(&catalogue.castles[k].pivot, 1);
    }
    for (size_t m = 0; m < catalogue.armies.size(); ++m) {
        table.SetArmyPicturePath(int(m), catalogue.armies[m].path);
        iconPivots_.Append(&catalogue.armies[m].pivot, 1);
    }
    castleTypes = uint8_t(catalogue.castles.size());
    armyTypes = uint8_t(catalogue.armies.size());
}

void CMapProject::StoreIconPictures(std::vector<std::unique_ptr<TBitmap32>> pictures)
{
    TBitmap32Collection& list = *iconPictures_.Bitmaps();
    list.Clear();
    for (const std::unique_ptr<TBitmap32>& picture : pictures)
        list.Add()->SetBitmap(picture.get());
    projectViews_->CastlePicturesChanged();
}

void CMapProject::StoreUnitTypes(const CCatalogue& catalogue, CStringTable& table)
{
    standardUnitTypes = catalogue.standardUnitTypes;
    nonStandardUnitTypes = catalogue.nonStandardUnitTypes;
    for (size_t i = 0; i < catalogue.unitNames.size(); ++i)
        table.SetUnitName(int(i), catalogue.unitNames[i]);
    unitTypesRead = uint8_t(catalogue.unitNames.size());
}

void CMapProject::StoreResources(const CCatalogue& catalogue, CStringTable& table)
{
    for (size_t n = 0; n < catalogue.resources.size(); ++n) {
        table.SetResourceName(int(n), catalogue.resources[n].name);
        resourceMin_[n] = catalogue.resources[n].minimum;
        resourceMax_[n] = catalogue.resources[n].maximum;
    }
    resources = uint8_t(catalogue.resources.size());
}

void CMapProject::StoreSkills(const CCatalogue& catalogue, CStringTable& table)
{
    for (size_t k = 0; k < catalogue.skills.size(); ++k)
        table.SetSkillName(int(k), catalogue.skills[k]);
}

void CMapProject::StoreAbilitiesAndAITypes(const CCatalogue& catalogue)
{
    abilities_.RemoveAll();
    for (const CAbilityStruct& ability : catalogue.abilities)
        abilities_.AddTail(ability);
    aiTypes_.RemoveAll();
    for (const CAbilityStruct& aiType : catalogue.aiTypes)
        aiTypes_.AddTail(aiType);
}

std::string CMapProject::GetAbilityName(int32_t value) const
{
    for (uint32_t i = 0; i < abilities_.GetCount(); ++i)
        if (abilities_.GetAt(i).value == value)
            return abilities_.GetAt(i).name;
    return {};
}
