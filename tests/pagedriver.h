#pragma once

#include "app/mainwindow.h"
#include "platform/filedialogs.h"

#include <QQmlContext>
#include <QQmlExpression>
#include <QQuickItem>
#include <QTest>

// Drives the real window's pages: evaluates script in the main page's scope, where every page is
// known by its id, and finds items by object name.
class PageDriver final {
public:
    PageDriver()
    {
        window.resize(800, 552);
        window.show();
    }

    QVariant eval(const QString& script)
    {
        QQmlExpression expression(qmlContext(window.rootObject()), window.rootObject(), script);
        QVariant value = expression.evaluate();
        if (expression.hasError())
            qWarning("page script failed: %s", qPrintable(expression.error().toString()));
        return value.canConvert<QJSValue>() ? value.value<QJSValue>().toVariant() : value;
    }
    int integer(const QString& script) { return eval(script).toInt(); }
    QString text(const QString& script) { return eval(script).toString(); }

    // Every item of the pages, list rows included (their QObject parent is not the list).
    QList<QQuickItem*> allItems()
    {
        QList<QQuickItem*> items{window.rootObject()};
        for (qsizetype i = 0; i < items.size(); ++i)
            items += items.at(i)->childItems();
        return items;
    }
    QQuickItem* item(const QString& objectName)
    {
        for (QQuickItem* candidate : allItems())
            if (candidate->objectName() == objectName)
                return candidate;
        return nullptr;
    }

    int count() { return integer("mediaList.mediaListModel.count"); }
    QString role(int row, const QString& name)
    {
        return text(QString("mediaList.mediaListModel.get(%1).%2").arg(row).arg(name));
    }
    void setRole(int row, const QString& name, const QString& jsValue)
    {
        eval(QString("mediaList.mediaListModel.setProperty(%1, '%2', %3)").arg(row).arg(name, jsValue));
    }

    // Appends elements as the drop would, and waits until every probe has answered.
    bool addAndProbe(const QStringList& paths)
    {
        const int before = count();
        window.addFiles(paths);
        return QTest::qWaitFor([&] {
            return count() >= before + int(paths.size())
                && integer("(function(){ var n = 0; for (var i = 0; i < mediaList.mediaListModel.count; ++i)"
                           " if (mediaList.mediaListModel.get(i).loading) ++n; return n; })()") == 0;
        }, 30000);
    }

    MainWindow window;
};

// Answers every file dialog with chosen paths and remembers what was asked.
class FileDialogRecorder final {
public:
    explicit FileDialogRecorder(QStringList answer = {})
        : answer(std::move(answer))
    {
        FileDialogs::setAnswerer([this](const FileDialogs::Request& request) {
            requests.append(request);
            return this->answer;
        });
    }
    ~FileDialogRecorder() { FileDialogs::setAnswerer([](const FileDialogs::Request&) { return QStringList(); }); }
    Q_DISABLE_COPY_MOVE(FileDialogRecorder)

    QStringList answer;
    QList<FileDialogs::Request> requests;
};
