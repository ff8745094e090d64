#pragma once

#include <QDialog>
#include <QList>

class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QTreeWidget;

// The frame the CD and DVD rip dialogs share: a drive list, a list of what the disc holds with a
// tick box each under "Select None" and "Select All", a progress box, and OK and Cancel, where
// Enter means Cancel. A title bar with a minimise button and no close button: a rip ends through
// Cancel. Minimising it asks the main window to go down with it.
class RipDialog : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(RipDialog)
public:
    // listTitle heads the list box ("Select Tracks"); itemHeader heads the list's name column.
    RipDialog(const QString& windowTitle, const QString& listTitle, const QString& itemHeader, QWidget* parent);

signals:
    void minimize();

public slots:
    void onSelectNone();
    void onSelectAll();

protected:
    // Idle: every control usable, no progress shown. Ripping: only Cancel.
    void setRipping(bool ripping);
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

private:
    // A row the user cannot tick (a data track) keeps its state.
    void setAllTicked(bool ticked);
};
