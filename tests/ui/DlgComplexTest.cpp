// The text dialog, run modally and driven by keys: Ok returns the edited text
// with CR LF line breaks, Cancel returns nothing, the length limit holds for
// typing and loading, and Load replaces the text by a file's.
#include "platform/FileSystem.h"
#include "ui/DlgComplex.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

// Runs `script` once the dialog's modal loop is running, then presses `button`.
void WhileShown(TDlgComplex& dialog, std::function<void(QPlainTextEdit&)> script, const char* button)
{
    QTimer::singleShot(0, &dialog, [&dialog, script, button] {
        auto* memo = dialog.findChild<QPlainTextEdit*>("Memo");
        memo->setFocus();
        script(*memo);
        QTest::mouseClick(dialog.findChild<QPushButton*>(button), Qt::LeftButton);
    });
}

TEST(DlgComplex, OkReturnsTheEditedTextAndCancelNothing)
{
    TDlgComplex dialog;
    WhileShown(
        dialog,
        [&](QPlainTextEdit& memo) {
            EXPECT_EQ(dialog.windowTitle(), "Author notes");
            EXPECT_EQ(memo.toPlainText(), QString::fromUtf8("Line one\nLine tw\xC3\xB4"));
            memo.moveCursor(QTextCursor::End);
            QTest::keyClicks(&memo, "!");
            QTest::keyClick(&memo, Qt::Key_Return);
            QTest::keyClicks(&memo, "x");
        },
        "BtnOk");
    EXPECT_EQ(dialog.Execute("Author notes", 0, "Line one\r\nLine tw\xF4"), "Line one\r\nLine tw\xF4!\r\nx");

    WhileShown(dialog, [](QPlainTextEdit& memo) { QTest::keyClicks(&memo, "lost"); }, "BtnCancel");
    EXPECT_EQ(dialog.Execute("Author notes", 0, "kept"), std::nullopt);
}

TEST(DlgComplex, TypingStopsAtTheMaximumLengthWithLineBreaksCountingTwo)
{
    TDlgComplex dialog;
    WhileShown(
        dialog,
        [](QPlainTextEdit& memo) {
            memo.moveCursor(QTextCursor::End);
            QTest::keyClick(&memo, Qt::Key_Return);
            QTest::keyClicks(&memo, "cdef");
        },
        "BtnOk");
    EXPECT_EQ(dialog.Execute("Short", 5, "ab"), "ab\r\nc");
}

TEST(DlgComplex, LoadReplacesTheTextByTheFilesLinesWithinTheLimit)
{
    platform::TemporaryFolder folder;
    ASSERT_TRUE(folder.Valid()) << folder.Error();
    const std::filesystem::path file = folder.Path() / "notes.txt";
    const std::string bytes = "first\r\nsecond \xE9t\xE9";
    std::string error;
    ASSERT_TRUE(platform::WriteFileAtomically(file, {reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()},
                                              error))
        << error;

    TDlgComplex dialog;
    dialog.SetFileChooser([&] { return std::optional(file); });
    WhileShown(dialog, [](QPlainTextEdit&) {}, "BitBtn");
    QTimer::singleShot(0, &dialog, [&] { QTest::mouseClick(dialog.findChild<QPushButton*>("BtnOk"), Qt::LeftButton); });
    EXPECT_EQ(dialog.Execute("Load", 0, "old"), bytes);

    WhileShown(dialog, [](QPlainTextEdit&) {}, "BitBtn");
    QTimer::singleShot(0, &dialog, [&] { QTest::mouseClick(dialog.findChild<QPushButton*>("BtnOk"), Qt::LeftButton); });
    EXPECT_EQ(dialog.Execute("Load", 9, "old"), "first\r\nse");
}

} // namespace
