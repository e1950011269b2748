#pragma once

#include "desk/compare_pairs.h"
#include "desk/latest_task.h"
#include "desk/survey_folder.h"
#include "survey/group_compare.h"

#include <QWidget>
#include <optional>

class QComboBox;
class QLabel;
class QTableWidget;

namespace desk {

class PictureView;

// Two groups side by side: their profile diagrams, the tests of each score's difference and
// what is significant in words, as the comparison report has them. Only groups that share no
// respondent are offered (compare_pairs.h).
class CompareView : public QWidget {
    Q_OBJECT
public:
    explicit CompareView(QWidget *parent = nullptr);
    ~CompareView() override;

    // Offers the comparisons beside the selected group `current` (-1: "Все вместе"), keeping
    // the choice where its label is still there, and shows the chosen one.
    void showSurvey(const std::vector<Group> &groups, int current);
    // The groups on show, A then B; nothing when no comparison can be offered.
    const std::optional<std::pair<Group, Group>> &compared() const { return m_compared; }
    void focusChoice();
    // Compares `a` with `b`, off the user-interface thread.
    void compare(const Group &a, const Group &b);
    bool counting() const { return m_job.busy(); }

signals:
    // The consultant chose another comparison.
    void otherChanged();

private:
    void ready(const survey::GroupComparison &comparison);
    void showNothing(const QString &why);

    QComboBox *m_other;
    QLabel *m_title;
    PictureView *m_left;
    PictureView *m_right;
    QTableWidget *m_table;
    QLabel *m_summary;
    QList<CompareChoice> m_choices;
    std::optional<std::pair<Group, Group>> m_compared;
    QString m_nameA, m_nameB;
    LatestTask<survey::GroupComparison> m_job;
};

} // namespace desk
