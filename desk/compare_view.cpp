#include "desk/compare_view.h"

#include "desk/documents.h"
#include "desk/picture_view.h"
#include "desk/statistics_table.h"
#include "documents/anonymity.h"
#include "documents/comparison_summary.h"
#include "documents/report_pictures.h"
#include "documents/report_tables.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

namespace desk {

CompareView::CompareView(QWidget *parent)
    : QWidget(parent), m_other(new QComboBox), m_title(new QLabel),
      m_left(new PictureView(QStringLiteral("Профиль группы A"))),
      m_right(new PictureView(QStringLiteral("Профиль группы B"))), m_table(new QTableWidget),
      m_summary(new QLabel),
      m_job([this](const survey::GroupComparison &comparison) { ready(comparison); })
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
    m_summary->setAccessibleName(QStringLiteral("Выводы сравнения"));
    m_summary->setWordWrap(true);
    m_title->setWordWrap(true); // long group names must not widen the window
    m_summary->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(choice);
    layout->addLayout(pictures, 3);
    layout->addWidget(m_summary);
    layout->addWidget(m_table, 2);
    connect(m_other, qOverload<int>(&QComboBox::activated), this, &CompareView::otherChanged);
}

CompareView::~CompareView() = default;

void CompareView::showSurvey(const std::vector<Group> &groups, int current)
{
    const QString chosen = m_other->currentText();
    m_choices = compareChoices(groups, current);
    QStringList labels;
    for (const CompareChoice &choice : m_choices)
        labels << choice.label;
    m_other->clear();
    m_other->addItems(labels);
    m_other->setCurrentIndex(labels.isEmpty() ? -1 : std::max(0, int(labels.indexOf(chosen))));
    const int index = m_other->currentIndex();
    if (index < 0) {
        showNothing(groups.size() < 2 ? QStringLiteral("В опросе одна группа: сравнить её не с "
                                                       "чем. Сравниваются только группы без "
                                                       "общих респондентов.")
                                      : QString());
        return;
    }
    const auto [a, b] = comparedGroups(groups, m_choices[index]);
    compare(a, b);
}

void CompareView::focusChoice()
{
    m_other->setFocus();
}

void CompareView::showNothing(const QString &why)
{
    m_compared.reset();
    m_job.clear();
    m_title->clear();
    m_table->clear();
    m_table->setRowCount(0);
    m_table->setColumnCount(0);
    m_left->setPicture({}, QString());
    m_right->setPicture({}, QString());
    m_summary->setText(why);
}

void CompareView::compare(const Group &a, const Group &b)
{
    m_compared = std::pair{a, b};
    m_nameA = a.name;
    m_nameB = b.name;
    m_title->setText(QStringLiteral("Слева — «%1» (%2), справа — «%3» (%4)")
                         .arg(a.name, sizeText(a), b.name, sizeText(b)));
    m_table->clear();
    m_table->setRowCount(0);
    m_table->setColumnCount(0);
    const QString problem =
        !emptyGroupProblem(a).isEmpty() ? emptyGroupProblem(a) : emptyGroupProblem(b);
    for (const auto &[view, group] : {std::pair{m_left, &a}, std::pair{m_right, &b}})
        view->setPicture(
            group->result.n
                ? report::plotAPicture(
                      survey::groupMeans(group->result, survey::MeanKind::Arithmetic), 84)
                : report::Picture{},
            emptyGroupProblem(*group));
    if (!problem.isEmpty()) {
        m_job.clear();
        m_summary->setText(problem);
        return;
    }
    m_summary->setText(QStringLiteral("Считается…"));
    m_job.run([ra = a.result, rb = b.result] {
        return survey::compareGroups(ra, rb, survey::MeanKind::Arithmetic, kSeed);
    });
}

void CompareView::ready(const survey::GroupComparison &c)
{
    m_summary->setText(report::comparisonSummary(c, report::Subject{false, m_nameA, {}},
                                                 report::Subject{false, m_nameB, {}}));
    fillTable(*m_table, report::comparisonTable(c, m_nameA, m_nameB));
}

} // namespace desk
