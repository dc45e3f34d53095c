#include "ui/SettingsFile.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdlib>
#include <limits>
#include <new>
#include <optional>
#include <string_view>
#include <system_error>
#include <variant>

#include "graphics/Color32.h"
#include "model/Settings.h"
#include "platform/Windows1252.h"
#include "platform/XmlDocument.h"

namespace {

using platform::XmlNode;

// The root element a new settings document gets.
constexpr std::string_view kRootName = "Settings";
constexpr std::string_view kEditorName = "Editor";
// Font sizes outside this range are refused as damaged: names larger than this
// would not fit beside any province.
constexpr int32_t kMaxFontPointSize = 144;
// The screen resolution every font height of the program is laid out for.
constexpr int32_t kPixelsPerInch = 96;

std::string_view Trimmed(std::string_view text)
{
    const size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

// A whole decimal number with an optional sign, surrounding blanks allowed.
std::optional<int64_t> ParseInteger(std::string_view text)
{
    text = Trimmed(text);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    int64_t value = 0;
    const auto [stop, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || stop != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::optional<bool> ParseBoolean(std::string_view text)
{
    text = Trimmed(text);
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(), [](char c) { return char(std::tolower(uint8_t(c))); });
    if (lower == "true")
        return true;
    if (lower == "false")
        return false;
    if (const std::optional<int64_t> number = ParseInteger(text))
        return *number != 0;
    return std::nullopt;
}

std::string BooleanText(bool value)
{
    return value ? "True" : "False";
}

// The attribute as a number of minimum..maximum; nothing when absent or outside.
std::optional<int32_t> ReadInteger(const XmlNode& node, std::string_view name, int64_t minimum, int64_t maximum)
{
    if (!node.HasAttribute(name))
        return std::nullopt;
    const std::optional<int64_t> value = ParseInteger(node.GetAttribute(name));
    if (!value || *value < minimum || *value > maximum)
        return std::nullopt;
    return int32_t(*value);
}

std::optional<bool> ReadBoolean(const XmlNode& node, std::string_view name)
{
    if (!node.HasAttribute(name))
        return std::nullopt;
    return ParseBoolean(node.GetAttribute(name));
}

void WriteInteger(const XmlNode& node, std::string_view name, int64_t value)
{
    node.SetAttribute(name, std::to_string(value));
}

// ---- The attributes of "Editor" ----

// A flag is written as the integer it holds and read back as a boolean (1 or
// 0); a byte is written and read as an integer of 0..255.
struct SettingsAttribute {
    const char* name;
    uint32_t CSettings::*flag;
    uint8_t CSettings::*byte;
};

constexpr SettingsAttribute kEditorAttributes[] = {
    {"AutoResize", &CSettings::AutoResize, nullptr},
    {"AutoShowErr", &CSettings::AutoShowErr, nullptr},
    {"ConvertCapTo", nullptr, &CSettings::ConvertCapTo},
    {"MaxCapPopulation", nullptr, &CSettings::MaxCapPopulation},
    {"MaxPopulation", nullptr, &CSettings::MaxPopulation},
    {"MinCapPopulation", nullptr, &CSettings::MinCapPopulation},
    {"MinPopulation", nullptr, &CSettings::MinPopulation},
    {"OwnerColors", &CSettings::OwnerColors, nullptr},
    {"ShArmies", &CSettings::ShArmies, nullptr},
    {"ShCastles", &CSettings::ShCastles, nullptr},
    {"ShIcons", &CSettings::ShIcons, nullptr},
    {"ShNames", &CSettings::ShNames, nullptr},
    {"ShPaths", &CSettings::ShPaths, nullptr},
    {"TransArmies", &CSettings::TransArmies, nullptr},
    {"TransCastles", &CSettings::TransCastles, nullptr},
    {"TransValue", nullptr, &CSettings::TransValue},
};

void LoadEditorAttributes(const XmlNode& editor, CSettings& settings)
{
    for (const SettingsAttribute& attribute : kEditorAttributes) {
        if (attribute.flag) {
            if (const std::optional<bool> value = ReadBoolean(editor, attribute.name))
                settings.*attribute.flag = *value ? 1 : 0;
        } else if (const std::optional<int32_t> value = ReadInteger(editor, attribute.name, 0, 255)) {
            settings.*attribute.byte = uint8_t(*value);
        }
    }
}

void SaveEditorAttributes(const XmlNode& editor, const CSettings& settings)
{
    for (const SettingsAttribute& attribute : kEditorAttributes)
        WriteInteger(editor, attribute.name, attribute.flag ? int64_t(settings.*attribute.flag)
                                                            : int64_t(settings.*attribute.byte));
}

// ---- "Font" ----

struct FontStyle {
    const char* name;
    bool platform::FontSpec::*style;
};

constexpr FontStyle kFontStyles[] = {
    {"Bold", &platform::FontSpec::Bold},
    {"Italic", &platform::FontSpec::Italic},
    {"Underline", &platform::FontSpec::Underline},
    {"StrikeOut", &platform::FontSpec::StrikeOut},
};

void LoadFont(const XmlNode& node, platform::FontSpec& font)
{
    if (const std::optional<int32_t> charset = ReadInteger(node, "Charset", 0, 255))
        font.Charset = uint8_t(*charset);
    if (const std::optional<int32_t> color = ReadInteger(node, "Color", INT32_MIN, INT32_MAX))
        font.Color = FontColorFromFile(*color);
    // Height is the character height in pixels, negative as the platform writes
    // it; Size, read after it, takes precedence when both are sound.
    const int64_t maxPixels = platform::FontPixelSize(kMaxFontPointSize);
    if (const std::optional<int32_t> height = ReadInteger(node, "Height", -maxPixels, maxPixels)) {
        const int32_t points = (std::abs(*height) * 72 + kPixelsPerInch / 2) / kPixelsPerInch;
        if (points >= 1)
            font.PointSize = points;
    }
    // The file holds the name as the program's single-byte text; the font spec
    // holds UTF-8. No family name holds control characters.
    if (node.HasAttribute("Name")) {
        const std::string name = node.GetAttribute("Name");
        if (std::none_of(name.begin(), name.end(), [](char c) { return uint8_t(c) < 0x20; }))
            font.Family = platform::Windows1252ToUtf8(name);
    }
    if (const std::optional<int32_t> pitch = ReadInteger(node, "Pitch", platform::FontSpec::kDefaultPitch,
                                                         platform::FontSpec::kFixedPitch))
        font.Pitch = uint8_t(*pitch);
    if (const std::optional<int32_t> size = ReadInteger(node, "Size", 1, kMaxFontPointSize))
        font.PointSize = *size;
    for (const FontStyle& style : kFontStyles)
        if (const std::optional<bool> on = ReadBoolean(node, style.name))
            font.*style.style = *on;
}

void SaveFont(const XmlNode& node, const platform::FontSpec& font)
{
    WriteInteger(node, "Charset", font.Charset);
    WriteInteger(node, "Color", FontColorToFile(font.Color));
    WriteInteger(node, "Height", -platform::FontPixelSize(font.PointSize));
    node.SetAttribute("Name", platform::Utf8ToWindows1252(font.Family));
    WriteInteger(node, "Pitch", font.Pitch);
    WriteInteger(node, "PixelsPerInch", kPixelsPerInch);
    WriteInteger(node, "Size", font.PointSize);
    for (const FontStyle& style : kFontStyles)
        WriteInteger(node, style.name, font.*style.style ? 1 : 0);
}

// ---- The window layouts: one table per record, in the order they are written ----

// Positions may lie left of or above the screen; sizes and splitter positions may not be negative.
constexpr int64_t kMinPosition = std::numeric_limits<int16_t>::min();
constexpr int64_t kMaxExtent = std::numeric_limits<int16_t>::max();

template <class Record>
struct LayoutField {
    const char* name;
    std::variant<bool Record::*, int32_t Record::*, platform::WindowState Record::*> member;
    int64_t minimum = 0; // for integers
    bool writeOnly = false;
};

template <class Record>
constexpr LayoutField<Record> kBoundsFields[] = {
    {"Width", &Record::Width},
    {"Height", &Record::Height},
    {"Left", &Record::Left, kMinPosition},
    {"Top", &Record::Top, kMinPosition},
};

template <class Record>
constexpr LayoutField<Record> kToolFormFields[] = {
    {"Visible", &Record::Visible},
    kBoundsFields<Record>[0],
    kBoundsFields<Record>[1],
    kBoundsFields<Record>[2],
    kBoundsFields<Record>[3],
    {"SplitPos", &Record::SplitPos},
};

constexpr LayoutField<CEventsFormLayout> kEventsFormFields[] = {
    kToolFormFields<CEventsFormLayout>[0], kToolFormFields<CEventsFormLayout>[1],
    kToolFormFields<CEventsFormLayout>[2], kToolFormFields<CEventsFormLayout>[3],
    kToolFormFields<CEventsFormLayout>[4], kToolFormFields<CEventsFormLayout>[5],
    {"Splitter", &CEventsFormLayout::Splitter, 0, true},
};

constexpr LayoutField<CMainFormLayout> kMainFormFields[] = {
    kBoundsFields<CMainFormLayout>[0],
    kBoundsFields<CMainFormLayout>[1],
    kBoundsFields<CMainFormLayout>[2],
    kBoundsFields<CMainFormLayout>[3],
    {"State", &CMainFormLayout::State},
    {"Splitter", &CMainFormLayout::Splitter},
    {"SplitPlPos", &CMainFormLayout::SplitPlPos},
    {"SplitPrPos", &CMainFormLayout::SplitPrPos},
    {"FilePanel", &CMainFormLayout::FilePanel},
    {"ShowPanel", &CMainFormLayout::ShowPanel},
    {"ZoomPanel", &CMainFormLayout::ZoomPanel},
    {"ProvHeight", &CMainFormLayout::ProvHeight},
    {"ProvWidName", &CMainFormLayout::ProvWidName},
    {"ProvWidOwner", &CMainFormLayout::ProvWidOwner},
};

template <class Record, size_t N>
void LoadLayout(const XmlNode& node, const LayoutField<Record> (&fields)[N], Record& record)
{
    for (const LayoutField<Record>& field : fields) {
        if (field.writeOnly)
            continue;
        if (auto* flag = std::get_if<bool Record::*>(&field.member)) {
            if (const std::optional<bool> value = ReadBoolean(node, field.name))
                record.**flag = *value;
        } else if (auto* number = std::get_if<int32_t Record::*>(&field.member)) {
            if (const std::optional<int32_t> value = ReadInteger(node, field.name, field.minimum, kMaxExtent))
                record.**number = *value;
        } else if (const std::optional<int32_t> value = ReadInteger(node, field.name, 0, 2)) {
            // Any other state number leaves the window's state alone.
            record.*std::get<platform::WindowState Record::*>(field.member) = platform::WindowState(*value);
        }
    }
}

template <class Record, size_t N>
void SaveLayout(const XmlNode& node, const LayoutField<Record> (&fields)[N], const Record& record)
{
    for (const LayoutField<Record>& field : fields) {
        if (auto* flag = std::get_if<bool Record::*>(&field.member))
            node.SetAttribute(field.name, BooleanText(record.**flag));
        else if (auto* number = std::get_if<int32_t Record::*>(&field.member))
            WriteInteger(node, field.name, record.**number);
        else
            WriteInteger(node, field.name, int32_t(record.*std::get<platform::WindowState Record::*>(field.member)));
    }
}

} // namespace

int32_t FontColorToFile(uint32_t rgb)
{
    return WinColor(rgb);
}

uint32_t FontColorFromFile(int32_t stored)
{
    return Color32(stored) & 0x00FFFFFF;
}

void LoadSettings(const XmlNode& editor, CSettings& settings, CEditorLayout& layout)
{
    if (!editor)
        return;
    LoadEditorAttributes(editor, settings);
    if (const XmlNode font = editor.FindChildNode("Font"))
        LoadFont(font, settings.font);
    if (const XmlNode node = editor.FindChildNode("MissForm"))
        LoadLayout(node, kToolFormFields<CToolFormLayout>, layout.missForm);
    if (const XmlNode node = editor.FindChildNode("EventsForm"))
        LoadLayout(node, kEventsFormFields, layout.eventsForm);
    if (const XmlNode node = editor.FindChildNode("ErrorsForm"))
        LoadLayout(node, kBoundsFields<CWindowBounds>, layout.errorsForm);
    if (const XmlNode node = editor.FindChildNode("MainForm"))
        LoadLayout(node, kMainFormFields, layout.mainForm);
}

void SaveSettings(const XmlNode& editor, const CSettings& settings, const CEditorLayout& layout)
{
    SaveEditorAttributes(editor, settings);
    SaveFont(editor.FindOrAddChildNode("Font"), settings.font);
    SaveLayout(editor.FindOrAddChildNode("MissForm"), kToolFormFields<CToolFormLayout>, layout.missForm);
    SaveLayout(editor.FindOrAddChildNode("EventsForm"), kEventsFormFields, layout.eventsForm);
    SaveLayout(editor.FindOrAddChildNode("ErrorsForm"), kBoundsFields<CWindowBounds>, layout.errorsForm);
    SaveLayout(editor.FindOrAddChildNode("MainForm"), kMainFormFields, layout.mainForm);
}

bool ReadSettingsFile(const std::filesystem::path& file, CSettings& settings, CEditorLayout& layout,
                      std::string& error)
{
    std::error_code ignored;
    if (!std::filesystem::exists(file, ignored))
        return true;
    platform::XmlDocument document(file);
    if (!document.Load(error))
        return false;
    if (const XmlNode root = document.DocumentElement())
        LoadSettings(root.FindChildNode(kEditorName), settings, layout);
    return true;
}

bool WriteSettingsFile(const std::filesystem::path& file, const CSettings& settings, const CEditorLayout& layout,
                       std::string& error)
{
    // Written as the main window closes: what goes wrong is said, nothing thrown.
    try {
        platform::XmlDocument document(file);
        std::string unreadable;
        std::error_code ignored;
        // A damaged file leaves the document empty and is replaced by a fresh one.
        if (std::filesystem::exists(file, ignored))
            document.Load(unreadable);
        SaveSettings(document.EnsureDocumentElement(kRootName).FindOrAddChildNode(kEditorName), settings, layout);
        return document.Save(error);
    } catch (const std::bad_alloc&) {
        error = "Cannot write the settings to \"" + file.string() + "\": there is not enough memory.";
        return false;
    }
}
