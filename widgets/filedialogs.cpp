#include "widgets/filedialogs.h"

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

} // namespace

void setAnswerer(Answerer answerer)
{
    currentAnswerer() = std::move(answerer);
}

QStringList openFiles(QWidget* parent, const QString& title, const QString& folder, const QString& filter)
{
    if (const Answerer& answerer = currentAnswerer())
        return answerer({Kind::OpenFiles, title, filter});
    return QFileDialog::getOpenFileNames(parent, title, folder, filter);
}

QString existingFolder(QWidget* parent, const QString& title, const QString& folder)
{
    if (const Answerer& answerer = currentAnswerer())
        return answerer({Kind::ExistingFolder, title, {}}).value(0);
    return QFileDialog::getExistingDirectory(parent, title, folder, QFileDialog::ShowDirsOnly);
}

QString saveFile(QWidget* parent, const QString& title, const QString& folder, const QString& filter)
{
    if (const Answerer& answerer = currentAnswerer())
        return answerer({Kind::SaveFile, title, filter}).value(0);
    return QFileDialog::getSaveFileName(parent, title, folder, filter, nullptr, QFileDialog::DontConfirmOverwrite);
}

void setDialogAnswerer(DialogAnswerer answerer)
{
    currentDialogAnswerer() = std::move(answerer);
}

int runModal(QDialog& dialog)
{
    const DialogAnswerer& answerer = currentDialogAnswerer();
    if (!answerer)
        return dialog.QDialog::exec();
    dialog.show();
    answerer(dialog);
    if (dialog.isVisible())
        dialog.reject();
    return dialog.result();
}

void cancelOnEnter(QDialog& dialog, QPushButton* cancel)
{
    for (QPushButton* button : dialog.findChildren<QPushButton*>())
        button->setAutoDefault(false);
    cancel->setDefault(true);
}

} // namespace FileDialogs
