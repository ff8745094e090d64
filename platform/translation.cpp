#include "platform/translation.h"

#include "platform/folders.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace Translation {

void install()
{
    QCoreApplication* const application = QCoreApplication::instance();
    auto* own = new QTranslator(application);
    if (!own->load(QLocale(), QStringLiteral("halvorn"), QStringLiteral("_"), Folders::bundledTranslationsFolder())) {
        delete own;
        return;
    }
    QCoreApplication::installTranslator(own);
    // Only for a language the program speaks itself: Qt's buttons in a third language among
    // English texts would read worse than all in English.
    auto* toolkit = new QTranslator(application);
    if (toolkit->load(QLocale(own->language()), QStringLiteral("qtbase"), QStringLiteral("_"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(toolkit);
    else
        delete toolkit;
}

} // namespace Translation
