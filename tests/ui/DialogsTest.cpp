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

    std::vector<const CErrorList::CErrorBase*> current;
    for (auto [row, keys] : {std::pair(1, Qt::NoModifier), {0, Qt::NoModifier}, {0, Qt::ControlModifier} /* off */})
        click(row, keys), current.push_back(warnings.GetCurrent());
    EXPECT_EQ(current, (std::vector<const CErrorList::CErrorBase*>{warnings.GetAt(1), warnings.GetAt(0), nullptr}));
    EXPECT_EQ(log, (std::vector<std::string>{"show Piece was connected to Caf\xE9", "hide Piece was connected to Caf\xE9",
                                             "show Piece was converted to green land",
                                             "hide Piece was converted to green land"}));

    // Refilling replaces the rows without touching the map.
    click(1);
    log.clear();
    warnings.FillListView();
    EXPECT_TRUE(list.count() == 2 && log.empty());

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
    auto* bar = Child<QSlider>("TrkBTransValue");
    EXPECT_EQ(std::tuple(settings_.TransCastles, Child<QCheckBox>("ChkBTransCastles")->isChecked(),
                         Child<QCheckBox>("ChkBAutoResize")->isChecked(), bar->value(),
                         Child<QLabel>("LbTransValue")->text()),
              std::tuple(1u, true, false, 5, QString("50%")));
    QTest::keyClick(&dialog_, Qt::Key_Escape);
    EXPECT_EQ(std::tuple(dialog_.isVisible(), settings_.TransValue, settings_.AutoResize), std::tuple(false, 127, 0u));

    settings_.TransValue = 255;
    dialog_.show();
    QTest::mouseClick(Child<QCheckBox>("ChkBAutoShowErrors"), Qt::LeftButton);
    QTest::mouseClick(Child<QCheckBox>("ChkBTransArmies"), Qt::LeftButton);
    EXPECT_EQ(std::tuple(settings_.AutoShowErr, settings_.TransArmies, bar->value()), std::tuple(0u, 1u, 10));
    bar->setFocus();
    while (bar->value() > 4)
        QTest::keyClick(bar, Qt::Key_Left);
    EXPECT_EQ(std::tuple(settings_.TransValue, Child<QLabel>("LbTransValue")->text()), std::tuple(102, QString("40%")));
    QTest::mouseClick(Child<QPushButton>("BtnOK"), Qt::LeftButton);
    EXPECT_EQ(std::tuple(dialog_.isVisible(), dialog_.result(), settings_.TransValue), // there is no cancel
              std::tuple(false, int(QDialog::Accepted), 102));
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
    EXPECT_EQ(std::tuple(slide.isVisible(), slide.findChild<QLabel*>("LbStat")->text(), bar->maximum()),
              std::tuple(true, QString("Loading data..."), 3));
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
    EXPECT_EQ(std::tuple(bar->maximum(), bar->value()), std::tuple(2, 0));
    slide.Step(2);
    EXPECT_EQ(bar->value(), bar->maximum());

    slide.End();
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(std::tuple(slide.isVisible(), clicks), std::tuple(false, 1));
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
