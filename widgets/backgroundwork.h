#pragma once

#include <QList>
#include <QObject>

#include <functional>
#include <memory>

class QThread;

// Work that a dialog hands off the GUI thread: listing drives, reading a disc, running a helper
// tool, anything that can take seconds. Each job runs on a thread of its own and hands its result
// back on the thread that owns this object. A cancelled job is asked to stop (a tool it waits for
// through Tools::waitOrKill is killed at once) and its result is dropped. Nothing outlives the
// object: its destructor stops and waits for every job it started.
class BackgroundWork final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(BackgroundWork)
public:
    explicit BackgroundWork(QObject* parent = nullptr);
    ~BackgroundWork() override;

    // Cancels the job under way, then runs work on a new thread; done gets its result here.
    template <typename Result>
    void run(std::function<Result()> work, std::function<void(const Result&)> done)
    {
        auto result = std::make_shared<Result>();
        start([work = std::move(work), result] { *result = work(); },
              [done = std::move(done), result] { done(*result); });
    }

    // The job under way is stopped and its result dropped.
    void cancel();
    [[nodiscard]] bool isBusy() const { return current != nullptr; }

signals:
    void busyChanged(bool busy);

private:
    void start(std::function<void()> work, std::function<void()> done);

    QList<QThread*> threads; // every job's thread until it ends, cancelled ones too
    QThread* current = nullptr;
};
