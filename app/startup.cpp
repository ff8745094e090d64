#include "app/startup.h"

#include "catalogue/catalogue.h"
#include "platform/fileops.h"
#include "platform/folders.h"
#include "widgets/messagebox.h"

#include <QFile>
#include <QFileInfo>

namespace Startup {

bool installCatalogue(const QString& bundledCatalogue)
{
    const QString catalogue = Folders::cataloguePath();
    if (QFile::exists(catalogue))
        return true;
    if (bundledCatalogue.isEmpty())
        return false;
    // Copy under a temporary name first: a half-written catalogue must never pass for the real one.
    const QString partial = catalogue + QStringLiteral(".part");
    QFile::remove(partial);
    if (!QFile::copy(bundledCatalogue, partial))
        return false;
    QFile(partial).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup
                                  | QFile::ReadOther);
    return QFile::rename(partial, catalogue);
}

void repairCatalogue(const QString& bundledCatalogue)
{
    const QString catalogue = Folders::cataloguePath();
    if (Catalogue::isReadable(catalogue))
        return;
    const QString damaged = QStringLiteral("The catalogue data.db is damaged, so Halvorn cannot offer its devices "
                                           "and formats.");
    if (bundledCatalogue.isEmpty()) {
        MessageBox::warning(nullptr, QStringLiteral("Warning"), damaged + QStringLiteral(" Please try re-installing!"));
        return;
    }
    QString kept = catalogue + QStringLiteral(".damaged");
    for (int n = 2; FileOps::entryExists(kept); ++n)
        kept = catalogue + QStringLiteral(".damaged-%1").arg(n);
    const QString question = damaged + QStringLiteral("\n\nRestore the catalogue that came with Halvorn? The damaged "
                                                      "file is kept as %1.").arg(QFileInfo(kept).fileName());
    if (!MessageBox::yesNo(nullptr, QStringLiteral("Confirmation Required"), question))
        return;
    if (!FileOps::renameIfFree(catalogue, kept) || !installCatalogue(bundledCatalogue))
        MessageBox::warning(nullptr, QStringLiteral("Warning"), QStringLiteral("The catalogue could not be restored."));
}

bool prepareFolders()
{
    Folders::makeTempFolder();
    return installCatalogue(Folders::bundledCataloguePath());
}

} // namespace Startup
