#pragma once
// The game catalogue as the data file "fw.xml" describes it, read and checked
// in one go so that a faulty file changes nothing in the project.
//
// Shape of the file (every section optional except "Units"; entries are the
// section's child elements whose name matches exactly, in document order):
//
//   <AnyName dwID="ABCD">
//     <Units standart="S" non-standart="N">
//       <Standart>    S or more children, any element name, each name="..."
//       <NonStandart> any number of children, any element name, each name="..."
//     <Castles>    <Castle name path pivot_x pivot_y/> ...   3 to 16 of them
//     <Armies>     <Army path pivot_x pivot_y/> ...          1 to 16 of them
//     <Resources>  <Resource name min max/> ...              up to 16; min, max may be empty
//     <Skills>     <Skill name/> ...                         up to 16
//     <Abilities>  <Ability name val/> ...
//     <AIs>        <AI name val/> ...
#include <cstdint>
#include <string>
#include <vector>

#include "graphics/Geometry32.h"
#include "model/MapProject.h"
#include "platform/Exception.h"

namespace platform {
class XmlDocument;
class XmlNode;
}

// The catalogue cannot be used; the message names the file and what is wrong.
class ECatalogueError : public Exception {
public:
    using Exception::Exception;
};

struct CCatalogue {
    // The limits of the string table's catalogue slots.
    static constexpr int kMaxUnitTypes = CStringTable::kUnitNames;
    static constexpr int kMaxCastleTypes = CStringTable::kCastleTypes;
    static constexpr int kMaxArmyTypes = CStringTable::kArmyTypes;
    static constexpr int kMaxResources = CStringTable::kResourceNames;
    static constexpr int kMaxSkills = CStringTable::kSkillNames;
    // Castle icons 0, 1 and 2 stand for no castle, castle and capital.
    static constexpr int kMinCastleTypes = 3;
    static constexpr int kMinArmyTypes = 1;

    struct Icon {
        std::string name; // castles only
        std::string path; // relative to the resource folder
        TPoint pivot;     // the icon's anchor in its picture
    };
    struct Resource {
        std::string name;
        uint16_t minimum = 0;
        uint16_t maximum = 0;
    };

    uint8_t standardUnitTypes = 0;    // the "standart" attribute
    uint8_t nonStandardUnitTypes = 0; // the "non-standart" attribute
    std::vector<std::string> unitNames; // standard ones first
    std::vector<Icon> castles;
    std::vector<Icon> armies;
    std::vector<Resource> resources;
    std::vector<std::string> skills;
    std::vector<CAbilityStruct> abilities;
    std::vector<CAbilityStruct> aiTypes;
};

// Each reader fills its part of `catalogue` from the document's element and
// throws ECatalogueError for a faulty section; `source` names the file in messages.
void ParseUnitTypes(const platform::XmlNode& root, const std::string& source, CCatalogue& catalogue);
void ParseCastlesAndArmies(const platform::XmlNode& root, const std::string& source, CCatalogue& catalogue);
void ParseResources(const platform::XmlNode& root, const std::string& source, CCatalogue& catalogue);
void ParseSkills(const platform::XmlNode& root, const std::string& source, CCatalogue& catalogue);
void ParseAbilitiesAndAITypes(const platform::XmlNode& root, const std::string& source, CCatalogue& catalogue);

// A picture path the catalogue joins to its resource folder: relative (no root,
// no drive) and never climbing above where it starts. Both slashes separate.
// The catalogue reader and the project file loader both hold paths to it.
bool StaysInResourceFolder(const std::string& path);

// The document element of a loaded catalogue; throws ECatalogueError when the
// document holds none (it was not loaded or could not be parsed).
platform::XmlNode CatalogueRoot(const platform::XmlDocument& document);
// The file name for messages ("the game catalogue" when the document has none).
std::string CatalogueSource(const platform::XmlDocument& document);

// Every section at once.
CCatalogue ParseCatalogue(const platform::XmlDocument& document);
