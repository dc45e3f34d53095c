// The waits of a designer on a row holding a long text (the victory and defeat messages
// and the event descriptions take up to 20,000 characters), in an inspector hosted as the
// windows host it (offscreen). Selecting the row, which opens its editor with the keyboard
// in it, moving the caret to the end and typing there, and leaving the row for another,
// each followed by a paint of the inspector, take as long at 5,000 and 20,000 characters
// as at 100 (the edit once measured its whole text again for every character). Pointing
// at the row shows the whole value in the hint, which measures and draws it: a few times
// what laying the text out once with Qt's font metrics takes.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPixmap>
#include <QTest>

#include <string>

#include "BenchGoals.h"
#include "inspector/rmInspector.h"
#include "platform/TextRasterizer.h"
#include "platform/Timer.h"
#include "platform/WindowSystem.h"
#include "platform/qt/ControlWidget.h"
#include "platform/qt/QtFont.h"
#include "platform/qt/QtTextRasterizer.h"
#include "platform/qt/QtTimerService.h"
#include "platform/qt/QtWindowSystem.h"

namespace {

// Words and sentences of varied letters, so that kerning and spaces take part.
std::string LongText(size_t length)
{
    static constexpr std::string_view kSentence = "The fortress of Valdrune holds; AVA WAY to the keep. ";
    std::string text;
    while (text.size() < length)
        text += kSentence;
    text.resize(length);
    return text;
}

struct LongTextInspector {
    platform::qt::ControlWidget widget{std::make_unique<TrmInspector>()};
    TrmInspector& inspector = widget.HostedAs<TrmInspector>();

    explicit LongTextInspector(const std::string& text)
    {
        inspector.AddInspectorItem("\1Short", "short", TrmStringInspectorItem::Class);
        inspector.AddInspectorItem("\1Message", text, TrmComplexInspectorItem::Class)->SetEditabled(true);
        inspector.AddInspectorItem("\1Typed", text, TrmStringInspectorItem::Class);
        widget.resize(300, 200);
        widget.show();
        QApplication::processEvents();
    }
    void Paint() { benchmark::DoNotOptimize(widget.grab()); }
    QPoint ValueOfRow(int row)
    {
        const int height = inspector.ItemHeight();
        return {inspector.SplitPos() + 30, row * height + height / 2};
    }
    // The mouse over a row's value, no button held.
    void PointAt(int row)
    {
        QMouseEvent move(QEvent::MouseMove, ValueOfRow(row), widget.mapToGlobal(ValueOfRow(row)), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(&widget, &move);
        QApplication::processEvents();
    }
    void ClickRow(int row)
    {
        QTest::mouseClick(&widget, Qt::LeftButton, {}, ValueOfRow(row));
        Paint();
    }
    void Key(Qt::Key key) // with the character it types, as a keyboard sends it
    {
        QTest::keyClick(&widget, key);
        Paint();
    }
};

// Selects the long read-only row, ends its caret, leaves it; selects the long typed row,
// types a letter at its end and takes it back, leaves it.
void BM_RowSelectEditLeave(benchmark::State& state)
{
    const std::string text = LongText(size_t(state.range(0)));
    LongTextInspector view(text);
    for (auto _ : state) {
        for (int row : {1, 2}) {
            view.ClickRow(row);
            view.Key(Qt::Key_End);
            if (row == 2) {
                view.Key(Qt::Key_X);
                view.Key(Qt::Key_Backspace);
            }
            view.ClickRow(0);
        }
    }
    if (view.inspector.FindInspectorItem("\1Typed")->AsString() != text || text.size() != size_t(state.range(0)))
        state.SkipWithError("the typed row does not hold its text again");
}

// The mouse comes over the long row's value (its hint shows it whole) and leaves it.
void BM_RowHint(benchmark::State& state)
{
    LongTextInspector view(LongText(size_t(state.range(0))));
    for (auto _ : state) {
        view.PointAt(1);
        if (!view.inspector.HintWindow().Visible()) {
            state.SkipWithError("the hint does not show the row's value");
            break;
        }
        view.PointAt(0);
    }
}

void BM_MeasureTextOnce(benchmark::State& state)
{
    const QString text = QString::fromStdString(LongText(size_t(state.range(0))));
    TrmInspector inspector;
    const QFontMetrics metrics(platform::qt::ToQFont(inspector.Font()));
    for (auto _ : state)
        benchmark::DoNotOptimize(metrics.horizontalAdvance(text));
}

} // namespace

BENCHMARK(BM_RowSelectEditLeave)->Arg(100)->Arg(5000)->Arg(20000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_RowHint)->Arg(5000)->Arg(20000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_MeasureTextOnce)->Arg(5000)->Arg(20000)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    platform::qt::QtTimerService timers;
    platform::SetTimerService(&timers);
    platform::qt::QtWindowSystem windowSystem;
    platform::SetWindowSystem(&windowSystem);
    platform::qt::QtTextRasterizer rasterizer;
    platform::SetTextRasterizer(&rasterizer);
    const int result = RunWithGoals(argc, argv,
                                    {{"BM_RowSelectEditLeave/5000", "BM_RowSelectEditLeave/100", 1.5},
                                     {"BM_RowSelectEditLeave/20000", "BM_RowSelectEditLeave/100", 1.5},
                                     {"BM_RowHint/5000", "BM_MeasureTextOnce/5000", 12.0},
                                     {"BM_RowHint/20000", "BM_MeasureTextOnce/20000", 12.0}});
    platform::SetTextRasterizer(nullptr);
    platform::SetWindowSystem(nullptr);
    platform::SetTimerService(nullptr);
    return result;
}
