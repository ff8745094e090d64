#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

// The open-file and choose-folder dialogs, answerable by tests and unattended runs like the
// message boxes.
namespace FileDialogs {

enum class Kind { OpenFiles, ExistingFolder };

struct Request {
    Kind kind = Kind::OpenFiles;
    QString title;
    QString filter; // the name filter of an open-file dialog
};

// Returns the chosen paths; an empty list is a cancel. A folder comes back as its one entry.
using Answerer = std::function<QStringList(const Request&)>;
void setAnswerer(Answerer answerer);

[[nodiscard]] QStringList openFiles(QWidget* parent, const QString& title, const QString& folder,
                                    const QString& filter);
[[nodiscard]] QString existingFolder(QWidget* parent, const QString& title, const QString& folder);

} // namespace FileDialogs
