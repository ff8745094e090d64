#include "app/batchconversion.h"
#include "app/commandline.h"
#include "app/mainwindow.h"
#include "app/myapplication.h"
#include "app/startup.h"
#include "intake/inputtypes.h"
#include "platform/messagebox.h"

#include <cstdlib>

namespace {

[[noreturn]] void showFatalError(const QString& message)
{
    MessageBox::critical(nullptr, QStringLiteral("Fatal Error"), message);
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

    MyApplication app(argc, argv);
    Startup::setIdentity();
    if (qEnvironmentVariableIsSet("HALVORN_UNATTENDED"))
        MessageBox::answerOnStandardError();

    if (!Startup::prepareFolders())
        showFatalError(QString::fromLatin1(Startup::catalogueMissingMessage));

    MainWindow window;

    if (arguments.size() > 1)
        window.addFiles(InputTypes::filterCommandLine(arguments));

    window.useOwnFrame();
    window.setWindowTitle(QCoreApplication::applicationName());
    window.show();
    return QApplication::exec();
}
