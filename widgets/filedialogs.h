#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class QDialog;
class QPushButton;
class QWidget;

// The open-file, save-file and choose-folder dialogs, and the program's own modal dialogs,
// answerable by tests and unattended runs like the message boxes.
namespace FileDialogs {

enum class Kind { OpenFiles, ExistingFolder, SaveFile };

struct Request {
    Kind kind = Kind::OpenFiles;
    QString title;
    QString filter; // the name filter of an open-file or save-file dialog
};

// Returns the chosen paths; an empty list is a cancel. A folder comes back as its one entry.
using Answerer = std::function<QStringList(const Request&)>;
void setAnswerer(Answerer answerer);

[[nodiscard]] QStringList openFiles(QWidget* parent, const QString& title, const QString& folder,
                                    const QString& filter);
[[nodiscard]] QString existingFolder(QWidget* parent, const QString& title, const QString& folder);
// The file to write; it is not asked whether to replace one that exists: the caller refuses that.
[[nodiscard]] QString saveFile(QWidget* parent, const QString& title, const QString& folder, const QString& filter);

// Stands in for the person at one of the program's own dialogs: it gets the dialog already shown
// and works it with real input; a dialog it leaves open counts as cancelled.
using DialogAnswerer = std::function<void(QDialog&)>;
void setDialogAnswerer(DialogAnswerer answerer);
// Runs the dialog's modal loop, or hands it to the answerer. Returns the dialog's result.
int runModal(QDialog& dialog);

// Enter presses cancel in the dialog whatever had the focus last: a push button that once had the
// focus would otherwise take Enter for itself, and OK would start what the user never confirmed.
// Called once the dialog holds all its buttons.
void cancelOnEnter(QDialog& dialog, QPushButton* cancel);

} // namespace FileDialogs
