#pragma once

#include "survey/group_compare.h"
#include "survey_folder.h"

#include <QFutureWatcher>
#include <QWidget>

class QComboBox;
class QLabel;
class QTableWidget;

namespace desk {

class PictureView;

// Two groups side by side: their profile diagrams, the tests of each score's difference and
// what is significant in words, as the comparison report has them.
class CompareView : public QWidget {
    Q_OBJECT
public:
    explicit CompareView(QWidget *parent = nullptr);
    ~CompareView() override;

    // The groups the second one is chosen from; keeps the choice where the name is still there.
    void setChoices(const QStringList &names);
    int otherIndex() const;
    void setOtherIndex(int index);
    void focusChoice();
    // Compares `a` with `b`, off the user-interface thread.
    void compare(const Group &a, const Group &b);

signals:
    void otherChanged(int index);

private:
    void ready();

    QComboBox *m_other;
    QLabel *m_title;
    PictureView *m_left;
    PictureView *m_right;
    QTableWidget *m_table;
    QLabel *m_summary;
    QFutureWatcher<survey::GroupComparison> m_job;
    QString m_nameA, m_nameB;
    int m_generation = 0, m_jobGeneration = 0;
};

} // namespace desk
