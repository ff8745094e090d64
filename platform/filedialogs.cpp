#include "platform/filedialogs.h"

#include <QFileDialog>

namespace FileDialogs {

namespace {

Answerer& currentAnswerer()
{
    static Answerer answerer;
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

} // namespace FileDialogs
