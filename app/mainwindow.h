#pragma once

#include "catalogue/catalogue.h"

#include <QQuickWidget>
#include <QStringList>

class ConversionThread;
class DroppableWidget;
class FileInfoThread;

// The one top-level window: hosts the pages and is the bridge `mainwnd` through which they reach
// everything native. The order of the signals, slots and invokables below is the order the pages'
// script interface exposes; keep it when adding to it.
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

    [[nodiscard]] DroppableWidget* dropTarget() const { return droppableWidget; }

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
    void minimize();

public:
    Q_INVOKABLE QStringList getAddModel() const;
    Q_INVOKABLE QStringList getDeviceModel() const;
    Q_INVOKABLE QStringList getFormatModel() const;
    Q_INVOKABLE QStringList getOutputModel(QString formatId) const;
    Q_INVOKABLE void incrementCount(int formatId, int outputId);
    Q_INVOKABLE QStringList openInputFile(QString title, QString filter);
    Q_INVOKABLE QString openOutputFolder();
    Q_INVOKABLE void getFileInfo(QString file);
    Q_INVOKABLE void startNewConversion(QString inFile, QString ffmpegArgs, QString aspect, QString outFile,
                                        QString outExt);
    Q_INVOKABLE void stopConversion();
    Q_INVOKABLE bool removeFile(QString path);
    Q_INVOKABLE void openFolder(QString path);
    Q_INVOKABLE void warning(QString text);
    Q_INVOKABLE bool yesno(QString text);
    Q_INVOKABLE void changeCursor(int shape);
    Q_INVOKABLE void log(QString text);
    Q_INVOKABLE QString getTempFolder() const;
    Q_INVOKABLE QString getMusicFolder() const;
    Q_INVOKABLE QString getVideoFolder() const;
    Q_INVOKABLE void makeDir(QString path);
    Q_INVOKABLE void playDisc(QString name);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;

private:
    DroppableWidget* droppableWidget = nullptr;
    FileInfoThread* fileInfoThread = nullptr;
    ConversionThread* conversionThread = nullptr;
    Catalogue catalogue;
    // Root folder of the drive last chosen for burning; what "play" opens after a burn.
    QString burnDriveRoot;
};
