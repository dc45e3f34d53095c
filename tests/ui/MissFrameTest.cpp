// The mission window driven by mouse and keys: typed one-line texts reach the
// string table (and mark the project modified), long texts go through the text
// dialog (typed or loaded from a file, within the row's limit), and hiding the
// window is reported.
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>

#include <fstream>

#include "platform/FileSystem.h"
#include "ui/DlgComplex.h"
#include "ui/InspectorRows.h"
#include "ui/MissFrame.h"

#include "InspectorDriver.h"

namespace {

class MissFrameTest : public CatalogueProjectTest {
protected:
    MissFrameTest() : frame(project), host(HostOf(frame, "RMIMission"))
    {
        frame.Refill();
        ShowWindow(frame);
    }

    // Opens the text dialog of the row, types `typed` at its end and presses `buttons`.
    void EditLongText(InspectorRow row, const QString& typed, std::vector<const char*> buttons)
    {
        ClickRow(host, Key(row));
        ClickEditorButton(host, [&] {
            TDlgComplex& dialog = frame.TextDialog();
            auto* memo = dialog.findChild<QPlainTextEdit*>("Memo");
            memo->moveCursor(QTextCursor::End);
            QTest::keyClicks(memo, typed);
            for (const char* button : buttons)
                QTest::mouseClick(dialog.findChild<QPushButton*>(button), Qt::LeftButton);
        });
    }

    TMissFrame frame;
    platform::qt::ControlWidget& host;
};

TEST_F(MissFrameTest, ShowsTheSixMissionRowsWithTheTablesTextsAndReportsItsHiding)
{
    EXPECT_EQ(frame.RMIMission().VisibleItemCount(), 6);
    EXPECT_EQ(frame.RMIMission().GetVisibleItem(0)->Text(), "Mission Name");
    EXPECT_EQ(RowText(host, Key(InspectorRow::MisName)), "My Mission");
    EXPECT_EQ(RowText(host, Key(InspectorRow::DefeatMsg)), "You lose!");
    EXPECT_EQ(RowText(host, Key(InspectorRow::FDesc)), "<no row>");

    bool hidden = false;
    frame.OnHide = [&] { hidden = true; };
    frame.close();
    EXPECT_TRUE(hidden);
}

TEST_F(MissFrameTest, TypedTextsAreStoredCutTo100CharactersLongerOnesKeptAndAnEmptyTextIsIgnored)
{
    Table().missionName = std::string(120, 'm'); // loaded beyond the limit: kept whole when its row is visited
    frame.Refill();
    ClickRow(host, Key(InspectorRow::MisName));
    ClickRow(host, Key(InspectorRow::MisAuthor));
    EXPECT_EQ(std::tuple(Table().missionName, project.IsModified()), std::tuple(std::string(120, 'm'), false));
    ClickRow(host, Key(InspectorRow::MisName));
    TypeOver(host, QString::fromUtf8("Isl\xC3\xA9s"));
    EXPECT_EQ(Table().missionName, "Isl\xE9s");
    EXPECT_TRUE(project.IsModified());
    TypeOver(host, QString()); // refused: the editor keeps the typing until Return
    EXPECT_EQ(Table().missionName + EditorText(host), "Isl\xE9s");
    QTest::keyClick(&host, Qt::Key_Return);
    EXPECT_EQ(EditorText(host), "Isl\xC3\xA9s");

    // 120 characters typed one key at a time: the first 100 stay in order, the caret after them.
    const QString typed = QString("abcdefghijklmnopqrstuvwxyz0123456789_").repeated(4).left(120);
    const std::string first100 = typed.left(100).toStdString();
    for (auto [row, text] : {std::pair(InspectorRow::MisName, &CStringTable::missionName),
                             std::pair(InspectorRow::MisAuthor, &CStringTable::author)}) {
        ClickRow(host, Key(row));
        TypeOver(host, typed);
        EXPECT_EQ(std::tuple(Table().*text, EditorText(host), EditorCaret(host)), std::tuple(first100, first100, 100));
    }
}

TEST_F(MissFrameTest, LongTextsAreEditedInTheTextDialogAndCancelChangesNothing)
{
    EditLongText(InspectorRow::SDesc, "!", {"BtnCancel"});
    EXPECT_EQ(Table().shortDescription, "Short description");
    EXPECT_FALSE(project.IsModified());

    EditLongText(InspectorRow::SDesc, "!", {"BtnOk"});
    EXPECT_EQ(Table().shortDescription, "Short description!");
    EXPECT_EQ(EditorText(host), "Short description!"); // the row's open editor, which shows the row's value
    EXPECT_TRUE(project.IsModified());

    // The author notes take at most 150 characters.
    EditLongText(InspectorRow::MisAuthorNotes, QString(200, 'n'), {"BtnOk"});
    EXPECT_EQ(Table().authorNotes, "No notes" + std::string(142, 'n'));
    // Load replaces the text by the file's, line breaks and the limit kept: a UTF-8
    // file as UTF-8 (a byte order mark dropped), any other as Windows-1252.
    const std::string bytes = "first\r\nsecond \xE9" + std::string(150, 'l');
    const platform::TemporaryFolder folder;
    frame.TextDialog().SetFileChooser([&] { return std::optional(folder.Path() / "notes.txt"); });
    const std::string utf8 = "\xEF\xBB\xBF" "Caf\xC3\xA9 \xE2\x80\x94 ok \xCE\xA9";
    // Omega has no place in Windows-1252: it is shown, stored as "?", and a word said at Ok.
    QStringList notes;
    QTimer answer;
    answer.callOnTimeout([&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
            notes << box->text(), box->accept();
    });
    answer.start(10);
    for (const auto& [file, stored] :
         {std::pair(bytes, bytes.substr(0, 150)), std::pair(utf8, std::string("Caf\xE9 \x97 ok ?"))}) {
        std::ofstream(folder.Path() / "notes.txt", std::ios::binary) << file;
        EditLongText(InspectorRow::MisAuthorNotes, "", {"BitBtn", "BtnOk"});
        EXPECT_EQ(Table().authorNotes, stored);
    }
    EXPECT_EQ(notes, QStringList{QString::fromStdString(CharactersLostNote())});
}

} // namespace
