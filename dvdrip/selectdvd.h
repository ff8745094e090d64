#pragma once

#include "widgets/ripdialog.h"

#include <QStringList>

class DVDRipThread;

// The title dialog: lists the DVD drives and images holding a disc, the titles of the chosen one
// with their lengths (the longest ticked), and rips the ticked titles, showing the progress.
// Every ripped title is announced at once through addDVD.
class SelectDVD final : public RipDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SelectDVD)
public:
    explicit SelectDVD(QWidget* parent = nullptr);

    // Fills the drive list, which lists the titles of its first drive, off the GUI thread; exec()
    // starts this first.
    void listDrives();

signals:
    void addDVD(QStringList filename, QString length);

public slots:
    void onOK();
    void ripStarted(int count);
    void ripTitleStarted(int number);
    void updateProgress(int value);
    void ripTitleFinished(const QString& file, const QString& length);
    void onComplete();
    void ripError(const QString& message);
    int exec() override;

private:
    SelectDVD(DVDRipThread* rip, QWidget* parent);
    void showDisc(const QString& device) override;

    DVDRipThread* const ripThread;
    int titleCount = 0;
};
