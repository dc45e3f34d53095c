// The editor's dialogs driven with the mouse and keys: the warnings window, the
// preferences (changes land in the settings at once) and the progress window (while
// it is shown no other window takes input, except a dialog the operation opens).
#include "model/MapProject.h"
#include "model/Settings.h"
#include "ui/DlgError.h"
#include "ui/DlgOptions.h"
#include "ui/FormSlide.h"
#include "ui/SettingsFile.h"

#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QDialog>
#include <QFontDialog>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QTimer>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

class FakeWarning : public CErrorList::CErrorBase {
public:
    FakeWarning(std::string text, std::vector<std::string>& log) : text_(std::move(text)), log_(log) {}
    void Show() override
    {
        BecomeCurrent();
        log_.push_back("show " + text_);
    }
    void Hide() override { log_.push_back("hide " + text_); }
    std::string GetText() const override { return text_; }
    int GetImageIndex() const override { return 22; }

private:
    std::string text_;
    std::vector<std::string>& log_;
};

TEST(DlgError, ListsTheWarningsAndShowsOrHidesTheSelectedOne)
{
    std::vector<std::string> log;
    CErrorList warnings;
    warnings.Add(std::make_unique<FakeWarning>("Piece was converted to green land", log));
    warnings.Add(std::make_unique<FakeWarning>("Piece was connected to Caf\xE9", log)); // Windows-1252
    CWindowBounds bounds;
    TDlgError dialog(warnings, bounds);
    dialog.ShowWarnings();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    auto& list = *dialog.findChild<QListWidget*>("LV");
    ASSERT_EQ(list.count(), 2);
    EXPECT_EQ(list.item(1)->text(), QString::fromUtf8("Piece was connected to Caf\xC3\xA9"));
    const auto click = [&list](int row, Qt::KeyboardModifiers keys = Qt::NoModifier) {
        QTest::mouseClick(list.viewport(), Qt::LeftButton, keys, list.visualItemRect(list.item(row)).center());
    };

    click(1);
    EXPECT_EQ(warnings.GetCurrent(), warnings.GetAt(1));
    click(0);
    EXPECT_EQ(warnings.GetCurrent(), warnings.GetAt(0));
    click(0, Qt::ControlModifier); // deselects
    EXPECT_EQ(warnings.GetCurrent(), nullptr);
    EXPECT_EQ(log, (std::vector<std::string>{"show Piece was connected to Caf\xE9", "hide Piece was connected to Caf\xE9",
                                             "show Piece was converted to green land",
                                             "hide Piece was converted to green land"}));

    // Refilling replaces the rows without touching the map.
    click(1);
    log.clear();
    warnings.FillListView();
    EXPECT_EQ(list.count(), 2);
    EXPECT_TRUE(log.empty());

    QTest::mouseClick(dialog.findChild<QPushButton*>("BtnOk"), Qt::LeftButton);
    EXPECT_FALSE(dialog.isVisible());
}

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
    settings_.TransValue = 127; // as 50 % stores it: the step nearest to it shows
    settings_.AutoResize = 0;
    settings_.AutoShowErr = 1;
    settings_.TransArmies = 0;
    dialog_.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog_));
    EXPECT_EQ(settings_.TransCastles, 1u);
    EXPECT_TRUE(Child<QCheckBox>("ChkBTransCastles")->isChecked());
    EXPECT_FALSE(Child<QCheckBox>("ChkBAutoResize")->isChecked());
    auto* bar = Child<QSlider>("TrkBTransValue");
    EXPECT_EQ(bar->value(), 5);
    EXPECT_EQ(Child<QLabel>("LbTransValue")->text(), "50%");
    QTest::keyClick(&dialog_, Qt::Key_Escape);
    EXPECT_FALSE(dialog_.isVisible());
    EXPECT_EQ(settings_.TransValue, 127);
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

// The font dialog offers the names' colour with the font; Cancel keeps both.
TEST_F(DlgOptionsTest, NameFontAndColourComeFromTheFontDialogUnlessCancelled)
{
    dialog_.show();
    auto* button = Child<QPushButton>("BtnNameFont");
    std::function<void(QDialog&)> answer; // runs once on the next dialog that comes up
    QTimer answering; // which does not fire again while its own call runs: the answer runs after it
    answering.callOnTimeout([&] {
        if (auto* open = qobject_cast<QDialog*>(QApplication::activeModalWidget()); open && answer)
            QTimer::singleShot(0, [open, run = std::exchange(answer, nullptr)] { run(*open); });
    });
    answering.start(10);
    answer = [](QDialog& fonts) { fonts.reject(); };
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(settings_.font, CSettings().font);

    answer = [&](QDialog& fonts) {
        fonts.findChild<QFontDialog*>("FontDialog")->setCurrentFont(QFont("Serif", 14, QFont::Normal, true));
        answer = [](QDialog& colors) {
            static_cast<QColorDialog&>(colors).setCurrentColor(QColor(0xC04020));
            colors.accept();
        };
        QTest::mouseClick(fonts.findChild<QPushButton*>("BtnColor"), Qt::LeftButton);
        fonts.accept();
    };
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(std::tuple(settings_.font.PointSize, settings_.font.Italic, settings_.font.Color),
              std::tuple(14, true, 0xC04020u));
    EXPECT_EQ(button->font().pixelSize(), platform::FontPixelSize(14));
    EXPECT_EQ(button->palette().color(QPalette::ButtonText), QColor(0xC04020));
}

TEST(FormSlide, StepsAndBlocksInputUntilTheEnd)
{
    QWidget window;
    auto* button = new QPushButton("Go", &window);
    int clicks = 0;
    QObject::connect(button, &QPushButton::clicked, [&] { ++clicks; });
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

    TFormSlide slide;
    auto* bar = slide.findChild<QProgressBar*>("PBSlide");
    slide.Start("Loading data...", 3);
    EXPECT_TRUE(slide.isVisible());
    EXPECT_EQ(slide.findChild<QLabel*>("LbStat")->text(), "Loading data...");
    EXPECT_EQ(bar->maximum(), 3);
    slide.Step(2);
    EXPECT_EQ(bar->value(), 2);

    QTest::mouseClick(button, Qt::LeftButton);
    button->setFocus();
    QTest::keyClick(button, Qt::Key_Space);
    EXPECT_EQ(clicks, 0);

    // A question the operation asks still takes its answer.
    QDialog question;
    auto* answer = new QPushButton("Yes", &question);
    QObject::connect(answer, &QPushButton::clicked, &question, &QDialog::accept);
    question.setLayout(new QVBoxLayout);
    question.layout()->addWidget(answer);
    question.open();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&question));
    QTest::mouseClick(answer, Qt::LeftButton);
    EXPECT_EQ(question.result(), QDialog::Accepted);

    slide.Start("Redraw world...", 2); // a new start replaces caption and maximum
    EXPECT_EQ(bar->maximum(), 2);
    EXPECT_EQ(bar->value(), 0);
    slide.Step(2);
    EXPECT_EQ(bar->value(), bar->maximum());

    slide.End();
    EXPECT_FALSE(slide.isVisible());
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(clicks, 1);
}

// Events go through only when what the window shows changes, and not more often
// than it repaints: an export of 1024 blocks must not wait on the window each time.
TEST(FormSlide, LetsEventsThroughOnlyWhenWhatItShowsChangesAndARepaintIsDue)
{
    struct ClockedSlide : TFormSlide {
        int64_t now = 0;
        int64_t NowMs() const override { return now; }
    };
    struct Counter : QObject {
        int step = 0;
        std::set<int> stepsDelivered;
        bool event(QEvent*) override { return stepsDelivered.insert(step), true; }
    };
    for (const int64_t msPerStep : {int64_t(0), TFormSlide::kRepaintIntervalMs}) {
        ClockedSlide slide;
        Counter counter;
        slide.Start("Compiling...", 1024);
        slide.Start("Compressing...", 1024); // while shown: no repaint yet
        for (counter.step = 1; counter.step <= 1024; ++counter.step) {
            QCoreApplication::postEvent(&counter, new QEvent(QEvent::User));
            slide.now += msPerStep;
            slide.Step(counter.step);
        }
        EXPECT_EQ(counter.stepsDelivered.size(), msPerStep ? 100u : 0u) << msPerStep;
        EXPECT_EQ(slide.findChild<QProgressBar*>("PBSlide")->value(), 1024);
        slide.End();
    }
}

} // namespace
