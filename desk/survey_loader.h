#pragma once

#include "desk/survey_refresh.h"

#include <QFileSystemWatcher>
#include <QFutureWatcher>
#include <QObject>
#include <QTimer>
#include <atomic>
#include <functional>
#include <memory>

namespace desk {

// How often the loader looks without being told. The periodic rescan waits `backoff` times
// what the last full listing took, within [rescanMs, maxRescanMs], so that a large survey on
// a slow drive costs a small share of the processor however long its listing takes.
struct LoaderTimings {
    int settleMs = 250;       // lets a burst of notices end before the load
    int rescanMs = 1500;      // for network shares, which announce nothing
    int maxRescanMs = 120000; // a new answer still shows within two minutes there
    int backoff = 40;         // the rescan costs at most 1/backoff of a core
    bool watch = true;        // hear the file system's notices (tests give them by hand)
};

// The wait before the next periodic rescan after a full listing that took `costMs`.
int nextRescanMs(qint64 costMs, const LoaderTimings &timings);

// Keeps one survey folder loaded, off the user-interface thread: loads it when opened, and
// again whenever a file arrives, changes or leaves. A notice of the file system has only its
// folder listed again; notices coming close together make one load; a periodic rescan catches
// what network shares do not announce. Unchanged files are not read again.
class SurveyLoader : public QObject {
    Q_OBJECT
public:
    explicit SurveyLoader(QObject *parent = nullptr);
    explicit SurveyLoader(const LoaderTimings &timings, QObject *parent = nullptr);
    ~SurveyLoader() override;

    // Forgets the survey in hand and loads `folder`.
    void open(const QString &folder);
    // Lists `folders` again now (every folder when none is given), dropping a load under way,
    // which may have listed them before the desk moved a file: its rows would be stale.
    void rescan(const QStringList &folders = {});
    // Loads nothing until the next rescan(), dropping a load under way: the desk is moving
    // files, and a listing taken meanwhile could see one twice or not at all.
    void hold();
    // Something changed in `folder` (the file system's notice): its group is listed again
    // once the notices settle, or after the load under way.
    void notice(const QString &folder);

    QString folder() const { return m_folder; }
    std::shared_ptr<const Survey> survey() const { return m_survey; }
    bool loading() const { return m_running; }
    // The wait before the next periodic rescan.
    int rescanInterval() const { return m_poll.interval(); }
    // Called on the loading thread as each load ends, before its result is handed over:
    // tests hold a load there.
    void setLoadEndHook(std::function<void()> hook) { m_loadEndHook = std::move(hook); }

signals:
    void loadStarted();
    // survey() holds another folder, or other files.
    void surveyChanged();

private:
    struct Loaded {
        std::shared_ptr<const Survey> survey; // null: nothing changed
        QStringList watch;
        qint64 costMs = 0;
    };

    void startPending();
    void finished();
    void watch(const QStringList &folders);

    LoaderTimings m_timings;
    QString m_folder;
    std::shared_ptr<const Survey> m_survey;
    QFileSystemWatcher m_watcher;
    QTimer m_settle;
    QTimer m_poll;
    QFutureWatcher<Loaded> m_future;
    std::shared_ptr<std::atomic_bool> m_cancel;
    std::function<void()> m_loadEndHook;
    RescanScope m_pending; // what changed and is not loaded yet
    RescanScope m_loading; // what the load under way lists
    bool m_running = false;
    bool m_held = false;
};

} // namespace desk
