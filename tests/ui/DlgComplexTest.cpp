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

// Runs `script` once the dialog's modal loop is running, then presses `buttons` in order.
void WhileShown(TDlgComplex& dialog, std::function<void(QPlainTextEdit&)> script, std::vector<const char*> buttons)
{
    QTimer::singleShot(0, &dialog, [&dialog, script, buttons] {
        auto* memo = dialog.findChild<QPlainTextEdit*>("Memo");
        memo->setFocus();
        memo->moveCursor(QTextCursor::End);
        script(*memo);
        for (const char* button : buttons)
            QTest::mouseClick(dialog.findChild<QPushButton*>(button), Qt::LeftButton);
    });
}

TEST(DlgComplex, OkReturnsTheEditedTextCancelNothingAndTypingStopsAtTheMaximumLength)
{
    TDlgComplex dialog;
    WhileShown(
        dialog,
        [&](QPlainTextEdit& memo) {
            EXPECT_EQ(dialog.windowTitle(), "Author notes");
            EXPECT_EQ(memo.toPlainText(), QString::fromUtf8("Line one\nLine tw\xC3\xB4"));
            QTest::keyClicks(&memo, "!");
            QTest::keyClick(&memo, Qt::Key_Return);
            QTest::keyClicks(&memo, "x");
        },
        {"BtnOk"});
    EXPECT_EQ(dialog.Execute("Author notes", 0, "Line one\r\nLine tw\xF4"), "Line one\r\nLine tw\xF4!\r\nx");

    WhileShown(dialog, [](QPlainTextEdit& memo) { QTest::keyClicks(&memo, "lost"); }, {"BtnCancel"});
    EXPECT_EQ(dialog.Execute("Author notes", 0, "kept"), std::nullopt);

    // A line break counts two towards the maximum.
    WhileShown(
        dialog,
        [](QPlainTextEdit& memo) {
            QTest::keyClick(&memo, Qt::Key_Return);
            QTest::keyClicks(&memo, "cdef");
        },
        {"BtnOk"});
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
    const std::pair<int, std::string> loads[] = {{0, bytes}, {9, "first\r\nse"}}; // maximum length, text
    for (const auto& [limit, loaded] : loads) {
        WhileShown(dialog, [](QPlainTextEdit&) {}, {"BitBtn", "BtnOk"});
        EXPECT_EQ(dialog.Execute("Load", limit, "old"), loaded);
    }
}

} // namespace
