#pragma once

#include "platform/folders.h"
#include "widgets/messagebox.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

// Points every folder Halvorn uses at a fresh temporary home, for as long as it lives.
class IsolatedHome final {
public:
    IsolatedHome()
    {
        QVERIFY2(home.isValid(), "cannot make a temporary home");
        const QByteArray root = QFile::encodeName(home.path());
        qputenv("HOME", root);
        qputenv("XDG_DATA_HOME", root + "/.local/share");
        qputenv("XDG_CONFIG_HOME", root + "/.config");
    }
    [[nodiscard]] QString path() const { return home.path(); }

    // Puts the catalogue that the build made where the program expects the user's copy.
    void installCatalogue() const
    {
        QDir().mkpath(Folders::dataFolder());
        QFile::remove(Folders::cataloguePath());
        QVERIFY(QFile::copy(QStringLiteral(HALVORN_TEST_CATALOGUE), Folders::cataloguePath()));
        QFile(Folders::cataloguePath()).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    }

private:
    QTemporaryDir home;
};

// The state of a first start: identity set, a fresh home with the catalogue and the temporary folder.
inline std::unique_ptr<IsolatedHome> startedHome()
{
    Folders::setIdentity();
    // A box nobody answers would block the test for ever.
    MessageBox::answerOnStandardError();
    auto home = std::make_unique<IsolatedHome>();
    home->installCatalogue();
    Folders::makeTempFolder();
    return home;
}

// Any warning from the pages (a missing property, a failed binding) fails the running test.
inline void failOnPageWarnings()
{
    QTest::failOnWarning(QRegularExpression("qrc:/qml/"));
}

// Answers every message box with a chosen button and remembers what was asked.
class MessageRecorder final {
public:
    explicit MessageRecorder(QMessageBox::StandardButton answer = QMessageBox::Ok)
        : answer(answer)
    {
        MessageBox::setAnswerer([this](const MessageBox::Prompt& prompt) {
            prompts.append(prompt);
            return this->answer;
        });
    }
    ~MessageRecorder() { MessageBox::answerOnStandardError(); }
    Q_DISABLE_COPY_MOVE(MessageRecorder)

    QMessageBox::StandardButton answer;
    QList<MessageBox::Prompt> prompts;
};
