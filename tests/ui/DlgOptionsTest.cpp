// The preferences dialog driven with the mouse and keys: changes land in the
// settings at once, opening and closing alone changes nothing but the castle
// transparency switch.
#include "model/MapProject.h"
#include "model/Settings.h"
#include "ui/DlgOptions.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class DlgOptionsTest : public ::testing::Test {
protected:
    template <class T>
    T* Child(const char* name) const
    {
        T* child = dialog_.findChild<T*>(name);
        EXPECT_NE(child, nullptr) << name;
        return child;
    }

    CSettings settings_;
    CMapProject project_;
    TDlgOptions dialog_{settings_, project_};
};

// Opening and closing alone changes nothing but the castle transparency switch.
TEST_F(DlgOptionsTest, OpeningTurnsCastleTransparencyOnAndChangesApplyAtOnce)
{
    settings_.TransCastles = 0;
    settings_.TransValue = 120; // between two steps of the bar
    settings_.AutoResize = 0;
    settings_.AutoShowErr = 1;
    settings_.TransArmies = 0;
    dialog_.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog_));
    EXPECT_EQ(settings_.TransCastles, 1u);
    EXPECT_TRUE(Child<QCheckBox>("ChkBTransCastles")->isChecked());
    EXPECT_FALSE(Child<QCheckBox>("ChkBAutoResize")->isChecked());
    auto* bar = Child<QSlider>("TrkBTransValue");
    EXPECT_EQ(bar->value(), 4);
    EXPECT_EQ(Child<QLabel>("LbTransValue")->text(), "40%");
    QTest::keyClick(&dialog_, Qt::Key_Escape);
    EXPECT_FALSE(dialog_.isVisible());
    EXPECT_EQ(settings_.TransValue, 120);
    EXPECT_EQ(settings_.AutoResize, 0u);

    settings_.TransValue = 255;
    dialog_.show();
    QTest::mouseClick(Child<QCheckBox>("ChkBAutoShowErrors"), Qt::LeftButton);
    EXPECT_EQ(settings_.AutoShowErr, 0u);
    QTest::mouseClick(Child<QCheckBox>("ChkBTransArmies"), Qt::LeftButton);
    EXPECT_EQ(settings_.TransArmies, 1u);
    EXPECT_EQ(bar->value(), 10);
    bar->setFocus();
    while (bar->value() > 4)
        QTest::keyClick(bar, Qt::Key_Left);
    EXPECT_EQ(settings_.TransValue, 102);
    EXPECT_EQ(Child<QLabel>("LbTransValue")->text(), "40%");
    QTest::mouseClick(Child<QPushButton>("BtnOK"), Qt::LeftButton);
    EXPECT_FALSE(dialog_.isVisible());
    EXPECT_EQ(dialog_.result(), QDialog::Accepted);
    EXPECT_EQ(settings_.TransValue, 102); // there is no cancel
}

TEST_F(DlgOptionsTest, NameFontComesFromTheFontDialogUnlessCancelled)
{
    platform::FontSpec offered;
    offered.Family = "Serif";
    offered.PointSize = 14;
    offered.Italic = true;
    std::optional<platform::FontSpec> answer;
    dialog_.SetFontChooser([&](const platform::FontSpec&) { return answer; });
    dialog_.show();
    auto* button = Child<QPushButton>("BtnNameFont");

    QTest::mouseClick(button, Qt::LeftButton); // cancelled
    EXPECT_EQ(settings_.font, CSettings().font);

    answer = offered;
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(settings_.font, offered);
    EXPECT_EQ(button->font().pixelSize(), platform::FontPixelSize(14));
    EXPECT_TRUE(button->font().italic());
}

} // namespace
