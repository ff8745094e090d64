#include "intake/droppablewidget.h"

#include "intake/inputtypes.h"
#include "widgets/messagebox.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>

DroppableWidget::DroppableWidget(QWidget* parent)
    : QWidget(parent)
{
    setGeometry(400, 32, 390, 510);
    setAcceptDrops(true);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_MouseTracking);
    show();
}

void DroppableWidget::mouseMoveEvent(QMouseEvent* event)
{
    QWidget::mouseMoveEvent(event);
    // Safety net: a drag that ended without a leave or a drop must not keep the page from clicks.
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void DroppableWidget::dragEnterEvent(QDragEnterEvent* event)
{
    setAttribute(Qt::WA_TransparentForMouseEvents, false);
    if (InputTypes::isDragAcceptable(event->mimeData()->urls()))
        event->acceptProposedAction();
}

void DroppableWidget::dragLeaveEvent(QDragLeaveEvent*)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void DroppableWidget::dropEvent(QDropEvent* event)
{
    const InputTypes::DropResult dropped = InputTypes::filterDrop(event->mimeData()->urls());
    emit fileDropped(dropped.paths);
    // After the emission, so that the other files of the same drop are already queued.
    if (dropped.cdTrackDropped) {
        MessageBox::warning(this, tr("CDA File Detected"),
                            tr("Audio CD Tracks cannot be dragged in.\n\nPlease use the CD button in the Add tab."));
    }
    event->acceptProposedAction();
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void DroppableWidget::addNamedFiles(const QStringList& files)
{
    const InputTypes::NamedFiles named = InputTypes::filterCommandLine(files);
    emit fileDropped(named.accepted);
    if (!named.refused.isEmpty())
        MessageBox::warning(window(), tr("Warning"), InputTypes::refusalMessage(named.refused));
}
