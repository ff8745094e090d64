#pragma once

#include <QDialog>
#include <QString>

class BackgroundWork;
class QComboBox;
class QLabel;
class QPushButton;

// The burning-drive dialog: the drives that can burn the chosen kind of disc, in the form its
// burning tool expects, and last an image file for those without a burner. OK checks the disc in
// the drive (blank, large enough for the queue) and closes only when it will do. The drives are
// listed and the disc is checked off the GUI thread, and Cancel ends either at once.
class SelectDrive final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SelectDrive)
public:
    explicit SelectDrive(QWidget* parent = nullptr);

    // "dvd" or "cd", and the queue's play time in seconds, for the next exec().
    void setDisc(const QString& discType, int totalSeconds);
    // Runs the modal loop; meanwhile the drive list is filled.
    int exec() override;

    // The drive as the burning tool expects it, or the image file to write. Kept after closing.
    [[nodiscard]] QString getDeviceId() const { return deviceId; }
    // The drive's device, or the image file: what the CD check looks at and what plays the disc.
    [[nodiscard]] QString getDriveRoot() const { return driveRoot; }

    // Where the machine's drives are described (sysfs) and where their devices are.
    void setSystemRoots(const QString& sysRoot, const QString& devRoot);

public slots:
    void onOK();
    void onCancel();
    void onComboChange(int index);

private:
    void scanDrives();
    // Asks where to write the image; false when no name was given or the name is taken.
    [[nodiscard]] bool chooseImageFile();

    QString driveRoot;
    QComboBox* driveCombo = nullptr;
    QPushButton* okButton = nullptr;
    QPushButton* cancelButton = nullptr;
    QLabel* const statusLabel;
    BackgroundWork* const work;
    QString deviceId;
    int totalSeconds = 0;
    QString discType;
    QString sysRoot = QStringLiteral("/sys");
    QString devRoot = QStringLiteral("/dev");
};
