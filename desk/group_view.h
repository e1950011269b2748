#pragma once

#include "desk/latest_task.h"
#include "desk/survey_folder.h"
#include "survey/group_statistics.h"

#include <QTabWidget>

class QPlainTextEdit;
class QTableWidget;
class QTextBrowser;

namespace desk {

class PictureView;

// The figures of the selected group, each on its tab: the profile diagram, the question
// charts, the difference chart, the statistics table with the files left out of it and the
// written conclusions of the report. The statistics are resampled off the user-interface
// thread.
class GroupView : public QTabWidget {
    Q_OBJECT
public:
    explicit GroupView(QWidget *parent = nullptr);
    ~GroupView() override;

    void showGroup(const Group &group);
    // Whether statistics are still being computed, for tests.
    bool counting() const { return m_statisticsJob.busy(); }

private:
    void statisticsReady(const survey::GroupStatistics &statistics);

    PictureView *m_plotA;
    PictureView *m_questions;
    PictureView *m_difference;
    QTableWidget *m_statistics;
    QPlainTextEdit *m_files; // the files left out and those counted with warnings
    QTextBrowser *m_conclusions;
    LatestTask<survey::GroupStatistics> m_statisticsJob;
};

} // namespace desk
