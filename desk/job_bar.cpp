#include "desk/job_bar.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QtConcurrent/QtConcurrentRun>

namespace desk {

bool JobControl::beginWriting()
{
    int expected = Running;
    if (!m_state.compare_exchange_strong(expected, Writing))
        return expected == Writing;
    if (m_writing)
        m_writing();
    return true;
}

bool JobControl::cancel()
{
    int expected = Running;
    return m_state.compare_exchange_strong(expected, Cancelled) || expected == Cancelled;
}

JobBar::JobBar(QWidget *parent)
    : QWidget(parent), m_caption(new QLabel), m_progress(new QProgressBar),
      m_cancel(new QPushButton(QStringLiteral("Отменить")))
{
    m_progress->setRange(0, 0); // the documents code tells no progress: a busy bar
    m_progress->setMaximumWidth(160);
    m_progress->setAccessibleName(QStringLiteral("Ход работы"));
    m_cancel->setAccessibleName(QStringLiteral("Отменить работу"));
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_caption);
    layout->addWidget(m_progress);
    layout->addWidget(m_cancel);
    connect(m_cancel, &QPushButton::clicked, this, &JobBar::cancel);
    connect(&m_job, &QFutureWatcher<JobOutcome>::finished, this, &JobBar::finished);
    hide();
}

JobBar::~JobBar()
{
    if (m_control)
        m_control->cancel();
    m_job.waitForFinished();
}

bool JobBar::start(const QString &caption, Work work, Done done)
{
    if (busy())
        return false;
    m_control = std::make_shared<JobControl>();
    QPointer<JobBar> bar(this);
    std::weak_ptr<JobControl> control = m_control;
    m_control->m_writing = [bar, control] {
        QMetaObject::invokeMethod(
            bar.data(),
            [bar, control] {
                // Only while this job is the bar's: a later job keeps its own button.
                if (bar && bar->m_control && bar->m_control == control.lock())
                    bar->writingBegan();
            },
            Qt::QueuedConnection);
    };
    m_done = std::move(done);
    m_caption->setText(caption);
    m_cancel->setEnabled(true);
    show();
    m_job.setFuture(QtConcurrent::run(
        [work = std::move(work), control = m_control] { return work(*control); }));
    emit busyChanged(true);
    return true;
}

void JobBar::cancel()
{
    if (!m_control || !busy() || !m_control->cancel())
        return;
    m_caption->setText(QStringLiteral("Отменяется…"));
    m_cancel->setEnabled(false);
}

bool JobBar::canCancel() const
{
    return busy() && m_cancel->isEnabled();
}

void JobBar::writingBegan()
{
    m_caption->setText(QStringLiteral("Записывается файл…"));
    m_cancel->setEnabled(false);
}

void JobBar::wait()
{
    m_job.waitForFinished();
    QCoreApplication::sendPostedEvents(this);
    QCoreApplication::processEvents();
}

void JobBar::finished()
{
    hide();
    const JobOutcome outcome = m_job.result();
    Done done = std::move(m_done);
    m_control.reset();
    emit busyChanged(false);
    if (done)
        done(outcome);
}

} // namespace desk
