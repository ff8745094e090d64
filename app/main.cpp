#include "app/batchconversion.h"
#include "app/commandline.h"
#include "app/mainwindow.h"
#include "app/quickaccessible.h"
#include "app/singleinstance.h"
#include "app/startup.h"
#include "intake/droppablewidget.h"
#include "platform/folders.h"
#include "platform/shutdownsignals.h"
#include "platform/translation.h"
#include "widgets/messagebox.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

[[noreturn]] void showFatalError(const QString& message)
{
    MessageBox::critical(nullptr, QCoreApplication::translate("main", "Fatal Error"), message);
    std::exit(1);
}

} // namespace

int main(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    // The command line's own texts, its help and its mistakes, are in the user's language: the
    // translation comes before they are made, with an application object that needs no display.
    auto plain = std::make_unique<QCoreApplication>(argc, argv);
    Folders::setIdentity();
    Translation::install();
    const CommandLine::Request request = CommandLine::parse(arguments);
    // Help, the preset table and batch conversion need no window, so no display either.
    if (request.mode != CommandLine::Mode::Window)
        return BatchConversion::run(request);

    // The single-instance lock comes first, before anything needs a display and before the folders
    // are prepared: a later start (a terminal's or a script's too, without a display) only hands its
    // files to the running window, and two first starts never prepare the same folders at once.
    SingleInstance instance;
    if (!instance.claim()) {
        if (instance.handOver(request.files))
            return 0;
        std::fprintf(stderr, "%s\n",
                     qUtf8Printable(QCoreApplication::translate("main", "Halvorn is already running but does not answer.")));
        return 1;
    }

    // The window's application object takes the place of the plain one.
    plain.reset();
    QApplication app(argc, argv);
    Translation::install();
    // Caught from here on: the files named on the command line start tools before the loop runs,
    // and a signal that arrives meanwhile is answered as soon as it does.
    ShutdownSignals shutdownSignals;
    if (qEnvironmentVariableIsSet("HALVORN_UNATTENDED"))
        MessageBox::answerOnStandardError();
    if (!Startup::prepareFolders())
        showFatalError(Startup::catalogueMissingMessage());
    Startup::repairCatalogue(Folders::bundledCataloguePath());

    MainWindow window;
    QuickAccessible::install();
    // Qt's own options and their values are no files: the parser has set them aside.
    if (!request.files.isEmpty())
        window.dropTarget()->addNamedFiles(request.files);
    QObject::connect(&instance, &SingleInstance::filesReceived, &window, [&window](const QStringList& handed) {
        if (!handed.isEmpty())
            window.dropTarget()->addNamedFiles(handed);
        window.raise();
        window.activateWindow();
    });
    instance.serve();
    QObject::connect(&shutdownSignals, &ShutdownSignals::received, &window, [&window] {
        window.closeWithoutAsking();
        // Also ends a message box's own loop that may be open at this moment.
        QCoreApplication::exit(0);
    });

    window.useOwnFrame();
    window.setWindowTitle(QCoreApplication::applicationName());
    window.show();
    return QApplication::exec();
}
