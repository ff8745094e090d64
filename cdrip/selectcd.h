#pragma once

#include <QDialog>
#include <QStringList>

class CDRipThread;
class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QTreeWidget;

// "Rip from CD": pick a drive, tick tracks, and rip them; each finished track is handed on at
// once through addAudioCD. Lives as long as the main window, with its one rip thread.
class SelectCD final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SelectCD)
public:
    explicit SelectCD(QWidget* parent = nullptr);
    ~SelectCD() override;

    // Lists the drives, then runs the dialog modally.
    int exec() override;
    // Ends a rip under way without a word (its drive released, its dialog closed): the window is
    // going.
    void stopRip();

signals:
    void addAudioCD(QStringList filename);
    void minimize();

public slots:
    void onSelectNone();
    void onSelectAll();
    void onComboChanged(const QString& text);
    void onOK();
    void onCancel();
    void ripStarted(int count);
    void startedFile(int track);
    void updateProgress(int percentage);
    void finishedFile(const QString& filename);
    void onComplete();
    void ripError(const QString& msg);

protected:
    void showEvent(QShowEvent* event) override;
    bool event(QEvent* event) override;

private:
    void fillDrives();
    void fillTracks();
    void setTicks(Qt::CheckState state);
    // Idle: every control usable, no progress shown. Ripping: only Cancel.
    void setRipping(bool ripping);

    QPushButton* selectNoneButton = nullptr;
    QPushButton* selectAllButton = nullptr;
    QComboBox* driveCombo = nullptr;
    QTreeWidget* trackList = nullptr;
    QLabel* statusLabel = nullptr;
    QProgressBar* progressBar = nullptr;
    QPushButton* okButton = nullptr;
    QPushButton* cancelButton = nullptr;
    CDRipThread* ripThread = nullptr;
    int currentTrack = 0;
    int trackTotal = 0;
};
