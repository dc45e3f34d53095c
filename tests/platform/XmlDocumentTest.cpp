#include "platform/FileSystem.h"
#include "platform/Windows1252.h"
#include "platform/XmlDocument.h"

#include <gtest/gtest.h>

#include <memory>

using platform::XmlDocument;
using platform::XmlNode;

namespace {

std::unique_ptr<XmlDocument> Parsed(std::string_view text)
{
    auto document = std::make_unique<XmlDocument>();
    std::string error;
    EXPECT_TRUE(document->LoadFromText(text, error)) << error;
    return document;
}

} // namespace

TEST(XmlDocument, ChildListsKeepEveryNodeInDocumentOrder)
{
    XmlDocument document;
    std::string error;
    ASSERT_TRUE(document.LoadFromText(R"(<?xml version="1.0"?>
<Data dwID="VLDR">
  <Resources>
    <Resource name="Gold" min="" max="7"/>
    <!-- a comment between entries -->
    <resource name="lower case"/>
    <Resource name="Wood"/>
  </Resources>
</Data>)",
                                      error))
        << error;
    XmlNode root = document.DocumentElement();
    ASSERT_TRUE(root);
    EXPECT_EQ(root.NodeName(), "Data");
    EXPECT_EQ(root.GetAttribute("dwID"), "VLDR");

    platform::XmlNodeList entries = root.FindChildNode("Resources").ChildNodes();
    ASSERT_EQ(entries.Count(), 4u);
    EXPECT_EQ(entries.Get(0).NodeName(), "Resource");
    EXPECT_EQ(entries.Get(1).NodeName(), "#comment");
    EXPECT_FALSE(entries.Get(1).IsElement());
    EXPECT_EQ(entries.Get(2).NodeName(), "resource");
    EXPECT_EQ(entries.Get(3).GetAttribute("name"), "Wood");
    EXPECT_TRUE(entries.Get(4).IsNull());

    XmlNode gold = entries.Get(0);
    EXPECT_TRUE(gold.HasAttribute("min"));
    EXPECT_EQ(gold.GetAttribute("min"), "");
    EXPECT_FALSE(gold.HasAttribute("absent"));
    EXPECT_EQ(gold.GetAttribute("absent"), "");
}

TEST(XmlDocument, FindChildNodeMatchesLocalNameExactly)
{
    auto document = Parsed("<Data><units/><x:Units which='prefixed'/><Units which='plain'/></Data>");
    XmlNode root = document->DocumentElement();
    EXPECT_EQ(root.FindChildNode("Units").GetAttribute("which"), "prefixed");
    EXPECT_TRUE(root.FindChildNode("UNITS").IsNull());
    EXPECT_EQ(root.ChildNodes().FindNode("Units").GetAttribute("which"), "prefixed");
}

TEST(XmlDocument, FindOrAddAddsAMissingSectionOnce)
{
    auto document = Parsed("<Data/>");
    XmlNode root = document->DocumentElement();
    XmlNode castles = root.FindOrAddChildNode("Castles");
    ASSERT_TRUE(castles);
    EXPECT_EQ(castles.ChildNodes().Count(), 0u);
    EXPECT_EQ(root.FindOrAddChildNode("Castles").GetAttribute("x"), "");
    EXPECT_EQ(root.ChildNodes().Count(), 1u);
}

TEST(XmlDocument, AttributesWrittenAsTextSurviveSaveAndLoad)
{
    platform::TemporaryFolder folder;
    ASSERT_TRUE(folder.Valid()) << folder.Error();
    std::filesystem::path file = folder.Path() / "ini.xml";

    XmlDocument written(file);
    XmlNode editor = written.EnsureDocumentElement("Settings").FindOrAddChildNode("Editor");
    ASSERT_TRUE(editor.SetAttribute("TransValue", "200"));
    ASSERT_TRUE(editor.SetAttribute("Name", "Caf\xE9 \x80"));  // Windows-1252 e-acute and euro sign
    ASSERT_TRUE(editor.SetAttribute("TransValue", "100"));     // overwrites, no second attribute
    editor.FindOrAddChildNode("MainForm").SetAttribute("State", "2");
    std::string error;
    ASSERT_TRUE(written.Save(error)) << error;

    // A new document is UTF-8: the stored bytes carry the euro sign as E2 82 AC.
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(platform::ReadFileBytes(file, bytes, error)) << error;
    std::string text(bytes.begin(), bytes.end());
    EXPECT_NE(text.find("Caf\xC3\xA9 \xE2\x82\xAC"), std::string::npos) << text;

    XmlDocument read(file);
    ASSERT_TRUE(read.Load(error)) << error;
    XmlNode again = read.DocumentElement().FindChildNode("Editor");
    EXPECT_EQ(again.GetAttribute("TransValue"), "100");
    EXPECT_EQ(again.GetAttribute("Name"), "Caf\xE9 \x80");
    EXPECT_EQ(again.FindChildNode("MainForm").GetAttribute("State"), "2");
}

TEST(XmlDocument, Windows1252DocumentKeepsItsBytes)
{
    std::string source = "<?xml version=\"1.0\" encoding=\"windows-1252\"?><Data name=\"Ch\xE2teau\"/>";
    auto document = Parsed(source);
    EXPECT_TRUE(document->StoresWindows1252());
    EXPECT_EQ(document->DocumentElement().GetAttribute("name"), "Ch\xE2teau");
    document->DocumentElement().SetAttribute("name", "\x80");
    EXPECT_NE(document->SaveToText().find("name=\"\x80\""), std::string::npos);
}

TEST(XmlDocument, Latin1DocumentIsConverted)
{
    auto document = Parsed("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><Data name=\"Ch\xE2teau\"/>");
    EXPECT_EQ(document->DocumentElement().GetAttribute("name"), "Ch\xE2teau");
}

TEST(XmlDocument, ParseErrorNamesSourceLineAndProblem)
{
    XmlDocument document;
    std::string error;
    EXPECT_FALSE(document.LoadFromText("<Data>\n  <Units>\n  </Unit>\n</Data>", error, "fw.xml"));
    EXPECT_NE(error.find("fw.xml"), std::string::npos) << error;
    EXPECT_NE(error.find("line 3"), std::string::npos) << error;
    EXPECT_NE(error.find("mismatch"), std::string::npos) << error;
    EXPECT_TRUE(document.DocumentElement().IsNull());

    EXPECT_FALSE(document.LoadFromText("", error, "empty.xml"));
    EXPECT_NE(error.find("No document element"), std::string::npos) << error;
}

TEST(XmlDocument, LoadOfMissingFileFailsAndLeavesDocumentEmpty)
{
    platform::TemporaryFolder folder;
    XmlDocument document(folder.Path() / "absent.xml");
    std::string error;
    EXPECT_FALSE(document.Load(error));
    EXPECT_NE(error.find("absent.xml"), std::string::npos) << error;
    EXPECT_TRUE(document.DocumentElement().IsNull());
    EXPECT_EQ(document.EnsureDocumentElement("Root").NodeName(), "Root");
}

TEST(XmlDocument, SaveWithoutFileNameIsAnError)
{
    XmlDocument document;
    document.EnsureDocumentElement("Root");
    std::string error;
    EXPECT_FALSE(document.Save(error));
    EXPECT_FALSE(error.empty());
}

TEST(XmlDocument, NullNodesAnswerEmpty)
{
    XmlNode none;
    EXPECT_EQ(none.GetAttribute("a"), "");
    EXPECT_FALSE(none.SetAttribute("a", "1"));
    EXPECT_TRUE(none.FindChildNode("x").IsNull());
    EXPECT_TRUE(none.AddChild("x").IsNull());
    EXPECT_EQ(none.ChildNodes().Count(), 0u);
}

TEST(Windows1252, EveryByteRoundTripsThroughUtf8)
{
    std::string all;
    for (int b = 1; b < 256; ++b)
        all += char(b);
    EXPECT_EQ(platform::Utf8ToWindows1252(platform::Windows1252ToUtf8(all)), all);
    EXPECT_EQ(platform::Windows1252ToUtf8("\x80"), "\xE2\x82\xAC");
}

TEST(Windows1252, UnmappableAndMalformedUtf8BecomeQuestionMarks)
{
    EXPECT_EQ(platform::Utf8ToWindows1252("a\xE4\xB8\xADz"), "a?z");      // a CJK character
    EXPECT_EQ(platform::Utf8ToWindows1252("a\xF0\x9F\x98\x80z"), "a?z");  // an emoji
    EXPECT_EQ(platform::Utf8ToWindows1252("a\xC3"), "a?");                // cut short
    EXPECT_EQ(platform::Utf8ToWindows1252("\xFF\x80"), "??");             // no lead byte
}

TEST(Windows1252, ExactFormRefusesWhatHasNoByteAndLowerFollowsTheCodePage)
{
    EXPECT_EQ(platform::ExactWindows1252("\xC3\x84r \xE2\x82\xAC?"), "\xC4r \x80?"); // Ä, the euro sign
    for (const char* utf8 : {"a\xE4\xB8\xADz", "a\xC3", "\xEF\xBF\xBD"})                 // CJK, cut short, U+FFFD
        EXPECT_EQ(platform::ExactWindows1252(utf8), std::nullopt) << utf8;
    // A..Z, C0..DE but not D7, and Š Œ Ž Ÿ; 9A, DF, FF and the rest stay.
    EXPECT_EQ(platform::LowerWindows1252("AZ@[\xC0\xD6\xD7\xD8\xDE\xDF\x8A\x8C\x8E\x9F\x9A\xFF"),
              "az@[\xE0\xF6\xD7\xF8\xFE\xDF\x9A\x9C\x9E\xFF\x9A\xFF");
}
