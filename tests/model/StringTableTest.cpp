#include "model/StringTable.h"
#include "platform/FileSystem.h"

#include "ProjectFixture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

using StringTableTest = SetUpProjectTest;

std::string ReadText(const std::filesystem::path& path)
{
    std::vector<uint8_t> bytes;
    std::string error;
    EXPECT_TRUE(platform::ReadFileBytes(path, bytes, error)) << error;
    return std::string(bytes.begin(), bytes.end());
}

} // namespace

TEST_F(StringTableTest, FreshTableHoldsTheDefaults)
{
    const CStringTable& table = Table();
    EXPECT_EQ(table.tableName, "Table Name");
    EXPECT_EQ(table.author, "Unknown");
    EXPECT_EQ(table.authorNotes, "No notes");
    EXPECT_EQ(table.missionName, "My Mission");
    EXPECT_EQ(table.shortDescription, "Short description");
    EXPECT_EQ(table.fullDescription, "Full description");
    EXPECT_EQ(table.victoryText, "You win!");
    EXPECT_EQ(table.defeatText, "You lose!");
    EXPECT_EQ(table.GetPlayerName(0), "Player 1");
    EXPECT_EQ(table.GetPlayerName(5), "Player 6");
    EXPECT_EQ(table.GetUnitName(0), "Unit 0");
    EXPECT_EQ(table.GetUnitName(39), "Unit 39");
    EXPECT_EQ(table.GetCastleTypeName(15), "Castle Type 15");
    EXPECT_EQ(table.GetResourceName(3), "Resource 3");
    EXPECT_EQ(table.GetSkillName(0), "");
    EXPECT_EQ(table.GetCastlePicturePath(0), "");
    EXPECT_EQ(table.GetProvinceNameAt(98), "");
    EXPECT_EQ(table.GetEventTitle(144), "");
    EXPECT_EQ(table.spareTexts[37], "");
    EXPECT_EQ(table.reserved, 0);
}

TEST_F(StringTableTest, MissionTextSettersMarkOnlyOnChange)
{
    CStringTable& table = Table();
    EXPECT_EQ(table.SetAuthor("Unknown"), 0);
    EXPECT_FALSE(project.IsModified());
    EXPECT_EQ(table.SetAuthor("M\xE9lanie"), 1); // Windows-1252 e-acute
    EXPECT_EQ(table.author, "M\xE9lanie");
    EXPECT_TRUE(project.IsModified());
    project.SetModified(false);
    EXPECT_EQ(table.SetEventTitle(144, "Last"), 1);
    EXPECT_EQ(table.GetEventTitle(144), "Last");
    EXPECT_TRUE(project.IsModified());
}

TEST_F(StringTableTest, CatalogueSettersNeverMark)
{
    CStringTable& table = Table();
    EXPECT_EQ(table.SetUnitName(2, "Archer"), 1);
    EXPECT_EQ(table.SetArmyPicturePath(15, "res/army.bmp"), 1);
    EXPECT_EQ(table.SetSkillName(16, "Magic"), 0);
    EXPECT_EQ(table.GetUnitName(2), "Archer");
    EXPECT_EQ(table.GetArmyPicturePath(15), "res/army.bmp");
    EXPECT_FALSE(project.IsModified());
}

TEST_F(StringTableTest, EventSlotsOutsideTheTableAreRefused)
{
    CStringTable& table = Table();
    EXPECT_EQ(table.SetEventTitle(145, "x"), 0);
    EXPECT_EQ(table.SetEventText(-1, "x"), 0);
    EXPECT_EQ(table.GetEventTitle(145), "");
    EXPECT_EQ(table.GetEventText(-1), "");
    EXPECT_FALSE(project.IsModified());
}

TEST_F(StringTableTest, PlayerNamesStayUnique)
{
    CStringTable& table = Table();
    EXPECT_EQ(table.SetPlayerName(0, "Player 2"), 0); // another player's
    EXPECT_EQ(table.SetPlayerName(1, "Player 2"), 0); // its own
    EXPECT_EQ(table.SetPlayerName(6, "Seventh"), 0);
    EXPECT_FALSE(project.IsModified());
    EXPECT_EQ(table.GetPlayerName(0), "Player 1");
    EXPECT_EQ(table.SetPlayerName(0, "Red"), 1);
    EXPECT_EQ(table.FindPlayerName("Red"), 0);
    EXPECT_EQ(table.FindPlayerName("Player 1"), 255);
    EXPECT_EQ(table.GetPlayerName(6), "none");
    EXPECT_EQ(table.GetPlayerName(-1), "none");
}

TEST_F(StringTableTest, ProvinceNamesFollowTheProvinceListAndStayUnique)
{
    CStringTable& table = Table();
    CProvince& first = AddProvince();
    CProvince& second = AddProvince();
    // Slots 2..98 are still empty, so the empty name is taken.
    EXPECT_EQ(table.SetProvinceName(&first, ""), 0);
    EXPECT_EQ(table.SetProvinceName(&second, "Vale"), 1);
    EXPECT_EQ(table.GetProvinceNameAt(1), "Vale");
    EXPECT_EQ(table.SetProvinceName(&first, "Vale"), 0);
    EXPECT_EQ(table.SetProvinceName(nullptr, "Moor"), 0);
    EXPECT_EQ(table.GetProvinceName(&second), "Vale");
    EXPECT_EQ(table.GetProvinceName(nullptr), "none");
    EXPECT_EQ(table.FindProvinceName("Vale"), 1);
    EXPECT_EQ(table.FindProvinceName("Moor"), 255);
}

TEST_F(StringTableTest, ProvinceOutsideTheListHasNoNameSlot)
{
    CStringTable& table = Table();
    CProvince stray(project); // never added: its index reads as 255
    EXPECT_EQ(table.SetProvinceName(&stray, "Nowhere"), 0);
    EXPECT_EQ(table.GetProvinceName(&stray), "");
    EXPECT_EQ(table.FindProvinceName("Nowhere"), 255);
    EXPECT_FALSE(project.IsModified());
}

TEST_F(StringTableTest, RemovingAProvinceNameShiftsTheRestDown)
{
    CStringTable& table = Table();
    for (int i = 0; i < CStringTable::kProvinceNames; ++i)
        table.provinceNames[i] = "P" + std::to_string(i);
    table.RemoveProvinceName(0);
    EXPECT_EQ(table.GetProvinceNameAt(0), "P1");
    EXPECT_EQ(table.GetProvinceNameAt(97), "P98");
    EXPECT_EQ(table.GetProvinceNameAt(98), "");
    table.RemoveProvinceName(98);
    EXPECT_EQ(table.GetProvinceNameAt(97), "P98");
}

TEST_F(StringTableTest, ListRemovesTheProvinceNameFromEveryTable)
{
    CStringTable& second = AddTable();
    Table(0).provinceNames[0] = "A0";
    Table(0).provinceNames[1] = "A1";
    second.provinceNames[0] = "B0";
    second.provinceNames[1] = "B1";
    project.GetStringTables().RemoveProvinceName(0);
    EXPECT_EQ(Table(0).GetProvinceNameAt(0), "A1");
    EXPECT_EQ(second.GetProvinceNameAt(0), "B1");
}

TEST(StringTableList, GetAtOutOfRangeIsNull)
{
    CMapProject project;
    CStringTableList& tables = project.GetStringTables();
    EXPECT_EQ(tables.GetAt(0), nullptr);
    tables.Add(std::make_unique<CStringTable>(project));
    EXPECT_NE(tables.GetAt(0), nullptr);
    EXPECT_EQ(tables.GetAt(1), nullptr);
    EXPECT_EQ(tables.GetAt(-1), nullptr);
    tables.DeleteAll();
    EXPECT_EQ(tables.GetCount(), 0);
}

TEST(ConvertLineBreaks, OnlyCarriageReturnLineFeedPairsBecomeMarks)
{
    EXPECT_EQ(CStringTable::ConvertLineBreaks("a\r\nb\r\n"), "a{br}b{br}");
    EXPECT_EQ(CStringTable::ConvertLineBreaks("a\nb"), "a\nb");
    EXPECT_EQ(CStringTable::ConvertLineBreaks("a\rb\r"), "a\rb\r");
    EXPECT_EQ(CStringTable::ConvertLineBreaks("\n\r\r\n\n"), "\n\r{br}\n");
    EXPECT_EQ(CStringTable::ConvertLineBreaks(""), "");
}

// ---- Export of the handheld's text files -----------------------------------

class ExportTextsTest : public SetUpProjectTest {
protected:
    ExportTextsTest()
    {
        CStringTable& table = Table();
        table.author = "Ann\r\nBee";
        table.missionName = "Siege";
        table.playerNames = {"Red", "Blue", "Green", "Grey", "Pink", "Gold"};
        Player(0).active = 1;
        Player(2).active = 1;
        AddProvince();
        AddProvince();
        table.provinceNames[0] = "North";
        table.provinceNames[1] = "South";
    }

    platform::TemporaryFolder folder;
    std::string error;
};

TEST_F(ExportTextsTest, MissionTextsAreWrittenConvertedWithoutTerminator)
{
    ASSERT_TRUE(folder.Valid()) << folder.Error();
    ASSERT_TRUE(Table().ExportTexts(folder.Path(), error)) << error;
    EXPECT_EQ(ReadText(folder.Path() / "author.txt"), "Ann{br}Bee");
    EXPECT_EQ(ReadText(folder.Path() / "authnotes.txt"), "No notes");
    EXPECT_EQ(ReadText(folder.Path() / "shortdescr.txt"), "Short description");
    EXPECT_EQ(ReadText(folder.Path() / "fulldescr.txt"), "Full description");
    EXPECT_EQ(ReadText(folder.Path() / "victory.txt"), "You win!");
    EXPECT_EQ(ReadText(folder.Path() / "defeat.txt"), "You lose!");
    EXPECT_EQ(ReadText(folder.Path() / "mission.txt"), "Siege\r\n\r\nRed\r\nGreen\r\n\r\nNorth\r\nSouth\r\n");
}

TEST_F(ExportTextsTest, OnlyEnabledEventsAreNumberedWithAPaddedNumber)
{
    CEventList& events = project.GetEvents();
    for (int i = 0; i < 3; ++i)
        ASSERT_NE(events.AddEvent(), nullptr);
    events.GetEvent(1)->enabled = 0;
    Table().SetEventTitle(2, "Storm");
    Table().SetEventText(2, "Rain\r\nfalls");
    ASSERT_TRUE(Table().ExportTexts(folder.Path(), error)) << error;
    EXPECT_EQ(ReadText(folder.Path() / "event 0.txt"), "Message #1\r\nMessage #1 Info");
    EXPECT_EQ(ReadText(folder.Path() / "event 1.txt"), "Storm\r\nRain{br}falls");
    EXPECT_FALSE(std::filesystem::exists(folder.Path() / "event 2.txt"));
}

TEST_F(ExportTextsTest, TwoDigitEventNumbersHaveNoPadding)
{
    for (int i = 0; i < 11; ++i)
        ASSERT_NE(project.GetEvents().AddEvent(), nullptr);
    ASSERT_TRUE(Table().ExportTexts(folder.Path(), error)) << error;
    EXPECT_TRUE(std::filesystem::exists(folder.Path() / "event 9.txt"));
    EXPECT_EQ(ReadText(folder.Path() / "event10.txt"), "Message #11\r\nMessage #11 Info");
}

TEST_F(ExportTextsTest, AFileThatCannotBeWrittenIsReported)
{
    const auto missing = folder.Path() / "no such folder";
    EXPECT_FALSE(Table().ExportTexts(missing, error));
    EXPECT_NE(error.find("author.txt"), std::string::npos) << error;

    // A folder in the way of one file stops the export at that file.
    std::filesystem::create_directory(folder.Path() / "mission.txt");
    error.clear();
    EXPECT_FALSE(Table().ExportTexts(folder.Path(), error));
    EXPECT_NE(error.find("mission.txt"), std::string::npos) << error;
    EXPECT_EQ(ReadText(folder.Path() / "defeat.txt"), "You lose!");
}
