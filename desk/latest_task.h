#pragma once

#include <QFutureWatcher>
#include <QObject>
#include <QtConcurrent/QtConcurrentRun>
#include <functional>
#include <optional>

namespace desk {

// Runs the latest of a stream of requests off the user-interface thread. One runs at a time:
// a request made meanwhile waits, and a newer one takes its place, so that quick clicks through
// the groups cost one computation, not one each. A result reaches `ready` only when no request
// (nor clear()) came after its own: a view never shows one group's figures under another's
// name.
template <typename Result> class LatestTask {
public:
    using Work = std::function<Result()>;
    using Ready = std::function<void(const Result &)>;

    explicit LatestTask(Ready ready) : m_ready(std::move(ready))
    {
        QObject::connect(&m_watcher, &QFutureWatcher<Result>::finished, &m_watcher,
                         [this] { finished(); });
    }
    ~LatestTask() { m_watcher.waitForFinished(); }
    LatestTask(const LatestTask &) = delete;
    LatestTask &operator=(const LatestTask &) = delete;

    // The newest request: every earlier one's result is dropped.
    void run(Work work)
    {
        ++m_latest;
        m_waiting = std::move(work);
        if (!m_watcher.isRunning())
            startWaiting();
    }
    // No request stands any more (the view shows something that needs none).
    void clear()
    {
        ++m_latest;
        m_waiting.reset();
    }
    bool busy() const { return m_watcher.isRunning() || m_waiting.has_value(); }
    // How many requests have been computed, for tests of the coalescing.
    int started() const { return m_started; }

private:
    void startWaiting()
    {
        m_running = m_latest;
        Work work = std::move(*m_waiting);
        m_waiting.reset();
        ++m_started;
        m_watcher.setFuture(QtConcurrent::run(std::move(work)));
    }
    void finished()
    {
        const bool current = m_running == m_latest && !m_waiting;
        if (m_waiting)
            startWaiting();
        else if (current)
            m_ready(m_watcher.result());
    }

    Ready m_ready;
    QFutureWatcher<Result> m_watcher;
    std::optional<Work> m_waiting;
    int m_latest = 0;  // the newest request's number
    int m_running = 0; // the running request's number
    int m_started = 0;
};

} // namespace desk
