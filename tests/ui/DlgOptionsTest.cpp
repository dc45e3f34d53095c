// The preferences dialog driven with the mouse and keys: changes land in the
// settings at once, opening and closing alone changes nothing but the castle
// transparency switch, and the castle panel follows the project's pictures.
#include "graphics/Image32.h"
#include "model/MapProject.h"
#include "model/Settings.h"
#include "platform/qt/ControlWidget.h"
#include "ui/DlgOptions.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
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

TEST_F(DlgOptionsTest, CastlePanelShowsEachCastleTypeOnceWithItsName)
{
    auto table = std::make_unique<CStringTable>(project_);
    table->SetCastleTypeName(0, "Keep");
    table->SetCastleTypeName(1, "Citadel");
    project_.GetStringTables().Add(std::move(table));
    project_.castleTypes = 2;
    for (int i = 0; i < 3; ++i) // two castles, then the army picture
        project_.GetIconPictures().Bitmaps()->Add()->Bitmap()->SetSize(32, 32);

    dialog_.FillCastleImages();
    dialog_.FillCastleImages(); // again: the rows are replaced, not added
    EXPECT_EQ(dialog_.findChildren<platform::qt::ControlWidget*>(QRegularExpression("^ImgCastle")).size(), 2);
    auto* picture = Child<platform::qt::ControlWidget>("ImgCastle1");
    EXPECT_EQ(picture->geometry(), QRect(48, 33, 20, 24));
    EXPECT_EQ(picture->HostedAs<TImage32>().Bitmap()->Width(), 32);
    auto* name = Child<QLabel>("LbCastle1");
    EXPECT_EQ(name->text(), "Citadel");
    EXPECT_EQ(name->geometry().topLeft(), QPoint(76, 41));
    EXPECT_EQ(Child<platform::qt::ControlWidget>("ImgArmy0")->HostedAs<TImage32>().Bitmap()->Width(), 32);

    project_.castleTypes = 1;
    dialog_.FillCastleImages();
    EXPECT_EQ(dialog_.findChild<QLabel*>("LbCastle1"), nullptr);
}

} // namespace
