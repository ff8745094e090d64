#include "app/startup.h"

#include "catalogue/catalogue.h"
#include "platform/workingfiles.h"
#include "platform/fileops.h"
#include "platform/folders.h"
#include "widgets/messagebox.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QTemporaryFile>

Q_LOGGING_CATEGORY(lcStartup, "halvorn.startup")

namespace Startup {

namespace {

class Message final {
    Q_DECLARE_TR_FUNCTIONS(Startup)
};

} // namespace

QString catalogueMissingMessage()
{
    return Message::tr("data.db not found. Please try re-installing!");
}

bool installCatalogue(const QString& bundledCatalogue)
{
    const QString catalogue = Folders::cataloguePath();
    const bool installed = QFile::exists(catalogue);
    if (bundledCatalogue.isEmpty() || (installed && Catalogue::version(catalogue) >= Catalogue::version(bundledCatalogue)))
        return installed;
    // Made under a name of its own: starts at the same moment (the batch mode takes no
    // single-instance lock) must never write into each other's copy, and a half-written catalogue
    // must never pass for the real one.
    QTemporaryFile copy(catalogue + QStringLiteral(".XXXXXX"));
    QFile bundled(bundledCatalogue);
    if (!copy.open() || !bundled.open(QIODevice::ReadOnly) || copy.write(bundled.readAll()) != bundled.size()
        || !copy.flush())
        return installed;
    copy.close();
    copy.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    if (!installed)
        return FileOps::renameIfFree(copy.fileName(), catalogue) || QFile::exists(catalogue);
    // A newer release: its devices, formats and presets, with the counters of the user's choices. A
    // copy that cannot be read is left as it is, for repairCatalogue to offer the bundled one.
    if (Catalogue::carryCounters(copy.fileName(), catalogue) && !FileOps::replace(copy.fileName(), catalogue))
        qCWarning(lcStartup) << "cannot put the new catalogue in place of" << catalogue;
    return true;
}

void repairCatalogue(const QString& bundledCatalogue)
{
    const QString catalogue = Folders::cataloguePath();
    if (Catalogue::isReadable(catalogue))
        return;
    const QString damaged = Message::tr("The catalogue data.db is damaged, so Halvorn cannot offer its devices "
                                        "and formats.");
    if (bundledCatalogue.isEmpty()) {
        MessageBox::warning(nullptr, Message::tr("Warning"), Message::tr("%1 Please try re-installing!").arg(damaged));
        return;
    }
    QString kept = catalogue + QStringLiteral(".damaged");
    for (int n = 2; FileOps::entryExists(kept); ++n)
        kept = catalogue + QStringLiteral(".damaged-%1").arg(n);
    const QString question = Message::tr("%1\n\nRestore the catalogue that came with Halvorn? The damaged file is kept "
                                         "as %2.").arg(damaged, QFileInfo(kept).fileName());
    if (!MessageBox::yesNo(nullptr, Message::tr("Confirmation Required"), question))
        return;
    if (!FileOps::renameIfFree(catalogue, kept) || !installCatalogue(bundledCatalogue))
        MessageBox::warning(nullptr, Message::tr("Warning"), Message::tr("The catalogue could not be restored."));
}

bool prepareFolders()
{
    Folders::makeTempFolder();
    WorkingFiles::removeAbandoned();
    return installCatalogue(Folders::bundledCataloguePath());
}

} // namespace Startup
