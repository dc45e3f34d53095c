#pragma once
// The "Edit text" dialog of the long texts of the mission and events windows:
// a memo with Ok, Cancel and Load (a text file's lines replace the memo's).
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include <QDialog>

class QPlainTextEdit;
class QPushButton;

class TDlgComplex : public QDialog {
public:
    // Asks for the file to load; nothing when the user cancelled.
    using FileChooser = std::function<std::optional<std::filesystem::path>()>;

    explicit TDlgComplex(QWidget* parent = nullptr);

    // Shows the dialog modally with `caption` over `text`, both Windows-1252 with
    // lines separated by CR LF, the memo holding at most `maxLength` characters
    // (a line break counts two; 0: no limit). The edited text in the same form
    // when the user pressed Ok (after a word when characters had to become "?");
    // nothing on Cancel.
    std::optional<std::string> Execute(const std::string& caption, int maxLength, const std::string& text);

    // The memo's text as Execute returns it, and its replacement.
    std::string MemoText() const;
    void SetMemoText(const std::string& text);
    // "Load": replaces the memo's text by the chosen file's lines: UTF-8 when the file
    // is well-formed UTF-8 beyond ASCII, else Windows-1252.
    void BitBtnClick();
    // Replaces the platform open dialog (tests script it).
    void SetFileChooser(FileChooser chooser) { chooseFile_ = std::move(chooser); }

    static constexpr uint64_t kMaxFileBytes = uint64_t(16) << 20;

private:
    // The memo's lines, from any line breaks.
    void SetMemoLines(QString lines);
    // Cuts what was just typed, pasted or loaded back to the memo's maximum length.
    void KeepWithinMaxLength();

    QPlainTextEdit* Memo;
    QPushButton* BtnOk;
    QPushButton* BtnCancel;
    QPushButton* BitBtn;
    FileChooser chooseFile_;
    int maxLength_ = 0;
    bool cutting_ = false;
};
