#pragma once

#include "survey/group_statistics.h"
#include "survey_folder.h"

#include <QFutureWatcher>
#include <QTabWidget>

class QTableWidget;
class QTextBrowser;

namespace desk {

class PictureView;

// The figures of the selected group, each on its tab: the profile diagram, the question
// charts, the difference chart, the statistics table and the written conclusions of the
// report. The statistics are resampled off the user-interface thread.
class GroupView : public QTabWidget {
    Q_OBJECT
public:
    explicit GroupView(QWidget *parent = nullptr);
    ~GroupView() override;

    void showGroup(const Group &group);

private:
    void statisticsReady();

    PictureView *m_plotA;
    PictureView *m_questions;
    PictureView *m_difference;
    QTableWidget *m_statistics;
    QTextBrowser *m_conclusions;
    QFutureWatcher<survey::GroupStatistics> m_job;
    int m_generation = 0; // the shown group's; an older job's result is dropped
    int m_jobGeneration = 0;
    bool m_waiting = false; // a group arrived while a job ran
    survey::GroupResult m_pending;
    void startStatistics();
};

} // namespace desk
