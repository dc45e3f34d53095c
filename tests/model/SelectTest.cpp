#include "model/Select.h"

#include "ProjectFixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class RecordingSelectionView : public ISelectionView {
public:
    explicit RecordingSelectionView(const CSelect& select) : select_(select) {}

    void ProvinceSelected(CProvince& province) override { calls.push_back("select " + Name(province)); }
    void ProvinceDeselected(CProvince& province) override { calls.push_back("deselect " + Name(province)); }
    void ProvinceRefused(CProvince& province) override { calls.push_back("refuse " + Name(province)); }
    void SelectionChanged() override { calls.push_back("rebuild " + std::to_string(select_.Count())); }

    std::vector<std::string> calls;

private:
    static std::string Name(const CProvince& province) { return std::to_string(province.markerX); }
    const CSelect& select_;
};

class SelectTest : public SetUpProjectTest {
protected:
    SelectTest() : view(select)
    {
        select.SetView(&view);
        for (int i = 0; i < 4; ++i) {
            CProvince& province = AddProvince(i < 3 ? 1 : 2); // three of player 1, one of player 2
            province.markerX = uint16_t(i);                  // names the province in the records
            provinces.push_back(&province);
        }
    }

    CSelect select;
    RecordingSelectionView view;
    std::vector<CProvince*> provinces;
};

using Calls = std::vector<std::string>;

} // namespace

TEST_F(SelectTest, AddKeepsOrderAndRefusesDuplicatesAndOtherOwners)
{
    select.Add(provinces[2]);
    select.Add(provinces[0]);
    select.Add(provinces[2]);
    select.Add(nullptr);
    select.Add(provinces[3]); // of player 2
    ASSERT_EQ(select.Count(), 2);
    EXPECT_EQ(select.GetAt(0), provinces[2]);
    EXPECT_EQ(select.GetAt(1), provinces[0]);
    EXPECT_EQ(select.GetAt(2), nullptr);
    EXPECT_FALSE(select.Contains(provinces[3]));
    EXPECT_EQ(view.calls, (Calls{"select 2", "rebuild 1", "select 0", "rebuild 2", "refuse 3"}));

    // Into an empty selection any owner goes.
    select.Clear();
    select.Add(provinces[3]);
    EXPECT_TRUE(select.Contains(provinces[3]));
}

TEST_F(SelectTest, RemoveToggleAndClearWhichRebuildsTheInspectorOnce)
{
    select.Add(provinces[0]);
    select.Add(provinces[1]);
    select.Remove(provinces[2]); // not selected
    select.Toggle(provinces[0]);
    select.Toggle(provinces[2]);
    ASSERT_EQ(select.Count(), 2);
    EXPECT_EQ(select.GetAt(0), provinces[1]);
    EXPECT_EQ(select.GetAt(1), provinces[2]);

    select.Add(provinces[0]);
    view.calls.clear();
    select.Clear();
    EXPECT_EQ(select.Count(), 0);
    EXPECT_EQ(select.busy, 0u);
    EXPECT_EQ(view.calls, (Calls{"deselect 0", "deselect 2", "deselect 1", "rebuild 0"}));
}
