#include "desk/group_view.h"

#include "desk/documents.h"
#include "desk/picture_view.h"
#include "desk/statistics_table.h"
#include "documents/report_pictures.h"
#include "documents/report_summary.h"
#include "documents/report_tables.h"

#include <QPlainTextEdit>
#include <QTableWidget>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace desk {
namespace {

const QString kNoAnswers = QStringLiteral("В группе нет ни одного читаемого ответа.");
const QString kCounting = QStringLiteral("Считается…");

} // namespace

GroupView::GroupView(QWidget *parent)
    : QTabWidget(parent), m_plotA(new PictureView(QStringLiteral("Профиль группы"))),
      m_questions(new PictureView(QStringLiteral("Оценки по вопросам"))),
      m_difference(new PictureView(QStringLiteral("Разница желаемых и текущих оценок"))),
      m_statistics(new QTableWidget), m_files(new QPlainTextEdit), m_conclusions(new QTextBrowser),
      m_statisticsJob([this](const survey::GroupStatistics &s) { statisticsReady(s); })
{
    m_statistics->setAccessibleName(QStringLiteral("Статистика группы"));
    m_statistics->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_files->setAccessibleName(QStringLiteral("Файлы вне расчёта"));
    m_files->setReadOnly(true);
    // A survey with many damaged files scrolls its list rather than squeezing the table.
    m_files->setMaximumHeight(7 * m_files->fontMetrics().lineSpacing());
    m_conclusions->setAccessibleName(QStringLiteral("Выводы"));
    auto *statistics = new QWidget;
    auto *statisticsLayout = new QVBoxLayout(statistics);
    statisticsLayout->addWidget(m_statistics, 1);
    statisticsLayout->addWidget(m_files);
    addTab(m_plotA, QStringLiteral("&Профиль"));
    addTab(m_questions, QStringLiteral("Вопр&осы"));
    addTab(m_difference, QStringLiteral("Ра&зница"));
    addTab(statistics, QStringLiteral("&Статистика"));
    addTab(m_conclusions, QStringLiteral("В&ыводы"));
}

GroupView::~GroupView() = default;

void GroupView::showGroup(const Group &group)
{
    const survey::GroupResult &result = group.result;
    const QString notes = report::fileNotesText(fileNotes(group));
    m_files->setPlainText(notes);
    m_files->setVisible(!notes.isEmpty());
    m_statistics->clear();
    m_statistics->setRowCount(0);
    if (result.n == 0) {
        m_statisticsJob.clear();
        for (PictureView *view : {m_plotA, m_questions, m_difference})
            view->setPicture({}, kNoAnswers);
        m_conclusions->setPlainText(kNoAnswers);
        return;
    }
    m_plotA->setPicture(
        report::plotAPicture(survey::groupMeans(result, survey::MeanKind::Arithmetic), 150));
    m_questions->setPicture(report::questionChartsPicture(result.means, 170));
    m_difference->setPicture({}, kCounting);
    m_conclusions->setPlainText(kCounting);
    m_statisticsJob.run(
        [result] { return survey::groupStatistics(result, survey::MeanKind::Arithmetic, kSeed); });
}

void GroupView::statisticsReady(const survey::GroupStatistics &statistics)
{
    survey::StateMeans differences{};
    for (int type = 0; type < survey::kTypeCount; ++type)
        differences[std::size_t(type)] = statistics.types[std::size_t(type)].discrepancy;
    m_difference->setPicture(report::differencePicture(differences, 78));
    fillTable(*m_statistics, report::spreadTable(statistics));
    m_conclusions->setHtml(QStringLiteral("<h3>Профиль</h3><p>%1</p><h3>Согласованность "
                                          "вопросов</h3><p>%2</p>")
                               .arg(report::profileSummary(statistics).toHtmlEscaped(),
                                    report::congruenceSentence(statistics).toHtmlEscaped()));
}

} // namespace desk
