#include "ui/DlgComplex.h"

#include "platform/FileSystem.h"
#include "platform/Utf8.h"
#include "platform/Windows1252.h"
#include "platform/qt/QtFont.h"
#include "ui/InspectorRows.h"
#include "ui/ModalDialogs.h"
#include "ui/QtPrompts.h"

#include <QFileDialog>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>
#include <string_view>
#include <vector>

namespace {

// How many characters of the stored text a character of the memo takes: a line
// break is stored as CR LF; a pair of surrogates is one character.
int StoredWeight(QChar c)
{
    if (c == QChar::ParagraphSeparator || c == '\n')
        return 2;
    return c.isLowSurrogate() ? 0 : 1;
}

// A text file's bytes as the memo shows them: well-formed UTF-8 with letters beyond
// ASCII is taken as UTF-8 (a leading byte order mark dropped), so that characters a
// mission cannot keep are still seen and reported at Ok; any other file is Windows-1252.
QString TextFileToMemoLines(const std::string& bytes)
{
    static constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    const bool beyondAscii = std::any_of(bytes.begin(), bytes.end(), [](char c) { return uint8_t(c) >= 0x80; });
    if (!beyondAscii || platform::CodePointsToUtf8(platform::Utf8ToCodePoints(bytes)) != bytes)
        return platform::qt::Windows1252ToQString(bytes);
    const std::string_view text = std::string_view(bytes).starts_with(kByteOrderMark)
                                      ? std::string_view(bytes).substr(kByteOrderMark.size())
                                      : std::string_view(bytes);
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

} // namespace

TDlgComplex::TDlgComplex(QWidget* parent) : QDialog(parent)
{
    setObjectName("DlgComplex");
    setWindowTitle("Edit text");
    Memo = new QPlainTextEdit(this);
    Memo->setObjectName("Memo");
    Memo->setTabChangesFocus(true); // the texts take no tabs: Tab goes on to the buttons
    BtnOk = new QPushButton("Ok", this);
    BtnOk->setObjectName("BtnOk");
    BtnCancel = new QPushButton("Cancel", this);
    BtnCancel->setObjectName("BtnCancel");
    BitBtn = new QPushButton("Load", this);
    BitBtn->setObjectName("BitBtn");

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(BitBtn);
    buttons->addStretch();
    buttons->addWidget(BtnOk);
    buttons->addWidget(BtnCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Memo);
    layout->addLayout(buttons);
    resize(420, 300);

    connect(BtnOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(BtnCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(BitBtn, &QPushButton::clicked, this, [this] { BitBtnClick(); });
    connect(Memo, &QPlainTextEdit::textChanged, this, [this] { KeepWithinMaxLength(); });

    chooseFile_ = [this]() -> std::optional<std::filesystem::path> {
        const QString file = QFileDialog::getOpenFileName(this, "Open", QString(), "(*.*) Any File (*)");
        if (file.isEmpty())
            return std::nullopt;
        return std::filesystem::path(file.toStdString());
    };
}

std::optional<std::string> TDlgComplex::Execute(const std::string& caption, int maxLength, const std::string& text)
{
    setWindowTitle(platform::qt::Windows1252ToQString(caption));
    maxLength_ = maxLength > 0 ? maxLength : 0;
    SetMemoText(text);
    Memo->setFocus(); // each opening types into the text, whichever button closed the last
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    if (ExecOverActiveWindow(*this) != QDialog::Accepted)
        return std::nullopt;
    if (!platform::ExactWindows1252(Memo->toPlainText().toStdString()))
        TQtPrompts(parentWidget()).Message(CharactersLostNote());
    return MemoText();
}

std::string TDlgComplex::MemoText() const
{
    const std::string lines = platform::Utf8ToWindows1252(Memo->toPlainText().toStdString());
    std::string text;
    text.reserve(lines.size());
    for (char c : lines) {
        if (c == '\n')
            text += '\r';
        text += c;
    }
    return text;
}

void TDlgComplex::SetMemoText(const std::string& text)
{
    SetMemoLines(platform::qt::Windows1252ToQString(text));
}

void TDlgComplex::SetMemoLines(QString lines)
{
    lines.replace("\r\n", "\n");
    lines.replace('\r', '\n');
    cutting_ = true;
    Memo->setPlainText(lines);
    cutting_ = false;
    Memo->moveCursor(QTextCursor::End);
    KeepWithinMaxLength();
}

void TDlgComplex::KeepWithinMaxLength()
{
    if (cutting_ || maxLength_ == 0)
        return;
    const QString shown = Memo->toPlainText();
    int excess = -maxLength_;
    for (QChar c : shown)
        excess += StoredWeight(c);
    if (excess <= 0)
        return;
    // What was just typed, pasted or loaded lies before the cursor: cut its end.
    QTextCursor cursor = Memo->textCursor();
    int start = cursor.position();
    while (excess > 0 && start > 0)
        excess -= StoredWeight(shown[--start]);
    cutting_ = true;
    cursor.setPosition(start, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
    Memo->setTextCursor(cursor);
    cutting_ = false;
}

void TDlgComplex::BitBtnClick()
{
    const std::optional<std::filesystem::path> file = chooseFile_();
    if (!file)
        return;
    std::vector<uint8_t> bytes;
    std::string error;
    if (!platform::ReadFileBytes(*file, bytes, error, kMaxFileBytes)) {
        QMessageBox::warning(this, windowTitle(), platform::qt::Utf8ToQString(error));
        return;
    }
    SetMemoLines(TextFileToMemoLines(std::string(bytes.begin(), bytes.end())));
}
