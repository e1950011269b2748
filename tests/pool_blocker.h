#pragma once

#include <QSemaphore>
#include <QThreadPool>
#include <memory>

// Holds every thread of Qt's global pool until release(): work started meanwhile waits in the
// queue, so that a test acts while a job has certainly not finished, without timing.
class PoolBlocker {
public:
    PoolBlocker() : m_count(QThreadPool::globalInstance()->maxThreadCount())
    {
        for (int i = 0; i < m_count; ++i)
            QThreadPool::globalInstance()->start([started = m_started, gate = m_gate] {
                started->release();
                gate->acquire();
            });
        m_holding = m_started->tryAcquire(m_count, 20000);
    }
    ~PoolBlocker() { release(); }
    PoolBlocker(const PoolBlocker &) = delete;
    PoolBlocker &operator=(const PoolBlocker &) = delete;

    bool holding() const { return m_holding; }
    void release()
    {
        if (!m_released)
            m_gate->release(m_count);
        m_released = true;
    }

private:
    int m_count;
    // Shared with the held threads, which may still be leaving when the blocker is gone.
    std::shared_ptr<QSemaphore> m_started = std::make_shared<QSemaphore>();
    std::shared_ptr<QSemaphore> m_gate = std::make_shared<QSemaphore>();
    bool m_holding = false, m_released = false;
};
