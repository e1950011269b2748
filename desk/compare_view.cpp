#include "compare_view.h"

#include "documents.h"
#include "documents/report_pictures.h"
#include "documents/report_summary.h"
#include "documents/report_texts.h"
#include "documents/statistics_report.h"
#include "picture_view.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>

namespace desk {
namespace {

QString pText(double p)
{
    return report::pValue(p);
}

} // namespace

CompareView::CompareView(QWidget *parent)
    : QWidget(parent), m_other(new QComboBox), m_title(new QLabel),
      m_left(new PictureView(QStringLiteral("Профиль группы A"))),
      m_right(new PictureView(QStringLiteral("Профиль группы B"))), m_table(new QTableWidget),
      m_summary(new QLabel)
{
    auto *choice = new QHBoxLayout;
    auto *label = new QLabel(QStringLiteral("Сравни&ть с:"));
    label->setBuddy(m_other);
    m_other->setAccessibleName(QStringLiteral("Группа для сравнения"));
    m_other->setMinimumContentsLength(24);
    choice->addWidget(label);
    choice->addWidget(m_other);
    choice->addWidget(m_title, 1);
    auto *pictures = new QHBoxLayout;
    pictures->addWidget(m_left);
    pictures->addWidget(m_right);
    m_table->setAccessibleName(QStringLiteral("Сравнение групп"));
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_summary->setWordWrap(true);
    m_title->setWordWrap(true); // long group names must not widen the window
    m_summary->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(choice);
    layout->addLayout(pictures, 3);
    layout->addWidget(m_summary);
    layout->addWidget(m_table, 2);
    connect(m_other, qOverload<int>(&QComboBox::activated), this, &CompareView::otherChanged);
    connect(&m_job, &QFutureWatcher<survey::GroupComparison>::finished, this, &CompareView::ready);
}

CompareView::~CompareView()
{
    m_job.waitForFinished();
}

void CompareView::setChoices(const QStringList &names)
{
    const QString chosen = m_other->currentText();
    m_other->clear();
    m_other->addItems(names);
    const int index = names.indexOf(chosen);
    m_other->setCurrentIndex(index >= 0 ? index : std::min(1, int(names.size()) - 1));
}

int CompareView::otherIndex() const
{
    return m_other->currentIndex();
}

void CompareView::setOtherIndex(int index)
{
    m_other->setCurrentIndex(index);
}

void CompareView::focusChoice()
{
    m_other->setFocus();
}

void CompareView::compare(const Group &a, const Group &b)
{
    ++m_generation;
    m_nameA = a.name;
    m_nameB = b.name;
    m_title->setText(QStringLiteral("Слева — A «%1» (N = %2), справа — B «%3» (N = %4)")
                         .arg(a.name)
                         .arg(a.result.n)
                         .arg(b.name)
                         .arg(b.result.n));
    m_table->clear();
    m_table->setRowCount(0);
    const QString problem =
        !emptyGroupProblem(a).isEmpty() ? emptyGroupProblem(a) : emptyGroupProblem(b);
    m_left->setPicture(
        a.result.n
            ? report::plotAPicture(survey::groupMeans(a.result, survey::MeanKind::Arithmetic), 84)
            : report::Picture{},
        emptyGroupProblem(a));
    m_right->setPicture(
        b.result.n
            ? report::plotAPicture(survey::groupMeans(b.result, survey::MeanKind::Arithmetic), 84)
            : report::Picture{},
        emptyGroupProblem(b));
    if (!problem.isEmpty()) {
        m_summary->setText(problem);
        return;
    }
    m_summary->setText(QStringLiteral("Считается…"));
    m_jobGeneration = m_generation;
    m_job.setFuture(QtConcurrent::run([ra = a.result, rb = b.result] {
        return survey::compareGroups(ra, rb, survey::MeanKind::Arithmetic, kSeed);
    }));
}

void CompareView::ready()
{
    if (m_jobGeneration != m_generation)
        return;
    const survey::GroupComparison c = m_job.result();
    m_summary->setText(report::comparisonSummary(c, report::Subject{false, m_nameA, {}},
                                                 report::Subject{false, m_nameB, {}}));
    const QStringList head{QStringLiteral("Тип"),         QStringLiteral("Состояние"),
                           QStringLiteral("A"),           QStringLiteral("B"),
                           QStringLiteral("B − A"),       QStringLiteral("p (Уэлч)"),
                           QStringLiteral("p (перест.)"), QStringLiteral("Значимо")};
    m_table->setColumnCount(int(head.size()));
    m_table->setHorizontalHeaderLabels(head);
    m_table->setRowCount(2 * survey::kTypeCount);
    for (int type = 0; type < survey::kTypeCount; ++type) {
        for (int state = 0; state < 2; ++state) {
            const survey::ScoreComparison &s = c.scores[survey::scoreIndex(state, type)];
            const QStringList cells{state == 0 ? report::typeRowHeading(type) : QString(),
                                    documents::stateCaption(state),
                                    report::number(s.meanA),
                                    report::number(s.meanB),
                                    report::signedNumber(s.difference),
                                    s.welch ? pText(s.welch->p) : QStringLiteral("—"),
                                    pText(s.permutationP),
                                    report::significant(s) ? QStringLiteral("да")
                                                           : QStringLiteral("нет")};
            for (int column = 0; column < cells.size(); ++column) {
                auto *item = new QTableWidgetItem(cells[column]);
                if (column >= 2)
                    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
                m_table->setItem(2 * type + state, column, item);
            }
        }
    }
    m_table->verticalHeader()->hide();
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 6);
    m_table->resizeColumnsToContents();
    m_table->horizontalHeader()->setStretchLastSection(true);
}

} // namespace desk
