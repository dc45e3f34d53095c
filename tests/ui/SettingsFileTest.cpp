// The settings file: every value through a write and a read, the text the file
// holds, and damaged files and values that keep what the records hold.
#include "model/Settings.h"
#include "platform/FileSystem.h"
#include "platform/XmlDocument.h"
#include "support/HeapMeter.h"
#include "ui/SettingsFile.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <tuple>

namespace {

using platform::WindowState;

// The fields the file stores, for comparing two settings whole.
auto Stored(const CSettings& s)
{
    return std::tie(s.ShNames, s.ShIcons, s.ShCastles, s.ShArmies, s.TransCastles, s.TransArmies, s.OwnerColors,
                    s.ShPaths, s.AutoShowErr, s.AutoResize, s.TransValue, s.font, s.MinPopulation, s.MaxPopulation,
                    s.MinCapPopulation, s.MaxCapPopulation, s.ConvertCapTo);
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

TEST_F(SettingsFileTest, EveryValueIsWrittenByteExactComesBackAndOtherContentSurvives)
{
    WriteText("<Settings>\n\t<Other keep=\"yes\"/>\n\t<Editor Extra=\"1\"/>\n</Settings>\n"); // laid out with tabs
    // Everything away from its default; the family name in UTF-8 (e-acute).
    const CSettings written{
        .ShNames = 1, .ShIcons = 0, .ShCastles = 1, .ShArmies = 1, .TransCastles = 0, .TransArmies = 1,
        .OwnerColors = 0, .ShPaths = 1, .AutoShowErr = 0, .AutoResize = 0, .TransValue = 204,
        .font = {.Family = "Caf\xC3\xA9 Serif", .PointSize = 13, .Bold = true, .StrikeOut = true, .Color = 0x123456,
                 .Charset = 238, .Pitch = platform::FontSpec::kFixedPitch},
        .firstTexts = {}, .secondTexts = {}, .thirdTexts = {}, // not in the file
        .MinPopulation = 26, .MaxPopulation = 126, .MinCapPopulation = 51, .MaxCapPopulation = 151, .ConvertCapTo = 3};
    const CEditorLayout writtenLayout{{{300, 400, -20, 35}, true, 120},
                                      {{{310, 420, 700, 40}, true, 90}, 77},
                                      {410, 260, 100, 200},
                                      {{1024, 700, 5, 6}, WindowState::Maximized, 250, 111, 122, false, false, false,
                                       180, 140, 70}};
    std::string error;
    ASSERT_TRUE(WriteSettingsFile(File(), written, writtenLayout, error)) << error;

    CSettings read;
    CEditorLayout readLayout;
    ASSERT_TRUE(ReadSettingsFile(File(), read, readLayout, error)) << error;
    EXPECT_EQ(Stored(read), Stored(written));
    // The events window's splitter is written but not read back.
    EXPECT_EQ(readLayout.eventsForm.Splitter, 0);
    readLayout.eventsForm.Splitter = 77;
    EXPECT_EQ(readLayout, writtenLayout);

    // Byte for byte against the hand-checked file, its comment lines left out.
    std::ifstream fixture(VALDRUNE_SOURCE_DIR "/tests/ui/fixtures/settings-written.txt"), file(File());
    ASSERT_TRUE(fixture) << "fixture file missing";
    std::string expected;
    for (std::string line; std::getline(fixture, line);)
        if (!line.starts_with("#"))
            expected += line + "\n";
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(file), {}), expected);
}

// One attribute at a time, and the change it makes to records that hold the
// defaults (none: the value is refused).
TEST_F(SettingsFileTest, EachValueIsReadOrRefusedOnItsOwn)
{
    using Change = void (*)(CSettings&, CEditorLayout&);
    const struct {
        const char* element; // "Editor" or one of its children
        const char* name;
        const char* text;
        Change change;
    } cases[] = {
        {"Editor", "ShNames", "True", [](CSettings& s, CEditorLayout&) { s.ShNames = 1; }},
        {"Editor", "ShIcons", " false ", [](CSettings& s, CEditorLayout&) { s.ShIcons = 0; }},
        {"Editor", "ShNames", "-1", [](CSettings& s, CEditorLayout&) { s.ShNames = 1; }},
        {"Editor", "ShIcons", "0", [](CSettings& s, CEditorLayout&) { s.ShIcons = 0; }},
        {"Editor", "ShNames", "yes", nullptr},
        {"Editor", "TransValue", "+255", [](CSettings& s, CEditorLayout&) { s.TransValue = 255; }},
        {"Editor", "TransValue", "256", nullptr},
        {"Editor", "TransValue", "-1", nullptr},
        {"Editor", "TransValue", "12abc", nullptr},
        {"Editor", "TransValue", "", nullptr},
        {"Editor", "MinPopulation", "99999999999999999999", nullptr},
        {"Font", "Size", "12", [](CSettings& s, CEditorLayout&) { s.font.PointSize = 12; }},
        {"Font", "Size", "0", nullptr},
        {"Font", "Size", "100000", nullptr},
        {"Font", "Height", "-16", [](CSettings& s, CEditorLayout&) { s.font.PointSize = 12; }}, // without a Size
        {"Font", "Pitch", "3", nullptr},
        // A system colour (highlight, platform value 0xFF9933) becomes its value.
        {"Font", "Color", "-16777203", [](CSettings& s, CEditorLayout&) { s.font.Color = 0x3399FF; }},
        {"Font", "Name", "Arial", [](CSettings& s, CEditorLayout&) { s.font.Family = "Arial"; }},
        {"Font", "Name", "Ari\tal", nullptr}, // control characters: damaged
        {"Font", "Italic", "TRUE", [](CSettings& s, CEditorLayout&) { s.font.Italic = true; }},
        {"MainForm", "State", "1", [](CSettings&, CEditorLayout& l) { l.mainForm.State = WindowState(1); }},
        {"MainForm", "State", "5", nullptr}, // any other state leaves the window's alone
        {"MainForm", "Width", "-4", nullptr},
        {"MissForm", "Visible", "1", [](CSettings&, CEditorLayout& l) { l.missForm.Visible = true; }},
        {"MissForm", "Left", "-300", [](CSettings&, CEditorLayout& l) { l.missForm.Left = -300; }},
        {"ErrorsForm", "Top", "7.5", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.element) + "." + c.name + "=\"" + c.text + "\"");
        platform::XmlDocument document;
        std::string error;
        ASSERT_TRUE(document.LoadFromText("<Settings><Editor/></Settings>", error)) << error;
        platform::XmlNode editor = document.DocumentElement().FindChildNode("Editor");
        platform::XmlNode element = std::string(c.element) == "Editor" ? editor : editor.AddChild(c.element);
        element.SetAttribute(c.name, c.text);
        CSettings settings, expected;
        CEditorLayout layout, expectedLayout;
        if (c.change)
            c.change(expected, expectedLayout);
        LoadSettings(editor, settings, layout);
        EXPECT_EQ(Stored(settings), Stored(expected));
        EXPECT_EQ(layout, expectedLayout);
    }
}

// A cut-short file, and one nested too deep: both are reported, leave the settings,
// and are written anew. One nested as deep as is read, 0.8 MB of elements at its bottom,
// is written back in its own layout, in little memory. Each then reads again.
TEST_F(SettingsFileTest, ADamagedFileIsReportedLeavesTheSettingsAndIsWrittenAnew)
{
    std::string open = "<Settings>", close = "</Settings>", bottom;
    for (int level = 2; level < platform::XmlDocument::kMaxDepth; ++level)
        open += "<a>", close = "</a>" + close;
    while (bottom.size() < 800000)
        bottom += "\n<b/>";
    const std::string cut = "<Settings><Editor TransValue=\"10\"", deepest = open + bottom + close;
    for (const std::string& text : {cut, open + "<a><a><Editor/>", deepest}) {
        WriteText(text);
        CSettings settings;
        CEditorLayout layout;
        std::string error;
        EXPECT_EQ(ReadSettingsFile(File(), settings, layout, error), text == deepest);
        EXPECT_TRUE(text == deepest || error.find("ini.xml") != std::string::npos) << error;
        EXPECT_EQ(Stored(settings), Stored(CSettings()));
        HeapMeter meter;
        ASSERT_TRUE(WriteSettingsFile(File(), settings, layout, error)) << error;
        EXPECT_LT(meter.Peak(), size_t(48) << 20);
        EXPECT_LT(std::filesystem::file_size(File()), (text == deepest ? text.size() : 0) + 4096);
        EXPECT_TRUE(ReadSettingsFile(File(), settings, layout, error)) << error;
    }
}

} // namespace
