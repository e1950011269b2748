#include "job_bar.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QtConcurrent/QtConcurrentRun>

namespace desk {

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
    connect(m_cancel, &QPushButton::clicked, this, [this] {
        if (m_cancelled)
            *m_cancelled = true;
        m_caption->setText(QStringLiteral("Отменяется…"));
        m_cancel->setEnabled(false);
    });
    connect(&m_job, &QFutureWatcher<QString>::finished, this, &JobBar::finished);
    hide();
}

JobBar::~JobBar()
{
    if (m_cancelled)
        *m_cancelled = true;
    m_job.waitForFinished();
}

bool JobBar::start(const QString &caption, Work work, Done done)
{
    if (busy())
        return false;
    m_cancelled = std::make_shared<std::atomic_bool>(false);
    m_done = std::move(done);
    m_caption->setText(caption);
    m_cancel->setEnabled(true);
    show();
    m_job.setFuture(QtConcurrent::run(
        [work = std::move(work), cancelled = m_cancelled] { return work(*cancelled); }));
    emit busyChanged(true);
    return true;
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
    const bool cancelled = m_cancelled && *m_cancelled;
    const QString problem = m_job.result();
    Done done = std::move(m_done);
    emit busyChanged(false);
    if (done)
        done(cancelled ? QStringLiteral("Отменено.") : problem);
}

} // namespace desk
