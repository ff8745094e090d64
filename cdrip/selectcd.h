#pragma once

#include "widgets/ripdialog.h"

#include <QStringList>

class CDRipThread;

// "Rip from CD": pick a drive, tick tracks, and rip them; each finished track is handed on at
// once through addAudioCD. Lives as long as the main window, with its one rip thread.
class SelectCD final : public RipDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SelectCD)
public:
    explicit SelectCD(QWidget* parent = nullptr);

    // Runs the dialog modally; meanwhile the drives are listed and the first one's disc is read.
    int exec() override;

signals:
    void addAudioCD(QStringList filename);

public slots:
    void onOK();
    void ripStarted(int count);
    void startedFile(int track);
    void updateProgress(int percentage);
    void finishedFile(const QString& filename);
    void onComplete();
    void ripError(const QString& msg);

private:
    SelectCD(CDRipThread* rip, QWidget* parent);
    void fillDrives();
    void showDisc(const QString& device) override;

    CDRipThread* const ripThread;
    int currentTrack = 0;
    int trackTotal = 0;
};
