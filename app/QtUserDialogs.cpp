#include "app/QtUserDialogs.h"

#include "app/FileFilter.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QUrl>

namespace vrnnec {

namespace {

QString folderOrCurrent(const QString& folder)
{
    return folder.isEmpty() ? QDir::currentPath() : folder;
}

} // namespace

void QtUserDialogs::showMessage(const QString& text)
{
    QMessageBox box(QMessageBox::NoIcon, QApplication::applicationName(), text, QMessageBox::Ok, parent_);
    box.exec();
}

QString QtUserDialogs::openFileName(const QString& title, const QString& filter, const QString& folder)
{
    QFileDialog dialog(parent_, title, folderOrCurrent(folder));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(filefilter::nameFilters(filter));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

QString QtUserDialogs::saveFileName(const QString& title, const QString& filter, const QString& defaultSuffix,
                                    const QString& folder, const QString& proposedName)
{
    QFileDialog dialog(parent_, title, folderOrCurrent(folder));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(filefilter::nameFilters(filter));
    dialog.setDefaultSuffix(filefilter::plainSuffix(defaultSuffix));
    if (!proposedName.isEmpty())
        dialog.selectFile(proposedName);
    // The question before a file is replaced is asked here, for the name with its
    // default suffix: a desktop's own dialog would ask for the name as typed.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    for (;;) {
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return {};
        const QString name = dialog.selectedFiles().constFirst();
        if (!QFileInfo::exists(name))
            return name;
        const QString question =
            QCoreApplication::translate("QFileDialog", "%1 already exists.\nDo you want to replace it?")
                .arg(QFileInfo(name).fileName());
        if (QMessageBox::warning(&dialog, title, question, QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
            == QMessageBox::Yes)
            return name;
        dialog.selectFile(QFileInfo(name).fileName());
    }
}

UserDialogs::Answer QtUserDialogs::ask(const QString& text, Buttons buttons, Style style)
{
    QMessageBox::StandardButtons standard;
    switch (buttons) {
    case Buttons::YesNo: standard = QMessageBox::Yes | QMessageBox::No; break;
    case Buttons::YesNoCancel: standard = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel; break;
    case Buttons::OkCancel: standard = QMessageBox::Ok | QMessageBox::Cancel; break;
    }
    const QMessageBox::Icon icon = style == Style::Warning ? QMessageBox::Warning : QMessageBox::Question;
    QMessageBox box(icon, QApplication::applicationName(), text, standard, parent_);
    switch (box.exec()) {
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    case QMessageBox::Ok: return Answer::Ok;
    default: return buttons == Buttons::YesNo ? Answer::No : Answer::Cancel;
    }
}

bool QtUserDialogs::openWithDesktop(const QString& path)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

} // namespace vrnnec
