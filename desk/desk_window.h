#pragma once

#include "desk/collection_run.h"
#include "desk/documents.h"
#include "desk/file_moves.h"
#include "desk/job_bar.h"
#include "desk/survey_loader.h"

#include <QDialog>
#include <QMainWindow>
#include <QPointer>
#include <functional>

class QAction;
class QLabel;
class QListWidget;
class QMenu;
class QPushButton;
class QSortFilterProxyModel;
class QTableView;

namespace shell {
class DesktopShell;
}

namespace desk {

class CollectionDialog;
class CollectionStatus;
class CompareView;
class GroupView;
class RespondentTable;

// The window a consultant works in from the first answer to the last document: the survey's
// groups on the left, the selected group's respondents and figures on the right, and every
// document one command away.
class DeskWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit DeskWindow(shell::DesktopShell &shell, QWidget *parent = nullptr);
    ~DeskWindow() override;

    void openSurvey(const QString &folder);
    // The survey the window starts with, as an editor reopens its last file: `given` (the
    // command line's) when there is one, else the survey open when the desk last closed. A
    // last survey that is gone is said in the status bar, and the window starts empty.
    void openAtStart(const QString &given);
    // The groups as listed: each of the survey's, then "Все вместе".
    int groupCount() const;
    void selectGroup(int index);
    SurveyLoader &loader() { return m_loader; }
    JobBar &jobs() { return *m_jobs; }
    // The last document written, for the status bar's "Открыть".
    QString lastDocument() const { return m_lastDocument; }

    void writeProfilePdf();
    void writeComparisonPdf();
    void writeOrganisationPdf();
    void writeWorkbook();
    void writeTextReport();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    // desk_window.cpp: layout, title, settings, the survey as it changes.
    void buildLayout();
    void surveyChanged();
    void showSurveyMessage(bool first);
    void showSelectedGroup();
    void showRespondents(const std::vector<Respondent> &respondents);
    void spanReasons();
    void fitGroupList();
    void updateTitle();
    void rememberRecent(const QString &folder);
    void refillRecent();
    const Group *groupAt(int index) const;
    Group currentGroup() const;
    Group allGroups() const; // "Все вместе"
    std::vector<Group> selectedGroups() const;
    // desk_actions.cpp: menus, toolbar, shortcuts.
    void buildActions();
    void chooseSurvey();
    void showAbout();
    void updateActions();
    // desk_respondents.cpp: excluding and returning files.
    void excludeSelected();
    void returnSelected();
    void moveSelected(bool exclude);
    void movesDone(const MoveReport &report);
    // desk_documents.cpp: the documents.
    QString askSavePath(const QString &title, const QString &name, const QString &filter,
                        const QString &suffix);
    void writeDocument(const QString &caption, const QString &path,
                       std::function<Made(const CancelCheck &)> make);
    void documentWritten(const QString &path, const JobOutcome &outcome);
    bool askReportTitle(bool always);
    ReportTitle reportTitle() const; // the survey's, as remembered, or the defaults
    // Says `problem`, if any, and whether it refuses the document.
    bool refuses(const QString &problem);
    // Whether a document `refusal` lets through may be asked for: refused before the title
    // dialog and the save dialog, under the floor remembered or just set.
    bool readyFor(const std::function<QString(int minGroup)> &refusal);
    void openSurveyFolder();
    // desk_collect.cpp: the collection of answers over the network, the open survey's.
    void collect();
    // Before the window leaves its survey for `next` (empty: the window closes): asks when a
    // collection runs; true when none runs any more.
    bool leaveCollection(const QString &next);
    void endCollection();

    shell::DesktopShell &m_shell;
    SurveyLoader m_loader;
    FileMover m_mover;
    std::shared_ptr<const Survey> m_survey;
    QString m_selectedFolder; // the group on show, kept across reloads; empty: "Все вместе"
    QString m_tableFolder;    // the group whose respondents the table shows
    QListWidget *m_groups = nullptr;
    RespondentTable *m_table = nullptr;
    QSortFilterProxyModel *m_sorted = nullptr;
    QTableView *m_tableView = nullptr;
    QLabel *m_counts = nullptr;
    GroupView *m_view = nullptr;
    CompareView *m_compare = nullptr;
    JobBar *m_jobs = nullptr;
    QPushButton *m_openDocument = nullptr;
    std::unique_ptr<CollectionRun> m_collectionRun; // the open survey's, once asked for
    QPointer<CollectionDialog> m_collectionDialog;
    CollectionStatus *m_collectionStatus = nullptr;
    QString m_lastDocument;
    QString m_surveyMessage; // what the status bar says of the survey while it holds true
    QMenu *m_recent = nullptr;
    QAction *m_exclude = nullptr, *m_return = nullptr;
    QList<QAction *> m_surveyActions;   // need an open survey
    QList<QAction *> m_documentActions; // need no other document in the making
};

} // namespace desk
