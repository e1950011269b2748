#include "survey_loader.h"

#include <QDir>
#include <QtConcurrent/QtConcurrentRun>

namespace desk {

SurveyLoader::SurveyLoader(QObject *parent) : QObject(parent)
{
    m_settle.setSingleShot(true);
    m_settle.setInterval(250);
    connect(&m_settle, &QTimer::timeout, this, &SurveyLoader::rescan);
    m_poll.setInterval(kRescanMs);
    connect(&m_poll, &QTimer::timeout, this, [this] {
        if (!m_running)
            rescan();
    });
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, [this] { m_settle.start(); });
    connect(&m_future, &QFutureWatcher<std::shared_ptr<const Survey>>::finished, this,
            &SurveyLoader::finished);
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
    if (m_running && m_cancel)
        *m_cancel = true; // its result is of the old folder and is dropped
    rescan();
    m_poll.start();
}

void SurveyLoader::rescan()
{
    if (m_folder.isEmpty())
        return;
    if (m_running) {
        m_again = true;
        return;
    }
    start();
}

void SurveyLoader::start()
{
    m_running = true;
    m_again = false;
    m_cancel = std::make_shared<std::atomic_bool>(false);
    emit loadStarted();
    // Compared off the thread too: a rescan that finds nothing new costs the window nothing.
    m_future.setFuture(QtConcurrent::run([folder = m_folder, previous = m_survey,
                                          cancel = m_cancel]() -> std::shared_ptr<const Survey> {
        Survey loaded = loadSurvey(folder, previous.get(), cancel.get());
        if (*cancel || (previous && sameFiles(*previous, loaded)))
            return nullptr;
        return std::make_shared<const Survey>(std::move(loaded));
    }));
}

void SurveyLoader::finished()
{
    m_running = false;
    const bool cancelled = m_cancel && *m_cancel;
    std::shared_ptr<const Survey> loaded = m_future.result();
    if (cancelled || (loaded && loaded->folder != m_folder)) {
        // A load of a folder no longer open, or cut short: start over with the one in hand.
        start();
        return;
    }
    if (loaded) {
        m_survey = std::move(loaded);
        watchFolders();
        emit surveyChanged();
    }
    if (m_again)
        start();
}

void SurveyLoader::watchFolders()
{
    QStringList folders{m_folder};
    for (const Group &group : m_survey->groups)
        folders << group.folder << QDir(group.folder).filePath(excludedFolderName());
    folders.removeDuplicates();
    const QStringList watched = m_watcher.directories();
    for (const QString &folder : folders)
        if (!watched.contains(folder) && QFileInfo(folder).isDir())
            m_watcher.addPath(folder);
}

} // namespace desk
