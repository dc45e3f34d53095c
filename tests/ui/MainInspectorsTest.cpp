// The player and province inspectors of the main window driven by mouse and
// keys: a chosen player fills the player inspector and its changes reach the
// players list; selected provinces share one owner and the province inspector
// changes all of them (an owner change lists the warnings again). With owners
// and capitals given that way, a mission compiles for the handheld.
#include "MainFormFixture.h"

#include <QListWidget>

#include "model/ErrorList.h"
#include "ui/InspectorRows.h"
#include "ui/MissFrame.h"

namespace {

using namespace main_form_test;
using namespace std::string_literals;

class MainInspectorsTest : public MainFormTest {
protected:
    void SetUp() override { ASSERT_NO_FATAL_FAILURE(NewProject()); }
    QTreeWidgetItem& ListRow(const char* list, int index) { return *Child<QTreeWidget>(list)->topLevelItem(index); }
};

TEST_F(MainInspectorsTest, AChosenPlayerFillsThePlayerInspectorAndASkillSumAboveSixIsRefused)
{
    ShowTab(TMainForm::kPlayersTab);
    ClickListRow("LVPlayers", 1);
    platform::qt::ControlWidget& host = Host("RMIPlayer"); // its name row: APickedPlayerShowsAtOnceWithItsDomain
    ASSERT_EQ(std::tuple(ListRow("LVPlayers", 1).isSelected(), RowText(host, Key(InspectorRow::Active))),
              std::tuple(true, "True"s));
    const auto& capital =
        dynamic_cast<TrmComboInspectorItem&>(*FindRow(host.HostedAs<TrmInspector>(), InspectorRow::Capital));
    EXPECT_EQ(std::tuple(capital.Items(), capital.AsString()), std::tuple(std::vector<std::string>{"none"}, "none"s))
        << "player 2 owns no province yet";

    const CPlayerData& player = project.GetPlayers().GetAt(1);
    ClickRow(host, FormatIndexedKey(IndexedKey::Skill, 0));
    TypeOver(host, "4"); // 4 + 2 + 2 > 6
    EXPECT_EQ(std::tuple(int(player.skills[0]), RowText(host, FormatIndexedKey(IndexedKey::Skill, 0))),
              std::tuple(2, "2"s));
    TypeOver(host, "1");
    EXPECT_EQ(std::tuple(int(player.skills[0]), ListRow("LVPlayers", 1).text(2)), std::tuple(1, QString("(1,2,2)")));

    // A computer player takes the first AI type of the catalogue ("Passive", id 1).
    ClickRow(host, Key(InspectorRow::Playab));
    ChooseByKeys(host, "Human");
    EXPECT_EQ(std::tuple(player.control, RowText(host, Key(InspectorRow::PlType)), ListRow("LVPlayers", 1).text(3)),
              std::tuple(CPlayerDataB::kHuman, "<no row>"s, QString("Human")));
    ChooseByKeys(host, "Computer");
    EXPECT_EQ(std::tuple(int(player.control), RowText(host, Key(InspectorRow::PlType))), std::tuple(1, "Passive"s));

    // A name typed through another player's is taken; that one itself is refused on commit.
    const std::string name = Table().GetPlayerName(0) + "s";
    ClickRow(host, Key(InspectorRow::Name));
    TypeOver(host, QString::fromStdString(name));
    QTest::keyClick(&host, Qt::Key_Backspace);
    QTest::keyClick(&host, Qt::Key_Return);
    EXPECT_EQ(std::tuple(Table().GetPlayerName(1), EditorText(host), ListRow("LVPlayers", 1).text(1).toStdString()),
              std::tuple(name, name, name));
    EXPECT_EQ(prompts.messages.size(), 1u);
}

// The choices follow the provinces (a deletion, a marker dragged off its piece) before the
// players tab shows again; a choice makes the province it names the capital, the first none
// whatever a province is called.
TEST_F(MainInspectorsTest, TheCapitalChoicesFollowTheProvincesAndAChoiceNamesItsProvince)
{
    for (int i = 0; i < 3; ++i)
        Province(i).SetOwner(0);
    ASSERT_TRUE(Table().SetProvinceName(&Province(2), "none")); // named like the no-capital choice
    const std::vector<std::string> kept{"none", Table().GetProvinceName(&Province(1)), "none"};
    ShowTab(TMainForm::kPlayersTab);
    ClickListRow("LVPlayers", 0);
    const auto& capital = dynamic_cast<TrmComboInspectorItem&>(*FindRow(Host("RMIPlayer").HostedAs<TrmInspector>(),
                                                                        InspectorRow::Capital));
    // Adding and deleting a province leave no mission row selected.
    TrmInspector& mission = static_cast<TMissFrame*>(Child("MissFrame"))->RMIMission();
    ShowTab(TMainForm::kProvincesTab);
    ClickListRow("LVProvinces", 0);
    mission.SetItemIndex(0);
    Trigger("ActDelProvince");
    EXPECT_EQ(std::tuple(capital.Items(), mission.ItemIndex()), std::tuple(kept, -1));
    ShowTab(TMainForm::kPlayersTab);
    ClickRow(Host("RMIPlayer"), Key(InspectorRow::Capital));
    ChooseByKeys(Host("RMIPlayer"), kept[1]);
    EXPECT_EQ(project.GetPlayers().GetAt(0).capital, &Province(0));
    QTest::keyClick(&Host("RMIPlayer"), Qt::Key_Home); // the first choice: no capital
    EXPECT_EQ(project.GetPlayers().GetAt(0).capital, nullptr);
    ShowTab(TMainForm::kProvincesTab);
    TheSettings().ShIcons = 1;
    Drag(Centre(*project.FindMarkerLayer(&Province(1))), QPoint(24, 10)); // onto the sea in the corner
    ASSERT_FALSE(Province(1).linked);
    EXPECT_EQ(capital.Items(), (std::vector<std::string>{"none", kept[1]}));
    mission.SetItemIndex(0);
    Trigger("ActAddProvince");
    EXPECT_EQ(mission.ItemIndex(), -1);
}

TEST_F(MainInspectorsTest, SelectedProvincesShareAnOwnerAndTheInspectorChangesThemAll)
{
    ShowTab(TMainForm::kProvincesTab);
    Province(0).SetResource(0, 1);
    Province(1).SetResource(0, 2);
    Province(2).SetOwner(3);
    ClickListRow("LVProvinces", 0);
    ClickListRow("LVProvinces", 1, Qt::ControlModifier);
    ClickListRow("LVProvinces", 2, Qt::ControlModifier); // another owner: refused
    ASSERT_EQ(std::tuple(project.GetSelection().Count(), ListRow("LVProvinces", 2).isSelected()), std::tuple(2, false));

    platform::qt::ControlWidget& host = Host("RMIProvince");
    EXPECT_EQ(RowText(host, Key(InspectorRow::ProvName)), "<no row>"); // several provinces have no name row
    const std::string gold = FormatIndexedKey(IndexedKey::ProvinceResource, 0);
    EXPECT_EQ(RowText(host, gold), ""); // mixed
    ClickRow(host, gold);
    TypeOver(host, "3");
    EXPECT_EQ(std::tuple(int(Province(0).resources[0]), int(Province(1).resources[0])), std::tuple(3, 3));

    project.SetModified(false);
    // A warning the window does not list yet: the owner change writes the rows again.
    CErrorList& warnings = *project.GetWarnings();
    warnings.Add(std::make_unique<CErrorRegionsLeftOut>(project, 3));
    const QListWidget& warningRows = *Child<QListWidget>("LV");
    ASSERT_EQ(warningRows.count(), warnings.GetCount() - 1);
    ClickRow(host, Key(InspectorRow::Owner));
    const std::string owner = Table().GetPlayerName(4);
    ChooseByKeys(host, owner);
    ASSERT_EQ(warningRows.count(), warnings.GetCount());
    const int last = warnings.GetCount() - 1;
    EXPECT_EQ(warningRows.item(last)->text().toStdString(), warnings.GetAt(last)->GetText());
    EXPECT_TRUE(project.IsModified());
    for (int i : {0, 1})
        EXPECT_EQ(std::tuple(int(Province(i).owner), ListRow("LVProvinces", i).text(1).toStdString()),
                  std::tuple(4, owner));
    // With a common owner the guardian army rows are there.
    EXPECT_NE(RowText(host, FormatIndexedKey(IndexedKey::Army, 0)), "<no row>");
}

TEST_F(MainInspectorsTest, OneProvinceShowsItsNameAndCastleRows)
{
    ShowTab(TMainForm::kProvincesTab);
    Province(0).SetCastle(false);
    ClickListRow("LVProvinces", 0);
    platform::qt::ControlWidget& host = Host("RMIProvince");
    EXPECT_EQ(RowText(host, Key(InspectorRow::ProvName)), Table().GetProvinceName(&Province(0)));
    EXPECT_EQ(RowText(host, Key(InspectorRow::Castle)), "not present");
    EXPECT_EQ(RowText(host, Key(InspectorRow::CastMoat)), "<no row>");

    ClickRow(host, Key(InspectorRow::Castle));
    QTest::keyClick(&host, Qt::Key_Space);
    EXPECT_NE(Province(0).castle.flags & CCastleDataB::kCastle, 0);
    EXPECT_NE(RowText(host, Key(InspectorRow::CastMoat)), "<no row>");

    ClickRow(host, Key(InspectorRow::ProvName));
    // Typed through another province's name: nothing said or written back under the caret until committed.
    const std::string taken = Table().GetProvinceName(&Province(1)), free = taken + "X";
    TypeOver(host, QString::fromStdString(free));
    EXPECT_EQ(std::tuple(EditorText(host), EditorCaret(host)), std::tuple(free, int(free.size())));
    QTest::keyClick(&host, Qt::Key_Backspace); // taken: refused, without a word yet
    EXPECT_EQ(std::tuple(EditorText(host), prompts.messages.size()), std::tuple(taken, size_t(0)));
    QTest::keyClick(&host, Qt::Key_Return);
    EXPECT_EQ(std::tuple(Table().GetProvinceName(&Province(0)), EditorText(host), ListRow("LVProvinces", 0).text(0),
                         prompts.messages.size()),
              std::tuple(free, free, QString::fromStdString(free), 1u));
    // A character that Windows-1252 cannot hold is stored as "?", and the commit says so once.
    TypeOver(host, QString::fromUtf8("Om\xCE\xA9ga"));
    QTest::keyClick(&host, Qt::Key_Return);
    QTest::keyClick(&host, Qt::Key_Return);
    EXPECT_EQ(std::tuple(Table().GetProvinceName(&Province(0)), EditorText(host), prompts.messages.size(),
                         prompts.messages.back()),
              std::tuple("Om?ga", "Om?ga", 2u, CharactersLostNote()));
}

TEST_F(MainInspectorsTest, APickedPlayerShowsAtOnceWithItsDomain)
{
    for (int i = 0; i < 3; ++i)
        Province(i).SetOwner(1);
    ShowTab(TMainForm::kPlayersTab);
    for (int player : {0, 1}) {
        SCOPED_TRACE(player);
        ClickListRow("LVPlayers", player);
        EXPECT_EQ(RowText(Host("RMIPlayer"), Key(InspectorRow::Name)), Table().GetPlayerName(player));
        ExpectScreenShowsItsState(Host("RMIPlayer"));
        int provinces = 0, castles = 0;
        for (int i = 0; i < project.GetProvinces().GetSize(); ++i)
            if (Province(i).owner == player) {
                ++provinces;
                castles += (Province(i).castle.flags & CCastleDataB::kCastle) != 0;
            }
        EXPECT_EQ(Child<QLabel>("LblDomainSummary")->text(),
                  QString("%1 Provinces, %2 Castles").arg(provinces).arg(castles));
    }
}

// The income line under the name counts the capital's new castle at once.
TEST_F(MainInspectorsTest, ACtrlClickMakesAProvinceTheCapitalAndTheCapitalRowShowsIt)
{
    Province(0).SetOwner(0);
    Province(0).SetCastle(false);
    project.DrawProvinceName(&Province(0));
    const TBitmap32& label = *project.FindNameLayer(&Province(0))->Bitmap();
    const auto pixels = [&] { return std::vector<TColor32>(label.Bits(), label.Bits() + label.Width() * label.Height()); };
    ShowTab(TMainForm::kPlayersTab);
    ClickListRow("LVPlayers", 0);
    platform::qt::ControlWidget& host = Host("RMIPlayer");
    ClickRow(host, Key(InspectorRow::Capital));
    Click(Centre(*project.FindMarkerLayer(&Province(0))), Qt::ControlModifier);
    ASSERT_EQ(project.GetPlayers().GetAt(0).capital, &Province(0));
    const std::string name = Table().GetProvinceName(&Province(0));
    EXPECT_EQ(std::tuple(RowText(host, Key(InspectorRow::Capital)), EditorText(host)), std::tuple(name, name));
    ExpectScreenShowsItsState(host);
    const std::vector<TColor32> shown = pixels();
    project.DrawProvinceName(&Province(0));
    EXPECT_EQ(shown, pixels());
}

TEST_F(MainInspectorsTest, TheMouseNeitherSelectsNorDragsWhileAProvinceRowIsSelected)
{
    ShowTab(TMainForm::kProvincesTab);
    Click(Centre(*project.FindMarkerLayer(&Province(0))));
    ASSERT_EQ(project.GetSelection().Count(), 1);
    ClickRow(Host("RMIProvince"), Key(InspectorRow::ProvName));
    const QString coordinates = StatusPanel(TMainForm::kCoordsPanel);
    const QPoint over = Centre(*project.FindMarkerLayer(&Province(1)));
    SendMouse(QEvent::MouseMove, over, Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(std::tuple(project.GetSelection().Count(), StatusPanel(TMainForm::kCoordsPanel)), std::tuple(1, coordinates));
    // No row selected: the same movement adds the province under it.
    Host("RMIProvince").HostedAs<TrmInspector>().SetItemIndex(-1);
    SendMouse(QEvent::MouseMove, over, Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(project.GetSelection().Count(), 2);
}

// Compiling a mission: a fresh project is refused with the validator's first
// failing rule and nothing is written; once the active players have provinces and
// capitals, the chosen name yields a .pdb and a .pak (the export's own tests read
// them back and see its temporary tree gone).
class CompileMissionTest : public MainInspectorsTest {
protected:
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
};

TEST_F(CompileMissionTest, AFreshProjectIsRefusedAndAValidOneWritesBothPackages)
{
    const fs::path out = folder.Path() / "out";
    fs::create_directories(out);

    // New activates players 1 and 2, neither has a capital yet.
    files.saves.push_back(out / "My.Mission.pdb");
    prompts.messages.clear();
    Trigger("ActSavePDA");
    EXPECT_EQ(std::tuple(prompts.messages, prompts.errorCaptions),
              std::tuple(std::vector<std::string>{"You can't save mission because Capital is not set for player #1"},
                        std::vector<std::string>{"Error"}));
    EXPECT_EQ(std::tuple(files.saves.size(), fs::is_empty(out)), std::tuple(1u, true)) << "the file dialog must not open";

    ASSERT_NO_FATAL_FAILURE(GiveCapital(0, 0));
    ASSERT_NO_FATAL_FAILURE(GiveCapital(1, 1));
    prompts.messages.clear();
    Trigger("ActSavePDA");
    EXPECT_EQ(std::tuple(prompts.messages, files.saves.size()), std::tuple(std::vector<std::string>{}, size_t(0)));
    // Named after the mission, "My" (the chosen name without ".pdb" and its last extension).
    EXPECT_TRUE(fs::exists(out / "My.pdb") && fs::exists(out / "My.pak"));
    EXPECT_EQ(std::distance(fs::directory_iterator(out), {}), 2);
}

} // namespace
