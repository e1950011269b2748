#pragma once

#include <QFutureWatcher>
#include <QString>
#include <QWidget>
#include <atomic>
#include <functional>
#include <memory>

class QLabel;
class QProgressBar;
class QPushButton;

namespace desk {

// Runs one piece of longer work off the user-interface thread and shows it in the status
// bar: what is being done, a busy bar and "Отменить". The work gets a flag that cancelling
// sets; a cancelled job's outcome is dropped. The work must not touch widgets.
class JobBar : public QWidget {
    Q_OBJECT
public:
    // The work's outcome: an empty text when it succeeded, else why not (in Russian).
    using Work = std::function<QString(const std::atomic_bool &cancelled)>;
    using Done = std::function<void(const QString &problem)>;

    explicit JobBar(QWidget *parent = nullptr);
    ~JobBar() override;

    bool busy() const { return m_job.isRunning(); }
    // False (and nothing runs) while another job is busy.
    bool start(const QString &caption, Work work, Done done);
    // Waits for the job in hand; for tests and for closing the window.
    void wait();

signals:
    void busyChanged(bool busy);

private:
    void finished();

    QLabel *m_caption;
    QProgressBar *m_progress;
    QPushButton *m_cancel;
    QFutureWatcher<QString> m_job;
    std::shared_ptr<std::atomic_bool> m_cancelled;
    Done m_done;
};

} // namespace desk
