#include "app/mainwindow.h"

#include "app/folders.h"
#include "app/logfile.h"
#include "app/messagebox.h"
#include "app/tools.h"
#include "convert/conversionthread.h"
#include "convert/ffmpegtext.h"
#include "convert/fileinfothread.h"
#include "convert/tempfiles.h"
#include "intake/droppablewidget.h"
#include "platform/desktop.h"

#include <QDir>
#include <QFileDialog>
#include <QLoggingCategory>
#include <QQmlContext>
#include <QQmlError>
#include <QQuickItem>
#include <QStandardPaths>

Q_LOGGING_CATEGORY(lcWindow, "halvorn.window")

namespace {

QString homeFolder()
{
    return QStandardPaths::standardLocations(QStandardPaths::HomeLocation).value(0);
}

} // namespace

MainWindow::MainWindow(QWidget* parent)
    : QQuickWidget(parent)
{
    // The page reads the catalogue lists while it loads, so they must be there first.
    if (openDatabase(Folders::cataloguePath()))
        loadModels();

    rootContext()->setContextProperty(QStringLiteral("mainwnd"), this);
    setResizeMode(QQuickWidget::SizeRootObjectToView);
    setClearColor(Qt::transparent);
    setSource(QUrl(QStringLiteral("qrc:/qml/main.qml")));
    for (const QQmlError& error : errors())
        qCCritical(lcWindow) << "page failed to load:" << error.toString();

    droppableWidget = new DroppableWidget(this);
    // Both workers are the window's children: its end stops them and ends their FFmpeg.
    fileInfoThread = new FileInfoThread(this);
    conversionThread = new ConversionThread(this);

    setMinimumSize(800, 552);
    setAcceptDrops(true);

    if (QQuickItem* root = rootObject()) {
        connect(root, &QQuickItem::heightChanged, this, &MainWindow::changeDroppableSize);
        connect(root, &QQuickItem::widthChanged, this, &MainWindow::changeDroppableSize);
    }
    connect(droppableWidget, &DroppableWidget::fileDropped, this, &MainWindow::fileDropped);
    connect(fileInfoThread, &FileInfoThread::fileInfoReady, this, &MainWindow::fileInfoReady);
    connect(conversionThread, &ConversionThread::startConversion, this, &MainWindow::startConversion);
    connect(conversionThread, &ConversionThread::conversionProgress, this, &MainWindow::conversionProgress);
    connect(conversionThread, &ConversionThread::conversionComplete, this, &MainWindow::conversionComplete);
    connect(conversionThread, &ConversionThread::conversionCancelled, this, &MainWindow::conversionCancelled);
}

MainWindow::~MainWindow() = default;

bool MainWindow::openDatabase(const QString& path)
{
    return catalogue.open(path);
}

void MainWindow::loadModels()
{
    catalogue.load();
}

void MainWindow::addFiles(const QStringList& files)
{
    emit fileDropped(files);
}

void MainWindow::changeDroppableSize()
{
    droppableWidget->setFixedSize(width() - 410, height() - 42);
}

void MainWindow::minimize()
{
    showMinimized();
}

QStringList MainWindow::getAddModel() const
{
    return catalogue.addList();
}

QStringList MainWindow::getDeviceModel() const
{
    return catalogue.deviceList();
}

QStringList MainWindow::getFormatModel() const
{
    return catalogue.formatList();
}

QStringList MainWindow::getOutputModel(QString formatId) const
{
    return catalogue.outputList(formatId);
}

void MainWindow::incrementCount(int formatId, int outputId)
{
    catalogue.incrementCount(formatId, outputId);
}

QStringList MainWindow::openInputFile(QString title, QString filter)
{
    return QFileDialog::getOpenFileNames(this, title, homeFolder(), filter);
}

QString MainWindow::openOutputFolder()
{
    return QFileDialog::getExistingDirectory(this, tr("Open Output Folder"), homeFolder(),
                                             QFileDialog::ShowDirsOnly);
}

void MainWindow::getFileInfo(QString file)
{
    if (Tools::find(QStringLiteral("ffmpeg")).isEmpty()) {
        // The path stays queued: once FFmpeg is there, the next probe answers it too.
        fileInfoThread->keep(file);
        MessageBox::warning(nullptr, QStringLiteral("Warning"),
                            QStringLiteral("FFMpeg could not be located or is not responding.\n\n"
                                           "Please try re-installing Halvorn."));
        return;
    }
    fileInfoThread->enqueue(file);
}

void MainWindow::startNewConversion(QString inFile, QString ffmpegArgs, QString aspect, QString outFile,
                                    QString outExt)
{
    const QStringList parts = FfmpegText::assembleArguments(ffmpegArgs, aspect);
    // The pages ask for the next conversion only after the previous one has reported its end; the
    // thread may still be returning from it.
    if (!conversionThread->wait(3000))
        return;
    conversionThread->setJob(inFile, parts, outFile, outExt);
    conversionThread->start(QThread::InheritPriority);
}

void MainWindow::stopConversion()
{
    conversionThread->cancel();
    (void)removeFile(conversionThread->outputPath());
}

bool MainWindow::removeFile(QString path)
{
    return TempFiles::removeInside(Folders::tempFolder(), path);
}

void MainWindow::openFolder(QString path)
{
    Desktop::showInFileManager(QDir::fromNativeSeparators(path));
}

void MainWindow::warning(QString text)
{
    MessageBox::warning(nullptr, QStringLiteral("Warning"), text);
}

bool MainWindow::yesno(QString text)
{
    return MessageBox::yesNo(nullptr, QStringLiteral("Confirmation Required"), text);
}

void MainWindow::changeCursor(int shape)
{
    if (shape < 0 || shape > Qt::LastCursor)
        return;
    setCursor(QCursor(Qt::CursorShape(shape)));
}

void MainWindow::log(QString text)
{
    LogFile::appendLine(Folders::windowLogPath(), text);
}

QString MainWindow::getTempFolder() const
{
    return Folders::tempFolderWithSeparator();
}

QString MainWindow::getMusicFolder() const
{
    return Folders::musicFolderWithSeparator();
}

QString MainWindow::getVideoFolder() const
{
    return Folders::videoFolderWithSeparator();
}

void MainWindow::makeDir(QString path)
{
    QDir().mkpath(path);
}

void MainWindow::playDisc(QString)
{
    if (!burnDriveRoot.isEmpty())
        Desktop::playDisc(burnDriveRoot);
}

void MainWindow::dragEnterEvent(QDragEnterEvent*)
{
    // Lets the drag reach the drop target over the media list; the window itself takes no drop.
    droppableWidget->setAttribute(Qt::WA_TransparentForMouseEvents, false);
}

void MainWindow::dragLeaveEvent(QDragLeaveEvent*)
{
    droppableWidget->setAttribute(Qt::WA_TransparentForMouseEvents);
}
