#include "app/mainwindow.h"

#include "app/updatecheck.h"
#include "burn/burndisc.h"
#include "burn/burntext.h"
#include "burn/disccheck.h"
#include "burn/selectdrive.h"
#include "cdrip/selectcd.h"
#include "convert/conversionthread.h"
#include "convert/ffmpegtext.h"
#include "convert/fileinfothread.h"
#include "convert/fitsize.h"
#include "convert/tempfiles.h"
#include "dvdrip/selectdvd.h"
#include "intake/droppablewidget.h"
#include "platform/desktop.h"
#include "platform/folders.h"
#include "platform/logfile.h"
#include "platform/tools.h"
#include "widgets/dialoglook.h"
#include "widgets/filedialogs.h"
#include "widgets/messagebox.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDir>
#include <QImageReader>
#include <QLoggingCategory>
#include <QMenu>
#include <QMouseEvent>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QQmlContext>
#include <QQmlError>
#include <QQuickItem>
#include <QQuickWindow>
#include <QScreen>
#include <QSizeGrip>
#include <QStandardPaths>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>

Q_LOGGING_CATEGORY(lcWindow, "halvorn.window")

namespace {

QString homeFolder()
{
    return QStandardPaths::standardLocations(QStandardPaths::HomeLocation).value(0);
}

// The pages are drawn in software unless QT_QUICK_BACKEND says otherwise. The window is small and
// mostly still, and software drawing repaints only what changed; without a graphics card, the
// emulated OpenGL redraws the whole window at every change and took a third of a core from FFmpeg
// during a run. It must be chosen before the first Qt Quick window exists.
QWidget* drawnInSoftware(QWidget* parent)
{
    // Once per process: Qt Quick refuses (with a warning) to change it after its first window.
    static const bool chosen = [] {
        if (qEnvironmentVariableIsEmpty("QT_QUICK_BACKEND"))
            QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
        return true;
    }();
    Q_UNUSED(chosen)
    return parent;
}

// The grip in the corner asks the window system to resize the window, as a system frame's corner
// does; where the platform cannot (offscreen), QSizeGrip resizes it itself.
class SystemSizeGrip final : public QSizeGrip {
public:
    using QSizeGrip::QSizeGrip;

protected:
    void mousePressEvent(QMouseEvent* event) override
    {
        QWindow* handle = window()->windowHandle();
        if (event->button() == Qt::LeftButton && handle && handle->startSystemResize(Qt::BottomEdge | Qt::RightEdge))
            return;
        QSizeGrip::mousePressEvent(event);
    }
};

} // namespace

MainWindow::MainWindow(QWidget* parent)
    : QQuickWidget(drawnInSoftware(parent))
{
    // Whatever opens over the dark window (the disc dialogs, message boxes, menus) wears its colours.
    // Set for the application: the window's style sheet reaches every dialog it owns, and its
    // style gives their controls the application's palette whatever the dialog's own.
    QApplication::setPalette(DialogLook::windowColours());

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
    selectCdDialog = new SelectCD(this);
    selectDvdDialog = new SelectDVD(this);
    burnThread = new BurnDisc(this);
    selectDriveDialog = new SelectDrive(this);

    setMinimumSize(800, 552);
    setAcceptDrops(true);
    buildMenus();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new SystemSizeGrip(this), 0, Qt::AlignRight | Qt::AlignBottom);

    if (QQuickItem* root = rootObject()) {
        connect(root, &QQuickItem::heightChanged, this, &MainWindow::changeDroppableSize);
        connect(root, &QQuickItem::widthChanged, this, &MainWindow::changeDroppableSize);
    }
    // The time left is measured on the work itself. Connected before the relays, so that a step has
    // ended here before the pages start the next.
    workClock.start();
    connect(conversionThread, &ConversionThread::conversionProgress, this,
            [this](int time) { timeLeftEstimate.progress(time, workClock.elapsed()); });
    connect(conversionThread, &ConversionThread::sourceLength, this,
            [this](qint64 milliseconds) { timeLeftEstimate.progress(double(milliseconds) / 1000, workClock.elapsed()); });
    connect(conversionThread, &ConversionThread::conversionComplete, this,
            [this] { timeLeftEstimate.end(workClock.elapsed(), true); });
    connect(conversionThread, &ConversionThread::conversionCancelled, this,
            [this] { timeLeftEstimate.end(workClock.elapsed(), false); });
    connect(burnThread, &BurnDisc::burnProgress, this,
            [this](int percent) { timeLeftEstimate.progress(percent * TimeLeft::burnLength / 100, workClock.elapsed()); });
    connect(burnThread, &BurnDisc::burnComplete, this, [this](bool ok) {
        if (ok)
            timeLeftEstimate.progress(TimeLeft::burnLength, workClock.elapsed());
        timeLeftEstimate.end(workClock.elapsed(), true);
    });
    connect(droppableWidget, &DroppableWidget::fileDropped, this, &MainWindow::fileDropped);
    connect(fileInfoThread, &FileInfoThread::fileInfoReady, this, &MainWindow::fileInfoReady);
    connect(conversionThread, &ConversionThread::startConversion, this, &MainWindow::startConversion);
    connect(conversionThread, &ConversionThread::conversionProgress, this, &MainWindow::conversionProgress);
    connect(conversionThread, &ConversionThread::conversionComplete, this, &MainWindow::conversionComplete);
    connect(conversionThread, &ConversionThread::conversionCancelled, this, &MainWindow::conversionCancelled);
    connect(selectCdDialog, &SelectCD::addAudioCD, this, &MainWindow::addAudioCD);
    connect(selectCdDialog, &SelectCD::minimize, this, &MainWindow::minimize);
    connect(selectDvdDialog, &SelectDVD::addDVD, this, &MainWindow::addDVD);
    connect(selectDvdDialog, &SelectDVD::minimize, this, &MainWindow::minimize);
    // The end of a burn reaches the pages as the end of a conversion.
    connect(burnThread, &BurnDisc::burnComplete, this, &MainWindow::conversionComplete);
    connect(burnThread, &BurnDisc::burnProgress, this, &MainWindow::burnProgress);
    connect(burnThread, &BurnDisc::textStatus, this, &MainWindow::burnTextStatus);
    connect(burnThread, &BurnDisc::burnEstTime, this, &MainWindow::burnEstTime);

    silentUpdateCheck = true;
    checkForUpdates();
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

void MainWindow::useOwnFrame()
{
    setWindowFlags(Qt::FramelessWindowHint);
    setAttribute(Qt::WA_TranslucentBackground, true);
    setStyleSheet(QStringLiteral("MainWindow { background: transparent; }"));
}

void MainWindow::addFiles(const QStringList& files)
{
    emit fileDropped(files);
}

void MainWindow::changeDroppableSize()
{
    droppableWidget->setFixedSize(width() - 410, height() - 42);
}

void MainWindow::buildMenus()
{
    fileMenu = new QMenu(this);
    connect(fileMenu->addAction(tr("Add Audio File")), &QAction::triggered, this, &MainWindow::addAudioFile);
    connect(fileMenu->addAction(tr("Add Video File")), &QAction::triggered, this, &MainWindow::addVideoFile);
    fileMenu->addSeparator();
    connect(fileMenu->addAction(tr("Exit")), &QAction::triggered, this, &MainWindow::exitAction);

    helpMenu = new QMenu(this);
    connect(helpMenu->addAction(tr("About")), &QAction::triggered, this, &MainWindow::aboutAction);
    helpMenu->addSeparator();
    // A build without a web site offers no links to one rather than links that lead nowhere.
    const bool hasSite = !UpdateCheck::siteAddress().isEmpty();
    const auto addSiteAction = [this, hasSite](const QString& text, void (MainWindow::*slot)()) {
        QAction* action = helpMenu->addAction(text);
        action->setEnabled(hasSite);
        connect(action, &QAction::triggered, this, slot);
    };
    addSiteAction(tr("Manual"), &MainWindow::manualAction);
    addSiteAction(tr("Website"), &MainWindow::websiteAction);
    helpMenu->addSeparator();
    addSiteAction(tr("Check for Updates"), &MainWindow::updateAction);
    addSiteAction(tr("Report a Bug"), &MainWindow::reportBugAction);
}

void MainWindow::exitAction()
{
    close();
}

void MainWindow::aboutAction()
{
    QImageReader icon(QStringLiteral(":/qml/images/icon.ico"));
    icon.jumpToImage(2);
    MessageBox::Prompt about;
    about.title = tr("About");
    about.text = tr("Halvorn v%1").arg(QCoreApplication::applicationVersion());
    about.informativeText = tr("This software uses libraries from the FFmpeg project under the LGPLv2.1");
    about.iconPixmap = QPixmap::fromImage(icon.read());
    MessageBox::ask(this, about);
}

void MainWindow::openSitePage(const QString& path)
{
    const QUrl page = UpdateCheck::sitePage(path);
    if (page.isValid())
        QDesktopServices::openUrl(page);
}

void MainWindow::reportBugAction()
{
    openSitePage(QStringLiteral("/support"));
}

void MainWindow::manualAction()
{
    openSitePage(QStringLiteral("/manual"));
}

void MainWindow::websiteAction()
{
    openSitePage(QStringLiteral("/"));
}

void MainWindow::updateAction()
{
    silentUpdateCheck = false;
    checkForUpdates();
}

namespace {

// Why a version request was ended before its reply was complete; the reply's own error then only
// says "Operation canceled".
constexpr auto endedBecause = "halvornEndedBecause";

} // namespace

void MainWindow::checkForUpdates()
{
    const QUrl versionRequest = UpdateCheck::sitePage(QStringLiteral("/current-version"));
    if (!versionRequest.isValid())
        return;
    // One manager serves every check; each reply is released once it has been handled.
    if (!networkManager) {
        networkManager = new QNetworkAccessManager(this);
        connect(networkManager, &QNetworkAccessManager::finished, this, &MainWindow::doneHttp);
    }
    QNetworkReply* reply = networkManager->get(QNetworkRequest(versionRequest));
    // A site that sends without end must not fill memory, nor one that trickles keep the check alive.
    reply->setReadBufferSize(UpdateCheck::replyLimit + 1);
    connect(reply, &QNetworkReply::readyRead, reply, [reply] {
        if (reply->bytesAvailable() <= UpdateCheck::replyLimit)
            return;
        reply->setProperty(endedBecause, tr("The update check failed: the site's answer is too large to be a "
                                            "version number."));
        reply->abort();
    });
    QTimer::singleShot(updateTimeout, reply, [reply, seconds = double(updateTimeout.count()) / 1000.0] {
        reply->setProperty(endedBecause, tr("The update check timed out: the site did not answer within %1 "
                                            "seconds.").arg(seconds));
        reply->abort();
    });
}

void MainWindow::doneHttp(QNetworkReply* reply)
{
    reply->deleteLater();
    QString failure = reply->property(endedBecause).toString();
    if (failure.isEmpty() && reply->error() != QNetworkReply::NoError)
        failure = tr("The update check failed: %1").arg(reply->errorString());
    const QString text = failure.isEmpty() ? UpdateCheck::replyText(reply->readAll()) : QString();
    if (failure.isEmpty() && text.isEmpty())
        failure = tr("The update check failed: the site did not answer with a version number.");
    if (!failure.isEmpty()) {
        qCWarning(lcWindow) << failure;
        if (!silentUpdateCheck)
            warning(failure);
        return;
    }
    if (UpdateCheck::isNewer(text, QCoreApplication::applicationVersion())) {
        if (MessageBox::yesNo(this, tr("New Update Available"), UpdateCheck::newVersionMessage(text)))
            openSitePage(QStringLiteral("/update?version=") + QCoreApplication::applicationVersion().trimmed());
    } else if (!silentUpdateCheck) {
        warning(tr("You have the most up to date version installed"));
    }
}

void MainWindow::minimize()
{
    showMinimized();
}

void MainWindow::showMaximized()
{
    // The frameless window never enters the platform's maximised state: it only takes the size of
    // the work area, and restoring puts back exactly the rectangle it had.
    normalGeometry = geometry();
    if (const QScreen* own = screen())
        setGeometry(own->availableGeometry());
}

void MainWindow::showNormal()
{
    setGeometry(normalGeometry);
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

void MainWindow::showMenu(int menu, int x)
{
    QMenu* const menus[] = {fileMenu, helpMenu};
    if (menu < 0 || menu >= int(std::size(menus)))
        return;
    menus[menu]->popup(mapToGlobal(QPoint(x, 30)));
}

QStringList MainWindow::openInputFile(QString title, QString filter)
{
    return FileDialogs::openFiles(this, title, homeFolder(), filter);
}

QString MainWindow::openOutputFolder()
{
    return FileDialogs::existingFolder(this, tr("Open Output Folder"), homeFolder());
}

QString MainWindow::selectCd()
{
    selectCdDialog->exec();
    return QStringLiteral("1");
}

QString MainWindow::selectDvd()
{
    selectDvdDialog->exec();
    return QStringLiteral("1");
}

void MainWindow::getFileInfo(QString file)
{
    if (Tools::find(QStringLiteral("ffmpeg")).isEmpty()) {
        // The path stays queued: once FFmpeg is there, the next probe answers it too.
        fileInfoThread->keep(file);
        MessageBox::warning(this, tr("Warning"),
                            tr("FFMpeg could not be located or is not responding.\n\nPlease try re-installing Halvorn."));
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
    timeLeftEstimate.begin(TimeLeft::conversionKind(ffmpegArgs, aspect), workClock.elapsed());
}

void MainWindow::stopConversion()
{
    // Only a run in progress is cancelled; it deletes the one file it made itself.
    if (conversionThread->isRunning())
        conversionThread->cancel();
}

bool MainWindow::removeFile(QString path)
{
    return TempFiles::removeInside(Folders::tempFolder(), path);
}

void MainWindow::openFolder(QString path)
{
    Desktop::showInFileManager(QDir::fromNativeSeparators(path));
}

bool MainWindow::prepareToClose(bool ask)
{
    if (ask && conversionThread->isRunning()
        && !yesno(tr("Conversions will be cancelled - are you sure you want to close?")))
        return false;
    if (ask && burnThread->isRunning()
        && !yesno(tr("A disc is being written - closing now will leave it unusable. Are you sure you want to close?")))
        return false;
    // The workers end their tools and are waited for, so that nothing writes into the temporary
    // folder while it is emptied. A rip is not asked about: it stops, lets go of the drive and
    // writes nothing more.
    conversionThread->cancel();
    conversionThread->wait();
    fileInfoThread->requestInterruption();
    fileInfoThread->wait();
    burnThread->stop();
    selectCdDialog->stopRip();
    selectDvdDialog->stopRip();
    const QString temp = Folders::tempFolder();
    const QStringList entries = QDir(temp).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden
                                                     | QDir::System);
    // The working folders of runs still going (a batch run's pass files) stay; the journal
    // removes them once their run has ended without doing so.
    for (const QString& entry : entries) {
        if (!entry.startsWith(QLatin1Char('.')) || !entry.contains(QLatin1String(" (converting")))
            (void)removeFile(temp + QLatin1Char('/') + entry);
    }
    closeApproved = true;
    return true;
}

void MainWindow::close()
{
    if (prepareToClose(true))
        QWidget::close();
}

void MainWindow::closeWithoutAsking()
{
    if (!closeApproved)
        (void)prepareToClose(false);
    QWidget::close();
}

void MainWindow::warning(QString text)
{
    MessageBox::warning(this, tr("Warning"), text);
}

bool MainWindow::yesno(QString text)
{
    return MessageBox::yesNo(this, tr("Confirmation Required"), text);
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

QString MainWindow::selectBurnDisc(QString discType, int duration)
{
    selectDriveDialog->setDisc(discType, duration);
    if (selectDriveDialog->exec() == QDialog::Rejected)
        return {};
    return selectDriveDialog->getDeviceId();
}

void MainWindow::startBurnDisc(QString discType, QString drive, QString desTemp, QString presetLabel)
{
    const bool dvd = discType == QLatin1String("dvd");
    burnThread->startJob(dvd ? QStringLiteral("dvd") : QStringLiteral("cd"), drive,
                         Folders::tempFolder() + QLatin1Char('/') + desTemp,
                         dvd ? BurnText::videoFormat(presetLabel) : QString());
    timeLeftEstimate.begin(TimeLeft::burnKind(discType), workClock.elapsed());
}

void MainWindow::playDisc(QString)
{
    // The drive last chosen, where the disc was written: a CD burn's element holds only the
    // burner's bus address. After an image was written, this opens the image.
    Desktop::playDisc(selectDriveDialog->getDriveRoot());
}

void MainWindow::mousePressEvent(QMouseEvent* event)
{
    QQuickWidget::mousePressEvent(event);
    dragPosition = event->position().toPoint();
    // Only the title strip moves the window. The window system moves it where it can: Wayland lets
    // no window place itself, so move() would do nothing there.
    if (event->button() == Qt::LeftButton && dragPosition.y() < 31)
        dragging = !(windowHandle() && windowHandle()->startSystemMove());
}

void MainWindow::mouseReleaseEvent(QMouseEvent* event)
{
    QQuickWidget::mouseReleaseEvent(event);
    dragging = false;
}

void MainWindow::mouseMoveEvent(QMouseEvent* event)
{
    QQuickWidget::mouseMoveEvent(event);
    if (dragging)
        move(pos() + event->position().toPoint() - dragPosition);
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (closeApproved || prepareToClose(true))
        event->accept();
    else
        event->ignore();
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

QString MainWindow::joinPath(QString folder, QString name) const
{
    QString path = QDir::toNativeSeparators(folder);
    if (!path.endsWith(QDir::separator()))
        path += QDir::separator();
    return path + name;
}

void MainWindow::notifyRunEnded(QString summary, QString outputPlace)
{
    Desktop::notify(tr("Conversion finished"), summary + QLatin1Char('\n') + outputPlace);
}

QString MainWindow::timeLeft(QString ffmpegArgs, QStringList unfinished) const
{
    return TimeLeft::text(timeLeftEstimate.secondsLeft(TimeLeft::mediaLeft(ffmpegArgs, unfinished)));
}

QString MainWindow::fitSizeOf(QString ffmpegArgs) const
{
    return FitSize::megabytesOf(ffmpegArgs);
}

QString MainWindow::withFitSize(QString ffmpegArgs, QString megabytes) const
{
    return FitSize::withSize(ffmpegArgs, megabytes);
}
