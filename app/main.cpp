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
    const CommandLine::Request request = CommandLine::parse(arguments);
    // Help, the preset table and batch conversion need no window, so no display either.
    if (request.mode != CommandLine::Mode::Window)
        return BatchConversion::run(argc, argv, request);

    // The single-instance lock comes first, before anything needs a display and before the folders
    // are prepared: a later start (a terminal's or a script's too, without a display) only hands its
    // files to the running window, and two first starts never prepare the same folders at once.
    Folders::setIdentity();
    SingleInstance instance;
    if (!instance.claim()) {
        const QCoreApplication handingOver(argc, argv);
        if (instance.handOver(request.files))
            return 0;
        Translation::install();
        std::fprintf(stderr, "%s\n",
                     qUtf8Printable(QCoreApplication::translate("main", "Halvorn is already running but does not answer.")));
        return 1;
    }

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
