#pragma once

#include "catalogue/catalogue.h"
#include "convert/timeleft.h"

#include <QElapsedTimer>
#include <QPoint>
#include <QQuickWidget>
#include <QRect>
#include <QStringList>

#include <chrono>

class BurnDisc;
class ConversionThread;
class DroppableWidget;
class FileInfoThread;
class QAction;
class QMenu;
class QNetworkAccessManager;
class QNetworkReply;
class SelectCD;
class SelectDVD;
class SelectDrive;

// The one top-level window: hosts the pages and is the bridge `mainwnd` through which they reach
// everything native. It has no system frame; it moves, resizes, maximises and closes itself. The
// order of the signals, slots and invokables below is the order the pages' script interface
// exposes; keep it when adding to it.
class MainWindow final : public QQuickWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MainWindow)
public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    [[nodiscard]] bool openDatabase(const QString& path);
    void loadModels();

    // Hands files named on the command line to the pages, as if they had been dropped.
    void addFiles(const QStringList& files);

    // No system frame and a see-through background: the page draws the frame and its corners.
    void useOwnFrame();

    // Closing when the system asks for it (SIGTERM, SIGHUP, SIGINT): as close(), but without the
    // question, since nobody may be there to answer it.
    void closeWithoutAsking();

    [[nodiscard]] DroppableWidget* dropTarget() const { return droppableWidget; }
    // How long a whole update request may take before it counts as failed.
    void setUpdateTimeout(std::chrono::milliseconds timeout) { updateTimeout = timeout; }

signals:
    void fileDropped(QStringList file);
    void fileInfoReady(QStringList fileInfo, QStringList fileVideoInfo, QStringList fileAudioInfo);
    void startConversion(QString outFileName);
    void conversionProgress(int time);
    void conversionComplete(bool quitOk, QString finalOutput, QString errorMsg);
    void conversionCancelled();
    void addAudioFile();
    void addVideoFile();
    void addAudioCD(QStringList filename);
    void addDVD(QStringList filename, QString length);
    void burnProgress(int progress);
    void burnTextStatus(QString status);
    void burnEstTime(QString time);

public slots:
    void changeDroppableSize();
    void exitAction();
    void aboutAction();
    void reportBugAction();
    void manualAction();
    void websiteAction();
    void updateAction();
    void doneHttp(QNetworkReply* reply);
    void minimize();

public:
    Q_INVOKABLE void showMaximized();
    Q_INVOKABLE void showNormal();
    Q_INVOKABLE QStringList getAddModel() const;
    Q_INVOKABLE QStringList getDeviceModel() const;
    Q_INVOKABLE QStringList getFormatModel() const;
    Q_INVOKABLE QStringList getOutputModel(QString formatId) const;
    Q_INVOKABLE void incrementCount(int formatId, int outputId);
    Q_INVOKABLE void showMenu(int menu, int x);
    Q_INVOKABLE QStringList openInputFile(QString title, QString filter);
    Q_INVOKABLE QString openOutputFolder();
    Q_INVOKABLE QString selectCd();
    Q_INVOKABLE QString selectDvd();
    Q_INVOKABLE void getFileInfo(QString file);
    Q_INVOKABLE void startNewConversion(QString inFile, QString ffmpegArgs, QString aspect, QString outFile,
                                        QString outExt);
    Q_INVOKABLE void stopConversion();
    Q_INVOKABLE bool removeFile(QString path);
    Q_INVOKABLE void openFolder(QString path);
    Q_INVOKABLE void close();
    Q_INVOKABLE void warning(QString text);
    Q_INVOKABLE bool yesno(QString text);
    Q_INVOKABLE QString getTempFolder() const;
    Q_INVOKABLE QString getMusicFolder() const;
    Q_INVOKABLE QString getVideoFolder() const;
    Q_INVOKABLE void makeDir(QString path);
    Q_INVOKABLE QString selectBurnDisc(QString discType, int duration);
    Q_INVOKABLE void startBurnDisc(QString discType, QString drive, QString desTemp, QString presetLabel);
    Q_INVOKABLE void playDisc(QString name);
    // The pages never write a separator themselves: folder, with one separator, then name.
    Q_INVOKABLE QString joinPath(QString folder, QString name) const;
    // A run ended by itself: the desktop is told what it did and where its output went, for the
    // user who has turned to other work meanwhile.
    Q_INVOKABLE void notifyRunEnded(QString summary, QString outputPlace);
    // What the run's unfinished items still need, as "About 4 min left"; "" until it has been
    // measured. unfinished: rows of source word, frame size and duration, from the cursor on.
    Q_INVOKABLE QString timeLeft(QString ffmpegArgs, QStringList unfinished) const;
    // The size in MB that arguments fit their output in, as written; "" when they fit none.
    Q_INVOKABLE QString fitSizeOf(QString ffmpegArgs) const;
    // The arguments with the size they fit in set to megabytes.
    Q_INVOKABLE QString withFitSize(QString ffmpegArgs, QString megabytes) const;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    // Every way of closing (the window manager, a shortcut) goes through close().
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    // Asks (when ask is set) while a conversion or a burn runs, stops the workers and empties the
    // temporary folder; false when the user says no.
    [[nodiscard]] bool prepareToClose(bool ask);
    void checkForUpdates();
    void openSitePage(const QString& path);

    ConversionThread* conversionThread = nullptr;
    DroppableWidget* droppableWidget = nullptr;
    QPoint dragPosition;
    bool dragging = false;
    Catalogue catalogue;
    QMenu* fileMenu = nullptr;
    QMenu* helpMenu = nullptr;
    FileInfoThread* fileInfoThread = nullptr;
    QRect normalGeometry;
    QNetworkAccessManager* networkManager = nullptr;
    bool silentUpdateCheck = true;
    std::chrono::milliseconds updateTimeout{10000};
    SelectCD* selectCdDialog = nullptr;
    SelectDVD* selectDvdDialog = nullptr;
    BurnDisc* burnThread = nullptr;
    SelectDrive* selectDriveDialog = nullptr;
    // Set once the closing has been agreed and prepared, so that it is not prepared twice.
    bool closeApproved = false;
    // How fast the conversions and burns have gone, for the time left.
    TimeLeft timeLeftEstimate;
    QElapsedTimer workClock;
};
