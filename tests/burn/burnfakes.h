#pragma once

#include <QDialog>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

inline QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Stand-ins for the public tools behind the burning helpers, in a folder put first on PATH. Each
// notes its arguments (one a line), runs the given lines (recorded output, files it would make) and
// exits with the code of its turn; the last code stands for every later turn.
class FakeTools final {
public:
    // PATH: the fakes, then the given folders, then the machine's own.
    void putFirstOnPath(const QStringList& folders = {}) const
    {
        static const QByteArray machine = qgetenv("PATH");
        qputenv("PATH", QFile::encodeName((QStringList{folder.path()} + folders).join(':')) + ':' + machine);
    }

    void add(const QString& name, const QList<int>& codes, const QString& lines = {}) const
    {
        QString turns;
        for (qsizetype i = 0; i + 1 < codes.size(); ++i)
            turns += QString("[ $turn = %1 ] && exit %2\n").arg(i + 1).arg(codes.at(i));
        QFile script(folder.filePath(name));
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write(QString("#!/bin/sh\nprintf '%s\\n' \"$@\" >> '%1.calls'\n"
                             "turn=$(($(cat '%1.turn' 2>/dev/null || echo 0) + 1)); echo $turn > '%1.turn'\n%2\n%3exit %4\n")
                         .arg(folder.filePath(name), lines, turns)
                         .arg(codes.value(codes.size() - 1))
                         .toUtf8());
        script.setPermissions(script.permissions() | QFile::ExeOwner);
    }

    // The arguments of every run so far, one a line.
    QStringList calls(const QString& name) const
    {
        return QString::fromUtf8(contents(folder.filePath(name + ".calls"))).split('\n', Qt::SkipEmptyParts);
    }

    QTemporaryDir folder;
};

// A drive as sysfs describes it, under a root of the test's own; its device is <root>/dev/sr0.
inline void fakeDrive(const QString& root)
{
    QVERIFY(QDir().mkpath(root + "/block/sr0/device") && QDir().mkpath(root + "/class/block/sr0"));
    for (const auto& [file, text] : {std::pair{"vendor", "HL-DT-ST"}, {"model", "DVDRAM GH24NSB0"}, {"rev", "LK00"}}) {
        QFile field(root + "/block/sr0/device/" + file);
        QVERIFY(field.open(QIODevice::WriteOnly) && field.write(text));
    }
}

// dvd+rw-mediainfo's report on a disc: its media, status and free blocks.
inline QString mediaInfo(const QString& media, const QString& status, const QString& freeBlocks)
{
    return QString("INQUIRY:                [ASUS    ][DRW-24D5MT      ][1.00]\n Mounted Media:         %1\n"
                   "READ DISC INFORMATION:\n Disc status:           %2\n Number of Sessions:    1\n"
                   "READ TRACK INFORMATION[#1]:\n Free Blocks:           %3*2KB\n Track Size:            %3*2KB\n")
        .arg(media, status, freeBlocks);
}

// Presses OK in the drive dialog once it lists its drives, and waits for the disc check's end.
inline void pressOk(QDialog& dialog)
{
    auto* ok = dialog.findChild<QPushButton*>("okButton");
    QVERIFY2(QTest::qWaitFor([&] { return ok->isEnabled(); }, 30000), "the drives were not listed");
    QTest::mouseClick(ok, Qt::LeftButton);
    QVERIFY2(QTest::qWaitFor([&] { return dialog.isHidden() || ok->isEnabled(); }, 30000), "the disc was not checked");
}
