#include "desk/collection_status.h"

#include "desk/collection_run.h"
#include "desk/title.h"
#include "widgets/dialogs.h"

#include <QHBoxLayout>
#include <QPushButton>

namespace desk {

QString collectionSummary(int links, int answers)
{
    return QStringLiteral("Сбор ответов: %1, %2")
        .arg(russianCount(links, QStringLiteral("ссылка"), QStringLiteral("ссылки"),
                          QStringLiteral("ссылок")),
             russianCount(answers, QStringLiteral("ответ"), QStringLiteral("ответа"),
                          QStringLiteral("ответов")));
}

bool mayEndCollection(QWidget *parent, const CollectionRun *run, const QString &question)
{
    if (!run || !run->active())
        return true;
    return ui::Dialogs::instance().askYesNo(
        parent, QStringLiteral("Сбор ответов по сети"),
        QStringLiteral("%1\n\nСсылки и QR-коды перестанут принимать ответы; %2 уже в папке "
                       "опроса. Сбор можно начать снова с теми же ссылками.")
            .arg(question, russianCount(run->answers(), QStringLiteral("полученный ответ"),
                                        QStringLiteral("полученных ответа"),
                                        QStringLiteral("полученных ответов"))));
}

CollectionStatus::CollectionStatus(QWidget *parent)
    : QWidget(parent), m_summary(new QPushButton), m_stop(new QPushButton)
{
    m_summary->setFlat(true);
    m_summary->setToolTip(QStringLiteral("Показать ссылки и QR-коды"));
    m_summary->setAccessibleName(QStringLiteral("Сбор ответов по сети"));
    m_stop->setText(QStringLiteral("Остановить"));
    m_stop->setAccessibleName(QStringLiteral("Остановить сбор ответов"));
    connect(m_summary, &QPushButton::clicked, this, &CollectionStatus::linksClicked);
    connect(m_stop, &QPushButton::clicked, this, &CollectionStatus::stopClicked);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_summary);
    layout->addWidget(m_stop);
    hide();
}

void CollectionStatus::follow(CollectionRun *run)
{
    if (m_run)
        disconnect(m_run, nullptr, this, nullptr);
    m_run = run;
    if (run) {
        connect(run, &CollectionRun::stateChanged, this, &CollectionStatus::refresh);
        connect(run, &CollectionRun::answerCounted, this, &CollectionStatus::refresh);
        connect(run, &QObject::destroyed, this, &CollectionStatus::hide);
    }
    refresh();
}

QString CollectionStatus::text() const
{
    return m_summary->text();
}

void CollectionStatus::refresh()
{
    setVisible(m_run && m_run->active());
    if (!m_run)
        return;
    m_summary->setText(m_run->state() == CollectionRun::State::Starting
                           ? QStringLiteral("Сбор ответов начинается…")
                           : collectionSummary(int(m_run->links().size()), m_run->answers()));
}

} // namespace desk
