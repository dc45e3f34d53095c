// The XML layer: child lists in document order, lookups by exact local name, attribute text
// in Windows-1252 over UTF-8, Windows-1252 and Latin-1 files, and failures that say where;
// the Windows-1252 conversions themselves.
#include "platform/FileSystem.h"
#include "platform/Windows1252.h"
#include "platform/XmlDocument.h"

#include <gtest/gtest.h>

#include <memory>

using namespace platform;

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
    XmlDocument document(VALDRUNE_SOURCE_DIR "/tests/platform/fixtures/resources.xml");
    std::string error;
    ASSERT_TRUE(document.Load(error)) << error;
    XmlNode root = document.DocumentElement();
    EXPECT_EQ(root.NodeName(), "Data");
    EXPECT_EQ(root.GetAttribute("dwID"), "VLDR");
    XmlNodeList entries = root.FindChildNode("Resources").ChildNodes();
    std::vector<std::string> names;
    for (size_t i = 0; i < entries.Count(); ++i)
        names.push_back(entries.Get(i).NodeName());
    EXPECT_EQ(names, (std::vector<std::string>{"Resource", "#comment", "resource", "Resource"}));
    EXPECT_FALSE(entries.Get(1).IsElement());
    EXPECT_EQ(entries.Get(3).GetAttribute("name"), "Wood");
    EXPECT_TRUE(entries.Get(4).IsNull());
    XmlNode gold = entries.Get(0);
    EXPECT_TRUE(gold.HasAttribute("min") && !gold.HasAttribute("absent"));
    EXPECT_EQ(gold.GetAttribute("min") + gold.GetAttribute("absent"), "");
}

TEST(XmlDocument, FindChildNodeMatchesLocalNameExactlyAndFindOrAddAddsOnce)
{
    auto document = Parsed("<Data><units/><x:Units which='prefixed'/><Units which='plain'/></Data>");
    XmlNode root = document->DocumentElement();
    EXPECT_EQ(root.FindChildNode("Units").GetAttribute("which"), "prefixed");
    EXPECT_TRUE(root.FindChildNode("UNITS").IsNull());
    EXPECT_EQ(root.ChildNodes().FindNode("Units").GetAttribute("which"), "prefixed");

    XmlNode castles = root.FindOrAddChildNode("Castles");
    EXPECT_TRUE(castles && castles.ChildNodes().Count() == 0u);
    EXPECT_EQ(root.FindOrAddChildNode("Castles").GetAttribute("x"), "");
    EXPECT_EQ(root.ChildNodes().Count(), 4u);
}

TEST(XmlDocument, AttributesWrittenAsTextSurviveSaveAndLoad)
{
    TemporaryFolder folder;
    const std::filesystem::path file = folder.Path() / "ini.xml";
    XmlDocument written(file);
    XmlNode editor = written.EnsureDocumentElement("Settings").FindOrAddChildNode("Editor");
    ASSERT_TRUE(editor.SetAttribute("TransValue", "200"));
    ASSERT_TRUE(editor.SetAttribute("Name", "Caf\xE9 \x80")); // Windows-1252 e-acute and euro sign
    ASSERT_TRUE(editor.SetAttribute("TransValue", "100"));    // overwrites, no second attribute
    editor.FindOrAddChildNode("MainForm").SetAttribute("State", "2");
    std::string error;
    ASSERT_TRUE(written.Save(error)) << error;

    // A new document is UTF-8 (the euro sign E2 82 AC), each element on a line of its own.
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(ReadFileBytes(file, bytes, error)) << error;
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()),
              "<?xml version=\"1.0\"?>\n<Settings>\n  <Editor TransValue=\"100\" Name=\"Caf\xC3\xA9 \xE2\x82\xAC\">\n"
              "    <MainForm State=\"2\"/>\n  </Editor>\n</Settings>\n");

    XmlDocument read(file);
    ASSERT_TRUE(read.Load(error)) << error;
    XmlNode again = read.DocumentElement().FindChildNode("Editor");
    EXPECT_EQ(again.GetAttribute("TransValue"), "100");
    EXPECT_EQ(again.GetAttribute("Name"), "Caf\xE9 \x80");
    EXPECT_EQ(again.FindChildNode("MainForm").GetAttribute("State"), "2");
}

TEST(XmlDocument, Windows1252DocumentKeepsItsBytesAndLatin1IsConverted)
{
    auto document = Parsed("<?xml version=\"1.0\" encoding=\"windows-1252\"?><Data name=\"Ch\xE2teau\"/>");
    EXPECT_TRUE(document->StoresWindows1252());
    EXPECT_EQ(document->DocumentElement().GetAttribute("name"), "Ch\xE2teau");
    document->DocumentElement().SetAttribute("name", "\x80");
    EXPECT_NE(document->SaveToText().find("name=\"\x80\""), std::string::npos);
    auto latin1 = Parsed("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><Data name=\"Ch\xE2teau\"/>");
    EXPECT_EQ(latin1->DocumentElement().GetAttribute("name"), "Ch\xE2teau");
}

TEST(XmlDocument, FailuresSayWhatAndWhereAndLeaveTheDocumentEmpty)
{
    XmlDocument document;
    std::string error;
    EXPECT_FALSE(document.LoadFromText("<Data>\n  <Units>\n  </Unit>\n</Data>", error, "fw.xml"));
    for (const char* part : {"fw.xml", "line 3", "mismatch"})
        EXPECT_NE(error.find(part), std::string::npos) << error;
    EXPECT_TRUE(document.DocumentElement().IsNull());
    EXPECT_FALSE(document.LoadFromText("", error, "empty.xml"));
    EXPECT_NE(error.find("No document element"), std::string::npos) << error;
    // Nesting is limited: 256 elements read (text is no level), the 257th is
    // refused where it starts and is not made.
    std::string open = "<a>\n", close = "</a>";
    for (int depth = 1; depth < XmlDocument::kMaxDepth; ++depth)
        open += "<b>", close = "</b>" + close;
    EXPECT_TRUE(document.LoadFromText(open + "x" + close, error)) << error;
    XmlNode above = document.DocumentElement(); // walks to level 255
    while (above.FindChildNode("b").FindChildNode("b"))
        above = above.FindChildNode("b");
    EXPECT_TRUE(!above.AddChild("c").IsNull() && above.FindChildNode("b").AddChild("c").IsNull());
    EXPECT_FALSE(document.LoadFromText(open + "<b>x</b>" + close, error, "deep.xml"));
    for (const char* part : {"deep.xml\": line 2, column 76", "nested deeper than 256 levels"})
        EXPECT_NE(error.find(part), std::string::npos) << error;
    document.EnsureDocumentElement("Root");
    error.clear();
    EXPECT_FALSE(document.Save(error)); // no file name
    EXPECT_FALSE(error.empty());

    TemporaryFolder folder;
    XmlDocument missing(folder.Path() / "absent.xml");
    EXPECT_FALSE(missing.Load(error));
    EXPECT_NE(error.find("absent.xml"), std::string::npos) << error;
    EXPECT_TRUE(missing.DocumentElement().IsNull());
    EXPECT_EQ(missing.EnsureDocumentElement("Root").NodeName(), "Root");

    XmlNode none; // what a failed lookup gives: it answers empty and takes nothing
    EXPECT_TRUE(none.GetAttribute("a").empty() && !none.SetAttribute("a", "1") && none.FindChildNode("x").IsNull() &&
                none.AddChild("x").IsNull() && none.ChildNodes().Count() == 0u);
}

TEST(Windows1252, EveryByteRoundTripsAndUnmappableOrMalformedUtf8BecomesAQuestionMark)
{
    std::string all;
    for (int b = 1; b < 256; ++b)
        all += char(b);
    EXPECT_EQ(Utf8ToWindows1252(Windows1252ToUtf8(all)), all);
    EXPECT_EQ(Windows1252ToUtf8("\x80"), "\xE2\x82\xAC");
    EXPECT_EQ(Utf8ToWindows1252("a\xE4\xB8\xADz"), "a?z");     // a CJK character
    EXPECT_EQ(Utf8ToWindows1252("a\xF0\x9F\x98\x80z"), "a?z"); // an emoji
    EXPECT_EQ(Utf8ToWindows1252("a\xC3"), "a?");               // cut short
    EXPECT_EQ(Utf8ToWindows1252("\xFF\x80"), "??");            // no lead byte
}

TEST(Windows1252, ExactFormRefusesWhatHasNoByteAndLowerFollowsTheCodePage)
{
    EXPECT_EQ(ExactWindows1252("\xC3\x84r \xE2\x82\xAC?"), "\xC4r \x80?"); // Ä, the euro sign
    for (const char* utf8 : {"a\xE4\xB8\xADz", "a\xC3", "\xEF\xBF\xBD"})     // CJK, cut short, U+FFFD
        EXPECT_EQ(ExactWindows1252(utf8), std::nullopt) << utf8;
    // A..Z, C0..DE but not D7, and Š Œ Ž Ÿ; 9A, DF, FF and the rest stay.
    EXPECT_EQ(LowerWindows1252("AZ@[\xC0\xD6\xD7\xD8\xDE\xDF\x8A\x8C\x8E\x9F\x9A\xFF"),
              "az@[\xE0\xF6\xD7\xF8\xFE\xDF\x9A\x9C\x9E\xFF\x9A\xFF");
}
