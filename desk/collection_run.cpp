#include "desk/collection_run.h"

namespace desk {

CollectionRun::CollectionRun(std::unique_ptr<Collection> collection, QObject *parent)
    : QObject(parent), m_collection(std::move(collection))
{
    connect(m_collection.get(), &Collection::started, this,
            [this](const QList<CollectionLink> &links) {
                m_links = links;
                setState(State::Running);
            });
    connect(m_collection.get(), &Collection::startFailed, this, [this](const QString &reason) {
        setState(State::Stopped);
        emit startFailed(reason);
    });
    // Counted even after a stop: the answer was written before it.
    connect(m_collection.get(), &Collection::answerWritten, this, [this](const QString &group) {
        ++m_total;
        emit answerCounted(group, ++m_counts[group]);
    });
    connect(m_collection.get(), &Collection::writeFailed, this, &CollectionRun::writeFailed);
}

CollectionRun::~CollectionRun()
{
    m_collection->stop();
}

void CollectionRun::start(const QStringList &groups, const QString &surveyFolder,
                          const CollectionOptions &options)
{
    setState(State::Starting);
    m_collection->start(groups, surveyFolder, options);
}

void CollectionRun::stop()
{
    if (!active())
        return;
    m_collection->stop();
    setState(State::Stopped);
}

void CollectionRun::setState(State state)
{
    if (state == m_state)
        return;
    m_state = state;
    emit stateChanged(state);
}

} // namespace desk
