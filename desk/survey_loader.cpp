#include "desk/survey_loader.h"

#include <QDir>
#include <QElapsedTimer>
#include <QSet>
#include <QtConcurrent/QtConcurrentRun>
#include <algorithm>

namespace desk {

int nextRescanMs(qint64 costMs, const LoaderTimings &timings)
{
    const qint64 wait = std::max<qint64>(costMs, 0) * timings.backoff;
    return int(std::clamp<qint64>(wait, timings.rescanMs,
                                  std::max(timings.rescanMs, timings.maxRescanMs)));
}

SurveyLoader::SurveyLoader(QObject *parent) : SurveyLoader(LoaderTimings(), parent) {}

SurveyLoader::SurveyLoader(const LoaderTimings &timings, QObject *parent)
    : QObject(parent), m_timings(timings)
{
    m_settle.setSingleShot(true);
    m_settle.setInterval(m_timings.settleMs);
    connect(&m_settle, &QTimer::timeout, this, [this] {
        if (!m_running)
            startPending();
    });
    // Restarted after each load, so that rescans never follow one another without a pause.
    m_poll.setSingleShot(true);
    m_poll.setInterval(m_timings.rescanMs);
    connect(&m_poll, &QTimer::timeout, this, [this] {
        m_pending.add(RescanScope::all());
        if (!m_running)
            startPending();
    });
    if (m_timings.watch)
        connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, &SurveyLoader::notice);
    connect(&m_future, &QFutureWatcher<Loaded>::finished, this, &SurveyLoader::finished);
}

SurveyLoader::~SurveyLoader()
{
    if (m_cancel)
        *m_cancel = true;
    m_future.waitForFinished();
}

void SurveyLoader::open(const QString &folder)
{
    m_folder = QDir(folder).absolutePath();
    m_survey.reset();
    if (!m_watcher.directories().isEmpty())
        m_watcher.removePaths(m_watcher.directories());
    m_poll.stop();
    m_settle.stop();
    m_pending = RescanScope::all();
    m_held = false;
    if (m_running)
        *m_cancel = true; // its result is of the old folder; finished() starts the new one
    else
        startPending();
}

void SurveyLoader::rescan(const QStringList &folders)
{
    if (m_folder.isEmpty())
        return;
    if (folders.isEmpty())
        m_pending.add(RescanScope::all());
    for (const QString &folder : folders)
        m_pending.groups.insert(noticedGroup(folder));
    m_held = false;
    if (m_running)
        *m_cancel = true; // finished() starts again with what it was listing as well
    else
        startPending();
}

void SurveyLoader::hold()
{
    m_held = true;
    if (m_running)
        *m_cancel = true; // finished() keeps what it was listing for the rescan
}

void SurveyLoader::notice(const QString &folder)
{
    if (m_folder.isEmpty())
        return;
    m_pending.groups.insert(noticedGroup(folder));
    // Started by the first notice of a burst and not pushed back by the next ones, so that a
    // steady stream of answers still gets loaded.
    if (!m_settle.isActive())
        m_settle.start();
}

void SurveyLoader::startPending()
{
    if (m_held)
        return;
    m_settle.stop();
    m_poll.stop();
    m_running = true;
    m_loading = m_pending;
    m_pending = {};
    m_cancel = std::make_shared<std::atomic_bool>(false);
    emit loadStarted();
    m_future.setFuture(QtConcurrent::run([folder = m_folder, previous = m_survey, scope = m_loading,
                                          cancel = m_cancel, hook = m_loadEndHook]() {
        QElapsedTimer clock;
        clock.start();
        Loaded loaded;
        QStringList candidates;
        loaded.survey = refreshSurvey(folder, previous.get(), scope, cancel.get(), &candidates);
        // Watched anew when the folders were listed: a new empty subfolder is heard of too.
        if (const Survey *now = loaded.survey ? loaded.survey.get() : previous.get();
            now && !candidates.isEmpty())
            loaded.watch = watchedFolders(*now, candidates);
        if (hook)
            hook();
        loaded.costMs = clock.elapsed();
        return loaded;
    }));
}

void SurveyLoader::finished()
{
    m_running = false;
    Loaded loaded = m_future.result();
    if (*m_cancel) {
        // Dropped: of a folder no longer open, or listed before a move. What it was listing
        // is listed again, with whatever came meanwhile.
        m_pending.add(m_loading);
        startPending();
        return;
    }
    // The first load reads every file, which says nothing of what a listing costs: the next
    // rescan comes soon and is timed instead.
    if (m_loading.everything)
        m_poll.setInterval(m_survey ? nextRescanMs(loaded.costMs, m_timings) : m_timings.rescanMs);
    if (!loaded.watch.isEmpty())
        watch(loaded.watch);
    if (loaded.survey) {
        m_survey = std::move(loaded.survey);
        emit surveyChanged();
    }
    if (!m_pending.isEmpty() && !m_settle.isActive())
        startPending();
    else
        m_poll.start();
}

void SurveyLoader::watch(const QStringList &folders)
{
    if (!m_timings.watch)
        return;
    const QStringList watched = m_watcher.directories();
    const QSet<QString> wanted(folders.begin(), folders.end()), had(watched.begin(), watched.end());
    QStringList gone, added;
    for (const QString &folder : watched)
        if (!wanted.contains(folder))
            gone << folder;
    if (!gone.isEmpty())
        m_watcher.removePaths(gone);
    for (const QString &folder : folders)
        if (!had.contains(folder))
            added << folder;
    if (!added.isEmpty())
        m_watcher.addPaths(added);
}

} // namespace desk
