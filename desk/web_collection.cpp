#include "desk/web_collection.h"

#include "web/survey_collection.h"

namespace desk {

WebCollection::WebCollection(const QHostAddress &address) : m_address(address)
{
    m_thread.setObjectName(QStringLiteral("ocai-collection"));
}

WebCollection::~WebCollection()
{
    stop();
}

void WebCollection::start(const QStringList &groups, const QString &surveyFolder,
                          const CollectionOptions &options)
{
    stop();
    web::ServeSettings settings;
    settings.address = m_address;
    settings.port = options.port;
    settings.advertised = options.advertised;
    settings.newLink = options.newLink;
    m_thread.start();
    auto *collection = new web::SurveyCollection;
    collection->moveToThread(&m_thread);
    m_collection = collection;
    // Both arrive on this object's thread, queued.
    connect(collection, &web::SurveyCollection::questionnaireWritten, this,
            &Collection::answerWritten);
    connect(collection, &web::SurveyCollection::writeFailed, this, &Collection::writeFailed);
    const int current = ++m_start;
    QMetaObject::invokeMethod(
        collection,
        [this, collection, groups, surveyFolder, settings, current] {
            auto result = collection->start(groups, surveyFolder, settings);
            // stop() waits for this call, so `this` is still there to be posted to; a stop in
            // between makes the answer stale and it is dropped.
            QMetaObject::invokeMethod(
                this,
                [this, current, result = std::move(result)] {
                    if (current != m_start)
                        return;
                    if (const auto *error = std::get_if<web::StartError>(&result)) {
                        stop(); // nothing to listen for: the thread ends
                        emit startFailed(error->message);
                        return;
                    }
                    QList<CollectionLink> links;
                    for (const web::SurveyLink &link : std::get<QList<web::SurveyLink>>(result))
                        links << CollectionLink{link.group, link.folder, link.url,
                                                link.qrStem + QStringLiteral(".png")};
                    emit started(links);
                },
                Qt::QueuedConnection);
        },
        Qt::QueuedConnection);
}

void WebCollection::stop()
{
    ++m_start;
    if (!m_collection)
        return;
    // Deleted on its own thread, after whatever it had in hand: the start, the answer being
    // written. Its listeners close with it.
    QMetaObject::invokeMethod(
        m_collection, [collection = m_collection] { delete collection; },
        Qt::BlockingQueuedConnection);
    m_collection = nullptr;
    m_thread.quit();
    m_thread.wait();
}

} // namespace desk
