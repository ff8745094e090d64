#pragma once

#include <QMessageBox>
#include <QPixmap>
#include <QString>

#include <functional>

class QWidget;

// Every message box of the program goes through here, so that tests (and unattended runs) can
// answer it instead of a person, without a blocking modal loop. Texts are always plain text:
// they carry file names and tool output, which must never be read as markup. A box opens centred
// on its parent's window: the parent is the window or dialog that asks.
namespace MessageBox {

struct Prompt {
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString title;
    QString text;
    QMessageBox::StandardButtons buttons = QMessageBox::Ok;
    QString informativeText;
    QPixmap iconPixmap; // shown instead of the icon's standard picture when set
};

using Answerer = std::function<QMessageBox::StandardButton(const Prompt&)>;

// Replaces the person at the screen; an empty answerer gives the screen back.
void setAnswerer(Answerer answerer);
// Answers every box with its safest button (OK, or No where there is a No), cancels every file
// dialog and every dialog of the program's own, and writes what was asked to standard error.
// Used when HALVORN_UNATTENDED is set.
void answerOnStandardError();

QMessageBox::StandardButton ask(QWidget* parent, const Prompt& prompt);

void warning(QWidget* parent, const QString& title, const QString& text);
void critical(QWidget* parent, const QString& title, const QString& text);
[[nodiscard]] bool yesNo(QWidget* parent, const QString& title, const QString& text);

} // namespace MessageBox
