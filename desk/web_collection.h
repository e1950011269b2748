#pragma once

#include "collection.h"

namespace web {
class SurveyCollection;
}

namespace desk {

// The desk's collection over the network library's: links on every interface, on a free port,
// with a new secret on every start.
class WebCollection : public Collection {
    Q_OBJECT
public:
    WebCollection();
    ~WebCollection() override;

    std::variant<QList<CollectionLink>, QString> start(const QStringList &groups,
                                                       const QString &surveyFolder) override;
    void stop() override;

private:
    web::SurveyCollection *m_collection;
};

} // namespace desk
