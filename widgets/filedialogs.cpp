#include "widgets/filedialogs.h"

#include "widgets/dialoglook.h"

#include <QDialog>
#include <QFileDialog>
#include <QPushButton>

namespace FileDialogs {

namespace {

Answerer& currentAnswerer()
{
    static Answerer answerer;
    return answerer;
}

DialogAnswerer& currentDialogAnswerer()
{
    static DialogAnswerer answerer;
    return answerer;
}

QStringList chosenIn(QFileDialog& dialog)
{
    DialogLook::centreOnWindow(dialog);
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles() : QStringList();
}

} // namespace

void setAnswerer(Answerer answerer)
{
    currentAnswerer() = std::move(answerer);
}

QStringList openFiles(QWidget* parent, const QString& title, const QString& folder, const QString& filter)
{
    if (const Answerer& answerer = currentAnswerer())
        return answerer({Kind::OpenFiles, title, filter});
    QFileDialog dialog(parent, title, folder, filter);
    dialog.setFileMode(QFileDialog::ExistingFiles);
    return chosenIn(dialog);
}

QString existingFolder(QWidget* parent, const QString& title, const QString& folder)
{
    if (const Answerer& answerer = currentAnswerer())
        return answerer({Kind::ExistingFolder, title, {}}).value(0);
    QFileDialog dialog(parent, title, folder);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    return chosenIn(dialog).value(0);
}

QString saveFile(QWidget* parent, const QString& title, const QString& folder, const QString& filter)
{
    if (const Answerer& answerer = currentAnswerer())
        return answerer({Kind::SaveFile, title, filter}).value(0);
    QFileDialog dialog(parent, title, folder, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    return chosenIn(dialog).value(0);
}

void setDialogAnswerer(DialogAnswerer answerer)
{
    currentDialogAnswerer() = std::move(answerer);
}

int runModal(QDialog& dialog)
{
    DialogLook::centreOnWindow(dialog);
    const DialogAnswerer& answerer = currentDialogAnswerer();
    if (!answerer)
        return dialog.QDialog::exec();
    dialog.show();
    answerer(dialog);
    if (dialog.isVisible())
        dialog.reject();
    return dialog.result();
}

void enterPressesFocusedButton(QDialog& dialog, QPushButton* cancel)
{
    for (QPushButton* button : dialog.findChildren<QPushButton*>())
        button->setAutoDefault(true);
    cancel->setDefault(true);
}

} // namespace FileDialogs
