#include "app/ui/dialog_hook.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QUrl>

namespace kestrin::ui {

namespace {

QString programTitle(QWidget* parent)
{
    return parent ? parent->window()->windowTitle().trimmed() : QString();
}

// Open and Save alike: the filter, the default suffix and the remembered
// file, then the path the user picked (empty when cancelled).
QString chosenFile(QFileDialog& dialog, const FileDialogSpec& spec)
{
    dialog.setNameFilter(spec.filter);
    dialog.setDefaultSuffix(spec.defaultSuffix);
    if (!spec.initialFile.isEmpty()) {
        const QFileInfo info(spec.initialFile);
        dialog.setDirectory(info.absolutePath());
        dialog.selectFile(info.fileName());
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
}

}  // namespace

void QtDialogs::message(QWidget* parent, const QString& text)
{
    QMessageBox::information(parent, programTitle(parent), text);
}

Answer QtDialogs::question(QWidget* parent, const QString& text)
{
    const auto button = QMessageBox::question(parent, programTitle(parent), text,
                                              QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                                              QMessageBox::Yes);
    if (button == QMessageBox::Yes)
        return Answer::Yes;
    return button == QMessageBox::No ? Answer::No : Answer::Cancel;
}

QString QtDialogs::openFileName(QWidget* parent, const FileDialogSpec& spec)
{
    QFileDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("OpenDialog1"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return chosenFile(dialog, spec);
}

QString QtDialogs::saveFileName(QWidget* parent, const FileDialogSpec& spec)
{
    QFileDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("SaveDialog1"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setSizeGripEnabled(true);
    return chosenFile(dialog, spec);
}

bool QtDialogs::choosePrinter(QWidget* parent, QPrinter& printer)
{
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

bool QtDialogs::openDocument(const QString& path)
{
    // A missing file is a failure even where the desktop would open an
    // empty viewer for it.
    if (!QFileInfo::exists(path))
        return false;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

}  // namespace kestrin::ui
