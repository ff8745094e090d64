#include "widgets/backgroundwork.h"

#include <QThread>

BackgroundWork::BackgroundWork(QObject* parent)
    : QObject(parent)
{
}

BackgroundWork::~BackgroundWork()
{
    for (QThread* thread : std::as_const(threads))
        thread->requestInterruption();
    for (QThread* thread : std::as_const(threads)) {
        thread->wait();
        delete thread;
    }
}

void BackgroundWork::start(std::function<void()> work, std::function<void()> done)
{
    cancel();
    QThread* const thread = QThread::create(std::move(work));
    threads.append(thread);
    current = thread;
    connect(thread, &QThread::finished, this, [this, thread, done = std::move(done)] {
        threads.removeOne(thread);
        thread->deleteLater();
        if (thread != current)
            return;
        current = nullptr;
        emit busyChanged(false);
        done();
    });
    thread->start();
    emit busyChanged(true);
}

void BackgroundWork::cancel()
{
    if (!current)
        return;
    current->requestInterruption();
    current = nullptr;
    emit busyChanged(false);
}
