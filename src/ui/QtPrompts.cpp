#include "ui/QtPrompts.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QStringList>

#include "platform/qt/QtFont.h"
#include "ui/ModalDialogs.h"

using platform::qt::Windows1252ToQString;

namespace {

std::optional<std::filesystem::path> ChosenPath(const QString& name)
{
    if (name.isEmpty())
        return std::nullopt;
    return std::filesystem::path(QFile::encodeName(name).toStdString());
}

} // namespace

void TQtPrompts::Message(const std::string& text)
{
    const KeyboardComesBack keyboard;
    QMessageBox box(QMessageBox::NoIcon, QApplication::applicationName(), Windows1252ToQString(text), QMessageBox::Ok,
                    DialogOwner(owner_));
    box.exec();
}

void TQtPrompts::ErrorMessage(const std::string& text, const std::string& caption)
{
    const KeyboardComesBack keyboard;
    QMessageBox::critical(DialogOwner(owner_), Windows1252ToQString(caption), Windows1252ToQString(text));
}

IPrompts::Answer TQtPrompts::Ask(const std::string& text, const std::string& caption)
{
    const KeyboardComesBack keyboard;
    switch (QMessageBox::question(DialogOwner(owner_), Windows1252ToQString(caption), Windows1252ToQString(text),
                                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Cancel)) {
    case QMessageBox::Yes:
        return kYes;
    case QMessageBox::No:
        return kNo;
    default:
        return kCancel;
    }
}

bool TQtPrompts::Confirm(const std::string& text, const std::string& caption)
{
    const KeyboardComesBack keyboard;
    return QMessageBox::question(DialogOwner(owner_), Windows1252ToQString(caption), Windows1252ToQString(text),
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
}

std::optional<std::filesystem::path> TQtFileChooser::ChooseOpenFile(const std::string& filter)
{
    const KeyboardComesBack keyboard;
    return ChosenPath(QFileDialog::getOpenFileName(DialogOwner(owner_), QString(), QString(), QtFileFilter(filter)));
}

std::optional<std::filesystem::path> TQtFileChooser::ChooseSaveFile(const std::string& filter)
{
    const KeyboardComesBack keyboard;
    return ChosenPath(QFileDialog::getSaveFileName(DialogOwner(owner_), QString(), QString(), QtFileFilter(filter)));
}

QString QtFileFilter(const std::string& filter)
{
    const QStringList parts = Windows1252ToQString(filter).split('|');
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(';', ' ');
        const QString& description = parts[i];
        entries << (description.contains(parts[i + 1]) ? QString(description).replace(';', ' ')
                                                       : description + " (" + patterns + ")");
    }
    return entries.join(";;");
}
