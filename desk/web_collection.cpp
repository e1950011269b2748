#include "web_collection.h"

#include "web/survey_collection.h"

namespace desk {

WebCollection::WebCollection() : m_collection(new web::SurveyCollection(this))
{
    connect(m_collection, &web::SurveyCollection::questionnaireWritten, this,
            &Collection::answerWritten);
    connect(m_collection, &web::SurveyCollection::writeFailed, this, &Collection::writeFailed);
}

WebCollection::~WebCollection()
{
    stop();
}

std::variant<QList<CollectionLink>, QString> WebCollection::start(const QStringList &groups,
                                                                  const QString &surveyFolder)
{
    auto started = m_collection->start(groups, surveyFolder, web::ServeSettings{});
    if (const auto *error = std::get_if<web::StartError>(&started))
        return error->message;
    QList<CollectionLink> links;
    for (const web::SurveyLink &link : std::get<QList<web::SurveyLink>>(started))
        links << CollectionLink{link.group, link.folder, link.url,
                                link.qrStem + QStringLiteral(".png")};
    return links;
}

void WebCollection::stop()
{
    m_collection->stop();
}

} // namespace desk
