#include "model/StringTable.h"
#include "platform/FileSystem.h"

#include "ProjectFixture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
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

// The defaults of every text stand in the stored form of the empty project.

TEST_F(StringTableTest, SettersRefuseOutsideTheirSlotsAndOnlyMissionTextsMark)
{
    CStringTable& table = Table();
    ExpectCalls({
        {"author unchanged", [&] { return table.SetAuthor("Unknown"); }, 0, false},
        {"author", [&] { return table.SetAuthor("M\xE9lanie"); }, 1, true}, // Windows-1252 e-acute
        {"last event title", [&] { return table.SetEventTitle(144, "Last"); }, 1, true},
        {"event title 145", [&] { return table.SetEventTitle(145, "x"); }, 0, false},
        {"event text -1", [&] { return table.SetEventText(-1, "x"); }, 0, false},
        {"unit name", [&] { return table.SetUnitName(2, "Archer"); }, 1, false},
        {"army picture", [&] { return table.SetArmyPicturePath(15, "res/army.bmp"); }, 1, false},
        {"skill 16", [&] { return table.SetSkillName(16, "Magic"); }, 0, false},
        {"another player's name", [&] { return table.SetPlayerName(0, "Player 2"); }, 0, false},
        {"its own name", [&] { return table.SetPlayerName(1, "Player 2"); }, 0, false},
        {"player 6", [&] { return table.SetPlayerName(6, "Seventh"); }, 0, false},
        {"player name", [&] { return table.SetPlayerName(0, "Red"); }, 1, true},
    });
    using Texts = std::vector<std::string>;
    EXPECT_EQ((Texts{table.author, table.GetEventTitle(144), table.GetEventTitle(145), table.GetEventText(-1),
                     table.GetUnitName(2), table.GetArmyPicturePath(15), table.GetPlayerName(5),
                     table.GetPlayerName(6), table.GetPlayerName(-1)}),
              (Texts{"M\xE9lanie", "Last", "", "", "Archer", "res/army.bmp", "Player 6", "none", "none"}));
    EXPECT_EQ(table.FindPlayerName("Red"), 0);
    EXPECT_EQ(table.FindPlayerName("Player 1"), 255);
}

TEST_F(StringTableTest, ProvinceNamesFollowTheProvinceListAndStayUnique)
{
    CStringTable& table = Table();
    CProvince& first = AddProvince();
    CProvince& second = AddProvince();
    CProvince stray(project); // never added: its index reads as 255
    ExpectCalls({
        {"empty, as slots 2..98 still are", [&] { return table.SetProvinceName(&first, ""); }, 0, false},
        {"name", [&] { return table.SetProvinceName(&second, "Vale"); }, 1, true},
        {"taken", [&] { return table.SetProvinceName(&first, "Vale"); }, 0, false},
        {"no province", [&] { return table.SetProvinceName(nullptr, "Moor"); }, 0, false},
        {"outside the list", [&] { return table.SetProvinceName(&stray, "Nowhere"); }, 0, false},
    });
    EXPECT_EQ((std::vector<std::string>{table.GetProvinceNameAt(1), table.GetProvinceName(&second),
                                        table.GetProvinceName(nullptr), table.GetProvinceName(&stray)}),
              (std::vector<std::string>{"Vale", "Vale", "none", ""}));
    EXPECT_EQ((std::vector<int>{table.FindProvinceName("Vale"), table.FindProvinceName("Moor"),
                                table.FindProvinceName("Nowhere")}),
              (std::vector<int>{1, 255, 255}));
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

TEST_F(ExportTextsTest, TextsAreWrittenConvertedWithoutTerminatorAndOnlyEnabledEventsNumbered)
{
    CEventList& events = project.GetEvents();
    for (int i = 0; i < 12; ++i)
        ASSERT_NE(events.AddEvent(), nullptr);
    events.GetEvent(1)->enabled = 0;
    Table().SetEventTitle(2, "Storm");
    Table().SetEventText(2, "Rain\r\nfalls");
    ASSERT_TRUE(Table().ExportTexts(folder.Path(), error)) << error;
    const std::pair<const char*, const char*> files[] = {
        {"author.txt", "Ann{br}Bee"},
        {"authnotes.txt", "No notes"},
        {"shortdescr.txt", "Short description"},
        {"fulldescr.txt", "Full description"},
        {"victory.txt", "You win!"},
        {"defeat.txt", "You lose!"},
        {"mission.txt", "Siege\r\n\r\nRed\r\nGreen\r\n\r\nNorth\r\nSouth\r\n"},
        {"event 0.txt", "Message #1\r\nMessage #1 Info"},
        {"event 1.txt", "Storm\r\nRain{br}falls"}, // the disabled second event has no number
        {"event10.txt", "Message #12\r\nMessage #12 Info"}, // two digits: no padding
    };
    for (const auto& [name, text] : files)
        EXPECT_EQ(ReadText(folder.Path() / name), text) << name;
    EXPECT_FALSE(std::filesystem::exists(folder.Path() / "event11.txt"));
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
