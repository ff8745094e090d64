#include "widgets/ripdialog.h"

#include "widgets/filedialogs.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <QVBoxLayout>

RipDialog::RipDialog(const QString& windowTitle, const QString& listTitle, const QString& itemHeader,
                     RipThread* rip, QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                          | Qt::WindowMinimizeButtonHint)
    , selectNoneButton(new QPushButton(tr("Select None")))
    , selectAllButton(new QPushButton(tr("Select All")))
    , driveCombo(new QComboBox)
    , itemList(new QTreeWidget)
    , statusLabel(new QLabel)
    , progressBar(new QProgressBar)
    , okButton(new QPushButton(tr("OK")))
    , cancelButton(new QPushButton(tr("Cancel")))
    , reading(new BackgroundWork(this))
    , rip(rip)
{
    rip->setParent(this);
    setWindowTitle(windowTitle);

    auto* driveBox = new QGroupBox(tr("Select Drive"));
    (new QVBoxLayout(driveBox))->addWidget(driveCombo);

    auto* listBox = new QGroupBox(listTitle);
    auto* selectRow = new QHBoxLayout;
    selectRow->addStretch();
    selectRow->addWidget(selectNoneButton);
    selectRow->addWidget(selectAllButton);
    itemList->setHeaderLabels({QString(), itemHeader, tr("Length")});
    itemList->setColumnWidth(0, 20);
    itemList->setRootIsDecorated(false);
    itemList->setSelectionMode(QAbstractItemView::NoSelection);
    auto* listLayout = new QVBoxLayout(listBox);
    listLayout->addLayout(selectRow);
    listLayout->addWidget(itemList);

    auto* progressBox = new QGroupBox(tr("Rip Progress"));
    // Tool and drive messages appear here: never read them as markup.
    statusLabel->setTextFormat(Qt::PlainText);
    statusLabel->setWordWrap(true);
    progressBar->setRange(0, 100);
    progressBar->setValue(0);
    progressBar->setTextVisible(false);
    auto* progressLayout = new QVBoxLayout(progressBox);
    progressLayout->addWidget(statusLabel);
    progressLayout->addWidget(progressBar);

    auto* buttonRow = new QHBoxLayout;
    buttonRow->addStretch();
    buttonRow->addWidget(okButton);
    buttonRow->addWidget(cancelButton);

    auto* grid = new QGridLayout(this);
    grid->addWidget(driveBox, 0, 0);
    grid->addWidget(listBox, 1, 0);
    grid->addWidget(progressBox, 2, 0);
    grid->addLayout(buttonRow, 3, 0);
    FileDialogs::enterPressesFocusedButton(*this, cancelButton);

    connect(selectNoneButton, &QPushButton::clicked, this, &RipDialog::onSelectNone);
    connect(selectAllButton, &QPushButton::clicked, this, &RipDialog::onSelectAll);
    connect(cancelButton, &QPushButton::clicked, this, &RipDialog::onCancel);
    connect(driveCombo, &QComboBox::currentTextChanged, this, [this](const QString& text) {
        itemList->clear();
        if (!text.isEmpty())
            showDisc(driveCombo->currentData().toString());
    });
    connect(rip, &QThread::finished, this, [this] { setRipping(false); });
    connect(reading, &BackgroundWork::busyChanged, this, [this](bool busy) {
        for (QWidget* control : std::initializer_list<QWidget*>{itemList, selectNoneButton, selectAllButton, okButton})
            control->setEnabled(!busy);
        statusLabel->clear();
    });
}

void RipDialog::stopRip()
{
    reading->cancel();
    rip->cancel();
    rip->wait();
    // What the thread still had to say (its cancellation above all) is not for a closing window.
    QCoreApplication::removePostedEvents(this, QEvent::MetaCall);
    setRipping(false);
    QDialog::reject();
}

void RipDialog::onCancel()
{
    reading->cancel();
    rip->cancel();
    if (rip->isRunning()) {
        statusLabel->clear();
        progressBar->setValue(0);
    } else {
        // Nothing is ending that would give the controls back (OK with nothing ticked).
        setRipping(false);
    }
    QDialog::reject();
}

void RipDialog::reject()
{
    onCancel();
}

void RipDialog::say(const QString& text)
{
    statusLabel->setText(text);
}

void RipDialog::offerDrives(const QString& doing, const QString& none,
                            std::function<QList<Drives::OpticalDrive>()> find)
{
    drives.clear();
    {
        const QSignalBlocker quiet(driveCombo);
        driveCombo->clear();
    }
    itemList->clear();
    read<QList<Drives::OpticalDrive>>(doing, std::move(find), [this, none](const QList<Drives::OpticalDrive>& found) {
        drives = found;
        {
            // The disc is read once, for the entry shown first, not for every entry on the way.
            const QSignalBlocker quiet(driveCombo);
            for (const Drives::OpticalDrive& drive : found)
                driveCombo->addItem(Drives::entryText(drive), drive.device);
        }
        if (drives.isEmpty())
            say(none);
        else
            showDisc(driveCombo->currentData().toString());
    });
}

void RipDialog::onSelectNone()
{
    setAllTicked(false);
}

void RipDialog::onSelectAll()
{
    setAllTicked(true);
}

void RipDialog::setAllTicked(bool ticked)
{
    for (int i = 0; i < itemList->topLevelItemCount(); ++i) {
        QTreeWidgetItem* row = itemList->topLevelItem(i);
        if (row->flags().testFlag(Qt::ItemIsEnabled))
            row->setCheckState(0, ticked ? Qt::Checked : Qt::Unchecked);
    }
}

QList<int> RipDialog::tickedRows() const
{
    QList<int> rows;
    for (int i = 0; i < itemList->topLevelItemCount(); ++i)
        if (itemList->topLevelItem(i)->checkState(0) == Qt::Checked)
            rows.append(i);
    return rows;
}

void RipDialog::setRipping(bool ripping)
{
    for (QWidget* control : std::initializer_list<QWidget*>{driveCombo, itemList, selectNoneButton, selectAllButton,
                                                            okButton})
        control->setEnabled(!ripping);
    if (!ripping) {
        statusLabel->clear();
        progressBar->setValue(0);
    }
}

void RipDialog::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::WindowStateChange && isMinimized())
        emit minimize();
    QDialog::changeEvent(event);
}
