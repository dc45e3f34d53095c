// Compiling a mission for the handheld from the main window: a fresh project is
// refused with the validator's first failing rule and nothing is written; once
// the designer has given the active players provinces and capitals through the
// inspectors, the chosen name yields a .pdb and a .pak, the mission's
// temporary tree is gone, and an outside Palm database reader loads the .pdb.
#include "MainFormFixture.h"

#include <cstdlib>

#include "world/TestFiles.h"

namespace {

using namespace main_form_test;

class CompileMissionTest : public MainFormTest {
protected:
    ~CompileMissionTest() override
    {
        if (savedTemporary)
            ::setenv("TMPDIR", savedTemporary->c_str(), 1);
        else
            ::unsetenv("TMPDIR");
    }

    // Province `province` goes to `player` through the province inspector, and
    // becomes that player's capital through the player inspector.
    void GiveCapital(int player, int province)
    {
        ShowTab(TMainForm::kProvincesTab);
        ASSERT_NO_FATAL_FAILURE(ClickListRow("LVProvinces", province));
        ASSERT_NO_FATAL_FAILURE(ClickRow(Host("RMIProvince"), Key(InspectorRow::Owner)));
        ASSERT_NO_FATAL_FAILURE(ChooseByKeys(Host("RMIProvince"), Table().GetPlayerName(player)));

        ShowTab(TMainForm::kPlayersTab);
        ASSERT_NO_FATAL_FAILURE(ClickListRow("LVPlayers", player));
        platform::qt::ControlWidget& host = Host("RMIPlayer");
        ASSERT_NO_FATAL_FAILURE(ClickRow(host, Key(InspectorRow::Capital)));
        auto& capital = dynamic_cast<TrmComboInspectorItem&>(*host.HostedAs<TrmInspector>().GetCurrentInspectorItem());
        ASSERT_EQ(capital.Items().size(), 2u) << "\"none\" and the one province the player owns";
        ASSERT_NO_FATAL_FAILURE(ChooseByKeys(host, capital.Items()[1]));
        EXPECT_EQ(project.GetPlayers().GetAt(uint32_t(player)).capital, &Province(province));
    }

    static std::vector<fs::path> Entries(const fs::path& folder)
    {
        std::vector<fs::path> entries;
        for (const auto& entry : fs::directory_iterator(folder))
            entries.push_back(entry.path().filename());
        std::sort(entries.begin(), entries.end());
        return entries;
    }

    // The system's temporary folder (where the export builds its tree) while the test runs.
    const std::optional<std::string> savedTemporary =
        std::getenv("TMPDIR") ? std::optional<std::string>(std::getenv("TMPDIR")) : std::nullopt;
};

TEST_F(CompileMissionTest, AFreshProjectIsRefusedAndAValidOneWritesBothPackagesThatAPalmReaderLoads)
{
    ASSERT_NO_FATAL_FAILURE(NewProject());
    const fs::path out = folder.Path() / "out";
    const fs::path temporary = folder.Path() / "tmp";
    fs::create_directories(out);
    fs::create_directories(temporary);
    ::setenv("TMPDIR", temporary.c_str(), 1);
    const fs::path chosen = out / "My.Mission.pdb";

    // New activates players 1 and 2, neither has a capital yet.
    files.saves.push_back(chosen);
    prompts.messages.clear();
    Trigger("ActSavePDA");
    EXPECT_EQ(prompts.messages,
              std::vector<std::string>{"You can't save mission because Capital is not set for player #1"});
    EXPECT_EQ(prompts.errorCaptions, std::vector<std::string>{"Error"});
    EXPECT_EQ(files.saves.size(), 1u) << "the file dialog must not open";
    EXPECT_TRUE(Entries(out).empty());
    EXPECT_TRUE(Entries(temporary).empty());

    ASSERT_NO_FATAL_FAILURE(GiveCapital(0, 0));
    ASSERT_NO_FATAL_FAILURE(GiveCapital(1, 1));
    prompts.messages.clear();
    Trigger("ActSavePDA");
    EXPECT_EQ(prompts.messages, std::vector<std::string>{});
    EXPECT_TRUE(files.saves.empty());
    EXPECT_EQ(Entries(out), (std::vector<fs::path>{"My.Mission.pak", "My.Mission.pdb"}));
    EXPECT_TRUE(Entries(temporary).empty()) << "the mission's temporary tree is left behind";

    int status = -1;
    const std::string summary = test::PalmDatabaseSummary(chosen, status);
    ASSERT_EQ(status, 0) << "perl with Palm::PDB (libpalm-pdb-perl) must be installed; output: " << summary;
    EXPECT_EQ(summary.substr(0, summary.find('|')), "My.Mission") << summary;
}

} // namespace
