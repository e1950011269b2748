#include "group_view.h"

#include "documents.h"
#include "documents/report_pictures.h"
#include "documents/report_summary.h"
#include "picture_view.h"
#include "statistics_table.h"

#include <QTableWidget>
#include <QTextBrowser>
#include <QtConcurrent/QtConcurrentRun>

namespace desk {
namespace {

const QString kNoAnswers = QStringLiteral("В группе нет ни одного читаемого ответа.");
const QString kCounting = QStringLiteral("Считается…");

} // namespace

GroupView::GroupView(QWidget *parent)
    : QTabWidget(parent), m_plotA(new PictureView(QStringLiteral("Профиль группы"))),
      m_questions(new PictureView(QStringLiteral("Оценки по вопросам"))),
      m_difference(new PictureView(QStringLiteral("Разница желаемых и текущих оценок"))),
      m_statistics(new QTableWidget), m_conclusions(new QTextBrowser)
{
    m_statistics->setAccessibleName(QStringLiteral("Статистика группы"));
    m_statistics->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_conclusions->setAccessibleName(QStringLiteral("Выводы"));
    addTab(m_plotA, QStringLiteral("&Профиль"));
    addTab(m_questions, QStringLiteral("Вопр&осы"));
    addTab(m_difference, QStringLiteral("Ра&зница"));
    addTab(m_statistics, QStringLiteral("&Статистика"));
    addTab(m_conclusions, QStringLiteral("В&ыводы"));
    connect(&m_job, &QFutureWatcher<survey::GroupStatistics>::finished, this,
            &GroupView::statisticsReady);
}

GroupView::~GroupView()
{
    m_job.waitForFinished();
}

void GroupView::showGroup(const Group &group)
{
    ++m_generation;
    const survey::GroupResult &result = group.result;
    if (result.n == 0) {
        for (PictureView *view : {m_plotA, m_questions, m_difference})
            view->setPicture({}, kNoAnswers);
        m_statistics->clear();
        m_statistics->setRowCount(0);
        m_conclusions->setPlainText(kNoAnswers);
        return;
    }
    m_plotA->setPicture(
        report::plotAPicture(survey::groupMeans(result, survey::MeanKind::Arithmetic), 150));
    m_questions->setPicture(report::questionChartsPicture(result.means, 170));
    m_difference->setPicture({}, kCounting);
    m_conclusions->setPlainText(kCounting);
    m_pending = result;
    if (m_job.isRunning())
        m_waiting = true;
    else
        startStatistics();
}

void GroupView::startStatistics()
{
    m_waiting = false;
    m_jobGeneration = m_generation;
    m_job.setFuture(QtConcurrent::run([group = m_pending] {
        return survey::groupStatistics(group, survey::MeanKind::Arithmetic, kSeed);
    }));
}

void GroupView::statisticsReady()
{
    if (m_waiting) {
        startStatistics();
        return;
    }
    if (m_jobGeneration != m_generation)
        return;
    const survey::GroupStatistics statistics = m_job.result();
    survey::StateMeans differences{};
    for (int type = 0; type < survey::kTypeCount; ++type)
        differences[std::size_t(type)] = statistics.types[std::size_t(type)].discrepancy;
    m_difference->setPicture(report::differencePicture(differences, 78));
    fillStatisticsTable(*m_statistics, statistics);
    m_conclusions->setHtml(QStringLiteral("<h3>Профиль</h3><p>%1</p><h3>Согласованность "
                                          "вопросов</h3><p>%2</p>")
                               .arg(report::profileSummary(statistics).toHtmlEscaped(),
                                    report::congruenceSentence(statistics).toHtmlEscaped()));
}

} // namespace desk
