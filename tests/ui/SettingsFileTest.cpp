// The settings file: defaults without a file, every value through a write and a
// read, the text the file holds, and damaged values that keep the defaults.
#include "model/Settings.h"
#include "platform/FileSystem.h"
#include "platform/XmlDocument.h"
#include "ui/SettingsFile.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using platform::WindowState;

// Everything away from its default.
void ChangeEverything(CSettings& settings, CEditorLayout& layout)
{
    settings.AutoResize = 0;
    settings.AutoShowErr = 0;
    settings.ConvertCapTo = 3;
    settings.MinPopulation = 25;
    settings.MaxPopulation = 125;
    settings.MinCapPopulation = 50;
    settings.MaxCapPopulation = 151;
    settings.OwnerColors = 0;
    settings.ShArmies = 1;
    settings.ShCastles = 1;
    settings.ShIcons = 0;
    settings.ShNames = 1;
    settings.ShPaths = 1;
    settings.TransArmies = 1;
    settings.TransCastles = 0;
    settings.TransValue = 204;
    settings.font.Family = "Caf\xC3\xA9 Serif"; // UTF-8 e-acute
    settings.font.PointSize = 13;
    settings.font.Bold = true;
    settings.font.StrikeOut = true;
    settings.font.Color = 0x123456;
    settings.font.Charset = 238;
    settings.font.Pitch = platform::FontSpec::kFixedPitch;

    layout.missForm = {{300, 400, -20, 35}, true, 120};
    layout.eventsForm.Visible = true;
    layout.eventsForm.Width = 310;
    layout.eventsForm.Height = 420;
    layout.eventsForm.Left = 700;
    layout.eventsForm.Top = 40;
    layout.eventsForm.SplitPos = 90;
    layout.errorsForm = {410, 260, 100, 200};
    CMainFormLayout& main = layout.mainForm;
    main.Width = 1024;
    main.Height = 700;
    main.Left = 5;
    main.Top = 6;
    main.State = WindowState::Maximized;
    main.Splitter = 250;
    main.SplitPlPos = 111;
    main.SplitPrPos = 122;
    main.FilePanel = false;
    main.ShowPanel = false;
    main.ZoomPanel = false;
    main.ProvHeight = 180;
    main.ProvWidName = 140;
    main.ProvWidOwner = 70;
}

class SettingsFileTest : public ::testing::Test {
protected:
    std::filesystem::path File() const { return folder_.Path() / "ini.xml"; }

    void WriteText(const std::string& text) const
    {
        std::string error;
        ASSERT_TRUE(platform::WriteFileAtomically(File(), {reinterpret_cast<const uint8_t*>(text.data()), text.size()},
                                                  error))
            << error;
    }

    platform::TemporaryFolder folder_;
};

TEST_F(SettingsFileTest, MissingFileKeepsTheDefaults)
{
    CSettings settings;
    CEditorLayout layout;
    std::string error;
    EXPECT_TRUE(ReadSettingsFile(File(), settings, layout, error)) << error;
    EXPECT_EQ(settings.TransValue, CSettings().TransValue);
    EXPECT_EQ(settings.font, CSettings().font);
    EXPECT_EQ(layout, CEditorLayout());
}

TEST_F(SettingsFileTest, EveryValueComesBackAndOtherContentSurvives)
{
    WriteText("<Settings><Other keep=\"yes\"/><Editor Extra=\"1\"/></Settings>");
    CSettings written;
    CEditorLayout writtenLayout;
    ChangeEverything(written, writtenLayout);
    writtenLayout.eventsForm.Splitter = 77;
    std::string error;
    ASSERT_TRUE(WriteSettingsFile(File(), written, writtenLayout, error)) << error;

    CSettings read;
    CEditorLayout readLayout;
    ASSERT_TRUE(ReadSettingsFile(File(), read, readLayout, error)) << error;
    EXPECT_EQ(read.AutoResize, 0u);
    EXPECT_EQ(read.AutoShowErr, 0u);
    EXPECT_EQ(read.ConvertCapTo, 3);
    EXPECT_EQ(read.MinPopulation, 25);
    EXPECT_EQ(read.MaxPopulation, 125);
    EXPECT_EQ(read.MinCapPopulation, 50);
    EXPECT_EQ(read.MaxCapPopulation, 151);
    EXPECT_EQ(read.OwnerColors, 0u);
    EXPECT_EQ(read.ShArmies, 1u);
    EXPECT_EQ(read.ShCastles, 1u);
    EXPECT_EQ(read.ShIcons, 0u);
    EXPECT_EQ(read.ShNames, 1u);
    EXPECT_EQ(read.ShPaths, 1u);
    EXPECT_EQ(read.TransArmies, 1u);
    EXPECT_EQ(read.TransCastles, 0u);
    EXPECT_EQ(read.TransValue, 204);
    EXPECT_EQ(read.font, written.font);
    // The events window's splitter is written but not read back.
    EXPECT_EQ(readLayout.eventsForm.Splitter, 0);
    readLayout.eventsForm.Splitter = 77;
    EXPECT_EQ(readLayout, writtenLayout);

    platform::XmlDocument document(File());
    ASSERT_TRUE(document.Load(error)) << error;
    const platform::XmlNode root = document.DocumentElement();
    EXPECT_EQ(root.FindChildNode("Other").GetAttribute("keep"), "yes");
    const platform::XmlNode editor = root.FindChildNode("Editor");
    EXPECT_EQ(editor.GetAttribute("Extra"), "1");
    EXPECT_EQ(editor.GetAttribute("ShNames"), "1");
    const platform::XmlNode font = editor.FindChildNode("Font");
    EXPECT_EQ(font.GetAttribute("Color"), std::to_string(0x563412)); // blue, green, red from the top
    EXPECT_EQ(font.GetAttribute("Height"), "-17");                    // 13 points at 96 pixels per inch
    EXPECT_EQ(font.GetAttribute("Bold"), "1");
    EXPECT_EQ(font.GetAttribute("Italic"), "0");
    EXPECT_EQ(editor.FindChildNode("MainForm").GetAttribute("State"), "2");
    EXPECT_EQ(editor.FindChildNode("MainForm").GetAttribute("FilePanel"), "False");
    EXPECT_EQ(editor.FindChildNode("EventsForm").GetAttribute("Splitter"), "77");
}

TEST_F(SettingsFileTest, FontColourConvertsBetweenTheTwoByteOrders)
{
    EXPECT_EQ(FontColorToFile(0x123456), 0x563412);
    EXPECT_EQ(FontColorFromFile(0x563412), 0x123456u);
    // A system colour (highlight, platform value 0xFF9933) becomes its value.
    EXPECT_EQ(FontColorFromFile(int32_t(0xFF00000D)), 0x3399FFu);
}

// One attribute at a time, with the value the field must then hold.
using Field = int64_t (*)(const CSettings&, const CEditorLayout&);
struct AttributeCase {
    const char* element; // "Editor" or one of its children
    const char* name;
    const char* text;
    Field field;
    int64_t expected;
};

TEST_F(SettingsFileTest, EachValueIsReadOrRefusedOnItsOwn)
{
    const CSettings defaults;
    const Field shNames = [](const CSettings& s, const CEditorLayout&) -> int64_t { return s.ShNames; };
    const Field shIcons = [](const CSettings& s, const CEditorLayout&) -> int64_t { return s.ShIcons; };
    const Field transValue = [](const CSettings& s, const CEditorLayout&) -> int64_t { return s.TransValue; };
    const Field minPopulation = [](const CSettings& s, const CEditorLayout&) -> int64_t { return s.MinPopulation; };
    const Field fontSize = [](const CSettings& s, const CEditorLayout&) -> int64_t { return s.font.PointSize; };
    const Field fontName = [](const CSettings& s, const CEditorLayout&) -> int64_t { return s.font.Family.size(); };
    const Field fontPitch = [](const CSettings& s, const CEditorLayout&) -> int64_t { return s.font.Pitch; };
    const Field fontItalic = [](const CSettings& s, const CEditorLayout&) -> int64_t { return s.font.Italic; };
    const Field mainState = [](const CSettings&, const CEditorLayout& l) -> int64_t { return int(l.mainForm.State); };
    const Field mainWidth = [](const CSettings&, const CEditorLayout& l) -> int64_t { return l.mainForm.Width; };
    const Field missVisible = [](const CSettings&, const CEditorLayout& l) -> int64_t { return l.missForm.Visible; };
    const Field missLeft = [](const CSettings&, const CEditorLayout& l) -> int64_t { return l.missForm.Left; };
    const Field errorsTop = [](const CSettings&, const CEditorLayout& l) -> int64_t { return l.errorsForm.Top; };
    const std::vector<AttributeCase> cases = {
        {"Editor", "ShNames", "True", shNames, 1},
        {"Editor", "ShIcons", " false ", shIcons, 0},
        {"Editor", "ShNames", "-1", shNames, 1},
        {"Editor", "ShIcons", "0", shIcons, 0},
        {"Editor", "ShNames", "yes", shNames, defaults.ShNames},
        {"Editor", "TransValue", "+255", transValue, 255},
        {"Editor", "TransValue", "256", transValue, defaults.TransValue},
        {"Editor", "TransValue", "-1", transValue, defaults.TransValue},
        {"Editor", "TransValue", "12abc", transValue, defaults.TransValue},
        {"Editor", "TransValue", "", transValue, defaults.TransValue},
        {"Editor", "MinPopulation", "99999999999999999999", minPopulation, defaults.MinPopulation},
        {"Font", "Size", "12", fontSize, 12},
        {"Font", "Size", "0", fontSize, defaults.font.PointSize},
        {"Font", "Size", "100000", fontSize, defaults.font.PointSize},
        {"Font", "Pitch", "3", fontPitch, defaults.font.Pitch},
        {"Font", "Name", "Arial", fontName, 5},
        {"Font", "Name", "Ari\tal", fontName, 0}, // control characters: damaged
        {"Font", "Italic", "TRUE", fontItalic, 1},
        {"MainForm", "State", "1", mainState, 1},
        {"MainForm", "State", "5", mainState, 0}, // any other state leaves the window's alone
        {"MainForm", "Width", "-4", mainWidth, 0},
        {"MissForm", "Visible", "1", missVisible, 1},
        {"MissForm", "Left", "-300", missLeft, -300},
        {"ErrorsForm", "Top", "7.5", errorsTop, 0},
    };
    for (const AttributeCase& c : cases) {
        platform::XmlDocument document;
        std::string error;
        ASSERT_TRUE(document.LoadFromText("<Settings><Editor/></Settings>", error)) << error;
        platform::XmlNode editor = document.DocumentElement().FindChildNode("Editor");
        platform::XmlNode element = std::string(c.element) == "Editor" ? editor : editor.AddChild(c.element);
        element.SetAttribute(c.name, c.text);
        CSettings settings;
        CEditorLayout layout;
        LoadSettings(editor, settings, layout);
        EXPECT_EQ(c.field(settings, layout), c.expected) << c.element << "." << c.name << "=\"" << c.text << "\"";
    }
}

TEST_F(SettingsFileTest, FontHeightGivesTheSizeWhenSizeIsMissing)
{
    platform::XmlDocument document;
    std::string error;
    ASSERT_TRUE(document.LoadFromText("<S><Editor><Font Height=\"-16\"/></Editor></S>", error)) << error;
    CSettings settings;
    CEditorLayout layout;
    LoadSettings(document.DocumentElement().FindChildNode("Editor"), settings, layout);
    EXPECT_EQ(settings.font.PointSize, 12);
}

TEST_F(SettingsFileTest, DamagedFileIsReportedAndThenReplaced)
{
    WriteText("<Settings><Editor TransValue=\"10\"");
    CSettings settings;
    CEditorLayout layout;
    std::string error;
    EXPECT_FALSE(ReadSettingsFile(File(), settings, layout, error));
    EXPECT_NE(error.find("ini.xml"), std::string::npos) << error;
    EXPECT_EQ(settings.TransValue, CSettings().TransValue);

    settings.TransValue = 30;
    ASSERT_TRUE(WriteSettingsFile(File(), settings, layout, error)) << error;
    CSettings read;
    ASSERT_TRUE(ReadSettingsFile(File(), read, layout, error)) << error;
    EXPECT_EQ(read.TransValue, 30);
}

} // namespace
