#pragma once

#include "desk/collection.h"

#include <QThread>

namespace web {
class SurveyCollection;
}

namespace desk {

// The desk's collection over the network library's, on a thread of its own: a slow disk under
// an answer being written never holds up the window. The survey folder keeps its port and each
// group's secret from one start to the next, so that each group's link and QR code stay its own.
class WebCollection : public Collection {
    Q_OBJECT
public:
    // Listens on `address`: every interface, unless a test keeps it to the computer itself.
    explicit WebCollection(const QHostAddress &address = QHostAddress::Any);
    ~WebCollection() override;

    void start(const QStringList &groups, const QString &surveyFolder,
               const CollectionOptions &options) override;
    void stop() override;

private:
    QHostAddress m_address;
    QThread m_thread;
    web::SurveyCollection *m_collection = nullptr; // lives on m_thread
    int m_start = 0;                               // which start's answer is still awaited
};

} // namespace desk
