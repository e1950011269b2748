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

// How a job ended.
struct JobOutcome {
    enum class Kind { Done, Cancelled, Failed };
    Kind kind = Kind::Done;
    QString problem; // why it failed, in Russian

    static JobOutcome done() { return {}; }
    static JobOutcome cancelled() { return {Kind::Cancelled, {}}; }
    static JobOutcome failed(const QString &problem) { return {Kind::Failed, problem}; }
};

// What a running job and the bar share. The work asks cancelled() between its steps and calls
// beginWriting() before it writes its file: from then on the job runs to its end, so that a
// file is either written whole or not touched.
class JobControl {
public:
    bool cancelled() const { return m_state == Cancelled; }
    // False when the job was cancelled first: nothing may be written.
    bool beginWriting();
    // False when writing has begun.
    bool cancel();

private:
    friend class JobBar;
    enum State { Running, Cancelled, Writing };
    std::atomic<int> m_state{Running};
    std::function<void()> m_writing; // tells the bar, from the job's thread
};

// Runs one piece of longer work off the user-interface thread and shows it in the status
// bar: what is being done, a busy bar and "Отменить", which stays until the work begins
// writing its file. The work must not touch widgets.
class JobBar : public QWidget {
    Q_OBJECT
public:
    using Work = std::function<JobOutcome(JobControl &job)>;
    using Done = std::function<void(const JobOutcome &outcome)>;

    explicit JobBar(QWidget *parent = nullptr);
    ~JobBar() override;

    bool busy() const { return m_job.isRunning(); }
    // False (and nothing runs) while another job is busy.
    bool start(const QString &caption, Work work, Done done);
    // "Отменить", as the button does it.
    void cancel();
    bool canCancel() const;
    // Waits for the job in hand; for tests and for closing the window.
    void wait();

signals:
    void busyChanged(bool busy);

private:
    void finished();
    void writingBegan();

    QLabel *m_caption;
    QProgressBar *m_progress;
    QPushButton *m_cancel;
    QFutureWatcher<JobOutcome> m_job;
    std::shared_ptr<JobControl> m_control;
    Done m_done;
};

} // namespace desk
