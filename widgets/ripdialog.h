#pragma once

#include "platform/drives.h"
#include "widgets/backgroundwork.h"

#include <QDialog>
#include <QList>
#include <QString>
#include <QThread>

#include <functional>

class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QTreeWidget;

// What a rip dialog needs of its worker beyond a thread's life: a way to ask it to stop.
class RipThread : public QThread {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(RipThread)
public:
    using QThread::QThread;
    // Asks the rip under way to end soon; the thread then says it was cancelled.
    virtual void cancel() = 0;
};

// The frame the CD and DVD rip dialogs share: a drive list, a list of what the disc holds with a
// tick box each under "Select None" and "Select All", a progress box, and OK and Cancel, where
// Enter presses the focused button, or Cancel. A title bar with a minimise button and no close
// button: a rip ends through Cancel, and Escape goes the same way, so that no rip runs on unseen. The controls come back
// only when the rip's thread has really ended, so that OK never hands a new rip to a thread still
// running one. Reading the drives and the disc happens off the GUI thread: meanwhile the dialog
// says so and OK waits, and Cancel ends the reading too. Minimising it asks the main window to go
// down with it.
class RipDialog : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(RipDialog)
public:
    // listTitle heads the list box ("Select Tracks"); itemHeader heads the list's name column.
    // The dialog takes the rip thread as its child.
    RipDialog(const QString& windowTitle, const QString& listTitle, const QString& itemHeader, RipThread* rip,
              QWidget* parent);

    // The window is going: ends a rip or a reading under way, waits for the rip, and closes the
    // dialog without a word about the cancelled rip.
    void stopRip();

signals:
    void minimize();

public slots:
    void onSelectNone();
    void onSelectAll();
    // Asks the rip to end and closes the dialog.
    void onCancel();
    void reject() override;

protected:
    // Idle: every control usable, no progress shown. Ripping: only Cancel.
    void setRipping(bool ripping);
    // Runs work off the GUI thread, saying what it does, and hands its result to done; the list
    // and OK wait for it. A new reading replaces the one under way.
    template <typename Result>
    void read(const QString& doing, std::function<Result()> work, std::function<void(const Result&)> done)
    {
        reading->run<Result>(std::move(work), std::move(done));
        say(doing);
    }
    // Shows a line in the progress box: what the dialog is doing, or why it cannot.
    void say(const QString& text);
    // Fills the drive list, off the GUI thread, with the drives that find returns (each entry's data
    // is its device), saying doing meanwhile; then shows the disc of the entry first in the list, or
    // says none when there is no drive to offer. Another entry chosen shows its disc.
    void offerDrives(const QString& doing, const QString& none, std::function<QList<Drives::OpticalDrive>()> find);
    // Reads what the disc in device holds, off the GUI thread, and lists it.
    virtual void showDisc(const QString& device) = 0;
    // The ticked rows, 0-based, in row order.
    [[nodiscard]] QList<int> tickedRows() const;
    void changeEvent(QEvent* event) override;

    QPushButton* const selectNoneButton;
    QPushButton* const selectAllButton;
    QComboBox* const driveCombo;
    QTreeWidget* const itemList;
    QLabel* const statusLabel;
    QProgressBar* const progressBar;
    QPushButton* const okButton;
    QPushButton* const cancelButton;
    BackgroundWork* const reading;
    QList<Drives::OpticalDrive> drives; // the records behind driveCombo's entries, in its order

private:
    RipThread* const rip;

    // A row the user cannot tick (a data track) keeps its state.
    void setAllTicked(bool ticked);
};
