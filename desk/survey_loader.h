#pragma once

#include "survey_folder.h"

#include <QFileSystemWatcher>
#include <QFutureWatcher>
#include <QObject>
#include <QTimer>
#include <atomic>
#include <memory>

namespace desk {

// Keeps one survey folder loaded, off the user-interface thread: loads it when opened, and
// again whenever a file arrives, changes or leaves. The file system's notices come first; a
// periodic rescan catches what network shares do not announce. Unchanged files are not read
// again, so that a rescan of a large survey costs a listing.
class SurveyLoader : public QObject {
    Q_OBJECT
public:
    // How often the folder is listed when no notice arrives.
    static constexpr int kRescanMs = 1500;

    explicit SurveyLoader(QObject *parent = nullptr);
    ~SurveyLoader() override;

    // Forgets the survey in hand and loads `folder`.
    void open(const QString &folder);
    // Loads the folder again now (after the desk moved a file).
    void rescan();

    QString folder() const { return m_folder; }
    std::shared_ptr<const Survey> survey() const { return m_survey; }
    bool loading() const { return m_running; }

signals:
    void loadStarted();
    // survey() holds another folder, or other files.
    void surveyChanged();

private:
    void start();
    void finished();
    void watchFolders();

    QString m_folder;
    std::shared_ptr<const Survey> m_survey;
    QFileSystemWatcher m_watcher;
    QTimer m_settle; // lets a burst of notices end before the load
    QTimer m_poll;
    QFutureWatcher<std::shared_ptr<const Survey>> m_future; // null: nothing changed
    std::shared_ptr<std::atomic_bool> m_cancel;
    bool m_running = false;
    bool m_again = false; // a change came during the load
};

} // namespace desk
