#include "widgets/messagebox.h"

#include "widgets/dialoglook.h"
#include "widgets/filedialogs.h"

#include <QDialog>

#include <cstdio>

namespace MessageBox {

namespace {

Answerer& currentAnswerer()
{
    static Answerer answerer;
    return answerer;
}

// A message box takes its final size only as it is shown: it is placed then, before it appears.
class PlacedBox final : public QMessageBox {
public:
    using QMessageBox::QMessageBox;

protected:
    void showEvent(QShowEvent* event) override
    {
        QMessageBox::showEvent(event);
        DialogLook::centreOnWindow(*this);
    }
};

} // namespace

void setAnswerer(Answerer answerer)
{
    currentAnswerer() = std::move(answerer);
}

void answerOnStandardError()
{
    setAnswerer([](const Prompt& prompt) {
        std::fprintf(stderr, "%s: %s\n", qUtf8Printable(prompt.title), qUtf8Printable(prompt.text));
        std::fflush(stderr);
        return prompt.buttons.testFlag(QMessageBox::No) ? QMessageBox::No : QMessageBox::Ok;
    });
    FileDialogs::setAnswerer([](const FileDialogs::Request& request) {
        std::fprintf(stderr, "%s: cancelled\n", qUtf8Printable(request.title));
        return QStringList();
    });
    FileDialogs::setDialogAnswerer([](QDialog& dialog) {
        std::fprintf(stderr, "%s: cancelled\n", qUtf8Printable(dialog.windowTitle()));
    });
}

QMessageBox::StandardButton ask(QWidget* parent, const Prompt& prompt)
{
    if (const Answerer& answerer = currentAnswerer())
        return answerer(prompt);
    PlacedBox box(prompt.icon, prompt.title, prompt.text, prompt.buttons, parent);
    box.setTextFormat(Qt::PlainText);
    box.setInformativeText(prompt.informativeText);
    if (!prompt.iconPixmap.isNull())
        box.setIconPixmap(prompt.iconPixmap);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

void warning(QWidget* parent, const QString& title, const QString& text)
{
    ask(parent, {QMessageBox::Warning, title, text, QMessageBox::Ok, {}, {}});
}

void critical(QWidget* parent, const QString& title, const QString& text)
{
    ask(parent, {QMessageBox::Critical, title, text, QMessageBox::Ok, {}, {}});
}

bool yesNo(QWidget* parent, const QString& title, const QString& text)
{
    return ask(parent, {QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No, {}, {}})
        == QMessageBox::Yes;
}

} // namespace MessageBox
