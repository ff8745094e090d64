#pragma once

#include "widgets/filedialogs.h"

#include <QDialog>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include <algorithm>
#include <functional>

// The CD and DVD rip dialogs, worked alike: buttons known by their text, rows ticked by their boxes.

inline QPushButton* button(const QWidget& dialog, const QString& text)
{
    const QList<QPushButton*> buttons = dialog.findChildren<QPushButton*>();
    return *std::find_if(buttons.begin(), buttons.end(), [&](const QPushButton* b) { return b->text() == text; });
}

inline void click(const QWidget& dialog, const QString& text) { QTest::mouseClick(button(dialog, text), Qt::LeftButton); }

inline void tick(const QWidget& dialog, int row)
{
    auto* tree = dialog.findChild<QTreeWidget*>();
    const QRect box = tree->visualItemRect(tree->topLevelItem(row));
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, QPoint(box.left() + 10, box.center().y()));
}

// The rows as "name length", with "+" for a ticked one.
inline QStringList rows(const QWidget& dialog)
{
    QStringList texts;
    for (const QTreeWidgetItem* row : dialog.findChild<QTreeWidget*>()->findItems("", Qt::MatchContains, 1))
        texts.append(row->text(1) + " " + row->text(2) + (row->checkState(0) == Qt::Checked ? "+" : ""));
    return texts;
}

// Whether the dialog has read its drive and disc: OK waits for that.
inline bool hasRead(const QWidget& dialog)
{
    return QTest::qWaitFor([&] { return button(dialog, "OK")->isEnabled(); }, 30000);
}

// Works the rip dialogs that open from now on as the person at the screen would: act once one
// shows and has read its disc; it then stays until the rip or act has closed it.
inline void workDialog(std::function<void(QDialog&)> act)
{
    FileDialogs::setDialogAnswerer([act = std::move(act)](QDialog& dialog) {
        QVERIFY2(hasRead(dialog), "the disc was not read");
        act(dialog);
        QVERIFY2(QTest::qWaitFor([&] { return dialog.isHidden(); }, 60000), "the rip dialog stayed open");
    });
}
