#pragma once

#include "desk/collection.h"

#include <QMap>

// The open survey's collection of answers, whichever view shows it: started, counted and stopped
// here, so that closing its dialog leaves it running. It stops when it is destroyed.
namespace desk {

class CollectionRun : public QObject {
    Q_OBJECT
public:
    enum class State { Stopped, Starting, Running };

    explicit CollectionRun(std::unique_ptr<Collection> collection, QObject *parent = nullptr);
    ~CollectionRun() override;

    // Starts, or starts again with other options; stateChanged tells how it went.
    void start(const QStringList &groups, const QString &surveyFolder,
               const CollectionOptions &options);
    void stop();

    State state() const { return m_state; }
    bool active() const { return m_state != State::Stopped; }
    // The links of the running collection; the last ones once it stopped.
    const QList<CollectionLink> &links() const { return m_links; }
    // Answers written since the survey was opened: one link's, or all.
    int answers(const QString &group) const { return m_counts.value(group); }
    int answers() const { return m_total; }

signals:
    void stateChanged(desk::CollectionRun::State state);
    void startFailed(const QString &reason);
    void answerCounted(const QString &group, int answers);
    void writeFailed(const QString &group, const QString &message);

private:
    void setState(State state);

    std::unique_ptr<Collection> m_collection;
    State m_state = State::Stopped;
    QList<CollectionLink> m_links;
    QMap<QString, int> m_counts;
    int m_total = 0;
};

} // namespace desk
