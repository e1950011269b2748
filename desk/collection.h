#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <functional>
#include <memory>
#include <variant>

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

class Collection : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // Starts listening with one link per group, an empty name (or no group at all) writing into
    // `surveyFolder` itself; the links, or why not in Russian.
    virtual std::variant<QList<CollectionLink>, QString> start(const QStringList &groups,
                                                               const QString &surveyFolder) = 0;
    virtual void stop() = 0;

signals:
    void answerWritten(const QString &group, const QString &fileName);
    void writeFailed(const QString &group, const QString &message);
};

// Makes the collection of this build; none when it was built without the network library.
using CollectionFactory = std::function<std::unique_ptr<Collection>()>;
CollectionFactory &collectionFactory();

} // namespace desk
