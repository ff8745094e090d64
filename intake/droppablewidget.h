#pragma once

#include <QStringList>
#include <QWidget>

// The invisible drop target laid over the media list. It lets every mouse event through to the
// page below and becomes solid only while a drag is over the window (the window clears its
// pass-through attribute when a drag enters it).
class DroppableWidget final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DroppableWidget)
public:
    explicit DroppableWidget(QWidget* parent);

    // Files named on the command line or handed over by a later start: the accepted ones go out as
    // a drop's do, and the refused ones are named in one warning, so that none is dropped silently.
    void addNamedFiles(const QStringList& files);

signals:
    void fileDropped(QStringList file);

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
};
