#pragma once

#include "platform/workingfiles.h"

#include <QCoreApplication>
#include <QFile>
#include <QString>

#include <optional>

// A disc image file being written: under a hidden working name beside its final one
// (".album (writing).bin"), given the final name only when complete and only when that is still
// free, as conversions do. A working file that was not given its name is removed when the object
// goes; one that a killed Halvorn left behind is removed at the next start through the journal
// of working files.
class ImageFile final {
    Q_DECLARE_TR_FUNCTIONS(ImageFile)
public:
    explicit ImageFile(QString finalPath);
    ~ImageFile();
    Q_DISABLE_COPY_MOVE(ImageFile)

    // Creates the working file and lists it in the journal; false, with the reason, when it cannot.
    [[nodiscard]] bool create();
    // The working file, open for writing once created; closed for a tool that writes it itself.
    [[nodiscard]] QFile& file() { return working; }
    [[nodiscard]] QString workingPath() const { return working.fileName(); }
    // Gives the complete file its final name; false, with the reason, when that name is taken.
    [[nodiscard]] bool complete();
    // Why create() or complete() failed, for the user.
    [[nodiscard]] QString reason() const { return problem; }

private:
    const QString finalPath;
    QFile working;
    bool completed = false;
    QString problem;
    std::optional<WorkingFiles::Registration> registration;
};
