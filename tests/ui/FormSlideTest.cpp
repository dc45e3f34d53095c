// The progress window: it shows the caption and the steps, and while it is
// shown no other window takes input, except a dialog the operation opens.
#include "ui/FormSlide.h"

#include <QDialog>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <set>

namespace {

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
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(button, &press); // delivered straight, past window modality
    EXPECT_FALSE(button->isDown());
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
