#pragma once

#include "web/submission.h"

#include <QAbstractHttpServer>
#include <QByteArray>
#include <QString>
#include <memory>
#include <vector>

// The HTTP side of a collection: "GET /<token>/<n>/" is link n's page,
// "POST /<token>/<n>/submit" its questionnaire and "GET /<token>/<n>/code?c=<code>" whether the
// code has answered there; anything else is 404 with the same short page,
// so that a wrong token says nothing about the right one.
namespace web {

class SurveyServer : public QAbstractHttpServer {
    Q_OBJECT
public:
    SurveyServer(const QByteArray &token, QObject *parent = nullptr);

    // The next link (numbered from 1): its page and where its questionnaires are written;
    // `surveyId` names the survey in the page's browser storage.
    void addLink(const QString &group, const QString &folder, const QByteArray &key16,
                 const QString &surveyId);
    // "/<token>/<n>/"
    QByteArray linkPath(int link) const;

signals:
    void written(int link, const QString &fileName);
    void writeFailed(int link, const QString &message);

protected:
    bool handleRequest(const QHttpServerRequest &request, QTcpSocket *socket) override;
    void missingHandler(const QHttpServerRequest &, QTcpSocket *) override {}

private:
    struct Link {
        QByteArray page;
        std::unique_ptr<SubmissionHandler> handler;
    };
    QByteArray m_token;
    std::vector<Link> m_links;
};

} // namespace web
