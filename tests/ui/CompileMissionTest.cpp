// Compiling a mission for the handheld from the main window: a fresh project is
// refused with the validator's first failing rule and nothing is written; once
// the designer has given the active players provinces and capitals through the
// inspectors, the chosen name yields a .pdb and a .pak, the mission's
// temporary tree is gone, and an outside Palm database reader loads the .pdb.
#include "MainFormFixture.h"

#include <cstdlib>

#include "ui/InspectorKeys.h"
#include "world/TestFiles.h"

#include "InspectorDriver.h"

namespace {

using namespace main_form_test;

// Points the system's temporary folder (where the export builds its tree) at
// `folder` while it lives.
class TemporaryFolderOverride {
public:
    explicit TemporaryFolderOverride(const fs::path& folder)
    {
        if (const char* old = std::getenv("TMPDIR"))
            saved_ = old;
        fs::create_directories(folder);
        ::setenv("TMPDIR", folder.c_str(), 1);
    }
    ~TemporaryFolderOverride()
    {
        if (saved_)
            ::setenv("TMPDIR", saved_->c_str(), 1);
        else
            ::unsetenv("TMPDIR");
    }

private:
    std::optional<std::string> saved_;
};

class CompileMissionTest : public MainFormTest {
protected:
    void ShowTab(int index)
    {
        window->findChild<QTabWidget*>("PgCMissionProperties")->setCurrentIndex(index);
        QApplication::processEvents();
    }
    void ClickListRow(const char* list, int index)
    {
        auto* tree = window->findChild<QTreeWidget*>(list);
        QTreeWidgetItem* row = tree->topLevelItem(index);
        ASSERT_NE(row, nullptr) << list << " " << index;
        tree->scrollToItem(row);
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, Qt::NoModifier, tree->visualItemRect(row).center());
    }
    static const std::string& Key(InspectorRow row) { return InspectorKeys().Key(row); }

    // Province `province` goes to `player` through the province inspector, and
    // becomes that player's capital through the player inspector.
    void GiveCapital(int player, int province)
    {
        ShowTab(TMainForm::kProvincesTab);
        ASSERT_NO_FATAL_FAILURE(ClickListRow("LVProvinces", province));
        platform::qt::ControlWidget& provinceHost = HostOf(*window, "RMIProvince");
        ASSERT_NO_FATAL_FAILURE(ClickRow(provinceHost, Key(InspectorRow::Owner)));
        const CStringTable& table = *project.GetStringTables().GetAt(project.GetCurrentStringTable());
        ASSERT_NO_FATAL_FAILURE(ChooseByKeys(provinceHost, table.GetPlayerName(player)));

        ShowTab(TMainForm::kPlayersTab);
        ASSERT_NO_FATAL_FAILURE(ClickListRow("LVPlayers", player));
        platform::qt::ControlWidget& playerHost = HostOf(*window, "RMIPlayer");
        ASSERT_NO_FATAL_FAILURE(ClickRow(playerHost, Key(InspectorRow::Capital)));
        auto& capital = dynamic_cast<TrmComboInspectorItem&>(*playerHost.HostedAs<TrmInspector>().GetCurrentInspectorItem());
        ASSERT_EQ(capital.Items().size(), 2u) << "\"none\" and the one province the player owns";
        ASSERT_NO_FATAL_FAILURE(ChooseByKeys(playerHost, capital.Items()[1]));
        EXPECT_EQ(project.GetPlayers().GetAt(uint32_t(player)).capital, project.GetProvinces().GetAt(province));
    }

    static std::vector<fs::path> Entries(const fs::path& folder)
    {
        std::vector<fs::path> entries;
        for (const auto& entry : fs::directory_iterator(folder))
            entries.push_back(entry.path().filename());
        std::sort(entries.begin(), entries.end());
        return entries;
    }
};

TEST_F(CompileMissionTest, AFreshProjectIsRefusedAndAValidOneWritesBothPackagesThatAPalmReaderLoads)
{
    ASSERT_NO_FATAL_FAILURE(NewProject());
    const fs::path out = folder.Path() / "out";
    const fs::path temporary = folder.Path() / "tmp";
    fs::create_directories(out);
    TemporaryFolderOverride systemTemporary(temporary);
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
