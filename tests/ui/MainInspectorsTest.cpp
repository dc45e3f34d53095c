// The player and province inspectors of the main window driven by mouse and
// keys: a chosen player fills the player inspector and its changes reach the
// players list; selected provinces share one owner and the province inspector
// changes all of them (an owner change lists the warnings again).
#include "MainFormFixture.h"

#include <QListWidget>

#include "model/ErrorList.h"
#include "ui/InspectorFill.h"
#include "ui/InspectorIndexedKeys.h"
#include "ui/InspectorKeys.h"

#include "InspectorDriver.h"

namespace {

using namespace main_form_test;

class MainInspectorsTest : public MainFormTest {
protected:
    void SetUp() override { ASSERT_NO_FATAL_FAILURE(NewProject()); }

    void ShowTab(int index)
    {
        window->findChild<QTabWidget*>("PgCMissionProperties")->setCurrentIndex(index);
        QApplication::processEvents(); // the tab's lists get their sizes
    }
    QTreeWidget& List(const char* name) { return *window->findChild<QTreeWidget*>(name); }
    void ClickListRow(QTreeWidget& list, int index, Qt::KeyboardModifiers keys = Qt::NoModifier)
    {
        QTreeWidgetItem* row = list.topLevelItem(index);
        ASSERT_NE(row, nullptr);
        list.scrollToItem(row);
        QTest::mouseClick(list.viewport(), Qt::LeftButton, keys, list.visualItemRect(row).center());
    }
    platform::qt::ControlWidget& Host(const char* name) { return HostOf(*window, name); }
    TrmCustomInspectorItem* Row(const char* inspector, const std::string& key)
    {
        return Host(inspector).HostedAs<TrmInspector>().GetItemByName(key);
    }
    static const std::string& Key(InspectorRow row) { return InspectorKeys().Key(row); }
    const CStringTable& Table() { return *CurrentTable(project); }
    CProvince& Province(int i) { return *project.GetProvinces().GetAt(i); }
};

TEST_F(MainInspectorsTest, AChosenPlayerFillsThePlayerInspectorAndASkillSumAboveSixIsRefused)
{
    ShowTab(TMainForm::kPlayersTab);
    ClickListRow(List("LVPlayers"), 1);
    ASSERT_TRUE(List("LVPlayers").topLevelItem(1)->isSelected());
    ASSERT_NE(Row("RMIPlayer", Key(InspectorRow::Name)), nullptr);
    EXPECT_EQ(Row("RMIPlayer", Key(InspectorRow::Name))->AsString(), Table().GetPlayerName(1));
    EXPECT_EQ(Row("RMIPlayer", Key(InspectorRow::Active))->AsString(), "True");
    auto* capital = dynamic_cast<TrmComboInspectorItem*>(Row("RMIPlayer", Key(InspectorRow::Capital)));
    ASSERT_NE(capital, nullptr);
    EXPECT_EQ(capital->Items(), std::vector<std::string>{"none"}); // player 2 owns no province yet
    EXPECT_EQ(capital->AsString(), "none");

    platform::qt::ControlWidget& host = Host("RMIPlayer");
    const CPlayerData& player = project.GetPlayers().GetAt(1);
    ClickRow(host, FormatIndexedKey(IndexedKey::Skill, 0));
    TypeOver(host, "4"); // 4 + 2 + 2 > 6
    EXPECT_EQ(player.skills[0], 2);
    EXPECT_EQ(Row("RMIPlayer", FormatIndexedKey(IndexedKey::Skill, 0))->AsString(), "2");
    TypeOver(host, "1");
    EXPECT_EQ(player.skills[0], 1);
    EXPECT_EQ(List("LVPlayers").topLevelItem(1)->text(2), "(1,2,2)");

    // A computer player takes the first AI type of the catalogue ("Passive", id 1).
    ClickRow(host, Key(InspectorRow::Playab));
    ChooseByKeys(host, "Human");
    EXPECT_EQ(player.control, CPlayerDataB::kHuman);
    EXPECT_EQ(Row("RMIPlayer", Key(InspectorRow::PlType)), nullptr);
    EXPECT_EQ(List("LVPlayers").topLevelItem(1)->text(3), "Human");
    ChooseByKeys(host, "Computer");
    EXPECT_EQ(player.control, 1);
    ASSERT_NE(Row("RMIPlayer", Key(InspectorRow::PlType)), nullptr);
    EXPECT_EQ(Row("RMIPlayer", Key(InspectorRow::PlType))->AsString(), "Passive");

    ClickRow(host, Key(InspectorRow::Name));
    TypeOver(host, "Vandals");
    EXPECT_EQ(Table().GetPlayerName(1), "Vandals");
    EXPECT_EQ(List("LVPlayers").topLevelItem(1)->text(1), "Vandals");
}

TEST_F(MainInspectorsTest, TheFirstCapitalChoiceIsNoCapitalWhateverAProvinceIsCalled)
{
    // A province named like the no-capital choice, and the player's capital.
    CStringTable& table = *project.GetStringTables().GetAt(project.GetCurrentStringTable());
    ASSERT_TRUE(table.SetProvinceName(&Province(0), "none"));
    ASSERT_TRUE(project.SetPlayerCapital(0, &Province(0)));
    ShowTab(TMainForm::kPlayersTab);
    ClickListRow(List("LVPlayers"), 0);
    platform::qt::ControlWidget& host = Host("RMIPlayer");
    ClickRow(host, Key(InspectorRow::Capital));
    QTest::keyClick(&host, Qt::Key_Home); // the first choice: no capital
    EXPECT_EQ(project.GetPlayers().GetAt(0).capital, nullptr);
}

TEST_F(MainInspectorsTest, SelectedProvincesShareAnOwnerAndTheInspectorChangesThemAll)
{
    ShowTab(TMainForm::kProvincesTab);
    QTreeWidget& provinces = List("LVProvinces");
    Province(0).SetResource(0, 1);
    Province(1).SetResource(0, 2);
    Province(2).SetOwner(3);
    ClickListRow(provinces, 0);
    ClickListRow(provinces, 1, Qt::ControlModifier);
    ClickListRow(provinces, 2, Qt::ControlModifier); // another owner: refused
    CSelect& selection = project.GetSelection();
    ASSERT_EQ(selection.Count(), 2);
    EXPECT_FALSE(provinces.topLevelItem(2)->isSelected());

    EXPECT_EQ(Row("RMIProvince", Key(InspectorRow::ProvName)), nullptr); // several provinces have no name row
    const std::string gold = FormatIndexedKey(IndexedKey::ProvinceResource, 0);
    EXPECT_EQ(Row("RMIProvince", gold)->AsString(), ""); // mixed
    platform::qt::ControlWidget& host = Host("RMIProvince");
    ClickRow(host, gold);
    TypeOver(host, "3");
    EXPECT_EQ(Province(0).resources[0], 3);
    EXPECT_EQ(Province(1).resources[0], 3);

    project.SetModified(false);
    // A warning the window does not list yet: the owner change writes the rows again.
    CErrorList& warnings = *project.GetWarnings();
    warnings.Add(std::make_unique<CErrorRegionsLeftOut>(project, 3));
    const QListWidget& warningRows = *window->findChild<QListWidget*>("LV");
    ASSERT_EQ(warningRows.count(), warnings.GetCount() - 1);
    ClickRow(host, Key(InspectorRow::Owner));
    const std::string owner = Table().GetPlayerName(4);
    ChooseByKeys(host, owner);
    ASSERT_EQ(warningRows.count(), warnings.GetCount());
    const int last = warnings.GetCount() - 1;
    EXPECT_EQ(warningRows.item(last)->text().toStdString(), warnings.GetAt(last)->GetText());
    EXPECT_EQ(Province(0).owner, 4);
    EXPECT_EQ(Province(1).owner, 4);
    EXPECT_TRUE(project.IsModified());
    EXPECT_EQ(provinces.topLevelItem(0)->text(1).toStdString(), owner);
    EXPECT_EQ(provinces.topLevelItem(1)->text(1).toStdString(), owner);
    // With a common owner the guardian army rows are there.
    EXPECT_NE(Row("RMIProvince", FormatIndexedKey(IndexedKey::Army, 0)), nullptr);
}

TEST_F(MainInspectorsTest, OneProvinceShowsItsNameAndCastleRows)
{
    ShowTab(TMainForm::kProvincesTab);
    Province(0).SetCastle(false);
    ClickListRow(List("LVProvinces"), 0);
    ASSERT_NE(Row("RMIProvince", Key(InspectorRow::ProvName)), nullptr);
    EXPECT_EQ(Row("RMIProvince", Key(InspectorRow::ProvName))->AsString(), Table().GetProvinceName(&Province(0)));
    EXPECT_EQ(Row("RMIProvince", Key(InspectorRow::Castle))->AsString(), "not present");
    EXPECT_EQ(Row("RMIProvince", Key(InspectorRow::CastMoat)), nullptr);

    platform::qt::ControlWidget& host = Host("RMIProvince");
    ClickRow(host, Key(InspectorRow::Castle));
    QTest::keyClick(&host, Qt::Key_Space);
    EXPECT_NE(Province(0).castle.flags & CCastleDataB::kCastle, 0);
    EXPECT_NE(Row("RMIProvince", Key(InspectorRow::CastMoat)), nullptr);

    ClickRow(host, Key(InspectorRow::ProvName));
    TypeOver(host, "Avalon");
    EXPECT_EQ(Table().GetProvinceName(&Province(0)), "Avalon");
    EXPECT_EQ(List("LVProvinces").topLevelItem(0)->text(0), "Avalon");
}

TEST_F(MainInspectorsTest, APickedPlayerShowsAtOnceWithItsDomain)
{
    for (int i = 0; i < 3; ++i)
        Province(i).SetOwner(1);
    ShowTab(TMainForm::kPlayersTab);
    for (int player : {0, 1}) {
        SCOPED_TRACE(player);
        ClickListRow(List("LVPlayers"), player);
        EXPECT_EQ(Row("RMIPlayer", Key(InspectorRow::Name))->AsString(), Table().GetPlayerName(player));
        ExpectScreenShowsItsState(Host("RMIPlayer"));
        int provinces = 0, castles = 0;
        for (int i = 0; i < project.GetProvinces().GetSize(); ++i)
            if (Province(i).owner == player) {
                ++provinces;
                castles += (Province(i).castle.flags & CCastleDataB::kCastle) != 0;
            }
        EXPECT_EQ(window->findChild<QLabel*>("LblDomainSummary")->text(),
                  QString("%1 Provinces, %2 Castles").arg(provinces).arg(castles));
    }
}

TEST_F(MainInspectorsTest, ACtrlClickMakesAProvinceTheCapitalAndTheCapitalRowShowsIt)
{
    Province(0).SetOwner(0);
    ShowTab(TMainForm::kPlayersTab);
    ClickListRow(List("LVPlayers"), 0);
    platform::qt::ControlWidget& host = Host("RMIPlayer");
    ClickRow(host, Key(InspectorRow::Capital));
    Click(Centre(*project.FindMarkerLayer(&Province(0))), Qt::ControlModifier);
    ASSERT_EQ(project.GetPlayers().GetAt(0).capital, &Province(0));
    const std::string name = Table().GetProvinceName(&Province(0));
    EXPECT_EQ(Row("RMIPlayer", Key(InspectorRow::Capital))->AsString(), name);
    EXPECT_EQ(EditorText(host), name);
    ExpectScreenShowsItsState(host);
}

TEST_F(MainInspectorsTest, TheMouseNeitherSelectsNorDragsWhileAProvinceRowIsSelected)
{
    ShowTab(TMainForm::kProvincesTab);
    Click(Centre(*project.FindMarkerLayer(&Province(0))));
    ASSERT_EQ(project.GetSelection().Count(), 1);
    TrmInspector& inspector = Host("RMIProvince").HostedAs<TrmInspector>();
    ClickRow(Host("RMIProvince"), Key(InspectorRow::ProvName));
    const QString coordinates = StatusPanel(TMainForm::kCoordsPanel);
    const QPoint over = Centre(*project.FindMarkerLayer(&Province(1)));
    SendMouse(QEvent::MouseMove, over, Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(project.GetSelection().Count(), 1);
    EXPECT_EQ(StatusPanel(TMainForm::kCoordsPanel), coordinates);
    inspector.SetItemIndex(-1); // no row: the same movement adds the province under it
    SendMouse(QEvent::MouseMove, over, Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(project.GetSelection().Count(), 2);
}

} // namespace
