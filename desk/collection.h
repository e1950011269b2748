#pragma once

#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <functional>
#include <memory>

// What the desk asks of a collection of answers over the local network: links that write each
// finished questionnaire into a group's folder, and word of each one written. The network
// library provides it; the desk draws only the window around it.
namespace desk {

struct CollectionLink {
    QString group;  // empty for the link into the survey folder itself
    QString folder; // where its answers land
    QUrl url;       // as the other computers of the network reach it
    QString qrPng;  // the link's QR code as a PNG file
};

struct CollectionOptions {
    quint16 port = 0;        // 0: the survey folder's own port, or a free one the first time
    QHostAddress advertised; // the links' host; null: the default route's address
    bool newLink = false;    // new secrets on purpose: every old link of the folder stops working
};

class Collection : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // Starts listening with one link per group, an empty name (or no group at all) writing into
    // `surveyFolder` itself. Answers later, never from within the call, with started() or
    // startFailed(); the disk and the network are never waited for here.
    virtual void start(const QStringList &groups, const QString &surveyFolder,
                       const CollectionOptions &options) = 0;
    // Stops listening; returns once the questionnaire being written, if any, is written.
    virtual void stop() = 0;

signals:
    void started(const QList<desk::CollectionLink> &links);
    void startFailed(const QString &reason); // in Russian
    void answerWritten(const QString &group, const QString &fileName);
    void writeFailed(const QString &group, const QString &message);
};

// Makes the collection of this build; none when it was built without the network library.
using CollectionFactory = std::function<std::unique_ptr<Collection>()>;
CollectionFactory &collectionFactory();

} // namespace desk
