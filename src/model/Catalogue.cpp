#include "model/Catalogue.h"

#include <charconv>
#include <optional>
#include <limits>

#include "platform/XmlDocument.h"

namespace {

// Where a value sits, for messages: `"pivot_x" of Castle 2` and the like.
struct Place {
    const std::string& source;
    std::string what;
};

[[noreturn]] void Fail(const std::string& source, const std::string& problem)
{
    throw ECatalogueError(source + ": " + problem + ". Correct the game catalogue and try again.");
}

std::string Quoted(std::string_view text)
{
    return "\"" + std::string(text) + "\"";
}

// A decimal integer in [minimum, maximum], optionally signed, blanks around it
// allowed. `emptyMeans` stands for an empty (or absent) attribute when given.
int32_t ReadNumber(const platform::XmlNode& node, std::string_view attribute, const Place& place, int32_t minimum,
                   int32_t maximum, std::optional<int32_t> emptyMeans = std::nullopt)
{
    const std::string text = node.GetAttribute(attribute);
    size_t first = text.find_first_not_of(" \t\r\n");
    const size_t last = text.find_last_not_of(" \t\r\n");
    if (first == std::string::npos) {
        if (emptyMeans)
            return *emptyMeans;
        Fail(place.source, Quoted(attribute) + " of " + place.what + " is empty; it must be a whole number");
    }
    if (text[first] == '+')
        ++first;
    int64_t value = 0;
    const char* begin = text.data() + first;
    const char* end = text.data() + last + 1;
    const auto [stop, error] = std::from_chars(begin, end, value);
    if (begin == end || error == std::errc::invalid_argument || stop != end)
        Fail(place.source, Quoted(attribute) + " of " + place.what + " is " + Quoted(text) + ", not a whole number");
    if (error == std::errc::result_out_of_range || value < minimum || value > maximum)
        Fail(place.source, Quoted(attribute) + " of " + place.what + " is " + Quoted(text) + "; it must lie between " +
                               std::to_string(minimum) + " and " + std::to_string(maximum));
    return int32_t(value);
}

// The section's child elements named exactly `entryName`, in document order.
std::vector<platform::XmlNode> Entries(const platform::XmlNode& section, std::string_view entryName)
{
    std::vector<platform::XmlNode> entries;
    if (!section)
        return entries;
    const platform::XmlNodeList children = section.ChildNodes();
    for (size_t i = 0; i < children.Count(); ++i)
        if (const platform::XmlNode child = children.Get(i); child.IsElement() && child.NodeName() == entryName)
            entries.push_back(child);
    return entries;
}

// Every child element of the section, whatever its name.
std::vector<platform::XmlNode> ElementChildren(const platform::XmlNode& section)
{
    std::vector<platform::XmlNode> elements;
    if (!section)
        return elements;
    const platform::XmlNodeList children = section.ChildNodes();
    for (size_t i = 0; i < children.Count(); ++i)
        if (const platform::XmlNode child = children.Get(i); child.IsElement())
            elements.push_back(child);
    return elements;
}

// The entries of `root`/`sectionName`/`entryName`, refused beyond `limit`.
std::vector<platform::XmlNode> BoundedEntries(const platform::XmlNode& root, const std::string& source,
                                              std::string_view sectionName, std::string_view entryName, int limit)
{
    std::vector<platform::XmlNode> entries = Entries(root.FindChildNode(sectionName), entryName);
    if (int(entries.size()) > limit)
        Fail(source, Quoted(sectionName) + " holds " + std::to_string(entries.size()) + " " + Quoted(entryName) +
                         " entries; at most " + std::to_string(limit) + " are allowed");
    return entries;
}

std::string Numbered(std::string_view entryName, size_t i)
{
    return std::string(entryName) + " " + std::to_string(i + 1);
}

constexpr int32_t kPivotLimit = std::numeric_limits<int16_t>::max();

std::vector<CCatalogue::Icon> ReadIcons(const platform::XmlNode& root, const std::string& source,
                                        std::string_view sectionName, std::string_view entryName, int minimum,
                                        int maximum, bool named)
{
    const std::vector<platform::XmlNode> entries = BoundedEntries(root, source, sectionName, entryName, maximum);
    if (int(entries.size()) < minimum)
        Fail(source, Quoted(sectionName) + " holds " + std::to_string(entries.size()) + " " + Quoted(entryName) +
                         " entries; at least " + std::to_string(minimum) + " are needed");
    std::vector<CCatalogue::Icon> icons;
    for (size_t i = 0; i < entries.size(); ++i) {
        const Place place{source, Numbered(entryName, i)};
        CCatalogue::Icon icon;
        if (named)
            icon.name = entries[i].GetAttribute("name");
        icon.path = entries[i].GetAttribute("path");
        if (!StaysInResourceFolder(icon.path))
            Fail(source, "the picture path " + Quoted(icon.path) + " of " + place.what +
                             " leaves the resource folder; picture paths are relative to it");
        icon.pivot.X = ReadNumber(entries[i], "pivot_x", place, -kPivotLimit, kPivotLimit);
        icon.pivot.Y = ReadNumber(entries[i], "pivot_y", place, -kPivotLimit, kPivotLimit);
        icons.push_back(std::move(icon));
    }
    return icons;
}

std::vector<CAbilityStruct> ReadValuedNames(const platform::XmlNode& root, const std::string& source,
                                            std::string_view sectionName, std::string_view entryName)
{
    std::vector<CAbilityStruct> list;
    const std::vector<platform::XmlNode> entries = Entries(root.FindChildNode(sectionName), entryName);
    for (size_t i = 0; i < entries.size(); ++i) {
        const Place place{source, Numbered(entryName, i)};
        list.push_back({entries[i].GetAttribute("name"),
                        ReadNumber(entries[i], "val", place, std::numeric_limits<int32_t>::min(),
                                   std::numeric_limits<int32_t>::max())});
    }
    return list;
}

} // namespace

bool StaysInResourceFolder(const std::string& path)
{
    if (!path.empty() && (path[0] == '/' || path[0] == '\\'))
        return false;
    if (path.size() >= 2 && path[1] == ':')
        return false;
    int depth = 0;
    size_t start = 0;
    while (start <= path.size()) {
        size_t end = path.find_first_of("/\\", start);
        if (end == std::string::npos)
            end = path.size();
        const std::string_view part = std::string_view(path).substr(start, end - start);
        if (part == "..") {
            if (--depth < 0)
                return false;
        } else if (!part.empty() && part != ".") {
            ++depth;
        }
        start = end + 1;
    }
    return true;
}

void ParseUnitTypes(const platform::XmlNode& root, const std::string& source, CCatalogue& catalogue)
{
    constexpr int kMax = CCatalogue::kMaxUnitTypes;
    const platform::XmlNode units = root.FindChildNode("Units");
    const Place place{source, Quoted("Units")};
    const int standard = ReadNumber(units, "standart", place, 0, kMax);
    const int nonStandard = ReadNumber(units, "non-standart", place, 0, kMax);
    if (standard + nonStandard > kMax)
        Fail(source, "\"Units\" declares " + std::to_string(standard + nonStandard) + " unit types; at most " +
                         std::to_string(kMax) + " are allowed");

    const std::vector<platform::XmlNode> standardEntries = ElementChildren(units.FindChildNode("Standart"));
    const std::vector<platform::XmlNode> specialEntries = ElementChildren(units.FindChildNode("NonStandart"));
    if (int(standardEntries.size()) < standard)
        Fail(source, "\"Units\" declares " + std::to_string(standard) + " standard unit types but \"Standart\" holds " +
                         std::to_string(standardEntries.size()));
    if (standard + int(specialEntries.size()) > kMax)
        Fail(source, "\"Units\" holds " + std::to_string(standard + specialEntries.size()) +
                         " unit types; at most " + std::to_string(kMax) + " are allowed");

    catalogue.standardUnitTypes = uint8_t(standard);
    catalogue.nonStandardUnitTypes = uint8_t(nonStandard);
    catalogue.unitNames.clear();
    for (int i = 0; i < standard; ++i)
        catalogue.unitNames.push_back(standardEntries[size_t(i)].GetAttribute("name"));
    for (const platform::XmlNode& entry : specialEntries)
        catalogue.unitNames.push_back(entry.GetAttribute("name"));
}

void ParseCastlesAndArmies(const platform::XmlNode& root, const std::string& source, CCatalogue& catalogue)
{
    catalogue.castles = ReadIcons(root, source, "Castles", "Castle", CCatalogue::kMinCastleTypes,
                                  CCatalogue::kMaxCastleTypes, true);
    catalogue.armies =
        ReadIcons(root, source, "Armies", "Army", CCatalogue::kMinArmyTypes, CCatalogue::kMaxArmyTypes, false);
}

void ParseResources(const platform::XmlNode& root, const std::string& source, CCatalogue& catalogue)
{
    constexpr int32_t kMaxBound = std::numeric_limits<uint16_t>::max();
    catalogue.resources.clear();
    const std::vector<platform::XmlNode> entries =
        BoundedEntries(root, source, "Resources", "Resource", CCatalogue::kMaxResources);
    for (size_t i = 0; i < entries.size(); ++i) {
        const Place place{source, Numbered("Resource", i)};
        catalogue.resources.push_back({entries[i].GetAttribute("name"),
                                       uint16_t(ReadNumber(entries[i], "min", place, 0, kMaxBound, 0)),
                                       uint16_t(ReadNumber(entries[i], "max", place, 0, kMaxBound, 0))});
    }
}

void ParseSkills(const platform::XmlNode& root, const std::string& source, CCatalogue& catalogue)
{
    catalogue.skills.clear();
    for (const platform::XmlNode& entry : BoundedEntries(root, source, "Skills", "Skill", CCatalogue::kMaxSkills))
        catalogue.skills.push_back(entry.GetAttribute("name"));
}

void ParseAbilitiesAndAITypes(const platform::XmlNode& root, const std::string& source, CCatalogue& catalogue)
{
    catalogue.abilities = ReadValuedNames(root, source, "Abilities", "Ability");
    catalogue.aiTypes = ReadValuedNames(root, source, "AIs", "AI");
}

std::string CatalogueSource(const platform::XmlDocument& document)
{
    return document.FileName().empty() ? std::string("the game catalogue") : document.FileName().string();
}

platform::XmlNode CatalogueRoot(const platform::XmlDocument& document)
{
    platform::XmlNode root = document.DocumentElement();
    if (!root)
        Fail(CatalogueSource(document), "the file is missing or holds no XML element");
    return root;
}

CCatalogue ParseCatalogue(const platform::XmlDocument& document)
{
    const platform::XmlNode root = CatalogueRoot(document);
    const std::string source = CatalogueSource(document);
    CCatalogue catalogue;
    ParseCastlesAndArmies(root, source, catalogue);
    ParseUnitTypes(root, source, catalogue);
    ParseResources(root, source, catalogue);
    ParseSkills(root, source, catalogue);
    ParseAbilitiesAndAITypes(root, source, catalogue);
    return catalogue;
}
