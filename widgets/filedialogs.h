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
// Centres the dialog on the main window, then runs its modal loop, or hands it to the answerer.
// Returns the dialog's result.
int runModal(QDialog& dialog);

// Enter presses the button that has the focus, as in any dialog; where no button has it (a drive
// list, a track list), Enter presses Cancel, so that it never starts what the user did not
// choose. Called once the dialog holds all its buttons.
void enterPressesFocusedButton(QDialog& dialog, QPushButton* cancel);

} // namespace FileDialogs
